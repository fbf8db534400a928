#pragma once
// Text boxes whose text must keep out some characters: the "|" that separates the fields of a
// catalogue record, or the folder separators a file name cannot hold.
#include <functional>
#include <string_view>

#include "platform/forms/controls.h"

namespace kv {

// The box takes none of `refused`: a typed one is dropped, a pasted one is removed again. `on_text`
// runs after every change that leaves the text free of them. `refused` must outlive the box.
void keep_out_characters(forms::TextBox& box, std::string_view refused, std::function<void()> on_text = {});

// The box takes no "|".
void keep_out_field_separator(forms::TextBox& box, std::function<void()> on_text = {});

}  // namespace kv
