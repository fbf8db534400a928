#pragma once
// The skin browser, and the reader of a skin's settings file. Its list and the skin's colours come
// with skinning.
#include <string>

#include "toolkit/framed_form.h"

namespace kv {

class skin_browser : public toolkit::FramedForm {
public:
    skin_browser();

    // Applies the colours, outlines and title alignment of the skin's settings file.
    void load_colors(const std::string& skins_name);

protected:
    void Form_Load() override;
};

}  // namespace kv
