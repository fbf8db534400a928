#pragma once
// Keeps a window above all others without moving or resizing it.
#include "forms/form.h"

namespace kv::toolkit {

void set_on_top(forms::Form& window);

}  // namespace kv::toolkit
