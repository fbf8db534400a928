#include "configs/pcsx_config.h"

namespace kv {

namespace {
toolkit::FrameStyle frame_style() {
    toolkit::FrameStyle s;
    s.design_title = "  PCSX configuration  ";
    s.width = 5895;
    s.height = 5175;
    return s;
}
}  // namespace

PCSX_config::PCSX_config() : toolkit::FramedForm("PCSX_config", frame_style()) {}

void PCSX_config::Form_Load() {
    arrange_frame();
}

}  // namespace kv
