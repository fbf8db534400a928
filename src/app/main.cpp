// korvalin: the launcher, with real windows on Qt.
#include <QApplication>
#include <iostream>

#include "app/forms.h"
#include "platform/forms/backend.h"
#include "platform/forms/form.h"
#include "platform/qt/guard.h"
#include "platform/qt/qt_backend.h"

int main(int argc, char** argv) {
    // The windows place themselves, mask their outline and stay on top: X11 allows all of that,
    // Wayland does not. A platform the user chose is kept.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    // Windows are hidden, never closed; the program ends when it says so.
    QApplication::setQuitOnLastWindowClosed(false);

    kv::qt::QtBackend backend;
    kv::forms::set_backend(&backend);

    const bool started = kv::qt::guarded([] { kv::app::start_program(); });
    if (!started) {
        // A failed start that left nothing on the screen would be a process nobody can see or end.
        bool any_shown = false;
        for (kv::forms::Form* f : kv::app::created_forms()) any_shown = any_shown || f->visible();
        if (!any_shown) {
            std::cerr << "korvalin: the program could not start" << std::endl;
            return 1;
        }
    }
    QApplication::exec();
    kv::qt::end_process();
}
