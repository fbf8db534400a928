#pragma once
// Text boxes whose text must keep out some characters, such as the separators of a stored record or
// the line breaks that would end a line of a file.
#include <functional>
#include <string_view>

#include "forms/controls.h"

namespace kv::toolkit {

// The box takes none of `refused`: a typed one is dropped, a pasted one is removed again. `on_text`
// runs after every change that leaves the text free of them. `refused` must outlive the box.
void keep_out_characters(forms::TextBox& box, std::string_view refused, std::function<void()> on_text = {});

}  // namespace kv::toolkit
