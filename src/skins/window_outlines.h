#pragma once
// Lines 26 to 40 of a skin's settings: the main window's three title-bar buttons, the rounded
// outlines of the skinned windows with the message box's trim_factor, and the title alignment.
#include <string>
#include <string_view>

#include "forms/form.h"
#include "model/skin_settings.h"

namespace kv::skins {

// A divisor of 1 means the window's height in pixels (15 twips each), one of 0 only the top corners
// rounded; the text otherwise stays as the skin wrote it.
std::string remap_divisor(std::string divisor);

// The outline of a window of the given size in twips, from the corner text and the remapped divisor
// text. Fails when a number does not convert or when the outline would hide the window: an edge
// below one pixel or a negative corner.
forms::Region window_outline(float width, float height, std::string_view corner, std::string_view divisor);

// Reads lines 26 to 40 and applies them. Fails at the first line or window that cannot be applied,
// keeping what was set before it.
void apply_skin_shapes(model::SkinSettingsReader& reader);

}  // namespace kv::skins
