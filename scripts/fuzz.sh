#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, build-fuzz) and runs each for SECONDS_PER_TARGET
# seconds (default 60), seeded from the tests' and examples' files, copied into a temporary
# corpus so that nothing is written into the tree. Exits non-zero when any target finds a
# crash, leak, sanitizer report or hang; its reproducer is kept under build-fuzz/findings/.
#   scripts/fuzz.sh [SECONDS_PER_TARGET]
set -euo pipefail

seconds=${1:-60}
[[ $seconds =~ ^[0-9]+$ && $seconds -gt 0 ]] || { echo "usage: fuzz.sh [SECONDS_PER_TARGET]" >&2; exit 2; }

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build-fuzz
jobs=$(nproc 2>/dev/null || echo 2)
targets=(fuzz_mps fuzz_orb fuzz_solution_file fuzz_dbf fuzz_connection_string fuzz_window_placement)

echo "== fuzz build (clang, $build)"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DNORVA_BUILD_FUZZ=ON \
    -DNORVA_BUILD_TESTS=OFF -DNORVA_BUILD_BENCH=OFF -DNORVA_WERROR=ON >/dev/null
ninja -C "$build" -j "$jobs" fuzzers

work=$(mktemp -d "${TMPDIR:-/tmp}/norva-fuzz-run.XXXXXX")
trap 'rm -rf "$work"' EXIT
findings=$build/findings
mkdir -p "$findings"

seed() {  # seed TARGET FILE...
    mkdir -p "$work/$1"
    local target=$1 file
    shift
    for file in "$@"; do
        [[ -f $file ]] && cp "$file" "$work/$target/"
    done
    return 0
}

seed_text() {  # seed_text TARGET TEXT...: one seed file per text
    mkdir -p "$work/$1"
    local target=$1 i=0 text
    shift
    for text in "$@"; do
        printf '%s' "$text" >"$work/$target/text$i"
        i=$((i + 1))
    done
}

shopt -s nullglob
mps_files=("$root"/examples/*.mps "$root"/tests/data/*.mps "$root"/tests/data/mps/*.mps "$root"/tests/data/bad/*
    "$root"/tests/data/netlib/*.mps.gz)
seed fuzz_mps "${mps_files[@]}"
for file in "$root"/tests/data/netlib/*.mps.gz; do  # the text too, not only its gzip form
    gzip -dc "$file" >"$work/fuzz_mps/$(basename "$file" .gz)"
done
mkdir -p "$work/fuzz_orb"
"$build/fuzz/orb_seeds" "$work/fuzz_orb" "$root"/examples/*.mps "$root"/tests/data/mps/*.mps \
    "$root"/tests/data/netlib/*.mps.gz
seed fuzz_orb "$root"/tests/data/orb/*.orb  # files of an earlier version, names by position
seed fuzz_solution_file "$root"/examples/KNLP_Solution.* "$root"/tests/data/KNLP_Solution.*
seed fuzz_dbf "$root"/tests/data/dbf/*.dbf
# The route byte first: odd for ADO strings, even for ODBC ones.
seed_text fuzz_connection_string \
    "1Provider=SQLOLEDB;Data Source=srv\\inst;Initial Catalog=Results;User ID=sa;Password={p;w}" \
    "1Provider=Microsoft.ACE.OLEDB.12.0;Data Source=/tmp/none.accdb;Persist Security Info=False" \
    "3Provider=PostgreSQL OLE DB Provider;Data Source='db host';Location=results" \
    "0ODBC;DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=/tmp/none.mdb" \
    "0DSN=Results;UID=user;PWD=\"se;cret\"" "2Driver={SQLite3};Database=/tmp/x.db;Timeout=100"
seed_text fuzz_window_placement "0,1,-1,-1,-1,-1,10,20,810,620" "2,2,-32000,-32000,-1,-1,0,0,1024,768" \
    " 0, 3,+5,6,7,8,-100,-200,300,400"

failed=()
for target in "${targets[@]}"; do
    echo "== $target for ${seconds}s ($(ls "$work/$target" | wc -l) seeds)"
    log=$work/$target.log
    # Each target runs in its own folder: a reader given a relative path finds nothing of ours.
    mkdir -p "$work/run-$target"
    if (cd "$work/run-$target" &&
        ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
            "$build/fuzz/$target" "$work/$target" -max_total_time="$seconds" -timeout=20 \
            -rss_limit_mb=3072 -max_len=262144 -print_final_stats=1 \
            -artifact_prefix="$findings/$target-" </dev/null >"$log" 2>&1); then
        grep -E '^(stat::number_of_executed_units|stat::new_units_added|Done )' "$log" || true
    else
        echo "!! $target found something:"
        tail -n 40 "$log"
        failed+=("$target")
    fi
done

if ((${#failed[@]} > 0)); then
    echo "== fuzzing found problems in: ${failed[*]}; reproducers in $findings" >&2
    exit 1
fi
echo "== fuzzing found nothing in ${SECONDS}s"
