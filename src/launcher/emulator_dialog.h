#pragma once
// What the add and edit dialogs share: a name, a location chosen through the open-file dialog and
// an about text, with OK, Cancel and Browse buttons.
#include <string>

#include "toolkit/framed_form.h"
#include "toolkit/window_design.h"

namespace kv {

class EmulatorDialog : public toolkit::FramedForm {
  public:
    EmulatorDialog(std::string name, const std::string& title);

  private:
    toolkit::BuiltWindow design_;

  public:
    forms::TextBox& Text1;        // the name
    forms::TextBox& Text3;        // the executable's folder, read-only
    forms::PictureBox& Picture3;  // Browse
    forms::Image& Image1;
    forms::Label& Label9;
    forms::TextBox& Text2;        // the about text
    forms::PictureBox& Picture2;  // Cancel
    forms::Image& Image3;
    forms::Label& Label7;
    forms::PictureBox& Picture1;  // OK
    forms::Image& Image2;
    forms::Label& Label8;

    void Label9_Click();
    // Every opening starts with the caret in the name box.
    void prepare_to_open();

  protected:
    void Form_Load() override;
    // What a cancelled browse leaves in chosen_path.
    virtual std::string path_after_cancelled_browse() const = 0;
    // The empty-name message shown over this dialog; true when the name was empty.
    bool refuse_empty_name();
    // Shows why and answers true when the about text holds a line that would end it in the catalogue.
    bool refuse_about_text();
    // The record parts OK stores: Text1 and the location, Text1 and the about text.
    std::string emulator_record();
    std::string about_record() const;
    // Empties the three boxes and the chosen path.
    void clear_boxes();
    // The main window polls the wheel again and the dialog hides.
    void close_dialog();

    // The executable as the open-file dialog gave it: folder, "|", file name.
    std::string chosen_path;
};

}  // namespace kv
