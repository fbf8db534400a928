#include "fonts_languages/font_targets.h"

namespace kv::fonts_languages {

namespace {

constexpr FontRow rows[] = {
    {"configs_form",
     "Framebar_title Label10 Label2 Label3 Label4 down_section_label(0) down_section_label(1) "
     "down_section_label(2) down_section_label(3) down_section_label(4) list_item list_item2 list_item3 "
     "list_item4 list_item5 list_item6 list_item7"},
    {"ePSXe_config",
     "Framebar_title Label1 Label2 Label3 Label4 Label9 Label10 Label14 Label43 Label6 Label8 Label7 Text1 "
     "Text2 "
     "Text3 Label15 Label17 Label16 Label20 Label19 Label18 down_section_label(all) Label12 Label11 Label13"},
    {"PSXeven_config",
     "Framebar_title Label1 Label2 Label3 Label4 Label15 Label14 Label9 Label10 Label43 Label6 Label8 Label7 "
     "Label16 Text1 Text2 Text3 down_section_label(all) Label12 Label11 Label13"},
    {"PCSX_config",
     "Framebar_title Label1 Label2 Label15 Label4 Label3 Label13 Label9 Label10 Label43 Label6 Label16 "
     "Label7 "
     "Label8 Label14 Text1 Text3 down_section_label(all) Label12 Label11"},
    {"SSSPSX_config",
     "Framebar_title Label1 Label2 Label15 Label4 Label3 Label13 Label9 Label10 Label43 Label6 Label16 "
     "Label7 "
     "Label8 Label14 Label11 Label12 down_section_label(all)"},
    {"add_profile", "Framebar_title Label9 Text1 down_section_label(0) down_section_label(1)"},
    {"popup_form", "List1"},
};

}  // namespace

std::span<const FontRow> font_rows_profiles_and_editors() {
    return rows;
}

}  // namespace kv::fonts_languages
