#include "toolkit/pressed_image.h"

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

}  // namespace kv::toolkit
