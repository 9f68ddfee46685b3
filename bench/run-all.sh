#!/usr/bin/env bash
# The lock screen's benchmarks in one run, printed as one table beside a minimal Win32 program of
# our own (bench/minimal_lock): CPU while locked, time from start to a covering topmost lock,
# the slowest frame of the first pulse, and peak memory. Prints figures; never fails on timing.
#
# Usage: bench/run-all.sh [build directory, default build/win64]
# Needs the win64 build with its tests (Velmora.scr, lockscreen_helper.exe, minimal_lock.exe,
# desktop_keeper.exe, frame_bench.exe in <build>/bin), cc with the libX11 and libXdamage headers
# (Debian: libx11-dev libxdamage-dev), xvfb-run, wine64.
# Runs in its own Xvfb at 1920x1080x24 and in the Wine prefix $WINEPREFIX (default
# $HOME/.wine-velmora-bench). BENCH_RUNS sets the runs of each program for the time to lock
# (default 8), BENCH_PULSES the first pulses frame_bench draws, each with a fresh renderer
# (default 5).
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=$(cd "${1:-$root/build/win64}" && pwd) || exit 2
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-velmora-bench}"
if [ -z "${VELMORA_BENCH_IN_XVFB:-}" ]; then
  exec env VELMORA_BENCH_IN_XVFB=1 xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$build"
fi

bin=$build/bin
run=$root/scripts/wine-run
scr=$bin/Velmora.scr
minimal=$bin/minimal_lock.exe
helper=$bin/lockscreen_helper.exe
frame_bench=$bin/frame_bench.exe
keeper=$bin/desktop_keeper.exe
runs=${BENCH_RUNS:-8}
pulses=${BENCH_PULSES:-5}
readonly password="Bench-7Q" speed=5 first_seconds=10 steady_from=20 steady_to=30
for file in "$scr" "$minimal" "$helper" "$frame_bench" "$keeper"; do
  [ -f "$file" ] || { echo "missing $file: build the win64 preset first" >&2; exit 2; }
done

work=$(mktemp -d)
started_server=""
keeper_pid=""
program=""
cleanup() {
  [ -n "$program" ] && kill -KILL "$program" 2>/dev/null
  "$run" reg delete 'HKCU\Software\Velmora' /f >/dev/null 2>&1
  [ -n "$keeper_pid" ] && kill "$keeper_pid" 2>/dev/null
  [ -n "$started_server" ] && wineserver -k 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
log() { echo "-- $*" >&2; }

cc -O2 -o "$work/lock_wait" "$here/lock_wait.c" -lXdamage -lX11 || exit 2

# A known password, so that stray input does not open the lock; Speed 5.
log "settings (prefix $WINEPREFIX)"
"$run" "$helper" settings "$password" "$speed" 1920 >/dev/null 2>&1 || { echo "the settings could not be stored" >&2; exit 1; }
# One wineserver for the whole run, kept alive between the programs with Wine's own services,
# so that what is measured is each program's start and not the prefix's.
wineserver -w
wineserver -f -p >/dev/null 2>&1 &
started_server=$!
# Wine's desktop process stays up only while some program is on the desktop, as a shell would be.
"$run" "$keeper" >/dev/null 2>&1 &
keeper_pid=$!
"$run" "$helper" probe >/dev/null 2>&1  # the prefix's services and desktop, once
server_dir=$(printf "server-%x-%x" $(stat -c "%d %i" "$WINEPREFIX"))
server=""
for pid in $(pgrep -x "wineserver(64)?"); do
  case "$(readlink "/proc/$pid/cwd" 2>/dev/null)" in */"$server_dir") server=$pid ;; esac
