#include "launcher/emulator_dialog.h"

#include "launcher/add_new.h"
#include "launcher/field_box.h"
#include "launcher/main_form.h"
#include "model/catalogue.h"
#include "platform/folder.h"
#include "toolkit/message_box.h"
#include "toolkit/pressed_image.h"
#include "toolkit/show_opn.h"
#include "toolkit/windows.h"

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

constexpr const char* unknown_path = "Unknown|Unknown";

using toolkit::CaptionDesign;
using toolkit::FieldDesign;
using toolkit::frame_blue;

// OK and Cancel press to a fixed place whatever their picture, half of their 750-twip height.
constexpr toolkit::PushButton button(const char* box, float left, const char* image,
                                     const char* caption_label, const char* caption, const char* click) {
    toolkit::PushButton b{box, left, 2280, {image}, {caption_label}, caption, click};
    b.caption_top = 90;
    b.pressed_top = -375.0f;
    return b;
}

constexpr toolkit::WindowRow rows[] = {
    CaptionDesign{"Label1", 120, 480, 1935, "Name:"},
    FieldDesign{"Text1", "Shape1", 105, 705, 1965},
    CaptionDesign{"Label3", 2160, 480, 2175, "Location:"},
    FieldDesign{"Text3", "Shape2", 2145, 705, 1845, 255, frame_blue, true},
    toolkit::PushButton{"Picture3", 3960, 700, {"Image1"}, {"Label6"}, "...", "Label9", 375, 255, -30},
    CaptionDesign{"Label2", 120, 1080, 4215, "About emulator:"},
    FieldDesign{"Text2", "Shape3", 105, 1305, 4245, 885, frame_blue, false, true},
    button("Picture2", 2520, "Image3", "Label5", "Cancel", "Label7"),
    button("Picture1", 3480, "Image2", "Label4", "OK", "Label8"),
};

}  // namespace

EmulatorDialog::EmulatorDialog(std::string name, const std::string& title)
    : toolkit::FramedForm(std::move(name), frame_style(title)),
      design_(*this, {rows}),
      Text1(design_.get<forms::TextBox>("Text1")),
      Text3(design_.get<forms::TextBox>("Text3")),
      Picture3(design_.get<forms::PictureBox>("Picture3")),
      Image1(design_.get<forms::Image>("Image1")),
      Label9(design_.get<forms::Label>("Label9")),
      Text2(design_.get<forms::TextBox>("Text2")),
      Picture2(design_.get<forms::PictureBox>("Picture2")),
      Image3(design_.get<forms::Image>("Image3")),
      Label7(design_.get<forms::Label>("Label7")),
      Picture1(design_.get<forms::PictureBox>("Picture1")),
      Image2(design_.get<forms::Image>("Image2")),
      Label8(design_.get<forms::Label>("Label8")) {
    // Tab goes Name, About, Location, OK, Cancel, Browse.
    Text1.set_tab_index(0);
    Text2.set_tab_index(1);
    Text3.set_tab_index(2);
    toolkit::make_tab_stop(Picture1, Label8, 3);
    toolkit::make_tab_stop(Picture2, Label7, 4);
    toolkit::make_tab_stop(Picture3, Label9, 5);
    // A "|" in the name would split every record of the emulator.
    launcher::keep_out_field_separator(Text1);
    Label9.on_click = [this] { Label9_Click(); };
    expose("chosen_path", [this] { return chosen_path; });
}

void EmulatorDialog::Form_Load() {
    arrange_frame();
}

void EmulatorDialog::Label9_Click() {
    chosen_path = toolkit::browse_for_file(*this, "Executables (*.exe)", "*.exe", "Browse",
                                           platform::program_folder().string());
    if (chosen_path == "cancel") {
        chosen_path = path_after_cancelled_browse();
        return;
    }
    Text3.set_text(std::string(model::record_name(chosen_path)));
}

bool EmulatorDialog::refuse_empty_name() {
    if (!Text1.text().empty()) return false;
    toolkit::show_message(*this, toolkit::form<add_new>().add_new_error_message, toolkit::notice_icon);
    return true;
}

bool EmulatorDialog::refuse_about_text() {
    const std::string line = launcher::line_the_catalogue_would_misread(Text2.text());
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
    return Text1.text() + "|" + launcher::with_crlf_line_breaks(Text2.text());
}

void EmulatorDialog::clear_boxes() {
    Text1.set_text("");
    Text2.set_text("");
    Text3.set_text("");
    chosen_path.clear();
}

void EmulatorDialog::close_dialog() {
    toolkit::form<Main_form>().emulator_list.scroll_event.set_enabled(true);
    hide();
}

}  // namespace kv
