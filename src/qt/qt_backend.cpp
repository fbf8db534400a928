#include "qt/qt_backend.h"

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <memory>
#include <set>

#include "forms/form.h"
#include "qt/dialogs.h"
#include "qt/form_window.h"
#include "qt/guard.h"
#include "qt/input_gate.h"
#include "qt/text.h"

namespace kv::qt {

QtBackend::QtBackend() {
    install_font_substitutes();
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, &timer_owner_,
                     [this] { windows_restacked(); });
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, &timer_owner_,
                     [this] { windows_restacked(); });
}

QtBackend::~QtBackend() {
    for (auto& [form, loop] : modal_loops_) loop->quit();
    // Forms that outlive the display fall back to the headless one.
    if (&forms::backend() == this) forms::set_backend(nullptr);
}

FormWindow* QtBackend::find_window(const forms::Form* form) const {
    auto it = windows_.find(form);
    return it == windows_.end() ? nullptr : it->second.get();
}

QWidget* QtBackend::window_of(const forms::Form& form) const {
    return find_window(&form);
}

QWidget* QtBackend::widget_of(const forms::Control& control) const {
    FormWindow* w = find_window(&control.form());
    return w ? w->widget_of(control) : nullptr;
}

QImage QtBackend::grab_form(const forms::Form& form) {
    FormWindow* w = find_window(&form);
    if (!w) return QImage();
    if (w->sync_pending()) w->sync();
    return w->grab().toImage();
}

void QtBackend::sync_all() {
    for (auto& [form, window] : windows_)
        if (window->sync_pending()) window->sync();
}

void QtBackend::form_created(forms::Form& form) {
    windows_[&form] = std::make_unique<FormWindow>(form);
}

void QtBackend::form_destroyed(forms::Form& form) {
    for (auto& [f, loop] : modal_loops_)
        if (f == &form) loop->quit();
    windows_.erase(&form);
}

void QtBackend::form_changed(forms::Form& form) {
    if (FormWindow* w = find_window(&form)) w->schedule_sync();
}

void QtBackend::form_shown(forms::Form& form) {
    if (FormWindow* w = find_window(&form)) w->show_form(find_window(form.opener()));
    windows_restacked();
}

void QtBackend::form_hidden(forms::Form& form) {
    if (FormWindow* w = find_window(&form)) w->hide_form();
    for (auto& [f, loop] : modal_loops_)
        if (f == &form) loop->quit();
}

void QtBackend::run_modal(forms::Form& form) {
    if (!form.visible()) return;
    QEventLoop loop;
    modal_loops_.emplace_back(&form, &loop);
    loop.exec();
    std::erase_if(modal_loops_, [&](const auto& entry) { return entry.second == &loop; });
}

namespace {

// Whether a running timer has nothing to do now and may sleep until an event wakes it.
bool may_sleep(const forms::Timer& timer) {
    switch (timer.work()) {
        case forms::Timer::Work::wheel_turns:
            return !timer.form().wheel_pending();
        case forms::Timer::Work::window_stacking:
            return true;
        case forms::Timer::Work::every_tick:
            break;
    }
    return false;
}

// A window kept on top is checked this often as well, for windows of other programs that the window
// system put above it without telling this one.
constexpr int stacking_check_ms = 250;

}  // namespace

