// Closing and ending from outside: the session is saved, and a save that fails is never silent.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "app/program.h"
#include "launcher/edit_form.h"
#include "launcher/hide_form.h"
#include "launcher/main_form_fixture.h"
#include "launcher/switches_form.h"
#include "platform/instance.h"
#include "platform/runtime.h"
#include "platform/text_file.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

using kvtest::catalogue_file;
using kvtest::Lines;
using ClosingTest = kvtest::MainFormFixture;

TEST_F(ClosingTest, FailedSaveIsToldAndTheWindowStaysThenTheNextCloseEnds) {
    // Both names are links to files that are gone: the saves fail, the links stay.
    std::filesystem::create_symlink("gone/Data.kvl", folder / "Data.kvl");
    std::filesystem::create_symlink("gone/Config.ini", folder / "Config.ini");
    Main_form& main = start();
    main.add_new_emulator("A|/a/|a", "A|");
    then_read_message();
    testing::internal::CaptureStderr();
    EXPECT_NO_THROW(main.X_image_Click());
    const std::string log = testing::internal::GetCapturedStderr();
    ASSERT_EQ(read_messages.size(), 1u);
    const std::string& message = read_messages[0];
    for (const char* part : {"could not be saved", "Data.kvl: it is a link to a missing file",
                             "Config.ini: it is a link to a missing file", "Close again"})
        EXPECT_NE(message.find(part), std::string::npos) << part << " in " << message;
    EXPECT_EQ(toolkit::form<messages_form>().owner(), &main);
    EXPECT_EQ(toolkit::form<messages_form>().message_image.top(), -720);
    EXPECT_NE(log.find("korvalin: cannot write " + (folder / "Data.kvl").string()), std::string::npos) << log;
    EXPECT_TRUE(main.visible());

    // The problem mended in between: the second close saves and ends.
    kvtest::write_file(folder / "gone" / "Data.kvl", "");
    kvtest::write_file(folder / "gone" / "Config.ini", "");
    EXPECT_THROW(main.X_image_Click(), forms::ProgramEnded);
    EXPECT_EQ(kvtest::read_file(folder / "gone" / "Data.kvl"), catalogue_file({"A|/a/|a"}, {"A|"}));
    EXPECT_NE(kvtest::read_file(folder / "gone" / "Config.ini"), "");
    EXPECT_EQ(read_messages.size(), 1u);
    EXPECT_TRUE(display.system_messages().empty());
}

// Data.kvl and Config.ini too large for the memory there is are kept as files that cannot be read:
// the program starts, and the close leaves them as they are and says why.
TEST_F(ClosingTest, FilesTooLargeForTheMemoryThereIsAreKeptAndTheCloseSaysSo) {
    if (!kvtest::address_space_can_be_limited)
        GTEST_SKIP() << "no address space limit under AddressSanitizer";
    for (const char* name : {"Data.kvl", "Config.ini"}) {
        kvtest::write_file(folder / name, "[PSX]\r\n");
        std::filesystem::resize_file(folder / name, 512 << 20);
    }
    EXPECT_EQ(
        kvtest::exit_code_in_child([&] {
            if (!kvtest::limit_address_space(128 << 20)) return 2;
            Main_form& main = start();
            main.add_new_emulator("A|/a/|a", "A|");
            then_read_message();
            main.X_image_Click();
            if (read_messages.size() != 1) return 3;
            for (const char* name : {"Data.kvl", "Config.ini"}) {
                const std::string file = (folder / name).string();
                if (read_messages[0].find("kept " + file +
                                          " unchanged, as it could not be read at start: " + "cannot read " +
                                          file + ": not enough memory to read it") == std::string::npos)
                    return 4;
            }
            return 0;
        }),
        0);
    for (const char* name : {"Data.kvl", "Config.ini"})
        EXPECT_EQ(std::filesystem::file_size(folder / name), 512u << 20) << name;
}

