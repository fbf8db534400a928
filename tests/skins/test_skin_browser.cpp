// The skin browser: the list of skins, a skin's information, and applying one.
#include <gtest/gtest.h>

#include "launcher/main_form.h"
#include "platform/runtime.h"
#include "skins/skin_bitmaps.h"
#include "skins/skin_browser.h"
#include "skins/skin_fixture.h"
#include "toolkit/messages_form.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

using Lines = std::vector<std::string>;

class SkinBrowserTest : public kvtest::SkinTest {
  protected:
    void write_info(const std::string& name, const std::string& line1, const std::string& line2) {
        auto lines = kvtest::settings_lines();
        lines[0] = line1;
        lines[1] = line2;
        write_settings(name, lines);
    }
    void write_preview(const std::string& name) {
        kvtest::write_file(skin_path(name) / "preview.bmp", kvtest::bmp(20, 10));
    }
    skin_browser& browser() { return toolkit::form<skin_browser>(); }
    void click_row(int k) { browser().list.row_MouseDown(k, forms::MouseEvent{}); }
};

TEST_F(SkinBrowserTest, ListsEveryEntryIgnoringCaseAndShowsTheSelectedOnesInformation) {
    write_skin("beta");
    write_info("beta", "Author = Bea", "Description = No preview here");
    write_skin("Alpha");
    write_info("Alpha", "Author = Ann, Description = A comma ends the author", "unused");
    write_preview("Alpha");
    kvtest::write_file(folder / "Skins" / "notes.txt", "plain file");
    kvtest::write_file(folder / "Skins" / ".hidden" / "Config.ini", "");
    kvtest::write_file(folder / "Skins" / "Two\r\nLines" / "Config.ini", "");
    auto& b = browser();
    EXPECT_EQ(b.skin_list, (Lines{"Alpha", "beta", "notes.txt"}));
    // The first row is selected at load, with its information.
    EXPECT_EQ(b.selected_skin, "Alpha");
    EXPECT_EQ(b.Label11.caption(), "Ann");
    EXPECT_EQ(b.Label10.caption(), "A comma ends the author");
    EXPECT_TRUE(b.Label10.visible() && b.Label11.visible() && b.Image1.visible());
    EXPECT_EQ(b.Image1.width(), 20 * 15);

    click_row(2);
    EXPECT_EQ(b.selected_skin, "beta");
    EXPECT_EQ(b.Label11.caption(), "Bea");
    EXPECT_TRUE(b.Label10.visible() && b.Label11.visible());
    EXPECT_FALSE(b.Image1.visible());

    click_row(3);
    EXPECT_EQ(b.selected_skin, "notes.txt");
    EXPECT_FALSE(b.Label10.visible() || b.Label11.visible() || b.Image1.visible());
    // A name that leads out of the folder names no skin.
    write_info("Alpha", "Author = Ann", "Description = fine");
    b.show_skin_info("../Skins/Alpha");
    EXPECT_FALSE(b.Label11.visible());
}

