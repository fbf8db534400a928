#pragma once
// The launcher's side of korvalin-plugin-host. Plug-in libraries are third-party code: they are loaded
// and called only in that helper process, so a plug-in that crashes, aborts, forks or never returns
// ends the helper, never the launcher. While a question is out the launcher waits on the helper
// through the display (platform::wait_readable, which the display sets), taking no input but staying painted.
//
// A helper ends every process its plug-ins started, wherever they went (a new session, a double fork),
// when it is stopped, when its plug-in takes it down and when the launcher goes, however the launcher
// ends; it leads a process group of its own as well, which the launcher kills should the helper not
// end when told. A helper whose plug-in answered a configure or about call is ended alone (finish):
// what the plug-in started then is its window, such as the setup program real plug-ins run from those
// exports, and lives on. A test has no window, so what it started ends with its helper.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/host_hooks.h"
#include "plugin_client/plugin_protocol.h"

namespace kv::plugin_client {

// How one question ended.
enum class PluginOutcome {
    answered,   // the helper replied; see PluginAnswer::reply
    refused,    // the path was not asked at all (no folder in it, not a file)
    crashed,    // the helper ended (a crash, an abort, an exit inside the plug-in) or replied garbage
    hung,       // no answer within the time limit; the helper was stopped
    stopped,    // the user chose to stop the plug-in while waiting for it
    no_helper,  // the helper program could not be started
};

// How a helper process ended, as the launcher reaped it.
struct HelperExit {
    bool signalled = false;  // ended by the signal `number`; otherwise exited with the status `number`
    int number = 0;
};

// "ended by signal 11 (Segmentation fault)", "ended with exit status 1".
std::string describe(const HelperExit& exit);

struct PluginAnswer {
    explicit PluginAnswer(PluginOutcome how, PluginReply replied = {})
        : outcome(how), reply(std::move(replied)) {}

    PluginOutcome outcome;
    PluginReply reply;  // answered: what the helper replied
    // crashed: how the helper ended by itself; nothing when it broke the exchange (garbage, a closed
    // channel) and was stopped here.
    std::optional<HelperExit> helper_exit;
};

// The helper program: korvalin-plugin-host in the program folder, unless set otherwise.
std::filesystem::path plugin_host_program();
void set_plugin_host_program(const std::optional<std::filesystem::path>& program);

// The file a library path names: the exact path when it exists, otherwise the one file of its folder
// whose name matches ignoring letter case; made absolute, as the helper runs each plug-in in the
// plug-in's own folder. Nothing for a path without a "/" (the system's library search is never used)
// or one that names no regular file.
std::optional<std::filesystem::path> resolve_plugin_path(const std::string& path);

// One helper process, started on the first question and kept for the ones that follow. After a crash,
// a hang or a stop it is gone; the next question starts a new one.
class PluginHost {
  public:
    PluginHost();
    ~PluginHost();
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    // Asks one export of one library and waits for the answer. limit: how long the answer may take
    // (none: as long as it takes). stop_wanted, when given, is asked each time the user presses a
    // mouse button or key in the program meanwhile; true stops the plug-in.
    PluginAnswer ask(PluginCall call, const std::string& path, const std::string& export_name,
                     std::optional<std::chrono::milliseconds> limit,
                     const std::function<bool()>& stop_wanted = {});

    // The same in steps, for waiting on several helpers at once. send puts a question to the helper,
    // starting a fresh one when none runs or the last one has ended; it gives an answer only when the
    // question could not be put (no_helper, crashed). collect gives the answer once there is one, or
    // crashed when the helper died or replied garbage (it is then stopped); nothing while the
    // question is still out.
    std::optional<PluginAnswer> send(const PluginRequest& request);
    std::optional<PluginAnswer> collect();
    bool asking() const { return asking_; }
    // Ends the helper and everything its plug-ins started, and reaps it.
    void stop();
    // Ends the helper once it has answered, leaving what its plug-ins started running, and reaps it.
    // While a question is still out this is stop().
    void finish();

    // The helper's process id while one runs (for tests), otherwise 0.
    pid_t pid() const { return pid_; }
    // How many helpers this host has started so far.
    int starts() const { return starts_; }
    // How many questions the running helper has answered.
    int answered() const { return answered_; }

  private:
    friend platform::WaitEnd wait_for_helpers(std::span<PluginHost* const> hosts, int timeout_ms,
                                              bool input_ends_wait);
    bool start();
    bool helper_ended() const;
    bool ended_within(std::chrono::milliseconds limit) const;
    // How the helper ended, when it was reaped.
    std::optional<HelperExit> end_helper(bool whole_group);

    pid_t pid_ = 0;
    int socket_ = -1;
    int process_fd_ = -1;  // readable once the helper has ended; -1 where the system cannot tell
    int starts_ = 0;
    int answered_ = 0;
    bool asking_ = false;
    std::vector<uint8_t> received_;
};

// Waits until any of the hosts that are asking may have its answer (or has lost its helper), or
// timeout_ms pass, through the display (platform::wait_readable).
platform::WaitEnd wait_for_helpers(std::span<PluginHost* const> hosts, int timeout_ms, bool input_ends_wait);

}  // namespace kv::plugin_client
