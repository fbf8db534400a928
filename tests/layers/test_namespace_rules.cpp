// Namespaces follow folders: a reader of any header knows where its names live.
#include <gtest/gtest.h>

#include <string>

#include "layers/namespace_rules.h"

namespace kvtest::layers {
namespace {

TEST(Namespaces, EveryHeaderUnderSrcKeepsItsFoldersNamespaceOrIsAWindow) {
    std::string told;
    for (const std::string& f : check_namespace_tree(KORVALIN_SOURCE_DIR "/src")) told += f + "\n";
    EXPECT_EQ(told, "");
}

TEST(NamespaceCheck, TellsANameInAnotherFoldersNamespaceAndAHelperAmongTheWindows) {
    EXPECT_TRUE(check_namespaces("model/catalogue.h",
                                 "namespace kv::model {\nstruct Catalogue {};\n}  // namespace kv::model\n")
                    .empty());
    const auto elsewhere = check_namespaces(
        "model/skin_settings.h", "namespace kv::skins {\nclass Reader {};\n}  // namespace kv::skins\n");
    ASSERT_EQ(elsewhere.size(), 1u);
    EXPECT_EQ(elsewhere[0], "model/skin_settings.h: namespace kv::skins in model/ (use kv::model)");
    EXPECT_EQ(
        check_namespaces("launcher/field_box.h", "namespace kv {\nvoid keep_out(int);\n}  // namespace kv\n")
            .size(),
        1u);
}

TEST(NamespaceCheck, AWindowLivesInKvAndNamesAheadMayBeAnywhere) {
    EXPECT_TRUE(check_namespaces("launcher/main_form.h",
                                 "namespace kv {\nnamespace plugins {\nclass PluginEditor;\n}\n\n"
                                 "class Main_form : public toolkit::FramedForm {\n  int x;\n};\n"
                                 "}  // namespace kv\n")
                    .empty());
    EXPECT_TRUE(
        check_namespaces("plugins/plugin_buttons.h",
                         "namespace kv::forms {\nclass Label;\nstruct Timer;\n}  // namespace kv::forms\n")
            .empty());
}

}  // namespace
}  // namespace kvtest::layers
