// The one way the program tells the user something: the message box under the program's title, and
// for a failure standard error too.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/headless_test.h"
#include "toolkit/message_box.h"
#include "toolkit/messages_form.h"

namespace {

using kv::messages_form;

class MessageBox : public kvtest::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        box = std::make_unique<messages_form>();
        kv::toolkit::set_message_box_source(
            {[this]() -> messages_form& { return *box; }, [] { return std::string("Korvalin 1.2"); }});
    }
    void TearDown() override {
        kv::toolkit::set_message_box_source({});
        box.reset();
        HeadlessTest::TearDown();
    }
    // The user reads the next message and presses OK.
    void read_next() {
        display.queue_action([this] {
            shown.push_back(box->Framebar_title.caption() + "|" + box->Label31.caption() + "|" +
                            std::to_string(static_cast<int>(box->message_image.top())));
            EXPECT_EQ(box->owner(), &owner);
            box->Label43_Click();
        });
    }

    std::unique_ptr<messages_form> box;
    kv::forms::Form owner{"owner"};
    std::vector<std::string> shown;
};

TEST_F(MessageBox, AFailureIsShownWithTheWarningIconAndEveryLineReachesStandardError) {
    read_next();
    testing::internal::CaptureStderr();
    kv::toolkit::report_failure(owner, "cannot write /p/Data.kvl\nsecond line");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "korvalin: cannot write /p/Data.kvl\nkorvalin: second line\n");
    EXPECT_EQ(shown,
              (std::vector<std::string>{"  Korvalin 1.2  |cannot write /p/Data.kvl\nsecond line|-720"}));
    EXPECT_FALSE(box->visible());
    EXPECT_EQ(display.beeps(), 1);
}

TEST_F(MessageBox, AMessageThatIsNoFailureIsOnlyShown) {
    read_next();
    testing::internal::CaptureStderr();
    kv::toolkit::show_message(owner, "A name is required.", kv::toolkit::notice_icon);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(shown, (std::vector<std::string>{"  Korvalin 1.2  |A name is required.|0"}));
}

TEST_F(MessageBox, SeveralFailuresAreOneMessageAndNoneIsNoMessage) {
    // Nothing queued: a message box opening here would end the test with an error.
    kv::toolkit::report_failures(owner, "Not saved:", {});
    read_next();
    testing::internal::CaptureStderr();
    kv::toolkit::report_failures(owner, "Not saved:", {"a: why", "b: why"});
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(shown, (std::vector<std::string>{"  Korvalin 1.2  |Not saved:\na: why\nb: why|-720"}));
}

TEST_F(MessageBox, WithoutAMessageBoxTheTextStillReachesStandardErrorOnce) {
    kv::toolkit::set_message_box_source({});
    EXPECT_EQ(kv::toolkit::program_title(), "");
    testing::internal::CaptureStderr();
    kv::toolkit::report_failure(owner, "lost");
    kv::toolkit::show_message(owner, "told", kv::toolkit::notice_icon);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "korvalin: lost\nkorvalin: told\n");
}

}  // namespace
