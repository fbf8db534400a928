#include "forms/reported_place.h"

#include <algorithm>

#include "forms/control.h"

namespace kv::forms {

namespace {
// A display that never answers (the headless one) leaves every move on its way; the oldest are
// the least likely to be answered still.
constexpr std::size_t most_on_their_way = 64;

// Whether two places fall on the same pixel, as a display puts a window on whole pixels.
bool same_pixel(ScreenPoint a, ScreenPoint b) {
    return to_pixels(a.x) == to_pixels(b.x) && to_pixels(a.y) == to_pixels(b.y);
}
}  // namespace

void ReportedPlace::asked(ScreenPoint place) {
    // A display asks for whole pixels: a move within the last pixel asked for asks nothing new.
    if (!on_their_way_.empty() && same_pixel(on_their_way_.back(), place)) return;
    if (on_their_way_.size() == most_on_their_way) on_their_way_.pop_front();
    on_their_way_.push_back(place);
}

std::optional<ScreenPoint> ReportedPlace::reported(ScreenPoint place) {
    const auto answered = std::find_if(on_their_way_.begin(), on_their_way_.end(),
                                       [&](ScreenPoint asked) { return same_pixel(asked, place); });
    if (answered != on_their_way_.end()) {
        // The window system answers in the order it was asked: what was asked before this was
        // answered too, or never will be.
        on_their_way_.erase(on_their_way_.begin(), answered + 1);
        held_.reset();
        return std::nullopt;
    }
    if (on_their_way_.empty()) {
        held_.reset();
        return place;
    }
    held_ = place;
    return std::nullopt;
}

std::optional<ScreenPoint> ReportedPlace::settled() {
    on_their_way_.clear();
    std::optional<ScreenPoint> place = held_;
    held_.reset();
    return place;
}

void ReportedPlace::forget() {
    on_their_way_.clear();
    held_.reset();
}

}  // namespace kv::forms
