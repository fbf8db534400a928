// Minimising, and hiding to the strip at the left screen edge, on the virtual clock.
#include <gtest/gtest.h>

#include "launcher/hide_form.h"
#include "launcher/main_form_fixture.h"
#include "platform/text_file.h"

namespace kv {
namespace {

class HidingTest : public kvtest::MainFormFixture {
  protected:
    Main_form& start_at(const std::string& left, const std::string& top = "2000") {
        auto config = kvtest::default_config_lines();
        config[2] = "Main Window X (Twips) = " + left;
        config[3] = "Main Window Y (Twips) = " + top;
        return start(config);
    }
    void tick(int n = 1) { display.advance(10 * n); }
    // Five ticks into the slide out or, after a whole hide, into the slide back.
    void midway(Main_form& main, bool back) {
        main.hide_image_Click();
        tick(5);
        if (!back) return;
        tick(30);
        toolkit::form<hide_form>().strip_MouseDown();
        tick(5);
    }
};

TEST_F(HidingTest, SlidesOutAndBackInTheStepsOfFiveHundredTwips) {
    Main_form& main = start_at("3000");
    hide_form& strip = toolkit::form<hide_form>();
    main.hide_image_Click();
    EXPECT_FALSE(main.emulator_list.scroll_event.enabled());
    tick(24);
    EXPECT_EQ(main.left(), -9000);
    EXPECT_TRUE(main.visible());
    tick();
    EXPECT_FALSE(main.visible());
    EXPECT_TRUE(strip.visible());
    EXPECT_EQ(strip.left(), 0);
    EXPECT_EQ(strip.height(), display.screen_height());
    EXPECT_EQ(strip.hideline.height(), display.screen_height());
    tick();
    EXPECT_TRUE(strip.top_most());

    // Any button on the strip brings the window back, right edge at the screen's left edge.
    strip.deliver_mouse_down(10, 100, forms::right_button, 0);
    EXPECT_TRUE(main.visible());
    EXPECT_FALSE(strip.visible());
    EXPECT_EQ(main.left(), -8775);
    EXPECT_EQ(main.top(), 2000);
    tick(23);
    EXPECT_EQ(main.left(), 2725);
    EXPECT_FALSE(main.emulator_list.scroll_event.enabled());
    tick();
    EXPECT_EQ(main.left(), 3000);
    EXPECT_TRUE(main.emulator_list.scroll_event.enabled());
    EXPECT_FALSE(strip.Timer1.enabled());
}

TEST_F(HidingTest, PositionsBeyondSixteenBitsComeBack) {
    // Right of pixel 2184 on a wide desktop.
    display.set_screen_areas({{0, 0, 1920 * 15, 1080 * 15}, {1920 * 15, -3000 * 15, 2560 * 15, 6000 * 15}});
    Main_form& main = start_at("45000", "-40000");
    main.hide_image_Click();
    tick(200);
    ASSERT_TRUE(toolkit::form<hide_form>().visible());
    toolkit::form<hide_form>().strip_MouseDown();
    tick(200);
    EXPECT_EQ(main.left(), 45000);
    EXPECT_EQ(main.top(), -40000);
}

TEST_F(HidingTest, APressWhileSlidingIsIgnored) {
    Main_form& main = start_at("3000");
    hide_form& strip = toolkit::form<hide_form>();
    main.hide_image_Click();
    tick(5);
    main.hide_image_Click();  // the saved place stays the first one
    tick(30);
    strip.strip_MouseDown();
    tick(5);
    main.hide_image_Click();  // sliding back: no slide out against it
    strip.strip_MouseDown();  // nor a second slide back
    EXPECT_FALSE(main.Timer1.enabled());
    tick(30);
    EXPECT_EQ(main.left(), 3000);
    EXPECT_TRUE(main.visible());
}

TEST_F(HidingTest, NothingOpensADialogOrAMessageWhileTheWindowIsAwayAtTheScreenEdge) {
    // An emulator selected, so that Edit and Switches would open as well.
    Main_form& main =
        start(kvtest::default_config_lines(), kvtest::catalogue_with({{0, "Alpha|/emu/|alpha"}}));
    ASSERT_EQ(main.selected_emulator, "Alpha");
    hide_form& strip = toolkit::form<hide_form>();
    // No input is queued: a dialog that opened would end its modal loop with InputEnded, a close
    // would end the program.
    auto try_every_opener = [&](const std::string& phase) {
        // Add new, Edit, Switches, Skins, Options, Configs, Help.
        for (std::size_t command : {0u, 2u, 5u, 6u, 7u, 8u, 9u})
            EXPECT_NO_THROW(main.command_Click(command)) << phase << ": command " << command;
        // Ctrl+N, Ctrl+E, Ctrl+W, Ctrl+O, Ctrl+C, Ctrl+S.
        for (int16_t key : {14, 5, 23, 15, 3, 19}) {
            int16_t key_ascii = key;
            EXPECT_NO_THROW(main.Picture16_KeyPress(key_ascii)) << phase << ": key " << key;
        }
        EXPECT_NO_THROW(main.X_image_Click()) << phase;
    };
    main.hide_image_Click();
    tick(5);
    try_every_opener("sliding out");
    tick(30);
    ASSERT_TRUE(strip.visible());
    try_every_opener("hidden");
    strip.strip_MouseDown();
    tick(5);
    try_every_opener("sliding back");
}

// With "Shutdown after running" a run while the window slides either way (it takes no input while
// hidden) ends the program as any run does, with the place the window comes back to saved.
TEST_F(HidingTest, ARunWhileSlidingEndsTheProgramAtThePlaceTheWindowComesBackTo) {
    auto config = kvtest::default_config_lines();
    config[2] = "Main Window X (Twips) = 4500";
    config[3] = "Main Window Y (Twips) = 1500";
    config[8] = "Launcher state = 1";
    const std::string data = kvtest::catalogue_with({{0, "A|/bin/|true"}});
    for (bool back : {false, true}) {
        SCOPED_TRACE(back ? "sliding back" : "sliding out");
        Main_form& main = start(config, data);
        midway(main, back);
        ASSERT_TRUE(main.at_screen_edge());
        main.add_new_emulator("B|/b/|b", "B|");
        EXPECT_THROW(main.command_Click(4), forms::ProgramEnded);
        const auto saved = kv::platform::split_lines(kvtest::read_file(folder / "Config.ini"));
        ASSERT_GE(saved.size(), 9u);
        EXPECT_EQ(saved[2], "Main Window X (Twips) = 4500");
        EXPECT_EQ(saved[3], "Main Window Y (Twips) = 1500");
        EXPECT_EQ(saved[8], "Launcher state = 1");
        EXPECT_EQ(kvtest::read_file(folder / "Data.kvl"),
                  kvtest::catalogue_file({"A|/bin/|true", "B|/b/|b"}, {"B|"}));
        toolkit::reset_forms();
    }
}

// The save fails: the slide ends at the window's place, the message is told over it, and the window
// stays there with nothing lost; the next close saves what the problem mended lets it save.
TEST_F(HidingTest, ARunWhileSlidingWhoseSaveFailsBringsTheWindowBackThenTells) {
    auto config = kvtest::default_config_lines();
    config[2] = "Main Window X (Twips) = 4500";
    config[8] = "Launcher state = 1";
    for (bool back : {false, true}) {
        SCOPED_TRACE(back ? "sliding back" : "sliding out");
        kvtest::write_file(folder / "Config.ini", kvtest::crlf(config));
        std::filesystem::remove_all(folder / "gone");
        std::filesystem::remove(folder / "Data.kvl");
        std::filesystem::create_symlink("gone/Data.kvl", folder / "Data.kvl");
        Main_form& main = start();
        hide_form& strip = toolkit::form<hide_form>();
        main.add_new_emulator("A|/bin/|true", "A|");
        midway(main, back);
        then([&] {
            EXPECT_TRUE(main.visible());
            EXPECT_FALSE(strip.visible());
            EXPECT_FALSE(main.at_screen_edge());
            EXPECT_EQ(main.left(), 4500);
            EXPECT_EQ(main.top(), 2000);
            EXPECT_EQ(toolkit::form<messages_form>().owner(), &main);
        });
        then_read_message();
        testing::internal::CaptureStderr();
        EXPECT_NO_THROW(main.command_Click(4));
        testing::internal::GetCapturedStderr();
        ASSERT_EQ(read_messages.size(), 1u);
        EXPECT_NE(read_messages[0].find("Data.kvl: it is a link to a missing file"), std::string::npos)
            << read_messages[0];
        read_messages.clear();
        tick(30);
        EXPECT_EQ(main.left(), 4500);
        EXPECT_TRUE(main.visible());
        EXPECT_TRUE(main.emulator_list.scroll_event.enabled());

        kvtest::write_file(folder / "gone" / "Data.kvl", "");
        EXPECT_THROW(main.X_image_Click(), forms::ProgramEnded);
        EXPECT_EQ(kvtest::read_file(folder / "gone" / "Data.kvl"),
                  kvtest::catalogue_file({"A|/bin/|true"}, {"A|"}));
        EXPECT_EQ(kv::platform::split_lines(kvtest::read_file(folder / "Config.ini")).at(2),
                  "Main Window X (Twips) = 4500");
        toolkit::reset_forms();
    }
}

TEST_F(HidingTest, AWindowAlreadyFarLeftIsHiddenOnTheFirstTick) {
    // On a screen left of the primary one.
    display.set_screen_areas({{0, 0, 1920 * 15, 1080 * 15}, {-1920 * 15, 0, 1920 * 15, 1080 * 15}});
    Main_form& main = start_at("-9000");
    main.hide_image_Click();
    tick();
    EXPECT_FALSE(main.visible());
    toolkit::form<hide_form>().strip_MouseDown();
    EXPECT_EQ(main.left(), -8775);
    tick();
    EXPECT_EQ(main.left(), -9000);
}

TEST_F(HidingTest, TheStripTakesTheWidthOfItsPictureAnewAtEachHide) {
    Main_form& main = start_at("3000");
    hide_form& strip = toolkit::form<hide_form>();
    auto picture = [](int width_px) {
        return kv::platform::Picture::from_data(
            kv::platform::PictureData{width_px, 4, std::vector<uint32_t>(4u * width_px, 0xFF000000u)});
    };
    for (int width_px : {8, 3}) {
        // What a change of skin does to the strip picture, which keeps its last stretched size.
        strip.hideline.set_picture(picture(width_px));
        main.hide_image_Click();
        tick(25);
        ASSERT_TRUE(strip.visible());
        EXPECT_EQ(strip.width(), 15.0f * static_cast<float>(width_px));
        EXPECT_EQ(strip.hideline.width(), strip.width());
        EXPECT_EQ(strip.height(), display.screen_height());
        EXPECT_EQ(strip.hideline.height(), display.screen_height());
        strip.strip_MouseDown();
        tick(30);
        ASSERT_EQ(main.left(), 3000);
    }
}

TEST_F(HidingTest, MinimiseAndThePressedLooks) {
    Main_form& main = start();
    for (forms::Image* image : {&main.Min_image, &main.hide_image, &main.X_image}) {
        const float x = image->form_x() + 10, y = image->form_y() + 10;
        main.deliver_mouse_down(x, y, forms::middle_button, 0);
        EXPECT_EQ(image->top(), -255) << image->name();
        main.deliver_mouse_up(x, y, forms::middle_button, 0);
        EXPECT_EQ(image->top(), 0) << image->name();
    }
    const float x = main.Min_image.form_x() + 10, y = main.Min_image.form_y() + 10;
    main.deliver_mouse_down(x, y, forms::left_button, 0);
    main.deliver_mouse_up(x, y, forms::left_button, 0);
    EXPECT_EQ(main.window_state(), forms::WindowState::minimized);
    EXPECT_TRUE(main.visible());
}

}  // namespace
}  // namespace kv
