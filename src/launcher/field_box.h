#pragma once
// Text boxes whose text becomes a field of a catalogue record, where "|" separates the fields.
#include <functional>

#include "platform/forms/controls.h"

namespace kv {

// The box takes no "|": a typed one is dropped, a pasted one is removed again. `on_text` runs after
// every change that leaves the text free of it.
void keep_out_field_separator(forms::TextBox& box, std::function<void()> on_text = {});

}  // namespace kv
