#include "configs/ssspsx_config.h"

namespace kv {

SSSPSX_config::SSSPSX_config()
    : plugins::PluginEditor(
          "SSSPSX_config",
          toolkit::FrameStyle{.design_title = "  SSSPSX configuration  ", .width = 5895, .height = 5295},
          plugins::ssspsx_table()) {
    add_name_labels();
}

void SSSPSX_config::Form_Load() {
    arrange_frame();
}

}  // namespace kv
