// An open-file dialog's filter patterns, as the dialog applies them to file names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_pattern.h"

using namespace kv::platform;

namespace {

using Patterns = std::vector<std::string>;

TEST(DialogPatterns, AreTrimmedWithoutRepeatsAndProgramsStandForEveryFile) {
    EXPECT_EQ(dialog_patterns("*.mcr"), Patterns{"*.mcr"});
    EXPECT_EQ(dialog_patterns(" *.bmp ; *.BMP;;*.gif "), (Patterns{"*.bmp", "*.gif"}));
    EXPECT_EQ(dialog_patterns("*.EXE"), Patterns{"*"});
    EXPECT_EQ(dialog_patterns(""), Patterns{"*"});
    EXPECT_EQ(dialog_patterns(" ; "), Patterns{"*"});
}

TEST(DialogPatterns, MatchNamesInAnyLetterCase) {
    EXPECT_TRUE(matches_dialog_filter("one.mcr", "*.mcr"));
    EXPECT_TRUE(matches_dialog_filter("ONE.Mcr", "*.mcr"));
    EXPECT_TRUE(matches_dialog_filter(".mcr", "*.mcr"));
    EXPECT_FALSE(matches_dialog_filter("SSSPSX.exe", "*.mcr"));
    EXPECT_FALSE(matches_dialog_filter("one.mcr.bak", "*.mcr"));
    EXPECT_FALSE(matches_dialog_filter("mcr", "*.mcr"));
    // Any of several; "?" is one character; a star may take nothing or many.
    EXPECT_TRUE(matches_dialog_filter("b.gif", "*.bmp;*.gif"));
    EXPECT_TRUE(matches_dialog_filter("scph1001.bin", "scph????.bin"));
    EXPECT_FALSE(matches_dialog_filter("scph101.bin", "scph????.bin"));
    EXPECT_TRUE(matches_dialog_filter("a.b.c", "*.*.*"));
    EXPECT_FALSE(matches_dialog_filter("a.b", "*.*.*"));
    // The programs' filter takes every name, extension or none.
    EXPECT_TRUE(matches_dialog_filter("pcsx", "*.exe"));
    EXPECT_TRUE(matches_dialog_filter("one.mcr", "*.exe"));
}

}  // namespace
