#include "toolkit/control_style.h"

namespace kv::toolkit {

forms::Image& stretched(forms::Image& image) {
    image.set_stretch(true);
    return image;
}

forms::Label& click_label(forms::Label& label) {
    label.set_transparent(true);
    return label;
}

forms::Label& white_text(forms::Label& label, const std::string& caption) {
    label.set_transparent(true);
    label.set_fore_color(white);
    label.set_caption(caption);
    return label;
}

forms::Label& centred_text(forms::Label& label, const std::string& caption) {
    label.set_alignment(forms::Alignment::center);
    return white_text(label, caption);
}

}  // namespace kv::toolkit
