#pragma once
// The one way the program tells the user something: its message box (messages_form), shown modal over
// the window the user is in, under the program's title. A failure the user must know of goes the same
// way and is also written on standard error, for scripts and logs.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "forms/form.h"

namespace kv {
class messages_form;
}  // namespace kv

namespace kv::toolkit {

// Where the program keeps its message box and the title its messages carry. The window directory,
// which owns every window, sets it before the first window is made.
struct MessageBoxSource {
    std::function<messages_form&()> box;
    std::function<std::string()> title;
};
void set_message_box_source(MessageBoxSource source);

// The title every message carries: the main window's caption. Empty while no source is set.
std::string program_title();

// The two icons: the upper half of the skin's message icon, and the lower one, for what went wrong.
inline constexpr int16_t notice_icon = 0;
inline constexpr int16_t warning_icon = 1;

// Fills the message box with the text, the program's title and the icon, and shows it modal over
// owner; returns when the user has pressed OK. Without a message box it is written on standard error.
void show_message(forms::Form& owner, const std::string& text, int16_t icon);

// A failure the user must know of: written on standard error ("korvalin: TEXT"), then shown as
// show_message shows it, with the warning icon. The caller goes on when the user has pressed OK.
void report_failure(forms::Form& owner, const std::string& text);

// A failure told as one line that names its file: `why` alone when it already does, else
// `what_failed`, the file and why ("cannot write " "/p/Fast.reg" ": the key does not exist").
std::string naming_file(const std::string& file, const std::string& what_failed, const std::string& why);

// Several failures of one step told at once: a first line saying what was not done, then one line
// for each failure. Nothing is told for none.
void report_failures(forms::Form& owner, const std::string& heading,
                     const std::vector<std::string>& failures);

}  // namespace kv::toolkit
