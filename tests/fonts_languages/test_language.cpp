// Applying a language file to every window, and the language browser.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "configs/add_profile.h"
#include "configs/configs_form.h"
#include "configs/epsxe_config.h"
#include "fonts_languages/language_browser.h"
#include "fonts_languages/language_targets.h"
#include "launcher/add_new.h"
#include "launcher/edit_form.h"
#include "launcher/options_form.h"
#include "launcher/program_fixture.h"
#include "launcher/switches_form.h"
#include "toolkit/messages_form.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

using Lines = std::vector<std::string>;

// A language file: "K<n> = V<n>" on every line, with the given lines replaced whole.
Lines language_lines(const std::map<int, std::string>& replaced = {}, int count = 112) {
    Lines lines;
    for (int n = 1; n <= count; ++n) {
        auto it = replaced.find(n);
        lines.push_back(it != replaced.end() ? it->second
                                             : "K" + std::to_string(n) + " = V" + std::to_string(n));
    }
    return lines;
}

class LanguageTest : public kvtest::ProgramTest {
  protected:
    void write_language(const std::string& name, const Lines& lines) {
        std::string bytes;
        for (const auto& l : lines) bytes += l + "\r\n";
        kvtest::write_file(folder / "Languages" / (name + ".ini"), bytes);
    }
    void apply(const std::string& name) { toolkit::form<language_browser>().change_language(name); }
    static std::string caption(const char* window, const char* control) {
        return static_cast<forms::Label*>(toolkit::form_named(window)->find(control))->caption();
    }
};

TEST_F(LanguageTest, EachLineBuildsTheCaptionsAndMessagesOfItsTargets) {
    start();
    write_language("Test", language_lines({{24, "Name key = Nom"}, {70, "T = configuration"}}));
    apply("Test");
    EXPECT_EQ(toolkit::form<options_form>().Label21.caption(), "Test");
    EXPECT_EQ(caption("add_new", "Label1"), "Nom:");
    EXPECT_EQ(caption("edit_form", "Label1"), "Nom:");
    EXPECT_EQ(toolkit::form<Main_form>().down_section_label[5]->caption(), "V11");
    EXPECT_EQ(toolkit::form<Main_form>().Label1.caption(), "V11");
    EXPECT_EQ(caption("switches_form", "Framebar_title"), "  V11  ");
    EXPECT_EQ(caption("options_form", "Label16"), " V38");
    EXPECT_EQ(caption("options_form", "Label48"), " V48 (123 x 111)");
    EXPECT_EQ(caption("options_form", "Label32"), "V103");
    EXPECT_EQ(caption("font_browser", "Framebar_title"), "  V57  ");
    EXPECT_EQ(caption("language_browser", "Label6"), "V32:");
    EXPECT_EQ(caption("skin_browser", "Label12"), "V100");
    EXPECT_EQ(caption("messages_form", "Label22"), "V100");
    EXPECT_EQ(toolkit::form<add_new>().add_new_error_message, "V107");
    EXPECT_EQ(toolkit::form<add_profile>().add_profile_message, "V108");
    EXPECT_EQ(toolkit::form<configs_form>().no_emulator_message, " V109");
    EXPECT_EQ(toolkit::form<configs_form>().no_path_message, " V110");
    EXPECT_EQ(toolkit::form<ePSXe_config>().not_selected, "V91");
    EXPECT_EQ(toolkit::form<ePSXe_config>().plugin_working, "V111");
    EXPECT_EQ(toolkit::form<ePSXe_config>().plugin_not_working, "V112");
    // Ignored lines set nothing: the title of the main window is no target.
    EXPECT_EQ(caption("Main_form", "Framebar_title"), toolkit::form<Main_form>().Framebar_title.caption());
}

TEST_F(LanguageTest, TheReadingStopsAtTheFirstBadLineKeepingWhatCameBefore) {
    start();
    write_language("Full", language_lines());
    write_language("Short", language_lines({{6, "A = short"}}, 50));
    apply("Full");
    apply("Short");
    // Lines up to the end of the short file take its texts, later targets keep the full one's.
    EXPECT_EQ(toolkit::form<Main_form>().down_section_label[0]->caption(), "short");
    EXPECT_EQ(caption("options_form", "Label44"), "V47:");
    EXPECT_EQ(caption("language_browser", "Framebar_title"), "  V52  ");
    EXPECT_EQ(toolkit::form<options_form>().Label21.caption(), "Short");

    // A used line without " = " stops there; "=" without blanks is no separator.
    write_language("Broken", language_lines({{6, "A = broken"}, {16, "Platform=Plateforme"}}));
    apply("Broken");
    EXPECT_EQ(toolkit::form<Main_form>().down_section_label[0]->caption(), "broken");
    EXPECT_EQ(toolkit::form<Main_form>().emulators_label.caption(), "V17");
    EXPECT_EQ(toolkit::form<Main_form>().platform_preview_label.caption(), "V16");
    // An ignored line may hold anything, also nothing; a value ends at a second " = ".
    write_language("Loose", language_lines({{3, ""}, {19, "no separator"}, {22, "T = Add = more"}}));
    apply("Loose");
    EXPECT_EQ(caption("add_new", "Framebar_title"), "  Add  ");
    EXPECT_EQ(toolkit::form<ePSXe_config>().plugin_not_working, "V112");
}

