#include "fonts_languages/font_browser.h"

#include "fonts_languages/font_targets.h"
#include "platform/forms/backend.h"
#include "platform/runtime.h"
#include "toolkit/control_style.h"
#include "toolkit/pressed_image.h"
#include "toolkit/windows.h"

namespace kv {

namespace {
constexpr float button_width = 855;
constexpr float button_height = 375;
constexpr float check_size = 375;
constexpr double largest_size = 72;

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
      Label1(toolkit::white_text(add<forms::Label>("Label1", 2160, 440, 2775, 255), "Font:")),
      Label2(toolkit::white_text(add<forms::Label>("Label2", 2160, 680, 1815, 495), "Microsoft Sans Serif")),
      Label6(toolkit::white_text(add<forms::Label>("Label6", 2160, 1200, 1095, 255), "Size:")),
      Shape1(add<forms::Shape>("Shape1", 2160, 1440, 885, 255)),
      Text1(add<forms::TextBox>("Text1", 2175, 1455, 855, 225)),
      List1(toolkit::hidden(add<forms::ListBox>("List1", 120, 4800, 3855, 2595))),
      bold_box_(toolkit::add_button_box(*this, {"Picture3", "Image3", "Label7", "Label10"}, 3120, 1320,
                                        check_size, check_size, 4, "B")),
      italic_box_(toolkit::add_button_box(*this, {"Picture2", "Image4", "Label8", "Label9"}, 3600, 1320,
                                          check_size, check_size, 4, "I")),
      ok_button_(toolkit::add_button_box(*this, {"Picture1", "Image2", "Label3", "Label5"}, 3120, 1800,
                                         button_width, button_height, 2, "Ok")),
      cancel_button_(toolkit::add_button_box(*this, {"Picture17", "Image1", "Label22", "Label4"}, 2160, 1800,
                                             button_width, button_height, 2, "Cancel")),
      Image3(bold_box_.image),
      Label7(bold_box_.caption),
      Label10(bold_box_.mouse),
      Image4(italic_box_.image),
      Label8(italic_box_.caption),
      Label9(italic_box_.mouse),
      Image2(ok_button_.image),
      Label3(ok_button_.caption),
      Label5(ok_button_.mouse),
      Image1(cancel_button_.image),
      Label22(cancel_button_.caption),
      Label4(cancel_button_.mouse) {
    Label2.set_word_wrap(true);
    Text1.set_back_color(0);
    Text1.set_fore_color(toolkit::white);
    Text1.set_border(false);
    Text1.set_text("8");
    Text1.on_change = [this] { Text1_Change(); };
    attach_check_box(Label10, Image3, font_bold2);
    attach_check_box(Label9, Image4, font_itallic2);
    toolkit::attach_pressed_image(Label5, Image2);
    toolkit::attach_pressed_image(Label4, Image1);
    Label5.on_click = [this] { Label5_Click(); };
    Label4.on_click = [this] { Label4_Click(); };
    expose("font_bold2", [this] { return bool_text(font_bold2); });
    expose("font_itallic2", [this] { return bool_text(font_itallic2); });
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
    load_font_list();
    list.show_list();
}

void font_browser::load_font_list() {
    for (const std::string& name : forms::backend().installed_fonts()) List1.add_item(name);
}

void font_browser::Text1_Change() {
    if (correcting_size_) return;
    correcting_size_ = true;
    double size = 0;
    if (skip_failure([&] { size = text_to_double(Text1.text()); }))
        Text1.set_text("");
    else if (size > largest_size)
        Text1.set_text("72");
    correcting_size_ = false;
}

void font_browser::change_font(const std::string& font_name, const std::string& font_size, bool font_bold,
                               bool font_itallic) {
    skip_failure([&] {
        if (font_named) font_named(font_name);
    });
    fonts_languages::apply_font_to_targets(font_name, font_size, font_bold, font_itallic);
    skip_failure([&] {
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
