#!/usr/bin/env bash
# Takes the README's pictures from the real program on a virtual X server: the main window in the
# Midnight skin on a small catalogue, and the ePSXe editor with its video plug-in list open. Run it
# again whenever one of those windows changes; it writes docs/main-window.png and
# docs/epsxe-editor.png.
# Usage: bash scripts/screenshots.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tests/qt/xvfb_lib.sh"

if [[ "${1:-}" == --inside ]]; then
    exe=$2 drive=$3 program=$4 out=$5
    make_layout_copy "$program"
    start_program "$exe"
    screen=$KORVALIN_FRAMES/Xvfb_screen0

    # Cuts a window out of the screen into a small PNG: the window's own rectangle, its corners as
    # the skin's outline leaves them.
    save_window() {  # WINDOW_ID FILE
        local WINDOW X Y WIDTH HEIGHT SCREEN
        eval "$(xdotool getwindowgeometry --shell "$1")"
        convert "xwd:$screen" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -strip -colors 256 \
            -define png:compression-level=9 "$2"
    }

    main=$(wait_window "$main_title")
    # The second row selected, so that the about text and the selection both show.
    press "$main" 1 $(centre Main_form list_item2)
    xdotool mousemove 0 0                             # no pointer in the pictures
    sleep 0.5
    save_window "$main" "$out/main-window.png"

    click "$main" Main_form Label27                   # Configs
    configs=$(wait_window 'Configs')
    click "$configs" configs_form Label12             # Configure on the ePSXe tab
    editor=$(wait_window 'ePSXe configuration')
    click "$editor" ePSXe_config Picture1             # the video plug-in list
    xdotool mousemove 0 0
    sleep 0.6
    save_window "$editor" "$out/epsxe-editor.png"
    exit 0
fi

# The virtual X server and xdotool come with the tests' tools; ImageMagick cuts the windows out of the
# screen.
bash "$root/scripts/install-deps.sh" --tests imagemagick
export CMAKE_GENERATOR=${CMAKE_GENERATOR:-Ninja}
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target korvalin-program-folder korvalin-drive

copy_program_folder "$root/build/Korvalin/korvalin"
emus="$work/Emulators"
mkdir -p "$emus/ePSXe/plugins" "$emus/ePSXe/bios" "$emus/ePSXe/memcards" "$emus/PCSX" "$emus/Mednafen"
# Plug-ins as a person's folder holds them, built from the test plug-in: each reports its own name,
# version and kind.
plugin() {  # FILE NAME VERSION TYPE PREFIX
    cc -shared -fPIC -o "$emus/ePSXe/plugins/$1" "$root/tests/plugins/test_plugin.c" -DKV_NAME="\"$2\"" \
        -DKV_VERSION="$3" -DKV_TYPE="$4" -DKV_PREFIX="$5"
}
plugin gpuSoftware.so 'Software Video' 0x0109 2 GPU
plugin gpuOpenGL.so 'OpenGL Video' 0x0201 2 GPU
plugin gpuXVideo.so 'X Video' 0x0104 2 GPU
plugin spuOSS.so 'OSS Sound' 0x0106 4 SPU
plugin cdrImage.so 'Image Reader' 0x0102 1 CDR
plugin padJoystick.so 'Gamepad' 0x0100 8 PAD
: > "$emus/ePSXe/bios/scph1001.bin"
: > "$emus/ePSXe/memcards/epsxe000.mcr"
printf '#!/bin/sh\n' > "$emus/ePSXe/epsxe"
chmod +x "$emus/ePSXe/epsxe"
{
    printf '[PSX]\r\n'
    printf '%s\r\n' "ePSXe 2.0|$emus/ePSXe/|epsxe" "PCSX 1.5|$emus/PCSX/|pcsx" "Mednafen|$emus/Mednafen/|mednafen"
    printf '[%s]\r\n' PS2 NDS GB/GBA N64 DC GC Saturn S/NES Misc About
    printf '%s\r\n' 'PCSX 1.5|A PlayStation emulator that takes PSEmu Pro plug-ins for video, sound and CD images.' \
        end
    printf '[Switches]\r\n'
} > "$program/Data.kvl"
profiles="$program/Configurations/ePSXe"
mkdir -p "$profiles/emulator_configuration" "$profiles/plugin_configuration"
{
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\epsxe\\config]\r\n'
    printf '"%s"="%s"\r\n' VideoPlugin gpuSoftware.so SoundPlugin spuOSS.so CdromPlugin cdrImage.so \
        SoundEnabled 1 SoundXA 1 SoundCDDA 1 BiosName 'bios\\scph1001.bin' \
        Memcard1 'memcards\\epsxe000.mcr'
    printf '\r\n'
} > "$profiles/emulator_configuration/Default.reg"
printf 'REGEDIT4\r\n\r\n' > "$profiles/plugin_configuration/Default.reg"
export KORVALIN_SHOTS="$work/shots"
run_inside_xvfb "$0" "$program_exe" "$root/build/bin/korvalin-drive" "$program" "$root/docs"
ls -l "$root/docs/main-window.png" "$root/docs/epsxe-editor.png"
