#include "skin_pictures.h"

#include <stdexcept>
#include <string>

#include "palette.h"
#include "widgets.h"

namespace kv::painter {

namespace m = midnight;

namespace {

// ---- Window frame -------------------------------------------------------------------------------
// The pieces are cut from one drawn frame. Every piece but the options window's left title end is
// stretched; that one is shown at its own size, so it has the design size of 1800 by 375 twips.

constexpr int kFrameWidth = 160;
constexpr int kFrameHeight = 60;
constexpr int kMiddleAt = px(1800);  // where the title band's middle piece starts
constexpr int kStretchLength = 16;   // length of the pieces that only ever get stretched

Canvas frame_piece(Rect r) {
    return crop(window_frame(kFrameWidth, kFrameHeight), r);
}

Canvas framebar_left() {
    return frame_piece({0, 0, px(1800), px(375)});
}
Canvas framebar_middle() {
    return frame_piece({kMiddleAt, 0, kStretchLength, px(375)});
}
Canvas framebar_right() {
    return frame_piece({kFrameWidth - px(135), 0, px(135), px(375)});
}
Canvas left_side() {
    return frame_piece({0, px(375), px(135), kStretchLength});
}
Canvas right_side() {
    return frame_piece({kFrameWidth - px(135), px(375), px(135), kStretchLength});
}
Canvas down_left() {
    return frame_piece({0, kFrameHeight - px(135), px(135), px(135)});
}
Canvas down_middle() {
    return frame_piece({kMiddleAt, kFrameHeight - px(135), kStretchLength, px(135)});
}
Canvas down_right() {
    return frame_piece({kFrameWidth - px(135), kFrameHeight - px(135), px(135), px(135)});
}

Canvas background() {
    // Stretched over the whole inside of every window: only a gentle fall from top to bottom.
    Canvas c(64, 64);
    c.gradient_v({0, 0, 64, 64}, m::kBackgroundTop, m::kBackgroundBottom);
    return c;
}

// Colour of the title band at row y, for pictures that sit on it.
Rgb title_band(int y) {
    return window_frame(kFrameWidth, kFrameHeight).pixel(kMiddleAt, y);
}

// ---- Main window ----------------------------------------------------------------------------------

// The strip behind the section buttons; the buttons sit 7 pixels into it.
constexpr int kStripHeight = px(600);
Rgb strip_colour(int y) {
    return mix(m::kPanel, m::kBackground, static_cast<double>(y) / (kStripHeight - 1));
}

Canvas section_background() {
    Canvas c(px(8520), kStripHeight);
    for (int y = 0; y < c.height(); ++y) c.hline(0, y, c.width(), strip_colour(y));
    c.hline(0, 0, c.width(), m::kFrameShadow);
    c.hline(0, c.height() - 1, c.width(), m::kPanelBorder);
    return c;
}

// Header bars above the main window's panels: a caption is drawn on them at 3, 2.
Canvas header(int width_twips) {
    Canvas c(px(width_twips), px(255));
    Rect r{0, 0, c.width(), c.height()};
    c.gradient_v(r, m::kHeaderTop, m::kHeaderBottom);
    c.hline(1, 1, r.w - 2, mix(m::kHeaderTop, m::kFrameHighlight, 0.5));
    c.frame(r, m::kPanelBorder);
    c.hline(0, r.h - 1, r.w, m::kAccent);
    return c;
}

Canvas platform_preview() {
    return header(1935);
}
Canvas about_emulator() {
    return header(4680);
}

Canvas panel(int width_twips, int height_twips) {
    Canvas c(px(width_twips), px(height_twips));
    sunken_field(c, {0, 0, c.width(), c.height()});
    return c;
}

Canvas about_image() {
    return panel(4680, 975);
}
Canvas switches_image() {
    return panel(4680, 480);
}

Canvas platform_image() {
    // Only a thin ring shows around the clipping box that holds the tiles.
    Canvas c = panel(1935, 1720);
    c.frame({1, 1, c.width() - 2, c.height() - 2}, m::kOutline);
    return c;
}

// ---- Seven-row list --------------------------------------------------------------------------------

constexpr int kRowPitch = px(240);
constexpr int kFirstRow = px(30);
constexpr int kScrollWidth = px(255);

Canvas list_image() {
    Canvas c(px(1935), px(1755));
    sunken_field(c, {0, 0, c.width(), c.height()});
    // Faint bands on every other row help the eye along a row.
    for (int row = 1; row < 7; row += 2)
        c.fill({1, kFirstRow + row * kRowPitch, c.width() - 2, kRowPitch}, m::kPanelStripe);
    return c;
}

void draw_shaft(Canvas& c, Rect r) {
    c.fill(r, m::kPanel);
    c.vline(r.x, r.y, r.h, m::kPanelBorder);
    Rect groove{r.x + r.w / 2 - 2, r.y + 2, 5, r.h - 4};
    c.fill_round(groove, 2, m::kFrameShadow);
    c.frame_round(groove, 2, mix(m::kPanel, m::kPanelBorder, 0.6));
}

Canvas shaft_image() {
    Canvas c(kScrollWidth, px(1755));
    draw_shaft(c, {0, 0, c.width(), c.height()});
    return c;
}

Canvas list_selector_image() {
    Canvas c(px(1665), px(255), m::kPanel);
    accent_face(c, {0, 0, c.width(), c.height()}, 3, false);
    return c;
}

Canvas list_arrow(Direction direction) {
    return states_side_by_side(kScrollWidth, px(255), 2, m::kPanel, [=](Canvas& c, Rect r, int state) {
        const bool pressed = state == 1;
        button_face(c, r, 3, pressed);
        const double shift = pressed ? 1 : 0;  // the glyph moves with the press
        arrow(c, r.w / 2.0 + shift, r.h / 2.0 + shift, 7, direction, pressed ? m::kGlyphPressed : m::kGlyph);
    });
}

Canvas up_arrow() {
    return list_arrow(Direction::up);
}
Canvas down_arrow() {
    return list_arrow(Direction::down);
}

Canvas scroll_image() {
    return states_side_by_side(kScrollWidth, px(735), 2, m::kPanel, [](Canvas& c, Rect r, int state) {
        const bool pressed = state == 1;
        draw_shaft(c, r);  // the thumb covers the shaft; its corners show the shaft again
        accent_face(c, {r.x + 2, r.y + 1, r.w - 4, r.h - 2}, 4, pressed);
        const int grip_y = r.h / 2 - 3 + (pressed ? 1 : 0);
        for (int i = 0; i < 3; ++i) {
            c.hline(r.w / 2 - 3, grip_y + i * 3, 7, m::kAccentDeep);
            c.hline(r.w / 2 - 3, grip_y + i * 3 + 1, 7, mix(m::kAccentLight, m::kText, 0.3));
        }
    });
}

// ---- Title-bar buttons -----------------------------------------------------------------------------

using GlyphPainter = void (*)(Canvas&, double shift, Rgb colour);

// The buttons sit 4 pixels down the title band (Top 60 twips); their corners show the band.
Canvas title_button(GlyphPainter glyph, Rgb pressed_face) {
    constexpr int kTop = px(60);
    return states_stacked(px(255), px(255), 2, m::kTitleTop, [=](Canvas& c, Rect r, int state) {
        for (int y = 0; y < r.h; ++y) c.hline(0, y, r.w, title_band(kTop + y));
        const bool pressed = state == 1;
        Rect face{1, 1, r.w - 2, r.h - 2};
        if (pressed) {
            c.gradient_round(face, 3, mix(pressed_face, m::kPressedShadow, 0.4), pressed_face);
            c.frame_round(face, 3, mix(pressed_face, m::kOutline, 0.5));
        } else {
            c.gradient_round(face, 3, mix(m::kButtonTop, m::kTitleTop, 0.3), m::kButtonBottom);
            c.hline(face.x + 2, face.y + 1, face.w - 4, mix(m::kButtonHighlight, m::kButtonTop, 0.4));
            c.frame_round(face, 3, m::kButtonBorder);
        }
        glyph(c, pressed ? 1 : 0, pressed ? m::kText : m::kGlyph);
    });
}

void close_glyph(Canvas& c, double s, Rgb colour) {
    stroke(c, 5.5 + s, 5.5 + s, 11.5 + s, 11.5 + s, 1.6, colour);
    stroke(c, 11.5 + s, 5.5 + s, 5.5 + s, 11.5 + s, 1.6, colour);
}

void minimise_glyph(Canvas& c, double s, Rgb colour) {
    c.fill({5 + static_cast<int>(s), 10 + static_cast<int>(s), 7, 2}, colour);
}

void hide_glyph(Canvas& c, double s, Rgb colour) {
    // Two chevrons pointing at the screen edge the window slides to.
    for (double x : {6.0, 10.0}) {
        stroke(c, x + 2.5 + s, 5.5 + s, x + s, 8.5 + s, 1.4, colour);
        stroke(c, x + s, 8.5 + s, x + 2.5 + s, 11.5 + s, 1.4, colour);
    }
}

Canvas close_button() {
    return title_button(close_glyph, m::kClose);
}
Canvas minimise_button() {
    return title_button(minimise_glyph, m::kAccentDark);
}
Canvas hide_button() {
    return title_button(hide_glyph, m::kAccentDark);
}

// ---- Push buttons ----------------------------------------------------------------------------------

Canvas push_button(int width_twips, int height_twips, int radius, Rgb surround) {
    return states_stacked(px(width_twips), px(height_twips), 2, surround,
                          [=](Canvas& c, Rect r, int state) { button_face(c, r, radius, state == 1); });
}

// Section buttons stand edge to edge in their strip: a one-pixel margin keeps them apart.
Canvas section_button() {
    constexpr int kTopInStrip = px(480 - 375);
    return states_stacked(px(855), px(375), 2, m::kBackground, [](Canvas& c, Rect r, int state) {
        for (int y = 0; y < r.h; ++y) c.hline(0, y, r.w, strip_colour(kTopInStrip + y));
        button_face(c, {1, 1, r.w - 2, r.h - 2}, 4, state == 1);
    });
}

Canvas down_buttons() {
    return states_stacked(px(855), px(375), 2, m::kBackgroundBottom, [](Canvas& c, Rect r, int state) {
        button_face(c, {1, 1, r.w - 2, r.h - 2}, 4, state == 1);
    });
}

Canvas button() {
    return push_button(855, 375, 4, m::kBackground);
}
Canvas browse_button() {
    return push_button(375, 255, 3, m::kBackground);
}

Canvas combo() {
    Canvas c(px(2520), px(255));
    sunken_field(c, {0, 0, c.width(), c.height()});
    return c;
}

Canvas combo_button() {
    return states_stacked(px(255), px(255), 2, m::kBackground, [](Canvas& c, Rect r, int state) {
        const bool pressed = state == 1;
        button_face(c, r, 2, pressed);
        const double shift = pressed ? 1 : 0;
        arrow(c, r.w / 2.0 + shift, r.h / 2.0 + shift, 7, Direction::down,
              pressed ? m::kGlyphPressed : m::kGlyph);
    });
}

// The switches editor's arrows: two states of 375 by 120 twips each, so that a state fits the window's
// cells of 128 and 127 twips and the pressed one never shows under the other arrow.
Canvas switch_arrow(Direction direction) {
    return states_stacked(px(375), px(120), 2, m::kBackground, [=](Canvas& c, Rect r, int state) {
        const bool pressed = state == 1;
        button_face(c, r, 2, pressed);
        const double shift = pressed ? 1 : 0;
        arrow(c, r.w / 2.0, r.h / 2.0 + shift, 5, direction, pressed ? m::kGlyphPressed : m::kGlyph);
    });
}

Canvas up_button() {
    return switch_arrow(Direction::up);
}
Canvas down_button() {
    return switch_arrow(Direction::down);
}

Canvas switch_display() {
    Canvas c(px(495), px(255));
    sunken_field(c, {0, 0, c.width(), c.height()});
    c.hline(1, c.height() - 2, c.width() - 2, m::kAccentDeep);
    return c;
}

// Bold and italic boxes of the font browser: off, off held, on, on held.
Canvas mini_button() {
    return states_stacked(px(375), px(375), 4, m::kBackground, [](Canvas& c, Rect r, int state) {
        Rect face{1, 1, r.w - 2, r.h - 2};
        const bool pressed = state % 2 == 1;
        if (state < 2)
            button_face(c, face, 4, pressed);
        else
            accent_face(c, face, 4, pressed);
    });
}

Canvas slider_button() {
    return states_side_by_side(px(135), px(375), 2, m::kBackground, [](Canvas& c, Rect r, int state) {
        const bool pressed = state == 1;
        accent_face(c, {0, 1, r.w, r.h - 2}, 3, pressed);
        const int grip_y = r.h / 2 - 3 + (pressed ? 1 : 0);
        for (int i = 0; i < 3; ++i) {
            c.hline(2, grip_y + i * 3, r.w - 4, m::kAccentDeep);
            c.hline(2, grip_y + i * 3 + 1, r.w - 4, mix(m::kAccentLight, m::kText, 0.3));
        }
    });
}

// ---- Tabs, boxes, marks ----------------------------------------------------------------------------

Canvas tab_background() {
    // The About page (2775 by 3285 twips) and the configs page (4095 by 2010) share it: it is
    // big enough for both, so it looks the same stretched or clipped.
    Canvas c(px(4095), px(3285));
    c.gradient_v({0, 0, c.width(), c.height()}, m::kPage, mix(m::kPage, m::kBackgroundBottom, 0.6));
    return c;
}

Canvas tab() {
    // Upper state: the active tab, opening into the page below; lower: a tab behind it.
    return states_stacked(px(855), px(255), 2, m::kBackground, [](Canvas& c, Rect r, int state) {
        if (state == 0) {
            Rect face{1, 0, r.w - 2, r.h + 4};  // runs past the bottom so only the top is rounded
            c.gradient_round(face, 4, mix(m::kButtonTop, m::kPage, 0.2), m::kPage);
            c.frame_round(face, 4, m::kPanelBorder);
            c.hline(4, 1, r.w - 8, m::kAccentLight);
            c.hline(3, 2, r.w - 6, m::kAccent);
        } else {
            Rect face{2, 2, r.w - 4, r.h + 4};
            c.gradient_round(face, 4, mix(m::kButtonBottom, m::kBackground, 0.3), m::kPanel);
            c.frame_round(face, 4, mix(m::kPanelBorder, m::kBackground, 0.35));
            c.hline(0, r.h - 1, r.w, m::kPanelBorder);
        }
    });
}

Canvas check_box() {
    return states_stacked(px(255), px(255), 2, m::kBackground, [](Canvas& c, Rect, int state) {
        Rect box{2, 2, 13, 13};
        if (state == 0) {
            c.fill_round(box, 2, m::kPanel);
            c.hline(4, 3, 9, m::kPressedShadow);
            c.frame_round(box, 2, m::kButtonBorder);
            return;
        }
        accent_face(c, box, 2, false);
        stroke(c, 5.0, 8.8, 7.4, 11.2, 1.8, m::kText);
        stroke(c, 7.4, 11.2, 12.0, 5.6, 1.8, m::kText);
    });
}

Canvas option_box() {
    return states_stacked(px(255), px(255), 2, m::kBackground, [](Canvas& c, Rect, int state) {
        const double centre = 8.5;
        if (state == 0) {
            c.fill_circle(centre, centre, 6.5, m::kButtonBorder);
            c.fill_circle(centre, centre, 5.5, m::kPanel);
            return;
        }
        c.fill_circle(centre, centre, 6.5, m::kAccentDeep);
        c.fill_circle(centre, centre, 5.5, m::kAccent);
        c.fill_circle(centre, centre - 0.5, 4.5, mix(m::kAccent, m::kAccentLight, 0.5));
        c.fill_circle(centre, centre, 2.6, m::kText);
    });
}

// ---- Other windows ---------------------------------------------------------------------------------

Canvas preview_border() {
    Canvas c(px(1815), px(1755));
    sunken_field(c, {0, 0, c.width(), c.height()});
    c.frame({1, 1, c.width() - 2, c.height() - 2}, m::kOutline);
    return c;
}

Canvas hide_line() {
    // The strip at the screen's left edge; stretched to the screen's height, so it is even along it.
    Canvas c(8, 32);
    c.gradient_h({0, 0, 6, 32}, m::kTitleBottom, m::kTitleTop);
    c.vline(6, 0, 32, m::kAccent);
    c.vline(7, 0, 32, m::kOutline);
    return c;
}

// Two icons 720 twips apart: information above, warning below.
Canvas message_icon() {
    return states_stacked(px(720), px(720), 2, m::kBackground, [](Canvas& c, Rect r, int state) {
        const double mid = r.w / 2.0;
        if (state == 0) {
            c.fill_circle(mid, mid, 20, mix(m::kInfo, m::kOutline, 0.45));
            c.fill_circle(mid, mid, 19, m::kInfo);
            c.fill_circle(mid, mid - 2, 16.5, mix(m::kInfo, m::kAccentLight, 0.35));
            c.fill_circle(mid, 14, 3, m::kText);
            c.fill_round({21, 20, 6, 16}, 2, m::kText);
            return;
        }
        c.fill_convex({{mid, 3}, {45.5, 42.5}, {2.5, 42.5}}, m::kWarningDark);
        c.fill_convex({{mid, 5.5}, {43.3, 41.3}, {4.7, 41.3}}, m::kWarning);
        c.fill_round({21, 15, 6, 15}, 2, m::kPanel);
        c.fill_circle(mid, 35, 3, m::kPanel);
    });
}

constexpr SkinPicture kPictures[] = {
    {"Framebar_left.bmp", 120, 25, framebar_left},
    {"Framebar_middle.bmp", 16, 25, framebar_middle},
    {"Framebar_right.bmp", 9, 25, framebar_right},
    {"left_side.bmp", 9, 16, left_side},
    {"right_side.bmp", 9, 16, right_side},
    {"background.bmp", 64, 64, background},
    {"down_left.bmp", 9, 9, down_left},
    {"down_right.bmp", 9, 9, down_right},
    {"down_middle.bmp", 16, 9, down_middle},
    {"X.bmp", 17, 34, close_button},
    {"Min.bmp", 17, 34, minimise_button},
    {"hide.bmp", 17, 34, hide_button},
    {"section_background.bmp", 568, 40, section_background},
    {"platform_preview.bmp", 129, 17, platform_preview},
    {"about_emulator.bmp", 312, 17, about_emulator},
    {"list_image.bmp", 129, 117, list_image},
    {"about_image.bmp", 312, 65, about_image},
    {"switches_image.bmp", 312, 32, switches_image},
    {"platform_image.bmp", 129, 115, platform_image},
    {"platforms_image.bmp", 123, 1110, paint_platform_tiles},
    {"shaft_image.bmp", 17, 117, shaft_image},
    {"list_selector_image.bmp", 111, 17, list_selector_image},
    {"button.bmp", 57, 50, button},
    {"tab_background.bmp", 273, 219, tab_background},
    {"tab.bmp", 57, 34, tab},
    {"browse_button.bmp", 25, 34, browse_button},
    {"slider_button.bmp", 18, 25, slider_button},
    {"up_arrow.bmp", 34, 17, up_arrow},
    {"down_arrow.bmp", 34, 17, down_arrow},
    {"scroll_image.bmp", 34, 49, scroll_image},
    {"preview_border.bmp", 121, 117, preview_border},
    {"up_button.bmp", 25, 16, up_button},
    {"down_button.bmp", 25, 16, down_button},
    {"switch_display.bmp", 33, 17, switch_display},
    {"hide_line.bmp", 8, 32, hide_line},
    {"mini_button.bmp", 25, 100, mini_button},
    {"message_icon.bmp", 48, 96, message_icon},
    {"combo.bmp", 168, 17, combo},
    {"combo_button.bmp", 17, 34, combo_button},
    {"section_button.bmp", 57, 50, section_button},
    {"down_buttons.bmp", 57, 50, down_buttons},
    {"check_box.bmp", 17, 34, check_box},
    {"option_box.bmp", 17, 34, option_box},
    {"preview.bmp", 117, 113, paint_preview},
};

}  // namespace

std::span<const SkinPicture> skin_pictures() {
    return kPictures;
}

const SkinPicture& skin_picture(std::string_view file) {
    for (const SkinPicture& picture : kPictures)
        if (picture.file == file) return picture;
    throw std::out_of_range("no skin picture named " + std::string(file));
}

}  // namespace kv::painter
