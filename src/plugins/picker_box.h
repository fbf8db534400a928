#pragma once
// The editors' pickers: a box that looks like a combo box (the chosen entry's name, an arrow at its
// right end), whose arrow click or any press elsewhere on it opens the picker window right under it.
#include <cstdint>
#include <functional>

#include "platform/forms/form.h"

namespace kv::plugins {

struct PickerBox {
    int slot;
    int16_t locator;  // the picker window's code for this editor and slot
    const char* box;
    float left, top;
    const char* holder;      // the arrow's square holder
    const char* arrow;       // released arrow above the pressed one
    const char* click;       // transparent label over the box
    const char* name_label;  // the chosen entry's name
    const char* background;
    const char* heading;  // the caption above the box
    const char* heading_text;
};

inline constexpr float picker_width = 2770;
inline constexpr float picker_height = 255;

// Builds the picker's controls; opening runs fill (the slot's entries into the picker window) and
// then the picker window's own steps.
void build_picker_box(forms::Form& editor, const PickerBox& picker, std::function<void()> fill);

// Opening: the arrow released, the picker window under the box, filled, sized, the shown entry
// preselected, shown modal over the editor.
void open_picker(forms::Form& editor, const PickerBox& picker, const std::function<void()>& fill);

}  // namespace kv::plugins