// Data.kvl and Config.ini each there in two letter cases and none as named: start-up reads neither
// and says so, naming the files; the close keeps them as files it could not read and writes no third.
TEST_F(ClosingTest, NamesInTwoLetterCasesAreToldAtStartAndKeptAtTheClose) {
    const std::string mine = catalogue_file({"Mine|/m/|m"}, {"Mine|"}),
                      other = catalogue_file({"Other|/o/|o"});
    kvtest::write_file(folder / "data.kvl", mine);
    kvtest::write_file(folder / "DATA.KVL", other);
    kvtest::write_file(folder / "config.ini", "Main Window X (Twips) = 1\r\n");
    kvtest::write_file(folder / "CONFIG.INI", "Main Window X (Twips) = 2\r\n");
    const std::string in = " in " + folder.path().string() + " is ";
    const std::string differ = ": their names differ only in letter case";
    const std::string data_why = "cannot tell which of DATA.KVL and data.kvl" + in + "Data.kvl" + differ;
    const std::string config_why =
        "cannot tell which of CONFIG.INI and config.ini" + in + "Config.ini" + differ;
    then_read_message();
    testing::internal::CaptureStderr();
    Main_form& main = start();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("korvalin: Data.kvl was not read"),
              std::string::npos);
    ASSERT_EQ(read_messages.size(), 1u);
    EXPECT_EQ(read_messages[0],
              "Some of the program's files were not read; they are kept as they are:\n"
              "Data.kvl was not read, so the emulator list starts empty: " +
                  data_why + "\nConfig.ini was not read, so the settings start as they are by default: " +
                  config_why + "\nKeep one of each name, then start the program again.");
    EXPECT_EQ(toolkit::form<messages_form>().owner(), &main);
    EXPECT_TRUE(main.catalogue.section(0).empty());

    main.add_new_emulator("New|/n/|n", "New|");
    then_read_message();
    main.X_image_Click();
    ASSERT_EQ(read_messages.size(), 2u);
    for (const auto& [name, why] : {std::pair{"Data.kvl", data_why}, std::pair{"Config.ini", config_why}})
        EXPECT_NE(read_messages[1].find("kept " + (folder / name).string() +
                                        " unchanged, as it could not be read at start: " + why),
                  std::string::npos)
            << read_messages[1];
    EXPECT_THROW(main.X_image_Click(), forms::ProgramEnded);
    EXPECT_EQ(kvtest::read_file(folder / "data.kvl"), mine);
    EXPECT_EQ(kvtest::read_file(folder / "DATA.KVL"), other);
    EXPECT_EQ(kvtest::read_file(folder / "config.ini"), "Main Window X (Twips) = 1\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "Data.kvl"));
    EXPECT_FALSE(std::filesystem::exists(folder / "Config.ini"));
}

// The skin and the language the settings name, each there in two letter cases: neither is guessed,
// and start-up tells them with the catalogue it did not read, which the close, nothing changed,
// keeps without a word.
TEST_F(ClosingTest, AmbiguousSkinLanguageAndCatalogueAreToldOnceAtStart) {
    Lines config = kvtest::default_config_lines();
    config[4] = "Skin = blue";
    config[5] = "Language = english";
    for (const char* skin : {"Blue", "BLUE"}) kvtest::write_file(folder / "Skins" / skin / "Config.ini", "");
    for (const char* language : {"English.ini", "ENGLISH.ini"})
        kvtest::write_file(folder / "Languages" / language, "");
    kvtest::write_file(folder / "data.kvl", catalogue_file({}));
    kvtest::write_file(folder / "DATA.KVL", catalogue_file({}));
    kvtest::write_file(folder / "Config.ini", kvtest::crlf(config));
    then_read_message();
    testing::internal::CaptureStderr();
    Main_form& main = start();
    testing::internal::GetCapturedStderr();
    ASSERT_EQ(read_messages.size(), 1u);
    const std::string differ = ": their names differ only in letter case";
    for (const std::string& line :
         {"\nData.kvl was not read, so the emulator list starts empty: cannot tell which of DATA.KVL and "
          "data.kvl in " +
              folder.path().string() + " is Data.kvl" + differ + "\n",
          "\nThe skin \"blue\" was not loaded: cannot tell which of BLUE and Blue in " +
              (folder / "Skins").string() + " is blue" + differ + "\n",
          "\nThe language \"english\" was not applied: cannot tell which of ENGLISH.ini and English.ini in " +
              (folder / "Languages").string() + " is english.ini" + differ + "\n"})
        EXPECT_NE(read_messages[0].find(line), std::string::npos) << line << " in " << read_messages[0];
    EXPECT_THROW(main.X_image_Click(), forms::ProgramEnded);
    EXPECT_EQ(read_messages.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(folder / "Data.kvl"));
}

TEST_F(ClosingTest, SecondCloseEndsEvenWhenTheSaveFailsAgain) {
    std::filesystem::create_symlink("gone/Config.ini", folder / "Config.ini");
    Main_form& main = start(catalogue_file({"A|/a/|a"}));
    then_read_message();
    main.X_image_Click();
    ASSERT_EQ(read_messages.size(), 1u);
    // Only the file that failed is named.
    EXPECT_EQ(read_messages[0].find("Data.kvl"), std::string::npos);
    // The second close tells no one but the log.
    testing::internal::CaptureStderr();
    EXPECT_THROW(main.X_image_Click(), forms::ProgramEnded);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("korvalin: not saved: cannot write"),
              std::string::npos);
    EXPECT_EQ(read_messages.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "Config.ini"));
}

