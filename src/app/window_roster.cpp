#include "app/window_roster.h"

#include <algorithm>

#include "app/forms.h"
#include "configs/add_profile.h"
#include "configs/configs_form.h"
#include "configs/epsxe_config.h"
#include "configs/pcsx_config.h"
#include "configs/psxeven_config.h"
#include "configs/ssspsx_config.h"
#include "fonts_languages/font_browser.h"
#include "fonts_languages/language_browser.h"
#include "launcher/about_form.h"
#include "launcher/add_new.h"
#include "launcher/edit_form.h"
#include "launcher/game_prompt.h"
#include "launcher/hide_form.h"
#include "launcher/main_form.h"
#include "launcher/options_form.h"
#include "launcher/switches_form.h"
#include "plugins/popup_form.h"
#include "skins/skin_browser.h"
#include "toolkit/messages_form.h"

namespace kv::app {

namespace {

template <typename T>
forms::Form& get() {
    return form<T>();
}

// clang-format off
constexpr WindowRow rows[] = {
    // name               window                           title frame outline align opacity
    {"Main_form",        get<Main_form>,                  1,    1,    1,      1,    1},
    {"add_new",          get<add_new>,                    2,    4,    2,      3,    4},
    {"edit_form",        get<edit_form>,                  3,    7,    3,      4,    5},
    {"font_browser",     get<font_browser>,               4,    8,    7,      9,    6},
    {"messages_form",    get<toolkit::messages_form>,     5,    10,   9,      7,    9},
    {"options_form",     get<options_form>,               6,    3,    6,      8,    2},
    {"skin_browser",     get<skin_browser>,               7,    5,    5,      5,    7},
    {"switches_form",    get<switches_form>,              8,    6,    4,      6,    10},
    {"about_form",       get<about_form>,                 9,    2,    8,      2,    3},
    {"language_browser", get<language_browser>,           10,   9,    10,     10,   8},
    {"configs_form",     get<configs_form>,               11,   11,   11,     11,   11},
    {"add_profile",      get<add_profile>,                12,   12,   12,     16,   12},
    {"ePSXe_config",     get<ePSXe_config>,               13,   13,   13,     12,   13},
    {"PSXeven_config",   get<PSXeven_config>,             14,   14,   14,     13,   14},
    {"PCSX_config",      get<PCSX_config>,                15,   15,   15,     14,   15},
    {"SSSPSX_config",    get<SSSPSX_config>,              16,   16,   16,     15,   16},
    {"game_prompt",      get<game_prompt>,                0,    17,   0,      0,    0},
    {"hide_form",        get<hide_form>,                  0,    0,    0,      0,    0},
    {"popup_form",       get<popup_form>,                 0,    0,    0,      0,    0},
};
// clang-format on

}  // namespace

std::span<const WindowRow> window_roster() {
    return rows;
}

std::vector<std::string_view> windows_in_order(int WindowRow::*place) {
    std::vector<const WindowRow*> taking_part;
    for (const WindowRow& row : rows)
        if (row.*place > 0) taking_part.push_back(&row);
    std::sort(taking_part.begin(), taking_part.end(),
              [place](const WindowRow* a, const WindowRow* b) { return a->*place < b->*place; });
    std::vector<std::string_view> names;
    for (const WindowRow* row : taking_part) names.push_back(row->name);
    return names;
}

}  // namespace kv::app
