#pragma once
// The switches editor: up to five command-line switches of one emulator. Its content comes with its own feature.
#include "toolkit/framed_form.h"

namespace kv {

class switches_form : public toolkit::FramedForm {
public:
    switches_form();

protected:
    void Form_Load() override;
};

}  // namespace kv
