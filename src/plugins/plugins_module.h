#pragma once
// The plug-in library bridge: five functions that load one library, call one export and release the
// library again. The calls run in korvalin-plugin-host (platform/plugin_library.h); these functions
// keep the callers' contract: an empty result ("" or 0) for a library or export that is missing.
// The registry functions of the same module live in configs/registry_bridge.h.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/plugin_library.h"

namespace kv::plugins_module {

// The size of the text a text function returns: the text, then NUL characters up to this length.
inline constexpr size_t text_buffer_size = 256;
// How long a library may take to tell its name, version or kind before it is given up.
inline constexpr std::chrono::milliseconds query_limit{5000};

// Name, version and kind, each with a helper of its own. A plug-in that crashes or hangs gives the
// empty result.
std::string get_plugin_name(const std::string& path);
int32_t get_plugin_version(const std::string& path);
int32_t get_plugin_type(const std::string& path);

// Calls a configure or about export for its effect; the result is always "" (such an export returns
// no text). A crash of the plug-in shows nothing. No time limit: the plug-in may show its own dialog.
std::string call_plugin_function(const std::string& path, const std::string& export_name);

// Calls a test export: 0 working, negative not working, positive no message; 0 when the library or
// the export is missing. A plug-in that crashes while testing is not working: -1. No time limit.
int32_t call_plugin_test(const std::string& path, const std::string& export_name);

// One helper for a whole folder scan. Each question gives nothing when the plug-in crashed or did not
// answer in time: the caller leaves that library out, and the next question starts a new helper.
class ScanSession {
  public:
    std::optional<std::string> name(const std::string& path);
    std::optional<int32_t> version(const std::string& path);
    std::optional<int32_t> type(const std::string& path);
    const PluginHost& host() const { return host_; }

  private:
    std::optional<PluginReply> query(PluginCall call, const std::string& path, const char* export_name);
    PluginHost host_;
};

}  // namespace kv::plugins_module
