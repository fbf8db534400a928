#!/usr/bin/env bash
# CI's script (.ci/run), copied into a scratch tree and run there on stub package and build tools, as
# on a machine where nothing is installed. The stubs record every call and create nothing outside the
# scratch tree; nothing is installed, nothing built, no root needed.
#   ci_run.sh CASE SOURCE_DIR [BUILD_DIR]
# CASE:
#   install_first       every build and the formatting check come after one apt-get install that
#                       holds what every stage needs
#   failed_build_told   a background build that fails at once fails CI, naming it, before the
#                       sanitizer stage starts
#   builds_end_with_ci  the test stage and the background builds end when CI alone, or its whole
#                       process group, is killed with SIGKILL
#   start_light         scripts/start.sh installs only what the program needs, and configures and
#                       starts it with the test libraries out of reach
#   test_names_skipped  scripts/test.sh's last lines name the tests that skipped themselves and the
#                       packages not installed that they need (BUILD_DIR: a build whose labels say so)
#   signal_ends_ci      a TERM or an INT to CI alone, while a stage runs, ends CI within seconds, with
#                       the stage and the background builds
set -euo pipefail
case_name=${1:?usage: ci_run.sh CASE SOURCE_DIR}
source=$(realpath "${2:?usage: ci_run.sh CASE SOURCE_DIR}")
work=$(mktemp -d)
tree=$work/tree
calls=$work/calls

fail() { echo "FAIL: $*" >&2; echo "--- CI's output:" >&2; cat "$work/out" >&2 2>/dev/null || true; exit 1; }

# Reads the state and the process group of process PID into $state and $group; fails when there is
# no such process. (In /proc/PID/stat they follow the command's name, which may hold spaces.)
read_stat() {
  local stat
  { read -r stat < "/proc/$1/stat"; } 2>/dev/null || return 1
  read -r state _ group _ <<< "${stat##*) }"
}
# A process that still runs (an unreaped zombie has ended).
alive() {
  local state group
  read_stat "$1" && [[ $state != [ZX] ]]
}
# Every running process of process group GROUP.
members_of() {
  local stat pid state group
  for stat in /proc/[0-9]*/stat; do
    pid=${stat#/proc/} pid=${pid%/stat}
    read_stat "$pid" && [[ $state != [ZX] && $group == "$1" ]] && echo "$pid"
  done
  return 0
}

cleanup() {
  # Whatever a run left, by the numbers the stubs recorded while those processes still run.
  local pid
  for pid in $(cat "$work"/pids 2>/dev/null); do alive "$pid" && kill -KILL "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

# The scratch tree: CI's script and the scripts it runs, with a stand-in fuzz runner.
mkdir -p "$tree/.ci" "$tree/scripts" "$tree/tests/fuzz" "$work/bin" "$work/tmp"
cp "$source/.ci/run" "$tree/.ci/"
cp "$source/scripts/install-deps.sh" "$source/scripts/test.sh" "$tree/scripts/"
printf '%s\n' '#!/usr/bin/env bash' 'echo "fuzz stub: clean (1 inputs in 20 s)"' > "$tree/tests/fuzz/run_fuzzers.sh"
: > "$calls"
: > "$work/installed"

stub() {  # NAME BODY: a program on PATH that records its call, then runs BODY
  printf '#!/usr/bin/env bash\nprintf "%%s\\n" "%s $*" >> "$STUB_WORK/calls"\n%s\n' "$1" "$2" > "$work/bin/$1"
  chmod +x "$work/bin/$1"
}
# Nothing is installed but what the apt-get stub was asked to install.
stub dpkg-query 'grep -qxF -- "${@: -1}" "$STUB_WORK/installed" && printf "install ok installed" || exit 1'
stub apt-get 'if [ "$1" = install ]; then
  for p in "$@"; do [[ $p == -* || $p == install ]] || echo "$p" >> "$STUB_WORK/installed"; done
fi'
stub sudo 'exec "$@"'
stub git 'echo src/stub.cpp'
stub clang-format ''
# chrt runs the command it is given, or sets nothing for -p: the stubs run at the normal priority.
stub chrt 'for a in "$@"; do [ "$a" = -p ] && exit 0; done
while [[ $1 == -* ]]; do shift; done
shift
exec "$@"'
# cmake configures FOLDER by making it (only in the scratch tree); the folder in STUB_FAIL fails at
# once, and those in STUB_SLEEP record their process (pid, parent, group) and sleep.
stub cmake 'case $PWD/ in "$STUB_WORK"/*) ;; *) echo "stub cmake outside the scratch tree: $PWD" >&2; exit 99;; esac
[ "$1" = --build ] && exit 0
folder=$4
[ "$folder" = "${STUB_FAIL:-}" ] && { echo "stub configure of $folder failed"; exit 3; }
if [[ " ${STUB_SLEEP:-} " == *" $folder "* ]]; then
  read -r stat < /proc/$$/stat; read -r _ _ group _ <<< "${stat##*) }"
  echo "$$" >> "$STUB_WORK/pids"; echo "$PPID" >> "$STUB_WORK/pids"
  echo "$$ $PPID $group" >> "$STUB_WORK/sleepers"
  exec sleep 30
fi
mkdir -p "$folder"'
# ctest passes; with STUB_CTEST=sleep the first one sleeps (CI stays in that stage), with
# STUB_CTEST=after_release it waits (10 s at most) for CI to say that the Release build failed.
stub ctest 'case ${STUB_CTEST:-} in
  sleep) echo "$$" >> "$STUB_WORK/pids"; echo "$$" > "$STUB_WORK/ctest_sleeping"; exec sleep 30;;
  after_release) for _ in $(seq 100); do grep -q "the release build FAILED" "$STUB_WORK/out" && break; sleep 0.1; done;;