TEST_F(SkinBrowserTest, OkAppliesPicturesAndColoursAndCancelKeepsEverything) {
    write_skin("Alpha");
    write_skin("Beta");
    auto lines = kvtest::settings_lines({{1, "Bea"}, {6, "255"}});
    write_settings("Beta", lines);
    auto& main = toolkit::form<Main_form>();
    main.load_skin("Alpha");
    auto& b = browser();

    then([&] {
        EXPECT_TRUE(b.list.scroll_event.enabled());
        EXPECT_FALSE(main.emulator_list.scroll_event.enabled());
        click_row(2);
        b.Label15.on_click();
    });
    main.open_skin_browser();
    EXPECT_FALSE(b.visible());
    EXPECT_EQ(main.current_skin, "Alpha");
    EXPECT_TRUE(main.emulator_list.scroll_event.enabled());
    EXPECT_FALSE(b.list.scroll_event.enabled());

    // Opened again, it stands on the skin in use, not on the row picked before Cancel: Ok without a
    // pick keeps that skin.
    then([&] {
        EXPECT_EQ(b.selected_skin, "Alpha");
        EXPECT_TRUE(b.list.list_selector_image.visible());
        EXPECT_EQ(b.list.list_selector_image.top(), 30);
        EXPECT_EQ(b.Label11.caption(), "Tester");
        b.Label14.on_click();
    });
    main.open_skin_browser();
    EXPECT_EQ(main.current_skin, "Alpha");
    EXPECT_NE(main.Framebar_title.fore_color(), 255u);

    // A picked row is what Ok applies.
    then([&] {
        click_row(2);
        b.Label14.on_mouse_down(forms::MouseEvent{});
        EXPECT_EQ(b.button_image1.top(), -b.button_image1.height() / 2);
        b.Label14.on_mouse_up(forms::MouseEvent{});
        EXPECT_EQ(b.button_image1.top(), 0);
        b.Label14.on_click();
    });
    main.open_skin_browser();
    EXPECT_FALSE(b.visible());
    EXPECT_EQ(main.current_skin, "Beta");
    EXPECT_EQ(main.Framebar_title.fore_color(), 255u);
    EXPECT_EQ(b.Framebar_title.fore_color(), 255u);
    EXPECT_EQ(b.button_image1.picture().file(), (skin_path("Beta") / "button.bmp").string());
    EXPECT_TRUE(main.emulator_list.scroll_event.enabled());
    EXPECT_FALSE(b.list.scroll_event.enabled());
}

TEST_F(SkinBrowserTest, OkOnASkinThatDoesNotLoadWholeSaysSoAndChangesNothing) {
    write_skin("Alpha");
    write_skin("Broken");
    std::filesystem::remove(skin_path("Broken") / "tab.bmp");
    auto& main = toolkit::form<Main_form>();
    main.load_skin("Alpha");
    auto& b = browser();
    auto& box = toolkit::form<messages_form>();
    bool told = false;
    then([&] {
        click_row(2);
        then([&] {
            told = true;
            EXPECT_TRUE(box.visible());
            EXPECT_NE(box.Label31.caption().find("\"Broken\""), std::string::npos) << box.Label31.caption();
            EXPECT_LT(box.message_image.top(), 0);  // the second icon
            box.Label43_Click();
        });
        b.Label14.on_click();
        // Still open, with the wheel its own.
        EXPECT_TRUE(b.visible());
        EXPECT_TRUE(b.list.scroll_event.enabled());
        b.Label15.on_click();
    });
    main.open_skin_browser();
    EXPECT_TRUE(told);
    EXPECT_EQ(main.current_skin, "Alpha");
    EXPECT_EQ(main.X_image.picture().file(), (skin_path("Alpha") / "X.bmp").string());
}

TEST_F(SkinBrowserTest, WithoutASkinsFolderTheListIsEmptyAndOkOnlyCloses) {
    auto& main = toolkit::form<Main_form>();
    const std::string skin = main.current_skin;
    auto& b = browser();
    EXPECT_TRUE(b.skin_list.empty());
    EXPECT_FALSE(b.list.row(1).visible());
    then([&] { b.Label14.on_click(); });
    main.open_skin_browser();
    EXPECT_FALSE(b.visible());
    EXPECT_EQ(main.current_skin, skin);
    EXPECT_TRUE(main.emulator_list.scroll_event.enabled());
}

TEST_F(SkinBrowserTest, ANameThatLeadsOutOfTheSkinsFolderNamesNoSkin) {
    write_skin("Alpha");
    kvtest::write_file(folder / "Config.ini", "a = b\r\n");
    EXPECT_TRUE(skins::skin_loads_whole("Alpha"));
    for (const std::string name : {"../Skins/Alpha", "Alpha/", ".", "..", ""})
        EXPECT_FALSE(skins::skin_loads_whole(name)) << name;
    auto& main = toolkit::form<Main_form>();
    main.load_skin("Alpha");
    EXPECT_THROW(main.load_skin("../Skins/Alpha"), kv::platform::Failure);
    EXPECT_EQ(main.current_skin, "Alpha");
    // Nor are the colours read from a settings file outside the Skins folder.
    kvtest::write_file(folder / "Config.ini", kvtest::joined(kvtest::settings_lines({{6, "255"}})));
    browser().load_colors("..");
    EXPECT_NE(main.Framebar_title.fore_color(), 255u);
}

}  // namespace
}  // namespace kv
