#!/usr/bin/env bash
# Installs what is needed, builds norva-inspect (Release) and shows it on the bundled example.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build-release
example=$root/examples/afiro.mps

bash "$root/scripts/install-deps.sh"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DNORVA_BUILD_TESTS=OFF -DNORVA_BUILD_BENCH=OFF
ninja -C "$build" -j "$(nproc 2>/dev/null || echo 2)" norva-inspect
inspect=$build/src/cli/norva-inspect

echo
echo "\$ norva-inspect --stats examples/afiro.mps"
"$inspect" --stats "$example"

# Captured first: cutting the pipe early could end the tool with SIGPIPE.
dump=$("$inspect" --dump "$example")
echo
echo "\$ norva-inspect --dump examples/afiro.mps | head -n 25"
head -n 25 <<<"$dump"
echo "... ($(wc -l <<<"$dump") lines in all)"
echo
echo "The tool is $inspect; see README.md for its other uses."