esac
echo "100% tests passed, 0 tests failed out of 3"'

# A command line's start that runs what follows (NAME=VALUE... COMMAND...) with the stubs first on
# PATH. A command, not a function: started in the background, its process is the command's own.
on_stubs=(env PATH="$work/bin:$PATH" STUB_WORK="$work" TMPDIR="$work/tmp")
# Runs CI on the stubs, in the background, in a process group of its own; sets ci to its pid.
start_ci() {
  set -m
  "${on_stubs[@]}" JOBS=2 CI=true "$@" bash "$tree/.ci/run" > "$work/out" 2>&1 &
  ci=$!
  set +m
}
# Runs CI to its end; sets status to its exit status.
run_ci() {
  status=0
  start_ci "$@"
  wait "$ci" || status=$?
}

# Starts CI with both background builds and its test stage sleeping, and waits until all three are.
start_ci_in_stage() {
  rm -f "$work/sleepers" "$work/ctest_sleeping"
  start_ci STUB_SLEEP="build-release build-debug" STUB_CTEST=sleep
  for _ in $(seq 100); do
    [ -s "$work/ctest_sleeping" ] && [ "$(wc -l < "$work/sleepers" 2>/dev/null || echo 0)" -eq 2 ] && break
    sleep 0.1
  done
  [ -s "$work/ctest_sleeping" ] && [ "$(wc -l < "$work/sleepers")" -eq 2 ] \
    || { kill -KILL -- -"$ci"; fail "the background builds and the test stage did not start"; }
}
# Waits up to 5 s for the sleeping stub ctest, the background builds' sleepers, their subshells and
# all of their process groups to end; sets left to what still runs then. Ends what is left of CI's
# own group, which a runner that kills CI ends itself.
wait_for_the_end() {
  local pid parent group member
  for _ in $(seq 50); do
    left=()
    pid=$(< "$work/ctest_sleeping")
    alive "$pid" && left+=("$pid (the test stage's ctest)")
    while read -r pid parent group; do
      alive "$pid" && left+=("$pid (stub)")
      alive "$parent" && left+=("$parent (its parent)")
      [ "$group" = "$ci" ] || for member in $(members_of "$group"); do left+=("$member (its group)"); done
    done < "$work/sleepers"
    [ ${#left[@]} -eq 0 ] && break
    sleep 0.1
  done
  [ -z "$(members_of "$ci")" ] || kill -KILL -- -"$ci"
}

case $case_name in
install_first)
  run_ci
  [ "$status" -eq 0 ] && grep -q '^CI passed' "$work/out" || fail "CI did not pass on the stubs (exit status $status)"
  for folder in build build-asan build-release build-debug; do
    grep -qE -- "^cmake -S \. -B $folder( |$)" "$calls" || fail "no configure of $folder"
  done
  [ "$(grep -c '^apt-get update' "$calls")" -eq 1 ] || fail "not one apt-get update: $(grep '^apt-get' "$calls")"
  [ "$(grep -c '^apt-get install' "$calls")" -eq 1 ] || fail "not one apt-get install: $(grep '^apt-get' "$calls")"
  install=$(grep -n '^apt-get install' "$calls")
  for p in cmake ninja-build qt6-base-dev clang; do
    [[ "$install " == *" $p "* ]] || fail "the apt-get install leaves out $p: $install"
  done
  line=${install%%:*}
  [ "$(grep -n '^apt-get update' "$calls" | cut -d: -f1)" -lt "$line" ] || fail "apt-get update after the install"
  early=$(head -n "$line" "$calls" | grep -E '^(cmake|clang-format) ' || true)
  [ -z "$early" ] || fail "before the packages are installed: $early"
  echo "PASS: one apt-get update and install of everything, before every build and the formatting check"
  ;;
failed_build_told)
  run_ci STUB_FAIL=build-release STUB_CTEST=after_release
  [ "$status" -ne 0 ] || fail "CI passed with a failed Release build"
  grep -q 'the release build FAILED' "$work/out" || fail "CI does not name the failed release build"
  ! grep -q -- '-B build-asan' "$calls" || fail "the sanitizer stage started after the Release build had failed"
  echo "PASS: the failed Release build failed CI before the sanitizer stage"
  ;;
