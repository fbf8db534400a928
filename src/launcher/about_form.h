#pragma once
// The help window: an About page and a Shortcuts page, which the Help command fills.
#include <string>

#include "toolkit/framed_form.h"

namespace kv {

// The main window's keyboard shortcuts as the Shortcuts page lists them, each line ending in CR LF.
extern const char* const shortcuts_help_text;
// Where the home-page link leads.
extern const char* const home_page_address;

class about_form : public toolkit::FramedForm {
  public:
    about_form();

    forms::PictureBox& Picture3;  // "About" tab
    forms::Image& tab_image1;
    forms::Label& Label10;
    forms::Label& Label13;
    forms::PictureBox& Picture4;  // "Shortcuts" tab
    forms::Image& tab_image2;
    forms::Label& Label12;
    forms::Label& Label14;
    forms::Frame& Frame1;  // About page
    forms::Image& tab_back;
    forms::Shape& Shape1;
    forms::Label& Label2;
    forms::Label& Label1;
    forms::Label& Label3;
    forms::Label& Label4;
    forms::Label& Label5;
    forms::Label& Label11;
    forms::Label& Label7;  // a spare line of the About page, empty
    forms::Label& Label8;  // the home-page link
    forms::Frame& Frame2;  // Shortcuts page
    forms::Image& tab_back2;
    forms::Shape& Shape2;
    forms::Label& help_cap;
    forms::PictureBox& Picture2;  // Ok
    forms::Image& Image1;
    forms::Label& Label6;
    forms::Label& Label9;

    void Label13_MouseDown();  // the About tab
    void Label14_MouseDown();  // the Shortcuts tab
    void Label8_Click();
    void Label9_Click();

  protected:
    void Form_Load() override;
};

}  // namespace kv
