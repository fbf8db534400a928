#include "configs/pcsx_design.h"

#include "configs/editor_design_parts.h"

namespace kv::configs {

namespace {

constexpr CaptionDesign captions[] = {memory_card1_caption, memory_card2_caption};
constexpr FieldDesign path_fields[] = {memory_card1_field, memory_card2_field};
constexpr BrowseDesign browses[] = {memory_card1_browse, memory_card2_browse};

constexpr ExportDesign exports[] = {
    {"emulator_configuration", "HKEY_CURRENT_USER\\Software\\Pcsx"},
    plugin_configuration_export,
};

}  // namespace

const EditorDesign& pcsx_design() {
    static const EditorDesign design{
        .window = "PCSX_config",
        .emulator = "PCSX",
        .frame = {.design_title = "  PCSX configuration  ", .width = 5895, .height = 5175},
        .captions = captions,
        .path_fields = path_fields,
        .browses = browses,
        .options = {},
        .pickers = picker_grid_first(6),
        .kind = plugins::EditorKind::pcsx,
        .ok = editor_ok_button("Picture24", 4680),
        .exports = exports,
        // PCSX's values are read and written by its own steps.
        .registry_key = nullptr,
        .values = {},
    };
    return design;
}

}  // namespace kv::configs
