#pragma once
// One running instance per program folder: a lock file held for the life of the process.
#include <filesystem>

namespace kv {

class InstanceLock {
public:
    // Tries to take the lock of the folder. A lock left by a process that died does not block.
    // Fails (kv::Failure) when the lock file can neither be made nor opened.
    explicit InstanceLock(const std::filesystem::path& program_folder);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // False when another living instance holds the folder.
    bool acquired() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace kv
