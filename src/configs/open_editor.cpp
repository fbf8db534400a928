#include "configs/open_editor.h"

namespace kv {

bool open_editor(const std::string& /*emulator*/, const std::string& /*emulator_folder*/,
                 const std::string& /*profile*/, forms::Form& /*owner*/) {
    return false;
}

}  // namespace kv
