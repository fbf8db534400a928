// The profile store on real folders: listing, blank profiles, activation and deletion.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "model/profile_store.h"
#include "platform/folder.h"
#include "platform/runtime.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using kvtest::read_file;
using kvtest::write_file;
using Names = std::vector<std::string>;
namespace model = kv::model;

const std::string blank = "Blank configuration\r\n";
const std::string ssspsx_template =
    "[Plugins]\r\nBIOS=\r\nGPU=\r\nSPU=\r\nCDR=\r\nPAD1=\r\nPAD2=\r\nMCD1=\r\nMCD2=\r\n";

// Every path under a folder with its bytes ("<folder>" for folders): what "nothing written" compares.
std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(root))
        out[fs::relative(e.path(), root).string()] = e.is_directory() ? "<folder>" : read_file(e.path());
    return out;
}

class ProfileStore : public ::testing::Test {
  protected:
    ProfileStore() {
        // The program folder sits one level down, so that an escape to its parent would show.
        program = top.path() / "program";
        for (const char* emulator : {"ePSXe", "PSXeven", "PCSX", "SSSPSX"})
            for (const char* kind : {"emulator_configuration", "plugin_configuration", "game_codes"})
                fs::create_directories(program / "Configurations" / emulator / kind);
        kv::platform::set_program_folder(program);
    }
    fs::path tree(const std::string& emulator, const std::string& kind) {
        return program / "Configurations" / emulator / kind;
    }

    kvtest::TempFolder top;
    fs::path program;
};

TEST_F(ProfileStore, ListsEveryEntryEndingInRegExactlySortedIgnoringCase) {
    const fs::path f = tree("ePSXe", "emulator_configuration");
    for (const char* name : {"A.reg", "b.REG", "c.reg.bak", "d.e.reg", "z.txt", ".reg", "Zed.reg", "b2.reg"})
        write_file(f / name, "x");
    fs::create_directories(f / "sub.reg");
    fs::create_directories(f / "folder");
    // A profile exists by its emulator file only.
    write_file(tree("ePSXe", "plugin_configuration") / "orphan.reg", "x");
    write_file(tree("ePSXe", "game_codes") / "orphan.ini", "x");
    EXPECT_EQ(model::scan_profiles("ePSXe"), (Names{"", "A", "b2", "d.e", "sub", "Zed"}));
    // Each emulator lists its own folder.
    EXPECT_EQ(model::scan_profiles("PCSX"), Names{});
}

// Folders copied from Windows keep whatever letter case they had there.
TEST_F(ProfileStore, TheTreeIsFoundInAnyLetterCase) {
    fs::rename(program / "Configurations" / "ePSXe", program / "Configurations" / "EPSXE");
    const fs::path emulator = program / "Configurations" / "EPSXE";
    fs::rename(emulator / "plugin_configuration", emulator / "Plugin_Configuration");
    write_file(emulator / "emulator_configuration" / "Old.reg", "x");
    EXPECT_EQ(model::scan_profiles("ePSXe"), Names{"Old"});
    EXPECT_EQ(model::create_blank_profile("ePSXe", "New"), Names{});
    EXPECT_EQ(read_file(emulator / "Plugin_Configuration" / "New.reg"), blank);
    EXPECT_EQ(model::scan_profiles("ePSXe"), (Names{"New", "Old"}));
}

TEST_F(ProfileStore, AMissingTreeHoldsNoProfileAndTakesNoNewOne) {
    fs::remove_all(program / "Configurations" / "PSXeven");
    EXPECT_EQ(model::scan_profiles("PSXeven"), Names{});
    const auto before = snapshot(top.path());
    model::create_blank_profile("PSXeven", "new");
    model::delete_profile("PSXeven", "new");
    model::activate_profile("PSXeven", "new", "/nowhere/", [](const fs::path&) {});
    EXPECT_EQ(snapshot(top.path()), before);

    fs::remove_all(program / "Configurations");
    EXPECT_EQ(model::scan_profiles("ePSXe"), Names{});
    model::create_blank_profile("ePSXe", "new");
    EXPECT_FALSE(fs::exists(program / "Configurations"));
}

