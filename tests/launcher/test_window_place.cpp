// A stored place of the main window that no screen shows any more (a second monitor unplugged) is
// moved onto the primary screen before the window shows; one that shows a part of the title bar is
// moved only as far as shows all of it.
#include <gtest/gtest.h>

#include "launcher/main_form.h"
#include "model/settings_file.h"
#include "program_fixture.h"

namespace kv {
namespace {

class WindowPlaceTest : public kvtest::ProgramTest {
  protected:
    Main_form& start_at(float left, float top) {
        kv::model::SettingsValues v;
        v.left = left;
        v.top = top;
        std::string text;
        for (const std::string& line : kv::model::settings_lines(v)) text += line + "\r\n";
        kvtest::write_file(folder / "Config.ini", text);
        return start();
    }
};

TEST_F(WindowPlaceTest, APlaceOffEveryScreenIsCentredOnThePrimaryScreen) {
    // The primary screen 1920 x 1080 pixels; the window was on a screen to its right.
    Main_form& main = start_at(1920 * 15 + 3000, 6000);
    EXPECT_FLOAT_EQ(main.left(), 1920 * 15 / 2.0f - main.width() / 2);
    EXPECT_FLOAT_EQ(main.top(), 1080 * 15 / 2.0f - main.height() / 2);
    EXPECT_TRUE(main.visible());
    // Taken before the windows go: `main` is destroyed with them.
    const float width = main.width();
    const float height = main.height();
    kv::toolkit::reset_forms();
    start_at(-width - 15, -height - 15);
    EXPECT_GE(kv::toolkit::form<Main_form>().left(), 0);
}

TEST_F(WindowPlaceTest, APlacePartlyOffTheScreenMovesOnlyAsFarAsShowsTheWholeTitleBar) {
    // The title bar showed 20 pixels high, its left end off the screen.
    Main_form& main = start_at(-3000, 1080 * 15 - 300);
    EXPECT_FLOAT_EQ(main.left(), 0);
    EXPECT_FLOAT_EQ(main.top(), 1080 * 15 - 375);
    // Below the title bar the window may stay off the screen, as it was stored.
    const float width = main.width();
    kv::toolkit::reset_forms();
    Main_form& low = start_at(3000, 1080 * 15 - 1000);
    EXPECT_FLOAT_EQ(low.left(), 3000);
    EXPECT_FLOAT_EQ(low.top(), 1080 * 15 - 1000);
    // Less than a pixel on the screen is nothing anyone can take hold of: centred.
    kv::toolkit::reset_forms();
    Main_form& edge = start_at(-width + 7, 6000);
    EXPECT_FLOAT_EQ(edge.left(), 1920 * 15 / 2.0f - width / 2);
}

TEST_F(WindowPlaceTest, APlaceOnASecondScreenStays) {
    display.set_screen_areas({{0, 0, 1920 * 15, 1080 * 15}, {1920 * 15, 0, 1280 * 15, 1024 * 15}});
    Main_form& main = start_at(1920 * 15 + 3000, 6000);
    EXPECT_FLOAT_EQ(main.left(), 1920 * 15 + 3000);
}

}  // namespace
}  // namespace kv
