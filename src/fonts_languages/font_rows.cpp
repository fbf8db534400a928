#include "fonts_languages/font_targets.h"

namespace kv::fonts_languages {

namespace {

constexpr FontRow rows[] = {
    {"Main_form",
     "section_label(all) down_section_label(all) about_txt Label13 Label14 Label15 Label16 Label17 "
     "platform_preview_label emulators_label Label2 Label1 switches_number list_item list_item2 list_item3 "
     "list_item4 list_item5 list_item6 list_item7 Framebar_title"},
    {"add_new", "Framebar_title Label1 Label2 Label3 Label4 Label5 Label6 Text1 Text2 Text3"},
    {"edit_form", "Framebar_title Label1 Label2 Label3 Label4 Label5 Label6 Text1 Text2 Text3"},
    {"skin_browser",
     "Framebar_title list_item list_item2 list_item3 list_item4 list_item5 list_item6 list_item7 Label1 "
     "Label2 "
     "Label10 Label11 Label12 Label13"},
    {"switches_form", "Framebar_title Text3 Label1 section_label(0) section_label(1)"},
    {"about_form",
     "Framebar_title Label10 Label12 Label6 Label1 Label2 Label3 Label4 Label5 Label11 Label7 Label8 "
     "help_cap"},
    {"options_form",
     "Framebar_title Label1 Label2 Label30 Label3 Label4 Label44 Label48 Label16 Label17 Label18 Label21 "
     "Label31 "
     "Label26 Text3 Text1 Label22 Label32 Label46 Label20 Label19 Label10 Label52 Label47 Label45 Label5 "
     "Label6 "
     "Label7 Label8 Label9 Label11 Label12 Label13 Label14 Label15"},
    {"font_browser",
     "Framebar_title list_item list_item2 list_item3 list_item4 list_item5 list_item6 list_item7 Label1 "
     "Label2 "
     "Label6 Text1 Label7 Label8 Label22 Label3"},
    {"messages_form", "Framebar_title Label31 Label22"},
    {"language_browser",
     "Framebar_title Label1 Label6 Label2 Label7 Label22 Label3 list_item list_item2 list_item3 list_item4 "
     "list_item5 list_item6 list_item7"},
};

}  // namespace

std::span<const FontRow> font_rows_launcher_and_browsers() {
    return rows;
}

}  // namespace kv::fonts_languages
