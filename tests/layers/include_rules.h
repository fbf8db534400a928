#pragma once
// The layers of src/ as a table, and a reader of every #include under src/ that finds the ones the
// table does not allow. docs/architecture.md shows the same table.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kvtest::layers {

// Whether code in folder `from` (first level under src/) may include a header of folder `to`.
// A folder the table does not know may include nothing and be included by nothing.
bool may_include(std::string_view from, std::string_view to);

struct Violation {
    std::filesystem::path file;  // relative to src/
    int line = 0;
    std::string include;  // as written between the quotes or angle brackets
    std::string why;
};

// "launcher/main_form.cpp:12: #include "app/program.h": launcher may not include app"
std::string describe(const Violation& v);

// The violations of one file's lines. `file` is relative to src/ ("skins/skin_browser.cpp").
std::vector<Violation> check_text(const std::filesystem::path& file, std::string_view text);

// Every .h, .cpp and .c file under `src` but third_party/, in path order.
std::vector<Violation> check_tree(const std::filesystem::path& src);

}  // namespace kvtest::layers
