#include <algorithm>
#include <iterator>
#include <vector>

#include "fonts_languages/language_targets.h"

namespace kv::fonts_languages {

namespace {

constexpr LanguageRow leading_rows[] = {
    // configs_form: its title has no blanks after the value.
    {14, "configs_form", "Framebar_title", title_padding},
    {63, "configs_form", "down_section_label(1)"},
    {64, "configs_form", "down_section_label(2)"},
    {65, "configs_form", "down_section_label(3)"},
    {66, "configs_form", "down_section_label(4)"},
    {100, "configs_form", "down_section_label(0)"},
    // Shown right after an emulator's name.
    {109, "configs_form", "no_emulator_message", leading_blank, "", true},
    {110, "configs_form", "no_path_message", leading_blank, "", true},
    // ePSXe_config
    {70, "ePSXe_config", "Framebar_title", "  ePSXe ", title_padding},
    {71, "ePSXe_config", "Label1", "", caption_colon},
    {72, "ePSXe_config", "Label2", "", caption_colon},
    {73, "ePSXe_config", "Label3", "", caption_colon},
    {74, "ePSXe_config", "Label4", "", caption_colon},
    {77, "ePSXe_config", "Label9", "", caption_colon},
    {78, "ePSXe_config", "Label10", "", caption_colon},
    {79, "ePSXe_config", "Label14", "", caption_colon},
    {80, "ePSXe_config", "Label15", leading_blank},
    {81, "ePSXe_config", "Label17", leading_blank},
    {82, "ePSXe_config", "Label16", leading_blank},
    {83, "ePSXe_config", "Label20", leading_blank},
    {84, "ePSXe_config", "Label19", leading_blank},
    {85, "ePSXe_config", "Label18", leading_blank},
    {86, "ePSXe_config", "down_section_label(0)"},
    {86, "ePSXe_config", "down_section_label(1)"},
    {86, "ePSXe_config", "down_section_label(3)"},
    {86, "ePSXe_config", "down_section_label(2)"},
    {87, "ePSXe_config", "down_section_label(4)"},
    {87, "ePSXe_config", "down_section_label(5)"},
    {87, "ePSXe_config", "down_section_label(6)"},
    {87, "ePSXe_config", "down_section_label(7)"},
    {88, "ePSXe_config", "down_section_label(8)"},
    {88, "ePSXe_config", "down_section_label(9)"},
    {88, "ePSXe_config", "down_section_label(10)"},
    {88, "ePSXe_config", "down_section_label(11)"},
    {91, "ePSXe_config", "not_selected", "", "", true},
    {100, "ePSXe_config", "down_section_label(12)"},
    {111, "ePSXe_config", "plugin_working", "", "", true},
    {112, "ePSXe_config", "plugin_not_working", "", "", true},
};

// A row of the plug-in editors below, for whichever window takes it.
struct EditorLine {
    int line;
    std::string_view target;
    std::string_view before = "";
    std::string_view after = "";
};

// PSXeven, PCSX and SSSPSX caption their pickers and buttons alike.
constexpr EditorLine picker_editor_lines[] = {
    // The pickers' headings, then the memory cards'.
    {71, "Label1", "", caption_colon},
    {72, "Label2", "", caption_colon},
    {73, "Label3", "", caption_colon},
    {75, "Label15", "", caption_colon},
    {76, "Label4", "", caption_colon},
    {77, "Label9", "", caption_colon},
    {78, "Label10", "", caption_colon},
    // Test, Configure and About under each of the five plug-in pickers.
    {86, "down_section_label(0)"},
    {86, "down_section_label(1)"},
    {86, "down_section_label(3)"},
    {86, "down_section_label(2)"},
    {86, "down_section_label(13)"},
    {87, "down_section_label(4)"},
    {87, "down_section_label(5)"},
    {87, "down_section_label(6)"},
    {87, "down_section_label(7)"},
    {87, "down_section_label(14)"},
    {88, "down_section_label(8)"},
    {88, "down_section_label(9)"},
    {88, "down_section_label(10)"},
    {88, "down_section_label(11)"},
    {88, "down_section_label(15)"},
    // Ok
    {100, "down_section_label(12)"},
};

struct PickerEditor {
    std::string_view window;
    std::string_view title;
    std::span<const EditorLine> own_lines;
};

constexpr EditorLine psxeven_lines[] = {{79, "Label14", "", caption_colon}};
constexpr EditorLine pcsx_lines[] = {
    {79, "Label13", "", caption_colon},
    {89, "down_section_label(16)"},
    {90, "down_section_label(17)"},
};
constexpr EditorLine ssspsx_lines[] = {{79, "Label13", "", caption_colon}};

constexpr PickerEditor picker_editors[] = {
    {"PSXeven_config", "  PSXeven ", psxeven_lines},
    {"PCSX_config", "  PCSX ", pcsx_lines},
    {"SSSPSX_config", "  SSSPSX ", ssspsx_lines},
};

constexpr LanguageRow trailing_rows[] = {
    // add_profile
    {95, "add_profile", "Framebar_title", title_padding, title_padding},
    {96, "add_profile", "Label9", "", caption_colon},
    {100, "add_profile", "down_section_label(0)"},
    {101, "add_profile", "down_section_label(1)"},
    {108, "add_profile", "add_profile_message", "", "", true},
};

std::vector<LanguageRow> all_rows() {
    std::vector<LanguageRow> rows(std::begin(leading_rows), std::end(leading_rows));
    for (const PickerEditor& editor : picker_editors) {
        rows.push_back({70, editor.window, "Framebar_title", editor.title, title_padding});
        // Each window's rows stay in line order.
        std::vector<EditorLine> lines;
        std::merge(std::begin(picker_editor_lines), std::end(picker_editor_lines), editor.own_lines.begin(),
                   editor.own_lines.end(), std::back_inserter(lines),
                   [](const EditorLine& a, const EditorLine& b) { return a.line < b.line; });
        for (const EditorLine& l : lines)
            rows.push_back({l.line, editor.window, l.target, l.before, l.after});
    }
    rows.insert(rows.end(), std::begin(trailing_rows), std::end(trailing_rows));
    return rows;
}

}  // namespace

std::span<const LanguageRow> language_rows_profiles_and_editors() {
    static const std::vector<LanguageRow> rows = all_rows();
    return rows;
}

}  // namespace kv::fonts_languages
