// Paints the Midnight skin into a folder:
//   korvalin-skin-painter FOLDER                  write the 43 bitmaps and preview.bmp
//   korvalin-skin-painter --check FOLDER          write them, then read every file back and check it
//   korvalin-skin-painter --check-settings FILE   check a skin settings file
// Exits with 1 when anything is wrong, 2 on a usage error.
#include <exception>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>
#include <string_view>

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
