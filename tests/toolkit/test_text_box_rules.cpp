// Rules the windows put on their controls: characters a text box keeps out, and two-state marks.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/form.h"
#include "support/headless_test.h"
#include "toolkit/keep_out_characters.h"
#include "toolkit/two_state_mark.h"

namespace kv::toolkit {
namespace {

class KeptOut : public kvtest::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        form = std::make_unique<forms::Form>("f");
        box = &form->add<forms::TextBox>("Text1", 0, 0, 1000, 300);
    }
    void TearDown() override {
        form.reset();
        HeadlessTest::TearDown();
    }
    // Keeps out the separators of a record; records the text each time on_text runs.
    void keep_out_separators() {
        keep_out_characters(*box, "|\r\n", [this] { texts.push_back(box->text()); });
    }

    std::unique_ptr<forms::Form> form;
    forms::TextBox* box = nullptr;
    std::vector<std::string> texts;
};

TEST_F(KeptOut, ATypedRefusedCharacterIsDroppedAndOthersPass) {
    keep_out_separators();
    box->type_character('a');
    box->type_character('|');
    box->type_character('\r');
    box->type_character('b');
    EXPECT_EQ(box->text(), "ab");
    EXPECT_EQ(texts, (std::vector<std::string>{"a", "ab"}));
}

TEST_F(KeptOut, APasteLosesItsRefusedCharactersAndTheCaretStaysAfterIt) {
    box->set_text("start end");
    keep_out_separators();
    box->set_sel_start(6);
    box->set_sel_text("x|y\r\nz ");
    EXPECT_EQ(box->text(), "start xyz end");
    EXPECT_EQ(box->caret(), 10);
    // on_text saw only the cleaned text, never the one holding the separators.
    EXPECT_EQ(texts, (std::vector<std::string>{"start xyz end"}));
}

TEST_F(KeptOut, TextSetByTheProgramIsCleanedTooAndTheCaretStaysWhereItWas) {
    keep_out_separators();
    box->set_text("a|b\n");
    EXPECT_EQ(box->text(), "ab");
    EXPECT_EQ(box->caret(), 0);
    EXPECT_EQ(texts, (std::vector<std::string>{"ab"}));
}

TEST_F(KeptOut, WithoutOnTextTheBoxStillCleansItself) {
    keep_out_characters(*box, "/\\");
    box->type_character('/');
    box->set_sel_text("a\\b");
    EXPECT_EQ(box->text(), "ab");
}

TEST_F(KeptOut, TwoStateMarksShowTheLowerHalfWhenOnAndTheUpperWhenOff) {
    auto& holder = form->add<forms::PictureBox>("holder", 0, 0, 255, 255);
    auto& mark = form->add<forms::Image>("checkboxes", 0, 0, 255, 510, &holder);
    EXPECT_FALSE(mark_on(mark));
    set_mark(mark, true);
    EXPECT_FLOAT_EQ(mark.top(), -255);
    EXPECT_TRUE(mark_on(mark));
    set_mark(mark, true);
    EXPECT_TRUE(mark_on(mark));
    set_mark(mark, false);
    EXPECT_FLOAT_EQ(mark.top(), 0);
    EXPECT_FALSE(mark_on(mark));
}

}  // namespace
}  // namespace kv::toolkit
