#include "skins/skin_browser.h"

namespace kv {

namespace {
toolkit::FrameStyle frame_style() {
    toolkit::FrameStyle s;
    s.design_title = "  Skin Browser  ";
    s.width = 4095;
    s.height = 3375;
    s.middle_follows_left = true;
    return s;
}
}  // namespace

skin_browser::skin_browser() : toolkit::FramedForm("skin_browser", frame_style()) {}

void skin_browser::load_colors(const std::string& /*skins_name*/) {
    // Reading the skin's settings comes with skinning.
}

void skin_browser::Form_Load() {
    // The list of skins is built here once skinning comes.
    arrange_frame();
}

}  // namespace kv
