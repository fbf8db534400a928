#pragma once
// The widget standing for a list box: Qt scrolls and selects, the model keeps ListIndex and TopIndex
// and sees the mouse and the keys.
#include <QListWidget>

#include "qt/hosted_widget.h"

namespace kv::qt {

class ListBoxView : public Hosted<QListWidget, forms::ListBox> {
  public:
    // mouse_held is the window's: set while a mouse button is held on one of its list boxes.
    ListBoxView(FormWindow& window, forms::ListBox& list, bool& mouse_held);
    void sync() override;

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

  private:
    void row_changed(int row);

    bool& mouse_held_;
};

}  // namespace kv::qt
