#include "toolkit/push_button.h"

#include "toolkit/button_box.h"
#include "toolkit/pressed_image.h"

namespace kv::toolkit {

forms::Label& build_push_button(forms::Form& form, const PushButton& b) {
    const ButtonBoxNames names{b.box,         b.image.name,  b.caption.name,
                               b.click_label, b.image.index, b.caption.index};
    ButtonBox button = add_button_box(form, names, b.left, b.top, b.width, b.height, 2, b.caption_text,
                                      CaptionPlace{b.caption_top, b.caption_height});
    attach_pressed_image(button.mouse, button.image);
    return button.mouse;
}

}  // namespace kv::toolkit
