// The PSXeven editor: its values carry the emulator's "plugins\" folder before lower-cased library
// names; both gamepads choose from one list; Ok exports only its settings key and the plug-in key.
#include <gtest/gtest.h>

#include <filesystem>

#include "configs/editor_fixture.h"
#include "configs/psxeven_config.h"
#include "configs/psxeven_design.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

const std::string key = configs::psxeven_key;

class PsxevenEditor : public kvtest::EditorTest<PSXeven_config> {
  protected:
    PsxevenEditor() {
        copy_plugins(emu / "plugins", {"gpuAlpha.so", "spuBeta.SO", "padDelta.so", "cdrGamma.so"});
        start_editor();
    }

    void open() { editor->get_emulator_path(emu.string() + "/", "Even"); }
    std::string caption(int slot) { return editor->name_label(slot).caption(); }
};

TEST_F(PsxevenEditor, StoredValuesMatchOnlyWithThePrefixAndTheLowerCaseName) {
    reg.values = {{key + "GpuFilename", "plugins\\gpuAlpha.so"},  // the list holds "gpualpha.so"
                  {key + "SpuFilename", "plugins\\spubeta.so"},
                  {key + "CdrFilename", "cdrgamma.so"},  // no folder
                  {key + "Pad1Filename", "plugins\\paddelta.so"},
                  {key + "BiosFilename", "/bios/scph.bin"}};
    open();
    EXPECT_EQ(caption(0), "Not selected");
    EXPECT_EQ(caption(1), "Beta Sound 2.3");
    EXPECT_EQ(editor->selected_plugin[1], "1");
    EXPECT_EQ(caption(2), "Not selected");
    EXPECT_EQ(caption(3), "Not selected");
    EXPECT_EQ(caption(4), "Delta Pad 2.1");
    EXPECT_EQ(static_cast<forms::TextBox*>(editor->find("Text2"))->text(), "/bios/scph.bin");
}

TEST_F(PsxevenEditor, OkWritesThePrefixedNamesForBothGamepadsAndExportsTheSettingsKey) {
    open();
    // The same library for both gamepads, as the pickers hand it back.
    for (int slot : {3, 4}) {
        editor->name_label(slot).set_caption("Delta Pad 2.1");
        editor->enter_psxeven_plugin_index(static_cast<int16_t>(slot), 1);
    }
    reg.values[key + "GpuFilename"] = "plugins\\old.so";
    editor->ok_click();
    EXPECT_EQ(reg.values[key + "Pad1Filename"], "plugins\\paddelta.so");
    EXPECT_EQ(reg.values[key + "Pad2Filename"], "plugins\\paddelta.so");
    EXPECT_EQ(reg.values[key + "GpuFilename"], "plugins\\old.so");
    EXPECT_EQ(reg.values[key + "Memcard1"], "");
    ASSERT_EQ(reg.exports.size(), 2u);
    EXPECT_EQ(reg.exports[0].first,
              (folder.path() / "Configurations/PSXeven/emulator_configuration/Even.reg").string());
    EXPECT_EQ(reg.exports[0].second, "HKEY_CURRENT_USER\\Software\\PSXeven7\\PS7gui\\Settings");
    EXPECT_EQ(reg.exports[1].second, "HKEY_CURRENT_USER\\Software\\Vision Thing\\PSEmu Pro");
}

TEST_F(PsxevenEditor, TheBiosBrowseAsksForPlaystationBiosFiles) {
    display.answer_file("/bios/scph7502.bin");
    static_cast<forms::Label*>(editor->find("Label36"))->on_click();
    EXPECT_EQ(display.file_requests().at(0).filter_description, "Playstation BIOS (*.bin)");
    EXPECT_EQ(static_cast<forms::TextBox*>(editor->find("Text2"))->text(), "/bios/scph7502.bin");
}

}  // namespace
}  // namespace kv
