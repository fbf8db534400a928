#!/usr/bin/env bash
# Starts the program on a virtual X server and checks that its main window shows frameless, at the
# main window's size in pixels (8775 x 3540 twips at 15 twips per pixel).
# Usage: xvfb_check.sh PATH/TO/korvalin
set -euo pipefail
. "$(dirname "$(realpath "$0")")/xvfb_lib.sh"

title='Korvalin 1.2'
want_width=585
want_height=236

if [[ "${1:-}" == --inside ]]; then
    start_program "$2"
    id=$(find_window "$title")
    info=$(xwininfo -id "$id")
    width=$(awk '/^ *Width:/ {print $2}' <<<"$info")
    height=$(awk '/^ *Height:/ {print $2}' <<<"$info")
    if [[ "$width" != "$want_width" || "$height" != "$want_height" ]]; then
        echo "FAIL: the main window is ${width}x${height}, expected ${want_width}x${want_height}" >&2
        exit 1
    fi
    # Frameless: the Motif hints ask for decorations (flag 0x2) and give none (third field 0).
    hints=$(xprop -id "$id" _MOTIF_WM_HINTS)
    if ! [[ "$hints" =~ =\ 0x[0-9a-f]*[2367abef],\ 0x[0-9a-f]+,\ 0x0(,|$) ]]; then
        echo "FAIL: the main window asks for decorations: $hints" >&2
        exit 1
    fi
    # Nothing but the window itself: its frame, if a window manager had made one, would be its parent.
    parent=$(xwininfo -children -id "$id" | awk '/Parent window id:/ {print $4}')
    root=$(xwininfo -root | awk '/Window id:/ {print $4}')
    if [[ "$parent" != "$root" ]]; then
        echo "FAIL: the main window is inside another window ($parent)" >&2
        exit 1
    fi
    echo "PASS: '$title' ${width}x${height}, frameless"
    exit 0
fi

if [[ $# -ne 1 ]]; then
    echo "usage: $0 PATH/TO/korvalin" >&2
    exit 2
fi
exe=$(realpath "$1")
copy_program_folder "$exe"
run_inside_xvfb "$(realpath "$0")" "$work/Korvalin/$(basename "$exe")"
