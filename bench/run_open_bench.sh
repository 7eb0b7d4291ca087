#!/usr/bin/env bash
# Whole-process open benchmark: our norva-inspect --stats against CoinUtils' reader on generated
# models of several shapes and sizes, each as plain MPS, gzipped MPS and (ours only) ORB.
# Reports the best wall-clock time of N runs, the readers of one model run in turn, and the peak
# resident memory per non-zero (/usr/bin/time's %M), side by side:
#   x coin   CoinMpsIO's time over ours on the same file
#   vs text  for .gz: our plain-text time over our gzip time (1.00 = as fast as plain text);
#            for .orb: our free-MPS time over our ORB time
#
# Usage: bench/run_open_bench.sh [BUILD_DIR [SIZES]]
#   BUILD_DIR  a configured and built tree (default: build/ at the repository root)
#   SIZES      non-zero counts, comma-separated (default: 1000000,5000000,20000000)
# Environment:
#   NORVA_BENCH_RUNS    runs per file, best taken (default: 9 up to 2M non-zeros, 5 up to
#                       10M, 3 above; a short open's best of 3 is as much the host's noise)
#   NORVA_BENCH_SEED    generator seed (default 1)
#   NORVA_BENCH_SHAPES  shapes, space-separated (default: all of in-order shuffled grouped
#                       grouped-1 fixed sparse long): names in byte order; shuffled names (two
#                       entries a line); names shuffled under long common prefixes
#                       (PRO_CR000123), two or one entries a line; fixed format with shuffled
#                       names; shuffled names and about three entries a column, so nearly three
#                       times the rows and columns for the same non-zeros; shuffled names of 24
#                       characters, so lines of about 90
# Builds nothing; the generated files live in a temporary folder in BUILD_DIR, one shape and
# size at a time, removed at exit.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
sizes=${2:-1000000,5000000,20000000}
runs_for_size() {
    if [[ -n ${NORVA_BENCH_RUNS:-} ]]; then
        echo "$NORVA_BENCH_RUNS"
    elif (($1 <= 2000000)); then
        echo 9
    elif (($1 <= 10000000)); then
        echo 5
    else
        echo 3
    fi
}
seed=${NORVA_BENCH_SEED:-1}
shapes=${NORVA_BENCH_SHAPES:-in-order shuffled grouped grouped-1 fixed sparse long}

generator=$build/bench/generate-mps
inspect=$build/src/cli/norva-inspect
coin=$build/bench/coin-mps-read
timer=/usr/bin/time

for tool in "$generator" "$inspect" "$timer"; do
    if [[ ! -x $tool ]]; then
        echo "run_open_bench: $tool is missing (build the tree first: ninja -C $build)" >&2
        exit 1
    fi
done
have_coin=0
if [[ -x $coin ]]; then
    have_coin=1
else
    echo "run_open_bench: $coin is missing; timing our reader only" >&2
fi

work=$(mktemp -d "$build/open-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

shape_options() {
    case $1 in
        in-order) echo "--names in-order" ;;
        shuffled) echo "--names shuffled" ;;
        grouped) echo "--names grouped" ;;
        grouped-1) echo "--names grouped --per-line 1" ;;
        fixed) echo "--names shuffled --format fixed" ;;
        sparse) echo "--names shuffled --per-column 3" ;;
        long) echo "--names shuffled --name-length 24" ;;
        *)
            echo "run_open_bench: unknown shape $1" >&2
            exit 2
            ;;
    esac
}

# Runs one command once; prints "seconds peak_kilobytes". The time is taken here to the
# microsecond (time's %e has hundredths, too coarse for an ORB open): it includes starting the
# timer itself, well under a millisecond, for every reader alike.
time_once() {
    local start
    start=$EPOCHREALTIME
    if ! "$timer" -f "%M" -o "$work/time.txt" "$@" >"$work/out.txt" 2>&1; then
        echo "run_open_bench: failed: $*" >&2
        cat "$work/out.txt" >&2
        exit 1
    fi
    awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.4f ", b - a }'
    cat "$work/time.txt"
}

