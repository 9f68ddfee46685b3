#!/usr/bin/env bash
# End to end: Velmora.scr /S under Wine with a known password, driven with xdotool. Checks the
# lock screen's window, the Windows key swallowed, the 5/6-pixel rule, a wrong password, a kept
# message left with the right password, the unlock, the exit code, the settings written back,
# and that a second copy ends at once. Saves screenshots of the lock screen and of the prompt.
# Usage: test_lockscreen.sh <path of Velmora.scr>; needs VELMORA_WINE_RUN and a DISPLAY.
set -u
scr=$1
run=${VELMORA_WINE_RUN:?VELMORA_WINE_RUN must name scripts/wine-run}
artifacts=${VELMORA_ARTIFACTS:-$(dirname "$scr")/artifacts}
helper="$(dirname "$scr")/lockscreen_helper.exe"
mkdir -p "$artifacts"
work=$(mktemp -d)
lock=""
failures=0
suite="lock screen"
readonly password="Sesame42" message="Back soon" start_position=700 base_x=200 base_y=200
. "$(dirname "$0")/common.sh"

cleanup() {
  [ -n "$lock" ] && kill "$lock" 2>/dev/null
  "$run" reg delete 'HKCU\Software\Velmora' /f >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT


pointer() { xdotool getmouselocation | sed 's/x:\([0-9]*\) y:\([0-9]*\).*/\1 \2/'; }

# Waits up to $2 seconds for the pointer to stand at $1 ("x y").
wait_for_pointer() {
  local deadline=$((SECONDS + $2))
  while [ "$SECONDS" -lt "$deadline" ]; do
    [ "$(pointer)" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

echo "== a known password, the pointer at ($base_x, $base_y)"
"$run" "$helper" settings "$password" 5 "$start_position" "$message" >/dev/null 2>&1 || fail "the settings could not be stored"
# Through the system, so that Wine's idea of the pointer matches the X server's.
"$run" "$helper" pointer "$base_x" "$base_y" >/dev/null 2>&1
wait_for_pointer "$base_x $base_y" 5 || fail "the pointer is at $(pointer), not at $base_x $base_y"

echo "== /S shows the lock screen"
VELMORA_NO_MESSAGEBOX=1 "$run" "$scr" /S >"$work/out" 2>"$work/err" &
lock=$!
if ! wait_for_window TfrmVOK 1 30; then
  fail "no visible TfrmVOK window"
  finish
fi
read -r screen_w screen_h < <(grep '^screen ' "$work/probe" | cut -d' ' -f2-)
expected="1 0 0 $screen_w $screen_h 1"
[ "$(window_line TfrmVOK | cut -d' ' -f1-6)" = "$expected" ] ||
  fail "TfrmVOK is '$(window_line TfrmVOK | cut -d' ' -f1-6)', expected '$expected' (visible, covering, topmost)"
grep -q '^taskbar 1' "$work/probe" && fail "the taskbar is visible over the lock screen"
sleep 1
import -window root "$artifacts/lockscreen.png" 2>/dev/null || fail "no screenshot of the lock screen"

echo "== a second /S ends at once"
started=$SECONDS
timeout 30 "$run" "$scr" /S >/dev/null 2>&1
code=$?
[ "$code" -eq 0 ] || fail "second /S: exit code $code, expected 0"
[ $((SECONDS - started)) -le 10 ] || fail "second /S took $((SECONDS - started)) s"

echo "== the Windows key is swallowed by Velmora.dll"
# Any key that reached the lock screen would bring the prompt; the key-locking library takes
# the Windows keys before they arrive. (Ordinary keys passing is shown by typing below.)
xdotool key super
xdotool key Super_R
sleep 1
probe
[ "$(window_line TfrmAsk | cut -d' ' -f1)" = 1 ] && fail "the Windows key reached the lock screen"

echo "== 5 pixels keep it, 6 pixels bring the prompt"
xdotool mousemove_relative 5 0
sleep 1
probe
[ "$(window_line TfrmAsk | cut -d' ' -f1)" = 1 ] && fail "a 5-pixel move brought the prompt"
xdotool mousemove_relative -- -5 5
sleep 1
probe
[ "$(window_line TfrmAsk | cut -d' ' -f1)" = 1 ] && fail "a 5-pixel move down brought the prompt"
xdotool mousemove_relative 0 1
wait_for_window TfrmAsk 1 15 || fail "a 6-pixel move did not bring the prompt"
sleep 0.5
import -window root "$artifacts/lockscreen-prompt.png" 2>/dev/null || fail "no screenshot of the prompt"
# The prompt is drawn in front of the lock screen: its centre is not the black background.
read -r _ ask_left ask_top ask_right ask_bottom _ < <(window_line TfrmAsk)
centre=$(import -window root -crop "1x1+$(((ask_left + ask_right) / 2))+$(((ask_top + ask_bottom) / 2))" -depth 8 txt:- \
  2>/dev/null | grep -o '#[0-9A-F]\{6\}' | head -1)
[ -n "$centre" ] && [ "$centre" != "#000000" ] || fail "the prompt is not in front of the lock screen (centre '$centre')"

echo "== a wrong password keeps the lock and puts the pointer back"
xdotool type --delay 30 "sesame42"
xdotool key Return
wait_for_window TfrmAsk 0 15 || fail "the prompt did not close on Enter"
wait_for_pointer "$base_x $base_y" 10 || fail "the pointer is at $(pointer) after a refusal, expected $base_x $base_y"
kill -0 "$lock" 2>/dev/null || fail "the lock screen ended after a wrong password"
probe
[ "$(window_line TfrmVOK | cut -d' ' -f1)" = 1 ] || fail "the lock screen is not visible after a refusal"
# The hook is armed again once the messages of the pointer's move back have been handled.
sleep 1

# Clicks the prompt at a point of its client area (pixels at 96 DPI).
click_prompt() {
  local x y
  read -r x y < <(window_line TfrmAsk | cut -d' ' -f7-)
  xdotool mousemove $((x + $1)) $((y + $2)) click 1
}
# The permanent box is enabled 0.8 to 1.2 s after the last change that leaves the right password.
tick_permanent_box() {
  sleep 1.6
  click_prompt 30 162
}

echo "== the right password with a changed message, kept: refused without unlocking"
xdotool mousemove_relative 0 6
wait_for_window TfrmAsk 1 15 || fail "no prompt for the second attempt"
xdotool type --delay 30 "$password"
click_prompt 60 110
xdotool key ctrl+End
xdotool type --delay 30 " PS"
tick_permanent_box
xdotool key Return
wait_for_window TfrmAsk 0 15 || fail "the prompt did not close on Enter"
wait_for_pointer "$base_x $base_y" 10 || fail "the pointer is at $(pointer) after a refusal, expected $base_x $base_y"
kill -0 "$lock" 2>/dev/null || fail "the lock screen ended with a changed message"
sleep 1

echo "== the right password with the message kept ends the program with 0"
xdotool mousemove_relative 0 6
wait_for_window TfrmAsk 1 15 || fail "no prompt for the third attempt"
xdotool type --delay 30 "$password"
tick_permanent_box
xdotool key Return
if wait_for_end "$lock" 30; then
  [ "$code" -eq 0 ] || fail "exit code $code after the right password, expected 0"
else
  fail "the program did not end after the right password"
fi
lock=""
[ -s "$work/err" ] && fail "the program reported: $(cat "$work/err")"
"$run" "$helper" read 2>/dev/null | tr -d '\r' >"$work/read"
position=$(sed -n 's/^MessagePosition=//p' "$work/read")
[ -n "$position" ] && [ "$position" != "$start_position" ] ||
  fail "MessagePosition is '$position' after the lock, expected a value moved from $start_position"
sed -n 's/^Message=//p' "$work/read" | grep -q "$message PS\$" ||
  fail "the kept message is '$(sed -n 's/^Message=//p' "$work/read")', expected '$message PS'"
probe
grep -q '^taskbar 0' "$work/probe" && fail "the taskbar stayed hidden after the unlock"

finish
