#include <gtest/gtest.h>

#include "support/headless_test.h"
#include "toolkit/on_top.h"
#include "toolkit/transparent.h"

namespace kv::toolkit {
namespace {

using WindowFunctionsTest = kvtest::HeadlessTest;

TEST_F(WindowFunctionsTest, TransparencyTakesAlphasFromZeroTo255Only) {
    forms::Form f("f");
    EXPECT_EQ(set_transparency(f, 0), transparency_done);
    EXPECT_TRUE(f.layered());
    EXPECT_EQ(f.alpha(), 0);
    EXPECT_EQ(set_transparency(f, 255), transparency_done);
    EXPECT_EQ(f.alpha(), 255);
    EXPECT_EQ(set_transparency(f, 220), transparency_done);  // already layered: only the alpha changes
    EXPECT_EQ(f.alpha(), 220);

    forms::Form g("g");
    EXPECT_EQ(set_transparency(g, 256), transparency_out_of_range);
    EXPECT_EQ(set_transparency(g, -1), transparency_out_of_range);
    EXPECT_FALSE(g.layered());
    EXPECT_EQ(g.ex_style(), 0);
}

TEST_F(WindowFunctionsTest, RemovingTransparencyLeavesOtherStylesAlone) {
    forms::Form f("f");
    EXPECT_EQ(remove_transparency(f), transparency_done);  // never layered: unchanged
    EXPECT_EQ(f.ex_style(), 0);
    set_on_top(f);
    set_transparency(f, 100);
    EXPECT_EQ(remove_transparency(f), transparency_done);
    EXPECT_FALSE(f.layered());
    EXPECT_TRUE(f.top_most());
}

TEST_F(WindowFunctionsTest, OnTopKeepsPlaceAndSize) {
    forms::Form f("f");
    f.move(1500, 3000);
    set_on_top(f);
    set_on_top(f);
    EXPECT_TRUE(f.top_most());
    EXPECT_FLOAT_EQ(f.left(), 1500);
    EXPECT_FLOAT_EQ(f.top(), 3000);
}

}  // namespace
}  // namespace kv::toolkit
