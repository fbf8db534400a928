#include <gtest/gtest.h>

#include "configs/epsxe_design.h"
#include "configs/fake_registry.h"
#include "configs/plugin_slots.h"
#include "configs/registry_settings.h"
#include "forms/form.h"

namespace {

using kv::configs::RegistryRow;
using kv::configs::ValueKind;

const std::string key = "HKEY_CURRENT_USER\\Software\\emu\\";

// A bare window with the controls the rows name and two plug-in slots.
class Editor : public kv::forms::Form, public kv::configs::PluginSlots {
  public:
    Editor() : kv::forms::Form("editor") {
        add<kv::forms::TextBox>("Text1", 0, 0, 100, 100);
        for (int i = 0; i < 3; ++i) add<kv::forms::Image>("checkboxes", 0, 0, 255, 510, nullptr, i);
        labels[0] = &add<kv::forms::Label>("Label43", 0, 0, 10, 10);
        labels[1] = &add<kv::forms::Label>("Label6", 0, 0, 10, 10);
        for (auto* l : labels) l->set_caption("Not selected");
    }
    const std::vector<std::string>& slot_entries(int slot) override { return lists.at(slot); }
    kv::forms::Label& slot_label(int slot) override { return *labels.at(slot); }
    std::string& slot_choice(int slot) override { return selected.at(slot); }

    kv::forms::TextBox& text() { return static_cast<kv::forms::TextBox&>(*find("Text1")); }
    kv::forms::Image& box(int i) { return static_cast<kv::forms::Image&>(*find("checkboxes", i)); }

