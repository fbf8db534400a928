#include "launcher/edit_form.h"

#include <string>

namespace kv {

namespace {
toolkit::FrameStyle frame_style() {
    toolkit::FrameStyle s;
    s.design_title = "  Edit  ";
    s.width = 4455;
    s.height = 2775;
    s.title_top = 75;
    return s;
}
}  // namespace

edit_form::edit_form() : toolkit::FramedForm("edit_form", frame_style()) {
    expose("edit_index", [this] { return std::to_string(edit_index); });
}

void edit_form::Form_Load() {
    arrange_frame();
}

}  // namespace kv
