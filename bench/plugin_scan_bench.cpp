// Opening an editor on a plug-in folder of 100 libraries: listing the folder and asking every library
// its name, version and kind through the helper, helper start included.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/forms.h"
#include "configs/pcsx_config.h"
#include "platform/headless/headless_backend.h"
#include "platform/plugin_library.h"

namespace {

namespace fs = std::filesystem;

// A plug-in folder made of copies of the test plug-ins, one of each kind in turn.
fs::path make_plugin_folder(int count) {
    const fs::path folder = fs::temp_directory_path() / ("korvalin-scan-bench-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const char* kinds[] = {"gpuAlpha.so", "spuBeta.SO", "cdrGamma.so", "padDelta.so"};
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "plugin%03d.so", i);
        fs::copy_file(fs::path(KORVALIN_TEST_PLUGINS_DIR) / kinds[i % 4], folder / name);
    }
    return folder;
}

void BM_ScanHundredPlugins(benchmark::State& state) {
    kv::headless::HeadlessBackend display;
    kv::forms::set_backend(&display);
    kv::set_plugin_host_program(fs::path(KORVALIN_PROGRAM_DIR) / "korvalin-plugin-host");
    const fs::path folder = make_plugin_folder(100);
    auto& editor = kv::app::form<kv::PCSX_config>();
    editor.plugins_path = folder.string() + "/";
    for (auto _ : state) {
        editor.scan_plugins();
        editor.sort_plugins();
        benchmark::DoNotOptimize(editor.gpu_list.size());
    }
    if (editor.gpu_list.size() + editor.spu_list.size() + editor.cdr_list.size() + editor.pad_list.size() !=
        100)
        state.SkipWithError("not every library was listed");
    kv::app::reset_forms();
    kv::forms::set_backend(nullptr);
    fs::remove_all(folder);
}
BENCHMARK(BM_ScanHundredPlugins)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
