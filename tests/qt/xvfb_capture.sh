#!/usr/bin/env bash
# The real windows never freeze when a button's release goes somewhere they do not hear of: a middle
# press that hides Options' rename box, and a right press whose release the text box's own menu takes.
# Afterwards the dialogs' buttons still answer a left click.
# Usage: xvfb_capture.sh PATH/TO/korvalin PATH/TO/korvalin-drive
set -euo pipefail
. "$(dirname "$(realpath "$0")")/xvfb_lib.sh"

if [[ "${1:-}" == --inside ]]; then
    exe=$2 drive=$3 program=$4
    make_layout_copy "$program"
    start_program "$exe"

    main=$(wait_window "$main_title")

    # Options: a middle press opens the rename box, a middle press on the box commits and hides it.
    click "$main" Main_form Label26
    options=$(wait_window Options)
    expect_transient_for "$options" "$main" Options
    press "$options" 2 $(centre options_form Label38)
    box=$(centre options_form Text1 'click Main_form.Label26\ndown options_form.Label38 4\nup options_form.Label38 4\n')
    press "$options" 2 $box
    click "$options" options_form Label28            # Cancel
    window_gone Options || fail "Options took no click after the rename box hid under the mouse"

    # Add new: a right press opens the name box's own menu, which takes the release.
    click "$main" Main_form Label19
    add=$(wait_window 'Add new emulator')
    expect_transient_for "$add" "$main" 'The add dialog'
    name=$(centre add_new Text1)
    press "$add" 3 $name
    xdotool key Escape
    sleep 0.3
    press "$add" 1 $name
    xdotool type --delay 30 Zeta
    sleep 0.2
    click "$add" add_new Label8                      # OK
    window_gone 'Add new emulator' || fail "the add dialog took no click after its text box's menu"

    click "$main" Main_form Picture11                # close: saves the catalogue
    wait_for_file "$program/Data.kvl" || true
    for _ in $(seq 50); do grep -q '^Zeta|' "$program/Data.kvl" 2>/dev/null && break; sleep 0.1; done
    grep -q '^Zeta|Unknown|Unknown' "$program/Data.kvl" || fail "the added emulator was not saved"
    echo "PASS: both dialogs answered after a release they never saw"
    exit 0
fi

expect_arguments 2 'PATH/TO/korvalin PATH/TO/korvalin-drive' "$@"
copy_program_folder "$(realpath "$1")"
run_inside_xvfb "$(realpath "$0")" "$program_exe" "$(realpath "$2")" "$program"
