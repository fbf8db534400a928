#include "platform/instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/runtime.h"

namespace kv {

InstanceLock::InstanceLock(const std::filesystem::path& program_folder) {
    const auto file = program_folder / ".korvalin.lock";
    // Close-on-exec, so programs started from here do not keep holding the lock after we end.
    int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0 && (errno == EACCES || errno == EROFS)) fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw Failure("cannot open the lock file " + file.string() + ": " + std::strerror(errno));
    // flock belongs to this open file: the kernel drops it when the holder ends, however it ends.
    int rc;
    do rc = ::flock(fd, LOCK_EX | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) return;
        throw Failure("cannot lock " + file.string() + ": " + std::strerror(error));
    }
    fd_ = fd;
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace kv
