#include <gtest/gtest.h>

#include <cmath>

#include "platform/runtime.h"

using namespace kv::platform;

namespace kv {
namespace {

TEST(Runtime, RoundsHalfToEven) {
    EXPECT_EQ(round_half_even(0.5), 0);
    EXPECT_EQ(round_half_even(1.5), 2);
    EXPECT_EQ(round_half_even(2.5), 2);
    EXPECT_EQ(round_half_even(-2.5), -2);
    EXPECT_EQ(round_half_even(-0.5), 0);
    EXPECT_EQ(round_half_even(2.500001), 3);
    EXPECT_EQ(to_int16(3.5), 4);
    EXPECT_EQ(to_int32(-3.5), -4);
}

TEST(Runtime, IntegerConversionsFailOnOverflow) {
    EXPECT_EQ(to_int16(32767), 32767);
    EXPECT_EQ(to_int16(-32768), -32768);
    EXPECT_THROW(to_int16(32768), Failure);
    EXPECT_THROW(to_int16(-32769), Failure);
    // 32767.5 rounds to the even 32768, which no longer fits.
    EXPECT_THROW(to_int16(32767.5), Failure);
    EXPECT_EQ(to_int32(2147483647.0), 2147483647);
    EXPECT_THROW(to_int32(2147483648.0), Failure);
    EXPECT_THROW(to_int16(std::nan("")), Failure);
}

TEST(Runtime, TextToNumberUsesTheCLocaleAndRefusesJunk) {
    EXPECT_EQ(text_to_double("757.5"), 757.5);
    EXPECT_EQ(text_to_double("  -12 "), -12);
    EXPECT_EQ(text_to_double("+3"), 3);
    EXPECT_EQ(text_to_int16("2.5"), 2);
    EXPECT_THROW(text_to_double(""), Failure);
    EXPECT_THROW(text_to_double("12abc"), Failure);
    EXPECT_THROW(text_to_double("1,5"), Failure);
    EXPECT_THROW(text_to_int16("40000"), Failure);
    EXPECT_THROW(text_to_single("1e300"), Failure);
}

TEST(Runtime, HexadecimalTextReadsAsStoredFilesHoldIt) {
    EXPECT_EQ(text_to_int32("&HFF"), 255);
    EXPECT_EQ(text_to_int32("&H00FF00"), 0xFF00);
    EXPECT_EQ(text_to_int32("&H8000FF"), 0x8000FF);
    EXPECT_THROW(text_to_int32("&HXYZ"), Failure);
    EXPECT_THROW(text_to_int32("&H100000000"), Failure);
    // Four digits or fewer are a 16-bit number where the target is one, and a 32-bit one where the
    // target is 32 bits wide: there the hexadecimal and the decimal form of a number agree.
    EXPECT_EQ(text_to_int16("&HFFFF"), -1);
    EXPECT_EQ(text_to_double("&HFF00"), -256);
    EXPECT_EQ(text_to_int32("&HFF00"), 65280);
    EXPECT_EQ(text_to_int32(" &hffff "), 65535);
    EXPECT_EQ(text_to_int32("&HFFFFFFFF"), -1);
}

TEST(Runtime, TruthValues) {
    EXPECT_EQ(bool_text(true), "True");
    EXPECT_EQ(bool_text(false), "False");
    EXPECT_TRUE(text_to_bool("True"));
    EXPECT_FALSE(text_to_bool("false"));
    EXPECT_TRUE(text_to_bool("-1"));
    EXPECT_FALSE(text_to_bool("0"));
    EXPECT_THROW(text_to_bool("yes"), Failure);
}

TEST(Runtime, NumbersPrintInTheirShortestForm) {
    EXPECT_EQ(number_text(2370.0), "2370");
    EXPECT_EQ(number_text(757.5f), "757.5");
    EXPECT_EQ(number_text(-0.25), "-0.25");
    EXPECT_EQ(number_text(0.1f), "0.1");
    EXPECT_EQ(number_text(-0.0), "0");
}

TEST(Runtime, FailureStylesSkipOrStop) {
    std::vector<int> done;
    for (int i = 0; i < 3; ++i)
        skip_failure([&] {
            if (i == 1) throw Failure("step");
            done.push_back(i);
        });
    EXPECT_EQ(done, (std::vector<int>{0, 2}));

    done.clear();
    bool stopped = stop_at_failure([&] {
        done.push_back(1);
        throw Failure("stop");
        done.push_back(2);  // never reached
    });
    EXPECT_TRUE(stopped);
    EXPECT_EQ(done, std::vector<int>{1});
    // Anything that is not a failure of a step goes on to the caller.
    EXPECT_THROW(skip_failure([] { throw std::logic_error("bug"); }), std::logic_error);
}

}  // namespace
}  // namespace kv
