#include "launcher/switches_form.h"

namespace kv {

namespace {
toolkit::FrameStyle frame_style() {
    toolkit::FrameStyle s;
    s.design_title = "  Switches  ";
    s.width = 2415;
    s.height = 1335;
    s.title_top = 75;
    return s;
}
}  // namespace

switches_form::switches_form() : toolkit::FramedForm("switches_form", frame_style()) {}

void switches_form::Form_Load() {
    arrange_frame();
}

}  // namespace kv
