#!/usr/bin/env bash
# Runs every libFuzzer harness of tests/fuzz from its committed seed folder.
#   run_fuzzers.sh BUILD_DIR [SECONDS_EACH] [NAME...]
# BUILD_DIR is a build configured with -DKORVALIN_FUZZ=ON (Clang). Each harness NAME_fuzz runs for
# SECONDS_EACH (default 20) on a scratch copy of corpus/NAME/, so the committed seeds stay as they
# are; a crash, a sanitizer report, a leak or a timeout fails the run and leaves the input that
# caused it in BUILD_DIR/fuzz-findings/NAME/. Several harnesses run side by side (FUZZ_JOBS, default
# the number of processors).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: run_fuzzers.sh BUILD_DIR [SECONDS_EACH] [NAME...]}" && pwd)
seconds=${2:-20}
shift $(( $# >= 2 ? 2 : 1 ))

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for source in "$here"/*_fuzz.cpp; do
    name=$(basename "$source" _fuzz.cpp)
    names+=("$name")
  done
fi

findings="$build/fuzz-findings"
mkdir -p "$findings"
jobs=${FUZZ_JOBS:-$(nproc)}

run_one() {
  local name=$1
  local binary="$build/tests/fuzz/${name}_fuzz"
  local seeds="$here/corpus/$name"
  local out="$findings/$name"
  rm -rf "$out" && mkdir -p "$out/corpus"
  if [ ! -x "$binary" ]; then
    echo "fuzz $name: no harness at $binary" > "$out/log"
    return 1
  fi
  [ -d "$seeds" ] || { echo "fuzz $name: no seed folder $seeds" > "$out/log"; return 1; }
  # New inputs go to the scratch folder (the first one); the seeds are only read.
  "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$out/" "$out/corpus" "$seeds" > "$out/log" 2>&1
}

failed=0
pids=()
for name in "${names[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do sleep 0.2; done
  run_one "$name" &
  pids+=("$!:$name")
done
for entry in "${pids[@]}"; do
  pid=${entry%%:*} name=${entry#*:}
  if wait "$pid"; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$findings/$name/log" | grep -o '[0-9]*$')
    echo "fuzz $name: clean (${runs:-?} inputs in ${seconds} s)"
  else
    failed=1
    echo "fuzz $name: FAILED; log and inputs in $findings/$name/"
    tail -n 40 "$findings/$name/log"
  fi
done
exit $failed
