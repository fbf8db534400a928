#!/usr/bin/env bash
# A person's road through the real windows on a virtual X server: add an emulator (a shell script)
# through the add dialog and its file dialog, give it a switch in the switches editor, and run it
# with that switch from the main window's first switch button.
# Usage: xvfb_add_emulator.sh PATH/TO/korvalin PATH/TO/korvalin-drive
set -euo pipefail
. "$(dirname "$(realpath "$0")")/xvfb_lib.sh"

if [[ "${1:-}" == --inside ]]; then
    exe=$2 drive=$3 program=$4 emulators=$5

    # Where a control's centre is in its window, in pixels, as the window model places it.
    centre() {  # WINDOW CONTROL
        local out
        out=$(printf 'folder %s\nstart\nget %s.%s.WindowX\nget %s.%s.WindowY\nget %s.%s.Width\nget %s.%s.Height\n' \
            "$scratch" "$1" "$2" "$1" "$2" "$1" "$2" "$1" "$2" | "$drive")
        read -r x y w h <<< "$(echo $out)"
        echo "$(awk -v a="$x" -v b="$w" 'BEGIN { printf "%d", (a + b / 2) / 15 }') $(awk -v a="$y" -v b="$h" 'BEGIN { printf "%d", (a + b / 2) / 15 }')"
    }
    window() {  # TITLE
        find_window "$1"
        sleep 0.4
    }
    click() {  # WINDOW_ID WINDOW CONTROL
        local at
        at=$(centre "$2" "$3")
        xdotool mousemove --window "$1" $at click 1
        sleep 0.3
    }
    type_into() {  # WINDOW_ID TEXT
        xdotool windowfocus --sync "$1" 2>/dev/null || true
        xdotool type --delay 30 -- "$2"
        sleep 0.2
    }

    # The positions come from a scratch copy, so the real program folder is left to the program.
    scratch=$(mktemp -d)
    cp -r "$program/." "$scratch/"
    rm -f "$scratch/korvalin"

    start_program "$exe"
    trap 'kill "$program_pid" 2>/dev/null || true; wait "$program_pid" 2>/dev/null || true; rm -rf "$scratch"' EXIT

    main=$(window 'Korvalin 1.2')
    click "$main" Main_form Label19                  # Add new
    add=$(window 'Add new emulator')
    click "$add" add_new Text1
    type_into "$add" Zeta
    click "$add" add_new Label9                      # "...": the open-file dialog
    browse=$(window 'Browse')
    type_into "$browse" "$emulators/emu.sh"
    xdotool key Return
    sleep 0.5
    click "$add" add_new Label8                      # OK
    click "$main" Main_form Label24                  # Switches
    switches=$(window 'Switches')
    click "$switches" switches_form Text3
    type_into "$switches" -fast
    click "$switches" switches_form Label3           # OK
    click "$main" Main_form Label13                  # the first switch button

    wait_for_file "$emulators/ran.txt" || { echo "FAIL: the emulator did not run" >&2; exit 1; }
    want=$(printf '%s\n-fast' "$(cd "$emulators" && pwd -P)")
    if [[ "$(cat "$emulators/ran.txt")" != "$want" ]]; then
        printf 'FAIL: the emulator ran as:\n%s\nexpected:\n%s\n' "$(cat "$emulators/ran.txt")" "$want" >&2
        exit 1
    fi
    echo "PASS: added through the dialogs, given a switch, and run with it"
    exit 0
fi

if [[ $# -ne 2 ]]; then
    echo "usage: $0 PATH/TO/korvalin PATH/TO/korvalin-drive" >&2
    exit 2
fi
exe=$(realpath "$1")
drive=$(realpath "$2")
copy_program_folder "$exe"
emulators="$work/my emus"
make_fake_emulator "$emulators"
run_inside_xvfb "$(realpath "$0")" "$work/Korvalin/$(basename "$exe")" "$drive" "$work/Korvalin" "$emulators"
