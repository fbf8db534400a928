#include "toolkit/pressed_image.h"

#include "forms/events.h"

namespace kv::toolkit {

void show_pressed(forms::Image& image, std::optional<float> pressed_top) {
    image.set_top(pressed_top ? *pressed_top : -(image.height() / 2.0f));
}

void show_released(forms::Image& image) {
    image.set_top(0);
}

bool shows_lower_half(const forms::Image& image) {
    return image.top() != 0;
}

void attach_pressed_image(forms::Control& label, forms::Image& image, std::optional<float> pressed_top) {
    label.on_mouse_down = [&image, pressed_top](const forms::MouseEvent&) {
        show_pressed(image, pressed_top);
    };
    label.on_mouse_up = [&image](const forms::MouseEvent&) { show_released(image); };
}

void make_tab_stop(forms::PictureBox& box, forms::Label& click_label, int tab_index) {
    box.set_tab_index(tab_index);
    box.on_key_press = [&click_label](int16_t& key_ascii) {
        if ((key_ascii == forms::keys::enter || key_ascii == forms::keys::space) && click_label.on_click)
            click_label.on_click();
    };
}

}  // namespace kv::toolkit
