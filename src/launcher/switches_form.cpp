#include "launcher/switches_form.h"

#include "app/forms.h"
#include "launcher/field_box.h"
#include "launcher/main_form.h"
#include "model/catalogue.h"
#include "toolkit/control_style.h"
#include "toolkit/pressed_image.h"

namespace kv {

namespace {

using toolkit::white;
// OK and Cancel share the room right of the arrows, apart, and end with the switch box.
constexpr float button_width = 540;
constexpr float button_height = 375;

constexpr auto caption_label = &toolkit::centred_text;

using toolkit::click_label;
}  // namespace

switches_form::switches_form()
    : toolkit::FramedForm(
          "switches_form",
          toolkit::FrameStyle{
              .design_title = "  Switches  ", .width = 2415, .height = 1335, .title_top = 75}),
      Shape2(add<forms::Shape>("Shape2", 105, 465, 2190, 255)),
      Text3(add<forms::TextBox>("Text3", 120, 480, 2160, 225)),
      switch_button(add<forms::Image>("switch_button", 120, 780, 600, 255)),
      Label1(caption_label(add<forms::Label>("Label1", 120, 810, 600, 225), "1/5")),
      Picture1(add<forms::PictureBox>("Picture1", 735, 780, 375, 255)),
      // Each arrow shows one of its two looks through a box of its own, the lower box over the
      // upper one's last pixel.
      up_button(add<forms::Image>("up_button", 0, 0, 375, 270,
                                  &add<forms::PictureBox>("Picture4", 0, 0, 375, 135, &Picture1))),
      down_button(add<forms::Image>("down_button", 0, 0, 375, 270,
                                    &add<forms::PictureBox>("Picture5", 0, 120, 375, 135, &Picture1))),
      Image1(button("Picture2", 1140, 1, "Cancel")),
      Image2(button("Picture3", 1740, 0, "OK")),
      Label3(click_label(add<forms::Label>("Label3", 0, 0, button_width, button_height, Image2.container()))),
      Label2(
          click_label(add<forms::Label>("Label2", 0, 0, button_width, button_height, Image1.container()))) {
    Shape2.set_border_color(toolkit::frame_blue);
    Text3.set_back_color(0);
    Text3.set_fore_color(white);
    Text3.set_border(false);
    // A "|" would split the stored record into more switches.
    keep_out_field_separator(Text3, [this] { Text3_Change(); });
    toolkit::attach_pressed_image(up_button, up_button);
    toolkit::attach_pressed_image(down_button, down_button);
    up_button.on_click = [this] { up_button_Click(); };
    down_button.on_click = [this] { down_button_Click(); };
    toolkit::attach_pressed_image(Label3, Image2);
    toolkit::attach_pressed_image(Label2, Image1);
    Label3.on_click = [this] { Label3_Click(); };
    Label2.on_click = [this] { Label2_Click(); };
    expose("current_slot", [this] { return std::to_string(current_slot_); });
}

forms::Image& switches_form::button(const char* box_name, float left, int caption_index,
                                    const char* caption) {
    auto& box = add<forms::PictureBox>(box_name, left, 750, button_width, button_height);
    // Stretched to the box, so that a skin's wider button picture is shown whole, not cut.
    auto& image = toolkit::stretched(add<forms::Image>(caption_index == 0 ? "Image2" : "Image1", 0, 0,
                                                       button_width, 2 * button_height, &box));
    section_label.at(static_cast<std::size_t>(caption_index)) = &caption_label(
        add<forms::Label>("section_label", 0, 90, button_width, 255, &box, caption_index), caption);
    return image;
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
        slots_[n] = std::string(record_field(cur_switch, n).value_or(""));
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
    auto& main = app::form<Main_form>();
    main.Create_switch(record);
    main.emulator_list.scroll_event.set_enabled(true);
    hide();
}

}  // namespace kv
