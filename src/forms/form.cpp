#include "forms/form.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <vector>

#include "forms/backend.h"
#include "forms/screen_place.h"
#include "platform/runtime.h"

namespace kv::forms {

namespace {

// The windows whose modal show is running, in the order shown: nested, each returns before the ones
// shown before it.
std::vector<const Form*>& modal_shows() {
    static std::vector<const Form*> shows;
    return shows;
}

void end_modal_show(const Form& form) {
    auto& shows = modal_shows();
    const auto last = std::find(shows.rbegin(), shows.rend(), &form);
    if (last != shows.rend()) shows.erase(std::next(last).base());
}

}  // namespace

Form::Form(std::string name) : Geometry(4800, 3600), name_(std::move(name)) {
    backend().form_created(*this);
}

Form::~Form() {
    // Controls (timers among them) go first, while the display still knows the window.
    controls_.clear();
    end_modal_show(*this);
    if (Backend* display = backend_if_set()) display->form_destroyed(*this);
}

void Form::move(float l, float t) {
    placed_ = true;
    set_place(l, t);
    note_place();
    changed();
}

void Form::note_place() {
    const ScreenPoint place{left(), top()};
    if (place.x == noted_place_.x && place.y == noted_place_.y) return;  // only the size changed
    noted_place_ = place;
    if (visible_) reported_place_.asked(place);
}

void Form::becoming_visible() {
    // The window system puts the window being shown where it stands in the model, and tells so.
    noted_place_ = {left(), top()};
    reported_place_.forget();
    reported_place_.asked(noted_place_);
    visible_ = true;
}

void Form::moved_by_window_system(float l, float t) {
    if (visible_) take_reported(reported_place_.reported({l, t}));
}

void Form::window_system_settled() {
    if (visible_) take_reported(reported_place_.settled());
}

void Form::take_reported(std::optional<ScreenPoint> place) {
    if (!place) return;
    // Where the window already stands: nothing to draw and nothing to ask of the window system.
    placed_ = true;
    set_place(place->x, place->y);
    noted_place_ = *place;
}

void Form::set_caption(const std::string& c) {
    caption_ = c;
    changed();
}

void Form::place_if_unplaced(const Form* owner) {
    if (placed_) return;
    if (owner) {
        // Centred on the owner, and kept whole on the screen that shows most of the owner where it
        // fits: a window half off the screen would have to be dragged into view before use.
        const ScreenArea s = screen_showing(owner->left(), owner->top(), owner->width(), owner->height());
        const float left = owner->left() + owner->width() / 2 - width() / 2;
        const float top = owner->top() + owner->height() / 2 - height() / 2;
        move(std::max(std::min(left, s.left + s.width - width()), s.left),
             std::max(std::min(top, s.top + s.height - height()), s.top));
    } else {
        move(backend().screen_width() / 2 - width() / 2, backend().screen_height() / 2 - height() / 2);
    }
}

void Form::show() {
    load();
    run_deferred();
    if (visible_) return;
    place_if_unplaced(nullptr);
    becoming_visible();
    backend().form_shown(*this);
}

void Form::show_modal(Form& owner) {
    load();
    run_deferred();
    // The owner's pressed button is released over this window, never over the owner.
    owner.release_capture();
    owner_ = &owner;
    place_if_unplaced(&owner);
    // Wherever it was left or its owner stands, a dialog opens whole on a screen (its top first where
    // it is taller): while it is up nothing else takes input, so it must be within reach.
    keep_on_a_screen(*this, height());
    modal_ = true;
    becoming_visible();
    modal_shows().push_back(this);
    const auto ended = [this] {
        modal_ = false;
        end_modal_show(*this);
    };
    try {
        backend().form_shown(*this);
        backend().run_modal(*this);
    } catch (...) {
        ended();
        throw;
    }
    ended();
}

const Form* Form::opener() const {
    return modal_ ? nearest_shown(owner_) : nullptr;
}

const Form* nearest_shown(const Form* form) {
    // Hidden windows shown modally from each other in a ring lead to no shown one.
    std::vector<const Form*> passed;
    while (form && !form->visible()) {
        if (std::find(passed.begin(), passed.end(), form) != passed.end()) return nullptr;
        passed.push_back(form);
        form = form->modal() ? form->owner() : nullptr;
    }
    return form;
}

const Form* blocked_by(const Form& form) {
    const auto& shows = modal_shows();
    const auto top = std::find_if(shows.rbegin(), shows.rend(), [](const Form* f) { return f->visible(); });
    if (top == shows.rend() || *top == &form) return nullptr;
    return *top;
}

void Form::release_capture() {
    captured_ = nullptr;
    captured_buttons_ = 0;
    after_double_click_ = false;
}

void Form::release_capture_within(const Control& c) {
    for (const Control* p = captured_; p; p = p->container())
        if (p == &c) return release_capture();
}

void Form::hide() {
    visible_ = false;
    reported_place_.forget();
    release_capture();
    backend().form_hidden(*this);
}

void Form::set_window_state(WindowState s) {
    window_state_ = s;
    changed();
}

void Form::set_ex_style(int32_t s) {
    // Keeping a window on top sets the same style again and again: nothing to redraw then.
    if (ex_style_ == s) return;
    ex_style_ = s;
    changed();
}

void Form::set_layered_alpha(uint8_t a) {
    alpha_ = a;
    changed();
}

void Form::set_region(std::optional<Region> r) {
    region_ = r;
    changed();
}

void Form::set_top_most(bool t) {
    set_ex_style(t ? (ex_style_ | ws_ex_topmost) : (ex_style_ & ~ws_ex_topmost));
}

void Form::run_deferred() {
    if (!deferred_) return;
    // Taken out first: the work may reach its own window again.
    const std::function<void()> work = std::move(deferred_);
    deferred_ = nullptr;
    work();
}

void Form::load() {
    // A window touched again while its own load handler runs is the same, half-loaded instance.
    if (loaded_ || loading_) return;
    loading_ = true;
    try {
        Form_Load();
    } catch (...) {
        loading_ = false;
        loaded_ = true;
        throw;
    }
    loading_ = false;
    loaded_ = true;
}

void Form::adopt(std::unique_ptr<Control> c) {
    by_name_[c->full_name()] = c.get();
    controls_.push_back(std::move(c));
    changed();
}

Control* Form::find(std::string_view full_name) const {
    auto it = by_name_.find(full_name);
    return it == by_name_.end() ? nullptr : it->second;
}

Control* Form::find(std::string_view control_name, int index) const {
    if (index < 0) return find(control_name);
    return find(std::string(control_name) + "(" + std::to_string(index) + ")");
}

std::vector<Control*> Form::children_of(const Control* container) const {
    std::vector<Control*> light, windowed;
    for (auto& c : controls_) {
        if (c->container() != container) continue;
        (c->windowed() ? windowed : light).push_back(c.get());
    }
    light.insert(light.end(), windowed.begin(), windowed.end());
    return light;
}

void Form::expose(std::string variable_name, std::function<std::string()> getter) {
    variables_[std::move(variable_name)] = std::move(getter);
}

std::optional<std::string> Form::variable(std::string_view variable_name) const {
    auto it = variables_.find(variable_name);
    if (it == variables_.end()) return std::nullopt;
    return it->second();
}

void Form::expose(std::string variable_name, std::string& variable) {
    writable_[variable_name] = &variable;
    expose(std::move(variable_name), [&variable] { return variable; });
}

std::string* Form::writable_variable(std::string_view variable_name) const {
    auto it = writable_.find(variable_name);
    return it == writable_.end() ? nullptr : it->second;
}

Control* Form::hit_in(const Control* container, float x, float y) const {
    auto children = children_of(container);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        Control* c = *it;
        if (!c->visible() || c->kind() == ControlKind::timer) continue;
        float cx = c->form_x(), cy = c->form_y();
        if (x < cx || y < cy || x >= cx + c->width() || y >= cy + c->height()) continue;
        if (c->is_container()) {
            // A disabled container takes nothing, for itself or for what it holds.
            if (!c->enabled()) return nullptr;
            if (Control* inner = hit_in(c, x, y)) return inner;
            return c;
        }
        if (c->takes_mouse() && c->enabled()) return c;
        // Disabled or mouse-blind lightweight controls let the mouse through to what lies below.
        if (c->windowed() && !c->enabled()) return nullptr;
    }
    return nullptr;
}

