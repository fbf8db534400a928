#pragma once
// Asking many plug-in libraries the same questions, as opening an editor asks every library of its
// plug-in folder its name, version and kind. A folder may hold libraries that crash, hang or damage
// the helper that loads them, so:
// - libraries are asked several at once, each worker on a helper of its own, so that hanging ones cost
//   their time side by side rather than one after another; the answers come back in the order asked;
// - a library gets at most the budget for all its questions together;
// - a question that ends in a crash or a hang on a helper that had answered other libraries is asked
//   once more on a fresh helper (a library asked earlier may have left the helper damaged, such as a
//   thread that runs on after its library is released). That failure is not held against the library:
//   the time it took is given back, so the second try has what the library would have had alone, and
//   whether a library is listed does not depend on the other files of its folder. On such a helper a
//   question waits only briefly, as a hanging library would otherwise cost its time twice over;
// - a library that crashed or hung on a helper of its own is given up, and not asked again during the
//   run, unless its file changes.
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "plugin_client/plugin_protocol.h"

namespace kv::model {

struct Question {
    plugin_client::PluginCall call;
    std::string export_name;
};

struct QuestionLimits {
    std::chrono::milliseconds budget{5000};  // per library, for all its questions
    size_t helpers = 8;                      // libraries asked at once
};

// Each library's replies, in question order; nothing for a library given up. A path that names no
// file, or no helper to ask with, gives the replies of a library that could not be loaded.
std::vector<std::optional<std::vector<plugin_client::PluginReply>>> ask_libraries(
    const std::vector<std::string>& paths, const std::vector<Question>& questions,
    const QuestionLimits& limits = {});

}  // namespace kv::model
