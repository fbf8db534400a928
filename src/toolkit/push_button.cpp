#include "toolkit/push_button.h"

#include "toolkit/control_style.h"
#include "toolkit/pressed_image.h"

namespace kv::toolkit {

forms::Label& build_push_button(forms::Form& form, const PushButton& b) {
    // Front to back: the click label, the caption, then the picture, two states high.
    auto& box = form.add<forms::PictureBox>(b.box, b.left, b.top, b.width, b.height);
    auto& image = form.add<forms::Image>(b.image.name, 0, 0, b.width, 2 * b.height, &box, b.image.index);
    image.set_stretch(b.stretched);
    // A caption height of 0 makes the caption as tall as the box.
    const float caption_height = b.caption_height > 0 ? b.caption_height : b.height;
    auto& caption = form.add<forms::Label>(b.caption.name, 0, b.caption_top, b.width, caption_height, &box,
                                           b.caption.index);
    if (has(b.caption_look, TextLook::centred)) caption.set_alignment(forms::Alignment::center);
    white_text(caption, b.caption_text);
    caption.set_word_wrap(has(b.caption_look, TextLook::wrapped));
    auto& mouse = click_label(form.add<forms::Label>(b.click_label, 0, 0, b.width, b.height, &box));
    attach_pressed_image(mouse, image, b.pressed_top);
    return mouse;
}

}  // namespace kv::toolkit
