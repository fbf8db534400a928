#include "launcher/game_prompt.h"

#include "toolkit/control_style.h"
#include "toolkit/pressed_image.h"

namespace kv {

namespace {

using toolkit::white;

constexpr auto text = &toolkit::white_text;

using toolkit::click_label;
}  // namespace

game_prompt::game_prompt()
    : toolkit::FramedForm("game_prompt",
                          toolkit::FrameStyle{.design_title = "  Korvalin  ", .width = 4590, .height = 1575}),
      Label9(text(add<forms::Label>("Label9", 120, 450, 4350, 255), "Do you want to start the emulator?")),
      Label1(text(add<forms::Label>("Label1", 120, 750, 855, 255), "Game:")),
      Label2(text(add<forms::Label>("Label2", 120, 990, 855, 255), "Game ID:")),
      Label3(text(add<forms::Label>("Label3", 120, 1230, 855, 255), "Region:")),
      Label5(text(add<forms::Label>("Label5", 975, 750, 1695, 255), "Unknown")),
      Label6(text(add<forms::Label>("Label6", 975, 990, 1695, 255), "Unknown")),
      Label7(text(add<forms::Label>("Label7", 975, 1230, 1695, 255), "Unknown")),
      Image1(button("Picture1", 2760, 0)),
      Image2(button("Picture2", 3615, 1)),
      Label4(click_label(add<forms::Label>("Label4", 0, 0, 855, 375, Image1.container()))),
      Label8(click_label(add<forms::Label>("Label8", 0, 0, 855, 375, Image2.container()))) {
    Label9.set_alignment(forms::Alignment::center);
    toolkit::attach_pressed_image(Label4, Image1);
    toolkit::attach_pressed_image(Label8, Image2);
    Label4.on_click = [this] { Label4_Click(); };
}

forms::Image& game_prompt::button(const char* box_name, float left, int i) {
    auto& box = add<forms::PictureBox>(box_name, left, 1080, 855, 375);
    auto& image = add<forms::Image>(i == 0 ? "Image1" : "Image2", 0, 0, 855, 750, &box);
    auto& caption =
        text(add<forms::Label>("down_section_label", 0, 80, 855, 255, &box, i), i == 0 ? "Cancel" : "Ok");
    caption.set_alignment(forms::Alignment::center);
    down_section_label.at(static_cast<std::size_t>(i)) = &caption;
    return image;
}

void game_prompt::Form_Load() {
    arrange_frame();
}

void game_prompt::Label4_Click() {
    hide();
}

}  // namespace kv
