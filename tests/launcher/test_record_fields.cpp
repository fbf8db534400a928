// What a person types or pastes into a box never changes how Data.kvl or Config.ini reads back: the
// one-line boxes of a record take no line break, and the about text keeps its lines but refuses one
// the catalogue would read as the end of the text.
#include <gtest/gtest.h>

#include "configs/add_profile.h"
#include "forms/events.h"
#include "launcher/add_new.h"
#include "launcher/edit_form.h"
#include "launcher/field_box.h"
#include "launcher/options_form.h"
#include "launcher/switches_form.h"
#include "model/catalogue.h"
#include "platform/text_file.h"
#include "program_fixture.h"
#include "toolkit/messages_form.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

using kvtest::catalogue_file;
using kvtest::Lines;

using RecordFieldTest = kvtest::DialogTest;

TEST_F(RecordFieldTest, EveryOneLineRecordBoxRefusesLineBreaksTypedOrPasted) {
    start();
    auto& adder = toolkit::form<add_new>();
    auto& editor = toolkit::form<edit_form>();
    auto& switches = toolkit::form<switches_form>();
    auto& options = toolkit::form<options_form>();
    auto& profile = toolkit::form<add_profile>();
    for (forms::TextBox* box :
         {&adder.Text1, &editor.Text1, &switches.Text3, &options.Text1, &profile.Text1}) {
        box->set_text("");
        box->type_character('A');
        box->type_character(forms::keys::enter);
        box->type_character(10);
        box->type_character('B');
        EXPECT_EQ(box->text(), "AB") << box->full_name();
        box->set_text("two\r\nlines\rand\nmore");
        EXPECT_EQ(box->text(), "twolinesandmore") << box->full_name();
    }
}

TEST_F(RecordFieldTest, APastedTwoLineNameIsStoredAsOneRecordThatReadsBackWhole) {
    Main_form& main = start();
    auto& dialog = toolkit::form<add_new>();
    then([&] {
        dialog.Text1.set_text("Zeta\r\nPlus");
        dialog.Label8_Click();
    });
    main.open_add_new();
    main.save_database();
    kv::model::Catalogue back;
    kv::model::read_catalogue(kv::platform::read_lines(folder / "Data.kvl"), back);
    EXPECT_EQ(back.PSX_emu, Lines{"ZetaPlus|Unknown|Unknown"});
    EXPECT_EQ(back.about_list, Lines{"ZetaPlus|"});
}

TEST_F(RecordFieldTest, EnterStartsANewLineOfTheAboutTextWhichIsStoredAndShownAsLines) {
    Main_form& main = start();
    auto& dialog = toolkit::form<add_new>();
    then([&] {
        EXPECT_EQ(dialog.focused(), &dialog.Text1);
        dialog.Text1.set_text("Zeta");
        dialog.set_focus(&dialog.Text2);
        for (char c : std::string("one")) dialog.deliver_key_press(c);
        dialog.deliver_key_press(forms::keys::enter);
        for (char c : std::string("two")) dialog.deliver_key_press(c);
        dialog.deliver_key_press(forms::keys::back);
        dialog.deliver_key_press(forms::keys::back);
        dialog.deliver_key_press(forms::keys::back);
        dialog.deliver_key_press(forms::keys::back);  // takes the whole line break
        EXPECT_EQ(dialog.Text2.text(), "one");
        dialog.deliver_key_press(forms::keys::enter);
        for (char c : std::string("end of story")) dialog.deliver_key_press(c);
        EXPECT_EQ(dialog.Text2.text(), "one\r\nend of story");
        // A pasted lone LF is stored as the catalogue reads it back.
        dialog.Text2.set_text(dialog.Text2.text() + "\nthree");
        dialog.Label8_Click();
    });
    main.open_add_new();
    EXPECT_EQ(main.catalogue.about_list, Lines{"Zeta|one\r\nend of story\r\nthree"});
    EXPECT_EQ(main.about_txt.caption(), "one\r\nend of story\r\nthree");
    main.save_database();
    kv::model::Catalogue back;
    kv::model::read_catalogue(kv::platform::read_lines(folder / "Data.kvl"), back);
    EXPECT_EQ(back.about_list, main.catalogue.about_list);
}

