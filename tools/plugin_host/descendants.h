#pragma once
// Ending every process this one started, wherever it went. A plug-in's child may leave the helper's
// process group or session (setsid, a double fork whose middle exits), where a kill of the group
// misses it; as a child subreaper this process still becomes the parent of every orphan among its
// descendants, so their chain of parents always leads back here.
#include <sys/types.h>

#include <optional>

namespace kv::plugin_host {

// Kills every descendant and reaps this process's children, over and over (a process killed may
// leave children, which come here), until this process has no child left. `worker` must have been
// killed or have ended; `worker_status` is its wait status when it was reaped already, and then its
// id, which may now be another process's, is neither waited on nor taken for the worker's. Gives the
// worker's wait status once it is known.
std::optional<int> end_descendants(pid_t worker, std::optional<int> worker_status);

}  // namespace kv::plugin_host
