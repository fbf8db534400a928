#pragma once
// Where a shown window really stands, from the window system's reports. X tells of a move late, so
// the program's own moves come back as reports after the program may have moved the window again
// (a slide moves it every 10 ms); and a window manager may put a window elsewhere than asked
// (openbox keeps part of a window on the screen). A report of a place the program asked for is its
// own move coming back; any other is where the window manager put the window.
#include <cstddef>
#include <deque>
#include <optional>

#include "forms/events.h"

namespace kv::forms {

class ReportedPlace {
  public:
    // The program asks the window system for the window at this place (a move, or the showing).
    void asked(ScreenPoint place);
    // The window system reports the window at this place: the place for the window to take on,
    // nothing when the report is a move the program asked for, or may yet be overtaken by one still
    // on its way (then it is held until everything asked for has been answered).
    std::optional<ScreenPoint> reported(ScreenPoint place);
    // Everything asked for has had time to be answered: the report held back, if any, is where the
    // window stands.
    std::optional<ScreenPoint> settled();
    // The window is hidden: what was on its way or held tells nothing about its next showing.
    void forget();

  private:
    // Asked for and not yet reported, oldest first.
    std::deque<ScreenPoint> on_their_way_;
    std::optional<ScreenPoint> held_;
};

}  // namespace kv::forms
