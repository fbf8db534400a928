#pragma once
// The main window: the launcher itself.
#include "toolkit/framed_form.h"

namespace kv {

class Main_form : public toolkit::FramedForm {
public:
    Main_form();

protected:
    void Form_Load() override;
};

}  // namespace kv
