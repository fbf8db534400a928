#pragma once
// The messages between the launcher and korvalin-plugin-host, on a socket of their own (the host's
// fd 3), so that whatever a plug-in prints on the host's standard output never mixes with them.
//
// request: 'Q', call (1 byte), path length (u32), path, export length (u32), export name
// reply:   'A', status (1 byte), value (i32), text length (u16, at most 255), text
// Integers are little-endian. The host loads the library, calls the one export and releases the
// library again for every request.
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kv::plugin_client {

enum class PluginCall : uint8_t {
    number = 1,  // an export returning a 32-bit number
    text = 2,    // an export returning the address of a text (or 0)
    effect = 3,  // an export called for what it does; its result is never read
};

enum class PluginStatus : uint8_t {
    done = 0,        // the export ran; value or text hold its result
    not_loaded = 1,  // the library could not be loaded
    no_export = 2,   // the library has no export of that name
    null_text = 3,   // a text export returned 0
};

struct PluginRequest {
    PluginCall call = PluginCall::number;
    std::string path;
    std::string export_name;
};

struct PluginReply {
    PluginStatus status = PluginStatus::done;
    int32_t value = 0;
    std::string text;  // at most max_plugin_text bytes
};

// How long the launcher gives a helper told to end before it kills the helper's process group; the
// helper ends what its plug-ins started within less.
inline constexpr std::chrono::milliseconds helper_grace{2000};

// A name longer than this is cut, as the 256-character buffer with its NUL held no more.
inline constexpr size_t max_plugin_text = 255;
inline constexpr size_t max_plugin_path = 4096;
inline constexpr size_t max_plugin_export = 255;

// Sends every byte on the socket, going on after interruptions; false once the other side is gone
// (without the SIGPIPE that would end this process).
bool send_all(int fd, const std::string& bytes);

std::string encode_request(const PluginRequest& request);
std::string encode_reply(const PluginReply& reply);

// What a parse of the bytes received so far found.
enum class ParseState { complete, incomplete, malformed };

template <typename T>
struct Parsed {
    ParseState state = ParseState::incomplete;
    T message;
    size_t used = 0;  // bytes of the input the message took
};

// Refuses anything the other side could not have sent: unknown tags, calls or statuses, lengths past
// the limits, text in a reply that carries none.
Parsed<PluginReply> parse_reply(std::span<const uint8_t> bytes);
Parsed<PluginRequest> parse_request(std::span<const uint8_t> bytes);

}  // namespace kv::plugin_client
