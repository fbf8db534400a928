#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "configs/epsxe_config.h"
#include "configs/pcsx_config.h"
#include "configs/psxeven_config.h"
#include "configs/ssspsx_config.h"
#include "model/plugin_fixture.h"
#include "plugins/popup_form.h"
#include "toolkit/windows.h"

using kv::plugins::PluginEditor;
using Lines = std::vector<std::string>;

namespace {

class PluginLists : public kvtest::PluginTest {
  protected:
    PluginLists() { kv::toolkit::form_without_load<kv::ePSXe_config>().not_selected = "Not selected"; }
    ~PluginLists() override { kv::toolkit::reset_forms(); }

    // A folder with one library of each kind and the libraries every editor must leave out.
    void put_mixed_folder() {
        put("gpuAlpha.so");
        put("spuBeta.SO");
        put("cdrGamma.so");
        put("padDelta.so");
        put("netEpsilon.so");
        put("gpuCdrBoth.so");
        put("spuNoType.so");
        put("gpuNoName.so");
        kvtest::write_file(folder / "bad.so", "text, not a library\n");
        put("gpuAlpha.so", "libold.so.1");
        put("gpuAlpha.so", "notes.so.txt");
        std::filesystem::create_directory(folder / "folder.so");
        put("gpuAlpha.so", ".hidden.so");
    }

    void open(PluginEditor& editor) {
        editor.plugins_path = path();
        editor.scan_plugins();
        editor.sort_plugins();
    }
};

}  // namespace

TEST_F(PluginLists, EveryEditorListsBuiltInsFirstThenLibrariesByKind) {
    put_mixed_folder();
    auto& epsxe = kv::toolkit::form<kv::ePSXe_config>();
    open(epsxe);
    EXPECT_EQ(epsxe.plugin_files,
              (Lines{"bad.so", "cdrGamma.so", "gpuAlpha.so", "gpuCdrBoth.so", "gpuNoName.so", "netEpsilon.so",
                     "padDelta.so", "spuBeta.SO", "spuNoType.so"}));
    EXPECT_EQ(epsxe.gpu_list, (Lines{"gpuAlpha.so|||Alpha GPU 1.2", "gpuNoName.so||| 3.0"}));
    EXPECT_EQ(epsxe.spu_list, (Lines{"SPUCORE|||ePSXe SPU core", "spuBeta.SO|||Beta Sound 2.3"}));
    EXPECT_EQ(epsxe.cdr_list,
              (Lines{"W9XCDRCORE|||ePSXe CDR ASPI core", "W2KCDRCORE|||ePSXe CDR WNT/W2K core",
                     "cdrGamma.so|||Gamma CD 255.255"}));
    EXPECT_EQ(epsxe.net_list, (Lines{"DISABLED|||Disabled Netplay", "netEpsilon.so|||Epsilon Net 1.5"}));
    EXPECT_TRUE(epsxe.pad_list.empty());  // a gamepad library has no list in ePSXe

    auto& psxeven = kv::toolkit::form<kv::PSXeven_config>();
    open(psxeven);
    EXPECT_EQ(psxeven.gpu_list, (Lines{"gpualpha.so|||Alpha GPU 1.2", "gpunoname.so||| 3.0"}));
    EXPECT_EQ(psxeven.spu_list, (Lines{"spubeta.so|||Beta Sound 2.3"}));
    EXPECT_EQ(psxeven.cdr_list, (Lines{"cdrgamma.so|||Gamma CD 255.255"}));
    EXPECT_EQ(psxeven.pad_list, (Lines{"paddelta.so|||Delta Pad 2.1"}));
    EXPECT_TRUE(psxeven.net_list.empty());

    auto& pcsx = kv::toolkit::form<kv::PCSX_config>();
    open(pcsx);
    EXPECT_EQ(pcsx.pad_list, (Lines{"padDelta.so|||Delta Pad 2.1"}));
    EXPECT_EQ(pcsx.cdr_list, (Lines{"cdrGamma.so|||Gamma CD 255.255"}));

    auto& ssspsx = kv::toolkit::form<kv::SSSPSX_config>();
    open(ssspsx);
    EXPECT_EQ(ssspsx.cdr_list, (Lines{"|||SSSPSX CDR Plugin [INTERNAL]", "cdrGamma.so|||Gamma CD 255.255"}));
    EXPECT_EQ(ssspsx.spu_list, (Lines{"spuBeta.SO|||Beta Sound 2.3"}));
    EXPECT_EQ(ssspsx.pad_list, (Lines{"padDelta.so|||Delta Pad 2.1"}));
}

