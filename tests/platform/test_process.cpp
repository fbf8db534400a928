#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/process.h"
#include "platform/runtime.h"
#include "platform/text_file.h"
#include "support/test_support.h"

using namespace kv::platform;

namespace {

using Words = std::vector<std::string>;

void write_script(const std::filesystem::path& file, const std::string& body) {
    kvtest::write_file(file, "#!/bin/sh\n" + body);
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
}

// Writes its working folder, then its arguments, one per line, into "out.txt" beside itself.
const char* const recorder =
    "out=\"$(dirname \"$0\")/out.txt\"\n"
    "pwd -P > \"$out\"\n"
    "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$out\"; done\n"
    "exit 7\n";

TEST(Process, SplitsOnBlanksWithQuotesGrouping) {
    auto c = split_command_line("  prog a\t\"b c\" x\"y z\"w \"\" C:\\dir\\f.txt  ");
    EXPECT_EQ(c.program, "prog");
    EXPECT_EQ(c.arguments, (Words{"a", "b c", "xy zw", "", "C:\\dir\\f.txt"}));
    c = split_command_line("\"/opt/my games/run\" -x");
    EXPECT_EQ(c.program, "/opt/my games/run");
    EXPECT_EQ(c.arguments, Words{"-x"});
    EXPECT_THROW(split_command_line(""), Failure);
    EXPECT_THROW(split_command_line(" \t "), Failure);
    EXPECT_THROW(split_command_line("\"\" a"), Failure);
}

TEST(Process, UnquotedProgramIsTheLongestExistingPrefix) {
    kvtest::TempFolder dir;
    const std::string games = (dir / "my games").string();
    kvtest::write_file(games + "/run", "");
    kvtest::write_file(games + "/run fast", "");
    auto c = split_command_line(games + "/run fast -x");
    EXPECT_EQ(c.program, games + "/run fast");
    EXPECT_EQ(c.arguments, Words{"-x"});
    c = split_command_line(games + "/run  slow \"a b\"");
    EXPECT_EQ(c.program, games + "/run");
    EXPECT_EQ(c.arguments, (Words{"slow", "a b"}));
    c = split_command_line(games + "/run fast");  // the whole line
    EXPECT_EQ(c.program, games + "/run fast");
    EXPECT_TRUE(c.arguments.empty());
    // A prefix that is a folder does not count; without any match the first word is the program.
    c = split_command_line(games + " x");
    EXPECT_EQ(c.program, (dir / "my").string());
    EXPECT_EQ(c.arguments, (Words{"games", "x"}));
    c = split_command_line(games + "/missing");
    EXPECT_EQ(c.program, (dir / "my").string());
    EXPECT_EQ(c.arguments, Words{"games/missing"});
}

TEST(Process, StartsProgramWithArgvInWorkingFolder) {
    kvtest::TempFolder dir;
    const auto folder = dir / "with blank";
    const auto work = dir / "work place";
    std::filesystem::create_directories(work);
    write_script(folder / "a.sh", recorder);
    int pid = start_process(split_command_line((folder / "a.sh").string() + " -x y"), work);
    EXPECT_EQ(wait_for_process(pid), 7);
    EXPECT_EQ(read_lines(folder / "out.txt"), (Words{work.string(), "-x", "y"}));
}

TEST(Process, RelativeProgramMeansTheCurrentFolderNotTheWorkingOne) {
    kvtest::TempFolder dir;
    write_script(dir / "bin" / "a.sh", recorder);
    std::filesystem::create_directories(dir / "work");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    int pid = -1;
    EXPECT_NO_THROW(pid = start_process({"bin/a.sh", {}}, dir / "work"));
    std::filesystem::current_path(previous);
    if (pid > 0) {
        EXPECT_EQ(wait_for_process(pid), 7);
    }
    EXPECT_EQ(read_lines(dir / "bin" / "out.txt"), Words{(dir / "work").string()});
}

TEST(Process, NothingInTheCommandLineReachesAShell) {
    kvtest::TempFolder dir;
    write_script(dir / "a.sh", recorder);
    const std::string line = (dir / "a.sh").string() + " \"; touch hacked\" $(touch hacked) 'q' `id` $HOME *";
    int pid = start_process(split_command_line(line), dir.path());
    EXPECT_EQ(wait_for_process(pid), 7);
    EXPECT_EQ(read_lines(dir / "out.txt"), (Words{dir.path().string(), "; touch hacked", "$(touch", "hacked)",
                                                  "'q'", "`id`", "$HOME", "*"}));
    EXPECT_FALSE(std::filesystem::exists(dir / "hacked"));
}

TEST(Process, FailsClearlyWhenTheProgramCannotStart) {
    kvtest::TempFolder dir;
    kvtest::write_file(dir / "plain.sh", "#!/bin/sh\n");  // not executable
    write_script(dir / "a.sh", recorder);
    EXPECT_THROW(start_process({dir / "missing", {}}, {}), Failure);
    EXPECT_THROW(start_process({"korvalin-no-such-program", {}}, {}), Failure);
    EXPECT_THROW(start_process({dir / "plain.sh", {}}, {}), Failure);
    EXPECT_THROW(start_process({dir.path(), {}}, {}), Failure);
    try {
        start_process({dir / "a.sh", {}}, dir / "gone");
        FAIL() << "started in a missing working folder";
    } catch (const Failure& e) {
        EXPECT_NE(std::string(e.what()).find("working folder"), std::string::npos) << e.what();
    }
    EXPECT_THROW(wait_for_process(1), Failure);  // not ours
}

TEST(Process, ChildrenNobodyWaitsForAreReaped) {
    int pid = start_process({"true", {}}, {});
    const auto proc = "/proc/" + std::to_string(pid);
    for (int i = 0; i < 200 && std::filesystem::exists(proc); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(std::filesystem::exists(proc)) << "process " << pid << " left as a zombie";
}

// A stand-in xdg-open early on PATH records what the desktop was asked to open.
class DesktopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        write_script(bin / "xdg-open", recorder);
        old_path = std::getenv("PATH");
        setenv("PATH", (bin.path().string() + ":" + old_path).c_str(), 1);
    }
    void TearDown() override { setenv("PATH", old_path.c_str(), 1); }
    Words opened(int pid) {
        wait_for_process(pid);
        return read_lines(bin / "out.txt");
    }
    kvtest::TempFolder bin;
    kvtest::TempFolder work;
    std::string old_path;
};