TEST_F(RecordFieldTest, AnAboutLineTheCatalogueWouldMisreadIsRefusedWithAMessageSayingWhy) {
    Main_form& main = start(catalogue_file({"A|/a/|a"}, {"A|old"}));
    auto& dialog = toolkit::form<edit_form>();
    auto& box = toolkit::form<messages_form>();
    then([&] {
        dialog.Text2.set_text("fine\r\nend");
        dialog.Label8_Click();
    });
    then([&] {
        EXPECT_NE(box.Label31.caption().find("\"end\""), std::string::npos) << box.Label31.caption();
        box.Label43_Click();
    });
    then([&] {
        EXPECT_TRUE(dialog.visible());
        EXPECT_EQ(main.catalogue.about_list, Lines{"A|old"});
        dialog.Text2.set_text("x\n[Switches]");
        dialog.Label8_Click();
    });
    then([&] {
        EXPECT_NE(box.Label31.caption().find("[Switches]"), std::string::npos);
        box.Label43_Click();
    });
    then([&] {
        // A first line follows the name on its line, and a line that only starts so is plain text.
        dialog.Text2.set_text("end\r\nthe end\r\n[Switches] below");
        dialog.Label8_Click();
    });
    main.open_edit_form();
    EXPECT_FALSE(dialog.visible());
    EXPECT_EQ(main.catalogue.about_list, Lines{"A|end\r\nthe end\r\n[Switches] below"});
}

TEST_F(RecordFieldTest, APasteOverPartOfANameReplacesItLessWhatTheFieldRefusesAndTypingGoesOnAfterIt) {
    start();
    auto& adder = toolkit::form<add_new>();
    adder.set_focus(&adder.Text1);
    adder.Text1.set_text("PCSX 1.5");
    adder.Text1.select(5, 8);
    display.set_clipboard_text("2|0\r\n");
    adder.deliver_key_down('V', forms::ctrl_mask);
    EXPECT_EQ(adder.Text1.text(), "PCSX 20");
    EXPECT_EQ(adder.Text1.caret(), 7);
    adder.Text1.select(0, 4);
    display.set_clipboard_text("a|b");
    adder.deliver_key_down('V', forms::ctrl_mask);
    adder.deliver_key_press('!');
    EXPECT_EQ(adder.Text1.text(), "ab! 20");

    // A refused character typed over a selection changes nothing, the selection included.
    auto& profile = toolkit::form<add_profile>();
    profile.set_focus(&profile.Text1);
    profile.Text1.set_text("fast");
    profile.deliver_key_down('A', forms::ctrl_mask);
    display.set_clipboard_text("../slow\\er");
    profile.deliver_key_down(forms::keys::insert, forms::shift_mask);
    EXPECT_EQ(profile.Text1.text(), "..slower");
    profile.Text1.select(0, 2);
    profile.deliver_key_press('/');
    EXPECT_EQ(profile.Text1.text(), "..slower");
    EXPECT_EQ(profile.Text1.sel_text(), "..");
}

TEST_F(RecordFieldTest, TheDialogsOpenWithTheCaretInTheNameBoxAndTabWalksTheirBoxesThenButtons) {
    Main_form& main = start(catalogue_file({"A|/a/|a"}, {"A|old"}));
    auto& adder = toolkit::form<add_new>();
    auto& editor = toolkit::form<edit_form>();
    adder.set_focus(&adder.Text2);
    editor.set_focus(&editor.Text3);
    then([&] {
        EXPECT_EQ(adder.focused(), &adder.Text1);
        adder.set_focus(&adder.Text2);
        adder.Label7_Click();
    });
    main.open_add_new();
    then([&] {
        EXPECT_EQ(editor.focused(), &editor.Text1);
        std::vector<forms::Control*> walked;
        for (int i = 0; i < 6; ++i) {
            editor.deliver_key_down(forms::keys::tab, 0);
            walked.push_back(editor.focused());
        }
        EXPECT_EQ(walked, (std::vector<forms::Control*>{&editor.Text2, &editor.Text3, &editor.Picture1,
                                                        &editor.Picture2, &editor.Picture3, &editor.Text1}));
        editor.deliver_key_down(forms::keys::tab, forms::shift_mask);
        editor.deliver_key_down(forms::keys::tab, forms::shift_mask);
        EXPECT_EQ(editor.focused(), &editor.Picture2);
        // A button the keyboard reached is pressed with Enter: Cancel closes the dialog.
        editor.deliver_key_press(forms::keys::enter);
    });
    main.open_edit_form();
    EXPECT_FALSE(editor.visible());
    EXPECT_EQ(main.catalogue.about_list, Lines{"A|old"});
}

TEST(AboutLines, OnlyWholeLinesAfterTheFirstAreMisread) {
    EXPECT_EQ(kv::launcher::line_the_catalogue_would_misread("end"), "");
    EXPECT_EQ(kv::launcher::line_the_catalogue_would_misread("a\r\nend"), "end");
    EXPECT_EQ(kv::launcher::line_the_catalogue_would_misread("a\rend\r\nb"), "end");
    EXPECT_EQ(kv::launcher::line_the_catalogue_would_misread("a\n\n[Switches]"), "[Switches]");
    EXPECT_EQ(kv::launcher::line_the_catalogue_would_misread("a\r\nend \r\n [Switches]\r\nEnd"), "");
    EXPECT_EQ(kv::launcher::with_crlf_line_breaks("a\rb\nc\r\nd\n"), "a\r\nb\r\nc\r\nd\r\n");
}

}  // namespace
}  // namespace kv