    std::array<std::vector<std::string>, 2> lists;
    std::array<kv::forms::Label*, 2> labels{};
    std::array<std::string, 2> selected{"0", "0"};
};

constexpr RegistryRow rows[] = {
    {"Path", ValueKind::text, "Text1"},
    {"First", ValueKind::option, nullptr, 0},
    {"Second", ValueKind::option, nullptr, 1},
    {"Third", ValueKind::option, nullptr, 2},
    {"ThirdToo", ValueKind::option, nullptr, 2, true},
    {"Video", ValueKind::plugin, nullptr, 0},
    {"Sound", ValueKind::plugin, nullptr, 1},
};

TEST(OptionValues, OnlyAWholeOneTurnsABoxOn) {
    using kv::configs::stored_option_on;
    EXPECT_TRUE(stored_option_on("1"));
    EXPECT_TRUE(stored_option_on(" 1 "));
    for (const char* off : {"0", "2", "", "-1", "abc", "1abc", "true"})
        EXPECT_FALSE(stored_option_on(off)) << off;
}

TEST(RegistrySettings, LoadingFillsBoxesAndSlotsFromTheStoredValues) {
    Editor e;
    e.lists[0] = {"gpuA.so|||Alpha 1.0", "gpuB.so|||Beta 2.1"};
    e.lists[1] = {"SPUCORE|||ePSXe SPU core", "spu.so|||Spu 1.0"};
    kvtest::FakeRegistry reg;
    reg.values = {{key + "Path", "/bios/scph1001.bin"},
                  {key + "First", "1"},
                  {key + "Second", "abc"},
                  {key + "Third", "2"},
                  {key + "Video", "gpuB.so"},
                  {key + "Sound", "SPU.SO"}};
    e.box(1).set_top(-255);
    kv::configs::load_registry_rows(e, e, rows, key, reg.access());

    EXPECT_EQ(e.text().text(), "/bios/scph1001.bin");
    EXPECT_EQ(e.box(0).top(), -255);
    // A value that is no number is off, whatever the box before it showed.
    EXPECT_EQ(e.box(1).top(), 0);
    EXPECT_EQ(e.box(2).top(), 0);
    EXPECT_EQ(e.labels[0]->caption(), "Beta 2.1");
    EXPECT_EQ(e.selected[0], "2");
    // Letter case counts: the stored name matches nothing and the slot stays unchosen.
    EXPECT_EQ(e.labels[1]->caption(), "Not selected");
    EXPECT_EQ(e.selected[1], "0");
    EXPECT_TRUE(reg.writes.empty());
}

TEST(RegistrySettings, AMissingValueEmptiesTheBoxAndTurnsTheOptionOff) {
    Editor e;
    e.text().set_text("left over");
    e.box(0).set_top(-255);
    kvtest::FakeRegistry reg;
    kv::configs::load_registry_rows(e, e, rows, key, reg.access());
    EXPECT_EQ(e.text().text(), "");
    EXPECT_EQ(e.box(0).top(), 0);
}

TEST(RegistrySettings, SavingWritesEveryRowInOrderAndLeavesUnchosenSlotsAlone) {
    Editor e;
    e.lists[0] = {"gpuA.so|||Alpha 1.0"};
    e.labels[0]->set_caption("Alpha 1.0");
    e.box(2).set_top(-255);
    kvtest::FakeRegistry reg;
    reg.values[key + "Sound"] = "old.so";
    kv::configs::FailedWrites failed;
    kv::configs::save_registry_rows(e, e, rows, key, reg.access(), failed);

    EXPECT_EQ(reg.writes, (std::vector<std::string>{key + "Path", key + "First", key + "Second",
                                                    key + "Third", key + "ThirdToo", key + "Video"}));
    EXPECT_EQ(reg.values[key + "Path"], "");
    EXPECT_EQ(reg.values[key + "First"], "0");
    EXPECT_EQ(reg.values[key + "Third"], "1");
    EXPECT_EQ(reg.values[key + "ThirdToo"], "1");
    EXPECT_EQ(reg.values[key + "Video"], "gpuA.so");
    EXPECT_EQ(reg.values[key + "Sound"], "old.so");
    EXPECT_TRUE(failed.lines().empty());
}

TEST(RegistrySettings, TwoEntriesOfOneNameStoreTheOneThatWasPicked) {
    Editor e;
    e.lists[0] = {"first.so|||Same 1.0", "second.so|||Same 1.0"};
    e.labels[0]->set_caption("Same 1.0");
    kvtest::FakeRegistry reg;
    kv::configs::FailedWrites failed;

    e.selected[0] = "2";
    kv::configs::save_registry_rows(e, e, rows, key, reg.access(), failed);
    EXPECT_EQ(reg.values[key + "Video"], "second.so");

    // A position whose entry shows another name falls back to the first entry of that name.
    e.lists[0].push_back("third.so|||Other 1.0");
    e.selected[0] = "3";
    kv::configs::save_registry_rows(e, e, rows, key, reg.access(), failed);
    EXPECT_EQ(reg.values[key + "Video"], "first.so");
}

TEST(RegistrySettings, FailedWritesAreToldOneLineForEachReasonAndTheRestStillWritten) {
    Editor e;
    kvtest::FakeRegistry reg;
    reg.refused = {key + "First", key + "Third", key + "ThirdToo"};
    reg.ignored = {key + "Path"};
    kv::configs::FailedWrites failed;
    kv::configs::save_registry_rows(e, e, rows, key, reg.access(), failed);
    EXPECT_EQ(failed.lines(),
              (std::vector<std::string>{
                  "cannot write the registry value " + key + "Path: the value did not keep what was written",
                  "cannot write 3 registry values under " + key + ": the store is read-only"}));
    EXPECT_EQ(reg.values.count(key + "First"), 0u);
    EXPECT_EQ(reg.values[key + "Second"], "0");
}

TEST(EpsxeValues, FourteenValuesWithTheSubchannelWrittenTwice) {
    const auto& v = kv::configs::epsxe_values;
    EXPECT_EQ(v.size(), 14u);
    EXPECT_STREQ(v[8].value_name, "SubchannelW2kCdromEnabled");
    EXPECT_STREQ(v[9].value_name, "SubchannelW9xCdromEnabled");
    EXPECT_TRUE(v[9].write_only);
    EXPECT_EQ(v[9].element, v[8].element);
}

}  // namespace
