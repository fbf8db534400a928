#include <gtest/gtest.h>

#include "model/plugin_records.h"

TEST(PluginVersion, ShowsTheTwoLowBytes) {
    using kv::model::format_plugin_version;
    EXPECT_EQ(format_plugin_version(0x00010203), "2.3");
    EXPECT_EQ(format_plugin_version(0xFFFF), "255.255");
    EXPECT_EQ(format_plugin_version(0), "0.0");
    EXPECT_EQ(format_plugin_version(0x7FFF0000), "0.0");
    EXPECT_EQ(format_plugin_version(-1), "255.255");
    EXPECT_EQ(format_plugin_version(0x0A00), "10.0");
}

TEST(PluginFileNames, TakeSoInAnyCaseOnly) {
    using kv::model::is_plugin_file_name;
    EXPECT_TRUE(is_plugin_file_name("gpu.so"));
    EXPECT_TRUE(is_plugin_file_name("GPU.So"));
    EXPECT_TRUE(is_plugin_file_name("a.SO"));
    EXPECT_FALSE(is_plugin_file_name(".so"));
    EXPECT_FALSE(is_plugin_file_name(".gpu.so"));
    EXPECT_FALSE(is_plugin_file_name("gpu.so.1"));
    EXPECT_FALSE(is_plugin_file_name("gpu.sox"));
    EXPECT_FALSE(is_plugin_file_name("so"));
    // A record is "file|||display": a file name holding the separator cannot be told apart from it.
    EXPECT_FALSE(is_plugin_file_name("gpu|||x.so"));
    EXPECT_TRUE(is_plugin_file_name("gpu||x.so"));
}
