// A text box follows the desktop's editing habits: Ctrl+A and Shift with the caret keys select, and
// what is typed or pasted replaces the selection. Tab walks a window's tab order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/form.h"
#include "support/headless_test.h"

namespace kv::forms {
namespace {

class TextBoxTest : public kvtest::HeadlessTest {
  protected:
    TextBoxTest() : box(form.add<TextBox>("box", 0, 0, 1000, 300)) {
        form.set_focus(&box);
        box.on_change = [this] { ++changes; };
    }

    // A key as the keyboard sends it: KeyDown, then the character it types, if any.
    void key(int16_t code, int16_t shift = 0, int16_t typed = 0) {
        form.deliver_key_down(code, shift);
        if (typed) form.deliver_key_press(typed);
    }
    void type(const std::string& text) {
        for (char c : text) key(0, 0, c);
    }
    std::string selected() const { return box.sel_text(); }

    Form form{"f"};
    TextBox& box;
    int changes = 0;
};

TEST_F(TextBoxTest, SelectAllThenTypingReplacesTheWholeName) {
    box.set_text("PCSX 1.5");
    box.set_sel_start(8);
    changes = 0;
    key('A', ctrl_mask, 1);  // Ctrl+A also types its control character, which edits nothing
    EXPECT_EQ(selected(), "PCSX 1.5");
    EXPECT_EQ(changes, 0);
    type("pcsx 2");
    EXPECT_EQ(box.text(), "pcsx 2");
    EXPECT_EQ(box.caret(), 6);
    EXPECT_EQ(box.sel_length(), 0);
    // One Change for the character that replaced the selection, then one for each.
    EXPECT_EQ(changes, 6);
}

TEST_F(TextBoxTest, ShiftWithTheCaretKeysSelectsFromWhereTheCaretWas) {
    box.set_text("hello big world");
    box.set_sel_start(15);
    key(keys::left, shift_mask);
    key(keys::left, shift_mask);
    EXPECT_EQ(selected(), "ld");
    EXPECT_EQ(box.anchor(), 15);
    EXPECT_EQ(box.caret(), 13);
    key(keys::left, shift_mask | ctrl_mask);  // to the start of the word
    EXPECT_EQ(selected(), "world");
    key(keys::home, shift_mask);
    EXPECT_EQ(selected(), "hello big world");
    EXPECT_EQ(box.sel_start(), 0);
    // Shift+Right from the start shrinks the selection from its moving end.
    key(keys::right, shift_mask);
    EXPECT_EQ(selected(), "ello big world");

    // Without Shift an arrow ends the selection at its own side.
    key(keys::left);
    EXPECT_EQ(box.caret(), 1);
    EXPECT_EQ(box.sel_length(), 0);
    key(keys::end, shift_mask);
    key(keys::right);
    EXPECT_EQ(box.caret(), 15);
    EXPECT_EQ(box.sel_length(), 0);
    key(keys::home);
    key(keys::end, shift_mask);
    EXPECT_EQ(selected(), "hello big world");
    key(keys::right, ctrl_mask);
    EXPECT_EQ(box.caret(), 15);
    key(keys::left, ctrl_mask);
    key(keys::left, ctrl_mask);
    EXPECT_EQ(box.caret(), 6);
}

TEST_F(TextBoxTest, TheCaretStepsOverWholeCharactersAndLineBreaks) {
    box.set_text("caf\xC3\xA9!");  // UTF-8: the é is two bytes
    box.set_sel_start(6);
    key(keys::left, shift_mask);
    key(keys::left, shift_mask);
    EXPECT_EQ(selected(), "\xC3\xA9!");
    type("e");
    EXPECT_EQ(box.text(), "cafe");
    // Windows-1252 text has one character a byte, whatever the byte.
    box.set_text("\x80\xE9");
    box.set_sel_start(2);
    key(keys::left);
    EXPECT_EQ(box.caret(), 1);
    // A position inside a character is taken back to its start.
    box.set_text("\xC3\xA9");
    box.set_sel_start(1);
    EXPECT_EQ(box.sel_start(), 0);

    box.set_multi_line(true);
    box.set_text("one\r\ntwo");
    box.set_sel_start(5);
    key(keys::left, shift_mask);
    EXPECT_EQ(selected(), "\r\n");
    // Home and End follow the lines the display wraps: not the box's own keys in a box of several lines.
    EXPECT_FALSE(form.deliver_key_down(keys::home, 0));
    EXPECT_FALSE(form.deliver_key_down(keys::end, shift_mask));
    EXPECT_EQ(selected(), "\r\n");
    key(keys::enter, 0, keys::enter);  // replaces the selected line break with a new one
    EXPECT_EQ(box.text(), "one\r\ntwo");
    EXPECT_EQ(box.caret(), 5);
}

TEST_F(TextBoxTest, BackspaceAndDeleteRemoveTheSelectionOrOneCharacter) {
    box.set_text("abcdef");
    box.set_sel_start(2);
    box.set_sel_length(2);
    EXPECT_EQ(selected(), "cd");
    key(keys::back, 0, keys::back);
    EXPECT_EQ(box.text(), "abef");
    EXPECT_EQ(box.caret(), 2);
    key(keys::del);
    EXPECT_EQ(box.text(), "abf");
    key(keys::back, 0, keys::back);
    EXPECT_EQ(box.text(), "af");
    box.set_text("one two three");
    box.set_sel_start(4);
    key(keys::del, ctrl_mask);
    EXPECT_EQ(box.text(), "one three");
    changes = 0;
    box.set_sel_start(9);
    key(keys::del);  // nothing after the caret: no change
    EXPECT_EQ(changes, 0);

    // A locked box lets the caret and the selection move, never the text.
    box.set_locked(true);
    key('A', ctrl_mask);
    key(keys::del);
    key(keys::back, 0, keys::back);
    type("x");
    EXPECT_EQ(box.text(), "one three");
    EXPECT_EQ(selected(), "one three");
}

TEST_F(TextBoxTest, CopyCutAndPasteGoThroughTheClipboardAndPasteReplacesTheSelection) {
    box.set_text("Zeta Plus");
    box.select(5, 9);
    key('C', ctrl_mask);
    EXPECT_EQ(display.clipboard_text(), "Plus");
    EXPECT_EQ(box.text(), "Zeta Plus");
    box.select(0, 4);
    key('V', ctrl_mask, 22);
    EXPECT_EQ(box.text(), "Plus Plus");
    EXPECT_EQ(box.caret(), 4);
    box.select(9, 4);            // selected from its end backwards
    key(keys::del, shift_mask);  // cut
    EXPECT_EQ(box.text(), "Plus");
    EXPECT_EQ(display.clipboard_text(), " Plus");
    key(keys::insert, shift_mask);  // paste
    EXPECT_EQ(box.text(), "Plus Plus");
    // Nothing selected: copy and cut leave the clipboard alone.
    key('X', ctrl_mask);
    EXPECT_EQ(display.clipboard_text(), " Plus");
    box.set_locked(true);
    key('V', ctrl_mask);
    EXPECT_EQ(box.text(), "Plus Plus");
}

TEST_F(TextBoxTest, MaxLengthCutsAPasteShortAndRefusesATypedCharacterButTheSelectionMakesRoom) {
    box.set_max_length(5);
    box.set_text("ab");
    box.set_sel_start(2);
    display.set_clipboard_text(
        "cd\xC3\xA9"
        "ef");
    key('V', ctrl_mask);
    // Three bytes of room: the é would be cut in two, so it stays out whole.
    EXPECT_EQ(box.text(), "abcd");
    type("xyz");
    EXPECT_EQ(box.text(), "abcdx");
    box.select(1, 3);
    type("Q");
    EXPECT_EQ(box.text(), "aQdx");
}

TEST_F(TextBoxTest, KeysThatAreNotTheBoxsOwnAreLeftToTheDisplay) {
    box.set_text("abc");
    EXPECT_FALSE(form.deliver_key_down(keys::enter, 0));
    EXPECT_FALSE(form.deliver_key_down(keys::up, 0));
    EXPECT_FALSE(form.deliver_key_down('A', 0));
    EXPECT_FALSE(form.deliver_key_down('A', ctrl_mask | alt_mask));
    EXPECT_TRUE(form.deliver_key_down(keys::left, 0));
    // A KeyDown handler that takes the key keeps it from the box, and the display too.
    box.on_key_down = [](int16_t& code, int16_t) { code = 0; };
    box.set_sel_start(3);
    EXPECT_TRUE(form.deliver_key_down(keys::left, 0));
    EXPECT_EQ(box.caret(), 3);
}

TEST_F(TextBoxTest, TabWalksTheTabOrderRoundSkippingWhatCannotTakeTheFocus) {
    EXPECT_FALSE(form.focus_next(true));  // no tab order: the display keeps its own
    auto& about = form.add<TextBox>("about", 0, 400, 1000, 900);
    auto& holder = form.add<PictureBox>("holder", 0, 1400, 2000, 400);
    auto& ok = form.add<PictureBox>("ok", 0, 0, 855, 375, &holder);
    auto& cancel = form.add<PictureBox>("cancel", 900, 0, 855, 375, &holder);
    box.set_tab_index(0);
    ok.set_tab_index(3);
    about.set_tab_index(1);
    cancel.set_tab_index(4);
    EXPECT_EQ(form.tab_order(), (std::vector<Control*>{&box, &about, &ok, &cancel}));

    std::vector<Control*> walked;
    for (int i = 0; i < 5; ++i) {
        key(keys::tab, 0, keys::tab);
        walked.push_back(form.focused());
    }
    EXPECT_EQ(walked, (std::vector<Control*>{&about, &ok, &cancel, &box, &about}));
    EXPECT_EQ(box.text(), "");  // Tab types nothing
    key(keys::tab, shift_mask);
    EXPECT_EQ(form.focused(), &box);
    key(keys::tab, shift_mask);
    EXPECT_EQ(form.focused(), &cancel);

    about.set_visible(false);
    holder.set_enabled(false);
    key(keys::tab);
    EXPECT_EQ(form.focused(), &box);
    key(keys::tab);
    EXPECT_EQ(form.focused(), &box);
    // From a control outside the order Tab starts at its first stop, Shift+Tab at its last.
    holder.set_enabled(true);
    form.set_focus(nullptr);
    key(keys::tab, shift_mask);
    EXPECT_EQ(form.focused(), &cancel);
}

}  // namespace
}  // namespace kv::forms