TEST_F(LanguageTest, ACommaInTheFirstLineMovesEveryLaterLineOneDown) {
    start();
    write_language("Comma", language_lines({{1, "Name = English, really"}, {5, "K5 = five"}}));
    apply("Comma");
    // Physical line 5 is read as line 6, and so on; physical line 112 is never read.
    EXPECT_EQ(toolkit::form<Main_form>().down_section_label[0]->caption(), "five");
    EXPECT_EQ(toolkit::form<Main_form>().down_section_label[1]->caption(), "V6");
    EXPECT_EQ(toolkit::form<ePSXe_config>().plugin_not_working, "V111");
}

TEST_F(LanguageTest, AFileThatDoesNotOpenOrANameThatLeadsAwayChangesNothing) {
    start();
    write_language("Good", language_lines());
    kvtest::write_file(folder / "outside.ini", "a = b\r\n");
    for (const std::string name : {"Missing", "", "..", ".", "../outside", "Good/"}) {
        apply(name);
        EXPECT_EQ(toolkit::form<options_form>().Label21.caption(), "English") << name;
        EXPECT_EQ(toolkit::form<Main_form>().down_section_label[0]->caption(), "Add new") << name;
    }
    // An empty file names the language and changes nothing else.
    kvtest::write_file(folder / "Languages" / "Empty.ini", "");
    apply("Empty");
    EXPECT_EQ(toolkit::form<options_form>().Label21.caption(), "Empty");
    EXPECT_EQ(toolkit::form<Main_form>().down_section_label[0]->caption(), "Add new");
    // File names ignore letter case; lines after the 112th are never read.
    Lines long_file = language_lines();
    long_file.push_back("garbage without separator");
    write_language("Long", long_file);
    apply("LONG");
    EXPECT_EQ(toolkit::form<ePSXe_config>().plugin_not_working, "V112");
}

TEST_F(LanguageTest, TheEnglishFileGivesEveryTargetItsDesignText) {
    start();
    kvtest::write_file(
        folder / "Languages" / "English.ini",
        kvtest::read_file(std::filesystem::path(KORVALIN_PROGRAM_DIR) / "Languages" / "English.ini"));
    // Every caption the tables reach, before and after.
    auto captions = [] {
        std::map<std::string, std::string> out;
        for (auto rows : {fonts_languages::language_rows_launcher_and_browsers(),
                          fonts_languages::language_rows_profiles_and_editors()})
            for (const auto& row : rows) {
                std::string key = std::string(row.window) + "." + std::string(row.target);
                if (row.message) {
                    out[key] = *fonts_languages::language_message_text(row.window, row.target);
                    continue;
                }
                if (auto* c = toolkit::form_named(row.window)->find(row.target))
                    out[key] = static_cast<forms::Label*>(c)->caption();
                else if (auto open = row.target.find('('); open != std::string_view::npos) {
                    const int index = std::stoi(std::string(row.target.substr(open + 1)));
                    if (auto* e = toolkit::form_named(row.window)->find(row.target.substr(0, open), index))
                        out[key] = static_cast<forms::Label*>(e)->caption();
                }
            }
        return out;
    };
    const auto before = captions();
    apply("English");
    const auto after = captions();
    // Where the construction differs from the design: one "Ok" for every button, colons without the
    // blank after them, the custom image's size, and titles with blanks on both sides (the configs
    // window's with none after).
    const std::map<std::string, std::string> differing = {
        {"add_new.Label4", "Ok"},
        {"edit_form.Label4", "Ok"},
        {"messages_form.Label22", "Ok"},
        {"options_form.Label10", "Ok"},
        {"switches_form.section_label(0)", "Ok"},
        {"options_form.Label4", "Sections:"},
        {"options_form.Label44", "Misc section:"},
        {"options_form.Label48", " Enable custom image (123 x 111)"},
        {"font_browser.Framebar_title", "  Font browser  "},
        {"ePSXe_config.Framebar_title", "  ePSXe configuration  "},
        {"configs_form.Framebar_title", "  Configs"},
    };
    ASSERT_EQ(before.size(), after.size());
    for (const auto& [key, text] : after) {
        auto d = differing.find(key);
        EXPECT_EQ(text, d != differing.end() ? d->second : before.at(key)) << key;
    }
    EXPECT_EQ(toolkit::form<options_form>().Label21.caption(), "English");
}

