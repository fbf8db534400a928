#pragma once
// The real window of one form: a frameless top-level widget that paints the model, forwards the
// mouse, keyboard and wheel to it, and hosts text and list boxes as native Qt widgets.
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <map>

#include "forms/form.h"
#include "qt/painting.h"

class QKeyEvent;
class QWindow;

namespace kv::qt {

class HostedWidget;

class FormWindow : public QWidget {
  public:
    explicit FormWindow(forms::Form& form);
    ~FormWindow() override;

    forms::Form& form() const { return form_; }

    // Asks for the model to be brought onto the screen; many changes in a row make one update.
    void schedule_sync();
    bool sync_pending() const { return sync_pending_; }
    // True while the window writes the model's state into its widgets, so that their signals are not
    // taken for the user's doing.
    bool syncing() const { return syncing_; }
    // Brings the window in line with the model now: place, title, flags, opacity, outline, state
    // and the native text and list boxes.
    void sync();

    // Showing and hiding as the model does it. The window is made transient for its opener's (nullptr:
    // for none), so that a window manager moves, raises and minimises the two together.
    void show_form(FormWindow* opener);
    void hide_form();

    // The native widget standing for a text or list box, once the window has made it.
    QWidget* widget_of(const forms::Control& c) const;

    // The window title: the main window's caption, otherwise the title label's caption trimmed.
    static QString title_of(const forms::Form& form);
    static Qt::WindowFlags flags_of(const forms::Form& form);

    // Input from this window and from the native widgets it hosts, in pixels of this window, with
    // where the pointer is on the desktop.
    enum class MouseAction { down, up, double_click, move };
    void deliver_mouse(MouseAction action, QPoint pos, QPointF global, Qt::MouseButton button,
                       Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void deliver_wheel(int delta);
    void release_capture();
    // Key events for the form and its focused control; returns true when the model took the typed
    // character (a text box edits itself through the model, not through Qt).
    bool deliver_key_press(const QKeyEvent& e, bool text_box);
    void deliver_key_release(const QKeyEvent& e);

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool focusNextPrevChild(bool next) override;

  private:
    void sync_window();
    void sync_controls();
    void apply_tab_order();
    // Names the opener's native window as this one's transient parent; the window system reads it
    // when the window is mapped, so it is set before each showing.
    void follow_opener();
    // After a report the model took, or a settling, the model's place is where the window stands:
    // nothing to ask the window system for.
    void window_stands_where_the_model_says();
    // Listens to the native window, where the window system's reports of its place arrive.
    void watch_native_window();

    forms::Form& form_;
    FormPainter painter_;
    bool sync_pending_ = false;
    bool syncing_ = false;
    // Set while a mouse button is held on a list box: a selection made by the mouse comes without
    // Click, since the model's mouse-up brings it.
    bool list_mouse_held_ = false;
    QRect requested_geometry_;
    QPointer<FormWindow> opener_;
    QPointer<QWindow> watched_window_;
    std::map<const forms::Control*, HostedWidget*> widgets_;  // children, owned by this window
    QTimer wheel_sweep_;
    // Runs out once the window system has had time to answer every move asked of it, and has said
    // nothing more.
    QTimer settle_;
};

}  // namespace kv::qt
