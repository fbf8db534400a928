#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/program.h"
#include "fonts_languages/font_browser.h"
#include "fonts_languages/language_browser.h"
#include "headless/headless_backend.h"
#include "launcher/edit_form.h"
#include "launcher/main_form.h"
#include "launcher/options_form.h"
#include "platform/folder.h"
#include "platform/instance.h"
#include "platform/runtime.h"
#include "program_fixture.h"
#include "support/test_support.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

using kvtest::Lines;
using MainFormTest = kvtest::ProgramTest;

using kvtest::catalogue_file;

TEST_F(MainFormTest, StartUpLoadsEveryWindowAndShowsOnlyTheMainWindow) {
    Main_form& main = start();
    const auto windows = toolkit::created_forms();
    EXPECT_EQ(windows.size(), 19u);
    for (forms::Form* f : windows) {
        EXPECT_TRUE(f->loaded()) << f->name();
        EXPECT_EQ(f->visible(), f == &main) << f->name();
    }
    EXPECT_EQ(main.Framebar_title.caption(), "  Korvalin 1.2  ");
    EXPECT_EQ(main.current_section, "PSX");
    EXPECT_EQ(main.current_skin, "Midnight");
    EXPECT_TRUE(display.system_messages().empty());
}

TEST_F(MainFormTest, SkinFontAndLanguageEntryPointsKeepWhatTheSettingsNeed) {
    Main_form& main = start();
    // A skin that is not there changes nothing, not even the name.
    EXPECT_THROW(main.load_skin("Daylight"), kv::platform::Failure);
    EXPECT_EQ(main.current_skin, "Midnight");

    forms::Label& font = toolkit::form<options_form>().Label31;
    auto& fonts = toolkit::form<font_browser>();
    fonts.change_font("Verdana", "10.5", true, false);
    EXPECT_EQ(font.caption(), "Verdana");
    EXPECT_EQ(font.font(), (forms::Font{"Verdana", 10.5f, true, false}));
    // A size that is no number is skipped; the other steps still apply.
    fonts.change_font("Tahoma", "large", false, true);
    EXPECT_EQ(font.font(), (forms::Font{"Tahoma", 10.5f, false, true}));

    forms::Label& language = toolkit::form<options_form>().Label21;
    auto& languages = toolkit::form<language_browser>();
    kvtest::write_file(folder / "Languages" / "deutsch.INI", "Deutsch\r\n");
    languages.change_language("Deutsch");
    EXPECT_EQ(language.caption(), "Deutsch");
    languages.change_language("Klingon");
    EXPECT_EQ(language.caption(), "Deutsch");
}

TEST_F(MainFormTest, SecondInstanceIsToldAndEndsWithoutTouchingTheCatalogue) {
    const std::string data = catalogue_file({"ePSXe|/e/|e"});
    kvtest::write_file(folder / "Data.kvl", data);
    kv::platform::InstanceLock first(folder.path());
    ASSERT_TRUE(first.acquired());
    EXPECT_THROW(app::start_program(), forms::ProgramEnded);
    EXPECT_EQ(display.system_messages(), Lines{"Korvalin: Korvalin is already running"});
    EXPECT_EQ(toolkit::created_forms().size(), 1u);  // nothing but the main window itself
    EXPECT_EQ(kvtest::read_file(folder / "Data.kvl"), data);
}

TEST_F(MainFormTest, BlankRecordIsAnEmptyRowThatCanBeDeleted) {
    Main_form& main =
        start(catalogue_file({"A|/a/|a", "", "B|/b/|b"}, {"A|about A", "|nameless about"}, {"|||||"}));
    EXPECT_EQ(main.display_list, (Lines{"A", "", "B"}));
    EXPECT_TRUE(main.emulator_list.click_label(3).enabled());
    main.emulator_list.row_MouseDown(3, {});
    EXPECT_EQ(main.selected_emulator, "B");

    main.emulator_list.row_MouseDown(2, {});
    EXPECT_EQ(main.selected_emulator, "");
    EXPECT_EQ(main.about_txt.caption(), "");  // not the record without a name
    main.delete_emu();
    EXPECT_EQ(main.PSX_emu, (Lines{"A|/a/|a", "B|/b/|b"}));
    // An empty name belongs to no about or switch record.
    EXPECT_EQ(main.catalogue.about_list.size(), 2u);
    EXPECT_EQ(main.catalogue.switches_list.size(), 1u);
}

