// A box of several lines in the real window: Enter types a line break into the model, the lines show
// as lines, and Tab walks the boxes in the window's order rather than the order they were made.
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "qt/qt_fixture.h"

namespace {

using kv::forms::Form;
using kv::forms::TextBox;
using kvtest::QtFormsTest;

TEST_F(QtFormsTest, EnterStartsALineAndTabFollowsTheWindowsOrder) {
    Form& f = make_form("area_form", 300, 120);
    auto& name = f.add<TextBox>("name", 150, 150, 1500, 300);
    auto& location = f.add<TextBox>("location", 1800, 150, 1500, 300);
    auto& about = f.add<TextBox>("about", 150, 600, 3000, 900);
    about.set_multi_line(true);
    name.set_tab_index(0);
    about.set_tab_index(1);
    location.set_tab_index(2);
    about.set_text("first\r\nsecond");
    f.show();
    auto& area = widget<QPlainTextEdit>(about);
    EXPECT_EQ(area.toPlainText(), QStringLiteral("first\nsecond"));

    auto& name_edit = widget<QLineEdit>(name);
    name_edit.setFocus();
    EXPECT_EQ(name_edit.nextInFocusChain(), &area);
    // The area's own scroll bars and viewport follow it in the chain; the next box is the location.
    QWidget* next = area.nextInFocusChain();
    while (next && !qobject_cast<QLineEdit*>(next) && next != &area) next = next->nextInFocusChain();
    EXPECT_EQ(next, &widget<QLineEdit>(location));

    f.set_focus(&about);
    about.set_sel_start(static_cast<int>(about.text().size()));
    backend_->sync_all();
    key(area, Qt::Key_Return, QStringLiteral("\r"));
    type(area, QStringLiteral("x"));
    EXPECT_EQ(about.text(), "first\r\nsecond\r\nx");
    EXPECT_TRUE(wait_until([&] { return area.toPlainText() == QStringLiteral("first\nsecond\nx"); }));
}

TEST_F(QtFormsTest, ADisabledBoxKeepsTheSkinsColoursAndBoxesPadTheirText) {
    Form& f = make_form("disabled_form", 200, 60);
    auto& box = f.add<TextBox>("box", 150, 150, 1500, 300);
    box.set_back_color(0);
    box.set_fore_color(0xFFFFFF);
    box.set_text("/misc.bmp");
    box.set_enabled(false);
    f.show();
    auto& edit = widget<QLineEdit>(box);
    EXPECT_FALSE(edit.isEnabled());
    EXPECT_EQ(edit.palette().color(QPalette::Disabled, QPalette::Base), QColor(0, 0, 0));
    EXPECT_EQ(edit.palette().color(QPalette::Disabled, QPalette::Text), QColor(127, 127, 127));
    // Drawn, the disabled box is dark, not a white bar.
    const QImage shot = edit.grab().toImage();
    EXPECT_LT(qGray(shot.pixel(shot.width() - 3, shot.height() / 2)), 64);
    EXPECT_EQ(edit.textMargins().left(), 2);
}

}  // namespace
