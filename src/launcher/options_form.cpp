#include "launcher/options_form.h"

namespace kv {

namespace {
toolkit::FrameStyle frame_style() {
    toolkit::FrameStyle s;
    s.design_title = "  Options  ";
    s.width = 5655;
    s.height = 7575;
    s.middle_follows_left = true;
    s.left_end_natural_size = true;
    return s;
}

forms::Label& white(forms::Label& label, const char* caption) {
    label.set_transparent(true);
    label.set_fore_color(forms::rgb(255, 255, 255));
    label.set_caption(caption);
    return label;
}
}  // namespace

options_form::options_form()
    : toolkit::FramedForm("options_form", frame_style()),
      Label21(white(add<forms::Label>("Label21", 120, 2400, 4455, 255), "English")),
      Label31(white(add<forms::Label>("Label31", 120, 3120, 4455, 255), "Microsoft Sans Serif")),
      Text3(add<forms::TextBox>("Text3", 135, 6735, 5055, 225)) {
    Text3.set_locked(true);
    Text3.set_border(false);
}

void options_form::adjust_frames() {
    // The headings and their lines come with the options.
}

void options_form::Form_Load() {
    adjust_frames();
    arrange_frame();
}

}  // namespace kv
