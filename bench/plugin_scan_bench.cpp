// Opening an editor on a plug-in folder: listing the folder and asking every library its name, version
// and kind through the helpers, helper starts included. A folder of 100 good libraries, and a hostile
// one of 54 good libraries and 40 that never answer: its first opening waits out each hanging library's
// budget (side by side), later ones no longer ask them.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench_display.h"
#include "configs/pcsx_config.h"
#include "plugin_client/plugin_library.h"
#include "toolkit/windows.h"

namespace {

namespace fs = std::filesystem;

// A plug-in folder made of copies of the test plug-ins, one of each kind in turn, and of copies of one
// that never tells its name.
fs::path make_plugin_folder(int count, int hanging = 0) {
    static int made = 0;
    const fs::path folder = fs::temp_directory_path() / ("korvalin-scan-bench-" + std::to_string(getpid()) +
                                                         "-" + std::to_string(++made));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const char* kinds[] = {"gpuAlpha.so", "spuBeta.SO", "cdrGamma.so", "padDelta.so"};
    const int total = count + hanging;
    for (int i = 0; i < total; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "plugin%03d.so", i);
        // Hanging ones spread through the folder, as they would lie among the others.
        const bool hangs = hanging > 0 && (i % 7 < 3 || total - i == hanging);
        if (hangs) --hanging;
        fs::copy_file(fs::path(KORVALIN_TEST_PLUGINS_DIR) / (hangs ? "gpuHangName.so" : kinds[i % 4]),
                      folder / name);
    }
    return folder;
}

size_t listed(const kv::PCSX_config& editor) {
    return editor.gpu_list.size() + editor.spu_list.size() + editor.cdr_list.size() + editor.pad_list.size();
}

// The display, with the helper of the build.
struct BenchDisplay : kvbench::BenchDisplay {
    BenchDisplay() {
        kv::plugin_client::set_plugin_host_program(fs::path(KORVALIN_PROGRAM_DIR) / "korvalin-plugin-host");
    }
};

void BM_ScanHundredPlugins(benchmark::State& state) {
    BenchDisplay display;
    const fs::path folder = make_plugin_folder(100);
    auto& editor = kv::toolkit::form<kv::PCSX_config>();
    editor.plugins_path = folder.string() + "/";
    for (auto _ : state) {
        editor.scan_plugins();
        editor.sort_plugins();
        benchmark::DoNotOptimize(editor.gpu_list.size());
    }
    if (listed(editor) != 100) state.SkipWithError("not every library was listed");
    fs::remove_all(folder);
}
BENCHMARK(BM_ScanHundredPlugins)->Unit(benchmark::kMillisecond);

constexpr int hostile_good = 54;
constexpr int hostile_hanging = 40;

// The first opening of a hostile folder: a fresh folder for each, as nothing of it is known yet.
void BM_HostileFolderFirstOpening(benchmark::State& state) {
    BenchDisplay display;
    auto& editor = kv::toolkit::form<kv::PCSX_config>();
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path folder = make_plugin_folder(hostile_good, hostile_hanging);
        editor.plugins_path = folder.string() + "/";
        state.ResumeTiming();
        editor.scan_plugins();
        editor.sort_plugins();
        state.PauseTiming();
        if (listed(editor) != hostile_good) state.SkipWithError("not every good library was listed");
        fs::remove_all(folder);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_HostileFolderFirstOpening)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

// Later openings of the same folder in the same run.
void BM_HostileFolderLaterOpening(benchmark::State& state) {
    BenchDisplay display;
    auto& editor = kv::toolkit::form<kv::PCSX_config>();
    const fs::path folder = make_plugin_folder(hostile_good, hostile_hanging);
    editor.plugins_path = folder.string() + "/";
    editor.scan_plugins();
    editor.sort_plugins();
    for (auto _ : state) {
        editor.scan_plugins();
        editor.sort_plugins();
    }
    if (listed(editor) != hostile_good) state.SkipWithError("not every good library was listed");
    fs::remove_all(folder);
}
BENCHMARK(BM_HostileFolderLaterOpening)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
