#pragma once
// The PCSX editor's window and values, as tables the shared editor pieces are built from.
#include <array>

#include "configs/editor_window.h"
#include "configs/registry_settings.h"

namespace kv::configs {

const EditorDesign& pcsx_design();

inline constexpr const char* pcsx_key = "HKEY_CURRENT_USER\\Software\\Pcsx\\";
// What PCSX stores for the folders of its own beside its program.
inline constexpr const char* pcsx_own_plugin_folder = "Plugin\\";
inline constexpr const char* pcsx_own_bios_folder = "Bios\\";
// The BIOS picker's first entry: the emulator's built-in BIOS.
inline constexpr const char* pcsx_internal_bios = "HLE|||Internal HLE Bios";

// The plug-in choices read on opening and after another plug-in folder is chosen.
inline constexpr std::array<RegistryRow, 5> pcsx_plugin_values{{
    {"Gpu", ValueKind::plugin, nullptr, 0},
    {"Spu", ValueKind::plugin, nullptr, 1},
    {"Cdr", ValueKind::plugin, nullptr, 2},
    {"Pad2", ValueKind::plugin, nullptr, 3},
    {"Pad1", ValueKind::plugin, nullptr, 4},
}};
inline constexpr std::array<RegistryRow, 1> pcsx_bios_value{{{"Bios", ValueKind::plugin, nullptr, 5}}};
// What Ok writes after the two folders, in order.
inline constexpr std::array<RegistryRow, 8> pcsx_saved_values{{
    {"Mcd1", ValueKind::text, "Text3"},
    {"Mcd2", ValueKind::text, "Text1"},
    {"Gpu", ValueKind::plugin, nullptr, 0},
    {"Spu", ValueKind::plugin, nullptr, 1},
    {"Cdr", ValueKind::plugin, nullptr, 2},
    {"Pad1", ValueKind::plugin, nullptr, 4},
    {"Pad2", ValueKind::plugin, nullptr, 3},
    {"Bios", ValueKind::plugin, nullptr, 5},
}};

// The folder buttons under the pickers.
inline constexpr toolkit::PushButton pcsx_plugins_dir{
    "Picture30", 120, 4680, {"buttons", 15}, {"down_section_label", 16}, "Plugins dir", "Label36"};
inline constexpr toolkit::PushButton pcsx_bios_dir{
    "Picture31", 1080, 4680, {"buttons", 16}, {"down_section_label", 17}, "Bios dir", "Label38"};

}  // namespace kv::configs
