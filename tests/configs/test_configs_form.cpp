// The configs window and the new-profile dialog over the main window, on a headless display.
#include <gtest/gtest.h>

#include <filesystem>

#include "configs/add_profile.h"
#include "configs/configs_form.h"
#include "configs/ssspsx_config.h"
#include "launcher/program_fixture.h"
#include "model/registry_bridge.h"
#include "toolkit/messages_form.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
using kvtest::catalogue_file;
using kvtest::Lines;
using kvtest::read_file;
using kvtest::write_file;

class ConfigsTest : public kvtest::ProgramTest {
  protected:
    ConfigsTest() {
        for (const char* emulator : psx_emulators)
            for (const char* kind : {"emulator_configuration", "plugin_configuration", "game_codes"})
                fs::create_directories(folder / "Configurations" / emulator / kind);
    }
    fs::path profile(const std::string& emulator, const std::string& name) {
        return folder / "Configurations" / emulator / "emulator_configuration" / (name + ".reg");
    }
    void add_profiles(const std::string& emulator, const Lines& names) {
        for (const auto& name : names) write_file(profile(emulator, name), "x");
    }
    // Opens the configs window from the main window; `inside` runs while it is open and must leave it.
    void in_configs(Main_form& main, std::function<void()> inside) {
        then(std::move(inside));
        main.command_click_labels[8]->on_click();
    }
    // A mouse press on the window's control, where a user would press it.
    static void press(forms::Control& c) {
        c.form().deliver_mouse_down(c.form_x() + 10, c.form_y() + 10, forms::left_button, 0);
        c.form().deliver_mouse_up(c.form_x() + 10, c.form_y() + 10, forms::left_button, 0);
    }
    std::vector<float> tab_tops(configs_form& c) {
        std::vector<float> tops;
        for (auto* image : c.tab_images) tops.push_back(image->top());
        return tops;
    }
    // Adds the profile `name` on tab `tab`, which must fail: the message box is opened over the name
    // dialog, and neither the dialog nor a profile stays. Gives the message.
    std::string refused_profile(Main_form& main, int tab, const std::string& name) {
        auto& configs = toolkit::form<configs_form>();
        auto& dialog = toolkit::form<add_profile>();
        std::string message;
        in_configs(main, [&] {
            press(*configs.tab_click_labels[tab]);
            then([&] {
                then([&] {
                    auto& box = toolkit::form<messages_form>();
                    EXPECT_EQ(box.owner(), &dialog);
                    message = box.Label31.caption();
                    box.Label43_Click();
                });
                dialog.Text1.set_text(name);
                dialog.Label1_Click();
            });
            press(*configs.button_click_labels[1]);
            EXPECT_FALSE(dialog.visible());
            EXPECT_EQ(configs.profile_list, Lines{});
            configs.Label1_Click();
        });
        return message;
    }
};

TEST_F(ConfigsTest, EveryOpeningShowsTheEpsxeTabAndOkHandsTheWheelBack) {
    add_profiles("ePSXe", {"b", "A", "c"});
    add_profiles("PCSX", {"fast"});
    Main_form& main = start();
    auto& configs = toolkit::form<configs_form>();
    in_configs(main, [&] {
        EXPECT_TRUE(configs.modal());
        EXPECT_EQ(configs.owner(), &main);
        EXPECT_FALSE(main.emulator_list.scroll_event.enabled());
        EXPECT_TRUE(configs.scroll_event.enabled());
        EXPECT_EQ(configs.current_config, "ePSXe");
        EXPECT_EQ(tab_tops(configs), (std::vector<float>{0, -255, -255, -255}));
        EXPECT_EQ(configs.profile_list, (Lines{"A", "b", "c"}));
        EXPECT_EQ(configs.selected_profile, "A");
        EXPECT_EQ(configs.config_list.row(3).caption(), "c");
        EXPECT_FALSE(configs.config_list.row(4).visible());
        configs.tab_MouseDown(2);
        EXPECT_EQ(configs.profile_list, Lines{"fast"});
        configs.Label1_Click();
    });
    EXPECT_FALSE(configs.visible());
    EXPECT_FALSE(configs.scroll_event.enabled());
    EXPECT_TRUE(main.emulator_list.scroll_event.enabled());

    // Ctrl+C opens it again, back on the ePSXe tab.
    then([&] {
        EXPECT_EQ(configs.current_config, "ePSXe");
        EXPECT_EQ(tab_tops(configs), (std::vector<float>{0, -255, -255, -255}));
        EXPECT_EQ(configs.profile_list, (Lines{"A", "b", "c"}));
        configs.Label1_Click();
    });
    int16_t ctrl_c = 3;
    main.Picture16_KeyPress(ctrl_c);
    EXPECT_FALSE(configs.visible());
}

