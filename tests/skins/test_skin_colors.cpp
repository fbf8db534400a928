#include <gtest/gtest.h>

#include "launcher/main_form.h"
#include "launcher/options_form.h"
#include "skins/skin_browser.h"
#include "skins/skin_colors.h"
#include "skins/skin_fixture.h"
#include "skins/window_outlines.h"
#include "toolkit/messages_form.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

class SkinSettings : public kvtest::SkinTest {
  protected:
    SkinSettings() : main(toolkit::form<Main_form>()), box(toolkit::form<messages_form>()) {}

    void apply(const std::vector<std::string>& lines) {
        write_settings("S", lines);
        toolkit::form<skin_browser>().load_colors("S");
    }
    forms::Color title_colour() const { return main.Framebar_title.fore_color(); }

    Main_form& main;
    messages_form& box;
};

TEST_F(SkinSettings, ColoursAreReadInDecimalAndHexadecimalInBlueGreenRedOrder) {
    // Blue 0xFF, green 0x80, red 0x00.
    apply(kvtest::settings_lines({{6, "&H00FF8000"}, {7, "16744448"}, {9, "&hFF8000"}, {13, "&H00FFFFFF"}}));
    EXPECT_EQ(title_colour(), forms::rgb(0, 0x80, 0xFF));
    EXPECT_EQ(toolkit::form<options_form>().Framebar_title.fore_color(), forms::rgb(0, 0x80, 0xFF));
    EXPECT_EQ(main.section_label[9]->fore_color(), 16744448u);
    EXPECT_EQ(main.about_txt.fore_color(), 16744448u);
    EXPECT_EQ(toolkit::form<skin_browser>().list_selected, 16777215);
}

TEST_F(SkinSettings, ShortHexadecimalColoursAreTheSameNumbersAsTheirDecimalForms) {
    // Green and yellow in four hexadecimal digits, and line 13's whole number the same way.
    apply(
        kvtest::settings_lines({{6, "&HFF00"}, {7, "&hffff"}, {9, "&H80"}, {13, "&HFF00"}, {24, "&HFF00"}}));
    EXPECT_EQ(title_colour(), forms::rgb(0, 0xFF, 0));
    EXPECT_EQ(main.section_label[0]->fore_color(), forms::rgb(0xFF, 0xFF, 0));
    EXPECT_EQ(main.about_txt.fore_color(), 0x80u);
    EXPECT_EQ(toolkit::form<skin_browser>().list_selected, 65280);
    EXPECT_EQ(toolkit::form<options_form>().Line5.border_color(), 65280u);
}

TEST_F(SkinSettings, ShapesTakeFillAndBorderWhereBoxesTakeTheirBackground) {
    apply(kvtest::settings_lines({{15, "255"}, {16, "65280"}, {18, "16711680"}}));
    EXPECT_EQ(main.Picture32.back_color(), 255u);
    auto& options = toolkit::form<options_form>();
    EXPECT_EQ(options.Text3.back_color(), 255u);
    EXPECT_EQ(options.Text3.fore_color(), 65280u);
    EXPECT_EQ(options.Label31.fore_color(), 16711680u);
}

TEST_F(SkinSettings, ACommaInTheFirstLineMakesEveryLaterLineComeOneEarly) {
    // The author and the description share the file's first line: the colour of line 6 is then the
    // file's fifth line, and the fortieth line read is the file's thirty-ninth.
    auto lines = kvtest::settings_lines({{6, "222"}, {12, "333"}, {13, "444"}, {40, "1"}});
    lines[0] = "Author = Smith," + lines[1];
    lines.erase(lines.begin() + 1);
    lines.push_back("Key41 = not read");
    ASSERT_EQ(lines.size(), 40u);
    apply(lines);
    EXPECT_EQ(title_colour(), 222u);
    EXPECT_EQ(main.emulator_list.row(7).fore_color(), 333u);
    EXPECT_EQ(toolkit::form<skin_browser>().list_selected, 444);
    EXPECT_EQ(main.Framebar_title.alignment(), forms::Alignment::right);
}

TEST_F(SkinSettings, TheReadingStopsAtTheFirstBadLineKeepingWhatCameBefore) {
    toolkit::form<skin_browser>().list_selected = 7;
    // Line 13 is no number: lines 6 to 12 apply, nothing from 14 on.
    apply(kvtest::settings_lines({{6, "10"}, {12, "20"}, {13, "many"}, {18, "30"}}));
    EXPECT_EQ(title_colour(), 10u);
    EXPECT_EQ(main.emulator_list.row(1).fore_color(), 20u);
    EXPECT_EQ(toolkit::form<skin_browser>().list_selected, 7);
    EXPECT_NE(box.Label31.fore_color(), 30u);
    EXPECT_EQ(box.trim_factor, "0|1");

    // A colour beyond white, written either way, a negative one, and a line without " = ".
    for (const std::string bad : {"16777216", "&H1000000", "&HFFFFFFFF", "-1"}) {
        apply(kvtest::settings_lines({{6, "40"}, {7, bad}, {9, "50"}}));
        EXPECT_EQ(title_colour(), 40u) << bad;
        EXPECT_NE(main.about_txt.fore_color(), 50u) << bad;
    }
    auto lines = kvtest::settings_lines({{6, "60"}, {9, "70"}});
    lines[7] = "no separator here";
    apply(lines);
    EXPECT_EQ(title_colour(), 60u);
    EXPECT_NE(main.about_txt.fore_color(), 70u);

    // The last colour line is no colour: the reading stops there, before the title-bar buttons, the
    // outlines and trim_factor.
    const float x_left = main.Picture11.left();
    apply(kvtest::settings_lines({{6, "80"}, {25, "blue"}, {29, "7000|60|255|255"}}));
    EXPECT_EQ(title_colour(), 80u);
    EXPECT_EQ(main.Picture11.left(), x_left);
    EXPECT_FALSE(main.region().has_value());
    EXPECT_EQ(box.trim_factor, "0|1");
}

TEST_F(SkinSettings, AFileOfTwentyFiveLinesGivesColoursButNoButtonsOrOutlines) {
    const float x_left = main.Picture11.left();
    apply(kvtest::settings_lines({{6, "80"}, {13, "90"}, {18, "100"}}, 25));
    EXPECT_EQ(title_colour(), 80u);
    EXPECT_EQ(toolkit::form<skin_browser>().list_selected, 90);
    EXPECT_EQ(box.Label31.fore_color(), 100u);
    EXPECT_EQ(main.Picture11.left(), x_left);
    EXPECT_FALSE(main.region().has_value());
    EXPECT_EQ(box.trim_factor, "0|1");
}

TEST_F(SkinSettings, FewerThanSixLinesOrNoFileChangeNothing) {
    const forms::Color before = title_colour();
    apply(kvtest::settings_lines({}, 5));
    toolkit::form<skin_browser>().load_colors("NoSuchSkin");
    EXPECT_EQ(title_colour(), before);
}

TEST_F(SkinSettings, LinesAfterTheFortiethAreNeverRead) {
    auto lines = kvtest::settings_lines({{40, "1"}});
    lines.push_back("no separator");
    lines.push_back("Key = nonsense");
    apply(lines);
    auto* last = dynamic_cast<toolkit::FramedForm*>(toolkit::form_named("add_profile"));
    EXPECT_EQ(last->Framebar_title.alignment(), forms::Alignment::right);
}

}  // namespace
}  // namespace kv
