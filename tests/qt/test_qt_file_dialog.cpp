// The real open-file dialog behind browse_for_file: what it answers when a file is chosen or the
// dialog is cancelled.
#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include "qt/qt_fixture.h"
#include "support/test_support.h"
#include "toolkit/show_opn.h"

namespace {

using kvtest::QtFormsTest;

// Acts on the file dialog once it is open: the dialog runs its own modal loop.
void when_dialog_opens(const std::function<void(QFileDialog&)>& act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog && dialog->isVisible()) {
                poll->stop();
                poll->deleteLater();
                act(*dialog);
                return;
            }
        }
    });
    poll->start(20);
}

TEST_F(QtFormsTest, TheFileDialogAnswersFolderBarNameOrCancel) {
    kvtest::TempFolder tmp;
    const auto folder = tmp / "my emus";
    kvtest::write_file(folder / "runner", "#!/bin/sh\n");
    kv::forms::Form& owner = make_form("owner", 400, 300);
    owner.show();

    when_dialog_opens([&](QFileDialog& d) {
        d.selectFile(QString::fromStdString((folder / "runner").string()));
        QMetaObject::invokeMethod(&d, "accept");
    });
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

}  // namespace
