#!/bin/sh
# Appends its working folder, its arguments and "end" for every run, in one write, so that runs
# started close together never mix their lines.
run=$(pwd -P; for a in "$@"; do echo "$a"; done; echo end)
printf '%s\n' "$run" >> "$(dirname "$0")/ran.txt"
