#include "configs/psxeven_config.h"

namespace kv {

PSXeven_config::PSXeven_config()
    : toolkit::FramedForm(
          "PSXeven_config",
          toolkit::FrameStyle{.design_title = "  PSXeven configuration  ", .width = 5895, .height = 5175}) {}

void PSXeven_config::Form_Load() {
    arrange_frame();
}

}  // namespace kv
