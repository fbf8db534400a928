#!/usr/bin/env bash
# Starts the program on a virtual X server and checks that its main window shows frameless, at the
# main window's size in pixels (8775 x 3540 twips at 15 twips per pixel).
# Usage: xvfb_main_window.sh PATH/TO/korvalin
set -euo pipefail
. "$(dirname "$(realpath "$0")")/xvfb_lib.sh"

want_width=585
want_height=236

if [[ "${1:-}" == --inside ]]; then
    start_program "$2"
    id=$(find_window "$main_title")
    info=$(xwininfo -id "$id")
    width=$(awk '/^ *Width:/ {print $2}' <<<"$info")
    height=$(awk '/^ *Height:/ {print $2}' <<<"$info")
    if [[ "$width" != "$want_width" || "$height" != "$want_height" ]]; then
        fail "the main window is ${width}x${height}, expected ${want_width}x${want_height}"
    fi
    # Frameless: the Motif hints ask for decorations (flag 0x2) and give none (third field 0).
    hints=$(xprop -id "$id" _MOTIF_WM_HINTS)
    if ! [[ "$hints" =~ =\ 0x[0-9a-f]*[2367abef],\ 0x[0-9a-f]+,\ 0x0(,|$) ]]; then
        fail "the main window asks for decorations: $hints"
    fi
    # Nothing but the window itself: its frame, if a window manager had made one, would be its parent.
    parent=$(xwininfo -children -id "$id" | awk '/Parent window id:/ {print $4}')
    root=$(xwininfo -root | awk '/Window id:/ {print $4}')
    [[ "$parent" == "$root" ]] || fail "the main window is inside another window ($parent)"
    echo "PASS: '$main_title' ${width}x${height}, frameless"
    exit 0
fi

expect_arguments 1 PATH/TO/korvalin "$@"
copy_program_folder "$(realpath "$1")"
run_inside_xvfb "$(realpath "$0")" "$program_exe"
