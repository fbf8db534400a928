// The PCSX editor: the emulator's own folder markers, the BIOS list, the folder buttons and what Ok
// writes.
#include <gtest/gtest.h>

#include <filesystem>

#include "configs/editor_fixture.h"
#include "configs/pcsx_config.h"
#include "configs/pcsx_design.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
const std::string key = configs::pcsx_key;

class PcsxEditor : public kvtest::EditorTest<PCSX_config> {
  protected:
    PcsxEditor() {
        copy_plugins(emu / "Plugin", {"gpuAlpha.so"});
        fs::create_directories(other / "x.bin");
        copy_plugins(other, {"padDelta.so"});
        kvtest::write_file(emu / "Bios" / "SCPH1001.BIN", "b");
        kvtest::write_file(emu / "Bios" / "scph7502.bin", "b");
        kvtest::write_file(emu / "Bios" / "readme.txt", "r");
        // Hidden files and names with line breaks are never offered.
        kvtest::write_file(emu / "Bios" / ".hidden.bin", "b");
        kvtest::write_file(emu / "Bios" / "A\r\nX.bin", "b");
        start_editor();
    }

    void open() { editor->get_emulator_path(emu.string() + "/", "Fast"); }
    std::string text(const char* box) { return static_cast<forms::TextBox*>(editor->find(box))->text(); }

    fs::path other = folder / "other";
};

TEST_F(PcsxEditor, TheEmulatorsOwnFolderMarkersAreResolvedBesideIt) {
    reg.values = {{key + "PluginsDir", "Plugin\\"}, {key + "BiosDir", "Bios\\"},
                  {key + "Gpu", "gpuAlpha.so"},     {key + "Bios", "HLE"},
                  {key + "Mcd1", "/c/one.mcr"},     {key + "Mcd2", "/c/two.mcr"}};
    open();
    EXPECT_EQ(editor->plugins_path, emu.string() + "/Plugin/");
    EXPECT_EQ(editor->bios_path, emu.string() + "/Bios/");
    EXPECT_EQ(editor->name_label(0).caption(), "Alpha GPU 1.2");
    EXPECT_EQ(editor->bios_list,
              (std::vector<std::string>{"HLE|||Internal HLE Bios", "SCPH1001.BIN|||SCPH1001.BIN",
                                        "scph7502.bin|||scph7502.bin"}));
    EXPECT_EQ(editor->name_label(5).caption(), "Internal HLE Bios");
    EXPECT_EQ(editor->selected_plugin[5], "1");
    EXPECT_EQ(text("Text3"), "/c/one.mcr");
    EXPECT_EQ(text("Text1"), "/c/two.mcr");

    // A marker in another letter case is a folder name of its own.
    reg.values[key + "PluginsDir"] = "plugin\\";
    open();
    EXPECT_EQ(editor->plugins_path, "plugin\\");
    EXPECT_EQ(editor->name_label(0).caption(), "Not selected");
}

// The folders the markers name are found in whatever letter case they were copied from Windows, and
// Ok stores them as found, so that the next opening, which takes a stored folder as it is, finds them.
TEST_F(PcsxEditor, TheMarkersFindTheEmulatorsFoldersInAnyLetterCase) {
    fs::rename(emu / "Plugin", emu / "plugin");
    fs::rename(emu / "Bios", emu / "BIOS");
    reg.values = {{key + "PluginsDir", "Plugin\\"},
                  {key + "BiosDir", "Bios\\"},
                  {key + "Gpu", "gpuAlpha.so"},
                  {key + "Bios", "scph7502.bin"}};
    open();
    EXPECT_EQ(editor->name_label(0).caption(), "Alpha GPU 1.2");
    EXPECT_EQ(editor->name_label(5).caption(), "scph7502.bin");
    editor->ok_click();
    EXPECT_EQ(reg.values[key + "PluginsDir"], emu.string() + "/plugin/");
    EXPECT_EQ(reg.values[key + "BiosDir"], emu.string() + "/BIOS/");
}

