#include "configs/ssspsx_config.h"

namespace kv {

namespace {
toolkit::FrameStyle frame_style() {
    toolkit::FrameStyle s;
    s.design_title = "  SSSPSX configuration  ";
    s.width = 5895;
    s.height = 5295;
    return s;
}
}  // namespace

SSSPSX_config::SSSPSX_config() : toolkit::FramedForm("SSSPSX_config", frame_style()) {}

void SSSPSX_config::Form_Load() {
    arrange_frame();
}

}  // namespace kv
