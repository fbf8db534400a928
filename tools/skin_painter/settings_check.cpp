#include "settings_check.h"

#include <cctype>
#include <fstream>
#include <iterator>
#include <string_view>

namespace kv::painter {

namespace {

constexpr size_t kLines = 40;
constexpr std::string_view kSeparator = " = ";

bool all_of(std::string_view text, int (*test)(int)) {
    if (text.empty()) return false;
    for (char c : text)
        if (!test(static_cast<unsigned char>(c))) return false;
    return true;
}

// A colour the launcher reads as it is meant: decimal, or &H with more than four digits (four or
// fewer would be read as a 16-bit number, so &HFFFF is -1, not yellow-white).
bool is_colour(std::string_view value) {
    if (value.starts_with("&H")) {
        std::string_view digits = value.substr(2);
        if (digits.size() < 5 || digits.size() > 8 || !all_of(digits, isxdigit)) return false;
        return std::stoul(std::string(digits), nullptr, 16) <= 0xFFFFFFu;
    }
    return all_of(value, isdigit) && value.size() <= 8 && std::stoul(std::string(value)) <= 0xFFFFFFu;
}

bool is_whole(std::string_view value) {
    return all_of(value, isdigit) && value.size() <= 9;
}

}  // namespace

std::vector<std::string> check_skin_settings(const std::filesystem::path& path) {
    std::vector<std::string> faults;
    std::ifstream file(path, std::ios::binary);
    if (!file) return {"cannot read " + path.string()};
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};

    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            faults.push_back("the last line does not end in CR LF");
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (line.find_first_of("\r\n") != std::string::npos)
            faults.push_back("line " + std::to_string(lines.size() + 1) + " has a lone CR or LF");
        lines.push_back(line);
        start = end + 2;
    }
    if (lines.size() != kLines) {
        faults.push_back("expected " + std::to_string(kLines) + " lines, found " +
                         std::to_string(lines.size()));
        return faults;
    }

    auto value_of = [&](size_t number) -> std::string_view {
        std::string_view line = lines[number - 1];
        size_t at = line.find(kSeparator);
        if (at == std::string_view::npos) return {};
        std::string_view rest = line.substr(at + kSeparator.size());
        return rest.substr(0, rest.find(kSeparator));
    };
    auto fault = [&](size_t number, const std::string& what) {
        faults.push_back("line " + std::to_string(number) + ": " + what + " (\"" + lines[number - 1] + "\")");
    };

    // The browser reads the author as a comma-delimited field: a comma would cut it short.
    if (lines[0].find(',') != std::string::npos) fault(1, "the author line must not hold a comma");
    for (size_t number : {1u, 2u})
        if (value_of(number).empty()) fault(number, "needs \"key = value\" with a value");
    for (size_t number = 6; number <= 25; ++number)
        if (!is_colour(value_of(number))) fault(number, "needs a colour from 0 to &H00FFFFFF");
    for (size_t number = 29; number <= 31; ++number) {
        std::string_view box = value_of(number);
        int fields = 0;
        size_t from = 0;
        while (true) {
            size_t bar = box.find('|', from);
            if (!is_whole(box.substr(from, bar == std::string_view::npos ? bar : bar - from))) break;
            ++fields;
            if (bar == std::string_view::npos) break;
            from = bar + 1;
        }
        if (fields != 4) fault(number, "needs left|top|height|width in whole twips");
    }
    if (!is_whole(value_of(35))) fault(35, "needs a whole corner size");
    if (!is_whole(value_of(36))) fault(36, "needs a whole divisor");
    std::string_view alignment = value_of(40);
    if (alignment != "0" && alignment != "1" && alignment != "2") fault(40, "needs 0, 1 or 2");
    return faults;
}

}  // namespace kv::painter
