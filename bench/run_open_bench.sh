#!/usr/bin/env bash
# Whole-process open benchmark: our norva-inspect --stats against CoinUtils' reader on one
# generated model, written as free and as fixed MPS, each plain and gzipped. Reports the best
# of three wall-clock times, the rate in MB (10^6 bytes) of uncompressed MPS text per second,
# and peak resident memory per non-zero.
#
# Usage: bench/run_open_bench.sh [BUILD_DIR [NONZEROS]]
#   BUILD_DIR  a configured and built tree (default: build/ at the repository root)
#   NONZEROS   size of the generated model (default: 5000000)
# Environment: NORVA_BENCH_RUNS (default 3), NORVA_BENCH_SEED (default 1).
# Builds nothing; the generated files live in a temporary folder in BUILD_DIR, removed at exit.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
nonzeros=${2:-5000000}
runs=${NORVA_BENCH_RUNS:-3}
seed=${NORVA_BENCH_SEED:-1}

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
readers=(norva-inspect)
if [[ -x $coin ]]; then
    readers+=(coin-mps-read)
else
    echo "run_open_bench: $coin is missing; timing our reader only" >&2
fi

work=$(mktemp -d "$build/open-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

echo "generating a model of $nonzeros non-zeros (seed $seed) in $work" >&2
for format in free fixed; do
    "$generator" --nonzeros "$nonzeros" --format "$format" --seed "$seed" "$work/model-$format.mps"
    gzip -k "$work/model-$format.mps"
done

# Runs one reader on one file $runs times; prints "best_seconds peak_kilobytes" and leaves the
# reader's output of the last run in $work/out.txt.
time_reader() {
    local reader=$1 file=$2 best="" peak=0 seconds kilobytes
    local command=("$inspect" --stats "$file")
    [[ $reader == coin-mps-read ]] && command=("$coin" "$file")
    for ((run = 0; run < runs; ++run)); do
        if ! "$timer" -f "%e %M" -o "$work/time.txt" "${command[@]}" >"$work/out.txt" 2>&1; then
            echo "run_open_bench: $reader failed on $file:" >&2
            cat "$work/out.txt" >&2
            exit 1
        fi
        read -r seconds kilobytes <"$work/time.txt"
        if [[ -z $best ]] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
            best=$seconds
        fi
        ((kilobytes > peak)) && peak=$kilobytes
    done
    echo "$best $peak"
}

# The non-zero count as our reader reports it (objective coefficients included), so that both
# readers are divided by the same number.
counted=$("$inspect" --stats "$work/model-free.mps" | awk -F': *' '$1 == "nonzeros" { print $2 }')
counted=${counted:-$nonzeros}

printf '%-20s %12s  %-14s %9s %9s %12s\n' file bytes reader seconds "MB/s" "peak B/nz"
for file in model-free.mps model-free.mps.gz model-fixed.mps model-fixed.mps.gz; do
    size=$(stat -c %s "$work/$file")
    text_bytes=$(stat -c %s "$work/${file%.gz}")
    for reader in "${readers[@]}"; do
        timing=$(time_reader "$reader" "$work/$file")
        read -r seconds kilobytes <<<"$timing"
        awk -v f="$file" -v s="$size" -v r="$reader" -v t="$seconds" -v k="$kilobytes" \
            -v text="$text_bytes" -v nz="$counted" 'BEGIN {
                rate = t > 0 ? sprintf("%.0f", text / 1e6 / t) : "-"
                printf "%-20s %12d  %-14s %9.2f %9s %12.1f\n", f, s, r, t, rate, k * 1024 / nz
            }'
    done
done
echo "non-zeros: $counted; best of $runs runs; MB/s counts uncompressed MPS text" >&2
