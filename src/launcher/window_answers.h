#pragma once
// Where the windows below the launcher hand their answers: the skin, font and language browsers and
// the configs window reach the main and options windows only through what is set here.

namespace kv::launcher {

// Sets every such hand-over; called once at start-up, before any window.
void route_window_answers();

}  // namespace kv::launcher
