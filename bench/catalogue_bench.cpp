// Loading and saving the catalogue, alone and through the whole program's start-up and close, for
// catalogues of 1,000 to 100,000 emulators. The time should grow linearly with the count.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/program.h"
#include "bench_display.h"
#include "forms/backend.h"
#include "launcher/main_form.h"
#include "model/catalogue.h"
#include "platform/folder.h"
#include "support/temp_folder.h"
#include "toolkit/windows.h"

namespace {

// Each emulator has its record in one of the ten sections, a two-line about text and a switch record.
kv::model::Catalogue make_catalogue(int64_t emulators) {
    kv::model::Catalogue c;
    for (int64_t i = 0; i < emulators; ++i) {
        const std::string name = "Emulator " + std::to_string(i);
        c.section(static_cast<std::size_t>(i) % kv::model::section_count)
            .push_back(name + "|/home/user/Emulators/" + name + "/|emulator");
        c.about_list.push_back(name +
                               "|Emulates a console of the nineties.\r\nSecond line of its about text.");
        c.switches_list.push_back(name + "|-fullscreen|-nogui|||");
    }
    return c;
}

void BM_LoadCatalogue(benchmark::State& state) {
    kvtest::TempFolder folder;
    const auto file = folder.path() / "Data.kvl";
    kv::model::save_catalogue(file, make_catalogue(state.range(0)));
    for (auto _ : state) {
        kv::model::Catalogue c;
        kv::model::load_catalogue(file, c);
        benchmark::DoNotOptimize(c.PSX_emu.data());
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SaveCatalogue(benchmark::State& state) {
    kvtest::TempFolder folder;
    const auto file = folder.path() / "Data.kvl";
    const kv::model::Catalogue c = make_catalogue(state.range(0));
    for (auto _ : state) kv::model::save_catalogue(file, c);
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The program's start-up (every window, the catalogue, the PSX list shown) and its close.
void BM_StartAndCloseProgram(benchmark::State& state) {
    kvtest::TempFolder folder;
    kv::model::save_catalogue(folder.path() / "Data.kvl", make_catalogue(state.range(0)));
    kvbench::BenchDisplay display;
    kv::platform::set_program_folder(folder.path());
    for (auto _ : state) {
        kv::app::start_program();
        try {
            kv::toolkit::form<kv::Main_form>().X_image_Click();
        } catch (const kv::forms::ProgramEnded&) {
        }
        kv::toolkit::reset_forms();
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_LoadCatalogue)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveCatalogue)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartAndCloseProgram)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
