// Waiting for a plug-in on the real display: what the user clicks or types meanwhile is dropped, not
// run once the plug-in returns; the busy cursor shows; a press made once the wait has lasted a while
// can end it, so that the program can offer to stop the plug-in.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCursor>
#include <QElapsedTimer>
#include <QTimer>

#include "qt_fixture.h"

using kv::forms::Form;
using kv::forms::Label;
using kv::forms::WaitEnd;

namespace {

class QtPluginWait : public kvtest::QtFormsTest {
  protected:
    void SetUp() override {
        QtFormsTest::SetUp();
        ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, fds_), 0);
    }
    void TearDown() override {
        close(fds_[0]);
        close(fds_[1]);
        QtFormsTest::TearDown();
    }

    // A window with a box that counts its clicks and keys.
    Form& counting_form() {
        Form& f = make_form("waiting_form", 120, 80);
        auto& box = f.add<Label>("box", 0, 0, 1800, 1200);
        box.set_transparent(true);
        box.on_click = [this] { ++clicks_; };
        box.on_mouse_down = [this](const kv::forms::MouseEvent&) { ++presses_; };
        f.on_key_down = [this](int16_t&, int16_t) { ++keys_; };
        f.show();
        return f;
    }
    void answer_after(int ms) {
        QTimer::singleShot(ms, [this] { (void)!write(fds_[1], "x", 1); });
    }

    int fds_[2] = {-1, -1};
    int clicks_ = 0, presses_ = 0, keys_ = 0;
};

}  // namespace

TEST_F(QtPluginWait, ClicksAndKeysMadeWhileWaitingAreDroppedNotRunAfterwards) {
    QWidget& w = window(counting_form());
    Qt::CursorShape during = Qt::ArrowCursor;
    QTimer::singleShot(50, [&] {
        click(w, QPoint(20, 20));
        key(w, Qt::Key_Space, QStringLiteral(" "));
        // And as the window system queues them, to be taken from the queue later.
        const QPointF at(30, 30);
        QCoreApplication::postEvent(&w, new QMouseEvent(QEvent::MouseButtonPress, at, w.mapToGlobal(at),
                                                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(&w, new QMouseEvent(QEvent::MouseButtonRelease, at, w.mapToGlobal(at),
                                                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
        if (const QCursor* c = QApplication::overrideCursor()) during = c->shape();
    });
    answer_after(150);
    const int watched[] = {fds_[0]};
    backend_->set_busy(true);
    EXPECT_EQ(backend_->wait_readable(watched, 10000), WaitEnd::readable);
    backend_->set_busy(false);
    run_events(100);
    EXPECT_EQ(presses_, 0);
    EXPECT_EQ(clicks_, 0);
    EXPECT_EQ(keys_, 0);
    EXPECT_EQ(during, Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // Once the wait is over the same click arrives.
    click(w, QPoint(20, 20));
    EXPECT_EQ(clicks_, 1);
}

TEST_F(QtPluginWait, APressOnceTheWaitHasLastedASecondEndsItWhenAsked) {
    QWidget& w = window(counting_form());
    // The first press is the end of the click that started the wait; the second is the user's.
    QTimer::singleShot(100, [&] { click(w, QPoint(20, 20)); });
    QTimer::singleShot(1300, [&] { click(w, QPoint(20, 20)); });
    const int watched[] = {fds_[0]};
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(backend_->wait_readable(watched, 20000, true), WaitEnd::input);
    EXPECT_GE(clock.elapsed(), 1000);
    EXPECT_EQ(clicks_, 0);
    // Without being asked to, a wait goes on through presses.
    QTimer::singleShot(1300, [&] { click(w, QPoint(20, 20)); });
    answer_after(1500);
    EXPECT_EQ(backend_->wait_readable(watched, 20000), WaitEnd::readable);
    EXPECT_EQ(clicks_, 0);
}
