#include "launcher/main_form.h"

#include <algorithm>

#include "configs/add_profile.h"
#include "configs/configs_form.h"
#include "configs/epsxe_config.h"
#include "forms/backend.h"
#include "launcher/add_new.h"
#include "launcher/edit_form.h"
#include "platform/folder.h"
#include "platform/runtime.h"
#include "plugins/popup_form.h"
#include "toolkit/control_style.h"
#include "toolkit/message_box.h"
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
using toolkit::CaptionDesign;
using toolkit::ControlDesign;
using toolkit::ControlLook;
using toolkit::ControlRef;
using toolkit::ControlType;
using toolkit::TextLook;
using toolkit::WindowRow;

constexpr float section_top = 480;
constexpr float command_top = 3030;

constexpr ControlDesign box(const char* name, float left, float top, float width, float height,
                            ControlRef container = {nullptr}) {
    return {ControlType::picture_box, {name}, left, top, width, height, ControlLook::plain, container};
}
constexpr ControlDesign image(const char* name, float width, float height, const char* container,
                              ControlLook look = ControlLook::stretched) {
    return {ControlType::image, {name}, 0, 0, width, height, look, {container}};
}
constexpr CaptionDesign caption(const char* name, float left, float top, float width, float height,
                                const char* text, const char* container, TextLook look = TextLook::plain) {
    return {name, left, top, width, text, height, look, {container}};
}

// The window buttons (each picture twice its box's height, released above pressed), the section
// strip's background and the panels, each a box holding its picture and caption.
constexpr WindowRow panel_rows[] = {
    box("Picture11", 8400, 60, 255, 255),  // close
    image("X_image", 255, 510, "Picture11", ControlLook::plain),
    box("Picture12", 8130, 60, 255, 255),  // minimise
    image("Min_image", 255, 510, "Picture12", ControlLook::plain),
    box("Picture13", 7880, 60, 255, 255),  // hide to the screen edge
    image("hide_image", 255, 510, "Picture13", ControlLook::plain),
    ControlDesign{ControlType::image, {"section_background"}, 135, 375, 8520, 600, ControlLook::stretched},

    box("Picture14", 120, 960, 1935, 255),  // "Platform" header
    image("platform_preview", 1935, 255, "Picture14"),
    caption("platform_preview_label", 45, 30, 1845, 195, "Platform", "Picture14"),
    box("Picture17", 120, 1215, 1935, 1720),  // platform panel
    image("platform_image", 1935, 1720, "Picture17"),
    box("Picture32", 45, 15, 1850, 1660, {"Picture17"}),
    image("platforms_image", 1845, 16650, "Picture32"),
    image("misc_image", 1845, 1665, "Picture32", ControlLook::hidden),

    box("Picture21", 2050, 960, 1935, 255),  // "Emulators" header
    image("emu_list_image", 1935, 255, "Picture21"),
    caption("emulators_label", 45, 30, 1845, 195, "Emulators", "Picture21"),

    box("Picture15", 3990, 960, 4680, 255),  // "About emulator" header
    image("about_emu", 4680, 255, "Picture15"),
    caption("Label2", 45, 30, 4590, 195, "About emulator", "Picture15"),
    box("Picture18", 3990, 1215, 4680, 975),  // about text
    image("about_image", 4680, 975, "Picture18"),
    caption("about_txt", 100, 60, 4500, 855, "", "Picture18", TextLook::wrapped),

    box("Picture19", 3990, 2190, 4680, 255),  // "Switches" header
    image("about_emu2", 4680, 255, "Picture19"),
    caption("Label1", 45, 15, 1785, 240, "Switches", "Picture19"),
    caption("switches_number", 1830, 15, 2775, 255, "0/5", "Picture19"),
    box("Picture20", 3990, 2445, 4680, 480),  // switch buttons
    image("about2_image", 4680, 480, "Picture20"),

    toolkit::TimerDesign{"Timer1", 10},  // slide out when hiding
};

// A section or command button; its picture keeps the size a skin gives it.
constexpr toolkit::PushButton button(const char* box, float left, float top, ControlRef image,
                                     ControlRef caption_label, const char* caption, const char* click) {
    return toolkit::with_box_tall_caption({box, left, top, image, caption_label, caption, click, button_width,
                                           toolkit::button_height, 80, 0, false});
}
constexpr toolkit::PushButton section(int i, const char* box, float left, const char* title,
                                      const char* click) {
    return button(box, left, section_top, {"upper_section", i}, {"section_label", i}, title, click);
}
constexpr toolkit::PushButton command(int i, const char* box, float left, const char* caption,
                                      const char* click) {
    return button(box, left, command_top, {"down_section", i}, {"down_section_label", i}, caption, click);
}
constexpr CaptionDesign switch_button(const char* name, float left, const char* number) {
    return caption(name, left, 120, button_width, 255, number, "Picture20");
}

