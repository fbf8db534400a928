#include "forms/screen_place.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "forms/form.h"

namespace kv::forms {

namespace {

constexpr float pixel = twips_per_pixel;

// Every screen, the primary one first.
std::vector<ScreenArea> all_screens() {
    std::vector<ScreenArea> screens = backend().screen_areas();
    if (screens.empty()) screens.push_back({0, 0, backend().screen_width(), backend().screen_height()});
    return screens;
}

float overlap(float a_start, float a_length, float b_start, float b_length) {
    return std::min(a_start + a_length, b_start + b_length) - std::max(a_start, b_start);
}

std::optional<ScreenArea> best_showing(const std::vector<ScreenArea>& screens, float left, float top,
                                       float width, float height) {
    std::optional<ScreenArea> best;
    float best_area = 0;
    for (const ScreenArea& s : screens) {
        const float across = overlap(left, width, s.left, s.width);
        const float down = overlap(top, height, s.top, s.height);
        // Less than a pixel either way is nothing a person could see, let alone take hold of.
        if (across < pixel || down < pixel) continue;
        if (!best || across * down > best_area) {
            best = s;
            best_area = across * down;
        }
    }
    return best;
}

}  // namespace

ScreenArea screen_showing(float left, float top, float width, float height) {
    const std::vector<ScreenArea> screens = all_screens();
    return best_showing(screens, left, top, width, height).value_or(screens.front());
}

void keep_on_a_screen(Form& form, float band_height) {
    const float band = std::clamp(band_height, 0.0f, form.height());
    const std::vector<ScreenArea> screens = all_screens();
    const std::optional<ScreenArea> shown =
        best_showing(screens, form.left(), form.top(), form.width(), band);
    const ScreenArea on = shown.value_or(screens.front());
    float left = form.left();
    float top = form.top();
    if (!shown) {
        left = on.left + on.width / 2 - form.width() / 2;
        top = on.top + on.height / 2 - form.height() / 2;
    }
    // The far edges first, then the near ones: what does not fit loses its right end and its bottom.
    left = std::max(std::min(left, on.left + on.width - form.width()), on.left);
    top = std::max(std::min(top, on.top + on.height - band), on.top);
    if (left != form.left() || top != form.top()) form.move(left, top);
}

}  // namespace kv::forms
