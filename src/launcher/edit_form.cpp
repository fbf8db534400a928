#include "launcher/edit_form.h"

#include <string>

#include "launcher/main_form.h"
#include "model/catalogue.h"
#include "toolkit/windows.h"

namespace kv {

edit_form::edit_form() : EmulatorDialog("edit_form", "  Edit  ") {
    Label8.on_click = [this] { Label8_Click(); };
    Label7.on_click = [this] { Label7_Click(); };
    expose("edit_index", [this] { return std::to_string(edit_index); });
    expose("record_path", [this] { return record_path; });
    expose("switch_name", [this] { return switch_name; });
    expose("switch_fields", [this] { return switch_fields; });
}

void edit_form::get_path(const std::string& in_path_) {
    record_path.clear();
    // A record short of fields reads them as empty, as the location of a blank row.
    chosen_path = std::string(model::record_field(in_path_, 1).value_or("")) + "|" +
                  std::string(model::record_field(in_path_, 2).value_or(""));
    const std::string folder(model::record_name(chosen_path));
    Text3.set_text(folder == "Unknown" ? "" : folder);
    record_path = chosen_path;
}

void edit_form::get_switches(const std::string& in_switches) {
    switch_name = std::string(model::record_name(in_switches));
    switch_fields = in_switches.size() > switch_name.size() ? in_switches.substr(switch_name.size() + 1) : "";
}

void edit_form::Label8_Click() {
    if (refuse_empty_name() || refuse_about_text()) return;
    auto& main = toolkit::form<Main_form>();
    const std::string record = emulator_record();
    const std::string about = about_record();
    main.delete_emu();
    main.add_edited_switch(Text1.text() + "|" + switch_fields);
    main.edit_collection(record, about);
    clear_boxes();
    close_dialog();
}

void edit_form::Label7_Click() {
    Text1.set_text("");
    Text2.set_text("");
    Text3.set_text("");
    toolkit::form<Main_form>().add_edited_switch(switch_name + "|" + switch_fields);
    chosen_path.clear();
    close_dialog();
}

}  // namespace kv
