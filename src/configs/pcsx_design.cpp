#include "configs/pcsx_design.h"

namespace kv::configs {

namespace {

constexpr CaptionDesign captions[] = {
    {"Label9", 120, 4080, 2400, "Memory Card 1:"},
    {"Label10", 3000, 4080, 2400, "Memory Card 2:"},
};

constexpr PathFieldDesign path_fields[] = {
    {"Text3", "Shape2", 120, 4320, 2445},
    {"Text1", "Shape1", 3000, 4320, 2445},
};

constexpr toolkit::PushButton browse_button(const char* box, float left, const char* image,
                                            const char* caption, const char* click) {
    return {box, left, 4320, {image}, {caption}, "...", click, 375, 255, -30};
}

constexpr BrowseDesign browses[] = {
    {browse_button("Picture21", 2520, "Image1", "Label12", "Label34"), "Text3", "Memory card (*.mcr)",
     "*.mcr"},
    {browse_button("Picture22", 5415, "Image2", "Label11", "Label35"), "Text1", "Memory card (*.mcr)",
     "*.mcr"},
};

constexpr plugins::PickerBox pickers[] = {
    {0, 120, 720, "Picture1", "Image5", "Label5", "combo1"},
    {1, 3000, 720, "Picture2", "Image6", "Label44", "combo2"},
    {2, 120, 3120, "Picture12", "Image7", "Label45", "combo3"},
    {3, 3000, 1920, "Picture4", "Image8", "Label46", "combo4"},
    {4, 120, 1920, "Picture25", "Image10", "Label20", "combo5"},
    {5, 3000, 3120, "Picture29", "Image3", "Label37", "combo6"},
};

constexpr ExportDesign exports[] = {
    {"emulator_configuration", "HKEY_CURRENT_USER\\Software\\Pcsx"},
    {"plugin_configuration", "HKEY_CURRENT_USER\\Software\\Vision Thing\\PSEmu Pro"},
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
        .pickers = pickers,
        .kind = plugins::EditorKind::pcsx,
        .ok = {"Picture24", 4920, 4680, {"Image4"}, {"down_section_label", 12}, "Ok", "Label21"},
        .exports = exports,
        // PCSX's values are read and written by its own steps.
        .registry_key = nullptr,
        .values = {},
    };
    return design;
}

}  // namespace kv::configs
