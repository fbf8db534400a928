#pragma once
// An emulator editor of a started program, over an in-memory registry, with the test plug-ins run by
// the built plug-in host from the emulator's folder.
#include <filesystem>
#include <initializer_list>
#include <optional>

#include "configs/fake_registry.h"
#include "launcher/program_fixture.h"
#include "plugin_client/plugin_library.h"
#include "toolkit/windows.h"

namespace kvtest {

template <typename Editor>
class EditorTest : public ProgramTest {
  protected:
    EditorTest() {
        kv::plugin_client::set_plugin_host_program(std::filesystem::path(KORVALIN_PROGRAM_DIR) /
                                                   "korvalin-plugin-host");
    }
    ~EditorTest() override { kv::plugin_client::set_plugin_host_program(std::nullopt); }

    // Copies test plug-ins by name into a folder, made first.
    static void copy_plugins(const std::filesystem::path& to, std::initializer_list<const char*> libraries) {
        std::filesystem::create_directories(to);
        for (const char* library : libraries)
            std::filesystem::copy_file(std::filesystem::path(KORVALIN_TEST_PLUGINS_DIR) / library,
                                       to / library);
    }
    // Starts the program and takes its editor, reading and writing the fake registry.
    void start_editor() {
        start();
        editor = &kv::toolkit::form<Editor>();
        editor->registry = reg.access();
    }

    std::filesystem::path emu = folder / "emu";
    FakeRegistry reg;
    Editor* editor = nullptr;
};

}  // namespace kvtest
