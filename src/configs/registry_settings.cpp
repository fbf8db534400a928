#include "configs/registry_settings.h"

#include <iostream>

#include "platform/runtime.h"

namespace kv::configs {

namespace {

constexpr float on_top = -255;

forms::Image& option_box(forms::Form& editor, int element) {
    auto* box = dynamic_cast<forms::Image*>(editor.find("checkboxes", element));
    if (!box) throw Failure("no option box " + std::to_string(element));
    return *box;
}

forms::TextBox& text_box(forms::Form& editor, const char* name) {
    auto* box = dynamic_cast<forms::TextBox*>(editor.find(name));
    if (!box) throw Failure(std::string("no text box ") + name);
    return *box;
}

}  // namespace

bool option_on(const forms::Image& box) {
    return box.top() == on_top;
}

void set_option(forms::Image& box, bool on) {
    box.set_top(on ? on_top : 0);
}

bool stored_option_on(const std::string& value) {
    int32_t number = 0;
    if (skip_failure([&] { number = text_to_int32(value); })) return false;
    return number == 1;
}

void load_registry_rows(forms::Form& editor, PluginSlots& slots, std::span<const RegistryRow> rows,
                        const std::string& key, const RegistryAccess& registry) {
    for (const RegistryRow& row : rows) {
        if (row.write_only) continue;
        skip_failure([&] {
            const std::string value = registry.read(key + row.value_name);
            switch (row.kind) {
                case ValueKind::text:
                    text_box(editor, row.control).set_text(value);
                    break;
                case ValueKind::option:
                    set_option(option_box(editor, row.element), stored_option_on(value));
                    break;
                case ValueKind::plugin:
                    show_stored_entry(slots, row.element, value, row.prefix);
                    break;
            }
        });
    }
}

void save_registry_rows(forms::Form& editor, PluginSlots& slots, std::span<const RegistryRow> rows,
                        const std::string& key, const RegistryAccess& registry) {
    for (const RegistryRow& row : rows) {
        const bool failed = skip_failure([&] {
            std::optional<std::string> text;
            switch (row.kind) {
                case ValueKind::text:
                    text = text_box(editor, row.control).text();
                    break;
                case ValueKind::option:
                    text = option_on(option_box(editor, row.element)) ? "1" : "0";
                    break;
                case ValueKind::plugin:
                    text = entry_to_store(slots, row.element);
                    if (text) text = row.prefix + *text;
                    break;
            }
            if (text && !registry.write(key + row.value_name, *text)) throw Failure("not written");
        });
        if (failed)
            std::cerr << "korvalin: could not write the registry value " << key << row.value_name << "\n";
    }
}

}  // namespace kv::configs
