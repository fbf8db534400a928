#pragma once
// The program folder and folder listings as Windows file systems gave them.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/runtime.h"

namespace kv::platform {

// The folder of the running executable. Tests and the driver may set another one.
std::filesystem::path program_folder();
void set_program_folder(const std::filesystem::path& folder);

enum class EntryKind { files, folders, files_and_folders };

// Names (not paths) of the entries of a folder, sorted by name ignoring letter case (ASCII),
// ties broken by the exact bytes. A name holding CR, LF or NUL is not listed. A folder that cannot be
// read lists nothing.
std::vector<std::string> list_folder(const std::filesystem::path& folder, EntryKind kind);

// A name that no entry of a folder has exactly but several have in other letter cases ("data.kvl" and
// "DATA.KVL" for "Data.kvl"). Nothing says which one is meant, so none of them is read, and no new
// file is made beside them under the name as written. The text names the folder and the entries.
class AmbiguousName : public Failure {
  public:
    AmbiguousName(const std::filesystem::path& folder, const std::string& name,
                  const std::vector<std::string>& entries);
};

// An exact name first, then a unique case-insensitive match among the entries of the folder.
// Returns the path that exists, or nothing (also when the name is ambiguous).
std::optional<std::filesystem::path> find_ignoring_case(const std::filesystem::path& folder,
                                                        const std::string& name);

// A relative path, component by component, found as find_ignoring_case finds one name; nothing when
// any part is missing. Fails with AmbiguousName where a part matches several entries.
std::optional<std::filesystem::path> resolve_ignoring_case(const std::filesystem::path& base,
                                                           const std::filesystem::path& relative);

// A path the program names below `base` (a folder or file of its own, or of an emulator's folder),
// found component by component as find_ignoring_case finds one name, since users copy these folders
// from Windows in whatever letter case. From the first component not found on, the names stay as
// written, which is where a write creates them. Fails with AmbiguousName where a part matches several
// entries: neither a read nor a write may pick one, or add another.
std::filesystem::path find_named_path(const std::filesystem::path& base,
                                      const std::filesystem::path& relative);

// Every entry of a folder, files and folders alike, sorted as list_folder sorts them. Hidden entries
// (a leading ".") are left out, as the listing of a Windows folder left out hidden entries.
std::vector<std::string> list_folder_entries(const std::filesystem::path& folder);

// Whether a name read from a file can name one entry of a folder: not empty, no "/", not "." or "..".
bool is_plain_entry_name(std::string_view name);

// ASCII case-insensitive comparison used for sorting and lookups.
bool less_ignoring_case(const std::string& a, const std::string& b);
bool equal_ignoring_case(const std::string& a, const std::string& b);

}  // namespace kv::platform
