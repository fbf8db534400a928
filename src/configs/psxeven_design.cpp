#include "configs/psxeven_design.h"

namespace kv::configs {

namespace {

constexpr CaptionDesign captions[] = {
    {"Label14", 3000, 2880, 2400, "BIOS image:"},
    {"Label9", 120, 4080, 2400, "Memory Card 1:"},
    {"Label10", 3000, 4080, 2400, "Memory Card 2:"},
};

constexpr PathFieldDesign path_fields[] = {
    {"Text2", "Shape3", 3000, 3120, 2445},
    {"Text3", "Shape2", 120, 4320, 2445},
    {"Text1", "Shape1", 3000, 4320, 2445},
};

constexpr toolkit::PushButton browse_button(const char* box, float left, float top, const char* image,
                                            const char* caption, const char* click) {
    return {box, left, top, {image}, {caption}, "...", click, 375, 255, -30};
}

constexpr BrowseDesign browses[] = {
    {browse_button("Picture21", 2520, 4320, "Image1", "Label12", "Label34"), "Text3", "Memory card (*.mcr)",
     "*.mcr"},
    {browse_button("Picture22", 5415, 4320, "Image2", "Label11", "Label35"), "Text1", "Memory card (*.mcr)",
     "*.mcr"},
    {browse_button("Picture23", 5415, 3120, "Image3", "Label13", "Label36"), "Text2",
     "Playstation BIOS (*.bin)", "*.bin"},
};

constexpr plugins::PickerBox pickers[] = {
    {0, 120, 720, "Picture1", "Image5", "Label5", "combo1"},
    {1, 3000, 720, "Picture2", "Image6", "Label44", "combo2"},
    {2, 120, 3120, "Picture12", "Image7", "Label45", "combo3"},
    {3, 3000, 1920, "Picture4", "Image8", "Label46", "combo4"},
    {4, 120, 1920, "Picture25", "Image10", "Label20", "combo5"},
};

constexpr ExportDesign exports[] = {
    {"emulator_configuration", "HKEY_CURRENT_USER\\Software\\PSXeven7\\PS7gui\\Settings"},
    {"plugin_configuration", "HKEY_CURRENT_USER\\Software\\Vision Thing\\PSEmu Pro"},
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
        .pickers = pickers,
        .kind = plugins::EditorKind::psxeven,
        .ok = {"Picture24", 4920, 4680, {"Image4"}, {"down_section_label", 12}, "Ok", "Label21"},
        .exports = exports,
        .registry_key = psxeven_key,
        .values = psxeven_values,
    };
    return design;
}

}  // namespace kv::configs
