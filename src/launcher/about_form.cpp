#include "launcher/about_form.h"

#include "launcher/main_form.h"
#include "platform/folder.h"
#include "platform/runtime.h"
#include "toolkit/control_style.h"
#include "toolkit/pressed_image.h"
#include "toolkit/shel_ex.h"
#include "toolkit/windows.h"

namespace kv {

const char* const shortcuts_help_text =
    "Ctrl + N - Add new emulator.\r\n"
    "Ctrl + D - Delete selected emulator.\r\n"
    "Ctrl + E - Edit selected emulator.\r\n"
    "Ctrl + B - Browse.\r\n"
    "Ctrl + R - Run selected emulator.\r\n"
    "Ctrl + W - Switches.\r\n"
    "Ctrl + S - Skins.\r\n"
    "Ctrl + O - Options.\r\n"
    "Ctrl + C - Configs.\r\n"
    "\r\n";

const char* const home_page_address = "https://korvalin.example.org/";

namespace {

using toolkit::white;
constexpr forms::Color grey = 0x00C0C0C0;
constexpr forms::Color page_border = toolkit::frame_blue;
constexpr float tab_hidden_top = -255;
constexpr float link_top = 3045;
constexpr float link_pressed_top = 3060;

forms::Label& text(forms::Label& label, const std::string& caption) {
    label.set_word_wrap(true);
    return toolkit::white_text(label, caption);
}

forms::Label& centred(forms::Label& label, const std::string& caption) {
    label.set_alignment(forms::Alignment::center);
    return text(label, caption);
}

using toolkit::click_label;

using toolkit::stretched;

forms::Shape& bordered(forms::Shape& shape) {
    shape.set_border_color(page_border);
    return shape;
}
}  // namespace

about_form::about_form()
    : toolkit::FramedForm(
          "about_form",
          toolkit::FrameStyle{
              .design_title = "  Help  ", .width = 3015, .height = 4575, .middle_follows_left = true}),
      Picture3(add<forms::PictureBox>("Picture3", 120, 480, 855, 255)),
      tab_image1(add<forms::Image>("tab_image1", 0, 0, 855, 510, &Picture3)),
      Label10(centred(add<forms::Label>("Label10", 0, 30, 855, 225, &Picture3), "About")),
      Label13(click_label(add<forms::Label>("Label13", 0, 0, 855, 255, &Picture3))),
      Picture4(add<forms::PictureBox>("Picture4", 960, 480, 855, 255)),
      tab_image2(add<forms::Image>("tab_image2", 0, 0, 855, 510, &Picture4)),
      Label12(centred(add<forms::Label>("Label12", 0, 30, 855, 225, &Picture4), "Shortcuts")),
      Label14(click_label(add<forms::Label>("Label14", 0, 0, 855, 255, &Picture4))),
      Frame1(add<forms::Frame>("Frame1", 120, 720, 2775, 3285)),
      tab_back(stretched(add<forms::Image>("tab_back", 0, 0, 2775, 3285, &Frame1))),
      Shape1(bordered(add<forms::Shape>("Shape1", 0, 0, 2775, 3285, &Frame1))),
      Label2(text(add<forms::Label>("Label2", 45, 45, 2655, 255, &Frame1),
                  "Korvalin, a launcher for emulators.")),
      Label1(text(add<forms::Label>("Label1", 45, 345, 2655, 255, &Frame1), "Version: 1.2")),
      Label3(text(add<forms::Label>("Label3", 45, 645, 2655, 255, &Frame1), "Updated on: 6th - Jan - 2008.")),
      Label4(text(add<forms::Label>("Label4", 45, 1005, 2655, 255, &Frame1), "Thanks to:")),
      Label5(text(add<forms::Label>("Label5", 45, 1245, 2655, 855, &Frame1),
                  "everyone who tried the launcher, reported what went wrong and drew skins for it.")),
      Label11(text(add<forms::Label>("Label11", 45, 2235, 2655, 495, &Frame1),
                   "Greetings to everyone who keeps old games playable.")),
      Label7(text(add<forms::Label>("Label7", 45, 2745, 2655, 255, &Frame1), "")),
      Label8(
          text(add<forms::Label>("Label8", 45, link_top, 3135, 375, &Frame1), "Homepage (click to visit)")),
      Frame2(add<forms::Frame>("Frame2", 120, 720, 2775, 3285)),
      tab_back2(stretched(add<forms::Image>("tab_back2", 0, 0, 2775, 3285, &Frame2))),
      Shape2(bordered(add<forms::Shape>("Shape2", 0, 0, 2775, 3285, &Frame2))),
      help_cap(text(add<forms::Label>("help_cap", 45, 45, 2655, 3135, &Frame2), "")),
      Picture2(add<forms::PictureBox>("Picture2", 2040, 4080, 855, 375)),
      Image1(add<forms::Image>("Image1", 0, 0, 855, 750, &Picture2)),
      Label6(centred(add<forms::Label>("Label6", 0, 80, 855, 255, &Picture2), "Ok")),
      Label9(click_label(add<forms::Label>("Label9", 0, 0, 855, 375, &Picture2))) {
    Label8.set_fore_color(grey);
    Frame2.set_visible(false);
    tab_image2.set_top(tab_hidden_top);
    Label13.on_mouse_down = [this](const forms::MouseEvent&) { Label13_MouseDown(); };
    Label14.on_mouse_down = [this](const forms::MouseEvent&) { Label14_MouseDown(); };
    Label8.on_mouse_down = [this](const forms::MouseEvent&) { Label8.set_top(link_pressed_top); };
    Label8.on_mouse_up = [this](const forms::MouseEvent&) { Label8.set_top(link_top); };
    Label8.on_click = [this] { Label8_Click(); };
    toolkit::attach_pressed_image(Label9, Image1);
    Label9.on_click = [this] { Label9_Click(); };
}

void about_form::Form_Load() {
    arrange_frame();
}

void about_form::Label13_MouseDown() {
    tab_image1.set_top(0);
    tab_image2.set_top(tab_hidden_top);
    Frame1.set_visible(true);
    Frame2.set_visible(false);
}

void about_form::Label14_MouseDown() {
    tab_image2.set_top(0);
    tab_image1.set_top(tab_hidden_top);
    Frame2.set_visible(true);
    Frame1.set_visible(false);
}

void about_form::Label8_Click() {
    // A desktop without a browser cannot open the page; the box stays as it is.
    skip_failure([] { toolkit::shell_execute(home_page_address, 4, program_folder().string()); });
}

void about_form::Label9_Click() {
    toolkit::form<Main_form>().emulator_list.scroll_event.set_enabled(true);
    hide();
}

}  // namespace kv
