// The helper process itself: kept between questions, replaced after a crash, and never outliving the
// launcher or leaving behind what a plug-in forked off.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <set>
#include <string>
#include <thread>

#include "model/plugin_fixture.h"
#include "model/plugins_module.h"
#include "plugin_client/plugin_library.h"

using namespace kv::plugin_client;

using kvtest::PluginTest;
using namespace std::chrono_literals;

namespace {

// Processes whose parents end come to the test, so that it can tell when they end in turn.
class AdoptingTest : public kvtest::PluginTest {
  protected:
    AdoptingTest() { prctl(PR_SET_CHILD_SUBREAPER, 1); }
    ~AdoptingTest() override { prctl(PR_SET_CHILD_SUBREAPER, 0); }

    // The process ids written into a file, one a line, once it holds at least count of them.
    static std::vector<pid_t> pids_in(const std::filesystem::path& file, size_t count = 1) {
        for (int i = 0; i < 1000; ++i) {
            std::vector<pid_t> pids;
            std::error_code ec;
            if (std::filesystem::exists(file, ec)) {
                const std::string text = kvtest::read_file(file);
                for (size_t at = 0; at < text.size(); at = text.find('\n', at) + 1)
                    pids.push_back(std::stoi(text.substr(at)));
                if (pids.size() >= count) return pids;
            }
            std::this_thread::sleep_for(10ms);
        }
        ADD_FAILURE() << "nothing written into " << file;
        return {};
    }

    // Whether a child (born or adopted) ended within the time, reaped here when it did.
    static bool ends_within(pid_t pid, std::chrono::milliseconds limit) {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < until) {
            int status = 0;
            const pid_t r = waitpid(pid, &status, WNOHANG);
            if (r == pid || (r < 0 && errno == ECHILD && kill(pid, 0) != 0)) return true;
            std::this_thread::sleep_for(10ms);
        }
        return false;
    }
};

}  // namespace

TEST_F(PluginTest, AHelperServesQuestionsUntilAPluginTakesItDown) {
    PluginHost host;
    const std::string a = put("gpuAlpha.so"), b = put("spuBeta.SO"), crash = put("gpuCrashName.so");
    EXPECT_EQ(host.ask(PluginCall::number, a, "PSEgetLibType", 5s).reply.value, 2);
    EXPECT_EQ(host.ask(PluginCall::number, b, "PSEgetLibType", 5s).reply.value, 4);
    EXPECT_EQ(host.starts(), 1);
    EXPECT_EQ(host.answered(), 2);
    EXPECT_EQ(host.ask(PluginCall::text, crash, "PSEgetLibName", 5s).outcome, PluginOutcome::crashed);
    EXPECT_EQ(host.pid(), 0);
    EXPECT_EQ(host.ask(PluginCall::number, b, "PSEgetLibVersion", 5s).reply.value, 0x00010203);
    EXPECT_EQ(host.starts(), 2);
    // How the helper ended is told as the plug-in ended it: an abort is SIGABRT.
    const PluginAnswer aborted = host.ask(PluginCall::number, put("gpuAbortType.so"), "PSEgetLibType", 5s);
    EXPECT_EQ(aborted.outcome, PluginOutcome::crashed);
    ASSERT_TRUE(aborted.helper_exit);
    EXPECT_TRUE(aborted.helper_exit->signalled);
    EXPECT_EQ(aborted.helper_exit->number, SIGABRT);
    EXPECT_EQ(describe(*aborted.helper_exit), "ended by signal 6 (" + std::string(strsignal(SIGABRT)) + ")");
}

TEST_F(AdoptingTest, WhatAPluginForksNeitherHidesALaterCrashNorOutlivesTheHelper) {
    const std::string fork = put("gpuFork.so"), crash = put("gpuCrashName.so");
    PluginHost host;
    const auto named = host.ask(PluginCall::text, fork, "PSEgetLibName", 5s);
    EXPECT_EQ(named.reply.text, "Fork");
    const std::vector<pid_t> forked = pids_in(fork + ".children");
    ASSERT_EQ(forked.size(), 1u);
    // The forked child keeps the helper's socket open: the crash is told by the helper's process
    // ending, not by the socket closing.
    EXPECT_EQ(host.ask(PluginCall::text, crash, "PSEgetLibName", 5s).outcome, PluginOutcome::crashed);
    EXPECT_TRUE(ends_within(forked[0], 5s));
}

