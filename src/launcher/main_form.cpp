#include "launcher/main_form.h"

#include <algorithm>

#include "configs/add_profile.h"
#include "configs/configs_form.h"
#include "configs/epsxe_config.h"
#include "launcher/add_new.h"
#include "launcher/edit_form.h"
#include "platform/folder.h"
#include "platform/forms/backend.h"
#include "platform/runtime.h"
#include "plugins/popup_form.h"
#include "toolkit/control_style.h"
#include "toolkit/messages_form.h"
#include "toolkit/pressed_image.h"
#include "toolkit/transparent.h"
#include "toolkit/window_design.h"
#include "toolkit/windows.h"

namespace kv {

using forms::Image;
using forms::Label;
using forms::PictureBox;

namespace {

using toolkit::button_width;
constexpr float section_top = 480;
constexpr float command_top = 3030;
constexpr std::array<float, section_count> section_lefts{120,  975,  1830, 2685, 3540,
                                                         4395, 5245, 6105, 6960, 7815};
constexpr std::array<const char*, section_count> section_titles{"PSX", "PS2", "NDS",    "GB/GBA", "N64",
                                                                "DC",  "GC",  "Saturn", "S/NES",  "Misc"};
constexpr std::array<const char*, section_count> section_box_names{
    "Picture1", "Picture2", "Picture3", "Picture4", "Picture5",
    "Picture6", "Picture7", "Picture8", "Picture9", "Picture10"};
// The click labels were not numbered in section order.
constexpr std::array<const char*, section_count> section_click_names{
    "Label4", "Label5", "Label6", "Label3", "Label7", "Label8", "Label9", "Label10", "Label11", "Label12"};
constexpr std::array<const char*, 10> command_box_names{"Picture16", "Picture23", "Picture24", "Picture25",
                                                        "Picture26", "Picture27", "Picture28", "Picture29",
                                                        "Picture30", "Picture31"};
constexpr std::array<float, 10> command_lefts{120, 975, 1830, 2685, 3535, 4400, 5250, 6105, 6960, 7815};
constexpr std::array<const char*, 10> command_captions{"Add new",  "Delete", "Edit",    "Browse",  "Run",
                                                       "Switches", "Skins",  "Options", "Configs", "Help"};
constexpr std::array<const char*, 10> command_click_names{"Label19", "Label20", "Label21", "Label22",
                                                          "Label23", "Label24", "Label25", "Label26",
                                                          "Label27", "Label28"};
constexpr std::array<float, 5> switch_lefts{115, 1015, 1915, 2820, 3720};

using toolkit::stretched;

constexpr auto text = &toolkit::white_text;

using toolkit::hidden;

// A section or command button; its picture keeps the size a skin gives it.
constexpr toolkit::PushButton button(const char* box, float left, float top, toolkit::ControlRef image,
                                     toolkit::ControlRef caption_label, const char* caption,
                                     const char* click) {
    return toolkit::with_box_tall_caption({box, left, top, image, caption_label, caption, click, button_width,
                                           toolkit::button_height, 80, 0, false});
}

forms::Timer& timer(forms::Timer& t, int interval) {
    t.set_interval(interval);
    return t;
}

}  // namespace

std::filesystem::path database_path() {
    const auto folder = program_folder();
    return find_named_path(folder, "Data.kvl");
}

Main_form::Main_form()
    : toolkit::FramedForm("Main_form",
                          toolkit::FrameStyle{.design_title = "  Form Name", .width = 8775, .height = 3540}),
      Picture11(add<PictureBox>("Picture11", 8400, 60, 255, 255)),
      X_image(add<Image>("X_image", 0, 0, 255, 510, &Picture11)),
      Picture12(add<PictureBox>("Picture12", 8130, 60, 255, 255)),
      Min_image(add<Image>("Min_image", 0, 0, 255, 510, &Picture12)),
      Picture13(add<PictureBox>("Picture13", 7880, 60, 255, 255)),
      hide_image(add<Image>("hide_image", 0, 0, 255, 510, &Picture13)),
      section_background(stretched(add<Image>("section_background", 135, 375, 8520, 600))),
      Picture14(add<PictureBox>("Picture14", 120, 960, 1935, 255)),
      platform_preview(stretched(add<Image>("platform_preview", 0, 0, 1935, 255, &Picture14))),
      platform_preview_label(
          text(add<Label>("platform_preview_label", 45, 30, 1845, 195, &Picture14), "Platform")),
      Picture17(add<PictureBox>("Picture17", 120, 1215, 1935, 1720)),
      platform_image(stretched(add<Image>("platform_image", 0, 0, 1935, 1720, &Picture17))),
      Picture32(add<PictureBox>("Picture32", 45, 15, 1850, 1660, &Picture17)),
      platforms_image(stretched(add<Image>("platforms_image", 0, 0, 1845, 16650, &Picture32))),
      misc_image(hidden(add<Image>("misc_image", 0, 0, 1845, 1665, &Picture32))),
      Picture21(add<PictureBox>("Picture21", 2050, 960, 1935, 255)),
      emu_list_image(stretched(add<Image>("emu_list_image", 0, 0, 1935, 255, &Picture21))),
      emulators_label(text(add<Label>("emulators_label", 45, 30, 1845, 195, &Picture21), "Emulators")),
      Picture15(add<PictureBox>("Picture15", 3990, 960, 4680, 255)),
      about_emu(stretched(add<Image>("about_emu", 0, 0, 4680, 255, &Picture15))),
      Label2(text(add<Label>("Label2", 45, 30, 4590, 195, &Picture15), "About emulator")),
      Picture18(add<PictureBox>("Picture18", 3990, 1215, 4680, 975)),
      about_image(stretched(add<Image>("about_image", 0, 0, 4680, 975, &Picture18))),
      about_txt(text(add<Label>("about_txt", 100, 60, 4500, 855, &Picture18), "")),
      Picture19(add<PictureBox>("Picture19", 3990, 2190, 4680, 255)),
      about_emu2(stretched(add<Image>("about_emu2", 0, 0, 4680, 255, &Picture19))),
      Label1(text(add<Label>("Label1", 45, 15, 1785, 240, &Picture19), "Switches")),
      switches_number(text(add<Label>("switches_number", 1830, 15, 2775, 255, &Picture19), "0/5")),
      Picture20(add<PictureBox>("Picture20", 3990, 2445, 4680, 480)),
      about2_image(stretched(add<Image>("about2_image", 0, 0, 4680, 480, &Picture20))),
      Timer1(timer(add<forms::Timer>("Timer1", 0, 0, 0, 0), 10)),
      emulator_list(*this, toolkit::ListLayout::main_form(), toolkit::ListVariant::main_form(),
                    list_source()) {
    set_caption("Korvalin 1.2");
    set_show_in_taskbar(true);
    about_txt.set_word_wrap(true);

    for (std::size_t k = 0; k < section_count; ++k) {
        const int i = static_cast<int>(k);
        section_click_labels[k] = &toolkit::build_push_button(
            *this, button(section_box_names[k], section_lefts[k], section_top, {"upper_section", i},
                          {"section_label", i}, section_titles[k], section_click_names[k]));
        section_boxes[k] = &toolkit::control<PictureBox>(*this, section_box_names[k]);
        upper_section[k] = &toolkit::control<Image>(*this, "upper_section", i);
        section_label[k] = &toolkit::control<Label>(*this, "section_label", i);
    }

    for (std::size_t k = 0; k < switch_buttons.size(); ++k)
        switch_buttons[k] = &text(
            add<Label>("Label" + std::to_string(13 + k), switch_lefts[k], 120, button_width, 255, &Picture20),
            "#" + std::to_string(k + 1));
    wire_switch_buttons();

    for (std::size_t i = 0; i < command_boxes.size(); ++i) {
        const int index = static_cast<int>(i);
        command_click_labels[i] = &toolkit::build_push_button(
            *this, button(command_box_names[i], command_lefts[i], command_top, {"down_section", index},
                          {"down_section_label", index}, command_captions[i], command_click_names[i]));
        command_boxes[i] = &toolkit::control<PictureBox>(*this, command_box_names[i]);
        down_section[i] = &toolkit::control<Image>(*this, "down_section", index);
        down_section_label[i] = &toolkit::control<Label>(*this, "down_section_label", index);
    }

    attach_buttons();

    expose_state();
}

void Main_form::attach_buttons() {
    toolkit::attach_pressed_image(X_image, X_image);
    X_image.on_click = [this] { X_image_Click(); };
    toolkit::attach_pressed_image(Min_image, Min_image);
    Min_image.on_click = [this] { Min_image_Click(); };
    toolkit::attach_pressed_image(hide_image, hide_image);
    hide_image.on_click = [this] { hide_image_Click(); };
    Timer1.on_timer = [this] { Timer1_Timer(); };
    for (std::size_t k = 0; k < section_count; ++k) {
        section_click_labels[k]->on_click = [this, k] { section_Click(k); };
    }
    for (std::size_t i = 0; i < command_boxes.size(); ++i) {
        command_click_labels[i]->on_click = [this, i] { command_Click(i); };
    }
    command_boxes[0]->on_key_press = [this](int16_t& key_ascii) { Picture16_KeyPress(key_ascii); };
    wire_switch_buttons();
}

toolkit::ListSource Main_form::list_source() {
    toolkit::ListSource s = toolkit::vector_list_source(display_list, selected_emulator);
    s.follow_up = [this] {
        show_emulator_about();
        show_switches();
    };
    s.double_click = [this] { run_emulator("_disabled_"); };
    return s;
}

void Main_form::expose_state() {
    expose("selected_emulator", [this] { return selected_emulator; });
    expose("current_section", [this] { return current_section; });
    expose("current_skin", [this] { return current_skin; });
    expose("path_override", [this] { return bool_text(path_override); });
    expose("launcher_state", [this] { return std::to_string(launcher_state); });
    expose("misc_image_enabled", [this] { return bool_text(misc_image_enabled); });
    expose("opacity", [this] { return std::to_string(opacity); });
    for (std::size_t k = 0; k < section_count; ++k) {
        const std::string list_name = (k == 3 ? std::string("GBA") : std::string(sections[k].id)) + "_emu";
        expose(list_name + "_count", [this, k] { return std::to_string(catalogue.section(k).size()); });
    }
    expose("about_list_count", [this] { return std::to_string(catalogue.about_list.size()); });
    expose("switches_list_count", [this] { return std::to_string(catalogue.switches_list.size()); });
    expose("display_list_count", [this] { return std::to_string(display_list.size()); });
}

// ---- Start-up and close

void Main_form::Form_Load() {
    check_already_running();
    toolkit::form_without_load<edit_form>().edit_index = 0;
    toolkit::form_without_load<toolkit::messages_form>().trim_factor = "0|1";
    current_section = "PSX";
    current_skin = "Midnight";
    toolkit::form_without_load<add_new>().add_new_error_message = "A name of the emulator is required.";
    toolkit::form_without_load<add_profile>().add_profile_message =
        "A name of the configuration is required.";
    auto& configs = toolkit::form_without_load<configs_form>();
    configs.no_emulator_message = " - Emulator not found, add emulator to the list in order to proceed.";
    configs.no_path_message =
        " - Emulator location is unknown, please set the emulator location in order to proceed.";
    auto& epsxe = toolkit::form_without_load<ePSXe_config>();
    epsxe.not_selected = "Not selected";
    epsxe.plugin_working = "Plugin is working correctly.";
    epsxe.plugin_not_working = "Plugin is NOT working correctly.";
    int32_t full_opacity = 100;
    make_forms_transparent(full_opacity);
    set_launcher_state(0);
    toolkit::set_transparency(toolkit::form<popup_form>(), 220);
    path_override = false;
    set_hide_misc_image(false);
    load_database();
    read_config();
    Framebar_title.set_caption("  " + caption() + "  ");
    arrange_frame();
    // The first command button is the one control that takes the keyboard: the shortcuts arrive there.
    set_focus(command_boxes[0]);
}

void Main_form::check_already_running() {
    // A folder whose lock file cannot even be made (read-only media) must not keep the program from
    // starting: then nothing tells another instance, as before there was a lock.
    skip_failure([&] { instance_lock_ = std::make_unique<InstanceLock>(program_folder()); });
    if (!instance_lock_) return;
    if (instance_lock_->acquired()) {
        remove_stale_temporaries();
        return;
    }
    forms::backend().system_message("Korvalin", "Korvalin is already running",
                                    forms::MessageIcon::information);
    forms::end_program();
}

// ---- Catalogue

void Main_form::load_database() {
    database_file_ = database_path();
    database_state_ = load_catalogue(database_file_, catalogue, &database_unreadable_why_);
    database_as_read_ = catalogue_bytes(catalogue);
    load_section_list("PSX");
}

void Main_form::save_database() {
    // A file that is there but could not be read still holds the user's catalogue: replacing it with
    // what little was read would lose it. Only changes made since are lost then, if there are any.
    if (database_state_ == CatalogueFile::unreadable) {
        if (catalogue_bytes(catalogue) == database_as_read_) return;
        throw Failure(kept_unread_text(database_file_, database_unreadable_why_));
    }
    if (database_file_.empty()) database_file_ = database_path();
    save_catalogue(database_file_, catalogue);
}

void Main_form::load_section_list(const std::string& section) {
    emulator_list.clear_list();
    // A blank record shows as an empty row, so the emulators after it stay reachable.
    if (const auto* list = catalogue.section_list(section))
        for (const auto& record : *list) display_list.emplace_back(record_name(record));
    emulator_list.show_list();
}

void Main_form::show_emulator_about() {
    about_txt.set_caption("");
    const auto found = find_record(catalogue.about_list, selected_emulator);
    if (!found) return;
    // The text is everything after the name: a "|" typed into it is part of it.
    const std::string& about = catalogue.about_list[*found];
    const auto bar = about.find('|');
    about_txt.set_caption(bar == std::string::npos ? std::string() : about.substr(bar + 1));
}

void Main_form::add_new_emulator(const std::string& emulator_name, const std::string& about_em) {
    if (auto* list = catalogue.section_list(current_section)) list->push_back(emulator_name);
    // Stored before the list is shown, so that a new first emulator shows its about text at once.
    catalogue.about_list.push_back(about_em);
    load_section_list(current_section);
}

void Main_form::delete_emu() {
    if (display_list.empty()) return;
    remove_emulator_about();
    remove_emulator_switches();
    const auto found = std::find(display_list.begin(), display_list.end(), selected_emulator);
    if (found == display_list.end()) return;
    const auto position = static_cast<std::size_t>(found - display_list.begin());
    display_list.erase(found);
    auto* list = catalogue.section_list(current_section);
    if (!list || position >= list->size()) return;
    list->erase(list->begin() + static_cast<std::ptrdiff_t>(position));
    emulator_list.show_list();
}

void Main_form::remove_emulator_about() {
    erase_record(catalogue.about_list, selected_emulator);
}

void Main_form::remove_emulator_switches() {
    erase_record(catalogue.switches_list, selected_emulator);
}

void Main_form::edit_collection(const std::string& emulator_name, const std::string& about_em) {
    edit_list.clear();
    const int32_t edit_index = toolkit::form<edit_form>().edit_index;
    const auto* list = catalogue.section_list(current_section);
    const std::size_t count = list ? list->size() : 0;
    bool inserted = false;
    for (std::size_t found_index = 1;; ++found_index) {
        if (edit_index > 0 && static_cast<std::size_t>(edit_index) == found_index) {
            edit_list.push_back(emulator_name);
            inserted = true;
        }
        if (found_index > count) break;
        edit_list.push_back((*list)[found_index - 1]);
    }
    // A position outside the list would drop the edited emulator, whose old record is already gone.
    if (!inserted) edit_list.push_back(emulator_name);
    catalogue.about_list.push_back(about_em);
    commit_edited_list();
}

void Main_form::commit_edited_list() {
    if (auto* list = catalogue.section_list(current_section)) *list = edit_list;
    load_section_list(current_section);
}

}  // namespace kv
