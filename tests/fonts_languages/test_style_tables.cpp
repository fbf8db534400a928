// Every row of the font and language tables names a control the program has, of the kind its
// assignment needs, and the tables reach what the windows show.
#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <set>
#include <string>

#include "fonts_languages/font_targets.h"
#include "fonts_languages/language_targets.h"
#include "forms/controls.h"
#include "launcher/program_fixture.h"
#include "skins/skin_bitmaps.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

using skins::ControlTarget;

class StyleTables : public kvtest::ProgramTest {};

forms::Control* control_of(const ControlTarget& t) {
    forms::Form* form = toolkit::form_named(t.window);
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
    std::set<std::string_view> windows;
    for (const ControlTarget& t : targets) {
        ASSERT_NE(toolkit::form_named(t.window), nullptr) << t.window;
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
    // Every window with a skinned title shows text the user's font must reach; the hide strip and the
    // game prompt show none.
    for (const toolkit::RosterRow& row : toolkit::window_roster())
        if (row.title_colour > 0) {
            EXPECT_TRUE(windows.contains(row.name)) << row.name << " has no font row";
        }
    EXPECT_EQ(windows.count("hide_form") + windows.count("game_prompt"), 0u);
}

TEST_F(StyleTables, EveryLanguageRowFindsALabelOrAMessageText) {
    start();
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
                EXPECT_NE(fonts_languages::language_message_text(row.window, row.target), nullptr)
                    << row.target;
                continue;
            }
            for (const auto& t : skins::parse_targets(row.window, row.target)) {
                if (!check_there(t, "language")) continue;
                EXPECT_NE(dynamic_cast<forms::Label*>(control_of(t)), nullptr)
                    << t.window << "." << t.control;
            }
        }
    };
    walk(fonts_languages::language_rows_launcher_and_browsers());
    walk(fonts_languages::language_rows_profiles_and_editors());
    // Every window with a skinned title has its texts in the language file.
    for (const toolkit::RosterRow& row : toolkit::window_roster())
        if (row.title_colour > 0) {
            EXPECT_TRUE(windows.contains(row.name)) << row.name << " has no language row";
        }
    // Every line from 6 to 112 is either used or ignored.
    for (int line = 6; line <= fonts_languages::language_file_lines; ++line)
        EXPECT_NE(used_lines.count(line) == 1, fonts_languages::ignored_language_line(line)) << line;
}

// No control is set twice, and the three editors that share their rows each get all of them under
// their own name, with their own heading for line 79 and PCSX's two folder buttons.
TEST(LanguageRows, EachWindowSetsEachControlOnce) {
    std::map<std::string, int> per_window;
    std::set<std::string> seen;
    std::map<std::string, std::string> line_79;
    for (auto rows : {fonts_languages::language_rows_launcher_and_browsers(),
                      fonts_languages::language_rows_profiles_and_editors()})
        for (const auto& row : rows) {
            const std::string window(row.window);
            ++per_window[window];
            EXPECT_TRUE(seen.insert(window + "." + std::string(row.target)).second)
                << window << "." << row.target;
            if (row.line == 79) line_79[window] = row.target;
            if (row.line == 70) {
                EXPECT_EQ(row.before, "  " + window.substr(0, window.find('_')) + " ");
            }
        }
    EXPECT_GT(per_window["PSXeven_config"], 0);
    EXPECT_EQ(per_window["SSSPSX_config"], per_window["PSXeven_config"]);
    EXPECT_EQ(per_window["PCSX_config"], per_window["PSXeven_config"] + 2);
    EXPECT_EQ(line_79, (std::map<std::string, std::string>{{"ePSXe_config", "Label14"},
                                                           {"PSXeven_config", "Label14"},
                                                           {"PCSX_config", "Label13"},
                                                           {"SSSPSX_config", "Label13"}}));
}

}  // namespace
}  // namespace kv
