#pragma once
// The windows' push buttons: a picture box clipping a two-state picture (released above pressed),
// holding a caption and a transparent click label over the whole box. A press shows the lower half, a
// release the upper half; the click belongs to the window.
#include <optional>

#include "forms/form.h"

namespace kv::toolkit {

// The size of a dialog's push button, twips.
inline constexpr float button_width = 855;
inline constexpr float button_height = 375;

// A control by name, or an element of a control array when index is not -1.
struct ControlRef {
    const char* name;
    int index = -1;
};

// How a caption is drawn: white on a transparent label, with any of these added.
enum class TextLook : unsigned { plain = 0, centred = 1, wrapped = 2, auto_sized = 4 };

constexpr TextLook operator|(TextLook a, TextLook b) {
    return static_cast<TextLook>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool has(TextLook look, TextLook part) {
    return (static_cast<unsigned>(look) & static_cast<unsigned>(part)) != 0;
}

struct PushButton {
    const char* box;
    float left, top;
    ControlRef image;
    ControlRef caption;
    const char* caption_text;
    const char* click_label;
    float width = button_width;
    float height = button_height;
    float caption_top = 75;
    float caption_height = 255;
    // A picture not stretched takes its own size when a skin loads it, as some windows' buttons do.
    bool stretched = true;
    TextLook caption_look = TextLook::centred;
    // Where the picture goes while pressed; none: up by half its height.
    std::optional<float> pressed_top = std::nullopt;
};

// The button with a caption label as tall as the box, as the configs windows lay theirs out.
constexpr PushButton with_box_tall_caption(PushButton b) {
    b.caption_height = b.height;
    return b;
}

// The browsers' and the message box's buttons: the caption 80 twips down in a label as tall as the box.
constexpr PushButton dialog_button(const char* box, float left, float top, const char* image,
                                   const char* caption_label, const char* caption, const char* click) {
    return with_box_tall_caption(
        {box, left, top, {image}, {caption_label}, caption, click, button_width, button_height, 80});
}

// Builds the four controls on the window and gives the click label the pressed look; returns the
// click label, whose on_click the window sets.
forms::Label& build_push_button(forms::Form& form, const PushButton& button);

}  // namespace kv::toolkit
