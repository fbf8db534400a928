#!/usr/bin/env bash
# Windows stay within the person's reach on a virtual X server: a modal dialog dragged by its title
# in a quick flick of motion events that all come before the window has moved ends where the pointer
# does; a dialog over a main window pushed mostly off the screen opens on it.
# With KORVALIN_SHOTS set to a folder, the dragged dialog and the one over the window off the screen
# are saved there.
# Usage: xvfb_window_drag.sh PATH/TO/korvalin
set -euo pipefail
. "$(dirname "$(realpath "$0")")/xvfb_lib.sh"

# Moves the pointer from X Y by DX DY COUNT times, 50 ms apart, while holding the X server: the
# program gets every motion as it comes, but none of its moves of the window takes effect until the
# end, so each motion is measured against the window's old place.
moves_before_the_window_moves() {  # X Y DX DY COUNT
    python3 - "$@" <<'PYTHON'
import ctypes, sys, time
x, y, dx, dy, count = map(int, sys.argv[1:])
x11 = ctypes.CDLL("libX11.so.6")
xtst = ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
display = ctypes.c_void_p(x11.XOpenDisplay(None))
if not display:
    sys.exit("no X display")
x11.XGrabServer(display)
x11.XSync(display, 0)
for step in range(1, count + 1):
    xtst.XTestFakeMotionEvent(display, -1, x + step * dx, y + step * dy, 0)
    x11.XSync(display, 0)
    time.sleep(0.05)
x11.XUngrabServer(display)
x11.XCloseDisplay(display)
PYTHON
}

if [[ "${1:-}" == --inside ]]; then
    start_program "$2"
    main=$(wait_window "$main_title")
    read -r main_x main_y <<< "$(place "$main")"

    # The about box (Help), grabbed 40 pixels into its title band and flicked 270 right and 180
    # down in ten motions that all arrive before the window has moved.
    xdotool mousemove --window "$main" 549 214 click 1   # Help, the command bar's right-most button
    help=$(wait_window 'Help')
    read -r x y <<< "$(place "$help")"
    xdotool mousemove $((x + 40)) $((y + 12)) mousedown 1
    sleep 0.2
    moves_before_the_window_moves $((x + 40)) $((y + 12)) 27 18 10
    sleep 0.5
    xdotool mouseup 1
    sleep 0.5
    read -r moved_x moved_y <<< "$(place "$help")"
    shoot dragged
    [[ "$moved_x $moved_y" == "$((x + 270)) $((y + 180))" ]] ||
        fail "the dragged dialog went from $x,$y to $moved_x,$moved_y; the pointer moved 270,180"
    # It still answers: its Ok closes it.
    xdotool mousemove --window "$help" 164 284 click 1
    window_gone Help || fail "the about box did not close after the drag"

    # The main window dragged by its title bar, left of its window buttons, until only its right
    # 85 pixels show.
    xdotool mousemove $((main_x + 520)) $((main_y + 12)) mousedown 1
    sleep 0.2
    xdotool mousemove 20 $((main_y + 12))
    sleep 0.3
    xdotool mouseup 1
    sleep 0.3
    read -r off_x _ <<< "$(place "$main")"
    [[ "$off_x" == -500 ]] || fail "the main window was dragged to $off_x, not -500"
    xdotool mousemove 49 $((main_y + 214)) click 1           # Help, at what shows of it
    help=$(wait_window 'Help')
    sleep 0.3
    shoot over-a-window-off-the-screen
    read -r x y <<< "$(place "$help")"
    ((x >= 0)) || fail "the about box over the main window opened at $x, off the screen"
    echo "PASS: a quick drag ends under the pointer, and a dialog over a window off the screen opens on it"
    exit 0
fi

expect_arguments 1 PATH/TO/korvalin "$@"
copy_program_folder "$(realpath "$1")"
run_inside_xvfb "$(realpath "$0")" "$program_exe"
