#include "configs/open_editor.h"

#include "app/forms.h"
#include "configs/epsxe_config.h"

namespace kv {

bool open_editor(const std::string& emulator, const std::string& emulator_folder, const std::string& profile,
                 forms::Form& owner) {
    if (emulator == "ePSXe") {
        auto& editor = app::form<ePSXe_config>();
        editor.get_emulator_path(emulator_folder, profile);
        editor.show_modal(owner);
        return true;
    }
    return false;
}

}  // namespace kv
