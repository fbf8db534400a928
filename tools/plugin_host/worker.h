#pragma once
// The helper's worker: the one process of the helper that runs plug-in code. It answers the
// launcher's questions on the channel until the launcher closes it.
namespace kv::plugin_host {

[[noreturn]] void answer_questions(int channel);

}  // namespace kv::plugin_host
