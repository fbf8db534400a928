// Typing into the real boxes: Ctrl+A and Shift with the caret keys select, what is typed or pasted
// replaces the selection (through the model, whose field filters apply), a selection made with the
// mouse is the model's too, and Tab walks the add and edit dialogs' boxes and then their buttons.
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/program.h"
#include "launcher/add_new.h"
#include "launcher/field_box.h"
#include "platform/folder.h"
#include "qt/painting.h"
#include "qt/qt_fixture.h"
#include "support/test_support.h"
#include "toolkit/windows.h"

namespace {

using kv::forms::Form;
using kv::forms::TextBox;
using kvtest::QtFormsTest;

TEST_F(QtFormsTest, SelectingAndTypingOverTheSelectionInAOneLineBox) {
    Form& f = make_form("name_form", 200, 60);
    auto& name = f.add<TextBox>("name", 150, 150, 2250, 300);
    kv::launcher::keep_out_field_separator(name);
    name.set_text("PCSX 1.5");
    f.show();
    auto& edit = widget<QLineEdit>(name);
    click(edit, QPoint(5, 5));

    key(edit, Qt::Key_A, QStringLiteral("\x01"), Qt::ControlModifier);
    EXPECT_EQ(name.sel_text(), "PCSX 1.5");
    EXPECT_TRUE(wait_until([&] { return edit.selectedText() == QStringLiteral("PCSX 1.5"); }));
    type(edit, QStringLiteral("pcsx"));
    EXPECT_EQ(name.text(), "pcsx");
    EXPECT_TRUE(wait_until([&] { return edit.text() == QStringLiteral("pcsx") && !edit.hasSelectedText(); }));

    // Shift+Home selects back to the start, Shift+Right gives one character back.
    key(edit, Qt::Key_Home, {}, Qt::ShiftModifier);
    key(edit, Qt::Key_Right, {}, Qt::ShiftModifier);
    EXPECT_EQ(name.sel_text(), "csx");
    EXPECT_TRUE(wait_until([&] { return edit.selectedText() == QStringLiteral("csx"); }));
    EXPECT_EQ(edit.cursorPosition(), 1);

    // A paste replaces the selection; the "|" the field refuses stays out, and the caret follows.
    QGuiApplication::clipboard()->setText(QStringLiteral("SX|2"));
    key(edit, Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier);
    EXPECT_EQ(name.text(), "pSX2");
    type(edit, QStringLiteral("!"));
    EXPECT_EQ(name.text(), "pSX2!");
    EXPECT_TRUE(
        wait_until([&] { return edit.text() == QStringLiteral("pSX2!") && edit.cursorPosition() == 5; }));

    // Copy takes the model's selection to the desktop's clipboard.
    key(edit, Qt::Key_Left, {}, Qt::ShiftModifier | Qt::ControlModifier);
    key(edit, Qt::Key_C, QStringLiteral("\x03"), Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("pSX2!"));

    // A selection the box makes itself, as a drag or a double click of the mouse does, is the model's.
    name.set_text("one two");
    EXPECT_TRUE(wait_until([&] { return edit.text() == QStringLiteral("one two"); }));
    edit.setSelection(4, 3);
    EXPECT_EQ(name.sel_text(), "two");
    key(edit, Qt::Key_Backspace, QStringLiteral("\b"));
    EXPECT_EQ(name.text(), "one ");
    // A paste from the box's own menu is the model's paste too: filtered, the caret after it.
    EXPECT_TRUE(wait_until([&] { return edit.text() == QStringLiteral("one "); }));
    edit.insert(QStringLiteral("t|wo"));
    EXPECT_EQ(name.text(), "one two");
    type(edit, QStringLiteral("!"));
    EXPECT_EQ(name.text(), "one two!");
}

TEST_F(QtFormsTest, SelectingAndTypingOverTheSelectionInABoxOfSeveralLines) {
    Form& f = make_form("area_form", 300, 120);
    auto& about = f.add<TextBox>("about", 150, 150, 3000, 900);
    about.set_multi_line(true);
    about.set_text("first\r\nsecond");
    f.show();
    auto& area = widget<QPlainTextEdit>(about);
    f.set_focus(&about);
    backend_->sync_all();

    key(area, Qt::Key_A, QStringLiteral("\x01"), Qt::ControlModifier);
    EXPECT_TRUE(wait_until([&] { return area.textCursor().selectedText().size() == 12; }));
    type(area, QStringLiteral("x"));
    EXPECT_EQ(about.text(), "x");
    key(area, Qt::Key_Return, QStringLiteral("\r"));
    type(area, QStringLiteral("yz"));
    EXPECT_EQ(about.text(), "x\r\nyz");
    EXPECT_TRUE(wait_until([&] { return area.toPlainText() == QStringLiteral("x\nyz"); }));

    // Shift+Up follows the lines as the area lays them out, and its selection is the model's.
    key(area, Qt::Key_Up, {}, Qt::ShiftModifier);
    EXPECT_EQ(about.sel_text(), "\r\nyz");
    type(area, QStringLiteral("!"));
    EXPECT_EQ(about.text(), "x!");
}

TEST_F(QtFormsTest, TabWalksTheAddDialogsBoxesThenItsButtonsAndEnterPressesOne) {
    kvtest::TempFolder tmp;
    kvtest::copy_program_folder(tmp.path());
    kv::platform::set_program_folder(tmp.path());
    kv::app::start_program();
    auto& adder = kv::toolkit::form<kv::add_new>();
    adder.prepare_to_open();
    adder.show();
    backend_->sync_all();
    const QImage unfocused = backend_->grab_form(adder);

    // Keys go to the box with the focus, or to the window itself while a painted button has it.
    auto focus_holder = [&]() -> QWidget& {
        QWidget* w = adder.focused() ? backend_->widget_of(*adder.focused()) : nullptr;
        return w ? *w : window(adder);
    };
    std::vector<const kv::forms::Control*> walked;
    for (int i = 0; i < 6; ++i) {
        key(focus_holder(), Qt::Key_Tab);
        walked.push_back(adder.focused());
    }
    EXPECT_EQ(walked,
              (std::vector<const kv::forms::Control*>{&adder.Text2, &adder.Text3, &adder.Picture1,
                                                      &adder.Picture2, &adder.Picture3, &adder.Text1}));
    EXPECT_TRUE(wait_until([&] { return window(adder).focusWidget() == backend_->widget_of(adder.Text1); }));
    key(focus_holder(), Qt::Key_Backtab, {}, Qt::ShiftModifier);
    EXPECT_EQ(adder.focused(), &adder.Picture3);

    // The button Tab reached shows it.
    key(focus_holder(), Qt::Key_Backtab, {}, Qt::ShiftModifier);
    EXPECT_EQ(adder.focused(), &adder.Picture2);
    backend_->sync_all();
    const QImage focused = backend_->grab_form(adder);
    const QRect cancel = kv::qt::pixel_rect(adder.Picture2);
    int changed = 0;
    for (int x = cancel.left(); x <= cancel.right(); ++x)
        if (focused.pixel(x, cancel.top() + 2) != unfocused.pixel(x, cancel.top() + 2)) ++changed;
    EXPECT_GT(changed, cancel.width() / 4);

    // Enter on Cancel presses it: the name typed is gone and the dialog hides.
    adder.Text1.set_text("half typed");
    key(focus_holder(), Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_FALSE(adder.visible());
    EXPECT_EQ(adder.Text1.text(), "");
    kv::toolkit::reset_forms();
}

}  // namespace
