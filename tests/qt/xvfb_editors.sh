#!/usr/bin/env bash
# A person's road through the four emulator editors on a virtual X server: Configs, then for each
# emulator's tab Configure on a profile, pick a video plug-in from the drop-down, test it (the
# message box answers), close the message and leave the editor with Ok, which stores the pick.
# With KORVALIN_SHOTS set to a folder, each editor, its picker and the message are saved there.
# Usage: xvfb_editors.sh PATH/TO/korvalin PATH/TO/korvalin-drive TEST_PLUGINS_FOLDER
set -euo pipefail
. "$(dirname "$(realpath "$0")")/xvfb_lib.sh"

if [[ "${1:-}" == --inside ]]; then
    exe=$2 drive=$3 program=$4 emus=$5
    make_layout_copy "$program"
    start_program "$exe"

    main=$(wait_window "$main_title")
    click "$main" Main_form Label27                   # Configs
    configs=$(wait_window 'Configs')
    # Tab, window, title.
    for road in "Label5 ePSXe_config ePSXe" "Label6 PSXeven_config PSXeven" "Label7 PCSX_config PCSX" \
                "Label8 SSSPSX_config SSSPSX"; do
        read -r tab form name <<< "$road"
        click "$configs" configs_form "$tab"
        click "$configs" configs_form Label12         # Configure
        editor=$(find_window "$name configuration")
        expect_transient_for "$editor" "$configs" "The $name editor"
        sleep 0.6
        shoot "$form"
        click "$editor" "$form" Picture1              # the video picker's arrow
        sleep 0.4
        shoot "$form-picker"
        # The picker's first row lies under the box: its top edge 15 twips above the box's bottom.
        read -r x y w h <<< "$(control_place "$form" Picture33)"
        xdotool mousemove --window "$editor" "$(px "$((x + 600))")" "$(px "$((y + h - 15 + 105))")" click 1
        sleep 0.5
        click "$editor" "$form" Label22               # Test
        sleep 0.5
        message=$(xdotool search --onlyvisible --name "^$main_title\$" | grep -vx "$main" | head -n 1) || true
        [[ -n "$message" ]] || fail "no message box after the test in the $name editor"
        # The one message box, opened from each editor in turn, follows each.
        expect_transient_for "$message" "$editor" "The message box over the $name editor"
        shoot "$form-message"
        click "$message" messages_form Label43        # its Ok
        click "$editor" "$form" Label21               # the editor's Ok
        window_gone "$name configuration" || fail "the $name editor is still shown"
    done
    store=$(tr -d '\r' < "$KORVALIN_REGISTRY")
    grep -qxF '"VideoPlugin"="gpuAlpha.so"' <<< "$store" || fail "the ePSXe pick was not stored"
    grep -qxF '"GpuFilename"="plugins\\gpualpha.so"' <<< "$store" || fail "the PSXeven pick was not stored"
    grep -qxF '"Gpu"="gpuAlpha.so"' <<< "$store" || fail "the PCSX pick was not stored"
    tr -d '\r' < "$emus/ssspsx/SSSPSX.ini" | grep -qxF 'GPU=gpuAlpha.so' || fail "the SSSPSX pick was not stored"
    tr -d '\r' < "$program/Configurations/ePSXe/plugin_configuration/Road.reg" |
        grep -qxF '"Resolution"="2"' || fail "the plug-in key was not exported into the profile"
    echo "PASS: a video plug-in picked, tested and stored through each of the four editors"
    exit 0
fi

expect_arguments 3 'PATH/TO/korvalin PATH/TO/korvalin-drive TEST_PLUGINS_FOLDER' "$@"
copy_program_folder "$(realpath "$1")"
export KORVALIN_REGISTRY="$work/HKEY_CURRENT_USER.reg"
emus="$work/emus"
for emu in epsxe psxeven ssspsx pcsx; do
    plugins="$emus/$emu/plugins"
    [[ $emu == pcsx ]] && plugins="$emus/$emu/Plugin"
    mkdir -p "$plugins"
    cp "$3/gpuAlpha.so" "$3/gpuLogger.so" "$3/spuBeta.SO" "$plugins/"
done
write_catalogue "$program/Data.kvl" "ePSXe 1.9|$emus/epsxe/|epsxe" "PSXeven 7|$emus/psxeven/|x" \
    "PCSX 1.5|$emus/pcsx/|x" "SSSPSX 1.5|$emus/ssspsx/|x"
profiles="$program/Configurations"
for emu in ePSXe PSXeven PCSX SSSPSX; do
    mkdir -p "$profiles/$emu/emulator_configuration" "$profiles/$emu/plugin_configuration"
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Vision Thing\\PSEmu Pro\\GPU]\r\n"Resolution"="2"\r\n\r\n' \
        > "$profiles/$emu/plugin_configuration/Road.reg"
done
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\epsxe\\config]\r\n"SoundEnabled"="1"\r\n\r\n' \
    > "$profiles/ePSXe/emulator_configuration/Road.reg"
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\PSXeven7\\PS7gui\\Settings]\r\n"Memcard1"=""\r\n\r\n' \
    > "$profiles/PSXeven/emulator_configuration/Road.reg"
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Pcsx]\r\n"PluginsDir"="Plugin\\\\"\r\n"BiosDir"="Bios\\\\"\r\n\r\n' \
    > "$profiles/PCSX/emulator_configuration/Road.reg"
printf '[Plugins]\r\nBIOS=\r\nGPU=\r\nSPU=\r\nCDR=\r\nPAD1=\r\nPAD2=\r\nMCD1=\r\nMCD2=\r\n' \
    > "$profiles/SSSPSX/emulator_configuration/Road.reg"
run_inside_xvfb "$(realpath "$0")" "$program_exe" "$(realpath "$2")" "$program" "$emus"
