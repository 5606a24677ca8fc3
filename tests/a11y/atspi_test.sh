#!/bin/sh
# Runs atspi_test.py (or the script named second) on a private X display and a private D-Bus
# session, where the accessibility bus starts on demand. Exits 77 (skipped) when a package it
# needs is missing.
#   atspi_test.sh WINDOW_PROGRAM [SCRIPT]
for tool in xvfb-run dbus-run-session /usr/bin/python3; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed"
    exit 77
  fi
done
if [ ! -x /usr/libexec/at-spi-bus-launcher ]; then
  echo "skipped: at-spi2-core is not installed"
  exit 77
fi
exec xvfb-run -a dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/${2:-atspi_test.py}" "$1"
