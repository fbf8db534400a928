// The options window's openers of the font and language browsers.
#include "fonts_languages/font_browser.h"
#include "fonts_languages/language_browser.h"
#include "launcher/options_form.h"
#include "platform/runtime.h"
#include "toolkit/windows.h"

namespace kv {

void options_form::Label51_Click() {
    auto& browser = toolkit::form<font_browser>();
    const forms::Font& font = Label31.font();
    // Setting the text runs the size box's own check, so a font above 72 points shows as "72".
    browser.Text1.set_text(platform::number_text(platform::round_half_even(font.size)));
    browser.font_bold2 = font.bold;
    browser.font_itallic2 = font.italic;
    font_browser::show_check_state(browser.Image3, browser.font_bold2);
    font_browser::show_check_state(browser.Image4, browser.font_itallic2);
    // On the font in use, so that Ok without a pick keeps it (a name not installed included).
    browser.list.select_named(Label31.caption());
    browser.list.scroll_event.set_enabled(true);
    browser.show_modal(*this);
}

void options_form::Label43_Click() {
    auto& browser = toolkit::form<language_browser>();
    // On the language in use, so that Ok without a pick keeps it.
    browser.list.select_named(Label21.caption());
    browser.list.scroll_event.set_enabled(true);
    browser.show_modal(*this);
}

}  // namespace kv
