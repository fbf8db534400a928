#include "configs/epsxe_config.h"

namespace kv {

namespace {
toolkit::FrameStyle frame_style() {
    toolkit::FrameStyle s;
    s.design_title = "  ePSXe configuration ";
    s.width = 5895;
    s.height = 4815;
    return s;
}
}  // namespace

ePSXe_config::ePSXe_config() : toolkit::FramedForm("ePSXe_config", frame_style()) {
    expose("not_selected", [this] { return not_selected; });
    expose("plugin_working", [this] { return plugin_working; });
    expose("plugin_not_working", [this] { return plugin_not_working; });
}

void ePSXe_config::Form_Load() {
    arrange_frame();
}

}  // namespace kv
