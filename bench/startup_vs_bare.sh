#!/usr/bin/env bash
# Start-up of the launcher beside a bare frameless Qt window of the same size, under one virtual X
# server: each program started in turn, PAIRS times (20 unless given), each measured from process
# start to its first window mapped and stopped there. Prints the medians of wall time, processor
# time (user + system) and peak resident memory, and the launcher's ratio to the bare window; and
# the same for the bare window showing one line of text, to tell what any window with a caption
# pays (the font configuration, Qt's font database) from what is the launcher's own.
# The launcher runs on a fresh copy of the assembled program folder: empty catalogue, no settings,
# so the Midnight skin.
# Usage: bench/startup_vs_bare.sh BUILD_DIR [PAIRS]
set -euo pipefail

if [[ "${1:-}" == --inside ]]; then
    shift
    first_map=$1 bare=$2 program=$3 pairs=$4 results=$5
    export QT_QPA_PLATFORM=xcb
    # One unmeasured start of each first: font caches, the dynamic loader and the file cache.
    "$first_map" "$bare" >/dev/null
    "$first_map" "$bare" --text >/dev/null
    "$first_map" "$program" >/dev/null
    for ((i = 0; i < pairs; i++)); do
        # The catalogue and the settings stay absent: a stopped program writes nothing, but make sure.
        rm -f "$(dirname "$program")/Data.kvl" "$(dirname "$program")/Config.ini"
        echo "bare $("$first_map" "$bare")" >>"$results"
        echo "text $("$first_map" "$bare" --text)" >>"$results"
        echo "korvalin $("$first_map" "$program")" >>"$results"
    done
    exit 0
fi

if [[ $# -lt 1 || $# -gt 2 ]]; then
    echo "usage: $0 BUILD_DIR [PAIRS]" >&2
    exit 2
fi
build=$(realpath "$1")
pairs=${2:-20}
first_map="$build/bench/korvalin-first-map"
bare="$build/bench/korvalin-bare-window"
for f in "$first_map" "$bare" "$build/Korvalin/korvalin"; do
    [[ -x "$f" ]] || { echo "$0: $f is missing; build the program and the bench first" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/Korvalin" "$work/Korvalin"
rm -f "$work/Korvalin/Data.kvl" "$work/Korvalin/Config.ini"
# A registry store of its own, never the user's; a runtime folder where the session has none.
export KORVALIN_REGISTRY="$work/registry/HKEY_CURRENT_USER.reg"
if [[ -z "${XDG_RUNTIME_DIR:-}" ]]; then
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi
results="$work/results"
: >"$results"

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
xvfb-run -a -s '-screen 0 1280x1024x24' bash "$(realpath "$0")" --inside \
    "$first_map" "$bare" "$work/Korvalin/korvalin" "$pairs" "$results"
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"

# Medians per program and column, then the launcher's ratios.
awk -v pairs="$pairs" '
function median(list, n,    sorted, i, j, t) {
    for (i = 1; i <= n; i++) sorted[i] = list[i]
    for (i = 2; i <= n; i++)
        for (j = i; j > 1 && sorted[j - 1] > sorted[j]; j--) { t = sorted[j]; sorted[j] = sorted[j - 1]; sorted[j - 1] = t }
    return n % 2 ? sorted[(n + 1) / 2] : (sorted[n / 2] + sorted[n / 2 + 1]) / 2
}
{ n[$1]++; wall[$1, n[$1]] = $2; cpu[$1, n[$1]] = $3; peak[$1, n[$1]] = $4 }
END {
    for (p in n) {
        for (i = 1; i <= n[p]; i++) { w[i] = wall[p, i]; c[i] = cpu[p, i]; m[i] = peak[p, i] }
        mw[p] = median(w, n[p]); mc[p] = median(c, n[p]); mm[p] = median(m, n[p]) / 1024
    }
    printf "%d pairs, medians      wall ms   cpu ms   peak MiB\n", pairs
    printf "bare Qt window       %8.1f %8.1f %10.1f\n", mw["bare"], mc["bare"], mm["bare"]
    printf "  with a text line   %8.1f %8.1f %10.1f\n", mw["text"], mc["text"], mm["text"]
    printf "korvalin             %8.1f %8.1f %10.1f\n", mw["korvalin"], mc["korvalin"], mm["korvalin"]
    printf "ratio                %8.2f %8.2f %10.2f\n", mw["korvalin"] / mw["bare"], mc["korvalin"] / mc["bare"], mm["korvalin"] / mm["bare"]
    printf "ratio to text window %8.2f %8.2f %10.2f\n", mw["korvalin"] / mw["text"], mc["korvalin"] / mc["text"], mm["korvalin"] / mm["text"]
}' "$results"
