// The ePSXe editor's settings side on a headless display, with a registry of the test's own.
#include <gtest/gtest.h>

#include "configs/configs_form.h"
#include "configs/epsxe_config.h"
#include "configs/epsxe_design.h"
#include "configs/fake_registry.h"
#include "launcher/program_fixture.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

const std::string key = configs::epsxe_key;

class EpsxeEditor : public kvtest::ProgramTest {
  protected:
    EpsxeEditor() : editor(toolkit::form<ePSXe_config>()) { editor.registry = reg.access(); }

    static void press(forms::Control& c) {
        c.form().deliver_mouse_down(c.form_x() + 5, c.form_y() + 5, forms::left_button, 0);
        c.form().deliver_mouse_up(c.form_x() + 5, c.form_y() + 5, forms::left_button, 0);
    }
    forms::Control& control(const std::string& name) {
        auto* c = editor.find(name);
        if (!c) throw std::runtime_error("no control " + name);
        return *c;
    }
    float box_top(int element) { return editor.find("checkboxes", element)->top(); }
    std::string text(const char* name) { return static_cast<forms::TextBox&>(control(name)).text(); }

    kvtest::FakeRegistry reg;
    ePSXe_config& editor;
};

TEST_F(EpsxeEditor, EachOptionLabelTogglesItsOwnBox) {
    // Label37 to Label42 toggle the elements 0, 2, 1, 5, 4 and 3.
    const std::pair<const char*, int> pairs[] = {{"Label37", 0}, {"Label38", 2}, {"Label39", 1},
                                                 {"Label40", 5}, {"Label41", 4}, {"Label42", 3}};
    for (auto [label, element] : pairs) {
        press(control(label));
        for (int e = 0; e < 6; ++e) EXPECT_EQ(box_top(e), e == element ? -255 : 0) << label << " " << e;
        press(control(label));
        EXPECT_EQ(box_top(element), 0) << label;
    }
}

TEST_F(EpsxeEditor, OpeningReadsTheStoredValuesAnew) {
    reg.values = {{key + "BiosName", "/bios/scph.bin"},
                  {key + "Memcard1", "/cards/one.mcr"},
                  {key + "Memcard2", "/cards/two.mcr"},
                  {key + "SoundEnabled", "1"},
                  {key + "SoundXA", "abc"},
                  {key + "SubchannelW2kCdromEnabled", "1"},
                  {key + "SubchannelW9xCdromEnabled", "0"}};
    editor.get_emulator_path("/emu/", "Fast");
    EXPECT_EQ(editor.plugins_path, "/emu/plugins/");
    EXPECT_EQ(editor.profile_name, "Fast");
    EXPECT_EQ(text("Text2"), "/bios/scph.bin");
    EXPECT_EQ(text("Text3"), "/cards/one.mcr");
    EXPECT_EQ(text("Text1"), "/cards/two.mcr");
    EXPECT_EQ(box_top(0), -255);
    EXPECT_EQ(box_top(1), 0);
    EXPECT_EQ(box_top(4), -255);

    reg.values.clear();
    editor.get_emulator_path("/emu/", "Fast");
    EXPECT_EQ(text("Text2"), "");
    for (int e = 0; e < 6; ++e) EXPECT_EQ(box_top(e), 0);
}

TEST_F(EpsxeEditor, OkSavesExportsBothKeysHandsTheWheelBackAndHides) {
    std::vector<std::string> events;
    auto& configs = toolkit::form<configs_form>();
    configs.scroll_event.set_enabled(false);
    editor.get_emulator_path("/emu/", "My profile");
    press(control("Label37"));
    press(control("Label41"));
    then([&] { press(control("Label21")); });
    editor.show_modal(configs);

    EXPECT_FALSE(editor.visible());
    EXPECT_TRUE(configs.scroll_event.enabled());
    EXPECT_EQ(reg.values[key + "SoundEnabled"], "1");
    EXPECT_EQ(reg.values[key + "SubchannelW2kCdromEnabled"], "1");
    EXPECT_EQ(reg.values[key + "SubchannelW9xCdromEnabled"], "1");
    EXPECT_EQ(reg.values[key + "SoundCDDA"], "0");
    EXPECT_EQ(reg.values[key + "BiosName"], "");
    // Nothing chosen in a slot: its value is left as it was.
    EXPECT_EQ(reg.values.count(key + "VideoPlugin"), 0u);
    ASSERT_EQ(reg.exports.size(), 2u);
    const auto profiles = folder.path() / "Configurations" / "ePSXe";
    EXPECT_EQ(reg.exports[0].first, (profiles / "emulator_configuration" / "My profile.reg").string());
    EXPECT_EQ(reg.exports[0].second, "HKEY_CURRENT_USER\\Software\\epsxe");
    EXPECT_EQ(reg.exports[1].first, (profiles / "plugin_configuration" / "My profile.reg").string());
    EXPECT_EQ(reg.exports[1].second, "HKEY_CURRENT_USER\\Software\\Vision Thing\\PSEmu Pro");
}

