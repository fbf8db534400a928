// Windows open where the person can take hold of them: a dialog whole on a screen, a window dragged
// by its title bar with all of that bar on a screen.
#include <gtest/gtest.h>

#include "forms/form.h"
#include "forms/screen_place.h"
#include "support/headless_test.h"

namespace kv::forms {
namespace {

constexpr float px = twips_per_pixel;
constexpr float screen_w = 1920 * px;
constexpr float screen_h = 1080 * px;

class ScreenPlace : public kvtest::HeadlessTest {
  protected:
    // Shows the dialog modal over the owner and closes it at once, as a person pressing Ok would.
    void open_over(Form& dialog, Form& owner) {
        display.queue_action([&] { dialog.hide(); });
        dialog.show_modal(owner);
    }
};

Form& sized(Form& f, float left, float top, float width, float height) {
    f.move(left, top);
    f.set_width(width);
    f.set_height(height);
    return f;
}

TEST_F(ScreenPlace, ADialogOverAnOwnerMostlyOffTheScreenOpensOnTheScreen) {
    // The about box over the main window at X = -8000: only the owner's right end shows.
    Form main("main");
    sized(main, -8000, 3000, 8775, 3540);
    Form about("about");
    about.set_width(3015);
    about.set_height(4575);
    open_over(about, main);
    EXPECT_FLOAT_EQ(about.left(), 0);
    EXPECT_FLOAT_EQ(about.top(), 3000 + 3540 / 2.0f - 4575 / 2.0f);
}

TEST_F(ScreenPlace, ADialogLeftPartlyOffTheScreenOpensWholeOnItNextTime) {
    Form owner("owner");
    sized(owner, 3000, 3000, 8775, 3540);
    Form dialog("dialog");
    sized(dialog, screen_w - 1000, -200, 4455, 2775);
    open_over(dialog, owner);
    EXPECT_FLOAT_EQ(dialog.left(), screen_w - 4455);
    EXPECT_FLOAT_EQ(dialog.top(), 0);
    // One dragged down past the bottom edge comes up just far enough.
    dialog.move(6000, screen_h - 600);
    open_over(dialog, owner);
    EXPECT_FLOAT_EQ(dialog.left(), 6000);
    EXPECT_FLOAT_EQ(dialog.top(), screen_h - 2775);
    // Taller than the screen, its top shows; wider, its left end.
    Form tall("tall");
    sized(tall, -500, 9000, screen_w + 3000, screen_h + 3000);
    open_over(tall, owner);
    EXPECT_FLOAT_EQ(tall.left(), 0);
    EXPECT_FLOAT_EQ(tall.top(), 0);
}

TEST_F(ScreenPlace, TheScreenShowingMostOfTheWindowKeepsIt) {
    const ScreenArea second{screen_w, 0, 1280 * px, 1024 * px};
    display.set_screen_areas({{0, 0, screen_w, screen_h}, second});
    Form owner("owner");
    sized(owner, 3000, 3000, 8775, 3540);
    Form dialog("dialog");
    // Mostly on the second screen, hanging below its bottom edge.
    sized(dialog, screen_w - 600, 1024 * px - 1000, 4455, 2775);
    open_over(dialog, owner);
    EXPECT_FLOAT_EQ(dialog.left(), screen_w);
    EXPECT_FLOAT_EQ(dialog.top(), 1024 * px - 2775);
    EXPECT_FLOAT_EQ(screen_showing(screen_w - 600, 0, 4455, 2775).left, screen_w);
    EXPECT_FLOAT_EQ(screen_showing(-90000, 0, 100, 100).left, 0);
}

TEST_F(ScreenPlace, OnlyTheBandAskedForMustShow) {
    Form main("main");
    sized(main, 3000, screen_h - 1000, 8775, 3540);
    keep_on_a_screen(main, 375);
    EXPECT_FLOAT_EQ(main.top(), screen_h - 1000);
    // A band showing less than a pixel counts as off the screen: the window is centred.
    sized(main, 3000, screen_h - 7, 8775, 3540);
    keep_on_a_screen(main, 375);
    EXPECT_FLOAT_EQ(main.left(), screen_w / 2 - 8775 / 2.0f);
    EXPECT_FLOAT_EQ(main.top(), screen_h / 2 - 3540 / 2.0f);
    sized(main, -8775 + 10, 3000, 8775, 3540);
    keep_on_a_screen(main, 375);
    EXPECT_FLOAT_EQ(main.left(), screen_w / 2 - 8775 / 2.0f);
}

}  // namespace
}  // namespace kv::forms
