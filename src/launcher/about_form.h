#pragma once
// The help window with its About and Shortcuts pages, which come with the help command.
#include "toolkit/framed_form.h"

namespace kv {

class about_form : public toolkit::FramedForm {
public:
    about_form();

protected:
    void Form_Load() override;
};

}  // namespace kv