TEST_F(EpsxeEditor, FailedExportsAndWritesAreToldInOneMessageAndOkStillCloses) {
    reg.exports_fail = true;
    reg.refused = {key + "BiosName", key + "Memcard1"};
    editor.get_emulator_path("/emu/", "p");
    auto& configs = toolkit::form<configs_form>();
    configs.scroll_event.set_enabled(false);
    editor.show();
    then([&] {
        auto& box = toolkit::form<messages_form>();
        EXPECT_EQ(box.owner(), &editor);
        EXPECT_EQ(box.Framebar_title.caption(), "  Korvalin 1.2  ");
        EXPECT_EQ(box.message_image.top(), -720);
        // The editor waits for the user: it is still open, the wheel still off.
        EXPECT_TRUE(editor.visible());
        EXPECT_FALSE(configs.scroll_event.enabled());
    });
    then_read_message();
    testing::internal::CaptureStderr();
    editor.ok_click();
    const std::string err = testing::internal::GetCapturedStderr();
    const auto profiles = folder.path() / "Configurations" / "ePSXe";
    const std::string told =
        "Some settings of the profile \"p\" were not saved:\n"
        "cannot write 2 registry values under " +
        key +
        ": the store is read-only\n"
        "cannot write " +
        (profiles / "emulator_configuration" / "p.reg").string() +
        ": cannot export HKEY_CURRENT_USER\\Software\\epsxe: the disk is full\n"
        "cannot write " +
        (profiles / "plugin_configuration" / "p.reg").string() +
        ": cannot export HKEY_CURRENT_USER\\Software\\Vision Thing\\PSEmu Pro: the disk is full";
    EXPECT_EQ(read_messages, (std::vector<std::string>{told}));
    EXPECT_NE(err.find("korvalin: cannot write 2 registry values under " + key), std::string::npos) << err;
    EXPECT_EQ(reg.exports.size(), 2u);
    EXPECT_EQ(reg.values[key + "SoundEnabled"], "0");
    EXPECT_TRUE(configs.scroll_event.enabled());
    EXPECT_FALSE(editor.visible());
}

TEST_F(EpsxeEditor, AProfileNameThatWouldLeaveItsFolderExportsNothingAndSaysSo) {
    for (const char* name : {"../escape", "a/b", "a\\b", "/abs"}) {
        reg.exports.clear();
        read_messages.clear();
        editor.get_emulator_path("/emu/", name);
        then_read_message();
        editor.ok_click();
        ASSERT_EQ(read_messages.size(), 1u) << name;
        EXPECT_NE(read_messages[0].find(
                      "the profile name cannot name a file, so HKEY_CURRENT_USER\\Software\\epsxe "
                      "was not exported"),
                  std::string::npos)
            << name;
        EXPECT_TRUE(reg.exports.empty()) << name;
    }
}

TEST_F(EpsxeEditor, EveryListedProfileNameExportsIntoItsOwnFiles) {
    // The configs window lists ".reg" as the profile "" and "..reg" as ".": both are files of the
    // profile folder once ".reg" is added, so Ok saves them like any other profile.
    const auto profiles = folder.path() / "Configurations" / "ePSXe";
    for (const std::string name : {"", ".", ".."}) {
        reg.exports.clear();
        editor.get_emulator_path("/emu/", name);
        editor.ok_click();
        ASSERT_EQ(reg.exports.size(), 2u) << name;
        EXPECT_EQ(reg.exports[0].first, (profiles / "emulator_configuration" / (name + ".reg")).string());
        EXPECT_EQ(reg.exports[1].first, (profiles / "plugin_configuration" / (name + ".reg")).string());
    }
}

TEST_F(EpsxeEditor, BrowseButtonsFillTheirBoxesAndACancelChangesNothing) {
    static_cast<forms::TextBox&>(control("Text2")).set_text("/old/bios.bin");
    display.answer_file(std::nullopt);
    static_cast<forms::Label&>(control("Label36")).on_click();
    EXPECT_EQ(text("Text2"), "/old/bios.bin");

    display.answer_file("/cards/slot one.mcr");
    static_cast<forms::Label&>(control("Label34")).on_click();
    EXPECT_EQ(text("Text3"), "/cards/slot one.mcr");
    display.answer_file("/bios/scph1001.bin");
    static_cast<forms::Label&>(control("Label36")).on_click();
    EXPECT_EQ(text("Text2"), "/bios/scph1001.bin");
    ASSERT_EQ(display.file_requests().size(), 3u);
    EXPECT_EQ(display.file_requests()[1].filter_description, "Memory card (*.mcr)");
    EXPECT_EQ(display.file_requests()[2].filter_pattern, "*.bin");
    EXPECT_EQ(display.file_requests()[2].title, "Browse");
    // Only the browse buttons fill the boxes.
    EXPECT_TRUE(static_cast<forms::TextBox&>(control("Text1")).locked());
}

TEST_F(EpsxeEditor, ButtonsShowTheirPressedHalfWhileHeld) {
    auto& ok = control("Label21");
    auto& image = control("Image4");
    editor.deliver_mouse_down(ok.form_x() + 5, ok.form_y() + 5, forms::right_button, 0);
    EXPECT_EQ(image.top(), -375);
    editor.deliver_mouse_up(ok.form_x() + 5, ok.form_y() + 5, forms::right_button, 0);
    EXPECT_EQ(image.top(), 0);
    auto& browse = control("Label35");
    editor.deliver_mouse_down(browse.form_x() + 5, browse.form_y() + 5, forms::left_button, 0);
    EXPECT_EQ(control("Image2").top(), -255);
    auto& cd_about = control("Label30");
    editor.deliver_mouse_up(browse.form_x() + 5, browse.form_y() + 5, forms::left_button, 0);
    editor.deliver_mouse_down(cd_about.form_x() + 5, cd_about.form_y() + 5, forms::left_button, 0);
    EXPECT_EQ(editor.find("buttons", 6)->top(), -375);
    EXPECT_EQ(editor.find("buttons", 8)->top(), 0);
}

}  // namespace
}  // namespace kv
