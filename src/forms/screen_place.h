#pragma once
// Where a window may stand on the desktop. A frameless window is moved only by the band along its
// top, so a window whose band no screen shows can never be brought back by the person using it.
#include "forms/backend.h"

namespace kv::forms {

class Form;

// The screen that shows the largest part of a rectangle (twips); the primary screen when none
// shows a whole pixel of it.
ScreenArea screen_showing(float left, float top, float width, float height);

// Moves the window the least so that the band of band_height twips along its top (its whole width)
// lies on the screen that shows most of that band. A window whose band no screen shows by a pixel is
// centred on the primary screen. Where the window is wider than its screen, its left end shows.
void keep_on_a_screen(Form& form, float band_height);

}  // namespace kv::forms
