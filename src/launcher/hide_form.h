#pragma once
// The strip along the left screen edge that brings the hidden main window back. It has no frame,
// always stands at the screen's top-left corner and keeps itself above other windows while shown.
#include <array>
#include <cstdint>

#include "forms/form.h"

namespace kv {

class hide_form : public forms::Form {
  public:
    hide_form();

    forms::Image& hideline;  // the skin's strip picture, stretched over the screen height
    forms::Timer& Timer1;    // slide back, 10 ms
    forms::Timer& Timer2;    // keep on top, 10 ms, running from load

    // The main window's Left and Top when it was hidden, in twips. Wider than 16 bits, so that a
    // window on a screen right of the first comes back to its place.
    std::array<int32_t, 2> saved_position{};

    void get_coordinates(int32_t cor0, int32_t cor1);
    // Width from the strip picture's natural width, height the screen's.
    void size_all();

    // A press anywhere on the strip, with any button.
    void strip_MouseDown();
    void Timer1_Timer();
    void Timer2_Timer();

  protected:
    void Form_Load() override;
};

}  // namespace kv
