#include "configs/configs_form.h"

#include <climits>
#include <filesystem>

#include "configs/add_profile.h"
#include "configs/open_editor.h"
#include "configs/psx_entries.h"
#include "model/profile_store.h"
#include "model/registry_bridge.h"
#include "platform/runtime.h"
#include "toolkit/control_style.h"
#include "toolkit/message_box.h"
#include "toolkit/push_button.h"
#include "toolkit/windows.h"

namespace kv {

using forms::Image;
using forms::Label;
using forms::PictureBox;

namespace {

using toolkit::CaptionDesign;
using toolkit::ControlDesign;
using toolkit::ControlLook;
using toolkit::ControlType;
using toolkit::WindowRow;

constexpr float box_width = 855;
constexpr float tab_top = 480;
constexpr float tab_height = 255;
constexpr float unselected_tab_top = -255;

constexpr WindowRow page_rows[] = {
    ControlDesign{ControlType::image, {"tab_back"}, 120, 720, 4095, 2010, ControlLook::stretched},
    ControlDesign{ControlType::shape, {"Shape2"}, 120, 720, 4095, 2010, ControlLook::blue_border},
};

// A tab: its box, its picture (the selected look above the unselected one, which shows), its caption
// and a click label over the whole box.
constexpr ControlDesign tab_box(const char* box, float left) {
    return {ControlType::picture_box, {box}, left, tab_top, box_width, tab_height};
}
constexpr ControlDesign tab_image(const char* image, const char* box) {
    return {ControlType::image,     {image}, 0, unselected_tab_top, box_width, 2 * tab_height,
            ControlLook::stretched, {box}};
}
constexpr CaptionDesign tab_caption(const char* label, const char* emulator, const char* box) {
    return {label, 0, 30, box_width, emulator, tab_height, toolkit::TextLook::centred, {box}};
}
constexpr ControlDesign tab_click(const char* label, const char* box) {
    return {ControlType::label, {label}, 0, 0, box_width, tab_height, ControlLook::click_area, {box}};
}
constexpr std::size_t rows_per_tab = 4;

// The tabs in emulator order, then the buttons by down_section_label index.
constexpr WindowRow tab_rows[] = {
    tab_box("Picture1", 120),
    tab_image("tab_image1", "Picture1"),
    tab_caption("Label10", psx_emulators[0], "Picture1"),
    tab_click("Label5", "Picture1"),
    tab_box("Picture2", 960),
    tab_image("tab_image2", "Picture2"),
    tab_caption("Label2", psx_emulators[1], "Picture2"),
    tab_click("Label6", "Picture2"),
    tab_box("Picture3", 1800),
    tab_image("tab_image3", "Picture3"),
    tab_caption("Label3", psx_emulators[2], "Picture3"),
    tab_click("Label7", "Picture3"),
    tab_box("Picture4", 2640),
    tab_image("tab_image4", "Picture4"),
    tab_caption("Label4", psx_emulators[3], "Picture4"),
    tab_click("Label8", "Picture4"),
};

constexpr toolkit::PushButton button(const char* box, float left, float top, const char* image, int index,
                                     const char* caption, const char* click_label, float caption_top) {
    toolkit::PushButton b{box, left, top, {image}, {"down_section_label", index}, caption, click_label};
    b.caption_top = caption_top;
    return toolkit::with_box_tall_caption(b);
}
constexpr WindowRow button_rows[] = {
    button("Picture5", 3360, 2835, "Image1", 0, "Ok", "Label1", 80),
    button("Picture6", 3240, 1740, "button_image1", 1, "Add new", "Label9", 75),
    button("Picture7", 3240, 2220, "button_image3", 2, "Delete", "Label11", 80),
    button("Picture8", 2280, 1740, "button_image2", 3, "Configure", "Label12", 80),
    button("Picture9", 2280, 2220, "button_image4", 4, "Activate", "Label13", 80),
};

constexpr const char* unknown_folder = "Unknown";

// Each import is waited for, so that the editor opened next reads the activated values.
void import_profile_file(const std::filesystem::path& file) {
    const auto run = model::import_registry_file(file.string());
    if (!run) throw platform::Failure(run.failure);
}

}  // namespace

configs_form::configs_form()
    : toolkit::FramedForm("configs_form",
                          toolkit::FrameStyle{.design_title = "  Configs  ", .width = 4335, .height = 3330}),
      design_(*this, {page_rows}),
      tab_back(design_.get<Image>("tab_back")),
      Shape2(design_.get<forms::Shape>("Shape2")),
      config_list(*this, toolkit::ListLayout::configs_form(), toolkit::ListVariant::configs_form(),
                  list_source()),
      scroll_event(config_list.scroll_event),
      tab_design_(*this, {tab_rows, button_rows}) {
    for (std::size_t k = 0; k < tab_boxes.size(); ++k) {
        const WindowRow* rows = &tab_rows[k * rows_per_tab];
        tab_boxes[k] = &tab_design_.get<PictureBox>(std::get<ControlDesign>(rows[0]).name.name);
        tab_images[k] = &tab_design_.get<Image>(std::get<ControlDesign>(rows[1]).name.name);
        tab_captions[k] = &tab_design_.get<Label>(std::get<CaptionDesign>(rows[2]).name);
        tab_click_labels[k] = &tab_design_.get<Label>(std::get<ControlDesign>(rows[3]).name.name);
        tab_click_labels[k]->on_mouse_down = [this, k](const forms::MouseEvent&) { tab_MouseDown(k); };
    }
    for (std::size_t i = 0; i < button_click_labels.size(); ++i) {
        const auto& b = std::get<toolkit::PushButton>(button_rows[i]);
        button_click_labels[i] = &tab_design_.get<Label>(b.click_label);
        button_images[i] = &tab_design_.get<Image>(b.image.name);
        down_section_label[i] = &tab_design_.get<Label>(b.caption.name, b.caption.index);
    }
    button_click_labels[0]->on_click = [this] { Label1_Click(); };
    button_click_labels[1]->on_click = [this] { Label9_Click(); };
    button_click_labels[2]->on_click = [this] { Label11_Click(); };
    button_click_labels[3]->on_click = [this] { Label12_Click(); };
    button_click_labels[4]->on_click = [this] { Label13_Click(); };

    expose("current_config", [this] { return current_config; });
    expose("no_emulator_message", no_emulator_message);
    expose("no_path_message", no_path_message);
    expose("selected_profile", [this] { return selected_profile; });
    expose("emulator_folder", [this] { return emulator_folder; });
    expose("profile_list_count", [this] { return std::to_string(profile_list.size()); });
    expose("profile_list", [this] {
        std::string joined;
        for (std::size_t i = 0; i < profile_list.size(); ++i) joined += (i == 0 ? "" : "|") + profile_list[i];
        return joined;
    });
}

toolkit::ListSource configs_form::list_source() {
    toolkit::ListSource s = toolkit::vector_list_source(profile_list, selected_profile);
    s.set_selection = [this](const std::string& name) {
        selected_profile = name;
        profile_selected_ = true;
    };
    s.has_selection = [this] { return profile_selected_; };
    return s;
}

void configs_form::clear_selection() {
    profile_selected_ = false;
    selected_profile.clear();
    config_list.update_list_selector();
}

void configs_form::Form_Load() {
    arrange_frame();
}

// ---- Listing

void configs_form::load_defaut() {
    current_config = psx_emulators[0];
    reset_config_tabs();
    tab_images[0]->set_top(0);
    config_list.hide_list_rows();
    scan_profiles();
    config_list.show_list();
}

void configs_form::load_configs() {
    config_list.hide_list_rows();
    scan_profiles();
    config_list.show_list();
}

void configs_form::reset_config_tabs() {
    for (auto* image : tab_images) image->set_top(unselected_tab_top);
}

void configs_form::scan_profiles() {
    config_list.clear_list();
    try {
        profile_list = model::scan_profiles(current_config);
    } catch (const platform::Failure& failure) {
        // Before the window first shows, its opener is the window the user is in.
        forms::Form* over = visible() ? this : toolkit::form_named("Main_form");
        toolkit::report_failure(over ? *over : *this,
                                "The profiles of " + current_config + " were not listed:\n" + failure.what());
    }
}

void configs_form::tab_MouseDown(std::size_t tab) {
    // The tab already shown keeps its list where it is.
    if (current_config == psx_emulators[tab]) return;
    current_config = psx_emulators[tab];
    reset_config_tabs();
    tab_images[tab]->set_top(0);
    config_list.hide_list_rows();
    scan_profiles();
    config_list.show_list();
}

// ---- Buttons

void configs_form::Label9_Click() {
    scroll_event.set_enabled(false);
    toolkit::form<add_profile>().show_modal(*this);
}

void configs_form::Label12_Click() {
    if (!emulator_ready()) return;
    scroll_event.set_enabled(false);
    activate_profile();
    if (!configs::open_editor(current_config, emulator_folder, selected_profile, *this))
        scroll_event.set_enabled(true);
}

void configs_form::Label13_Click() {
    if (!emulator_ready()) return;
    activate_profile();
}

void configs_form::Label11_Click() {
    // After a delete nothing is selected, so a stray second click deletes nothing more.
    if (profile_list.empty() || !profile_selected_) return;
    toolkit::report_failures(*this, "The profile \"" + selected_profile + "\" was not deleted whole:",
                             model::delete_profile(current_config, selected_profile));
    scan_profiles();
    config_list.show_list();
    clear_selection();
}

void configs_form::Label1_Click() {
    scroll_event.set_enabled(false);
    if (closed) closed();
    hide();
}

// ---- Finding the emulator

std::optional<std::string> configs_form::psx_emulator_folder(const std::string& emulator) const {
    if (!psx_records) return std::nullopt;
    for (const std::string& record : psx_records())
        if (configs::is_entry_of(record, emulator))
            return configs::usable_folder(record).value_or(unknown_folder);
    return std::nullopt;
}

bool configs_form::find_psx_emulator(const std::string& emulator) {
    const auto folder = psx_emulator_folder(emulator);
    emulator_folder = folder.value_or(unknown_folder);
    return folder.has_value();
}

bool configs_form::emulator_ready() {
    if (profile_list.empty() || !profile_selected_) return false;
    if (!find_psx_emulator(current_config)) {
        show_message(current_config + no_emulator_message);
        return false;
    }
    if (emulator_folder == unknown_folder) {
        show_message(current_config + no_path_message);
        return false;
    }
    return true;
}

void configs_form::show_message(const std::string& text) {
    toolkit::show_message(*this, text, toolkit::warning_icon);
}

void configs_form::activate_profile() {
    // Told, and then Configure still opens the editor: it shows the settings as they now are.
    toolkit::report_failures(
        *this, "The profile \"" + selected_profile + "\" was not activated whole:",
        model::activate_profile(current_config, selected_profile, emulator_folder, import_profile_file));
}

}  // namespace kv
