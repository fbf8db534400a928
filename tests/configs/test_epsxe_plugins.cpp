// The ePSXe editor's plug-in side with the test plug-ins in the emulator's plugins folder: stored
// choices shown, the pickers and the test, configure and about buttons.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "configs/configs_form.h"
#include "configs/editor_fixture.h"
#include "configs/epsxe_config.h"
#include "configs/epsxe_design.h"
#include "plugins/plugin_buttons.h"
#include "plugins/popup_form.h"
#include "toolkit/messages_form.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

const std::string key = configs::epsxe_key;

class EpsxePlugins : public kvtest::EditorTest<ePSXe_config> {
  protected:
    EpsxePlugins() {
        copy_plugins(emu / "plugins", {"gpuAlpha.so", "gpuLogger.so", "gpuCrashTest.so", "spuBeta.SO",
                                       "cdrGamma.so", "netEpsilon.so"});
        start_editor();
    }

    void open() { editor->get_emulator_path(emu.string() + "/", "p"); }
    forms::Label& label(const char* name) { return static_cast<forms::Label&>(*editor->find(name)); }
    void press(forms::Control& c, int16_t button = forms::left_button) {
        c.form().deliver_mouse_down(c.form_x() + 5, c.form_y() + 5, button, 0);
        c.form().deliver_mouse_up(c.form_x() + 5, c.form_y() + 5, button, 0);
    }
    // Chooses the slot's entry at a position, as the picker hands it back.
    void choose(int slot, int position) {
        const auto& list = editor->slot_list(slot);
        editor->name_label(slot).set_caption(
            list.at(position - 1).substr(list.at(position - 1).find("|||") + 3));
        editor->enter_epsxe_plugin_index(static_cast<int16_t>(slot), static_cast<int16_t>(position));
    }
    // The message box a click showed, or "" when none: its text and icon half.
    std::string shown_message(forms::Label& button) {
        // Shared with the queued answer, which outlives this call when the click shows no box: it then
        // stays queued, and must neither write here nor answer a later box.
        auto shown = std::make_shared<std::string>();
        auto over = std::make_shared<bool>(false);
        auto* box = &toolkit::form<messages_form>();
        then([shown, over, box] {
            if (*over) return;
            *shown = box->Label31.caption() + (box->message_image.top() == 0 ? " [0]" : " [1]");
            box->Label43_Click();
        });
        button.on_click();
        *over = true;
        return *shown;
    }
};

TEST_F(EpsxePlugins, OpeningShowsTheStoredChoicesWhoseFilesMatchExactly) {
    reg.values = {{key + "VideoPlugin", "gpuAlpha.so"},
                  {key + "SoundPlugin", "spubeta.so"},
                  {key + "CdromPlugin", "cdrGamma.so"},
                  {key + "NetPlugin", "DISABLED"}};
    open();
    EXPECT_EQ(label("Label43").caption(), "Alpha GPU 1.2");
    EXPECT_EQ(editor->selected_plugin[0], "1");
    EXPECT_EQ(label("Label6").caption(), "Not selected");
    EXPECT_EQ(editor->selected_plugin[1], "0");
    EXPECT_EQ(label("Label8").caption(), "Gamma CD 255.255");
    EXPECT_EQ(editor->selected_plugin[2], "3");
    EXPECT_EQ(label("Label7").caption(), "Disabled Netplay");
    EXPECT_EQ(editor->selected_plugin[3], "1");

    // Saving stores what the labels show and leaves the unmatched sound value alone.
    editor->ok_click();
    EXPECT_EQ(reg.values[key + "SoundPlugin"], "spubeta.so");
    EXPECT_EQ(reg.values[key + "CdromPlugin"], "cdrGamma.so");
    EXPECT_EQ(reg.values[key + "NetPlugin"], "DISABLED");
}

// A folder copied from Windows keeps the letter case it had there.
TEST_F(EpsxePlugins, ThePluginFolderIsFoundInAnyLetterCase) {
    std::filesystem::rename(emu / "plugins", emu / "Plugins");
    reg.values = {{key + "VideoPlugin", "gpuAlpha.so"}};
    open();
    EXPECT_EQ(editor->plugins_path, emu.string() + "/Plugins/");
    EXPECT_EQ(label("Label43").caption(), "Alpha GPU 1.2");
}

