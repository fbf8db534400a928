#pragma once
// A prompt asking whether to start the emulator for a game. The program has it, and the skin dresses
// it, but nothing opens it.
#include <array>

#include "toolkit/framed_form.h"

namespace kv {

class game_prompt : public toolkit::FramedForm {
  public:
    game_prompt();

    forms::Label& Label9;  // the question
    forms::Label& Label1;  // "Game:"
    forms::Label& Label2;  // "Game ID:"
    forms::Label& Label3;  // "Region:"
    forms::Label& Label5;
    forms::Label& Label6;
    forms::Label& Label7;
    std::array<forms::Label*, 2> down_section_label{};  // 0 "Cancel", 1 "Ok"
    forms::Image& Image1;                               // Cancel, in Picture1
    forms::Image& Image2;                               // Ok, in Picture2
    forms::Label& Label4;
    forms::Label& Label8;

    void Label4_Click();

  protected:
    void Form_Load() override;

  private:
    // A button box with its picture and caption; its click label comes later, above them.
    forms::Image& button(const char* box_name, float left, int i);
};

}  // namespace kv
