#include "fonts_languages/language_targets.h"

namespace kv::fonts_languages {

namespace {

constexpr std::string_view title = "  ";
constexpr std::string_view colon = ":";
constexpr std::string_view blank = " ";

constexpr LanguageRow rows[] = {
    // Main_form
    {6, "Main_form", "down_section_label(0)"},
    {7, "Main_form", "down_section_label(1)"},
    {8, "Main_form", "down_section_label(2)"},
    {9, "Main_form", "down_section_label(3)"},
    {10, "Main_form", "down_section_label(4)"},
    {11, "Main_form", "down_section_label(5)"},
    {11, "Main_form", "Label1"},
    {12, "Main_form", "down_section_label(6)"},
    {13, "Main_form", "down_section_label(7)"},
    {14, "Main_form", "down_section_label(8)"},
    {15, "Main_form", "down_section_label(9)"},
    {16, "Main_form", "platform_preview_label"},
    {17, "Main_form", "emulators_label"},
    {18, "Main_form", "Label2"},
    // add_new
    {22, "add_new", "Framebar_title", title, title},
    {24, "add_new", "Label1", "", colon},
    {25, "add_new", "Label3", "", colon},
    {26, "add_new", "Label2", "", colon},
    {100, "add_new", "Label4"},
    {101, "add_new", "Label5"},
    {107, "add_new", "add_new_error_message", "", "", true},
    // edit_form
    {23, "edit_form", "Framebar_title", title, title},
    {24, "edit_form", "Label1", "", colon},
    {25, "edit_form", "Label3", "", colon},
    {26, "edit_form", "Label2", "", colon},
    {100, "edit_form", "Label4"},
    {101, "edit_form", "Label5"},
    // skin_browser
    {30, "skin_browser", "Framebar_title", title, title},
    {31, "skin_browser", "Label2", "", colon},
    {32, "skin_browser", "Label1", "", colon},
    {100, "skin_browser", "Label12"},
    {101, "skin_browser", "Label13"},
    // switches_form
    {11, "switches_form", "Framebar_title", title, title},
    {100, "switches_form", "section_label(0)"},
    {101, "switches_form", "section_label(1)"},
    // about_form
    {15, "about_form", "Framebar_title", title, title},
    {100, "about_form", "Label6"},
    // options_form
    {36, "options_form", "Framebar_title", title, title},
    {37, "options_form", "Label1", "", colon},
    {38, "options_form", "Label16", blank},
    {39, "options_form", "Label17", blank},
    {40, "options_form", "Label18", blank},
    {41, "options_form", "Label2", "", colon},
    {42, "options_form", "Label30", "", colon},
    {43, "options_form", "Label5", "", colon},
    {44, "options_form", "Label7", blank},
    {45, "options_form", "Label3", "", colon},
    {46, "options_form", "Label4", "", colon},
    {47, "options_form", "Label44", "", colon},
    {48, "options_form", "Label48", blank, " (123 x 111)"},
    {100, "options_form", "Label10"},
    {101, "options_form", "Label19"},
    {102, "options_form", "Label20"},
    {103, "options_form", "Label22"},
    {103, "options_form", "Label32"},
    // font_browser
    {57, "font_browser", "Framebar_title", title, title},
    {58, "font_browser", "Label1", "", colon},
    {59, "font_browser", "Label6", "", colon},
    {100, "font_browser", "Label3"},
    {101, "font_browser", "Label22"},
    // messages_form
    {100, "messages_form", "Label22"},
    // language_browser
    {32, "language_browser", "Label6", "", colon},
    {52, "language_browser", "Framebar_title", title, title},
    {53, "language_browser", "Label1", "", colon},
    {100, "language_browser", "Label3"},
    {101, "language_browser", "Label22"},
};

struct LineRange {
    int first;
    int last;
};
constexpr LineRange ignored_ranges[] = {{1, 5},   {19, 21}, {27, 29}, {33, 35}, {49, 51},  {54, 56},
                                        {60, 62}, {67, 69}, {92, 94}, {97, 99}, {104, 106}};

}  // namespace

std::span<const LanguageRow> language_rows_launcher_and_browsers() {
    return rows;
}

bool ignored_language_line(int line) {
    for (const LineRange& r : ignored_ranges)
        if (line >= r.first && line <= r.last) return true;
    return false;
}

}  // namespace kv::fonts_languages
