// korvalin: the launcher, with real windows on Qt.
#include <QApplication>
#include <QSocketNotifier>
#include <cstdlib>
#include <memory>

#include "app/program.h"
#include "app/window_roster.h"
#include "forms/backend.h"
#include "forms/form.h"
#include "headless/headless_backend.h"
#include "platform/ending_signals.h"
#include "platform/standard_error.h"
#include "platform/standard_streams.h"
#include "qt/guard.h"
#include "qt/qt_backend.h"
#include "toolkit/windows.h"

int main(int argc, char** argv) {
    kv::platform::prepare_standard_streams();
    // The windows place themselves, mask their outline and stay on top: X11 allows all of that,
    // Wayland does not. A platform the user chose is kept.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    // Windows are hidden, never closed; the program ends when it says so.
    QApplication::setQuitOnLastWindowClosed(false);

    kv::qt::QtBackend backend;
    kv::forms::set_backend(&backend);
    kv::app::register_windows();

    // Logout, shutdown or the terminal closing: the session is saved as the close saves it. The
    // signal only wakes the event loop; the saving happens there. Watched from before start-up: one
    // that comes while the windows load waits in the pipe, one that comes while start-up's message
    // box waits for a press is taken by that box's event loop, at once.
    int signals_fd = -1;
    kv::qt::guarded([&] { signals_fd = kv::platform::watch_ending_signals(); });
    std::unique_ptr<QSocketNotifier> ending;
    if (signals_fd >= 0) {
        ending = std::make_unique<QSocketNotifier>(signals_fd, QSocketNotifier::Read);
        QObject::connect(ending.get(), &QSocketNotifier::activated, [] {
            if (kv::platform::take_ending_signal() != 0) kv::qt::guarded([] { kv::app::end_session(); });
        });
    }

    const bool started = kv::qt::guarded([] { kv::app::start_program(); });
    if (!started) {
        // A failed start that left nothing on the screen would be a process nobody can see or end.
        bool any_shown = false;
        for (kv::forms::Form* f : kv::toolkit::created_forms()) any_shown = any_shown || f->visible();
        if (!any_shown) {
            kv::platform::print_failure("the program could not start");
            return 1;
        }
    }

    // A lost display ends the process through exit() from inside Qt: save on the way out, then end
    // before the windows are torn down against a display that is gone. Dialogs put back what Cancel
    // would on a display of no screen, so that nothing reaches the X server that went away.
    std::atexit([] {
        kv::headless::HeadlessBackend no_display;
        kv::forms::set_backend(&no_display);
        try {
            kv::app::end_session();
        } catch (...) {
        }
        kv::platform::print_failure("the display was lost; the session is saved and the program ends");
        std::_Exit(1);
    });

    QApplication::exec();
    kv::qt::end_process();
}
