#pragma once
// A top-level window: its place, caption and state, its controls in z-order, and the routing of
// mouse and keyboard input to the control under the pointer or with the focus.
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/controls.h"
#include "forms/reported_place.h"

namespace kv::forms {

// A rounded outline in pixels, as window regions were given.
struct Region {
    int left = 0, top = 0, right = 0, bottom = 0;
    int corner_width = 0, corner_height = 0;
    bool operator==(const Region&) const = default;
};

// Extended style flags kept for the layered and top-most functions.
inline constexpr int32_t ws_ex_topmost = 0x8;
inline constexpr int32_t ws_ex_layered = 0x80000;

enum class WindowState { normal = 0, minimized = 1 };

class Form : public Geometry {
  public:
    explicit Form(std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return name_; }

    // Left, Top, Width and Height (on the screen) come from Geometry. Setting Left or Top, or
    // moving, places the window: showing it no longer centres it.
    void move(float l, float t);
    // The window system says where the window stands (a window manager's move, a move by the
    // keyboard or a task bar), in twips: Left and Top follow, and the window is not asked to move
    // again. A report of a move the program asked for, or one that a move still on its way may
    // overtake, leaves the program's newer place; a report while the window is hidden, its place for
    // the next showing.
    void moved_by_window_system(float l, float t);
    // The display has neither asked the window system for a move nor heard of one for a while: a
    // report held back is where the window stands.
    void window_system_settled();

    const std::string& caption() const { return caption_; }
    void set_caption(const std::string& c);
    // Only the main window appears in the task bar.
    bool show_in_taskbar() const { return show_in_taskbar_; }
    void set_show_in_taskbar(bool s) { show_in_taskbar_ = s; }
    // A drop-down list takes every press of the pointer while it is shown; a press outside it goes to
    // on_dismiss.
    bool drop_down() const { return drop_down_; }
    void set_drop_down(bool d) { drop_down_ = d; }

    // Showing. show_modal returns when the form is hidden again. A window that nothing has placed yet
    // opens centred on its owner (a window without owner: on the screen), as dialogs are expected to.
    bool visible() const { return visible_; }
    void show();
    void show_modal(Form& owner);
    void hide();
    bool modal() const { return modal_; }
    Form* owner() const { return owner_; }
    // The shown window this one was opened from, which a display keeps it with (moved, raised and
    // minimised together): the owner of a modal show, or, while that owner is hidden, the nearest shown
    // window the owner was opened from; nullptr for a window shown without owner.
    const Form* opener() const;
    WindowState window_state() const { return window_state_; }
    void set_window_state(WindowState s);

    // Layering, outline and stacking, as the platform's window functions set them.
    int32_t ex_style() const { return ex_style_; }
    void set_ex_style(int32_t s);
    bool layered() const { return (ex_style_ & ws_ex_layered) != 0; }
    uint8_t alpha() const { return alpha_; }
    void set_layered_alpha(uint8_t a);
    const std::optional<Region>& region() const { return region_; }
    void set_region(std::optional<Region> r);
    bool top_most() const { return (ex_style_ & ws_ex_topmost) != 0; }
    void set_top_most(bool t);

    // Loading: the load handler runs once, on first touch through the program's window registry.
    bool loaded() const { return loaded_; }
    void load();
    // Work the window leaves until it is first needed, so that start-up does not pay for what nobody
    // may look at: it runs once, when the window is first shown or reached through the program's
    // window directory while no window is loading (toolkit/windows.h).
    void defer_until_needed(std::function<void()> work) { deferred_ = std::move(work); }
    void run_deferred();

    // Controls. The first control added is at the bottom of its container's z-order.
    template <typename T>
    T& add(std::string control_name, float l, float t, float w, float h, Control* container = nullptr,
           int index = -1) {
        auto c = std::make_unique<T>(*this, std::move(control_name), index, container);
        T& ref = *c;
        ref.move(l, t, w, h);
        adopt(std::move(c));
        return ref;
    }
    // By name, "name" or "name(3)"; nothing when the form has no such control.
    Control* find(std::string_view full_name) const;
    Control* find(std::string_view control_name, int index) const;
    // The children of a container (nullptr: the form itself), bottom to top as drawn:
    // lightweight controls first, then windowed ones.
    std::vector<Control*> children_of(const Control* container) const;
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

    // Public variables a window exposes to the driver by name.
    void expose(std::string variable_name, std::function<std::string()> getter);
    std::optional<std::string> variable(std::string_view variable_name) const;
    // A public text variable that others may also write by name (a language file sets the messages).
    void expose(std::string variable_name, std::string& variable);
    // The writable variable of that name; nullptr when there is none.
    std::string* writable_variable(std::string_view variable_name) const;

