#!/bin/sh
# Appends its working folder, its arguments and "end" for every run.
{ pwd -P; for a in "$@"; do echo "$a"; done; echo end; } >> "$(dirname "$0")/ran.txt"
