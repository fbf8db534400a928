#pragma once
// The skinned borderless frame every window but the picker and the hide strip draws for itself:
// nine stretched pictures, a title label and a transparent drag area over the title band.
#include <cstdint>
#include <string>

#include "forms/form.h"

namespace kv::toolkit {

struct FrameStyle {
    std::string design_title;
    float width = 0;  // design size, twips
    float height = 0;
    float title_top = 80;  // 75 in the add, edit and switches dialogs
    // About, options and the skin browser place the middle of the title band after its left end.
    bool middle_follows_left = false;
    // The options window's left end of the title band takes the size of its picture.
    bool left_end_natural_size = false;
};

inline constexpr float title_band_height = 375;
inline constexpr float border_width = 135;

class FramedForm : public forms::Form {
  public:
    FramedForm(std::string name, const FrameStyle& style);

    forms::Image& framebar_left;
    forms::Image& framebar_middle;
    forms::Image& framebar_right;
    forms::Image& left_side;
    forms::Image& right_side;
    forms::Image& down_left;
    forms::Image& down_middle;
    forms::Image& down_right;
    forms::Image& background;
    forms::Label& Framebar_title;
    forms::Label& titlebar_mover;

    // Point of the last grab in the window: the title drag, and in list windows the thumb.
    int16_t drag_x = 0;
    int16_t drag_y = 0;

    // Fits the frame pieces to the window's size; a step that fails is skipped.
    void arrange_frame();

    void titlebar_mover_MouseDown(const forms::MouseEvent& e);
    void titlebar_mover_MouseMove(const forms::MouseEvent& e);

    // Every frame image, in the order skins address them.
    forms::Image* frame_piece(const std::string& piece_name);

  private:
    bool middle_follows_left_;
};

}  // namespace kv::toolkit
