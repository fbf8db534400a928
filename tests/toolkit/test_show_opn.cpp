#include <gtest/gtest.h>

#include <filesystem>

#include "platform/runtime.h"
#include "support/headless_test.h"
#include "support/test_support.h"
#include "toolkit/message_box.h"
#include "toolkit/messages_form.h"
#include "toolkit/show_opn.h"

using kv::toolkit::browse_for_file;

namespace {

class BrowseForFile : public kvtest::HeadlessTest {
  protected:
    std::string browse() {
        return browse_for_file(owner, "Executables (*.exe)", "*.exe", "Browse", "/opt/kv");
    }

    kv::forms::Form owner{"owner"};
};

TEST_F(BrowseForFile, AsksOverTheOwnerWithOneFilter) {
    display.answer_file(std::nullopt);
    EXPECT_EQ(browse(), "cancel");
    const auto& r = display.file_requests().back();
    EXPECT_EQ(r.title, "Browse");
    EXPECT_EQ(r.filter_description, "Executables (*.exe)");
    EXPECT_EQ(r.filter_pattern, "*.exe");
    EXPECT_EQ(r.start_folder, "/opt/kv");
    EXPECT_EQ(r.owner, &owner);
}

TEST_F(BrowseForFile, AnswersFolderWithItsSeparatorAndName) {
    display.answer_file("/home/ann/emus/epsxe");
    EXPECT_EQ(browse(), "/home/ann/emus/|epsxe");
    display.answer_file("/boot.bin");
    EXPECT_EQ(browse(), "/|boot.bin");
    display.answer_file("roms/game.exe");  // typed: relative to the folder the dialog shows
    EXPECT_EQ(browse(), "/roms/|game.exe");
}

TEST_F(BrowseForFile, NextDialogStartsFromTheLastChosenFile) {
    display.answer_file("/data/a.mcr");
    browse();
    display.answer_file(std::nullopt);
    EXPECT_EQ(browse(), "cancel");
    display.answer_file("/data/folder/");  // a folder is no file
    EXPECT_EQ(browse(), "cancel");
    browse();
    const auto& asked = display.file_requests();
    EXPECT_EQ(asked[1].preselected, "/data/a.mcr");
    EXPECT_EQ(asked[3].preselected, "/data/a.mcr");
}

// The next dialog starts in the folder the last one left, but a file it would not list is not put
// into its name box, where Enter would take it.
TEST_F(BrowseForFile, ARememberedNameIsOfferedOnlyWhereThisDialogListsIt) {
    kvtest::TempFolder emus;
    std::filesystem::create_directories(emus / "cards");
    auto memory_card = [&] {
        display.answer_file(std::nullopt);
        browse_for_file(owner, "Memory card (*.mcr)", "*.mcr", "Browse", "/opt/kv");
        return display.file_requests().back();
    };
    display.answer_file((emus / "SSSPSX.exe").string());
    browse();
    auto asked = memory_card();
    EXPECT_EQ(asked.preselected, "");
    EXPECT_EQ(asked.start_folder, emus.path());

    // A card in another letter case is still a card; the programs' dialog lists every file.
    display.answer_file((emus / "cards" / "ONE.Mcr").string());
    browse_for_file(owner, "Memory card (*.mcr)", "*.mcr", "Browse", "/opt/kv");
    asked = memory_card();
    EXPECT_EQ(asked.preselected, emus / "cards" / "ONE.Mcr");
    EXPECT_EQ(asked.start_folder, emus / "cards");
    display.answer_file(std::nullopt);
    browse();
    EXPECT_EQ(display.file_requests().back().preselected, emus / "cards" / "ONE.Mcr");

    // A folder that is gone since: the caller's own folder.
    std::filesystem::remove_all(emus / "cards");
    EXPECT_EQ(memory_card().start_folder, "/opt/kv");
}

// Records keep a path as folder "|" name, so a "|" in the chosen path is refused with a message and
// counts as a cancel: nothing changes, not even the file the next dialog starts from.
TEST_F(BrowseForFile, PathHoldingABarIsRefusedWithAMessageUnderTheProgramsTitle) {
    // The dialogs' own captions are empty: the message carries the program's title, not its owner's.
    kv::messages_form box;
    kv::toolkit::set_message_box_source(
        {[&]() -> kv::messages_form& { return box; }, [] { return std::string("Korvalin 1.2"); }});
    std::vector<std::string> shown;
    for (int i = 0; i < 2; ++i)
        display.queue_action([&] {
            shown.push_back(box.Framebar_title.caption() + "|" + box.Label31.caption());
            EXPECT_EQ(box.owner(), &owner);
            box.Label43_Click();
        });
    display.answer_file("/data/a.mcr");
    browse();
    for (const char* path : {"/home/ann/a|b/epsxe", "/home/ann/emus/e|psxe"}) {
        display.answer_file(path);
        EXPECT_EQ(browse(), "cancel") << path;
    }
    kv::toolkit::set_message_box_source({});
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(
        shown[0],
        "  Korvalin 1.2  |The path /home/ann/a|b/epsxe holds \"|\", which Korvalin cannot store. Choose a "
        "file whose folder and name have no \"|\".");
    EXPECT_TRUE(display.system_messages().empty());
    browse();
    EXPECT_EQ(display.file_requests().back().preselected, "/data/a.mcr");
}

struct BrokenDialog : kv::headless::HeadlessBackend {
    std::optional<std::filesystem::path> open_file(const kv::forms::FileDialogRequest&) override {
        throw kv::platform::Failure("no dialog");
    }
};

TEST_F(BrowseForFile, FailedDialogAnswersCancel) {
    BrokenDialog broken;
    kv::forms::set_backend(&broken);
    EXPECT_EQ(browse(), "cancel");
}

}  // namespace
