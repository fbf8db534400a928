#pragma once
// The editor of one emulator's five command-line switches, which comes with the switches.
#include "toolkit/framed_form.h"

namespace kv {

class switches_form : public toolkit::FramedForm {
public:
    switches_form();

protected:
    void Form_Load() override;
};

}  // namespace kv
