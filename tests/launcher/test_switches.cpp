#include <gtest/gtest.h>

#include "launcher/switches_form.h"
#include "program_fixture.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

using kvtest::catalogue_file;
using kvtest::Lines;

class SwitchesTest : public kvtest::DialogTest {
  protected:
    std::vector<bool> shown(const Main_form& main) {
        std::vector<bool> v;
        for (const auto* b : main.switch_buttons) v.push_back(b->visible());
        return v;
    }
};

TEST_F(SwitchesTest, ButtonsKeepTheirPlacesAndTheCounterCountsThem) {
    Main_form& main = start(catalogue_file({"A|/a/|a", "B|/b/|b", "C|/c/|c", "D|/d/|d"}, {},
                                           {"A||two|||five", "B|one", "", "C|-x||||"}));
    EXPECT_EQ(shown(main), (std::vector<bool>{false, true, false, false, true}));
    EXPECT_EQ(main.switch_buttons[1]->caption(), "two");
    EXPECT_EQ(main.switch_buttons[4]->left(), 3720);
    EXPECT_EQ(main.switches_number.caption(), "2/5");

    // A hand-edited record short of fields, and a blank one before C's, do not get in the way.
    main.emulator_list.row_MouseDown(2, {});
    EXPECT_EQ(shown(main), (std::vector<bool>{true, false, false, false, false}));
    main.emulator_list.row_MouseDown(3, {});
    EXPECT_EQ(main.switch_buttons[0]->caption(), "-x");
    EXPECT_EQ(main.switches_number.caption(), "1/5");
    main.emulator_list.row_MouseDown(4, {});
    EXPECT_EQ(shown(main), (std::vector<bool>(5, false)));
    EXPECT_EQ(main.switches_number.caption(), "0/5");
}

TEST_F(SwitchesTest, TheRecordIsOutWhileEditedAndCancelPutsItBackUnchangedAtTheEnd) {
    Main_form& main = start(catalogue_file({"A|/a/|a", "B|/b/|b"}, {}, {"A|-a||||", "B|-b||||"}));
    auto& editor = toolkit::form<switches_form>();
    then([&] {
        EXPECT_EQ(main.catalogue.switches_list, Lines{"B|-b||||"});
        EXPECT_FALSE(main.emulator_list.scroll_event.enabled());
        EXPECT_EQ(editor.Text3.text(), "-a");
        editor.Text3.set_text("-changed");
        editor.Label2_Click();
    });
    main.open_switches_form();
    EXPECT_EQ(main.catalogue.switches_list, (Lines{"B|-b||||", "A|-a||||"}));
    EXPECT_EQ(main.switch_buttons[0]->caption(), "-a");
    EXPECT_TRUE(main.emulator_list.scroll_event.enabled());
    EXPECT_FALSE(editor.visible());
}

TEST_F(SwitchesTest, OkWritesTheNameAndFiveSlotsWhateverWasShown) {
    // Fields past the fifth switch are dropped by OK; an emulator without a record gets one.
    Main_form& main = start(catalogue_file({"A|/a/|a"}, {}, {"A|1|2|3|4|5|6"}));
    auto& editor = toolkit::form<switches_form>();
    then([&] {
        editor.down_button_Click();
        EXPECT_EQ(editor.Label1.caption(), "1/5");
        editor.up_button_Click();
        editor.up_button_Click();
        editor.Text3.set_text("three");
        editor.up_button_Click();
        editor.down_button_Click();
        EXPECT_EQ(editor.Text3.text(), "three");
        for (int i = 0; i < 4; ++i) editor.up_button_Click();
        EXPECT_EQ(editor.Label1.caption(), "5/5");
        EXPECT_EQ(editor.Text3.text(), "5");
        editor.Text3.set_text("");
        editor.Label3_Click();
    });
    main.open_switches_form();
    EXPECT_EQ(main.catalogue.switches_list, Lines{"A|1|2|three|4|"});
    EXPECT_EQ(main.switches_number.caption(), "4/5");

    // Reopening starts again at slot 1.
    then([&] {
        EXPECT_EQ(editor.current_slot(), 1);
        EXPECT_EQ(editor.Text3.text(), "1");
        editor.Label3_Click();
    });
    main.open_switches_form();
}