    // Input from the display, in twips relative to the window's corner. A display that knows where
    // the pointer is on the desktop passes that too; otherwise it is taken from the window's place.
    void deliver_mouse_down(float x, float y, int16_t button, int16_t shift,
                            std::optional<ScreenPoint> pointer = std::nullopt);
    void deliver_mouse_up(float x, float y, int16_t button, int16_t shift,
                          std::optional<ScreenPoint> pointer = std::nullopt);
    void deliver_mouse_move(float x, float y, int16_t buttons, int16_t shift,
                            std::optional<ScreenPoint> pointer = std::nullopt);
    // The second press of a double click: DblClick instead of MouseDown.
    void deliver_double_click(float x, float y, int16_t button, int16_t shift = 0);
    // KeyDown for the form (KeyPreview), then for the focused control; then Tab walks the tab order and
    // a focused text box takes its editing keys. True when the key was used up there (a handler
    // cancelled it, or the tab order or the text box took it): a display then does nothing more with it.
    bool deliver_key_down(int16_t key_code, int16_t shift);
    void deliver_key_press(int16_t key_ascii);
    void deliver_key_up(int16_t key_code, int16_t shift);
    // A wheel turn: kept in the window's inbox until the window's polling takes it.
    void deliver_wheel(int delta);
    std::optional<int> take_wheel();
    bool wheel_pending() const { return !wheel_inbox_.empty(); }

    // The topmost control that takes the mouse at a point of the form, if any.
    Control* hit_test(float x, float y) const;
    Control* focused() const { return focused_; }
    void set_focus(Control* c);
    // The controls given a place in the tab order, in that order.
    std::vector<Control*> tab_order() const;
    // Moves the focus to the next control of the tab order that is shown and enabled (forward), or to
    // the previous one, going round; false when the form has no tab order.
    bool focus_next(bool forward);
    Control* captured() const { return captured_; }
    // Ends the mouse capture without a release: the release went somewhere the form will not hear of
    // (a text box's own menu, another window), or the control holding it can no longer take it.
    void release_capture();
    // Gives up the capture when the control holding it is c or lies inside c.
    void release_capture_within(const Control& c);

    // Form-level keyboard handler that sees keys before the focused control (KeyPreview).
    std::function<void(int16_t& key_code, int16_t shift)> on_key_down;
    // The window is sent away without an answer: a press outside a drop-down (nothing holding the
    // mouse), or the display closing a drop-down.
    std::function<void()> on_dismiss;

    // Called by controls when something drawn changed.
    void changed();

  protected:
    // The window's load handler.
    virtual void Form_Load() {}

    void geometry_changed() override {
        note_place();
        changed();
    }
    void placed() override { placed_ = true; }
    std::string geometry_name() const override { return name_; }

  private:
    void adopt(std::unique_ptr<Control> c);
    void place_if_unplaced(const Form* owner);
    // A shown window's new place goes to the window system, and comes back reported.
    void note_place();
    void becoming_visible();
    void take_reported(std::optional<ScreenPoint> place);
    Control* hit_in(const Control* container, float x, float y) const;
    MouseEvent event_for(const Control& c, float x, float y, int16_t button, int16_t shift,
                         std::optional<ScreenPoint> pointer) const;

    std::string name_;
    std::string caption_;
    bool show_in_taskbar_ = false;
    bool drop_down_ = false;
    bool visible_ = false;
    bool modal_ = false;
    Form* owner_ = nullptr;
    WindowState window_state_ = WindowState::normal;
    int32_t ex_style_ = 0;
    uint8_t alpha_ = 255;
    std::optional<Region> region_;
    bool loaded_ = false;
    bool loading_ = false;
    std::function<void()> deferred_;
    bool placed_ = false;
    ScreenPoint noted_place_;
    ReportedPlace reported_place_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<std::string, Control*, std::less<>> by_name_;
    std::map<std::string, std::function<std::string()>, std::less<>> variables_;
    std::map<std::string, std::string*, std::less<>> writable_;
    std::deque<int> wheel_inbox_;
    Control* focused_ = nullptr;
    Control* captured_ = nullptr;
    int16_t captured_buttons_ = 0;
    bool after_double_click_ = false;  // the release that ends a double click is no Click
};

// The form itself while it is shown, otherwise the shown window it was opened from (nearest first);
// nullptr when there is none.
const Form* nearest_shown(const Form* form);

// The window that keeps input from this one while a dialog is up: the modal window shown last that is
// still shown (minimised too), unless that is this one; nullptr when the window takes input. Every
// other window is blocked, also one shown later without owner (the hide strip): only a modal show
// has an opener, so no window is opened from the modal one but the one shown over it, which is then
// the last. The Qt display gets this rule from the window system, which keeps input from every window
// but the last application-modal one (form_window.cpp); the script driver asks here.
const Form* blocked_by(const Form& form);

}  // namespace kv::forms
