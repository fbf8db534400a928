#include "platform/text_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <optional>
#include <random>
#include <string_view>
#include <utility>

#include "platform/folder.h"
#include "platform/runtime.h"

namespace kv::platform {

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

// Whether `path` is `folder` itself or lies below it, comparing whole components of both as written.
bool lies_in(const std::filesystem::path& path, const std::filesystem::path& folder) {
    std::filesystem::path base = folder.lexically_normal();
    if (!base.has_filename() && base.has_relative_path()) base = base.parent_path();  // a trailing "/"
    const std::filesystem::path relative = path.lexically_normal().lexically_relative(base);
    return !relative.empty() && *relative.begin() != "..";
}

// A file named under the program folder may land only inside it: a link that came with an archive or
// a download, the file's own or one of its folders', must not make a save replace a file of the user's
// elsewhere. The file counts as under the program folder by its name as given or by the real folder it
// stands in; where it lands (the link's target, or its name in that real folder) is compared after
// every link on the way is resolved.
void refuse_landing_out_of_program_folder(const std::filesystem::path& file,
                                          const std::optional<std::filesystem::path>& link_target) {
    std::error_code ec;
    const std::filesystem::path folder = program_folder();
    std::filesystem::path real_folder = std::filesystem::canonical(folder, ec);
    if (ec) real_folder = folder;
    const std::filesystem::path named = std::filesystem::absolute(file, ec).lexically_normal();
    if (ec) return;
    std::filesystem::path real_parent = std::filesystem::weakly_canonical(named.parent_path(), ec);
    if (ec) real_parent = named.parent_path();
    const bool under =
        lies_in(named, folder) || lies_in(named, real_folder) || lies_in(real_parent, real_folder);
    const std::filesystem::path landing = link_target ? *link_target : real_parent / named.filename();
    if (!under || lies_in(landing, real_folder)) return;
    if (link_target)
        throw Failure("cannot write " + file.string() + ": it is a link to " + landing.string() +
                      ", outside the program folder");
    throw Failure("cannot write " + file.string() + ": its folder leads to " + real_parent.string() +
                  ", outside the program folder");
}

// What a save replaces: the file itself, or the file a symbolic link (or a chain of them) leads to,
// so the link stays. A dangling link is left as it is and the save fails: writing a plain file in its
// place would cut the link the user made. Only a regular file (or none yet) may be replaced: a FIFO,
// a device or a folder under the name is not what the program wrote and is never touched. A file
// the user may not write (made read-only) is refused as opening it for writing would refuse it,
// though replacing it needs only the folder's permission.
std::filesystem::path replaced_file(const std::filesystem::path& file, Landing landing) {
    const bool program_file = landing == Landing::program_file;
    struct stat link_status {};
    if (::lstat(file.c_str(), &link_status) != 0) {
        const int error = errno;
        if (error != ENOENT) throw Failure("cannot write " + file.string() + ": " + error_text(error));
        if (program_file) refuse_landing_out_of_program_folder(file, std::nullopt);
        return file;
    }
    std::filesystem::path target = file;
    if (!S_ISLNK(link_status.st_mode)) {
        if (program_file) refuse_landing_out_of_program_folder(file, std::nullopt);
    } else {
        char* resolved = ::realpath(file.c_str(), nullptr);
        if (!resolved) {
            const int error = errno;
            if (error == ENOENT)
                throw Failure("cannot write " + file.string() + ": it is a link to a missing file");
            throw Failure("cannot write " + file.string() + ": " + error_text(error));
        }
        target = resolved;
        std::free(resolved);
        if (program_file) refuse_landing_out_of_program_folder(file, target);
    }
    struct stat status {};
    if (::stat(target.c_str(), &status) != 0)
        throw Failure("cannot write " + file.string() + ": " + error_text(errno));
    if (!S_ISREG(status.st_mode)) throw Failure("cannot write " + file.string() + ": not a regular file");
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        throw Failure("cannot write " + file.string() + ": " + error_text(errno));
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

// The file a temporary of ours is made for: NAME in ".NAME.<16 hexadecimal digits>.tmp", exactly as
// temporary_name makes it, or nothing for any other name.
std::optional<std::string_view> temporary_target(std::string_view name) {
    constexpr std::string_view ending = ".tmp";
    constexpr size_t digits = 16;
    if (name.size() < 2 + 1 + digits + ending.size() || name.front() != '.' || !name.ends_with(ending))
        return std::nullopt;
    const std::string_view hex = name.substr(name.size() - ending.size() - digits, digits);
    if (hex.find_first_not_of("0123456789abcdef") != std::string_view::npos) return std::nullopt;
    if (name[name.size() - ending.size() - digits - 1] != '.') return std::nullopt;
    return name.substr(1, name.size() - 2 - digits - ending.size());
}

bool same_file(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A write holds an exclusive flock on its temporary from creation to rename, and the kernel drops it
// when the writer ends, however it ends. So a temporary that can be locked belongs to no write under
// way: it was left by a write that was killed, and may go. A file system without flock leaves every
// temporary where it is.
bool remove_if_abandoned(const std::filesystem::path& path) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) return false;
    struct stat opened {};
    if (::fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode)) return false;
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return false;
    // Still the file that was opened: not renamed away meanwhile and another made under the name.
    struct stat named {};
    if (::lstat(path.c_str(), &named) != 0 || !same_file(opened, named)) return false;
    return ::unlink(path.c_str()) == 0;
}