TEST_F(PcsxEditor, AMissingBiosShowsTheInternalOneAndOkStoresItExpanded) {
    reg.values = {{key + "PluginsDir", "Plugin\\"}, {key + "BiosDir", "Bios\\"}, {key + "Bios", "gone.bin"}};
    open();
    EXPECT_EQ(editor->name_label(5).caption(), "Internal HLE Bios");
    EXPECT_EQ(editor->selected_plugin[5], "0");
    editor->ok_click();
    EXPECT_EQ(reg.values[key + "Bios"], "HLE");
    EXPECT_EQ(reg.values[key + "PluginsDir"], emu.string() + "/Plugin/");
    EXPECT_EQ(reg.values[key + "BiosDir"], emu.string() + "/Bios/");
    EXPECT_EQ(reg.values[key + "Mcd1"], "");
    EXPECT_EQ(reg.values.count(key + "Gpu"), 0u);
    ASSERT_EQ(reg.exports.size(), 2u);
    EXPECT_EQ(reg.exports[0].second, "HKEY_CURRENT_USER\\Software\\Pcsx");
}

TEST_F(PcsxEditor, WithNoFolderStoredTheEmulatorsOwnFoldersAreListed) {
    // The program's own folder holds a BIOS image and a plug-in; neither may be listed.
    kvtest::write_file(folder / "own.bin", "b");
    copy_plugins(folder.path(), {"padDelta.so"});
    const fs::path previous = fs::current_path();
    fs::current_path(folder.path());
    // A new set-up has neither value; one whose values are empty is the same.
    for (bool stored_empty : {false, true}) {
        reg.values.clear();
        if (stored_empty) reg.values = {{key + "PluginsDir", ""}, {key + "BiosDir", ""}};
        open();
        EXPECT_EQ(editor->plugins_path, emu.string() + "/Plugin/");
        EXPECT_EQ(editor->bios_path, emu.string() + "/Bios/");
        EXPECT_EQ(editor->gpu_list, (std::vector<std::string>{"gpuAlpha.so|||Alpha GPU 1.2"}));
        EXPECT_TRUE(editor->pad_list.empty());
        EXPECT_EQ(editor->bios_list.size(), 3u);
    }
    fs::current_path(previous);
    editor->ok_click();
    EXPECT_EQ(reg.values[key + "PluginsDir"], emu.string() + "/Plugin/");
    EXPECT_EQ(reg.values[key + "BiosDir"], emu.string() + "/Bios/");
}

TEST_F(PcsxEditor, TheFolderButtonsRescanFromTheChosenFolder) {
    reg.values = {{key + "PluginsDir", "Plugin\\"},
                  {key + "BiosDir", "Bios\\"},
                  {key + "Pad1", "padDelta.so"},
                  {key + "Bios", "scph7502.bin"}};
    open();
    EXPECT_EQ(editor->name_label(5).caption(), "scph7502.bin");
    // A pick made before another plug-in folder gives way to the stored choice.
    editor->name_label(0).set_caption("Alpha GPU 1.2");
    display.answer_folder(other.string());
    editor->Label36_Click();
    EXPECT_EQ(editor->plugins_path, other.string() + "/");
    EXPECT_EQ(editor->name_label(0).caption(), "Not selected");
    EXPECT_EQ(editor->name_label(4).caption(), "Delta Pad 2.1");
    EXPECT_EQ(editor->selected_plugin[4], "1");
    // The BIOS choice stays while the plug-in folder changes; a cancelled dialog changes nothing.
    EXPECT_EQ(editor->name_label(5).caption(), "scph7502.bin");
    display.answer_folder(std::nullopt);
    editor->Label38_Click();
    EXPECT_EQ(editor->bios_path, emu.string() + "/Bios/");
    // Another BIOS folder without the stored image: the internal BIOS, unchosen.
    display.answer_folder(other.string());
    editor->Label38_Click();
    EXPECT_EQ(editor->bios_list.size(), 1u);
    EXPECT_EQ(editor->selected_plugin[5], "0");
    editor->ok_click();
    EXPECT_EQ(reg.values[key + "PluginsDir"], other.string() + "/");
    EXPECT_EQ(reg.values[key + "Pad1"], "padDelta.so");
    EXPECT_EQ(reg.values[key + "Bios"], "HLE");
}

}  // namespace
}  // namespace kv
