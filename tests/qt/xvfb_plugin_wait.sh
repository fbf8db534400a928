#!/usr/bin/env bash
# The real program waiting for a plug-in, on a virtual X server with a real mouse: a click on the
# editor while a plug-in's configure runs is dropped, not run when the plug-in returns; a click once
# the wait has gone on offers to stop the plug-in, and Yes gives the editor back; and a helper blocked
# in a plug-in ends with the program, whether it is ended with SIGTERM or killed.
# Usage: xvfb_plugin_wait.sh PATH/TO/korvalin PATH/TO/korvalin-drive TEST_PLUGINS_FOLDER
set -euo pipefail
. "$(dirname "$(realpath "$0")")/xvfb_lib.sh"

# Configs, then Configure on the ePSXe profile: sets $editor.
open_editor() {
    main=$(wait_window "$main_title")
    click "$main" Main_form Label27
    configs=$(wait_window 'Configs')
    click "$configs" configs_form Label12
    editor=$(find_window "ePSXe configuration")
    sleep 0.6
}

# The visible windows titled as the main window, the main window itself left out.
other_windows() {
    xdotool search --onlyvisible --name "^$main_title\$" | grep -vx "$main" || true
}

# The program's plug-in helper, once one runs.
helper_of() {  # PROGRAM_PID
    local pid
    for _ in $(seq 50); do
        pid=$(pgrep -P "$1" -f korvalin-plugin-host | head -n 1) || true
        [[ -n "$pid" ]] && { echo "$pid"; return 0; }
        sleep 0.1
    done
    fail "no plug-in helper started"
}

gone_within_5s() {  # PID
    for _ in $(seq 50); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

if [[ "${1:-}" == --inside ]]; then
    exe=$2 drive=$3 program=$4 emus=$5
    plugins="$emus/epsxe/plugins"
    make_layout_copy "$program"
    start_program "$exe"
    open_editor
    # Places are taken before the clicks, so that nothing between them takes time.
    read -r gpu_x gpu_y <<< "$(centre ePSXe_config Label23)"     # video Configure: 4 s
    read -r spu_x spu_y <<< "$(centre ePSXe_config Label26)"     # sound Configure: never returns
    read -r sound_x sound_y <<< "$(centre ePSXe_config Label37)" # the "Enable sound" box

    # A click on the box while the video plug-in's configure runs.
    press "$editor" 1 "$gpu_x" "$gpu_y"
    xdotool mousemove --window "$editor" "$sound_x" "$sound_y" click 1
    shoot busy-wait
    wait_for_file "$plugins/gpuSlowCalls.so.log" || fail "the video plug-in's configure did not run"
    sleep 0.5
    [[ -z "$(other_windows)" ]] || fail "a click made at once asked to stop the plug-in"

    # The sound plug-in's configure never returns: a click once it has run a while asks.
    press "$editor" 1 "$spu_x" "$spu_y"
    sleep 1.5
    xdotool mousemove --window "$editor" "$sound_x" "$sound_y" click 1
    question=""
    for _ in $(seq 50); do
        question=$(other_windows | head -n 1)
        [[ -n "$question" ]] && break
        sleep 0.1
    done
    [[ -n "$question" ]] || fail "no offer to stop the plug-in"
    shoot stop-question
    expect_transient_for "$question" "$editor" 'The offer to stop the plug-in'
    xdotool windowfocus --sync "$question" 2>/dev/null || true
    xdotool key --clearmodifiers y
    window_id_gone "$question" || fail "the offer to stop the plug-in stayed open"
    sleep 0.5
    click "$editor" ePSXe_config Label21 # the editor's Ok: the editor answers again
    window_gone "ePSXe configuration" || fail "the editor did not answer after the plug-in was stopped"
    tr -d '\r' < "$KORVALIN_REGISTRY" | grep -qxF '"SoundEnabled"="1"' ||
        fail "a click made while a plug-in ran changed the editor"

    # Ended from outside while a helper is blocked in a plug-in: the helper ends too.
    for signal in TERM KILL; do
        click "$configs" configs_form Label12
        editor=$(find_window "ePSXe configuration")
        sleep 0.6
        press "$editor" 1 "$spu_x" "$spu_y"
        helper=$(helper_of "$program_pid")
        kill -s "$signal" "$program_pid"
        wait "$program_pid" 2>/dev/null || true
        gone_within_5s "$helper" || fail "the plug-in helper outlived the program (SIG$signal)"
        if [[ $signal == TERM ]]; then
            start_program "$exe"
            open_editor
            click "$editor" ePSXe_config Label21
        fi
    done
    echo "PASS: input during a plug-in's call dropped, the plug-in stopped on request, no helper left behind"
    exit 0
fi

expect_arguments 3 'PATH/TO/korvalin PATH/TO/korvalin-drive TEST_PLUGINS_FOLDER' "$@"
copy_program_folder "$(realpath "$1")"
emus="$work/emus"
mkdir -p "$emus/epsxe/plugins"
cp "$3/gpuSlowCalls.so" "$3/spuHangCalls.so" "$emus/epsxe/plugins/"
write_catalogue "$program/Data.kvl" "ePSXe 1.9|$emus/epsxe/|epsxe"
profiles="$program/Configurations/ePSXe"
mkdir -p "$profiles/emulator_configuration" "$profiles/plugin_configuration"
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\epsxe\\config]\r\n"SoundEnabled"="1"\r\n"VideoPlugin"="gpuSlowCalls.so"\r\n"SoundPlugin"="spuHangCalls.so"\r\n\r\n' \
    > "$profiles/emulator_configuration/Waiting.reg"
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Vision Thing\\PSEmu Pro\\GPU]\r\n"Resolution"="2"\r\n\r\n' \
    > "$profiles/plugin_configuration/Waiting.reg"
run_inside_xvfb "$(realpath "$0")" "$program_exe" "$(realpath "$2")" "$program" "$emus"
