#pragma once
// The window directory: every window of the program, one instance each for the whole run, created and
// loaded (its load handler run) the first time anything touches it, hidden rather than destroyed when
// closed. The program gives it the roster of its windows at start-up, so that a window can reach
// another by name without knowing its type, and the skin, the title alignment, the outlines and the
// opacity can walk the windows in their own orders.
#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <typeindex>
#include <vector>

#include "forms/form.h"

namespace kv::toolkit {

// One window of the program: its name, how to reach it, and its place in each of the orders in which
// the skin, the title alignment, the outlines and the opacity walk the windows.
struct RosterRow {
    std::string_view name;
    forms::Form& (*get)();           // created and loaded on first touch
    forms::Form& (*get_unloaded)();  // created on first touch, not loaded
    // 1-based places in each walk; 0 leaves the window out of it.
    int title_colour;  // skin settings line 6, the title text colour
    int frame;         // the skin's nine frame pictures
    int outline;       // the skin's rounded window outline
    int alignment;     // the skin's title alignment
    int opacity;       // the shared opacity; asking for the windows here also loads them, in this order
};

// Set once at start-up by whoever starts the program; the rows must outlive every use.
void set_window_roster(std::span<const RosterRow> rows);
// The rows set; empty before.
std::span<const RosterRow> window_roster();

// The names of the windows that take part in one walk, in its order.
std::vector<std::string_view> windows_in_order(int RosterRow::*place);

namespace detail {
forms::Form& instance(std::type_index type, const std::function<std::unique_ptr<forms::Form>()>& make);
forms::Form& instance_without_load(std::type_index type,
                                   const std::function<std::unique_ptr<forms::Form>()>& make);
}  // namespace detail

// The window of type T, created and loaded on first touch. A window touched again while it loads
// is the same instance. A touch while no window loads also runs what the window left until it is
// needed (forms::Form::defer_until_needed).
template <typename T>
T& form() {
    return static_cast<T&>(detail::instance(typeid(T), [] { return std::make_unique<T>(); }));
}

// The window of type T, created on first touch but not loaded: setting a public variable of a
// window does not load it (start-up sets the dialogs' texts before it loads them in its own order).
template <typename T>
T& form_without_load() {
    return static_cast<T&>(detail::instance_without_load(typeid(T), [] { return std::make_unique<T>(); }));
}

// A window by its name in the roster ("Main_form", "options_form"...), created and loaded on first
// touch; nullptr for a name the program has no window of.
forms::Form* form_named(std::string_view name);

// The same, created on first touch but not loaded, as form_without_load gives it.
forms::Form* form_named_without_load(std::string_view name);

// The windows created so far, in creation order.
std::vector<forms::Form*> created_forms();

// Destroys every window, newest first, so that a test starts from a fresh program.
void reset_forms();

}  // namespace kv::toolkit
