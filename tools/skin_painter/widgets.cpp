#include "widgets.h"

#include <algorithm>
#include <cmath>

#include "palette.h"

namespace kv::painter {

namespace m = midnight;

void button_face(Canvas& canvas, Rect r, int radius, bool pressed) {
    Rect inner{r.x + 1, r.y + 1, r.w - 2, r.h - 2};
    if (!pressed) {
        canvas.gradient_round(inner, radius - 1, m::kButtonTop, m::kButtonBottom);
        canvas.hline(inner.x + radius - 1, inner.y, inner.w - 2 * (radius - 1), m::kButtonHighlight);
        canvas.frame_round(r, radius, m::kButtonBorder);
        return;
    }
    canvas.gradient_round(inner, radius - 1, m::kPressedTop, m::kPressedBottom);
    // Light falls on the lower edge of a hollow, the upper edge lies in shadow.
    canvas.hline(inner.x + radius - 1, inner.y, inner.w - 2 * (radius - 1), m::kPressedShadow);
    canvas.hline(inner.x + radius - 1, inner.y + inner.h - 1, inner.w - 2 * (radius - 1),
                 mix(m::kPressedBottom, m::kButtonBorder, 0.5));
    canvas.frame_round(r, radius, m::kPressedBorder);
}

void accent_face(Canvas& canvas, Rect r, int radius, bool pressed) {
    Rect inner{r.x + 1, r.y + 1, r.w - 2, r.h - 2};
    Rgb top = pressed ? m::kAccentDark : m::kAccentLight;
    Rgb bottom = pressed ? m::kAccent : m::kAccentDark;
    canvas.gradient_round(inner, std::max(radius - 1, 0), mix(top, m::kAccent, 0.35), bottom);
    canvas.hline(inner.x + std::max(radius - 1, 0), inner.y, inner.w - 2 * std::max(radius - 1, 0),
                 pressed ? m::kAccentDeep : mix(m::kAccentLight, m::kText, 0.35));
    canvas.frame_round(r, radius, m::kAccentDeep);
}

void sunken_field(Canvas& canvas, Rect r) {
    canvas.fill(r, m::kPanel);
    canvas.hline(r.x + 1, r.y + 1, r.w - 2, m::kPressedShadow);
    canvas.frame(r, m::kPanelBorder);
}

void arrow(Canvas& canvas, double cx, double cy, double size, Direction direction, Rgb colour) {
    const double half = size / 2;
    const double depth = size / 2;  // a right-angled tip: crisp at small sizes
    switch (direction) {
        case Direction::up:
            canvas.fill_triangle(cx - half, cy + depth / 2, cx + half, cy + depth / 2, cx, cy - depth / 2,
                                 colour);
            break;
        case Direction::down:
            canvas.fill_triangle(cx - half, cy - depth / 2, cx + half, cy - depth / 2, cx, cy + depth / 2,
                                 colour);
            break;
        case Direction::left:
            canvas.fill_triangle(cx + depth / 2, cy - half, cx + depth / 2, cy + half, cx - depth / 2, cy,
                                 colour);
            break;
        case Direction::right:
            canvas.fill_triangle(cx - depth / 2, cy - half, cx - depth / 2, cy + half, cx + depth / 2, cy,
                                 colour);
            break;
    }
}

Canvas states_stacked(int width, int state_height, int states, Rgb fill, const StatePainter& paint) {
    Canvas canvas(width, state_height * states, fill);
    for (int i = 0; i < states; ++i) {
        // Each state is drawn on its own so that nothing spills into its neighbour.
        Canvas cell(width, state_height, fill);
        paint(cell, Rect{0, 0, width, state_height}, i);
        canvas.paste(cell, 0, i * state_height);
    }
    return canvas;
}

Canvas states_side_by_side(int state_width, int height, int states, Rgb fill, const StatePainter& paint) {
    Canvas canvas(state_width * states, height, fill);
    for (int i = 0; i < states; ++i) {
        Canvas cell(state_width, height, fill);
        paint(cell, Rect{0, 0, state_width, height}, i);
        canvas.paste(cell, i * state_width, 0);
    }
    return canvas;
}

void stroke(Canvas& canvas, double x0, double y0, double x1, double y1, double width, Rgb colour) {
    double dx = x1 - x0;
    double dy = y1 - y0;
    double length = std::hypot(dx, dy);
    if (length == 0) return;
    // Perpendicular offset of half the width, and round-ish ends from a small overhang.
    double nx = -dy / length * width / 2;
    double ny = dx / length * width / 2;
    double ex = dx / length * width / 4;
    double ey = dy / length * width / 4;
    double ax = x0 - ex, ay = y0 - ey, bx = x1 + ex, by = y1 + ey;
    canvas.fill_convex({{ax + nx, ay + ny}, {bx + nx, by + ny}, {bx - nx, by - ny}, {ax - nx, ay - ny}},
                       colour);
}

namespace {

// Colour of the frame at a point, from its depth below the rounded outer edge and its distance from
// the window's inside (both in pixels). The bands: outline, highlight, body, a light line and a
// shadow line where the frame meets the inside.
Rgb frame_colour(double depth, int from_inside, double y) {
    if (depth < 1) return m::kOutline;
    if (depth < 2)
        return y < kTitleHeight ? m::kFrameHighlight : mix(m::kFrameHighlight, m::kBorderOuter, 0.55);
    if (from_inside == 1) return m::kFrameShadow;
    if (from_inside == 2) return mix(m::kBorderOuter, m::kAccent, 0.25);
    if (y < kTitleHeight) {
        double t = std::clamp((y - 2) / (kTitleHeight - 5), 0.0, 1.0);
        return mix(m::kTitleTop, m::kTitleBottom, t);
    }
    return mix(m::kBorderOuter, m::kTitleBottom, 0.5);
}

}  // namespace

Canvas window_frame(int width, int height) {
    Canvas canvas(width, height, m::kBackground);
    const double radius = kCornerRadius;
    auto depth_at = [&](double x, double y) {
        double cx = std::clamp(x, radius, width - radius);
        double cy = std::clamp(y, radius, height - radius);
        if (cx != x && cy != y) return radius - std::hypot(x - cx, y - cy);  // in a rounded corner
        return std::min({x, y, width - x, height - y});
    };
    auto from_inside = [&](int x, int y) {
        int dx = x < kBorder ? kBorder - x : (x >= width - kBorder ? x - (width - kBorder) + 1 : 0);
        int dy =
            y < kTitleHeight ? kTitleHeight - y : (y >= height - kBorder ? y - (height - kBorder) + 1 : 0);
        return std::max(dx, dy);
    };
    constexpr int kSamples = 4;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int inside = from_inside(x, y);
            if (inside == 0) continue;
            double r = 0, g = 0, b = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    double px = x + (sx + 0.5) / kSamples;
                    double py = y + (sy + 0.5) / kSamples;
                    Rgb c = frame_colour(depth_at(px, py), inside, py);
                    r += c.r;
                    g += c.g;
                    b += c.b;
                }
            }
            constexpr double n = kSamples * kSamples;
            canvas.set(x, y,
                       Rgb{static_cast<uint8_t>(std::lround(r / n)), static_cast<uint8_t>(std::lround(g / n)),
                           static_cast<uint8_t>(std::lround(b / n))});
        }
    }
    return canvas;
}

Canvas crop(const Canvas& source, Rect r) {
    Canvas out(r.w, r.h);
    for (int y = 0; y < r.h; ++y)
        for (int x = 0; x < r.w; ++x) out.set(x, y, source.pixel(r.x + x, r.y + y));
    return out;
}

Canvas shrink(const Canvas& source, int factor) {
    Canvas out(source.width() / factor, source.height() / factor);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            int r = 0, g = 0, b = 0;
            for (int sy = 0; sy < factor; ++sy) {
                for (int sx = 0; sx < factor; ++sx) {
                    Rgb c = source.pixel(x * factor + sx, y * factor + sy);
                    r += c.r;
                    g += c.g;
                    b += c.b;
                }
            }
            const int n = factor * factor;
            out.set(x, y,
                    Rgb{static_cast<uint8_t>((r + n / 2) / n), static_cast<uint8_t>((g + n / 2) / n),
                        static_cast<uint8_t>((b + n / 2) / n)});
        }
    }
    return out;
}

}  // namespace kv::painter
