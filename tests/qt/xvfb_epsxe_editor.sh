#!/usr/bin/env bash
# A person's road through the ePSXe editor on a virtual X server: Configs, Configure on a profile,
# pick a video plug-in from the drop-down, test it (the message box answers), close the message and
# leave the editor with Ok, which stores the pick and exports the profile.
# With KORVALIN_SHOTS set to a folder, the editor, its picker and the message are saved there.
# Usage: xvfb_epsxe_editor.sh PATH/TO/korvalin PATH/TO/korvalin-drive TEST_PLUGINS_FOLDER
set -euo pipefail
here=$(dirname "$(realpath "$0")")
. "$here/xvfb_lib.sh"

if [[ "${1:-}" == --inside ]]; then
    exe=$2 drive=$3 program=$4 frames=${5:-}

    # A control's place in its window, in twips: left, top, width, height.
    place() {  # WINDOW CONTROL
        printf 'folder %s\nstart\nget %s.%s.WindowX\nget %s.%s.WindowY\nget %s.%s.Width\nget %s.%s.Height\n' \
            "$scratch" "$1" "$2" "$1" "$2" "$1" "$2" "$1" "$2" | "$drive" | tr '\n' ' '
    }
    px() { awk -v t="$1" 'BEGIN { printf "%d", t / 15 }'; }
    click() {  # WINDOW_ID WINDOW CONTROL
        local x y w h
        read -r x y w h <<< "$(place "$2" "$3")"
        xdotool mousemove --window "$1" "$(px "$((x + w / 2))")" "$(px "$((y + h / 2))")" click 1
        sleep 0.4
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

    start_program "$exe"
    trap 'kill "$program_pid" 2>/dev/null || true; wait "$program_pid" 2>/dev/null || true; rm -rf "$scratch"' EXIT

    main=$(find_window 'Korvalin 1.2')
    sleep 0.4
    click "$main" Main_form Label27                   # Configs
    configs=$(find_window 'Configs')
    sleep 0.4
    click "$configs" configs_form Label12             # Configure
    editor=$(find_window 'ePSXe configuration')
    sleep 0.6
    shoot editor
    click "$editor" ePSXe_config Picture1             # the video picker's arrow
    sleep 0.4
    shoot picker
    # The picker's first row lies under the box: its top edge 15 twips above the box's bottom.
    read -r x y w h <<< "$(place ePSXe_config Picture33)"
    xdotool mousemove --window "$editor" "$(px "$((x + 600))")" "$(px "$((y + h - 15 + 105))")" click 1
    sleep 0.5
    click "$editor" ePSXe_config Label22              # Test
    sleep 0.5
    message=$(xdotool search --onlyvisible --name '^Korvalin 1.2$' | grep -vx "$main" | head -n 1) || true
    [[ -n "$message" ]] || fail "no message box after the test"
    shoot message
    click "$message" messages_form Label43            # its Ok
    click "$editor" ePSXe_config Label21              # the editor's Ok
    sleep 0.5
    if xdotool search --onlyvisible --name '^ePSXe configuration$' >/dev/null 2>&1; then
        fail "the editor is still shown"
    fi
    tr -d '\r' < "$KORVALIN_REGISTRY" | grep -qxF '"VideoPlugin"="gpuAlpha.so"' || fail "the pick was not stored"
    tr -d '\r' < "$program/Configurations/ePSXe/emulator_configuration/Road.reg" |
        grep -qxF '"VideoPlugin"="gpuAlpha.so"' || fail "the emulator key was not exported into the profile"
    tr -d '\r' < "$program/Configurations/ePSXe/plugin_configuration/Road.reg" |
        grep -qxF '"Resolution"="2"' || fail "the plug-in key was not exported into the profile"
    echo "PASS: a video plug-in picked, tested and stored through the ePSXe editor"
    exit 0
fi

if [[ $# -ne 3 ]]; then
    echo "usage: $0 PATH/TO/korvalin PATH/TO/korvalin-drive TEST_PLUGINS_FOLDER" >&2
    exit 2
fi
exe=$(realpath "$1")
drive=$(realpath "$2")
copy_program_folder "$exe"
export KORVALIN_REGISTRY="$work/HKEY_CURRENT_USER.reg"
mkdir -p "$work/emu/plugins"
cp "$3/gpuAlpha.so" "$3/gpuLogger.so" "$3/spuBeta.SO" "$work/emu/plugins/"
printf '[PSX]\r\nePSXe 1.9|%s/emu/|epsxe\r\n[PS2]\r\n[NDS]\r\n[GB/GBA]\r\n[N64]\r\n[DC]\r\n[GC]\r\n[Saturn]\r\n[S/NES]\r\n[Misc]\r\n[About]\r\n[Switches]\r\n' \
    "$work" > "$work/Korvalin/Data.kvl"
profile="$work/Korvalin/Configurations/ePSXe"
mkdir -p "$profile/emulator_configuration" "$profile/plugin_configuration"
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\epsxe\\config]\r\n"SoundEnabled"="1"\r\n\r\n' \
    > "$profile/emulator_configuration/Road.reg"
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Vision Thing\\PSEmu Pro\\GPU]\r\n"Resolution"="2"\r\n\r\n' \
    > "$profile/plugin_configuration/Road.reg"
if [[ -n "${KORVALIN_SHOTS:-}" ]]; then
    frames="$work/frames"
    mkdir -p "$frames" "$KORVALIN_SHOTS"
    xvfb-run -a -s "-screen 0 1280x1024x24 -fbdir $frames" bash "$(realpath "$0")" --inside \
        "$work/Korvalin/$(basename "$exe")" "$drive" "$work/Korvalin" "$frames"
else
    run_inside_xvfb "$(realpath "$0")" "$work/Korvalin/$(basename "$exe")" "$drive" "$work/Korvalin"
fi
