#include <gtest/gtest.h>

#include "support/headless_test.h"
#include "toolkit/framed_form.h"
#include "toolkit/pressed_image.h"

namespace kv::toolkit {
namespace {

using FrameTest = kvtest::HeadlessTest;

FrameStyle style(float w, float h, bool follows_left = false) {
    FrameStyle s;
    s.design_title = "  Test  ";
    s.width = w;
    s.height = h;
    s.middle_follows_left = follows_left;
    return s;
}

TEST_F(FrameTest, ArrangeFitsEveryPieceToTheWindow) {
    FramedForm f("f", style(4455, 2775));
    f.set_width(6000);
    f.set_height(3000);
    f.arrange_frame();
    EXPECT_FLOAT_EQ(f.titlebar_mover.width(), 6000);
    EXPECT_FLOAT_EQ(f.Framebar_title.width(), 6000);
    EXPECT_FLOAT_EQ(f.framebar_right.left(), 5865);
    EXPECT_FLOAT_EQ(f.framebar_middle.left(), 1800);
    EXPECT_FLOAT_EQ(f.framebar_middle.width(), 6000 - 1935);
    EXPECT_FLOAT_EQ(f.right_side.left(), 5865);
    EXPECT_FLOAT_EQ(f.down_right.left(), 5865);
    EXPECT_FLOAT_EQ(f.down_middle.width(), 5730);
    EXPECT_FLOAT_EQ(f.background.width(), 5730);
    EXPECT_FLOAT_EQ(f.down_left.top(), 2865);
    EXPECT_FLOAT_EQ(f.down_right.top(), 2865);
    EXPECT_FLOAT_EQ(f.down_middle.top(), 2865);
    EXPECT_FLOAT_EQ(f.left_side.height(), 2490);
    EXPECT_FLOAT_EQ(f.right_side.height(), 2490);
    EXPECT_FLOAT_EQ(f.background.height(), 2490);
    EXPECT_FLOAT_EQ(f.Framebar_title.top(), 80);
}

TEST_F(FrameTest, ANarrowWindowKeepsTheMiddlePiecesWidthButDoesEveryOtherStep) {
    FramedForm f("f", style(3855, 1785));
    f.set_width(1935);
    f.arrange_frame();
    EXPECT_FLOAT_EQ(f.framebar_middle.width(), 0);

    f.set_width(3000);
    f.arrange_frame();
    f.set_width(1900);
    f.arrange_frame();
    EXPECT_FLOAT_EQ(f.framebar_middle.width(), 3000 - 1935);  // its width would be negative: kept
    EXPECT_FLOAT_EQ(f.framebar_right.left(), 1765);           // the steps after it still ran
    EXPECT_FLOAT_EQ(f.background.width(), 1630);
    EXPECT_FLOAT_EQ(f.titlebar_mover.width(), 1900);
}

TEST_F(FrameTest, TheMiddlePieceFollowsTheLeftEndOnlyWhereAsked) {
    FrameStyle s = style(5655, 7575, true);
    s.left_end_natural_size = true;
    FramedForm f("f", s);
    f.framebar_left.set_width(2400);  // as a picture of another size would make it
    f.arrange_frame();
    EXPECT_FLOAT_EQ(f.framebar_middle.left(), 2400);
    EXPECT_FLOAT_EQ(f.framebar_middle.width(), 5655 - 135 - 2400);

    FramedForm g("g", style(5655, 7575));
    g.framebar_left.set_width(2400);
    g.arrange_frame();
    EXPECT_FLOAT_EQ(g.framebar_middle.left(), 1800);
}

TEST_F(FrameTest, OnlyALeftButtonDragMovesTheWindow) {
    FramedForm f("f", style(4455, 2775));
    f.move(3000, 2000);
    f.deliver_mouse_down(100.4f, 200.5f, forms::left_button, 0);
    EXPECT_EQ(f.drag_x, 100);
    EXPECT_EQ(f.drag_y, 200);  // halves round to even
    f.deliver_mouse_move(160, 230, forms::left_button, 0);
    EXPECT_FLOAT_EQ(f.left(), 3060);
    EXPECT_FLOAT_EQ(f.top(), 2030);
    for (int16_t buttons : {0, 2, 3, 4}) {
        f.deliver_mouse_move(900, 900, buttons, 0);
        EXPECT_FLOAT_EQ(f.left(), 3060) << buttons;
        EXPECT_FLOAT_EQ(f.top(), 2030) << buttons;
    }
}

TEST_F(FrameTest, MovesQueuedBeforeTheWindowMovedPutItWhereThePointerIs) {
    FramedForm f("f", style(4455, 2775));
    f.move(3000, 2000);
    f.deliver_mouse_down(1000, 100, forms::left_button, 0, forms::ScreenPoint{4000, 2100});
    // Three moves the display measured against the window's old place, all sent before it moved.
    for (float step : {100.0f, 200.0f, 300.0f})
        f.deliver_mouse_move(1000 + step, 100 + step, forms::left_button, 0,
                             forms::ScreenPoint{4000 + step, 2100 + step});
    EXPECT_FLOAT_EQ(f.left(), 3300);
    EXPECT_FLOAT_EQ(f.top(), 2300);
    // A press on the window where it still showed, before it moved: the point grabbed is the one
    // pressed on, and the window follows the pointer from the place it showed at.
    f.deliver_mouse_up(1300, 400, forms::left_button, 0, forms::ScreenPoint{4300, 2400});
    f.deliver_mouse_down(1300, 100, forms::left_button, 0, forms::ScreenPoint{4300, 2100});
    EXPECT_EQ(f.drag_x, 1300);
    EXPECT_EQ(f.drag_y, 100);
    f.deliver_mouse_move(1400, 150, forms::left_button, 0, forms::ScreenPoint{4400, 2150});
    EXPECT_FLOAT_EQ(f.left(), 3100);
    EXPECT_FLOAT_EQ(f.top(), 2050);
}

TEST_F(FrameTest, DraggingThroughTheWindowMovesItWithThePointer) {
    FramedForm f("f", style(4455, 2775));
    f.move(3000, 2000);
    // The label moves with the window, so each move reports the travel since the last one.
    f.deliver_mouse_down(1000, 100, forms::left_button, 0);
    f.deliver_mouse_move(1150, 160, forms::left_button, 0);
    f.deliver_mouse_up(1000, 100, forms::left_button, 0);
    EXPECT_FLOAT_EQ(f.left(), 3150);
    EXPECT_FLOAT_EQ(f.top(), 2060);
}

TEST_F(FrameTest, PressedImageShowsTheLowerHalfUntilReleasedWithoutClickOutside) {
    FramedForm f("f", style(4455, 2775));
    auto& box = f.add<forms::PictureBox>("Picture1", 1000, 1000, 855, 375);
    auto& image = f.add<forms::Image>("Image1", 0, 0, 855, 750, &box);
    image.set_stretch(true);
    auto& label = f.add<forms::Label>("Label1", 0, 0, 855, 375, &box);
    label.set_transparent(true);
    attach_pressed_image(label, image);
    int clicks = 0;
    label.on_click = [&] { ++clicks; };

    f.deliver_mouse_down(1100, 1100, forms::left_button, 0);
    EXPECT_FLOAT_EQ(image.top(), -375);
    f.deliver_mouse_up(3000, 2500, forms::left_button, 0);  // released outside the button
    EXPECT_FLOAT_EQ(image.top(), 0);
    EXPECT_EQ(clicks, 0);

    f.deliver_mouse_down(1100, 1100, forms::right_button, 0);
    EXPECT_FLOAT_EQ(image.top(), -375);  // any button shows the press
    f.deliver_mouse_up(1100, 1100, forms::right_button, 0);
    f.deliver_mouse_down(1100, 1100, forms::left_button, 0);
    f.deliver_mouse_up(1100, 1100, forms::left_button, 0);
    EXPECT_EQ(clicks, 1);

    // The add and edit dialogs' OK and Cancel use a fixed pressed place whatever the picture.
    attach_pressed_image(label, image, -375.0f);
    image.set_height(2000);
    f.deliver_mouse_down(1100, 1100, forms::left_button, 0);
    EXPECT_FLOAT_EQ(image.top(), -375);
    EXPECT_TRUE(shows_lower_half(image));
}

}  // namespace
}  // namespace kv::toolkit
