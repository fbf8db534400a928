#!/usr/bin/env bash
# The real program ended from outside saves its session as the close does: SIGTERM, SIGINT and SIGHUP
# (logout, shutdown, the terminal closing), and the X server going away. Each run starts on a program
# folder without Data.kvl and Config.ini; the saves create both. A signal that comes while start-up's
# message waits for a press ends the program at once too, and keeps the files that message is about.
# Usage: xvfb_session_end.sh PATH/TO/korvalin
set -euo pipefail
. "$(dirname "$(realpath "$0")")/xvfb_lib.sh"

# Waits up to SECONDS (20 by default) for the process to end; answers its exit status.
wait_for_end() {  # PID [SECONDS]
    for _ in $(seq $((${2:-20} * 10))); do
        kill -0 "$1" 2>/dev/null || { wait "$1" 2>/dev/null; return $?; }
        sleep 0.1
    done
    echo "FAIL: the program did not end within ${2:-20} s" >&2
    kill -KILL "$1" 2>/dev/null || true
    exit 1
}

check_saved() {  # FOLDER HOW
    for file in Data.kvl Config.ini; do
        if [[ ! -s "$1/$file" ]]; then
            echo "FAIL: $2 did not save $file" >&2
            exit 1
        fi
    done
    grep -q $'^\[Switches\]\r$' "$1/Data.kvl" || { echo "FAIL: $2 saved a torn Data.kvl" >&2; exit 1; }
    grep -q $'^Skin = Midnight\r$' "$1/Config.ini" || { echo "FAIL: $2 saved a torn Config.ini" >&2; exit 1; }
    rm -f "$1/Data.kvl" "$1/Config.ini"
}

if [[ "${1:-}" == --inside ]]; then
    exe=$2
    folder=$(dirname "$exe")
    for signal in TERM INT HUP; do
        QT_QPA_PLATFORM=xcb "$exe" &
        pid=$!
        find_window "$main_title" >/dev/null
        kill -s "$signal" "$pid"
        status=0
        wait_for_end "$pid" || status=$?
        check_saved "$folder" "SIG$signal"
    done
    echo "PASS: SIGTERM, SIGINT and SIGHUP saved the session"

    # The catalogue in two letter cases and none as named: start-up tells so in a message box, and
    # the signal must not wait for its OK. Neither file is written, nor a third beside them.
    printf '[PSX]\r\nMine|/m/|m\r\n' > "$folder/data.kvl"
    printf '[PSX]\r\nOther|/o/|o\r\n' > "$folder/DATA.KVL"
    copies=$(dirname "$folder")/copies
    mkdir -p "$copies"
    cp "$folder/data.kvl" "$folder/DATA.KVL" "$copies/"
    for signal in TERM INT HUP; do
        printf '%s\r\n' '// Korvalin 1.2 config' '' 'Main Window X (Twips) = 1500' 'Main Window Y (Twips) = 1500' \
            'Skin = Midnight' 'Language = English' 'Font = Microsoft Sans Serif|8|False|False' \
            'Sections = 1|1|1|1|1|1|1|1|1|1' 'Launcher state = 2' 'Path override = True' > "$folder/Config.ini"
        QT_QPA_PLATFORM=xcb "$exe" 2>/dev/null &
        pid=$!
        windows_titled 2 "$pid" >/dev/null   # the main window and the message box
        kill -s "$signal" "$pid"
        during_message=0
        wait_for_end "$pid" 3 || during_message=$?
        (( during_message == status )) ||
            { echo "FAIL: SIG$signal during the start-up message ended with $during_message, not $status" >&2; exit 1; }
        # Read before the message: the settings come back, and the lines the file lacked are written.
        for line in 'Launcher state = 2' 'Path override = True' 'Opacity = 100'; do
            grep -q "^$line"$'\r$' "$folder/Config.ini" ||
                { echo "FAIL: SIG$signal during the start-up message did not save Config.ini ($line)" >&2; exit 1; }
        done
        cmp -s "$folder/data.kvl" "$copies/data.kvl" && cmp -s "$folder/DATA.KVL" "$copies/DATA.KVL" ||
            { echo "FAIL: SIG$signal during the start-up message changed data.kvl or DATA.KVL" >&2; exit 1; }
        [[ ! -e "$folder/Data.kvl" ]] || { echo "FAIL: SIG$signal during the start-up message wrote Data.kvl" >&2; exit 1; }
    done
    rm -f "$folder/data.kvl" "$folder/DATA.KVL" "$folder/Config.ini"
    echo "PASS: SIGTERM, SIGINT and SIGHUP during the start-up message saved at once and kept the catalogues"
    exit 0
fi

if [[ $# -ne 1 ]]; then
    echo "usage: $0 PATH/TO/korvalin" >&2
    exit 2
fi
exe=$(realpath "$1")
copy_program_folder "$exe"
rm -f "$work/Korvalin/Data.kvl" "$work/Korvalin/Config.ini" "$work/Korvalin/.korvalin.lock"
run_inside_xvfb "$(realpath "$0")" "$work/Korvalin/$(basename "$exe")"

# The display lost: an X server of our own, ended under the running program.
display_log=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 3>"$display_log" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [[ -s "$display_log" ]] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$display_log")"
rm -f "$display_log"
QT_QPA_PLATFORM=xcb "$work/Korvalin/$(basename "$exe")" 2>"$work/stderr" &
pid=$!
find_window "$main_title" >/dev/null
kill -TERM "$xvfb_pid"
wait "$xvfb_pid" 2>/dev/null || true
wait_for_end "$pid" || true
check_saved "$work/Korvalin" "losing the display"
grep -q 'the display was lost' "$work/stderr" || { echo "FAIL: the program did not see the display go" >&2; exit 1; }
echo "PASS: losing the display saved the session"
