// The main window's switches: the five switch buttons of the selected emulator and the taking out
// and putting back of its switch record around the switches editor and the edit dialog.
#include <algorithm>
#include <optional>

#include "launcher/edit_form.h"
#include "launcher/main_form.h"
#include "launcher/switches_form.h"
#include "platform/runtime.h"
#include "toolkit/windows.h"

namespace kv {

namespace {
constexpr float switch_top = 120;
constexpr float switch_pressed_top = 135;
}  // namespace

void Main_form::wire_switch_buttons() {
    for (forms::Label* button : switch_buttons) {
        button->on_mouse_down = [button](const forms::MouseEvent&) { button->set_top(switch_pressed_top); };
        button->on_mouse_up = [button](const forms::MouseEvent&) { button->set_top(switch_top); };
        button->on_click = [this, button] { switch_button_Click(*button); };
    }
}

void Main_form::switch_button_Click(forms::Label& button) {
    std::string param = " " + button.caption();
    run_emulator(param);
}

std::optional<std::size_t> Main_form::find_switch_record() const {
    return model::find_record(catalogue.switches_list, selected_emulator);
}

void Main_form::show_switches() {
    for (forms::Label* button : switch_buttons) button->set_visible(false);
    switches_number.set_caption("0/5");
    const auto found = find_switch_record();
    if (!found) return;
    const std::string& record = catalogue.switches_list[*found];
    for (std::size_t k = 0; k < switch_buttons.size(); ++k) {
        const auto field = model::record_field(record, k + 1);
        if (!field || field->empty()) continue;
        switch_buttons[k]->set_caption(std::string(*field));
        switch_buttons[k]->set_visible(true);
    }
    count_switches();
}

void Main_form::count_switches() {
    const auto shown = std::count_if(switch_buttons.begin(), switch_buttons.end(),
                                     [](const forms::Label* button) { return button->visible(); });
    switches_number.set_caption(std::to_string(shown) + "/5");
}

void Main_form::Create_switch(const std::string& New_Switch) {
    // A record without a name belongs to no emulator and would only pile up in Data.kvl.
    if (!model::record_name(New_Switch).empty()) catalogue.switches_list.push_back(New_Switch);
    show_switches();
}

void Main_form::add_edited_switch(const std::string& in_switch) {
    if (!model::record_name(in_switch).empty()) catalogue.switches_list.push_back(in_switch);
}

void Main_form::open_switches_form() {
    // Without a selected emulator there is nothing whose switches could be edited.
    if (selected_emulator.empty()) return;
    emulator_list.scroll_event.set_enabled(false);
    auto& editor = toolkit::form<switches_form>();
    editor.Clear_counter();
    fill_switches_editor();
    editor.show_modal(*this);
}

void Main_form::fill_switches_editor() {
    auto& editor = toolkit::form<switches_form>();
    editor.load_switches(selected_emulator + "|||||");
    const auto found = find_switch_record();
    if (!found) return;
    auto& list = catalogue.switches_list;
    editor.load_switches(list[*found]);
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(*found));
}

void Main_form::edit_emulator_switches() {
    platform::skip_failure([&] {
        auto& editor = toolkit::form<edit_form>();
        editor.get_switches(selected_emulator + "|||||");
        const auto found = find_switch_record();
        if (!found) return;
        editor.get_switches(catalogue.switches_list[*found]);
        remove_emulator_switches();
    });
}

}  // namespace kv
