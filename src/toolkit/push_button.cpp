#include "toolkit/push_button.h"

#include "toolkit/button_box.h"
#include "toolkit/pressed_image.h"

namespace kv::toolkit {

forms::Label& build_push_button(forms::Form& form, const PushButton& b) {
    const ButtonBoxNames names{b.box,         b.image.name,  b.caption.name,
                               b.click_label, b.image.index, b.caption.index};
    ButtonBox button = add_button_box(form, names, b.left, b.top, b.width, b.height, 2, b.caption_text,
                                      CaptionPlace{b.caption_top, b.caption_height});
    button.image.set_stretch(b.stretched);
    button.caption.set_word_wrap(has(b.caption_look, TextLook::wrapped));
    if (!has(b.caption_look, TextLook::centred)) button.caption.set_alignment(forms::Alignment::left);
    attach_pressed_image(button.mouse, button.image, b.pressed_top);
    return button.mouse;
}

}  // namespace kv::toolkit
