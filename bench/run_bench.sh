#!/bin/sh
# Speed benchmark (not a test: it asserts no time). Generates a large valid
# deck, runs bridgeplan on it with the report and plot on disk, and prints
# report rows and megabytes per second, peak resident memory, and the wall
# time against copying the same output files on the same disk (the I/O
# floor). A deck ten times larger is run once more for its peak memory.
#
# usage: run_bench.sh BRIDGEPLAN [WORKDIR]; BENCH_PROBLEMS (default 60)
set -eu
exe=$(realpath "$1")
work=${2:-$(dirname "$exe")/bench}
problems=${BENCH_PROBLEMS:-60}
here=$(dirname "$0")
mkdir -p "$work"
if [ ! -x /usr/bin/time ]; then   # peak memory is read from GNU time
    echo "bench: installing time" >&2
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq time
fi
trap 'rm -f "$work"/*.rpt "$work"/*.plt "$work"/*.copy "$work"/*.deck' EXIT

# run DECK NAME: runs bridgeplan, leaves wall seconds, user and sys seconds
# and peak kilobytes in $work/NAME.stats
run() {
    sync
    start=$(date +%s%N)
    /usr/bin/time -f "%U %S %M" -o "$work/$2.stats" \
        "$exe" --force "$1" "$work/$2.rpt" "$work/$2.plt" 2>"$work/$2.stderr"
    end=$(date +%s%N)
    cpu=$(cat "$work/$2.stats")
    echo "$(((end - start) / 1000)) $cpu" | awk '{ print $1 / 1e6, $2, $3, $4 }' >"$work/$2.stats"
    sync
}

# floor NAME: seconds to copy the run's output files on the same disk (both
# timings start after a sync and end when the data is handed to the system)
floor() {
    rm -f "$work/$1.rpt.copy" "$work/$1.plt.copy"
    sync
    start=$(date +%s%N)
    cp "$work/$1.rpt" "$work/$1.rpt.copy"
    cp "$work/$1.plt" "$work/$1.plt.copy"
    end=$(date +%s%N)
    echo "$(((end - start) / 1000))" | awk '{ print $1 / 1e6 }' >"$work/$1.floor"
    rm -f "$work/$1.rpt.copy" "$work/$1.plt.copy"
}

report() { # NAME PROBLEMS
    read -r wall user sys kb <"$work/$1.stats"
    read -r copy <"$work/$1.floor"
    if grep -q '^ERROR' "$work/$1.rpt"; then
        echo "bench: the generated deck has abandoned problems; see $work/$1.stderr" >&2
        exit 1
    fi
    rows=$(wc -l <"$work/$1.rpt")
    points=$(grep -c -E '^ [BAT] +[0-9]+ +-?[0-9]+\+' "$work/$1.rpt" || true)
    bytes=$(($(wc -c <"$work/$1.rpt") + $(wc -c <"$work/$1.plt")))
    rbytes=$(wc -c <"$work/$1.rpt")
    awk -v n="$2" -v wall="$wall" -v cpu="$user $sys" -v kb="$kb" -v copy="$copy" \
        -v rows="$rows" -v points="$points" -v rbytes="$rbytes" -v bytes="$bytes" 'BEGIN {
        split(cpu, c, " "); busy = c[1] + c[2]
        if (wall <= 0) wall = 0.001
        if (copy <= 0) copy = 0.001
        printf "  deck of %d problems: %d report rows (%d point rows), report %.1f MB, plot %.1f MB\n",
            n, rows, points, rbytes / 1e6, (bytes - rbytes) / 1e6
        printf "  wall %.3f s (user+sys %.2f s)\n", wall, busy
        printf "  report rows per second:      %12.0f (point rows %.0f)\n", rows / wall, points / wall
        printf "  report megabytes per second: %12.1f\n", rbytes / 1e6 / wall
        printf "  peak resident memory:        %12.1f MB\n", kb / 1024
        printf "  I/O floor (cp of the output) %12.3f s; bridgeplan takes %.1f times it\n",
            copy, wall / copy
    }'
}

echo "bench: generating decks of $problems and $((problems * 10)) problems"
/usr/bin/python3 "$here/make_deck.py" "$problems" >"$work/small.deck"
/usr/bin/python3 "$here/make_deck.py" "$((problems * 10))" >"$work/large.deck"

run "$work/small.deck" small
floor small
echo "bench: $problems problems"
report small "$problems"
rm -f "$work/small.rpt" "$work/small.plt"

run "$work/large.deck" large
floor large
echo "bench: $((problems * 10)) problems"
report large "$((problems * 10))"
