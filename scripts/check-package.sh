#!/usr/bin/env bash
# Checks a built package as a user would meet it: unpacked into a fresh root, the installed
# programs run from there, the desktop files pass the freedesktop tools, the manual pages
# render without warnings, and nothing installed points back into the tree it was built in.
#   scripts/check-package.sh PACKAGE.deb
set -euo pipefail

package=$(realpath "${1:?usage: check-package.sh PACKAGE.deb}")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
fresh=$(mktemp -d "${TMPDIR:-/tmp}/norva-package.XXXXXX")
trap 'rm -rf "$fresh"' EXIT
dpkg -x "$package" "$fresh/root"
usr=$fresh/root/usr

fail() {
    echo "check-package: $*" >&2
    exit 1
}

# Warnings are failures here: a tool that only warns still exits 0.
quiet() {  # quiet DESCRIPTION COMMAND...: the command must succeed and write nothing to stderr
    local description=$1
    shift
    "$@" 2>"$fresh/stderr" >/dev/null || fail "$description failed: $(cat "$fresh/stderr")"
    [[ ! -s $fresh/stderr ]] || fail "$description warned: $(cat "$fresh/stderr")"
}

echo "== the package's fields"
fields=$(dpkg-deb --field "$package" Depends Recommends)
echo "$fields"
for needed in libqt6widgets6 libqt6dbus6 libodbc2 qt6-qpa-plugins; do
    grep -q "^Depends:.*\b$needed\b" <<<"$fields" || fail "Depends lacks $needed"
done
grep -q '^Recommends:.*odbc-mdbtools' <<<"$fields" || fail "Recommends lacks odbc-mdbtools"

echo "== nothing installed points into $root"
if grep -rlF "$root" "$fresh/root"; then fail "the files above name the source or build tree"; fi

echo "== the installed programs run"
for program in norva norva-inspect norva-automate norva-case-server; do
    [[ -x $usr/bin/$program ]] || fail "bin/$program is missing"
done
"$usr/bin/norva-inspect" --stats "$usr/share/doc/norva/examples/afiro.mps"
# Qt only through the .cas module, which the installed program must find (here it then fails at
# the bus, which is absent).
if ldd "$usr/bin/norva-inspect" | grep libQt6 >/dev/null; then fail "norva-inspect links Qt"; fi
touch "$fresh/model.cas"
cas=$(DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent \
    "$usr/bin/norva-inspect" --dump "$fresh/model.cas" --loom-process P 2>&1 || true)
if grep -qF "needs the module" <<<"$cas"; then fail "norva-inspect: $cas"; fi
help=$(QT_QPA_PLATFORM=offscreen "$usr/bin/norva" --help)
grep -qxF "Help pages: $usr/share/norva/help/index.html" <<<"$help" ||
    fail "norva --help does not find the installed help: $help"
grep -qxF "Examples:   $usr/share/doc/norva/examples" <<<"$help" ||
    fail "norva --help does not find the installed examples: $help"

echo "== desktop entry, bus service, icons and file types"
quiet desktop-file-validate desktop-file-validate "$usr/share/applications/norva.desktop"
grep -qxF 'Exec="/usr/bin/norva" %f' "$usr/share/applications/norva.desktop" ||
    fail "the desktop entry does not start /usr/bin/norva"
grep -qxF 'Exec="/usr/bin/norva" --automation' "$usr/share/dbus-1/services/Norva.Document.service" ||
    fail "the bus service does not start /usr/bin/norva --automation"
for icon in scalable/apps/norva.svg {16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/norva.png; do
    [[ -s $usr/share/icons/hicolor/$icon ]] || fail "icon $icon is missing"
done
cp -r "$usr/share/mime" "$fresh/mime"
# Named as a data folder, so that the tool does not warn that no desktop would read it.
quiet update-mime-database env XDG_DATA_DIRS="$fresh" update-mime-database "$fresh/mime"
for type in x-norva-mps x-norva-orb x-norva-cas; do
    [[ -f $fresh/mime/application/$type.xml ]] || fail "the MIME database lacks application/$type"
done
grep -q '^application/x-norva-mps:\*\.mps\.gz$' "$fresh/mime/globs" || fail "*.mps.gz is not an MPS matrix"

echo "== manual pages"
for page in "$usr"/share/man/man1/norva.1.gz "$usr"/share/man/man1/norva-inspect.1.gz; do
    [[ -f $page ]] || fail "$page is missing"
    quiet "groff -ww on $(basename "$page")" sh -c 'zcat "$1" | groff -ww -man -Tutf8 -z' sh "$page"
    quiet "man -l $(basename "$page")" env MANWIDTH=80 man --warnings -l "$page"
done
echo "== the package is sound"
