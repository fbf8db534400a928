#include "qt/input_gate.h"

#include <QApplication>
#include <QEvent>

namespace kv::qt {

namespace {

bool is_press(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::TouchBegin:
        case QEvent::TabletPress:
            return true;
        default:
            return false;
    }
}

bool is_user_input(QEvent::Type type) {
    if (is_press(type)) return true;
    switch (type) {
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseMove:
        case QEvent::Wheel:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::InputMethod:
        case QEvent::ContextMenu:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TouchCancel:
        case QEvent::TabletMove:
        case QEvent::TabletRelease:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return true;
        default:
            return false;
    }
}

}  // namespace

InputGate::InputGate(std::function<void()> on_press, int grace_ms)
    : on_press_(std::move(on_press)), grace_ms_(grace_ms) {
    standing_.start();
    qApp->installEventFilter(this);
}

InputGate::~InputGate() {
    qApp->removeEventFilter(this);
}

bool InputGate::eventFilter(QObject* /*watched*/, QEvent* event) {
    if (!is_user_input(event->type())) return false;
    if (on_press_ && is_press(event->type()) && standing_.elapsed() >= grace_ms_) on_press_();
    return true;
}

}  // namespace kv::qt
