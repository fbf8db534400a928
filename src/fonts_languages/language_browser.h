#pragma once
// The language browser: the files of the Languages folder in a seven-row list, the selected one's
// local name and author, and Ok to apply it. Also the language applier (change_language), which the
// start-up calls as well.
#include <functional>
#include <string>
#include <vector>

#include "toolkit/framed_form.h"
#include "toolkit/seven_row_list.h"
#include "toolkit/window_design.h"

namespace kv {

class language_browser : public toolkit::FramedForm {
  public:
    language_browser();

    // Applies Languages/<language_name>.ini to every window and the seven message texts. A file that
    // opens is first named to language_named (the options window keeps it for the settings); after
    // it, language_applied is told (the options window moves its frame lines).
    void change_language(const std::string& language_name);

    // Where the answer goes, set once by the program.
    static inline std::function<void(const std::string&)> language_named;
    static inline std::function<void()> language_applied;

    // The language names (entries less their last four characters) and the selected one.
    std::vector<std::string> language_list;
    std::string selected_language;

    toolkit::SevenRowList list;

  private:
    toolkit::BuiltWindow design_;

  public:
    forms::Label& Label2;   // the local name
    forms::Label& Label7;   // the author
    forms::Label& Label5;   // Ok
    forms::Label& Label22;  // "Cancel"
    forms::Label& Label4;   // Cancel

    void load_language_list();
    void show_language_info(const std::string& name);

    void Label5_Click();  // Ok
    void Label4_Click();  // Cancel

  protected:
    void Form_Load() override;

  private:
    toolkit::ListSource list_source();
};

}  // namespace kv
