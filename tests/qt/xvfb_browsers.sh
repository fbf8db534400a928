#!/usr/bin/env bash
# A person's road through the real windows on a virtual X server: choose another skin in the skin
# browser, another language and another font from the options window, close the program, and find
# all three saved in Config.ini.
# Usage: xvfb_browsers.sh PATH/TO/korvalin PATH/TO/korvalin-drive
set -euo pipefail
. "$(dirname "$(realpath "$0")")/xvfb_lib.sh"

if [[ "${1:-}" == --inside ]]; then
    exe=$2 drive=$3 program=$4
    make_layout_copy "$program"
    start_program "$exe"
    closed() {  # WINDOW_ID
        window_id_gone "$1" || fail "window $1 is still open"
    }

    main=$(wait_window "$main_title")
    click "$main" Main_form Label25                  # Skins
    skins=$(wait_window 'Skin Browser')
    click "$skins" skin_browser Label3               # the first row: amber
    click "$skins" skin_browser Label14              # Ok
    closed "$skins"

    click "$main" Main_form Label26                  # Options
    options=$(wait_window 'Options')
    click "$options" options_form Label43            # the language's Change
    languages=$(wait_window 'Language browser')
    click "$languages" language_browser Label29      # the first row: Deutsch
    click "$languages" language_browser Label5       # Ok
    closed "$languages"

    click "$options" options_form Label51            # the font's Change
    fonts=$(wait_window 'Font browser')
    click "$fonts" font_browser Label30              # the second font of the list
    click "$fonts" font_browser Label10              # Bold
    click "$fonts" font_browser Label5               # Ok
    closed "$fonts"
    click "$options" options_form Label28            # close the options window
    closed "$options"
    click "$main" Main_form Picture11                # the close button

    wait_for_program_end || true
    config=$(tr -d '\r' < "$program/Config.ini")
    failed=0
    grep -qx 'Skin = amber' <<< "$config" || { echo "FAIL: the skin was not saved" >&2; failed=1; }
    grep -qx 'Language = Deutsch' <<< "$config" || { echo "FAIL: the language was not saved" >&2; failed=1; }
    font=$(grep '^Font = ' <<< "$config" || true)
    if [[ "$font" == 'Font = Microsoft Sans Serif|'* || "$font" != *'|True|False' ]]; then
        echo "FAIL: the font was not saved: $font" >&2
        failed=1
    fi
    [[ $failed == 0 ]] || { echo "$config" >&2; exit 1; }
    echo "PASS: skin, language and font chosen in their browsers and saved"
    exit 0
fi

expect_arguments 2 'PATH/TO/korvalin PATH/TO/korvalin-drive' "$@"
copy_program_folder "$(realpath "$1")"
# A second skin (the Midnight pictures with red titles) and a second language.
mkdir -p "$program/Skins/amber"
for picture in "$program/Skins/Midnight/"*.bmp; do
    ln -s "../Midnight/$(basename "$picture")" "$program/Skins/amber/"
done
sed -e '1s/.*/Author = Tester\r/' -e '6s/=.*/= 255\r/' "$program/Skins/Midnight/Config.ini" \
    > "$program/Skins/amber/Config.ini"
sed -e '1s/.*/Name = Deutsch\r/' -e '36s/=.*/= Optionen\r/' -e '103s/=.*/= Wechseln\r/' \
    "$program/Languages/English.ini" > "$program/Languages/Deutsch.ini"
run_inside_xvfb "$(realpath "$0")" "$program_exe" "$(realpath "$2")" "$program"
