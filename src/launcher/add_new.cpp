#include "launcher/add_new.h"

#include "launcher/main_form.h"
#include "toolkit/windows.h"

namespace kv {

add_new::add_new() : EmulatorDialog("add_new", "  Add new emulator  ") {
    Label8.on_click = [this] { Label8_Click(); };
    Label7.on_click = [this] { Label7_Click(); };
    expose("add_new_error_message", add_new_error_message);
}

void add_new::Label8_Click() {
    if (refuse_empty_name() || refuse_about_text()) return;
    const std::string record = emulator_record();
    toolkit::form<Main_form>().add_new_emulator(record, about_record());
    clear_boxes();
    close_dialog();
}

void add_new::Label7_Click() {
    clear_boxes();
    close_dialog();
}

}  // namespace kv
