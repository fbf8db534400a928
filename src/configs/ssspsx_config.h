#pragma once
// The SSSPSX settings editor: its choices live in the emulator's SSSPSX.ini, which Ok rewrites
// through the profile's file.
#include <cstdint>
#include <string>

#include "configs/editor_window.h"
#include "model/ssspsx_ini.h"

namespace kv {

class SSSPSX_config : public configs::EditorWindow {
  public:
    SSSPSX_config();

    std::string bios_path;
    std::string memcards_path;
    std::string emulator_path;
    // BIOS, GPU, SPU, CDR, PAD1, PAD2, MCD1, MCD2 as read and as to be written.
    model::SsspsxValues ini_values;
    model::SsspsxValues save_values;

    void get_emulator_path(const std::string& emu_path, const std::string& emu_profile) override;
    void read_ssspsx_ini();
    void load_settings() override;
    void load_bios_list();
    void load_memcard_list();
    // Writes the profile's file and, when that worked, puts a copy over the emulator's SSSPSX.ini.
    std::vector<std::string> save_settings() override;
    // Writes the profile's file; fails (kv::Failure) naming it and why.
    void write_ssspsx_ini();
};

}  // namespace kv
