#!/usr/bin/env bash
# CPU use of a running lock screen: starts Velmora.scr /S at a Speed (no password, so a key
# ends it), and prints the CPU time of the program, of the Xvfb serving $DISPLAY and of the
# prefix's wineserver over some seconds, each and together, as a share of one core.
# Usage (inside xvfb-run): bench/lockscreen-cpu.sh <Velmora.scr> [seconds=10] [speed=5]
# lockscreen_helper.exe (built with the tests) must lie beside Velmora.scr.
set -eu
scr="$1"
seconds="${2:-10}"
speed="${3:-5}"
run="$(dirname "$0")/../scripts/wine-run"
helper="$(dirname "$scr")/lockscreen_helper.exe"
ticks=$(getconf CLK_TCK)

cpu_ticks() {  # utime + stime of a process, in clock ticks
  awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0
}
display_number="${DISPLAY#:}"
display_number="${display_number%%.*}"
xvfb=$(pgrep -f "Xvfb :${display_number}( |$)" | head -n 1 || true)

"$run" "$helper" settings "" "$speed" 0 >/dev/null 2>&1
prefix="${WINEPREFIX:-$HOME/.wine-velmora}"
server_dir=$(printf "server-%x-%x" $(stat -c "%d %i" "$prefix"))
server=""
for pid in $(pgrep wineserver || true); do
  case "$(readlink "/proc/$pid/cwd" 2>/dev/null)" in
    */"$server_dir") server=$pid ;;
  esac
done

"$run" "$scr" /S &
launcher=$!
trap 'kill "$launcher" 2>/dev/null || true' EXIT
for _ in $(seq 1 150); do
  "$run" "$helper" probe 2>/dev/null | grep -q '^TfrmVOK 1' && break
  sleep 0.2
done
sleep 1  # past the start-up work
program=$launcher  # wine-run execs the loader, which becomes the program's process

before() { cpu_ticks "$1"; }
p0=$(before "$program"); x0=$( [ -n "$xvfb" ] && before "$xvfb" || echo 0 ); s0=$( [ -n "$server" ] && before "$server" || echo 0 )
sleep "$seconds"
p1=$(before "$program"); x1=$( [ -n "$xvfb" ] && before "$xvfb" || echo 0 ); s1=$( [ -n "$server" ] && before "$server" || echo 0 )

xdotool key space
wait "$launcher" 2>/dev/null || true
"$run" reg delete 'HKCU\Software\Velmora' /f >/dev/null 2>&1 || true

awk -v p=$((p1 - p0)) -v x=$((x1 - x0)) -v s=$((s1 - s0)) -v t="$ticks" -v d="$seconds" -v speed="$speed" 'BEGIN {
  printf "Speed %d over %d s: Velmora.scr %.2f s (%.1f%%), Xvfb %.2f s (%.1f%%), wineserver %.2f s (%.1f%%), together %.1f%% of one core\n",
    speed, d, p / t, 100 * p / t / d, x / t, 100 * x / t / d, s / t, 100 * s / t / d, 100 * (p + x + s) / t / d }'
