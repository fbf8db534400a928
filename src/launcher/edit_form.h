#pragma once
// The dialog that edits the selected emulator. While it is open the emulator's switch record is out
// of the main window's list; OK puts it back under the name now typed, Cancel under the old one.
#include <cstdint>
#include <string>

#include "launcher/emulator_dialog.h"

namespace kv {

class edit_form : public EmulatorDialog {
  public:
    edit_form();

    // 1-based position of the edited record in its section list; 0 when none. 32 bits, so that a
    // section may hold more than 32,767 emulators.
    int32_t edit_index = 0;

    // Takes the edited emulator record: its location shows in the Location box.
    void get_path(const std::string& in_path_);
    // Takes the emulator's switch record, whose switches OK and Cancel put back.
    void get_switches(const std::string& in_switches);

    void Label8_Click();  // OK
    void Label7_Click();  // Cancel

  protected:
    std::string path_after_cancelled_browse() const override { return record_path; }

  private:
    std::string record_path;
    std::string switch_name;
    std::string switch_fields;
};

}  // namespace kv
