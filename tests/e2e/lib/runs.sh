# Helpers for checks of emulator runs. The fake emulators of the fixtures append one block per run
# (working folder, arguments, "end") to ran.txt in a single write.

# Waits until the emulator has written N runs into FILE.
wait_runs() {
  for _ in $(seq 100); do
    [ "$(grep -c '^end$' "$2" 2>/dev/null)" -ge "$1" ] && return 0
    sleep 0.1
  done
  echo "the emulator did not run $1 time(s): $(cat "$2" 2>/dev/null)" >&2
  return 1
}

# The runs of a ran.txt on standard input, one line each, sorted: runs started close together may
# finish in any order.
runs() { awk 'BEGIN { RS = "end\n" } { gsub(/\n/, "|"); print }' | sort; }
