#!/usr/bin/env bash
# Builds Korvalin and starts it on the program folder the build assembles (build/Korvalin).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# The same build folder as scripts/test.sh (see there for Ninja), which builds the tests in it too.
export CMAKE_GENERATOR=${CMAKE_GENERATOR:-Ninja}
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Only what the program folder holds: the programs, the languages, the skin, the profile tree.
cmake --build build -j"$(nproc)" --target korvalin-program-folder
exec build/Korvalin/korvalin
