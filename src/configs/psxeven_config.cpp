#include "configs/psxeven_config.h"

namespace kv {

namespace {
toolkit::FrameStyle frame_style() {
    toolkit::FrameStyle s;
    s.design_title = "  PSXeven configuration  ";
    s.width = 5895;
    s.height = 5175;
    return s;
}
}  // namespace

PSXeven_config::PSXeven_config() : toolkit::FramedForm("PSXeven_config", frame_style()) {}

void PSXeven_config::Form_Load() {
    arrange_frame();
}

}  // namespace kv
