#pragma once
// Lines 6 to 25 of a skin's settings: the colours of the windows' titles, texts, fields, frames and
// lines, and the number the skin browser keeps from line 13.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "forms/control.h"
#include "model/skin_settings.h"

namespace kv::skins {

// ForeColor; BackColor (FillColor of a shape); BorderColor (of a shape or a line, BackColor of a box).
enum class Paint { fore, back, border };

struct ColorTarget {
    int line;
    Paint paint;
    std::string_view window;
    std::string_view control;
    int index;  // single_control, an element, or all_elements
};

// Every colour target in the order they are set.
const std::vector<ColorTarget>& skin_color_targets();

// A colour as the controls take it: decimal or &H, red + 256 * green + 65536 * blue. Anything outside
// black to white fails.
forms::Color color_value(std::string_view value);

// Reads lines 1 to 25 and applies them; line 13 goes into list_selected. Fails at the first line that
// cannot be read or applied, keeping what was set before it.
void apply_skin_colors(model::SkinSettingsReader& reader, int32_t& list_selected);

}  // namespace kv::skins
