#include "qt/form_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "qt/guard.h"
#include "qt/hosted_widget.h"
#include "qt/input.h"
#include "qt/text.h"

namespace kv::qt {

namespace {

// Windows gave each window only its own keys; a window that only stays on top (the hide
// strip) must not take the keyboard from the window the person works in.
constexpr const char* focusless_form = "hide_form";

// How long a window manager may take to answer a move before the window is taken to stand where it
// last said.
constexpr int settle_ms = 500;

// Sets a flag for the length of a scope.
class FlagScope {
  public:
    explicit FlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = old_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

  private:
    bool& flag_;
    bool old_;
};

}  // namespace

FormWindow::FormWindow(forms::Form& form)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint), form_(form) {
    // The model is read here only later: the form is still being constructed.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // Clicking the painted surface takes no focus: the forms runtime's lightweight controls could not have
    // it.
    setFocusPolicy(Qt::NoFocus);
    wheel_sweep_.setSingleShot(true);
    // A wheel turn that the form's polling did not take by then is gone, as unpolled messages were.
    wheel_sweep_.setInterval(30);
    connect(&wheel_sweep_, &QTimer::timeout, this, [this] {
        while (form_.take_wheel()) {
        }
    });
    settle_.setSingleShot(true);
    settle_.setInterval(settle_ms);
    connect(&settle_, &QTimer::timeout, this, [this] {
        guarded([&] { form_.window_system_settled(); });
        window_stands_where_the_model_says();
    });
}

FormWindow::~FormWindow() = default;

QString FormWindow::title_of(const forms::Form& form) {
    if (!form.show_in_taskbar()) {
        if (auto* title = dynamic_cast<const forms::Label*>(form.find("Framebar_title")))
            return decode_text(title->caption()).trimmed();
    }
    return decode_text(form.caption()).trimmed();
}

Qt::WindowFlags FormWindow::flags_of(const forms::Form& form) {
    // Tool windows stay out of the task bar; only the main window is listed there.
    Qt::WindowFlags flags = (form.show_in_taskbar() ? Qt::Window : Qt::Tool) | Qt::FramelessWindowHint;
    // A drop-down grabs the pointer and the keyboard while shown, so that a press anywhere reaches it.
    if (form.drop_down()) return Qt::Popup | Qt::FramelessWindowHint;
    if (form.top_most()) flags |= Qt::WindowStaysOnTopHint;
    if (form.name() == focusless_form) flags |= Qt::WindowDoesNotAcceptFocus;
    return flags;
}

void FormWindow::schedule_sync() {
    if (!sync_pending_) {
        sync_pending_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (sync_pending_) sync();
            },
            Qt::QueuedConnection);
    }
    update();
}

void FormWindow::sync() {
    sync_pending_ = false;
    {
        FlagScope scope(syncing_);
        guarded([&] {
            sync_window();
            sync_controls();
        });
    }
    update();
}

void FormWindow::sync_window() {
    const Qt::WindowFlags flags = flags_of(form_);
    if (windowFlags() != flags) {
        const bool was_visible = isVisible();
        // Changing the flags re-creates the native window, hidden; it comes back without taking the focus.
        setWindowFlags(flags);
        requested_geometry_ = QRect();
        if (was_visible) {
            follow_opener();
            const bool quiet = testAttribute(Qt::WA_ShowWithoutActivating);
            setAttribute(Qt::WA_ShowWithoutActivating, true);
            show();
            setAttribute(Qt::WA_ShowWithoutActivating, quiet);
            raise();
        }
    }
    const QRect geometry(to_px(form_.left()), to_px(form_.top()), to_px(form_.width()),
                         to_px(form_.height()));
    // Only what the model asks for is requested, so that a window manager's adjustment is not fought.
    if (geometry != requested_geometry_) {
        setGeometry(geometry);
        requested_geometry_ = geometry;
        if (isVisible()) settle_.start();
    }
    const QString title = title_of(form_);
    if (windowTitle() != title) setWindowTitle(title);
    const double opacity = form_.layered() ? form_.alpha() / 255.0 : 1.0;
    if (windowOpacity() != opacity) setWindowOpacity(opacity);
    if (form_.region()) {
        QRegion outline = window_region(*form_.region());
        // An empty mask would mean none; a region with no area leaves nothing of the window.
        if (outline.isEmpty()) outline = QRegion(-2, -2, 1, 1);
        if (mask() != outline) setMask(outline);
    } else if (!mask().isEmpty()) {
        clearMask();
    }
    if (isVisible()) {
        const bool minimized = form_.window_state() == forms::WindowState::minimized;
        if (minimized && !isMinimized())
            showMinimized();
        else if (!minimized && isMinimized())
            showNormal();
    }
}

QWidget* FormWindow::widget_of(const forms::Control& c) const {
    auto it = widgets_.find(&c);
    return it == widgets_.end() ? nullptr : &it->second->widget();
}

