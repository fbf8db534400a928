#pragma once
// The launcher's side of korvalin-plugin-host. Plug-in libraries are third-party code: they are loaded
// and called only in that helper process, so a plug-in that crashes, aborts or never returns ends the
// helper, never the launcher. While a question is out the launcher waits on the helper's socket
// through the display (forms::Backend::wait_readable), taking no input but staying painted.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/plugin_protocol.h"

namespace kv {

// How one question ended.
enum class PluginOutcome {
    answered,   // the helper replied; see PluginAnswer::reply
    refused,    // the path was not asked at all (no folder in it, not a file)
    crashed,    // the helper ended (a crash, an abort, an exit inside the plug-in) or replied garbage
    hung,       // no answer within the time limit; the helper was killed
    no_helper,  // the helper program could not be started
};

struct PluginAnswer {
    PluginOutcome outcome = PluginOutcome::answered;
    PluginReply reply;
};

// The helper program: korvalin-plugin-host in the program folder, unless set otherwise.
std::filesystem::path plugin_host_program();
void set_plugin_host_program(const std::optional<std::filesystem::path>& program);

// The file a library path names: the exact path when it exists, otherwise the one file of its folder
// whose name matches ignoring letter case. Nothing for a path without a "/" (the system's library
// search is never used) or one that names no regular file.
std::optional<std::filesystem::path> resolve_plugin_path(const std::string& path);

// One helper process, started on the first question and kept for the ones that follow. After a crash
// or a hang it is gone; the next question starts a new one.
class PluginHost {
  public:
    PluginHost();
    ~PluginHost();
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    // Asks one export of one library. limit: how long the answer may take; nothing waits for ever.
    PluginAnswer ask(PluginCall call, const std::string& path, const std::string& export_name,
                     std::optional<std::chrono::milliseconds> limit);

    // The helper's process id while one runs (for tests), otherwise 0.
    pid_t pid() const { return pid_; }
    // How many helpers this host has started so far.
    int starts() const { return starts_; }

  private:
    bool start();
    // Ends the helper: closes its socket and reaps it, killing it first when asked or when it lingers.
    void stop(bool kill_first);
    PluginAnswer exchange(const PluginRequest& request, std::optional<std::chrono::milliseconds> limit);

    pid_t pid_ = 0;
    int socket_ = -1;
    int starts_ = 0;
};

}  // namespace kv
