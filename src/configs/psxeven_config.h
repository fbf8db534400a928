#pragma once
// The PSXeven settings editor, which comes with the emulator settings.
#include "toolkit/framed_form.h"

namespace kv {

class PSXeven_config : public toolkit::FramedForm {
public:
    PSXeven_config();

protected:
    void Form_Load() override;
};

}  // namespace kv
