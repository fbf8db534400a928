#include "toolkit/show_opn.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "forms/backend.h"
#include "platform/file_pattern.h"
#include "platform/runtime.h"
#include "toolkit/message_box.h"

namespace kv::toolkit {

namespace {
// One dialog at a time, program-wide: the next dialog starts from what the previous one chose.
std::filesystem::path last_chosen;
}  // namespace

std::string browse_for_file(forms::Form& owner, const std::string& filter_description,
                            const std::string& filter_pattern, const std::string& dialog_title,
                            const std::string& initial_folder) {
    forms::FileDialogRequest request;
    request.title = dialog_title;
    request.filter_description = filter_description;
    request.filter_pattern = filter_pattern;
    request.start_folder = initial_folder;
    request.owner = &owner;
    // The dialog starts where the last one left, but offers the file chosen there only where this
    // dialog lists it: a program's name is no memory card.
    if (!last_chosen.empty()) {
        std::error_code ec;
        if (std::filesystem::is_directory(last_chosen.parent_path(), ec))
            request.start_folder = last_chosen.parent_path();
        if (platform::matches_dialog_filter(last_chosen.filename().string(), filter_pattern))
            request.preselected = last_chosen;
    }

    std::optional<std::filesystem::path> answer;
    try {
        answer = forms::backend().open_file(request);
    } catch (const platform::Failure&) {
        return "cancel";
    }
    if (!answer) return "cancel";

    // A name typed into the dialog is relative to the folder it shows.
    std::filesystem::path chosen = *answer;
    if (chosen.is_relative()) {
        std::error_code ec;
        chosen = std::filesystem::absolute(request.start_folder / chosen, ec);
        if (ec) return "cancel";
    }
    // Callers store the answer as a file path; a folder alone would be stored as one.
    if (!chosen.has_filename()) return "cancel";

    // Records keep a path as folder "|" name: a "|" of its own would cut the record.
    if (chosen.string().find('|') != std::string::npos) {
        show_message(owner,
                     "The path " + chosen.string() +
                         " holds \"|\", which Korvalin cannot store. Choose a file whose folder and name "
                         "have no \"|\".",
                     notice_icon);
        return "cancel";
    }

    std::string folder = chosen.parent_path().string();
    if (folder.empty() || folder.back() != '/') folder += '/';
    last_chosen = chosen;
    return folder + "|" + chosen.filename().string();
}

}  // namespace kv::toolkit
