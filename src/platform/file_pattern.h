#pragma once
// The patterns of an open-file dialog's filter ("*.mcr", several separated by ';') as the dialog
// applies them to file names: in any letter case, as on Windows file systems, with "*.exe" (programs
// there) standing for every file, since programs here have no extension.
#include <string>
#include <vector>

namespace kv::platform {

// The patterns in their order, trimmed, "*.exe" as "*", without empty ones or repeats (ignoring
// case); "*" when none is left.
std::vector<std::string> dialog_patterns(const std::string& patterns);

// Whether the dialog lists a file of that name: it matches one of the patterns, "*" standing for
// any run of characters and "?" for one, letters in any case.
bool matches_dialog_filter(const std::string& file_name, const std::string& patterns);

}  // namespace kv::platform
