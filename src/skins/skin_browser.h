#pragma once
// The skin browser, and the reader of a skin's settings file. Its list and the skin's colours come
// with skinning.
#include <cstdint>
#include <string>

#include "toolkit/framed_form.h"

namespace kv {

class skin_browser : public toolkit::FramedForm {
public:
    skin_browser();

    // Applies the colours, outlines and title alignment of the skin's settings file.
    void load_colors(const std::string& skins_name);

    // The number of the skin settings' line 13, kept for the skin's own use.
    int32_t list_selected = 0;

protected:
    void Form_Load() override;
};

}  // namespace kv
