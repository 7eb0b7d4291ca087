#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and benchmarking Norva need.
# Safe to run again: apt-get only touches what is missing, and the package lists are fetched
# only when something is missing (a fresh machine has none).
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    zlib1g-dev libfast-float-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    coinor-libcoinutils-dev
    time gzip
)

if [[ $(id -u) -eq 0 ]]; then
    as_root=()
elif command -v sudo >/dev/null; then
    as_root=(sudo)
else
    echo "install-deps: run as root or install sudo" >&2
    exit 1
fi

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
    echo "install-deps: all ${#packages[@]} packages present"
    exit 0
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update
"${as_root[@]}" apt-get install -y "${missing[@]}"