TEST_F(MainFormTest, DeleteRemovesTheSelectedEmulatorAndItsFirstRecords) {
    Main_form& main = start(catalogue_file({"A|/a/|a", "B|/b/|b", "C|/c/|c"}, {"B|first", "A|a", "B|second"},
                                           {"B|-1||||", "A|-a||||", "B|-2||||"}));
    main.emulator_list.row_MouseDown(2, {});
    ASSERT_EQ(main.about_txt.caption(), "first");
    main.delete_emu();
    EXPECT_EQ(main.PSX_emu, (Lines{"A|/a/|a", "C|/c/|c"}));
    EXPECT_EQ(main.display_list, (Lines{"A", "C"}));
    EXPECT_EQ(main.catalogue.about_list, (Lines{"A|a", "B|second"}));
    EXPECT_EQ(main.catalogue.switches_list, (Lines{"A|-a||||", "B|-2||||"}));
    EXPECT_EQ(main.selected_emulator, "A");
    EXPECT_EQ(main.about_txt.caption(), "a");

    main.delete_emu();
    main.delete_emu();
    EXPECT_TRUE(main.PSX_emu.empty());
    EXPECT_EQ(main.selected_emulator, "");
    EXPECT_FALSE(main.emulator_list.row(1).visible());
    // Nothing left to delete: the remaining records stay.
    main.delete_emu();
    EXPECT_EQ(main.catalogue.about_list, Lines{"B|second"});
    EXPECT_EQ(main.catalogue.switches_list, Lines{"B|-2||||"});
}

TEST_F(MainFormTest, AddingAppendsAndShowsTheListFromItsStart) {
    Main_form& main = start();
    main.add_new_emulator("A|/a/|a", "A|about A");
    EXPECT_EQ(main.selected_emulator, "A");
    // The about record is stored before the list is shown, so the new first emulator shows it at once.
    EXPECT_EQ(main.about_txt.caption(), "about A");

    main.add_new_emulator("B|Unknown|Unknown", "B|");
    EXPECT_EQ(main.PSX_emu, (Lines{"A|/a/|a", "B|Unknown|Unknown"}));
    EXPECT_EQ(main.display_list, (Lines{"A", "B"}));
    EXPECT_EQ(main.selected_emulator, "A");
    EXPECT_EQ(main.catalogue.about_list, (Lines{"A|about A", "B|"}));
}

TEST_F(MainFormTest, EditPutsTheRecordBackAtItsPosition) {
    Main_form& main = start(catalogue_file({"A|/a/|a", "B|/b/|b", "C|/c/|c"}));
    auto& edit = toolkit::form<edit_form>();

    main.emulator_list.row_MouseDown(2, {});
    main.delete_emu();
    edit.edit_index = 2;
    main.edit_collection("B2|/b2/|b2", "B2|renamed");
    EXPECT_EQ(main.PSX_emu, (Lines{"A|/a/|a", "B2|/b2/|b2", "C|/c/|c"}));
    EXPECT_EQ(main.display_list, (Lines{"A", "B2", "C"}));

    main.emulator_list.row_MouseDown(3, {});
    main.delete_emu();
    edit.edit_index = 3;
    main.edit_collection("C|/c2/|c", "C|");
    EXPECT_EQ(main.PSX_emu, (Lines{"A|/a/|a", "B2|/b2/|b2", "C|/c2/|c"}));

    // A position outside the list must not lose the edited emulator: it goes to the end.
    main.emulator_list.row_MouseDown(1, {});
    main.delete_emu();
    edit.edit_index = 0;
    main.edit_collection("A|/a/|a", "A|");
    EXPECT_EQ(main.PSX_emu, (Lines{"B2|/b2/|b2", "C|/c2/|c", "A|/a/|a"}));
}

