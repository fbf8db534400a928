#include "configs/add_profile.h"

namespace kv {

add_profile::add_profile()
    : toolkit::FramedForm(
          "add_profile",
          toolkit::FrameStyle{.design_title = "  Add new config  ", .width = 3015, .height = 1575}) {
    expose("add_profile_message", [this] { return add_profile_message; });
}

void add_profile::Form_Load() {
    arrange_frame();
}

}  // namespace kv
