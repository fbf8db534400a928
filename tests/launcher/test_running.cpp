// Running the selected emulator: plainly, with a switch, its folder, the path override and what
// follows a start. The emulators are shell scripts that write down where and with what they ran.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <thread>

#include "launcher/main_form_fixture.h"
#include "platform/text_file.h"

namespace kv {
namespace {

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

// Writes its working folder and then each argument on a line of its own into ran.txt beside itself.
constexpr const char* emulator_script =
    "#!/bin/sh\n"
    "out=\"$(dirname \"$0\")\"\n"
    "{ pwd -P; for a in \"$@\"; do echo \"$a\"; done; } > \"$out/ran.tmp\" && mv \"$out/ran.tmp\" "
    "\"$out/ran.txt\"\n";

void make_executable(const fs::path& file, const std::string& text) {
    kvtest::write_file(file, text);
    fs::permissions(file, fs::perms::owner_exec, fs::perm_options::add);
}

// What the process wrote, once it has; empty when nothing came within the time.
Lines wait_for(const fs::path& file, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < until) {
        if (fs::exists(file)) return kv::platform::read_lines(file);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return {};
}

class RunningTest : public kvtest::MainFormFixture {
  protected:
    // An emulator folder (absolute, ending with '/') holding the script.
    std::string emulator(const std::string& name) {
        const fs::path dir = folder / name;
        make_executable(dir / "emu.sh", emulator_script);
        return fs::canonical(dir).string() + "/";
    }
    // A stand-in for the desktop's opener, first on PATH until the test ends; it writes each
    // argument on a line of its own into opened.txt.
    void put_opener_on_path() {
        const fs::path bin = folder / "bin";
        make_executable(bin / "xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" +
                                              (folder / "opened.tmp").string() + "\" && mv \"" +
                                              (folder / "opened.tmp").string() + "\" \"" +
                                              (folder / "opened.txt").string() + "\"\n");
        old_path_ = std::getenv("PATH") ? std::getenv("PATH") : "";
        setenv("PATH", (bin.string() + ":" + *old_path_).c_str(), 1);
    }
    void TearDown() override {
        if (old_path_) setenv("PATH", old_path_->c_str(), 1);
        kvtest::MainFormFixture::TearDown();
    }
    Main_form& start_with(const Lines& psx) {
        std::vector<std::pair<int, std::string>> records;
        for (const auto& r : psx) records.emplace_back(0, r);
        kvtest::write_file(folder / "Data.kvl", kvtest::catalogue_with(records));
        return start();
    }

