#include "launcher/game_prompt.h"

namespace kv {

namespace {
toolkit::FrameStyle frame_style() {
    toolkit::FrameStyle s;
    s.design_title = "  Korvalin  ";
    s.width = 4590;
    s.height = 1575;
    return s;
}
}  // namespace

game_prompt::game_prompt() : toolkit::FramedForm("game_prompt", frame_style()) {}

void game_prompt::Form_Load() {
    arrange_frame();
}

}  // namespace kv