TEST_F(SwitchesTest, EmulatorWithoutRecordGetsOneOnClosing) {
    Main_form& main = start(catalogue_file({"A|/a/|a"}));
    then([&] { toolkit::form<switches_form>().Label2_Click(); });
    main.open_switches_form();
    EXPECT_EQ(main.catalogue.switches_list, Lines{"A|||||"});
}

TEST_F(SwitchesTest, WithoutASelectedEmulatorTheCommandDoesNothing) {
    Main_form& main = start();
    main.open_switches_form();
    EXPECT_FALSE(toolkit::form<switches_form>().visible());
    EXPECT_TRUE(main.emulator_list.scroll_event.enabled());
    EXPECT_TRUE(main.catalogue.switches_list.empty());
    // Nor is a record without a name stored by either way back.
    main.Create_switch("|||||");
    main.add_edited_switch("|-x||||");
    EXPECT_TRUE(main.catalogue.switches_list.empty());
}

TEST_F(SwitchesTest, TheSwitchBoxTakesNoFieldSeparator) {
    start(catalogue_file({"A|/a/|a"}));
    auto& editor = toolkit::form<switches_form>();
    editor.Clear_counter();
    editor.load_switches("A|||||");
    editor.Text3.type_character('-');
    editor.Text3.type_character('|');
    editor.Text3.type_character('x');
    EXPECT_EQ(editor.Text3.text(), "-x");
    editor.Text3.set_text("a|b|c");  // pasted
    EXPECT_EQ(editor.Text3.text(), "abc");
    EXPECT_EQ(editor.slots()[1], "abc");
}

TEST_F(SwitchesTest, TheEditorsArrowsShowTheirLowerHalfWhilePressed) {
    start(catalogue_file({"A|/a/|a"}));
    auto& editor = toolkit::form<switches_form>();
    for (forms::Image* arrow : {&editor.up_button, &editor.down_button}) {
        // Each arrow shows through a box of its own, so that its pressed half stays in its place.
        ASSERT_NE(arrow->container(), &editor.Picture1);
        arrow->on_mouse_down({forms::left_button, 0, 0, 0});
        EXPECT_EQ(arrow->top(), -arrow->height() / 2);
        arrow->on_mouse_up({forms::left_button, 0, 0, 0});
        EXPECT_EQ(arrow->top(), 0);
    }
    EXPECT_EQ(editor.up_button.container()->top(), 0);
    EXPECT_EQ(editor.down_button.container()->top(), 120);
}

TEST_F(SwitchesTest, ASwitchButtonPressMovesItsCaptionDown) {
    Main_form& main = start(catalogue_file({"A|/a/|a"}, {}, {"A|-fast||||"}));
    forms::Label& button = *main.switch_buttons[0];
    button.on_mouse_down({forms::right_button, 0, 0, 0});
    EXPECT_EQ(button.top(), 135);
    button.on_mouse_up({forms::right_button, 0, 0, 0});
    EXPECT_EQ(button.top(), 120);
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

TEST_F(SwitchesTest, OkAndCancelStandApartAndShowTheirWholePicture) {
    start();
    auto& editor = toolkit::form<switches_form>();
    forms::Control& cancel = *editor.Image1.container();
    forms::Control& ok = *editor.Image2.container();
    EXPECT_GE(ok.left() - (cancel.left() + cancel.width()), 45);  // three pixels at least between them
    EXPECT_LE(ok.left() + ok.width(), editor.Shape2.left() + editor.Shape2.width());
    for (forms::Image* image : {&editor.Image1, &editor.Image2}) {
        ASSERT_FALSE(image->picture().empty());
        EXPECT_EQ(image->width(), image->container()->width());
        EXPECT_EQ(image->height(), 2 * image->container()->height());
    }
}

}  // namespace
}  // namespace kv
