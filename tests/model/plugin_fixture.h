#pragma once
// The test plug-ins (tests/plugins/test_plugin.c) copied into a fresh plug-in folder, the helper from
// the assembled program folder, and the headless display the waits run on.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "headless/headless_backend.h"
#include "plugin_client/plugin_library.h"
#include "support/test_support.h"
#include "toolkit/windows.h"

namespace kvtest {

inline std::filesystem::path built_plugin(const std::string& file) {
    return std::filesystem::path(KORVALIN_TEST_PLUGINS_DIR) / file;
}

class PluginTest : public ::testing::Test {
  protected:
    PluginTest() {
        kv::forms::set_backend(&display);
        kv::plugin_client::set_plugin_host_program(std::filesystem::path(KORVALIN_PROGRAM_DIR) /
                                                   "korvalin-plugin-host");
    }
    ~PluginTest() override {
        kv::forms::set_backend(nullptr);
        kv::plugin_client::set_plugin_host_program(std::nullopt);
    }

    // Copies a built test plug-in into the folder, under another name when given.
    std::string put(const std::string& built, const std::string& as = {}) {
        const std::string name = as.empty() ? built : as;
        std::filesystem::copy_file(built_plugin(built), folder / name,
                                   std::filesystem::copy_options::overwrite_existing);
        return (folder / name).string();
    }
    std::string path() const { return folder.path().string() + "/"; }

    TempFolder folder;
    kv::headless::HeadlessBackend display;
};

}  // namespace kvtest
