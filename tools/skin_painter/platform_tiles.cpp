// The platform strip: one tile per section, PSX at the top, Misc at the bottom. The main window
// shows tile k by moving the strip up by k tenths of its height.
#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "font.h"
#include "palette.h"
#include "skin_pictures.h"
#include "widgets.h"

namespace kv::painter {

namespace m = midnight;

namespace {

struct Section {
    std::string_view title;
    Rgb glow;  // each section has its own shade of the night sky
};

constexpr std::array<Section, 10> kSections = {{
    {"PSX", hex(0x4f7fb8)},
    {"PS2", hex(0x3f6cc4)},
    {"NDS", hex(0x5a90cf)},
    {"GB/GBA", hex(0x6878cc)},
    {"N64", hex(0x3f93b3)},
    {"DC", hex(0x5b86dd)},
    {"GC", hex(0x7467c4)},
    {"Saturn", hex(0x4a68a8)},
    {"S/NES", hex(0x6a86c2)},
    {"Misc", hex(0x5a7f9f)},
}};

// A fixed sequence, so that every build draws the same stars.
class Stars {
  public:
    explicit Stars(uint32_t seed) : state_(seed * 2654435761u + 1) {}
    uint32_t next(uint32_t below) {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) % below;
    }

  private:
    uint32_t state_;
};

void paint_tile(Canvas& c, Rect r, const Section& section, uint32_t index) {
    // Night sky, lighter where the glow of the section's colour rises behind the title.
    for (int y = 0; y < r.h; ++y) {
        for (int x = 0; x < r.w; ++x) {
            double t = static_cast<double>(y) / (r.h - 1);
            Rgb sky = mix(hex(0x0c1830), hex(0x060b16), t);
            double dx = (x - r.w * 0.5) / (r.w * 0.55);
            double dy = (y - r.h * 0.42) / (r.h * 0.45);
            double glow = std::max(0.0, 1.0 - (dx * dx + dy * dy));
            c.set(r.x + x, r.y + y, mix(sky, section.glow, 0.45 * glow * glow));
        }
    }

    Stars stars(index + 1);
    for (int i = 0; i < 26; ++i) {
        int x = static_cast<int>(stars.next(static_cast<uint32_t>(r.w)));
        int y = static_cast<int>(stars.next(static_cast<uint32_t>(r.h * 2 / 3)));
        double brightness = 0.25 + static_cast<double>(stars.next(60)) / 100.0;
        c.blend(r.x + x, r.y + y, hex(0xdce8ff), brightness);
    }

    // Low hills along the bottom, in front of the sky.
    for (int x = 0; x < r.w; ++x) {
        double phase = static_cast<double>(index) * 1.7;
        double height = 10 + 4 * std::sin(x * 0.06 + phase) + 3 * std::sin(x * 0.13 + phase * 2.3);
        int top = r.h - static_cast<int>(std::lround(height));
        c.vline(r.x + x, r.y + top, r.h - top, hex(0x070d19));
        c.set(r.x + x, r.y + top, mix(hex(0x070d19), section.glow, 0.35));
    }

    // The section's name, three times the font's size, centred a little above the middle.
    constexpr int kScale = 3;
    const int width = text_width(section.title, kScale);
    const int x = r.x + (r.w - width) / 2;
    const int y = r.y + 34;
    draw_text(c, x + 1, y + 2, section.title, m::kOutline, kScale);
    draw_text(c, x, y, section.title, m::kText, kScale);

    const int rule_width = std::max(width / 2, 24);
    const int rule_x = r.x + (r.w - rule_width) / 2;
    c.hline(rule_x, y + kFontCapHeight * kScale + 6, rule_width, mix(section.glow, m::kText, 0.35));
    c.hline(rule_x + 1, y + kFontCapHeight * kScale + 7, rule_width - 2, mix(section.glow, m::kOutline, 0.4));
}

}  // namespace

Canvas paint_platform_tiles() {
    constexpr int kTileWidth = px(1845);
    constexpr int kTileHeight = px(1665);
    return states_stacked(kTileWidth, kTileHeight, static_cast<int>(kSections.size()), m::kPanel,
                          [](Canvas& c, Rect r, int k) {
                              paint_tile(c, r, kSections[static_cast<size_t>(k)], static_cast<uint32_t>(k));
                          });
}

}  // namespace kv::painter
