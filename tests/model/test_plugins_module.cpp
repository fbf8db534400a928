#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "model/plugins_module.h"
#include "plugin_fixture.h"

using namespace kv::model;
using kvtest::PluginTest;
using namespace std::chrono_literals;

namespace {

std::string buffer_of(const std::string& text) {
    std::string b = text;
    b.resize(256, '\0');
    return b;
}

}  // namespace

TEST_F(PluginTest, AsksNameVersionAndKind) {
    const std::string gpu = put("gpuAlpha.so");
    EXPECT_EQ(get_plugin_name(gpu), buffer_of("Alpha GPU"));
    EXPECT_EQ(get_plugin_version(gpu), 0x0102);
    EXPECT_EQ(get_plugin_type(gpu), 2);
    const std::string net = put("netEpsilon.so");
    EXPECT_EQ(get_plugin_type(net), 16);
}

TEST_F(PluginTest, MissingFilesNonLibrariesAndMissingExportsGiveEmptyResults) {
    kvtest::write_file(folder / "bad.so", "not a library at all\n");
    for (const std::string& p : {path() + "missing.so", path() + "bad.so", path()}) {
        EXPECT_EQ(get_plugin_name(p), "") << p;
        EXPECT_EQ(get_plugin_version(p), 0) << p;
        EXPECT_EQ(get_plugin_type(p), 0) << p;
        EXPECT_EQ(call_plugin_test(p, "GPUtest"), 0) << p;
        EXPECT_EQ(call_plugin_function(p, "GPUconfigure"), "") << p;
    }
    const std::string no_version = put("gpuNoVersion.so");
    EXPECT_EQ(get_plugin_version(no_version), 0);
    EXPECT_EQ(get_plugin_name(no_version), buffer_of("Versionless"));
    EXPECT_EQ(get_plugin_type(no_version), 2);
    EXPECT_EQ(get_plugin_name(put("gpuNoName.so")), "");
    EXPECT_EQ(get_plugin_name(put("gpuNullName.so")), "");
    EXPECT_EQ(call_plugin_test(no_version, "SPUtest"), 0);
}

TEST_F(PluginTest, NamesAreCutTo255BytesFollowedByOneNul) {
    const std::string name = get_plugin_name(put("gpuLongName.so"));
    ASSERT_EQ(name.size(), 256u);
    EXPECT_EQ(name.substr(0, 255), std::string(255, 'n'));
    EXPECT_EQ(name[255], '\0');
}

TEST_F(PluginTest, TestResultsKeepTheir32BitValueAndExportNamesTheirCase) {
    EXPECT_EQ(call_plugin_test(put("gpuAlpha.so"), "GPUtest"), 0);
    EXPECT_EQ(call_plugin_test(put("spuBeta.SO"), "SPUtest"), -1);
    EXPECT_EQ(call_plugin_test(put("cdrGamma.so"), "CDRtest"), 1);
    EXPECT_EQ(call_plugin_test(put("padDelta.so"), "PADtest"), 0x12345678);
    EXPECT_EQ(call_plugin_test(put("netEpsilon.so"), "NETtest"), INT32_MIN);
    // "GPUTest" is exported, "GPUtest" is not: no such export.
    const std::string wrong_case = put("gpuWrongCase.so");
    EXPECT_EQ(call_plugin_test(wrong_case, "GPUtest"), 0);
    EXPECT_EQ(call_plugin_test(wrong_case, "GPUTest"), -1);
}

TEST_F(PluginTest, ConfigureAndAboutRunForTheirEffectAndGiveNoText) {
    const std::string logger = put("gpuLogger.so");
    EXPECT_EQ(call_plugin_function(logger, "GPUconfigure"), "");
    EXPECT_EQ(call_plugin_function(logger, "GPUabout"), "");
    EXPECT_EQ(kvtest::read_file(logger + ".log"), "configure\nabout\n");
}

TEST_F(PluginTest, ACrashingPluginEndsOnlyTheHelper) {
    const std::string crash = put("gpuCrashName.so");
    EXPECT_EQ(get_plugin_name(crash), "");
    EXPECT_EQ(get_plugin_type(put("gpuAbortType.so")), 0);
    // A crash while testing counts as not working; configure and about show nothing.
    const std::string crash_test = put("gpuCrashTest.so");
    EXPECT_EQ(call_plugin_test(crash_test, "GPUtest"), -1);
    EXPECT_EQ(call_plugin_function(crash_test, "GPUtest"), "");
    // Still here, and the next library answers.
    EXPECT_EQ(get_plugin_type(put("gpuAlpha.so")), 2);
}

TEST_F(PluginTest, AHangingPluginIsGivenUpAfterTheLimit) {
    const auto begun = std::chrono::steady_clock::now();
    EXPECT_EQ(get_plugin_type(put("gpuHangType.so")), 0);
    const auto took = std::chrono::steady_clock::now() - begun;
    EXPECT_GE(took, query_limit);
    EXPECT_LT(took, query_limit + std::chrono::seconds(3));
}

TEST_F(PluginTest, PluginCodeNeverRunsInTheLaunchersProcess) {
    const std::string marker = put("gpuMarker.so");
    EXPECT_EQ(get_plugin_type(marker), 2);
    EXPECT_EQ(get_plugin_name(marker), buffer_of("Marker"));
    const std::string pids = kvtest::read_file(marker + ".marker");
    ASSERT_FALSE(pids.empty());  // the constructor ran, once per load
    EXPECT_EQ(pids.find(std::to_string(getpid()) + "\n"), std::string::npos) << pids;
    EXPECT_NE(pids.find('\n'), pids.rfind('\n'));  // loaded afresh for each question
}