Control* Form::hit_test(float x, float y) const {
    return hit_in(nullptr, x, y);
}

MouseEvent Form::event_for(const Control& c, float x, float y, int16_t button, int16_t shift,
                           std::optional<ScreenPoint> pointer) const {
    return MouseEvent{button, shift, x - c.form_x(), y - c.form_y(),
                      pointer.value_or(ScreenPoint{left() + x, top() + y})};
}

void Form::set_focus(Control* c) {
    focused_ = c;
    changed();
}

void Form::deliver_mouse_down(float x, float y, int16_t button, int16_t shift,
                              std::optional<ScreenPoint> pointer) {
    if (!captured_ && (x < 0 || y < 0 || x >= width() || y >= height())) {
        // Such a press reaches a window only while it takes every press: a drop-down.
        if (on_dismiss) on_dismiss();
        return;
    }
    Control* target = captured_ ? captured_ : hit_test(x, y);
    if (!target) return;
    captured_ = target;
    captured_buttons_ = static_cast<int16_t>(captured_buttons_ | button);
    after_double_click_ = false;
    if (target->kind() == ControlKind::text_box || target->kind() == ControlKind::list_box) set_focus(target);
    if (target->on_mouse_down) target->on_mouse_down(event_for(*target, x, y, button, shift, pointer));
}

