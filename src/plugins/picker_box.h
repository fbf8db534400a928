#pragma once
// The editors' pickers: a box that looks like a combo box (the chosen entry's name, an arrow at its
// right end), whose arrow click or any press elsewhere on it opens the picker window right under it.
// The box's name, its heading, its name label and its locator code come from the editor's slot table.
#include "plugins/plugin_editor.h"

namespace kv::plugins {

struct PickerBox {
    int slot;
    float left, top;
    const char* holder;           // the arrow's square holder at the box's right end
    const char* arrow;            // released arrow above the pressed one
    const char* click;            // transparent label over the box
    const char* background;       // under the name label
    bool opens_on_click = false;  // the box opens on a click instead of a press (memory cards)
};

inline constexpr float picker_width = 2770;
inline constexpr float picker_height = 255;

// The heading, the box and its background. The name label goes in next (PluginEditor), then
// build_picker_controls puts the click label and the arrow above it.
void build_picker_frame(PluginEditor& editor, const PickerBox& picker);
void build_picker_controls(PluginEditor& editor, const PickerBox& picker);

// Opening: the arrow released, the picker window placed under the box (above it where the screen
// ends below), handed the editor and the slot its pick goes to, filled with the slot's list, sized,
// the shown entry preselected, then shown modal over the editor until a pick, Escape or a press
// outside it hides it.
void open_picker(PluginEditor& editor, const PickerBox& picker);

}  // namespace kv::plugins
