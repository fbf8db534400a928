#pragma once
// The helper's worker: the one process of the helper that runs plug-in code. It answers the
// launcher's questions on the channel until the launcher closes it. It takes the keeper's SIGPIPE
// handler with the fork, so that a plug-in's write nobody reads fails rather than ends it.
namespace kv::plugin_host {

[[noreturn]] void answer_questions(int channel);

}  // namespace kv::plugin_host
