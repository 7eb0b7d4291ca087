#!/usr/bin/env bash
# ctest, with the shared models' folder pointing nowhere, must list their tests as skipped
# with the reason, none as passed. It runs on a test list of its own (the netlib entries), so
# that its ctest writes its logs apart from the ctest that runs it.
# usage: skipped-count-check.sh CTEST TESTS_BINARY_DIR
missing=$(mktemp -u) list=$(mktemp -d) && trap 'rm -rf "$list"' EXIT
printf 'include("%s")\n' "$2"/netlib_tests*_include.cmake > "$list/CTestTestfile.cmake"
out=$(NORVA_SHARED_DATA_DIR=$missing "$1" --test-dir "$list" -R '^Shared/NetlibModels' -V 2>&1)
if [[ $? -ne 0 ]] || ! grep -Eq "no models in|no test matches" <<<"$out" ||
    ! grep -q '\*\*\*Skipped' <<<"$out" || grep -Eq 'Passed +[0-9.]+ sec' <<<"$out"; then
    echo "$out"; exit 1
fi
