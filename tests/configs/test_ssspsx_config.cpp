// The SSSPSX editor: the BIOS and memory-card lists, and Ok's profile file and copy over SSSPSX.ini.
#include <gtest/gtest.h>

#include <filesystem>

#include "configs/configs_form.h"
#include "configs/editor_fixture.h"
#include "configs/open_editor.h"
#include "configs/ssspsx_config.h"
#include "plugins/popup_form.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
class SsspsxEditor : public kvtest::EditorTest<SSSPSX_config> {
  protected:
    SsspsxEditor() {
        copy_plugins(emu / "plugins", {"gpuAlpha.so", "padDelta.so"});
        kvtest::write_file(emu / "bios" / "SCPH1001.BIN", "b");
        kvtest::write_file(emu / "bios" / "notes.txt", "n");
        kvtest::write_file(emu / "memcards" / "one.mcr", "m");
        kvtest::write_file(emu / "memcards" / "two.MCR", "m");
        // Hidden files are never offered.
        kvtest::write_file(emu / "bios" / ".hidden.BIN", "b");
        kvtest::write_file(emu / "memcards" / ".old.mcr", "m");
        fs::create_directories(profiles);
        start_editor();
    }

    void open(const std::string& ini) {
        kvtest::write_file(emu / "SSSPSX.ini", ini);
        editor->get_emulator_path(emu.string() + "/", "quick");
    }
    std::string caption(int slot) { return editor->name_label(slot).caption(); }

    fs::path profiles = folder / "Configurations" / "SSSPSX" / "emulator_configuration";
};

TEST_F(SsspsxEditor, OpeningShowsTheFilesChoicesInTheirLabels) {
    open(
        "[Plugins]\r\nBIOS=SCPH1001.BIN\r\nGPU=gpuAlpha.so=x\r\nSPU=\r\nCDR=\r\nPAD1=padDelta.so\r\n"
        "PAD2= padDelta.so\r\nMCD1=two.MCR\r\nMCD2=two.MCR\r\n");
    EXPECT_EQ(caption(5), "SCPH1001.BIN");
    EXPECT_EQ(editor->selected_plugin[5], "1");
    EXPECT_EQ(editor->bios_list, (std::vector<std::string>{"SCPH1001.BIN|||SCPH1001.BIN"}));
    EXPECT_EQ(caption(0), "Alpha GPU 1.2");  // cut at the second "="
    EXPECT_EQ(caption(2), "SSSPSX CDR Plugin [INTERNAL]");
    EXPECT_EQ(editor->selected_plugin[2], "1");
    EXPECT_EQ(caption(4), "Delta Pad 2.1");
    EXPECT_EQ(caption(3), "Not selected");  // the leading blank is kept and matches nothing
    EXPECT_EQ(caption(6), "two.MCR");
    EXPECT_EQ(caption(7), "two.MCR");
    EXPECT_EQ(editor->selected_plugin[6], "2");
}

// Folders copied from Windows keep the letter case they had there.
TEST_F(SsspsxEditor, TheEmulatorsFoldersAreFoundInAnyLetterCase) {
    fs::rename(emu / "plugins", emu / "Plugins");
    fs::rename(emu / "bios", emu / "BIOS");
    fs::rename(emu / "memcards", emu / "MemCards");
    open(
        "[Plugins]\r\nBIOS=SCPH1001.BIN\r\nGPU=gpuAlpha.so\r\nSPU=\r\nCDR=\r\nPAD1=\r\nPAD2=\r\nMCD1=one."
        "mcr\r\n");
    EXPECT_EQ(caption(0), "Alpha GPU 1.2");
    EXPECT_EQ(caption(5), "SCPH1001.BIN");
    EXPECT_EQ(caption(6), "one.mcr");
}

TEST_F(SsspsxEditor, OkWritesTheNineLinesAndCopiesThemOverTheEmulatorsFile) {
    open(
        "[Plugins]\r\nBIOS=scph1001.bin\r\nGPU=gpuAlpha.so\r\nSPU=\r\nCDR=\r\nPAD1=padDelta.so\r\n"
        "PAD2= padDelta.so\r\nMCD1=one.mcr\r\n");
    auto& configs = toolkit::form<configs_form>();
    configs.scroll_event.set_enabled(false);
    editor->ok_click();
    const std::string expected =
        "[Plugins]\r\nBIOS=\r\nGPU=gpuAlpha.so\r\nSPU=\r\nCDR=\r\nPAD1=padDelta.so\r\nPAD2=\r\nMCD1=one."
        "mcr\r\n"
        "MCD2=\r\n";
    EXPECT_EQ(kvtest::read_file(profiles / "quick.reg"), expected);
    EXPECT_EQ(kvtest::read_file(emu / "SSSPSX.ini"), expected);
    // Only the plug-ins' key is exported.
    ASSERT_EQ(reg.exports.size(), 1u);
    EXPECT_EQ(reg.exports[0].first,
              (folder.path() / "Configurations/SSSPSX/plugin_configuration/quick.reg").string());
    EXPECT_TRUE(configs.scroll_event.enabled());
    EXPECT_FALSE(editor->visible());
}

