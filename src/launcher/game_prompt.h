#pragma once
// A prompt asking whether to start the emulator for a game. Nothing opens it.
#include "toolkit/framed_form.h"

namespace kv {

class game_prompt : public toolkit::FramedForm {
public:
    game_prompt();

protected:
    void Form_Load() override;
};

}  // namespace kv
