#pragma once
// The dialog that names a new configuration profile of the configs window's emulator.
#include <array>
#include <string>

#include "toolkit/framed_form.h"
#include "toolkit/window_design.h"

namespace kv {

class add_profile : public toolkit::FramedForm {
  public:
    add_profile();

    // The message for an empty profile name.
    std::string add_profile_message;

  private:
    toolkit::BuiltWindow design_;

  public:
    forms::Label& Label9;  // "Config name:"
    forms::Shape& Shape1;
    forms::TextBox& Text1;  // the name
    forms::Label& Label2;   // Cancel, on Picture2 with Image2
    forms::Label& Label1;   // Ok, on Picture1 with Image1
    // 0 "Ok", 1 "Cancel".
    std::array<forms::Label*, 2> down_section_label{};

    void Label1_Click();  // Ok
    void Label2_Click();  // Cancel

  protected:
    void Form_Load() override;

  private:
    void close_dialog();
};

}  // namespace kv
