#!/usr/bin/env bash
# Runs a test binary inside a private D-Bus session bus, so bus tests register their own peers.
for arg in "$@"; do
    [ "$arg" = "--gtest_list_tests" ] && exec "$@"
done
exec dbus-run-session -- "$@"
