#!/usr/bin/env bash
# Whole-process benchmark of the ".cas" route: norva-case-server serves a generated model of
# NONZEROS non-zeros on a private session bus, and norva-inspect --stats opens it as a case.
# Reports the best of the runs' wall-clock times for the case open (names, coefficients and
# the six per-position tables over the bus) beside the same model opened directly from MPS.
#
# Usage: bench/run_case_bench.sh [BUILD_DIR [NONZEROS]]
#   BUILD_DIR  a configured and built tree (default: build/ at the repository root)
#   NONZEROS   size of the generated model (default: 1000000)
# Environment: NORVA_BENCH_RUNS (default 3).
# Builds nothing; the generated files live in a temporary folder in BUILD_DIR, removed at exit.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
nonzeros=${2:-1000000}
runs=${NORVA_BENCH_RUNS:-3}

generator=$build/bench/generate-mps
inspect=$build/src/cli/norva-inspect
server=$build/src/cli/norva-case-server
for tool in "$generator" "$inspect" "$server"; do
    if [[ ! -x $tool ]]; then
        echo "run_case_bench: $tool is missing (build the tree first: ninja -C $build)" >&2
        exit 1
    fi
done
if [[ -z ${DBUS_SESSION_BUS_ADDRESS:-} || -z ${NORVA_CASE_BENCH_ON_BUS:-} ]]; then
    # A private bus of its own, which ends with the benchmark.
    exec env NORVA_CASE_BENCH_ON_BUS=1 dbus-run-session -- "$0" "$build" "$nonzeros"
fi

work=$(mktemp -d "$build/case-bench.XXXXXX")
server_pid=
cleanup() {
    [[ -n $server_pid ]] && kill "$server_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

"$generator" --nonzeros "$nonzeros" "$work/model.mps"
: >"$work/model.cas"
"$server" --process BENCH "$work/model.mps" >"$work/server.out" &
server_pid=$!
for _ in $(seq 600); do
    grep -q ready "$work/server.out" 2>/dev/null && break
    sleep 0.1
done
grep -q ready "$work/server.out" || { echo "run_case_bench: the server did not start" >&2; exit 1; }

best() {
    local best_time=
    for _ in $(seq "$runs"); do
        local start end took
        start=$(date +%s.%N)
        "$@" >/dev/null 2>"$work/last.err" || { cat "$work/last.err" >&2; exit 1; }
        end=$(date +%s.%N)
        took=$(echo "$end - $start" | bc)
        if [[ -z $best_time ]] || (( $(echo "$took < $best_time" | bc) )); then best_time=$took; fi
    done
    echo "$best_time"
}

echo "non-zeros: $nonzeros"
printf 'open as case (norva-inspect --stats model.cas): %.2f s\n' \
    "$(best "$inspect" --stats "$work/model.cas" --loom-process BENCH)"
printf 'open as MPS  (norva-inspect --stats model.mps): %.2f s\n' \
    "$(best "$inspect" --stats "$work/model.mps")"
