#!/usr/bin/env bash
# Starts the program on a virtual X server with one emulator (a shell script) in the PSX section,
# double-clicks its row in the real window and checks that the script ran in its own folder.
# Usage: xvfb_run_emulator.sh PATH/TO/korvalin
set -euo pipefail
. "$(dirname "$(realpath "$0")")/xvfb_lib.sh"

title='Korvalin 1.2'
# Centre of row 1's click label: the list panel at 2055, 1185 twips, the label at 0, 30, 1935 x 255.
row_x=$(((2055 + 1935 / 2) / 15))
row_y=$(((1185 + 30 + 255 / 2) / 15))

if [[ "${1:-}" == --inside ]]; then
    exe=$2 emulator_folder=$3
    start_program "$exe"
    id=$(find_window "$title")
    sleep 0.5
    xdotool mousemove --window "$id" "$row_x" "$row_y" click --repeat 2 --delay 100 1
    if ! wait_for_file "$emulator_folder/ran.txt"; then
        echo "FAIL: the emulator did not run after the double click" >&2
        exit 1
    fi
    ran_in=$(head -n 1 "$emulator_folder/ran.txt")
    want=$(cd "$emulator_folder" && pwd -P)
    if [[ "$ran_in" != "$want" ]]; then
        echo "FAIL: the emulator ran in '$ran_in', expected '$want'" >&2
        exit 1
    fi
    echo "PASS: a double click on the row ran the emulator in $ran_in"
    exit 0
fi

if [[ $# -ne 1 ]]; then
    echo "usage: $0 PATH/TO/korvalin" >&2
    exit 2
fi
exe=$(realpath "$1")
copy_program_folder "$exe"
emulators="$work/my emus"
make_fake_emulator "$emulators"
printf '[PSX]\r\nScript|%s/|emu.sh\r\n[PS2]\r\n[NDS]\r\n[GB/GBA]\r\n[N64]\r\n[DC]\r\n[GC]\r\n[Saturn]\r\n[S/NES]\r\n[Misc]\r\n[About]\r\n[Switches]\r\n' \
    "$emulators" > "$work/Korvalin/Data.kvl"
run_inside_xvfb "$(realpath "$0")" "$work/Korvalin/$(basename "$exe")" "$emulators"
