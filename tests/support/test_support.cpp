#include "support/test_support.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "forms/backend.h"
#include "headless/headless_backend.h"
#include "platform/folder.h"

namespace kvtest {

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

int exit_code_in_child(const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        int code = 1;
        try {
            code = body();
        } catch (...) {
        }
        _exit(code);
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

bool give_up_root() {
    return geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0);
}

ProgramFolderScope::ProgramFolderScope(const std::filesystem::path& folder)
    : before_(kv::platform::program_folder()) {
    kv::platform::set_program_folder(folder);
}

ProgramFolderScope::~ProgramFolderScope() {
    kv::platform::set_program_folder(before_);
}

bool limit_address_space(size_t more) {
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0;
    if (!(statm >> pages)) return false;
    const rlim_t limit = static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + more;
    const rlimit cap{limit, limit};
    return ::setrlimit(RLIMIT_AS, &cap) == 0;
}

void write_file(const std::filesystem::path& file, const std::string& bytes) {
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void put16(std::string& b, uint32_t v) {
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

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

std::string blue_jpeg() {
    static const char bytes[] =
        "\xff\xd8\xff\xe0\x00\x10\x4a\x46\x49\x46\x00\x01\x01\x01\x00\x64\x00\x64\x00\x00\xff\xdb\x00\x43"
        "\x00\x10\x0b\x0c\x0e\x0c\x0a\x10\x0e\x0d\x0e\x12\x11\x10\x13\x18\x28\x1a\x18\x16\x16\x18\x31\x23"
        "\x25\x1d\x28\x3a\x33\x3d\x3c\x39\x33\x38\x37\x40\x48\x5c\x4e\x40\x44\x57\x45\x37\x38\x50\x6d\x51"
        "\x57\x5f\x62\x67\x68\x67\x3e\x4d\x71\x79\x70\x64\x78\x5c\x65\x67\x63\xff\xdb\x00\x43\x01\x11\x12"
        "\x12\x18\x15\x18\x2f\x1a\x1a\x2f\x63\x42\x38\x42\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63"
        "\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63"
        "\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\xff\xc0\x00\x11\x08\x00\x08\x00\x08\x03"
        "\x01\x22\x00\x02\x11\x01\x03\x11\x01\xff\xc4\x00\x1f\x00\x00\x01\x05\x01\x01\x01\x01\x01\x01\x00"
        "\x00\x00\x00\x00\x00\x00\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\xff\xc4\x00\xb5\x10\x00"
        "\x02\x01\x03\x03\x02\x04\x03\x05\x05\x04\x04\x00\x00\x01\x7d\x01\x02\x03\x00\x04\x11\x05\x12\x21"
        "\x31\x41\x06\x13\x51\x61\x07\x22\x71\x14\x32\x81\x91\xa1\x08\x23\x42\xb1\xc1\x15\x52\xd1\xf0\x24"
        "\x33\x62\x72\x82\x09\x0a\x16\x17\x18\x19\x1a\x25\x26\x27\x28\x29\x2a\x34\x35\x36\x37\x38\x39\x3a"
        "\x43\x44\x45\x46\x47\x48\x49\x4a\x53\x54\x55\x56\x57\x58\x59\x5a\x63\x64\x65\x66\x67\x68\x69\x6a"
        "\x73\x74\x75\x76\x77\x78\x79\x7a\x83\x84\x85\x86\x87\x88\x89\x8a\x92\x93\x94\x95\x96\x97\x98\x99"
        "\x9a\xa2\xa3\xa4\xa5\xa6\xa7\xa8\xa9\xaa\xb2\xb3\xb4\xb5\xb6\xb7\xb8\xb9\xba\xc2\xc3\xc4\xc5\xc6"
        "\xc7\xc8\xc9\xca\xd2\xd3\xd4\xd5\xd6\xd7\xd8\xd9\xda\xe1\xe2\xe3\xe4\xe5\xe6\xe7\xe8\xe9\xea\xf1"
        "\xf2\xf3\xf4\xf5\xf6\xf7\xf8\xf9\xfa\xff\xc4\x00\x1f\x01\x00\x03\x01\x01\x01\x01\x01\x01\x01\x01"
        "\x01\x00\x00\x00\x00\x00\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\xff\xc4\x00\xb5\x11\x00"
        "\x02\x01\x02\x04\x04\x03\x04\x07\x05\x04\x04\x00\x01\x02\x77\x00\x01\x02\x03\x11\x04\x05\x21\x31"
        "\x06\x12\x41\x51\x07\x61\x71\x13\x22\x32\x81\x08\x14\x42\x91\xa1\xb1\xc1\x09\x23\x33\x52\xf0\x15"
        "\x62\x72\xd1\x0a\x16\x24\x34\xe1\x25\xf1\x17\x18\x19\x1a\x26\x27\x28\x29\x2a\x35\x36\x37\x38\x39"
        "\x3a\x43\x44\x45\x46\x47\x48\x49\x4a\x53\x54\x55\x56\x57\x58\x59\x5a\x63\x64\x65\x66\x67\x68\x69"
        "\x6a\x73\x74\x75\x76\x77\x78\x79\x7a\x82\x83\x84\x85\x86\x87\x88\x89\x8a\x92\x93\x94\x95\x96\x97"
        "\x98\x99\x9a\xa2\xa3\xa4\xa5\xa6\xa7\xa8\xa9\xaa\xb2\xb3\xb4\xb5\xb6\xb7\xb8\xb9\xba\xc2\xc3\xc4"
        "\xc5\xc6\xc7\xc8\xc9\xca\xd2\xd3\xd4\xd5\xd6\xd7\xd8\xd9\xda\xe2\xe3\xe4\xe5\xe6\xe7\xe8\xe9\xea"
        "\xf2\xf3\xf4\xf5\xf6\xf7\xf8\xf9\xfa\xff\xda\x00\x0c\x03\x01\x00\x02\x11\x03\x11\x00\x3f\x00\xe3"
        "\x68\xa2\x8a\xfb\xc3\x94\xff\xd9";
    return std::string(bytes, sizeof bytes - 1);
}

}  // namespace kvtest

namespace {

// The test program starts the windows, so it gives them a display: a headless one for every test that
// does not set its own, and again after one that unset its own, for windows torn down later.
class DefaultDisplay : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { kv::forms::set_backend(&display()); }
    void OnTestEnd(const ::testing::TestInfo&) override { kv::forms::set_backend(&display()); }

    static kv::headless::HeadlessBackend& display() {
        static kv::headless::HeadlessBackend d;
        return d;
    }
};

const bool default_display_installed = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new DefaultDisplay);
    return true;
}();

}  // namespace
