#pragma once
// The options window. Between reading and writing the settings its controls hold three of them:
// the language's name (Label21), the font (Label31: its name, shown in that font) and the custom Misc
// picture's path (Text3). The rest of its content comes with the options.
#include "toolkit/framed_form.h"

namespace kv {

class options_form : public toolkit::FramedForm {
public:
    options_form();

    forms::Label& Label21;
    forms::Label& Label31;
    forms::TextBox& Text3;

    // Lays out the heading lines after their captions changed.
    void adjust_frames();

protected:
    void Form_Load() override;
};

}  // namespace kv
