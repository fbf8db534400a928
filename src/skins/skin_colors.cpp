#include "skins/skin_colors.h"

#include <string>

#include "platform/runtime.h"
#include "skins/control_targets.h"
#include "skins/skin_bitmaps.h"
#include "toolkit/windows.h"

namespace kv::skins {

namespace {

constexpr int title_colour_line = 6;
constexpr int list_selected_line = 13;
constexpr int first_color_line = 6;
constexpr int last_color_line = 25;

// One window's targets on one line, as blank-separated control names; "name(3)" is one element,
// "name(all)" every element.
struct ColorRow {
    int line;
    Paint paint;
    std::string_view window;
    std::string_view controls;
};

constexpr ColorRow rows[] = {
    {7, Paint::fore, "Main_form", "section_label(all)"},
    {8, Paint::fore, "Main_form", "down_section_label(all)"},
    {9, Paint::fore, "Main_form", "about_txt"},
    {10, Paint::fore, "Main_form", "Label13 Label14 Label15 Label16 Label17"},
    {11, Paint::fore, "Main_form", "platform_preview_label emulators_label Label1 Label2 switches_number"},
    {12, Paint::fore, "Main_form",
     "list_item list_item2 list_item3 list_item4 list_item5 list_item6 list_item7"},
    {12, Paint::fore, "configs_form",
     "list_item list_item2 list_item3 list_item4 list_item5 list_item6 list_item7"},
    {14, Paint::fore, "add_new", "Label5 Label4 Label6"},
    {14, Paint::fore, "edit_form", "Label5 Label4 Label6"},
    {14, Paint::fore, "switches_form", "section_label(0) section_label(1) Label1"},
    {14, Paint::fore, "options_form", "Label22 Label32 Label10 Label19 Label20 Label46"},
    {14, Paint::fore, "about_form", "Label6"},
    {14, Paint::fore, "messages_form", "Label22"},
    {14, Paint::fore, "configs_form",
     "down_section_label(0) down_section_label(1) down_section_label(2) down_section_label(3) "
     "down_section_label(4)"},
    {14, Paint::fore, "add_profile", "down_section_label(0) down_section_label(1)"},
    {14, Paint::fore, "ePSXe_config", "Label12 Label11 Label13"},
    {14, Paint::fore, "PSXeven_config", "Label12 Label11 Label13"},
    {14, Paint::fore, "PCSX_config", "Label12 Label11"},
    {14, Paint::fore, "ePSXe_config", "down_section_label(all)"},
    {14, Paint::fore, "PSXeven_config", "down_section_label(all)"},
    {14, Paint::fore, "PCSX_config", "down_section_label(all)"},
    {14, Paint::fore, "SSSPSX_config", "down_section_label(all)"},
    {15, Paint::back, "add_new", "Text1 Text2 Text3"},
    {15, Paint::back, "edit_form", "Text1 Text2 Text3"},
    {15, Paint::back, "options_form", "Text1 Text3"},
    {15, Paint::back, "switches_form", "Text3"},
    {15, Paint::back, "Main_form", "Picture32"},
    {15, Paint::back, "add_profile", "Text1"},
    {15, Paint::back, "ePSXe_config", "Text1 Text2 Text3"},
    {15, Paint::back, "PSXeven_config", "Text1 Text2 Text3"},
    {15, Paint::back, "PCSX_config", "Text1 Text3"},
    {16, Paint::fore, "add_new", "Text1 Text2 Text3"},
    {16, Paint::fore, "edit_form", "Text1 Text2 Text3"},
    {16, Paint::fore, "switches_form", "Text3"},
    {16, Paint::fore, "options_form", "Text1 Text3"},
    {16, Paint::fore, "add_profile", "Text1"},
    {16, Paint::fore, "ePSXe_config", "Text1 Text2 Text3"},
    {16, Paint::fore, "PSXeven_config", "Text1 Text2 Text3"},
    {16, Paint::fore, "PCSX_config", "Text1 Text3"},
    {17, Paint::border, "add_new", "Shape1 Shape2 Shape3"},
    {17, Paint::border, "edit_form", "Shape1 Shape2 Shape3"},
    {17, Paint::border, "switches_form", "Shape2"},
    {17, Paint::border, "options_form", "Shape1 Shape2"},
    {17, Paint::border, "add_profile", "Shape1"},
    {17, Paint::border, "ePSXe_config", "Shape1 Shape2 Shape3"},
    {17, Paint::border, "PSXeven_config", "Shape1 Shape2 Shape3"},
    {17, Paint::border, "PCSX_config", "Shape1 Shape2"},
    {18, Paint::fore, "add_new", "Label1 Label2 Label3"},
    {18, Paint::fore, "edit_form", "Label1 Label2 Label3"},
    {18, Paint::fore, "options_form",
     "Label16 Label17 Label18 Label21 Label31 Label26 Label48 Label7 Label15 Label14 Label13 Label12 Label11 "
     "Label9 Label8 Label45 Label47 Label52"},
    {18, Paint::fore, "messages_form", "Label31"},
    {18, Paint::fore, "about_form", "help_cap Label1 Label2 Label3 Label4 Label5 Label11 Label7"},
    {18, Paint::fore, "add_profile", "Label9"},
    {18, Paint::fore, "ePSXe_config",
     "Label1 Label2 Label3 Label4 Label9 Label10 Label14 Label15 Label16 Label17 Label18 Label19 Label20"},
    {18, Paint::fore, "PSXeven_config", "Label1 Label2 Label3 Label4 Label15 Label14 Label9 Label10"},
    {18, Paint::fore, "PCSX_config", "Label1 Label2 Label3 Label4 Label15 Label9 Label10 Label13"},
    {18, Paint::fore, "SSSPSX_config", "Label1 Label2 Label15 Label4 Label3 Label13 Label10 Label9"},
    {19, Paint::fore, "about_form", "Label8"},
    {20, Paint::fore, "about_form", "Label10 Label12"},
    {20, Paint::fore, "configs_form", "Label10 Label2 Label3 Label4"},
    {21, Paint::border, "about_form", "Shape1 Shape2"},
    {21, Paint::border, "configs_form", "Shape2"},
    {22, Paint::fore, "options_form", "Label1 Label2 Label30 Label3 Label4 Label5 Label44"},
    {23, Paint::border, "options_form", "Line1 Line2 Line3 Line4 Line6 Line7 Line8"},
    {24, Paint::border, "options_form", "Line5"},

    // The three browsers.
    {12, Paint::fore, "skin_browser",
     "list_item list_item2 list_item3 list_item4 list_item5 list_item6 list_item7"},
    {12, Paint::fore, "font_browser",
     "list_item list_item2 list_item3 list_item4 list_item5 list_item6 list_item7"},
    {12, Paint::fore, "language_browser",
     "list_item list_item2 list_item3 list_item4 list_item5 list_item6 list_item7"},
    {14, Paint::fore, "skin_browser", "Label12 Label13"},
    {14, Paint::fore, "font_browser", "Label22 Label3 Label7 Label8"},
    {14, Paint::fore, "language_browser", "Label22 Label3"},
    {15, Paint::back, "skin_browser", "Shape1 Shape2"},
    {15, Paint::back, "font_browser", "Text1"},
    {15, Paint::back, "language_browser", "Shape1 Shape2"},
    {16, Paint::fore, "font_browser", "Text1"},
    {16, Paint::fore, "language_browser", "Label7 Label2"},
    {16, Paint::fore, "skin_browser", "Label10 Label11"},
    {17, Paint::border, "skin_browser", "Shape1 Shape2"},
    {17, Paint::border, "font_browser", "Shape1"},
    {17, Paint::border, "language_browser", "Shape1 Shape2"},
    {18, Paint::fore, "skin_browser", "Label1 Label2"},
    {18, Paint::fore, "font_browser", "Label1 Label2 Label6"},
    {18, Paint::fore, "language_browser", "Label6 Label1"},

    // The plug-in picker (its list box and the four border boxes).
    {15, Paint::back, "popup_form", "List1"},
    {16, Paint::fore, "popup_form", "List1"},
    {17, Paint::border, "popup_form", "Picture1 Picture2 Picture3 Picture4"},

    // The editors' name labels of the chosen plug-ins, BIOS images and memory cards.
    {25, Paint::fore, "ePSXe_config", "Label43 Label6 Label8 Label7"},
    {25, Paint::fore, "PSXeven_config", "Label43 Label6 Label8 Label7 Label16"},
    {25, Paint::fore, "PCSX_config", "Label43 Label6 Label8 Label7 Label16 Label14"},
    {25, Paint::fore, "SSSPSX_config", "Label43 Label6 Label8 Label7 Label16 Label14 Label11 Label12"},
};

void add_targets(const ColorRow& row, std::vector<ColorTarget>& out) {
    for (const ControlTarget& t : parse_targets(row.window, row.controls))
        out.push_back({row.line, row.paint, t.window, t.control, t.index});
}

void paint(forms::Control& c, Paint how, forms::Color colour) {
    auto* shape = dynamic_cast<forms::Shape*>(&c);
    auto* line = dynamic_cast<forms::Line*>(&c);
    switch (how) {
        case Paint::fore:
            c.set_fore_color(colour);
            return;
        case Paint::back:
            if (shape) return shape->set_fill_color(colour);
            return c.set_back_color(colour);
        case Paint::border:
            if (shape) return shape->set_border_color(colour);
            if (line) return line->set_border_color(colour);
            return c.set_back_color(colour);
    }
}

// A bad value fails before its line sets anything, also on a line none of whose controls is here yet:
// the reading stops there either way.
void apply_line(int line, const std::string& value) {
    const forms::Color colour = color_value(value);
    for (const ColorTarget& t : skin_color_targets()) {
        if (t.line != line) continue;
        for_each_control({t.window, t.control, t.index},
                         [&](forms::Control& c) { paint(c, t.paint, colour); });
    }
}

}  // namespace

const std::vector<ColorTarget>& skin_color_targets() {
    static const std::vector<ColorTarget> targets = [] {
        std::vector<ColorTarget> out;
        for (std::string_view window : toolkit::windows_in_order(&toolkit::RosterRow::title_colour))
            out.push_back({title_colour_line, Paint::fore, window, "Framebar_title", single_control});
        for (const ColorRow& row : rows) add_targets(row, out);
        return out;
    }();
    return targets;
}

forms::Color color_value(std::string_view value) {
    const int32_t v = platform::text_to_int32(value);
    if (v < 0 || v > 0xFFFFFF) throw platform::Failure("not a colour: " + std::string(value));
    return static_cast<forms::Color>(v);
}

void apply_skin_colors(model::SkinSettingsReader& reader, int32_t& list_selected) {
    while (reader.lines_read() < first_color_line - 1) reader.next_line();
    for (int line = first_color_line; line <= last_color_line; ++line) {
        const std::string value = model::line_value(reader.next_line());
        if (line == list_selected_line)
            list_selected = platform::text_to_int32(value);
        else
            apply_line(line, value);
    }
}

}  // namespace kv::skins
