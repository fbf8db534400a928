#!/usr/bin/env bash
# Installs what Korvalin needs on Debian 12, in one apt-get run, with any PACKAGEs named besides (CI's
# own). Without --tests only what building and running the program takes (scripts/start.sh); with it,
# also what the tests and benchmarks take (scripts/test.sh). Skips apt when all is there.
#   install-deps.sh [--tests] [PACKAGE...]
set -euo pipefail
# The compiler, the build tools and Qt; DejaVu, so that the windows have a face on a machine with none.
packages=(build-essential cmake ninja-build g++ pkg-config qt6-base-dev fonts-dejavu-core)
if [ "${1:-}" = --tests ]; then
  shift
  # GoogleTest and Google Benchmark; a virtual X server, xdotool and x11-utils for the checks of the
  # real program; openbox, the window manager a virtual-X test moves windows with; python3 for the
  # scripts that measure; procps for pgrep, with which a virtual-X test finds the plug-in helper.
  packages+=(googletest libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool openbox x11-utils python3
             procps)
fi
packages+=("$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
