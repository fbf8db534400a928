#include "configs/configs_form.h"

namespace kv {

namespace {
toolkit::FrameStyle frame_style() {
    toolkit::FrameStyle s;
    s.design_title = "  Configs  ";
    s.width = 4335;
    s.height = 3330;
    return s;
}
}  // namespace

configs_form::configs_form() : toolkit::FramedForm("configs_form", frame_style()) {
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
