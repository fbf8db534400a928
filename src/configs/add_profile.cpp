#include "configs/add_profile.h"

#include "configs/configs_form.h"
#include "model/profile_store.h"
#include "toolkit/keep_out_characters.h"
#include "toolkit/message_box.h"
#include "toolkit/push_button.h"
#include "toolkit/window_design.h"
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

using toolkit::ControlDesign;
using toolkit::ControlLook;
using toolkit::ControlType;

constexpr toolkit::WindowRow rows[] = {
    toolkit::CaptionDesign{"Label9", 120, 480, 2775, "Config name:"},
    ControlDesign{ControlType::shape, {"Shape1"}, 120, 720, 2775, 255, ControlLook::blue_border},
    ControlDesign{ControlType::text_box, {"Text1"}, 135, 735, 2740, 225, ControlLook::dark_box},
    cancel_button,
    ok_button,
};

}  // namespace

add_profile::add_profile()
    : toolkit::FramedForm(
          "add_profile",
          toolkit::FrameStyle{.design_title = "  Add new config  ", .width = 3015, .height = 1575}),
      design_(*this, {rows}),
      Label9(design_.get<forms::Label>("Label9")),
      Shape1(design_.get<forms::Shape>("Shape1")),
      Text1(design_.get<forms::TextBox>("Text1")),
      Label2(design_.get<forms::Label>("Label2")),
      Label1(design_.get<forms::Label>("Label1")),
      down_section_label{&design_.get<forms::Label>("down_section_label", 0),
                         &design_.get<forms::Label>("down_section_label", 1)} {
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
    const std::string name = Text1.text();
    const std::vector<std::string> failures = model::create_blank_profile(
        configs.current_config, name, configs.psx_emulator_folder(configs.current_config).value_or(""));
    toolkit::report_failures(*this, "The profile \"" + name + "\" was not made:", failures);
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
