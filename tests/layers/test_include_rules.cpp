// The layers the build keeps: every #include under src/ goes down the table, and the check that says
// so finds what breaks it.
#include <gtest/gtest.h>

#include <string>

#include "layers/include_rules.h"
#include "support/test_support.h"

namespace kvtest::layers {
namespace {

TEST(Layers, EveryIncludeUnderSrcGoesDownTheLayers) {
    std::string told;
    for (const Violation& v : check_tree(KORVALIN_SOURCE_DIR "/src")) told += describe(v) + "\n";
    EXPECT_EQ(told, "");
}

TEST(IncludeCheck, TheChainAllowsOnlyWhatLiesBelow) {
    EXPECT_TRUE(may_include("app", "launcher"));
    EXPECT_TRUE(may_include("launcher", "configs"));
    EXPECT_TRUE(may_include("launcher", "skins"));
    EXPECT_TRUE(may_include("configs", "plugins"));
    EXPECT_TRUE(may_include("fonts_languages", "skins"));
    EXPECT_TRUE(may_include("skins", "toolkit"));
    EXPECT_TRUE(may_include("toolkit", "model"));
    EXPECT_TRUE(may_include("model", "platform"));
    EXPECT_TRUE(may_include("skins", "skins"));
    // Upwards, and across the two branches below the launcher.
    EXPECT_FALSE(may_include("launcher", "app"));
    EXPECT_FALSE(may_include("plugins", "configs"));
    EXPECT_FALSE(may_include("skins", "fonts_languages"));
    EXPECT_FALSE(may_include("configs", "skins"));
    EXPECT_FALSE(may_include("configs", "fonts_languages"));
    EXPECT_FALSE(may_include("fonts_languages", "plugins"));
    EXPECT_FALSE(may_include("toolkit", "skins"));
    EXPECT_FALSE(may_include("platform", "model"));
    // The system layer, the registry store, the plug-in client and the file formats know no window.
    EXPECT_FALSE(may_include("platform", "forms"));
    EXPECT_FALSE(may_include("registry", "forms"));
    EXPECT_FALSE(may_include("plugin_client", "forms"));
    EXPECT_FALSE(may_include("model", "forms"));
    EXPECT_FALSE(may_include("registry", "plugin_client"));
    EXPECT_FALSE(may_include("forms", "headless"));
    EXPECT_FALSE(may_include("launcher", "headless"));
    EXPECT_FALSE(may_include("app", "qt"));
    EXPECT_TRUE(may_include("toolkit", "forms"));
    EXPECT_TRUE(may_include("headless", "forms"));
    EXPECT_TRUE(may_include("app", "headless"));
    EXPECT_FALSE(may_include("tests", "platform"));
}

TEST(IncludeCheck, NamesTheFileLineAndRuleOfEachUpwardInclude) {
    const auto found = check_text("skins/skin_browser.cpp",
                                  "#include \"skins/skin_browser.h\"\n"
                                  "\n"
                                  "#include <string>\n"
                                  "  #  include \"launcher/main_form.h\"  // the old way\n"
                                  "#include \"toolkit/windows.h\"\n"
                                  "#include \"app/program.h\"\n");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(describe(found[0]),
              "skins/skin_browser.cpp:4: #include \"launcher/main_form.h\": skins may not include launcher");
    EXPECT_EQ(found[1].line, 6);
    EXPECT_EQ(found[1].include, "\"app/program.h\"");
}

TEST(IncludeCheck, AStoreOrFileFormatThatReachesForTheWindowModelIsTold) {
    const auto store = check_text("registry/store.h", "#include \"forms/form.h\"\n");
    ASSERT_EQ(store.size(), 1u);
    EXPECT_EQ(describe(store[0]),
              "registry/store.h:1: #include \"forms/form.h\": registry may not include forms");
    EXPECT_EQ(check_text("model/catalogue.h", "#include \"forms/backend.h\"\n").size(), 1u);
    EXPECT_EQ(check_text("plugin_client/plugin_library.h", "#include \"forms/backend.h\"\n").size(), 1u);
}

TEST(IncludeCheck, OnlyTheQtDisplayAndTheQtProgramSeeQt) {
    EXPECT_TRUE(check_text("qt/qt_backend.cpp", "#include <QWidget>\n").empty());
    EXPECT_TRUE(check_text("programs/korvalin.cpp", "#include <QApplication>\n#include \"qt/qt_backend.h\"\n")
                    .empty());
    EXPECT_EQ(check_text("launcher/main_form.cpp", "#include <QString>\n").size(), 1u);
    EXPECT_EQ(check_text("programs/korvalin_drive.cpp", "#include \"qt/guard.h\"\n").size(), 1u);
    EXPECT_EQ(check_text("forms/form.cpp", "#include \"qt/text.h\"\n").size(), 1u);
    // Standard headers are no concern of the layers.
    EXPECT_TRUE(check_text("toolkit/windows.cpp", "#include <queue>\n#include <cstdint>\n").empty());
}

TEST(IncludeCheck, AFolderOutsideTheTableIsToldNotPassed) {
    EXPECT_EQ(check_text("widgets/thing.cpp", "#include \"platform/folder.h\"\n").size(), 1u);
    EXPECT_EQ(check_text("launcher/thing.cpp", "#include \"widgets/thing.h\"\n").size(), 1u);
    // A header beside the file names no folder.
    EXPECT_TRUE(check_text("platform/picture.cpp", "#include \"stb_image.h\"\n").empty());
}

TEST(IncludeCheck, ReadsEveryFileOfATreeButThirdParty) {
    TempFolder src;
    write_file(src / "toolkit/a.h", "#pragma once\n#include \"launcher/b.h\"\n");
    write_file(src / "toolkit/deep/c.cpp", "#include \"configs/d.h\"\n");
    write_file(src / "toolkit/notes.txt", "#include \"app/x.h\"\n");
    write_file(src / "third_party/stb/stb.h", "#include \"app/x.h\"\n");
    write_file(src / "platform/e.c", "#include \"platform/f.h\"\n");
    const auto found = check_tree(src.path());
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(describe(found[0]),
              "toolkit/a.h:2: #include \"launcher/b.h\": toolkit may not include launcher");
    EXPECT_EQ(describe(found[1]),
              "toolkit/deep/c.cpp:1: #include \"configs/d.h\": toolkit may not include configs");
}

}  // namespace
}  // namespace kvtest::layers
