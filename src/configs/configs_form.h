#pragma once
// The configs window: configuration profiles of the four PlayStation emulators. Its content comes
// with the profiles.
#include <string>

#include "toolkit/framed_form.h"

namespace kv {

class configs_form : public toolkit::FramedForm {
  public:
    configs_form();

    // The emulator whose profiles are listed: "ePSXe", "PSXeven", "PCSX" or "SSSPSX".
    std::string current_config;
    // Shown after the emulator's name when it is not in the PSX list, or its folder is unknown.
    std::string no_emulator_message;
    std::string no_path_message;

    // Back to the ePSXe tab with its profiles listed, before the window is shown.
    void load_defaut();

  protected:
    void Form_Load() override;
};

}  // namespace kv
