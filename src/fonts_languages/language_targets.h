#pragma once
// What each line of a language file sets: window by window, the captions (and message texts) built
// from the line's value.
#include <span>
#include <string>
#include <string_view>

namespace kv::fonts_languages {

inline constexpr int language_file_lines = 112;

struct LanguageRow {
    int line;
    std::string_view window;
    // A control ("Label3", "down_section_label(2)"), or for a message text the variable's name.
    std::string_view target;
    // The text set is before + value + after.
    std::string_view before = "";
    std::string_view after = "";
    bool message = false;
};

// The main window, the launcher's dialogs, the three browsers and the message box.
std::span<const LanguageRow> language_rows_launcher_and_browsers();
// The configs window, the four emulator editors and the new-profile dialog.
std::span<const LanguageRow> language_rows_profiles_and_editors();

// Whether the line of a language file is read and passed over.
bool ignored_language_line(int line);

// The message text a row names, or nullptr for a name the program has no such text for.
std::string* language_message_text(std::string_view window, std::string_view name);

}  // namespace kv::fonts_languages
