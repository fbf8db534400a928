#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "platform/runtime.h"
#include "support/test_support.h"
#include "toolkit/shel_ex.h"

namespace kv::toolkit {
namespace {

// A program that writes its working folder and then each argument on a line of its own.
std::filesystem::path make_recorder(const std::filesystem::path& folder, const std::filesystem::path& out) {
    auto script = folder / "a.sh";
    kvtest::write_file(script, "#!/bin/sh\n{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > '" +
                                   out.string() + ".tmp' && mv '" + out.string() + ".tmp' '" + out.string() +
                                   "'\n");
    chmod(script.c_str(), 0755);
    return script;
}

std::string wait_for(const std::filesystem::path& file) {
    for (int i = 0; i < 500 && !std::filesystem::exists(file); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return kvtest::read_file(file);
}

TEST(ShellExecute, ACommandWithArgumentsStartsInTheGivenFolderWithItsArguments) {
    kvtest::TempFolder tmp;
    auto dir = tmp / "my emulator";
    std::filesystem::create_directories(dir);
    auto out = tmp / "out.txt";
    auto script = make_recorder(dir, out);

    int32_t r = shell_execute(script.string() + " -x y", 4, dir.string());
    EXPECT_LT(r, 32);  // not something the desktop opens as one file: the process start ran
    EXPECT_EQ(wait_for(out), dir.string() + "\n-x\ny\n");
}

TEST(ShellExecute, ABareProgramPathOpensInTheWorkingFolder) {
    kvtest::TempFolder tmp;
    auto dir = tmp / "emu";
    std::filesystem::create_directories(dir);
    auto out = tmp / "out.txt";
    auto script = make_recorder(dir, out);
    EXPECT_GE(shell_execute(script.string(), 4, dir.string()), 32);
    EXPECT_EQ(wait_for(out), dir.string() + "\n");
}

TEST(ShellExecute, NothingInACommandLineReachesAShell) {
    kvtest::TempFolder tmp;
    auto out = tmp / "out.txt";
    auto script = make_recorder(tmp.path(), out);
    shell_execute(script.string() + " a;touch pwned $(touch pwned2) \"two words\"", 4, tmp.path().string());
    EXPECT_EQ(wait_for(out), tmp.path().string() + "\na;touch\npwned\n$(touch\npwned2)\ntwo words\n");
    EXPECT_FALSE(std::filesystem::exists(tmp / "pwned"));
    EXPECT_FALSE(std::filesystem::exists(tmp / "pwned2"));
}

TEST(ShellExecute, AMissingProgramFailsToTheCaller) {
    kvtest::TempFolder tmp;
    EXPECT_THROW(shell_execute((tmp / "missing.exe").string(), 4, tmp.path().string()),
                 kv::platform::Failure);
    EXPECT_THROW(shell_execute((tmp / "missing.exe").string() + " -fast", 4, tmp.path().string()),
                 kv::platform::Failure);
}

}  // namespace
}  // namespace kv::toolkit
