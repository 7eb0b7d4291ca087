#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and benchmarking Norva need.
# Safe to run again: apt-get only touches what is missing, and the package lists are fetched
# only when something is missing (a fresh machine has none).
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    zlib1g-dev libisal-dev libfast-float-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    coinor-libcoinutils-dev
    time gzip
    unixodbc unixodbc-dev libsqliteodbc odbc-mdbtools mdbtools odbc-postgresql tdsodbc
    postgresql sqlite3 locales fp-units-db-3.2.2
    qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
    fonts-dejavu-core xvfb xauth dbus-daemon dbus-bin poppler-utils
    clang libclang-rt-14-dev llvm
    dpkg-dev file desktop-file-utils shared-mime-info groff-base man-db
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
else
    echo "install-deps: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${as_root[@]}" apt-get update
    "${as_root[@]}" apt-get install -y "${missing[@]}"
fi

# The DBF tests read numbers under a comma-decimal locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    echo "install-deps: generating the de_DE.UTF-8 locale"
    "${as_root[@]}" sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen ||
        echo 'de_DE.UTF-8 UTF-8' | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
    "${as_root[@]}" locale-gen
fi
