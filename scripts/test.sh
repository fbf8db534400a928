#!/usr/bin/env bash
# Builds Korvalin with its tests and runs every test headless. Its last lines name the tests that did
# not run, and the packages that would run them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --tests
# JOBS: parallel compiles and tests (default: every processor).
jobs=${JOBS:-$(nproc)}
# A new build folder uses Ninja, which compiles a target's files while the libraries it links are
# still being built; an existing one keeps the generator it was made with.
export CMAKE_GENERATOR=${CMAKE_GENERATOR:-Ninja}
# The tests on, whatever scripts/start.sh left in the same folder.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVALIN_TESTS=ON
cmake --build build -j"$jobs"
cd build
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
ctest --output-on-failure -j"$jobs" --timeout 300 --no-label-summary 2>&1 | tee "$log" || status=$?

# A test that needs a package nobody installed here skips itself; each such test carries a label
# "needs:PACKAGE" for every package it needs (tests/CMakeLists.txt).
mapfile -t skipped < <(sed -nE 's/^\s*[0-9]+ - (.*) \(Skipped\)$/\1/p' "$log")
if [ ${#skipped[@]} -gt 0 ]; then
  missing=()
  for name in "${skipped[@]}"; do
    for label in $(ctest -N -V -R "^$(sed 's/[][\.*^$+?(){}|]/\\&/g' <<< "$name")\$" | sed -n 's/^Labels: //p'); do
      package=${label#needs:}
      [ "$package" != "$label" ] || continue
      dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" && continue
      [[ " ${missing[*]} " == *" $package "* ]] || missing+=("$package")
    done
  done
  echo
  echo "${#skipped[@]} tests did not run: ${skipped[*]}"
  if [ ${#missing[@]} -gt 0 ]; then
    echo "They need packages that are not installed; to run them: apt-get install ${missing[*]}"
  fi
fi
exit "$status"
