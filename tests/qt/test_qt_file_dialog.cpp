// The real open-file dialog behind browse_for_file: what it answers when a file is chosen or the
// dialog is cancelled.
#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "qt/qt_fixture.h"
#include "support/test_support.h"
#include "toolkit/show_opn.h"

namespace {

using kvtest::QtFormsTest;

// Acts on the file dialog once it is open: the dialog runs its own modal loop. With `repeat`, the act
// runs again every tick while the dialog stays open, since the dialog's folder model loads in the
// background and an accept that comes before the chosen file is known is ignored. A dialog still open
// after ten seconds is rejected, so a test that fails never hangs.
void when_dialog_opens(const std::function<void(QFileDialog&)>& act, bool repeat = false) {
    // Owned by the application: a poll still waiting for its next tick when the test ends is not a leak.
    auto* poll = new QTimer(QCoreApplication::instance());
    auto seen = std::make_shared<QPointer<QFileDialog>>();
    auto ticks = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, act, repeat, seen, ticks] {
        auto finish = [poll] {
            poll->stop();
            poll->deleteLater();
        };
        if (!*seen) {
            if (*ticks > 0) return finish();  // the dialog it served has gone
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog && dialog->isVisible())
                    *seen = dialog;
            }
            if (!*seen) return;
        }
        QFileDialog& dialog = **seen;
        if (!dialog.isVisible()) return finish();
        if (++*ticks > 200) {
            ADD_FAILURE() << "the file dialog did not close";
            dialog.reject();
            return finish();
        }
        if (*ticks == 1 || repeat) act(dialog);
    });
    poll->start(50);
}

// Types a name into the dialog's name box, as a person would.
void type_name(QFileDialog& d, const std::filesystem::path& file) {
    auto* name_box = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name_box, nullptr);
    name_box->setText(QString::fromStdString(file.string()));
}

TEST_F(QtFormsTest, TheFileDialogAnswersFolderBarNameOrCancel) {
    kvtest::TempFolder tmp;
    const auto folder = tmp / "my emus";
    kvtest::write_file(folder / "runner", "#!/bin/sh\n");
    kv::forms::Form& owner = make_form("owner", 400, 300);
    owner.show();

    when_dialog_opens(
        [&](QFileDialog& d) {
            // Typed rather than selected: a selection is not written into the name box once the box
            // has the focus, and when the dialog gets it is up to the window system.
            type_name(d, folder / "runner");
            QMetaObject::invokeMethod(&d, "accept");
        },
        true);
    EXPECT_EQ(kv::toolkit::browse_for_file(owner, "Executable files", "*.exe", "Open", folder.string()),
              folder.string() + "/|runner");

    // The next dialog starts on the file chosen last; cancelling it answers "cancel".
    QString preselected;
    when_dialog_opens([&](QFileDialog& d) {
        preselected = d.selectedFiles().value(0);
        d.reject();
    });
    EXPECT_EQ(kv::toolkit::browse_for_file(owner, "Executable files", "*.exe", "Open", tmp.path().string()),
              "cancel");
    EXPECT_EQ(preselected.toStdString(), (folder / "runner").string());
}

TEST_F(QtFormsTest, TheFileDialogNamesAFilesTypeFromItsNameAlone) {
    // Read to guess its type, a file in /proc can wait for ever; one without a known ending is
    // therefore a plain file, whatever it holds.
    kvtest::TempFolder tmp;
    kvtest::write_file(tmp / "picture", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    kvtest::write_file(tmp / "named.png", "not a picture at all");
    kv::forms::Form& owner = make_form("owner", 400, 300);
    owner.show();
    QString unnamed_type, named_type;
    when_dialog_opens(
        [&](QFileDialog& d) {
            auto* model = d.findChild<QFileSystemModel*>();
            ASSERT_NE(model, nullptr);
            const QModelIndex unnamed = model->index(QString::fromStdString((tmp / "picture").string()), 2);
            const QModelIndex named = model->index(QString::fromStdString((tmp / "named.png").string()), 2);
            unnamed_type = model->data(unnamed).toString();
            named_type = model->data(named).toString();
            if (!unnamed_type.isEmpty() && !named_type.isEmpty()) d.reject();
        },
        true);
    kv::toolkit::browse_for_file(owner, "All files", "*", "Browse", tmp.path().string());
    EXPECT_EQ(unnamed_type.toStdString(), "File");
    EXPECT_NE(named_type.toStdString(), "File");  // a picture's type, by its ending
}

TEST_F(QtFormsTest, ATypedNameOfNoFileIsAskedAboutAndAnsweredWhenAgreed) {
    kvtest::TempFolder tmp;
    kv::forms::Form& owner = make_form("owner", 400, 300);
    owner.show();
    const auto missing = tmp / "new game.bin";

    // Answers the question box that the dialog raises, then checks nothing was made.
    auto answer_question = [](QMessageBox::StandardButton button) {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, [poll, button] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                    poll->stop();
                    poll->deleteLater();
                    box->button(button)->click();
                    return;
                }
            }
        });
        poll->start(20);
    };

    // "No" leaves the dialog open; the test then cancels it.
    when_dialog_opens([&](QFileDialog& d) {
        type_name(d, missing);
        answer_question(QMessageBox::No);
        QMetaObject::invokeMethod(&d, "accept");
        EXPECT_TRUE(d.isVisible());
        d.reject();
    });
    EXPECT_EQ(kv::toolkit::browse_for_file(owner, "Bitmap", "*.bmp", "Browse", tmp.path().string()),
              "cancel");

    when_dialog_opens([&](QFileDialog& d) {
        type_name(d, missing);
        answer_question(QMessageBox::Yes);
        QMetaObject::invokeMethod(&d, "accept");
    });
    EXPECT_EQ(kv::toolkit::browse_for_file(owner, "Bitmap", "*.bmp", "Browse", tmp.path().string()),
              tmp.path().string() + "/|new game.bin");
    EXPECT_FALSE(std::filesystem::exists(missing));
}

}  // namespace