// A test or a scan: what the plug-in started ends with it, also a process that left the helper's
// session, directly or through a double fork whose middle exited. Such a process holds the helper's
// standard output and error, which are the launcher's.
TEST_F(AdoptingTest, WhatATestOrAScanStartedEndsWhereverItWent) {
    const std::string escape = put("gpuEscape.so"), double_fork = put("gpuDoubleFork.so");
    for (const auto& lib : {escape, double_fork}) {
        SCOPED_TRACE(lib);
        EXPECT_EQ(kv::model::call_plugin_test(lib, "GPUtest"), 0);
        const std::vector<pid_t> tested = pids_in(lib + ".children");
        ASSERT_EQ(tested.size(), 1u);
        EXPECT_TRUE(ends_within(tested[0], 500ms)) << "the test's process " << tested[0] << " lives on";
    }
    const auto facts = kv::model::ask_plugin_libraries({escape, double_fork});
    for (const auto& lib : {escape, double_fork}) {
        const std::vector<pid_t> started = pids_in(lib + ".children", 2);
        ASSERT_EQ(started.size(), 2u) << lib;
        EXPECT_TRUE(ends_within(started[1], 500ms)) << "the scan's process " << started[1] << " lives on";
    }
    ASSERT_TRUE(facts[0] && facts[1]);
    EXPECT_EQ(facts[1]->name.substr(0, 11), "Double Fork");
}

// The launcher, in a child of the test: it leaves a forked child in its helper, and one that left the
// helper's session in another, then waits on a plug-in's dialog that never closes (or on a scan of
// hanging plug-ins) until it is killed.
TEST_F(AdoptingTest, HelpersAndWhatTheirPluginsForkedEndWithTheLauncher) {
    const std::string fork = put("gpuFork.so"), hang = put("gpuHangCalls.so"), escape = put("gpuEscape.so");
    const std::string scan_a = put("gpuHangName.so", "gpuHangA.so"),
                      scan_b = put("gpuHangName.so", "gpuHangB.so");
    for (const int signal : {SIGTERM, SIGKILL}) {
        for (const bool scanning : {false, true}) {
            SCOPED_TRACE(std::string(strsignal(signal)) + (scanning ? ", scanning" : ", configuring"));
            std::filesystem::remove(fork + ".children");
            std::filesystem::remove(escape + ".children");
            for (const auto& lib : {hang, scan_a, scan_b}) std::filesystem::remove(lib + ".marker");
            const pid_t launcher = ::fork();
            ASSERT_GE(launcher, 0);
            if (launcher == 0) {
                PluginHost host, escaped;
                host.ask(PluginCall::text, fork, "PSEgetLibName", 5s);
                escaped.ask(PluginCall::text, escape, "PSEgetLibName", 5s);
                if (scanning)
                    kv::model::ask_plugin_libraries({scan_a, scan_b});
                else
                    host.ask(PluginCall::effect, hang, "GPUconfigure", std::nullopt);
                _exit(0);
            }
            std::vector<pid_t> left = pids_in(fork + ".children");
            left.push_back(pids_in(escape + ".children").at(0));
            for (const auto& lib : scanning ? std::vector{scan_a, scan_b} : std::vector{hang})
                for (pid_t helper : pids_in(lib + ".marker")) left.push_back(helper);
            // A scan asks with helpers of its own; the one that asked the forking plug-in waits too.
            ASSERT_EQ(left.size(), scanning ? 4u : 3u);
            ASSERT_EQ(kill(launcher, signal), 0);
            ASSERT_TRUE(ends_within(launcher, 10s));
            for (pid_t pid : left)
                EXPECT_TRUE(ends_within(pid, 10s)) << "process " << pid << " outlived the launcher";
        }
    }
}

