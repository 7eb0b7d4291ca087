#!/usr/bin/env bash
# Takes the README's and the help's screenshots from a built norva under Xvfb, with a fresh
# settings folder (so the window opens at its first-start size), on the bundled example.
# usage: scripts/screenshots.sh [BUILD_DIR]      (default build/; needs norva built there)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build}
norva=$build/src/app/norva
[[ -x $norva ]] || { echo "no $norva: build the norva target first" >&2; exit 1; }
for tool in xvfb-run xdotool xwd convert-im6.q16; do
    command -v "$tool" > /dev/null || missing=1
done
if [[ -n ${missing:-} ]]; then
    apt-get install -y --no-install-recommends xvfb xauth xdotool x11-apps imagemagick
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/examples" "$work/examples"
export XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_CONFIG_HOME/Orvane"

# The session runs inside Xvfb: the program, then keys, then one picture per window.
cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
norva=$1 out=$2 work=$3
shoot() {  # shoot WINDOW_NAME FILE: the first window of that name, without the desktop
    local id
    id=$(xdotool search --sync --onlyvisible --name "$1" | tail -1)
    sleep 0.5
    xwd -silent -id "$id" | convert-im6.q16 xwd:- "$out/$2"
}
keys() { xdotool key --delay 150 "$@"; sleep 0.7; }
# No window manager: the main window is given the keyboard focus by hand.
focus() { xdotool search --sync --onlyvisible --name 'MPSBCD001' | head -1 | xargs xdotool windowfocus; }
start() {
    cd "$work"
    "$norva" examples/MPSBCD001.mps &
    pid=$!
    focus
    sleep 1.5
}
stop() { kill "$pid"; wait "$pid" 2> /dev/null || true; }

# First start: the window at its default size on the first row (COST), then the dialogs.
start
shoot 'MPSBCD001' main-window.png
keys ctrl+f
xdotool search --sync --onlyvisible --name '^Find$' > /dev/null
xdotool type --delay 40 X0
shoot '^Find$' find.png
keys Escape
focus
keys alt+t o
shoot '^Program Options$' options-general.png
keys ctrl+Tab
shoot '^Program Options$' options-database.png
keys Escape
stop

# The submatrix shown, the small-coefficient filter on: Program Options' OK fills the grid.
printf '[Options]\nEnabledSubmatrix=1\nSubmatrixSizeDiff=600\nFilter=1\nToleranceSel=1\nSmallCoef=0.5\n' \
    > "$XDG_CONFIG_HOME/Orvane/Norva.ini"
start
keys alt+t o
xdotool search --sync --onlyvisible --name '^Program Options$' > /dev/null
keys Return
shoot 'MPSBCD001' submatrix.png
stop
SESSION

mkdir -p "$work/out"
xvfb-run -a -s "-screen 0 1280x900x24" bash "$work/session.sh" "$norva" "$work/out" "$work"
ls -l "$work/out"
cp "$work/out/main-window.png" "$root/docs/screenshot.png"
cp "$work/out/submatrix.png" "$root/docs/screenshot-submatrix.png"
mkdir -p "$root/help/images"
cp "$work/out/"*.png "$root/help/images/"
