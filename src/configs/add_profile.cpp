#include "configs/add_profile.h"

#include "configs/configs_form.h"
#include "model/profile_store.h"
#include "toolkit/control_style.h"
#include "toolkit/keep_out_characters.h"
#include "toolkit/message_box.h"
#include "toolkit/push_button.h"
#include "toolkit/windows.h"

namespace kv {

namespace {

constexpr toolkit::PushButton cancel_button =
    toolkit::with_box_tall_caption({.box = "Picture2",
                                    .left = 1080,
                                    .top = 1080,
                                    .image = {"Image2"},
                                    .caption = {"down_section_label", 1},
                                    .caption_text = "Cancel",
                                    .click_label = "Label2",
                                    .caption_top = 80});
constexpr toolkit::PushButton ok_button =
    toolkit::with_box_tall_caption({.box = "Picture1",
                                    .left = 2040,
                                    .top = 1080,
                                    .image = {"Image1"},
                                    .caption = {"down_section_label", 0},
                                    .caption_text = "Ok",
                                    .click_label = "Label1",
                                    .caption_top = 80});

forms::Shape& outline(forms::Shape& s) {
    s.set_border_color(toolkit::frame_blue);
    return s;
}

forms::TextBox& name_box(forms::TextBox& t) {
    t.set_back_color(0);
    t.set_fore_color(toolkit::white);
    t.set_border(false);
    return t;
}

}  // namespace

add_profile::add_profile()
    : toolkit::FramedForm(
          "add_profile",
          toolkit::FrameStyle{.design_title = "  Add new config  ", .width = 3015, .height = 1575}),
      Label9(toolkit::white_text(add<forms::Label>("Label9", 120, 480, 2775, 255), "Config name:")),
      Shape1(outline(add<forms::Shape>("Shape1", 120, 720, 2775, 255))),
      Text1(name_box(add<forms::TextBox>("Text1", 135, 735, 2740, 225))),
      Label2(toolkit::build_push_button(*this, cancel_button)),
      Label1(toolkit::build_push_button(*this, ok_button)) {
    for (int i = 0; i < 2; ++i)
        down_section_label[static_cast<std::size_t>(i)] =
            dynamic_cast<forms::Label*>(find("down_section_label", i));
    // A profile's name becomes a file name in the profile folders and a line of the lists that name
    // them: no folder separators, no line breaks.
    toolkit::keep_out_characters(Text1, "/\\\r\n");
    Label1.on_click = [this] { Label1_Click(); };
    Label2.on_click = [this] { Label2_Click(); };
    expose("add_profile_message", add_profile_message);
}

void add_profile::Form_Load() {
    arrange_frame();
}

namespace {

// A name of blanks only would make a profile whose row in the list shows nothing.
bool blank(const std::string& name) {
    return name.find_first_not_of(" \t\r\n\v\f") == std::string::npos;
}

}  // namespace

void add_profile::Label1_Click() {
    if (blank(Text1.text())) {
        toolkit::show_message(*this, add_profile_message, toolkit::notice_icon);
        return;
    }
    auto& configs = toolkit::form<configs_form>();
    // SSSPSX keeps its settings in a file of its folder: the new profile starts from it.
    profiles::create_blank_profile(configs.current_config, Text1.text(),
                                   configs.psx_emulator_folder(configs.current_config).value_or(""));
    Text1.set_text("");
    configs.load_configs();
    close_dialog();
}

void add_profile::Label2_Click() {
    Text1.set_text("");
    close_dialog();
}

void add_profile::close_dialog() {
    toolkit::form<configs_form>().scroll_event.set_enabled(true);
    hide();
}

}  // namespace kv
