#pragma once
// The plug-in library bridge: five functions that load one library, call one export and release the
// library again. The calls run in korvalin-plugin-host (plugin_client/plugin_library.h); these functions
// keep the callers' contract: an empty result ("" or 0) for a library or export that is missing.
// The registry functions of the same module live in model/registry_bridge.h.
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kv::model {

// The size of the text a text function returns: the text, then NUL characters up to this length.
inline constexpr size_t text_buffer_size = 256;
// How long a library may take to answer all its questions (name, version, kind) before it is given
// up; a library given up is not asked again during the run unless its file changes.
inline constexpr std::chrono::milliseconds query_limit{5000};
// How long a test may run before the plug-in counts as not working. A test may show a dialog of its
// own, so this is long; the user can stop it sooner (StopQuestion).
inline constexpr std::chrono::milliseconds test_limit{30000};
// How long a configure or about may go unanswered in a run with no one to answer StopQuestion (the
// script driver) before it is stopped as the user's Yes stops it.
inline constexpr std::chrono::milliseconds unattended_limit{30000};

// The limits the calls below use. The program's windows give configure and about none (their user is
// asked instead); a run with no user sets one.
struct PluginLimits {
    std::chrono::milliseconds test = test_limit;
    std::optional<std::chrono::milliseconds> call;  // configure and about; none: as long as it takes
};
void set_plugin_limits(const PluginLimits& limits);
PluginLimits plugin_limits();

// Name, version and kind. A plug-in that crashes or hangs gives the empty result.
std::string get_plugin_name(const std::string& path);
int32_t get_plugin_version(const std::string& path);
int32_t get_plugin_type(const std::string& path);

// Asked each time the user presses a mouse button or a key in the program while a plug-in's test,
// configure or about export runs: true stops the plug-in. Without it the program waits.
using StopQuestion = std::function<bool()>;

// Calls a configure or about export for its effect; the result is always "" (such an export returns
// no text). A crash of the plug-in shows nothing. No time limit unless plugin_limits() gives one: the
// plug-in may show its own dialog for as long as its user wants. One stopped at that limit is stopped
// as StopQuestion's Yes stops it, and a line on standard error says so. What a plug-in that answered
// started (its setup program) lives on; what one that crashed or was stopped started ends with it.
std::string call_plugin_function(const std::string& path, const std::string& export_name,
                                 const StopQuestion& ask_to_stop = {});

// Calls a test export: 0 working, negative not working, positive no message; 0 when the library or
// the export is missing. A plug-in that crashes while testing, does not answer within the limit
// (none given: plugin_limits().test) or is stopped by the user is not working: -1. Whenever the
// result is "not working", a line on standard error names the library and why. Whatever the test
// started ends with it.
int32_t call_plugin_test(const std::string& path, const std::string& export_name,
                         const StopQuestion& ask_to_stop = {},
                         std::optional<std::chrono::milliseconds> limit = std::nullopt);

// What a library told a folder scan: its name as the text buffer holds it, its version, and its kind
// as asked four times, once for each list it may belong to.
struct LibraryFacts {
    std::string name;
    int32_t version = 0;
    std::array<int32_t, 4> kinds{};
};

// Asks every library its name, version and kind, several libraries at once (plugin_questions.h);
// nothing for a library that crashed or hung, now or earlier in the run.
std::vector<std::optional<LibraryFacts>> ask_plugin_libraries(const std::vector<std::string>& paths);

}  // namespace kv::model
