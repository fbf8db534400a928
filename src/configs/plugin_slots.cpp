#include "configs/plugin_slots.h"

#include "model/plugin_records.h"
#include "platform/runtime.h"

namespace kv::configs {

void show_stored_entry(PluginSlots& slots, int slot, const std::string& stored, const std::string& prefix) {
    const auto& list = slots.slot_entries(slot);
    for (size_t i = 0; i < list.size(); ++i) {
        if (prefix + model::file_part(list[i]) != stored) continue;
        slots.slot_label(slot).set_caption(model::display_part(list[i]));
        slots.slot_choice(slot) = std::to_string(i + 1);
        return;
    }
}

std::optional<std::string> entry_to_store(PluginSlots& slots, int slot) {
    const auto& list = slots.slot_entries(slot);
    const std::string caption = slots.slot_label(slot).caption();
    int32_t picked = 0;
    platform::skip_failure([&] { picked = platform::text_to_int32(slots.slot_choice(slot)); });
    if (picked >= 1 && static_cast<size_t>(picked) <= list.size() &&
        model::display_part(list[picked - 1]) == caption)
        return model::file_part(list[picked - 1]);
    for (const auto& entry : list)
        if (model::display_part(entry) == caption) return model::file_part(entry);
    return std::nullopt;
}

}  // namespace kv::configs
