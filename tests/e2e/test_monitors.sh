#!/usr/bin/env bash
# End to end: Velmora.scr /S on two monitors side by side (a nested X server with a white root
# and two screens joined by Xinerama, which Wine reports as two monitors). The lock must leave no
# pixel of the desktop on either monitor, a pointer move on the second monitor must bring the prompt (on the
# first), and after the unlock no cover may be left. Saves a screenshot of the two monitors.
# Usage: test_monitors.sh <path of Velmora.scr>; needs VELMORA_WINE_RUN, a DISPLAY and Xephyr.
set -u
scr=$1
run=${VELMORA_WINE_RUN:?VELMORA_WINE_RUN must name scripts/wine-run}
artifacts=${VELMORA_ARTIFACTS:-$(dirname "$scr")/artifacts}
helper="$(dirname "$scr")/lockscreen_helper.exe"
mkdir -p "$artifacts"
work=$(mktemp -d)
lock=""
nested=""
failures=0
suite="two-monitor"
readonly password="Sesame42"
. "$(dirname "$0")/common.sh"

cleanup() {
  [ -n "$lock" ] && kill "$lock" 2>/dev/null
  "$run" reg delete 'HKCU\Software\Velmora' /f >/dev/null 2>&1
  wineserver -k 2>/dev/null
  [ -n "$nested" ] && kill "$nested" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# The pixels of the screenshot $1 in the area $2 (WxH+X+Y) that are not black, the lock's
# background.
lit_pixels() {
  convert "$1" -crop "$2" +repage -fill white +opaque black -format '%[fx:round(mean*w*h)]' info:
}

command -v Xephyr >/dev/null || { fail "Xephyr is not installed"; finish; }
# Wine's server of the other tests' display ends first: this one talks to the nested display.
wineserver -w 2>/dev/null
number=$((90 + $$ % 100))
while [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
Xephyr ":$number" -wr +xinerama -extension RANDR -screen 1024x768 -screen 1024x768 >"$work/xephyr.log" 2>&1 &
nested=$!
export DISPLAY=":$number"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

echo "== a known password, the pointer on the first monitor"
"$run" "$helper" settings "$password" 5 700 >/dev/null 2>&1 || fail "the settings could not be stored"
"$run" "$helper" pointer 200 200 >/dev/null 2>&1
import -window root "$work/before.png"
[ "$(lit_pixels "$work/before.png" 1024x768+1024+0)" -gt 0 ] || fail "the second monitor's desktop is black before the lock"

echo "== /S covers both monitors"
VELMORA_NO_MESSAGEBOX=1 "$run" "$scr" /S >"$work/out" 2>"$work/err" &
lock=$!
wait_for_window TfrmVOK 1 30 || { fail "no visible TfrmVOK window"; finish; }
sleep 1
import -window root "$artifacts/lockscreen-two-monitors.png"
second=$(lit_pixels "$artifacts/lockscreen-two-monitors.png" 1024x768+1024+0)
top=$(lit_pixels "$artifacts/lockscreen-two-monitors.png" 1024x100+0+0)
echo "  lit pixels: second monitor $second, top band of the first $top"
[ "$second" -eq 0 ] || fail "$second pixels of the desktop show on the second monitor"
[ "$top" -eq 0 ] || fail "$top pixels of the desktop show at the top of the first monitor"
[ "$(lit_pixels "$artifacts/lockscreen-two-monitors.png" 200x200+412+284)" -gt 0 ] || fail "no clock on the first monitor"

echo "== a move on the second monitor brings the prompt on the first"
xdotool mousemove 1500 400
if wait_for_window TfrmAsk 1 10; then
  read -r left top right bottom < <(window_line TfrmAsk | cut -d' ' -f2-5)
  [ "$left" -ge 0 ] && [ "$right" -le 1024 ] || fail "the prompt stands at $left..$right, not on the first monitor"
  xdotool type --delay 20 "$password"
  xdotool key Return
  wait_for_end "$lock" 15 || fail "the lock did not end after the right password"
  [ "${code:-1}" -eq 0 ] || fail "exit code ${code:-none} after the right password"
  lock=""
  sleep 1
  import -window root "$work/after.png"
  [ "$(lit_pixels "$work/after.png" 1024x768+1024+0)" -gt 0 ] || fail "the second monitor is still covered after the unlock"
else
  fail "a move on the second monitor did not bring the prompt"
fi

finish
