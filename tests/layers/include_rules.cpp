#include "layers/include_rules.h"

#include <algorithm>
#include <array>
#include <regex>
#include <sstream>

#include "support/test_support.h"

namespace kvtest::layers {

namespace {

struct Layer {
    std::string_view folder;
    std::vector<std::string_view> may_include;  // besides itself
};

// Dependencies point down only: programs → app → launcher → {configs → plugins, fonts_languages →
// skins} → toolkit → model → {registry, plugin_client} → platform, and toolkit → forms → platform.
// The displays stand on the window model: headless for the script driver, qt for the Qt program.
const std::array<Layer, 15>& layers() {
    static const std::array<Layer, 15> table{{
        {"platform", {}},
        {"registry", {"platform"}},
        {"plugin_client", {"platform"}},
        {"forms", {"platform"}},
        {"headless", {"forms", "platform"}},
        {"qt", {"forms", "platform"}},
        {"model", {"registry", "plugin_client", "platform"}},
        {"toolkit", {"model", "forms", "registry", "plugin_client", "platform"}},
        {"skins", {"toolkit", "model", "forms", "registry", "plugin_client", "platform"}},
        {"fonts_languages", {"skins", "toolkit", "model", "forms", "registry", "plugin_client", "platform"}},
        {"plugins", {"toolkit", "model", "forms", "registry", "plugin_client", "platform"}},
        {"configs", {"plugins", "toolkit", "model", "forms", "registry", "plugin_client", "platform"}},
        {"launcher",
         {"configs", "plugins", "fonts_languages", "skins", "toolkit", "model", "forms", "registry",
          "plugin_client", "platform"}},
        {"app",
         {"launcher", "configs", "plugins", "fonts_languages", "skins", "toolkit", "model", "headless",
          "forms", "registry", "plugin_client", "platform"}},
        {"programs",
         {"app", "launcher", "configs", "plugins", "fonts_languages", "skins", "toolkit", "model", "headless",
          "qt", "forms", "registry", "plugin_client", "platform"}},
    }};
    return table;
}

const Layer* layer(std::string_view folder) {
    for (const Layer& l : layers())
        if (l.folder == folder) return &l;
    return nullptr;
}

std::string first_part(const std::filesystem::path& p) {
    return p.empty() ? std::string() : p.begin()->string();
}

// Only the Qt display and the Qt program's main see Qt.
bool sees_qt(const std::filesystem::path& file) {
    const std::string f = file.generic_string();
    return f.starts_with("qt/") || f == "programs/korvalin.cpp";
}

}  // namespace

bool may_include(std::string_view from, std::string_view to) {
    const Layer* l = layer(from);
    if (!l || !layer(to)) return false;
    return from == to || std::find(l->may_include.begin(), l->may_include.end(), to) != l->may_include.end();
}

std::string describe(const Violation& v) {
    return v.file.generic_string() + ":" + std::to_string(v.line) + ": #include " + v.include + ": " + v.why;
}

std::vector<Violation> check_text(const std::filesystem::path& file, std::string_view text) {
    static const std::regex directive(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    const std::string from = first_part(file);
    std::vector<Violation> found;
    std::istringstream lines{std::string(text)};
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        std::smatch m;
        if (!std::regex_search(line, m, directive)) continue;
        const bool quoted = m[1] == "\"";
        const std::string target = m[2];
        const std::string written = quoted ? "\"" + target + "\"" : "<" + target + ">";
        auto add = [&](std::string why) { found.push_back({file, number, written, std::move(why)}); };
        if (!quoted) {
            if (target.starts_with("Q") && !sees_qt(file))
                add("only qt and programs/korvalin.cpp include Qt");
            continue;
        }
        // A header beside the file ("stb_image.h") names no folder.
        if (target.find('/') == std::string::npos) continue;
        const std::string to = first_part(target);
        if (!layer(from)) {
            add(from + " is no layer: add the folder to the layers");
        } else if (!layer(to)) {
            add(to + " is no layer of src/");
        } else if (!may_include(from, to)) {
            add(from + " may not include " + to);
        } else if (to == "qt" && !sees_qt(file)) {
            add("only qt and programs/korvalin.cpp include the Qt display");
        }
    }
    return found;
}

std::vector<Violation> check_tree(const std::filesystem::path& src) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file()) continue;
        const auto relative = entry.path().lexically_relative(src);
        if (first_part(relative) == "third_party") continue;
        const auto ext = entry.path().extension();
        if (ext == ".h" || ext == ".cpp" || ext == ".c") files.push_back(relative);
    }
    std::sort(files.begin(), files.end());
    std::vector<Violation> found;
    for (const auto& file : files) {
        for (Violation& v : check_text(file, read_file(src / file))) found.push_back(std::move(v));
    }
    return found;
}

}  // namespace kvtest::layers
