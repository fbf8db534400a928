#include "launcher/emulator_dialog.h"

#include "app/forms.h"
#include "launcher/add_new.h"
#include "launcher/field_box.h"
#include "launcher/main_form.h"
#include "model/catalogue.h"
#include "platform/folder.h"
#include "toolkit/control_style.h"
#include "toolkit/message_box.h"
#include "toolkit/pressed_image.h"
#include "toolkit/show_opn.h"

namespace kv {

namespace {
toolkit::FrameStyle frame_style(const std::string& title) {
    toolkit::FrameStyle s;
    s.design_title = title;
    s.width = 4455;
    s.height = 2775;
    s.title_top = 75;
    return s;
}

using toolkit::white;
constexpr forms::Color box_border = toolkit::frame_blue;
constexpr const char* unknown_path = "Unknown|Unknown";

forms::Label& text(forms::Label& label, const char* caption, float top = 0) {
    toolkit::white_text(label, caption);
    if (top != 0) {
        label.set_alignment(forms::Alignment::center);
        label.set_top(top);
    }
    return label;
}

using toolkit::click_label;

forms::TextBox& box(forms::TextBox& t) {
    t.set_back_color(0);
    t.set_fore_color(white);
    t.set_border(false);
    return t;
}

forms::Shape& frame(forms::Shape& s) {
    s.set_border_color(box_border);
    return s;
}
}  // namespace

EmulatorDialog::EmulatorDialog(std::string name, const std::string& title)
    : toolkit::FramedForm(std::move(name), frame_style(title)),
      Label1(text(add<forms::Label>("Label1", 120, 480, 1935, 255), "Name:")),
      Shape1(frame(add<forms::Shape>("Shape1", 105, 705, 1965, 255))),
      Text1(box(add<forms::TextBox>("Text1", 120, 720, 1935, 225))),
      Label3(text(add<forms::Label>("Label3", 2160, 480, 2175, 255), "Location:")),
      Shape2(frame(add<forms::Shape>("Shape2", 2145, 705, 1845, 255))),
      Text3(box(add<forms::TextBox>("Text3", 2160, 720, 1815, 225))),
      Picture3(add<forms::PictureBox>("Picture3", 3960, 700, 375, 255)),
      Image1(toolkit::stretched(add<forms::Image>("Image1", 0, 0, 375, 510, &Picture3))),
      Label6(text(add<forms::Label>("Label6", 0, 0, 375, 255, &Picture3), "...", -30)),
      Label9(click_label(add<forms::Label>("Label9", 0, 0, 375, 255, &Picture3))),
      Label2(text(add<forms::Label>("Label2", 120, 1080, 4215, 255), "About emulator:")),
      Shape3(frame(add<forms::Shape>("Shape3", 105, 1305, 4245, 885))),
      Text2(box(add<forms::TextBox>("Text2", 120, 1320, 4215, 855))),
      Picture2(add<forms::PictureBox>("Picture2", 2520, 2280, 855, 375)),
      Image3(toolkit::stretched(add<forms::Image>("Image3", 0, 0, 855, 750, &Picture2))),
      Label5(text(add<forms::Label>("Label5", 0, 0, 855, 255, &Picture2), "Cancel", 90)),
      Label7(click_label(add<forms::Label>("Label7", 0, 0, 855, 375, &Picture2))),
      Picture1(add<forms::PictureBox>("Picture1", 3480, 2280, 855, 375)),
      Image2(toolkit::stretched(add<forms::Image>("Image2", 0, 0, 855, 750, &Picture1))),
      Label4(text(add<forms::Label>("Label4", 0, 0, 855, 255, &Picture1), "OK", 90)),
      Label8(click_label(add<forms::Label>("Label8", 0, 0, 855, 375, &Picture1))) {
    Text3.set_locked(true);
    Text2.set_multi_line(true);
    // Tab goes Name, About, Location, OK, Cancel, Browse.
    Text1.set_tab_index(0);
    Text2.set_tab_index(1);
    Text3.set_tab_index(2);
    toolkit::make_tab_stop(Picture1, Label8, 3);
    toolkit::make_tab_stop(Picture2, Label7, 4);
    toolkit::make_tab_stop(Picture3, Label9, 5);
    // A "|" in the name would split every record of the emulator.
    keep_out_field_separator(Text1);
    toolkit::attach_pressed_image(Label9, Image1);
    // OK and Cancel press to a fixed place whatever their picture, half of their 750-twip height.
    toolkit::attach_pressed_image(Label7, Image3, -375.0f);
    toolkit::attach_pressed_image(Label8, Image2, -375.0f);
    Label9.on_click = [this] { Label9_Click(); };
    expose("chosen_path", [this] { return chosen_path; });
}

void EmulatorDialog::Form_Load() {
    arrange_frame();
}

void EmulatorDialog::Label9_Click() {
    chosen_path =
        toolkit::browse_for_file(*this, "Executables (*.exe)", "*.exe", "Browse", program_folder().string());
    if (chosen_path == "cancel") {
        chosen_path = path_after_cancelled_browse();
        return;
    }
    Text3.set_text(std::string(record_name(chosen_path)));
}

bool EmulatorDialog::refuse_empty_name() {
    if (!Text1.text().empty()) return false;
    toolkit::show_message(*this, app::form<add_new>().add_new_error_message, toolkit::notice_icon);
    return true;
}

bool EmulatorDialog::refuse_about_text() {
    const std::string line = line_the_catalogue_would_misread(Text2.text());
    if (line.empty()) return false;
    toolkit::show_message(*this,
                          "The about text cannot hold a line that reads only \"" + line +
                              "\": the catalogue would read it as the end of the text.",
                          toolkit::notice_icon);
    return true;
}

void EmulatorDialog::prepare_to_open() {
    set_focus(&Text1);
}

std::string EmulatorDialog::emulator_record() {
    if (Text3.text().empty()) chosen_path = unknown_path;
    return Text1.text() + "|" + chosen_path;
}

std::string EmulatorDialog::about_record() const {
    return Text1.text() + "|" + with_crlf_line_breaks(Text2.text());
}

void EmulatorDialog::clear_boxes() {
    Text1.set_text("");
    Text2.set_text("");
    Text3.set_text("");
    chosen_path.clear();
}

void EmulatorDialog::close_dialog() {
    app::form<Main_form>().emulator_list.scroll_event.set_enabled(true);
    hide();
}

}  // namespace kv
