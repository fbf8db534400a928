#include <gtest/gtest.h>

#include "launcher/options_form.h"
#include "program_fixture.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

using kvtest::catalogue_file;
using kvtest::Lines;

class OptionsTest : public kvtest::DialogTest {
  protected:
    options_form& options() { return toolkit::form<options_form>(); }
    static bool checked(const forms::Image* mark) { return mark->top() == -255; }
    static forms::MouseEvent button(int16_t b, float x = 0) { return {b, 0, x, 0}; }
};

TEST_F(OptionsTest, OpeningShowsTheMainWindowsStateAndCancelForgetsTheChanges) {
    Main_form& main = start();
    main.section_boxes[3]->set_visible(false);
    main.set_launcher_state(2);
    main.path_override = true;
    int32_t percent = 37;
    main.make_forms_transparent(percent);
    main.section_label[5]->set_caption("Arcade");
    auto& o = options();
    then([&] {
        EXPECT_FALSE(main.emulator_list.scroll_event.enabled());
        EXPECT_FALSE(checked(o.section_checkbox[3]));
        EXPECT_TRUE(checked(o.section_checkbox[4]));
        EXPECT_TRUE(checked(o.option_box[1]));
        EXPECT_FALSE(checked(o.option_box[2]));
        EXPECT_TRUE(checked(o.section_checkbox[11]));
        EXPECT_FLOAT_EQ(o.Picture18.left(), 799.482f);
        EXPECT_EQ(o.Label26.caption(), "37%");
        EXPECT_EQ(o.section_titles[5]->caption(), " Arcade");
        EXPECT_EQ(o.current_section, "PSX");
        // A move without a button reads the placed knob back as itself.
        o.Picture18_MouseMove(button(0));
        EXPECT_EQ(o.Label26.caption(), "37%");
        o.option_MouseDown(0);
        o.Label6_MouseDown();
        o.Label28_Click();
    });
    main.open_options_form();
    EXPECT_FALSE(o.visible());
    EXPECT_TRUE(main.emulator_list.scroll_event.enabled());
    EXPECT_EQ(main.launcher_state, 2);
    EXPECT_TRUE(main.path_override);
    EXPECT_EQ(main.opacity, 37);
}

TEST_F(OptionsTest, EveryPercentagePlacedReadsBackAsItself) {
    start();
    auto& o = options();
    for (int16_t p = 10; p <= 100; ++p) {
        o.Picture18.set_left(slider_left(p));
        o.Picture18_MouseMove(button(0));
        ASSERT_EQ(o.Label26.caption(), std::to_string(p) + "%") << p;
    }
    EXPECT_EQ(o.Picture18.left(), 2385);
}

TEST_F(OptionsTest, TheKnobAndItsCaptionStayWithinTenToHundred) {
    start();
    auto& o = options();
    o.Picture18.set_left(2000);
    o.Picture18_MouseDown(button(forms::left_button, 60));
    EXPECT_EQ(o.slider_button.left(), -135);
    EXPECT_EQ(o.drag_x, 60);
    // The caption reads the knob where it stood before each move, so it trails the knob by one move.
    o.Picture18_MouseMove(button(forms::left_button, 5000));  // a fast drag far past the end
    EXPECT_EQ(o.Picture18.left(), 2385);
    EXPECT_EQ(o.Label26.caption(), "85%");
    o.Picture18_MouseMove(button(forms::left_button, -9000));
    EXPECT_EQ(o.Picture18.left(), 120);
    EXPECT_EQ(o.Label26.caption(), "100%");
    // Only the left button alone drags.
    o.Picture18_MouseMove(button(forms::left_button | forms::right_button, 560));
    EXPECT_EQ(o.Picture18.left(), 120);
    EXPECT_EQ(o.Label26.caption(), "10%");
    o.Picture18_MouseMove(button(forms::left_button, 560));
    EXPECT_EQ(o.Picture18.left(), 620);
    EXPECT_EQ(o.Label26.caption(), "10%");
    o.Picture18_MouseMove(button(0, 560));
    EXPECT_EQ(o.Picture18.left(), 620);
    EXPECT_EQ(o.Label26.caption(), "30%");
    o.Picture18_MouseUp();
    EXPECT_EQ(o.slider_button.left(), 0);
}

TEST_F(OptionsTest, ApplyHidesSectionsArrangesTheRestAndStaysOpen) {
    Main_form& main = start(catalogue_file({"A|/a/|a"}));
    auto& o = options();
    then([&] {
        o.section_row_MouseDown(0, button(forms::left_button));  // PSX, the current section
        o.section_row_MouseDown(2, button(forms::right_button));
        o.Label29_Click();
        EXPECT_TRUE(o.visible());
        EXPECT_FALSE(main.emulator_list.scroll_event.enabled());
        EXPECT_FALSE(main.section_boxes[0]->visible());
        EXPECT_EQ(main.section_boxes[1]->left(), 120);
        EXPECT_EQ(main.section_boxes[3]->left(), 975);
        EXPECT_EQ(main.section_boxes[9]->left(), 120 + 7 * 855);
        EXPECT_EQ(main.current_section, "PS2");
        o.Label27_Click();
    });
    main.open_options_form();
    EXPECT_TRUE(main.emulator_list.scroll_event.enabled());
}

