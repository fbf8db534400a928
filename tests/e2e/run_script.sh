#!/usr/bin/env bash
# Runs one driver script on a fresh copy of the assembled program folder.
#   run_script.sh DRIVER PROGRAM_DIR SCRIPT
# Beside SCRIPT (NAME.kvd) may stand:
#   NAME.folder/  files copied into the program folder first (a Data.kvl, a Config.ini...)
#   NAME.out      the driver's expected standard output
#   NAME.check    a bash script run afterwards with $PROGRAM set to the program folder, $DRIVER to
#                 the driver and $ERRORS to the file that holds the driver's standard error
#   NAME.registry the registry store the script starts with (a REGEDIT4 file)
# Each script has a registry store of its own in its temporary folder, $KORVALIN_REGISTRY, unless the
# test gives one in KORVALIN_E2E_REGISTRY; the user's own store is never touched.
set -u
driver=$1 program_dir=$2 script=$3
base=${script%.kvd}
work=$(mktemp -d "${TMPDIR:-/tmp}/korvalin-e2e-XXXXXX")
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT

mkdir -p "$work/program"
if [ -d "$program_dir" ]; then
  cp -R "$program_dir/." "$work/program/"
  # The driver is the program here; the real executable and any lock are not part of a fresh folder.
  rm -f "$work/program/korvalin" "$work/program/.korvalin.lock"
fi
[ -d "$base.folder" ] && cp -R "$base.folder/." "$work/program/"
# NAME.plugins: lines "BUILT_FILE DESTINATION": test plug-ins copied into the program folder.
if [ -f "$base.plugins" ]; then
  while read -r built destination; do
    [ -n "$built" ] || continue
    mkdir -p "$(dirname "$work/program/$destination")"
    cp "${KORVALIN_TEST_PLUGINS_DIR:?}/$built" "$work/program/$destination"
  done < "$base.plugins"
fi
export PROGRAM="$work/program"
export KORVALIN_REGISTRY="${KORVALIN_E2E_REGISTRY:-$work/registry/HKEY_CURRENT_USER.reg}"
if [ -f "$base.registry" ]; then
  mkdir -p "$(dirname "$KORVALIN_REGISTRY")"
  cp "$base.registry" "$KORVALIN_REGISTRY"
fi
export DRIVER="$driver"
export ERRORS="$work/stderr"

{ echo "folder $PROGRAM"; sed "s|\$PROGRAM|$PROGRAM|g" "$script"; } > "$work/script.kvd"
# Started in a folder of its own, as from a desktop: nothing may depend on the working folder.
# Its output is read through pipes, as "korvalin-drive script | cat" reads it: what the script started
# and left running (a plug-in's setup program) may hold them a while, but they must reach their end
# soon after the driver's.
mkfifo "$work/stdout.pipe" "$work/stderr.pipe"
cat "$work/stdout.pipe" > "$work/stdout" &
out_reader=$!
cat "$work/stderr.pipe" > "$work/stderr" &
err_reader=$!
(cd "$work" && exec "$driver" "$work/script.kvd") > "$work/stdout.pipe" 2> "$work/stderr.pipe"
rc=$?
for _ in $(seq 100); do
  kill -0 $out_reader 2>/dev/null || kill -0 $err_reader 2>/dev/null || break
  sleep 0.1
done
if kill -0 $out_reader 2>/dev/null || kill -0 $err_reader 2>/dev/null; then
  kill $out_reader $err_reader 2>/dev/null
  cat "$work/stdout"
  cat "$work/stderr" >&2
  echo "the driver's output did not reach its end within 10 s of its exit: something it started holds it" >&2
  exit 1
fi
wait $out_reader $err_reader
cat "$work/stdout"
cat "$work/stderr" >&2
if [ $rc -ne 0 ]; then
  echo "driver exited with $rc" >&2
  exit 1
fi
if [ -f "$base.out" ] && ! diff -u "$base.out" "$work/stdout"; then
  echo "standard output differs from $base.out" >&2
  exit 1
fi
if [ -f "$base.check" ]; then
  bash "$base.check" || { echo "$base.check failed" >&2; exit 1; }
fi
exit 0
