#pragma once
// The help window: its About and Shortcuts pages. Its content comes with its own feature.
#include "toolkit/framed_form.h"

namespace kv {

class about_form : public toolkit::FramedForm {
public:
    about_form();

protected:
    void Form_Load() override;
};

}  // namespace kv
