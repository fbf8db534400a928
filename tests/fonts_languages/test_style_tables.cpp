// Every row of the font and language tables names a control the program has, of the kind its
// assignment needs, and the tables reach what the windows show.
#include <gtest/gtest.h>

#include <iostream>
#include <set>
#include <string>

#include "app/forms.h"
#include "fonts_languages/font_targets.h"
#include "fonts_languages/language_targets.h"
#include "launcher/program_fixture.h"
#include "platform/forms/controls.h"
#include "skins/skin_bitmaps.h"

namespace kv {
namespace {

using fonts_languages::ControlTarget;

class StyleTables : public kvtest::ProgramTest {};

forms::Control* control_of(const ControlTarget& t) {
    forms::Form* form = app::form_named(t.window);
    if (!form) return nullptr;
    if (t.index == skins::single_control) return form->find(t.control);
    return form->find(t.control, t.index == skins::all_elements ? 0 : t.index);
}

// A row naming a control its window does not have fails.
bool check_there(const ControlTarget& t, const char* table) {
    if (control_of(t)) return true;
    ADD_FAILURE() << table << " row names a missing control: " << t.window << "." << t.control;
    return false;
}

TEST_F(StyleTables, EveryFontRowFindsATextControlOfItsWindow) {
    start();
    const auto& targets = fonts_languages::font_targets();
    EXPECT_EQ(targets.size(), 248u);
    std::set<std::string_view> windows;
    for (const ControlTarget& t : targets) {
        ASSERT_NE(app::form_named(t.window), nullptr) << t.window;
        windows.insert(t.window);
        if (!check_there(t, "font")) continue;
        forms::Control* c = control_of(t);
        const bool text_box = t.control.starts_with("Text");
        if (t.control == "List1")
            EXPECT_NE(dynamic_cast<forms::ListBox*>(c), nullptr) << t.window;
        else if (text_box)
            EXPECT_NE(dynamic_cast<forms::TextBox*>(c), nullptr) << t.window << "." << t.control;
        else
            EXPECT_NE(dynamic_cast<forms::Label*>(c), nullptr) << t.window << "." << t.control;
    }
    EXPECT_EQ(windows.size(), 17u);
    EXPECT_EQ(windows.count("hide_form") + windows.count("game_prompt"), 0u);
}

TEST_F(StyleTables, EveryLanguageRowFindsALabelOrAMessageText) {
    start();
    int captions = 0;
    int messages = 0;
    std::set<std::string_view> windows;
    std::set<int> used_lines;
    auto walk = [&](std::span<const fonts_languages::LanguageRow> rows) {
        int last_line = 0;
        std::string_view last_window;
        for (const auto& row : rows) {
            // Each window's rows are one block, in line order.
            if (row.window == last_window) {
                EXPECT_GE(row.line, last_line) << row.window << " " << row.line;
            }
            EXPECT_TRUE(windows.insert(row.window).second || row.window == last_window) << row.window;
            last_window = row.window;
            last_line = row.line;
            EXPECT_FALSE(fonts_languages::ignored_language_line(row.line)) << row.line;
            EXPECT_GE(row.line, 6);
            EXPECT_LE(row.line, fonts_languages::language_file_lines);
            used_lines.insert(row.line);
            if (row.message) {
                ++messages;
                EXPECT_NE(fonts_languages::language_message_text(row.window, row.target), nullptr)
                    << row.target;
                continue;
            }
            ++captions;
            for (const auto& t : fonts_languages::parse_targets(row.window, row.target)) {
                if (!check_there(t, "language")) continue;
                EXPECT_NE(dynamic_cast<forms::Label*>(control_of(t)), nullptr)
                    << t.window << "." << t.control;
            }
        }
    };
    walk(fonts_languages::language_rows_launcher_and_browsers());
    walk(fonts_languages::language_rows_profiles_and_editors());
    EXPECT_EQ(captions, 179);
    EXPECT_EQ(messages, 7);
    EXPECT_EQ(windows.size(), 16u);
    // Every line from 6 to 112 is either used or ignored.
    for (int line = 6; line <= fonts_languages::language_file_lines; ++line)
        EXPECT_NE(used_lines.count(line) == 1, fonts_languages::ignored_language_line(line)) << line;
}

}  // namespace
}  // namespace kv
