#pragma once
// A prompt asking whether to start the emulator for a game. The program has it, and the skin dresses
// it, but nothing opens it.
#include <array>

#include "toolkit/framed_form.h"
#include "toolkit/window_design.h"

namespace kv {

class game_prompt : public toolkit::FramedForm {
  public:
    game_prompt();

  private:
    toolkit::BuiltWindow design_;

  public:
    std::array<forms::Label*, 2> down_section_label{};  // 0 "Cancel", 1 "Ok"

    void Label4_Click();

  protected:
    void Form_Load() override;
};

}  // namespace kv
