#!/usr/bin/env bash
# A person's road through the real windows on a virtual X server: choose another skin in the skin
# browser, another language and another font from the options window, close the program, and find
# all three saved in Config.ini.
# Usage: xvfb_browsers.sh PATH/TO/korvalin PATH/TO/korvalin-drive
set -euo pipefail
. "$(dirname "$(realpath "$0")")/xvfb_lib.sh"

if [[ "${1:-}" == --inside ]]; then
    exe=$2 drive=$3 program=$4

    # Where a control's centre is in its window, in pixels, as the window model places it.
    centre() {  # WINDOW CONTROL
        local out
        out=$(printf 'folder %s\nstart\nget %s.%s.WindowX\nget %s.%s.WindowY\nget %s.%s.Width\nget %s.%s.Height\n' \
            "$scratch" "$1" "$2" "$1" "$2" "$1" "$2" "$1" "$2" | "$drive")
        read -r x y w h <<< "$(echo $out)"
        echo "$(awk -v a="$x" -v b="$w" 'BEGIN { printf "%d", (a + b / 2) / 15 }') $(awk -v a="$y" -v b="$h" 'BEGIN { printf "%d", (a + b / 2) / 15 }')"
    }
    window() {  # TITLE
        find_window "$1"
        sleep 0.4
    }
    click() {  # WINDOW_ID WINDOW CONTROL
        local at
        at=$(centre "$2" "$3")
        xdotool mousemove --window "$1" $at click 1
        sleep 0.4
    }
    gone() {  # WINDOW_ID
        for _ in $(seq 50); do
            xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qx "$1" || return 0
            sleep 0.1
        done
        echo "FAIL: window $1 is still open" >&2
        exit 1
    }

    scratch=$(mktemp -d)
    cp -r "$program/." "$scratch/"
    rm -f "$scratch/korvalin"

    start_program "$exe"
    trap 'kill "$program_pid" 2>/dev/null || true; wait "$program_pid" 2>/dev/null || true; rm -rf "$scratch"' EXIT

    main=$(window 'Korvalin 1.2')
    click "$main" Main_form Label25                  # Skins
    skins=$(window 'Skin Browser')
    click "$skins" skin_browser Label3               # the first row: amber
    click "$skins" skin_browser Label14              # Ok
    gone "$skins"

    click "$main" Main_form Label26                  # Options
    options=$(window 'Options')
    click "$options" options_form Label43            # the language's Change
    languages=$(window 'Language browser')
    click "$languages" language_browser Label29      # the first row: Deutsch
    click "$languages" language_browser Label5       # Ok
    gone "$languages"

    click "$options" options_form Label51            # the font's Change
    fonts=$(window 'Font browser')
    click "$fonts" font_browser Label30              # the second font of the list
    click "$fonts" font_browser Label10              # Bold
    click "$fonts" font_browser Label5               # Ok
    gone "$fonts"
    click "$options" options_form Label28            # close the options window
    gone "$options"
    click "$main" Main_form Picture11                # the close button

    for _ in $(seq 100); do
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.1
    done
    config=$(tr -d '\r' < "$program/Config.ini")
    fail=0
    grep -qx 'Skin = amber' <<< "$config" || { echo "FAIL: the skin was not saved" >&2; fail=1; }
    grep -qx 'Language = Deutsch' <<< "$config" || { echo "FAIL: the language was not saved" >&2; fail=1; }
    font=$(grep '^Font = ' <<< "$config" || true)
    if [[ "$font" == 'Font = Microsoft Sans Serif|'* || "$font" != *'|True|False' ]]; then
        echo "FAIL: the font was not saved: $font" >&2
        fail=1
    fi
    [[ $fail == 0 ]] || { echo "$config" >&2; exit 1; }
    echo "PASS: skin, language and font chosen in their browsers and saved"
    exit 0
fi

if [[ $# -ne 2 ]]; then
    echo "usage: $0 PATH/TO/korvalin PATH/TO/korvalin-drive" >&2
    exit 2
fi
exe=$(realpath "$1")
drive=$(realpath "$2")
copy_program_folder "$exe"
# A second skin (the Midnight pictures with red titles) and a second language.
mkdir -p "$work/Korvalin/Skins/amber"
for picture in "$work/Korvalin/Skins/Midnight/"*.bmp; do
    ln -s "../Midnight/$(basename "$picture")" "$work/Korvalin/Skins/amber/"
done
sed -e '1s/.*/Author = Tester\r/' -e '6s/=.*/= 255\r/' "$work/Korvalin/Skins/Midnight/Config.ini" \
    > "$work/Korvalin/Skins/amber/Config.ini"
sed -e '1s/.*/Name = Deutsch\r/' -e '36s/=.*/= Optionen\r/' -e '103s/=.*/= Wechseln\r/' \
    "$work/Korvalin/Languages/English.ini" > "$work/Korvalin/Languages/Deutsch.ini"
run_inside_xvfb "$(realpath "$0")" "$work/Korvalin/$(basename "$exe")" "$drive" "$work/Korvalin"
