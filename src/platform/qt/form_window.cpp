#include "platform/qt/form_window.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QWheelEvent>
#include <cmath>

#include "platform/qt/guard.h"
#include "platform/qt/input.h"
#include "platform/qt/text.h"

namespace kv::qt {

namespace {

using Action = FormWindow::MouseAction;

// Windows gave each window only its own keys; a window that only stays on top (the hide
// strip) must not take the keyboard from the window the person works in.
constexpr const char* focusless_form = "hide_form";

bool effectively_enabled(const forms::Control& c) {
    for (const forms::Control* p = &c; p; p = p->container())
        if (!p->enabled()) return false;
    return true;
}

void set_colors(QWidget& w, forms::Color back, forms::Color fore) {
    QPalette pal = w.palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Base, to_qcolor(back));
        pal.setColor(group, QPalette::Text, to_qcolor(fore));
    }
    // A disabled box keeps the skin's colours, its text greyed half way to the background.
    const QColor b = to_qcolor(back);
    const QColor f = to_qcolor(fore);
    pal.setColor(QPalette::Disabled, QPalette::Base, b);
    pal.setColor(QPalette::Disabled, QPalette::Text,
                 QColor((b.red() + f.red()) / 2, (b.green() + f.green()) / 2, (b.blue() + f.blue()) / 2));
    if (pal != w.palette()) w.setPalette(pal);
}

template <typename Base>
class Hosted : public Base {
  public:
    Hosted(FormWindow& window, forms::Control& control) : Base(&window), window_(window), control_(control) {
        this->setMouseTracking(true);
    }

  protected:
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

    FormWindow& window_;
    forms::Control& control_;
};

// The text boxes of one line and of several.
template <typename Base>
class HostedText : public Hosted<Base> {
  public:
    using Hosted<Base>::Hosted;

  protected:
    // The box's own menu takes the release of the button that opened it: the form will not see it.
    void contextMenuEvent(QContextMenuEvent* e) override {
        this->window_.release_capture();
        Base::contextMenuEvent(e);
    }
};

// A text box: the model edits it (typing, the editing keys, the clipboard keys); Qt draws the text,
// the caret and the selection, and the mouse moves them there.
class TextBoxEdit : public HostedText<QLineEdit> {
  public:
    using HostedText::HostedText;

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (!window_.deliver_key_press(*e, true)) QLineEdit::keyPressEvent(e);
        e->accept();
    }
    void mousePressEvent(QMouseEvent* e) override {
        forward(Action::down, this, *e);
        QLineEdit::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        QLineEdit::mouseReleaseEvent(e);
        forward(Action::up, this, *e);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        forward(Action::double_click, this, *e);
        QLineEdit::mouseDoubleClickEvent(e);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        forward(Action::move, this, *e);
        QLineEdit::mouseMoveEvent(e);
    }
    void wheelEvent(QWheelEvent* e) override {
        window_.deliver_wheel(e->angleDelta().y());
        e->accept();
    }
};

// A text box of several lines: Enter is the model's (a CR LF); the keys that move by lines as the box
// wraps them are Qt's; the rest as in one-line boxes.
class TextBoxArea : public HostedText<QPlainTextEdit> {
  public:
    TextBoxArea(FormWindow& window, forms::Control& control) : HostedText(window, control) {
        viewport()->setMouseTracking(true);
        setTabChangesFocus(true);
        setLineWrapMode(QPlainTextEdit::WidgetWidth);
    }

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
        if (!window_.deliver_key_press(*e, true) && !enter) QPlainTextEdit::keyPressEvent(e);
        e->accept();
    }
    void mousePressEvent(QMouseEvent* e) override {
        forward(Action::down, viewport(), *e);
        QPlainTextEdit::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        QPlainTextEdit::mouseReleaseEvent(e);
        forward(Action::up, viewport(), *e);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        forward(Action::move, viewport(), *e);
        QPlainTextEdit::mouseMoveEvent(e);
    }
};

