#pragma once
// What the layers below the windows need of whoever shows them: waiting on a descriptor while the
// windows stay painted, and the busy cursor. The display is set above this layer; setting it also
// sets these hooks (forms::set_backend), so the registry, plug-in and file code never reaches up to
// the window model. With no hooks set, a wait is a plain wait and the cursor stays as it is.
#include <functional>
#include <span>

namespace kv::platform {

// How a wait for something outside the program ended.
enum class WaitEnd { readable, timed_out, input };

struct HostHooks {
    // Waits until one of the descriptors has something to read or timeout_ms pass (negative: no
    // limit); with input_ends_wait, a press on a window of the program may end it with WaitEnd::input.
    std::function<WaitEnd(std::span<const int> fds, int timeout_ms, bool input_ends_wait)> wait_readable;
    // The busy cursor on or off; calls nest.
    std::function<void(bool busy)> set_busy;
};

// Set by whoever sets the display; empty hooks go back to the plain behaviour.
void set_host_hooks(HostHooks hooks);

WaitEnd wait_readable(std::span<const int> fds, int timeout_ms, bool input_ends_wait = false);
// The plain wait: poll(2), an error or a hang-up counting as readable.
WaitEnd poll_readable(std::span<const int> fds, int timeout_ms);

// The busy cursor for as long as it lives, through the hook set when it was made.
class BusyCursor {
  public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

  private:
    std::function<void(bool)> set_busy_;
};

}  // namespace kv::platform
