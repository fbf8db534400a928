#pragma once
// A program on a temporary program folder with the headless display, for the tests of the main
// window and its dialogs. A dialog opened modal runs the actions queued before it, as a user would.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/program.h"
#include "headless/headless_backend.h"
#include "launcher/main_form.h"
#include "platform/folder.h"
#include "support/test_support.h"
#include "toolkit/messages_form.h"
#include "toolkit/windows.h"

namespace kvtest {

using Lines = std::vector<std::string>;

// A Data.kvl with the given PSX records, about records (each followed by "end") and switch records.
inline std::string catalogue_file(const Lines& psx, const Lines& about = {}, const Lines& switches = {}) {
    std::string bytes = "[PSX]\r\n";
    for (const auto& r : psx) bytes += r + "\r\n";
    bytes +=
        "[PS2]\r\n[NDS]\r\n[GB/GBA]\r\n[N64]\r\n[DC]\r\n[GC]\r\n[Saturn]\r\n[S/NES]\r\n[Misc]\r\n[About]\r\n";
    for (const auto& r : about) bytes += r + "\r\nend\r\n";
    bytes += "[Switches]\r\n";
    for (const auto& r : switches) bytes += r + "\r\n";
    return bytes;
}

class ProgramTest : public ::testing::Test {
  protected:
    ProgramTest() {
        kv::forms::set_backend(&display);
        kv::platform::set_program_folder(folder.path());
    }
    ~ProgramTest() override {
        kv::toolkit::reset_forms();
        kv::forms::set_backend(nullptr);
    }

    kv::Main_form& start(const std::string& data = {}) {
        if (!data.empty()) write_file(folder / "Data.kvl", data);
        kv::app::start_program();
        return kv::toolkit::form<kv::Main_form>();
    }

    // What the user does while the next modal dialog is open.
    void then(std::function<void()> action) { display.queue_action(std::move(action)); }

    // The next modal window is the message box: its text is kept in `read_messages` and OK is pressed.
    void then_read_message() {
        then([this] {
            auto& box = kv::toolkit::form<kv::messages_form>();
            EXPECT_TRUE(box.visible());
            read_messages.push_back(box.Label31.caption());
            box.Label43_Click();
        });
    }
    std::vector<std::string> read_messages;

    TempFolder folder;
    kv::headless::HeadlessBackend display;
};

using DialogTest = ProgramTest;

}  // namespace kvtest
