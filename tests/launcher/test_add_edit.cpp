#include <gtest/gtest.h>

#include "launcher/add_new.h"
#include "launcher/edit_form.h"
#include "platform/picture.h"
#include "program_fixture.h"
#include "toolkit/messages_form.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

using kvtest::catalogue_file;
using kvtest::Lines;

using AddEditTest = kvtest::DialogTest;

TEST_F(AddEditTest, AddingWithoutALocationStoresItUnknownAndShowsTheAboutTextAtOnce) {
    Main_form& main = start();
    auto& dialog = toolkit::form<add_new>();
    then([&] {
        EXPECT_FALSE(main.emulator_list.scroll_event.enabled());
        dialog.Text1.set_text("Zeta");
        dialog.Text2.set_text("Plays | everything");
        dialog.Label8_Click();
    });
    main.open_add_new();
    EXPECT_EQ(main.PSX_emu, Lines{"Zeta|Unknown|Unknown"});
    EXPECT_EQ(main.catalogue.about_list, Lines{"Zeta|Plays | everything"});
    EXPECT_EQ(main.about_txt.caption(), "Plays | everything");
    EXPECT_TRUE(main.catalogue.switches_list.empty());
    EXPECT_TRUE(main.emulator_list.scroll_event.enabled());
    EXPECT_FALSE(dialog.visible());
    EXPECT_EQ(dialog.Text1.text() + dialog.Text2.text() + dialog.Text3.text(), "");
}

TEST_F(AddEditTest, BrowsingShowsTheFolderAndStoresFolderAndFile) {
    Main_form& main = start();
    auto& dialog = toolkit::form<add_new>();
    display.answer_file((folder / "emus" / "zeta").string());
    display.answer_file(std::nullopt);
    then([&] {
        dialog.Text1.set_text("Zeta");
        dialog.Label9_Click();
        EXPECT_EQ(dialog.Text3.text(), (folder / "emus").string() + "/");
        dialog.Label8_Click();
    });
    main.open_add_new();
    ASSERT_EQ(display.file_requests().size(), 1u);
    const auto& request = display.file_requests()[0];
    EXPECT_EQ(request.filter_pattern, "*.exe");
    EXPECT_EQ(request.title, "Browse");
    EXPECT_EQ(request.start_folder, folder.path());
    EXPECT_EQ(request.owner, &dialog);
    EXPECT_EQ(main.PSX_emu, Lines{"Zeta|" + (folder / "emus").string() + "/|zeta"});

    // A cancelled browse leaves the box as it was and the location unknown.
    then([&] {
        dialog.Text1.set_text("Eta");
        dialog.Text3.set_text("/stale/");
        dialog.Label9_Click();
        EXPECT_EQ(dialog.Text3.text(), "/stale/");
        dialog.Label8_Click();
    });
    main.open_add_new();
    EXPECT_EQ(main.PSX_emu.back(), "Eta|Unknown|Unknown");
}

TEST_F(AddEditTest, AnEmptyNameIsRefusedWithTheMessageAndTheDialogKeepsItsText) {
    Main_form& main = start();
    auto& dialog = toolkit::form<add_new>();
    auto& box = toolkit::form<messages_form>();
    then([&] {
        dialog.Text2.set_text("about");
        dialog.Label8_Click();  // opens the message box over the dialog
    });
    then([&] {
        EXPECT_EQ(box.Label31.caption(), "A name of the emulator is required.");
        EXPECT_EQ(box.owner(), &dialog);
        box.Label43_Click();
    });
    then([&] {
        EXPECT_TRUE(dialog.visible());
        EXPECT_EQ(dialog.Text2.text(), "about");
        EXPECT_FALSE(main.emulator_list.scroll_event.enabled());
        // Blanks are a name.
        dialog.Text1.set_text(" ");
        dialog.Label8_Click();
    });
    main.open_add_new();
    EXPECT_EQ(main.PSX_emu, Lines{" |Unknown|Unknown"});
}

TEST_F(AddEditTest, TheNameBoxTakesNoFieldSeparator) {
    start();
    auto& dialog = toolkit::form<edit_form>();
    dialog.Text1.type_character('A');
    dialog.Text1.type_character('|');
    EXPECT_EQ(dialog.Text1.text(), "A");
    dialog.Text1.set_text("B|C");
    EXPECT_EQ(dialog.Text1.text(), "BC");
}