done
display_number=${DISPLAY#:}
display_number=${display_number%%.*}
xvfb=$(pgrep -f "Xvfb :${display_number}( |$)" | head -n 1)

# CPU ticks (user + system) of a process into $ticks; 0 once it has gone.
read_ticks() {
  local line
  ticks=0
  read -r line 2>/dev/null <"/proc/$1/stat" || return 0
  local fields=(${line##*) })
  ticks=$((fields[11] + fields[12]))
}
# Peak resident memory of a process in kB into $peak.
read_peak() {
  peak=$(awk '/^VmHWM:/ { print $2 }' "/proc/$1/status" 2>/dev/null)
  peak=${peak:-0}
}
# The prefix's other Wine processes (explorer, services, ...), found by their environment.
prefix_processes() {
  local pid
  for pid in $(pgrep -d ' ' .); do
    [ "$pid" = "$program" ] || [ "$pid" = "$server" ] && continue
    case "$(readlink "/proc/$pid/exe" 2>/dev/null)" in */wine*) ;; *) continue ;; esac
    grep -qzx "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null && echo "$pid"
  done
}

# Starts a program through scripts/wine-run under lock_wait; sets $program, $lock_time and
# $drawn_time (to the first drawing on the covering window, "-" if none).
start_locked() {
  local out
  out=$("$work/lock_wait" -t 60 -o "$work/program.out" "$run" "$1" /S)
  read -r lock_time program _ drawn_time <<<"$out"
  case "$lock_time" in
    timeout | exited) echo "$(basename "$1"): no covering topmost window ($out)" >&2; return 1 ;;
  esac
}
stop_program() {
  kill "$program" 2>/dev/null
  for _ in $(seq 1 50); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
  kill -KILL "$program" 2>/dev/null
  program=""
}

# CPU over the first seconds after the lock appears and steady later, per second, for one program.
# Writes "<name> <first: program xvfb server others together peak-second> <steady: ...> <VmHWM kB>".
cpu_run() {
  local name=$1 others second target now
  start_locked "$2" || return 1
  others=$(prefix_processes)
  echo "  with $name: $(for pid in $others; do cat "/proc/$pid/comm" 2>/dev/null; done | sort | paste -sd ' ')" >>"$work/others"
  local -a t_prog t_xvfb t_server t_others t_at
  local begin=${EPOCHREALTIME/[.,]/} wait  # microseconds
  for second in $(seq 0 "$steady_to"); do
    target=$((begin + second * 1000000))
    now=${EPOCHREALTIME/[.,]/}
    wait=$((target > now ? target - now : 0))
    sleep "$((wait / 1000000)).$(printf %06d $((wait % 1000000)))"
    t_at[second]=$(( ${EPOCHREALTIME/[.,]/} - begin ))
    read_ticks "$program"; t_prog[second]=$ticks
    read_ticks "$xvfb"; t_xvfb[second]=$ticks
    read_ticks "$server"; t_server[second]=$ticks
    local sum=0 pid
    for pid in $others; do read_ticks "$pid"; sum=$((sum + ticks)); done
    t_others[second]=$sum
  done
  read_peak "$program"
  stop_program
  awk -v name="$name" -v hz="$(getconf CLK_TCK)" -v first="$first_seconds" -v from="$steady_from" -v to="$steady_to" \
    -v at="${t_at[*]}" -v p="${t_prog[*]}" -v x="${t_xvfb[*]}" -v s="${t_server[*]}" -v o="${t_others[*]}" -v peak="$peak" '
    function share(a, i, j) { return 100 * (a[j] - a[i]) / hz / ((t[j] - t[i]) / 1e6) }
    function span(i, j,   best, k, v) {
      best = 0
      for (k = i; k < j; k++) { v = share(P, k, k + 1) + share(X, k, k + 1) + share(S, k, k + 1); if (v > best) best = v }
      return sprintf("%.1f %.1f %.1f %.1f %.1f %.1f", share(P, i, j), share(X, i, j), share(S, i, j), share(O, i, j),
                     share(P, i, j) + share(X, i, j) + share(S, i, j), best)
    }
    BEGIN {
      split(at, t, " "); split(p, P, " "); split(x, X, " "); split(s, S, " "); split(o, O, " ")
      # awk arrays from split start at 1: second k is index k + 1.
      print name, span(1, first + 1), span(from + 1, to + 1), peak
    }'
}

