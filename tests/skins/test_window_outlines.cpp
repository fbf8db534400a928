#include <gtest/gtest.h>

#include "launcher/main_form.h"
#include "platform/runtime.h"
#include "skins/skin_browser.h"
#include "skins/skin_fixture.h"
#include "skins/window_outlines.h"
#include "toolkit/messages_form.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

using forms::Region;
using skins::remap_divisor;
using skins::window_outline;

TEST(WindowOutline, CornerAndDivisorGiveTheOutlineOfTheWorkedExample) {
    EXPECT_EQ(remap_divisor("1"), "15");
    EXPECT_EQ(remap_divisor("0"), "1");
    EXPECT_EQ(remap_divisor("15"), "15");
    EXPECT_EQ(remap_divisor("2.50"), "2.50");
    EXPECT_THROW(remap_divisor("half"), kv::platform::Failure);
    EXPECT_EQ(window_outline(9000, 6000, "20", remap_divisor("1")), (Region{0, 0, 601, 401, 20, 20}));
    EXPECT_EQ(window_outline(9000, 6000, "20", remap_divisor("0")), (Region{0, 0, 601, 6001, 20, 20}));
    EXPECT_EQ(window_outline(9000, 6000, "20", remap_divisor("15")), (Region{0, 0, 601, 401, 20, 20}));
    // Halves round to the even neighbour: 3001.5 up, 3000.5 down; a corner of 12.0 is 12.
    EXPECT_EQ(window_outline(9000, 6001, "12.0", "2").bottom, 3002);
    EXPECT_EQ(window_outline(9000, 5999, "12", "2").bottom, 3000);
    EXPECT_EQ(window_outline(9000, 5999, "12.0", "2").corner_width, 12);
}

TEST(WindowOutline, AnOutlineThatWouldHideTheWindowIsRefused) {
    EXPECT_THROW(window_outline(9000, 6000, "-4", "15"), kv::platform::Failure);
    EXPECT_THROW(window_outline(9000, 6000, "20", "-15"), kv::platform::Failure);
    EXPECT_THROW(window_outline(9000, 6000, "20", "1e-300"), kv::platform::Failure);  // beyond 32 bits
    EXPECT_THROW(window_outline(9000, 6000, "corner", "15"), kv::platform::Failure);
    EXPECT_EQ(window_outline(0, 0, "0", "15"), (Region{0, 0, 1, 1, 0, 0}));
}

class SkinShapes : public kvtest::SkinTest {
  protected:
    SkinShapes() : main(toolkit::form<Main_form>()), box(toolkit::form<messages_form>()) {}
    void apply(const std::map<int, std::string>& values) {
        write_settings("S", kvtest::settings_lines(values));
        toolkit::form<skin_browser>().load_colors("S");
    }
    forms::Label& title(const char* window) {
        return dynamic_cast<toolkit::FramedForm&>(*toolkit::form_named(window)).Framebar_title;
    }
    Main_form& main;
    messages_form& box;
};

TEST_F(SkinShapes, TheWholeTailSetsButtonsOutlinesTrimFactorAndTitles) {
    main.set_width(9000);
    main.set_height(6000);
    apply({{29, "8400|60|255|300"}, {30, "8100|60|240|270"}, {35, "20"}, {36, "1"}, {40, "2"}});
    EXPECT_EQ(main.Picture11.left(), 8400);
    EXPECT_EQ(main.Picture11.top(), 60);
    EXPECT_EQ(main.Picture11.height(), 255);
    EXPECT_EQ(main.Picture11.width(), 300);
    EXPECT_EQ(main.X_image.height(), 510);
    EXPECT_EQ(main.X_image.width(), 300);
    EXPECT_EQ(main.X_image.left(), 0);
    EXPECT_EQ(main.Min_image.height(), 480);
    EXPECT_EQ(main.region(), (Region{0, 0, 601, 401, 20, 20}));
    const auto& options = *toolkit::form_named("SSSPSX_config");
    EXPECT_EQ(options.region()->bottom, static_cast<int>(options.height() / 15 + 1));
    EXPECT_EQ(box.trim_factor, "20|15");
    for (const char* w : {"Main_form", "add_profile", "messages_form", "SSSPSX_config"})
        EXPECT_EQ(title(w).alignment(), forms::Alignment::center) << w;

    apply({{36, "0"}, {40, "0.5"}});
    EXPECT_EQ(main.region()->bottom, 6001);
    EXPECT_EQ(box.trim_factor, "12|1");
    EXPECT_EQ(title("add_new").alignment(), forms::Alignment::left);
    apply({{40, "1.5"}});
    EXPECT_EQ(title("add_new").alignment(), forms::Alignment::center);
    // trim_factor keeps the corner as the skin wrote it; the outlines use its whole number.
    apply({{35, "12.0"}, {36, "1"}});
    EXPECT_EQ(box.trim_factor, "12.0|15");
    EXPECT_EQ(main.region(), (Region{0, 0, 601, 401, 12, 12}));
}

TEST_F(SkinShapes, AButtonBoxWithThreeFieldsStopsAfterItsHeight) {
    const float width = main.Picture11.width();
    const float image_height = main.X_image.height();
    apply({{29, "8000|90|200"}});
    EXPECT_EQ(main.Picture11.left(), 8000);
    EXPECT_EQ(main.Picture11.top(), 90);
    EXPECT_EQ(main.Picture11.height(), 200);
    EXPECT_EQ(main.Picture11.width(), width);
    EXPECT_EQ(main.X_image.height(), image_height);
    EXPECT_EQ(main.Picture12.left(), 8130);  // line 30 was never reached
    EXPECT_FALSE(main.region().has_value());
    EXPECT_EQ(box.trim_factor, "0|1");
}

TEST_F(SkinShapes, ABadOutlineStopsAtItsWindowAndAlignsNoTitle) {
    apply({{35, "8"}, {36, "1"}, {40, "0"}});
    const Region before = *main.region();
    for (const auto& [corner, divisor] :
         {std::pair{"-3", "1"}, std::pair{"8", "-2"}, std::pair{"x", "1"}, std::pair{"8", "none"}}) {
        apply({{35, corner}, {36, divisor}, {40, "2"}});
        EXPECT_EQ(*main.region(), before) << corner << " " << divisor;
        EXPECT_EQ(box.trim_factor, "8|15") << corner << " " << divisor;
        EXPECT_EQ(title("Main_form").alignment(), forms::Alignment::left) << corner << " " << divisor;
    }
    // A title alignment the label does not know ends the reading at the first window.
    apply({{40, "3"}});
    EXPECT_EQ(title("Main_form").alignment(), forms::Alignment::left);
}

}  // namespace
}  // namespace kv
