// Windows built from design rows: every control under the name and in the container its row gives,
// stacked in row order, with the look the row asks for.
#include <gtest/gtest.h>

#include "platform/runtime.h"
#include "support/headless_test.h"
#include "toolkit/pressed_image.h"
#include "toolkit/window_design.h"

namespace kv::toolkit {
namespace {

using WindowDesignTest = kvtest::HeadlessTest;

constexpr WindowRow rows[] = {
    ControlDesign{ControlType::frame, {"Frame1"}, 120, 720, 2775, 3285},
    ControlDesign{ControlType::image, {"tab_back"}, 0, 0, 2775, 3285, ControlLook::stretched, {"Frame1"}},
    CaptionDesign{"Label2", 45, 45, 2655, "Korvalin", 255, TextLook::wrapped, {"Frame1"}},
    CaptionDesign{"Label9", 120, 450, 4350, "Start?", 255, TextLook::centred},
    CaptionDesign{"Label1", 120, 2040, 1500, "Language:", 255, TextLook::auto_sized},
    ControlDesign{ControlType::line, {"Line3"}, 0, 2167, 5520, 2167, ControlLook::blue_border},
    FieldDesign{"Text1", "Shape1", 105, 705, 1965},
    FieldDesign{"Text2", "Shape3", 105, 1305, 4245, 885, white, true, true},
    OptionDesign{
        {"option_frame", 2}, {"option_box", 2}, 120, 1560, "Label18", " Do nothing", "Label25", 5055, 5415},
    PushButton{"Picture2",
               2520,
               2280,
               {"Image3"},
               {"section_label", 1},
               "Cancel",
               "Label7",
               540,
               button_height,
               90,
               255,
               true,
               TextLook::centred,
               -375.0f},
    PushButton{"Picture3",
               3960,
               700,
               {"Image1"},
               {"Label6"},
               "...",
               "Label10",
               375,
               255,
               -30,
               255,
               false,
               TextLook::plain},
};

struct Built : forms::Form {
    Built() : forms::Form("built"), design(*this, {rows}) {}
    BuiltWindow design;
};

TEST_F(WindowDesignTest, RowsBuildNamedControlsInTheirContainersInRowOrder) {
    Built w;
    auto& frame = control<forms::Frame>(w, "Frame1");
    const auto inside = w.children_of(&frame);
    ASSERT_EQ(inside.size(), 2u);
    EXPECT_EQ(inside[0]->full_name(), "tab_back");  // the later row draws above the earlier
    EXPECT_EQ(inside[1]->full_name(), "Label2");
    EXPECT_EQ(control<forms::Label>(w, "Label2").container(), &frame);
    EXPECT_EQ(control<forms::Label>(w, "Label9").container(), nullptr);
    EXPECT_TRUE(control<forms::Image>(w, "tab_back").stretch());
    // Array elements are reached by name and index, as skins and languages name them.
    EXPECT_EQ(w.design.get<forms::Label>("section_label", 1).caption(), "Cancel");
    EXPECT_EQ(w.find("option_box(2)"), &w.design.get<forms::Image>("option_box", 2));
    EXPECT_EQ(w.find("option_box(2)")->container(), w.find("option_frame(2)"));
}

TEST_F(WindowDesignTest, CaptionsAreWhiteTransparentTextWithTheirLook) {
    Built w;
    for (const char* name : {"Label2", "Label9", "Label1"}) {
        const auto& label = control<forms::Label>(w, name);
        EXPECT_EQ(label.fore_color(), white) << name;
        EXPECT_TRUE(label.transparent()) << name;
    }
    EXPECT_TRUE(control<forms::Label>(w, "Label2").word_wrap());
    EXPECT_EQ(control<forms::Label>(w, "Label2").alignment(), forms::Alignment::left);
    EXPECT_EQ(control<forms::Label>(w, "Label9").alignment(), forms::Alignment::center);
    EXPECT_FALSE(control<forms::Label>(w, "Label9").word_wrap());
    EXPECT_TRUE(control<forms::Label>(w, "Label1").auto_size());
    const auto& line = control<forms::Line>(w, "Line3");
    EXPECT_EQ(line.border_color(), frame_blue);
    EXPECT_FLOAT_EQ(line.x1(), 0);
    EXPECT_FLOAT_EQ(line.y2(), 2167);
    EXPECT_FLOAT_EQ(line.x2(), 5520);
}

TEST_F(WindowDesignTest, AFieldsBoxLiesOnePixelInsideItsFrame) {
    Built w;
    const auto& shape = control<forms::Shape>(w, "Shape1");
    const auto& box = control<forms::TextBox>(w, "Text1");
    EXPECT_EQ(shape.border_color(), frame_blue);
    EXPECT_FLOAT_EQ(box.left(), 120);
    EXPECT_FLOAT_EQ(box.top(), 720);
    EXPECT_FLOAT_EQ(box.width(), 1935);
    EXPECT_FLOAT_EQ(box.height(), 225);
    EXPECT_FALSE(box.border());
    EXPECT_EQ(box.back_color(), 0);
    EXPECT_EQ(box.fore_color(), white);
    EXPECT_FALSE(box.locked());
    EXPECT_FALSE(box.multi_line());
    const auto& about = control<forms::TextBox>(w, "Text2");
    EXPECT_FLOAT_EQ(about.height(), 855);
    EXPECT_TRUE(about.locked());
    EXPECT_TRUE(about.multi_line());
    EXPECT_EQ(control<forms::Shape>(w, "Shape3").border_color(), white);
}

TEST_F(WindowDesignTest, AnOptionsCaptionAndClickLabelFollowItsMark) {
    Built w;
    const auto& mark = control<forms::Image>(w, "option_box", 2);
    EXPECT_FLOAT_EQ(mark.height(), 2 * mark_size);
    EXPECT_FALSE(mark.stretch());
    const auto& caption = control<forms::Label>(w, "Label18");
    EXPECT_FLOAT_EQ(caption.left(), 360);
    EXPECT_FLOAT_EQ(caption.top(), 1590);
    EXPECT_EQ(caption.caption(), " Do nothing");
    const auto& click = control<forms::Label>(w, "Label25");
    EXPECT_FLOAT_EQ(click.left(), 120);
    EXPECT_FLOAT_EQ(click.width(), 5415);
    EXPECT_TRUE(click.transparent());
    EXPECT_TRUE(click.caption().empty());
}

TEST_F(WindowDesignTest, PushButtonsPressToTheirRowsPlace) {
    Built w;
    auto& cancel = control<forms::Image>(w, "Image3");
    EXPECT_TRUE(cancel.stretch());
    EXPECT_FLOAT_EQ(cancel.height(), 2 * button_height);
    EXPECT_FLOAT_EQ(w.design.get<forms::Label>("section_label", 1).top(), 90);
    auto& click = control<forms::Label>(w, "Label7");
    click.on_mouse_down({forms::left_button, 0, 0, 0});
    EXPECT_FLOAT_EQ(cancel.top(), -375);
    click.on_mouse_up({forms::left_button, 0, 0, 0});
    EXPECT_FLOAT_EQ(cancel.top(), 0);

    // Without a fixed place the picture goes up by half its height.
    auto& browse = control<forms::Image>(w, "Image1");
    EXPECT_FALSE(browse.stretch());
    control<forms::Label>(w, "Label10").on_mouse_down({forms::left_button, 0, 0, 0});
    EXPECT_FLOAT_EQ(browse.top(), -255);
    EXPECT_TRUE(shows_lower_half(browse));
    const auto& dots = control<forms::Label>(w, "Label6");
    EXPECT_FLOAT_EQ(dots.top(), -30);
    EXPECT_EQ(dots.alignment(), forms::Alignment::left);
}

TEST_F(WindowDesignTest, AControlTheTableLacksFailsLoudly) {
    Built w;
    EXPECT_THROW(control<forms::Label>(w, "Label99"), kv::platform::Failure);
    EXPECT_THROW(control<forms::Label>(w, "section_label", 0), kv::platform::Failure);
    // A control of another kind than the code expects is a fault of the table too.
    EXPECT_THROW(control<forms::TextBox>(w, "Label9"), kv::platform::Failure);
    forms::Form bare("bare");
    constexpr WindowRow orphan[] = {
        CaptionDesign{"Label2", 45, 45, 2655, "x", 255, TextLook::plain, {"Frame9"}},
    };
    EXPECT_THROW(build_window(bare, orphan), kv::platform::Failure);
}

}  // namespace
}  // namespace kv::toolkit