TEST_F(ConfigsTest, APressOnTheShownTabChangesNothingAndAnotherTabListsFromItsFirstRow) {
    add_profiles("ePSXe", {"1", "2", "3", "4", "5", "6", "7", "8", "9"});
    add_profiles("SSSPSX", {"s1", "s2"});
    Main_form& main = start();
    auto& configs = toolkit::form<configs_form>();
    in_configs(main, [&] {
        EXPECT_TRUE(configs.config_list.thumb.visible());
        configs.config_list.scroll_list_down();
        press(configs.config_list.click_label(3));
        EXPECT_EQ(configs.selected_profile, "4");
        press(*configs.tab_click_labels[0]);
        EXPECT_EQ(configs.selected_profile, "4");
        EXPECT_EQ(configs.config_list.row(1).caption(), "2");

        press(*configs.tab_click_labels[3]);
        EXPECT_EQ(configs.current_config, "SSSPSX");
        EXPECT_EQ(tab_tops(configs), (std::vector<float>{-255, -255, -255, 0}));
        EXPECT_EQ(configs.selected_profile, "s1");
        EXPECT_EQ(configs.config_list.row(1).caption(), "s1");
        EXPECT_FALSE(configs.config_list.row(3).visible());
        EXPECT_FALSE(configs.config_list.thumb.visible());

        // An empty tab hides the rows and keeps the earlier selection.
        press(*configs.tab_click_labels[1]);
        EXPECT_TRUE(configs.profile_list.empty());
        EXPECT_FALSE(configs.config_list.row(1).visible());
        EXPECT_EQ(configs.selected_profile, "s1");
        configs.Label1_Click();
    });
}

TEST_F(ConfigsTest, TheNewProfileDialogAsksForANameNotOfBlanksRefusesSeparatorsAndListsTheNewProfile) {
    add_profiles("PSXeven", {"m"});
    Main_form& main = start();
    auto& configs = toolkit::form<configs_form>();
    auto& dialog = toolkit::form<add_profile>();
    std::string message;
    std::string blank_message;
    in_configs(main, [&] {
        press(*configs.tab_click_labels[1]);
        then([&] {
            EXPECT_FALSE(configs.scroll_event.enabled());
            EXPECT_EQ(dialog.owner(), &configs);
            then([&] {
                auto& box = toolkit::form<messages_form>();
                message = box.Label31.caption() + "|" + box.Framebar_title.caption() + "|" +
                          std::to_string(static_cast<int>(box.message_image.top()));
                EXPECT_EQ(box.owner(), &dialog);
                box.Label43_Click();
            });
            dialog.Label1_Click();
            EXPECT_TRUE(dialog.visible());
            // A name of blanks would list a row that shows nothing: the same message refuses it.
            then([&] {
                auto& box = toolkit::form<messages_form>();
                blank_message = box.Label31.caption();
                box.Label43_Click();
            });
            dialog.Text1.set_text(" \t  ");
            dialog.Label1_Click();
            EXPECT_TRUE(dialog.visible());
            EXPECT_EQ(dialog.Text1.text(), " \t  ");
            dialog.Text1.set_text("");
            for (char c : std::string("../a\\b/c")) dialog.Text1.type_character(c);
            EXPECT_EQ(dialog.Text1.text(), "..abc");
            dialog.Text1.set_text("x/y\\z");
            EXPECT_EQ(dialog.Text1.text(), "xyz");
            dialog.Label1_Click();
        });
        press(*configs.button_click_labels[1]);
        EXPECT_FALSE(dialog.visible());
        EXPECT_EQ(dialog.Text1.text(), "");
        EXPECT_TRUE(configs.scroll_event.enabled());
        EXPECT_EQ(configs.profile_list, (Lines{"m", "xyz"}));
        EXPECT_EQ(configs.selected_profile, "m");
        EXPECT_EQ(read_file(profile("PSXeven", "xyz")), "Blank configuration\r\n");

        // Cancel creates nothing and leaves the box empty for the next opening.
        then([&] {
            dialog.Text1.set_text("never");
            dialog.Label2_Click();
        });
        configs.Label9_Click();
        EXPECT_TRUE(configs.scroll_event.enabled());
        EXPECT_EQ(dialog.Text1.text(), "");
        EXPECT_FALSE(fs::exists(profile("PSXeven", "never")));
        configs.Label1_Click();
    });
    EXPECT_EQ(message, "A name of the configuration is required.|  Korvalin 1.2  |0");
    EXPECT_EQ(blank_message, "A name of the configuration is required.");
}

