#pragma once
// The native Qt widgets a form window hosts for its text and list boxes. Each passes the mouse, the
// keys and the focus on to its window's model, and is brought in line with its control when the
// window syncs.
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include "forms/controls.h"
#include "qt/form_window.h"
#include "qt/guard.h"

namespace kv::qt {

// What the window asks of each widget it hosts.
class HostedWidget {
  public:
    virtual ~HostedWidget() = default;
    virtual QWidget& widget() = 0;
    // Writes the control's own state (text, caret and selection, rows) into the widget.
    virtual void sync() = 0;
};

// Makes the widget standing for a text or list box, a child of its window that the window owns;
// nullptr for any other control. A press held on any list box of the window sets list_mouse_held.
HostedWidget* make_hosted_widget(FormWindow& window, forms::Control& control, bool& list_mouse_held);

// Places, clips, enables, colours and shows a hosted widget as its control and containers say;
// window_rect is the window's whole surface in pixels.
void place_hosted_widget(const forms::Control& control, QWidget& widget, const QRect& window_rect);

// The part every hosted widget shares: it follows the mouse, gives the model the focus it takes and
// the keys it releases.
template <typename Base, typename Model>
class Hosted : public Base, public HostedWidget {
  public:
    Hosted(FormWindow& window, Model& control) : Base(&window), window_(window), control_(control) {
        this->setMouseTracking(true);
    }

    QWidget& widget() override { return *this; }

  protected:
    using Action = FormWindow::MouseAction;

    QPoint on_window(QWidget* from, const QMouseEvent& e) const {
        return from->mapTo(&window_, e.position().toPoint());
    }
    void forward(Action action, QWidget* from, const QMouseEvent& e) {
        window_.deliver_mouse(action, on_window(from, e), e.globalPosition(), e.button(), e.buttons(),
                              e.modifiers());
    }
    void focusInEvent(QFocusEvent* e) override {
        Base::focusInEvent(e);
        guarded([&] {
            if (window_.form().focused() != &control_) window_.form().set_focus(&control_);
        });
    }
    void keyReleaseEvent(QKeyEvent* e) override {
        window_.deliver_key_release(*e);
        Base::keyReleaseEvent(e);
        e->accept();
    }
    // Whether a signal of the widget is the user's doing rather than the window's sync.
    bool users_change() const { return !window_.syncing(); }

    FormWindow& window_;
    Model& control_;
};

}  // namespace kv::qt
