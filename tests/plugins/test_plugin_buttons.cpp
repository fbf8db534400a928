#include <gtest/gtest.h>

#include <climits>

#include "plugins/plugin_buttons.h"

namespace {

using kv::plugins::EditorKind;
using kv::plugins::library_for_click;
using kv::plugins::PluginAction;

const std::vector<std::string> cdr = {"W9XCDRCORE|||ePSXe CDR ASPI core",
                                      "W2KCDRCORE|||ePSXe CDR WNT/W2K core", "cdr.so|||Cdr 1.0"};
const std::vector<std::string> one = {"lib.so|||Lib 1.0", "two.so|||Two 1.0"};

std::optional<std::string> click(EditorKind e, int slot, PluginAction a, const std::string& sel,
                                 const std::vector<std::string>& list) {
    return library_for_click(e, slot, a, sel, list, "/emu/plugins/");
}

TEST(PluginButtonGuards, NothingChosenDoesNothingInAnyEditor) {
    for (auto e : {EditorKind::epsxe, EditorKind::psxeven, EditorKind::pcsx, EditorKind::ssspsx})
        for (auto a : {PluginAction::test, PluginAction::configure, PluginAction::about})
            EXPECT_FALSE(click(e, 0, a, "0", one));
}

TEST(PluginButtonGuards, TestNeverRunsOnAnEntryBuiltIntoTheEmulator) {
    EXPECT_FALSE(click(EditorKind::epsxe, 1, PluginAction::test, "1", one));
    EXPECT_EQ(click(EditorKind::epsxe, 1, PluginAction::test, "2", one), "/emu/plugins/two.so");
    EXPECT_FALSE(click(EditorKind::epsxe, 2, PluginAction::test, "1", cdr));
    EXPECT_FALSE(click(EditorKind::epsxe, 2, PluginAction::test, "2", cdr));
    EXPECT_EQ(click(EditorKind::epsxe, 2, PluginAction::test, "3", cdr), "/emu/plugins/cdr.so");
    EXPECT_FALSE(click(EditorKind::epsxe, 3, PluginAction::test, "1", one));
    EXPECT_FALSE(click(EditorKind::ssspsx, 2, PluginAction::test, "1", one));
    // The other editors have nothing built in before their libraries.
    EXPECT_EQ(click(EditorKind::psxeven, 2, PluginAction::test, "1", one), "/emu/plugins/lib.so");
    EXPECT_EQ(click(EditorKind::pcsx, 3, PluginAction::test, "1", one), "/emu/plugins/lib.so");
}

TEST(PluginButtonGuards, ConfigureAndAboutReachABuiltInEntryAsAPathNamingNoLibrary) {
    EXPECT_EQ(click(EditorKind::epsxe, 2, PluginAction::configure, "1", cdr), "/emu/plugins/W9XCDRCORE");
    const std::vector<std::string> internal = {"|||SSSPSX CDR Plugin [INTERNAL]"};
    EXPECT_EQ(click(EditorKind::ssspsx, 2, PluginAction::about, "1", internal), "/emu/plugins/");
}

TEST(PluginButtonGuards, APositionOutsideTheListOrNoNumberDoesNothing) {
    EXPECT_FALSE(click(EditorKind::pcsx, 0, PluginAction::about, "3", one));
    EXPECT_FALSE(click(EditorKind::pcsx, 0, PluginAction::about, "-1", one));
    EXPECT_FALSE(click(EditorKind::pcsx, 0, PluginAction::about, "x", one));
    EXPECT_FALSE(click(EditorKind::pcsx, 0, PluginAction::about, "70000", one));
}

TEST(PluginTestResults, ClassifiedByTheSignOfTheWholeValue) {
    using kv::plugins::classify_test_result;
    using kv::plugins::TestVerdict;
    EXPECT_EQ(classify_test_result(0), TestVerdict::working);
    EXPECT_EQ(classify_test_result(-1), TestVerdict::not_working);
    EXPECT_EQ(classify_test_result(INT32_MIN), TestVerdict::not_working);
    EXPECT_EQ(classify_test_result(-65536), TestVerdict::not_working);
    EXPECT_EQ(classify_test_result(1), TestVerdict::silent);
    EXPECT_EQ(classify_test_result(65536), TestVerdict::silent);
}

TEST(PluginButtonTable, EachEditorHasItsRowsAndExports) {
    const auto epsxe = kv::plugins::plugin_buttons(EditorKind::epsxe);
    ASSERT_EQ(epsxe.size(), 12u);
    const auto others = kv::plugins::plugin_buttons(EditorKind::pcsx);
    ASSERT_EQ(others.size(), 15u);
    // The CD-ROM row stands higher in the ePSXe editor and presses its images in reverse order.
    EXPECT_STREQ(epsxe[6].button.click_label, "Label28");
    EXPECT_EQ(epsxe[6].button.top, 2280);
    EXPECT_EQ(others[6].button.top, 3480);
    EXPECT_EQ(epsxe[6].button.image.index, 8);
    EXPECT_EQ(epsxe[8].button.image.index, 6);
    EXPECT_EQ(others[12].slot, 4);
    EXPECT_EQ(others[12].button.caption_top, 80);
    // Every caption element 0 to 11 (and 13 to 15 in the others) is used exactly once.
    std::vector<int> seen(16, 0);
    for (const auto& b : others) ++seen.at(b.button.caption.index);
    EXPECT_EQ(seen, (std::vector<int>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1}));

    using kv::plugins::plugin_export;
    EXPECT_EQ(plugin_export(EditorKind::epsxe, 3, PluginAction::test), "NETtest");
    EXPECT_EQ(plugin_export(EditorKind::ssspsx, 3, PluginAction::configure), "PADconfigure");
    EXPECT_EQ(plugin_export(EditorKind::pcsx, 4, PluginAction::about), "PADabout");
    EXPECT_EQ(plugin_export(EditorKind::psxeven, 2, PluginAction::about), "CDRabout");
}

}  // namespace
