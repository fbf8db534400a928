# What the checks of the real program on a virtual X server share. Source it; it uses no globals but
# the ones it sets ($program_pid, $work, $program, $program_exe, $scratch) and the ones a check sets
# for it ($drive, for the control positions).

main_title='Korvalin 1.2'

# Steps run, in order, when the script exits, however it exits.
exit_steps=()
run_exit_steps() {
    local step
    for step in "${exit_steps[@]}"; do
        eval "$step" || true
    done
}
at_exit() {  # COMMAND
    exit_steps+=("$1")
    trap run_exit_steps EXIT
}

fail() {  # MESSAGE...
    echo "FAIL: $*" >&2
    exit 1
}

# Checks the number of arguments a check got; prints its usage and stops when they are not right.
expect_arguments() {  # COUNT USAGE ARGS...
    local count=$1 usage=$2
    shift 2
    if [[ $# -ne $count ]]; then
        echo "usage: $0 $usage" >&2
        exit 2
    fi
}

# Starts the program on X11 (a platform chosen for the other tests must not leak in) and ends it
# when the script exits.
start_program() {  # EXE
    QT_QPA_PLATFORM=xcb "$1" &
    program_pid=$!
    at_exit 'kill "$program_pid" 2>/dev/null; wait "$program_pid" 2>/dev/null'
}

# Waits up to 10 s for the program to end by itself.
wait_for_program_end() {
    for _ in $(seq 100); do
        kill -0 "$program_pid" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# Prints the id of the visible window with that exact title; fails after 20 s.
find_window() {  # TITLE
    local id
    id=$(timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1) || true
    if [[ -z "$id" ]]; then
        echo "FAIL: no visible window named '$1' within 20 s" >&2
        exit 1
    fi
    echo "$id"
}

# As find_window, once the window has had time to draw and take input.
wait_window() {  # TITLE
    find_window "$1"
    sleep 0.4
}

# Prints the ids of the visible windows with the main window's title (its message boxes take it
# too), once there are COUNT of them; fails after 20 s, or as soon as process PID, when given, ends.
windows_titled() {  # COUNT [PID]
    local ids
    for _ in $(seq 200); do
        ids=$(xdotool search --onlyvisible --name "^$main_title\$" 2>/dev/null) || true
        [[ $(grep -c . <<< "$ids") -eq $1 ]] && { echo "$ids"; return 0; }
        [[ -z "${2:-}" ]] || kill -0 "$2" 2>/dev/null || fail "the program ended before it showed $1 window(s)"
        sleep 0.1
    done
    fail "not $1 window(s) titled '$main_title' within 20 s"
}

# Fails unless the window is transient for (WM_TRANSIENT_FOR) the one it was opened from, which a
# window manager moves, raises and minimises it with.
expect_transient_for() {  # WINDOW_ID OPENER_ID WHAT
    local named
    named=$(xprop -id "$1" WM_TRANSIENT_FOR | sed -n 's/.*window id # \(0x[0-9a-fA-F]*\).*/\1/p')
    [[ -n "$named" ]] && (( named == $2 )) ||
        fail "$3 is transient for ${named:-no window}, not for the window it was opened from ($(printf '0x%x' "$2"))"
}

# The window's place on the screen: "X Y".
place() {  # WINDOW_ID
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X $Y"
}

# Succeeds once no visible window has that exact title; fails after 3 s.
window_gone() {  # TITLE
    for _ in $(seq 30); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

# Succeeds once the window with that id is no longer shown; fails after 5 s.
window_id_gone() {  # WINDOW_ID
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qx "$1" || return 0
        sleep 0.1
    done
    return 1
}

# Waits up to 10 s for a file to be written.
wait_for_file() {  # FILE
    for _ in $(seq 100); do
        [[ -s "$1" ]] && return 0
        sleep 0.1
    done
    return 1
}

# A fresh copy of the program folder in $program ($work/Korvalin), with the program itself at
# $program_exe: the program keeps one instance per folder and writes into it. Sets $work (removed on
# exit) and $KORVALIN_REGISTRY, and prints nothing.
copy_program_folder() {  # EXE
    work=$(mktemp -d)
    at_exit 'rm -rf "$work"'
    program="$work/Korvalin"
    program_exe="$program/$(basename "$1")"
    cp -r "$(dirname "$1")" "$program"
    # The program gets a registry store of its own, never the user's.
    export KORVALIN_REGISTRY="$work/registry/HKEY_CURRENT_USER.reg"
}

# Runs this script again inside xvfb-run with the given arguments after --inside. With
# KORVALIN_SHOTS set to a folder, the server keeps its screen in a file under $work, named in
# KORVALIN_FRAMES, from which shoot takes its pictures.
run_inside_xvfb() {  # SCRIPT ARGS...
    local script=$1 server='-screen 0 1280x1024x24'
    shift
    if [[ -n "${KORVALIN_SHOTS:-}" ]]; then
        export KORVALIN_FRAMES="$work/frames"
        mkdir -p "$KORVALIN_FRAMES" "$KORVALIN_SHOTS"
        server+=" -fbdir $KORVALIN_FRAMES"
    fi
    xvfb-run -a -s "$server" bash "$script" --inside "$@"
}

# Saves the screen as $KORVALIN_SHOTS/NAME.xwd when pictures were asked for.
shoot() {  # NAME
    [[ -n "${KORVALIN_FRAMES:-}" ]] && cp "$KORVALIN_FRAMES/Xvfb_screen0" "$KORVALIN_SHOTS/$1.xwd"
    return 0
}

# A shell script that stands for an emulator: each run writes its working folder and its arguments,
# one per line, into ran.txt beside it.
make_fake_emulator() {  # FOLDER
    mkdir -p "$1"
    cat > "$1/emu.sh" <<'SCRIPT'
#!/bin/sh
{ pwd -P; for a in "$@"; do echo "$a"; done; } > "$(dirname "$0")/ran.tmp" && mv "$(dirname "$0")/ran.tmp" "$(dirname "$0")/ran.txt"
SCRIPT
    chmod +x "$1/emu.sh"
}

# Writes a catalogue (Data.kvl) whose PSX section holds the given lines and every other section is
# empty.
write_catalogue() {  # FILE PSX_LINE...
    local file=$1
    shift
    {
        printf '[PSX]\r\n'
        printf '%s\r\n' "$@"
        printf '[%s]\r\n' PS2 NDS GB/GBA N64 DC GC Saturn S/NES Misc About Switches
    } > "$file"
}

# A scratch copy of the program folder in $scratch (removed on exit), from which the driver reads
# where the window model places the controls, so the real program folder is left to the program.
make_layout_copy() {  # PROGRAM_FOLDER
    scratch=$(mktemp -d)
    at_exit 'rm -rf "$scratch"'
    cp -r "$1/." "$scratch/"
    rm -f "$scratch/korvalin"
}

# A control's place in its window, in twips (left, top, width, height), as the window model places it
# after the driver lines given (each ending in \n), if any.
control_place() {  # WINDOW CONTROL [LINES]
    printf 'folder %s\nstart\n%bget %s.%s.WindowX\nget %s.%s.WindowY\nget %s.%s.Width\nget %s.%s.Height\n' \
        "$scratch" "${3:-}" "$1" "$2" "$1" "$2" "$1" "$2" "$1" "$2" | "$drive" | tr '\n' ' '
}

# Twips to pixels, 15 to the pixel.
px() {  # TWIPS
    awk -v t="$1" 'BEGIN { printf "%d", t / 15 }'
}

# Where a control's centre is in its window, in pixels: "X Y".
centre() {  # WINDOW CONTROL [LINES]
    local x y w h
    read -r x y w h <<< "$(control_place "$@")"
    echo "$(px "$((x + w / 2))") $(px "$((y + h / 2))")"
}

# Presses and releases a mouse button at a point of a window.
press() {  # WINDOW_ID BUTTON X Y
    xdotool mousemove --window "$1" "$3" "$4" click "$2"
    sleep 0.4
}

# A left click on a control's centre.
click() {  # WINDOW_ID WINDOW CONTROL
    press "$1" 1 $(centre "$2" "$3")
}

# Types into a window, focused first.
type_into() {  # WINDOW_ID TEXT
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    xdotool type --delay 30 -- "$2"
    sleep 0.2
}
