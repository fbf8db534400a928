#include "app/window_roster.h"

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
#include "launcher/window_answers.h"
#include "plugins/popup_form.h"
#include "skins/skin_browser.h"
#include "toolkit/message_box.h"
#include "toolkit/messages_form.h"
#include "toolkit/windows.h"

namespace kv::app {

namespace {

using toolkit::RosterRow;

// The row of window T: reached through the directory, loaded or not.
template <typename T>
constexpr RosterRow row(std::string_view name, int title, int frame, int outline, int align, int opacity) {
    return {name,
            []() -> forms::Form& { return toolkit::form<T>(); },
            []() -> forms::Form& { return toolkit::form_without_load<T>(); },
            title,
            frame,
            outline,
            align,
            opacity};
}

// clang-format off
constexpr RosterRow rows[] = {
    // window                       name                title frame outline align opacity
    row<Main_form>(                 "Main_form",         1,  1,  1,  1,  1),
    row<add_new>(                   "add_new",           2,  4,  2,  3,  4),
    row<edit_form>(                 "edit_form",         3,  7,  3,  4,  5),
    row<font_browser>(              "font_browser",      4,  8,  7,  9,  6),
    row<messages_form>(    "messages_form",     5, 10,  9,  7,  9),
    row<options_form>(              "options_form",      6,  3,  6,  8,  2),
    row<skin_browser>(              "skin_browser",      7,  5,  5,  5,  7),
    row<switches_form>(             "switches_form",     8,  6,  4,  6, 10),
    row<about_form>(                "about_form",        9,  2,  8,  2,  3),
    row<language_browser>(          "language_browser", 10,  9, 10, 10,  8),
    row<configs_form>(              "configs_form",     11, 11, 11, 11, 11),
    row<add_profile>(               "add_profile",      12, 12, 12, 16, 12),
    row<ePSXe_config>(              "ePSXe_config",     13, 13, 13, 12, 13),
    row<PSXeven_config>(            "PSXeven_config",   14, 14, 14, 13, 14),
    row<PCSX_config>(               "PCSX_config",      15, 15, 15, 14, 15),
    row<SSSPSX_config>(             "SSSPSX_config",    16, 16, 16, 15, 16),
    row<game_prompt>(               "game_prompt",       0, 17,  0,  0,  0),
    row<hide_form>(                 "hide_form",         0,  0,  0,  0,  0),
    row<popup_form>(                "popup_form",        0,  0,  0,  0,  0),
};
// clang-format on

}  // namespace

void register_windows() {
    toolkit::set_window_roster(rows);
    launcher::route_window_answers();
    // Every message of the program, the toolkit's own included, goes to the one message box, under
    // the main window's caption.
    toolkit::set_message_box_source({[]() -> messages_form& { return toolkit::form<messages_form>(); },
                                     [] { return toolkit::form_without_load<Main_form>().caption(); }});
}

}  // namespace kv::app
