// A pressed button holds the mouse for its control until released; when that release will never
// come to the form, the capture must end, or every later click goes to the wrong control.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/backend.h"
#include "forms/form.h"
#include "headless/headless_backend.h"

namespace kv::forms {
namespace {

class CaptureTest : public ::testing::Test {
  protected:
    CaptureTest() : f("f") {
        set_backend(&display);
        box = &f.add<TextBox>("box", 0, 0, 1000, 300);
        frame = &f.add<PictureBox>("frame", 0, 1000, 2000, 1000);
        inner = &f.add<Label>("inner", 0, 0, 500, 500, frame);
        ok = &f.add<Label>("ok", 3000, 0, 500, 500);
        ok->set_transparent(true);
        inner->set_transparent(true);
        ok->on_click = [this] { clicks.push_back("ok"); };
    }
    ~CaptureTest() override { set_backend(nullptr); }

    void click_ok() {
        f.deliver_mouse_down(3100, 100, left_button, 0);
        f.deliver_mouse_up(3100, 100, left_button, 0);
    }

    headless::HeadlessBackend display;
    Form f;
    TextBox* box;
    PictureBox* frame;
    Label* inner;
    Label* ok;
    std::vector<std::string> clicks;
};

TEST_F(CaptureTest, AControlHiddenOrDisabledByItsOwnPressGivesUpTheMouse) {
    // The rename box hides itself when pressed: its release goes nowhere.
    box->on_mouse_down = [this](const MouseEvent&) { box->set_visible(false); };
    f.deliver_mouse_down(100, 100, middle_button, 0);
    EXPECT_EQ(f.captured(), nullptr);
    click_ok();
    EXPECT_EQ(clicks, std::vector<std::string>{"ok"});

    box->set_visible(true);
    box->on_mouse_down = [this](const MouseEvent&) { box->set_enabled(false); };
    f.deliver_mouse_down(100, 100, left_button, 0);
    EXPECT_EQ(f.captured(), nullptr);
    click_ok();
    EXPECT_EQ(clicks, (std::vector<std::string>{"ok", "ok"}));
}

TEST_F(CaptureTest, HidingTheContainerOfTheHeldControlEndsTheCaptureButOthersKeepIt) {
    f.deliver_mouse_down(100, 1100, left_button, 0);
    ASSERT_EQ(f.captured(), inner);
    ok->set_visible(false);  // some other control: the capture stays
    EXPECT_EQ(f.captured(), inner);
    ok->set_visible(true);
    frame->set_visible(false);
    EXPECT_EQ(f.captured(), nullptr);
    click_ok();
    EXPECT_EQ(clicks, std::vector<std::string>{"ok"});
}

TEST_F(CaptureTest, AReleaseTakenElsewhereIsEndedByTheDisplayOrByAModalWindow) {
    // A right press in the text box; its own menu takes the release.
    f.deliver_mouse_down(100, 100, right_button, 0);
    ASSERT_EQ(f.captured(), box);
    click_ok();  // still captured: the click goes to the box
    EXPECT_TRUE(clicks.empty());
    f.release_capture();
    click_ok();
    EXPECT_EQ(clicks, std::vector<std::string>{"ok"});

    // A press whose handler opens a modal window: the release goes to that window.
    Form dialog("dialog");
    box->on_mouse_down = [&](const MouseEvent&) {
        display.queue_action([&] { dialog.hide(); });
        dialog.show_modal(f);
    };
    f.deliver_mouse_down(100, 100, left_button, 0);
    EXPECT_EQ(f.captured(), nullptr);
    click_ok();
    EXPECT_EQ(clicks, (std::vector<std::string>{"ok", "ok"}));
}

}  // namespace
}  // namespace kv::forms
