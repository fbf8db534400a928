#include "launcher/window_answers.h"

#include <string>
#include <vector>

#include "configs/configs_form.h"
#include "fonts_languages/font_browser.h"
#include "fonts_languages/language_browser.h"
#include "launcher/main_form.h"
#include "launcher/options_form.h"
#include "skins/skin_browser.h"
#include "toolkit/windows.h"

namespace kv::launcher {

namespace {

// Only one list answers the wheel: the main window's again once a window it opened closes.
void main_list_takes_the_wheel() {
    toolkit::form<Main_form>().emulator_list.scroll_event.set_enabled(true);
}

}  // namespace

void route_window_answers() {
    skin_browser::load_chosen_skin = [](const std::string& skin) {
        toolkit::form<Main_form>().load_skin(skin);
    };
    skin_browser::closed = main_list_takes_the_wheel;
    // The options window shows the font and language in use and keeps them for the settings.
    font_browser::font_named = [](const std::string& name) {
        toolkit::form<options_form>().Label31.set_caption(name);
    };
    font_browser::font_applied = [] { toolkit::form<options_form>().adjust_frames(); };
    language_browser::language_named = [](const std::string& name) {
        toolkit::form<options_form>().Label21.set_caption(name);
    };
    language_browser::language_applied = [] { toolkit::form<options_form>().adjust_frames(); };
    configs_form::psx_records = []() -> const std::vector<std::string>& {
        return toolkit::form<Main_form>().PSX_emu;
    };
    configs_form::closed = main_list_takes_the_wheel;
}

}  // namespace kv::launcher
