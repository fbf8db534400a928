// Minimising, and hiding the main window to a strip at the left screen edge.
#include "launcher/hide_form.h"
#include "launcher/main_form.h"
#include "platform/runtime.h"
#include "toolkit/windows.h"

namespace kv {

namespace {
constexpr float slide_step = 500;
}

void Main_form::Min_image_Click() {
    set_window_state(forms::WindowState::minimized);
}

bool Main_form::at_screen_edge() const {
    const auto& strip = toolkit::form_without_load<hide_form>();
    return Timer1.running() || strip.visible() || strip.Timer1.running();
}

void Main_form::hide_image_Click() {
    // A press while the window slides either way is ignored: two slides would fight over the window.
    if (at_screen_edge()) return;
    auto& strip = toolkit::form<hide_form>();
    strip.get_coordinates(platform::to_int32(left()), platform::to_int32(top()));
    emulator_list.scroll_event.set_enabled(false);
    Timer1.set_enabled(true);
}

void Main_form::take_place_before_hiding() {
    const auto& strip = toolkit::form_without_load<hide_form>();
    set_left(static_cast<float>(strip.saved_position[0]));
    set_top(static_cast<float>(strip.saved_position[1]));
}

void Main_form::stop_sliding_at_place() {
    // Where either slide would have ended.
    Timer1.set_enabled(false);
    toolkit::form<hide_form>().Timer1.set_enabled(false);
    take_place_before_hiding();
    emulator_list.scroll_event.set_enabled(true);
}

void Main_form::Timer1_Timer() {
    const float w = width();
    const float l = left();
    if (l >= -w) {
        set_left(l - slide_step);
        return;
    }
    Timer1.set_enabled(false);
    auto& strip = toolkit::form<hide_form>();
    strip.size_all();
    strip.show();
    hide();
}

}  // namespace kv