forms::WaitEnd QtBackend::wait_readable(std::span<const int> fds, int timeout_ms, bool input_ends_wait) {
    QEventLoop loop;
    bool readable = false;
    bool pressed = false;
    std::vector<std::unique_ptr<QSocketNotifier>> notifiers;
    for (int fd : fds) {
        notifiers.push_back(
            std::make_unique<QSocketNotifier>(static_cast<qintptr>(fd), QSocketNotifier::Read));
        QObject::connect(notifiers.back().get(), &QSocketNotifier::activated, &loop, [&] {
            readable = true;
            loop.quit();
        });
    }
    QTimer limit;
    limit.setSingleShot(true);
    if (timeout_ms >= 0) {
        QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        limit.start(timeout_ms);
    }
    const bool was_waiting = std::exchange(waiting_, true);
    bool ended_by_press = false;
    {
        // A press in the first second is most likely the rest of the click that started the wait.
        constexpr int grace_ms = 1000;
        std::function<void()> on_press;
        if (input_ends_wait)
            on_press = [&] {
                pressed = true;
                loop.quit();
            };
        InputGate gate(std::move(on_press), grace_ms);
        loop.exec();
        ended_by_press = pressed && !readable;
        for (auto& n : notifiers) n->setEnabled(false);
        limit.stop();
        // What the window system queued before the wait ended goes through the gate too, rather than
        // reaching the windows afterwards.
        QCoreApplication::processEvents();
    }
    waiting_ = was_waiting;
    if (readable) return forms::WaitEnd::readable;
    if (ended_by_press) return forms::WaitEnd::input;
    return forms::Backend::wait_readable(fds, 0) == forms::WaitEnd::readable ? forms::WaitEnd::readable
                                                                             : forms::WaitEnd::timed_out;
}

void QtBackend::set_busy(bool busy) {
    if (busy) {
        if (busy_depth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busy_depth_ > 0 && --busy_depth_ == 0) {
        QApplication::restoreOverrideCursor();
    }
}

void QtBackend::timer_changed(forms::Timer& timer) {
    QTimer*& qt_timer = timers_[&timer];
    if (!qt_timer) {
        qt_timer = new QTimer(&timer_owner_);
        QObject::connect(qt_timer, &QTimer::timeout, qt_timer, [this, &timer] {
            if (waiting_) return;
            guarded([&] {
                if (timer.on_timer) timer.on_timer();
            });
            if (timer.work() == forms::Timer::Work::window_stacking) raise_top_most();
            // The handler may have destroyed or changed the timer; look it up again.
            auto it = timers_.find(&timer);
            if (it != timers_.end() && timer.running()) arm(timer, *it->second);
        });
    }
    // Any change restarts the count, as the forms runtime's timers did.
    if (timer.running())
        arm(timer, *qt_timer);
    else
        qt_timer->stop();
}

void QtBackend::arm(const forms::Timer& timer, QTimer& qt_timer) {
    if (!may_sleep(timer)) {
        if (qt_timer.interval() != timer.interval() || !qt_timer.isActive()) qt_timer.start(timer.interval());
        return;
    }
    if (timer.work() == forms::Timer::Work::window_stacking) {
        if (qt_timer.interval() != stacking_check_ms || !qt_timer.isActive())
            qt_timer.start(stacking_check_ms);
        return;
    }
    qt_timer.stop();
}

void QtBackend::raise_top_most() {
    for (auto& [form, window] : windows_)
        if (form->top_most() && form->visible() && window->isVisible()) window->raise();
}

void QtBackend::wheel_arrived(forms::Form& form) {
    for (auto& [timer, qt_timer] : timers_)
        if (&timer->form() == &form && timer->running() && timer->work() == forms::Timer::Work::wheel_turns &&
            !qt_timer->isActive())
            qt_timer->start(timer->interval());
}

void QtBackend::windows_restacked() {
    // Later, once the window that caused it is in its place.
    QTimer::singleShot(0, &timer_owner_, [this] {
        if (waiting_) return;
        std::vector<const forms::Timer*> due;
        for (auto& [timer, qt_timer] : timers_)
            if (timer->running() && timer->work() == forms::Timer::Work::window_stacking)
                due.push_back(timer);
        for (const forms::Timer* timer : due)
            guarded([&] {
                if (timers_.contains(timer) && timer->on_timer) timer->on_timer();
            });
        if (!due.empty()) raise_top_most();
    });
}

void QtBackend::timer_destroyed(forms::Timer& timer) {
    auto it = timers_.find(&timer);
    if (it == timers_.end()) return;
    it->second->stop();
    it->second->disconnect();
    // Later, since the timer may be the one whose handler is running.
    it->second->deleteLater();
    timers_.erase(it);
}

forms::TextSize QtBackend::measure_text(const forms::Font& font, const std::string& text) {
    const QFontMetrics metrics(to_qfont(font));
    const QStringList lines = decode_lines(text).split(QLatin1Char('\n'));
    int widest = 0;
    // The drawn extent: a label sized to it shows its whole caption.
    for (const QString& line : lines) widest = std::max(widest, drawn_width(metrics, line));
    // Lines follow each other a line spacing apart, and the last is a whole line high: a face whose
    // leading is negative (Nimbus Sans) sets its lines closer than its ascent and descent span.
    const int height = (static_cast<int>(lines.size()) - 1) * metrics.lineSpacing() +
                       std::max(metrics.height(), metrics.lineSpacing());
    return forms::TextSize{static_cast<float>(widest * twips_per_pixel),
                           static_cast<float>(height * twips_per_pixel)};
}

forms::TextSize QtBackend::measure_wrapped_text(const forms::Font& font, const std::string& text,
                                                float max_width) {
    const QFontMetrics metrics(to_qfont(font));
    const int limit = std::max(1, static_cast<int>(max_width / twips_per_pixel));
    // Broken as a label draws it (painting.cpp): at words, within its width.
    const QRect drawn = metrics.boundingRect(
        QRect(0, 0, limit, 1 << 20), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, decode_lines(text));
    return forms::TextSize{static_cast<float>(drawn.width() * twips_per_pixel),
                           static_cast<float>(drawn.height() * twips_per_pixel)};
}

std::vector<std::string> QtBackend::installed_fonts() {
    // Qt lists a family that several foundries make once per foundry, as "C059 [urw]": a person knows
    // it, and a font name is stored and drawn, by the family alone.
    std::vector<std::string> fonts;
    std::set<QString> listed;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family)) continue;
        const qsizetype foundry = family.lastIndexOf(QLatin1String(" ["));
        const QString name = foundry > 0 && family.endsWith(QLatin1Char(']')) ? family.left(foundry) : family;
        if (listed.insert(name).second) fonts.push_back(encode_text(name));
    }
    return fonts;
}

