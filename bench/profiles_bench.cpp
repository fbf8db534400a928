// Listing the profiles of an emulator with 100 to 10,000 profiles (the configs window lists them on
// every opening and tab change), and making a blank profile and activating an SSSPSX profile.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "model/profile_store.h"
#include "platform/folder.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// A program folder with the profile tree under the temporary folder, removed at the end.
class BenchProgram {
  public:
    BenchProgram() {
        for (const char* kind : {"emulator_configuration", "plugin_configuration", "game_codes"})
            fs::create_directories(folder_ / "Configurations" / "ePSXe" / kind);
        kv::platform::set_program_folder(folder_.path());
    }
    const fs::path& path() const { return folder_.path(); }

  private:
    kvtest::TempFolder folder_;
};

void BM_scan_profiles(benchmark::State& state) {
    BenchProgram program;
    const fs::path folder = program.path() / "Configurations" / "ePSXe" / "emulator_configuration";
    for (int64_t i = 0; i < state.range(0); ++i)
        std::ofstream(folder / ("Profile " + std::to_string(i) + ".reg"));
    for (auto _ : state) benchmark::DoNotOptimize(kv::model::scan_profiles("ePSXe"));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_scan_profiles)->RangeMultiplier(10)->Range(100, 10000)->Complexity();

void BM_create_blank_profile(benchmark::State& state) {
    BenchProgram program;
    for (auto _ : state) kv::model::create_blank_profile("ePSXe", "Blank");
}
BENCHMARK(BM_create_blank_profile);

void BM_activate_ssspsx_profile(benchmark::State& state) {
    BenchProgram program;
    fs::create_directories(program.path() / "Configurations" / "SSSPSX" / "emulator_configuration");
    fs::create_directories(program.path() / "emu");
    kv::model::create_blank_profile("SSSPSX", "Fast");
    const std::string emulator = (program.path() / "emu").string() + "/";
    for (auto _ : state) kv::model::activate_profile("SSSPSX", "Fast", emulator, nullptr);
}
BENCHMARK(BM_activate_ssspsx_profile);

}  // namespace

BENCHMARK_MAIN();
