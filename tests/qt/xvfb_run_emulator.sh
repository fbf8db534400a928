#!/usr/bin/env bash
# Starts the program on a virtual X server with one emulator (a shell script) in the PSX section,
# double-clicks its row in the real window and checks that the script ran in its own folder.
# Usage: xvfb_run_emulator.sh PATH/TO/korvalin
set -euo pipefail
. "$(dirname "$(realpath "$0")")/xvfb_lib.sh"

# Centre of row 1's click label: the list panel at 2055, 1185 twips, the label at 0, 30, 1935 x 255.
row_x=$(((2055 + 1935 / 2) / 15))
row_y=$(((1185 + 30 + 255 / 2) / 15))

if [[ "${1:-}" == --inside ]]; then
    exe=$2 emulator_folder=$3
    start_program "$exe"
    id=$(find_window "$main_title")
    sleep 0.5
    xdotool mousemove --window "$id" "$row_x" "$row_y" click --repeat 2 --delay 100 1
    wait_for_file "$emulator_folder/ran.txt" || fail "the emulator did not run after the double click"
    ran_in=$(head -n 1 "$emulator_folder/ran.txt")
    want=$(cd "$emulator_folder" && pwd -P)
    [[ "$ran_in" == "$want" ]] || fail "the emulator ran in '$ran_in', expected '$want'"
    echo "PASS: a double click on the row ran the emulator in $ran_in"
    exit 0
fi

expect_arguments 1 PATH/TO/korvalin "$@"
copy_program_folder "$(realpath "$1")"
emulators="$work/my emus"
make_fake_emulator "$emulators"
write_catalogue "$program/Data.kvl" "Script|$emulators/|emu.sh"
run_inside_xvfb "$(realpath "$0")" "$program_exe" "$emulators"