QWidget* QtBackend::dialog_parent(const forms::Form* owner) const {
    // A dialog over a window hidden meanwhile belongs with the window that one was opened from.
    FormWindow* w = find_window(forms::nearest_shown(owner));
    if (w && w->isVisible()) return w;
    return QApplication::activeWindow();
}

std::optional<std::filesystem::path> QtBackend::open_file(const forms::FileDialogRequest& request) {
    return run_file_dialog(request, dialog_parent(request.owner));
}

std::optional<std::filesystem::path> QtBackend::choose_folder(const forms::FolderDialogRequest& request) {
    return run_folder_dialog(request, dialog_parent(request.owner));
}

void QtBackend::system_message(const forms::Form* owner, const std::string& caption, const std::string& text,
                               forms::MessageIcon icon) {
    run_message_box(caption, text, icon, dialog_parent(owner));
}

bool QtBackend::system_question(const forms::Form* owner, const std::string& caption,
                                const std::string& text) {
    // The question is answered with the mouse: the ordinary cursor over it, even while busy.
    const bool busy = busy_depth_ > 0;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const bool yes = run_question_box(caption, text, dialog_parent(owner));
    if (busy) QApplication::restoreOverrideCursor();
    return yes;
}

std::string QtBackend::clipboard_text() {
    return encode_text(QGuiApplication::clipboard()->text());
}

void QtBackend::set_clipboard_text(const std::string& text) {
    QGuiApplication::clipboard()->setText(decode_text(text));
}

void QtBackend::beep() {
    QApplication::beep();
}

float QtBackend::screen_width() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<float>(screen->size().width() * twips_per_pixel) : 0.0f;
}

std::vector<forms::ScreenArea> QtBackend::screen_areas() {
    std::vector<forms::ScreenArea> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect g = screen->geometry();
        areas.push_back({static_cast<float>(g.x() * twips_per_pixel),
                         static_cast<float>(g.y() * twips_per_pixel),
                         static_cast<float>(g.width() * twips_per_pixel),
                         static_cast<float>(g.height() * twips_per_pixel)});
    }
    return areas;
}

float QtBackend::screen_height() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<float>(screen->size().height() * twips_per_pixel) : 0.0f;
}

}  // namespace kv::qt
