#!/usr/bin/env bash
# CPU cost of the uninstall batch file while it waits for a file it cannot delete yet (a
# read-only Velmora.dll): runs it with Wine's command interpreter and prints, over some seconds,
# the number of pauses and the CPU time of cmd.exe, of the ping processes it starts and of the
# prefix's wineserver, each and together, as a share of one core.
# Usage: bench/uninstall-batch-cpu.sh <build bin folder> [seconds=20]
set -eu
bin="$1"
seconds="${2:-20}"
run="$(dirname "$0")/../scripts/wine-run"
ticks=$(getconf CLK_TCK)
prefix="${WINEPREFIX:-$HOME/.wine-velmora}"
work=$(mktemp -d)
cmd_pid=""
trap '[ -n "$cmd_pid" ] && kill "$cmd_pid" 2>/dev/null; chmod -R u+w "$work"; rm -rf "$work"' EXIT

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
in_prefix() { { tr '\0' '\n' <"/proc/$1/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$prefix"; }
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

touch "$work/Velmora.dll"
chmod a-w "$work/Velmora.dll"
"$run" "$bin/uninstall_batch_writer.exe" "$(windows_path "$work/V.bat")" "$(windows_path "$work/")" \
  V.scr V "$(windows_path "$work")"
"$run" cmd /c "$(windows_path "$work/V.bat")" >/dev/null 2>&1 &
for _ in $(seq 1 100); do
  for pid in $(pgrep -f 'cmd.exe /c' || true); do in_prefix "$pid" && cmd_pid=$pid; done
  [ -n "$cmd_pid" ] && break
  sleep 0.1
done
[ -n "$cmd_pid" ] || { echo "the batch file did not start"; exit 1; }
server=""
for pid in $(pgrep -x wineserver64 || pgrep -x wineserver || true); do in_prefix "$pid" && server=$pid; done
sleep 2
declare -A pings
cmd_start=$(cpu_ticks "$cmd_pid")
server_start=$(cpu_ticks "${server:-0}")
end=$((SECONDS + seconds))
while [ "$SECONDS" -lt "$end" ]; do
  for pid in $(pgrep -f 'ping -n 2 127.0.0.1' || true); do
    in_prefix "$pid" || continue
    value=$(cpu_ticks "$pid")
    [ "$value" != 0 ] && pings[$pid]=$value
  done
  sleep 0.05
done
cmd_used=$(($(cpu_ticks "$cmd_pid") - cmd_start))
server_used=$(($(cpu_ticks "${server:-0}") - server_start))
ping_used=0
for pid in "${!pings[@]}"; do ping_used=$((ping_used + pings[$pid])); done
share() { awk -v t="$1" -v k="$ticks" -v s="$seconds" 'BEGIN { printf "%.2f s (%.1f%% of a core)", t / k, 100 * t / k / s }'; }
echo "over $seconds s: ${#pings[@]} pauses"
echo "  cmd.exe     $(share "$cmd_used")"
echo "  ping.exe    $(share "$ping_used")"
echo "  wineserver  $(share "$server_used")"
echo "  together    $(share $((cmd_used + ping_used + server_used)))"
