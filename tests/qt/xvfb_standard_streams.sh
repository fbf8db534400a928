#!/usr/bin/env bash
# The real program whose standard error nobody reads, or that was started with it closed, goes on as
# usual. A catalogue met as data.kvl and DATA.KVL has it write a message at start, as its box opens;
# the box's OK, then the close button save Config.ini and end it with status 0. Run once with its
# standard error a pipe whose reader is gone, once with it closed and XDG_RUNTIME_DIR unset, which
# has Qt write a warning too.
# Usage: xvfb_standard_streams.sh PATH/TO/korvalin PATH/TO/korvalin-drive
set -euo pipefail
here=$(dirname "$(realpath "$0")")
. "$here/xvfb_lib.sh"
. "$here/../support/pipe_nobody_reads.sh"

# Presses the OK of the message box: centred, as far above the box's bottom as the window model puts
# it (the box's height follows its text, which names the folder).
press_message_ok() {  # WINDOW_ID
    local x y w h box_height WIDTH HEIGHT X Y SCREEN WINDOW
    # The driver tells of the catalogues too, which is no news here.
    read -r x y w h <<< "$(control_place messages_form Label43 2>/dev/null)"
    box_height=$(printf 'folder %s\nstart\nget messages_form.Height\n' "$scratch" | "$drive" 2>/dev/null | tail -n 1)
    eval "$(xdotool getwindowgeometry --shell "$1")"
    press "$1" 1 $((WIDTH / 2)) $((HEIGHT - $(px "$((box_height - y - h / 2))")))
}

# Starts the program with the redirections and env(1) options given, closes its message and then its
# main window, and checks that it ended with status 0 and saved Config.ini, leaving the catalogues as
# they were.
start_message_close() {  # HOW REDIRECTIONS [ENV_OPTIONS]
    rm -f "$program/Config.ini"
    eval "env ${3:-} QT_QPA_PLATFORM=xcb \"\$program_exe\" $2 &"
    program_pid=$!
    local main message ids catalogue status=0
    ids=$(windows_titled 2 "$program_pid")
    for id in $ids; do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        # The main window is 8775 x 3540 twips whatever its text.
        if [[ $WIDTH -eq 585 && $HEIGHT -eq 236 ]]; then main=$id; else message=$id; fi
    done
    [[ -n "${main:-}" && -n "${message:-}" ]] || fail "$1: no main window and message box among $ids"
    sleep 0.4
    press_message_ok "$message"
    window_id_gone "$message" || fail "$1: the message box did not close"
    click "$main" Main_form Picture11 2>/dev/null   # the close button
    wait_for_program_end || fail "$1: the program did not end after its close"
    wait "$program_pid" || status=$?
    [[ $status -eq 0 ]] || fail "$1: the program ended with status $status"
    [[ -s "$program/Config.ini" ]] || fail "$1: Config.ini was not saved"
    for catalogue in data.kvl DATA.KVL; do
        printf '[PSX]\r\n' | cmp -s - "$program/$catalogue" || fail "$1: $catalogue was written over"
    done
}

if [[ "${1:-}" == --inside ]]; then
    exe=$2 drive=$3 program=$4
    program_exe=$exe
    make_layout_copy "$program"
    # One left hanging on a closed standard error heeds no other signal.
    at_exit 'kill -KILL "$program_pid" 2>/dev/null; wait "$program_pid" 2>/dev/null'
    open_pipe_nobody_reads
    start_message_close "A standard error nobody reads" '2>&8 8>&-'
    exec 8>&-
    start_message_close "A closed standard error" '2>&-' '-u XDG_RUNTIME_DIR'
    echo "PASS: the program went on and saved with its standard error unread, and closed"
    exit 0
fi

expect_arguments 2 'PATH/TO/korvalin PATH/TO/korvalin-drive' "$@"
copy_program_folder "$(realpath "$1")"
printf '[PSX]\r\n' > "$program/data.kvl"
cp "$program/data.kvl" "$program/DATA.KVL"
run_inside_xvfb "$(realpath "$0")" "$program_exe" "$(realpath "$2")" "$program"
