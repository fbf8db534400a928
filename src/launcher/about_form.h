#pragma once
// The help window: an About page and a Shortcuts page, which the Help command fills.
#include <string>

#include "toolkit/framed_form.h"
#include "toolkit/window_design.h"

namespace kv {

// The main window's keyboard shortcuts as the Shortcuts page lists them, each line ending in CR LF.
extern const char* const shortcuts_help_text;
// Where the home-page link leads.
extern const char* const home_page_address;

class about_form : public toolkit::FramedForm {
  public:
    about_form();

  private:
    toolkit::BuiltWindow design_;

  public:
    forms::Image& tab_image1;  // the "About" tab's picture
    forms::Image& tab_image2;  // the "Shortcuts" tab's picture
    forms::Frame& Frame1;      // About page
    forms::Label& Label8;      // the home-page link
    forms::Frame& Frame2;      // Shortcuts page
    forms::Label& help_cap;

    void Label13_MouseDown();  // the About tab
    void Label14_MouseDown();  // the Shortcuts tab
    void Label8_Click();
    void Label9_Click();

  protected:
    void Form_Load() override;
};

}  // namespace kv
