#pragma once
// The SSSPSX settings editor, which comes with the emulator settings.
#include "toolkit/framed_form.h"

namespace kv {

class SSSPSX_config : public toolkit::FramedForm {
public:
    SSSPSX_config();

protected:
    void Form_Load() override;
};

}  // namespace kv
