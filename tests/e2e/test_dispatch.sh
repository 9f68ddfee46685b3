#!/usr/bin/env bash
# End to end: the real Velmora.scr under Wine, started with the host's and its own switches.
# Checks the exit codes and error reports of each start, the single-instance rule against a
# running copy (its configuration dialog open, its lock screen window hidden), and the preview
# pulsing in a real host window.
# Usage: test_dispatch.sh <path of Velmora.scr>; needs VELMORA_WINE_RUN and a DISPLAY.
set -u
scr=$1
run=${VELMORA_WINE_RUN:?VELMORA_WINE_RUN must name scripts/wine-run}
artifacts=${VELMORA_ARTIFACTS:-$(dirname "$scr")/artifacts}
helper="$(dirname "$scr")/dispatch_helper.exe"
mkdir -p "$artifacts"
work=$(mktemp -d)
started=()
failures=0
suite=dispatch
. "$(dirname "$0")/common.sh"

cleanup() {
  local pid
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

# Also shows what the last program wrote on standard error.
fail() {
  echo "FAIL: $*"
  [ -s "$work/err" ] && sed 's/^/  stderr: /' "$work/err"
  failures=$((failures + 1))
}

# The Windows name of a file in $work (Wine maps the Unix root to Z:).
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# Runs a program to its end (at most 60 s) with the error box sent to stderr; sets $code.
run_to_end() {
  VELMORA_NO_MESSAGEBOX=1 timeout 60 "$run" "$@" >"$work/out" 2>"$work/err"
  code=$?
}

expect_exit() {
  local expected=$1 what=$2
  shift 2
  run_to_end "$scr" "$@"
  if [ "$code" -ne "$expected" ]; then fail "$what: exit code $code, expected $expected"; fi
}

expect_error() {
  local text=$1 what=$2
  if ! grep -qF -- "$text" "$work/err"; then fail "$what: stderr lacks \"$text\""; fi
}

# Waits up to 30 s for a file to appear.
wait_for_file() {
  local tries=0
  while [ ! -s "$1" ]; do
    tries=$((tries + 1))
    [ "$tries" -gt 300 ] && return 1
    sleep 0.1
  done
}

echo "== switches that end at once"
expect_exit 0 '"/A"' /A
expect_exit 0 '"/a x"' /a x
expect_exit 0 '"/X"' /X
expect_exit 0 '"/install" (lower case)' /install
expect_exit 0 '"/Uninstall" (mixed case)' /Uninstall
expect_exit 0 'an empty argument' ""

echo "== preview handle failures"
expect_exit 1 '"/P" without a handle' /P
expect_error "second argument" '"/P" without a handle'
expect_exit 1 '"/P abc"' /P abc
expect_error '"abc" is not a valid window handle' '"/P abc"'
expect_exit 1 '"/p:123" (handle joined by a colon)' /p:123

echo "== the settings are written back after a failure"
"$run" reg delete 'HKCU\Software\Velmora' /f >/dev/null 2>&1
expect_exit 1 '"/P abc" with no stored settings' /P abc
if ! "$run" reg query 'HKCU\Software\Velmora' /v MessagePosition >/dev/null 2>&1; then
  fail "no MessagePosition written back after a failed preview"
fi

echo "== missing language file"
mkdir -p "$work/nolanguage"
cp "$scr" "$work/nolanguage/Velmora.scr"
run_to_end "$work/nolanguage/Velmora.scr" /A
if [ "$code" -ne 1 ]; then fail "no language file: exit code $code, expected 1"; fi
expect_error "Cannot open file" "no language file"
expect_error "Velmora.lng" "no language file"

echo "== a running copy: its configuration dialog is open, its lock screen window hidden"
VELMORA_NO_MESSAGEBOX=1 "$run" "$scr" /C >/dev/null 2>&1 &
copy=$!
started+=("$copy")
dialog=no
for _ in $(seq 1 150); do
  "$run" "$(dirname "$scr")/lockscreen_helper.exe" probe 2>/dev/null | grep -q '^TfrmConfig 1 ' && dialog=yes && break
  sleep 0.2
done
if [ "$dialog" = yes ]; then
  expect_exit 0 '"/S" beside a running copy' /S
  # The check comes before the preview reads its handle, so even a bad handle ends silently.
  expect_exit 0 '"/P abc" beside a running copy' /P abc
  if [ -s "$work/err" ]; then fail '"/P abc" beside a running copy reported something'; fi
  expect_exit 0 '"/INSTALL" beside a running copy' /INSTALL
  expect_exit 0 'no argument beside a running copy'
else
  fail "the running copy's configuration dialog did not open"
fi
kill "$copy" 2>/dev/null
wait "$copy" 2>/dev/null

echo "== preview into a host window"
"$run" "$helper" host "$(windows_path "$work/host-ready")" "$(windows_path "$work/host-stop")" \
  >/dev/null 2>&1 &
host=$!
started+=("$host")
if wait_for_file "$work/host-ready"; then
  handle=$(tr -d '\r\n' <"$work/host-ready")
  VELMORA_NO_MESSAGEBOX=1 "$run" "$scr" /p "$handle" >"$work/out" 2>"$work/err" &
  preview=$!
  started+=("$preview")
  # The host lies at (100, 100), 152 by 112: its centre (176, 156) shows the clock's grey hub
  # once the preview draws, and its corner stays red.
  centre=""
  for _ in $(seq 1 200); do
    centre=$(import -window root -crop 1x1+176+156 -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}' | head -1)
    case $centre in "#FF0000" | "") sleep 0.1 ;; *) break ;; esac
  done
  import -window root -crop 152x112+100+100 "$artifacts/dispatch-preview.png" 2>/dev/null
  corner=$(import -window root -crop 1x1+102+102 -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}' | head -1)
  if [ -z "$centre" ] || [ "${centre:1:2}${centre:1:2}${centre:1:2}" != "${centre:1}" ] ||
    [ "${centre:1:2}" = "00" ]; then fail "preview: centre pixel is '$centre', expected a light grey"; fi
  if [ "$corner" != "#FF0000" ]; then fail "preview: corner pixel is '$corner', expected red"; fi
  # Hiding the host ends the preview with exit code 0.
  touch "$work/host-stop"
  if wait_for_end "$preview"; then
    [ "$code" -eq 0 ] || fail "preview: exit code $code, expected 0"
  else
    fail "preview did not end when its host was hidden"
  fi
else
  fail "the stand-in host window did not start"
fi
touch "$work/host-stop"
wait_for_end "$host" || fail "the stand-in host did not end"

finish
