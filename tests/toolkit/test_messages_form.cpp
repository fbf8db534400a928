#include <gtest/gtest.h>

#include <memory>

#include "headless/headless_backend.h"
#include "toolkit/messages_form.h"

using kv::messages_form;
using kv::forms::Region;

namespace {

class MessagesForm : public ::testing::Test {
  protected:
    void SetUp() override {
        kv::forms::set_backend(&display);
        box = std::make_unique<messages_form>();
        box->load();
    }
    void TearDown() override {
        box.reset();
        kv::forms::set_backend(nullptr);
    }
    Region outline_for(const std::string& trim) {
        box->trim_factor = trim;
        box->show_exclamation("0123456789", "Korvalin 1.2", 0);
        return box->region().value_or(Region{-1, -1, -1, -1, -1, -1});
    }

    kv::headless::HeadlessBackend display;
    std::unique_ptr<messages_form> box;
};

TEST_F(MessagesForm, WidensToTheTextAndCentresOk) {
    box->show_exclamation("0123456789", "Korvalin 1.2", 0);  // 900 twips of text
    EXPECT_EQ(box->width(), 2370);
    EXPECT_EQ(box->height(), 1785);
    EXPECT_EQ(box->Picture17.left(), 757.5f);
    EXPECT_EQ(box->Picture17.top(), 1200);
    EXPECT_EQ(box->Framebar_title.caption(), "  Korvalin 1.2  ");
    EXPECT_EQ(box->framebar_right.left(), 2235);  // the frame follows the new width
    EXPECT_EQ(box->down_middle.width(), 2100);
    EXPECT_EQ(box->region(), (Region{0, 0, 159, 1786, 0, 0}));
    EXPECT_FALSE(box->visible());
}

TEST_F(MessagesForm, OnlyIconOneShowsTheLowerIcon) {
    for (int16_t icon : {0, 2, -1, 1, 0}) {
        box->show_exclamation("text", "c", icon);
        EXPECT_EQ(box->message_image.top(), icon == 1 ? -720 : 0) << "icon " << icon;
    }
}

TEST_F(MessagesForm, BeepsForEveryMessageEvenARepeatedOne) {
    box->show_exclamation("same", "c", 0);
    box->show_exclamation("same", "c", 0);
    EXPECT_EQ(display.beeps(), 2);
}

TEST_F(MessagesForm, NarrowEmptyAndMultiLineMessages) {
    box->show_exclamation("0123456789", "c", 0);
    box->show_exclamation("OK", "c", 0);  // under 465 twips: the title band's middle cannot shrink
    EXPECT_EQ(box->width(), 1650);
    EXPECT_EQ(box->framebar_middle.width(), 435);
    EXPECT_EQ(box->framebar_right.left(), 1515);
    box->show_exclamation("", "c", 0);
    EXPECT_EQ(box->width(), 1470);
    EXPECT_EQ(box->Picture17.left(), 307.5f);
    box->show_exclamation("first\r\nsecond", "c", 0);
    EXPECT_EQ(box->Label31.height(), 390);
    EXPECT_EQ(box->height(), 1785);
}

TEST_F(MessagesForm, AMessageWiderThanAComfortableLineWrapsThereAndTheBoxStaysOnTheScreen) {
    // 24 words of 8 characters: 8 to a line of 480 pixels, however wide the screen is.
    std::string message;
    for (int i = 0; i < 24; ++i) message += (i ? " w" : "w") + std::to_string(1000000 + i);
    box->show_exclamation(message, "c", 0);
    EXPECT_EQ(box->width(), 7200 + 1470);
    EXPECT_EQ(box->Label31.height(), 3 * 195);
    EXPECT_EQ(box->height(), 1785 + 195);  // one line more than the two the design has room for
    EXPECT_EQ(box->Picture17.top(), 1200 + 195);
    EXPECT_EQ(box->down_middle.top(), 1785 + 195 - 135);
    EXPECT_EQ(box->region(), (Region{0, 0, 579, 1981, 0, 0}));

    // Opened where the box was left, it moves onto the screen whole, its Ok with it.
    kv::forms::Form owner("owner");
    box->move(25000, 15000);
    display.queue_action([&] { box->Label43_Click(); });
    box->show_modal(owner);
    EXPECT_EQ(box->left(), 1920 * 15 - box->width());
    EXPECT_EQ(box->top(), 1080 * 15 - box->height());

    // The next short message is one line again, at the designed height.
    box->show_exclamation("0123456789", "c", 0);
    EXPECT_EQ(box->width(), 2370);
    EXPECT_EQ(box->height(), 1785);
    EXPECT_EQ(box->Picture17.top(), 1200);

    // On a screen narrower than a comfortable line, the lines wrap within the screen.
    display.set_screen_size(400 * 15, 600 * 15);
    box->show_exclamation(message, "c", 0);
    EXPECT_EQ(box->width(), 400 * 15);

    // A text taller than the screen: the box stops at the screen's height, with Ok at its bottom.
    display.set_screen_size(800 * 15, 600 * 15);
    std::string lines;
    for (int i = 0; i < 100; ++i) lines += "line\r\n";
    box->show_exclamation(lines, "c", 0);
    EXPECT_EQ(box->height(), 600 * 15);
    EXPECT_EQ(box->Picture17.top(), 600 * 15 - 585);
}

TEST_F(MessagesForm, ATextOfMoreThanTwoLinesMovesOkBelowItAndTheBottomWithIt) {
    box->show_exclamation("one\ntwo\nthree\nfour", "c", 0);  // 660 + 4 * 195 = 1440
    EXPECT_EQ(box->Picture17.top(), 1590);
    EXPECT_EQ(box->height(), 2175);
    EXPECT_EQ(box->down_middle.top(), 2175 - box->down_middle.height());
    EXPECT_EQ(box->region(), (Region{0, 0, 129, 2176, 0, 0}));
    // The next short message is back at the design height.
    box->show_exclamation("OK", "c", 0);
    EXPECT_EQ(box->Picture17.top(), 1200);
    EXPECT_EQ(box->height(), 1785);
}

TEST_F(MessagesForm, OutlineFollowsCornerAndHeightDivisor) {
    EXPECT_EQ(outline_for("10|15"), (Region{0, 0, 159, 120, 10, 10}));
    EXPECT_EQ(outline_for("0|6"), (Region{0, 0, 159, 298, 0, 0}));  // 298.5 rounds to even
    EXPECT_EQ(outline_for("2.5|30"), (Region{0, 0, 159, 60, 2, 2}));
    EXPECT_EQ(outline_for(" 3.5 | 15 |x"), (Region{0, 0, 159, 120, 4, 4}));
}

TEST_F(MessagesForm, UnusableTrimFactorKeepsTheWholeBoxVisible) {
    EXPECT_EQ(outline_for("round|15"), (Region{0, 0, 159, 120, 0, 0}));
    EXPECT_EQ(outline_for("1e20|15"), (Region{0, 0, 159, 120, 0, 0}));
    for (const char* trim : {"10|0", "10|-15", "10|x", "10", "10|1e-10"})
        EXPECT_EQ(outline_for(trim), (Region{0, 0, 159, 1786, 10, 10})) << trim;
    EXPECT_EQ(outline_for(""), (Region{0, 0, 159, 1786, 0, 0}));
    EXPECT_EQ(box->variable("trim_factor"), "");
}

TEST_F(MessagesForm, PressingOkEndsTheModalShowing) {
    kv::forms::Form owner("owner");
    box->show_exclamation("0123456789", "c", 1);
    float pressed_top = 0;
    display.queue_action([&] {
        box->deliver_mouse_down(1185, 1380, kv::forms::left_button, 0);
        pressed_top = box->Image1.top();
        box->deliver_mouse_up(1185, 1380, kv::forms::left_button, 0);
    });
    box->show_modal(owner);
    EXPECT_EQ(pressed_top, -375);
    EXPECT_EQ(box->Image1.top(), 0);
    EXPECT_FALSE(box->visible());
}

}  // namespace
