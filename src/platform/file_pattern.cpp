#include "platform/file_pattern.h"

#include <algorithm>

#include "platform/folder.h"

namespace kv::platform {

namespace {

constexpr const char* blanks = " \t\r\n";

char fold(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Wildcard matching with one step back to the last "*": linear in practice, never exponential.
bool matches(const std::string& name, const std::string& pattern) {
    std::size_t n = 0, p = 0;
    std::size_t star = std::string::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || fold(pattern[p]) == fold(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

std::vector<std::string> dialog_patterns(const std::string& patterns) {
    std::vector<std::string> out;
    std::size_t from = 0;
    while (from <= patterns.size()) {
        const std::size_t end = std::min(patterns.find(';', from), patterns.size());
        std::string p = patterns.substr(from, end - from);
        from = end + 1;
        const auto first = p.find_first_not_of(blanks);
        if (first == std::string::npos) continue;
        p = p.substr(first, p.find_last_not_of(blanks) - first + 1);
        if (equal_ignoring_case(p, "*.exe")) p = "*";
        if (std::none_of(out.begin(), out.end(),
                         [&](const std::string& q) { return equal_ignoring_case(p, q); }))
            out.push_back(p);
    }
    if (out.empty()) out.emplace_back("*");
    return out;
}

bool matches_dialog_filter(const std::string& file_name, const std::string& patterns) {
    const auto list = dialog_patterns(patterns);
    return std::any_of(list.begin(), list.end(), [&](const std::string& p) { return matches(file_name, p); });
}

}  // namespace kv::platform
