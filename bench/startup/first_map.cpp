// Starts a program and stops it the moment its first window is mapped on the X server, then prints
// what that took: wall time from before the start, processor time (user + system, all threads) and
// peak resident memory.
//   korvalin-first-map PROGRAM [ARGS...]   prints "WALL_MS CPU_MS PEAK_KIB"
// It watches the root window for mapped children before the program starts, so nothing in the
// program under test needs to cooperate.
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int give_up_ms = 30000;

struct ConnectionCloser {
    void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
};
using Connection = std::unique_ptr<xcb_connection_t, ConnectionCloser>;

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name),
                              nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The process that says it owns a window (_NET_WM_PID, which Qt sets before mapping), or 0.
pid_t owner_of(xcb_connection_t* c, xcb_window_t window, xcb_atom_t wm_pid) {
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, wm_pid, XCB_ATOM_CARDINAL, 0, 1), nullptr),
        &std::free);
    if (!reply || xcb_get_property_value_length(reply.get()) != 4) return 0;
    return static_cast<pid_t>(*static_cast<const uint32_t*>(xcb_get_property_value(reply.get())));
}

int fail(const char* what) {
    std::fprintf(stderr, "korvalin-first-map: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    int screen_number = 0;
    Connection c(xcb_connect(nullptr, &screen_number));
    if (xcb_connection_has_error(c.get())) return fail("no X display");
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c.get()));
    for (int i = 0; i < screen_number; ++i) xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;
    const xcb_atom_t wm_pid = atom(c.get(), "_NET_WM_PID");
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    // Checked, so that the watch is in place before the program starts.
    if (std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error(
            xcb_request_check(c.get(),
                              xcb_change_window_attributes_checked(c.get(), root, XCB_CW_EVENT_MASK, &mask)),
            &std::free);
        error)
        return fail("cannot watch the root window");

    const Clock::time_point started = Clock::now();
    const pid_t pid = fork();
    if (pid < 0) return fail(std::strerror(errno));
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }

    Clock::time_point mapped{};
    bool found = false;
    pollfd watch{xcb_get_file_descriptor(c.get()), POLLIN, 0};
    while (!found) {
        while (std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event{xcb_poll_for_event(c.get()),
                                                                                &std::free}) {
            if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY) continue;
            const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
            const Clock::time_point now = Clock::now();
            if (owner_of(c.get(), map->window, wm_pid) != pid) continue;
            // Stopped at once: the figures are those of the moment the window appeared.
            kill(pid, SIGSTOP);
            mapped = now;
            found = true;
            break;
        }
        if (found) break;
        if (xcb_connection_has_error(c.get())) {
            kill(pid, SIGKILL);
            return fail("lost the X display");
        }
        if (waitpid(pid, nullptr, WNOHANG) == pid) return fail("the program ended before it showed a window");
        if (std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count() >
            give_up_ms) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return fail("no window within 30 s");
        }
        poll(&watch, 1, 100);
    }

    // Ended without a chance to save or write anything; its times and peak memory come with it.
    kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return fail("lost the program");
    const auto to_ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1000.0 + t.tv_usec / 1000.0;
    };
    const double wall = std::chrono::duration<double, std::milli>(mapped - started).count();
    std::printf("%.2f %.2f %ld\n", wall, to_ms(usage.ru_utime) + to_ms(usage.ru_stime), usage.ru_maxrss);
    return 0;
}
