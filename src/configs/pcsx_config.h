#pragma once
// The PCSX settings editor. Its content comes with its own feature.
#include "toolkit/framed_form.h"

namespace kv {

class PCSX_config : public toolkit::FramedForm {
public:
    PCSX_config();

protected:
    void Form_Load() override;
};

}  // namespace kv
