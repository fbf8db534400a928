#pragma once
// Every window of the program: one instance each for the whole run, created and loaded (its load
// handler run) the first time anything touches it, hidden rather than destroyed when closed.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <vector>

#include "platform/forms/form.h"

namespace kv::app {

namespace detail {
forms::Form& instance(std::type_index type, const std::function<std::unique_ptr<forms::Form>()>& make);
forms::Form& instance_without_load(std::type_index type,
                                   const std::function<std::unique_ptr<forms::Form>()>& make);
}  // namespace detail

// The window of type T, created and loaded on first touch. A window touched again while it loads
// is the same instance.
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

// A window by its name ("Main_form", "options_form"...), created and loaded on first touch;
// nullptr for a name the program has no window of.
forms::Form* form_named(std::string_view name);

// The windows created so far, in creation order.
std::vector<forms::Form*> created_forms();

// Destroys every window, newest first, so that a test starts from a fresh program.
void reset_forms();

// Starts the program: loads the main window (its start-up) and shows it.
void start_program();

// The session ends from outside the program (a signal, the display lost): the main window saves
// what the user would keep, and the program ends (forms::ProgramEnded). Before start-up it just ends.
[[noreturn]] void end_session();

}  // namespace kv::app
