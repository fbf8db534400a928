#pragma once
// A two-state mark (a check box, an option box) is an image twice the height of the box that clips
// it: the upper half shows it off, the lower half on, so the state is where the image sits.
#include "forms/controls.h"

namespace kv::toolkit {

// The box's side; the image is twice as high.
inline constexpr float mark_size = 255;
// The image's Top when the mark is on; it sits at 0 when off.
inline constexpr float mark_on_top = -mark_size;

bool mark_on(const forms::Image& mark);
void set_mark(forms::Image& mark, bool on);

}  // namespace kv::toolkit
