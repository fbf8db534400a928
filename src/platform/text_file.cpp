#include "platform/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "platform/runtime.h"

namespace kv {

namespace {

std::string error_text(int error) {
    return std::strerror(error);
}

// Closes the descriptor when the scope ends unless released.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

// Removes the temporary file when the scope ends unless the rename took it over.
class TemporaryFile {
  public:
    explicit TemporaryFile(std::filesystem::path path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    void keep() { path_.clear(); }

  private:
    std::filesystem::path path_;
};

void write_all(int fd, const std::string& bytes, const std::filesystem::path& file) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw Failure("cannot write " + file.string() + ": " + error_text(errno));
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
}

// What a save replaces: the file itself, or the file a symbolic link (or a chain of them) leads to,
// so the link stays. A dangling link is left as it is and the save fails: writing a plain file in its
// place would cut the link the user made. Only a regular file (or none yet) may be replaced: a FIFO,
// a device or a folder under the name is not what the program wrote and is never touched.
std::filesystem::path replaced_file(const std::filesystem::path& file) {
    struct stat link_status {};
    if (::lstat(file.c_str(), &link_status) != 0) {
        if (errno == ENOENT) return file;
        throw Failure("cannot write " + file.string() + ": " + error_text(errno));
    }
    std::filesystem::path target = file;
    if (S_ISLNK(link_status.st_mode)) {
        char* resolved = ::realpath(file.c_str(), nullptr);
        if (!resolved) {
            const int error = errno;
            if (error == ENOENT)
                throw Failure("cannot write " + file.string() + ": it is a link to a missing file");
            throw Failure("cannot write " + file.string() + ": " + error_text(error));
        }
        target = resolved;
        std::free(resolved);
    }
    struct stat status {};
    if (::stat(target.c_str(), &status) != 0)
        throw Failure("cannot write " + file.string() + ": " + error_text(errno));
    if (!S_ISREG(status.st_mode)) throw Failure("cannot write " + file.string() + ": not a regular file");
    return target;
}

// The name of a fresh temporary file beside the target: "." + name + ".<16 hex digits>.tmp".
std::string temporary_name(const std::string& target_name, uint64_t random_part) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(random_part));
    std::string name;
    name.reserve(target_name.size() + 24);
    name.push_back('.');
    name.append(target_name);
    name.append(suffix);
    return name;
}

}  // namespace

int open_regular_file(const std::filesystem::path& file) {
    // Never blocks: opening a FIFO for reading would wait for a writer that may never come.
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) throw Failure("cannot open " + file.string() + ": " + error_text(errno));
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        throw Failure("cannot open " + file.string() + ": " + error_text(errno));
    if (!S_ISREG(info.st_mode)) throw Failure("cannot open " + file.string() + ": not a regular file");
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags >= 0) ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
    return fd.release();
}

std::string read_bytes(const std::filesystem::path& file, size_t limit) {
    FileDescriptor fd(open_regular_file(file));
    std::string bytes;
    // Sized from the file first, so a large catalogue is read without repeated growing.
    struct stat info {};
    if (::fstat(fd.get(), &info) == 0 && info.st_size > 0)
        bytes.reserve(std::min(static_cast<size_t>(info.st_size), limit));
    char buffer[65536];
    while (bytes.size() < limit) {
        ssize_t n = ::read(fd.get(), buffer, std::min(sizeof buffer, limit - bytes.size()));
        if (n < 0) {
            if (errno == EINTR) continue;
            throw Failure("cannot read " + file.string() + ": " + error_text(errno));
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    return bytes;
}

std::vector<std::string> split_lines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < bytes.size()) {
        char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(bytes.substr(start, i - start));
            i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

std::vector<std::string> read_lines(const std::filesystem::path& file) {
    return split_lines(read_bytes(file));
}

void write_lines_atomically(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    write_bytes_atomically(file, bytes);
}

void write_bytes_atomically(const std::filesystem::path& file, const std::string& bytes) {
    const std::filesystem::path target = replaced_file(file);
    if (target.filename().empty()) throw Failure("cannot write " + file.string() + ": not a file name");
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";

    // The temporary file must be in the target's folder so the rename stays on one file system.
    std::random_device seed;
    std::mt19937_64 random(seed());
    std::filesystem::path temporary;
    int raw_fd = -1;
    for (int attempt = 0; attempt < 100 && raw_fd < 0; ++attempt) {
        temporary = folder / temporary_name(target.filename().string(), random());
        raw_fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (raw_fd < 0 && errno != EEXIST)
            throw Failure("cannot write " + file.string() + ": " + error_text(errno));
    }
    if (raw_fd < 0) throw Failure("cannot write " + file.string() + ": no free temporary name");

    FileDescriptor fd(raw_fd);
    TemporaryFile cleanup(temporary);

    // A replaced file keeps its permissions.
    struct stat old_status {};
    if (::stat(target.c_str(), &old_status) == 0 && S_ISREG(old_status.st_mode))
        ::fchmod(fd.get(), old_status.st_mode & 07777);

    write_all(fd.get(), bytes, file);
    if (::fsync(fd.get()) != 0) throw Failure("cannot write " + file.string() + ": " + error_text(errno));
    if (::close(fd.release()) != 0) throw Failure("cannot write " + file.string() + ": " + error_text(errno));
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        throw Failure("cannot replace " + file.string() + ": " + error_text(errno));
    cleanup.keep();

    // Make the rename itself durable; the new contents are already in place if this fails.
    int folder_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder_fd >= 0) {
        ::fsync(folder_fd);
        ::close(folder_fd);
    }
}

bool is_temporary_name(const std::string& name, const std::string& file_name) {
    const std::string prefix = "." + file_name + ".";
    // Exactly the names write_bytes_atomically makes: sixteen hexadecimal digits and ".tmp".
    if (name.size() != prefix.size() + 16 + 4 || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - 4, 4, ".tmp") != 0)
        return false;
    return name.substr(prefix.size(), 16).find_first_not_of("0123456789abcdef") == std::string::npos;
}

int remove_stale_temporaries(const std::filesystem::path& folder, const std::string& file_name) {
    int removed = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!is_temporary_name(it->path().filename().string(), file_name)) continue;
        struct stat status {};
        if (::lstat(it->path().c_str(), &status) != 0 || !S_ISREG(status.st_mode)) continue;
        if (::unlink(it->path().c_str()) == 0) ++removed;
    }
    return removed;
}

}  // namespace kv
