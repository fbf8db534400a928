// The launcher's reading of korvalin-plugin-host's replies: whatever arrives is a reply, an
// incomplete one or refused, never read past its end, and a reply taken encodes back to its bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "plugin_client/plugin_protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto parsed = kv::plugin_client::parse_reply(std::span<const uint8_t>(data, size));
    if (parsed.state != kv::plugin_client::ParseState::complete) return 0;
    if (parsed.used > size || parsed.message.text.size() > kv::plugin_client::max_plugin_text) std::abort();
    const std::string again = kv::plugin_client::encode_reply(parsed.message);
    if (again != std::string(reinterpret_cast<const char*>(data), parsed.used)) std::abort();
    return 0;
}
