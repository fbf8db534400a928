#include "launcher/hide_form.h"

#include <string>

#include "forms/backend.h"
#include "launcher/main_form.h"
#include "toolkit/on_top.h"
#include "toolkit/windows.h"

namespace kv {

namespace {
constexpr float design_width = 120;
constexpr int slide_step = 500;
constexpr int tick_ms = 10;

forms::Timer& timer(forms::Timer& t) {
    t.set_interval(tick_ms);
    return t;
}
}  // namespace

hide_form::hide_form()
    : forms::Form("hide_form"),
      hideline(add<forms::Image>("hideline", 0, 0, design_width, 7200)),
      Timer1(timer(add<forms::Timer>("Timer1", 0, 0, 0, 0))),
      Timer2(timer(add<forms::Timer>("Timer2", 0, 0, 0, 0))) {
    move(0, 0);
    set_width(design_width);
    set_height(7200);
    hideline.set_stretch(true);
    // The strip picture covers the whole window, so its press is the window's.
    hideline.on_mouse_down = [this](const forms::MouseEvent&) { strip_MouseDown(); };
    Timer1.on_timer = [this] { Timer1_Timer(); };
    Timer2.on_timer = [this] { Timer2_Timer(); };
    Timer2.set_work(forms::Timer::Work::window_stacking);
    expose("saved_position(0)", [this] { return std::to_string(saved_position[0]); });
    expose("saved_position(1)", [this] { return std::to_string(saved_position[1]); });
}

void hide_form::Form_Load() {
    Timer2.set_enabled(true);
}

void hide_form::get_coordinates(int32_t cor0, int32_t cor1) {
    saved_position = {cor0, cor1};
}

void hide_form::size_all() {
    // Taken anew each time, since the skin may have changed since the last hide. Without a picture
    // the strip keeps its width: a strip nobody can see or press would lose the main window.
    const platform::Picture& picture = hideline.picture();
    if (!picture.empty()) hideline.set_width(static_cast<float>(picture.width_px() * forms::twips_per_pixel));
    set_width(hideline.width());
    set_height(forms::backend().screen_height());
    hideline.set_height(height());
}

void hide_form::strip_MouseDown() {
    // A slide back under way is not started again.
    if (Timer1.running()) return;
    auto& main = toolkit::form<Main_form>();
    main.show();
    main.set_top(static_cast<float>(saved_position[1]));
    main.set_left(-main.width());
    Timer1.set_enabled(true);
    hide();
}

void hide_form::Timer1_Timer() {
    auto& main = toolkit::form<Main_form>();
    const float left = main.left();
    const int64_t last_step_from = static_cast<int64_t>(saved_position[0]) - slide_step;
    if (static_cast<double>(left) <= static_cast<double>(last_step_from)) {
        main.set_left(left + static_cast<float>(slide_step));
        return;
    }
    main.set_left(static_cast<float>(saved_position[0]));
    Timer1.set_enabled(false);
    main.emulator_list.scroll_event.set_enabled(true);
}

void hide_form::Timer2_Timer() {
    if (visible()) toolkit::set_on_top(*this);
}

}  // namespace kv
