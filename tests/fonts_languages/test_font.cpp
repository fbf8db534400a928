// Applying a font to every window, and the font browser.
#include <gtest/gtest.h>

#include <string>

#include "fonts_languages/font_browser.h"
#include "fonts_languages/font_targets.h"
#include "forms/controls.h"
#include "launcher/options_form.h"
#include "launcher/program_fixture.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

class FontTest : public kvtest::ProgramTest {
  protected:
    font_browser& browser() { return toolkit::form<font_browser>(); }
    options_form& options() { return toolkit::form<options_form>(); }
    // Every control the table reaches, each element of an array.
    static std::vector<forms::Control*> targets() {
        std::vector<forms::Control*> out;
        for (const auto& t : fonts_languages::font_targets())
            skins::for_each_control(t, [&](forms::Control& c) { out.push_back(&c); });
        return out;
    }
};

TEST_F(FontTest, TheFontReachesEveryTargetAndOnlyThem) {
    start();
    const forms::Font design = toolkit::form_named("game_prompt")->controls().front()->font();
    browser().change_font("DejaVu Sans", "10", true, false);
    for (forms::Control* c : targets()) {
        EXPECT_EQ(c->font(), (forms::Font{"DejaVu Sans", 10, true, false}))
            << c->form().name() << "." << c->full_name();
    }
    EXPECT_EQ(options().Label31.caption(), "DejaVu Sans");
    // Arrays marked (all) reach their last element.
    EXPECT_EQ(toolkit::form<Main_form>().down_section_label[9]->font().name, "DejaVu Sans");
    EXPECT_EQ(toolkit::form<Main_form>().section_label[9]->font().name, "DejaVu Sans");
    for (const auto& c : toolkit::form_named("game_prompt")->controls())
        EXPECT_EQ(c->font(), design) << c->full_name();
    for (const auto& c : toolkit::form_named("hide_form")->controls())
        EXPECT_EQ(c->font(), design) << c->full_name();
    // Bold and italic go as they come; calling again changes nothing further.
    browser().change_font("DejaVu Sans", "10", false, true);
    browser().change_font("DejaVu Sans", "10", false, true);
    for (forms::Control* c : targets()) EXPECT_EQ(c->font(), (forms::Font{"DejaVu Sans", 10, false, true}));
}

TEST_F(FontTest, ASizeThatIsNoNumberOrOutOfRangeSetsNoSizeButEverythingElse) {
    start();
    for (const std::string size : {"", "abc", "0", "-4", "1001", "1e9"}) {
        browser().change_font("Serif " + size, size, true, true);
        for (forms::Control* c : targets()) {
            EXPECT_EQ(c->font().size, 8.25f) << size;
            EXPECT_EQ(c->font().name, "Serif " + size);
            EXPECT_TRUE(c->font().bold && c->font().italic);
        }
        EXPECT_EQ(options().Label31.caption(), "Serif " + size);
    }
    browser().change_font("Serif", "1000", false, false);
    EXPECT_EQ(options().Label31.font().size, 1000.0f);
    browser().change_font("Serif", " 12.5 ", false, false);
    EXPECT_EQ(options().Label31.font().size, 12.5f);
}

TEST_F(FontTest, TheOptionsWindowsFrameLinesFollowTheCaptions) {
    start();
    auto& o = options();
    o.Label1.set_auto_size(true);
    browser().change_font("Serif", "20", false, false);
    EXPECT_EQ(o.Line2.x1(), o.Label1.left() + o.Label1.width() + 90);
}

class FontBrowserTest : public FontTest {};

TEST_F(FontBrowserTest, TheSizeBoxKeepsNumbersUpTo72) {
    start();
    forms::TextBox& box = browser().Text1;
    box.set_text("");
    box.type_character('7');
    EXPECT_EQ(box.text(), "7");
    box.type_character('3');
    EXPECT_EQ(box.text(), "72");
    box.type_character('x');
    EXPECT_EQ(box.text(), "");
    for (const std::string kept : {"72", "0", ".5", "-4", "12.5"}) {
        box.set_text(kept);
        EXPECT_EQ(box.text(), kept);
    }
    box.set_text("500");
    EXPECT_EQ(box.text(), "72");
}

