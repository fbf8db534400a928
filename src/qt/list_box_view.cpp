#include "qt/list_box_view.h"

#include <QScrollBar>
#include <utility>

#include "qt/text.h"

namespace kv::qt {

ListBoxView::ListBoxView(FormWindow& window, forms::ListBox& list, bool& mouse_held)
    : Hosted(window, list), mouse_held_(mouse_held) {
    viewport()->setMouseTracking(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Whole rows of the model's height in a one-pixel frame, scrolled row by row, so that a press
    // lands on the row the model computes.
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // A row wider than the list is cut at its edge, as in Windows list boxes: a horizontal scroll
    // bar would cover the last row.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) { row_changed(row); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int top) {
        if (!users_change()) return;
        guarded([&] { control_.set_top_index(top); });
    });
}

void ListBoxView::sync() {
    forms::ListBox& list = control_;
    bool same = count() == list.list_count();
    for (int i = 0; same && i < count(); ++i) same = item(i)->text() == decode_text(list.list(i));
    const int row_px = to_px(list.row_height());
    if (same && count() > 0 && item(0)->sizeHint().height() != row_px) same = false;
    if (!same) {
        clear();
        for (const std::string& row : list.items()) {
            addItem(decode_text(row));
            item(count() - 1)->setSizeHint(QSize(0, row_px));
        }
    }
    if (currentRow() != list.list_index()) {
        setCurrentRow(list.list_index());
        if (list.list_index() < 0) clearSelection();
    }
    if (verticalScrollBar()->value() != list.top_index()) verticalScrollBar()->setValue(list.top_index());
}

void ListBoxView::row_changed(int row) {
    forms::ListBox& list = control_;
    if (!users_change() || row == list.list_index()) return;
    guarded([&] {
        if (!mouse_held_) {
            list.set_list_index(row);
            return;
        }
        // Chosen with the mouse: the model's mouse-up brings the Click, so the change comes without one.
        auto click = std::move(list.on_click);
        list.on_click = nullptr;
        try {
            list.set_list_index(row);
        } catch (...) {
            list.on_click = std::move(click);
            throw;
        }
        list.on_click = std::move(click);
    });
}

void ListBoxView::keyPressEvent(QKeyEvent* e) {
    window_.deliver_key_press(*e, false);
    QListWidget::keyPressEvent(e);
    e->accept();
}

// Mouse events of a scroll area arrive in its viewport's coordinates.
void ListBoxView::mousePressEvent(QMouseEvent* e) {
    mouse_held_ = true;
    forward(Action::down, viewport(), *e);
    QListWidget::mousePressEvent(e);
}

void ListBoxView::mouseReleaseEvent(QMouseEvent* e) {
    QListWidget::mouseReleaseEvent(e);
    mouse_held_ = e->buttons() != Qt::NoButton;
    forward(Action::up, viewport(), *e);
}

void ListBoxView::mouseDoubleClickEvent(QMouseEvent* e) {
    mouse_held_ = true;
    forward(Action::double_click, viewport(), *e);
    QListWidget::mouseDoubleClickEvent(e);
}

void ListBoxView::mouseMoveEvent(QMouseEvent* e) {
    forward(Action::move, viewport(), *e);
    QListWidget::mouseMoveEvent(e);
}

}  // namespace kv::qt