TEST_F(EpsxePlugins, ThePickerOpensUnderItsBoxWithTheShownEntryAndHandsThePickBack) {
    reg.values[key + "VideoPlugin"] = "gpuLogger.so";
    open();
    editor->move(1500, 900);
    auto& popup = toolkit::form<popup_form>();
    std::vector<std::string> rows;
    then([&] {
        rows = popup.List1.items();
        EXPECT_EQ(popup.left(), 1500 + 120);
        EXPECT_EQ(popup.top(), 900 + 735 + 255 - 15);
        EXPECT_EQ(popup.input_combo_locator, 1);
        EXPECT_EQ(popup.List1.list_index(), 2);
        // A right press picks the current row.
        popup.deliver_mouse_down(100, 100, forms::right_button, 0);
        popup.deliver_mouse_up(100, 100, forms::right_button, 0);
    });
    // Anywhere on the box but the arrow opens at once, with any button.
    editor->deliver_mouse_down(editor->find("Label5")->form_x() + 100, editor->find("Label5")->form_y() + 100,
                               forms::right_button, 0);
    editor->deliver_mouse_up(editor->find("Label5")->form_x() + 100, editor->find("Label5")->form_y() + 100,
                             forms::right_button, 0);
    EXPECT_EQ(rows, (std::vector<std::string>{"Alpha GPU 1.2", "Crash Test 1.0", "Logger GPU 1.0"}));
    EXPECT_FALSE(popup.visible());
    EXPECT_EQ(label("Label43").caption(), "Logger GPU 1.0");
    EXPECT_EQ(editor->selected_plugin[0], "3");
}

TEST_F(EpsxePlugins, NearTheScreensBottomThePickerOpensAboveItsBoxAndClosesWithoutAChoice) {
    reg.values[key + "VideoPlugin"] = "gpuLogger.so";
    open();
    const float screen_bottom = 1080 * 15;
    editor->move(1500, screen_bottom - 1200);  // the video box's bottom edge 210 twips above it
    auto& popup = toolkit::form<popup_form>();
    auto& arrow = *editor->find("Image5");
    const float box_top = editor->top() + 735;
    float popup_top = 0;
    // Escape, a press on the box's arrow (outside the list, which lies above it) and a press far
    // away each close the picker.
    const std::vector<std::function<void()>> closings{
        [&] { popup.deliver_key_down(forms::keys::escape, 0); },
        [&] {
            popup.deliver_mouse_down(editor->left() + arrow.form_x() + 100 - popup.left(),
                                     editor->top() + arrow.form_y() + 100 - popup.top(), forms::left_button,
                                     0);
        },
        [&] { popup.deliver_mouse_down(-3000, -3000, forms::left_button, 0); }};
    for (const auto& close : closings) {
        then([&] {
            popup_top = popup.top();
            close();
        });
        editor->find("Label5")->on_mouse_down(forms::MouseEvent{forms::left_button});
        EXPECT_FALSE(popup.visible());
        // Three rows of 195 twips in a frame of 15, its bottom edge on the box's top edge.
        EXPECT_EQ(popup_top, box_top + 15 - (3 * 195 + 30));
        EXPECT_EQ(label("Label43").caption(), "Logger GPU 1.0");
        EXPECT_EQ(editor->selected_plugin[0], "3");
    }
}

TEST_F(EpsxePlugins, TheArrowShowsItsPressedLookAndOpensOnItsClick) {
    open();
    auto& arrow = *editor->find("Image8");
    auto& popup = toolkit::form<popup_form>();
    const float x = arrow.form_x() + 50, y = arrow.form_y() + 50;
    editor->deliver_mouse_down(x, y, forms::left_button, 0);
    EXPECT_EQ(arrow.top(), -255);
    EXPECT_FALSE(popup.visible());
    std::vector<std::string> rows;
    then([&] {
        rows = popup.List1.items();
        EXPECT_EQ(popup.List1.list_index(), -1);  // "Not selected" is no row
        EXPECT_EQ(popup.input_combo_locator, 4);
        popup.deliver_mouse_down(100, 15 + 195 + 90, forms::left_button, 0);
        popup.deliver_mouse_up(100, 15 + 195 + 90, forms::left_button, 0);
    });
    editor->deliver_mouse_up(x, y, forms::left_button, 0);
    EXPECT_EQ(arrow.top(), 0);
    EXPECT_EQ(rows, (std::vector<std::string>{"Disabled Netplay", "Epsilon Net 1.5"}));
    EXPECT_EQ(label("Label7").caption(), "Epsilon Net 1.5");
    EXPECT_EQ(editor->selected_plugin[3], "2");
    // Ok stores the picked library.
    editor->ok_click();
    EXPECT_EQ(reg.values[key + "NetPlugin"], "netEpsilon.so");
}

