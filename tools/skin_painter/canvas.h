#pragma once
// A 24-bit picture in memory and the few drawing operations the skin's pieces are made of.
// Coordinates are pixels, (0, 0) top left; everything clips to the picture.
#include <cstdint>
#include <vector>

namespace kv::painter {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// 0xRRGGBB, the way colours are written in a design note.
constexpr Rgb hex(uint32_t value) {
    return Rgb{static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
               static_cast<uint8_t>(value)};
}

// t = 0 gives a, t = 1 gives b.
Rgb mix(Rgb a, Rgb b, double t);

struct Rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

struct Point {
    double x = 0;
    double y = 0;
};

class Canvas {
  public:
    Canvas(int width, int height, Rgb fill = {});

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb pixel(int x, int y) const;

    void set(int x, int y, Rgb colour);
    // Covers the pixel by `coverage` (0..1) of `colour`: the anti-aliased edge of a shape.
    void blend(int x, int y, Rgb colour, double coverage);

    void fill(Rect r, Rgb colour);
    // Top row `top`, bottom row `bottom`, linear in between.
    void gradient_v(Rect r, Rgb top, Rgb bottom);
    void gradient_h(Rect r, Rgb left, Rgb right);
    // A one-pixel outline just inside the rectangle.
    void frame(Rect r, Rgb colour);
    void hline(int x, int y, int length, Rgb colour);
    void vline(int x, int y, int length, Rgb colour);

    // Rounded rectangles with anti-aliased corners. The gradient variant runs top to bottom.
    void fill_round(Rect r, int radius, Rgb colour);
    void gradient_round(Rect r, int radius, Rgb top, Rgb bottom);
    // A one-pixel rounded outline, anti-aliased in the corners.
    void frame_round(Rect r, int radius, Rgb colour);

    // Circle of centre (cx, cy) in pixel units (0.5 is the middle of pixel 0).
    void fill_circle(double cx, double cy, double radius, Rgb colour);
    void ring(double cx, double cy, double radius, double thickness, Rgb colour);
    // Filled convex polygon, anti-aliased; vertices in pixel units like fill_circle, in either winding.
    void fill_convex(const std::vector<Point>& vertices, Rgb colour);
    void fill_triangle(double x0, double y0, double x1, double y1, double x2, double y2, Rgb colour) {
        fill_convex({{x0, y0}, {x1, y1}, {x2, y2}}, colour);
    }

    // Copies `source` with its top left corner at (x, y).
    void paste(const Canvas& source, int x, int y);

    friend bool operator==(const Canvas&, const Canvas&) = default;

  private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

}  // namespace kv::painter