TEST_F(FontBrowserTest, OpeningPresetsSizeAndStylesFromTheCurrentFontAndOkAppliesThem) {
    display.set_fonts({"Alpha", "Beta", "Gamma"});
    start();
    auto& b = browser();
    EXPECT_EQ(b.Label2.caption(), "Alpha");
    browser().change_font("Beta", "80", true, false);
    then([&] {
        EXPECT_EQ(b.Text1.text(), "72");
        EXPECT_TRUE(b.font_bold2);
        EXPECT_FALSE(b.font_itallic2);
        EXPECT_EQ(b.Image3.top(), -b.Image3.height() / 2);
        EXPECT_EQ(b.Image4.top(), 0);
        EXPECT_TRUE(b.list.scroll_event.enabled());
        // Italic on: pressed while held, then the "on" cell.
        b.Label9.on_mouse_down(forms::MouseEvent{});
        EXPECT_EQ(b.Image4.top(), -b.Image4.height() / 4);
        b.Label9.on_mouse_up(forms::MouseEvent{});
        b.Label9.on_click();
        EXPECT_TRUE(b.font_itallic2);
        EXPECT_EQ(b.Image4.top(), -b.Image4.height() / 2);
        b.list.row_MouseDown(3, forms::MouseEvent{});
        b.Text1.set_text("x");
        b.Label5.on_click();
    });
    options().Label51_Click();
    EXPECT_FALSE(b.visible());
    EXPECT_FALSE(b.list.scroll_event.enabled());
    // An empty size box becomes 8.
    EXPECT_EQ(b.Text1.text(), "8");
    EXPECT_EQ(options().Label31.caption(), "Gamma");
    EXPECT_EQ(options().Label31.font(), (forms::Font{"Gamma", 8, true, true}));
}

TEST_F(FontBrowserTest, EveryOpeningShowsTheFontInUseSoOkWithoutAPickKeepsIt) {
    std::vector<std::string> fonts;
    for (int i = 0; i < 20; ++i) fonts.push_back((i < 10 ? "Font 0" : "Font ") + std::to_string(i));
    display.set_fonts(fonts);
    start();
    auto& b = browser();
    // Stored in another letter case, as a name typed into Config.ini may be.
    b.change_font("font 15", "9", false, false);
    then([&] {
        EXPECT_EQ(b.Label2.caption(), "Font 15");
        // Scrolled just far enough to show it, on the last row.
        EXPECT_EQ(b.list.row(1).caption(), "Font 09");
        EXPECT_EQ(b.list.row(7).caption(), "Font 15");
        EXPECT_EQ(b.list.list_selector_image.top(), b.list.click_label(7).top());
        EXPECT_TRUE(b.list.list_selector_image.visible());
        EXPECT_EQ(b.list.thumb.top(), static_cast<float>(505.0 / 13 * 9 + 255));
        b.list.row_MouseDown(2, forms::MouseEvent{});
        EXPECT_EQ(b.Label2.caption(), "Font 10");
        b.Label4.on_click();
    });
    options().Label51_Click();
    // The pick dropped by Cancel does not come back.
    then([&] {
        EXPECT_EQ(b.Label2.caption(), "Font 15");
        b.Label5.on_click();
    });
    options().Label51_Click();
    EXPECT_EQ(options().Label31.font(), (forms::Font{"Font 15", 9, false, false}));
}

TEST_F(FontBrowserTest, WithNoFontListedOkKeepsTheFontInUseAndCancelAppliesNothing) {
    display.set_fonts({});
    start();
    auto& b = browser();
    EXPECT_EQ(b.Label2.caption(), "");
    // Opened to change the size only: the name stays the one in use.
    then([&] {
        EXPECT_EQ(b.Label2.caption(), "Microsoft Sans Serif");
        EXPECT_FALSE(b.list.list_selector_image.visible());
        b.Text1.set_text("11");
        b.Label5.on_click();
    });
    options().Label51_Click();
    EXPECT_FALSE(b.visible());
    EXPECT_EQ(options().Label31.font(), (forms::Font{"Microsoft Sans Serif", 11, false, false}));
    then([&] {
        b.Label2.set_caption("Picked");
        b.Text1.set_text("20");
        b.Label4.on_click();
    });
    options().Label51_Click();
    EXPECT_EQ(options().Label31.font(), (forms::Font{"Microsoft Sans Serif", 11, false, false}));
}

// Listing the installed fonts is slow where many are installed: start-up leaves it to the browser's
// first use, and that use sees the fonts installed by then.
TEST_F(FontBrowserTest, StartUpLeavesTheFontListUntilTheBrowserIsNeeded) {
    display.set_fonts({"Alpha"});
    start();
    display.set_fonts({"Beta", "Gamma"});
    auto& b = browser();
    EXPECT_EQ(b.List1.list_count(), 2);
    EXPECT_EQ(b.Label2.caption(), "Beta");
    EXPECT_EQ(b.list.row(2).caption(), "Gamma");
    // Listed once: the browser keeps its list for the rest of the run.
    display.set_fonts({});
    b.show();
    EXPECT_EQ(b.List1.list_count(), 2);
}

}  // namespace
}  // namespace kv
