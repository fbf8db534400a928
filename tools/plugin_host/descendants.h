#pragma once
// Ending every process this one started, wherever it went. A plug-in's child may leave the helper's
// process group or session (setsid, a double fork whose middle exits), where a kill of the group
// misses it; as a child subreaper this process still becomes the parent of every orphan among its
// descendants, so their chain of parents always leads back here.
#include <sys/types.h>

#include <optional>

namespace kv::plugin_host {

// Kills every descendant and reaps this process's children, over and over (a process killed may
// leave children, which come here), until this process has no child left. Gives the wait status of
// `worker` when it was reaped here; `worker` must have been killed or have ended.
std::optional<int> end_descendants(pid_t worker);

}  // namespace kv::plugin_host
