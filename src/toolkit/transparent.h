#pragma once
// One uniform alpha for a whole window (a layered window), and taking it off again.
#include <cstdint>

#include "forms/form.h"

namespace kv::toolkit {

inline constexpr int32_t transparency_done = 0;
inline constexpr int32_t transparency_out_of_range = 1;
inline constexpr int32_t transparency_step_failed = 2;

// Alpha 0..255 makes the window layered with that alpha; anything else changes nothing (result 1).
int32_t set_transparency(forms::Form& window, int16_t alpha);
// Clears the layering, then sets alpha 0 on the no longer layered window (which leaves it opaque).
int32_t remove_transparency(forms::Form& window);

}  // namespace kv::toolkit
