#include "configs/configs_form.h"

namespace kv {

configs_form::configs_form()
    : toolkit::FramedForm("configs_form",
                          toolkit::FrameStyle{.design_title = "  Configs  ", .width = 4335, .height = 3330}) {
    expose("current_config", [this] { return current_config; });
    expose("no_emulator_message", [this] { return no_emulator_message; });
    expose("no_path_message", [this] { return no_path_message; });
}

void configs_form::Form_Load() {
    arrange_frame();
}

void configs_form::load_defaut() {
    current_config = "ePSXe";
    // The tabs and the profile list come with the profiles.
}

}  // namespace kv
