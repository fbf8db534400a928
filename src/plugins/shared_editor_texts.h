#pragma once
// The texts the four editors share ("Not selected", a plug-in's test verdicts) are public variables of
// ePSXe_config, where start-up and the language file set them. They are read at each use, since the
// language may have changed them, and reached by window name: the editors sit above this folder.
#include <string>
#include <string_view>

namespace kv::plugins {

// The variable of ePSXe_config; `load` loads the window first, as reaching it by type would.
std::string shared_editor_text(std::string_view variable, bool load);

}  // namespace kv::plugins
