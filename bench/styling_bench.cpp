// Applying a language file and a font to every window, as the browsers' Ok and the start-up do, and
// listing a Languages folder of many files. Each runs on the one user-interface thread, so a user
// waits for all of it.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/program.h"
#include "bench_display.h"
#include "fonts_languages/font_browser.h"
#include "fonts_languages/language_browser.h"
#include "platform/folder.h"
#include "support/temp_folder.h"
#include "toolkit/windows.h"

namespace {

class BenchProgram {
  public:
    BenchProgram() {
        kv::platform::set_program_folder(folder_.path());
        std::filesystem::create_directories(folder_ / "Languages");
        std::ofstream out(folder_ / "Languages" / "Bench.ini", std::ios::binary);
        for (int n = 1; n <= 112; ++n) out << "Key" << n << " = Text of line " << n << "\r\n";
    }
    const std::filesystem::path& path() const { return folder_.path(); }

  private:
    kvtest::TempFolder folder_;
    kvbench::BenchDisplay display_;
};

void BM_ChangeLanguage(benchmark::State& state) {
    BenchProgram program;
    kv::app::start_program();
    auto& browser = kv::toolkit::form<kv::language_browser>();
    for (auto _ : state) browser.change_language("Bench");
}
BENCHMARK(BM_ChangeLanguage)->Unit(benchmark::kMicrosecond);

void BM_ChangeFont(benchmark::State& state) {
    BenchProgram program;
    kv::app::start_program();
    auto& browser = kv::toolkit::form<kv::font_browser>();
    bool bold = false;
    for (auto _ : state) {
        browser.change_font("DejaVu Sans", "10", bold, false);
        bold = !bold;
    }
}
BENCHMARK(BM_ChangeFont)->Unit(benchmark::kMicrosecond);

void BM_ListLanguages(benchmark::State& state) {
    BenchProgram program;
    for (int64_t n = 0; n < state.range(0); ++n)
        std::ofstream(program.path() / "Languages" / ("Language" + std::to_string(n) + ".ini"))
            << "Name = x\r\n";
    kv::app::start_program();
    auto& browser = kv::toolkit::form<kv::language_browser>();
    for (auto _ : state) browser.load_language_list();
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ListLanguages)->Range(10, 10000)->Complexity()->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
