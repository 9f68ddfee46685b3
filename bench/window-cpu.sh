#!/usr/bin/env bash
# Runs window_bench for some seconds at a Speed and prints the CPU time of the program, of the
# Xvfb serving $DISPLAY and of the prefix's wineserver over that time.
# Usage (inside xvfb-run): bench/window-cpu.sh <window_bench.exe> [seconds=10] [speed=5]
set -eu
program="$1"
seconds="${2:-10}"
speed="${3:-5}"
wine_run="$(dirname "$0")/../scripts/wine-run"
ticks=$(getconf CLK_TCK)

cpu_ticks() {  # utime + stime of a process, in clock ticks
  awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0
}
display_number="${DISPLAY#:}"
display_number="${display_number%%.*}"
xvfb=$(pgrep -f "Xvfb :${display_number}( |$)" | head -n 1 || true)

"$wine_run" wineboot >/dev/null 2>&1 || true   # brings the prefix's wineserver up first
# A wineserver works in a directory named after the device and inode of its prefix.
prefix="${WINEPREFIX:-$HOME/.wine-velmora}"
server_dir=$(printf "server-%x-%x" $(stat -c "%d %i" "$prefix"))
server=""
for pid in $(pgrep wineserver || true); do
  case "$(readlink "/proc/$pid/cwd" 2>/dev/null)" in
    */"$server_dir") server=$pid ;;
  esac
done

xvfb_before=$( [ -n "$xvfb" ] && cpu_ticks "$xvfb" || echo 0 )
server_before=$( [ -n "$server" ] && cpu_ticks "$server" || echo 0 )
"$wine_run" "$program" "$seconds" "$speed"
xvfb_after=$( [ -n "$xvfb" ] && cpu_ticks "$xvfb" || echo 0 )
server_after=$( [ -n "$server" ] && cpu_ticks "$server" || echo 0 )
awk -v x=$((xvfb_after - xvfb_before)) -v s=$((server_after - server_before)) -v t="$ticks" -v d="$seconds" \
  'BEGIN { printf "Xvfb %.1f s (%.1f%%), wineserver %.1f s (%.1f%%)\n", x / t, 100 * x / t / d, s / t, 100 * s / t / d }'
