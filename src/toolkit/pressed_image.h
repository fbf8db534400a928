#pragma once
// Buttons drawn as one picture holding the released look above the pressed look, shown through a
// box one state high: a press shows the lower half, a release the upper half. The click belongs to
// the window that owns the button.
#include <optional>

#include "forms/controls.h"

namespace kv::toolkit {

// Sets the label's MouseDown and MouseUp. With a fixed pressed Top (the add and edit dialogs' OK and
// Cancel) the image goes there instead of minus half its height.
void attach_pressed_image(forms::Control& label, forms::Image& image, std::optional<float> pressed_top = {});

// The two halves as the handlers set them.
void show_pressed(forms::Image& image, std::optional<float> pressed_top = {});
void show_released(forms::Image& image);

// Gives the button's box a place in its window's tab order: with the focus on it, Enter or Space
// clicks the button, as a desktop button is pressed from the keyboard.
void make_tab_stop(forms::PictureBox& box, forms::Label& click_label, int tab_index);

// Two-state marks (check marks, radio marks) are on while the image shows its lower half.
bool shows_lower_half(const forms::Image& image);

}  // namespace kv::toolkit