TEST_F(PluginLists, AnEmptyOrMissingFolderLeavesTheBuiltInsAlone) {
    auto& epsxe = kv::toolkit::form<kv::ePSXe_config>();
    auto& ssspsx = kv::toolkit::form<kv::SSSPSX_config>();
    auto& pcsx = kv::toolkit::form<kv::PCSX_config>();
    for (const std::string& where : {path(), path() + "missing/", std::string()}) {
        for (PluginEditor* e : {static_cast<PluginEditor*>(&epsxe), static_cast<PluginEditor*>(&ssspsx),
                                static_cast<PluginEditor*>(&pcsx)}) {
            e->plugins_path = where;
            e->scan_plugins();
            e->sort_plugins();
        }
        EXPECT_TRUE(epsxe.gpu_list.empty());
        EXPECT_EQ(epsxe.spu_list.size(), 1u);
        EXPECT_EQ(epsxe.cdr_list.size(), 2u);
        EXPECT_EQ(epsxe.net_list, (Lines{"DISABLED|||Disabled Netplay"}));
        EXPECT_EQ(ssspsx.cdr_list, (Lines{"|||SSSPSX CDR Plugin [INTERNAL]"}));
        EXPECT_TRUE(pcsx.gpu_list.empty() && pcsx.spu_list.empty() && pcsx.cdr_list.empty() &&
                    pcsx.pad_list.empty());
    }
}

TEST_F(PluginLists, CrashingAndHangingPluginsLeaveTheOthersListed) {
    put("gpuAlpha.so");
    put("gpuCrashName.so");
    put("gpuAbortType.so");
    put("gpuHangType.so");
    put("gpuCrashTest.so");
    put("gpuNullName.so");
    auto& pcsx = kv::toolkit::form<kv::PCSX_config>();
    open(pcsx);
    EXPECT_EQ(pcsx.gpu_list, (Lines{"gpuAlpha.so|||Alpha GPU 1.2", "gpuCrashTest.so|||Crash Test 1.0",
                                    "gpuNullName.so||| 1.0"}));
    EXPECT_EQ(pcsx.plugin_name.text(), "");  // the last library's name, which was none
}

TEST_F(PluginLists, AScanResetsLabelsAndPluginSlotsButNotTheBiosList) {
    auto& pcsx = kv::toolkit::form<kv::PCSX_config>();
    pcsx.bios_list = {"scph1001.bin|||scph1001.bin"};
    pcsx.selected_plugin = {"1", "2", "3", "4", "5", "6", "x"};
    for (int slot = 0; slot < 6; ++slot) pcsx.name_label(slot).set_caption("chosen");
    pcsx.plugins_path = path();
    pcsx.scan_plugins();
    EXPECT_EQ(pcsx.selected_plugin, (Lines{"0", "0", "0", "0", "0", "6", "x"}));
    for (int slot = 0; slot < 5; ++slot) EXPECT_EQ(pcsx.name_label(slot).caption(), "Not selected") << slot;
    EXPECT_EQ(pcsx.name_label(5).caption(), "chosen");  // the BIOS label belongs to the settings side
    EXPECT_EQ(pcsx.bios_list.size(), 1u);

    auto& ssspsx = kv::toolkit::form<kv::SSSPSX_config>();
    ssspsx.memcard_list = {"card1.mcr|||card1.mcr"};
    ssspsx.name_label(7).set_caption("card1.mcr");
    ssspsx.scan_plugins();
    EXPECT_TRUE(ssspsx.memcard_list.empty());
    EXPECT_EQ(ssspsx.name_label(7).caption(), "Not selected");
    EXPECT_EQ(ssspsx.selected_plugin.size(), 9u);
}

TEST_F(PluginLists, ANewLibraryIsListedAtTheNextOpening) {
    auto& epsxe = kv::toolkit::form<kv::ePSXe_config>();
    put("gpuAlpha.so");
    open(epsxe);
    put("gpuNoVersion.so");
    open(epsxe);
    EXPECT_EQ(epsxe.gpu_list, (Lines{"gpuAlpha.so|||Alpha GPU 1.2", "gpuNoVersion.so|||Versionless 0.0"}));
    // Two libraries of the same name and version both stay.
    put("gpuAlpha.so", "gpuAlphaCopy.so");
    open(epsxe);
    EXPECT_EQ(kv::model::display_part(epsxe.gpu_list[0]), kv::model::display_part(epsxe.gpu_list[1]));
    EXPECT_EQ(epsxe.gpu_list.size(), 3u);
}

TEST_F(PluginLists, FillCopiesDisplayPartsIntoThePicker) {
    put("padDelta.so");
    auto& sss = kv::toolkit::form<kv::SSSPSX_config>();
    open(sss);
    sss.fill_list(2);
    auto& list = kv::toolkit::form<kv::popup_form>().List1;
    EXPECT_EQ(list.items(), (Lines{"SSSPSX CDR Plugin [INTERNAL]"}));
    sss.fill_pad_list();
    EXPECT_EQ(list.items(), (Lines{"Delta Pad 2.1"}));
    sss.fill_gpu_list();
    EXPECT_EQ(list.list_count(), 0);
}
