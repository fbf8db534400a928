# What the checks of the real program on a virtual X server share. Source it; it uses no globals but
# the ones it sets ($program_pid, $work).

# Starts the program on X11 (a platform chosen for the other tests must not leak in) and ends it
# when the script exits.
start_program() {  # EXE
    QT_QPA_PLATFORM=xcb "$1" &
    program_pid=$!
    trap 'kill "$program_pid" 2>/dev/null || true; wait "$program_pid" 2>/dev/null || true' EXIT
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

# Waits up to 10 s for a file to be written.
wait_for_file() {  # FILE
    for _ in $(seq 100); do
        [[ -s "$1" ]] && return 0
        sleep 0.1
    done
    return 1
}

# A fresh copy of the program folder in $work/Korvalin: the program keeps one instance per folder and
# writes into it. Sets $work (removed on exit) and $KORVALIN_REGISTRY, and prints nothing.
copy_program_folder() {  # EXE
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cp -r "$(dirname "$1")" "$work/Korvalin"
    # The program gets a registry store of its own, never the user's.
    export KORVALIN_REGISTRY="$work/registry/HKEY_CURRENT_USER.reg"
}

# Runs this script again inside xvfb-run with the given arguments after --inside.
run_inside_xvfb() {  # SCRIPT ARGS...
    local script=$1
    shift
    xvfb-run -a -s '-screen 0 1280x1024x24' bash "$script" --inside "$@"
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
