// One opacity for the main window and its dialogs. The picker keeps its own alpha; the hide strip
// and the game prompt are never layered.
#include <algorithm>
#include <array>

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
#include "launcher/main_form.h"
#include "launcher/options_form.h"
#include "launcher/switches_form.h"
#include "platform/runtime.h"
#include "skins/skin_browser.h"
#include "toolkit/messages_form.h"
#include "toolkit/transparent.h"

namespace kv {

void Main_form::make_forms_transparent(int32_t& opacity_percantage) {
    opacity_percantage = std::clamp(opacity_percantage, 10, 100);
    opacity = static_cast<int16_t>(opacity_percantage);
    // Asking for a window loads it: at start-up this is where the dialogs are loaded, in this order.
    const std::array<forms::Form*, 16> windows{
        this,
        &app::form<options_form>(),
        &app::form<about_form>(),
        &app::form<add_new>(),
        &app::form<edit_form>(),
        &app::form<font_browser>(),
        &app::form<skin_browser>(),
        &app::form<language_browser>(),
        &app::form<toolkit::messages_form>(),
        &app::form<switches_form>(),
        &app::form<configs_form>(),
        &app::form<add_profile>(),
        &app::form<ePSXe_config>(),
        &app::form<PSXeven_config>(),
        &app::form<PCSX_config>(),
        &app::form<SSSPSX_config>(),
    };
    if (opacity == 100) {
        for (forms::Form* w : windows) toolkit::remove_transparency(*w);
        return;
    }
    const int16_t alpha = to_int16(static_cast<double>(opacity) * 2.5);
    for (forms::Form* w : windows) toolkit::set_transparency(*w, alpha);
}

}  // namespace kv
