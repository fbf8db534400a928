#include "fonts_languages/language_browser.h"

#include "app/forms.h"
#include "launcher/options_form.h"
#include "platform/folder.h"
#include "platform/runtime.h"
#include "platform/text_file.h"

namespace kv {

language_browser::language_browser()
    : toolkit::FramedForm(
          "language_browser",
          toolkit::FrameStyle{.design_title = "  Language browser  ", .width = 4095, .height = 2295}) {}

void language_browser::Form_Load() {
    // The list of languages is built here once languages come.
    arrange_frame();
}

void language_browser::change_language(const std::string& language_name) {
    auto& options = app::form<options_form>();
    stop_at_failure([&] {
        const auto file = resolve_ignoring_case(
            program_folder(), std::filesystem::path("Languages") / (language_name + ".ini"));
        if (!file) throw Failure("no language file " + language_name);
        read_lines(*file);  // the file must open and read
        options.Label21.set_caption(language_name);
        // The captions and messages the file replaces come with languages.
    });
    skip_failure([&] { options.adjust_frames(); });
}

}  // namespace kv