// A file whose name holds a line break could make SSSPSX.ini name a plug-in of its choosing: it is not
// offered, and no such name is written even when it reaches a list.
TEST_F(SsspsxEditor, NamesWithLineBreaksAreNeitherOfferedNorWritten) {
    const std::string bad = "A\r\nGPU=evil.so\r\nX.bin";
    kvtest::write_file(emu / "bios" / bad, "b");
    kvtest::write_file(emu / "memcards" / "c\nd.mcr", "m");
    const std::string ini = "[Plugins]\r\nBIOS=\r\nGPU=gpuAlpha.so\r\n";
    open(ini);
    EXPECT_EQ(editor->bios_list, (std::vector<std::string>{"SCPH1001.BIN|||SCPH1001.BIN"}));
    EXPECT_EQ(editor->memcard_list, (std::vector<std::string>{"one.mcr|||one.mcr", "two.MCR|||two.MCR"}));

    editor->bios_list.push_back(bad + "|||" + bad);
    editor->name_label(5).set_caption(bad);
    then_read_message();
    testing::internal::CaptureStderr();
    editor->ok_click();
    testing::internal::GetCapturedStderr();
    ASSERT_EQ(read_messages.size(), 1u);
    EXPECT_NE(read_messages[0].find("a value holds a line break"), std::string::npos) << read_messages[0];
    EXPECT_FALSE(fs::exists(profiles / "quick.reg"));
    EXPECT_EQ(kvtest::read_file(emu / "SSSPSX.ini"), ini);
}

TEST_F(SsspsxEditor, AProfileThatCannotBeWrittenIsNotCopiedOverTheEmulatorsFile) {
    const std::string ini = "[Plugins]\r\nBIOS=\r\nGPU=gpuAlpha.so\r\n";
    open(ini);
    // A folder where the profile file should be: the file cannot be written.
    kvtest::write_file(profiles / "quick.reg" / "inside", "x");
    then_read_message();
    testing::internal::CaptureStderr();
    editor->ok_click();
    const std::string err = testing::internal::GetCapturedStderr();
    const std::string told = "cannot write " + (profiles / "quick.reg").string() + ": not a regular file";
    ASSERT_EQ(read_messages.size(), 1u);
    EXPECT_EQ(read_messages[0], "Some settings of the profile \"quick\" were not saved:\n" + told);
    EXPECT_NE(err.find("korvalin: " + told), std::string::npos) << err;
    EXPECT_EQ(kvtest::read_file(emu / "SSSPSX.ini"), ini);
    EXPECT_EQ(reg.exports.size(), 1u);
    EXPECT_FALSE(editor->visible());
}

TEST_F(SsspsxEditor, ACopyThatCannotReplaceTheEmulatorsFileIsReportedAndOkStillCloses) {
    open("[Plugins]\r\nBIOS=\r\nGPU=gpuAlpha.so\r\n");
    // A folder where SSSPSX.ini should be: nothing can replace it.
    fs::remove(emu / "SSSPSX.ini");
    kvtest::write_file(emu / "SSSPSX.ini" / "inside", "x");
    then_read_message();
    editor->ok_click();
    ASSERT_EQ(read_messages.size(), 1u);
    EXPECT_NE(read_messages[0].find("\ncannot copy " + (profiles / "quick.reg").string() + " over " +
                                    (emu / "SSSPSX.ini").string() + ": cannot write " +
                                    (emu / "SSSPSX.ini").string()),
              std::string::npos)
        << read_messages[0];
    EXPECT_EQ(kvtest::read_file(emu / "SSSPSX.ini" / "inside"), "x");
    EXPECT_NE(kvtest::read_file(profiles / "quick.reg").find("GPU=gpuAlpha.so\r\n"), std::string::npos);
    EXPECT_EQ(reg.exports.size(), 1u);
    EXPECT_FALSE(editor->visible());
}

