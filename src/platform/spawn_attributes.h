#pragma once
// What every program we start gets of our signals: none blocked and every one at its default, as a
// program started from a desktop, whatever this process ignores, handles or blocks. One ignored would
// stay ignored through exec, and no shell can take it back.
#include <spawn.h>

namespace kv::platform {

class SpawnAttributes {
  public:
    enum class Group { ours, own };

    // Group::own: the started program leads a process group of its own.
    explicit SpawnAttributes(Group group = Group::ours);
    ~SpawnAttributes();
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;

    const posix_spawnattr_t* get() const { return &attributes_; }

  private:
    posix_spawnattr_t attributes_;
};

}  // namespace kv::platform
