#include <gtest/gtest.h>
#include <sys/stat.h>

#include "model/skin_settings.h"
#include "platform/runtime.h"
#include "support/test_support.h"

namespace kv {
namespace {

TEST(SkinSettingsFile, AValueEndsAtASecondSeparator) {
    EXPECT_EQ(model::line_value("Colour = 255 = 0"), "255");
    EXPECT_EQ(model::line_value("key=1 = "), "");
    EXPECT_THROW(model::line_value("Colour=255"), kv::platform::Failure);
}

// The settings of a skin are read like every other file: a FIFO is refused at once, never waited on.
TEST(SkinSettingsFile, FifoIsRefusedWithoutWaiting) {
    kvtest::TempFolder dir;
    ASSERT_EQ(mkfifo((dir / "Config.ini").c_str(), 0644), 0);
    EXPECT_THROW(model::SkinSettingsReader(dir / "Config.ini"), kv::platform::Failure);
}

TEST(SkinSettingsFile, LinesEndEveryWayAndStopAtForty) {
    auto reader = model::SkinSettingsReader::from_bytes("a,b\r\nc\rd\ne");
    EXPECT_EQ(reader.next_line(), "a");
    EXPECT_EQ(reader.next_line(), "b");
    EXPECT_EQ(reader.next_line(), "c");
    EXPECT_EQ(reader.next_line(), "d");
    EXPECT_EQ(reader.next_line(), "e");
    EXPECT_THROW(reader.next_line(), kv::platform::Failure);
    std::string many;
    for (int i = 0; i < 50; ++i) many += "x\n";
    auto long_file = model::SkinSettingsReader::from_bytes(many);
    for (int i = 0; i < model::skin_settings_lines; ++i) long_file.next_line();
    EXPECT_THROW(long_file.next_line(), kv::platform::Failure);
}

}  // namespace
}  // namespace kv
