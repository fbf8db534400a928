// Asking a folder of libraries: the time each library gets, the second try on a fresh helper, and the
// libraries given up for the rest of the run.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <string>
#include <vector>

#include "model/plugin_questions.h"
#include "model/plugins_module.h"
#include "plugin_fixture.h"

using namespace kv::model;
using kv::plugin_client::PluginCall;
using kvtest::PluginTest;
using namespace std::chrono_literals;

namespace {

const std::vector<Question> name_version_kind = {
    {kv::plugin_client::PluginCall::text, "PSEgetLibName"},
    {kv::plugin_client::PluginCall::number, "PSEgetLibVersion"},
    {kv::plugin_client::PluginCall::number, "PSEgetLibType"},
};

size_t lines_in(const std::string& file) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return 0;
    const std::string text = kvtest::read_file(file);
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

TEST_F(PluginTest, EachLibraryHasOneBudgetAndHangingOnesCostItSideBySide) {
    // Slow on every question (6 × 1.2 s), slow but within the budget (6 × 0.15 s), good, and six that
    // never answer: one after another these would take over half a minute.
    std::vector<std::string> paths = {put("gpuSlow.so"), put("spuUnhurried.so"), put("gpuAlpha.so")};
    for (int i = 0; i < 6; ++i) paths.push_back(put("gpuHangName.so", "hang" + std::to_string(i) + ".so"));
    const auto begun = std::chrono::steady_clock::now();
    const auto facts = ask_plugin_libraries(paths);
    const auto took = std::chrono::steady_clock::now() - begun;
    ASSERT_EQ(facts.size(), paths.size());
    EXPECT_FALSE(facts[0]);
    ASSERT_TRUE(facts[1]);
    EXPECT_EQ(facts[1]->name.c_str(), std::string("Unhurried"));
    EXPECT_EQ(facts[1]->kinds, (std::array<int32_t, 4>{4, 4, 4, 4}));
    ASSERT_TRUE(facts[2]);
    EXPECT_EQ(facts[2]->version, 0x0102);
    for (size_t i = 3; i < facts.size(); ++i) EXPECT_FALSE(facts[i]) << paths[i];
    EXPECT_LT(took, 3 * query_limit);
    // The busy cursor showed while the program waited, and is gone.
    EXPECT_GT(display.waits_while_busy(), 0);
    EXPECT_EQ(display.busy_depth(), 0);
}

TEST_F(PluginTest, ACrashOnAHelperThatServedOthersIsAskedOnceMoreOnAFreshOne) {
    // The leftover thread takes the helper down about 0.3 s after the first library was asked, while
    // the second (0.15 s a question) is being asked on the same helper.
    const std::string thread = put("gpuThread.so"), unhurried = put("spuUnhurried.so");
    const auto replies = ask_libraries({thread, unhurried}, name_version_kind, {query_limit, 1});
    ASSERT_TRUE(replies[0]);
    ASSERT_TRUE(replies[1]);
    EXPECT_EQ((*replies[1])[0].text, "Unhurried");
    EXPECT_EQ((*replies[1])[2].value, 4);
}

TEST_F(PluginTest, ALibraryGivenUpIsNotAskedAgainUntilItsFileChanges) {
    const std::string good = put("gpuAlpha.so"), crash = put("gpuCrashMarker.so");
    // On the helper that answered the good library first, then once more on a fresh one.
    auto replies = ask_libraries({good, crash}, name_version_kind, {query_limit, 1});
    EXPECT_TRUE(replies[0]);
    EXPECT_FALSE(replies[1]);
    EXPECT_EQ(lines_in(crash + ".marker"), 2u);
    // Neither a later scan nor the single questions load it again.
    EXPECT_FALSE(ask_plugin_libraries({crash})[0]);
    EXPECT_EQ(get_plugin_name(crash), "");
    EXPECT_EQ(get_plugin_type(path() + "GPUCRASHMARKER.so"), 0);  // the same file by another name
    EXPECT_EQ(lines_in(crash + ".marker"), 2u);
    // A new version of the file is asked.
    put("gpuAlpha.so", "gpuCrashMarker.so");
    const auto facts = ask_plugin_libraries({crash});
    ASSERT_TRUE(facts[0]);
    EXPECT_EQ(facts[0]->name.c_str(), std::string("Alpha GPU"));
}

TEST_F(PluginTest, ASlowFirstAnswerIsListedAfterQuickLibrariesAsWhenAlone) {
    // Its name takes 3 s of the 5 s budget. After eight quick libraries it is first asked on a helper
    // they used, with a short wait, and then on a fresh one.
    EXPECT_TRUE(ask_plugin_libraries({put("gpuSlowName.so", "alone.so")})[0]);
    std::vector<std::string> paths;
    for (int i = 0; i < 8; ++i) paths.push_back(put("gpuAlpha.so", "quick" + std::to_string(i) + ".so"));
    paths.push_back(put("gpuSlowName.so"));
    const auto facts = ask_plugin_libraries(paths);
    ASSERT_TRUE(facts.back());
    EXPECT_EQ(facts.back()->name.c_str(), std::string("Slow Name"));
    // Listed, so not given up: the next opening asks it again.
    EXPECT_EQ(get_plugin_type(paths.back()), 2);
}
