#pragma once
// The widgets standing for text boxes of one line and of several. The model edits the text (typing,
// the editing keys, the clipboard keys); Qt draws the text, the caret and the selection, and the
// mouse moves them there.
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWheelEvent>

#include "qt/hosted_widget.h"

namespace kv::qt {

// What the two kinds of text box share.
template <typename Base>
class HostedText : public Hosted<Base, forms::TextBox> {
  public:
    using Hosted<Base, forms::TextBox>::Hosted;

  protected:
    // The box's own menu takes the release of the button that opened it: the form will not see it.
    void contextMenuEvent(QContextMenuEvent* e) override {
        this->window_.release_capture();
        Base::contextMenuEvent(e);
    }
};

class TextBoxEdit : public HostedText<QLineEdit> {
  public:
    TextBoxEdit(FormWindow& window, forms::TextBox& box);
    void sync() override;

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

  private:
    // An edit the box made by itself, into the model.
    void edited();
    // The caret and selection the mouse moved, into the model.
    void selected();
};

// A text box of several lines: Enter is the model's (a CR LF); the keys that move by lines as the box
// wraps them are Qt's; the rest as in one-line boxes.
class TextBoxArea : public HostedText<QPlainTextEdit> {
  public:
    TextBoxArea(FormWindow& window, forms::TextBox& box);
    void sync() override;

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

  private:
    void edited();
    // The caret and selection the area moved itself (the mouse, the keys that follow its wrapping).
    void selected();
};

}  // namespace kv::qt
