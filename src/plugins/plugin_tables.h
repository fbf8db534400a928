#pragma once
// What differs between the four editors' plug-in sides, as tables: their lists, their selection slots
// (list, name label, heading label, picker box, locator code) and their built-in entries. One body of
// code (PluginEditor) runs every editor from its table.
#include <cstdint>
#include <span>
#include <string_view>

namespace kv::plugins {

enum class PluginList { gpu, spu, pad, cdr, net, memcard, bios };

// plugin_type values as PSEgetLibType reports them.
inline constexpr int32_t cdr_kind = 1;
inline constexpr int32_t gpu_kind = 2;
inline constexpr int32_t spu_kind = 4;
inline constexpr int32_t pad_kind = 8;
inline constexpr int32_t net_kind = 16;

struct SlotDesign {
    int slot;
    PluginList list;
    std::string_view name_label;       // shows the chosen entry's display part
    std::string_view heading_label;    // the caption above the picker box
    std::string_view heading_caption;  // its design text
    std::string_view box;              // the picker box the name label sits in
    int16_t locator_code;              // popup_form's input_combo_locator while the picker is open
};

struct BuiltinEntry {
    PluginList list;
    std::string_view record;  // file part, "|||", display part
};

struct EditorTable {
    std::string_view window;  // "ePSXe_config"...
    std::span<const SlotDesign> selection_slots;
    // The netplay list (kind 16) in ePSXe, the gamepad list (kind 8) in the others.
    PluginList fourth_list;
    int32_t fourth_kind;
    std::span<const BuiltinEntry> builtins;
    // PSXeven stores its library names lower-cased; the files keep theirs.
    bool lower_case_files;
    // Plug-in slots a scan resets (BIOS and memory cards are reset when their lists are reloaded).
    int plugin_slots;
    // Name labels a clear resets, in order.
    std::span<const std::string_view> cleared_labels;
    // Lists a clear empties, in order (the BIOS list is the settings side's).
    std::span<const PluginList> cleared_lists;
};

const EditorTable& epsxe_table();
const EditorTable& psxeven_table();
const EditorTable& pcsx_table();
const EditorTable& ssspsx_table();

}  // namespace kv::plugins
