#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "model/registry_bridge.h"
#include "platform/folder.h"
#include "platform/process.h"
#include "support/test_support.h"

using kv::model::export_registry_key;
using kv::model::import_registry_file;
using kv::model::registry_value;
using kv::model::run_registry_editor;

namespace {

// A UTF-16 registry file that ends in the middle of a character.
std::string utf16le_cut() {
    std::string bytes = "\xFF\xFE";
    for (char c : std::string("Windows Registry Editor Version 5.00\r\n[HKCU\\A]\r\n")) {
        bytes += c;
        bytes += '\0';
    }
    return bytes.substr(0, bytes.size() - 1);
}

// Each test gets an empty store of its own and the built program folder, which holds korvalin-regedit.
class RegistryBridge : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* previous = std::getenv("KORVALIN_REGISTRY");
        previous_store_ = previous ? previous : "";
        store_ = temp_ / "config" / "HKEY_CURRENT_USER.reg";
        ::setenv("KORVALIN_REGISTRY", store_.c_str(), 1);
        kv::platform::set_program_folder(KORVALIN_PROGRAM_DIR);
    }
    void TearDown() override {
        ::setenv("KORVALIN_REGISTRY", previous_store_.c_str(), 1);
        kv::platform::set_program_folder(KORVALIN_PROGRAM_DIR);
    }

    std::filesystem::path write_reg(const std::string& name, const std::string& body) {
        auto file = temp_ / name;
        kvtest::write_file(file, body);
        return file;
    }

    kvtest::TempFolder temp_;
    std::filesystem::path store_;
    std::string previous_store_;
};

TEST_F(RegistryBridge, WritesCreateKeysAndReadsFollowTheNamingRules) {
    EXPECT_EQ(registry_value("HKEY_CURRENT_USER\\Software\\epsxe\\config\\BiosName", "NOinfo", 1), "");
    EXPECT_FALSE(std::filesystem::exists(store_)) << "a read must not make a store";

    EXPECT_EQ(registry_value("HKEY_CURRENT_USER\\Software\\epsxe\\config\\BiosName", "scph1001.bin", 2), "");
    // Root written both ways, key and value names in another letter case.
    EXPECT_EQ(registry_value("HKCU\\software\\EPSXE\\Config\\biosname", "NOinfo", 1), "scph1001.bin");
    EXPECT_EQ(registry_value("hkey_current_user\\Software\\epsxe\\config\\BIOSNAME", "NOinfo", 1),
              "scph1001.bin");

    // Overwriting keeps the first spelling; an empty text is stored as a value of its own.
    registry_value("HKCU\\Software\\epsxe\\config\\BIOSNAME", "other.bin", 2);
    registry_value("HKCU\\Software\\epsxe\\config\\Empty", "", 2);
    std::string stored = kvtest::read_file(store_);
    EXPECT_NE(stored.find("[HKEY_CURRENT_USER\\Software\\epsxe\\config]\r\n"
                          "\"BiosName\"=\"other.bin\"\r\n\"Empty\"=\"\"\r\n"),
              std::string::npos)
        << stored;

    // Another mode does nothing; other roots are not kept.
    EXPECT_EQ(registry_value("HKCU\\Software\\epsxe\\config\\BiosName", "x", 3), "");
    EXPECT_EQ(registry_value("HKEY_LOCAL_MACHINE\\Software\\x\\y", "x", 2), "");
    EXPECT_EQ(kvtest::read_file(store_), stored);
    EXPECT_EQ(registry_value("HKCU\\Software\\epsxe\\config\\BiosName", "NOinfo", 1), "other.bin");
}

