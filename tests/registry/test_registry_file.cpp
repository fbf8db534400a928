#include <gtest/gtest.h>

#include "platform/runtime.h"
#include "platform/text_file.h"
#include "registry/reg_file_reader.h"
#include "registry/reg_file_writer.h"

namespace reg = kv::registry;

namespace {

reg::Key parse_into_tree(const std::string& bytes) {
    reg::Key root;
    reg::apply_changes(reg::parse_reg_file(bytes), root);
    return root;
}

std::string whole_tree(const reg::Key& root) {
    return reg::write_reg_file(root, {});
}

std::string utf16le(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

TEST(RegFile, EveryTypeAndEscapeComesBackExactly) {
    reg::Key root;
    reg::Key& key = root.find_or_create({"Software", "Types"});
    key.set_value(reg::text_value("", "default"));
    key.set_value(reg::text_value("quote \"and\" back\\slash", "C:\\Games\\\"x\"\\"));
    key.set_value(reg::text_value("empty", ""));
    key.set_value(reg::text_value("lines", "one\r\ntwo"));
    key.set_value(reg::text_value("latin", "caf\xE9 \xC3\xA9"));
    key.set_value(reg::dword_value("dword", 0xDEADBEEF));
    key.set_value(reg::Value{"binary", reg::ValueForm::hex, reg::reg_binary, std::string("\x00\xff\x10", 3)});
    key.set_value(reg::Value{"empty binary", reg::ValueForm::hex, reg::reg_binary, ""});
    key.set_value(reg::Value{"expand", reg::ValueForm::hex, reg::reg_expand_sz, std::string("%P%\0", 4)});
    key.set_value(reg::Value{"multi", reg::ValueForm::hex, reg::reg_multi_sz, std::string("a\0b\0\0", 5)});
    key.set_value(reg::Value{"none", reg::ValueForm::hex, 0, "x"});
    key.set_value(reg::Value{"big type", reg::ValueForm::hex, 0xFFFFFFFF, "y"});
    key.set_value(reg::Value{"long", reg::ValueForm::hex, reg::reg_binary, std::string(1000, '\x5a')});

    const std::string text = whole_tree(root);
    reg::Key again = parse_into_tree(text);
    const reg::Key* types = again.find({"Software", "Types"});
    ASSERT_NE(types, nullptr);
    for (const reg::Value& value : key.values()) {
        const reg::Value* read = types->value(value.name);
        ASSERT_NE(read, nullptr) << value.name;
        if (value.name == "lines") {
            // A text with a line break travels as hex(1) bytes ending in a zero.
            EXPECT_EQ(read->type, reg::reg_sz);
            EXPECT_EQ(read->data, value.data + std::string(1, '\0'));
        } else {
            EXPECT_EQ(*read, value) << value.name;
        }
    }
    EXPECT_EQ(whole_tree(again), text);
    // Long lists wrap as the registry editor wraps them, and no line runs past 80 columns.
    EXPECT_NE(text.find(",\\\r\n  5a"), std::string::npos);
    for (const auto& line : kv::platform::split_lines(text)) EXPECT_LE(line.size(), 80u) << line;
}

TEST(RegFile, KeysAreWrittenInPreOrderSortedIgnoringCaseWithValuesInTheirOrder) {
    reg::Key root;
    root.find_or_create({"Software", "beta"}).set_value(reg::text_value("z", "1"));
    root.find_or_create({"Software", "beta"}).set_value(reg::text_value("a", "2"));
    root.find_or_create({"Software", "Alpha", "Inner"});
    root.find_or_create({"Software", "_under"});
    EXPECT_EQ(reg::write_reg_file(*root.find({"Software"}), {"Software"}),
              "REGEDIT4\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software]\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\Alpha]\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\Alpha\\Inner]\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\beta]\r\n\"z\"=\"1\"\r\n\"a\"=\"2\"\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\_under]\r\n\r\n");
}

TEST(RegFile, NamesMatchInAnyCaseAndKeepTheirFirstSpelling) {
    reg::Key root = parse_into_tree(
        "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\ePSXe]\n\"BiosName\"=\"a\"\n\"Other\"=\"o\"\n"
        "[hkcu\\SOFTWARE\\EPSXE]\n\"BIOSNAME\"=\"b\"\n");
    const reg::Key* key = root.find({"software", "epsxe"});
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->name(), "ePSXe");
    ASSERT_EQ(key->values().size(), 2u);
    EXPECT_EQ(key->values().front(), reg::text_value("BiosName", "b"));
}

TEST(RegFile, DeletionsContinuationsCommentsAndOtherRoots) {
    reg::Key root = parse_into_tree(
        "REGEDIT4\r\n"
        "; a comment\r\n"
        "[HKEY_CURRENT_USER\\Software\\Keep]\r\n"
        "\"gone\"=\"x\"\r\n"
        "\"kept\" = hex:01,\\\r\n"
        "    02,\\\r\n"
        "  03\r\n"
        "\"gone\"=-\r\n"
        "[HKEY_CURRENT_USER\\Software\\Drop\\Deep]\r\n"
        "@=\"x\"\r\n"
        "[-HKEY_CURRENT_USER\\Software\\Drop]\r\n"
        "\"after delete\"=\"ignored\"\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Elsewhere]\r\n"
        "\"ignored\"=\"too\"\r\n"
        "[-HKEY_CURRENT_USER\\Software\\Never There]\r\n");
    const reg::Key* keep = root.find({"Software", "Keep"});
    ASSERT_NE(keep, nullptr);
    ASSERT_EQ(keep->values().size(), 1u);
    EXPECT_EQ(keep->values().front().data, "\x01\x02\x03");
    EXPECT_EQ(root.find({"Software", "Drop"}), nullptr);
    EXPECT_EQ(root.find({"Software"})->children().size(), 1u);

    auto parsed = reg::parse_reg_file("REGEDIT4\n[HKEY_LOCAL_MACHINE\\X]\n\"a\"=\"b\"\n");
    ASSERT_EQ(parsed.notes.size(), 1u);
    EXPECT_NE(parsed.notes[0].find("HKEY_LOCAL_MACHINE\\X"), std::string::npos);
    EXPECT_TRUE(parsed.changes.empty());
}

TEST(RegFile, Version5FilesInUtf16AndUtf8) {
    reg::Key root = parse_into_tree(
        utf16le(u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Caf\u00e9]\r\n"
                u"\"Name\"=\"\u20ac \U0001F600\"\r\n\"Num\"=dword:00000010\r\n"));
    const reg::Key* key = root.find({"Software", "Caf\xC3\xA9"});
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->value("name")->data, "\xE2\x82\xAC \xF0\x9F\x98\x80");
    EXPECT_EQ(key->value("num")->data, std::string("\x10\0\0\0", 4));

    // Texts written as hex bytes are UTF-16 in these files and single bytes in the store.
    reg::Key hex = parse_into_tree(
        utf16le(u"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n"
                u"\"Path\"=hex(2):25,00,50,00,25,00,00,00\r\n\"List\"=hex(7):61,00,00,00,00,00\r\n"
                u"\"Odd\"=hex(2):25,00,50\r\n\"Bin\"=hex:25,00\r\n"));
    EXPECT_EQ(hex.find({"A"})->value("Path")->data, std::string("%P%\0", 4));
    EXPECT_EQ(hex.find({"A"})->value("List")->data, std::string("a\0\0", 3));
    EXPECT_EQ(hex.find({"A"})->value("Odd")->data, std::string("%\0P", 3));
    EXPECT_EQ(hex.find({"A"})->value("Bin")->data, std::string("%\0", 2));

    reg::Key utf8 = parse_into_tree("\xEF\xBB\xBFWindows Registry Editor Version 5.00\n[HKCU\\A]\n@=\"x\"\n");
    EXPECT_EQ(utf8.find({"A"})->value("")->data, "x");
}

