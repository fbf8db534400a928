// The main window's ends of the add, edit, options and help commands.
#include <algorithm>

#include "configs/configs_form.h"
#include "launcher/about_form.h"
#include "launcher/add_new.h"
#include "launcher/edit_form.h"
#include "launcher/main_form.h"
#include "launcher/options_form.h"
#include "platform/runtime.h"
#include "toolkit/two_state_mark.h"
#include "toolkit/windows.h"

namespace kv {

void Main_form::open_add_new() {
    emulator_list.scroll_event.set_enabled(false);
    auto& adder = toolkit::form<add_new>();
    adder.prepare_to_open();
    adder.show_modal(*this);
}

void Main_form::open_edit_form() {
    if (display_list.empty()) return;
    emulator_list.scroll_event.set_enabled(false);
    auto& editor = toolkit::form<edit_form>();
    editor.Text1.set_text(selected_emulator);
    editor.Text2.set_text(about_txt.caption());
    edit_emulator_path();
    edit_emulator_switches();
    editor.prepare_to_open();
    editor.show_modal(*this);
}

void Main_form::edit_emulator_path() {
    auto& editor = toolkit::form<edit_form>();
    editor.edit_index = 0;
    const auto found = std::find(display_list.begin(), display_list.end(), selected_emulator);
    if (found == display_list.end()) return;
    const auto position = static_cast<std::size_t>(found - display_list.begin());
    editor.edit_index = static_cast<int32_t>(position + 1);
    std::string record = "Unknown|Unknown|Unknown";
    const auto* list = catalogue.section_list(current_section);
    if (list && position < list->size()) record = (*list)[position];
    editor.get_path(record);
}

}  // namespace kv

namespace kv {

void Main_form::open_options_form() {
    emulator_list.scroll_event.set_enabled(false);
    auto& options = toolkit::form<options_form>();
    options.get_section(current_section);
    options.read_sections();
    options.read_launcer_state(launcher_state);
    options.read_misc_state(misc_image_enabled);
    toolkit::set_mark(*options.section_checkbox[11], path_override);
    options.Picture18.set_left(slider_left(opacity));
    options.Label26.set_caption(std::to_string(opacity) + "%");
    copy_section_names();
    options.show_modal(*this);
}

void Main_form::copy_section_names() {
    auto& options = toolkit::form<options_form>();
    for (std::size_t k = 0; k < model::section_count; ++k)
        options.section_titles[k]->set_caption(" " + section_label[k]->caption());
}

void Main_form::open_configs_form() {
    emulator_list.scroll_event.set_enabled(false);
    auto& configs = toolkit::form<configs_form>();
    configs.scroll_event.set_enabled(true);
    configs.load_defaut();
    configs.show_modal(*this);
}

void Main_form::open_help() {
    auto& help = toolkit::form<about_form>();
    help.Label13_MouseDown();
    emulator_list.scroll_event.set_enabled(false);
    help.help_cap.set_caption("");
    help.help_cap.set_caption(shortcuts_help_text);
    help.show_modal(*this);
}

}  // namespace kv
