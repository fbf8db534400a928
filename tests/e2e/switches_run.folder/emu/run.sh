#!/bin/sh
echo "$@" > "$(dirname "$0")/args.txt"