TEST_F(PluginTest, WhatAPluginPrintsDoesNotDisturbTheAnswers) {
    const std::string chatty = put("gpuChatty.so");
    EXPECT_EQ(get_plugin_name(chatty), buffer_of("Chatty"));
    EXPECT_EQ(get_plugin_version(chatty), 0x0100);
}

TEST_F(PluginTest, PathsResolveIgnoringCaseButNeverThroughTheSearchPath) {
    put("gpuAlpha.so", "GPUAlpha.SO");
    EXPECT_EQ(get_plugin_type(path() + "gpualpha.so"), 2);  // as PSXeven stores names
    EXPECT_EQ(get_plugin_type("gpuAlpha.so"), 0);           // no folder: never looked up by the system
    EXPECT_EQ(get_plugin_type(""), 0);
    // A pipe would keep the helper waiting for ever: only regular files are asked.
    ASSERT_EQ(mkfifo((folder / "pipe.so").c_str(), 0600), 0);
    const auto begun = std::chrono::steady_clock::now();
    EXPECT_EQ(call_plugin_test(path() + "pipe.so", "GPUtest"), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - begun, std::chrono::seconds(1));
    put("gpuAlpha.so", "gpuALPHA.so");  // two matches ignoring case, neither exact: none
    EXPECT_EQ(get_plugin_type(path() + "gpualpha.so"), 0);
}

TEST_F(PluginTest, WithoutTheHelperNothingIsListedAndNothingBreaks) {
    kv::plugin_client::set_plugin_host_program(folder / "no-such-helper");
    EXPECT_EQ(get_plugin_type(put("gpuAlpha.so")), 0);
    EXPECT_EQ(call_plugin_test(put("spuBeta.SO"), "SPUtest"), 0);
}

TEST_F(PluginTest, AHungTestIsNotWorkingOnceItsLimitHasPassed) {
    const std::string hang = put("gpuHangCalls.so");
    const auto begun = std::chrono::steady_clock::now();
    EXPECT_EQ(call_plugin_test(hang, "GPUtest", {}, 1500ms), -1);
    EXPECT_GE(std::chrono::steady_clock::now() - begun, 1500ms);
    // The helper that held it is gone.
    const pid_t helper = std::stoi(kvtest::read_file(hang + ".marker"));
    EXPECT_NE(kill(helper, 0), 0);
}

TEST_F(PluginTest, AConfigureThatNeverReturnsIsStoppedWhenTheUserSaysSo) {
    const std::string hang = put("gpuHangCalls.so");
    // Two presses while it runs: the first answered No (the program keeps waiting), the second Yes.
    display.press_during_wait();
    display.press_during_wait();
    int asked = 0;
    EXPECT_EQ(call_plugin_function(hang, "GPUconfigure", [&] { return ++asked == 2; }), "");
    EXPECT_EQ(asked, 2);
    // A test the user stops did not work.
    display.press_during_wait();
    EXPECT_EQ(call_plugin_test(hang, "GPUtest", [] { return true; }), -1);
    // The busy cursor showed while the program waited, and is gone.
    EXPECT_GT(display.waits_while_busy(), 0);
    EXPECT_EQ(display.busy_depth(), 0);
    const std::string helpers = kvtest::read_file(hang + ".marker");
    for (size_t at = 0; at < helpers.size(); at = helpers.find('\n', at) + 1)
        EXPECT_NE(kill(std::stoi(helpers.substr(at)), 0), 0) << helpers;
}

// The message box says only "not working"; standard error says which library and why, each way a
// test can fail telling its own reason.
TEST_F(PluginTest, ATestThatIsNotWorkingSaysWhyOnStandardError) {
    const std::string hang = put("gpuHangCalls.so"), crash = put("gpuCrashTest.so"), beta = put("spuBeta.SO");
    testing::internal::CaptureStderr();
    EXPECT_EQ(call_plugin_test(hang, "GPUtest", {}, 1000ms), -1);
    EXPECT_EQ(call_plugin_test(crash, "GPUtest"), -1);
    EXPECT_EQ(call_plugin_test(beta, "SPUtest"), -1);
    display.press_during_wait();
    EXPECT_EQ(call_plugin_test(hang, "GPUtest", [] { return true; }), -1);
    EXPECT_EQ(call_plugin_test(put("gpuAlpha.so"), "GPUtest"), 0);
    const std::string told = testing::internal::GetCapturedStderr();
    // A sanitizer reports the crash itself and ends the helper with its own exit status, or by abort()
    // where ASAN_OPTIONS asks for it (as CI does).
    const char* asan_options = std::getenv("ASAN_OPTIONS");
    const bool aborts =
        asan_options && std::string(asan_options).find("abort_on_error=1") != std::string::npos;
    const std::string crashed =
        !kvtest::address_sanitized ? "its helper ended by signal 11 (" + std::string(strsignal(SIGSEGV)) + ")"
        : aborts                   ? "its helper ended by signal 6 (" + std::string(strsignal(SIGABRT)) + ")"
                                   : "its helper ended with exit status 1";
    EXPECT_NE(told.find("korvalin: plug-in " + hang + ": GPUtest is not working: no answer within 1 s\n"),
              std::string::npos)
        << told;
    EXPECT_NE(told.find("korvalin: plug-in " + crash + ": GPUtest is not working: " + crashed + "\n"),
              std::string::npos)
        << told;
    EXPECT_NE(told.find("korvalin: plug-in " + beta + ": SPUtest is not working: the test returned -1\n"),
              std::string::npos)
        << told;
    EXPECT_NE(told.find("korvalin: plug-in " + hang + ": GPUtest is not working: stopped by the user\n"),
              std::string::npos)
        << told;
    EXPECT_EQ(told.find("gpuAlpha"), std::string::npos) << told;
}
