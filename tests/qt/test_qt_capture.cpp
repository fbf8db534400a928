// The real windows end a mouse capture whose release they will not see, and drop input queued for a
// window that a handler has just hidden.
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>

#include "qt/qt_fixture.h"

namespace {

using kv::forms::Form;
using kv::forms::Label;
using kv::forms::TextBox;
using kvtest::QtFormsTest;

class QtCaptureTest : public QtFormsTest {
  protected:
    Form& dialog() {
        Form& f = make_form("capture_form", 200, 60);
        box = &f.add<TextBox>("box", 150, 150, 1200, 300);
        ok = &f.add<Label>("ok", 2250, 150, 450, 300);
        ok->set_transparent(true);
        ok->on_click = [this] { ++ok_clicks; };
        f.show();
        return f;
    }
    void click_ok(Form& f) { click(window(f), QPoint(160, 15)); }

    TextBox* box = nullptr;
    Label* ok = nullptr;
    int ok_clicks = 0;
};

TEST_F(QtCaptureTest, ATextBoxsOwnMenuTakingTheReleaseLeavesTheOtherControlsClickable) {
    Form& f = dialog();
    auto& edit = widget<QLineEdit>(*box);
    mouse(edit, QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton, Qt::RightButton);
    ASSERT_EQ(f.captured(), box);
    QContextMenuEvent menu_request(QContextMenuEvent::Mouse, QPoint(5, 5), edit.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&edit, &menu_request);
    EXPECT_EQ(f.captured(), nullptr);
    if (QWidget* menu = QApplication::activePopupWidget()) menu->close();
    click_ok(f);
    EXPECT_EQ(ok_clicks, 1);
}

TEST_F(QtCaptureTest, ABoxHiddenByItsOwnPressLeavesTheOtherControlsClickable) {
    Form& f = dialog();
    box->on_mouse_down = [this](const kv::forms::MouseEvent&) { box->set_visible(false); };
    auto& edit = widget<QLineEdit>(*box);
    mouse(edit, QEvent::MouseButtonPress, QPoint(5, 5), Qt::MiddleButton, Qt::MiddleButton);
    backend_->sync_all();
    EXPECT_FALSE(edit.isVisible());
    // The release comes to whatever lies under the pointer now: the window itself.
    mouse(window(f), QEvent::MouseButtonRelease, QPoint(15, 15), Qt::MiddleButton, Qt::NoButton);
    click_ok(f);
    EXPECT_EQ(ok_clicks, 1);
}

TEST_F(QtCaptureTest, InputQueuedBehindTheClickThatHidTheWindowIsDropped) {
    Form& f = dialog();
    auto& cancel = f.add<Label>("cancel", 1500, 600, 450, 300);
    cancel.set_transparent(true);
    cancel.on_click = [&] { f.hide(); };
    backend_->sync_all();
    QWidget& w = window(f);
    // Both clicks reach the window before anything is drawn again, as when they come a few
    // milliseconds apart.
    click(w, QPoint(110, 45));
    click(w, QPoint(160, 15));
    EXPECT_FALSE(f.visible());
    EXPECT_EQ(ok_clicks, 0);
    auto& edit = widget<QLineEdit>(*box);
    type(edit, QStringLiteral("x"));
    EXPECT_EQ(box->text(), "");
}

}  // namespace