  private:
    std::optional<std::string> old_path_;
};

TEST_F(RunningTest, PlainRunAndSwitchRunStartInTheEmulatorsFolder) {
    const std::string dir = emulator("my emus");
    Main_form& main = start_with({"Emu|" + dir + "|emu.sh"});
    const std::string here = dir.substr(0, dir.size() - 1);

    main.command_Click(4);
    EXPECT_EQ(wait_for(dir + "ran.txt"), Lines{here});
    fs::remove(dir + "ran.txt");

    // A switch of two words arrives as two arguments, in the emulator's folder as well.
    main.run_emulator(" -fullscreen two");
    EXPECT_EQ(wait_for(dir + "ran.txt"), (Lines{here, "-fullscreen", "two"}));
    fs::remove(dir + "ran.txt");

    // Ctrl+R reaches the first command button, which holds the keyboard.
    main.deliver_key_press(18);
    EXPECT_EQ(wait_for(dir + "ran.txt"), Lines{here});
    fs::remove(dir + "ran.txt");

    main.emulator_list.click_label(1).on_dbl_click();
    EXPECT_EQ(wait_for(dir + "ran.txt"), Lines{here});
}

TEST_F(RunningTest, TheFirstOfTwoEqualNamesRuns) {
    const std::string first = emulator("first");
    const std::string second = emulator("second");
    Main_form& main = start_with({"Same|" + first + "|emu.sh", "Same|" + second + "|emu.sh"});
    main.emulator_list.row_MouseDown(2, {});
    main.run_emulator("_disabled_");
    EXPECT_FALSE(wait_for(first + "ran.txt").empty());
    EXPECT_FALSE(fs::exists(second + "ran.txt"));
}

TEST_F(RunningTest, AfterRunBehaviourFollowsOnlyAStartThatSucceeded) {
    const std::string dir = emulator("emu");
    Main_form& main =
        start_with({"Emu|" + dir + "|emu.sh", "Lost|Unknown|Unknown", "Gone|" + dir + "|missing.sh"});
    main.set_launcher_state(1);
    for (int row : {2, 3}) {
        main.emulator_list.row_MouseDown(row, {});
        EXPECT_NO_THROW(main.run_emulator("_disabled_"));
        EXPECT_NO_THROW(main.run_emulator("_browse_")) << "Unknown folder";
        main.emulator_list.row_MouseDown(1, {});
    }
    EXPECT_FALSE(fs::exists(folder / "Config.ini"));

    main.set_launcher_state(2);
    main.run_emulator("_disabled_");
    EXPECT_EQ(main.window_state(), forms::WindowState::minimized);
    EXPECT_FALSE(wait_for(dir + "ran.txt").empty());

    main.set_launcher_state(1);
    EXPECT_THROW(main.run_emulator("_disabled_"), forms::ProgramEnded);
    EXPECT_TRUE(fs::exists(folder / "Data.kvl"));
    EXPECT_EQ(kv::platform::read_lines(folder / "Config.ini").at(8), "Launcher state = 1");
}

TEST_F(RunningTest, BrowseOpensTheFolderAndNothingFollows) {
    put_opener_on_path();
    const std::string dir = emulator("a b");
    Main_form& main = start_with({"Emu|" + dir + "|emu.sh"});
    main.set_launcher_state(1);
    EXPECT_NO_THROW(main.command_Click(3));
    EXPECT_EQ(wait_for(folder / "opened.txt"), Lines{dir});
    EXPECT_FALSE(fs::exists(dir + "ran.txt"));
}

// A double quote in the folder: the emulator's file is the program whole, only the switch is split,
// and Browse hands the folder over whole.
TEST_F(RunningTest, AFolderHoldingADoubleQuoteRunsWithASwitchAndBrowses) {
    put_opener_on_path();
    const std::string dir = emulator("the \"best\" emus");
    const std::string here = dir.substr(0, dir.size() - 1);
    Main_form& main = start_with({"Emu|" + dir + "|emu.sh"});
    main.run_emulator(" -fast \"two words\"");
    EXPECT_EQ(wait_for(dir + "ran.txt"), (Lines{here, "-fast", "two words"}));
    main.command_Click(3);
    EXPECT_EQ(wait_for(folder / "opened.txt"), Lines{dir});
}

TEST_F(RunningTest, PathOverrideRunsFromTheLaunchersVolume) {
    const std::string dir = emulator("emu");
    // The same folder as it was stored on another volume.
    Main_form& main = start_with({"Emu|/mnt/OLDSTICK" + dir + "|emu.sh"});
    main.run_emulator("_disabled_");
    EXPECT_TRUE(wait_for(dir + "ran.txt", std::chrono::milliseconds(300)).empty());
    main.path_override = true;
    main.run_emulator("_disabled_");
    EXPECT_EQ(wait_for(dir + "ran.txt"), Lines{dir.substr(0, dir.size() - 1)});
}

TEST_F(RunningTest, EachCommandButtonAndShortcutDoesItsOwnThing) {
    Main_form& main = start_with({"A|/nowhere/|a", "B|/nowhere/|b", "C|/nowhere/|c", "D|/nowhere/|d",
                                  "E|/nowhere/|e", "F|/nowhere/|f"});
    // Closes whatever dialog opened over the main window and notes which one it was.
    std::vector<std::string> opened;
    display.set_input_source([&] {
        for (forms::Form* f : toolkit::created_forms())
            if (f != &main && f->modal() && f->visible()) {
                opened.push_back(f->name());
                f->hide();
                return true;
            }
        return false;
    });
    // What follows an action: the dialog it opened, "deleted" when a row went, or nothing.
    auto outcome = [&](const std::function<void()>& action) {
        opened.clear();
        const std::size_t rows = main.display_list.size();
        action();
        if (main.display_list.size() != rows) opened.push_back("deleted");
        return opened;
    };

    const std::vector<Lines> by_button{
        {"add_new"},      {"deleted"},      {"edit_form"}, {}, {}, {"switches_form"}, {"skin_browser"},
        {"options_form"}, {"configs_form"}, {"about_form"}};
    for (std::size_t i = 0; i < by_button.size(); ++i)
        EXPECT_EQ(outcome([&] { main.command_click_labels[i]->on_click(); }), by_button[i]) << "button " << i;

    const std::vector<std::pair<int16_t, Lines>> by_key{{14, {"add_new"}},
                                                        {4, {"deleted"}},
                                                        {5, {"edit_form"}},
                                                        {18, {}},
                                                        {2, {}},
                                                        {23, {"switches_form"}},
                                                        {19, {"skin_browser"}},
                                                        {15, {"options_form"}},
                                                        {3, {"configs_form"}},
                                                        {8, {}},
                                                        {1, {}},
                                                        {'r', {}},
                                                        {13, {}}};
    for (const auto& [code, expected] : by_key) {
        int16_t key = code;
        EXPECT_EQ(outcome([&] { main.Picture16_KeyPress(key); }), expected) << "key " << code;
        EXPECT_EQ(key, code);
    }
    // Keys reach the first command button whatever was pressed last.
    for (forms::Control* pressed : {static_cast<forms::Control*>(main.section_click_labels[0]),
                                    static_cast<forms::Control*>(&main.emulator_list.click_label(1)),
                                    static_cast<forms::Control*>(main.command_click_labels[9])}) {
        const float x = pressed->form_x() + 10, y = pressed->form_y() + 10;
        main.deliver_mouse_down(x, y, forms::left_button, 0);
        main.deliver_mouse_up(x, y, forms::left_button, 0);
    }
    EXPECT_EQ(outcome([&] { main.deliver_key_press(15); }), Lines{"options_form"});
}

}  // namespace
}  // namespace kv
