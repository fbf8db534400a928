#pragma once
// The dialog that names a new configuration profile. Its content comes with the profiles.
#include <string>

#include "toolkit/framed_form.h"

namespace kv {

class add_profile : public toolkit::FramedForm {
  public:
    add_profile();

    // The message for an empty profile name.
    std::string add_profile_message;

  protected:
    void Form_Load() override;
};

}  // namespace kv
