#include "skins/skin_bitmaps.h"

#include <array>
#include <map>
#include <optional>
#include <vector>

#include "platform/folder.h"
#include "platform/picture.h"
#include "platform/runtime.h"
#include "toolkit/windows.h"

namespace kv::skins {

namespace {

constexpr std::array<std::string_view, 43> files = {
    "Framebar_left.bmp",
    "Framebar_middle.bmp",
    "Framebar_right.bmp",
    "left_side.bmp",
    "right_side.bmp",
    "background.bmp",
    "down_left.bmp",
    "down_right.bmp",
    "down_middle.bmp",
    "X.bmp",
    "Min.bmp",
    "hide.bmp",
    "section_background.bmp",
    "platform_preview.bmp",
    "about_emulator.bmp",
    "list_image.bmp",
    "about_image.bmp",
    "switches_image.bmp",
    "platform_image.bmp",
    "platforms_image.bmp",
    "shaft_image.bmp",
    "list_selector_image.bmp",
    "button.bmp",
    "tab_background.bmp",
    "tab.bmp",
    "browse_button.bmp",
    "slider_button.bmp",
    "up_arrow.bmp",
    "down_arrow.bmp",
    "scroll_image.bmp",
    "preview_border.bmp",
    "up_button.bmp",
    "down_button.bmp",
    "switch_display.bmp",
    "hide_line.bmp",
    "mini_button.bmp",
    "message_icon.bmp",
    "combo.bmp",
    "combo_button.bmp",
    "section_button.bmp",
    "down_buttons.bmp",
    "check_box.bmp",
    "option_box.bmp",
};

struct FramePiece {
    std::string_view file;
    std::string_view control;
};
constexpr std::array<FramePiece, 9> frame_pieces = {{
    {"Framebar_left.bmp", "framebar_left"},
    {"Framebar_middle.bmp", "framebar_middle"},
    {"Framebar_right.bmp", "framebar_right"},
    {"left_side.bmp", "left_side"},
    {"right_side.bmp", "right_side"},
    {"background.bmp", "background"},
    {"down_left.bmp", "down_left"},
    {"down_right.bmp", "down_right"},
    {"down_middle.bmp", "down_middle"},
}};

// The other images, in the order they are dressed, the dialogs' own buttons, tabs and boxes among
// them.
constexpr BitmapTarget other_targets[] = {
    {"X.bmp", "Main_form", "X_image"},
    {"Min.bmp", "Main_form", "Min_image"},
    {"hide.bmp", "Main_form", "hide_image"},
    {"section_background.bmp", "Main_form", "section_background"},
    {"platform_preview.bmp", "Main_form", "platform_preview"},
    {"about_emulator.bmp", "Main_form", "about_emu"},
    {"about_emulator.bmp", "Main_form", "about_emu2"},
    {"list_image.bmp", "Main_form", "list_image"},
    {"about_image.bmp", "Main_form", "about_image"},
    {"switches_image.bmp", "Main_form", "about2_image"},
    {"platform_preview.bmp", "Main_form", "emu_list_image"},
    {"platform_image.bmp", "Main_form", "platform_image"},
    {"platforms_image.bmp", "Main_form", "platforms_image"},
    {"shaft_image.bmp", "Main_form", "shaft_image"},
    {"list_selector_image.bmp", "Main_form", "list_selector_image"},
    {"button.bmp", "about_form", "Image1"},
    {"tab_background.bmp", "about_form", "tab_back"},
    {"tab_background.bmp", "about_form", "tab_back2"},
    {"tab.bmp", "about_form", "tab_image1"},
    {"tab.bmp", "about_form", "tab_image2"},
    {"button.bmp", "options_form", "Image1"},
    {"button.bmp", "options_form", "Image2"},
    {"browse_button.bmp", "options_form", "Image3"},
    {"slider_button.bmp", "options_form", "slider_button"},
    {"up_arrow.bmp", "Main_form", "up_arrow"},
    {"down_arrow.bmp", "Main_form", "down_arrow"},
    {"scroll_image.bmp", "Main_form", "scroll_image"},
    {"browse_button.bmp", "add_new", "Image1"},
    {"button.bmp", "add_new", "Image2"},
    {"button.bmp", "add_new", "Image3"},
    {"up_button.bmp", "switches_form", "up_button"},
    {"down_button.bmp", "switches_form", "down_button"},
    {"switch_display.bmp", "switches_form", "switch_button"},
    {"button.bmp", "switches_form", "Image1"},
    {"button.bmp", "switches_form", "Image2"},
    {"hide_line.bmp", "hide_form", "hideline"},
    {"browse_button.bmp", "edit_form", "Image1"},
    {"button.bmp", "edit_form", "Image2"},
    {"button.bmp", "edit_form", "Image3"},
    {"message_icon.bmp", "messages_form", "message_image"},
    {"button.bmp", "messages_form", "Image1"},
    {"button.bmp", "configs_form", "Image1"},
    {"tab_background.bmp", "configs_form", "tab_back"},
    {"tab.bmp", "configs_form", "tab_image1"},
    {"tab.bmp", "configs_form", "tab_image2"},
    {"tab.bmp", "configs_form", "tab_image3"},
    {"tab.bmp", "configs_form", "tab_image4"},
    {"button.bmp", "configs_form", "button_image1"},
    {"button.bmp", "configs_form", "button_image2"},
    {"button.bmp", "configs_form", "button_image3"},
    {"button.bmp", "configs_form", "button_image4"},
    {"list_image.bmp", "configs_form", "list_image"},
    {"up_arrow.bmp", "configs_form", "up_arrow"},
    {"down_arrow.bmp", "configs_form", "down_arrow"},
    {"scroll_image.bmp", "configs_form", "scroll_image"},
    {"shaft_image.bmp", "configs_form", "shaft_image"},
    {"list_selector_image.bmp", "configs_form", "list_selector_image"},
    {"button.bmp", "add_profile", "Image1"},
    {"button.bmp", "add_profile", "Image2"},
    {"button.bmp", "game_prompt", "Image1"},
    {"button.bmp", "game_prompt", "Image2"},
    // The three browsers' buttons, check boxes, preview frame and lists.
    {"button.bmp", "skin_browser", "button_image1"},
    {"button.bmp", "skin_browser", "button_image2"},
    {"list_image.bmp", "skin_browser", "list_image"},
    {"up_arrow.bmp", "skin_browser", "up_arrow"},
    {"down_arrow.bmp", "skin_browser", "down_arrow"},
    {"scroll_image.bmp", "skin_browser", "scroll_image"},
    {"shaft_image.bmp", "skin_browser", "shaft_image"},
    {"list_selector_image.bmp", "skin_browser", "list_selector_image"},
    {"preview_border.bmp", "skin_browser", "preview_border"},
    {"button.bmp", "font_browser", "Image1"},
    {"button.bmp", "font_browser", "Image2"},
    {"mini_button.bmp", "font_browser", "Image3"},
    {"mini_button.bmp", "font_browser", "Image4"},
    {"list_image.bmp", "font_browser", "list_image"},
    {"up_arrow.bmp", "font_browser", "up_arrow"},
    {"down_arrow.bmp", "font_browser", "down_arrow"},
    {"scroll_image.bmp", "font_browser", "scroll_image"},
    {"shaft_image.bmp", "font_browser", "shaft_image"},
    {"list_selector_image.bmp", "font_browser", "list_selector_image"},
    {"button.bmp", "language_browser", "Image1"},
    {"button.bmp", "language_browser", "Image2"},
    {"list_image.bmp", "language_browser", "list_image"},
    {"up_arrow.bmp", "language_browser", "up_arrow"},
    {"down_arrow.bmp", "language_browser", "down_arrow"},
    {"scroll_image.bmp", "language_browser", "scroll_image"},
    {"shaft_image.bmp", "language_browser", "shaft_image"},
    {"list_selector_image.bmp", "language_browser", "list_selector_image"},
    {"button.bmp", "ePSXe_config", "Image4"},
    {"combo.bmp", "ePSXe_config", "combo1"},
    {"combo.bmp", "ePSXe_config", "combo2"},
    {"combo.bmp", "ePSXe_config", "combo3"},
    {"combo.bmp", "ePSXe_config", "combo4"},
    {"browse_button.bmp", "ePSXe_config", "Image1"},
    {"browse_button.bmp", "ePSXe_config", "Image2"},
    {"browse_button.bmp", "ePSXe_config", "Image3"},
    {"combo_button.bmp", "ePSXe_config", "Image5"},
    {"combo_button.bmp", "ePSXe_config", "Image6"},
    {"combo_button.bmp", "ePSXe_config", "Image7"},
    {"combo_button.bmp", "ePSXe_config", "Image8"},
    {"button.bmp", "PSXeven_config", "Image4"},
    {"combo.bmp", "PSXeven_config", "combo1"},
    {"combo.bmp", "PSXeven_config", "combo2"},
    {"combo.bmp", "PSXeven_config", "combo3"},
    {"combo.bmp", "PSXeven_config", "combo4"},
    {"combo.bmp", "PSXeven_config", "combo5"},
    {"browse_button.bmp", "PSXeven_config", "Image1"},
    {"browse_button.bmp", "PSXeven_config", "Image2"},
    {"browse_button.bmp", "PSXeven_config", "Image3"},
    {"combo_button.bmp", "PSXeven_config", "Image5"},
    {"combo_button.bmp", "PSXeven_config", "Image6"},
    {"combo_button.bmp", "PSXeven_config", "Image7"},
    {"combo_button.bmp", "PSXeven_config", "Image8"},
    {"combo_button.bmp", "PSXeven_config", "Image10"},
    {"button.bmp", "PCSX_config", "Image4"},
    {"combo.bmp", "PCSX_config", "combo1"},
    {"combo.bmp", "PCSX_config", "combo2"},
    {"combo.bmp", "PCSX_config", "combo3"},
    {"combo.bmp", "PCSX_config", "combo4"},
    {"combo.bmp", "PCSX_config", "combo5"},
    {"combo.bmp", "PCSX_config", "combo6"},
    {"browse_button.bmp", "PCSX_config", "Image1"},
    {"browse_button.bmp", "PCSX_config", "Image2"},
    {"combo_button.bmp", "PCSX_config", "Image3"},
    {"combo_button.bmp", "PCSX_config", "Image5"},
    {"combo_button.bmp", "PCSX_config", "Image6"},
    {"combo_button.bmp", "PCSX_config", "Image7"},
    {"combo_button.bmp", "PCSX_config", "Image8"},
    {"combo_button.bmp", "PCSX_config", "Image10"},
    {"button.bmp", "SSSPSX_config", "Image4"},
    {"combo.bmp", "SSSPSX_config", "combo1"},
    {"combo.bmp", "SSSPSX_config", "combo2"},
    {"combo.bmp", "SSSPSX_config", "combo3"},
    {"combo.bmp", "SSSPSX_config", "combo4"},
    {"combo.bmp", "SSSPSX_config", "combo5"},
    {"combo.bmp", "SSSPSX_config", "combo6"},
    {"combo.bmp", "SSSPSX_config", "combo7"},
    {"combo.bmp", "SSSPSX_config", "combo8"},
    {"combo_button.bmp", "SSSPSX_config", "Image3"},
    {"combo_button.bmp", "SSSPSX_config", "Image5"},
    {"combo_button.bmp", "SSSPSX_config", "Image6"},
    {"combo_button.bmp", "SSSPSX_config", "Image7"},
    {"combo_button.bmp", "SSSPSX_config", "Image8"},
    {"combo_button.bmp", "SSSPSX_config", "Image10"},
    {"combo_button.bmp", "SSSPSX_config", "Image1"},
    {"combo_button.bmp", "SSSPSX_config", "Image9"},
    // Control arrays come last, every element each.
    {"section_button.bmp", "Main_form", "upper_section", all_elements},
    {"down_buttons.bmp", "Main_form", "down_section", all_elements},
    {"check_box.bmp", "options_form", "section_checkbox", all_elements},
    {"button.bmp", "options_form", "buttons_image", all_elements},
    {"option_box.bmp", "options_form", "option_box", all_elements},
    {"button.bmp", "ePSXe_config", "buttons", all_elements},
    {"button.bmp", "PSXeven_config", "buttons", all_elements},
    {"button.bmp", "PCSX_config", "buttons", all_elements},
    {"button.bmp", "SSSPSX_config", "buttons", all_elements},
    {"check_box.bmp", "ePSXe_config", "checkboxes", all_elements},
};

std::vector<BitmapTarget> build_targets() {
    std::vector<BitmapTarget> out;
    for (std::string_view window : toolkit::windows_in_order(&toolkit::RosterRow::frame))
        for (const FramePiece& piece : frame_pieces) out.push_back({piece.file, window, piece.control});
    out.insert(out.end(), std::begin(other_targets), std::end(other_targets));
    return out;
}

// Every window the skin dresses exists after a call, whether the skin loaded or not.
void touch_windows() {
    for (std::string_view window : toolkit::windows_in_order(&toolkit::RosterRow::frame))
        toolkit::form_named(window);
    toolkit::form_named("hide_form");
}

std::map<std::string_view, platform::Picture> load_all(const std::string& skin_name) {
    // A name from Config.ini that would lead out of the Skins folder names no skin.
    if (!platform::is_plain_entry_name(skin_name)) throw platform::Failure("not a skin name: " + skin_name);
    const std::filesystem::path relative = std::filesystem::path("Skins") / skin_name;
    // The skin's folder is found once, then each picture in it, ignoring letter case: not a walk from
    // the program's folder for every one of them.
    const std::optional<std::filesystem::path> folder =
        platform::resolve_ignoring_case(platform::program_folder(), relative);
    std::map<std::string_view, platform::Picture> pictures;
    for (std::string_view file : files) {
        const std::string name(file);
        const std::optional<std::filesystem::path> found =
            folder ? platform::resolve_ignoring_case(*folder, name) : std::nullopt;
        if (!found) throw platform::Failure("skin file not found: " + (relative / name).string());
        pictures[file] = platform::Picture::load(*found);
    }
    return pictures;
}

forms::Image* image_at(forms::Form& form, std::string_view control, int index) {
    return dynamic_cast<forms::Image*>(index == single_control ? form.find(control)
                                                               : form.find(control, index));
}

}  // namespace

std::span<const std::string_view> skin_bitmap_files() {
    return files;
}

std::span<const BitmapTarget> skin_bitmap_targets() {
    static const std::vector<BitmapTarget> targets = build_targets();
    return targets;
}

bool skin_loads_whole(const std::string& skin_name) {
    return !platform::skip_failure([&] { load_all(skin_name); });
}

void apply_skin_bitmaps(const std::string& skin_name) {
    touch_windows();
    dress_windows(load_all(skin_name));
}

void dress_windows(const std::map<std::string_view, platform::Picture>& pictures) {
    touch_windows();
    for (const BitmapTarget& t : skin_bitmap_targets()) {
        forms::Form* form = toolkit::form_named(t.window);
        if (!form) continue;
        const platform::Picture& picture = pictures.at(t.file);
        if (t.index != all_elements) {
            if (forms::Image* image = image_at(*form, t.control, t.index)) image->set_picture(picture);
            continue;
        }
        for (int i = 0; forms::Image* image = image_at(*form, t.control, i); ++i) image->set_picture(picture);
    }
}

}  // namespace kv::skins
