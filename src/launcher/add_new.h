#pragma once
// The dialog that adds an emulator to the current section.
#include <string>

#include "launcher/emulator_dialog.h"

namespace kv {

class add_new : public EmulatorDialog {
  public:
    add_new();

    // The message for an empty name, in this dialog and in the edit dialog.
    std::string add_new_error_message;

    void Label8_Click();  // OK
    void Label7_Click();  // Cancel

  protected:
    std::string path_after_cancelled_browse() const override { return "Unknown|Unknown"; }
};

}  // namespace kv
