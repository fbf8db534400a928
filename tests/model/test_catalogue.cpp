#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model/catalogue.h"
#include "platform/runtime.h"
#include "platform/text_file.h"
#include "support/test_support.h"

using namespace kv::model;

namespace kv {
namespace {

using Lines = std::vector<std::string>;

Lines headers_around(const Lines& psx, const Lines& about_block, const Lines& switches) {
    Lines out{"[PSX]"};
    out.insert(out.end(), psx.begin(), psx.end());
    for (const char* h :
         {"[PS2]", "[NDS]", "[GB/GBA]", "[N64]", "[DC]", "[GC]", "[Saturn]", "[S/NES]", "[Misc]", "[About]"})
        out.emplace_back(h);
    out.insert(out.end(), about_block.begin(), about_block.end());
    out.emplace_back("[Switches]");
    out.insert(out.end(), switches.begin(), switches.end());
    return out;
}

std::string crlf_file(const Lines& lines) {
    std::string bytes;
    for (const auto& l : lines) bytes += l + "\r\n";
    return bytes;
}

TEST(Records, FieldsAreSplitAtBars) {
    EXPECT_EQ(record_name("ePSXe|/emus/|epsxe"), "ePSXe");
    EXPECT_EQ(record_name("no bar"), "no bar");
    EXPECT_EQ(record_name(""), "");
    EXPECT_EQ(record_field("a|b|c", 1), "b");
    EXPECT_EQ(record_field("a|b|c", 2), "c");
    EXPECT_EQ(record_field("a||", 2), "");
    EXPECT_FALSE(record_field("a|b", 2));
    EXPECT_FALSE(record_field("name", 1));
    EXPECT_EQ(section_index("SNES"), 8u);
    EXPECT_FALSE(section_index("S/NES"));
    EXPECT_FALSE(section_index("psx"));
}

TEST(Records, AnEmulatorsRecordIsItsFirstExactlyNamedOneAndAnEmptyNameOwnsNone) {
    Lines records{"|no name", "Zeta|first", "zeta|other case", "Zeta|second", "Zetan|longer"};
    EXPECT_EQ(find_record(records, "Zeta"), 1u);
    EXPECT_EQ(find_record(records, "zeta"), 2u);
    EXPECT_EQ(find_record(records, "Zet"), std::nullopt);
    EXPECT_EQ(find_record(records, ""), std::nullopt);
    erase_record(records, "Zeta");
    erase_record(records, "");
    erase_record(records, "Missing");
    EXPECT_EQ(records, (Lines{"|no name", "zeta|other case", "Zeta|second", "Zetan|longer"}));
}

TEST(ReadCatalogue, EverySectionAboutAndSwitchRecordLandsInItsList) {
    Lines file{"[PSX]",      "ePSXe|/e/|e",   "",       "PCSX|/p/|p",
               "[PS2]",      "PCSX2|/p2/|p2", "[NDS]",  "[GB/GBA]",
               "VBA|/v/|v",  "[N64]",         "[DC]",   "[GC]",
               "[Saturn]",   "[S/NES]",       "[Misc]", "MAME|Unknown|Unknown",
               "[About]",    "ePSXe|One",     "Two",    "",
               "Three",      "end",           "PCSX|x", "end",
               "[Switches]", "ePSXe|-a||||",  "",       "PCSX|||||"};
    Catalogue c;
    read_catalogue(file, c);
    EXPECT_EQ(c.PSX_emu, (Lines{"ePSXe|/e/|e", "", "PCSX|/p/|p"}));
    EXPECT_EQ(c.PS2_emu, Lines{"PCSX2|/p2/|p2"});
    EXPECT_EQ(c.GBA_emu, Lines{"VBA|/v/|v"});
    EXPECT_EQ(c.Misc_emu, Lines{"MAME|Unknown|Unknown"});
    EXPECT_TRUE(c.NDS_emu.empty() && c.N64_emu.empty() && c.DC_emu.empty() && c.GC_emu.empty() &&
                c.Saturn_emu.empty() && c.SNES_emu.empty());
    EXPECT_EQ(c.about_list, (Lines{"ePSXe|One\r\nTwo\r\n\r\nThree", "PCSX|x"}));
    EXPECT_EQ(c.switches_list, (Lines{"ePSXe|-a||||", "", "PCSX|||||"}));
    EXPECT_EQ(c.section_list("GBA"), &c.GBA_emu);
    EXPECT_EQ(c.section_list("GB/GBA"), nullptr);
    // What was read is written back byte for byte.
    EXPECT_EQ(catalogue_bytes(c), crlf_file(file));
}

TEST(ReadCatalogue, AboutBlockKeepsOnlyWhatEndCloses) {
    // Blank lines before a record's text are not kept, "end" twice gives an empty record, an "end" in
    // a text splits it, and text after the last "end" is not kept.
    Catalogue c;
    read_catalogue(
        headers_around({}, {"", "", "A|text", "end", "end", "B|one", "end", "two", "end", "stray"}, {}), c);
    EXPECT_EQ(c.about_list, (Lines{"A|text", "", "B|one", "two"}));
    // The empty record survives a save and read as an empty record.
    Catalogue again;
    read_catalogue(kv::platform::split_lines(catalogue_bytes(c)), again);
    EXPECT_EQ(again.about_list, c.about_list);

    // A "[Switches]" line inside an about text ends the about block there.
    Catalogue early;
    read_catalogue(headers_around({}, {"A|first", "[Switches]", "rest", "end"}, {"S|||||"}), early);
    EXPECT_TRUE(early.about_list.empty());
    EXPECT_EQ(early.switches_list, (Lines{"rest", "end", "[Switches]", "S|||||"}));
}

TEST(ReadCatalogue, FirstLineIsTakenForTheHeaderUpToItsComma) {
    Catalogue any_header;
    read_catalogue({"whatever", "ePSXe|/e/|e", "[PS2]"}, any_header);
    EXPECT_EQ(any_header.PSX_emu, Lines{"ePSXe|/e/|e"});

    Catalogue comma;
    read_catalogue({"[PSX],after comma", "ePSXe|/e/|e", "[PS2]"}, comma);
    EXPECT_EQ(comma.PSX_emu, (Lines{"after comma", "ePSXe|/e/|e"}));
}

TEST(ReadCatalogue, MissingHeaderKeepsEverythingInTheBlockBeforeIt) {
    Lines file{"[PSX]",    "A|/a/|a", "[PS2]",  "[NDS]",   "[GB/GBA]", "[N64]", "[DC]",       "D|/d/|d",
               "[Saturn]", "[S/NES]", "[Misc]", "[About]", "A|about",  "end",   "[Switches]", "A|-x||||"};
    Catalogue c;
    read_catalogue(file, c);
    EXPECT_EQ(c.PSX_emu, Lines{"A|/a/|a"});
    EXPECT_EQ(c.DC_emu, (Lines{"D|/d/|d", "[Saturn]", "[S/NES]", "[Misc]", "[About]", "A|about", "end",
                               "[Switches]", "A|-x||||"}));
    EXPECT_TRUE(c.GC_emu.empty() && c.about_list.empty() && c.switches_list.empty());

    // Saving writes the lines back inside that block, then every header.
    Lines expected{"[PSX]", "A|/a/|a", "[PS2]", "[NDS]", "[GB/GBA]", "[N64]", "[DC]"};
    expected.insert(expected.end(), c.DC_emu.begin(), c.DC_emu.end());
    for (const char* h : {"[GC]", "[Saturn]", "[S/NES]", "[Misc]", "[About]", "[Switches]"})
        expected.emplace_back(h);
    EXPECT_EQ(catalogue_bytes(c), crlf_file(expected));
}

TEST(CatalogueBytes, EmptyCatalogueIsTheTwelveHeaders) {
    EXPECT_EQ(catalogue_bytes(Catalogue{}),
              crlf_file(Lines{"[PSX]", "[PS2]", "[NDS]", "[GB/GBA]", "[N64]", "[DC]", "[GC]", "[Saturn]",
                              "[S/NES]", "[Misc]", "[About]", "[Switches]"}));
}

TEST(CatalogueFile, AnyLineEndReadsTheSameAndSavesAsCrLf) {
    kvtest::TempFolder dir;
    const Lines lines =
        headers_around({"ePSXe|/e/|e", "", "PCSX|/p/|p"}, {"ePSXe|One", "Two", "end"}, {"ePSXe|-a||||"});
    const std::string crlf = crlf_file(lines);
    std::string lf, cr;
    for (const auto& l : lines) {
        lf += l + "\n";
        cr += l + "\r";
    }
    for (const std::string& bytes : {crlf, lf, cr}) {
        kvtest::write_file(dir / "Data.kvl", bytes);
        Catalogue c;
        ASSERT_EQ(load_catalogue(dir / "Data.kvl", c), CatalogueFile::read);
        EXPECT_EQ(c.PSX_emu, (Lines{"ePSXe|/e/|e", "", "PCSX|/p/|p"}));
        EXPECT_EQ(c.about_list, Lines{"ePSXe|One\r\nTwo"});
        save_catalogue(dir / "Data.kvl", c);
        EXPECT_EQ(kvtest::read_file(dir / "Data.kvl"), crlf);
    }
}

TEST(CatalogueFile, BytesBeyondAsciiSurviveUnchanged) {
    kvtest::TempFolder dir;
    const std::string utf8 =
        "PCSX R\xC3\xA9"
        "armed";
    const std::string latin1 = "Caf\xE9";
    const std::string bytes = crlf_file(headers_around({utf8 + "|/\xC3\xA9/|x", latin1 + "|/c/|c"},
                                                       {utf8 + "|Premi\xC3\xA8re", "ligne \xFC\xFF", "end"},
                                                       {latin1 + "|-\xE9||||"}));
    kvtest::write_file(dir / "Data.kvl", bytes);
    Catalogue c;
    ASSERT_EQ(load_catalogue(dir / "Data.kvl", c), CatalogueFile::read);
    EXPECT_EQ(record_name(c.PSX_emu[0]), utf8);
    EXPECT_EQ(record_name(c.PSX_emu[1]), latin1);
    EXPECT_EQ(c.about_list[0], utf8 + "|Premi\xC3\xA8re\r\nligne \xFC\xFF");
    save_catalogue(dir / "Data.kvl", c);
    EXPECT_EQ(kvtest::read_file(dir / "Data.kvl"), bytes);
}

TEST(CatalogueFile, MissingEmptyAndUnreadableFilesAreToldApart) {
    kvtest::TempFolder dir;
    Catalogue c;
    EXPECT_EQ(load_catalogue(dir / "Data.kvl", c), CatalogueFile::missing);

    kvtest::write_file(dir / "Data.kvl", "");
    EXPECT_EQ(load_catalogue(dir / "Data.kvl", c), CatalogueFile::read);
    EXPECT_EQ(kv::platform::split_lines(catalogue_bytes(c)).size(), 12u);

    // A link to itself exists but can never be opened.
    std::filesystem::create_symlink("Loop.kvl", dir / "Loop.kvl");
    EXPECT_EQ(load_catalogue(dir / "Loop.kvl", c), CatalogueFile::unreadable);
    std::filesystem::create_directory(dir / "Folder.kvl");
    EXPECT_EQ(load_catalogue(dir / "Folder.kvl", c), CatalogueFile::unreadable);

    // One too large for the memory there is cannot be read either (and so is never overwritten).
    if (!kvtest::address_space_can_be_limited) return;
    kvtest::write_file(dir / "Huge.kvl", "[PSX]\r\n");
    std::filesystem::resize_file(dir / "Huge.kvl", 256 << 20);
    const std::string expected =
        "cannot read " + (dir / "Huge.kvl").string() + ": not enough memory to read it";
    EXPECT_EQ(kvtest::exit_code_in_child([&] {
                  if (!kvtest::limit_address_space(64 << 20)) return 2;
                  Catalogue huge;
                  std::string why;
                  if (load_catalogue(dir / "Huge.kvl", huge, &why) != CatalogueFile::unreadable) return 3;
                  return why == expected ? 0 : 4;
              }),
              0);
}

TEST(CatalogueFile, FailedSaveReportsAndLeavesNothingBehind) {
    kvtest::TempFolder dir;
    Catalogue c;
    c.PSX_emu.push_back("ePSXe|/e/|e");
    EXPECT_THROW(save_catalogue(dir / "missing folder" / "Data.kvl", c), kv::platform::Failure);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing folder"));
}

}  // namespace
}  // namespace kv
