#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "configs/epsxe_config.h"
#include "configs/pcsx_config.h"
#include "configs/psxeven_config.h"
#include "configs/ssspsx_config.h"
#include "headless/headless_backend.h"
#include "plugins/popup_form.h"
#include "toolkit/windows.h"

using kv::popup_form;
using kv::plugins::PluginEditor;

namespace {

class Picker : public ::testing::Test {
  protected:
    Picker() { kv::forms::set_backend(&display); }
    ~Picker() override {
        kv::toolkit::reset_forms();
        kv::forms::set_backend(nullptr);
    }

    popup_form& fill(int rows) {
        auto& p = kv::toolkit::form<popup_form>();
        p.List1.clear();
        for (int i = 1; i <= rows; ++i) p.List1.add_item("Entry " + std::to_string(i));
        return p;
    }

    // A press on the list: a left press lands on row `row` of what shows.
    void press(popup_form& p, int16_t button, int row = 0) {
        const float y = 15 + 195 * static_cast<float>(row) + 90;
        p.deliver_mouse_down(100, y, button, 0);
        p.deliver_mouse_up(100, y, button, 0);
    }

    kv::headless::HeadlessBackend display;
};

}  // namespace

TEST_F(Picker, SizesToOneToFiveWholeRows) {
    // One row of the 8.25-point font is 195 twips, inside the list's frame of 15 above and below.
    for (const auto& [rows, height] : {std::pair{0, 225}, {1, 225}, {3, 615}, {5, 1005}, {7, 1005}}) {
        auto& p = fill(rows);
        p.resize_list(3);
        EXPECT_EQ(p.List1.height(), height) << rows;
        EXPECT_EQ(p.height(), height) << rows;
        EXPECT_EQ(p.Picture4.top(), height - 15) << rows;
        EXPECT_EQ(p.Picture1.height(), height + 30) << rows;
        EXPECT_EQ(p.Picture3.height(), height + 30) << rows;
        EXPECT_EQ(p.Picture2.top(), 0);
        EXPECT_EQ(p.width(), 2775);
        EXPECT_EQ(p.input_combo_locator, 3);
        // No part of a row below the last one: the lowest pixel row inside the frame is the last row.
        EXPECT_EQ(p.List1.visible_rows(), std::max(1, std::min(rows, 5))) << rows;
        EXPECT_EQ(p.List1.row_at(height - 16), rows == 0 ? -1 : std::min(rows, 5) - 1) << rows;
    }
}

TEST_F(Picker, RowsFollowTheListsFont) {
    auto& p = fill(2);
    p.List1.set_font_size(16.5f);  // 390 twips a row
    p.resize_list(1);
    EXPECT_EQ(p.height(), 2 * 390 + 30);
}

TEST_F(Picker, SearchSelectsTheFirstExactMatchOrNothing) {
    auto& p = fill(3);
    p.List1.add_item("Entry 2");
    p.search_for_name("Entry 2");
    EXPECT_EQ(p.List1.list_index(), 1);
    p.search_for_name("entry 3");
    EXPECT_EQ(p.List1.list_index(), -1);
    p.search_for_name("Not selected");
    EXPECT_EQ(p.List1.list_index(), -1);
    fill(0).search_for_name("Entry 1");
    EXPECT_EQ(p.List1.list_index(), -1);
}

TEST_F(Picker, EverySlotOfEveryEditorTakesItsPick) {
    struct Target {
        PluginEditor& editor;
        int base;
    };
    auto& epsxe = kv::toolkit::form<kv::ePSXe_config>();
    auto& psxeven = kv::toolkit::form<kv::PSXeven_config>();
    auto& pcsx = kv::toolkit::form<kv::PCSX_config>();
    auto& ssspsx = kv::toolkit::form<kv::SSSPSX_config>();
    const char* labels[] = {"Label43", "Label6",  "Label8",  "Label7",
                            "Label16", "Label14", "Label11", "Label12"};
    for (int16_t code = 1; code <= 23; ++code) {
        Target t = code <= 4    ? Target{epsxe, 1}
                   : code <= 9  ? Target{psxeven, 5}
                   : code <= 15 ? Target{pcsx, 10}
                                : Target{ssspsx, 16};
        const int slot = code - t.base;
        for (PluginEditor* e : {static_cast<PluginEditor*>(&epsxe), static_cast<PluginEditor*>(&psxeven),
                                static_cast<PluginEditor*>(&pcsx), static_cast<PluginEditor*>(&ssspsx)}) {
            std::fill(e->selected_plugin.begin(), e->selected_plugin.end(), "0");
        }
        // The table's code for the slot is the one its picker shows to driver scripts.
        EXPECT_EQ(t.editor.plugin_table().selection_slots[static_cast<size_t>(slot)].locator_code, code);
        auto& p = fill(4);
        p.serve(t.editor, slot);
        p.resize_list(code);
        p.search_for_name("none");
        p.show();
        const int row = code % 4;
        press(p, kv::forms::left_button, row);
        EXPECT_FALSE(p.visible()) << code;
        EXPECT_EQ(t.editor.selected_plugin[static_cast<size_t>(slot)], std::to_string(row + 1)) << code;
        auto* label = dynamic_cast<kv::forms::Label*>(t.editor.find(labels[slot]));
        ASSERT_NE(label, nullptr) << code;
        EXPECT_EQ(label->caption(), "Entry " + std::to_string(row + 1)) << code;
        // Only that one slot changed, in every editor.
        int changed = 0;
        for (PluginEditor* e : {static_cast<PluginEditor*>(&epsxe), static_cast<PluginEditor*>(&psxeven),
                                static_cast<PluginEditor*>(&pcsx), static_cast<PluginEditor*>(&ssspsx)}) {
            for (const auto& s : e->selected_plugin) changed += s != "0";
        }
        EXPECT_EQ(changed, 1) << code;
    }
}

