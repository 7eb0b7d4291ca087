#!/usr/bin/env bash
# The generator at the edges of its options: every shape must be written whole and read back
# with the non-zero count the generator reports.
# Usage: check_generated_shapes.sh GENERATE_MPS NORVA_INSPECT
set -euo pipefail

generator=$1
inspect=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
while read -r label options; do
    # shellcheck disable=SC2086  # the options are words
    if ! "$generator" $options "$work/$label.mps" 2>"$work/generated.txt"; then
        echo "FAIL $label: generate-mps $options"; cat "$work/generated.txt"
        failures=$((failures + 1)); continue
    fi
    written=$(sed -n 's/.* columns, \([0-9]*\) non-zeros$/\1/p' "$work/generated.txt")
    read_back=$("$inspect" --stats "$work/$label.mps" 2>"$work/read.txt" | sed -n 's/^nonzeros: //p') ||
        { echo "FAIL $label: norva-inspect could not read it"; cat "$work/read.txt"; }
    if [[ -z $written || $written != "$read_back" ]]; then
        echo "FAIL $label: generated ${written:-?} non-zeros, read ${read_back:-?}"
        failures=$((failures + 1))
    fi
done <<'SHAPES'
long-grouped --nonzeros 20000 --names grouped --name-length 64
long-one-per-line --nonzeros 20000 --names in-order --name-length 64 --per-line 1
one-per-column --nonzeros 20000 --per-column 1
dense-columns --nonzeros 20000 --per-column 1000
fixed-one-per-line --nonzeros 20000 --format fixed --per-line 1
smallest --nonzeros 1
SHAPES
exit $((failures > 0))
