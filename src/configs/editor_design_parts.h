#pragma once
// Rows the editors' design tables have in common: the PSEmu Pro plug-ins' export, the small browse
// and Ok buttons, the picker grid of PCSX, PSXeven and SSSPSX, and the two memory cards that PCSX and
// PSXeven place alike.
#include <array>

#include "configs/editor_window.h"

namespace kv::configs {

inline constexpr ExportDesign plugin_configuration_export{
    "plugin_configuration", "HKEY_CURRENT_USER\\Software\\Vision Thing\\PSEmu Pro"};

constexpr toolkit::PushButton editor_browse_button(const char* box, float left, float top, const char* image,
                                                   const char* caption, const char* click) {
    return {box, left, top, {image}, {caption}, "...", click, 375, 255, -30};
}

constexpr toolkit::PushButton editor_ok_button(const char* box, float top) {
    return {box, 4920, top, {"Image4"}, {"down_section_label", 12}, "Ok", "Label21"};
}

// Two columns, rows at 720, 1920, 3120 and 4320; each editor takes as many boxes as it has slots.
inline constexpr std::array<plugins::PickerBox, 8> picker_grid{{
    {0, 120, 720, "Picture1", "Image5", "Label5", "combo1"},
    {1, 3000, 720, "Picture2", "Image6", "Label44", "combo2"},
    {2, 120, 3120, "Picture12", "Image7", "Label45", "combo3"},
    {3, 3000, 1920, "Picture4", "Image8", "Label46", "combo4"},
    {4, 120, 1920, "Picture25", "Image10", "Label20", "combo5"},
    {5, 3000, 3120, "Picture29", "Image3", "Label37", "combo6"},
    {6, 120, 4320, "Picture22", "Image1", "Label34", "combo7", true},
    {7, 3000, 4320, "Picture31", "Image9", "Label35", "combo8", true},
}};

constexpr std::span<const plugins::PickerBox> picker_grid_first(std::size_t count) {
    return std::span<const plugins::PickerBox>(picker_grid).first(count);
}

inline constexpr float memory_card_caption_top = 4080;
inline constexpr float memory_card_top = 4320;
inline constexpr CaptionDesign memory_card1_caption{"Label9", 120, memory_card_caption_top, 2400,
                                                    "Memory Card 1:"};
inline constexpr CaptionDesign memory_card2_caption{"Label10", 3000, memory_card_caption_top, 2400,
                                                    "Memory Card 2:"};
inline constexpr FieldDesign memory_card1_field = path_field("Text3", "Shape2", 120, memory_card_top, 2445);
inline constexpr FieldDesign memory_card2_field = path_field("Text1", "Shape1", 3000, memory_card_top, 2445);
inline constexpr BrowseDesign memory_card1_browse{
    editor_browse_button("Picture21", 2520, memory_card_top, "Image1", "Label12", "Label34"), "Text3",
    "Memory card (*.mcr)", "*.mcr"};
inline constexpr BrowseDesign memory_card2_browse{
    editor_browse_button("Picture22", 5415, memory_card_top, "Image2", "Label11", "Label35"), "Text1",
    "Memory card (*.mcr)", "*.mcr"};

}  // namespace kv::configs
