// korvalin-plugin-host: answers the launcher's questions about plug-in libraries on fd 3.
// For every request it loads the library, calls the one export and releases the library again, as
// the launcher's callers expect; whatever the plug-in does to this process ends only here.
//
// Started as "korvalin-plugin-host LAUNCHER_PID", leading a process group of its own. It ends with the
// launcher, however the launcher ends, and takes with it whatever a plug-in forked off: a plug-in
// blocked in its own dialog must not outlive the program that asked it. The launcher ends a helper
// whose plug-in answered by itself, leaving the group alone, so that a setup program a plug-in
// started lives on.
//
// Each plug-in runs in its own folder: real plug-ins find their setup programs there ("./cfgX"), as
// the emulators that ship them change into the plug-in folder before calling them.
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "plugin_client/plugin_protocol.h"

namespace {

constexpr int channel = 3;

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

kv::plugin_client::PluginReply answer(const kv::plugin_client::PluginRequest& request) {
    kv::plugin_client::PluginReply reply;
    enter_folder_of(request.path);
    void* library = ::dlopen(request.path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        reply.status = kv::plugin_client::PluginStatus::not_loaded;
        return reply;
    }
    void* symbol = ::dlsym(library, request.export_name.c_str());
    if (!symbol) {
        reply.status = kv::plugin_client::PluginStatus::no_export;
    } else if (request.call == kv::plugin_client::PluginCall::text) {
        using TextExport = const char* (*)();
        const char* text = reinterpret_cast<TextExport>(symbol)();
        if (!text) {
            reply.status = kv::plugin_client::PluginStatus::null_text;
        } else {
            // Copied before the library goes; never past the 255 bytes a name may have.
            reply.text.assign(text, ::strnlen(text, kv::plugin_client::max_plugin_text));
        }
    } else {
        using NumberExport = long (*)();
        const long value = reinterpret_cast<NumberExport>(symbol)();
        if (request.call == kv::plugin_client::PluginCall::number) reply.value = low_32_bits(value);
    }
    ::dlclose(library);
    return reply;
}

// Ends this process and everything in its group, however the helper ends: a child a plug-in forked
// must not live on. Only a group this process leads: run by hand from a shell, the group would be the
// shell's.
[[noreturn]] void end_group() {
    if (::getpgrp() == ::getpid()) ::kill(0, SIGKILL);
    ::_exit(0);
}

// The launcher's death, told twice over: the signal the kernel sends when the parent ends (a plug-in
// may have taken that signal over), and the launcher's end of the socket closing, watched by a thread
// of our own that no plug-in code runs on.
void die_with_launcher(pid_t launcher) {
    struct sigaction on_term {};
    on_term.sa_handler = [](int) { end_group(); };
    ::sigaction(SIGTERM, &on_term, nullptr);
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    // The launcher may have ended before the line above.
    if (launcher > 0 && ::getppid() != launcher) end_group();
    std::thread([] {
        pollfd p{channel, POLLRDHUP, 0};
        while (::poll(&p, 1, -1) < 0 && errno == EINTR) {
        }
        end_group();
    }).detach();
}

}  // namespace

int main(int argc, char** argv) {
    ::signal(SIGPIPE, SIG_IGN);
    // Its own process group stands in the background of a terminal: a plug-in writing to it must not
    // stop the helper.
    ::signal(SIGTTOU, SIG_IGN);
    ::signal(SIGTTIN, SIG_IGN);
    // What a plug-in starts must not hold the channel: it is the launcher's line to this helper only.
    ::fcntl(channel, F_SETFD, FD_CLOEXEC);
    die_with_launcher(argc > 1 ? static_cast<pid_t>(std::atol(argv[1])) : 0);
    std::vector<uint8_t> pending;
    uint8_t buffer[4096];
    for (;;) {
        const auto parsed = kv::plugin_client::parse_request(pending);
        if (parsed.state == kv::plugin_client::ParseState::malformed) end_group();
        if (parsed.state == kv::plugin_client::ParseState::complete) {
            pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(parsed.used));
            if (!kv::plugin_client::send_all(channel,
                                             kv::plugin_client::encode_reply(answer(parsed.message))))
                end_group();
            continue;
        }
        const ssize_t n = ::recv(channel, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) end_group();  // the launcher is done with us, or gone
        pending.insert(pending.end(), buffer, buffer + n);
    }
}
