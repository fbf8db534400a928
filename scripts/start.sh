#!/usr/bin/env bash
# Builds Korvalin and starts it on the program folder the build assembles (build/Korvalin).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
exec build/Korvalin/korvalin
