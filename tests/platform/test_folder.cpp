#include <gtest/gtest.h>

#include <functional>

#include "platform/folder.h"
#include "support/test_support.h"

using namespace kv::platform;

namespace {

using Names = std::vector<std::string>;

TEST(Folder, ListsSortedIgnoringCaseWithTiesByBytes) {
    kvtest::TempFolder dir;
    for (const char* name : {"b", "a", "_x", "C", "A"}) kvtest::write_file(dir / name, "");
    std::filesystem::create_directories(dir / "Sub");
    std::filesystem::create_directories(dir / "apple");
    std::filesystem::create_symlink("b", dir / "link");
    std::filesystem::create_symlink("apple", dir / "folder link");
    // Letters fold to upper case, so "_" sorts after them.
    EXPECT_EQ(list_folder(dir.path(), EntryKind::files), (Names{"A", "a", "b", "C", "link", "_x"}));
    EXPECT_EQ(list_folder(dir.path(), EntryKind::folders), (Names{"apple", "folder link", "Sub"}));
    EXPECT_TRUE(list_folder(dir / "missing", EntryKind::files).empty());
    EXPECT_TRUE(list_folder(dir / "b", EntryKind::folders).empty());
}

// Listed names go into lines of files: one holding a line break would write lines of its own.
TEST(Folder, NamesHoldingLineBreaksAreNotListed) {
    kvtest::TempFolder dir;
    for (const char* name : {"A\r\nGPU=evil.so", "cr\r.bin", "lf\n.ini", "plain.bin"})
        kvtest::write_file(dir / name, "");
    std::filesystem::create_directories(dir / "Skin\r\nName");
    std::filesystem::create_directories(dir / "Midnight");
    EXPECT_EQ(list_folder(dir.path(), EntryKind::files), Names{"plain.bin"});
    EXPECT_EQ(list_folder_entries(dir.path()), (Names{"Midnight", "plain.bin"}));
}

TEST(Folder, FindsExactNameFirstThenUniqueCaseInsensitiveMatch) {
    kvtest::TempFolder dir;
    kvtest::write_file(dir / "Skin.bmp", "");
    kvtest::write_file(dir / "skin.BMP", "");
    kvtest::write_file(dir / "Main.ini", "");
    EXPECT_EQ(find_ignoring_case(dir.path(), "skin.BMP"), dir / "skin.BMP");
    EXPECT_EQ(find_ignoring_case(dir.path(), "SKIN.BMP"), std::nullopt);  // two candidates
    EXPECT_EQ(find_ignoring_case(dir.path(), "MAIN.INI"), dir / "Main.ini");
    EXPECT_EQ(find_ignoring_case(dir.path(), "other.ini"), std::nullopt);
    EXPECT_EQ(find_ignoring_case(dir / "missing", "Main.ini"), std::nullopt);
    EXPECT_EQ(find_ignoring_case(dir.path(), ""), std::nullopt);
}

TEST(Folder, ResolvesEveryComponentIgnoringCase) {
    kvtest::TempFolder dir;
    kvtest::write_file(dir / "Skins" / "Blue" / "main.bmp", "");
    EXPECT_EQ(resolve_ignoring_case(dir.path(), "skins/BLUE/Main.BMP"), dir / "Skins" / "Blue" / "main.bmp");
    auto up_and_down = resolve_ignoring_case(dir.path(), "skins/./blue/../BLUE");
    ASSERT_TRUE(up_and_down);
    EXPECT_TRUE(std::filesystem::equivalent(*up_and_down, dir / "Skins" / "Blue"));
    EXPECT_EQ(resolve_ignoring_case(dir.path(), "skins/red/main.bmp"), std::nullopt);
    EXPECT_EQ(resolve_ignoring_case("/nowhere", dir.path() / "SKINS"), dir / "Skins");
    // A path the program names is found as far as it exists, then kept as written, where a write
    // makes it.
    EXPECT_EQ(find_named_path(dir.path(), "SKINS/blue/New.ini"), dir / "Skins" / "Blue" / "New.ini");
    EXPECT_EQ(find_named_path(dir.path(), "skins/Red/main.bmp"), dir / "Skins" / "Red" / "main.bmp");
}

// Several entries in other letter cases and none exact: a path the program names is neither guessed
// nor kept as written, where a write would add a third file beside them.
TEST(Folder, ANameInSeveralLetterCasesAndNoneExactIsNeitherGuessedNorAddedTo) {
    kvtest::TempFolder dir;
    kvtest::write_file(dir / "Emu" / "data.kvl", "");
    kvtest::write_file(dir / "Emu" / "DATA.KVL", "");
    kvtest::write_file(dir / "Emu" / "Data.KVL" / "inside", "");
    const auto why = [](const std::function<void()>& look_up) -> std::string {
        try {
            look_up();
        } catch (const AmbiguousName& ambiguous) {
            return ambiguous.what();
        }
        return "answered";
    };
    const std::string told = "cannot tell which of DATA.KVL, Data.KVL and data.kvl in " +
                             (dir / "Emu").string() + " is Data.kvl: their names differ only in letter case";
    EXPECT_EQ(why([&] { find_named_path(dir.path(), "emu/Data.kvl"); }), told);
    EXPECT_EQ(why([&] { resolve_ignoring_case(dir.path(), "emu/Data.kvl/inside"); }), told);
    EXPECT_EQ(find_ignoring_case(dir / "Emu", "Data.kvl"), std::nullopt);
    // The exact name is the one meant.
    kvtest::write_file(dir / "Emu" / "Data.kvl", "");
    EXPECT_EQ(find_named_path(dir.path(), "emu/Data.kvl"), dir / "Emu" / "Data.kvl");
}

TEST(Folder, ProgramFolderIsTheExecutablesUnlessSet) {
    const auto own = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    EXPECT_EQ(program_folder(), own);
    set_program_folder("/some/where");
    EXPECT_EQ(program_folder(), "/some/where");
    set_program_folder(own);
}

TEST(Folder, ComparesAsciiIgnoringCase) {
    EXPECT_TRUE(equal_ignoring_case("Korvalin.EXE", "korvalin.exe"));
    EXPECT_FALSE(equal_ignoring_case("a", "ab"));
    EXPECT_FALSE(equal_ignoring_case("\xc9", "\xe9"));  // only ASCII letters fold
    EXPECT_TRUE(less_ignoring_case("apple", "Banana"));
    EXPECT_FALSE(less_ignoring_case("A", "a"));
}

}  // namespace