TEST_F(ProfileStore, ABlankProfileHoldsTheBlankTextOrTheSsspsxTemplateAndReplacesANamesake) {
    model::create_blank_profile("ePSXe", "first try");
    EXPECT_EQ(read_file(tree("ePSXe", "emulator_configuration") / "first try.reg"), blank);
    EXPECT_EQ(read_file(tree("ePSXe", "plugin_configuration") / "first try.reg"), blank);

    write_file(tree("SSSPSX", "emulator_configuration") / "v1.2.reg", "[Plugins]\r\nGPU=gpu.so\r\n");
    write_file(tree("SSSPSX", "plugin_configuration") / "v1.2.reg", "REGEDIT4\r\n");
    model::create_blank_profile("SSSPSX", "v1.2");
    EXPECT_EQ(read_file(tree("SSSPSX", "emulator_configuration") / "v1.2.reg"), ssspsx_template);
    EXPECT_EQ(read_file(tree("SSSPSX", "plugin_configuration") / "v1.2.reg"), blank);
    // A name of blanks or with further dots is a name like any other.
    model::create_blank_profile("PCSX", "  ");
    EXPECT_EQ(model::scan_profiles("PCSX"), Names{"  "});
}

// A profile file that is a link out of the program folder, or that its user made read-only, is not
// replaced by a new profile of its name, and then neither is the other file: no profile is half made.
TEST_F(ProfileStore, ANewProfileLeavesLinksOutOfTheProgramFolderAndReadOnlyFilesAlone) {
    const fs::path bashrc = top.path() / "home" / ".bashrc";
    write_file(bashrc, "the user's own");
    const fs::path link = tree("ePSXe", "emulator_configuration") / "Fast.reg";
    fs::create_symlink(bashrc, link);
    EXPECT_EQ(model::create_blank_profile("ePSXe", "Fast"),
              Names{"cannot write " + link.string() + ": it is a link to " + bashrc.string() +
                    ", outside the program folder"});
    EXPECT_EQ(read_file(bashrc), "the user's own");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_FALSE(fs::exists(tree("ePSXe", "plugin_configuration") / "Fast.reg"));

    // As a user, not root, for whom permission bits count.
    const fs::path kept = tree("PSXeven", "emulator_configuration") / "Kept.reg";
    write_file(kept, "the user's settings");
    fs::permissions(top.path(), fs::perms::all);
    for (const char* kind : {"emulator_configuration", "plugin_configuration"})
        fs::permissions(tree("PSXeven", kind), fs::perms::all);
    fs::permissions(kept, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const int code = kvtest::exit_code_in_child([&] {
        if (!kvtest::give_up_root()) return 3;
        model::create_blank_profile("PSXeven", "Kept");
        return 0;
    });
    ASSERT_EQ(code, 0);
    EXPECT_EQ(read_file(kept), "the user's settings");
    EXPECT_FALSE(fs::exists(tree("PSXeven", "plugin_configuration") / "Kept.reg"));
}

// The plug-in file that cannot follow takes the emulator file back to what it was: a new name is not
// listed, a namesake keeps its settings, and the answer names the file.
TEST_F(ProfileStore, ANewProfileWhosePluginFileCannotBeWrittenIsNotMadeAtAll) {
    fs::create_directories(tree("PCSX", "plugin_configuration") / "Fresh.reg");
    fs::create_directories(tree("PCSX", "plugin_configuration") / "Kept.reg");
    write_file(tree("PCSX", "emulator_configuration") / "Kept.reg", "the user's settings");
    for (const char* name : {"Fresh", "Kept"}) {
        const fs::path plugin = tree("PCSX", "plugin_configuration") / (std::string(name) + ".reg");
        EXPECT_EQ(model::create_blank_profile("PCSX", name),
                  Names{"cannot write " + plugin.string() + ": not a regular file"});
    }
    EXPECT_EQ(model::scan_profiles("PCSX"), Names{"Kept"});
    EXPECT_EQ(read_file(tree("PCSX", "emulator_configuration") / "Kept.reg"), "the user's settings");
}

// Killed at any moment while it makes profiles (kill -9, the power lost), the program leaves none
// listed without its plug-in file; the next start clears the temporaries, and making a name again
// makes it whole.
TEST_F(ProfileStore, AKillWhileProfilesAreMadeLeavesNoneListedHalfMade) {
    std::mt19937 random(std::random_device{}());
    for (int run = 0; run < 40; ++run) {
        int made_one[2];
        ASSERT_EQ(pipe(made_one), 0);
        const pid_t maker = fork();
        ASSERT_GE(maker, 0);
        if (maker == 0) {
            for (int i = 0;; ++i) {
                model::create_blank_profile("PCSX", std::to_string(run) + "-" + std::to_string(i));
                if (i == 0 && write(made_one[1], "1", 1) != 1) _exit(1);
            }
        }
        close(made_one[1]);
        // Killed somewhere in the profiles after its first, however busy the machine is.
        char byte = 0;
        ASSERT_EQ(read(made_one[0], &byte, 1), 1);
        close(made_one[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
        ASSERT_EQ(kill(maker, SIGKILL), 0);
        ASSERT_EQ(waitpid(maker, nullptr, 0), maker);
    }
    model::remove_stale_temporaries("PCSX");
    const Names listed = model::scan_profiles("PCSX");
    ASSERT_GE(listed.size(), 40u);
    for (const std::string& name : listed)
        EXPECT_EQ(read_file(tree("PCSX", "plugin_configuration") / (name + ".reg")), blank) << name;
    for (const char* kind : {"emulator_configuration", "plugin_configuration"})
        for (const auto& entry : fs::directory_iterator(tree("PCSX", kind)))
            EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();

    // What a kill left of a name is replaced by making it again.
    write_file(tree("PCSX", "plugin_configuration") / "again.reg", "half");
    EXPECT_EQ(model::create_blank_profile("PCSX", "again"), Names{});
    EXPECT_EQ(read_file(tree("PCSX", "plugin_configuration") / "again.reg"), blank);
    EXPECT_EQ(read_file(tree("PCSX", "emulator_configuration") / "again.reg"), blank);
}

// A new SSSPSX profile starts from the emulator's own file, so that activating it (as Configure does
// first) loses nothing the user set there.
TEST_F(ProfileStore, ANewSsspsxProfileIsACopyOfTheEmulatorsIni) {
    const fs::path emulator = top.path() / "SSSPSX 1.5";
    // Bytes as they are: any line ends, a byte that is no UTF-8, a NUL.
    std::string ini = "[Plugins]\r\nBIOS=scph1001.bin\r\nGPU=gpu\xE9.so\nodd\r\n";
    ini += '\0';
    write_file(emulator / "ssspsx.INI", ini);
    model::create_blank_profile("SSSPSX", "mine", emulator.string() + "/");
    EXPECT_EQ(read_file(tree("SSSPSX", "emulator_configuration") / "mine.reg"), ini);
    EXPECT_EQ(read_file(tree("SSSPSX", "plugin_configuration") / "mine.reg"), blank);
    model::activate_profile("SSSPSX", "mine", emulator.string() + "/", nullptr);
    EXPECT_EQ(read_file(emulator / "ssspsx.INI"), ini);
    // The registry emulators' files never come from a folder.
    model::create_blank_profile("PCSX", "mine", emulator.string() + "/");
    EXPECT_EQ(read_file(tree("PCSX", "emulator_configuration") / "mine.reg"), blank);
}

TEST_F(ProfileStore, WithoutAPlainIniOfReasonableSizeANewSsspsxProfileHoldsTheTemplate) {
    const fs::path emulator = top.path() / "emu";
    fs::create_directories(emulator);
    const std::string folder = emulator.string() + "/";
    auto created = [&](const std::string& from) {
        model::create_blank_profile("SSSPSX", "new", from);
        return read_file(tree("SSSPSX", "emulator_configuration") / "new.reg");
    };
    write_file(top.path() / "SSSPSX.ini", "not this one");
    for (const char* nowhere : {"", "Unknown", "C:\\Games\\SSSPSX\\", "relative/emu/"})
        EXPECT_EQ(created(nowhere), ssspsx_template) << nowhere;
    EXPECT_EQ(created(folder), ssspsx_template);  // no SSSPSX.ini
    fs::create_directories(emulator / "SSSPSX.ini");
    EXPECT_EQ(created(folder), ssspsx_template);
    fs::remove(emulator / "SSSPSX.ini");
    ASSERT_EQ(::mkfifo((emulator / "SSSPSX.ini").c_str(), 0600), 0);
    EXPECT_EQ(created(folder), ssspsx_template);
    fs::remove(emulator / "SSSPSX.ini");
    write_file(emulator / "SSSPSX.ini", std::string(model::max_ssspsx_ini_size + 1, 'x'));
    EXPECT_EQ(created(folder), ssspsx_template);
    write_file(emulator / "SSSPSX.ini", std::string(model::max_ssspsx_ini_size, 'x'));
    EXPECT_EQ(created(folder).size(), model::max_ssspsx_ini_size);
}

// A profile still holding the blank template has no settings to make current: like a blank registry
// file, it changes nothing. Any other content replaces SSSPSX.ini (see below).
TEST_F(ProfileStore, ActivatingABlankSsspsxProfileKeepsTheEmulatorsIni) {
    const fs::path emulator = top.path() / "emu";
    write_file(emulator / "SSSPSX.ini", "[Plugins]\r\nBIOS=mine.bin\r\n");
    model::create_blank_profile("SSSPSX", "empty");
    model::activate_profile("SSSPSX", "empty", emulator.string() + "/", nullptr);
    EXPECT_EQ(read_file(emulator / "SSSPSX.ini"), "[Plugins]\r\nBIOS=mine.bin\r\n");
    // With no SSSPSX.ini, none is made from it either.
    fs::remove(emulator / "SSSPSX.ini");
    model::activate_profile("SSSPSX", "empty", emulator.string() + "/", nullptr);
    EXPECT_FALSE(fs::exists(emulator / "SSSPSX.ini"));
}

// A folder of the tree, or the emulator's SSSPSX.ini, there in two letter cases and none as named: no
// operation picks one or makes a third, and each says which ones it met.
TEST_F(ProfileStore, ANameInTwoLetterCasesIsNeitherGuessedNorAddedTo) {
    const fs::path emulator_tree = program / "Configurations" / "PCSX";
    fs::rename(tree("PCSX", "plugin_configuration"), emulator_tree / "Plugin_Configuration");
    fs::create_directories(emulator_tree / "PLUGIN_CONFIGURATION");
    write_file(tree("PCSX", "emulator_configuration") / "old.reg", "the user's settings");
    write_file(tree("PCSX", "game_codes") / "old.ini", "codes");
    const std::string told = "cannot tell which of PLUGIN_CONFIGURATION and Plugin_Configuration in " +
                             emulator_tree.string() +
                             " is plugin_configuration: their names differ only in letter case";
    const auto before = snapshot(top.path());
    EXPECT_EQ(model::create_blank_profile("PCSX", "new"), Names{told});
    EXPECT_EQ(model::delete_profile("PCSX", "old"), Names{told});
    Names imported;
    const auto import = [&](const fs::path& file) { imported.push_back(file.filename().string()); };
    EXPECT_EQ(model::activate_profile("PCSX", "old", "", import), Names{told});
    // The emulator file, which can be told, is still imported.
    EXPECT_EQ(imported, Names{"old.reg"});
    EXPECT_EQ(snapshot(top.path()), before);

    fs::rename(tree("PCSX", "emulator_configuration"), emulator_tree / "EMULATOR_configuration");
    fs::create_directories(emulator_tree / "Emulator_Configuration");
    EXPECT_THROW(model::scan_profiles("PCSX"), kv::platform::AmbiguousName);

    const fs::path emulator = top.path() / "emu";
    write_file(emulator / "ssspsx.ini", "one");
    write_file(emulator / "SSSPSX.INI", "two");
    const fs::path profile = tree("SSSPSX", "emulator_configuration") / "p.reg";
    write_file(profile, "[Plugins]\r\nGPU=gpu.so\r\n");
    EXPECT_EQ(model::activate_profile("SSSPSX", "p", emulator.string() + "/", nullptr),
              Names{"cannot copy " + profile.string() + " over " + emulator.string() +
                    "/SSSPSX.ini: " + "cannot tell which of SSSPSX.INI and ssspsx.ini in " +
                    emulator.string() + "/ is SSSPSX.ini: their names differ only in letter case"});
    // Neither is taken for a new profile's start, nor stood in for by the template: no profile.
    const auto before_new = snapshot(top.path());
    EXPECT_EQ(model::create_blank_profile("SSSPSX", "q", emulator.string() + "/"),
              Names{"cannot copy " + emulator.string() + "/SSSPSX.ini into " +
                    (tree("SSSPSX", "emulator_configuration") / "q.reg").string() +
                    ": cannot tell which of SSSPSX.INI and ssspsx.ini in " + emulator.string() +
                    "/ is SSSPSX.ini: their names differ only in letter case"});
    EXPECT_EQ(snapshot(top.path()), before_new);
    EXPECT_EQ(read_file(emulator / "ssspsx.ini"), "one");
    EXPECT_EQ(read_file(emulator / "SSSPSX.INI"), "two");
    EXPECT_FALSE(fs::exists(emulator / "SSSPSX.ini"));
}

// SSSPSX.ini is the emulator's file: an emulator kept on another disk and reached through a link in
// the program folder has it written where its folder really is. The profile files, which are the
// program's, still stay inside the program folder.
TEST_F(ProfileStore, SsspsxActivationReachesAnEmulatorFolderThroughALink) {
    const fs::path disk = top.path() / "other disk" / "sss";
    write_file(disk / "SSSPSX.ini", "old");
    const fs::path linked = program / "sss";
    fs::create_directory_symlink(disk, linked);
    write_file(tree("SSSPSX", "emulator_configuration") / "p.reg", "[Plugins]\r\nGPU=gpu.so\r\n");
    EXPECT_EQ(model::activate_profile("SSSPSX", "p", linked.string() + "/", nullptr), Names{});
    EXPECT_EQ(read_file(disk / "SSSPSX.ini"), "[Plugins]\r\nGPU=gpu.so\r\n");
    EXPECT_TRUE(fs::is_symlink(linked));
}

TEST_F(ProfileStore, ANameThatIsNoFileNameWritesNothingAnywhere) {
    fs::create_directories(top.path() / "x");
    const auto before = snapshot(top.path());
    for (const std::string& name :
         {std::string("../../x"), std::string("../../../x"), std::string("a/b"), std::string("..\\..\\x"),
          std::string("a\\b"), std::string("a\0b", 3), std::string("/tmp/abs")}) {
        EXPECT_FALSE(model::is_file_name(name)) << name;
        model::create_blank_profile("ePSXe", name);
        model::create_blank_profile("SSSPSX", name);
        model::delete_profile("ePSXe", name);
    }
    // A name too long for the file system fails at each file and leaves nothing behind.
    model::create_blank_profile("ePSXe", std::string(300, 'n'));
    EXPECT_EQ(snapshot(top.path()), before);
    EXPECT_TRUE(model::is_file_name("a.b..c"));
}

TEST_F(ProfileStore, DotNamesAreFileNamesOnceTheirExtensionIsAdded) {
    // "..reg" and "...reg" stay in their folder, and the list shows them: they must be usable.
    model::create_blank_profile("ePSXe", ".");
    model::create_blank_profile("ePSXe", "..");
    EXPECT_TRUE(fs::exists(tree("ePSXe", "emulator_configuration") / "..reg"));
    EXPECT_TRUE(fs::exists(tree("ePSXe", "plugin_configuration") / "...reg"));
    EXPECT_EQ(model::scan_profiles("ePSXe"), (Names{"..", "."}));
    write_file(tree("ePSXe", "game_codes") / "..ini", "x");
    model::delete_profile("ePSXe", ".");
    model::delete_profile("ePSXe", "..");
    EXPECT_EQ(model::scan_profiles("ePSXe"), Names{});
    EXPECT_FALSE(fs::exists(tree("ePSXe", "plugin_configuration") / "..reg"));
    EXPECT_FALSE(fs::exists(tree("ePSXe", "game_codes") / "..ini"));
    EXPECT_TRUE(fs::is_directory(tree("ePSXe", "game_codes")));
    // The emulator names a folder by itself and stays strict.
    EXPECT_EQ(model::scan_profiles(".."), Names{});
}

TEST_F(ProfileStore, DeleteRemovesTheThreeFilesOfThatProfileOnly) {
    for (const char* name : {"keep", "gone"}) {
        write_file(tree("PCSX", "emulator_configuration") / (std::string(name) + ".reg"), "x");
        write_file(tree("PCSX", "plugin_configuration") / (std::string(name) + ".reg"), "x");
        write_file(tree("PCSX", "game_codes") / (std::string(name) + ".ini"), "x");
    }
    write_file(tree("PCSX", "game_codes") / "gone.reg", "not the game codes");
    model::delete_profile("PCSX", "gone");
    EXPECT_EQ(model::scan_profiles("PCSX"), Names{"keep"});
    EXPECT_FALSE(fs::exists(tree("PCSX", "plugin_configuration") / "gone.reg"));
    EXPECT_FALSE(fs::exists(tree("PCSX", "game_codes") / "gone.ini"));
    EXPECT_TRUE(fs::exists(tree("PCSX", "game_codes") / "gone.reg"));
    EXPECT_TRUE(fs::exists(tree("PCSX", "plugin_configuration") / "keep.reg"));
    EXPECT_TRUE(fs::exists(tree("PCSX", "game_codes") / "keep.ini"));

    // Missing files are skipped and the rest still go.
    write_file(tree("PCSX", "game_codes") / "half.ini", "x");
    model::delete_profile("PCSX", "half");
    EXPECT_FALSE(fs::exists(tree("PCSX", "game_codes") / "half.ini"));

    // A folder listed as a profile is no file: it stays, with what it holds.
    write_file(tree("PCSX", "emulator_configuration") / "dir.reg" / "inside", "x");
    model::delete_profile("PCSX", "dir");
    EXPECT_TRUE(fs::exists(tree("PCSX", "emulator_configuration") / "dir.reg" / "inside"));
}

TEST_F(ProfileStore, ActivationImportsThePluginFileThenTheEmulatorFileAndGoesOnPastAFailure) {
    Names imported;
    auto import = [&](const fs::path& file) {
        imported.push_back(fs::relative(file, program).string());
        throw kv::platform::Failure("the registry editor did not run");
    };
    const Names failures = model::activate_profile("PSXeven", "p q", "/emulators/psxeven/", import);
    EXPECT_EQ(imported, (Names{"Configurations/PSXeven/plugin_configuration/p q.reg",
                               "Configurations/PSXeven/emulator_configuration/p q.reg"}));
    // Each failure names its file; one that already does is told as it is.
    EXPECT_EQ(
        failures,
        (Names{"cannot import " + (program / imported[0]).string() + ": the registry editor did not run",
               "cannot import " + (program / imported[1]).string() + ": the registry editor did not run"}));
    const auto told = [](const fs::path& file) {
        throw kv::platform::Failure("cannot import " + file.string() + ": bad");
    };
    EXPECT_EQ(model::activate_profile("PSXeven", "p q", "", told)[0],
              "cannot import " + tree("PSXeven", "plugin_configuration").string() + "/p q.reg: bad");
}

TEST_F(ProfileStore, AFileStillBlankIsNotImportedAndNeedsNoMessage) {
    // A new profile no Ok has saved into: nothing to import, nothing failed.
    model::create_blank_profile("ePSXe", "new");
    Names imported;
    auto import = [&](const fs::path& file) {
        imported.push_back(file.parent_path().filename().string());
        throw kv::platform::Failure("not a registry file");
    };
    EXPECT_EQ(model::activate_profile("ePSXe", "new", "", import), Names{});
    EXPECT_EQ(imported, Names{});

    // Its emulator file saved, its plug-in file still blank (the plug-in key did not exist yet).
    write_file(tree("ePSXe", "emulator_configuration") / "new.reg", "REGEDIT4\r\n");
    EXPECT_EQ(model::activate_profile("ePSXe", "new", "", import).size(), 1u);
    EXPECT_EQ(imported, Names{"emulator_configuration"});

    // Only the exact blank file counts: anything more, a missing file or a folder is imported, and
    // its failure told.
    imported.clear();
    write_file(tree("ePSXe", "plugin_configuration") / "new.reg", "Blank configuration\r\n[HKCU\\x]\r\n");
    fs::remove(tree("ePSXe", "emulator_configuration") / "new.reg");
    EXPECT_EQ(model::activate_profile("ePSXe", "new", "", import).size(), 2u);
    EXPECT_EQ(imported, (Names{"plugin_configuration", "emulator_configuration"}));
}

TEST_F(ProfileStore, SsspsxActivationReplacesItsIniByteForByte) {
    const fs::path emulator = top.path() / "SSSPSX 1.5";
    write_file(emulator / "SSSPSX.ini", "old settings\r\n");
    const std::string profile_bytes = std::string("[Plugins]\r\nGPU=gpu\xE9.so\nodd\r\r\n\0tail", 33);
    write_file(tree("SSSPSX", "emulator_configuration") / "fast.reg", profile_bytes);
    Names imported;
    auto import = [&](const fs::path& file) { imported.push_back(file.filename().string()); };
    model::activate_profile("SSSPSX", "fast", emulator.string() + "/", import);
    EXPECT_EQ(read_file(emulator / "SSSPSX.ini"), profile_bytes);
    // Only the plug-in file goes to the registry.
    EXPECT_EQ(imported, Names{"fast.reg"});
    EXPECT_EQ(read_file(tree("SSSPSX", "emulator_configuration") / "fast.reg"), profile_bytes);

    // The file the emulator has, whatever its letter case, is the one replaced.
    fs::remove(emulator / "SSSPSX.ini");
    write_file(emulator / "ssspsx.INI", "old");
    model::activate_profile("SSSPSX", "fast", emulator.string() + "/", nullptr);
    EXPECT_EQ(read_file(emulator / "ssspsx.INI"), profile_bytes);
    EXPECT_FALSE(fs::exists(emulator / "SSSPSX.ini"));
}

TEST_F(ProfileStore, SsspsxActivationThatCannotCopyLeavesEveryIniAsItWas) {
    const fs::path emulator = top.path() / "emu";
    write_file(emulator / "SSSPSX.ini", "old settings\r\n");
    fs::create_directories(tree("SSSPSX", "emulator_configuration") / "folder.reg");
    write_file(tree("SSSPSX", "emulator_configuration") / "good.reg", "new");
    const auto before = snapshot(top.path());
    // A missing profile file, a folder listed as a profile, a folder that is gone.
    EXPECT_EQ(model::activate_profile("SSSPSX", "missing", emulator.string() + "/", nullptr), Names{});
    EXPECT_EQ(model::activate_profile("SSSPSX", "folder", emulator.string() + "/", nullptr), Names{});
    // A folder that is gone: the copy fails, and says so.
    const Names failures =
        model::activate_profile("SSSPSX", "good", (top.path() / "gone").string() + "/", nullptr);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(
        failures[0].find("cannot copy " + (tree("SSSPSX", "emulator_configuration") / "good.reg").string() +
                         " over " + (top.path() / "gone" / "SSSPSX.ini").string() + ": cannot write "),
        0u)
        << failures[0];
    // Folders that are no place on this system: nothing lands at the root or beside the program.
    for (const char* folder : {"", "Unknown", "C:\\Games\\SSSPSX\\", "relative/emu/"})
        EXPECT_EQ(model::activate_profile("SSSPSX", "good", folder, nullptr), Names{});
    EXPECT_EQ(snapshot(top.path()), before);
    EXPECT_FALSE(fs::exists(fs::current_path() / "SSSPSX.ini"));
}

// A profile larger than the memory there is fails that copy like an unreadable one.
TEST_F(ProfileStore, SsspsxProfileTooLargeForTheMemoryThereIsLeavesTheIniAsItWas) {
    if (!kvtest::address_space_can_be_limited)
        GTEST_SKIP() << "no address space limit under AddressSanitizer";
    const fs::path emulator = top.path() / "emu";
    write_file(emulator / "SSSPSX.ini", "old settings\r\n");
    const fs::path profile = tree("SSSPSX", "emulator_configuration") / "huge.reg";
    write_file(profile, "[x]\r\n");
    fs::resize_file(profile, 512 << 20);
    EXPECT_EQ(kvtest::exit_code_in_child([&] {
                  if (!kvtest::limit_address_space(64 << 20)) return 2;
                  const Names failures =
                      model::activate_profile("SSSPSX", "huge", emulator.string() + "/", nullptr);
                  if (failures.size() != 1) return 3;
                  return failures[0] == "cannot copy " + profile.string() + " over " +
                                            (emulator / "SSSPSX.ini").string() + ": cannot read " +
                                            profile.string() + ": not enough memory to read it"
                             ? 0
                             : 4;
              }),
              0);
    EXPECT_EQ(read_file(emulator / "SSSPSX.ini"), "old settings\r\n");
}

}  // namespace