# The time to lock, alternated, after one unmeasured start of each.
lock_runs() {
  local round prog
  for round in $(seq 0 "$runs"); do
    for prog in "$scr" "$minimal"; do
      start_locked "$prog" || return 1
      sleep 1
      read_peak "$program"
      [ "$round" -gt 0 ] && echo "$(basename "$prog") $lock_time $peak $drawn_time"
      stop_program
      sleep 0.3
    done
  done
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
log "time to lock: 1 + $runs alternated starts of each program"
lock_runs >"$work/lock" || exit 1
log "CPU while locked: Velmora.scr, ${steady_to} s"
cpu_run Velmora.scr "$scr" >"$work/cpu" || exit 1
log "CPU while locked: minimal_lock, ${steady_to} s"
cpu_run minimal_lock "$minimal" >>"$work/cpu" || exit 1
log "first pulse: frame_bench --first-pulse"
pulse=$("$run" "$frame_bench" --first-pulse "$pulses" 2>&1 | tr -d '\r')
summary=$(grep '^first pulse:' <<<"$pulse")
pulse_slowest=$(sed -n 's/.*slowest \([0-9.]*\) ms.*/\1/p' <<<"$summary")
pulse_range=$(sed -n 's/.*slowest [0-9.]* ms (\([0-9.]*\)-\([0-9.]*\)).*/\1 - \2/p' <<<"$summary")
pulse_later=$(sed -n 's/.*after the first frame \([0-9.]*\) ms.*/\1/p' <<<"$summary")
pulse_later_range=$(sed -n 's/.*after the first frame [0-9.]* ms (\([0-9.]*\)-\([0-9.]*\)).*/\1 - \2/p' <<<"$summary")
pulse_median=$(sed -n 's/.*median \([0-9.]*\) ms.*/\1/p' <<<"$summary")
pulse_frames=$(sed -n 's/.*, \([0-9]*\) frames.*/\1/p' <<<"$summary")
pulse_steady=$(sed -n 's/.*steady frame \([0-9.]*\) ms.*/\1/p' <<<"$summary")

# Median, spread and peak memory of the lock runs of one program: "median min max q1 q3 peak-median".
quantiles() {  # of the sorted numbers on stdin: "median min max q1 q3"
  sort -g | awk '
    { v[NR] = $1 }
    function q(f,   r, i) { r = 1 + (NR - 1) * f; i = int(r); return v[i] + (r - i) * (v[i < NR ? i + 1 : NR] - v[i]) }
    END { printf "%.3f %.3f %.3f %.3f %.3f\n", q(0.5), v[1], v[NR], q(0.25), q(0.75) }'
}
lock_stats() {
  local times memory drawn
  times=$(awk -v name="$1" '$1 == name { print $2 }' "$work/lock" | quantiles)
  memory=$(awk -v name="$1" '$1 == name { print $3 / 1024 }' "$work/lock" | quantiles)
  drawn=$(awk -v name="$1" '$1 == name && $4 != "-" { print $4 }' "$work/lock" | quantiles)
  echo "$times ${memory%% *} $drawn $(awk -v name="$1" '$1 == name && $4 != "-"' "$work/lock" | wc -l)"
}
read -r v_med v_min v_max v_q1 v_q3 v_peak vd_med vd_min vd_max vd_q1 vd_q3 v_drawn < <(lock_stats Velmora.scr)
read -r m_med m_min m_max m_q1 m_q3 m_peak md_med md_min md_max md_q1 md_q3 m_drawn < <(lock_stats minimal_lock.exe)
read -r _ vf_p vf_x vf_s vf_o vf_all vf_best vs_p vs_x vs_s vs_o vs_all _ v_hwm < <(grep '^Velmora.scr ' "$work/cpu")
read -r _ mf_p mf_x mf_s mf_o mf_all mf_best ms_p ms_x ms_s ms_o ms_all _ m_hwm < <(grep '^minimal_lock ' "$work/cpu")

model=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
commit=$(git -C "$root" rev-parse --short HEAD 2>/dev/null || echo unknown)
dirty=$(git -C "$root" status --porcelain --untracked-files=no 2>/dev/null | grep -q . && echo ", modified" || true)
row() { printf "%-58s %14s %14s\n" "$@"; }
echo
echo "Velmora benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) x $model, $(wine --version 2>/dev/null),"
echo "load average $load_before before, $(cut -d' ' -f1-3 /proc/loadavg) after (figures of a busy machine are high),"
echo "Xvfb $(xdpyinfo 2>/dev/null | sed -n 's/.*dimensions: *\([0-9x]*\) pixels.*/\1/p')x24, build $build (commit $commit$dirty), Speed $speed"
echo
row "figure" "Velmora.scr" "minimal_lock"
row "CPU first ${first_seconds} s after the lock (% of one core):" "" ""
row "  program" "$vf_p" "$mf_p"
row "  Xvfb" "$vf_x" "$mf_x"
row "  wineserver" "$vf_s" "$mf_s"
row "  together" "$vf_all" "$mf_all"
row "  together, busiest single second" "$vf_best" "$mf_best"
row "  (Wine's other processes of the prefix, not in together)" "$vf_o" "$mf_o"
row "CPU steady, ${steady_from}-${steady_to} s after the lock (% of one core):" "" ""
row "  program" "$vs_p" "$ms_p"
row "  Xvfb" "$vs_x" "$ms_x"
row "  wineserver" "$vs_s" "$ms_s"
row "  together" "$vs_all" "$ms_all"
row "  (Wine's other processes of the prefix, not in together)" "$vs_o" "$ms_o"
row "time from start to a covering, topmost lock (s, $runs runs):" "" ""
row "  median" "$v_med" "$m_med"
row "  min - max" "$v_min - $v_max" "$m_min - $m_max"
row "  interquartile range" "$v_q1 - $v_q3" "$m_q1 - $m_q3"
row "  ratio of the medians" "$(awk -v a="$v_med" -v b="$m_med" 'BEGIN { printf "%.2f", a / b }')" "1"
row "time from start to the first drawing on it (s):" "" ""
[ "$v_drawn" = "$runs" ] && [ "$m_drawn" = "$runs" ] || row "  runs with a drawing within 5 s" "$v_drawn" "$m_drawn"
row "  median" "$vd_med" "$md_med"
row "  min - max" "$vd_min - $vd_max" "$md_min - $md_max"
row "  interquartile range" "$vd_q1 - $vd_q3" "$md_q1 - $md_q3"
row "  ratio of the medians" "$(awk -v a="$vd_med" -v b="$md_med" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }')" "1"
row "first pulse at 1920x1080 (ms, $pulses pulses of ${pulse_frames:-?} frames):" "" ""
row "  slowest frame, median of the pulses" "${pulse_slowest:-?}" "-"
row "  slowest frame, range over the pulses" "${pulse_range:-?}" "-"
row "  slowest frame after the first, median of the pulses" "${pulse_later:-?}" "-"
row "  slowest frame after the first, range" "${pulse_later_range:-?}" "-"
row "  median frame of the first pulse" "${pulse_median:-?}" "-"
row "  median frame once every size is drawn (steady)" "${pulse_steady:-?}" "-"
row "peak memory, VmHWM (MB):" "" ""
row "  after ${steady_to} s locked" "$(awk -v k="$v_hwm" 'BEGIN { printf "%.1f", k / 1024 }')" \
  "$(awk -v k="$m_hwm" 'BEGIN { printf "%.1f", k / 1024 }')"
row "  1 s after the lock, median of the runs" "$(printf %.1f "$v_peak")" "$(printf %.1f "$m_peak")"
echo
echo "How: each program is started through scripts/wine-run by bench/lock_wait, which watches the"
echo "X server and stops the clock when the topmost mapped window covers the screen (map, configure"
echo "and restack events, stacking order from the server), then at the first drawing on that window"
echo "(DAMAGE extension; until then a mapped window shows what was under it). One persistent"
echo "wineserver with Wine's services and desktop process (held by desktop_keeper) stays up for the"
echo "whole run; the first start of each program is not counted; starts alternate. CPU is"
echo "utime+stime from /proc, sampled each second from the moment of the lock; peak memory is VmHWM."
echo "Wine's other processes of the prefix:"
cat "$work/others"
echo "Frames: frame_bench --first-pulse $pulses, each pulse with a fresh renderer, sizes 400 to 2 to 514"
echo "to 400, the real time, message moving; composed into a memory bitmap, nothing sent to X."
echo "The first frame of a fresh renderer also makes its off-screen bitmaps. $(grep -c '^pulse [0-9]*: ' <<<"$pulse") pulses:"
grep '^pulse [0-9]*: ' <<<"$pulse" | sed 's/^/  /'
echo "Times to lock / to the first drawing in the order run (s):"
echo "  Velmora.scr  $(awk '$1 == "Velmora.scr" { printf "%s/%s ", $2, $4 }' "$work/lock")"
echo "  minimal_lock $(awk '$1 == "minimal_lock.exe" { printf "%s/%s ", $2, $4 }' "$work/lock")"
[ -n "$pulse_slowest" ] || echo "frame_bench said: $pulse"
