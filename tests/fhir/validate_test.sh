#!/bin/sh
# Writes the FHIR cases with CASES and validates every one with the R4 validator in this folder
# (its packages installed by scripts/setup).
set -eu
here=$(dirname "$0")
if [ ! -d "$here/node_modules/@medplum/core" ]; then
  echo "validate_test: the validator is not installed; run scripts/setup" >&2
  exit 1
fi
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
"$1" "$folder"
# The validator's release asks for a newer node than Debian's 20, where its WebSocket is
# still behind a flag; it validates offline either way.
node --experimental-websocket "$here/validate.mjs" "$folder"/*.json
