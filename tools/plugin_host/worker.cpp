#include "worker.h"

#include <dlfcn.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "plugin_client/plugin_protocol.h"

namespace kv::plugin_host {

namespace {

// The plug-in interface returns a C long; its low 32 bits are the value.
int32_t low_32_bits(long v) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<unsigned long>(v) & 0xFFFFFFFFu));
}

// The launcher sends absolute paths. A folder that cannot be entered leaves the working folder as it
// was; loading tells what is wrong with the path.
void enter_folder_of(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return;
    const std::string folder = slash == 0 ? std::string("/") : path.substr(0, slash);
    if (::chdir(folder.c_str()) != 0) return;
}

plugin_client::PluginReply answer(const plugin_client::PluginRequest& request) {
    plugin_client::PluginReply reply;
    enter_folder_of(request.path);
    void* library = ::dlopen(request.path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        reply.status = plugin_client::PluginStatus::not_loaded;
        return reply;
    }
    void* symbol = ::dlsym(library, request.export_name.c_str());
    if (!symbol) {
        reply.status = plugin_client::PluginStatus::no_export;
    } else if (request.call == plugin_client::PluginCall::text) {
        using TextExport = const char* (*)();
        const char* text = reinterpret_cast<TextExport>(symbol)();
        if (!text) {
            reply.status = plugin_client::PluginStatus::null_text;
        } else {
            // Copied before the library goes; never past the 255 bytes a name may have.
            reply.text.assign(text, ::strnlen(text, plugin_client::max_plugin_text));
        }
    } else {
        using NumberExport = long (*)();
        const long value = reinterpret_cast<NumberExport>(symbol)();
        if (request.call == plugin_client::PluginCall::number) reply.value = low_32_bits(value);
    }
    ::dlclose(library);
    return reply;
}

}  // namespace

void answer_questions(int channel) {
    std::vector<uint8_t> pending;
    uint8_t buffer[4096];
    for (;;) {
        const auto parsed = plugin_client::parse_request(pending);
        if (parsed.state == plugin_client::ParseState::malformed) ::_exit(2);
        if (parsed.state == plugin_client::ParseState::complete) {
            pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(parsed.used));
            if (!plugin_client::send_all(channel, plugin_client::encode_reply(answer(parsed.message))))
                ::_exit(0);
            continue;
        }
        const ssize_t n = ::recv(channel, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) ::_exit(0);  // the launcher is done with us, or gone
        pending.insert(pending.end(), buffer, buffer + n);
    }
}

}  // namespace kv::plugin_host
