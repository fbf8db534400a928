#include "fonts_languages/font_browser.h"

#include "app/forms.h"
#include "launcher/options_form.h"
#include "platform/runtime.h"

namespace kv {

font_browser::font_browser()
    : toolkit::FramedForm(
          "font_browser",
          toolkit::FrameStyle{.design_title = "  Font browser", .width = 4095, .height = 2295}) {
    expose("font_bold2", [this] { return bool_text(font_bold2); });
    expose("font_itallic2", [this] { return bool_text(font_itallic2); });
}

void font_browser::Form_Load() {
    arrange_frame();
    font_bold2 = false;
    font_itallic2 = false;
    // The list of installed fonts is built here once fonts come.
}

void font_browser::change_font(const std::string& font_name, const std::string& font_size, bool font_bold,
                               bool font_itallic) {
    auto& options = app::form<options_form>();
    forms::Label& label = options.Label31;
    skip_failure([&] { label.set_caption(font_name); });
    skip_failure([&] { label.set_font_name(font_name); });
    skip_failure([&] { label.set_font_size(text_to_single(font_size)); });
    skip_failure([&] { label.set_font_italic(font_itallic); });
    skip_failure([&] { label.set_font_bold(font_bold); });
    // The other windows' text controls take the font once fonts come.
    skip_failure([&] { options.adjust_frames(); });
}

}  // namespace kv
