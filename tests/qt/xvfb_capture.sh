#!/usr/bin/env bash
# The real windows never freeze when a button's release goes somewhere they do not hear of: a middle
# press that hides Options' rename box, and a right press whose release the text box's own menu takes.
# Afterwards the dialogs' buttons still answer a left click.
# Usage: xvfb_capture.sh PATH/TO/korvalin PATH/TO/korvalin-drive
set -euo pipefail
. "$(dirname "$(realpath "$0")")/xvfb_lib.sh"

if [[ "${1:-}" == --inside ]]; then
    exe=$2 drive=$3 program=$4

    # Where a control's centre is in its window, in pixels, after the driver lines given first.
    centre_after() {  # LINES WINDOW CONTROL
        local out
        out=$(printf 'folder %s\nstart\n%bget %s.%s.WindowX\nget %s.%s.WindowY\nget %s.%s.Width\nget %s.%s.Height\n' \
            "$scratch" "$1" "$2" "$3" "$2" "$3" "$2" "$3" "$2" "$3" | "$drive" 2>/dev/null)
        read -r x y w h <<< "$(echo $out)"
        echo "$(awk -v a="$x" -v b="$w" 'BEGIN { printf "%d", (a + b / 2) / 15 }') $(awk -v a="$y" -v b="$h" 'BEGIN { printf "%d", (a + b / 2) / 15 }')"
    }
    centre() { centre_after "" "$1" "$2"; }
    press() {  # WINDOW_ID BUTTON X Y
        xdotool mousemove --window "$1" "$3" "$4" click "$2"
        sleep 0.4
    }
    gone() {  # TITLE
        for _ in $(seq 30); do
            xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
            sleep 0.1
        done
        return 1
    }

    scratch=$(mktemp -d)
    cp -r "$program/." "$scratch/"
    rm -f "$scratch/korvalin"
    start_program "$exe"
    trap 'kill "$program_pid" 2>/dev/null || true; wait "$program_pid" 2>/dev/null || true; rm -rf "$scratch"' EXIT

    main=$(find_window 'Korvalin 1.2')
    sleep 0.4

    # Options: a middle press opens the rename box, a middle press on the box commits and hides it.
    press "$main" 1 $(centre Main_form Label26)
    options=$(find_window Options)
    sleep 0.4
    press "$options" 2 $(centre options_form Label38)
    box=$(centre_after 'click Main_form.Label26\ndown options_form.Label38 4\nup options_form.Label38 4\n' options_form Text1)
    press "$options" 2 $box
    press "$options" 1 $(centre options_form Label28)   # Cancel
    gone Options || { echo "FAIL: Options took no click after the rename box hid under the mouse" >&2; exit 1; }

    # Add new: a right press opens the name box's own menu, which takes the release.
    press "$main" 1 $(centre Main_form Label19)
    add=$(find_window 'Add new emulator')
    sleep 0.4
    name=$(centre add_new Text1)
    press "$add" 3 $name
    xdotool key Escape
    sleep 0.3
    press "$add" 1 $name
    xdotool type --delay 30 Zeta
    sleep 0.2
    press "$add" 1 $(centre add_new Label8)             # OK
    gone 'Add new emulator' || { echo "FAIL: the add dialog took no click after its text box's menu" >&2; exit 1; }

    press "$main" 1 $(centre Main_form Picture11)       # close: saves the catalogue
    wait_for_file "$program/Data.kvl" || true
    for _ in $(seq 50); do grep -q '^Zeta|' "$program/Data.kvl" 2>/dev/null && break; sleep 0.1; done
    grep -q '^Zeta|Unknown|Unknown' "$program/Data.kvl" || { echo "FAIL: the added emulator was not saved" >&2; exit 1; }
    echo "PASS: both dialogs answered after a release they never saw"
    exit 0
fi

if [[ $# -ne 2 ]]; then
    echo "usage: $0 PATH/TO/korvalin PATH/TO/korvalin-drive" >&2
    exit 2
fi
exe=$(realpath "$1")
drive=$(realpath "$2")
copy_program_folder "$exe"
run_inside_xvfb "$(realpath "$0")" "$work/Korvalin/$(basename "$exe")" "$drive" "$work/Korvalin"
