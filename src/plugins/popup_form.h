#pragma once
// The borderless drop-down picker through which plug-ins, BIOS images and memory cards are chosen.
// An editor's picker tells the window which editor and slot it serves (serve), fills List1
// (PluginEditor::fill_list), calls resize_list with the slot's locator code and search_for_name with
// the slot's caption, and shows the window modal; a press on the list hands the current row back to
// that slot and hides the window. Escape or a press outside the list hides it without a choice.
#include <cstdint>
#include <string>

#include "forms/form.h"

namespace kv {

namespace plugins {
class PluginEditor;
}

class popup_form : public forms::Form {
  public:
    popup_form();

    forms::ListBox& List1;
    forms::PictureBox& Picture1;  // left border line
    forms::PictureBox& Picture2;  // top border line
    forms::PictureBox& Picture3;  // right border line
    forms::PictureBox& Picture4;  // bottom border line

    // The code given to the last resize_list; 0 before the first. Driver scripts read it; the pick
    // goes to the slot serve names, not by the code.
    int16_t input_combo_locator = 0;

    // The editor and slot the picks go to until the next serve; before the first, and for a slot the
    // editor does not have, a pick only hides the window.
    void serve(plugins::PluginEditor& editor, int slot);
    // Keeps the code and sizes the list and the window to 1 to 5 whole rows of List1's font.
    void resize_list(int16_t code);
    // Makes the first row whose text equals input_name (exactly) current, or leaves none current.
    void search_for_name(const std::string& input_name);

    void List1_MouseDown(const forms::MouseEvent& e);

  private:
    plugins::PluginEditor* editor_ = nullptr;
    int slot_ = -1;
};

}  // namespace kv