TEST(RegFile, AnythingElseIsRefusedWithAReason) {
    const std::vector<std::string> refused = {
        "",
        "Blank configuration\r\n",
        "\x7f"
        "ELF\x02\x01\x01",
        "REGEDIT5\r\n",
        std::string("\xFE\xFF\0R", 4),                          // UTF-16 big-endian
        utf16le(u"REGEDIT4\r\n").substr(0, 7),                  // cut in the middle of a character
        utf16le(u"REGEDIT4\r\n[HKCU\\A]\r\n@=\"\xD800\"\r\n"),  // a lone surrogate
        "REGEDIT4\r\n\"a\"=\"value before any key\"\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\A\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\A] trailing\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\\\A]\r\n",
        "REGEDIT4\r\n[]\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=\"no closing quote\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=hex:01,02,\\\r\n",  // truncated in a list
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=hex:01,,02\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=hex:123\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=hex:0g\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=hex(2:00\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=hex(100000000):00\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=dword:123456789\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=dword:\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=\"x\" junk\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"\"x\"\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\nnot a value\r\n",
        std::string("REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=\"x\0y\"\r\n", 35),
    };
    for (const std::string& bytes : refused) {
        EXPECT_THROW(reg::parse_reg_file(bytes), kv::platform::Failure) << bytes;
    }
    try {
        reg::parse_reg_file("REGEDIT4\r\n[HKCU\\A]\r\n\r\n\"a\"=bogus\r\n");
        FAIL();
    } catch (const kv::platform::Failure& failure) {
        EXPECT_NE(std::string(failure.what()).find("line 4"), std::string::npos) << failure.what();
    }
}

TEST(RegFile, DeepPathsAreRefusedBeforeTheyCanExhaustTheStack) {
    std::string deep = "REGEDIT4\r\n[HKEY_CURRENT_USER";
    for (int i = 0; i < 100000; ++i) deep += "\\k";
    deep += "]\r\n";
    EXPECT_THROW(reg::parse_reg_file(deep), kv::platform::Failure);
}

TEST(RegFile, WritingStopsAtTheSizeLimitWhereverTheTextGrows) {
    const reg::Key root = parse_into_tree(
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\A\\B]\r\n\"v\"=hex:01,02,03,04,05,06,07,08,09,0a\r\n"
        "[HKEY_CURRENT_USER\\C]\r\n\"w\"=\"text\"\r\n");
    const std::string whole = whole_tree(root);
    EXPECT_EQ(reg::write_reg_file(root, {}, whole.size()), whole);
    // Any smaller limit fails, whichever line (key, value or blank line) crosses it.
    for (size_t limit = 0; limit < whole.size(); ++limit)
        EXPECT_THROW(reg::write_reg_file(root, {}, limit), kv::platform::Failure) << limit;
}

}  // namespace
