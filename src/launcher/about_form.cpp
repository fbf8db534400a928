#include "launcher/about_form.h"

#include <array>

#include "launcher/main_form.h"
#include "platform/folder.h"
#include "platform/runtime.h"
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

using toolkit::button_width;
using toolkit::CaptionDesign;
using toolkit::ControlDesign;
using toolkit::ControlLook;
using toolkit::ControlType;
using toolkit::TextLook;

constexpr forms::Color grey = 0x00C0C0C0;
constexpr float tab_height = 255;
constexpr float tab_hidden_top = -255;
constexpr float page_left = 120, page_top = 720, page_width = 2775, page_height = 3285;
constexpr float line_width = 2655;
constexpr float link_top = 3045;
constexpr float link_pressed_top = 3060;
constexpr auto wrapped = TextLook::wrapped;
constexpr auto centred = TextLook::centred | TextLook::wrapped;

// A tab: its box, the picture showing it raised or lowered, its caption and its click label.
constexpr std::array<toolkit::WindowRow, 4> tab(const char* box, float left, const char* image,
                                                const char* caption_label, const char* caption,
                                                const char* click) {
    return {ControlDesign{ControlType::picture_box, {box}, left, 480, button_width, tab_height},
            ControlDesign{
                ControlType::image, {image}, 0, 0, button_width, 2 * tab_height, ControlLook::plain, {box}},
            CaptionDesign{caption_label, 0, 30, button_width, caption, 225, centred, {box}},
            ControlDesign{
                ControlType::label, {click}, 0, 0, button_width, tab_height, ControlLook::click_area, {box}}};
}

// A page: its frame, its stretched background and its blue outline.
constexpr std::array<toolkit::WindowRow, 3> page(const char* frame, const char* back, const char* outline) {
    return {
        ControlDesign{ControlType::frame, {frame}, page_left, page_top, page_width, page_height},
        ControlDesign{
            ControlType::image, {back}, 0, 0, page_width, page_height, ControlLook::stretched, {frame}},
        ControlDesign{
            ControlType::shape, {outline}, 0, 0, page_width, page_height, ControlLook::blue_border, {frame}}};
}

constexpr auto about_tab = tab("Picture3", 120, "tab_image1", "Label10", "About", "Label13");
constexpr auto shortcuts_tab = tab("Picture4", 960, "tab_image2", "Label12", "Shortcuts", "Label14");
constexpr auto about_page = page("Frame1", "tab_back", "Shape1");
constexpr auto shortcuts_page = page("Frame2", "tab_back2", "Shape2");

constexpr toolkit::WindowRow about_lines[] = {
    CaptionDesign{
        "Label2", 45, 45, line_width, "Korvalin, a launcher for emulators.", 255, wrapped, {"Frame1"}},
    CaptionDesign{"Label1", 45, 345, line_width, "Version: 1.2", 255, wrapped, {"Frame1"}},
    CaptionDesign{"Label3", 45, 645, line_width, "Updated on: 6th - Jan - 2008.", 255, wrapped, {"Frame1"}},
    CaptionDesign{"Label4", 45, 1005, line_width, "Thanks to:", 255, wrapped, {"Frame1"}},
    CaptionDesign{"Label5",
                  45,
                  1245,
                  line_width,
                  "everyone who tried the launcher, reported what went wrong and drew skins for it.",
                  855,
                  wrapped,
                  {"Frame1"}},
    CaptionDesign{"Label11",
                  45,
                  2235,
                  line_width,
                  "Greetings to everyone who keeps old games playable.",
                  495,
                  wrapped,
                  {"Frame1"}},
    CaptionDesign{"Label7", 45, 2745, line_width, "", 255, wrapped, {"Frame1"}},  // a spare line, empty
    CaptionDesign{"Label8", 45, link_top, 3135, "Homepage (click to visit)", 375, wrapped, {"Frame1"}},
};

constexpr toolkit::WindowRow shortcuts_lines[] = {
    CaptionDesign{"help_cap", 45, 45, line_width, "", 3135, wrapped, {"Frame2"}},
};

constexpr toolkit::WindowRow ok_button[] = {
    toolkit::PushButton{"Picture2",
                        2040,
                        4080,
                        {"Image1"},
                        {"Label6"},
                        "Ok",
                        "Label9",
                        button_width,
                        toolkit::button_height,
                        80,
                        255,
                        false,
                        centred},
};

}  // namespace

about_form::about_form()
    : toolkit::FramedForm(
          "about_form",
          toolkit::FrameStyle{
              .design_title = "  Help  ", .width = 3015, .height = 4575, .middle_follows_left = true}),
      design_(*this, {about_tab, shortcuts_tab, about_page, about_lines, shortcuts_page, shortcuts_lines,
                      ok_button}),
      tab_image1(design_.get<forms::Image>("tab_image1")),
      tab_image2(design_.get<forms::Image>("tab_image2")),
      Frame1(design_.get<forms::Frame>("Frame1")),
      Label8(design_.get<forms::Label>("Label8")),
      Frame2(design_.get<forms::Frame>("Frame2")),
      help_cap(design_.get<forms::Label>("help_cap")) {
    Label8.set_fore_color(grey);
    Frame2.set_visible(false);
    tab_image2.set_top(tab_hidden_top);
    design_.get<forms::Label>("Label13").on_mouse_down = [this](const forms::MouseEvent&) {
        Label13_MouseDown();
    };
    design_.get<forms::Label>("Label14").on_mouse_down = [this](const forms::MouseEvent&) {
        Label14_MouseDown();
    };
    Label8.on_mouse_down = [this](const forms::MouseEvent&) { Label8.set_top(link_pressed_top); };
    Label8.on_mouse_up = [this](const forms::MouseEvent&) { Label8.set_top(link_top); };
    Label8.on_click = [this] { Label8_Click(); };
    design_.get<forms::Label>("Label9").on_click = [this] { Label9_Click(); };
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
    platform::skip_failure(
        [] { toolkit::shell_execute(home_page_address, 4, platform::program_folder().string()); });
}

void about_form::Label9_Click() {
    toolkit::form<Main_form>().emulator_list.scroll_event.set_enabled(true);
    hide();
}

}  // namespace kv
