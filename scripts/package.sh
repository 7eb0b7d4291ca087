#!/usr/bin/env bash
# Builds the Debian package from the install rules: a Release build of the programs only, in
# its own folder (build-package), packed by CPack. Prints the package's path last.
#   scripts/package.sh
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build-package
jobs=$(nproc 2>/dev/null || echo 2)

if command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
    export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
fi
# Warnings are checked by the ordinary build; at -O3 GCC 12 warns falsely (-Wrestrict inside
# std::string), so this build does not turn them into errors.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DNORVA_WERROR=OFF \
    -DNORVA_BUILD_TESTS=OFF -DNORVA_BUILD_BENCH=OFF >/dev/null
ninja -C "$build" -j "$jobs"
rm -f "$build"/norva_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
shopt -s nullglob
packages=("$build"/norva_*.deb)
if ((${#packages[@]} != 1)); then
    echo "package.sh: expected one norva_*.deb in $build, found ${#packages[@]}" >&2
    exit 1
fi
dpkg-deb --field "${packages[0]}" Package Version Depends Recommends
echo "${packages[0]}"
