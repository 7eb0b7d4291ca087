#!/bin/sh
# Runs a test program on a private session bus of its own, which ends with it. The bus looks
# for service files under a data folder of its own too, so a test can register a service.
data=$(mktemp -d "${TMPDIR:-/tmp}/norva-bus-XXXXXX") || exit 1
XDG_DATA_HOME=$data dbus-run-session -- "$@"
status=$?
rm -rf "$data"
exit $status
