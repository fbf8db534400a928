// The main window's skin: loading one by name, and opening the skin browser on the one in use.
#include "launcher/main_form.h"
#include "skins/skin_bitmaps.h"
#include "skins/skin_browser.h"
#include "toolkit/windows.h"

namespace kv {

void Main_form::load_skin(const std::string& skin_name) {
    // The name changes only with the pictures: a skin that cannot be loaded whole leaves the look and
    // the name the settings will save as they were, and its failure goes to the caller.
    skins::apply_skin_bitmaps(skin_name);
    current_skin = skin_name;
}

void Main_form::open_skin_browser() {
    // Only one list answers the wheel: the browser's while it is open.
    emulator_list.scroll_event.set_enabled(false);
    auto& browser = toolkit::form<skin_browser>();
    // On the skin in use, so that Ok without a pick keeps it.
    browser.list.select_named(current_skin);
    browser.list.scroll_event.set_enabled(true);
    browser.show_modal(*this);
}

}  // namespace kv
