#include "configs/pcsx_config.h"

namespace kv {

PCSX_config::PCSX_config()
    : toolkit::FramedForm(
          "PCSX_config",
          toolkit::FrameStyle{.design_title = "  PCSX configuration  ", .width = 5895, .height = 5175}) {}

void PCSX_config::Form_Load() {
    arrange_frame();
}

}  // namespace kv
