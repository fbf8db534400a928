#!/usr/bin/env bash
# Runs a command with only the fonts of the named Debian packages to be seen, as on a system that has
# only those installed, through a font configuration of its own.
# Usage: with_fonts.sh PACKAGE... -- COMMAND ARGS...   Exits 77 (skipped) when a package is not installed.
set -euo pipefail
packages=()
while [[ $# -gt 0 && "$1" != -- ]]; do
  packages+=("$1")
  shift
done
[[ $# -gt 1 ]] || { echo "usage: $0 PACKAGE... -- COMMAND ARGS..." >&2; exit 2; }
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/fonts"
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    echo "$package is not installed: the run under it is skipped"
    exit 77
  fi
  dpkg -L "$package" | grep -E '\.(ttf|otf)$' | while read -r font; do ln -sf "$font" "$work/fonts/"; done
done
# The system's rules (aliases, hinting) apply; only the fonts are these.
cat > "$work/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>$work/fonts</dir>
  <cachedir>$work/cache</cachedir>
  <include ignore_missing="yes">/etc/fonts/conf.d</include>
</fontconfig>
CONF
echo "fonts: $(ls "$work/fonts" | tr '\n' ' ')"
FONTCONFIG_FILE="$work/fonts.conf" "$@"
