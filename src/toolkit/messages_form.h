#pragma once
// The program's own message box: a text beside one of two icons under the skinned frame, with one OK
// button. show_exclamation fills and sizes it; the caller then shows it modal over itself.
#include <cstdint>
#include <string>

#include "toolkit/framed_form.h"
#include "toolkit/window_design.h"

namespace kv {

class messages_form : public toolkit::FramedForm {
  public:
    messages_form();

  private:
    toolkit::BuiltWindow design_;

  public:
    forms::PictureBox& Picture1;
    forms::Image& message_image;
    forms::Label& Label31;
    forms::PictureBox& Picture17;
    forms::Image& Image1;
    forms::Label& Label22;
    forms::Label& Label43;

    // The outline setting, "corner|divisor", written by start-up and by the skin.
    std::string trim_factor = "0|1";

    // Icon 1 shows the lower half of the skin's message icon, any other value the upper half.
    // Beeps, widens the window to the text (and makes it taller for a text of more than two lines)
    // and cuts its outline; does not show it. Callers go through toolkit/message_box.h.
    void show_exclamation(const std::string& message, const std::string& message_caption,
                          int16_t message_icon);

    void Label43_Click();

  protected:
    void Form_Load() override;

  private:
    void apply_outline();
};

}  // namespace kv
