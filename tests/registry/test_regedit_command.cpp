#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>
#include <sstream>

#include "registry/regedit_command.h"
#include "registry/regular_file.h"
#include "support/test_support.h"

namespace reg = kv::registry;

namespace {

class Regedit : public ::testing::Test {
  protected:
    // Runs the command; its standard error lands in errors_.
    int run(const std::vector<std::string>& arguments) {
        errors_.str("");
        return reg::run_regedit(arguments, store_, errors_);
    }
    std::filesystem::path write_reg(const std::string& name, const std::string& body) {
        kvtest::write_file(temp_ / name, body);
        return temp_ / name;
    }
    std::string stored() const { return kvtest::read_file(store_.file()); }

    kvtest::TempFolder temp_;
    reg::Store store_{temp_ / "store" / "HKEY_CURRENT_USER.reg"};
    std::ostringstream errors_;
};

const char* every_type =
    "REGEDIT4\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Emu]\r\n"
    "@=\"default \\\"quoted\\\" C:\\\\path\\\\\"\r\n"
    "\"name \\\"with\\\" quotes\"=\"\"\r\n"
    "\"odd\\escape\"=\"kept \\n as written\"\r\n"
    "\"dword\"=dword:8000000f\r\n"
    "\"short dword\"=dword:1f\r\n"
    "\"binary\"=hex:00,ff,7f\r\n"
    "\"empty binary\"=hex:\r\n"
    "\"expand\"=hex(2):25,50,25,00\r\n"
    "\"multi\"=hex(7):61,00,62,00,00\r\n"
    "\"none\"=hex(0):\r\n"
    "\"custom\"=hex(ffff):01,\\\r\n  02\r\n"
    "\"text as hex\"=hex(1):61,0a,62,00\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Emu\\Sub Key]\r\n"
    "\"x\"=\"y\"\r\n";

TEST_F(Regedit, EveryTypeAndEscapeSurvivesExportDeleteAndImport) {
    ASSERT_EQ(run({"/S", write_reg("all.reg", every_type).string()}), 0) << errors_.str();
    EXPECT_EQ(errors_.str(), "");
    auto exported = temp_ / "export.reg";
    ASSERT_EQ(run({"/E", "/A", exported.string(), "HKCU\\software\\emu"}), 0) << errors_.str();
    EXPECT_EQ(errors_.str(), "");
    const std::string first = kvtest::read_file(exported);
    EXPECT_EQ(first.substr(0, 46), "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Emu]\r\n");
    EXPECT_NE(first.find("[HKEY_CURRENT_USER\\Software\\Emu\\Sub Key]\r\n\"x\"=\"y\"\r\n\r\n"),
              std::string::npos);

    ASSERT_EQ(
        run({"/s",
             write_reg("delete.reg", "REGEDIT4\r\n\r\n[-HKEY_CURRENT_USER\\Software\\Emu]\r\n").string()}),
        0);
    EXPECT_EQ(run({"/E", (temp_ / "none.reg").string(), "HKEY_CURRENT_USER\\Software\\Emu"}), 2);

    ASSERT_EQ(run({"/S", exported.string()}), 0) << errors_.str();
    auto again = temp_ / "again.reg";
    ASSERT_EQ(run({"/e", "/a", again.string(), "HKEY_CURRENT_USER\\Software\\Emu"}), 0);
    EXPECT_EQ(kvtest::read_file(again), first);
    // The import file and the export hold the same values: importing that first file again changes nothing.
    const std::string before = stored();
    ASSERT_EQ(run({"/S", (temp_ / "all.reg").string()}), 0);
    EXPECT_EQ(stored(), before);
}

TEST_F(Regedit, BadCommandLinesFailWithUsage) {
    auto file = write_reg("a.reg", "REGEDIT4\r\n[HKCU\\A]\r\n");
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{},
                                               {"/S"},
                                               {"/E", file.string()},
                                               {"/S", file.string(), "extra"},
                                               {"/S", "/E", file.string()},
                                               {"/A", "/S", file.string()},
                                               {"/X", file.string()},
                                               {file.string()}}) {
        EXPECT_EQ(run(arguments), 1);
        EXPECT_NE(errors_.str().find("usage: korvalin-regedit"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(store_.file()));
}

TEST_F(Regedit, FailedImportsAndExportsLeaveStoreAndFileByteIdentical) {
    ASSERT_EQ(run({"/S", write_reg("base.reg", every_type).string()}), 0);
    const std::string before = stored();

    std::mt19937 random(7);
    std::string binary(4096, '\0');
    for (char& c : binary) c = static_cast<char>(random());
    const std::string valid = "REGEDIT4\r\n[HKCU\\New]\r\n\"a\"=\"b\"\r\n\"c\"=hex:01,\\\r\n  02,03\r\n";
    const std::vector<std::string> refused = {
        "Blank configuration\r\n",
        "",
        binary,
        "REGEDIT4\r\n" + binary,
        valid.substr(0, valid.find("01,") + 4),   // cut inside a continued list
        valid.substr(0, valid.find("\"b") + 2),   // cut inside a quoted text
        valid + "[HKCU\\Later]\r\n\"broken\r\n",  // a bad line after good ones: nothing of it lands
    };
    for (const std::string& bytes : refused) {
        EXPECT_EQ(run({"/S", write_reg("refused.reg", bytes).string()}), 1);
        EXPECT_NE(errors_.str().find("korvalin-regedit: cannot import"), std::string::npos) << errors_.str();
        EXPECT_EQ(stored(), before);
    }
    EXPECT_EQ(run({"/S", (temp_ / "missing.reg").string()}), 1);
    ASSERT_EQ(::mkfifo((temp_ / "fifo.reg").c_str(), 0600), 0);
    EXPECT_EQ(run({"/S", (temp_ / "fifo.reg").string()}), 1);
    EXPECT_EQ(run({"/S", temp_.path().string()}), 1);
    auto huge = write_reg("huge.reg", "REGEDIT4\r\n");
    std::filesystem::resize_file(huge, reg::max_reg_file_size + 1);  // sparse: nothing is written
    EXPECT_EQ(run({"/S", huge.string()}), 1);
    EXPECT_NE(errors_.str().find("larger than 64 MB"), std::string::npos) << errors_.str();
    EXPECT_EQ(stored(), before);

    auto profile = write_reg("profile.reg", "Blank configuration\r\n");
    // A missing key has a status of its own: callers take it for nothing to export.
    EXPECT_EQ(run({"/E", "/A", profile.string(), "HKEY_CURRENT_USER\\Software\\Missing"}), 2);
    EXPECT_NE(errors_.str().find("does not exist"), std::string::npos);
    EXPECT_EQ(run({"/E", "/A", profile.string(), "HKEY_LOCAL_MACHINE\\Software\\Emu"}), 1);
    EXPECT_EQ(run({"/E", "/A", profile.string(), "HKCU\\Software\\\\Emu"}), 1);
    EXPECT_EQ(kvtest::read_file(profile), "Blank configuration\r\n");
    EXPECT_EQ(stored(), before);

    // The store itself, named directly or through a link, is no export file.
    EXPECT_EQ(run({"/E", "/A", store_.file().string(), "HKCU\\Software\\Emu"}), 1);
    EXPECT_NE(errors_.str().find("registry store itself"), std::string::npos) << errors_.str();
    std::filesystem::create_symlink(store_.file(), temp_ / "link.reg");
    EXPECT_EQ(run({"/E", "/A", (temp_ / "link.reg").string(), "HKCU\\Software\\Emu"}), 1);
    EXPECT_EQ(stored(), before);
}

TEST_F(Regedit, AnImportTheStoreCouldNotReadBackIsRefusedWhole) {
    ASSERT_EQ(run({"/S", write_reg("base.reg", every_type).string()}), 0);
    const std::string before = stored();
    // Half a megabyte, but every one of its 512 key lines names the whole path: 131 MB of store.
    const std::string name(1000, 'N');
    std::string path = "HKEY_CURRENT_USER";
    for (int depth = 0; depth < 512; ++depth) path += "\\" + name;
    auto deep = write_reg("deep.reg", "REGEDIT4\r\n\r\n[" + path + "]\r\n\"v\"=\"1\"\r\n");
    ASSERT_LT(std::filesystem::file_size(deep), 600u * 1024);

    EXPECT_EQ(run({"/S", deep.string()}), 1);
    EXPECT_NE(errors_.str().find("cannot import " + deep.string()), std::string::npos) << errors_.str();
    EXPECT_NE(errors_.str().find("larger than 64 MB"), std::string::npos) << errors_.str();
    EXPECT_EQ(stored(), before);
    // The store still reads, and takes the next import.
    ASSERT_EQ(run({"/S", write_reg("small.reg", "REGEDIT4\r\n[HKCU\\After]\r\n\"a\"=\"b\"\r\n").string()}), 0)
        << errors_.str();
    EXPECT_EQ(store_.snapshot()->find({"After"})->value("a")->data, "b");
}

TEST_F(Regedit, TheStoresOwnFilesAreNoExportFiles) {
    ASSERT_EQ(run({"/S", write_reg("base.reg", every_type).string()}), 0);
    const auto folder = store_.file().parent_path();
    const auto lock = folder / "HKEY_CURRENT_USER.reg.lock";
    const auto temporary = folder / ".HKEY_CURRENT_USER.reg.00000000deadbeef.tmp";
    kvtest::write_file(temporary, "a write in progress");
    ASSERT_TRUE(std::filesystem::exists(lock));
    const auto lock_inode = [&] {
        struct stat info {};
        ::stat(lock.c_str(), &info);
        return info.st_ino;
    };
    const auto inode = lock_inode();
    std::filesystem::create_symlink(lock, temp_ / "to-lock.reg");
    std::filesystem::create_hard_link(lock, temp_ / "hard-lock.reg");
    std::filesystem::create_directory_symlink(folder, temp_ / "store-folder");

    for (const std::filesystem::path& target :
         {lock, temp_ / "to-lock.reg", temp_ / "hard-lock.reg", temp_ / "store-folder" / lock.filename(),
          temporary, folder / ".HKEY_CURRENT_USER.reg.0123456789abcdef.tmp"}) {
        EXPECT_EQ(run({"/E", "/A", target.string(), "HKCU\\Software\\Emu"}), 1) << target;
        EXPECT_NE(errors_.str().find("registry store"), std::string::npos) << errors_.str();
    }
    EXPECT_EQ(lock_inode(), inode);
    EXPECT_EQ(std::filesystem::file_size(lock), 0u);
    EXPECT_EQ(kvtest::read_file(temporary), "a write in progress");
    EXPECT_FALSE(std::filesystem::exists(folder / ".HKEY_CURRENT_USER.reg.0123456789abcdef.tmp"));

    // Names that only look alike are ordinary export files.
    for (const std::string name : {"HKEY_CURRENT_USER.reg.bak", ".HKEY_CURRENT_USER.reg.0123456789abcdeg.tmp",
                                   "HKEY_CURRENT_USER.reg.lock.reg"}) {
        EXPECT_EQ(run({"/E", "/A", (folder / name).string(), "HKCU\\Software\\Emu"}), 0)
            << name << errors_.str();
    }
}

TEST_F(Regedit, KeysUnderOtherRootsArePassedOverWithANote) {
    auto file = write_reg("mixed.reg",
                          "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\X]\r\n\"a\"=\"1\"\r\n"
                          "[HKEY_CURRENT_USER\\Software\\X]\r\n\"a\"=\"2\"\r\n");
    ASSERT_EQ(run({"/S", file.string()}), 0);
    EXPECT_NE(errors_.str().find("HKEY_LOCAL_MACHINE\\Software\\X is not under HKEY_CURRENT_USER"),
              std::string::npos)
        << errors_.str();
    EXPECT_EQ(store_.snapshot()->find({"Software", "X"})->value("a")->data, "2");
    EXPECT_EQ(store_.snapshot()->children().size(), 1u);
}

TEST_F(Regedit, AHundredThousandLineFileImportsWhole) {
    std::string text = "REGEDIT4\r\n\r\n";
    size_t values = 0;
    for (int key = 0; values < 99000; ++key) {
        text += "[HKEY_CURRENT_USER\\Software\\Big\\Key" + std::to_string(key) + "]\r\n";
        for (int v = 0; v < 98; ++v, ++values)
            text += "\"Value" + std::to_string(v) + "\"=\"" + std::to_string(key * 1000 + v) + "\"\r\n";
        text += "\r\n";
    }
    ASSERT_GE(std::count(text.begin(), text.end(), '\n'), 100000);
    ASSERT_EQ(run({"/S", write_reg("big.reg", text).string()}), 0) << errors_.str();

    auto tree = store_.snapshot();
    const reg::Key* big = tree->find({"Software", "Big"});
    ASSERT_NE(big, nullptr);
    size_t found = 0;
    for (const auto& entry : big->children()) found += entry.second->values().size();
    EXPECT_EQ(found, values);
    EXPECT_EQ(big->child("Key1009")->value("Value97")->data, "1009097");

    auto exported = temp_ / "big-export.reg";
    ASSERT_EQ(run({"/E", exported.string(), "HKCU\\Software\\Big"}), 0);
    const std::string written = kvtest::read_file(exported);
    // The same lines, plus the exported key's own line and its blank line.
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'),
              std::count(text.begin(), text.end(), '\n') + 2);
}

