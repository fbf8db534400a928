#!/usr/bin/env bash
# Runs the caption walk of TESTS_QT with only the fonts of the named Debian packages to be seen, as on
# a system that has only those installed, through a font configuration of its own.
# Usage: caption_walk_fonts.sh TESTS_QT PACKAGE...   Exits 77 (skipped) when a package is not installed.
set -euo pipefail
tests_qt=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/fonts"
for package in "$@"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    echo "$package is not installed: the walk under it is skipped"
    exit 77
  fi
  dpkg -L "$package" | grep -E '\.(ttf|otf)$' | while read -r font; do ln -s "$font" "$work/fonts/"; done
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
FONTCONFIG_FILE="$work/fonts.conf" QT_QPA_PLATFORM=offscreen "$tests_qt" --gtest_filter='CaptionWalk.*'
