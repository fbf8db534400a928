// A window's Left and Top follow where the window system says it stands, however it got there,
// without a late report of the program's own move undoing a newer one.
#include <gtest/gtest.h>

#include "forms/form.h"
#include "support/headless_test.h"

namespace kv::forms {
namespace {

constexpr float px = twips_per_pixel;

class ReportedPlaceTest : public kvtest::HeadlessTest {
  protected:
    static void expect_at(const Form& f, float left, float top) {
        EXPECT_FLOAT_EQ(f.left(), left);
        EXPECT_FLOAT_EQ(f.top(), top);
    }
};

TEST_F(ReportedPlaceTest, AWindowManagersMoveIsFollowedAndLateReportsOfTheProgramsMovesAreNot) {
    Form f("f");
    f.move(3000, 2000);
    f.show();
    f.moved_by_window_system(3000, 2000);  // shown where asked
    // Moved by the window manager (Alt+drag, the keyboard, a task bar).
    f.moved_by_window_system(150 * px, 300 * px);
    expect_at(f, 150 * px, 300 * px);
    // The program slides it left; the window system answers the first step after the second.
    f.set_left(120 * px);
    f.set_left(90 * px);
    f.moved_by_window_system(120 * px, 300 * px);
    expect_at(f, 90 * px, 300 * px);
    f.moved_by_window_system(90 * px, 300 * px);
    expect_at(f, 90 * px, 300 * px);
    // Centred on half a pixel, the window stands on the pixel the display rounds to: no move.
    f.set_left(757.5f);
    f.moved_by_window_system(51 * px, 300 * px);
    expect_at(f, 757.5f, 300 * px);
    // Once every move has been answered, a new report is the window manager's again.
    f.moved_by_window_system(400 * px, 20 * px);
    expect_at(f, 400 * px, 20 * px);
}

TEST_F(ReportedPlaceTest, AReportThatAMoveOnItsWayMayOvertakeWaitsAndAHiddenWindowKeepsItsPlace) {
    Form f("f");
    f.move(200 * px, 300 * px);
    f.show();
    // Sliding off the left edge, the window manager keeps part of the window on the screen: the
    // slide goes on from where the program had it, not from where the window manager held it.
    f.set_left(-500 * px);
    f.set_left(-533 * px);
    f.moved_by_window_system(-500 * px, 300 * px);
    f.moved_by_window_system(-526 * px, 300 * px);
    expect_at(f, -533 * px, 300 * px);
    // Nothing more answered: the window stands where the window manager last said.
    f.window_system_settled();
    expect_at(f, -526 * px, 300 * px);
    // A report held back and then overtaken by the answer to a later move is forgotten.
    f.set_left(-400 * px);
    f.set_left(-300 * px);
    f.moved_by_window_system(-450 * px, 300 * px);
    f.moved_by_window_system(-300 * px, 300 * px);
    f.window_system_settled();
    expect_at(f, -300 * px, 300 * px);
    // A report while hidden, or while the window is being shown, leaves the place it is shown at.
    f.hide();
    f.moved_by_window_system(0, 0);
    expect_at(f, -300 * px, 300 * px);
    f.show();
    f.moved_by_window_system(0, 0);
    expect_at(f, -300 * px, 300 * px);
    f.moved_by_window_system(-300 * px, 300 * px);
    f.window_system_settled();
    expect_at(f, -300 * px, 300 * px);
}

}  // namespace
}  // namespace kv::forms
