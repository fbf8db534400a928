#include "configs/psxeven_design.h"

#include "configs/editor_design_parts.h"

namespace kv::configs {

namespace {

constexpr float bios_top = 3120;

constexpr CaptionDesign captions[] = {
    {"Label14", 3000, 2880, 2400, "BIOS image:"},
    memory_card1_caption,
    memory_card2_caption,
};

constexpr FieldDesign path_fields[] = {
    path_field("Text2", "Shape3", 3000, bios_top, 2445),
    memory_card1_field,
    memory_card2_field,
};

constexpr BrowseDesign browses[] = {
    memory_card1_browse,
    memory_card2_browse,
    {editor_browse_button("Picture23", 5415, bios_top, "Image3", "Label13", "Label36"), "Text2",
     "Playstation BIOS (*.bin)", "*.bin"},
};

constexpr ExportDesign exports[] = {
    {"emulator_configuration", "HKEY_CURRENT_USER\\Software\\PSXeven7\\PS7gui\\Settings"},
    plugin_configuration_export,
};

}  // namespace

const EditorDesign& psxeven_design() {
    static const EditorDesign design{
        .window = "PSXeven_config",
        .emulator = "PSXeven",
        .frame = {.design_title = "  PSXeven configuration  ", .width = 5895, .height = 5175},
        .captions = captions,
        .path_fields = path_fields,
        .browses = browses,
        .options = {},
        .pickers = picker_grid_first(5),
        .kind = plugins::EditorKind::psxeven,
        .ok = editor_ok_button("Picture24", 4680),
        .exports = exports,
        .registry_key = psxeven_key,
        .values = psxeven_values,
    };
    return design;
}

}  // namespace kv::configs
