#pragma once
// One running instance per program folder: a lock file held for the life of the process.
#include <filesystem>

namespace kv::platform {

class InstanceLock {
  public:
    // Tries to take the lock of the folder. A lock left by a process that died does not block. The
    // lock file is ".korvalin.lock" in the folder; where it cannot be made there (a read-only folder)
    // it is a file named after the folder's path in $XDG_RUNTIME_DIR, else in the temporary folder.
    // Fails (kv::Failure) when no lock file can be made or opened anywhere.
    explicit InstanceLock(const std::filesystem::path& program_folder);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // False when another living instance holds the folder.
    bool acquired() const { return fd_ >= 0; }
    // The file locked (or found held by another instance).
    const std::filesystem::path& lock_file() const { return lock_file_; }

  private:
    int fd_ = -1;
    std::filesystem::path lock_file_;
};

// The lock file used for a folder whose own lock file cannot be made: in the runtime folder, named
// after the folder's absolute path, so every instance started on that folder finds the same one.
std::filesystem::path fallback_lock_file(const std::filesystem::path& program_folder);

}  // namespace kv::platform
