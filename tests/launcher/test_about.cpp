#include <gtest/gtest.h>

#include "launcher/about_form.h"
#include "launcher/game_prompt.h"
#include "program_fixture.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

using AboutTest = kvtest::DialogTest;

TEST_F(AboutTest, HelpOpensOnTheAboutPageWithTheShortcutsWritten) {
    Main_form& main = start();
    auto& help = toolkit::form<about_form>();
    help.Label14_MouseDown();  // left on the Shortcuts page last time
    then([&] {
        EXPECT_TRUE(help.Frame1.visible());
        EXPECT_FALSE(help.Frame2.visible());
        EXPECT_EQ(help.tab_image2.top(), -255);
        EXPECT_FALSE(main.emulator_list.scroll_event.enabled());
        help.Label14_MouseDown();
        EXPECT_TRUE(help.Frame2.visible());
        EXPECT_EQ(help.tab_image1.top(), -255);
        EXPECT_EQ(help.tab_image2.top(), 0);
        help.Label9_Click();
    });
    main.open_help();
    EXPECT_EQ(
        help.help_cap.caption(),
        "Ctrl + N - Add new emulator.\r\nCtrl + D - Delete selected emulator.\r\n"
        "Ctrl + E - Edit selected emulator.\r\nCtrl + B - Browse.\r\nCtrl + R - Run selected emulator.\r\n"
        "Ctrl + W - Switches.\r\nCtrl + S - Skins.\r\nCtrl + O - Options.\r\nCtrl + C - Configs.\r\n\r\n");
    EXPECT_FALSE(help.visible());
    EXPECT_TRUE(main.emulator_list.scroll_event.enabled());
}

TEST_F(AboutTest, TheLinkMovesDownWhilePressed) {
    start();
    auto& help = toolkit::form<about_form>();
    help.Label8.on_mouse_down({forms::left_button, 0, 0, 0});
    EXPECT_EQ(help.Label8.top(), 3060);
    help.Label8.on_mouse_up({forms::left_button, 0, 0, 0});
    EXPECT_EQ(help.Label8.top(), 3045);
}

TEST_F(AboutTest, TheGamePromptIsLoadedButNeverShown) {
    start();
    auto& prompt = toolkit::form<game_prompt>();
    EXPECT_TRUE(prompt.loaded());
    EXPECT_FALSE(prompt.visible());
    EXPECT_FALSE(prompt.layered());
    EXPECT_EQ(prompt.down_section_label[1]->caption(), "Ok");
}

}  // namespace
}  // namespace kv
