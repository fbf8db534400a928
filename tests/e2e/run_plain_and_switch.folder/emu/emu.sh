#!/bin/sh
# Appends its working folder, its arguments and "end" for every run, in one write, so that runs
# started close together never mix their lines; and the signals it was started with ignored and
# blocked, as /proc/self/status gives them, to signals.txt.
run=$(pwd -P; for a in "$@"; do echo "$a"; done; echo end)
signals=
while read -r name value; do
    case $name in SigIgn: | SigBlk:) signals="$signals $name $value" ;; esac
done < /proc/self/status
printf '%s\n' "$signals" >> "$(dirname "$0")/signals.txt"
printf '%s\n' "$run" >> "$(dirname "$0")/ran.txt"
