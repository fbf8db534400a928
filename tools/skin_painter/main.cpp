// Paints the Midnight skin into a folder:
//   korvalin-skin-painter FOLDER                  write the 43 bitmaps and preview.bmp
//   korvalin-skin-painter --check FOLDER          write them, then read every file back and check it
//   korvalin-skin-painter --check-settings FILE   check a skin settings file
//   korvalin-skin-painter --embed FILE.cpp        write the 43 bitmaps as C++ source the program
//                                                 builds in: the windows' design pictures
// Exits with 1 when anything is wrong, 2 on a usage error.
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "bmp.h"
#include "settings_check.h"
#include "skin_pictures.h"

namespace fs = std::filesystem;
using kv::painter::Canvas;
using kv::painter::skin_pictures;

namespace {

constexpr size_t kSkinBitmaps = 43;

// Paints and writes every picture. A picture whose size differs from the table is not written.
int paint_all(const fs::path& folder) {
    int faults = 0;
    fs::create_directories(folder);
    for (const auto& picture : skin_pictures()) {
        const Canvas canvas = picture.paint();
        if (canvas.width() != picture.width || canvas.height() != picture.height) {
            std::cerr << picture.file << ": painted " << canvas.width() << "x" << canvas.height()
                      << ", expected " << picture.width << "x" << picture.height << "\n";
            ++faults;
            continue;
        }
        kv::painter::write_bmp(folder / picture.file, canvas);
    }
    return faults;
}

int check(const fs::path& folder) {
    int faults = paint_all(folder);

    std::set<std::string_view> names;
    for (const auto& picture : skin_pictures()) names.insert(picture.file);
    if (names.size() != skin_pictures().size() || names.size() != kSkinBitmaps + 1 ||
        !names.contains("preview.bmp")) {
        std::cerr << "the table must name the " << kSkinBitmaps
                  << " skin bitmaps and preview.bmp once each\n";
        ++faults;
    }

    for (const auto& picture : skin_pictures()) {
        std::string problem;
        const auto size = kv::painter::read_bmp_size(folder / picture.file, problem);
        if (!size) {
            std::cerr << picture.file << ": " << problem << "\n";
            ++faults;
        } else if (size->width != picture.width || size->height != picture.height) {
            std::cerr << picture.file << ": file is " << size->width << "x" << size->height << ", expected "
                      << picture.width << "x" << picture.height << "\n";
            ++faults;
        }
        // The build's output must not depend on anything but this program.
        if (!(picture.paint() == picture.paint())) {
            std::cerr << picture.file << ": two paintings differ\n";
            ++faults;
        }
    }
    return faults;
}

// The pictures as arrays of 0xRRGGBB pixels, row by row from the top, behind design_pictures().
int embed(const fs::path& file) {
    std::ostringstream out;
    out << "// Made by korvalin-skin-painter --embed: the Midnight skin's pictures, built into the program.\n"
           "#include \"skins/design_pictures.h\"\n\nnamespace kv::skins {\n\nnamespace {\n\n";
    std::vector<const kv::painter::SkinPicture*> embedded;
    for (const auto& picture : skin_pictures()) {
        if (picture.file == "preview.bmp") continue;
        const Canvas canvas = picture.paint();
        out << "constexpr uint32_t pixels" << embedded.size() << "[] = {";
        for (int y = 0; y < canvas.height(); ++y) {
            out << "\n";
            for (int x = 0; x < canvas.width(); ++x) {
                const kv::painter::Rgb c = canvas.pixel(x, y);
                out << "0x" << std::hex << ((uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b) << std::dec
                    << ",";
            }
        }
        out << "\n};\n\n";
        embedded.push_back(&picture);
    }
    out << "constexpr DesignPicture all[] = {\n";
    for (size_t i = 0; i < embedded.size(); ++i)
        out << "    {\"" << embedded[i]->file << "\", " << embedded[i]->width << ", " << embedded[i]->height
            << ", pixels" << i << "},\n";
    out << "};\n\n}  // namespace\n\nstd::span<const DesignPicture> design_pictures() {\n    return "
           "all;\n}\n\n"
           "}  // namespace kv::skins\n";
    if (embedded.size() != kSkinBitmaps) {
        std::cerr << "expected " << kSkinBitmaps << " skin bitmaps, painted " << embedded.size() << "\n";
        return 1;
    }
    // Written whole or not at all, so that a failed build never leaves half a source file.
    const fs::path partial = file.string() + ".partial";
    fs::create_directories(file.parent_path());
    {
        std::ofstream stream(partial, std::ios::binary);
        stream << out.str();
        if (!stream.flush()) {
            std::cerr << partial.string() << ": cannot write\n";
            return 1;
        }
    }
    fs::rename(partial, file);
    return 0;
}

int check_settings(const fs::path& file) {
    const auto faults = kv::painter::check_skin_settings(file);
    for (const auto& fault : faults) std::cerr << file.string() << ": " << fault << "\n";
    return static_cast<int>(faults.size());
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const std::string_view first = argc > 1 ? argv[1] : "";
        int faults = 0;
        if (argc == 2 && !first.starts_with("--")) {
            faults = paint_all(argv[1]);
        } else if (argc == 3 && first == "--check") {
            faults = check(argv[2]);
        } else if (argc == 3 && first == "--embed") {
            faults = embed(argv[2]);
        } else if (argc == 3 && first == "--check-settings") {
            faults = check_settings(argv[2]);
        } else {
            std::cerr << "usage: korvalin-skin-painter [--check] FOLDER | --check-settings FILE\n";
            return 2;
        }
        return faults == 0 ? 0 : 1;
    } catch (const std::exception& error) {
        std::cerr << "korvalin-skin-painter: " << error.what() << "\n";
        return 1;
    }
}
