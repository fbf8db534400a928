#include "toolkit/framed_form.h"

#include "platform/runtime.h"
#include "toolkit/control_style.h"

namespace kv::toolkit {

using forms::Image;
using forms::Label;

FramedForm::FramedForm(std::string name, const FrameStyle& style)
    : forms::Form(std::move(name)),
      framebar_left(add<Image>("framebar_left", 0, 0, 1800, title_band_height)),
      framebar_middle(stretched(add<Image>("framebar_middle", 1800, 0, 0, title_band_height))),
      framebar_right(stretched(add<Image>("framebar_right", 0, 0, border_width, title_band_height))),
      left_side(stretched(add<Image>("left_side", 0, title_band_height, border_width, 0))),
      right_side(stretched(add<Image>("right_side", 0, title_band_height, border_width, 0))),
      down_left(stretched(add<Image>("down_left", 0, 0, border_width, border_width))),
      down_middle(stretched(add<Image>("down_middle", border_width, 0, 0, border_width))),
      down_right(stretched(add<Image>("down_right", 0, 0, border_width, border_width))),
      background(stretched(add<Image>("background", border_width, title_band_height, 0, 0))),
      Framebar_title(add<Label>("Framebar_title", 0, style.title_top, 0, title_band_height)),
      titlebar_mover(add<Label>("titlebar_mover", 0, 0, 0, title_band_height)),
      middle_follows_left_(style.middle_follows_left) {
    if (!style.left_end_natural_size) framebar_left.set_stretch(true);
    set_width(style.width);
    set_height(style.height);
    Framebar_title.set_caption(style.design_title);
    Framebar_title.set_transparent(true);
    Framebar_title.set_fore_color(white);
    titlebar_mover.set_transparent(true);
    // The design places the pieces where the layout puts them at the design size.
    arrange_frame();
    expose("drag_x", [this] { return std::to_string(drag_x); });
    expose("drag_y", [this] { return std::to_string(drag_y); });
    titlebar_mover.on_mouse_down = [this](const forms::MouseEvent& e) { titlebar_mover_MouseDown(e); };
    titlebar_mover.on_mouse_move = [this](const forms::MouseEvent& e) { titlebar_mover_MouseMove(e); };
}

void FramedForm::arrange_frame() {
    // W and H are read afresh for each step, and every piece's size at the moment it is used.
    auto step = [](auto&& f) { platform::skip_failure(f); };
    step([&] { titlebar_mover.set_width(width()); });
    step([&] { Framebar_title.set_width(width()); });
    step([&] { framebar_right.set_left(width() - framebar_right.width()); });
    step([&] { framebar_middle.set_width(width() - framebar_right.width() - framebar_left.width()); });
    if (middle_follows_left_) step([&] { framebar_middle.set_left(framebar_left.width()); });
    step([&] { right_side.set_left(width() - right_side.width()); });
    step([&] { down_right.set_left(width() - down_right.width()); });
    step([&] { down_middle.set_width(width() - down_right.width() - down_left.width()); });
    step([&] { background.set_width(width() - down_right.width() - down_left.width()); });
    step([&] { down_left.set_top(height() - down_left.height()); });
    step([&] { down_right.set_top(height() - down_right.height()); });
    step([&] { down_middle.set_top(height() - down_middle.height()); });
    step([&] { left_side.set_height(height() - down_left.height() - title_band_height); });
    step([&] { right_side.set_height(height() - down_right.height() - title_band_height); });
    step([&] { background.set_height(height() - down_middle.height() - title_band_height); });
}

void FramedForm::titlebar_mover_MouseDown(const forms::MouseEvent& e) {
    // Any button records the grab point; only a left-button drag moves the window.
    platform::skip_failure([&] { drag_x = platform::to_int16(e.x); });
    platform::skip_failure([&] { drag_y = platform::to_int16(e.y); });
}

void FramedForm::titlebar_mover_MouseMove(const forms::MouseEvent& e) {
    // The grab point goes where the pointer is on the desktop, however many moves queued up before
    // the window moved: a move measured against the window's old place would be applied once for
    // every queued move, and throw the window off the screen.
    if (e.button == forms::left_button)
        platform::skip_failure(
            [&] { set_left(e.pointer.x - titlebar_mover.form_x() - static_cast<float>(drag_x)); });
    if (e.button == forms::left_button)
        platform::skip_failure(
            [&] { set_top(e.pointer.y - titlebar_mover.form_y() - static_cast<float>(drag_y)); });
}

forms::Image* FramedForm::frame_piece(const std::string& piece_name) {
    return dynamic_cast<forms::Image*>(find(piece_name));
}

}  // namespace kv::toolkit