TEST_F(RegistryBridge, ImportIsFinishedWhenItReturnsAndTypesReadAsText) {
    auto file = write_reg("values.reg",
                          "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Pcsx]\r\n"
                          "\"Bios\"=\"scph \\\"7502\\\".bin\"\r\n"
                          "\"Path\"=hex(2):25,48,4f,4d,45,25,00\r\n"
                          "\"Negative\"=dword:ffffffff\r\n"
                          "\"Number\"=dword:0000002a\r\n"
                          "\"Blob\"=hex:01,02\r\n"
                          "\"List\"=hex(7):61,00,62,00,00\r\n\r\n");
    ASSERT_TRUE(import_registry_file(file.string()));
    EXPECT_EQ(registry_value("HKCU\\Software\\Pcsx\\Bios", "NOinfo", 1), "scph \"7502\".bin");
    EXPECT_EQ(registry_value("HKCU\\Software\\Pcsx\\Path", "NOinfo", 1), "%HOME%");
    EXPECT_EQ(registry_value("HKCU\\Software\\Pcsx\\Negative", "NOinfo", 1), "-1");
    EXPECT_EQ(registry_value("HKCU\\Software\\Pcsx\\Number", "NOinfo", 1), "42");
    EXPECT_EQ(registry_value("HKCU\\Software\\Pcsx\\Blob", "NOinfo", 1), "");
    EXPECT_EQ(registry_value("HKCU\\Software\\Pcsx\\List", "NOinfo", 1), "");
    EXPECT_EQ(registry_value("HKCU\\Software\\Pcsx\\Missing", "NOinfo", 1), "");

    // A second import right after changes what the next read sees.
    auto change = write_reg(
        "change.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Pcsx]\r\n\"Bios\"=\"new.bin\"\r\n");
    ASSERT_TRUE(import_registry_file(change.string()));
    EXPECT_EQ(registry_value("HKCU\\Software\\Pcsx\\Bios", "NOinfo", 1), "new.bin");
}

TEST_F(RegistryBridge, ProfilePathsWithBlanksQuotesAndDollarsArriveWhole) {
    registry_value("HKCU\\Software\\Vision Thing\\PSEmu Pro\\GPU", "gpu \"fast\".so", 2);
    auto folder = temp_ / "Configurations $HOME" / "my \"best\" profile";
    std::filesystem::create_directories(folder);
    auto file = folder / "it's $(echo) \"one\".reg";
    ASSERT_TRUE(export_registry_key(file.string(), "HKEY_CURRENT_USER\\Software\\Vision Thing\\PSEmu Pro"));
    EXPECT_EQ(kvtest::read_file(file),
              "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Vision Thing\\PSEmu Pro]\r\n"
              "\"GPU\"=\"gpu \\\"fast\\\".so\"\r\n\r\n");

    registry_value("HKCU\\Software\\Vision Thing\\PSEmu Pro\\GPU", "changed", 2);
    ASSERT_TRUE(import_registry_file(file.string()));
    EXPECT_EQ(registry_value("HKCU\\Software\\Vision Thing\\PSEmu Pro\\GPU", "NOinfo", 1), "gpu \"fast\".so");
}