void FormWindow::sync_controls() {
    bool made = false;
    const QRect surface(0, 0, to_px(form_.width()), to_px(form_.height()));
    for (const auto& owned : form_.controls()) {
        forms::Control& c = *owned;
        if (c.kind() != forms::ControlKind::text_box && c.kind() != forms::ControlKind::list_box) continue;
        HostedWidget*& hosted = widgets_[&c];
        if (!hosted) {
            hosted = make_hosted_widget(*this, c, list_mouse_held_);
            made = true;
        }
        place_hosted_widget(c, hosted->widget(), surface);
        hosted->sync();
    }
    if (made) apply_tab_order();
    // Keyboard focus follows the model's focused control; without one the window itself takes the keys.
    forms::Control* focused = form_.focused();
    QWidget* want = focused ? widget_of(*focused) : nullptr;
    if (want && want->isVisible() && want->isEnabled()) {
        if (focusWidget() != want) want->setFocus(Qt::OtherFocusReason);
    } else if (QWidget* current = focusWidget(); current && current != this && !want) {
        current->clearFocus();
    }
}

void FormWindow::apply_tab_order() {
    std::vector<std::pair<int, QWidget*>> ordered;
    for (const auto& [control, hosted] : widgets_)
        if (control->tab_index() >= 0) ordered.emplace_back(control->tab_index(), &hosted->widget());
    std::sort(ordered.begin(), ordered.end());
    for (std::size_t i = 1; i < ordered.size(); ++i)
        QWidget::setTabOrder(ordered[i - 1].second, ordered[i].second);
}

void FormWindow::follow_opener() {
    // Without a parent Qt makes a tool window transient for an unmapped window of its own, which a
    // window manager leaves standing when the window it was opened from is minimised.
    create();
    QWindow* parent = nullptr;
    if (opener_) {
        opener_->create();
        parent = opener_->windowHandle();
    }
    watch_native_window();
    QWindow* own = windowHandle();
    if (!own || own->transientParent() == parent) return;
    if (isVisible()) hide();
    own->setTransientParent(parent);
}

void FormWindow::show_form(FormWindow* opener) {
    sync();
    if (form_.modal() && windowModality() != Qt::ApplicationModal) {
        if (isVisible()) hide();
        // Every other window is blocked while this one is up; timers keep running.
        setWindowModality(Qt::ApplicationModal);
    }
    opener_ = opener == this ? nullptr : opener;
    follow_opener();
    if (form_.window_state() == forms::WindowState::minimized) {
        showMinimized();
        return;
    }
    show();
    raise();
    if (!(windowFlags() & Qt::WindowDoesNotAcceptFocus)) activateWindow();
    settle_.start();
}

void FormWindow::hide_form() {
    hide();
    if (windowModality() != Qt::NonModal) setWindowModality(Qt::NonModal);
}

void FormWindow::deliver_mouse(MouseAction action, QPoint pos, QPointF global, Qt::MouseButton button,
                               Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    // Input queued behind the click whose handler hid the window is not for it any more.
    if (!form_.visible()) return;
    const auto x = static_cast<float>(pos.x() * twips_per_pixel);
    const auto y = static_cast<float>(pos.y() * twips_per_pixel);
    const forms::ScreenPoint pointer{static_cast<float>(std::round(global.x()) * twips_per_pixel),
                                     static_cast<float>(std::round(global.y()) * twips_per_pixel)};
    const int16_t shift = shift_flags(modifiers);
    guarded([&] {
        switch (action) {
            case MouseAction::down:
                if (int16_t b = button_flag(button)) form_.deliver_mouse_down(x, y, b, shift, pointer);
                break;
            case MouseAction::up:
                if (int16_t b = button_flag(button)) form_.deliver_mouse_up(x, y, b, shift, pointer);
                break;
            case MouseAction::double_click:
                if (int16_t b = button_flag(button)) form_.deliver_double_click(x, y, b, shift);
                break;
            case MouseAction::move:
                form_.deliver_mouse_move(x, y, button_flags(buttons), shift, pointer);
                break;
        }
    });
}

void FormWindow::release_capture() {
    guarded([&] { form_.release_capture(); });
}

void FormWindow::deliver_wheel(int delta) {
    if (delta == 0 || !form_.visible()) return;
    guarded([&] { form_.deliver_wheel(delta); });
    wheel_sweep_.start();
}

bool FormWindow::deliver_key_press(const QKeyEvent& e, bool text_box) {
    if (!form_.visible()) return true;
    bool took = false;
    const bool ok = guarded([&] {
        const int16_t code = key_code(e.key(), e.modifiers());
        const int16_t shift = key_shift_flags(e.key(), e.modifiers(), true);
        // A key the model used up (a text box's editing key, a cancelled one) is not Qt's any more.
        if (code != 0 && form_.deliver_key_down(code, shift)) took = true;
        // Alt with a letter is a menu key, not typing (AltGr is not Alt here).
        const bool alt_only = (e.modifiers() & Qt::AltModifier) && !(e.modifiers() & Qt::ControlModifier);
        if (alt_only) return;
        if (auto ch = typed_character(e.text())) {
            form_.deliver_key_press(*ch);
            // Characters and Backspace are the model's editing.
            const auto unit = static_cast<uint16_t>(*ch);
            if (text_box && (unit >= 32 || *ch == forms::keys::back)) took = true;
        }
    });
    return took || !ok;
}

