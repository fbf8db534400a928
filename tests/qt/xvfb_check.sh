#!/usr/bin/env bash
# Starts the program on a virtual X server and checks that its main window shows frameless, at the
# main window's size in pixels (8775 x 3540 twips at 15 twips per pixel).
# Usage: xvfb_check.sh PATH/TO/korvalin
set -euo pipefail

title='Korvalin 1.2'
want_width=585
want_height=236

if [[ "${1:-}" == --inside ]]; then
    exe=$2
    # X11 is what the program is built for; a platform chosen for the other tests must not leak in.
    QT_QPA_PLATFORM=xcb "$exe" &
    pid=$!
    trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT

    if ! id=$(timeout 20 xdotool search --sync --onlyvisible --name "^${title}\$" | head -n 1) || [[ -z "$id" ]]; then
        echo "FAIL: no visible window named '$title' within 20 s" >&2
        exit 1
    fi
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
# A fresh copy of the program folder: the program keeps one instance per folder and writes into it.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$(dirname "$exe")" "$work/Korvalin"
xvfb-run -a -s '-screen 0 1280x1024x24' bash "$(realpath "$0")" --inside "$work/Korvalin/$(basename "$exe")"