// An export is a write like any other: through a link in the program folder only to a file inside
// it, and it clears what a killed export of the same file left.
TEST_F(Regedit, ExportsKeepTheRulesOfEveryWrite) {
    ASSERT_EQ(
        run({"/S", write_reg("a.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Emu]\r\n\"x\"=\"y\"\r\n")
                       .string()}),
        0)
        << errors_.str();
    const auto program = temp_ / "program";
    const kvtest::ProgramFolderScope scope(program);
    const auto profiles = program / "Configurations" / "PCSX" / "plugin_configuration";
    kvtest::write_file(temp_ / "home" / ".profile", "the user's own");
    kvtest::write_file(profiles / ".Fast.reg.0123456789abcdef.tmp", "a killed export");
    std::filesystem::create_symlink(temp_ / "home" / ".profile", profiles / "Linked.reg");

    EXPECT_EQ(run({"/E", "/A", (profiles / "Linked.reg").string(), "HKEY_CURRENT_USER\\Software\\Emu"}), 1);
    EXPECT_NE(errors_.str().find("outside the program folder"), std::string::npos) << errors_.str();
    EXPECT_EQ(kvtest::read_file(temp_ / "home" / ".profile"), "the user's own");

    ASSERT_EQ(run({"/E", "/A", (profiles / "Fast.reg").string(), "HKEY_CURRENT_USER\\Software\\Emu"}), 0)
        << errors_.str();
    EXPECT_FALSE(std::filesystem::exists(profiles / ".Fast.reg.0123456789abcdef.tmp"));
    EXPECT_NE(kvtest::read_file(profiles / "Fast.reg").find("\"x\"=\"y\""), std::string::npos);
}

}  // namespace
