#!/usr/bin/env bash
# The drop-down picker of an editor dragged to the bottom of a virtual X server's screen: it opens
# above its box, whole on the screen; Escape, a press outside it, a second press on its arrow and a
# press on the editor each close it without a choice; the editor then takes input and its Ok stores
# the plug-in it showed before.
# Usage: xvfb_picker.sh PATH/TO/korvalin PATH/TO/korvalin-drive TEST_PLUGINS_FOLDER
set -euo pipefail
. "$(dirname "$(realpath "$0")")/xvfb_lib.sh"

screen_height=1024
picker_width=185   # 2775 twips

# The picker's window id, when it shows: the program's shown window of the picker's width.
picker() {
    local id WIDTH X Y HEIGHT SCREEN WINDOW
    for id in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        if [[ "$WIDTH" == "$picker_width" ]]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

# Waits up to 3 s for the picker to show.
picker_shown() {
    for _ in $(seq 30); do
        picker >/dev/null && return 0
        sleep 0.1
    done
    fail "the picker did not open"
}

# Fails unless the picker is gone within 3 s and stays gone.
picker_closed() {  # HOW
    for _ in $(seq 30); do
        if ! picker >/dev/null; then
            sleep 0.6
            picker >/dev/null && fail "the picker opened again after $1"
            return 0
        fi
        sleep 0.1
    done
    fail "the picker stayed open after $1"
}

if [[ "${1:-}" == --inside ]]; then
    exe=$2 drive=$3 program=$4
    make_layout_copy "$program"
    start_program "$exe"

    main=$(wait_window "$main_title")
    click "$main" Main_form Label27                    # Configs
    configs=$(wait_window 'Configs')
    click "$configs" configs_form Label5               # the ePSXe tab
    click "$configs" configs_form Label12              # Configure
    editor=$(find_window 'ePSXe configuration')
    sleep 0.6

    # Dragged by its title until the video box's bottom edge is 6 pixels above the screen's.
    read -r _ box_y _ box_h <<< "$(control_place ePSXe_config Picture33)"
    box_top=$(px "$box_y")
    editor_y=$((screen_height - 6 - $(px "$((box_y + box_h))")))
    eval "$(xdotool getwindowgeometry --shell "$editor")"
    xdotool mousemove $((X + 100)) $((Y + 12)) mousedown 1
    sleep 0.2
    xdotool mousemove $((X + 100)) $((editor_y + 12))
    sleep 0.3
    xdotool mouseup 1
    sleep 0.3
    eval "$(xdotool getwindowgeometry --shell "$editor")"
    [[ "$Y" == "$editor_y" ]] || fail "the editor was dragged to $Y, not $editor_y"
    editor_x=$X

    click "$editor" ePSXe_config Picture1              # the video picker's arrow
    picker_shown
    expect_transient_for "$(picker)" "$editor" 'The picker'
    shoot picker-above
    eval "$(xdotool getwindowgeometry --shell "$(picker)")"
    ((Y + HEIGHT <= screen_height)) || fail "the picker runs past the screen's bottom: $Y + $HEIGHT"
    ((Y + HEIGHT == editor_y + box_top + 1)) ||
        fail "the picker ends at $((Y + HEIGHT)), not on the box's top edge ($((editor_y + box_top)))"

    xdotool key Escape
    picker_closed Escape
    click "$editor" ePSXe_config Picture1
    picker_shown
    xdotool mousemove 5 5 click 1                      # the empty desktop
    picker_closed "a press outside"
    click "$editor" ePSXe_config Picture1
    picker_shown
    click "$editor" ePSXe_config Picture1              # the arrow again
    picker_closed "a second press on the arrow"
    click "$editor" ePSXe_config Picture1
    picker_shown
    # The editor's title band right of the list: the list opened above its box may cover the band
    # where it stands, the more so in a face with taller rows, and a press there is a pick.
    eval "$(xdotool getwindowgeometry --shell "$(picker)")"
    band_x=$((X + WIDTH + 20 - editor_x))
    eval "$(xdotool getwindowgeometry --shell "$editor")"
    ((band_x < WIDTH)) || fail "the editor has no title band right of the picker"
    press "$editor" 1 "$band_x" 20
    picker_closed "a press on the editor"

    # The editor takes input again: dragged back up, its Ok closes it.
    xdotool mousemove $((editor_x + 100)) $((editor_y + 12)) mousedown 1
    sleep 0.2
    xdotool mousemove $((editor_x + 100)) 112
    sleep 0.3
    xdotool mouseup 1
    sleep 0.3
    click "$editor" ePSXe_config Label21
    window_gone 'ePSXe configuration' || fail "the editor did not close with its Ok"
    tr -d '\r' < "$KORVALIN_REGISTRY" | grep -qxF '"VideoPlugin"="gpuLogger.so"' ||
        fail "closing the picker changed the video plug-in"
    echo "PASS: the picker opens above its box at the screen's bottom and closes without a choice"
    exit 0
fi

expect_arguments 3 'PATH/TO/korvalin PATH/TO/korvalin-drive TEST_PLUGINS_FOLDER' "$@"
copy_program_folder "$(realpath "$1")"
emus="$work/emus"
mkdir -p "$emus/epsxe/plugins"
cp "$3/gpuAlpha.so" "$3/gpuLogger.so" "$emus/epsxe/plugins/"
write_catalogue "$program/Data.kvl" "ePSXe 1.9|$emus/epsxe/|epsxe"
profiles="$program/Configurations/ePSXe"
mkdir -p "$profiles/emulator_configuration" "$profiles/plugin_configuration"
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\epsxe\\config]\r\n"VideoPlugin"="gpuLogger.so"\r\n\r\n' \
    > "$profiles/emulator_configuration/Low.reg"
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Vision Thing\\PSEmu Pro\\GPU]\r\n"Resolution"="2"\r\n\r\n' \
    > "$profiles/plugin_configuration/Low.reg"
run_inside_xvfb "$(realpath "$0")" "$program_exe" "$(realpath "$2")" "$program"