# Times the readers of one model in turn, run after run, and keeps each one's best time and
# largest peak: what the host does for a few seconds then falls on all of them alike, where
# one reader's runs all in a row could meet a slow spell that the next one's miss.
# Arguments: labels READER-FILE, READER norva or coin, FILE a key of the array "paths".
declare -A best peak paths
time_in_turn() {
    local label seconds kilobytes run path
    for label in "$@"; do
        best[$label]=""
        peak[$label]=0
    done
    for ((run = 0; run < runs; ++run)); do
        for label in "$@"; do
            path=${paths[${label#*-}]}
            if [[ $label == norva-* ]]; then
                read -r seconds kilobytes <<<"$(time_once "$inspect" --stats "$path")"
            else
                read -r seconds kilobytes <<<"$(time_once "$coin" "$path")"
            fi
            if [[ -z ${best[$label]} ]] ||
                awk -v a="$seconds" -v b="${best[$label]}" 'BEGIN { exit !(a < b) }'; then
                best[$label]=$seconds
            fi
            if ((kilobytes > peak[$label])); then peak[$label]=$kilobytes; fi
        done
    done
}

row() {
    awk -v shape="$1" -v nz="$2" -v file="$3" -v bytes="$4" -v t="$5" -v k="$6" -v ct="$7" \
        -v ck="$8" -v text="$9" 'BEGIN {
        coin = ct == "-" ? "-" : sprintf("%.3f", ct)
        speed = ct == "-" || t == 0 ? "-" : sprintf("%.1f", ct / t)
        cpeak = ck == "-" ? "-" : sprintf("%.1f", ck * 1024 / nz)
        vs = text == "-" || t == 0 ? "-" : sprintf("%.2f", text / t)
        printf "%-10s %9d %-5s %7.0f %8.3f %8s %7s %8.1f %8s %8s\n", shape, nz, file, bytes / 1e6,
            t, coin, speed, k * 1024 / nz, cpeak, vs
    }'
}

printf '%-10s %9s %-5s %7s %8s %8s %7s %8s %8s %8s\n' shape nonzeros file MB "norva s" "coin s" \
    "x coin" "B/nz" "coin B/nz" "vs text"
IFS=, read -r -a size_list <<<"$sizes"
for size in "${size_list[@]}"; do
    runs=$(runs_for_size "$size")
    for shape in $shapes; do
        mps=$work/model.mps
        # shellcheck disable=SC2046
        "$generator" --nonzeros "$size" --seed "$seed" $(shape_options "$shape") "$mps" 2>/dev/null
        gzip -kf "$mps"
        "$inspect" --write-orb "$work/model.orb" "$mps" >/dev/null 2>&1
        # The non-zero count as our reader reports it (objective coefficients included), so
        # that every reader is divided by the same number.
        counted=$("$inspect" --stats "$mps" 2>/dev/null | awk -F': *' '$1 == "nonzeros" { print $2 }')
        counted=${counted:-$size}
        paths=([mps]=$mps [gz]=$mps.gz [orb]=$work/model.orb)
        labels=(norva-mps norva-gz norva-orb)
        if ((have_coin)); then labels+=(coin-mps coin-gz); fi
        time_in_turn "${labels[@]}"
        for file in mps gz orb; do
            coin_seconds=- coin_kilobytes=-
            if ((have_coin)) && [[ $file != orb ]]; then
                coin_seconds=${best[coin-$file]} coin_kilobytes=${peak[coin-$file]}
            fi
            versus=-
            [[ $file != mps ]] && versus=${best[norva-mps]}
            row "$shape" "$counted" "$file" "$(stat -c %s "${paths[$file]}")" \
                "${best[norva-$file]}" "${peak[norva-$file]}" "$coin_seconds" "$coin_kilobytes" \
                "$versus"
        done
        rm -f "$mps" "$mps.gz" "$work/model.orb"
    done
done
echo "best of ${NORVA_BENCH_RUNS:-9, 5 or 3 (by size)} runs, the readers of a model taken in turn; MB: file size in 10^6 bytes; B/nz: peak resident bytes per non-zero" >&2
