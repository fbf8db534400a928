#include "configs/epsxe_config.h"

namespace kv {

ePSXe_config::ePSXe_config()
    : plugins::PluginEditor(
          "ePSXe_config",
          toolkit::FrameStyle{.design_title = "  ePSXe configuration ", .width = 5895, .height = 4815},
          plugins::epsxe_table()) {
    add_name_labels();
    expose("not_selected", [this] { return not_selected; });
    expose("plugin_working", [this] { return plugin_working; });
    expose("plugin_not_working", [this] { return plugin_not_working; });
}

void ePSXe_config::Form_Load() {
    arrange_frame();
}

}  // namespace kv
