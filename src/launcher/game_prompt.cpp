#include "launcher/game_prompt.h"

namespace kv {

namespace {

using toolkit::CaptionDesign;
using toolkit::PushButton;
using toolkit::TextLook;

constexpr float answer_left = 975;
constexpr float answer_width = 1695;
constexpr float buttons_top = 1080;

// Cancel and Ok keep the size of their skin's picture.
constexpr PushButton button(const char* box, float left, const char* image, int caption, const char* text,
                            const char* click) {
    return {box,
            left,
            buttons_top,
            {image},
            {"down_section_label", caption},
            text,
            click,
            toolkit::button_width,
            toolkit::button_height,
            80,
            255,
            false};
}

constexpr toolkit::WindowRow rows[] = {
    CaptionDesign{"Label9", 120, 450, 4350, "Do you want to start the emulator?", 255, TextLook::centred},
    CaptionDesign{"Label1", 120, 750, 855, "Game:"},
    CaptionDesign{"Label2", 120, 990, 855, "Game ID:"},
    CaptionDesign{"Label3", 120, 1230, 855, "Region:"},
    CaptionDesign{"Label5", answer_left, 750, answer_width, "Unknown"},
    CaptionDesign{"Label6", answer_left, 990, answer_width, "Unknown"},
    CaptionDesign{"Label7", answer_left, 1230, answer_width, "Unknown"},
    button("Picture1", 2760, "Image1", 0, "Cancel", "Label4"),
    button("Picture2", 3615, "Image2", 1, "Ok", "Label8"),
};

}  // namespace

game_prompt::game_prompt()
    : toolkit::FramedForm("game_prompt",
                          toolkit::FrameStyle{.design_title = "  Korvalin  ", .width = 4590, .height = 1575}),
      design_(*this, {rows}),
      down_section_label{&design_.get<forms::Label>("down_section_label", 0),
                         &design_.get<forms::Label>("down_section_label", 1)} {
    design_.get<forms::Label>("Label4").on_click = [this] { Label4_Click(); };
}

void game_prompt::Form_Load() {
    arrange_frame();
}

void game_prompt::Label4_Click() {
    hide();
}

}  // namespace kv
