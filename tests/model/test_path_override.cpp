#include <gtest/gtest.h>

#include "model/path_override.h"

namespace kv {
namespace {

TEST(PathOverride, TheVolumeRootIsReplaced) {
    EXPECT_EQ(volume_root("/media/ann/STICK/emus/a/"), "/media/ann/STICK/");
    EXPECT_EQ(volume_root("/run/media/ann/STICK"), "/run/media/ann/STICK/");
    EXPECT_EQ(volume_root("/mnt/disk/x"), "/mnt/disk/");
    EXPECT_EQ(volume_root("/media/ann"), "/");
    EXPECT_EQ(volume_root("/home/ann/emus/"), "/");
    EXPECT_FALSE(volume_root("Unknown"));

    EXPECT_EQ(overridden_folder("/media/ann/NEW/Tools/Launcher", "/media/bob/OLD/Emus/Alpha/"),
              "/media/ann/NEW/Emus/Alpha/");
    EXPECT_EQ(overridden_folder("/mnt/usb", "/home/ann/emus/"), "/mnt/usb/home/ann/emus/");
    EXPECT_EQ(overridden_folder("/opt/korvalin", "/mnt/usb/emus/"), "/emus/");
    EXPECT_FALSE(overridden_folder("/opt/korvalin", "Unknown"));
}

}  // namespace
}  // namespace kv
