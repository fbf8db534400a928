#pragma once
// The dialog that adds an emulator to the current section. Its content comes with that feature.
#include <string>

#include "toolkit/framed_form.h"

namespace kv {

class add_new : public toolkit::FramedForm {
public:
    add_new();

    // The message for an empty name, in this dialog and in the edit dialog.
    std::string add_new_error_message;

protected:
    void Form_Load() override;
};

}  // namespace kv