// The section buttons in section order (their click labels were not numbered in it), the switch
// buttons and the command bar.
constexpr WindowRow bar_rows[] = {
    section(0, "Picture1", 120, "PSX", "Label4"),
    section(1, "Picture2", 975, "PS2", "Label5"),
    section(2, "Picture3", 1830, "NDS", "Label6"),
    section(3, "Picture4", 2685, "GB/GBA", "Label3"),
    section(4, "Picture5", 3540, "N64", "Label7"),
    section(5, "Picture6", 4395, "DC", "Label8"),
    section(6, "Picture7", 5245, "GC", "Label9"),
    section(7, "Picture8", 6105, "Saturn", "Label10"),
    section(8, "Picture9", 6960, "S/NES", "Label11"),
    section(9, "Picture10", 7815, "Misc", "Label12"),

    switch_button("Label13", 115, "#1"),
    switch_button("Label14", 1015, "#2"),
    switch_button("Label15", 1915, "#3"),
    switch_button("Label16", 2820, "#4"),
    switch_button("Label17", 3720, "#5"),

    command(0, "Picture16", 120, "Add new", "Label19"),
    command(1, "Picture23", 975, "Delete", "Label20"),
    command(2, "Picture24", 1830, "Edit", "Label21"),
    command(3, "Picture25", 2685, "Browse", "Label22"),
    command(4, "Picture26", 3535, "Run", "Label23"),
    command(5, "Picture27", 4400, "Switches", "Label24"),
    command(6, "Picture28", 5250, "Skins", "Label25"),
    command(7, "Picture29", 6105, "Options", "Label26"),
    command(8, "Picture30", 6960, "Configs", "Label27"),
    command(9, "Picture31", 7815, "Help", "Label28"),
};
constexpr std::size_t first_switch_row = model::section_count;
constexpr std::size_t first_command_row = first_switch_row + 5;

}  // namespace

std::filesystem::path database_path() {
    const auto folder = platform::program_folder();
    return platform::find_named_path(folder, "Data.kvl");
}

