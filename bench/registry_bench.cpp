// Registry figures: single-value reads on a store of 10,000 values, and import and export of .reg
// files of 1 MB and 4 MB, in process and through korvalin-regedit, to see time grow with the file.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/registry_bridge.h"
#include "platform/folder.h"
#include "registry/regedit_command.h"
#include "registry/store.h"

namespace {

namespace reg = kv::registry;

// A folder for the bench's stores and files, with KORVALIN_REGISTRY pointing into it.
const std::filesystem::path& bench_folder() {
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "korvalin-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
        ::setenv("KORVALIN_REGISTRY", (std::filesystem::path(pattern) / "HKEY_CURRENT_USER.reg").c_str(), 1);
        // korvalin-regedit is built into the program folder beside bench/.
        kv::platform::set_program_folder(kv::platform::program_folder().parent_path() / "Korvalin");
        return std::filesystem::path(pattern);
    }();
    return folder;
}

struct RemoveBenchFolder {
    ~RemoveBenchFolder() {
        std::error_code ec;
        if (!bench_folder().empty()) std::filesystem::remove_all(bench_folder(), ec);
    }
} remove_bench_folder;

// A .reg file of about `bytes` bytes: keys of 50 values of every common kind.
std::string reg_text(size_t bytes, const std::string& root) {
    std::string text = "REGEDIT4\r\n\r\n";
    for (int key = 0; text.size() < bytes; ++key) {
        text += "[HKEY_CURRENT_USER\\Software\\" + root + "\\Key" + std::to_string(key) + "]\r\n";
        for (int v = 0; v < 50; ++v) {
            switch (v % 3) {
                case 0:
                    text += "\"Text" + std::to_string(v) + "\"=\"C:\\\\Games\\\\plugin" + std::to_string(v) +
                            ".dll\"\r\n";
                    break;
                case 1:
                    text +=
                        "\"Number" + std::to_string(v) + "\"=dword:0000" + std::to_string(1000 + v) + "\r\n";
                    break;
                default:
                    text += "\"Bytes" + std::to_string(v) + "\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b\r\n";
            }
        }
        text += "\r\n";
    }
    return text;
}

std::filesystem::path write_file(const std::string& name, const std::string& text) {
    auto file = bench_folder() / name;
    std::ofstream(file, std::ios::binary) << text;
    return file;
}

void store_of_10000_values() {
    std::filesystem::remove(reg::user_store_path());
    std::string text = "REGEDIT4\r\n\r\n";
    for (int key = 0; key < 100; ++key) {
        text += "[HKEY_CURRENT_USER\\Software\\Bench\\Key" + std::to_string(key) + "]\r\n";
        for (int v = 0; v < 100; ++v)
            text +=
                "\"Value" + std::to_string(v) + "\"=\"setting " + std::to_string(key * 100 + v) + "\"\r\n";
        text += "\r\n";
    }
    std::ostringstream ignored;
    reg::import_reg_file(reg::Store::for_user(), write_file("store10000.reg", text), ignored);
}

void BM_RegistryValueRead(benchmark::State& state) {
    bench_folder();
    store_of_10000_values();
    int i = 0;
    for (auto _ : state) {
        ++i;
        auto text = kv::model::registry_value(
            "HKCU\\Software\\Bench\\Key" + std::to_string(i % 100) + "\\Value" + std::to_string(i % 97),
            "NOinfo", 1);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_RegistryValueRead)->Unit(benchmark::kMicrosecond);

// The first read after another program changed the store parses the whole file again.
void BM_RegistryValueReadAfterChange(benchmark::State& state) {
    bench_folder();
    store_of_10000_values();
    const auto store = reg::user_store_path();
    for (auto _ : state) {
        state.PauseTiming();
        // A copy replaces the file, as another program's write would.
        std::filesystem::copy_file(store, bench_folder() / "copy.reg",
                                   std::filesystem::copy_options::overwrite_existing);
        std::filesystem::rename(bench_folder() / "copy.reg", store);
        state.ResumeTiming();
        auto text = kv::model::registry_value("HKCU\\Software\\Bench\\Key50\\Value50", "NOinfo", 1);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_RegistryValueReadAfterChange)->Unit(benchmark::kMicrosecond);

void BM_RegistryValueWrite(benchmark::State& state) {
    bench_folder();
    store_of_10000_values();
    int i = 0;
    for (auto _ : state)
        kv::model::registry_value("HKCU\\Software\\Bench\\Key7\\Value7", std::to_string(++i), 2);
}
BENCHMARK(BM_RegistryValueWrite)->Unit(benchmark::kMillisecond);

void BM_ImportInProcess(benchmark::State& state) {
    bench_folder();
    std::filesystem::remove(reg::user_store_path());
    const size_t megabytes = static_cast<size_t>(state.range(0));
    auto file = write_file("import.reg", reg_text(megabytes << 20, "Import"));
    std::ostringstream ignored;
    for (auto _ : state) reg::import_reg_file(reg::Store::for_user(), file, ignored);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * std::filesystem::file_size(file)));
}
BENCHMARK(BM_ImportInProcess)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_ExportInProcess(benchmark::State& state) {
    bench_folder();
    std::filesystem::remove(reg::user_store_path());
    const size_t megabytes = static_cast<size_t>(state.range(0));
    std::ostringstream ignored;
    reg::import_reg_file(reg::Store::for_user(),
                         write_file("source.reg", reg_text(megabytes << 20, "Export")), ignored);
    auto file = bench_folder() / "export.reg";
    for (auto _ : state) reg::export_reg_key(reg::Store::for_user(), file, "HKCU\\Software\\Export");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * std::filesystem::file_size(file)));
}
BENCHMARK(BM_ExportInProcess)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

// What a profile activation and an editor's Ok pay: the same through korvalin-regedit.
void BM_ImportThroughEditor(benchmark::State& state) {
    bench_folder();
    std::filesystem::remove(reg::user_store_path());
    auto file = write_file("import.reg", reg_text(static_cast<size_t>(state.range(0)) << 20, "Import"));
    for (auto _ : state)
        if (!kv::model::import_registry_file(file.string())) state.SkipWithError("import failed");
}
BENCHMARK(BM_ImportThroughEditor)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_ExportThroughEditor(benchmark::State& state) {
    bench_folder();
    std::filesystem::remove(reg::user_store_path());
    std::ostringstream ignored;
    reg::import_reg_file(
        reg::Store::for_user(),
        write_file("source.reg", reg_text(static_cast<size_t>(state.range(0)) << 20, "Export")), ignored);
    auto file = bench_folder() / "export.reg";
    for (auto _ : state)
        if (!kv::model::export_registry_key(file.string(), "HKCU\\Software\\Export"))
            state.SkipWithError("export failed");
}
BENCHMARK(BM_ExportThroughEditor)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
