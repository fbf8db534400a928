#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QListWidget>
#include <QScrollBar>
#include <QTimer>

#include "configs/pcsx_config.h"
#include "plugins/popup_form.h"
#include "qt_fixture.h"
#include "toolkit/windows.h"

namespace {

class QtPicker : public kvtest::QtFormsTest {
  protected:
    void TearDown() override {
        kv::toolkit::reset_forms();
        QtFormsTest::TearDown();
    }
};

}  // namespace

TEST_F(QtPicker, ARowPressedAfterScrollingIsTheRowPicked) {
    auto& pcsx = kv::toolkit::form<kv::PCSX_config>();
    auto& p = kv::toolkit::form<kv::popup_form>();
    for (int i = 1; i <= 7; ++i) p.List1.add_item("Entry " + std::to_string(i));
    p.serve(pcsx, 0);
    p.resize_list(10);
    p.search_for_name("none");
    p.show();
    auto& view = widget<QListWidget>(p.List1);
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
    EXPECT_EQ(p.List1.top_index(), 2);
    const QRect seventh = view.visualItemRect(view.item(6));
    ASSERT_TRUE(view.viewport()->rect().contains(seventh.center()));
    click(*view.viewport(), seventh.center());
    EXPECT_FALSE(p.visible());
    EXPECT_EQ(pcsx.selected_plugin[0], "7");
    EXPECT_EQ(pcsx.name_label(0).caption(), "Entry 7");
}

TEST_F(QtPicker, WholeRowsAndAPressOutsideOrEscapeClosesItWithoutAChoice) {
    auto& pcsx = kv::toolkit::form<kv::PCSX_config>();
    auto& p = kv::toolkit::form<kv::popup_form>();
    for (int i = 1; i <= 7; ++i)
        p.List1.add_item("Entry " + std::to_string(i) + " with a name wider than the list");
    p.serve(pcsx, 0);
    p.resize_list(10);
    p.search_for_name("none");
    p.show();
    QWidget& drop_down = window(p);
    EXPECT_EQ(drop_down.windowType(), Qt::Popup);
    auto& view = widget<QListWidget>(p.List1);
    // Five whole rows in a frame of one pixel: the fifth row's bottom is the last pixel inside it.
    EXPECT_EQ(view.visualItemRect(view.item(4)).bottom() + 1, view.viewport()->height());
    EXPECT_FALSE(view.horizontalScrollBar()->isVisible());

    click(drop_down, {drop_down.width() / 2, -20});  // above the list, where its box is
    EXPECT_FALSE(p.visible());
    EXPECT_FALSE(drop_down.isVisible());
    p.show();
    key(view, Qt::Key_Escape);
    EXPECT_FALSE(p.visible());
    EXPECT_EQ(pcsx.selected_plugin[0], "0");
}

TEST_F(QtPicker, WaitingForAPluginKeepsTimersStillAndEndsOnTheAnswer) {
    int fds[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
    auto& f = make_form("f", 100, 100);
    auto& timer = f.add<kv::forms::Timer>("t", 0, 0, 0, 0);
    int ticks = 0;
    timer.on_timer = [&] { ++ticks; };
    timer.set_interval(5);
    timer.set_enabled(true);
    const int watched[] = {fds[0]};
    EXPECT_EQ(backend_->wait_readable(watched, 60), kv::forms::WaitEnd::timed_out);
    QTimer::singleShot(30, [&] { (void)!write(fds[1], "x", 1); });
    EXPECT_EQ(backend_->wait_readable(watched, -1), kv::forms::WaitEnd::readable);
    EXPECT_EQ(ticks, 0);
    close(fds[0]);
    close(fds[1]);
}
