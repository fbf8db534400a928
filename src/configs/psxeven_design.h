#pragma once
// The PSXeven editor's window and values, as tables the shared editor pieces are built from.
#include <array>

#include "configs/editor_window.h"
#include "configs/registry_settings.h"

namespace kv::configs {

const EditorDesign& psxeven_design();

inline constexpr const char* psxeven_key = "HKEY_CURRENT_USER\\Software\\PSXeven7\\PS7gui\\Settings\\";
// The emulator names its libraries by this folder of its own.
inline constexpr const char* psxeven_plugin_prefix = "plugins\\";

inline constexpr std::array<RegistryRow, 8> psxeven_values{{
    {"BiosFilename", ValueKind::text, "Text2"},
    {"Memcard2", ValueKind::text, "Text1"},
    {"Memcard1", ValueKind::text, "Text3"},
    {"GpuFilename", ValueKind::plugin, nullptr, 0, false, psxeven_plugin_prefix},
    {"SpuFilename", ValueKind::plugin, nullptr, 1, false, psxeven_plugin_prefix},
    {"CdrFilename", ValueKind::plugin, nullptr, 2, false, psxeven_plugin_prefix},
    {"Pad2Filename", ValueKind::plugin, nullptr, 3, false, psxeven_plugin_prefix},
    {"Pad1Filename", ValueKind::plugin, nullptr, 4, false, psxeven_plugin_prefix},
}};

}  // namespace kv::configs
