#pragma once
// What the settings side of an editor needs of its plug-in side: per selection slot, the list of
// entries ("file|||display"), the name label that shows the choice and the slot's selection text
// (the chosen 1-based position, "0" for none).
#include <optional>
#include <string>
#include <vector>

#include "forms/controls.h"

namespace kv::configs {

class PluginSlots {
  public:
    virtual ~PluginSlots() = default;
    virtual const std::vector<std::string>& slot_entries(int slot) = 0;
    virtual forms::Label& slot_label(int slot) = 0;
    virtual std::string& slot_choice(int slot) = 0;
};

// Shows the first entry whose file part, after the prefix, equals the stored value exactly and selects its
// position; with no match the label and the selection stay as they are.
void show_stored_entry(PluginSlots& slots, int slot, const std::string& stored,
                       const std::string& prefix = "");

// The file part to store for what the slot's label shows: the entry at the slot's selected position
// when its display part equals the caption (the one the user picked, when two entries share a name),
// else the first entry whose display part equals it; nothing when no entry shows that caption.
std::optional<std::string> entry_to_store(PluginSlots& slots, int slot);

}  // namespace kv::configs
