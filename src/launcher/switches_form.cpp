#include "launcher/switches_form.h"

#include "launcher/field_box.h"
#include "launcher/main_form.h"
#include "model/catalogue.h"
#include "toolkit/pressed_image.h"
#include "toolkit/windows.h"

namespace kv {

namespace {

using toolkit::CaptionDesign;
using toolkit::ControlDesign;
using toolkit::ControlType;

// OK and Cancel share the room right of the arrows, apart, and end with the switch box.
constexpr float button_width = 540;
constexpr float arrow_width = 375;
constexpr float arrow_box_height = 135;

// Stretched to the box, so that a skin's wider button picture is shown whole, not cut.
constexpr toolkit::PushButton button(const char* box, float left, const char* image, int caption,
                                     const char* text, const char* click) {
    return {box,
            left,
            750,
            {image},
            {"section_label", caption},
            text,
            click,
            button_width,
            toolkit::button_height,
            90};
}

constexpr toolkit::WindowRow rows[] = {
    toolkit::FieldDesign{"Text3", "Shape2", 105, 465, 2190},
    ControlDesign{ControlType::image, {"switch_button"}, 120, 780, 600, 255},
    CaptionDesign{"Label1", 120, 810, 600, "1/5", 225, toolkit::TextLook::centred},
    ControlDesign{ControlType::picture_box, {"Picture1"}, 735, 780, arrow_width, 255},
    // Each arrow shows one of its two looks through a box of its own, the lower box over the upper
    // one's last pixel.
    ControlDesign{ControlType::picture_box,
                  {"Picture4"},
                  0,
                  0,
                  arrow_width,
                  arrow_box_height,
                  toolkit::ControlLook::plain,
                  {"Picture1"}},
    ControlDesign{ControlType::image,
                  {"up_button"},
                  0,
                  0,
                  arrow_width,
                  2 * arrow_box_height,
                  toolkit::ControlLook::plain,
                  {"Picture4"}},
    ControlDesign{ControlType::picture_box,
                  {"Picture5"},
                  0,
                  120,
                  arrow_width,
                  arrow_box_height,
                  toolkit::ControlLook::plain,
                  {"Picture1"}},
    ControlDesign{ControlType::image,
                  {"down_button"},
                  0,
                  0,
                  arrow_width,
                  2 * arrow_box_height,
                  toolkit::ControlLook::plain,
                  {"Picture5"}},
    button("Picture2", 1140, "Image1", 1, "Cancel", "Label2"),
    button("Picture3", 1740, "Image2", 0, "OK", "Label3"),
};

}  // namespace

switches_form::switches_form()
    : toolkit::FramedForm(
          "switches_form",
          toolkit::FrameStyle{
              .design_title = "  Switches  ", .width = 2415, .height = 1335, .title_top = 75}),
      design_(*this, {rows}),
      Shape2(design_.get<forms::Shape>("Shape2")),
      Text3(design_.get<forms::TextBox>("Text3")),
      Label1(design_.get<forms::Label>("Label1")),
      Picture1(design_.get<forms::PictureBox>("Picture1")),
      up_button(design_.get<forms::Image>("up_button")),
      down_button(design_.get<forms::Image>("down_button")),
      Image1(design_.get<forms::Image>("Image1")),
      Image2(design_.get<forms::Image>("Image2")) {
    // A "|" would split the stored record into more switches.
    launcher::keep_out_field_separator(Text3, [this] { Text3_Change(); });
    toolkit::attach_pressed_image(up_button, up_button);
    toolkit::attach_pressed_image(down_button, down_button);
    up_button.on_click = [this] { up_button_Click(); };
    down_button.on_click = [this] { down_button_Click(); };
    design_.get<forms::Label>("Label3").on_click = [this] { Label3_Click(); };
    design_.get<forms::Label>("Label2").on_click = [this] { Label2_Click(); };
    expose("current_slot", [this] { return std::to_string(current_slot_); });
}

void switches_form::Form_Load() {
    arrange_frame();
}

void switches_form::Clear_counter() {
    current_slot_ = 1;
    show_counter();
}

void switches_form::load_switches(const std::string& cur_switch) {
    incoming_record_ = cur_switch;
    // A hand-edited record may hold fewer than six fields; the missing switches are empty.
    for (std::size_t n = 0; n < slots_.size(); ++n)
        slots_[n] = std::string(model::record_field(cur_switch, n).value_or(""));
    show_slot(1);
}

void switches_form::show_slot(int16_t n) {
    Text3.set_text(slots_.at(static_cast<std::size_t>(n)));
}

void switches_form::show_counter() {
    Label1.set_caption(std::to_string(current_slot_) + "/5");
}

void switches_form::Text3_Change() {
    slots_.at(static_cast<std::size_t>(current_slot_)) = Text3.text();
}

void switches_form::up_button_Click() {
    if (current_slot_ != 5) show_slot(++current_slot_);
    show_counter();
}

void switches_form::down_button_Click() {
    if (current_slot_ != 1) show_slot(--current_slot_);
    show_counter();
}

void switches_form::Label3_Click() {
    std::string record = slots_[0];
    for (std::size_t n = 1; n < slots_.size(); ++n) record += "|" + slots_[n];
    close_with(record);
}

void switches_form::Label2_Click() {
    close_with(incoming_record_);
}

void switches_form::close_with(const std::string& record) {
    auto& main = toolkit::form<Main_form>();
    main.Create_switch(record);
    main.emulator_list.scroll_event.set_enabled(true);
    hide();
}

}  // namespace kv
