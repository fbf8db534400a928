#include "fonts_languages/language_browser.h"

#include "fonts_languages/language_apply.h"
#include "fonts_languages/language_targets.h"
#include "model/language_file.h"
#include "model/skin_settings.h"
#include "platform/folder.h"
#include "platform/runtime.h"

namespace kv {

namespace {

using toolkit::CaptionDesign;
using toolkit::ControlDesign;
using toolkit::ControlType;

// "English.ini" gives "English".
constexpr std::size_t extension_length = 4;

constexpr toolkit::WindowRow rows[] = {
    CaptionDesign{"Label1", 2160, 440, 1815, "Local name:"},
    ControlDesign{ControlType::shape, {"Shape2"}, 2160, 680, 1815, 255},
    CaptionDesign{"Label2", 2190, 710, 1815, "Unknown"},
    CaptionDesign{"Label6", 2160, 1200, 1815, "Author:"},
    ControlDesign{ControlType::shape, {"Shape1"}, 2160, 1440, 1815, 255},
    CaptionDesign{"Label7", 2190, 1470, 1815, "Unknown"},
    toolkit::dialog_button("Picture17", 2160, 1800, "Image1", "Label22", "Cancel", "Label4"),
    toolkit::dialog_button("Picture1", 3120, 1800, "Image2", "Label3", "Ok", "Label5"),
};

}  // namespace

language_browser::language_browser()
    : toolkit::FramedForm(
          "language_browser",
          toolkit::FrameStyle{.design_title = "  Language browser  ", .width = 4095, .height = 2295}),
      list(*this, toolkit::ListLayout::language_browser(), toolkit::ListVariant::language_browser(),
           list_source()),
      design_(*this, {rows}),
      Label2(design_.get<forms::Label>("Label2")),
      Label7(design_.get<forms::Label>("Label7")),
      Label5(design_.get<forms::Label>("Label5")),
      Label22(design_.get<forms::Label>("Label22")),
      Label4(design_.get<forms::Label>("Label4")) {
    Label5.on_click = [this] { Label5_Click(); };
    Label4.on_click = [this] { Label4_Click(); };
    expose("selected_language", [this] { return selected_language; });
    expose("language_count", [this] { return std::to_string(language_list.size()); });
}

toolkit::ListSource language_browser::list_source() {
    toolkit::ListSource s = toolkit::vector_list_source(language_list, selected_language);
    s.follow_up = [this] { show_language_info(selected_language); };
    return s;
}

void language_browser::Form_Load() {
    arrange_frame();
    load_language_list();
    list.show_list();
}

void language_browser::load_language_list() {
    list.clear_list();
    // A missing folder lists nothing; an entry shorter than an extension names no language.
    for (const std::string& entry : platform::list_folder_entries(platform::program_folder() / "Languages"))
        if (entry.size() >= extension_length)
            language_list.push_back(entry.substr(0, entry.size() - extension_length));
}

void language_browser::show_language_info(const std::string& name) {
    Label7.set_visible(false);
    Label2.set_visible(false);
    platform::stop_at_failure([&] {
        const auto file = model::language_file(name);
        if (!file) throw platform::Failure("no language file " + name);
        model::SkinSettingsReader reader(*file, fonts_languages::language_file_lines);
        Label2.set_caption(model::line_value(reader.next_line()));
        Label7.set_caption(model::line_value(reader.next_line()));
        Label7.set_visible(true);
        Label2.set_visible(true);
    });
}

void language_browser::change_language(const std::string& language_name) {
    platform::stop_at_failure([&] {
        const auto file = model::language_file(language_name);
        if (!file) throw platform::Failure("no language file " + language_name);
        model::SkinSettingsReader reader(*file, fonts_languages::language_file_lines);
        if (language_named) language_named(language_name);
        fonts_languages::apply_language_lines(reader);
    });
    platform::skip_failure([&] {
        if (language_applied) language_applied();
    });
}

void language_browser::Label5_Click() {
    // With nothing listed there is nothing to apply.
    if (!selected_language.empty()) change_language(selected_language);
    list.scroll_event.set_enabled(false);
    hide();
}

void language_browser::Label4_Click() {
    list.scroll_event.set_enabled(false);
    hide();
}

}  // namespace kv