TEST_F(DesktopTest, ExplorerMeansTheFileManager) {
    const std::string folder = "/home/me/My Games";
    EXPECT_EQ(opened(start_process(split_command_line("explorer.exe \"" + folder + "\""), work.path())),
              (Words{work.path().string(), folder}));
    EXPECT_EQ(opened(start_process({"C:\\WINDOWS\\Explorer.EXE", {"/tmp", "/e"}}, {})).at(1), "/tmp");
    EXPECT_EQ(opened(open_with_desktop("https://example.org/?a=1&b=2", work.path())),
              (Words{work.path().string(), "https://example.org/?a=1&b=2"}));
}

TEST(Process, RecognisesProgramsAndWebAddresses) {
    kvtest::TempFolder dir;
    write_script(dir / "a.sh", recorder);
    kvtest::write_file(dir / "doc.txt", "");
    EXPECT_TRUE(is_program(dir / "a.sh"));
    EXPECT_FALSE(is_program(dir / "doc.txt"));
    EXPECT_FALSE(is_program(dir.path()));
    EXPECT_FALSE(is_program(dir / "missing"));
    for (const char* web : {"http://x", "HTTPS://x", "mailto:me@x", "WWW.example.org"})
        EXPECT_TRUE(is_web_address(web)) << web;
    for (const char* other : {"wwwexample", "ftp://x", "/home/http:", "", "http"})
        EXPECT_FALSE(is_web_address(other)) << other;
}

}  // namespace