TEST_F(AddEditTest, RenamingKeepsThePositionAndCarriesAboutTextAndSwitches) {
    Main_form& main = start(catalogue_file({"A|/a/|a", "B|/b/|b", "C|/c/|c"},
                                           {"A|first", "B|x | y", "C|third"}, {"B|-1||-3||", "A|-z||||"}));
    auto& dialog = toolkit::form<edit_form>();
    main.emulator_list.row_MouseDown(2, {});
    then([&] {
        EXPECT_EQ(dialog.Text1.text(), "B");
        EXPECT_EQ(dialog.Text2.text(), "x | y");
        EXPECT_EQ(dialog.Text3.text(), "/b/");
        EXPECT_EQ(dialog.edit_index, 2);
        EXPECT_EQ(main.catalogue.switches_list, Lines{"A|-z||||"});
        dialog.Text1.set_text("B2");
        dialog.Label8_Click();
    });
    main.open_edit_form();
    EXPECT_EQ(main.PSX_emu, (Lines{"A|/a/|a", "B2|/b/|b", "C|/c/|c"}));
    EXPECT_EQ(main.catalogue.about_list, (Lines{"A|first", "C|third", "B2|x | y"}));
    EXPECT_EQ(main.catalogue.switches_list, (Lines{"A|-z||||", "B2|-1||-3||"}));
    EXPECT_TRUE(main.emulator_list.scroll_event.enabled());
}

TEST_F(AddEditTest, EditCancelPutsTheSwitchesBackAndTouchesNothingElse) {
    Main_form& main = start(catalogue_file({"A|Unknown|Unknown"}, {"A|about"}, {"A|-a||||"}));
    auto& dialog = toolkit::form<edit_form>();
    display.answer_file(std::nullopt);
    then([&] {
        EXPECT_EQ(dialog.Text3.text(), "");  // an unknown folder shows nothing
        dialog.Text1.set_text("Renamed");
        dialog.Label9_Click();
        dialog.Label7_Click();
    });
    main.open_edit_form();
    EXPECT_EQ(main.PSX_emu, Lines{"A|Unknown|Unknown"});
    EXPECT_EQ(main.catalogue.about_list, Lines{"A|about"});
    EXPECT_EQ(main.catalogue.switches_list, Lines{"A|-a||||"});

    // OK without browsing keeps the unknown location.
    then([&] { dialog.Label8_Click(); });
    main.open_edit_form();
    EXPECT_EQ(main.PSX_emu, Lines{"A|Unknown|Unknown"});
}

TEST_F(AddEditTest, ButtonPicturesKeepTheirBoxSizesAndOkAndCancelPressToAFixedPlace) {
    start();
    auto& dialog = toolkit::form<add_new>();
    // A skin whose button pictures have other sizes changes neither the buttons nor their pressed place.
    kv::platform::PictureData data;
    data.width = 40;
    data.height = 100;
    data.argb.assign(4000, 0xFF203040);
    const kv::platform::Picture odd = kv::platform::Picture::from_data(data, "odd.bmp");
    for (forms::Image* image : {&dialog.Image1, &dialog.Image2, &dialog.Image3}) image->set_picture(odd);
    EXPECT_FLOAT_EQ(dialog.Image2.height(), 750);
    EXPECT_FLOAT_EQ(dialog.Image1.width(), 375);
    EXPECT_FLOAT_EQ(dialog.Image1.height(), 510);

    dialog.Image2.set_height(1000);
    dialog.Label8.on_mouse_down({forms::left_button, 0, 10, 10});
    EXPECT_FLOAT_EQ(dialog.Image2.top(), -375);
    dialog.Label8.on_mouse_up({forms::left_button, 0, 10, 10});
    EXPECT_FLOAT_EQ(dialog.Image2.top(), 0);
    dialog.Label7.on_mouse_down({forms::right_button, 0, 10, 10});
    EXPECT_FLOAT_EQ(dialog.Image3.top(), -375);
    dialog.Label9.on_mouse_down({forms::left_button, 0, 10, 10});
    EXPECT_FLOAT_EQ(dialog.Image1.top(), -255);  // the browse button: half its height
}

TEST_F(AddEditTest, EditOnAnEmptyListOpensNothing) {
    Main_form& main = start();
    main.open_edit_form();
    EXPECT_FALSE(toolkit::form<edit_form>().visible());
    EXPECT_TRUE(main.emulator_list.scroll_event.enabled());
}

}  // namespace
}  // namespace kv
