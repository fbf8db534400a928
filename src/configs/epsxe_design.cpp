#include "configs/epsxe_design.h"

#include "configs/editor_design_parts.h"

namespace kv::configs {

namespace {

// Top to bottom: the video and sound pickers (their buttons at 1080), the CD-ROM and netplay pickers
// (buttons at 2280), the two memory cards side by side, the BIOS image across, two rows of options
// with Ok at the right of the second.
constexpr float picker_top = 735;
constexpr float picker_second_top = 1935;
constexpr float card_caption_top = 2760;
constexpr float card_top = 3015;
constexpr float bios_caption_top = 3360;
constexpr float bios_top = 3615;
constexpr float options_top = 3930;
constexpr float options_second_top = 4260;
constexpr float two_lines = 405;
// Each row's columns leave its captions room in the drawn font; the second row shares its width with
// Ok, and its captions break into a second line where they must.
constexpr std::array<float, 3> option_lefts{120, 1740, 3360};
constexpr std::array<float, 3> option_second_lefts{120, 1530, 2940};

constexpr CaptionDesign captions[] = {
    {"Label9", 120, card_caption_top, 2400, "Memory Card 1:"},
    {"Label10", 3000, card_caption_top, 2400, "Memory Card 2:"},
    {"Label14", 120, bios_caption_top, 2400, "BIOS image:"},
};

constexpr FieldDesign path_fields[] = {
    path_field("Text3", "Shape3", 120, card_top, 2400),
    path_field("Text1", "Shape1", 3000, card_top, 2370),
    path_field("Text2", "Shape2", 120, bios_top, 5250),
};

constexpr BrowseDesign browses[] = {
    {editor_browse_button("Picture21", 2535, card_top, "Image1", "Label12", "Label34"), "Text3",
     "Memory card (*.mcr)", "*.mcr"},
    {editor_browse_button("Picture22", 5385, card_top, "Image2", "Label11", "Label35"), "Text1",
     "Memory card (*.mcr)", "*.mcr"},
    {editor_browse_button("Picture23", 5385, bios_top, "Image3", "Label13", "Label36"), "Text2",
     "PlayStation BIOS (*.bin)", "*.bin"},
};

constexpr OptionDesign options[] = {
    editor_option(0, "Picture34", option_lefts[0], options_top, "Label15", " Enable sound", "Label37", 1365),
    editor_option(1, "Picture35", option_lefts[1], options_top, "Label16", " Enable XA", "Label39", 1365),
    editor_option(3, "Picture36", option_lefts[2], options_top, "Label19", " Auto Load PPF", "Label42", 1800),
    editor_option(2, "Picture37", option_second_lefts[0], options_second_top, "Label17", " Enable CDDA",
                  "Label38", 1155, two_lines),
    editor_option(5, "Picture38", option_second_lefts[1], options_second_top, "Label20", " EnableSPU IRQ",
                  "Label40", 1155, two_lines),
    editor_option(4, "Picture39", option_second_lefts[2], options_second_top, "Label18",
                  " Enable subchannels", "Label41", 1710, two_lines),
};

constexpr plugins::PickerBox pickers[] = {
    {0, 120, picker_top, "Picture1", "Image5", "Label5", "combo1"},
    {1, 3000, picker_top, "Picture2", "Image6", "Label44", "combo2"},
    {2, 120, picker_second_top, "Picture12", "Image7", "Label45", "combo3"},
    {3, 3000, picker_second_top, "Picture4", "Image8", "Label46", "combo4"},
};

constexpr ExportDesign exports[] = {
    {"emulator_configuration", "HKEY_CURRENT_USER\\Software\\epsxe"},
    plugin_configuration_export,
};

}  // namespace

const EditorDesign& epsxe_design() {
    static const EditorDesign design{
        .window = "ePSXe_config",
        .emulator = "ePSXe",
        .frame = {.design_title = "  ePSXe configuration ", .width = 5895, .height = 4815},
        .captions = captions,
        .path_fields = path_fields,
        .browses = browses,
        .options = options,
        .pickers = pickers,
        .kind = plugins::EditorKind::epsxe,
        .ok = editor_ok_button("Picture14", 4230),
        .exports = exports,
        .registry_key = epsxe_key,
        .values = epsxe_values,
    };
    return design;
}

}  // namespace kv::configs
