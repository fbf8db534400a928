#pragma once
// The borderless drop-down picker through which plug-ins, BIOS images and memory cards are chosen.
// Its content comes with the plug-ins.
#include "platform/forms/form.h"

namespace kv {

class popup_form : public forms::Form {
public:
    popup_form();
};

}  // namespace kv
