#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/settings_file.h"

using namespace kv::model;

namespace kv {
namespace {

using Lines = std::vector<std::string>;

SettingsValues sample() {
    SettingsValues v;
    v.left = -1234.5f;
    v.top = 40000;
    v.skin = "Midnight";
    v.language = "English";
    v.font_name = "Verdana";
    v.font_size = 10.5f;
    v.font_bold = true;
    v.section_visible = {true, false, true, true, true, true, true, true, true, false};
    v.launcher_state = 7;
    v.path_override = true;
    v.opacity = 37;
    v.section_titles = {"PSX", "a = b = c", "", "GB/GBA", "N64", "DC", "GC", "Saturn", "S/NES", "Misc"};
    v.misc_image = true;
    v.misc_image_location = "/home/me/pictures/misc.bmp";
    return v;
}

TEST(SettingsFile, WritesTwentyThreeLinesInTheirOrder) {
    const Lines lines = settings_lines(sample());
    ASSERT_EQ(lines.size(), 23u);
    EXPECT_EQ(lines[0], "// Korvalin 1.2 config");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "Main Window X (Twips) = -1234.5");
    EXPECT_EQ(lines[3], "Main Window Y (Twips) = 40000");
    EXPECT_EQ(lines[6], "Font = Verdana|10|True|False");
    EXPECT_EQ(lines[7], "Sections = 1|0|1|1|1|1|1|1|1|0");
    EXPECT_EQ(lines[8], "Launcher state = 7");
    EXPECT_EQ(lines[9], "Path override = True");
    EXPECT_EQ(lines[10], "Opacity = 37");
    EXPECT_EQ(lines[12], "PS2 = a = b = c");
    EXPECT_EQ(lines[13], "NDS = ");
    EXPECT_EQ(lines[15], "N64 = N64");
    EXPECT_EQ(lines[22], "Misc image location = /home/me/pictures/misc.bmp");
}

TEST(SettingsFile, FontSizeIsWrittenRoundedHalfToEven) {
    SettingsValues v = sample();
    for (auto [size, text] : {std::pair{8.25f, "8"}, {10.5f, "10"}, {11.5f, "12"}}) {
        v.font_size = size;
        EXPECT_EQ(settings_lines(v)[6], std::string("Font = Verdana|") + text + "|True|False");
    }
}

TEST(SettingsFile, WhatIsWrittenReadsBackWholeTitlesIncluded) {
    const SettingsReading r = read_settings_lines(settings_lines(sample()));
    ASSERT_TRUE(r.left && r.top && r.font && r.misc_image_location);
    EXPECT_FALSE(r.left->center);
    EXPECT_EQ(r.left->twips, -1234.5f);
    EXPECT_EQ(r.top->twips, 40000.0f);
    EXPECT_EQ(r.language, "English");
    EXPECT_EQ(r.font->name, "Verdana");
    EXPECT_EQ(r.font->size, "10");
    EXPECT_TRUE(r.font->bold);
    EXPECT_FALSE(r.font->italic);
    EXPECT_EQ(r.section_flags, (Lines{"1", "0", "1", "1", "1", "1", "1", "1", "1", "0"}));
    EXPECT_EQ(r.launcher_state, 7);
    EXPECT_EQ(r.path_override, true);
    EXPECT_EQ(r.opacity, 37);
    // A title holding " = " is read back whole; an empty one stays empty.
    const auto titles = sample().section_titles;
    EXPECT_EQ(r.section_titles, Lines(titles.begin(), titles.end()));
    EXPECT_EQ(r.misc_image, true);
    EXPECT_EQ(*r.misc_image_location, "/home/me/pictures/misc.bmp");
}

// A skin, a language or a picture path may hold " = ": every value is all the text after the first
// separator, so what a save writes comes back at the next start.
TEST(SettingsFile, EveryValueTakesAllTextAfterTheFirstSeparator) {
    SettingsValues v = sample();
    v.skin = "Night = Day";
    v.language = "a = b";
    v.misc_image_location = "/a = b/p.bmp";
    Lines lines = settings_lines(v);
    lines[9] = "Path override = True = yes";
    const SettingsReading r = read_settings_lines(lines);
    EXPECT_EQ(r.skin, "Night = Day");
    EXPECT_EQ(r.language, "a = b");
    EXPECT_EQ(r.misc_image_location, "/a = b/p.bmp");
    EXPECT_EQ(r.path_override, false);
}

TEST(SettingsFile, ReadingStopsAtTheFirstLineThatFails) {
    const Lines good = settings_lines(sample());
    struct Case {
        std::size_t line;  // 0-based
        std::string text;
        bool reached_launcher_state;
    };
    for (const Case& c :
         {Case{2, "Main Window X (Twips) = center", false}, Case{6, "Font = Verdana|10|True", false},
          Case{6, "Font = Verdana|10|True|maybe", false}, Case{8, "Launcher state = 40000", false},
          Case{8, "Launcher state = two", false}, Case{10, "Opacity = 3000000000", true},
          Case{12, "PS2 has no separator", true}}) {
        Lines lines = good;
        lines[c.line] = c.text;
        const SettingsReading r = read_settings_lines(lines);
        EXPECT_EQ(r.launcher_state.has_value(), c.reached_launcher_state) << c.text;
        EXPECT_FALSE(r.misc_image_location) << c.text;
    }
    // A title line without " = " stops the titles there, keeping the ones before it.
    Lines lines = good;
    lines[13] = "no value";
    EXPECT_EQ(read_settings_lines(lines).section_titles, (Lines{"PSX", "a = b = c"}));
}

TEST(SettingsFile, CenterAndPartLinesAndExtraFields) {
    Lines lines = settings_lines(sample());
    lines[2] = "Main Window X (Twips) = Center";
    lines[6] = "Font = Arial|9|0|1|extra";
    lines[7] = "Sections = 0|0|1|1|1|1|1|1|1|1|1|1";
    SettingsReading r = read_settings_lines(lines);
    EXPECT_TRUE(r.left->center);
    EXPECT_EQ(r.font->name, "Arial");
    EXPECT_TRUE(r.font->italic);
    EXPECT_EQ(r.section_flags.size(), 10u);
    EXPECT_TRUE(r.misc_image_location);

    // Fewer than ten flags: the ones read are kept for hiding, nothing after is read.
    lines[7] = "Sections = 0|1|0";
    r = read_settings_lines(lines);
    EXPECT_EQ(r.section_flags, (Lines{"0", "1", "0"}));
    EXPECT_FALSE(r.launcher_state);

    // A file of ten lines reaches the path override and no further.
    r = read_settings_lines(Lines(lines.begin(), lines.begin() + 10));
    EXPECT_FALSE(r.launcher_state);  // the short sections line still stops it
    lines[7] = "Sections = 1|1|1|1|1|1|1|1|1|1";
    r = read_settings_lines(Lines(lines.begin(), lines.begin() + 10));
    EXPECT_EQ(r.path_override, true);
    EXPECT_FALSE(r.opacity);
    EXPECT_TRUE(r.section_titles.empty());
}

TEST(SettingsFile, CommaInTheFirstLineShiftsTheLines) {
    Lines lines = settings_lines(sample());
    lines[0] = "// Korvalin, 1.2 config";
    const SettingsReading r = read_settings_lines(lines);
    // The empty second line now stands where the X position should be.
    EXPECT_FALSE(r.left);
    EXPECT_FALSE(read_settings_lines({}).left);
}

}  // namespace
}  // namespace kv
