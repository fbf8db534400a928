#include "configs/plugin_slots.h"

#include "platform/runtime.h"

namespace kv::configs {

namespace {
constexpr std::string_view separator = "|||";
}

std::string entry_file_part(const std::string& entry) {
    return entry.substr(0, entry.find(separator));
}

std::string entry_display_part(const std::string& entry) {
    const auto first = entry.find(separator);
    if (first == std::string::npos) return {};
    const auto start = first + separator.size();
    const auto second = entry.find(separator, start);
    return entry.substr(start, second == std::string::npos ? std::string::npos : second - start);
}

void show_stored_entry(PluginSlots& slots, int slot, const std::string& stored) {
    const auto& list = slots.slot_entries(slot);
    for (size_t i = 0; i < list.size(); ++i) {
        if (entry_file_part(list[i]) != stored) continue;
        slots.slot_label(slot).set_caption(entry_display_part(list[i]));
        slots.slot_choice(slot) = std::to_string(i + 1);
        return;
    }
}

std::optional<std::string> entry_to_store(PluginSlots& slots, int slot) {
    const auto& list = slots.slot_entries(slot);
    const std::string caption = slots.slot_label(slot).caption();
    int32_t picked = 0;
    skip_failure([&] { picked = text_to_int32(slots.slot_choice(slot)); });
    if (picked >= 1 && static_cast<size_t>(picked) <= list.size() &&
        entry_display_part(list[picked - 1]) == caption)
        return entry_file_part(list[picked - 1]);
    for (const auto& entry : list)
        if (entry_display_part(entry) == caption) return entry_file_part(entry);
    return std::nullopt;
}

}  // namespace kv::configs
