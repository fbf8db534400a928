#pragma once
// The dialog that edits the selected emulator. Its content comes with that feature.
#include <cstdint>

#include "toolkit/framed_form.h"

namespace kv {

class edit_form : public toolkit::FramedForm {
public:
    edit_form();

    // 1-based position of the edited record in its section list; 0 when none. 32 bits, so that a
    // section may hold more than 32,767 emulators.
    int32_t edit_index = 0;

protected:
    void Form_Load() override;
};

}  // namespace kv
