#include "configs/registry_settings.h"

#include <algorithm>

#include "platform/runtime.h"
#include "toolkit/two_state_mark.h"
#include "toolkit/window_design.h"

namespace kv::configs {

namespace {

// The editors' option boxes are the elements of their image array "checkboxes".
forms::Image& option_box(const forms::Form& editor, int element) {
    return toolkit::control<forms::Image>(editor, "checkboxes", element);
}

forms::TextBox& text_box(const forms::Form& editor, const char* name) {
    return toolkit::control<forms::TextBox>(editor, name);
}

}  // namespace

bool stored_option_on(const std::string& value) {
    int32_t number = 0;
    if (platform::skip_failure([&] { number = platform::text_to_int32(value); })) return false;
    return number == 1;
}

void load_registry_rows(forms::Form& editor, PluginSlots& slots, std::span<const RegistryRow> rows,
                        const std::string& key, const RegistryAccess& registry) {
    for (const RegistryRow& row : rows) {
        if (row.write_only) continue;
        platform::skip_failure([&] {
            const std::string value = registry.read(key + row.value_name);
            switch (row.kind) {
                case ValueKind::text:
                    text_box(editor, row.control).set_text(value);
                    break;
                case ValueKind::option:
                    toolkit::set_mark(option_box(editor, row.element), stored_option_on(value));
                    break;
                case ValueKind::plugin:
                    show_stored_entry(slots, row.element, value, row.prefix);
                    break;
            }
        });
    }
}

void FailedWrites::add(const std::string& value_path, const std::string& why) {
    auto same = std::find_if(reasons_.begin(), reasons_.end(), [&](const Reason& r) { return r.why == why; });
    if (same == reasons_.end()) same = reasons_.insert(reasons_.end(), Reason{why, {}});
    same->value_paths.push_back(value_path);
}

std::vector<std::string> FailedWrites::lines() const {
    std::vector<std::string> out;
    for (const Reason& r : reasons_) {
        const std::string& first = r.value_paths.front();
        if (r.value_paths.size() == 1) {
            out.push_back("cannot write the registry value " + first + ": " + r.why);
            continue;
        }
        const std::string key = first.substr(0, first.rfind('\\') + 1);
        out.push_back("cannot write " + std::to_string(r.value_paths.size()) + " registry values under " +
                      key + ": " + r.why);
    }
    return out;
}

void write_registry_row(const RegistryAccess& registry, const std::string& value_path,
                        const std::string& text, FailedWrites& failed) {
    try {
        if (!registry.write(value_path, text))
            failed.add(value_path, "the value did not keep what was written");
    } catch (const platform::Failure& failure) {
        failed.add(value_path, failure.what());
    }
}

void save_registry_rows(forms::Form& editor, PluginSlots& slots, std::span<const RegistryRow> rows,
                        const std::string& key, const RegistryAccess& registry, FailedWrites& failed) {
    for (const RegistryRow& row : rows) {
        const bool unreadable = platform::skip_failure([&] {
            std::optional<std::string> text;
            switch (row.kind) {
                case ValueKind::text:
                    text = text_box(editor, row.control).text();
                    break;
                case ValueKind::option:
                    text = toolkit::mark_on(option_box(editor, row.element)) ? "1" : "0";
                    break;
                case ValueKind::plugin:
                    text = entry_to_store(slots, row.element);
                    if (text) text = row.prefix + *text;
                    break;
            }
            if (text) write_registry_row(registry, key + row.value_name, *text, failed);
        });
        // A control the table names but the window lacks: nothing to write from.
        if (unreadable) failed.add(key + row.value_name, "the editor has no control for it");
    }
}

}  // namespace kv::configs