builds_end_with_ci)
  for how in "CI alone" "CI's process group"; do
    start_ci_in_stage
    if [ "$how" = "CI alone" ]; then kill -KILL "$ci"; else kill -KILL -- -"$ci"; fi
    wait "$ci" 2>/dev/null || true
    wait_for_the_end
    [ ${#left[@]} -eq 0 ] || fail "5 s after killing $how with SIGKILL, these still run: ${left[*]}"
  done
  echo "PASS: the test stage and the background builds ended with CI killed alone and with its process group"
  ;;
signal_ends_ci)
  for signal in TERM INT; do
    start_ci_in_stage
    kill -s "$signal" "$ci"
    for _ in $(seq 50); do alive "$ci" || break; sleep 0.1; done
    alive "$ci" && { kill -KILL -- -"$ci"; fail "CI still runs 5 s after a SIG$signal"; }
    status=0
    wait "$ci" 2>/dev/null || status=$?
    wait_for_the_end
    [ ${#left[@]} -eq 0 ] || fail "5 s after a SIG$signal to CI alone, these still run: ${left[*]}"
    [ "$status" -eq $(( 128 + $(kill -l "$signal") )) ] || fail "CI ended with status $status on SIG$signal"
    grep -q "CI was ended by SIG$signal" "$work/out" || fail "CI does not say it was ended by SIG$signal"
  done
  echo "PASS: a TERM or an INT to CI alone ends it at once, with the test stage and the background builds"
  ;;
start_light)
  # scripts/start.sh as a person runs it on a new machine, its configure by the real cmake on this
  # source tree with the test libraries out of reach, its build and the program stubbed.
  cp "$source/scripts/start.sh" "$tree/scripts/"
  real_cmake=$(command -v cmake)
  stub cmake '[ "$1" = --build ] && exit 0
shift 4
exec "$REAL_CMAKE" -S "$SOURCE" -B "$STUB_WORK/configured" "$@" \
  -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON'
  mkdir -p "$tree/build/Korvalin"
  printf '#!/usr/bin/env bash\necho "korvalin started" >> "$STUB_WORK/calls"\n' > "$tree/build/Korvalin/korvalin"
  chmod +x "$tree/build/Korvalin/korvalin"
  status=0
  "${on_stubs[@]}" REAL_CMAKE="$real_cmake" SOURCE="$source" bash "$tree/scripts/start.sh" > "$work/out" 2>&1 \
    || status=$?
  [ "$status" -eq 0 ] || fail "start.sh failed (exit status $status) with the test libraries out of reach"
  grep -qx 'korvalin started' "$calls" || fail "start.sh did not start the program"
  install=$(grep '^apt-get install' "$calls") || fail "start.sh installed nothing on a machine with nothing"
  for p in cmake ninja-build g++ qt6-base-dev fonts-dejavu-core; do
    [[ "$install " == *" $p "* ]] || fail "start.sh leaves out $p: $install"
  done
  for p in googletest libgtest-dev libgmock-dev libbenchmark-dev xvfb xdotool openbox; do
    [[ "$install " != *" $p "* ]] || fail "start.sh installs $p, which only the tests need: $install"
  done
  echo "PASS: start.sh installs and configures only what the program needs, and starts it"
  ;;
test_names_skipped)
  # scripts/test.sh on a ctest whose run skips three tests of this build; what it asks of their labels
  # the real ctest answers from the build folder BUILD_DIR.
  build_dir=$(realpath "${3:?usage: ci_run.sh test_names_skipped SOURCE_DIR BUILD_DIR}")
  real_ctest=$(command -v ctest)
  stub ctest 'if [ "$1" = -N ]; then exec "$REAL_CTEST" --test-dir "$BUILD_DIR" "$@"; fi
echo "97% tests passed, 0 tests failed out of 3"
printf "\nThe following tests did not run:\n"
printf "\t%3d - %s (Skipped)\n" 7 qt.caption_walk_desktop 8 qt.xvfb_main_window_desktop_fonts 9 qt.xvfb_window_manager'
  status=0
  "${on_stubs[@]}" REAL_CTEST="$real_ctest" BUILD_DIR="$build_dir" bash "$tree/scripts/test.sh" > "$work/out" 2>&1 \
    || status=$?
  [ "$status" -eq 0 ] || fail "test.sh failed (exit status $status) on a run that passed"
  tail -n 2 "$work/out" | head -n 1 | grep -qx '3 tests did not run: qt.caption_walk_desktop qt.xvfb_main_window_desktop_fonts qt.xvfb_window_manager' \
    || fail "test.sh's second last line does not name the three skipped tests"
  # The desktop's fonts but DejaVu, which install-deps.sh installed; openbox came with the tests' tools.
  named=$(tail -n 1 "$work/out" | sed -n 's/.*apt-get install //p' | tr ' ' '\n' | sort | xargs)
  [ "$named" = "fonts-droid-fallback fonts-noto-mono fonts-urw-base35" ] \
    || fail "test.sh's last line does not name just the packages that are not installed: $named"
  echo "PASS: test.sh's last lines name the tests that did not run and the packages they need"
  ;;
*)
  echo "unknown case $case_name" >&2
  exit 2
  ;;
esac
