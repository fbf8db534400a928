#include "launcher/add_new.h"

namespace kv {

namespace {
toolkit::FrameStyle frame_style() {
    toolkit::FrameStyle s;
    s.design_title = "  Add new emulator  ";
    s.width = 4455;
    s.height = 2775;
    s.title_top = 75;
    return s;
}
}  // namespace

add_new::add_new() : toolkit::FramedForm("add_new", frame_style()) {
    expose("add_new_error_message", [this] { return add_new_error_message; });
}

void add_new::Form_Load() {
    arrange_frame();
}

}  // namespace kv
