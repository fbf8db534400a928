#include "app/forms.h"
#include "launcher/main_form.h"
#include "skins/skin_browser.h"

namespace kv {

void Main_form::open_skin_browser() {
    // Only one list answers the wheel: the browser's while it is open.
    emulator_list.scroll_event.set_enabled(false);
    auto& browser = app::form<skin_browser>();
    // On the skin in use, so that Ok without a pick keeps it.
    browser.list.select_named(current_skin);
    browser.list.scroll_event.set_enabled(true);
    browser.show_modal(*this);
}

}  // namespace kv
