#pragma once
// The language browser, and the language applier. The list of languages and the captions a language
// file replaces come with languages.
#include <string>

#include "toolkit/framed_form.h"

namespace kv {

class language_browser : public toolkit::FramedForm {
public:
    language_browser();

    // Applies Languages/<language_name>.ini; only a file that opens names the language in the
    // options window's Label21, which keeps it for the settings.
    void change_language(const std::string& language_name);

protected:
    void Form_Load() override;
};

}  // namespace kv
