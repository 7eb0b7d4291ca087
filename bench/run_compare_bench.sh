#!/usr/bin/env bash
# Whole-process compare benchmark: norva-inspect --compare on two generated models, against
# opening one of them alone (--stats), so that the compare's own share shows. Pairs: the same
# model written in free and in fixed form (nothing differs), and models of seeds 1 and 2
# (everything differs, the heaviest report). Best of three wall-clock times, peak memory.
#
# Usage: bench/run_compare_bench.sh [BUILD_DIR [NONZEROS]]
#   BUILD_DIR  a configured and built tree (default: build/ at the repository root)
#   NONZEROS   size of each generated model (default: 5000000)
# Environment: NORVA_BENCH_RUNS (default 3).
# Builds nothing; the generated files live in a temporary folder in BUILD_DIR, removed at exit.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
nonzeros=${2:-5000000}
runs=${NORVA_BENCH_RUNS:-3}

generator=$build/bench/generate-mps
inspect=$build/src/cli/norva-inspect
timer=/usr/bin/time
for tool in "$generator" "$inspect" "$timer"; do
    if [[ ! -x $tool ]]; then
        echo "run_compare_bench: $tool is missing (build the tree first)" >&2
        exit 1
    fi
done

work=$(mktemp -d "$build/compare-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
echo "generating models of $nonzeros non-zeros in $work" >&2
"$generator" --nonzeros "$nonzeros" --format free --seed 1 "$work/a.mps"
"$generator" --nonzeros "$nonzeros" --format fixed --seed 1 "$work/a-fixed.mps"
"$generator" --nonzeros "$nonzeros" --format free --seed 2 "$work/b.mps"

# Prints "best_seconds peak_kilobytes exit_status" of $runs runs of the command.
time_command() {
    local best="" peak=0 seconds kilobytes status=0
    for ((run = 0; run < runs; ++run)); do
        status=0
        "$timer" -f "%e %M" -o "$work/time.txt" "$@" >"$work/out.txt" 2>&1 || status=$?
        if ((status > 1)); then
            echo "run_compare_bench: $* failed:" >&2
            cat "$work/out.txt" >&2
            exit 1
        fi
        read -r seconds kilobytes < <(tail -n 1 "$work/time.txt")
        if [[ -z $best ]] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
            best=$seconds
        fi
        ((kilobytes > peak)) && peak=$kilobytes
    done
    echo "$best $peak $status"
}

printf '%-34s %9s %12s %6s %12s\n' run seconds "peak MB" exit differences
report() {
    local label=$1
    shift
    read -r seconds kilobytes status <<<"$(time_command "$@")"
    local differences
    differences=$(awk '/^Differences: / { print $2 } /^No difference/ { print 0 }' "$work/out.txt")
    printf '%-34s %9s %12d %6s %12s\n' "$label" "$seconds" $((kilobytes / 1024)) "$status" \
        "${differences:--}"
}
report "open a.mps alone (--stats)" "$inspect" --stats "$work/a.mps"
report "compare a.mps a-fixed.mps" "$inspect" --compare "$work/a.mps" "$work/a-fixed.mps"
report "compare a.mps b.mps" "$inspect" --compare "$work/a.mps" "$work/b.mps"