int remove_abandoned_temporaries(const std::filesystem::path& folder,
                                 const std::function<bool(std::string_view target)>& is_wanted) {
    int removed = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const auto target = temporary_target(name);
        if (target && is_wanted(*target) && remove_if_abandoned(it->path())) ++removed;
    }
    return removed;
}

// Creates a fresh temporary for `target` in `folder`, locked as a write under way, and answers its
// descriptor and path.
std::pair<int, std::filesystem::path> create_temporary(const std::filesystem::path& folder,
                                                       const std::filesystem::path& target,
                                                       const std::filesystem::path& file) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path temporary = folder / temporary_name(target.filename().string(), random());
        FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.get() < 0) {
            if (errno == EEXIST) continue;
            throw Failure("cannot write " + file.string() + ": " + error_text(errno));
        }
        int locked;
        do locked = ::flock(fd.get(), LOCK_EX);
        while (locked != 0 && errno == EINTR);
        // A sweep may have taken the name between its making and its locking: then make another.
        struct stat opened {};
        struct stat named {};
        if (locked == 0 && (::fstat(fd.get(), &opened) != 0 || ::lstat(temporary.c_str(), &named) != 0 ||
                            !same_file(opened, named)))
            continue;
        return {fd.release(), std::move(temporary)};
    }
    throw Failure("cannot write " + file.string() + ": no free temporary name");
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

namespace {

std::string read_whole(const std::filesystem::path& file, size_t limit) {
    FileDescriptor fd(open_regular_file(file));
    // Read straight into the text, sized from the file with one byte to spare, so that the read that
    // finds the end needs no more room; a file that grows meanwhile is read on in steps.
    constexpr size_t step = 65536;
    struct stat info {};
    size_t room = step;
    if (::fstat(fd.get(), &info) == 0 && info.st_size >= 0) room = static_cast<size_t>(info.st_size) + 1;
    std::string bytes;
    size_t filled = 0;
    while (filled < limit) {
        if (filled == bytes.size()) bytes.resize(std::min(limit, bytes.empty() ? room : filled + step));
        ssize_t n = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw Failure("cannot read " + file.string() + ": " + error_text(errno));
        }
        if (n == 0) break;
        filled += static_cast<size_t>(n);
    }
    bytes.resize(filled);
    return bytes;
}

// A file larger than the memory there is fails as any unreadable file does; what was read is freed
// before the message is made.
[[noreturn]] void fail_for_memory(const std::filesystem::path& file) {
    throw Failure("cannot read " + file.string() + ": not enough memory to read it");
}

}  // namespace

std::string read_bytes(const std::filesystem::path& file, size_t limit) {
    try {
        return read_whole(file, limit);
    } catch (const std::bad_alloc&) {
        fail_for_memory(file);
    }
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
    try {
        return split_lines(read_whole(file, SIZE_MAX));
    } catch (const std::bad_alloc&) {
        fail_for_memory(file);
    }
}

void write_lines_atomically(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        // A name that came with a line break would become lines of its own, read as other settings.
        if (line.find_first_of("\r\n") != std::string::npos)
            throw Failure("cannot write " + file.string() + ": a value holds a line break");
        bytes += line;
        bytes += "\r\n";
    }
    write_bytes_atomically(file, bytes);
}

void write_bytes_atomically(const std::filesystem::path& file, const std::string& bytes, Landing landing) {
    const std::filesystem::path target = replaced_file(file, landing);
    if (target.filename().empty()) throw Failure("cannot write " + file.string() + ": not a file name");
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";

    // What earlier writes of this file left when they were killed goes before a new one is made.
    remove_stale_temporaries(folder, target.filename().string());

    // The temporary file must be in the target's folder so the rename stays on one file system.
    auto [raw_fd, temporary] = create_temporary(folder, target, file);
    FileDescriptor fd(raw_fd);
    TemporaryFile cleanup(temporary);

    // A replaced file keeps its permissions.
    struct stat old_status {};
    if (::stat(target.c_str(), &old_status) == 0 && S_ISREG(old_status.st_mode))
        ::fchmod(fd.get(), old_status.st_mode & 07777);

    write_all(fd.get(), bytes, file);
    if (::fsync(fd.get()) != 0) throw Failure("cannot write " + file.string() + ": " + error_text(errno));
    // Closing reports late write errors; a second descriptor keeps the temporary locked until renamed.
    FileDescriptor lock_holder(::dup(fd.get()));
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
    const auto target = temporary_target(name);
    return target && *target == file_name;
}

int remove_stale_temporaries(const std::filesystem::path& folder, const std::string& file_name) {
    return remove_abandoned_temporaries(folder, [&](std::string_view target) { return target == file_name; });
}

int remove_stale_temporaries_ignoring_case(const std::filesystem::path& folder,
                                           const std::string& file_name) {
    return remove_abandoned_temporaries(
        folder, [&](std::string_view target) { return equal_ignoring_case(std::string(target), file_name); });
}

int remove_stale_temporaries_of_kind(const std::filesystem::path& folder, std::string_view extension) {
    return remove_abandoned_temporaries(folder,
                                        [&](std::string_view target) { return target.ends_with(extension); });
}

}  // namespace kv::platform
