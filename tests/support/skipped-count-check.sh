#!/usr/bin/env bash
# ctest, with the shared models' folder pointing nowhere, must list their tests as skipped
# with the reason, none as passed. usage: skipped-count-check.sh CTEST BUILD_DIR
missing=$(mktemp -u)
out=$(NORVA_SHARED_DATA_DIR=$missing "$1" --test-dir "$2" -R '^Netlib/SharedModels' -V 2>&1)
status=$?
if [[ $status -ne 0 ]] || ! grep -Eq "no models in|no test matches" <<<"$out" ||
    ! grep -q '\*\*\*Skipped' <<<"$out" || grep -Eq 'Passed +[0-9.]+ sec' <<<"$out"; then
    echo "$out"; exit 1
fi
