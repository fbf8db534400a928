#!/usr/bin/env bash
# Under a window manager (openbox) the program follows the moves the window manager makes: the main
# window moved with xdotool comes back there from the hide strip, a dialog opened for the first time
# after an Alt+drag is centred on where the main window stands, a drag by the skin's title still
# follows the pointer, and the place the window manager left the main window in is saved in
# Config.ini. Skipped (77) where openbox is not installed.
# With KORVALIN_SHOTS set to a folder, the screen after each step is saved there.
# Usage: xvfb_window_manager.sh PATH/TO/korvalin PATH/TO/korvalin-drive
set -euo pipefail
. "$(dirname "$(realpath "$0")")/xvfb_lib.sh"

# Waits up to 5 s for the window to stand at X Y; says where it stands otherwise, and the check
# goes on to its end before it fails.
failed=0
expect_place() {  # WINDOW_ID X Y WHAT
    local at
    for _ in $(seq 50); do
        at=$(place "$1")
        [[ "$at" == "$2 $3" ]] && return 0
        sleep 0.1
    done
    echo "FAIL: $4 stands at $at, not at $2 $3" >&2
    failed=1
}

# Starts openbox on the display and waits until it manages the screen.
start_window_manager() {
    local log
    log=$(mktemp)
    openbox --config-file /etc/xdg/openbox/rc.xml > "$log" 2>&1 &
    local wm_pid=$!
    at_exit "kill $wm_pid 2>/dev/null; wait $wm_pid 2>/dev/null; rm -f $log"
    # By the clock, not by tries: on a loaded machine each try takes a while.
    local until=$((SECONDS + 30))
    while ((SECONDS < until)); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        kill -0 "$wm_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$wm_pid" 2>/dev/null || echo "openbox ended; what it said:" >&2
    cat "$log" >&2
    fail "openbox did not take the screen within 30 s"
}

if [[ "${1:-}" == --inside ]]; then
    exe=$2 drive=$3 program=$4
    make_layout_copy "$program"
    start_window_manager
    start_program "$exe"
    main=$(wait_window "$main_title")

    # Moved by the window manager, hidden to the screen edge and brought back: it slides back to
    # where the window manager put it.
    xdotool windowmove "$main" 200 300
    expect_place "$main" 200 300 "the main window moved by the window manager"
    click "$main" Main_form Picture13                # the hide button
    window_id_gone "$main" || fail "the main window did not hide"
    shoot hidden
    xdotool mousemove 2 500 click 1                  # the strip
    main=$(wait_window "$main_title")
    expect_place "$main" 200 300 "the main window back from the hide strip"
    shoot back

    # Dragged with Alt by the window manager, 200 pixels right and 50 up: the about box (Help)
    # opens centred on it, 192 pixels right and 34 up of its corner (the main window is 585 x 236
    # pixels, the about box 201 x 305).
    read -r x y <<< "$(place "$main")"
    xdotool mousemove $((x + 300)) $((y + 100)) keydown alt mousedown 1
    sleep 0.2
    for _ in $(seq 10); do
        xdotool mousemove_relative -- 20 -5
        sleep 0.05
    done
    sleep 0.2
    xdotool mouseup 1 keyup alt
    x=$((x + 200)) y=$((y - 50))
    expect_place "$main" $x $y "the main window dragged with Alt"
    click "$main" Main_form Label28                  # Help
    help=$(wait_window 'Help')
    shoot help
    expect_place "$help" $((x + 192)) $((y - 34)) "the about box opened over the main window"
    xdotool mousemove --window "$help" 164 284 click 1   # its Ok
    window_gone Help || fail "the about box did not close"

    # Dragged by the skin's title bar, left of its window buttons, 100 pixels left and 60 down: it
    # follows the pointer.
    xdotool mousemove $((x + 300)) $((y + 12)) mousedown 1
    sleep 0.2
    xdotool mousemove $((x + 200)) $((y + 72))
    sleep 0.3
    xdotool mouseup 1
    expect_place "$main" $((x - 100)) $((y + 60)) "the main window dragged by its title"

    # Moved by the window manager last, then closed: Config.ini keeps that place, in twips.
    xdotool windowmove "$main" 150 420
    expect_place "$main" 150 420 "the main window moved by the window manager"
    click "$main" Main_form Picture11                # the close button
    wait_for_program_end || fail "the program did not end"
    x=$(sed -n 3p "$program/Config.ini" | tr -d '\r')
    y=$(sed -n 4p "$program/Config.ini" | tr -d '\r')
    if [[ "$x" != 'Main Window X (Twips) = 2250' || "$y" != 'Main Window Y (Twips) = 6300' ]]; then
        echo "FAIL: Config.ini saved '$x' and '$y', not the place 150,420 (2250, 6300 twips)" >&2
        failed=1
    fi
    [[ $failed == 0 ]] || exit 1
    echo "PASS: the window manager's moves are followed by the hide strip, a new dialog, the title drag and Config.ini"
    exit 0
fi

expect_arguments 2 'PATH/TO/korvalin PATH/TO/korvalin-drive' "$@"
if ! command -v openbox >/dev/null; then
    echo "openbox is not installed: the run under a window manager is skipped"
    exit 77
fi
copy_program_folder "$(realpath "$1")"
run_inside_xvfb "$(realpath "$0")" "$program_exe" "$(realpath "$2")" "$program"