// A press on a check box's or option box's square does what a press on its caption does.
TEST_F(OptionsTest, APressOnAMarkItselfTogglesItAsItsCaptionDoes) {
    Main_form& main = start();
    auto& o = options();
    auto press_on = [&](const forms::Image* mark) {
        const forms::Control& holder = *mark->container();
        const float x = holder.form_x() + holder.width() / 2;
        const float y = holder.form_y() + holder.height() / 2;
        o.deliver_mouse_down(x, y, forms::left_button, 0);
        o.deliver_mouse_up(x, y, forms::left_button, 0);
    };
    then([&] {
        for (std::size_t i = 0; i < o.section_checkbox.size(); ++i) {
            const bool was = checked(o.section_checkbox[i]);
            press_on(o.section_checkbox[i]);
            // The last shown section stays, as it does for a press on its title.
            EXPECT_EQ(checked(o.section_checkbox[i]), i == 9 || !was) << i;
        }
        // The custom picture's browse button follows its mark.
        EXPECT_TRUE(o.Label50.enabled());
        press_on(o.option_box[0]);
        EXPECT_TRUE(checked(o.option_box[0]));
        EXPECT_FALSE(checked(o.option_box[2]));
        o.Label27_Click();
    });
    main.open_options_form();
    EXPECT_TRUE(main.path_override);
    EXPECT_TRUE(main.misc_image_enabled);
    EXPECT_EQ(main.launcher_state, 1);
}

TEST_F(OptionsTest, TheLastShownSectionCannotBeUnchecked) {
    Main_form& main = start();
    for (std::size_t k = 0; k < 9; ++k) main.section_boxes[k]->set_visible(false);
    auto& o = options();
    then([&] {
        EXPECT_TRUE(checked(o.section_checkbox[9]));
        o.section_row_MouseDown(9, button(forms::left_button));
        EXPECT_TRUE(checked(o.section_checkbox[9]));
        o.Label28_Click();
    });
    main.open_options_form();
}

TEST_F(OptionsTest, AMiddlePressRenamesATitleWhichOkCarriesToTheMainWindow) {
    Main_form& main = start();
    auto& o = options();
    then([&] {
        o.section_row_MouseDown(5, button(forms::middle_button));
        EXPECT_TRUE(o.renamer.visible());
        EXPECT_EQ(o.renamer.left(), 390);
        EXPECT_EQ(o.renamer.top(), 5655);
        EXPECT_EQ(o.Text1.text(), "DC");
        EXPECT_EQ(o.renamed_section, 6);
        // Another row cannot take the box before it is committed.
        o.section_row_MouseDown(0, button(forms::middle_button));
        EXPECT_EQ(o.renamed_section, 6);
        o.Text1.set_text("Arcade");
        o.Text1_MouseDown(button(forms::left_button));
        EXPECT_TRUE(o.renamer.visible());
        o.Text1_MouseDown(button(forms::middle_button));
        EXPECT_FALSE(o.renamer.visible());
        EXPECT_EQ(o.section_titles[5]->caption(), " Arcade");
        EXPECT_EQ(main.section_label[5]->caption(), "DC");
        o.Label27_Click();
    });
    main.open_options_form();
    EXPECT_EQ(main.section_label[5]->caption(), "Arcade");
    EXPECT_EQ(main.section_label[0]->caption(), "PSX");
}

TEST_F(OptionsTest, OkAppliesAfterRunPathOverrideAndOpacity) {
    Main_form& main = start();
    auto& o = options();
    then([&] {
        o.option_MouseDown(0);
        EXPECT_FALSE(checked(o.option_box[2]));
        o.Label6_MouseDown();
        o.Label26.set_caption("55%");
        o.Label27_Click();
    });
    main.open_options_form();
    EXPECT_EQ(main.launcher_state, 1);
    EXPECT_TRUE(main.path_override);
    EXPECT_EQ(main.opacity, 55);
}

TEST_F(OptionsTest, TheCustomPictureStateAndItsPath) {
    Main_form& main = start();
    auto& o = options();
    o.Text3.set_text("/old/path.bmp");
    display.answer_file((folder / "pics" / "mine.bmp").string());
    then([&] {
        // Opened with the custom picture off: the path is emptied and its controls are off.
        EXPECT_EQ(o.Text3.text(), "");
        EXPECT_FALSE(o.Label50.enabled());
        o.Label49_MouseDown();
        EXPECT_TRUE(checked(o.section_checkbox[10]));
        EXPECT_TRUE(o.Label50.enabled());
        o.Label50_Click();
        EXPECT_EQ(o.Text3.text(), (folder / "pics" / "mine.bmp").string());
        o.Label27_Click();
    });
    main.open_options_form();
    ASSERT_FALSE(display.file_requests().empty());
    EXPECT_EQ(display.file_requests().back().filter_pattern, "*.bmp");
    // The file is not there: the state is applied and the panel has no picture.
    EXPECT_TRUE(main.misc_image_enabled);
    EXPECT_TRUE(main.misc_image.picture().empty());
}

TEST_F(OptionsTest, HeadingLinesStartJustRightOfTheirHeadings) {
    start();
    auto& o = options();
    o.Label4.set_caption("A much longer heading than before:");
    o.adjust_frames();
    EXPECT_EQ(o.Line1.x1(), o.Label4.left() + o.Label4.width() + 90);
    EXPECT_EQ(o.Line1.x2(), 5520);
    EXPECT_EQ(o.Line2.x1(), o.Label1.left() + o.Label1.width() + 90);
}

}  // namespace
}  // namespace kv
