// Idle, the program sleeps: a wheel-polling timer wakes only when a turn has arrived, and a timer that
// keeps a window on top wakes when windows change places and a few times a second, not at every
// 10 ms tick. Both keep their Enabled and Interval as the windows set them.
#include <QWheelEvent>

#include "qt/qt_fixture.h"

namespace {

using kv::forms::Form;
using kv::forms::Timer;
using kvtest::QtFormsTest;

TEST_F(QtFormsTest, AWheelTimerSleepsUntilATurnArrivesAndTakesItAtOnce) {
    Form& f = make_form("wheel_sleep_form", 100, 50);
    auto& poll = f.add<Timer>("poll", 0, 0, 0, 0);
    int ticks = 0;
    std::vector<int> taken;
    poll.on_timer = [&] {
        ++ticks;
        if (auto d = f.take_wheel()) taken.push_back(*d);
    };
    poll.set_work(Timer::Work::wheel_turns);
    poll.set_interval(10);
    poll.set_enabled(true);
    f.show();
    run_events(200);
    EXPECT_LE(ticks, 1);
    EXPECT_TRUE(poll.running());

    for (int delta : {120, -120}) {
        QWheelEvent e(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(&window(f), &e);
    }
    EXPECT_TRUE(wait_until([&] { return taken.size() == 2; }, 500));
    EXPECT_EQ(taken, (std::vector<int>{120, -120}));
    const int after = ticks;
    run_events(200);
    EXPECT_LE(ticks - after, 1);
}

TEST_F(QtFormsTest, AKeepOnTopTimerWakesAFewTimesASecondAndWhenAWindowComesUp) {
    Form& strip = make_form("on_top_form", 10, 50);
    auto& keep = strip.add<Timer>("keep", 0, 0, 0, 0);
    int ticks = 0;
    keep.on_timer = [&] { ++ticks; };
    keep.set_work(Timer::Work::window_stacking);
    keep.set_interval(10);
    keep.set_enabled(true);
    strip.show();
    run_events(50);
    const int before = ticks;
    run_events(600);
    EXPECT_LE(ticks - before, 4);  // 60 at every tick
    EXPECT_GE(ticks - before, 1);

    const int shown = ticks;
    Form& other = make_form("other_form", 50, 50);
    other.show();
    EXPECT_TRUE(wait_until([&] { return ticks > shown; }, 100));
}

}  // namespace
