#pragma once
// Windows are built from design tables: rows that name each control, its place and its look, built in
// order by one loop. Skins, fonts and languages reach every control by the name its row gives it; a
// window's code takes by name only the few controls it touches.
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "forms/form.h"
#include "platform/runtime.h"
#include "toolkit/control_style.h"
#include "toolkit/push_button.h"
#include "toolkit/two_state_mark.h"

namespace kv::toolkit {

// A caption: a transparent label with white text.
struct CaptionDesign {
    const char* name;
    float left, top, width;
    const char* text;
    float height = 255;
    TextLook look = TextLook::plain;
    ControlRef container = {nullptr};  // a box or frame of the window built before; none: the window
};

// A dark text box inside a frame shape: the row places the shape, the box lies one pixel inside it.
struct FieldDesign {
    const char* text_box;
    const char* shape;
    float left, top, width;
    float height = 255;
    forms::Color border = frame_blue;
    bool locked = false;  // only a browse button fills it
    bool multi_line = false;
};

// A two-state mark (a picture twice its holder's height, released above pressed) in a holder one mark
// high, its caption at its right and a transparent click label over both.
struct OptionDesign {
    ControlRef holder;
    ControlRef mark;
    float left, top;
    const char* caption_label;
    const char* caption;
    const char* click_label;
    float caption_width;
    float click_width;
    float caption_height = 255;  // and the click label's; two lines where a long caption must break
    float caption_left = 240;    // from the mark's left and top
    float caption_top = 30;
    bool stretched = false;
};

// Any other control, bare or with one of a few looks.
enum class ControlType { label, image, picture_box, frame, shape, line, text_box, list_box };
enum class ControlLook {
    plain,
    stretched,    // an image fitted to its own size
    click_area,   // a transparent label that takes the mouse
    blue_border,  // a shape or line drawn in the dialogs' frame blue
    dark_box,     // a borderless text box, white on black
    hidden,
    disabled,  // a picture that lets presses through to its box
};

// A line's row gives its two ends: from (left, top) to (width, height).
struct ControlDesign {
    ControlType type;
    ControlRef name;
    float left, top, width, height;
    ControlLook look = ControlLook::plain;
    ControlRef container = {nullptr};
};

// A timer, firing every `interval` milliseconds while enabled.
struct TimerDesign {
    const char* name;
    int interval;
};

using WindowRow =
    std::variant<ControlDesign, CaptionDesign, FieldDesign, OptionDesign, PushButton, TimerDesign>;

forms::Label& build_caption(forms::Form& form, const CaptionDesign& row);
forms::TextBox& build_field(forms::Form& form, const FieldDesign& row);
// Returns the mark; the window gives the click label its handler, and a press on the mark goes there too.
forms::Image& build_option(forms::Form& form, const OptionDesign& row);
forms::Control& build_control(forms::Form& form, const ControlDesign& row);
forms::Timer& build_timer(forms::Form& form, const TimerDesign& row);

// Builds every row on the window, in order, so that later rows stand above earlier ones.
void build_window(forms::Form& form, std::span<const WindowRow> rows);

// A control of the window by name; a missing control or one of another kind is a fault of the
// window's table and fails loudly.
template <typename T>
T& control(const forms::Form& form, std::string_view name, int index = -1) {
    if (auto* c = dynamic_cast<T*>(form.find(name, index))) return *c;
    throw platform::Failure(form.name() + " has no control " + std::string(name) +
                            (index < 0 ? "" : "(" + std::to_string(index) + ")") + " of that kind");
}

// A window's rows, built when the window is, part after part: its members then take their controls
// from it.
class BuiltWindow {
  public:
    BuiltWindow(forms::Form& form, std::initializer_list<std::span<const WindowRow>> parts) : form_(form) {
        for (std::span<const WindowRow> rows : parts) build_window(form, rows);
    }

    template <typename T>
    T& get(std::string_view name, int index = -1) const {
        return control<T>(form_, name, index);
    }

  private:
    forms::Form& form_;
};

}  // namespace kv::toolkit
