// The skin browser's preview: the main window in miniature above a few controls at full size.
#include <array>
#include <string>
#include <string_view>

#include "font.h"
#include "palette.h"
#include "skin_pictures.h"
#include "widgets.h"

namespace kv::painter {

namespace m = midnight;

namespace {

Canvas picture(std::string_view file) {
    return skin_picture(file).paint();
}

// The upper state of a two-state picture stacked vertically.
Canvas released(std::string_view file) {
    Canvas whole = picture(file);
    return crop(whole, {0, 0, whole.width(), whole.height() / 2});
}

void centred_text(Canvas& c, Rect r, std::string_view text, Rgb colour) {
    draw_text(c, r.x + (r.w - text_width(text)) / 2, r.y + (r.h - kFontCapHeight) / 2, text, colour);
}

// The main window at its design size, laid out as the window lays it out.
Canvas main_window() {
    const int width = px(8775);
    const int height = px(3540);
    Canvas c = window_frame(width, height);
    c.gradient_v({kBorder, kTitleHeight, width - 2 * kBorder, height - kTitleHeight - kBorder},
                 m::kBackgroundTop, m::kBackgroundBottom);
    centred_text(c, {0, 5, width, 14}, "Korvalin 1.2", m::kText);
    c.paste(released("hide.bmp"), px(7830), px(60));
    c.paste(released("Min.bmp"), px(8100), px(60));
    c.paste(released("X.bmp"), px(8370), px(60));

    c.paste(picture("section_background.bmp"), px(135), px(375));
    constexpr std::array<std::string_view, 10> kSections = {"PSX", "PS2", "NDS",    "GB/GBA", "N64",
                                                            "DC",  "GC",  "Saturn", "S/NES",  "Misc"};
    const Canvas section = released("section_button.bmp");
    for (int k = 0; k < 10; ++k) {
        Rect box{px(120 + 855 * k), px(480), section.width(), section.height()};
        c.paste(section, box.x, box.y);
        centred_text(c, box, kSections[static_cast<size_t>(k)], m::kText);
    }

    auto header = [&](std::string_view file, int left, int top, std::string_view caption) {
        c.paste(picture(file), px(left), px(top));
        draw_text(c, px(left) + 4, px(top) + 5, caption, m::kText);
    };
    header("platform_preview.bmp", 120, 960, "Platform");
    c.paste(picture("platform_image.bmp"), px(120), px(1215));
    c.paste(crop(picture("platforms_image.bmp"), {0, 0, px(1845), px(1660)}), px(165), px(1230));

    header("platform_preview.bmp", 2050, 960, "Emulators");
    const int list_x = px(2055);
    const int list_y = px(1185);
    c.paste(picture("list_image.bmp"), list_x, list_y);
    c.paste(picture("list_selector_image.bmp"), list_x + px(30), list_y + px(30));
    for (int row = 0; row < 7; ++row) {
        std::string name = "Emulator " + std::to_string(row + 1);
        draw_text(c, list_x + px(80), list_y + px(60 + 240 * row) + 1, name,
                  row == 0 ? m::kText : m::kTextDim);
    }
    const int bar_x = list_x + px(1680);
    c.paste(picture("shaft_image.bmp"), bar_x, list_y);
    c.paste(crop(picture("scroll_image.bmp"), {0, 0, px(255), px(735)}), bar_x, list_y + px(255));
    c.paste(crop(picture("up_arrow.bmp"), {0, 0, px(255), px(255)}), bar_x, list_y);
    c.paste(crop(picture("down_arrow.bmp"), {0, 0, px(255), px(255)}), bar_x, list_y + px(1495));

    header("about_emulator.bmp", 3990, 960, "About emulator");
    c.paste(picture("about_image.bmp"), px(3990), px(1215));
    draw_text(c, px(4090), px(1275), "A few words about the", m::kTextDim);
    draw_text(c, px(4090), px(1275) + 12, "selected emulator.", m::kTextDim);
    header("about_emulator.bmp", 3990, 2190, "Switches");
    c.paste(picture("switches_image.bmp"), px(3990), px(2445));
    draw_text(c, px(3990 + 115) + 20, px(2445 + 120) + 5, "#1", m::kAccentLight);
    draw_text(c, px(3990 + 1015) + 20, px(2445 + 120) + 5, "#2", m::kAccentLight);

    constexpr std::array<std::string_view, 10> kCommands = {
        "Add new", "Delete", "Edit", "Browse", "Run", "Switches", "Skins", "Options", "Configs", "Help"};
    const Canvas command = released("down_buttons.bmp");
    for (int i = 0; i < 10; ++i) {
        Rect box{px(120 + 855 * i), px(3030), command.width(), command.height()};
        c.paste(command, box.x, box.y);
        centred_text(c, box, kCommands[static_cast<size_t>(i)], m::kText);
    }
    return c;
}

}  // namespace

Canvas paint_preview() {
    Canvas c(px(1755), px(1695));
    c.gradient_v({0, 0, c.width(), c.height()}, m::kBackgroundTop, m::kBackgroundBottom);

    const Canvas miniature = shrink(main_window(), 5);
    c.paste(miniature, (c.width() - miniature.width()) / 2, 4);

    const std::string_view name = "Midnight";
    draw_text(c, (c.width() - text_width(name, 2)) / 2, 58, name, m::kText, 2);

    const int swatch_y = 84;
    c.paste(released("button.bmp"), 3, swatch_y);
    c.paste(crop(picture("check_box.bmp"), {0, 17, 17, 17}), 63, swatch_y + 4);
    c.paste(crop(picture("option_box.bmp"), {0, 17, 17, 17}), 81, swatch_y + 4);
    c.paste(crop(picture("up_arrow.bmp"), {0, 0, 17, 17}), 99, swatch_y + 4);
    centred_text(c, {3, swatch_y, 57, 25}, "Ok", m::kText);
    return c;
}

}  // namespace kv::painter
