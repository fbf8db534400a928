#include "launcher/main_form.h"

namespace kv {

namespace {
toolkit::FrameStyle main_frame() {
    toolkit::FrameStyle s;
    s.design_title = "  Form Name";
    s.width = 8775;
    s.height = 3540;
    return s;
}
}  // namespace

Main_form::Main_form() : toolkit::FramedForm("Main_form", main_frame()) {
    set_caption("Korvalin 1.2");
    set_show_in_taskbar(true);
}

void Main_form::Form_Load() {
    Framebar_title.set_caption("  " + caption() + "  ");
    arrange_frame();
}

}  // namespace kv