TEST_F(Picker, ARightPressHandsBackTheCurrentRowOfAPcsxOrAnEpsxeSlot) {
    auto& pcsx = kv::toolkit::form<kv::PCSX_config>();
    auto& p = fill(3);
    p.serve(pcsx, 5);
    p.resize_list(15);
    p.List1.set_list_index(0);
    press(p, kv::forms::right_button);
    EXPECT_EQ(pcsx.name_label(5).caption(), "Entry 1");
    EXPECT_EQ(pcsx.selected_plugin[5], "1");

    auto& epsxe = kv::toolkit::form<kv::ePSXe_config>();
    p.serve(epsxe, 3);
    p.resize_list(4);
    p.List1.set_list_index(2);
    press(p, kv::forms::right_button);
    EXPECT_EQ(epsxe.name_label(3).caption(), "Entry 3");
    EXPECT_EQ(epsxe.selected_plugin[3], "3");
}

TEST_F(Picker, ARightPressWithNoCurrentRowChoosesNothing) {
    auto& psxeven = kv::toolkit::form<kv::PSXeven_config>();
    psxeven.selected_plugin[4] = "2";
    auto& p = fill(3);
    p.serve(psxeven, 4);
    p.resize_list(9);
    p.search_for_name("Not selected");
    p.show();
    press(p, kv::forms::right_button, 1);
    EXPECT_FALSE(p.visible());
    EXPECT_EQ(psxeven.name_label(4).caption(), "");
    EXPECT_EQ(psxeven.selected_plugin[4], "0");
}

TEST_F(Picker, EscapeOrAPressOutsideTheListClosesItAndChangesNothing) {
    auto& epsxe = kv::toolkit::form<kv::ePSXe_config>();
    epsxe.name_label(1).set_caption("Entry 2");
    epsxe.selected_plugin[1] = "2";
    auto& p = fill(3);
    p.serve(epsxe, 1);
    p.resize_list(2);
    p.search_for_name("Entry 2");
    // Above the list (where the box's arrow is), below it, beside it, with any button.
    const std::vector<std::pair<float, float>> outside{{2700, -100}, {100, 615}, {-15, 100}, {2775, 300}};
    for (const auto& [x, y] : outside) {
        p.show();
        p.List1.set_list_index(0);  // moved with the keyboard: still no pick
        p.deliver_mouse_down(x, y, kv::forms::right_button, 0);
        EXPECT_FALSE(p.visible()) << x << " " << y;
    }
    p.show();
    p.deliver_key_down(kv::forms::keys::escape, 0);
    EXPECT_FALSE(p.visible());
    // Other keys leave it open.
    p.show();
    p.deliver_key_down(kv::forms::keys::down, 0);
    EXPECT_TRUE(p.visible());
    p.hide();
    EXPECT_EQ(epsxe.name_label(1).caption(), "Entry 2");
    EXPECT_EQ(epsxe.selected_plugin[1], "2");
}

TEST_F(Picker, APressOnAnEmptyListOnlyHides) {
    auto& sss = kv::toolkit::form<kv::SSSPSX_config>();
    sss.name_label(6).set_caption("card.mcr");
    sss.selected_plugin[6] = "1";
    auto& p = fill(0);
    p.serve(sss, 6);
    p.resize_list(22);
    p.show();
    press(p, kv::forms::left_button);
    EXPECT_FALSE(p.visible());
    EXPECT_EQ(sss.name_label(6).caption(), "card.mcr");
    EXPECT_EQ(sss.selected_plugin[6], "1");
}

TEST_F(Picker, ScrolledRowsArePickedByPosition) {
    auto& pcsx = kv::toolkit::form<kv::PCSX_config>();
    auto& p = fill(7);
    p.serve(pcsx, 0);
    p.resize_list(10);
    p.List1.set_top_index(5);  // dragging the scroll bar to the bottom shows rows 3 to 7
    EXPECT_EQ(p.List1.top_index(), 2);
    press(p, kv::forms::left_button, 4);
    EXPECT_EQ(pcsx.selected_plugin[0], "7");
    EXPECT_EQ(pcsx.name_label(0).caption(), "Entry 7");
}

TEST_F(Picker, APickServingNoSlotChangesNothing) {
    auto& sss = kv::toolkit::form<kv::SSSPSX_config>();
    auto& epsxe = kv::toolkit::form<kv::ePSXe_config>();
    auto& p = fill(2);
    p.show();
    press(p, kv::forms::left_button);  // no picker has opened it yet
    EXPECT_FALSE(p.visible());
    // Slots the editors do not have: past SSSPSX's last (its spare text included) and below 0.
    for (const auto& [editor, slot] : {std::pair<PluginEditor*, int>{&sss, 8}, {&epsxe, -1}, {&sss, 84}}) {
        p.serve(*editor, slot);
        p.show();
        press(p, kv::forms::left_button);
        EXPECT_FALSE(p.visible()) << slot;
    }
    EXPECT_EQ(sss.selected_plugin[8], "0");
    EXPECT_EQ(epsxe.selected_plugin[0], "0");
}