// A profile one of whose files cannot be written is told, naming the file, and is not listed as made.
TEST_F(ConfigsTest, ANewProfileThatCannotBeMadeIsToldAndNotListed) {
    const fs::path plugin_file = folder / "Configurations" / "PCSX" / "plugin_configuration" / "x.reg";
    fs::create_directories(plugin_file);
    Main_form& main = start();
    const std::string message = refused_profile(main, 2, "x");
    EXPECT_EQ(message, "The profile \"x\" was not made:\ncannot write " + plugin_file.string() +
                           ": not a regular file");
}

// A new SSSPSX profile starts from the emulator's SSSPSX.ini: met only in two other letter cases, it
// cannot be told, and the template must not silently stand in for the user's settings.
TEST_F(ConfigsTest, ANewSsspsxProfileIsNotMadeFromAnIniThatCannotBeTold) {
    const fs::path ssspsx = folder / "emus" / "ssspsx";
    write_file(ssspsx / "SSSPSX.INI", "[Plugins]\r\nBIOS=upper.bin\r\n");
    write_file(ssspsx / "ssspsx.ini", "[Plugins]\r\nBIOS=lower.bin\r\n");
    Main_form& main = start(catalogue_file({"SSSPSX 1.5|" + ssspsx.string() + "/|ssspsx"}));
    const std::string message = refused_profile(main, 3, "Mine");
    EXPECT_EQ(message, "The profile \"Mine\" was not made:\ncannot copy " + (ssspsx / "SSSPSX.ini").string() +
                           " into " + profile("SSSPSX", "Mine").string() +
                           ": cannot tell which of SSSPSX.INI and ssspsx.ini in " + ssspsx.string() +
                           "/ is SSSPSX.ini: their names differ only in letter case");
    for (const char* kind : {"emulator_configuration", "plugin_configuration"})
        EXPECT_TRUE(fs::is_empty(folder / "Configurations" / "SSSPSX" / kind)) << kind;
    EXPECT_EQ(read_file(ssspsx / "SSSPSX.INI"), "[Plugins]\r\nBIOS=upper.bin\r\n");
    EXPECT_EQ(read_file(ssspsx / "ssspsx.ini"), "[Plugins]\r\nBIOS=lower.bin\r\n");
    EXPECT_FALSE(fs::exists(ssspsx / "SSSPSX.ini"));
}

