#pragma once
// The PCSX settings editor: its plug-in and BIOS folders come from the emulator's settings, and the
// user may point it at others.
#include <cstdint>
#include <string>

#include "configs/editor_window.h"

namespace kv {

class PCSX_config : public configs::EditorWindow {
  public:
    PCSX_config();

    // The BIOS folder, ending with '/'; the BIOS picker lists its images.
    std::string bios_path;

    void get_emulator_path(const std::string& emu_path, const std::string& emu_profile) override;
    // The internal BIOS, then the folder's ".bin" files in any letter case; the stored choice shown.
    void load_bios_list();
    void load_settings() override;
    std::vector<std::string> save_settings() override;

    // "Plugins dir" rescans the plug-ins and reads their stored choices anew; "Bios dir" the BIOS list.
    void Label36_Click();
    void Label38_Click();
};

}  // namespace kv
