#pragma once
// The editor of one emulator's five command-line switches. Its record is out of the main window's
// switch list while it is open; OK puts the edited record back, Cancel the one it was given.
#include <array>
#include <cstdint>
#include <string>

#include "toolkit/framed_form.h"
#include "toolkit/window_design.h"

namespace kv {

class switches_form : public toolkit::FramedForm {
  public:
    switches_form();

  private:
    toolkit::BuiltWindow design_;

  public:
    forms::Shape& Shape2;         // the frame around the switch box
    forms::TextBox& Text3;        // the switch of the current slot
    forms::Label& Label1;         // counter "n/5"
    forms::PictureBox& Picture1;  // the two arrows
    forms::Image& up_button;
    forms::Image& down_button;
    forms::Image& Image1;  // Cancel
    forms::Image& Image2;  // OK

    // Slot 1 becomes the current one.
    void Clear_counter();
    // Takes a switch record (name and five switches) and shows its first switch.
    void load_switches(const std::string& cur_switch);

    void up_button_Click();
    void down_button_Click();
    void Text3_Change();
    void Label3_Click();
    void Label2_Click();

    // Slot 0 the name, 1 to 5 the switches.
    const std::array<std::string, 6>& slots() const { return slots_; }
    int16_t current_slot() const { return current_slot_; }

  protected:
    void Form_Load() override;

  private:
    void show_slot(int16_t n);
    void show_counter();
    void close_with(const std::string& record);

    std::array<std::string, 6> slots_{};
    int16_t current_slot_ = 1;
    std::string incoming_record_;
};

}  // namespace kv
