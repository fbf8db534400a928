#include "configs/pcsx_config.h"

namespace kv {

PCSX_config::PCSX_config()
    : plugins::PluginEditor(
          "PCSX_config",
          toolkit::FrameStyle{.design_title = "  PCSX configuration  ", .width = 5895, .height = 5175},
          plugins::pcsx_table()) {
    add_name_labels();
}

void PCSX_config::Form_Load() {
    arrange_frame();
}

}  // namespace kv
