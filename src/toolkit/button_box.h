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
};

struct ButtonBox {
    forms::PictureBox& box;
    forms::Image& image;
    forms::Label& caption;
    forms::Label& mouse;
};

// A box of width × height at left, top whose stretched picture is `cells` boxes high; the caption
// sits 80 twips down, centred.
ButtonBox add_button_box(forms::Form& form, const ButtonBoxNames& names, float left, float top, float width,
                         float height, int cells, const std::string& caption);

}  // namespace kv::toolkit
