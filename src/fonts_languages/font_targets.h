#pragma once
// The text controls that take the user's font, window by window in the order they are set.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "skins/control_targets.h"

namespace kv::fonts_languages {

// One window's targets, blank-separated, in order.
struct FontRow {
    std::string_view window;
    std::string_view controls;
};

// The main window, the launcher's dialogs, the three browsers and the message box.
std::span<const FontRow> font_rows_launcher_and_browsers();
// The configs window, the four emulator editors, the new-profile dialog and the plug-in picker.
std::span<const FontRow> font_rows_profiles_and_editors();

// Every target, in the order the font is set.
const std::vector<skins::ControlTarget>& font_targets();

// Gives each target the face, then the size, italic and bold, skipping each assignment that fails.
// A size that is not a number, is 0 or below, or is above 1000 sets no size.
void apply_font_to_targets(const std::string& font_name, const std::string& font_size, bool font_bold,
                           bool font_itallic);

}  // namespace kv::fonts_languages
