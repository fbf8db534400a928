#include "platform/spawn_attributes.h"

#include <signal.h>

#include <cstring>

namespace kv::platform {

SpawnAttributes::SpawnAttributes(Group group) {
    posix_spawnattr_init(&attributes_);
    sigset_t none;
    sigemptyset(&none);
    // Every bit set, not sigfillset: the C library's leaves out its own two signals (32 and 33), which
    // its posix_spawn then leaves ignored in the child. The child runs with every signal blocked until
    // its exec, so setting those to their default there is safe.
    sigset_t all;
    std::memset(&all, 0xff, sizeof all);
    posix_spawnattr_setsigmask(&attributes_, &none);
    posix_spawnattr_setsigdefault(&attributes_, &all);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    if (group == Group::own) {
        posix_spawnattr_setpgroup(&attributes_, 0);
        flags |= POSIX_SPAWN_SETPGROUP;
    }
    posix_spawnattr_setflags(&attributes_, flags);
}

SpawnAttributes::~SpawnAttributes() {
    posix_spawnattr_destroy(&attributes_);
}

}  // namespace kv::platform