TEST_F(RegistryBridge, FailedImportsAndExportsChangeNothing) {
    registry_value("HKCU\\Software\\epsxe\\config\\BiosName", "keep.bin", 2);
    const std::string stored = kvtest::read_file(store_);

    auto blank = write_reg("blank.reg", "Blank configuration\r\n");
    EXPECT_FALSE(import_registry_file(blank.string()));
    EXPECT_EQ(import_registry_file((temp_ / "missing.reg").string()).failure,
              "cannot import " + (temp_ / "missing.reg").string() + ": no such file");
    EXPECT_EQ(kvtest::read_file(store_), stored);

    auto profile = write_reg("profile.reg", "Blank configuration\r\n");
    // A key that does not exist is nothing to export, and no failure: not a word, and the file keeps
    // what it held (plug-ins that keep their settings elsewhere never create theirs).
    testing::internal::CaptureStderr();
    EXPECT_TRUE(export_registry_key(profile.string(), "HKCU\\Software\\NoSuchKey"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(kvtest::read_file(profile), "Blank configuration\r\n");
    // A file that cannot be written is a failure, said in the editor's own words, which also still
    // reach standard error.
    testing::internal::CaptureStderr();
    const auto run = export_registry_key((temp_ / "no folder" / "p.reg").string(), "HKCU\\Software\\epsxe");
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(run);
    EXPECT_FALSE(run.no_such_key);
    EXPECT_NE(run.failure.find("no folder"), std::string::npos) << run.failure;
    EXPECT_EQ(log, "korvalin-regedit: " + run.failure + "\n");
    EXPECT_EQ(kvtest::read_file(store_), stored);
}

// The editor knows the program folder as the folder it stands in: an export into a profile folder that
// is a link to a folder elsewhere writes nothing there.
TEST_F(RegistryBridge, AnExportIntoAProfileFolderLinkedOutOfTheProgramFolderWritesNothingThere) {
    const auto program = temp_ / "program";
    std::filesystem::create_directories(program / "Configurations" / "ePSXe");
    std::filesystem::copy_file(std::filesystem::path(KORVALIN_PROGRAM_DIR) / "korvalin-regedit",
                               program / "korvalin-regedit");
    kv::platform::set_program_folder(program);
    kvtest::write_file(temp_ / "home" / "Fast.reg", "the user's own");
    std::filesystem::create_directory_symlink(
        temp_ / "home", program / "Configurations" / "ePSXe" / "emulator_configuration");
    registry_value("HKCU\\Software\\epsxe\\config\\BiosName", "scph1001.bin", 2);
    const auto file = program / "Configurations" / "ePSXe" / "emulator_configuration" / "Fast.reg";
    testing::internal::CaptureStderr();
    const auto run = export_registry_key(file.string(), "HKEY_CURRENT_USER\\Software\\epsxe");
    testing::internal::GetCapturedStderr();
    EXPECT_NE(run.failure.find("outside the program folder"), std::string::npos) << run.failure;
    EXPECT_EQ(kvtest::read_file(temp_ / "home" / "Fast.reg"), "the user's own");
}

TEST_F(RegistryBridge, AnUnreadableStoreIsNeverReplaced) {
    kvtest::write_file(store_, "this is what the user had\n");
    EXPECT_EQ(registry_value("HKCU\\Software\\epsxe\\config\\BiosName", "NOinfo", 1), "");
    EXPECT_EQ(registry_value("HKCU\\Software\\epsxe\\config\\BiosName", "x.bin", 2), "");
    auto file =
        write_reg("values.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\x]\r\n\"a\"=\"b\"\r\n");
    EXPECT_FALSE(import_registry_file(file.string()));
    // Nor is a store that cannot be read taken for one without the key.
    EXPECT_FALSE(export_registry_key((temp_ / "out.reg").string(), "HKCU\\Software\\epsxe"));
    EXPECT_EQ(kvtest::read_file(store_), "this is what the user had\n");

    std::filesystem::remove(store_);
    std::filesystem::create_directories(store_);
    EXPECT_EQ(registry_value("HKCU\\Software\\epsxe\\config\\BiosName", "x.bin", 2), "");
    EXPECT_FALSE(import_registry_file(file.string()));
    EXPECT_TRUE(std::filesystem::is_directory(store_));
}

TEST_F(RegistryBridge, TwentyImportsAtOnceAllLand) {
    std::vector<std::filesystem::path> files;
    for (int i = 0; i < 20; ++i)
        files.push_back(write_reg("import" + std::to_string(i) + ".reg",
                                  "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Key" + std::to_string(i) +
                                      "]\r\n\"Value\"=\"" + std::to_string(i) + "\"\r\n\r\n"));
    std::vector<std::thread> threads;
    std::vector<char> results(files.size(), 0);
    for (size_t i = 0; i < files.size(); ++i)
        threads.emplace_back([&, i] { results[i] = import_registry_file(files[i].string()) ? 1 : 0; });
    for (auto& thread : threads) thread.join();
    for (size_t i = 0; i < files.size(); ++i) {
        EXPECT_TRUE(results[i]) << i;
        EXPECT_EQ(registry_value("HKCU\\Software\\Key" + std::to_string(i) + "\\Value", "NOinfo", 1),
                  std::to_string(i));
    }
}

// Stand-in editors in a program folder of their own.
class FakeEditor : public RegistryBridge {
  protected:
    void install(const std::string& script) {
        auto editor = temp_ / "program" / "korvalin-regedit";
        kvtest::write_file(editor, "#!/bin/sh\n" + script);
        ::chmod(editor.c_str(), 0755);
        kv::platform::set_program_folder(temp_ / "program");
    }
};

TEST_F(FakeEditor, EachArgumentArrivesAsOneWordInTheProgramFolder) {
    install("pwd > args.txt\nfor a in \"$@\"; do printf '<%s>\\n' \"$a\" >> args.txt; done\n");
    ASSERT_TRUE(export_registry_key("/tmp/a \"b\" $HOME.reg", "HKEY_CURRENT_USER\\Software\\x y"));
    auto expected = std::filesystem::canonical(temp_ / "program").string() +
                    "\n</E>\n</A>\n</tmp/a \"b\" $HOME.reg>\n<HKEY_CURRENT_USER\\Software\\x y>\n";
    EXPECT_EQ(kvtest::read_file(temp_ / "program" / "args.txt"), expected);
}

TEST_F(FakeEditor, AFailingOrHangingEditorCountsAsFailedAndSaysWhy) {
    install("exit 1\n");
    EXPECT_EQ(import_registry_file("/tmp/x.reg").failure, "korvalin-regedit failed (exit status 1)");

    // The last line is the reason; a note before it and the editor's name are not.
    install(
        "echo 'korvalin-regedit: a note' >&2\nprintf 'korvalin-regedit: the store is full\\r\\n\\n' "
        ">&2\nexit 1\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(import_registry_file("/tmp/x.reg").failure, "the store is full");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("korvalin-regedit: a note\n"), std::string::npos);

    // Only the first 64 KB of a flood are kept, and the editor is never held up writing them.
    install("head -c 1000000 /dev/zero | tr '\\0' x >&2\nexit 3\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(import_registry_file("/tmp/x.reg").failure.size(), kv::platform::max_kept_errors);
    testing::internal::GetCapturedStderr();

    install("exec sleep 30\n");
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(run_registry_editor({"/S", "x.reg"}, std::chrono::milliseconds(300)).failure,
              "korvalin-regedit did not finish within 300 ms and was stopped");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));

    kv::platform::set_program_folder(temp_ / "nowhere");
    EXPECT_NE(import_registry_file("/tmp/x.reg").failure.find("does not exist"), std::string::npos);
}

}  // namespace

namespace {

TEST_F(RegistryBridge, TheEditorUsesTheSameStoreWhenItIsNamedRelatively) {
    const auto previous_folder = std::filesystem::current_path();
    std::filesystem::current_path(temp_.path());
    ::setenv("KORVALIN_REGISTRY", "relative/HKEY_CURRENT_USER.reg", 1);
    auto file = write_reg("values.reg", "REGEDIT4\r\n[HKCU\\Software\\Rel]\r\n\"v\"=\"imported\"\r\n");
    const bool imported = static_cast<bool>(import_registry_file(file.string()));
    const std::string read = registry_value("HKCU\\Software\\Rel\\v", "NOinfo", 1);
    std::filesystem::current_path(previous_folder);
    EXPECT_TRUE(imported);
    EXPECT_EQ(read, "imported");
    EXPECT_TRUE(std::filesystem::exists(temp_ / "relative" / "HKEY_CURRENT_USER.reg"));
}

TEST_F(RegistryBridge, BinaryAndTruncatedFilesFailInTheEditorAndChangeNothing) {
    registry_value("HKCU\\Software\\epsxe\\config\\BiosName", "keep.bin", 2);
    const std::string stored = kvtest::read_file(store_);
    std::string binary;
    for (int i = 0; i < 70000; ++i) binary += static_cast<char>((i * 7919) >> 3);
    const std::string valid =
        "REGEDIT4\r\n[HKCU\\Software\\epsxe\\config]\r\n\"BiosName\"=hex:01,\\\r\n 02\r\n";
    for (const std::string& bytes : {binary, "REGEDIT4\r\n" + binary, valid.substr(0, valid.size() - 6),
                                     valid.substr(0, 50), utf16le_cut()}) {
        EXPECT_FALSE(import_registry_file(write_reg("bad.reg", bytes).string()));
        EXPECT_EQ(kvtest::read_file(store_), stored);
    }
}

}  // namespace