TEST_F(EpsxePlugins, TestReportsByTheSignOfTheAnswer) {
    open();
    auto& main_caption = toolkit::form<Main_form>().caption();
    choose(0, 1);  // Alpha: 0
    EXPECT_EQ(shown_message(label("Label22")), "Plugin is working correctly. [0]");
    EXPECT_EQ(toolkit::form<messages_form>().Framebar_title.caption(), "  " + main_caption + "  ");
    choose(1, 2);  // Beta: -1
    EXPECT_EQ(shown_message(label("Label25")), "Plugin is NOT working correctly. [1]");
    choose(2, 3);  // Gamma: 1
    EXPECT_EQ(shown_message(label("Label28")), "");
    choose(3, 2);  // Epsilon: the lowest 32-bit number, beyond 16 bits
    EXPECT_EQ(shown_message(label("Label31")), "Plugin is NOT working correctly. [1]");
    // The language's texts are read at each report.
    editor->plugin_working = "Works.";
    choose(0, 1);
    EXPECT_EQ(shown_message(label("Label22")), "Works. [0]");
}

TEST_F(EpsxePlugins, BuiltInEntriesAndEmptySlotsAreNeverTested) {
    open();
    EXPECT_EQ(shown_message(label("Label22")), "");  // nothing chosen
    choose(1, 1);
    EXPECT_EQ(shown_message(label("Label25")), "");
    choose(2, 2);
    EXPECT_EQ(shown_message(label("Label28")), "");
    choose(3, 1);
    EXPECT_EQ(shown_message(label("Label31")), "");
    // Configure on a built-in entry names no library: nothing happens.
    label("Label29").on_click();
    EXPECT_TRUE(editor->find("Label29") != nullptr);
}

TEST_F(EpsxePlugins, ACrashingTestIsNotWorkingAndTheEditorStaysOpen) {
    open();
    choose(0, 2);  // Crash Test
    toolkit::form<configs_form>();
    bool still_open = false;
    then([&] {
        EXPECT_EQ(shown_message(label("Label22")), "Plugin is NOT working correctly. [1]");
        still_open = editor->visible();
        editor->ok_click();
    });
    editor->show_modal(toolkit::form<Main_form>());
    EXPECT_TRUE(still_open);
}

TEST_F(EpsxePlugins, ConfigureAndAboutReachTheChosenLibrary) {
    open();
    choose(0, 3);  // Logger
    label("Label23").on_click();
    label("Label24").on_click();
    EXPECT_EQ(kvtest::read_file(emu / "plugins" / "gpuLogger.so.log"), "configure\nabout\n");
}

TEST_F(EpsxePlugins, APluginThatDoesNotReturnIsStoppedWhenTheUserAsks) {
    copy_plugins(emu / "plugins", {"gpuHangCalls.so"});
    open();
    choose(0, 3);  // Alpha, Crash Test, then Hang Calls
    ASSERT_EQ(editor->name_label(0).caption(), "Hang Calls 1.0");
    // A press on the program while its dialog is up asks whether to stop it; Yes gives the program back.
    display.press_during_wait();
    display.answer_question(true);
    label("Label23").on_click();
    ASSERT_EQ(display.system_questions().size(), 1u);
    EXPECT_EQ(display.system_questions()[0],
              toolkit::form<Main_form>().caption() + ": " + plugins::plugin_still_running);
    // A test stopped so did not work.
    display.press_during_wait();
    display.answer_question(true);
    EXPECT_EQ(shown_message(label("Label22")), "Plugin is NOT working correctly. [1]");
    EXPECT_EQ(display.system_questions().size(), 2u);
}

}  // namespace
}  // namespace kv