TEST_F(ClosingTest, EndAfterARunIsACloseToo) {
    std::filesystem::create_symlink("gone/Data.kvl", folder / "Data.kvl");
    Main_form& main = start();
    main.set_launcher_state(1);
    main.add_new_emulator("A|/bin/|true", "A|");
    main.emulator_list.row_MouseDown(1, {});
    then_read_message();
    main.run_emulator("_disabled_");
    EXPECT_EQ(read_messages.size(), 1u);
    EXPECT_TRUE(main.visible());
    EXPECT_THROW(main.run_emulator("_disabled_"), forms::ProgramEnded);
}

TEST_F(ClosingTest, EndingFromOutsideTellsTheLogWhatWasNotSavedAndShowsNothing) {
    std::filesystem::create_symlink("Data.kvl", folder / "Data.kvl");
    Main_form& main = start();
    main.add_new_emulator("A|/a/|a", "A|");
    testing::internal::CaptureStderr();
    // No message box may open: with no input queued it would end the test with an error.
    EXPECT_THROW(app::end_session(), forms::ProgramEnded);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("korvalin: not saved: kept " + (folder / "Data.kvl").string() + " unchanged"),
              std::string::npos)
        << log;
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "Data.kvl"));
}

// A full disk, made with a file size limit so that it holds for root too; in a child to keep the limit.
TEST_F(ClosingTest, FullDiskIsToldToo) {
    Main_form& main = start(catalogue_file({}));
    for (int i = 0; i < 200; ++i) main.add_new_emulator("Emulator " + std::to_string(i) + "|/e/|e", "x|");
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{1024, 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        then_read_message();
        main.X_image_Click();
        const bool told = read_messages.size() == 1 &&
                          read_messages[0].find("Data.kvl: File too large") != std::string::npos;
        _exit(told ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(kvtest::read_file(folder / "Data.kvl"), catalogue_file({}));
}

TEST_F(ClosingTest, EndingFromOutsidePutsBackWhatTheSwitchesEditorHoldsAndSaves) {
    Main_form& main = start(catalogue_file({"A|/a/|a"}, {}, {"A|-a||||"}));
    then([&] {
        toolkit::form<switches_form>().Text3.set_text("-typed but not confirmed");
        EXPECT_EQ(main.catalogue.switches_list, Lines{});
        app::end_session();
    });
    EXPECT_THROW(main.open_switches_form(), forms::ProgramEnded);
    EXPECT_EQ(kvtest::read_file(folder / "Data.kvl"), catalogue_file({"A|/a/|a"}, {}, {"A|-a||||"}));
    EXPECT_TRUE(display.system_messages().empty());
}

TEST_F(ClosingTest, EndingFromOutsidePutsBackWhatTheEditDialogHolds) {
    Main_form& main = start(catalogue_file({"A|/a/|a"}, {"A|about"}, {"A|-a||||"}));
    then([&] {
        toolkit::form<edit_form>().Text1.set_text("Renamed");
        app::end_session();
    });
    EXPECT_THROW(main.open_edit_form(), forms::ProgramEnded);
    EXPECT_EQ(kvtest::read_file(folder / "Data.kvl"), catalogue_file({"A|/a/|a"}, {"A|about"}, {"A|-a||||"}));
}

TEST_F(ClosingTest, EndingFromOutsideWhileHiddenStoresThePlaceTheWindowSlidesBackTo) {
    auto config = kvtest::default_config_lines();
    config[2] = "Main Window X (Twips) = 4500";
    config[3] = "Main Window Y (Twips) = 1500";
    for (int ticks : {3, 200}) {  // sliding out, then hidden
        Main_form& main = start(config);
        main.hide_image_Click();
        display.advance(10 * ticks);
        EXPECT_EQ(toolkit::form<hide_form>().visible(), ticks == 200);
        EXPECT_THROW(app::end_session(), forms::ProgramEnded);
        const Lines saved = kv::platform::split_lines(kvtest::read_file(folder / "Config.ini"));
        ASSERT_GE(saved.size(), 4u);
        EXPECT_EQ(saved[2], "Main Window X (Twips) = 4500") << ticks;
        EXPECT_EQ(saved[3], "Main Window Y (Twips) = 1500") << ticks;
        toolkit::reset_forms();
    }
}

TEST_F(ClosingTest, EndingFromOutsideBeforeStartUpWritesNothing) {
    EXPECT_THROW(app::end_session(), forms::ProgramEnded);
    EXPECT_FALSE(std::filesystem::exists(folder / "Data.kvl"));
    EXPECT_FALSE(std::filesystem::exists(folder / "Config.ini"));
}

TEST_F(ClosingTest, TheLockHolderRemovesStaleTemporariesOfItsSavesAtStart) {
    // Its own files, and the profiles of new profiles, editors' Ok and exports killed halfway.
    const Lines stale = {".Data.kvl.00112233445566ff.tmp", ".Config.ini.a0b1c2d3e4f5a6b7.tmp",
                         "Configurations/ePSXe/emulator_configuration/.Fast.reg.00112233445566ff.tmp",
                         "Configurations/SSSPSX/plugin_configuration/.new.reg.a0b1c2d3e4f5a6b7.tmp"};
    for (const auto& name : stale) kvtest::write_file(folder / name, "half");
    const Lines kept = {".Other.ini.00112233445566ff.tmp",
                        "Configurations/PCSX/game_codes/.a.ini.00112233445566ff.tmp",
                        "Configurations/PCSX/emulator_configuration/.a.txt.00112233445566ff.tmp"};
    for (const auto& name : kept) kvtest::write_file(folder / name, "not ours");
    start(catalogue_file({}));
    for (const auto& name : stale) EXPECT_FALSE(std::filesystem::exists(folder / name)) << name;
    for (const auto& name : kept) EXPECT_TRUE(std::filesystem::exists(folder / name)) << name;
}

// An SSSPSX Activate or editor Ok killed halfway leaves its temporary beside the emulator's SSSPSX.ini,
// where nothing else would remove it: the start sweeps the folder of every SSSPSX entry, for the file
// in whatever letter case or through whatever link it was written, and takes nothing else.
TEST_F(ClosingTest, TheLockHolderRemovesStaleTemporariesBesideTheSsspsxIniOfEachEntryAtStart) {
    const std::filesystem::path emus = folder / "emus";
    kvtest::write_file(emus / "one" / "SSSPSX.ini", "ini");
    kvtest::write_file(emus / "shared" / "settings.ini", "ini");
    std::filesystem::create_directories(emus / "two");
    std::filesystem::create_symlink(emus / "shared" / "settings.ini", emus / "two" / "SSSPSX.ini");
    const Lines stale = {"one/.SSSPSX.ini.00112233445566ff.tmp", "one/.ssspsx.INI.a0b1c2d3e4f5a6b7.tmp",
                         "two/.SSSPSX.ini.0123456789abcdef.tmp", "shared/.settings.ini.00112233445566ff.tmp"};
    for (const auto& name : stale) kvtest::write_file(emus / name, "half");
    const Lines kept = {"one/.SSSPSX.ini.00112233445566FF.tmp",  "one/.SSSPSX.ini.0011.tmp",
                        "one/SSSPSX.ini.00112233445566ff.tmp",   "one/.SSSPSX.ini.00112233445566ff.tmp~",
                        "one/.Other.ini.00112233445566ff.tmp",   "shared/.other.ini.00112233445566ff.tmp",
                        "epsxe/.SSSPSX.ini.00112233445566ff.tmp"};
    for (const auto& name : kept) kvtest::write_file(emus / name, "not ours");
    // A write under way holds its temporary locked.
    const std::filesystem::path in_progress = emus / "one" / ".SSSPSX.ini.ffeeddccbbaa9988.tmp";
    kvtest::write_file(in_progress, "being written");
    const int writer = ::open(in_progress.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::flock(writer, LOCK_EX), 0);
    // A folder that is gone, or written for another system, is passed over.
    start(catalogue_file({"ePSXe|" + (emus / "epsxe").string() + "/|e",
                          "SSSPSX 1.5|" + (emus / "one").string() + "/|s",
                          "SSSPSX two|" + (emus / "two").string() + "|s",
                          "SSSPSX gone|" + (emus / "gone").string() + "/|s", "SSSPSX win|C:\\SSSPSX\\|s"}));
    ::close(writer);
    for (const auto& name : stale) EXPECT_FALSE(std::filesystem::exists(emus / name)) << name;
    for (const auto& name : kept) EXPECT_TRUE(std::filesystem::exists(emus / name)) << name;
    EXPECT_TRUE(std::filesystem::exists(in_progress));
    EXPECT_EQ(kvtest::read_file(emus / "one" / "SSSPSX.ini"), "ini");
    EXPECT_EQ(kvtest::read_file(emus / "shared" / "settings.ini"), "ini");
    EXPECT_FALSE(std::filesystem::exists(emus / "gone"));
    EXPECT_TRUE(display.system_messages().empty());
}

TEST_F(ClosingTest, ASecondInstanceLeavesTheTemporariesAlone) {
    kv::platform::InstanceLock holder(folder.path());
    ASSERT_TRUE(holder.acquired());
    kvtest::write_file(folder / ".Data.kvl.00112233445566ff.tmp", "a save in progress");
    EXPECT_THROW(start(catalogue_file({})), forms::ProgramEnded);
    EXPECT_TRUE(std::filesystem::exists(folder / ".Data.kvl.00112233445566ff.tmp"));
}

}  // namespace
}  // namespace kv
