#include "toolkit/button_box.h"

#include "toolkit/control_style.h"

namespace kv::toolkit {

ButtonBox add_button_box(forms::Form& form, const ButtonBoxNames& names, float left, float top, float width,
                         float height, int cells, const std::string& caption) {
    auto& box = form.add<forms::PictureBox>(names.box, left, top, width, height);
    auto& image =
        stretched(form.add<forms::Image>(names.image, 0, 0, width, height * static_cast<float>(cells), &box));
    auto& text = centred_text(form.add<forms::Label>(names.caption, 0, 80, width, height, &box), caption);
    auto& mouse = click_label(form.add<forms::Label>(names.mouse, 0, 0, width, height, &box));
    return ButtonBox{box, image, text, mouse};
}

}  // namespace kv::toolkit
