#include "toolkit/seven_row_list.h"

#include <algorithm>
#include <climits>
#include <limits>

#include "platform/folder.h"
#include "platform/runtime.h"
#include "toolkit/control_style.h"

namespace kv::toolkit {

using forms::Image;
using forms::Label;
using forms::MouseEvent;
using forms::PictureBox;
using forms::Timer;

namespace {

constexpr float row_height = 255;
constexpr float row_pitch = 240;
constexpr float first_row_top = 60;
constexpr float first_click_top = 30;
constexpr float column_width = 255;
constexpr float column_height = 1755;
constexpr float arrow_size = 255;
constexpr float down_box_top = 1495;
constexpr float thumb_height = 735;
// The thumb's Top runs over this track: 505 twips between the two arrows.
constexpr float thumb_first_top = 255;
constexpr float thumb_last_top = 760;
constexpr float pressed_left = -255;
constexpr int first_repeat_ms = 500;
constexpr int repeat_ms = 60;
constexpr int wheel_poll_ms = 10;

constexpr auto transparent = &click_label;

Timer& timer(Timer& t, int interval, bool on) {
    t.set_interval(interval);
    t.set_enabled(on);
    return t;
}

// The dialogs' lists: their opener switches the wheel on, and a double click on a row does nothing.
ListVariant dialog_variant() {
    ListVariant v;
    v.wheel_on_at_start = false;
    v.row_double_click = false;
    return v;
}

Image& mouse_blind(Image& image) {
    // Disabled, the sprite lets the mouse through to the thumb that holds it.
    image.set_enabled(false);
    return image;
}

}  // namespace

// ---- Presets

ListLayout ListLayout::main_form() {
    return ListLayout{};
}

ListLayout ListLayout::skin_browser() {
    ListLayout l;
    l.panel_name = "Picture1";
    l.panel_left = 120;
    l.panel_top = 450;
    l.panel_height = 1755;
    l.row7_left = l.row_left;
    l.row_width = 2895;
    l.click_label_first = 3;
    l.click_label7_height = 375;
    l.selector_width = 1935;
    l.scroll_column_name = "Picture6";
    l.up_box_name = "Picture2";
    l.down_box_name = "Picture7";
    l.thumb_name = "Picture5";
    return l;
}

ListLayout ListLayout::font_browser() {
    ListLayout l;
    l.panel_left = 120;
    l.panel_top = 440;
    l.row7_left = l.row_left;
    l.row_width = 4215;
    return l;
}

ListLayout ListLayout::language_browser() {
    ListLayout l;
    l.panel_left = 120;
    l.panel_top = 440;
    l.row7_left = l.row_left;
    return l;
}

ListLayout ListLayout::configs_form() {
    ListLayout l;
    l.panel_left = 240;
    l.panel_top = 840;
    l.row_left = 75;
    l.row7_left = 75;
    l.row_width = 3255;
    return l;
}

ListVariant ListVariant::main_form() {
    return ListVariant{};
}

ListVariant ListVariant::skin_browser() {
    ListVariant v = dialog_variant();
    v.hide_empties_selection = false;
    v.selection_from_row1 = ShowListStep::after_rows;
    return v;
}

ListVariant ListVariant::font_browser() {
    ListVariant v = dialog_variant();
    v.base = 0;
    v.follow_up_in_show_list = ShowListStep::never;
    v.tops_after_row1 = true;
    return v;
}

ListVariant ListVariant::language_browser() {
    ListVariant v = dialog_variant();
    v.hide_empties_selection = false;
    v.follow_up_in_show_list = ShowListStep::with_row1;
    v.thumb_move_redraws_any_button = false;
    return v;
}

ListVariant ListVariant::configs_form() {
    ListVariant v = dialog_variant();
    v.hide_empties_selection = false;
    v.follow_up_in_show_list = ShowListStep::never;
    v.thumb_move_redraws_any_button = false;
    v.selection_stays_in_view = true;
    return v;
}

std::string item_at(const std::vector<std::string>& list, int t) {
    if (t < 1 || t > static_cast<int>(list.size()))
        throw platform::Failure("Subscript out of range: item " + std::to_string(t));
    return list[static_cast<size_t>(t - 1)];
}

ListSource vector_list_source(std::vector<std::string>& items, std::string& selection) {
    ListSource s;
    s.count = [&items] { return static_cast<int>(std::min<std::size_t>(items.size(), INT_MAX)); };
    s.item = [&items](int t) { return item_at(items, t); };
    s.selection = [&selection] { return selection; };
    s.set_selection = [&selection](const std::string& name) { selection = name; };
    s.remove_last = [&items] { items.pop_back(); };
    return s;
}

// ---- Construction

SevenRowList::SevenRowList(FramedForm& form, const ListLayout& layout, const ListVariant& variant,
                           ListSource source)
    : panel(form.add<PictureBox>(layout.panel_name, layout.panel_left, layout.panel_top, layout.panel_width,
                                 layout.panel_height)),
      list_image(
          stretched(form.add<Image>("list_image", 0, 0, layout.panel_width, layout.panel_height, &panel))),
      list_selector_image(stretched(form.add<Image>("list_selector_image", 30, first_click_top,
                                                    layout.selector_width, row_height, &panel))),
      scroll_column(form.add<PictureBox>(layout.scroll_column_name, layout.scroll_column_left, 0,
                                         column_width, column_height, &panel)),
      shaft_image(
          stretched(form.add<Image>("shaft_image", 0, 0, column_width, column_height, &scroll_column))),
      up_box(form.add<PictureBox>(layout.up_box_name, 0, 0, arrow_size, arrow_size, &scroll_column)),
      up_arrow(form.add<Image>("up_arrow", 0, 0, arrow_size, arrow_size, &up_box)),
      down_box(form.add<PictureBox>(layout.down_box_name, 0, down_box_top, arrow_size, arrow_size,
                                    &scroll_column)),
      down_arrow(form.add<Image>("down_arrow", 0, 0, arrow_size, arrow_size, &down_box)),
      thumb(form.add<PictureBox>(layout.thumb_name, 0, thumb_first_top, column_width, thumb_height,
                                 &scroll_column)),
      scroll_image(mouse_blind(form.add<Image>("scroll_image", 0, 0, column_width, thumb_height, &thumb))),
      timer_up(timer(form.add<Timer>("timer_up", 0, 0, 0, 0), repeat_ms, false)),
      timer_down(timer(form.add<Timer>("timer_down", 0, 0, 0, 0), repeat_ms, false)),
      scroll_event(
          timer(form.add<Timer>("scroll_event", 0, 0, 0, 0), wheel_poll_ms, variant.wheel_on_at_start)),
      form_(form),
      variant_(variant),
      source_(std::move(source)) {
    // Rows first, then the click labels above them, so the labels take the mouse.
    for (int k = 1; k <= 7; ++k) {
        const std::string name = k == 1 ? "list_item" : "list_item" + std::to_string(k);
        Label& row_label = transparent(form.add<Label>(name, k == 7 ? layout.row7_left : layout.row_left,
                                                       first_row_top + row_pitch * static_cast<float>(k - 1),
                                                       layout.row_width, row_height, &panel));
        row_label.set_caption("List item #" + std::to_string(k));
        rows_[static_cast<size_t>(k - 1)] = &row_label;
    }
    for (int k = 1; k <= 7; ++k) {
        const std::string name = layout.click_label_prefix + std::to_string(layout.click_label_first + k - 1);
        Label& click = transparent(form.add<Label>(
            name, 0, first_click_top + row_pitch * static_cast<float>(k - 1), layout.click_label_width,
            k == 7 ? layout.click_label7_height : row_height, &panel));
        click_labels_[static_cast<size_t>(k - 1)] = &click;
        click.on_mouse_down = [this, k](const MouseEvent& e) { row_MouseDown(k, e); };
        if (variant_.row_double_click) click.on_dbl_click = [this, k] { row_DblClick(k); };
    }

    up_arrow.on_mouse_down = [this](const MouseEvent& e) { up_arrow_MouseDown(e); };
    up_arrow.on_mouse_up = [this](const MouseEvent& e) { up_arrow_MouseUp(e); };
    down_arrow.on_mouse_down = [this](const MouseEvent& e) { down_arrow_MouseDown(e); };
    down_arrow.on_mouse_up = [this](const MouseEvent& e) { down_arrow_MouseUp(e); };
    timer_up.on_timer = [this] { timer_up_Timer(); };
    timer_down.on_timer = [this] { timer_down_Timer(); };
    thumb.on_mouse_down = [this](const MouseEvent& e) { thumb_MouseDown(e); };
    thumb.on_mouse_move = [this](const MouseEvent& e) { thumb_MouseMove(e); };
    thumb.on_mouse_up = [this](const MouseEvent& e) { thumb_MouseUp(e); };
    scroll_event.on_timer = [this] { scroll_event_Timer(); };
    scroll_event.set_work(forms::Timer::Work::wheel_turns);

    form.expose("scroll_top", [this] { return std::to_string(scroll_top); });
    form.expose("drawn_top", [this] { return std::to_string(drawn_top); });
}

// ---- Helpers

int SevenRowList::item_count() const {
    const int n = source_.count ? source_.count() : 0;
    return std::clamp(n, 0, max_list_items);
}

std::optional<std::string> SevenRowList::fetch(int t) const {
    if (t < variant_.base || t - variant_.base >= item_count()) return std::nullopt;
    try {
        return source_.item(t);
    } catch (const platform::Failure&) {
        return std::nullopt;
    }
}

int SevenRowList::last_top() const {
    return item_count() - 7 + variant_.base;
}

void SevenRowList::set_step_top(int top) {
    // A thumb dragged past its track leaves scroll_top outside the pages until the next mouse event;
    // a step from there lands on the nearest page instead of drawing nothing for many rows.
    scroll_top = static_cast<int16_t>(std::clamp(top, static_cast<int>(variant_.base),
                                                 std::max(last_top(), static_cast<int>(variant_.base))));
}

void SevenRowList::place_thumb() {
    const int n = item_count();
    if (n < 8) return;  // no track to place on; the thumb is hidden
    const double top =
        505.0 / static_cast<double>(n - 7) * static_cast<double>(scroll_top - variant_.base) + 255.0;
    thumb.set_top(static_cast<float>(top));
}

void SevenRowList::redraw_after_step() {
    draw_list_rows(scroll_top);
    place_thumb();
}

void SevenRowList::run_follow_up() {
    if (source_.follow_up) source_.follow_up();
}

bool SevenRowList::has_selection() const {
    return !source_.has_selection || source_.has_selection();
}

int SevenRowList::selected_row() const {
    if (!has_selection()) return 0;
    const std::string selected = source_.selection();
    // The lowest row showing it, where update_list_selector puts the selector.
    for (int k = 7; k >= 1; --k)
        if (row(k).visible() && row(k).caption() == selected) return k;
    return 0;
}

std::optional<int> SevenRowList::find_item(const std::string& name) const {
    std::optional<int> match;
    int matches = 0;
    const int end = variant_.base + item_count();
    for (int t = variant_.base; t < end; ++t) {
        const auto text = fetch(t);
        if (!text) continue;
        if (*text == name) return t;
        if (platform::equal_ignoring_case(*text, name) && matches++ == 0) match = t;
    }
    if (matches == 1) return match;
    return std::nullopt;
}

void SevenRowList::keep_selection_in_view(bool scrolled_down) {
    if (selected_row() != 0) return;
    int k = 1;
    if (!scrolled_down) {
        k = 7;
        while (k > 1 && !row(k).visible()) --k;
    }
    source_.set_selection(row(k).caption());
    run_follow_up();
}

// ---- Operations

void SevenRowList::show_list() {
    hide_list_rows();
    const int16_t base = variant_.base;
    auto set_tops = [&] {
        drawn_top = base;
        scroll_top = base;
    };
    [&] {
        if (!variant_.tops_after_row1) set_tops();
        auto first = fetch(base);
        if (!first) return;
        row(1).set_caption(*first);
        row(1).set_visible(true);
        list_selector_image.set_top(first_click_top);
        list_selector_image.set_visible(true);
        click_label(1).set_enabled(true);
        if (variant_.selection_from_row1 == ShowListStep::with_row1) source_.set_selection(row(1).caption());
        if (variant_.follow_up_in_show_list == ShowListStep::with_row1) run_follow_up();
        if (variant_.tops_after_row1) set_tops();
        for (int k = 2; k <= 7; ++k) {
            auto text = fetch(base + k - 1);
            if (!text) return;
            row(k).set_caption(*text);
            row(k).set_visible(true);
            click_label(k).set_enabled(true);
        }
        thumb.set_top(thumb_first_top);
        thumb.set_visible(item_count() > 7);
    }();
    if (variant_.selection_from_row1 == ShowListStep::after_rows) source_.set_selection(row(1).caption());
    if (variant_.follow_up_in_show_list == ShowListStep::after_rows) run_follow_up();
}

void SevenRowList::hide_list_rows() {
    thumb.set_visible(false);
    if (variant_.hide_empties_selection) source_.set_selection(std::string());
    for (int k = 1; k <= 7; ++k) row(k).set_visible(false);
    for (int k = 1; k <= 7; ++k) click_label(k).set_enabled(false);
    list_selector_image.set_visible(false);
}

void SevenRowList::clear_list() {
    if (!source_.remove_last || !source_.count) return;
    for (int n = source_.count(); n > 0;) {
        source_.remove_last();
        const int after = source_.count();
        if (after >= n) break;  // a source that does not shrink would loop for ever
        n = after;
    }
}

void SevenRowList::draw_list_rows(int16_t top) {
    if (top == drawn_top) return;
    const bool follow = variant_.selection_stays_in_view && selected_row() != 0;
    const bool scrolled_down = top > drawn_top;
    drawn_top = top;
    bool whole = true;
    for (int k = 1; k <= 7 && whole; ++k) {
        // A missing item (only after the thumb overshot its track) leaves the remaining rows as they
        // were and the selector untouched; the next draw with another top repairs them.
        auto text = fetch(drawn_top + k - 1);
        if (!text) {
            whole = false;
        } else {
            row(k).set_caption(*text);
            row(k).set_visible(true);
        }
    }
    if (follow) keep_selection_in_view(scrolled_down);
    // Where the selection follows the rows, the selector follows them too, so that it never stands
    // on a row showing another name.
    if (whole || variant_.selection_stays_in_view) update_list_selector();
}

void SevenRowList::update_list_selector() {
    list_selector_image.set_visible(false);
    if (!has_selection()) return;
    const std::string selected = source_.selection();
    for (int k = 1; k <= 7; ++k) {
        if (row(k).caption() != selected) continue;
        list_selector_image.set_top(k == 1 ? first_click_top : click_label(k).top());
        list_selector_image.set_visible(true);
    }
}

void SevenRowList::scroll_list_up() {
    if (item_count() < 8) return;
    set_step_top(scroll_top - 1);
    redraw_after_step();
}

void SevenRowList::scroll_list_down() {
    if (item_count() < 8) return;
    set_step_top(std::min(static_cast<int>(scroll_top), last_top() - 1) + 1);
    redraw_after_step();
}

bool SevenRowList::select_named(const std::string& name) {
    const auto t = find_item(name);
    source_.set_selection(t ? fetch(*t).value_or(name) : name);
    if (t) {
        int top = drawn_top;
        if (*t < top) top = *t;
        if (*t > top + 6) top = *t - 6;
        set_step_top(top);
        draw_list_rows(scroll_top);
        place_thumb();
    }
    update_list_selector();
    run_follow_up();
    return t.has_value();
}

// ---- Rows

void SevenRowList::row_MouseDown(int k, const MouseEvent&) {
    list_selector_image.set_top(click_label(k).top());
    list_selector_image.set_visible(true);
    source_.set_selection(row(k).caption());
    run_follow_up();
}

void SevenRowList::row_DblClick(int) {
    // The first click's press has already selected the row.
    if (variant_.row_double_click && source_.double_click) source_.double_click();
}

// ---- Arrows

void SevenRowList::up_arrow_MouseDown(const MouseEvent&) {
    if (item_count() < 8) return;
    up_arrow.set_left(pressed_left);
    timer_up.set_interval(first_repeat_ms);
    timer_up.set_enabled(true);
    scroll_list_up();
}

void SevenRowList::up_arrow_MouseUp(const MouseEvent&) {
    up_arrow.set_left(0);
    timer_up.set_enabled(false);
}

void SevenRowList::down_arrow_MouseDown(const MouseEvent&) {
    if (item_count() < 8) return;
    down_arrow.set_left(pressed_left);
    timer_down.set_interval(first_repeat_ms);
    timer_down.set_enabled(true);
    scroll_list_down();
}

void SevenRowList::down_arrow_MouseUp(const MouseEvent&) {
    down_arrow.set_left(0);
    timer_down.set_enabled(false);
}

void SevenRowList::timer_up_Timer() {
    timer_up.set_interval(repeat_ms);
    // The list cannot normally shrink while an arrow is held; if it did, there is nothing to repeat.
    if (scroll_top == variant_.base || item_count() < 8) {
        timer_up.set_enabled(false);
        return;
    }
    set_step_top(std::max(static_cast<int>(scroll_top), variant_.base + 1) - 1);
    redraw_after_step();
}

void SevenRowList::timer_down_Timer() {
    timer_down.set_interval(repeat_ms);
    if (scroll_top == last_top() || item_count() < 8) {
        timer_down.set_enabled(false);
        return;
    }
    set_step_top(std::min(static_cast<int>(scroll_top), last_top() - 1) + 1);
    redraw_after_step();
}

// ---- Thumb

void SevenRowList::thumb_MouseDown(const MouseEvent& e) {
    scroll_image.set_left(pressed_left);
    platform::skip_failure([&] { form_.drag_y = platform::to_int16(e.y); });
}

void SevenRowList::thumb_MouseUp(const MouseEvent&) {
    scroll_image.set_left(0);
}

void SevenRowList::thumb_MouseMove(const MouseEvent& e) {
    const int n = item_count();
    // A hidden thumb takes no mouse, but one still held while its list was refilled short would
    // divide by zero below.
    if (n < 8) return;

    // The rows follow the position from before this event's move, the inverse of place_thumb.
    const double x = (static_cast<double>(thumb.top()) - 255.0) / 5.05 / (100.0 / static_cast<double>(n - 7));
    // A far overshoot on a long list could exceed 16 bits; the rows then simply find no item.
    const double derived = std::clamp(platform::round_half_even(x) + variant_.base,
                                      static_cast<double>(std::numeric_limits<int16_t>::min()),
                                      static_cast<double>(std::numeric_limits<int16_t>::max()));
    scroll_top = static_cast<int16_t>(derived);
    const bool left_alone = e.button == forms::left_button;
    if (variant_.thumb_move_redraws_any_button || left_alone) draw_list_rows(scroll_top);

    const float grabbed = static_cast<float>(form_.drag_y);
    const float top = thumb.top();
    if (top > thumb_last_top - 1) {
        thumb.set_top(thumb_last_top);
        if (e.y < grabbed && left_alone) thumb.set_top(thumb.top() + e.y - grabbed);
    } else if (top < thumb_first_top + 1) {
        thumb.set_top(thumb_first_top);
        if (e.y > grabbed && left_alone) thumb.set_top(thumb.top() + e.y - grabbed);
    } else if (left_alone) {
        // No limit here: one far move carries the thumb past the track; the next event puts it back.
        thumb.set_top(top + e.y - grabbed);
    }
}

// ---- Wheel

void SevenRowList::scroll_event_Timer() {
    // At most one wheel turn per tick, one row per turn whatever its distance.
    auto delta = form_.take_wheel();
    if (!delta) return;
    if (*delta >= 0) {
        scroll_list_up();
    } else {
        scroll_list_down();
    }
}

}  // namespace kv::toolkit
