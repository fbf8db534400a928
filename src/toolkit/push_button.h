#pragma once
// The editors' push buttons: a dialog button box (toolkit/button_box.h) holding a two-state picture
// (released above pressed), a centred caption and a transparent click label over the whole box. A
// press shows the lower half, a release the upper half; the click belongs to the window.
#include <string>

#include "platform/forms/form.h"

namespace kv::toolkit {

// A control by name, or an element of a control array when index is not -1.
struct ControlRef {
    const char* name;
    int index = -1;
};

struct PushButton {
    const char* box;
    float left, top;
    ControlRef image;
    ControlRef caption;
    const char* caption_text;
    const char* click_label;
    float width = 855;
    float height = 375;
    float caption_top = 75;
    float caption_height = 255;
};

// The button with a caption label as tall as the box, as the configs windows lay theirs out.
constexpr PushButton with_box_tall_caption(PushButton b) {
    b.caption_height = b.height;
    return b;
}

// Builds the four controls on the window and gives the click label the pressed look; returns the
// click label, whose on_click the window sets.
forms::Label& build_push_button(forms::Form& form, const PushButton& button);

}  // namespace kv::toolkit
