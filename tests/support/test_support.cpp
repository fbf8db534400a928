#include "support/test_support.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kvtest {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvalin-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    // Read-only folders made by a test must not keep their contents alive.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ec);
    for (auto& e : std::filesystem::recursive_directory_iterator(path_, ec))
        std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

namespace {

// No test may reach the user's own registry store: each test program gets one of its own in a
// temporary folder, removed when the program ends. Started programs inherit it.
struct PrivateRegistryStore {
    PrivateRegistryStore() {
        ::setenv("KORVALIN_REGISTRY", (folder.path() / "HKEY_CURRENT_USER.reg").c_str(), 1);
    }
    TempFolder folder;
};
const PrivateRegistryStore private_registry_store;

}  // namespace

void write_file(const std::filesystem::path& file, const std::string& bytes) {
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

namespace {
void put16(std::string& b, uint32_t v) {
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
}  // namespace

std::string bmp(int width, int height, const std::vector<uint32_t>& pixels) {
    const int rows = height < 0 ? -height : height;
    const int row_bytes = (width * 3 + 3) / 4 * 4;
    std::string b = "BM";
    put32(b, 54 + row_bytes * rows);
    put32(b, 0);
    put32(b, 54);  // pixel data offset
    put32(b, 40);  // header size
    put32(b, static_cast<uint32_t>(width));
    put32(b, static_cast<uint32_t>(height));
    put16(b, 1);
    put16(b, 24);
    put32(b, 0);  // no compression
    put32(b, row_bytes * rows);
    for (int i = 0; i < 4; ++i) put32(b, 0);
    for (int r = 0; r < rows; ++r) {
        const int y = height < 0 ? r : rows - 1 - r;
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels.empty() ? 0 : pixels[static_cast<size_t>(y * width + x)];
            b += static_cast<char>(p & 0xFF);
            b += static_cast<char>((p >> 8) & 0xFF);
            b += static_cast<char>((p >> 16) & 0xFF);
        }
        b.append(static_cast<size_t>(row_bytes - width * 3), '\0');
    }
    return b;
}

std::string read_file(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace kvtest
