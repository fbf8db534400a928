#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace kv::painter {

namespace {

uint8_t channel(double a, double b, double t) {
    return static_cast<uint8_t>(std::clamp(std::lround(a + (b - a) * t), 0L, 255L));
}

// Four by four samples per pixel: enough for smooth edges on pieces this small, and exact
// (always the same result) because the sample points are fixed.
constexpr int kSamples = 4;

template <class Inside, class Colour>
void cover(Canvas& canvas, Rect box, Inside inside, Colour colour_at) {
    for (int y = std::max(box.y, 0); y < std::min(box.y + box.h, canvas.height()); ++y) {
        for (int x = std::max(box.x, 0); x < std::min(box.x + box.w, canvas.width()); ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    double px = x + (sx + 0.5) / kSamples;
                    double py = y + (sy + 0.5) / kSamples;
                    if (inside(px, py)) ++hits;
                }
            }
            if (hits > 0) canvas.blend(x, y, colour_at(y), static_cast<double>(hits) / (kSamples * kSamples));
        }
    }
}

bool in_round_rect(Rect r, double radius, double px, double py) {
    if (px < r.x || px > r.x + r.w || py < r.y || py > r.y + r.h) return false;
    double cx = std::clamp(px, r.x + radius, r.x + r.w - radius);
    double cy = std::clamp(py, r.y + radius, r.y + r.h - radius);
    double dx = px - cx;
    double dy = py - cy;
    return dx * dx + dy * dy <= radius * radius;
}

}  // namespace

Rgb mix(Rgb a, Rgb b, double t) {
    return Rgb{channel(a.r, b.r, t), channel(a.g, b.g, t), channel(a.b, b.b, t)};
}

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width),
      height_(height),
      pixels_(static_cast<size_t>(width) * static_cast<size_t>(height), fill) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("a picture needs a positive size");
}

Rgb Canvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) throw std::out_of_range("pixel outside the picture");
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void Canvas::set(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = colour;
}

void Canvas::blend(int x, int y, Rgb colour, double coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    if (coverage >= 1.0) {
        set(x, y, colour);
        return;
    }
    set(x, y, mix(pixel(x, y), colour, coverage));
}

void Canvas::fill(Rect r, Rgb colour) {
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x) set(x, y, colour);
}

void Canvas::gradient_v(Rect r, Rgb top, Rgb bottom) {
    for (int y = r.y; y < r.y + r.h; ++y) {
        double t = r.h > 1 ? static_cast<double>(y - r.y) / (r.h - 1) : 0.0;
        hline(r.x, y, r.w, mix(top, bottom, t));
    }
}

void Canvas::gradient_h(Rect r, Rgb left, Rgb right) {
    for (int x = r.x; x < r.x + r.w; ++x) {
        double t = r.w > 1 ? static_cast<double>(x - r.x) / (r.w - 1) : 0.0;
        vline(x, r.y, r.h, mix(left, right, t));
    }
}

void Canvas::frame(Rect r, Rgb colour) {
    hline(r.x, r.y, r.w, colour);
    hline(r.x, r.y + r.h - 1, r.w, colour);
    vline(r.x, r.y, r.h, colour);
    vline(r.x + r.w - 1, r.y, r.h, colour);
}

void Canvas::hline(int x, int y, int length, Rgb colour) {
    for (int i = 0; i < length; ++i) set(x + i, y, colour);
}

void Canvas::vline(int x, int y, int length, Rgb colour) {
    for (int i = 0; i < length; ++i) set(x, y + i, colour);
}

void Canvas::fill_round(Rect r, int radius, Rgb colour) {
    gradient_round(r, radius, colour, colour);
}

void Canvas::gradient_round(Rect r, int radius, Rgb top, Rgb bottom) {
    cover(
        *this, r, [&](double px, double py) { return in_round_rect(r, radius, px, py); },
        [&](int y) {
            double t = r.h > 1 ? static_cast<double>(y - r.y) / (r.h - 1) : 0.0;
            return mix(top, bottom, t);
        });
}

void Canvas::frame_round(Rect r, int radius, Rgb colour) {
    Rect inner{r.x + 1, r.y + 1, r.w - 2, r.h - 2};
    double inner_radius = std::max(radius - 1, 0);
    cover(
        *this, r,
        [&](double px, double py) {
            return in_round_rect(r, radius, px, py) && !in_round_rect(inner, inner_radius, px, py);
        },
        [&](int) { return colour; });
}

void Canvas::fill_circle(double cx, double cy, double radius, Rgb colour) {
    Rect box{static_cast<int>(std::floor(cx - radius)), static_cast<int>(std::floor(cy - radius)),
             static_cast<int>(std::ceil(2 * radius)) + 2, static_cast<int>(std::ceil(2 * radius)) + 2};
    cover(
        *this, box,
        [&](double px, double py) {
            return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= radius * radius;
        },
        [&](int) { return colour; });
}

void Canvas::ring(double cx, double cy, double radius, double thickness, Rgb colour) {
    Rect box{static_cast<int>(std::floor(cx - radius)), static_cast<int>(std::floor(cy - radius)),
             static_cast<int>(std::ceil(2 * radius)) + 2, static_cast<int>(std::ceil(2 * radius)) + 2};
    double inner = radius - thickness;
    cover(
        *this, box,
        [&](double px, double py) {
            double d = (px - cx) * (px - cx) + (py - cy) * (py - cy);
            return d <= radius * radius && d > inner * inner;
        },
        [&](int) { return colour; });
}

void Canvas::fill_convex(const std::vector<Point>& vertices, Rgb colour) {
    if (vertices.size() < 3) return;
    auto edge = [](Point a, Point b, double px, double py) {
        return (b.x - a.x) * (py - a.y) - (b.y - a.y) * (px - a.x);
    };
    double winding = 0;
    for (size_t i = 0; i < vertices.size(); ++i) {
        const Point& a = vertices[i];
        const Point& b = vertices[(i + 1) % vertices.size()];
        winding += a.x * b.y - b.x * a.y;
    }
    if (winding == 0) return;
    double left = vertices[0].x, right = vertices[0].x, top = vertices[0].y, bottom = vertices[0].y;
    for (const Point& p : vertices) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    Rect box{static_cast<int>(std::floor(left)), static_cast<int>(std::floor(top)),
             static_cast<int>(std::ceil(right) - std::floor(left)) + 1,
             static_cast<int>(std::ceil(bottom) - std::floor(top)) + 1};
    cover(
        *this, box,
        [&](double px, double py) {
            // On the inner side of every edge, whichever way the polygon winds.
            for (size_t i = 0; i < vertices.size(); ++i)
                if (edge(vertices[i], vertices[(i + 1) % vertices.size()], px, py) * winding < 0)
                    return false;
            return true;
        },
        [&](int) { return colour; });
}

void Canvas::paste(const Canvas& source, int x, int y) {
    for (int sy = 0; sy < source.height(); ++sy)
        for (int sx = 0; sx < source.width(); ++sx) set(x + sx, y + sy, source.pixel(sx, sy));
}

}  // namespace kv::painter
