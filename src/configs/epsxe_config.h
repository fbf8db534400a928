#pragma once
// The ePSXe settings editor. Its texts serve all four editors; its content comes with the editors.
#include <string>

#include "toolkit/framed_form.h"

namespace kv {

class ePSXe_config : public toolkit::FramedForm {
public:
    ePSXe_config();

    // A picker's caption while nothing is chosen.
    std::string not_selected;
    // The messages after a plug-in's test.
    std::string plugin_working;
    std::string plugin_not_working;

protected:
    void Form_Load() override;
};

}  // namespace kv
