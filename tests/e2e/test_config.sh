#!/usr/bin/env bash
# End to end: Velmora.scr /C under Wine, driven with xdotool as an owner would. Sets a password,
# logon start and the speed, applies; allows visitors' messages and changes the message,
# applies; checks the stored record byte for byte and the logon-start entry; tests the lock
# screen from the dialog and comes back to it; closes with OK; then /S unlocks with the new
# password. Saves a screenshot of each of the four pages.
# Usage: test_config.sh <path of Velmora.scr>; needs VELMORA_WINE_RUN and a DISPLAY.
set -u
scr=$1
run=${VELMORA_WINE_RUN:?VELMORA_WINE_RUN must name scripts/wine-run}
artifacts=${VELMORA_ARTIFACTS:-$(dirname "$scr")/artifacts}
helper="$(dirname "$scr")/lockscreen_helper.exe"
layout_source="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/src/config/Config.cpp"
mkdir -p "$artifacts"
work=$(mktemp -d)
app=""
failures=0
suite="configuration dialog"
readonly password="Open4Me" message="Out for lunch" speed=15
. "$(dirname "$0")/common.sh"

forget_settings() {
  "$run" reg delete 'HKCU\Software\Velmora' /f >/dev/null 2>&1
  "$run" reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Velmora /f >/dev/null 2>&1
}

cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  forget_settings
  rm -rf "$work"
}
trap cleanup EXIT

# The forms layer numbers the controls 100 + their row in the layout table.
declare -A id
row=0
while read -r name; do
  id[$name]=$((100 + row))
  row=$((row + 1))
done < <(sed -n '/TfrmConfig::kLayout\[\] = {/,/^};/p' "$layout_source" | tr '\n' ' ' |
  grep -o 'Row<[^>]*>( *"[A-Za-z]*"' | sed 's/.*"\([A-Za-z]*\)"$/\1/')
[ "${id[btnApply]:-}" ] || { fail "no layout table in $layout_source"; finish; }

controls() { "$run" "$helper" controls 2>/dev/null | tr -d '\r' >"$work/controls"; }
# visible left top right bottom of a component, from the last `controls`.
control_line() { grep "^${id[$1]} " "$work/controls" | cut -d' ' -f2-; }

