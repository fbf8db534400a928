#!/usr/bin/env bash
# Builds Korvalin with its tests and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# JOBS: parallel compiles and tests (default: every processor).
jobs=${JOBS:-$(nproc)}
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
cd build
ctest --output-on-failure -j"$jobs" --timeout 300
