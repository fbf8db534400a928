#include "fonts_languages/font_browser.h"

#include <array>

#include "fonts_languages/font_targets.h"
#include "forms/backend.h"
#include "platform/runtime.h"

namespace kv {

namespace {

using toolkit::CaptionDesign;
using toolkit::ControlDesign;
using toolkit::ControlLook;
using toolkit::ControlType;
using toolkit::WindowRow;

constexpr float check_size = 375;
constexpr double largest_size = 72;
// The size box's frame is black until a skin colours it.
constexpr forms::Color black = 0;

// A check box: a box clipping its four-cell picture, a centred caption and a click label over both.
constexpr std::array<WindowRow, 4> check_box(const char* box, float left, const char* image,
                                             const char* caption_label, const char* caption,
                                             const char* click) {
    return {ControlDesign{ControlType::picture_box, {box}, left, 1320, check_size, check_size},
            ControlDesign{
                ControlType::image, {image}, 0, 0, check_size, 4 * check_size, ControlLook::stretched, {box}},
            CaptionDesign{
                caption_label, 0, 80, check_size, caption, check_size, toolkit::TextLook::centred, {box}},
            ControlDesign{
                ControlType::label, {click}, 0, 0, check_size, check_size, ControlLook::click_area, {box}}};
}

constexpr WindowRow font_rows[] = {
    CaptionDesign{"Label1", 2160, 440, 2775, "Font:"},
    CaptionDesign{"Label2", 2160, 680, 1815, "Microsoft Sans Serif", 495, toolkit::TextLook::wrapped},
    CaptionDesign{"Label6", 2160, 1200, 1095, "Size:"},
    toolkit::FieldDesign{"Text1", "Shape1", 2160, 1440, 885, 255, black},
    ControlDesign{ControlType::list_box, {"List1"}, 120, 4800, 3855, 2595, ControlLook::hidden},
};

constexpr auto bold_box = check_box("Picture3", 3120, "Image3", "Label7", "B", "Label10");
constexpr auto italic_box = check_box("Picture2", 3600, "Image4", "Label8", "I", "Label9");

constexpr WindowRow buttons[] = {
    toolkit::dialog_button("Picture1", 3120, 1800, "Image2", "Label3", "Ok", "Label5"),
    toolkit::dialog_button("Picture17", 2160, 1800, "Image1", "Label22", "Cancel", "Label4"),
};

// The cell of a four-cell check box picture: 0 off, 1 off pressed, 2 on, 3 on pressed.
void show_cell(forms::Image& image, int cell) {
    image.set_top(-image.height() * static_cast<float>(cell) / 4);
}
}  // namespace

font_browser::font_browser()
    : toolkit::FramedForm(
          "font_browser",
          toolkit::FrameStyle{.design_title = "  Font browser", .width = 4095, .height = 2295}),
      list(*this, toolkit::ListLayout::font_browser(), toolkit::ListVariant::font_browser(), list_source()),
      design_(*this, {font_rows, bold_box, italic_box, buttons}),
      Label2(design_.get<forms::Label>("Label2")),
      Text1(design_.get<forms::TextBox>("Text1")),
      List1(design_.get<forms::ListBox>("List1")),
      Image3(design_.get<forms::Image>("Image3")),
      Label10(design_.get<forms::Label>("Label10")),
      Image4(design_.get<forms::Image>("Image4")),
      Label9(design_.get<forms::Label>("Label9")),
      Label5(design_.get<forms::Label>("Label5")),
      Label22(design_.get<forms::Label>("Label22")),
      Label4(design_.get<forms::Label>("Label4")) {
    Text1.set_text("8");
    Text1.on_change = [this] { Text1_Change(); };
    attach_check_box(Label10, Image3, font_bold2);
    attach_check_box(Label9, Image4, font_itallic2);
    Label5.on_click = [this] { Label5_Click(); };
    Label4.on_click = [this] { Label4_Click(); };
    expose("font_bold2", [this] { return platform::bool_text(font_bold2); });
    expose("font_itallic2", [this] { return platform::bool_text(font_itallic2); });
}

toolkit::ListSource font_browser::list_source() {
    toolkit::ListSource s;
    s.count = [this] { return List1.list_count(); };
    s.item = [this](int t) { return List1.list(t); };
    s.selection = [this] { return Label2.caption(); };
    s.set_selection = [this](const std::string& name) { Label2.set_caption(name); };
    return s;
}

void font_browser::attach_check_box(forms::Label& mouse, forms::Image& image, bool& flag) {
    mouse.on_mouse_down = [&image, &flag](const forms::MouseEvent&) { show_cell(image, flag ? 3 : 1); };
    mouse.on_mouse_up = [&image, &flag](const forms::MouseEvent&) { show_cell(image, flag ? 2 : 0); };
    mouse.on_click = [&image, &flag] {
        flag = !flag;
        show_check_state(image, flag);
    };
}

void font_browser::show_check_state(forms::Image& image, bool on) {
    show_cell(image, on ? 2 : 0);
}

void font_browser::Form_Load() {
    arrange_frame();
    font_itallic2 = false;
    font_bold2 = false;
    // Listing the installed families takes the font system a long while, most of start-up's time on a
    // system with many fonts: the list is filled when the browser is first needed.
    defer_until_needed([this] {
        load_font_list();
        list.show_list();
    });
}

void font_browser::load_font_list() {
    for (const std::string& name : forms::backend().installed_fonts()) List1.add_item(name);
}

void font_browser::Text1_Change() {
    if (correcting_size_) return;
    correcting_size_ = true;
    double size = 0;
    if (platform::skip_failure([&] { size = platform::text_to_double(Text1.text()); }))
        Text1.set_text("");
    else if (size > largest_size)
        Text1.set_text("72");
    correcting_size_ = false;
}

void font_browser::change_font(const std::string& font_name, const std::string& font_size, bool font_bold,
                               bool font_itallic) {
    platform::skip_failure([&] {
        if (font_named) font_named(font_name);
    });
    fonts_languages::apply_font_to_targets(font_name, font_size, font_bold, font_itallic);
    platform::skip_failure([&] {
        if (font_applied) font_applied();
    });
}

void font_browser::Label5_Click() {
    list.scroll_event.set_enabled(false);
    // With no font listed there is no name to apply.
    if (!Label2.caption().empty()) {
        if (Text1.text().empty()) Text1.set_text("8");
        change_font(Label2.caption(), Text1.text(), font_bold2, font_itallic2);
    }
    hide();
}

void font_browser::Label4_Click() {
    list.scroll_event.set_enabled(false);
    hide();
}

}  // namespace kv
