#pragma once
// The PCSX settings editor, which comes with the emulator settings.
#include "toolkit/framed_form.h"

namespace kv {

class PCSX_config : public toolkit::FramedForm {
public:
    PCSX_config();

protected:
    void Form_Load() override;
};

}  // namespace kv
