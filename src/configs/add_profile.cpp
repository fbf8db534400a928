#include "configs/add_profile.h"

namespace kv {

namespace {
toolkit::FrameStyle frame_style() {
    toolkit::FrameStyle s;
    s.design_title = "  Add new config  ";
    s.width = 3015;
    s.height = 1575;
    return s;
}
}  // namespace

add_profile::add_profile() : toolkit::FramedForm("add_profile", frame_style()) {
    expose("add_profile_message", [this] { return add_profile_message; });
}

void add_profile::Form_Load() {
    arrange_frame();
}

}  // namespace kv
