#include "layers/namespace_rules.h"

#include <algorithm>
#include <regex>
#include <sstream>

#include "support/test_support.h"

namespace kvtest::layers {

namespace {

// A line a block that only names things ahead of use may hold.
bool declares_ahead(const std::string& line) {
    static const std::regex ahead(R"(^\s*((class|struct)\s+\w+;|namespace\s+\w+\s*\{|\}.*)?\s*(//.*)?$)");
    return std::regex_match(line, ahead);
}

// A window: a class made from a form ("class Main_form : public toolkit::FramedForm {").
bool declares_window(const std::string& line) {
    static const std::regex window(
        R"(^class\s+\w+\s*(final\s*)?:\s*public\s+[\w:]*(Form|Window|Dialog)\s*\{)");
    return std::regex_search(line, window);
}

}  // namespace

std::vector<std::string> check_namespaces(const std::filesystem::path& file, std::string_view text) {
    static const std::regex opening(R"(^namespace\s+([\w:]+)\s*\{)");
    const std::string folder = file.empty() ? std::string() : file.begin()->string();
    const std::string own = "kv::" + folder;
    std::vector<std::string> found;
    std::istringstream lines{std::string(text)};
    std::string line;
    std::string block;  // the namespace of the block being read, empty outside one
    bool only_ahead = true, window = false;
    auto close = [&] {
        if (block == own || only_ahead) return;
        if (block == "kv" && window) return;
        found.push_back(file.generic_string() + ": namespace " + block + " in " + folder + "/ (" +
                        (block == "kv" ? "only windows are in kv" : "use " + own) + ")");
    };
    while (std::getline(lines, line)) {
        std::smatch m;
        if (block.empty()) {
            if (std::regex_search(line, m, opening) && m[1] != "std") {
                block = m[1];
                only_ahead = true;
                window = false;
            }
            continue;
        }
        if (line.starts_with("}  // namespace " + block)) {
            close();
            block.clear();
            continue;
        }
        window = window || declares_window(line);
        only_ahead = only_ahead && declares_ahead(line);
    }
    return found;
}

std::vector<std::string> check_namespace_tree(const std::filesystem::path& src) {
    std::vector<std::filesystem::path> headers;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(src)) {
        const auto relative = entry.path().lexically_relative(src);
        if (entry.is_regular_file() && entry.path().extension() == ".h" &&
            relative.begin()->string() != "third_party")
            headers.push_back(relative);
    }
    std::sort(headers.begin(), headers.end());
    std::vector<std::string> found;
    for (const auto& h : headers)
        for (std::string& f : check_namespaces(h, read_file(src / h))) found.push_back(std::move(f));
    return found;
}

}  // namespace kvtest::layers
