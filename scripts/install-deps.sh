#!/usr/bin/env bash
# Installs what building, running and testing Korvalin needs on Debian 12, with any PACKAGEs named
# besides (CI's own), in one apt-get run. Skips apt when all is there.
#   install-deps.sh [PACKAGE...]
set -euo pipefail
# procps gives pgrep, with which a virtual-X test finds the plug-in helper; openbox is the window
# manager a virtual-X test moves windows with.
packages=(build-essential cmake ninja-build g++ pkg-config qt6-base-dev libstb-dev googletest libgtest-dev libgmock-dev
          libbenchmark-dev xvfb xauth xdotool openbox x11-utils fonts-dejavu-core python3 procps "$@")
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
