#!/usr/bin/env bash
# A person's road through the configs window on a virtual X server: open it with the main window's
# Configs button, add a profile through the new-profile dialog, add another on the PSXeven tab, go
# back to the ePSXe tab, delete the first profile and leave with Ok.
# With KORVALIN_SHOTS set to a folder, both windows are saved there as pictures to look at.
# Usage: xvfb_configs.sh PATH/TO/korvalin PATH/TO/korvalin-drive
set -euo pipefail
here=$(dirname "$(realpath "$0")")
. "$here/xvfb_lib.sh"

if [[ "${1:-}" == --inside ]]; then
    exe=$2 drive=$3 program=$4 frames=${5:-}

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
    shoot() {  # NAME
        [[ -n "$frames" ]] && cp "$frames/Xvfb_screen0" "$KORVALIN_SHOTS/$1.xwd"
        return 0
    }
    fail() {
        echo "FAIL: $*" >&2
        exit 1
    }

    scratch=$(mktemp -d)
    cp -r "$program/." "$scratch/"
    rm -f "$scratch/korvalin"
    profiles="$program/Configurations"

    start_program "$exe"
    trap 'kill "$program_pid" 2>/dev/null || true; wait "$program_pid" 2>/dev/null || true; rm -rf "$scratch"' EXIT

    main=$(window 'Korvalin 1.2')
    click "$main" Main_form Label27                  # Configs
    configs=$(window 'Configs')
    click "$configs" configs_form Label9             # Add new
    add=$(window 'Add new config')
    click "$add" add_profile Text1
    type_into "$add" 'My/profile'
    shoot add_profile
    click "$add" add_profile Label1                  # Ok
    [[ -f "$profiles/ePSXe/emulator_configuration/Myprofile.reg" ]] || fail "no profile written on the ePSXe tab"
    shoot configs_form

    click "$configs" configs_form Label6             # the PSXeven tab
    click "$configs" configs_form Label9
    add=$(window 'Add new config')
    click "$add" add_profile Text1
    type_into "$add" 'Even'
    click "$add" add_profile Label1
    [[ -f "$profiles/PSXeven/plugin_configuration/Even.reg" ]] || fail "the PSXeven tab did not take the profile"

    click "$configs" configs_form Label5             # back to ePSXe
    click "$configs" configs_form Label11            # Delete
    [[ ! -e "$profiles/ePSXe/emulator_configuration/Myprofile.reg" ]] || fail "Delete left the profile"
    [[ -f "$profiles/PSXeven/emulator_configuration/Even.reg" ]] || fail "Delete took another tab's profile"

    click "$configs" configs_form Label1             # Ok
    sleep 0.5
    if xdotool search --onlyvisible --name '^Configs$' >/dev/null 2>&1; then fail "the configs window is still shown"; fi
    # The main window takes its shortcuts again: Ctrl+C opens the configs window once more.
    xdotool windowfocus --sync "$main" 2>/dev/null || true
    xdotool key ctrl+c
    window 'Configs' >/dev/null
    echo "PASS: a profile added, a tab switched, the profile deleted and the window left with Ok"
    exit 0
fi

if [[ $# -ne 2 ]]; then
    echo "usage: $0 PATH/TO/korvalin PATH/TO/korvalin-drive" >&2
    exit 2
fi
exe=$(realpath "$1")
drive=$(realpath "$2")
copy_program_folder "$exe"
if [[ -n "${KORVALIN_SHOTS:-}" ]]; then
    # The server keeps its screen in a file there, from which the pictures are taken.
    frames="$work/frames"
    mkdir -p "$frames" "$KORVALIN_SHOTS"
    xvfb-run -a -s "-screen 0 1280x1024x24 -fbdir $frames" bash "$(realpath "$0")" --inside \
        "$work/Korvalin/$(basename "$exe")" "$drive" "$work/Korvalin" "$frames"
else
    run_inside_xvfb "$(realpath "$0")" "$work/Korvalin/$(basename "$exe")" "$drive" "$work/Korvalin"
fi
