#include "skins/window_outlines.h"

#include <array>
#include <cmath>
#include <limits>

#include "platform/runtime.h"
#include "toolkit/messages_form.h"
#include "toolkit/windows.h"

namespace kv::skins {

namespace {

struct TitleButton {
    std::string_view box;
    std::string_view image;
};
// Lines 29, 30 and 31.
constexpr std::array<TitleButton, 3> title_buttons = {{
    {"Picture11", "X_image"},
    {"Picture12", "Min_image"},
    {"Picture13", "hide_image"},
}};

// Field n of a "|"-joined value; fails when the value has fewer fields.
std::string_view field(std::string_view value, int n) {
    for (int i = 0; i < n; ++i) {
        const auto bar = value.find('|');
        if (bar == std::string_view::npos) throw platform::Failure("a button box needs four fields");
        value.remove_prefix(bar + 1);
    }
    return value.substr(0, value.find('|'));
}

float to_single(double v) {
    if (std::fabs(v) > std::numeric_limits<float>::max())
        throw platform::Failure("overflow converting to Single");
    return static_cast<float>(v);
}

forms::Control& control(std::string_view window, std::string_view name) {
    forms::Form* form = toolkit::form_named(window);
    forms::Control* c = form ? form->find(name) : nullptr;
    if (!c) throw platform::Failure("no control " + std::string(name) + " on " + std::string(window));
    return *c;
}

void apply_button_box(const TitleButton& button, std::string_view value) {
    forms::Control& box = control("Main_form", button.box);
    forms::Control& image = control("Main_form", button.image);
    box.set_left(platform::text_to_single(field(value, 0)));
    box.set_top(platform::text_to_single(field(value, 1)));
    box.set_height(platform::text_to_single(field(value, 2)));
    box.set_width(platform::text_to_single(field(value, 3)));
    // The picture holds the released state above the pressed one: twice the box's height.
    image.set_height(to_single(platform::text_to_double(field(value, 2)) * 2));
    image.set_width(platform::text_to_single(field(value, 3)));
}

forms::Alignment alignment_value(std::string_view value) {
    const int16_t a = platform::text_to_int16(value);
    if (a < 0 || a > 2) throw platform::Failure("not a title alignment: " + std::string(value));
    return static_cast<forms::Alignment>(a);
}

std::string next_value(model::SkinSettingsReader& reader) {
    return model::line_value(reader.next_line());
}

void skip_lines(model::SkinSettingsReader& reader, int count) {
    for (int i = 0; i < count; ++i) reader.next_line();
}

}  // namespace

std::string remap_divisor(std::string divisor) {
    // Returned as new strings: assigning a literal over the argument trips GCC 12's -Wrestrict in
    // optimised builds.
    if (platform::text_to_double(divisor) == 1) return std::to_string(forms::twips_per_pixel);
    if (platform::text_to_double(divisor) == 0) return std::string("1");
    return divisor;
}

forms::Region window_outline(float width, float height, std::string_view corner, std::string_view divisor) {
    const int32_t ellipse = platform::text_to_int32(corner);
    const int32_t bottom =
        platform::to_int32(static_cast<double>(height) / platform::text_to_double(divisor) + 1);
    const int32_t right = platform::to_int32(static_cast<double>(width) / forms::twips_per_pixel + 1);
    // A region with no area or a negative corner would leave the window invisible and unreachable.
    if (ellipse < 0) throw platform::Failure("a window outline's corner cannot be negative");
    if (bottom < 1 || right < 1) throw platform::Failure("a window outline must be at least one pixel");
    return forms::Region{0, 0, right, bottom, ellipse, ellipse};
}

void apply_skin_shapes(model::SkinSettingsReader& reader) {
    skip_lines(reader, 3);
    for (const TitleButton& button : title_buttons) apply_button_box(button, next_value(reader));
    skip_lines(reader, 3);
    const std::string corner = next_value(reader);
    const std::string divisor = remap_divisor(next_value(reader));
    for (std::string_view window : toolkit::windows_in_order(&toolkit::RosterRow::outline)) {
        forms::Form* form = toolkit::form_named(window);
        if (!form) continue;
        form->set_region(window_outline(form->width(), form->height(), corner, divisor));
    }
    toolkit::form<messages_form>().trim_factor = corner + "|" + divisor;
    skip_lines(reader, 3);
    const std::string alignment = next_value(reader);
    for (std::string_view window : toolkit::windows_in_order(&toolkit::RosterRow::alignment)) {
        auto* title = dynamic_cast<forms::Label*>(&control(window, "Framebar_title"));
        if (title) title->set_alignment(alignment_value(alignment));
    }
}

}  // namespace kv::skins
