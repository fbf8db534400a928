#!/usr/bin/env bash
# Builds Korvalin and starts it on the program folder the build assembles (build/Korvalin). Installs
# and configures only what the program takes: the tests' libraries and tools come with scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# The same build folder as scripts/test.sh (see there for Ninja), which turns the tests on again.
export CMAKE_GENERATOR=${CMAKE_GENERATOR:-Ninja}
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVALIN_TESTS=OFF
# Only what the program folder holds: the programs, the languages, the skin, the profile tree.
cmake --build build -j"$(nproc)" --target korvalin-program-folder
exec build/Korvalin/korvalin
