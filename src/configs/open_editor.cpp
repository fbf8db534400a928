#include "configs/open_editor.h"

#include "configs/epsxe_config.h"
#include "configs/pcsx_config.h"
#include "configs/psxeven_config.h"
#include "configs/ssspsx_config.h"
#include "toolkit/windows.h"

namespace kv {

bool open_editor(const std::string& emulator, const std::string& emulator_folder, const std::string& profile,
                 forms::Form& owner) {
    configs::EditorWindow* editor = nullptr;
    if (emulator == "ePSXe") editor = &toolkit::form<ePSXe_config>();
    if (emulator == "PSXeven") editor = &toolkit::form<PSXeven_config>();
    if (emulator == "PCSX") editor = &toolkit::form<PCSX_config>();
    if (emulator == "SSSPSX") editor = &toolkit::form<SSSPSX_config>();
    if (!editor) return false;
    editor->get_emulator_path(emulator_folder, profile);
    editor->show_modal(owner);
    return true;
}

}  // namespace kv
