#pragma once
// The font browser, and the font applier. The list of fonts and the font's reach beyond the options
// window come with fonts.
#include <string>

#include "toolkit/framed_form.h"

namespace kv {

class font_browser : public toolkit::FramedForm {
public:
    font_browser();

    // Bold and italic as chosen in the browser.
    bool font_bold2 = false;
    bool font_itallic2 = false;

    // Puts the font into the options window's Label31, which keeps it for the settings: its caption
    // is the name, its own font the whole choice. A step that fails is skipped.
    void change_font(const std::string& font_name, const std::string& font_size, bool font_bold,
                     bool font_itallic);

protected:
    void Form_Load() override;
};

}  // namespace kv
