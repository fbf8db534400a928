#pragma once
// The dialogs' push buttons and check boxes: a picture box that clips a picture of stacked cells and
// holds, front to back, a transparent label that takes the mouse, a centred caption and the picture.
#include <string>

#include "platform/forms/controls.h"
#include "platform/forms/form.h"

namespace kv::toolkit {

struct ButtonBoxNames {
    std::string box;
    std::string image;
    std::string caption;
    std::string mouse;
    int image_index = -1;  // an element of a control array when not -1
    int caption_index = -1;
};

// Where the caption sits in the box: `top` twips down, `height` tall (0: as tall as the box).
struct CaptionPlace {
    float top = 80;
    float height = 0;
};

struct ButtonBox {
    forms::PictureBox& box;
    forms::Image& image;
    forms::Label& caption;
    forms::Label& mouse;
};

// A box of width × height at left, top whose stretched picture is `cells` boxes high, with its caption
// centred at `place`.
ButtonBox add_button_box(forms::Form& form, const ButtonBoxNames& names, float left, float top, float width,
                         float height, int cells, const std::string& caption, CaptionPlace place = {});

}  // namespace kv::toolkit
