#include "configs/ssspsx_design.h"

#include "configs/editor_design_parts.h"

namespace kv::configs {

namespace {

// The emulator's own file stands for its settings: only the plug-ins' key is exported.
constexpr ExportDesign exports[] = {
    plugin_configuration_export,
};

}  // namespace

const EditorDesign& ssspsx_design() {
    static const EditorDesign design{
        .window = "SSSPSX_config",
        .emulator = "SSSPSX",
        .frame = {.design_title = "  SSSPSX configuration  ", .width = 5895, .height = 5295},
        .captions = {},
        .path_fields = {},
        .browses = {},
        .options = {},
        .pickers = picker_grid,
        .kind = plugins::EditorKind::ssspsx,
        .ok = editor_ok_button("Picture24", 4800),
        .exports = exports,
        .registry_key = nullptr,
        .values = {},
    };
    return design;
}

}  // namespace kv::configs
