#pragma once
// Qt's own file, folder and message dialogs standing in for the system's.
#include <QString>
#include <QWidget>
#include <filesystem>
#include <optional>
#include <string>

#include "forms/backend.h"

namespace kv::qt {

// A Qt name filter for a description and patterns separated by ';'. Patterns match names in any
// letter case, as on Windows file systems, and "*.exe" (programs there) matches every file.
QString file_dialog_filter(const std::string& description, const std::string& patterns);

std::optional<std::filesystem::path> run_file_dialog(const forms::FileDialogRequest& request,
                                                     QWidget* parent);
std::optional<std::filesystem::path> run_folder_dialog(const forms::FolderDialogRequest& request,
                                                       QWidget* parent);
void run_message_box(const std::string& caption, const std::string& text, forms::MessageIcon icon,
                     QWidget* parent);
// Yes or No, No the default; true for Yes.
bool run_question_box(const std::string& caption, const std::string& text, QWidget* parent);

}  // namespace kv::qt