TEST_F(ConfigsTest, ConfigureAndActivateFindTheEmulatorByACaseSensitivePrefixOrSayWhy) {
    const fs::path ssspsx = folder / "emus" / "ssspsx";
    write_file(ssspsx / "SSSPSX.ini", "old");
    add_profiles("ePSXe", {"e"});
    add_profiles("PSXeven", {"p"});
    add_profiles("PCSX", {"c"});
    write_file(profile("SSSPSX", "fast"), "[Plugins]\r\nGPU=fast.so\r\n");
    // Never saved by an editor: nothing to import, and nothing to tell.
    write_file(folder / "Configurations" / "SSSPSX" / "plugin_configuration" / "fast.reg",
               "Blank configuration\r\n");
    Main_form& main = start(
        catalogue_file({"My ePSXe|/emus/other/|x", "epsxe|/emus/lower/|x", "PSXeven 7|Unknown|Unknown",
                        "PCSX|C:\\Games\\PCSX\\|pcsx.exe", "SSSPSX 1.5|" + ssspsx.string() + "/|ssspsx"}));
    auto& configs = toolkit::form<configs_form>();
    Lines messages;
    auto expect_message = [&] {
        then([&] {
            auto& box = toolkit::form<messages_form>();
            EXPECT_EQ(box.owner(), &configs);
            EXPECT_EQ(box.message_image.top(), -720);
            messages.push_back(box.Label31.caption());
            box.Label43_Click();
        });
    };
    in_configs(main, [&] {
        // Nothing to act on: no message.
        press(*configs.tab_click_labels[3]);
        fs::remove(profile("SSSPSX", "fast"));
        configs.load_configs();
        configs.Label12_Click();
        configs.Label13_Click();
        EXPECT_EQ(configs.emulator_folder, "");
        write_file(profile("SSSPSX", "fast"), "[Plugins]\r\nGPU=fast.so\r\n");

        press(*configs.tab_click_labels[0]);
        expect_message();
        configs.Label12_Click();
        expect_message();
        configs.Label13_Click();
        press(*configs.tab_click_labels[1]);
        expect_message();
        configs.Label13_Click();
        EXPECT_EQ(configs.emulator_folder, "Unknown");
        // A folder written for another system is no folder here.
        press(*configs.tab_click_labels[2]);
        expect_message();
        configs.Label12_Click();
        EXPECT_TRUE(configs.scroll_event.enabled());

        press(*configs.tab_click_labels[3]);
        configs.load_configs();
        configs.Label13_Click();
        EXPECT_EQ(configs.emulator_folder, ssspsx.string() + "/");
        EXPECT_EQ(read_file(ssspsx / "SSSPSX.ini"), "[Plugins]\r\nGPU=fast.so\r\n");
        // Configure activates, then opens the editor on the copied file; the editor's Ok turns the
        // wheel polling on again.
        write_file(ssspsx / "SSSPSX.ini", "old");
        then([&] {
            auto& editor = toolkit::form<SSSPSX_config>();
            EXPECT_TRUE(editor.modal());
            // Read by position: the second line is the BIOS line, whatever its key.
            EXPECT_EQ(editor.ini_values[0], "fast.so");
            EXPECT_FALSE(configs.scroll_event.enabled());
            // No registry editor in this folder: the plug-ins' key cannot be exported, and Ok says so.
            then_read_message();
            editor.ok_click();
        });
        configs.Label12_Click();
        EXPECT_TRUE(configs.scroll_event.enabled());
        EXPECT_TRUE(configs.visible());
        configs.Label1_Click();
    });
    const std::string not_found = " - Emulator not found, add emulator to the list in order to proceed.";
    const std::string no_path =
        " - Emulator location is unknown, please set the emulator location in order to proceed.";
    EXPECT_EQ(messages,
              (Lines{"ePSXe" + not_found, "ePSXe" + not_found, "PSXeven" + no_path, "PCSX" + no_path}));
    ASSERT_EQ(read_messages.size(), 1u);
    EXPECT_NE(read_messages[0].find(
                  "cannot write " +
                  (folder / "Configurations" / "SSSPSX" / "plugin_configuration" / "fast.reg").string() +
                  ": cannot start "),
              std::string::npos)
        << read_messages[0];
}