void Form::deliver_double_click(float x, float y, int16_t button, int16_t /*shift*/) {
    Control* target = captured_ ? captured_ : hit_test(x, y);
    if (!target) return;
    captured_ = target;
    captured_buttons_ = static_cast<int16_t>(captured_buttons_ | button);
    after_double_click_ = true;
    if (target->on_dbl_click) target->on_dbl_click();
}

void Form::deliver_mouse_up(float x, float y, int16_t button, int16_t shift,
                            std::optional<ScreenPoint> pointer) {
    Control* target = captured_ ? captured_ : hit_test(x, y);
    if (!target) return;
    captured_buttons_ = static_cast<int16_t>(captured_buttons_ & ~button);
    if (captured_buttons_ == 0) captured_ = nullptr;
    // The handler may hide the window or move the control; decide Click from where it was released.
    bool over = hit_test(x, y) == target && !after_double_click_;
    after_double_click_ = false;
    if (target->on_mouse_up) target->on_mouse_up(event_for(*target, x, y, button, shift, pointer));
    if (over && button == left_button && target->on_click) target->on_click();
}

void Form::deliver_mouse_move(float x, float y, int16_t buttons, int16_t shift,
                              std::optional<ScreenPoint> pointer) {
    Control* target = (captured_ && buttons != 0) ? captured_ : hit_test(x, y);
    if (!target) return;
    if (target->on_mouse_move) target->on_mouse_move(event_for(*target, x, y, buttons, shift, pointer));
}

namespace {

bool can_take_input(const Control& c) {
    for (const Control* p = &c; p; p = p->container())
        if (!p->enabled()) return false;
    return true;
}

}  // namespace

bool Form::deliver_key_down(int16_t key_code, int16_t shift) {
    if (on_key_down) on_key_down(key_code, shift);
    if (key_code == 0) return true;
    if (focused_ && focused_->on_key_down) focused_->on_key_down(key_code, shift);
    if (key_code == 0) return true;
    if (key_code == keys::tab && !(shift & (ctrl_mask | alt_mask)) && focus_next(!(shift & shift_mask)))
        return true;
    if (auto* box = dynamic_cast<TextBox*>(focused_)) return box->edit_key(key_code, shift);
    return false;
}

std::vector<Control*> Form::tab_order() const {
    std::vector<Control*> stops;
    for (const auto& c : controls_)
        if (c->tab_index() >= 0) stops.push_back(c.get());
    std::stable_sort(stops.begin(), stops.end(),
                     [](const Control* a, const Control* b) { return a->tab_index() < b->tab_index(); });
    return stops;
}

bool Form::focus_next(bool forward) {
    const std::vector<Control*> stops = tab_order();
    if (stops.empty()) return false;
    const auto n = static_cast<std::ptrdiff_t>(stops.size());
    const auto at = std::find(stops.begin(), stops.end(), focused_) - stops.begin();
    // From outside the order, Tab starts at its first stop and Shift+Tab at its last.
    std::ptrdiff_t i = at == n ? (forward ? -1 : n) : at;
    for (std::ptrdiff_t step = 0; step < n; ++step) {
        i = ((forward ? i + 1 : i - 1) % n + n) % n;
        Control* c = stops[static_cast<std::size_t>(i)];
        if (c->shown() && can_take_input(*c)) {
            set_focus(c);
            return true;
        }
    }
    return true;
}

void Form::deliver_key_press(int16_t key_ascii) {
    if (!focused_) return;
    if (auto* box = dynamic_cast<TextBox*>(focused_)) {
        box->type_character(key_ascii);
    } else if (focused_->on_key_press) {
        focused_->on_key_press(key_ascii);
    }
}

void Form::deliver_key_up(int16_t key_code, int16_t shift) {
    if (focused_ && focused_->on_key_up) focused_->on_key_up(key_code, shift);
}

void Form::deliver_wheel(int delta) {
    wheel_inbox_.push_back(delta);
    backend().wheel_arrived(*this);
}

std::optional<int> Form::take_wheel() {
    if (wheel_inbox_.empty()) return std::nullopt;
    int d = wheel_inbox_.front();
    wheel_inbox_.pop_front();
    return d;
}

void Form::changed() {
    backend().form_changed(*this);
}

}  // namespace kv::forms
