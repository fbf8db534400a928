#pragma once
// A fresh program folder with a headless display, and skins written into it.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "headless/headless_backend.h"
#include "support/test_support.h"

namespace kvtest {

// A 24-bit BMP of the given size, all black.

// The lines of a skin settings file: "key = value" with a sound default for every line, and the
// given values in place of the defaults (line numbers from 1).
std::vector<std::string> settings_lines(const std::map<int, std::string>& values = {}, int count = 40);
std::string joined(const std::vector<std::string>& lines);

class SkinTest : public ::testing::Test {
  protected:
    SkinTest();
    ~SkinTest() override;

    // All 43 bitmaps, each with a size of its own (file k is k+1 pixels wide), and a settings file.
    void write_skin(const std::string& name, int height = 2);
    void write_settings(const std::string& name, const std::vector<std::string>& lines);
    std::filesystem::path skin_path(const std::string& name) const { return folder / "Skins" / name; }
    // What the user does while the next modal window is open.
    void then(std::function<void()> action) { display.queue_action(std::move(action)); }

    TempFolder folder;
    kv::headless::HeadlessBackend display;
};

}  // namespace kvtest