// SSSPSX.ini is the emulator's own file: an emulator on another disk, reached through a link in the
// program folder, has it written where its folder really is.
TEST_F(SsspsxEditor, OkWritesSsspsxIniThroughALinkedEmulatorFolder) {
    kvtest::TempFolder other_disk;
    const fs::path real = other_disk / "sss";
    fs::copy(emu, real, fs::copy_options::recursive);
    fs::remove_all(emu);
    fs::create_directory_symlink(real, emu);
    open("[Plugins]\r\nBIOS=\r\nGPU=gpuAlpha.so\r\n");
    editor->ok_click();
    EXPECT_NE(kvtest::read_file(real / "SSSPSX.ini").find("\r\nGPU=gpuAlpha.so\r\n"), std::string::npos);
    EXPECT_EQ(kvtest::read_file(real / "SSSPSX.ini"), kvtest::read_file(profiles / "quick.reg"));
    EXPECT_TRUE(fs::is_symlink(emu));
    EXPECT_FALSE(editor->visible());
}

// The emulator's folders and SSSPSX.ini there in two letter cases and none as named: the editor opens
// with nothing read from them, after saying which files it met, and Ok writes no third SSSPSX.ini.
TEST_F(SsspsxEditor, NamesInTwoLetterCasesAreToldBeforeTheEditorOpensAndNotGuessed) {
    fs::rename(emu / "plugins", emu / "Plugins");
    copy_plugins(emu / "PLUGINS", {"gpuAlpha.so"});
    kvtest::write_file(emu / "ssspsx.ini", "[Plugins]\r\nBIOS=SCPH1001.BIN\r\n");
    kvtest::write_file(emu / "SSSPSX.INI", "[Plugins]\r\nBIOS=other.bin\r\n");
    auto& configs = toolkit::form<configs_form>();
    const std::string in = " in " + emu.string() + "/ is ";
    const std::string differ = ": their names differ only in letter case";
    then_read_message();
    then([&] {
        EXPECT_TRUE(editor->visible());
        EXPECT_EQ(editor->gpu_list, std::vector<std::string>{});
        EXPECT_EQ(caption(5), "Not selected");
        editor->ok_click();
    });
    then_read_message();
    ASSERT_TRUE(configs::open_editor("SSSPSX", emu.string() + "/", "quick", configs));
    ASSERT_EQ(read_messages.size(), 2u);
    EXPECT_EQ(read_messages[0],
              "Some of the emulator's files were not read:\ncannot tell which of SSSPSX.INI and "
              "ssspsx.ini" +
                  in + "SSSPSX.ini" + differ + "\ncannot tell which of PLUGINS and Plugins" + in + "plugins" +
                  differ);
    EXPECT_EQ(read_messages[1].find("Some settings of the profile \"quick\" were not saved:\ncannot copy "),
              0u)
        << read_messages[1];
    EXPECT_FALSE(fs::exists(emu / "SSSPSX.ini"));
    EXPECT_EQ(kvtest::read_file(emu / "ssspsx.ini"), "[Plugins]\r\nBIOS=SCPH1001.BIN\r\n");
}

TEST_F(SsspsxEditor, MemoryCardPickersOpenOnAClickAndHandTheCardBack) {
    open("");
    auto& popup = toolkit::form<popup_form>();
    auto& label = *editor->find("Label35");
    const float x = label.form_x() + 100, y = label.form_y() + 100;
    editor->deliver_mouse_down(x, y, forms::left_button, 0);
    EXPECT_FALSE(popup.visible());
    std::vector<std::string> rows;
    then([&] {
        rows = popup.List1.items();
        EXPECT_EQ(popup.input_combo_locator, 23);
        popup.deliver_mouse_down(100, 15 + 90, forms::left_button, 0);
        popup.deliver_mouse_up(100, 15 + 90, forms::left_button, 0);
    });
    editor->deliver_mouse_up(x, y, forms::left_button, 0);
    EXPECT_EQ(rows, (std::vector<std::string>{"one.mcr", "two.MCR"}));
    EXPECT_EQ(caption(7), "one.mcr");
    EXPECT_EQ(editor->selected_plugin[7], "1");
    // Without SSSPSX.ini every choice is unchosen but the internal CD-ROM plug-in.
    EXPECT_EQ(caption(2), "SSSPSX CDR Plugin [INTERNAL]");
    EXPECT_EQ(caption(5), "Not selected");
}

}  // namespace
}  // namespace kv
