#pragma once
// The namespace rule: a window is in kv, as Qt programs keep their widgets; everything else in
// kv::<folder>. A header may also declare names of another namespace ahead of use.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kvtest::layers {

// What breaks the rule in one header, "file: why" each. `file` is relative to src/.
std::vector<std::string> check_namespaces(const std::filesystem::path& file, std::string_view text);

// Every header under `src` but third_party/, in path order.
std::vector<std::string> check_namespace_tree(const std::filesystem::path& src);

}  // namespace kvtest::layers
