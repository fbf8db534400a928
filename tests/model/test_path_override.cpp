#include <gtest/gtest.h>

#include "model/path_override.h"

namespace kv {
namespace {

TEST(PathOverride, TheVolumeRootIsReplaced) {
    EXPECT_EQ(kv::model::volume_root("/media/ann/STICK/emus/a/"), "/media/ann/STICK/");
    EXPECT_EQ(kv::model::volume_root("/run/media/ann/STICK"), "/run/media/ann/STICK/");
    EXPECT_EQ(kv::model::volume_root("/mnt/disk/x"), "/mnt/disk/");
    EXPECT_EQ(kv::model::volume_root("/media/ann"), "/");
    EXPECT_EQ(kv::model::volume_root("/home/ann/emus/"), "/");
    EXPECT_FALSE(kv::model::volume_root("Unknown"));

    EXPECT_EQ(kv::model::overridden_folder("/media/ann/NEW/Tools/Launcher", "/media/bob/OLD/Emus/Alpha/"),
              "/media/ann/NEW/Emus/Alpha/");
    EXPECT_EQ(kv::model::overridden_folder("/mnt/usb", "/home/ann/emus/"), "/mnt/usb/home/ann/emus/");
    EXPECT_EQ(kv::model::overridden_folder("/opt/korvalin", "/mnt/usb/emus/"), "/emus/");
    EXPECT_FALSE(kv::model::overridden_folder("/opt/korvalin", "Unknown"));
}

}  // namespace
}  // namespace kv
