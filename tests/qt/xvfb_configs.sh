#!/usr/bin/env bash
# A person's road through the configs window on a virtual X server: open it with the main window's
# Configs button, add a profile through the new-profile dialog, add another on the PSXeven tab, go
# back to the ePSXe tab, delete the first profile and leave with Ok.
# With KORVALIN_SHOTS set to a folder, both windows are saved there as pictures to look at.
# Usage: xvfb_configs.sh PATH/TO/korvalin PATH/TO/korvalin-drive
set -euo pipefail
. "$(dirname "$(realpath "$0")")/xvfb_lib.sh"

if [[ "${1:-}" == --inside ]]; then
    exe=$2 drive=$3 program=$4
    make_layout_copy "$program"
    start_program "$exe"
    profiles="$program/Configurations"

    main=$(wait_window "$main_title")
    click "$main" Main_form Label27                  # Configs
    configs=$(wait_window 'Configs')
    expect_transient_for "$configs" "$main" 'The configs window'
    click "$configs" configs_form Label9             # Add new
    add=$(wait_window 'Add new config')
    expect_transient_for "$add" "$configs" 'The new-profile dialog'
    click "$add" add_profile Text1
    type_into "$add" 'My/profile'
    shoot add_profile
    click "$add" add_profile Label1                  # Ok
    [[ -f "$profiles/ePSXe/emulator_configuration/Myprofile.reg" ]] || fail "no profile written on the ePSXe tab"
    shoot configs_form

    click "$configs" configs_form Label6             # the PSXeven tab
    click "$configs" configs_form Label9
    add=$(wait_window 'Add new config')
    click "$add" add_profile Text1
    type_into "$add" 'Even'
    click "$add" add_profile Label1
    [[ -f "$profiles/PSXeven/plugin_configuration/Even.reg" ]] || fail "the PSXeven tab did not take the profile"

    click "$configs" configs_form Label5             # back to ePSXe
    click "$configs" configs_form Label11            # Delete
    [[ ! -e "$profiles/ePSXe/emulator_configuration/Myprofile.reg" ]] || fail "Delete left the profile"
    [[ -f "$profiles/PSXeven/emulator_configuration/Even.reg" ]] || fail "Delete took another tab's profile"

    click "$configs" configs_form Label1             # Ok
    window_gone Configs || fail "the configs window is still shown"
    # The main window takes its shortcuts again: Ctrl+C opens the configs window once more.
    xdotool windowfocus --sync "$main" 2>/dev/null || true
    xdotool key ctrl+c
    wait_window 'Configs' >/dev/null
    echo "PASS: a profile added, a tab switched, the profile deleted and the window left with Ok"
    exit 0
fi

expect_arguments 2 'PATH/TO/korvalin PATH/TO/korvalin-drive' "$@"
copy_program_folder "$(realpath "$1")"
run_inside_xvfb "$(realpath "$0")" "$program_exe" "$(realpath "$2")" "$program"
