#!/usr/bin/env bash
# End to end: with scripts/run's settings (the defaults, no password) the lock screen's message is
# legible: tesseract reads "purpose" from the message band. The line starts at x = 0 and scrolls
# about 100 pixels a second; in 12-point Tahoma the word starts 383 pixels into it.
# Usage: test_message.sh <path of Velmora.scr>; needs VELMORA_WINE_RUN and a DISPLAY.
set -u
run=${VELMORA_WINE_RUN:?VELMORA_WINE_RUN must name scripts/wine-run}
helper="$(dirname "$1")/lockscreen_helper.exe" work=$(mktemp -d) lock="" failures=0 suite=message
. "$(dirname "$0")/common.sh"
trap 'kill $lock 2>/dev/null; "$run" reg delete "HKCU\\Software\\Velmora" /f >/dev/null 2>&1; rm -rf "$work"' EXIT

"$run" reg delete 'HKCU\Software\Velmora' /f >/dev/null 2>&1
"$run" "$helper" settings "" 5 0 >/dev/null 2>&1 || fail "the settings could not be stored"
"$run" "$1" /S >/dev/null 2>&1 &
lock=$!
wait_for_window TfrmVOK 1 30 || fail "no visible TfrmVOK window"
sleep 1
read -r width height < <(grep '^screen ' "$work/probe" | cut -d' ' -f2-)
text=$(import -window root -crop "${width}x60+0+$((height - 60))" png:- | tesseract stdin stdout --psm 7 2>/dev/null)
grep -qw purpose <<<"$text" || fail "no \"purpose\" in the message band; read: $text"
xdotool key space  # without a password any key ends the lock
wait_for_end "$lock" 30 || fail "the lock screen did not end"
finish
