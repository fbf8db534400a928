#include "qt/text_box_widgets.h"

#include <QTextCursor>
#include <algorithm>

#include "qt/text.h"

namespace kv::qt {

namespace {

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

}  // namespace

TextBoxEdit::TextBoxEdit(FormWindow& window, forms::TextBox& box) : HostedText(window, box) {
    // Two pixels between the box's edge and its text.
    setTextMargins(2, 0, 2, 0);
    connect(this, &QLineEdit::textEdited, this, [this] { edited(); });
    connect(this, &QLineEdit::cursorPositionChanged, this, [this] { selected(); });
    connect(this, &QLineEdit::selectionChanged, this, [this] { selected(); });
}

void TextBoxEdit::sync() {
    forms::TextBox& box = control_;
    setReadOnly(box.locked());
    setFrame(box.border());
    setAlignment(horizontal(box.alignment()) | Qt::AlignVCenter);
    const QString want = decode_text(box.text());
    if (text() != want) setText(want);
    const int anchor = caret_to_qt(box.text(), box.anchor());
    const int caret = caret_to_qt(box.text(), box.caret());
    if (cursorPosition() == caret && line_edit_anchor(*this) == anchor) return;
    if (anchor == caret)
        setCursorPosition(caret);
    else
        setSelection(anchor, caret - anchor);
}

void TextBoxEdit::edited() {
    if (!users_change() || !window_.form().visible()) return;
    forms::TextBox& box = control_;
    guarded([&] {
        if (box.locked()) return;
        // An edit the box made by itself (a paste or a delete from its menu, an undo) goes into the model
        // as a paste in place of what it replaced, so that the field's rules and MaxLength apply to it
        // and the caret ends after it.
        const QString before = decode_text(box.text());
        const QString after = text();
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
    window_.schedule_sync();
}

void TextBoxEdit::selected() {
    forms::TextBox& box = control_;
    if (!users_change() || text() != decode_text(box.text())) return;
    guarded([&] {
        box.select(caret_to_bytes(box.text(), line_edit_anchor(*this)),
                   caret_to_bytes(box.text(), cursorPosition()));
    });
}

void TextBoxEdit::keyPressEvent(QKeyEvent* e) {
    if (!window_.deliver_key_press(*e, true)) QLineEdit::keyPressEvent(e);
    e->accept();
}

void TextBoxEdit::mousePressEvent(QMouseEvent* e) {
    forward(Action::down, this, *e);
    QLineEdit::mousePressEvent(e);
}

void TextBoxEdit::mouseReleaseEvent(QMouseEvent* e) {
    QLineEdit::mouseReleaseEvent(e);
    forward(Action::up, this, *e);
}

void TextBoxEdit::mouseDoubleClickEvent(QMouseEvent* e) {
    forward(Action::double_click, this, *e);
    QLineEdit::mouseDoubleClickEvent(e);
}

void TextBoxEdit::mouseMoveEvent(QMouseEvent* e) {
    forward(Action::move, this, *e);
    QLineEdit::mouseMoveEvent(e);
}

void TextBoxEdit::wheelEvent(QWheelEvent* e) {
    window_.deliver_wheel(e->angleDelta().y());
    e->accept();
}

TextBoxArea::TextBoxArea(FormWindow& window, forms::TextBox& box) : HostedText(window, box) {
    viewport()->setMouseTracking(true);
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    connect(this, &QPlainTextEdit::textChanged, this, [this] { edited(); });
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] { selected(); });
    connect(this, &QPlainTextEdit::selectionChanged, this, [this] { selected(); });
}

void TextBoxArea::sync() {
    forms::TextBox& box = control_;
    setReadOnly(box.locked());
    setFrameShape(box.border() ? QFrame::StyledPanel : QFrame::NoFrame);
    const QString text = area_text(box.text());
    if (toPlainText() != text) setPlainText(text);
    const auto at = [&](int bytes) {
        const int pos = static_cast<int>(area_text(box.text().substr(0, static_cast<size_t>(bytes))).size());
        return std::min(pos, static_cast<int>(text.size()));
    };
    const int anchor = at(box.anchor());
    const int caret = at(box.caret());
    QTextCursor cursor = textCursor();
    if (cursor.anchor() == anchor && cursor.position() == caret) return;
    cursor.setPosition(anchor);
    cursor.setPosition(caret, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void TextBoxArea::edited() {
    if (!users_change() || !window_.form().visible()) return;
    forms::TextBox& box = control_;
    guarded([&] {
        const std::string text = model_text(toPlainText());
        if (box.locked() || text == box.text()) return;
        box.set_text(text);
        if (box.text() == text) selected();
    });
    window_.schedule_sync();
}

void TextBoxArea::selected() {
    forms::TextBox& box = control_;
    if (!users_change() || toPlainText() != area_text(box.text())) return;
    const QTextCursor cursor = textCursor();
    const auto bytes = [&](int pos) { return static_cast<int>(model_text(toPlainText().left(pos)).size()); };
    guarded([&] { box.select(bytes(cursor.anchor()), bytes(cursor.position())); });
}

void TextBoxArea::keyPressEvent(QKeyEvent* e) {
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (!window_.deliver_key_press(*e, true) && !enter) QPlainTextEdit::keyPressEvent(e);
    e->accept();
}

void TextBoxArea::mousePressEvent(QMouseEvent* e) {
    forward(Action::down, viewport(), *e);
    QPlainTextEdit::mousePressEvent(e);
}

void TextBoxArea::mouseReleaseEvent(QMouseEvent* e) {
    QPlainTextEdit::mouseReleaseEvent(e);
    forward(Action::up, viewport(), *e);
}

void TextBoxArea::mouseMoveEvent(QMouseEvent* e) {
    forward(Action::move, viewport(), *e);
    QPlainTextEdit::mouseMoveEvent(e);
}

}  // namespace kv::qt
