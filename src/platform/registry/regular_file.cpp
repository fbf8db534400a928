#include "platform/registry/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/runtime.h"

namespace kv::registry {

std::optional<std::string> read_regular_file(const std::filesystem::path& file) {
    int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT) return std::nullopt;
        throw Failure("cannot open " + file.string() + ": " + std::strerror(errno));
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};

    struct stat info {};
    if (::fstat(fd, &info) != 0) throw Failure("cannot read " + file.string() + ": " + std::strerror(errno));
    if (!S_ISREG(info.st_mode)) throw Failure("cannot read " + file.string() + ": not a regular file");
    if (static_cast<unsigned long long>(info.st_size) > max_reg_file_size)
        throw Failure("cannot read " + file.string() + ": larger than " +
                      std::to_string(max_reg_file_size / (1024 * 1024)) + " MB");

    std::string bytes;
    bytes.reserve(static_cast<size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw Failure("cannot read " + file.string() + ": " + std::strerror(errno));
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
        if (bytes.size() > max_reg_file_size)
            throw Failure("cannot read " + file.string() + ": larger than " +
                          std::to_string(max_reg_file_size / (1024 * 1024)) + " MB");
    }
    return bytes;
}

}  // namespace kv::registry
