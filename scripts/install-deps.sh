#!/usr/bin/env bash
# Installs what building, running and testing Korvalin needs on Debian 12. Skips apt when all is there.
set -euo pipefail
packages=(build-essential cmake ninja-build g++ pkg-config qt6-base-dev libstb-dev googletest libgtest-dev libgmock-dev
          libbenchmark-dev xvfb xauth xdotool openbox x11-utils fonts-dejavu-core python3)
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
