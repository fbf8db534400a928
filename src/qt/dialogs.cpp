#include "qt/dialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QStringList>

#include "platform/file_pattern.h"
#include "qt/text.h"

namespace kv::qt {

namespace {

QString from_path(const std::filesystem::path& p) {
    return QFile::decodeName(QByteArray::fromStdString(p.string()));
}
std::filesystem::path to_path(const QString& s) {
    return std::filesystem::path(QFile::encodeName(s).toStdString());
}

// "*.bmp" -> "*.[bB][mM][pP]": Qt matches file names case-sensitively here.
QString any_case(const QString& pattern) {
    QString out;
    for (QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper())
            out += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
        else
            out += c;
    }
    return out;
}

// Icons and type names from what a file is called, as Windows gave them, never from what it holds:
// reading a file to guess its type blocks on some that only look like files (/proc/kmsg waits for the
// kernel's next message) and would hang the dialog, and with it the program.
class IconsByName : public QFileIconProvider {
  public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override {
        if (info.isRoot()) return icon(Drive);
        if (info.isDir()) return icon(Folder);
        if (!info.isFile()) return icon(File);
        const QIcon themed = QIcon::fromTheme(by_name(info).iconName());
        return themed.isNull() ? icon(File) : themed;
    }
    // Folders, devices, pipes and links are named by their kind alone, which reads nothing.
    QString type(const QFileInfo& info) const override {
        if (!info.isFile()) return QFileIconProvider::type(info);
        const QMimeType mime = by_name(info);
        return mime.isDefault() ? QStringLiteral("File") : mime.comment();
    }

  private:
    QMimeType by_name(const QFileInfo& info) const {
        return names_.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    }
    QMimeDatabase names_;
};

// A typed name of a file that does not exist is asked about, as the system's dialog did; a yes
// answers that name like a chosen file (nothing is created).
class OpenFileDialog : public QFileDialog {
  public:
    using QFileDialog::QFileDialog;

  protected:
    void accept() override {
        const QStringList files = selectedFiles();
        if (!files.isEmpty() && !QFileInfo(files.first()).isDir() && !QFileInfo::exists(files.first())) {
            const auto answer = QMessageBox::question(
                this, windowTitle(),
                QFileInfo(files.first()).fileName() +
                    QStringLiteral("\nThis file does not exist.\nDo you want to create it?"));
            if (answer != QMessageBox::Yes) return;
        }
        QFileDialog::accept();
    }
};

}  // namespace

QString file_dialog_filter(const std::string& description, const std::string& patterns) {
    QStringList parts;
    for (const std::string& p : platform::dialog_patterns(patterns)) parts << any_case(decode_text(p));
    return decode_text(description) + QStringLiteral(" (") + parts.join(QLatin1Char(' ')) + QLatin1Char(')');
}

std::optional<std::filesystem::path> run_file_dialog(const forms::FileDialogRequest& request,
                                                     QWidget* parent) {
    IconsByName icons;
    OpenFileDialog dialog(parent, decode_text(request.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&icons);
    // Links are answered as themselves, not as what they point to.
    dialog.setOption(QFileDialog::DontResolveSymlinks);
    // The description alone, as the Windows dialog showed it; the patterns rewritten for letter case are not
    // for reading.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(file_dialog_filter(request.filter_description, request.filter_pattern));
    if (!request.start_folder.empty()) dialog.setDirectory(from_path(request.start_folder));
    if (!request.preselected.empty()) dialog.selectFile(from_path(request.preselected));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return to_path(files.first());
}

std::optional<std::filesystem::path> run_folder_dialog(const forms::FolderDialogRequest& request,
                                                       QWidget* parent) {
    IconsByName icons;
    QFileDialog dialog(parent, decode_text(request.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&icons);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    if (!request.start_folder.empty()) dialog.setDirectory(from_path(request.start_folder));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList folders = dialog.selectedFiles();
    if (folders.isEmpty()) return std::nullopt;
    return to_path(folders.first());
}

void run_message_box(const std::string& caption, const std::string& text, forms::MessageIcon icon,
                     QWidget* parent) {
    QMessageBox::Icon qt_icon = QMessageBox::NoIcon;
    switch (icon) {
        case forms::MessageIcon::none:
            break;
        case forms::MessageIcon::information:
            qt_icon = QMessageBox::Information;
            break;
        case forms::MessageIcon::exclamation:
            qt_icon = QMessageBox::Warning;
            break;
        case forms::MessageIcon::critical:
            qt_icon = QMessageBox::Critical;
            break;
    }
    QMessageBox box(qt_icon, decode_text(caption), decode_text(text), QMessageBox::Ok, parent);
    box.exec();
}

bool run_question_box(const std::string& caption, const std::string& text, QWidget* parent) {
    QMessageBox box(QMessageBox::Question, decode_text(caption), decode_text(text),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace kv::qt
