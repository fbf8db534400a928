#pragma once
// A small pixel font of our own, so the skin's lettering looks the same on every machine.
// Capitals and digits are 7 pixels high; lower-case descenders reach 2 pixels below that.
#include <string_view>

#include "canvas.h"

namespace kv::painter {

constexpr int kFontCapHeight = 7;

// Width in pixels of `text` drawn at `scale`, without trailing spacing. Throws std::invalid_argument
// for a character the font does not have.
int text_width(std::string_view text, int scale = 1);

// Draws `text` with the top of its capitals at y.
void draw_text(Canvas& canvas, int x, int y, std::string_view text, Rgb colour, int scale = 1);

}  // namespace kv::painter
