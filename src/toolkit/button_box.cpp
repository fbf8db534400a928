#include "toolkit/button_box.h"

#include "toolkit/control_style.h"

namespace kv::toolkit {

ButtonBox add_button_box(forms::Form& form, const ButtonBoxNames& names, float left, float top, float width,
                         float height, int cells, const std::string& caption, CaptionPlace place) {
    auto& box = form.add<forms::PictureBox>(names.box, left, top, width, height);
    auto& image = stretched(form.add<forms::Image>(
        names.image, 0, 0, width, height * static_cast<float>(cells), &box, names.image_index));
    const float caption_height = place.height > 0 ? place.height : height;
    auto& text = centred_text(
        form.add<forms::Label>(names.caption, 0, place.top, width, caption_height, &box, names.caption_index),
        caption);
    auto& mouse = click_label(form.add<forms::Label>(names.mouse, 0, 0, width, height, &box));
    return ButtonBox{box, image, text, mouse};
}

}  // namespace kv::toolkit
