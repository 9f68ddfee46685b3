#!/usr/bin/env bash
# Checks that the key-locking library exports exactly LockKeys and UnlockKeys, undecorated.
# Usage: check-exports.sh <objdump> <Velmora.dll>
set -eu
objdump="$1"
library="$2"
exports=$("$objdump" -p "$library" | awk '
  /\[Ordinal\/Name Pointer\] Table/ { table = 1; next }
  table && NF == 0 { exit }
  table { print $NF }' | sort | tr '\n' ' ')
if [ "$exports" != "LockKeys UnlockKeys " ]; then
  echo "unexpected exports of $library: '$exports'" >&2
  exit 1
fi
echo "exports: $exports"