TEST_F(MainFormTest, AboutTextIsEverythingAfterTheNameOfTheFirstMatch) {
    Main_form& main = start(catalogue_file({"A|/a/|a", "B|/b/|b", "C|/c/|c"},
                                           {"A|one | two", "B", "A|later", "C|line 1\r\nline 2"}));
    EXPECT_EQ(main.about_txt.caption(), "one | two");
    main.emulator_list.row_MouseDown(2, {});
    EXPECT_EQ(main.about_txt.caption(), "");
    main.emulator_list.row_MouseDown(3, {});
    EXPECT_EQ(main.about_txt.caption(), "line 1\r\nline 2");
}

TEST_F(MainFormTest, CloseSavesTheCatalogueAndEnds) {
    const std::string data = catalogue_file({"A|/a/|a"}, {"A|x"}, {"A|||||"});
    Main_form& main = start(data);
    main.add_new_emulator("B|/b/|b", "B|y");
    EXPECT_THROW(main.X_image_Click(), forms::ProgramEnded);
    EXPECT_EQ(kvtest::read_file(folder / "Data.kvl"),
              catalogue_file({"A|/a/|a", "B|/b/|b"}, {"A|x", "B|y"}, {"A|||||"}));
}

TEST_F(MainFormTest, CloseNeverOverwritesACatalogueItCouldNotReadAndSaysTheChangesAreLost) {
    // A link to itself exists but cannot be opened.
    std::filesystem::create_symlink("Data.kvl", folder / "Data.kvl");
    Main_form& main = start();
    EXPECT_TRUE(main.PSX_emu.empty());
    main.add_new_emulator("A|/a/|a", "A|");
    then_read_message();
    main.X_image_Click();
    ASSERT_EQ(read_messages.size(), 1u);
    EXPECT_NE(read_messages[0].find("kept " + (folder / "Data.kvl").string() +
                                    " unchanged, as it could not be read at start: cannot open " +
                                    (folder / "Data.kvl").string() + ": Too many levels of symbolic links"),
              std::string::npos)
        << read_messages[0];
    EXPECT_EQ(read_messages[0].find("Config.ini"), std::string::npos);
    EXPECT_THROW(main.X_image_Click(), forms::ProgramEnded);
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "Data.kvl"));
    EXPECT_EQ(std::filesystem::read_symlink(folder / "Data.kvl"), "Data.kvl");
}

TEST_F(MainFormTest, ACatalogueItCouldNotReadAndNothingChangedEndsWithoutAMessage) {
    std::filesystem::create_symlink("Data.kvl", folder / "Data.kvl");
    Main_form& main = start();
    EXPECT_THROW(main.X_image_Click(), forms::ProgramEnded);
    EXPECT_TRUE(read_messages.empty());
    EXPECT_EQ(std::filesystem::read_symlink(folder / "Data.kvl"), "Data.kvl");
}

TEST_F(MainFormTest, CatalogueCaseInsensitiveNameIsReadAndWrittenInPlace) {
    kvtest::write_file(folder / "data.KVL", catalogue_file({"A|/a/|a"}));
    Main_form& main = start();
    EXPECT_EQ(main.PSX_emu, Lines{"A|/a/|a"});
    EXPECT_THROW(main.X_image_Click(), forms::ProgramEnded);
    EXPECT_FALSE(std::filesystem::exists(folder / "Data.kvl"));
    EXPECT_EQ(kvtest::read_file(folder / "data.KVL"), catalogue_file({"A|/a/|a"}));
}

TEST_F(MainFormTest, SectionsHoldMoreThanSixteenBitsOfRecords) {
    Lines psx;
    for (int i = 1; i <= 40000; ++i) psx.push_back("E" + std::to_string(i) + "|/e/|e");
    Main_form& main = start(catalogue_file(psx));
    EXPECT_EQ(main.PSX_emu.size(), 40000u);
    EXPECT_EQ(main.display_list.size(), 40000u);

    // Edit the last one: a position beyond 32,767.
    main.selected_emulator = "E40000";
    main.delete_emu();
    toolkit::form<edit_form>().edit_index = 40000;
    main.edit_collection("Last|/l/|l", "Last|");
    EXPECT_EQ(main.PSX_emu.size(), 40000u);
    EXPECT_EQ(main.PSX_emu.back(), "Last|/l/|l");
    EXPECT_EQ(main.PSX_emu[39998], "E39999|/e/|e");
}

}  // namespace
}  // namespace kv