void FormWindow::deliver_key_release(const QKeyEvent& e) {
    // A held key repeats its press, not its release.
    if (e.isAutoRepeat() || !form_.visible()) return;
    guarded([&] {
        const int16_t code = key_code(e.key(), e.modifiers());
        if (code != 0) form_.deliver_key_up(code, key_shift_flags(e.key(), e.modifiers(), false));
    });
}

bool FormWindow::focusNextPrevChild(bool next) {
    // Tab and Shift+Tab walk the window's own tab order, which holds painted buttons as well as boxes;
    // the boxes ask their window, as Qt's widgets do.
    bool walked = false;
    guarded([&] { walked = form_.focus_next(next); });
    if (!walked) return QWidget::focusNextPrevChild(next);
    sync();
    return true;
}

void FormWindow::paintEvent(QPaintEvent* e) {
    QPainter painter(this);
    painter.setClipRegion(e->region());
    guarded([&] { painter_.paint(painter, form_); });
}

void FormWindow::mousePressEvent(QMouseEvent* e) {
    deliver_mouse(MouseAction::down, e->position().toPoint(), e->globalPosition(), e->button(), e->buttons(),
                  e->modifiers());
}

void FormWindow::mouseReleaseEvent(QMouseEvent* e) {
    deliver_mouse(MouseAction::up, e->position().toPoint(), e->globalPosition(), e->button(), e->buttons(),
                  e->modifiers());
}

void FormWindow::mouseDoubleClickEvent(QMouseEvent* e) {
    deliver_mouse(MouseAction::double_click, e->position().toPoint(), e->globalPosition(), e->button(),
                  e->buttons(), e->modifiers());
}

void FormWindow::mouseMoveEvent(QMouseEvent* e) {
    deliver_mouse(MouseAction::move, e->position().toPoint(), e->globalPosition(), e->button(), e->buttons(),
                  e->modifiers());
}

void FormWindow::wheelEvent(QWheelEvent* e) {
    deliver_wheel(e->angleDelta().y());
    e->accept();
}

void FormWindow::keyPressEvent(QKeyEvent* e) {
    deliver_key_press(*e, false);
    e->accept();
}

void FormWindow::keyReleaseEvent(QKeyEvent* e) {
    deliver_key_release(*e);
    e->accept();
}

void FormWindow::changeEvent(QEvent* e) {
    // A button pressed here and released over another window is released for this one too.
    if (e->type() == QEvent::ActivationChange && !isActiveWindow()) release_capture();
    // The person minimising or restoring the window changes the model's WindowState.
    if (e->type() == QEvent::WindowStateChange && !syncing_ && isVisible()) {
        const auto state = isMinimized() ? forms::WindowState::minimized : forms::WindowState::normal;
        if (form_.window_state() != state) guarded([&] { form_.set_window_state(state); });
    }
    QWidget::changeEvent(e);
}

bool FormWindow::eventFilter(QObject* watched, QEvent* e) {
    // The window system's reports reach the native window; the widget hears only of those that differ
    // from the last place asked for, so the answer to the last move would not come through. A
    // frameless window's frame under a window manager (openbox) has no border: its place is the
    // window's.
    if (watched == watched_window_ && e->type() == QEvent::Move && e->spontaneous()) {
        const QPoint at = static_cast<QMoveEvent*>(e)->pos();
        guarded([&] {
            form_.moved_by_window_system(static_cast<float>(at.x() * twips_per_pixel),
                                         static_cast<float>(at.y() * twips_per_pixel));
        });
        window_stands_where_the_model_says();
        // A report held back waits for the answers still to come, and no longer than that.
        settle_.start();
    }
    return QWidget::eventFilter(watched, e);
}

void FormWindow::watch_native_window() {
    QWindow* native = windowHandle();
    if (native == watched_window_) return;
    if (watched_window_) watched_window_->removeEventFilter(this);
    watched_window_ = native;
    if (native) native->installEventFilter(this);
}

void FormWindow::window_stands_where_the_model_says() {
    const QPoint place(to_px(form_.left()), to_px(form_.top()));
    if (place != requested_geometry_.topLeft() && place == geometry().topLeft())
        requested_geometry_.moveTopLeft(place);
}

void FormWindow::closeEvent(QCloseEvent* e) {
    // Windows close when the program hides them; a close request from outside changes nothing, except
    // that it sends a drop-down away, as the person turning elsewhere does.
    e->ignore();
    if (form_.drop_down() && form_.visible() && form_.on_dismiss) guarded([&] { form_.on_dismiss(); });
}

}  // namespace kv::qt