// The end of a one-line box's selection that stays while the caret moves.
int line_edit_anchor(const QLineEdit& edit) {
    if (!edit.hasSelectedText()) return edit.cursorPosition();
    return edit.cursorPosition() == edit.selectionStart() ? edit.selectionEnd() : edit.selectionStart();
}

// The model's text with CR LF line ends as a text area holds it, and back.
QString area_text(const std::string& bytes) {
    QString t = decode_text(bytes);
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return t;
}
std::string model_text(QString t) {
    t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return encode_text(t);
}

// A list box: Qt scrolls and selects, the model keeps ListIndex and sees the mouse and keys.
class ListBoxView : public Hosted<QListWidget> {
  public:
    ListBoxView(FormWindow& window, forms::Control& control, bool& mouse_held)
        : Hosted(window, control), mouse_held_(mouse_held) {
        viewport()->setMouseTracking(true);
    }

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        window_.deliver_key_press(*e, false);
        QListWidget::keyPressEvent(e);
        e->accept();
    }
    // Mouse events of a scroll area arrive in its viewport's coordinates.
    void mousePressEvent(QMouseEvent* e) override {
        mouse_held_ = true;
        forward(Action::down, viewport(), *e);
        QListWidget::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        QListWidget::mouseReleaseEvent(e);
        mouse_held_ = e->buttons() != Qt::NoButton;
        forward(Action::up, viewport(), *e);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        mouse_held_ = true;
        forward(Action::double_click, viewport(), *e);
        QListWidget::mouseDoubleClickEvent(e);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        forward(Action::move, viewport(), *e);
        QListWidget::mouseMoveEvent(e);
    }

  private:
    bool& mouse_held_;
};

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

QWidget* FormWindow::make_widget(forms::Control& c) {
    QWidget* w = nullptr;
    if (auto* box = dynamic_cast<forms::TextBox*>(&c); box && box->multi_line()) {
        auto* area = new TextBoxArea(*this, c);
        connect(area, &QPlainTextEdit::textChanged, this, [this, box, area] { area_edited(*box, *area); });
        // The caret and selection the area moves itself (the mouse, the keys that follow its wrapping).
        connect(area, &QPlainTextEdit::cursorPositionChanged, this,
                [this, box, area] { area_selected(*box, *area); });
        connect(area, &QPlainTextEdit::selectionChanged, this,
                [this, box, area] { area_selected(*box, *area); });
        w = area;
    } else if (box) {
        auto* edit = new TextBoxEdit(*this, c);
        // Two pixels between the box's edge and its text.
        edit->setTextMargins(2, 0, 2, 0);
        connect(edit, &QLineEdit::textEdited, this, [this, box, edit] { text_edited(*box, *edit); });
        // The caret and selection the mouse moves.
        connect(edit, &QLineEdit::cursorPositionChanged, this,
                [this, box, edit] { edit_selected(*box, *edit); });
        connect(edit, &QLineEdit::selectionChanged, this, [this, box, edit] { edit_selected(*box, *edit); });
        w = edit;
    } else if (auto* list = dynamic_cast<forms::ListBox*>(&c)) {
        auto* view = new ListBoxView(*this, c, list_mouse_held_);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        // Whole rows of the model's height in a one-pixel frame, scrolled row by row, so that a press
        // lands on the row the model computes.
        view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        // A row wider than the list is cut at its edge, as in Windows list boxes: a horizontal scroll
        // bar would cover the last row.
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setUniformItemSizes(true);
        view->setFrameStyle(QFrame::Box | QFrame::Plain);
        view->setLineWidth(1);
        connect(view, &QListWidget::currentRowChanged, this,
                [this, list](int row) { row_changed(*list, row); });
        connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this, [this, list](int top) {
            if (syncing_) return;
            guarded([&] { list->set_top_index(top); });
        });
        w = view;
    }
    if (w) widgets_[&c] = w;
    return w;
}

QWidget* FormWindow::widget_of(const forms::Control& c) const {
    auto it = widgets_.find(&c);
    return it == widgets_.end() ? nullptr : it->second;
}

