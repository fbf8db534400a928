#include "launcher/about_form.h"

namespace kv {

namespace {
toolkit::FrameStyle frame_style() {
    toolkit::FrameStyle s;
    s.design_title = "  Help  ";
    s.width = 3015;
    s.height = 4575;
    s.middle_follows_left = true;
    return s;
}
}  // namespace

about_form::about_form() : toolkit::FramedForm("about_form", frame_style()) {}

void about_form::Form_Load() {
    arrange_frame();
}

}  // namespace kv
