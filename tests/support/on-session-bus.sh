#!/bin/sh
# Runs a test program on a private session bus of its own, which ends with it.
exec dbus-run-session -- "$@"
