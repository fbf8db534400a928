#include "configs/psxeven_config.h"

namespace kv {

PSXeven_config::PSXeven_config()
    : plugins::PluginEditor(
          "PSXeven_config",
          toolkit::FrameStyle{.design_title = "  PSXeven configuration  ", .width = 5895, .height = 5175},
          plugins::psxeven_table()) {
    add_name_labels();
}

void PSXeven_config::Form_Load() {
    arrange_frame();
}

}  // namespace kv
