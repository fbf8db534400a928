#pragma once
// The ePSXe editor's window and values, as tables the shared editor pieces are built from.
#include <array>

#include "configs/editor_window.h"
#include "configs/registry_settings.h"

namespace kv::configs {

const EditorDesign& epsxe_design();

inline constexpr const char* epsxe_key = "HKEY_CURRENT_USER\\Software\\epsxe\\config\\";

// The fourteen values, in the order both loading and saving handle them.
inline constexpr std::array<RegistryRow, 14> epsxe_values{{
    {"BiosName", ValueKind::text, "Text2"},
    {"Memcard2", ValueKind::text, "Text1"},
    {"Memcard1", ValueKind::text, "Text3"},
    {"SoundEnabled", ValueKind::option, nullptr, 0},
    {"SoundCDDA", ValueKind::option, nullptr, 2},
    {"SoundXA", ValueKind::option, nullptr, 1},
    {"SoundSpuIrq", ValueKind::option, nullptr, 5},
    {"AutoPpfLoad", ValueKind::option, nullptr, 3},
    {"SubchannelW2kCdromEnabled", ValueKind::option, nullptr, 4},
    {"SubchannelW9xCdromEnabled", ValueKind::option, nullptr, 4, true},
    {"VideoPlugin", ValueKind::plugin, nullptr, 0},
    {"SoundPlugin", ValueKind::plugin, nullptr, 1},
    {"CdromPlugin", ValueKind::plugin, nullptr, 2},
    {"NetPlugin", ValueKind::plugin, nullptr, 3},
}};

}  // namespace kv::configs
