// korvalin-plugin-host: answers the launcher's questions about plug-in libraries on fd 3.
// For every request it loads the library, calls the one export and releases the library again, as
// the launcher's callers expect; whatever the plug-in does to this process ends only here.
#include <dlfcn.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/plugin_protocol.h"

namespace {

constexpr int channel = 3;

bool send_all(const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(channel, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// The plug-in interface returns a C long; its low 32 bits are the value.
int32_t low_32_bits(long v) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<unsigned long>(v) & 0xFFFFFFFFu));
}

kv::PluginReply answer(const kv::PluginRequest& request) {
    kv::PluginReply reply;
    void* library = ::dlopen(request.path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        reply.status = kv::PluginStatus::not_loaded;
        return reply;
    }
    void* symbol = ::dlsym(library, request.export_name.c_str());
    if (!symbol) {
        reply.status = kv::PluginStatus::no_export;
    } else if (request.call == kv::PluginCall::text) {
        using TextExport = const char* (*)();
        const char* text = reinterpret_cast<TextExport>(symbol)();
        if (!text) {
            reply.status = kv::PluginStatus::null_text;
        } else {
            // Copied before the library goes; never past the 255 bytes a name may have.
            reply.text.assign(text, ::strnlen(text, kv::max_plugin_text));
        }
    } else {
        using NumberExport = long (*)();
        const long value = reinterpret_cast<NumberExport>(symbol)();
        if (request.call == kv::PluginCall::number) reply.value = low_32_bits(value);
    }
    ::dlclose(library);
    return reply;
}

}  // namespace

int main() {
    ::signal(SIGPIPE, SIG_IGN);
    std::vector<uint8_t> pending;
    uint8_t buffer[4096];
    for (;;) {
        const auto parsed = kv::parse_request(pending);
        if (parsed.state == kv::ParseState::malformed) return 2;
        if (parsed.state == kv::ParseState::complete) {
            pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(parsed.used));
            if (!send_all(kv::encode_reply(answer(parsed.message)))) return 0;
            continue;
        }
        const ssize_t n = ::recv(channel, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return 0;  // the launcher is done with us
        pending.insert(pending.end(), buffer, buffer + n);
    }
}
