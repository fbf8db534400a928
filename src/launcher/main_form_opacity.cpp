// One opacity for the main window and its dialogs. The picker keeps its own alpha; the hide strip
// and the game prompt are never layered.
#include <algorithm>
#include <vector>

#include "launcher/main_form.h"
#include "platform/runtime.h"
#include "toolkit/transparent.h"
#include "toolkit/windows.h"

namespace kv {

void Main_form::make_forms_transparent(int32_t& opacity_percantage) {
    opacity_percantage = std::clamp(opacity_percantage, 10, 100);
    opacity = static_cast<int16_t>(opacity_percantage);
    // Asking for a window loads it: at start-up this is where the dialogs are loaded, in this order.
    std::vector<forms::Form*> windows;
    for (std::string_view name : toolkit::windows_in_order(&toolkit::RosterRow::opacity))
        windows.push_back(toolkit::form_named(name));
    if (opacity == 100) {
        for (forms::Form* w : windows) toolkit::remove_transparency(*w);
        return;
    }
    const int16_t alpha = platform::to_int16(static_cast<double>(opacity) * 2.5);
    for (forms::Form* w : windows) toolkit::set_transparency(*w, alpha);
}

}  // namespace kv
