#!/usr/bin/env bash
# Starts the program on a virtual X server with one emulator (a shell script) in the PSX section,
# double-clicks its row in the real window and checks that the script ran in its own folder.
# Usage: xvfb_run_emulator.sh PATH/TO/korvalin
set -euo pipefail

title='Korvalin 1.2'
# Centre of row 1's click label: the list panel at 2055, 1185 twips, the label at 0, 30, 1935 x 255.
row_x=$(((2055 + 1935 / 2) / 15))
row_y=$(((1185 + 30 + 255 / 2) / 15))

if [[ "${1:-}" == --inside ]]; then
    exe=$2 emulator_folder=$3
    QT_QPA_PLATFORM=xcb "$exe" &
    pid=$!
    trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT

    if ! id=$(timeout 20 xdotool search --sync --onlyvisible --name "^${title}\$" | head -n 1) || [[ -z "$id" ]]; then
        echo "FAIL: no visible window named '$title' within 20 s" >&2
        exit 1
    fi
    sleep 0.5
    xdotool mousemove --window "$id" "$row_x" "$row_y" click --repeat 2 --delay 100 1
    for _ in $(seq 100); do
        [[ -s "$emulator_folder/ran.txt" ]] && break
        sleep 0.1
    done
    if [[ ! -s "$emulator_folder/ran.txt" ]]; then
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
# A fresh copy of the program folder: the program keeps one instance per folder and writes into it.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$(dirname "$exe")" "$work/Korvalin"
emulators="$work/my emus"
mkdir -p "$emulators"
cat > "$emulators/emu.sh" <<'SCRIPT'
#!/bin/sh
{ pwd -P; for a in "$@"; do echo "$a"; done; } > "$(dirname "$0")/ran.tmp" && mv "$(dirname "$0")/ran.tmp" "$(dirname "$0")/ran.txt"
SCRIPT
chmod +x "$emulators/emu.sh"
printf '[PSX]\r\nScript|%s/|emu.sh\r\n[PS2]\r\n[NDS]\r\n[GB/GBA]\r\n[N64]\r\n[DC]\r\n[GC]\r\n[Saturn]\r\n[S/NES]\r\n[Misc]\r\n[About]\r\n[Switches]\r\n' \
    "$emulators" > "$work/Korvalin/Data.kvl"
xvfb-run -a -s '-screen 0 1280x1024x24' bash "$(realpath "$0")" --inside "$work/Korvalin/$(basename "$exe")" "$emulators"
