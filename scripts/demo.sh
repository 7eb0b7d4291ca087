#!/usr/bin/env bash
# Installs what is needed, builds the desktop program and norva-inspect (Release), and opens the
# bundled tagged example, whose solution comes from the results database beside it.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build-release
example=$root/examples/MPSBCD001.mps

bash "$root/scripts/install-deps.sh"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DNORVA_BUILD_TESTS=OFF -DNORVA_BUILD_BENCH=OFF
ninja -C "$build" -j "$(nproc 2>/dev/null || echo 2)" norva norva-inspect
norva=$build/src/app/norva
inspect=$build/src/cli/norva-inspect

echo
echo "\$ norva-inspect --row R09 examples/MPSBCD001.mps"
"$inspect" --row R09 "$example"

echo
if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
    echo "Opening examples/MPSBCD001.mps in $norva ..."
    exec "$norva" "$example"
fi
echo "No display to open a window on (DISPLAY is not set): the listing above is what the"
echo "window's detail view shows. On a desktop, run: $norva $example"
