#include "platform/instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/runtime.h"

namespace kv::platform {

namespace {

bool refused_write(int error) {
    return error == EACCES || error == EROFS || error == EPERM;
}

// Opens the lock file of the folder itself: made when missing, or opened for reading where the
// folder is read-only but the file is there. Answers -1 with errno when neither works; errno is
// then a refused write when the file could not be made for lack of rights.
int open_folder_lock(const std::filesystem::path& file) {
    // Close-on-exec, so programs started from here do not keep holding the lock after we end.
    int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
    if (fd >= 0 || !refused_write(errno)) return fd;
    const int error = errno;
    fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0 && errno == ENOENT) errno = error;
    return fd;
}

std::filesystem::path runtime_folder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code ec;
    if (runtime && *runtime == '/' && std::filesystem::is_directory(runtime, ec)) return runtime;
    const auto temporary = std::filesystem::temp_directory_path(ec);
    return ec ? std::filesystem::path("/tmp") : temporary;
}

}  // namespace

std::filesystem::path fallback_lock_file(const std::filesystem::path& program_folder) {
    std::error_code ec;
    auto folder = std::filesystem::weakly_canonical(std::filesystem::absolute(program_folder, ec), ec);
    if (ec) folder = program_folder;
    // A 64-bit FNV-1a digest of the path keeps the name short whatever the path's length.
    uint64_t digest = 14695981039346656037ull;
    for (unsigned char c : folder.string()) digest = (digest ^ c) * 1099511628211ull;
    char name[48];
    std::snprintf(name, sizeof name, "korvalin-%016llx.lock", static_cast<unsigned long long>(digest));
    return runtime_folder() / name;
}

InstanceLock::InstanceLock(const std::filesystem::path& program_folder) {
    std::error_code ec;
    if (!std::filesystem::is_directory(program_folder, ec))
        throw Failure("cannot lock " + program_folder.string() + ": not a folder");
    lock_file_ = program_folder / ".korvalin.lock";
    int fd = open_folder_lock(lock_file_);
    if (fd < 0 && refused_write(errno)) {
        lock_file_ = fallback_lock_file(program_folder);
        // Private to the user: another user's file of that name is not opened.
        fd = ::open(lock_file_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    }
    if (fd < 0)
        throw Failure("cannot open the lock file " + lock_file_.string() + ": " + std::strerror(errno));
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        throw Failure("cannot lock " + lock_file_.string() + ": not a regular file");
    }
    // flock belongs to this open file: the kernel drops it when the holder ends, however it ends.
    int rc;
    do rc = ::flock(fd, LOCK_EX | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) return;
        throw Failure("cannot lock " + lock_file_.string() + ": " + std::strerror(error));
    }
    fd_ = fd;
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace kv::platform