TEST_F(ConfigsTest, ActivateHasImportedBothFilesWhenTheClickReturns) {
    // The registry editor is started from the program folder.
    fs::copy_file(fs::path(KORVALIN_PROGRAM_DIR) / "korvalin-regedit", folder / "korvalin-regedit");
    const fs::path tree = folder / "Configurations" / "ePSXe";
    write_file(tree / "plugin_configuration" / "fast.reg",
               "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Vision Thing\\PSEmu Pro\\GPU]\r\n"
               "\"Resolution\"=\"2\"\r\n\r\n");
    write_file(tree / "emulator_configuration" / "fast.reg",
               "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\epsxe\\config]\r\n"
               "\"VideoPlugin\"=\"gpu fast.so\"\r\n\r\n");
    Main_form& main = start(catalogue_file({"ePSXe 1.9|/emus/epsxe/|epsxe"}));
    auto& configs = toolkit::form<configs_form>();
    in_configs(main, [&] {
        configs.Label13_Click();
        EXPECT_EQ(
            model::registry_value("HKEY_CURRENT_USER\\Software\\epsxe\\config\\VideoPlugin", "NOinfo", 1),
            "gpu fast.so");
        EXPECT_EQ(model::registry_value(
                      "HKEY_CURRENT_USER\\Software\\Vision Thing\\PSEmu Pro\\GPU\\Resolution", "NOinfo", 1),
                  "2");
        configs.Label1_Click();
    });
}

TEST_F(ConfigsTest, DeleteRemovesTheSelectedProfileAndLeavesNothingSelected) {
    add_profiles("PCSX", {"a", "b", "c"});
    write_file(folder / "Configurations" / "PCSX" / "plugin_configuration" / "b.reg", "x");
    write_file(folder / "Configurations" / "PCSX" / "game_codes" / "b.ini", "x");
    Main_form& main = start(catalogue_file({"PCSX|/emus/pcsx/|pcsx"}));
    auto& configs = toolkit::form<configs_form>();
    in_configs(main, [&] {
        press(*configs.tab_click_labels[2]);
        press(configs.config_list.click_label(2));
        EXPECT_EQ(configs.selected_profile, "b");
        press(*configs.button_click_labels[2]);
        EXPECT_EQ(configs.profile_list, (Lines{"a", "c"}));
        EXPECT_FALSE(fs::exists(folder / "Configurations" / "PCSX" / "game_codes" / "b.ini"));
        EXPECT_FALSE(fs::exists(folder / "Configurations" / "PCSX" / "plugin_configuration" / "b.reg"));
        // Nothing is selected: a second Delete, Activate or Configure acts on no profile.
        EXPECT_EQ(configs.selected_profile, "");
        EXPECT_FALSE(configs.config_list.list_selector_image.visible());
        press(*configs.button_click_labels[2]);
        configs.Label13_Click();
        configs.Label12_Click();
        EXPECT_EQ(configs.profile_list, (Lines{"a", "c"}));
        EXPECT_EQ(configs.emulator_folder, "");
        EXPECT_FALSE(toolkit::form<messages_form>().visible());
        // A profile named "" (the file ".reg") is not taken for the missing selection.
        add_profiles("PCSX", {""});
        configs.load_configs();
        press(configs.config_list.click_label(3));
        press(*configs.button_click_labels[2]);
        configs.Label11_Click();
        EXPECT_EQ(configs.profile_list, (Lines{"", "a"}));
        // An empty list deletes nothing, whatever was selected last.
        press(*configs.tab_click_labels[1]);
        add_profiles("PSXeven", {"a"});
        configs.Label11_Click();
        EXPECT_TRUE(fs::exists(profile("PSXeven", "a")));
        configs.Label1_Click();
    });
}

TEST_F(ConfigsTest, ButtonsShowTheirPressedLookWhileHeld) {
    Main_form& main = start();
    auto& configs = toolkit::form<configs_form>();
    in_configs(main, [&] {
        for (std::size_t i = 1; i < 5; ++i) {
            auto& label = *configs.button_click_labels[i];
            label.form().deliver_mouse_down(label.form_x() + 10, label.form_y() + 10, forms::left_button, 0);
            EXPECT_EQ(configs.button_images[i]->top(), -375) << i;
            // Add new's click opens its dialog.
            if (i == 1) then([] { toolkit::form<add_profile>().Label2_Click(); });
            label.form().deliver_mouse_up(label.form_x() + 10, label.form_y() + 10, forms::left_button, 0);
            EXPECT_EQ(configs.button_images[i]->top(), 0) << i;
        }
        configs.Label1_Click();
    });
}

}  // namespace
}  // namespace kv
