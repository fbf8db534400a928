#include "fonts_languages/font_targets.h"

#include "platform/runtime.h"

namespace kv::fonts_languages {

namespace {

// Sizes above this are refused: no screen font is drawn that large, and the display would be asked
// for glyphs of absurd size.
constexpr float largest_font_size = 1000;

void add_rows(std::span<const FontRow> rows, std::vector<skins::ControlTarget>& out) {
    for (const FontRow& row : rows) {
        const auto targets = skins::parse_targets(row.window, row.controls);
        out.insert(out.end(), targets.begin(), targets.end());
    }
}

float font_size_value(const std::string& font_size) {
    const float size = platform::text_to_single(font_size);
    if (!(size > 0) || size > largest_font_size) throw platform::Failure("not a font size: " + font_size);
    return size;
}

}  // namespace

const std::vector<skins::ControlTarget>& font_targets() {
    static const std::vector<skins::ControlTarget> targets = [] {
        std::vector<skins::ControlTarget> out;
        add_rows(font_rows_launcher_and_browsers(), out);
        add_rows(font_rows_profiles_and_editors(), out);
        return out;
    }();
    return targets;
}

void apply_font_to_targets(const std::string& font_name, const std::string& font_size, bool font_bold,
                           bool font_itallic) {
    for (const skins::ControlTarget& target : font_targets()) {
        skins::for_each_control(target, [&](forms::Control& c) {
            platform::skip_failure([&] { c.set_font_name(font_name); });
            // Converted again for each control, as each assignment stands alone.
            platform::skip_failure([&] { c.set_font_size(font_size_value(font_size)); });
            platform::skip_failure([&] { c.set_font_italic(font_itallic); });
            platform::skip_failure([&] { c.set_font_bold(font_bold); });
        });
    }
}

}  // namespace kv::fonts_languages
