// The main window's settings: Config.ini read and applied at start-up, written at the end.

#include "fonts_languages/font_browser.h"
#include "fonts_languages/language_browser.h"
#include "forms/backend.h"
#include "forms/screen_place.h"
#include "launcher/main_form.h"
#include "launcher/options_form.h"
#include "model/language_file.h"
#include "platform/folder.h"
#include "platform/runtime.h"
#include "platform/text_file.h"
#include "skins/design_pictures.h"
#include "skins/skin_browser.h"
#include "toolkit/push_button.h"
#include "toolkit/windows.h"

namespace kv {

namespace {

constexpr float first_section_left = 120;
// The shown section buttons stand side by side.
constexpr float section_step = toolkit::button_width;

}  // namespace

std::filesystem::path settings_path() {
    const auto folder = platform::program_folder();
    return platform::find_named_path(folder, "Config.ini");
}

void Main_form::read_config() {
    config_file_ = start_up_file(&settings_path, "Config.ini", "the settings start as they are by default",
                                 config_unreadable_why_);
    std::vector<std::string> lines;
    std::error_code ec;
    if (!config_unreadable_why_ &&
        std::filesystem::status(config_file_, ec).type() != std::filesystem::file_type::not_found) {
        // A file that is there but cannot be read still holds the user's settings: keep it at the end.
        try {
            lines = platform::read_lines(config_file_);
        } catch (const platform::Failure& failure) {
            config_unreadable_why_ = failure.what();
        }
    }
    const model::SettingsReading r = model::read_settings_lines(lines);

    // Applied in the order of the lines; whatever the reading did not reach keeps its default.
    platform::stop_at_failure([&] {
        auto& screen = forms::backend();
        if (r.left) set_left(r.left->center ? screen.screen_width() / 2 - width() / 2 : r.left->twips);
        if (r.top) set_top(r.top->center ? screen.screen_height() / 2 - height() / 2 : r.top->twips);
        if (r.skin) current_skin = *r.skin;
        if (r.font)
            toolkit::form<font_browser>().change_font(r.font->name, r.font->size, r.font->bold,
                                                      r.font->italic);
        apply_section_flags(r.section_flags);
        if (r.launcher_state) set_launcher_state(*r.launcher_state);
        if (r.path_override) path_override = *r.path_override;
        if (r.opacity) {
            int32_t percent = *r.opacity;
            make_forms_transparent(percent);
        }
        for (std::size_t k = 0; k < r.section_titles.size() && k < model::section_count; ++k)
            section_label[k]->set_caption(r.section_titles[k]);
        if (r.misc_image) misc_image_enabled = *r.misc_image;
        if (r.misc_image_location) {
            toolkit::form<options_form>().Text3.set_text(*r.misc_image_location);
            if (!r.misc_image_location->empty()) load_misc_picture(*r.misc_image_location);
        }
    });
    keep_on_a_screen();

    // The skin, its colours and the language apply however far the reading came.
    const std::string language_name = r.language.value_or("");
    // A skin that does not load whole changes nothing; the program's own skin stands in for it, and
    // without any loadable skin the windows wear Midnight's pictures built into the program. Those are
    // only decoded then: a skin that loads dresses every one of the same controls.
    const std::string skin_name = current_skin;
    if (start_up_step("The skin \"" + skin_name + "\" was not loaded", [&] { load_skin(skin_name); }) &&
        platform::skip_failure([&] { load_skin("Midnight"); }))
        platform::skip_failure([] { skins::apply_design_pictures(); });
    platform::skip_failure([&] { toolkit::form<skin_browser>().load_colors(current_skin); });
    // The language applies quietly or not at all; only a file name that cannot be told is told.
    start_up_step("The language \"" + language_name + "\" was not applied",
                  [&] { model::language_file(language_name); });
    platform::skip_failure([&] { toolkit::form<language_browser>().change_language(language_name); });
}

void Main_form::apply_section_flags(const std::vector<std::string>& flags) {
    for (std::size_t k = 0; k < flags.size() && k < model::section_count; ++k)
        if (flags[k] == "0") section_boxes[k]->set_visible(false);
    // A line that ended early hides what it read and places nothing.
    if (flags.size() < model::section_count) return;
    float left = first_section_left;
    for (std::size_t k = 0; k < model::section_count; ++k) {
        if (flags[k] != "1") continue;
        section_boxes[k]->set_left(left);
        left += section_step;
    }
    // PSX is current from start-up; when it is hidden the left-most visible section takes its place.
    for (std::size_t k = 1; k < model::section_count; ++k)
        if (section_boxes[k]->left() == first_section_left) switch_section(k);
}

void Main_form::keep_on_a_screen() {
    // A frameless window is dragged only by its title bar: one that no screen shows whole (a monitor
    // unplugged since, a place stored half off the screen) might never be dragged back.
    forms::keep_on_a_screen(*this, toolkit::title_band_height);
}

void Main_form::load_misc_picture(const std::string& path) {
    misc_image.set_picture(platform::Picture::load(path));
}

model::SettingsValues Main_form::current_settings() {
    auto& options = toolkit::form<options_form>();
    model::SettingsValues v;
    v.left = left();
    v.top = top();
    v.skin = current_skin;
    v.language = options.Label21.caption();
    v.font_name = options.Label31.caption();
    v.font_size = options.Label31.font().size;
    v.font_bold = options.Label31.font().bold;
    v.font_italic = options.Label31.font().italic;
    for (std::size_t k = 0; k < model::section_count; ++k) {
        v.section_visible[k] = section_boxes[k]->visible();
        v.section_titles[k] = section_label[k]->caption();
    }
    v.launcher_state = launcher_state;
    v.path_override = path_override;
    v.opacity = opacity;
    v.misc_image = misc_image_enabled;
    v.misc_image_location = options.Text3.text();
    return v;
}

void Main_form::save_config() {
    if (config_unreadable_why_)
        throw platform::Failure(kept_unread_text(config_file_, *config_unreadable_why_));
    if (config_file_.empty()) config_file_ = settings_path();
    model::save_settings(config_file_, current_settings());
}

void Main_form::set_launcher_state(int16_t l_state) {
    launcher_state = l_state;
}

void Main_form::set_hide_misc_image(bool m_state) {
    misc_image_enabled = m_state;
}

}  // namespace kv
