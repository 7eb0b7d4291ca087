#!/usr/bin/env bash
# Runs every norva-inspect command of the README's ```sh blocks as written, in a copy of
# examples/. A block with `<!-- readme-test: skip REASON -->` on the line before its fence is
# left out. usage: readme-commands.sh NORVA_INSPECT SOURCE_DIR
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
cp -r "$2/examples" "$work/" && mkdir -p "$work/build/src/cli" &&
    ln -s "$1" "$work/build/src/cli/norva-inspect" || exit 1
commands=$(awk '/^ *```/ { run = !inside && $1 == "```sh" && !skip; inside = !inside; skip = 0; next }
    { skip = /<!-- readme-test: skip/ }
    inside && run { sub(/^ *(\$ )?/, ""); line = line $0; if (sub(/\\$/, " ", line)) next
                    if (line ~ /^([^ ]*\/)?norva-inspect /) print line; line = "" }' "$2/README.md")
[[ $(grep -c . <<<"$commands") -ge 2 ]] || { echo "the README's commands were not found"; exit 1; }
failed=0
while IFS= read -r command; do
    echo "$ $command"
    (cd "$work" && PATH="$work/build/src/cli:$PATH" bash -c "$command" > /dev/null) || failed=1
done <<<"$commands"
exit $failed