Main_form::Main_form()
    : toolkit::FramedForm("Main_form",
                          toolkit::FrameStyle{.design_title = "  Form Name", .width = 8775, .height = 3540}),
      design_(*this, {panel_rows}),
      Picture11(design_.get<PictureBox>("Picture11")),
      X_image(design_.get<Image>("X_image")),
      Picture12(design_.get<PictureBox>("Picture12")),
      Min_image(design_.get<Image>("Min_image")),
      Picture13(design_.get<PictureBox>("Picture13")),
      hide_image(design_.get<Image>("hide_image")),
      section_background(design_.get<Image>("section_background")),
      Picture14(design_.get<PictureBox>("Picture14")),
      platform_preview(design_.get<Image>("platform_preview")),
      platform_preview_label(design_.get<Label>("platform_preview_label")),
      Picture17(design_.get<PictureBox>("Picture17")),
      platform_image(design_.get<Image>("platform_image")),
      Picture32(design_.get<PictureBox>("Picture32")),
      platforms_image(design_.get<Image>("platforms_image")),
      misc_image(design_.get<Image>("misc_image")),
      Picture21(design_.get<PictureBox>("Picture21")),
      emu_list_image(design_.get<Image>("emu_list_image")),
      emulators_label(design_.get<Label>("emulators_label")),
      Picture15(design_.get<PictureBox>("Picture15")),
      about_emu(design_.get<Image>("about_emu")),
      Label2(design_.get<Label>("Label2")),
      Picture18(design_.get<PictureBox>("Picture18")),
      about_image(design_.get<Image>("about_image")),
      about_txt(design_.get<Label>("about_txt")),
      Picture19(design_.get<PictureBox>("Picture19")),
      about_emu2(design_.get<Image>("about_emu2")),
      Label1(design_.get<Label>("Label1")),
      switches_number(design_.get<Label>("switches_number")),
      Picture20(design_.get<PictureBox>("Picture20")),
      about2_image(design_.get<Image>("about2_image")),
      Timer1(design_.get<forms::Timer>("Timer1")),
      emulator_list(*this, toolkit::ListLayout::main_form(), toolkit::ListVariant::main_form(),
                    list_source()),
      bar_design_(*this, {bar_rows}) {
    set_caption("Korvalin 1.2");
    set_show_in_taskbar(true);

    for (std::size_t k = 0; k < model::section_count; ++k) {
        const auto& row = std::get<toolkit::PushButton>(bar_rows[k]);
        section_boxes[k] = &bar_design_.get<PictureBox>(row.box);
        upper_section[k] = &bar_design_.get<Image>(row.image.name, row.image.index);
        section_label[k] = &bar_design_.get<Label>(row.caption.name, row.caption.index);
        section_click_labels[k] = &bar_design_.get<Label>(row.click_label);
    }
    for (std::size_t k = 0; k < switch_buttons.size(); ++k)
        switch_buttons[k] =
            &bar_design_.get<Label>(std::get<CaptionDesign>(bar_rows[first_switch_row + k]).name);
    for (std::size_t i = 0; i < command_boxes.size(); ++i) {
        const auto& row = std::get<toolkit::PushButton>(bar_rows[first_command_row + i]);
        command_boxes[i] = &bar_design_.get<PictureBox>(row.box);
        down_section[i] = &bar_design_.get<Image>(row.image.name, row.image.index);
        down_section_label[i] = &bar_design_.get<Label>(row.caption.name, row.caption.index);
        command_click_labels[i] = &bar_design_.get<Label>(row.click_label);
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
    for (std::size_t k = 0; k < model::section_count; ++k) {
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
    expose("path_override", [this] { return platform::bool_text(path_override); });
    expose("launcher_state", [this] { return std::to_string(launcher_state); });
    expose("misc_image_enabled", [this] { return platform::bool_text(misc_image_enabled); });
    expose("opacity", [this] { return std::to_string(opacity); });
    for (std::size_t k = 0; k < model::section_count; ++k) {
        const std::string list_name =
            (k == 3 ? std::string("GBA") : std::string(model::sections[k].id)) + "_emu";
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
    toolkit::form_without_load<messages_form>().trim_factor = "0|1";
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
    // Only the instance that holds the program folder sweeps; it needs the catalogue for the emulators'
    // folders.
    if (instance_lock_) remove_stale_temporaries();
    read_config();
    Framebar_title.set_caption("  " + caption() + "  ");
    arrange_frame();
    // The first command button is the one control that takes the keyboard: the shortcuts arrive there.
    set_focus(command_boxes[0]);
}

void Main_form::check_already_running() {
    // A folder whose lock file cannot even be made (read-only media) must not keep the program from
    // starting: then nothing tells another instance, as before there was a lock.
    platform::skip_failure(
        [&] { instance_lock_ = std::make_unique<platform::InstanceLock>(platform::program_folder()); });
    if (!instance_lock_) return;
    if (instance_lock_->acquired()) return;
    // Nothing of this instance is shown yet.
    forms::backend().system_message(nullptr, "Korvalin", "Korvalin is already running",
                                    forms::MessageIcon::information);
    forms::end_program();
}

// ---- Catalogue

std::filesystem::path Main_form::start_up_file(std::filesystem::path (*look_up)(), const char* name,
                                               const char* role, std::optional<std::string>& why) {
    try {
        return look_up();
    } catch (const platform::AmbiguousName& ambiguous) {
        why = ambiguous.what();
        start_up_problems_.push_back(std::string(name) + " was not read, so " + role + ": " + *why);
        return platform::program_folder() / name;
    }
}

bool Main_form::start_up_step(const std::string& what, const std::function<void()>& step) {
    try {
        step();
        return false;
    } catch (const platform::AmbiguousName& ambiguous) {
        start_up_problems_.push_back(what + ": " + ambiguous.what());
    } catch (const platform::Failure&) {
    }
    return true;
}

void Main_form::tell_start_up_problems() {
    if (start_up_problems_.empty()) return;
    std::string text = "Some of the program's files were not read; they are kept as they are:";
    for (const std::string& problem : start_up_problems_) text += "\n" + problem;
    text += "\nKeep one of each name, then start the program again.";
    start_up_problems_.clear();
    toolkit::report_failure(*this, text);
}

void Main_form::load_database() {
    std::optional<std::string> ambiguous;
    database_file_ = start_up_file(&database_path, "Data.kvl", "the emulator list starts empty", ambiguous);
    if (ambiguous) {
        // Kept as an unreadable catalogue is: the close writes none of them, nor a new one beside them.
        database_state_ = model::CatalogueFile::unreadable;
        database_unreadable_why_ = *ambiguous;
    } else {
        database_state_ = model::load_catalogue(database_file_, catalogue, &database_unreadable_why_);
    }
    database_as_read_ = model::catalogue_bytes(catalogue);
    load_section_list("PSX");
}

void Main_form::save_database() {
    // A file that is there but could not be read still holds the user's catalogue: replacing it with
    // what little was read would lose it. Only changes made since are lost then, if there are any.
    if (database_state_ == model::CatalogueFile::unreadable) {
        if (model::catalogue_bytes(catalogue) == database_as_read_) return;
        throw platform::Failure(kept_unread_text(database_file_, database_unreadable_why_));
    }
    if (database_file_.empty()) database_file_ = database_path();
    model::save_catalogue(database_file_, catalogue);
}

void Main_form::load_section_list(const std::string& section) {
    emulator_list.clear_list();
    // A blank record shows as an empty row, so the emulators after it stay reachable.
    if (const auto* list = catalogue.section_list(section))
        for (const auto& record : *list) display_list.emplace_back(model::record_name(record));
    emulator_list.show_list();
}

void Main_form::show_emulator_about() {
    about_txt.set_caption("");
    const auto found = model::find_record(catalogue.about_list, selected_emulator);
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
    model::erase_record(catalogue.about_list, selected_emulator);
}

void Main_form::remove_emulator_switches() {
    model::erase_record(catalogue.switches_list, selected_emulator);
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