// Real plug-ins start their configure and about windows as programs of their own, found in the working
// folder, and return at once; a test may start one too. The test runs in another folder than the
// plug-ins, as a launcher started from a desktop does.
TEST_F(AdoptingTest, WhatAnAnsweredConfigureStartedLivesOnWhatATestCrashStopOrScanStartedDoesNot) {
    const std::string setup = put("gpuSetup.so"), crash = put("gpuSetupCrash.so"),
                      hang = put("gpuSetupHang.so"), fork = put("gpuFork.so");
    std::filesystem::copy_file(kvtest::built_plugin("cfgMarker"), folder / "cfgMarker");
    ASSERT_NE(std::filesystem::current_path(), folder.path());
    // The helper started with a signal ignored, as a launcher that starts it by other means may: its
    // keeper still gives what the plug-in starts every signal at its default.
    const std::filesystem::path ignoring = folder / "ignoring-host";
    kvtest::write_file(ignoring,
                       "#!/bin/sh\ntrap '' USR2\nexec '" + plugin_host_program().string() + "' \"$@\"\n");
    std::filesystem::permissions(ignoring, std::filesystem::perms::owner_all);
    set_plugin_host_program(ignoring);
    const auto begun = std::chrono::steady_clock::now();
    EXPECT_EQ(kv::model::call_plugin_function(setup, "GPUconfigure"), "");
    EXPECT_EQ(kv::model::call_plugin_function(setup, "GPUabout"), "");
    // Not waited for (the setup program stays 3 s), and the helpers are gone and reaped. The bound
    // leaves a sanitized build on a busy machine its slow starts.
    EXPECT_LT(std::chrono::steady_clock::now() - begun, 2500ms);
    for (pid_t helper : pids_in(setup + ".marker", 2)) EXPECT_NE(kill(helper, 0), 0) << helper;
    const std::vector<pid_t> windows = pids_in(setup + ".children", 2);

    // A test has no window to keep: what it started ends with its helper, though it answered.
    EXPECT_EQ(kv::model::call_plugin_test(setup, "GPUtest"), 0);
    const std::vector<pid_t> tested = pids_in(setup + ".children", 3);
    ASSERT_EQ(tested.size(), 3u);
    EXPECT_TRUE(ends_within(tested[2], 500ms)) << "the test's child outlived it";

    // Crashing, stopped by the user or answering a scan: what the plug-in started ends with its helper.
    EXPECT_EQ(kv::model::call_plugin_function(crash, "GPUconfigure"), "");
    display.press_during_wait();
    const auto once_started = [&] { return !pids_in(hang + ".children").empty(); };
    EXPECT_EQ(kv::model::call_plugin_function(hang, "GPUabout", once_started), "");
    ASSERT_TRUE(kv::model::ask_plugin_libraries({fork})[0]);
    for (const auto& lib : {crash, hang, fork}) {
        const std::vector<pid_t> started = pids_in(lib + ".children");
        ASSERT_EQ(started.size(), 1u) << lib;
        EXPECT_TRUE(ends_within(started[0], 500ms)) << lib;
    }

    for (pid_t pid : windows) EXPECT_TRUE(ends_within(pid, 5s)) << "process " << pid << " never ended";
    const std::string marks = kvtest::read_file(folder / "cfgMarker.mark");
    const std::string in = " " + folder.path().string() + "\n";
    EXPECT_TRUE(marks == "configure" + in + "about" + in || marks == "about" + in + "configure" + in)
        << marks;

    // Every program a plug-in started has each signal at its default and none blocked, as a program
    // started from a desktop: one ignored stays ignored through exec, and no shell can take it back.
    const std::string signals = kvtest::read_file(folder / "cfgMarker.signals");
    const std::string none = " 0000000000000000 0000000000000000";
    std::set<std::string> started_for;
    for (size_t at = 0; at < signals.size(); at = signals.find('\n', at) + 1) {
        const std::string line = signals.substr(at, signals.find('\n', at) - at);
        started_for.insert(line.substr(0, line.find(' ')));
        EXPECT_TRUE(line.ends_with(none)) << line;
    }
    EXPECT_TRUE(started_for.count("configure") && started_for.count("about")) << signals;
}

// A plug-in may write to the terminal the launcher runs in, change its settings and read it, while the
// helper's process group stands in that terminal's background: that must not stop the helper (there,
// writing with tostop set and changing the settings give SIGTTOU, reading gives SIGTTIN).
TEST_F(PluginTest, APluginUsingTheLaunchersTerminalDoesNotStopItsHelper) {
    const std::string terminal = put("gpuTerminal.so");
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const std::string pty = ptsname(master);
    // The launcher, in a child of the test: it leads a session of its own whose controlling terminal is
    // the pty, stands in its foreground and gives the helper the terminal as its standard output.
    const int code = kvtest::exit_code_in_child([&] {
        if (setsid() < 0) return 10;
        const int tty = open(pty.c_str(), O_RDWR | O_NOCTTY);
        if (tty < 0 || ioctl(tty, TIOCSCTTY, 0) != 0 || tcgetpgrp(tty) != getpgrp()) return 11;
        termios settings{};
        if (tcgetattr(tty, &settings) != 0) return 12;
        settings.c_lflag |= TOSTOP;
        if (tcsetattr(tty, TCSANOW, &settings) != 0) return 12;
        if (dup2(tty, STDOUT_FILENO) < 0 || dup2(tty, STDERR_FILENO) < 0) return 13;
        PluginHost host;
        const PluginAnswer answer = host.ask(PluginCall::number, terminal, "GPUtest", 5s);
        if (answer.outcome == PluginOutcome::hung) return 1;
        if (answer.outcome != PluginOutcome::answered) return 2;
        // The plug-in's own check that it wrote to the terminal and set it.
        return answer.reply.value == 0 ? 0 : 20 + answer.reply.value;
    });
    close(master);
    EXPECT_EQ(code, 0) << "1: the helper was stopped; 2: it ended; 10 to 13: no terminal for the test; "
                          "21 to 24: the plug-in could not use the terminal";
}
