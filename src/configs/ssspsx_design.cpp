#include "configs/ssspsx_design.h"

namespace kv::configs {

namespace {

constexpr plugins::PickerBox pickers[] = {
    {0, 120, 720, "Picture1", "Image5", "Label5", "combo1"},
    {1, 3000, 720, "Picture2", "Image6", "Label44", "combo2"},
    {2, 120, 3120, "Picture12", "Image7", "Label45", "combo3"},
    {3, 3000, 1920, "Picture4", "Image8", "Label46", "combo4"},
    {4, 120, 1920, "Picture25", "Image10", "Label20", "combo5"},
    {5, 3000, 3120, "Picture29", "Image3", "Label37", "combo6"},
    {6, 120, 4320, "Picture22", "Image1", "Label34", "combo7", true},
    {7, 3000, 4320, "Picture31", "Image9", "Label35", "combo8", true},
};

// The emulator's own file stands for its settings: only the plug-ins' key is exported.
constexpr ExportDesign exports[] = {
    {"plugin_configuration", "HKEY_CURRENT_USER\\Software\\Vision Thing\\PSEmu Pro"},
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
        .pickers = pickers,
        .kind = plugins::EditorKind::ssspsx,
        .ok = {"Picture24", 4920, 4800, {"Image4"}, {"down_section_label", 12}, "Ok", "Label21"},
        .exports = exports,
        .registry_key = nullptr,
        .values = {},
    };
    return design;
}

}  // namespace kv::configs
