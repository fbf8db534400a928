#!/usr/bin/env bash
# Windows stay within the person's reach on a virtual X server: a modal dialog dragged by its title
# in a quick flick of many motion events, some queued while the program could not take them, ends
# where the pointer does; a dialog over a main window pushed mostly off the screen opens on it.
# Usage: xvfb_window_drag.sh PATH/TO/korvalin
set -euo pipefail
. "$(dirname "$(realpath "$0")")/xvfb_lib.sh"

# The window's place on the screen: "X Y".
place() {  # WINDOW_ID
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X $Y"
}

# Pointer motions of DX DY each, COUNT of them in one burst.
burst() {  # COUNT DX DY
    local steps=()
    for _ in $(seq "$1"); do steps+=(mousemove_relative -- "$2" "$3"); done
    xdotool "${steps[@]}"
}

if [[ "${1:-}" == --inside ]]; then
    start_program "$2"
    main=$(wait_window "$main_title")
    read -r main_x main_y <<< "$(place "$main")"

    # The about box (Help), grabbed 40 pixels into its title band and flicked 270 right and 180
    # down: bursts of motions, one of them sent while the program was stopped, so that motions
    # queue up before the window has moved.
    xdotool mousemove --window "$main" 549 214 click 1   # Help, the command bar's right-most button
    help=$(wait_window 'Help')
    read -r x y <<< "$(place "$help")"
    xdotool mousemove $((x + 40)) $((y + 12)) mousedown 1
    sleep 0.2
    burst 10 9 6
    kill -STOP "$program_pid"
    burst 10 9 6
    kill -CONT "$program_pid"
    burst 10 9 6
    sleep 0.5
    xdotool mouseup 1
    sleep 0.5
    read -r moved_x moved_y <<< "$(place "$help")"
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
    read -r x y <<< "$(place "$help")"
    ((x >= 0)) || fail "the about box over the main window opened at $x, off the screen"
    echo "PASS: a quick drag ends under the pointer, and a dialog over a window off the screen opens on it"
    exit 0
fi

expect_arguments 1 PATH/TO/korvalin "$@"
copy_program_folder "$(realpath "$1")"
run_inside_xvfb "$(realpath "$0")" "$program_exe"
