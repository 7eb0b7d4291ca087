#!/usr/bin/env bash
# Builds the tree with gcov instrumentation in build-coverage, runs the whole test suite and
# prints the line coverage of src/. Files no test program links count as uncovered, so that
# dropping a test can never raise the figure.
# Usage: scripts/coverage.sh [extra ctest arguments]
# NORVA_COVERAGE_TARGETS="a_tests b_tests" builds only those targets, for a quick figure of one
# area with -L LABEL; compare such figures only with others taken the same way.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build-coverage
jobs=$(nproc 2>/dev/null || echo 2)

for tool in lcov gcov; do
    if ! command -v "$tool" >/dev/null; then
        echo "coverage.sh: $tool is missing (Debian package lcov)" >&2
        exit 1
    fi
done

# -O0 keeps one counter per source line; optimised code folds lines and blurs the figure.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNORVA_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="--coverage -O0" \
    -DCMAKE_EXE_LINKER_FLAGS=--coverage -DCMAKE_SHARED_LINKER_FLAGS=--coverage >/dev/null
# shellcheck disable=SC2086 # the target list is meant to split
ninja -C "$build" -j "$jobs" ${NORVA_COVERAGE_TARGETS:-}

# Debian's lcov 1.16 under a newer Perl warns of redefined subroutines on every call.
quiet_lcov() { lcov --quiet "$@" 2> >(grep -v ' redefined at ' >&2); }

quiet_lcov --zerocounters --directory "$build"
quiet_lcov --capture --initial --directory "$build" --output-file "$build/base.info"
ctest --test-dir "$build" --output-on-failure -j "$jobs" "$@"
quiet_lcov --capture --directory "$build" --output-file "$build/run.info"
quiet_lcov --add-tracefile "$build/base.info" --add-tracefile "$build/run.info" \
    --output-file "$build/all.info"
quiet_lcov --extract "$build/all.info" "$root/src/*" --output-file "$build/src.info"

echo "== line coverage of src/"
lcov --summary "$build/src.info" 2>&1 | grep -E '^ *(lines|functions)'
