#!/usr/bin/env bash
# Builds Korvalin with its tests and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# JOBS: parallel compiles and tests (default: every processor).
jobs=${JOBS:-$(nproc)}
# A new build folder uses Ninja, which compiles a target's files while the libraries it links are
# still being built; an existing one keeps the generator it was made with.
export CMAKE_GENERATOR=${CMAKE_GENERATOR:-Ninja}
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
cd build
ctest --output-on-failure -j"$jobs" --timeout 300