# Clicks the middle of a component (or the point $2 $3 from its top left corner).
click() {
  controls
  local visible left top right bottom
  read -r visible left top right bottom < <(control_line "$1")
  [ "$visible" = 1 ] || { fail "$1 is not visible to click"; return 1; }
  local x=$(((left + right) / 2)) y=$(((top + bottom) / 2))
  [ $# -ge 3 ] && x=$((left + $2)) && y=$((top + $3))
  xdotool mousemove "$x" "$y" click 1
  sleep 0.3
}

# Opens a page by clicking along the tabs' row until its sheet is the one shown.
open_page() {
  controls
  local visible left top right bottom x
  read -r visible left top right bottom < <(control_line pgcPageControl)
  for ((x = left + 6; x < right; x += 8)); do
    xdotool mousemove "$x" $((top + 10)) click 1
    sleep 0.2
    controls
    [ "$(control_line "$1" | cut -d' ' -f1)" = 1 ] && return 0
  done
  fail "the page $1 could not be opened"
  return 1
}

screenshot() {
  probe
  local visible left top right bottom
  read -r visible left top right bottom _ < <(window_line TfrmConfig)
  # Away from the controls, so that no tooltip covers the page.
  xdotool mousemove 0 0
  sleep 1
  import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$artifacts/$1" 2>/dev/null ||
    fail "no screenshot $1"
}

byte() { echo "${record:$((2 * $1)):2}"; }
bytes() { echo "${record:$((2 * $1)):$((2 * $2))}"; }

echo "== a first run: no settings"
forget_settings
VELMORA_NO_MESSAGEBOX=1 "$run" "$scr" /C >"$work/out" 2>"$work/err" &
app=$!
if ! wait_for_window TfrmConfig 1 30; then
  fail "no visible configuration dialog"
  finish
fi
probe
# The lock screen's window is there from the start, hidden, so that other copies see this one.
[ "$(window_line TfrmVOK | cut -d' ' -f1)" = 0 ] || fail "the lock screen window before the first test: $(window_line TfrmVOK)"
[ "$(window_line TfrmConfig | cut -d' ' -f6)" = 1 ] || fail "the dialog is not topmost"
controls
[ "$(control_line tstCommon | cut -d' ' -f1)" = 1 ] || fail "the dialog does not open on the general page"
screenshot config-general.png

echo "== a password, logon start and speed $speed; Apply"
click edtNewPassword
xdotool type --delay 30 "$password"
click edtConfirmation
xdotool type --delay 30 "$password"
click chkAutoRun
click trbSpeed
xdotool key Home
for _ in $(seq 1 "$speed"); do xdotool key Down; done
click btnApply
"$run" "$helper" record 2>/dev/null | tr -d '\r' >"$work/record"
record=$(sed -n 's/^record //p' "$work/record")
[ ${#record} -eq 192 ] || fail "the stored record is '$record', expected 96 bytes"
[ "$(byte 0)" = 01 ] || fail "Dirty is $(byte 0) in the stored record, expected 01"
[ "$(bytes 12 4)" = "0f000000" ] || fail "Speed is $(bytes 12 4), expected 0f000000"
[ "$(byte 17)" = 01 ] || fail "AutoRun is $(byte 17), expected 01"
[ "$(byte 48)" = 07 ] || fail "the password length byte is $(byte 48), expected 07"
scrambled=$("$run" "$helper" scramble "$password" 2>/dev/null | tr -d '\r')
plain=$(printf '%s' "$password" | od -An -tx1 | tr -d ' \n')
[ "$(bytes 49 7)" = "$scrambled" ] || fail "the password bytes are $(bytes 49 7), expected $scrambled"
[ "$(bytes 49 7)" != "$plain" ] || fail "the password is stored in plain text"
[ "$(bytes 92 4)" = 00000000 ] || fail "the message bytes are $(bytes 92 4), expected zero"
run_value=$(sed -n 's/^run //p' "$work/record")
case "$run_value" in
  *\\Velmora.scr) ;;
  *) fail "the logon-start entry is '$run_value', expected the path of Velmora.scr" ;;
esac
case "$run_value" in
  \"*) fail "the logon-start entry is quoted: $run_value" ;;
esac

echo "== visitors' messages and a new message; Apply"
open_page tstMessage
controls
[ "$(control_line chkAllowMessages | cut -d' ' -f1)" = 1 ] || fail "chkAllowMessages is not shown"
click memMessage
xdotool key ctrl+Home ctrl+shift+End
xdotool type --delay 20 "$message"
click chkAllowMessages 8 8
screenshot config-message.png
click btnApply
"$run" "$helper" record 2>/dev/null | tr -d '\r' >"$work/record"
record=$(sed -n 's/^record //p' "$work/record")
[ "$(byte 16)" = 01 ] || fail "AllowMessages is $(byte 16) after ticking it, expected 01"
[ "$(byte 48)" = 07 ] || fail "an Apply with empty boxes changed the password length to $(byte 48)"
[ "$(bytes 49 7)" = "$scrambled" ] || fail "an Apply with empty boxes changed the password"
"$run" "$helper" read 2>/dev/null | tr -d '\r' >"$work/read"
[ "$(sed -n 's/^Message=//p' "$work/read")" = "$message" ] ||
  fail "the stored message is '$(sed -n 's/^Message=//p' "$work/read")', expected '$message'"

echo "== the other two pages"
open_page tstAppearance
screenshot config-appearance.png
open_page tstAbout
screenshot config-about.png

echo "== Test shows the lock screen and the dialog comes back after the unlock"
click btnTest
wait_for_window TfrmVOK 1 15 || fail "Test did not show the lock screen"
[ "$(window_line TfrmConfig | cut -d' ' -f1)" = 0 ] || fail "the dialog stayed visible over the lock"
kill -0 "$app" 2>/dev/null || fail "the program ended when the lock screen hid the dialog"
sleep 1
xdotool mousemove_relative 0 10
wait_for_window TfrmAsk 1 15 || fail "no prompt over the test lock screen"
xdotool type --delay 30 "$password"
xdotool key Return
wait_for_window TfrmConfig 1 15 || fail "the dialog did not come back after the unlock"
probe
[ "$(window_line TfrmVOK | cut -d' ' -f1)" = 0 ] || fail "the lock screen stayed up after the unlock"
kill -0 "$app" 2>/dev/null || fail "the program ended after the test"

echo "== OK ends the program"
click btnOK
if wait_for_end "$app" 20; then
  [ "$code" -eq 0 ] || fail "exit code $code after OK, expected 0"
else
  fail "OK did not end the program"
fi
app=""
[ -s "$work/err" ] && fail "the program reported: $(cat "$work/err")"

echo "== /S unlocks with the new password"
VELMORA_NO_MESSAGEBOX=1 "$run" "$scr" /S >"$work/out" 2>"$work/err" &
app=$!
wait_for_window TfrmVOK 1 30 || fail "no lock screen for /S"
sleep 1
xdotool mousemove_relative 0 10
wait_for_window TfrmAsk 1 15 || fail "no prompt for /S"
xdotool type --delay 30 "$password"
xdotool key Return
if wait_for_end "$app" 30; then
  [ "$code" -eq 0 ] || fail "exit code $code after the unlock, expected 0"
else
  fail "the new password did not unlock /S"
fi
app=""

finish