void FormWindow::place_widget(const forms::Control& c, QWidget& w) {
    const QRect r = pixel_rect(c);
    const QRect clip = container_clip(c, QRect(0, 0, to_px(form_.width()), to_px(form_.height())));
    if (w.geometry() != r) w.setGeometry(r);
    // Containers clip what they hold, native widgets included.
    if (!clip.contains(r)) {
        const QRegion visible = QRegion(clip.translated(-r.topLeft())) & QRegion(0, 0, r.width(), r.height());
        if (w.mask() != visible) w.setMask(visible.isEmpty() ? QRegion(-2, -2, 1, 1) : visible);
    } else if (!w.mask().isEmpty()) {
        w.clearMask();
    }
    w.setEnabled(effectively_enabled(c));
    const QFont font = to_qfont(c.font());
    if (w.font() != font) w.setFont(font);
    set_colors(w, c.back_color(), c.fore_color());
    w.setVisible(c.shown() && !r.isEmpty());
}

void FormWindow::sync_controls() {
    bool made = false;
    for (const auto& owned : form_.controls()) {
        forms::Control& c = *owned;
        if (c.kind() != forms::ControlKind::text_box && c.kind() != forms::ControlKind::list_box) continue;
        QWidget* w = widget_of(c);
        if (!w) {
            w = make_widget(c);
            made = true;
        }
        place_widget(c, *w);
        if (auto* area = dynamic_cast<QPlainTextEdit*>(w))
            sync_text_area(static_cast<forms::TextBox&>(c), *area);
        else if (auto* box = dynamic_cast<forms::TextBox*>(&c))
            sync_text_box(*box, static_cast<QLineEdit&>(*w));
        else
            sync_list_box(static_cast<forms::ListBox&>(c), static_cast<QListWidget&>(*w));
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

void FormWindow::sync_text_box(forms::TextBox& box, QLineEdit& edit) {
    edit.setReadOnly(box.locked());
    edit.setFrame(box.border());
    edit.setAlignment(horizontal(box.alignment()) | Qt::AlignVCenter);
    const QString text = decode_text(box.text());
    if (edit.text() != text) edit.setText(text);
    const int anchor = caret_to_qt(box.text(), box.anchor());
    const int caret = caret_to_qt(box.text(), box.caret());
    if (edit.cursorPosition() == caret && line_edit_anchor(edit) == anchor) return;
    if (anchor == caret)
        edit.setCursorPosition(caret);
    else
        edit.setSelection(anchor, caret - anchor);
}

void FormWindow::sync_text_area(forms::TextBox& box, QPlainTextEdit& area) {
    area.setReadOnly(box.locked());
    area.setFrameShape(box.border() ? QFrame::StyledPanel : QFrame::NoFrame);
    const QString text = area_text(box.text());
    if (area.toPlainText() != text) area.setPlainText(text);
    const auto at = [&](int bytes) {
        const int pos = static_cast<int>(area_text(box.text().substr(0, static_cast<size_t>(bytes))).size());
        return std::min(pos, static_cast<int>(text.size()));
    };
    const int anchor = at(box.anchor());
    const int caret = at(box.caret());
    QTextCursor cursor = area.textCursor();
    if (cursor.anchor() == anchor && cursor.position() == caret) return;
    cursor.setPosition(anchor);
    cursor.setPosition(caret, QTextCursor::KeepAnchor);
    area.setTextCursor(cursor);
}

void FormWindow::area_edited(forms::TextBox& box, QPlainTextEdit& area) {
    if (syncing_ || !form_.visible()) return;
    guarded([&] {
        const std::string text = model_text(area.toPlainText());
        if (box.locked() || text == box.text()) return;
        box.set_text(text);
        if (box.text() == text) area_selected(box, area);
    });
    schedule_sync();
}

void FormWindow::area_selected(forms::TextBox& box, QPlainTextEdit& area) {
    if (syncing_ || area.toPlainText() != area_text(box.text())) return;
    const QTextCursor cursor = area.textCursor();
    const auto bytes = [&](int pos) {
        return static_cast<int>(model_text(area.toPlainText().left(pos)).size());
    };
    guarded([&] { box.select(bytes(cursor.anchor()), bytes(cursor.position())); });
}

void FormWindow::apply_tab_order() {
    std::vector<std::pair<int, QWidget*>> ordered;
    for (const auto& [control, widget] : widgets_)
        if (control->tab_index() >= 0) ordered.emplace_back(control->tab_index(), widget);
    std::sort(ordered.begin(), ordered.end());
    for (std::size_t i = 1; i < ordered.size(); ++i)
        QWidget::setTabOrder(ordered[i - 1].second, ordered[i].second);
}

void FormWindow::sync_list_box(forms::ListBox& list, QListWidget& view) {
    bool same = view.count() == list.list_count();
    for (int i = 0; same && i < view.count(); ++i) same = view.item(i)->text() == decode_text(list.list(i));
    const int row_px = to_px(list.row_height());
    if (same && view.count() > 0 && view.item(0)->sizeHint().height() != row_px) same = false;
    if (!same) {
        view.clear();
        for (const std::string& item : list.items()) {
            view.addItem(decode_text(item));
            view.item(view.count() - 1)->setSizeHint(QSize(0, row_px));
        }
    }
    if (view.currentRow() != list.list_index()) {
        view.setCurrentRow(list.list_index());
        if (list.list_index() < 0) view.clearSelection();
    }
    if (view.verticalScrollBar()->value() != list.top_index())
        view.verticalScrollBar()->setValue(list.top_index());
}

void FormWindow::text_edited(forms::TextBox& box, QLineEdit& edit) {
    if (syncing_ || !form_.visible()) return;
    guarded([&] {
        if (box.locked()) return;
        // An edit the box made by itself (a paste or a delete from its menu, an undo) goes into the model
        // as a paste in place of what it replaced, so that the field's rules and MaxLength apply to it
        // and the caret ends after it.
        const QString before = decode_text(box.text());
        const QString after = edit.text();
        qsizetype same_start = 0;
        while (same_start < before.size() && same_start < after.size() &&
               before[same_start] == after[same_start])
            ++same_start;
        qsizetype same_end = 0;
        while (same_end < before.size() - same_start && same_end < after.size() - same_start &&
               before[before.size() - 1 - same_end] == after[after.size() - 1 - same_end])
            ++same_end;
        const auto at = [&](qsizetype pos) { return caret_to_bytes(box.text(), static_cast<int>(pos)); };
        box.select(at(same_start), at(before.size() - same_end));
        box.set_sel_text(encode_text(after.mid(same_start, after.size() - same_end - same_start)));
    });
    // Change handlers may have rewritten the text.
    schedule_sync();
}

void FormWindow::edit_selected(forms::TextBox& box, QLineEdit& edit) {
    if (syncing_ || edit.text() != decode_text(box.text())) return;
    guarded([&] {
        box.select(caret_to_bytes(box.text(), line_edit_anchor(edit)),
                   caret_to_bytes(box.text(), edit.cursorPosition()));
    });
}

void FormWindow::row_changed(forms::ListBox& list, int row) {
    if (syncing_ || row == list.list_index()) return;
    guarded([&] {
        if (!list_mouse_held_) {
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

void FormWindow::show_form() {
    sync();
    if (form_.modal() && windowModality() != Qt::ApplicationModal) {
        if (isVisible()) hide();
        // Every other window is blocked while this one is up; timers keep running.
        setWindowModality(Qt::ApplicationModal);
    }
    if (form_.window_state() == forms::WindowState::minimized) {
        showMinimized();
        return;
    }
    show();
    raise();
    if (!(windowFlags() & Qt::WindowDoesNotAcceptFocus)) activateWindow();
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

void FormWindow::closeEvent(QCloseEvent* e) {
    // Windows close when the program hides them; a close request from outside changes nothing, except
    // that it sends a drop-down away, as the person turning elsewhere does.
    e->ignore();
    if (form_.drop_down() && form_.visible() && form_.on_dismiss) guarded([&] { form_.on_dismiss(); });
}

}  // namespace kv::qt
