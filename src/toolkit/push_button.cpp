#include "toolkit/push_button.h"

#include "toolkit/control_style.h"
#include "toolkit/pressed_image.h"

namespace kv::toolkit {

forms::Label& build_push_button(forms::Form& form, const PushButton& b) {
    auto& box = form.add<forms::PictureBox>(b.box, b.left, b.top, b.width, b.height);
    auto& image =
        stretched(form.add<forms::Image>(b.image.name, 0, 0, b.width, 2 * b.height, &box, b.image.index));
    centred_text(form.add<forms::Label>(b.caption.name, 0, b.caption_top, b.width, b.caption_height, &box,
                                        b.caption.index),
                 b.caption_text);
    auto& click = click_label(form.add<forms::Label>(b.click_label, 0, 0, b.width, b.height, &box));
    attach_pressed_image(click, image);
    return click;
}

}  // namespace kv::toolkit
