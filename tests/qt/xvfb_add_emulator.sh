#!/usr/bin/env bash
# A person's road through the real windows on a virtual X server: add an emulator (a shell script)
# through the add dialog and its file dialog, give it a switch in the switches editor (typed over
# what was selected with the keyboard), and run it with that switch from the main window's first
# switch button.
# Usage: xvfb_add_emulator.sh PATH/TO/korvalin PATH/TO/korvalin-drive
set -euo pipefail
. "$(dirname "$(realpath "$0")")/xvfb_lib.sh"

if [[ "${1:-}" == --inside ]]; then
    exe=$2 drive=$3 program=$4 emulators=$5
    make_layout_copy "$program"
    start_program "$exe"

    main=$(wait_window "$main_title")
    click "$main" Main_form Label19                  # Add new
    add=$(wait_window 'Add new emulator')
    click "$add" add_new Text1
    type_into "$add" Zeta
    click "$add" add_new Label9                      # "...": the open-file dialog
    browse=$(wait_window 'Browse')
    type_into "$browse" "$emulators/emu.sh"
    xdotool key Return
    sleep 0.5
    click "$add" add_new Label8                      # OK
    click "$main" Main_form Label24                  # Switches
    switches=$(wait_window 'Switches')
    click "$switches" switches_form Text3
    # What is typed over a selection replaces it: Ctrl+A, and Shift with an arrow.
    type_into "$switches" -slow
    xdotool key ctrl+a
    xdotool type --delay 30 -- -fastx
    xdotool key shift+Left BackSpace
    sleep 0.2
    click "$switches" switches_form Label3           # OK
    click "$main" Main_form Label13                  # the first switch button

    wait_for_file "$emulators/ran.txt" || fail "the emulator did not run"
    want=$(printf '%s\n-fast' "$(cd "$emulators" && pwd -P)")
    if [[ "$(cat "$emulators/ran.txt")" != "$want" ]]; then
        fail "$(printf 'the emulator ran as:\n%s\nexpected:\n%s' "$(cat "$emulators/ran.txt")" "$want")"
    fi
    echo "PASS: added through the dialogs, given a switch, and run with it"
    exit 0
fi

expect_arguments 2 'PATH/TO/korvalin PATH/TO/korvalin-drive' "$@"
copy_program_folder "$(realpath "$1")"
emulators="$work/my emus"
make_fake_emulator "$emulators"
run_inside_xvfb "$(realpath "$0")" "$program_exe" "$(realpath "$2")" "$program" "$emulators"
