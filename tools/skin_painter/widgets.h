#pragma once
// The recurring parts of the skin: button faces, fields, arrows and the window frame.
#include <functional>

#include "canvas.h"

namespace kv::painter {

// Twips to pixels at 15 twips a pixel, to the nearest pixel.
constexpr int px(int twips) {
    return (twips + 7) / 15;
}

// A raised button face, or the same button held down: darker, lit from below, edge in shadow.
void button_face(Canvas& canvas, Rect r, int radius, bool pressed);
// The steel-blue face of something selected or switched on.
void accent_face(Canvas& canvas, Rect r, int radius, bool pressed);
// A recessed dark field with a border: list backgrounds, text fields, displays.
void sunken_field(Canvas& canvas, Rect r);

enum class Direction { up, down, left, right };
// A solid triangle centred on (cx, cy), `size` pixels across its base.
void arrow(Canvas& canvas, double cx, double cy, double size, Direction direction, Rgb colour);

// A straight line `width` pixels thick, ends in pixel units like Canvas::fill_circle.
void stroke(Canvas& canvas, double x0, double y0, double x1, double y1, double width, Rgb colour);

// Pictures made of equal states: the first state on top (or on the left), the next below it (or to
// its right). `paint` draws state `index` on a canvas of one state's size; `cell` covers all of it.
using StatePainter = std::function<void(Canvas& canvas, Rect cell, int index)>;
Canvas states_stacked(int width, int state_height, int states, Rgb fill, const StatePainter& paint);
Canvas states_side_by_side(int state_width, int height, int states, Rgb fill, const StatePainter& paint);

// The whole window frame, drawn once for a window of the given size; the frame pieces are cut from it
// so that their lines meet. The inside (the background piece's place) is left in the window colour.
Canvas window_frame(int width, int height);
constexpr int kTitleHeight = 25;  // 375 twips
constexpr int kBorder = 9;        // 135 twips
constexpr int kCornerRadius = 6;  // half the outline's corner size in the settings file

Canvas crop(const Canvas& source, Rect r);
// Box-filtered reduction by an integer factor, for the preview's miniatures.
Canvas shrink(const Canvas& source, int factor);

}  // namespace kv::painter
