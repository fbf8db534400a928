#pragma once
// The strip along the left screen edge that brings the hidden main window back. It has no frame and
// always stands at the screen's top-left corner. Its behaviour comes with hiding.
#include "platform/forms/form.h"

namespace kv {

class hide_form : public forms::Form {
public:
    hide_form();
};

}  // namespace kv
