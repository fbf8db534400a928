// An editor's settings through the registry store: loading the ePSXe editor's fourteen values and
// saving them (each write read back), on a store that also holds 2,000 other values; and reading
// SSSPSX.ini.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "bench_display.h"
#include "configs/configs_form.h"
#include "configs/epsxe_config.h"
#include "configs/epsxe_design.h"
#include "model/registry_bridge.h"
#include "model/ssspsx_ini.h"
#include "platform/folder.h"
#include "toolkit/windows.h"

namespace {

namespace fs = std::filesystem;

void BM_EpsxeLoadAndSave(benchmark::State& state) {
    const fs::path folder = fs::temp_directory_path() / ("korvalin-editor-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    ::setenv("KORVALIN_REGISTRY", (folder / "HKEY_CURRENT_USER.reg").c_str(), 1);
    for (int i = 0; i < 2000; ++i)
        kv::model::registry_value("HKEY_CURRENT_USER\\Software\\Other\\Value" + std::to_string(i), "x", 2);
    kvbench::BenchDisplay display;
    kv::platform::set_program_folder(folder);
    auto& editor = kv::toolkit::form<kv::ePSXe_config>();
    for (auto _ : state) {
        editor.load_settings();
        editor.save_settings();
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_EpsxeLoadAndSave)->Unit(benchmark::kMillisecond);

void BM_ReadSsspsxIni(benchmark::State& state) {
    const std::string ini =
        "[Plugins]\r\nBIOS=scph1001.bin\r\nGPU=gpu.so\r\nSPU=spu.so\r\nCDR=\r\nPAD1=pad.so\r\nPAD2=pad.so\r\n"
        "MCD1=one.mcr\r\nMCD2=two.mcr\r\n";
    for (auto _ : state) benchmark::DoNotOptimize(kv::model::parse_ssspsx_ini(ini));
}
BENCHMARK(BM_ReadSsspsxIni);

}  // namespace

BENCHMARK_MAIN();