class LanguageBrowserTest : public LanguageTest {
  protected:
    language_browser& browser() { return toolkit::form<language_browser>(); }
};

TEST_F(LanguageBrowserTest, ListsEveryEntryLessItsLastFourCharactersInNameOrder) {
    write_language("English", language_lines({{1, "Name = English"}, {2, "Author = Team"}}));
    write_language("deutsch", language_lines({{1, "Name = Deutsch"}, {2, "Author = Jemand"}}));
    kvtest::write_file(folder / "Languages" / "readme.txt", "hello\r\n");
    kvtest::write_file(folder / "Languages" / "abc", "");
    kvtest::write_file(folder / "Languages" / ".hidden.ini", "");
    kvtest::write_file(folder / "Languages" / "Two\r\nLines.ini", "");
    std::filesystem::create_directories(folder / "Languages" / "Backup");
    start();
    auto& b = browser();
    EXPECT_EQ(b.language_list, (Lines{"Ba", "deutsch", "English", "readme"}));
    // Row 1 is selected and its file read at start-up; "Ba" has no file, so both labels are hidden.
    EXPECT_EQ(b.selected_language, "Ba");
    EXPECT_FALSE(b.Label2.visible());
    EXPECT_FALSE(b.Label7.visible());
    b.list.row_MouseDown(2, forms::MouseEvent{});
    EXPECT_EQ(b.selected_language, "deutsch");
    EXPECT_EQ(b.Label2.caption(), "Deutsch");
    EXPECT_EQ(b.Label7.caption(), "Jemand");
    EXPECT_TRUE(b.Label2.visible());
    EXPECT_TRUE(b.Label7.visible());
    // A file of one line: the local name is read but both stay hidden.
    write_language("readme", Lines{"Name = Readme"});
    b.list.row_MouseDown(4, forms::MouseEvent{});
    EXPECT_EQ(b.Label2.caption(), "Readme");
    EXPECT_FALSE(b.Label2.visible());
    EXPECT_FALSE(b.Label7.visible());
}

TEST_F(LanguageBrowserTest, OkAppliesTheSelectionCancelAndAnEmptyListChangeNothing) {
    write_language("Zed", language_lines({{6, "A = Zed add"}}));
    start();
    auto& b = browser();
    auto& options = toolkit::form<options_form>();
    then([&] { b.Label4.on_click(); });
    options.Label43_Click();
    EXPECT_FALSE(b.visible());
    EXPECT_FALSE(b.list.scroll_event.enabled());
    EXPECT_EQ(options.Label21.caption(), "English");
    // The language in use has no file in the list: no row is selected and Ok without a pick keeps it.
    then([&] {
        EXPECT_EQ(b.selected_language, "English");
        EXPECT_FALSE(b.list.list_selector_image.visible());
        b.Label5.on_click();
    });
    options.Label43_Click();
    EXPECT_EQ(options.Label21.caption(), "English");
    EXPECT_NE(toolkit::form<Main_form>().down_section_label[0]->caption(), "Zed add");
    then([&] {
        EXPECT_TRUE(b.list.scroll_event.enabled());
        b.list.row_MouseDown(1, forms::MouseEvent{});
        b.Label5.on_click();
    });
    options.Label43_Click();
    EXPECT_FALSE(b.visible());
    EXPECT_FALSE(b.list.scroll_event.enabled());
    EXPECT_EQ(options.Label21.caption(), "Zed");
    EXPECT_EQ(toolkit::form<Main_form>().down_section_label[0]->caption(), "Zed add");
}

TEST_F(LanguageBrowserTest, WithoutALanguagesFolderTheListIsEmptyAndOkOnlyCloses) {
    start();
    auto& b = browser();
    EXPECT_TRUE(b.language_list.empty());
    EXPECT_EQ(b.Label2.caption(), "Unknown");
    EXPECT_TRUE(b.Label2.visible());
    then([&] { b.Label5.on_click(); });
    toolkit::form<options_form>().Label43_Click();
    EXPECT_FALSE(b.visible());
    EXPECT_EQ(toolkit::form<options_form>().Label21.caption(), "English");
}

}  // namespace
}  // namespace kv
