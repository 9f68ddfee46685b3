#!/usr/bin/env bash
# The lock screen's benchmarks in one run at Speed 5 and at Speed 0, printed beside minimal Win32
# programs of our own: CPU while locked beside bench/minimal_animation (a box and a line of text
# drawn at every timer tick of the same Speed) and bench/minimal_lock (a bare covering window),
# time from start to a covering topmost lock beside minimal_lock, the slowest frame of the first
# pulse, and peak memory. A compact table first, then each Speed in detail. Prints figures; never
# fails on timing. Takes about 10 minutes with the defaults.
#
# Usage: bench/run-all.sh [build directory, default build/win64]
# Needs the win64 build with its tests (Velmora.scr, lockscreen_helper.exe, minimal_lock.exe,
# minimal_animation.exe, desktop_keeper.exe, frame_bench.exe in <build>/bin), cc with the libX11
# and libXdamage headers (Debian: libx11-dev libxdamage-dev), xvfb-run, wine64.
# Runs in its own Xvfb at 1920x1080x24 and in the Wine prefix $WINEPREFIX (default
# $HOME/.wine-velmora-bench). BENCH_SPEEDS sets the Speeds (default "5 0"), BENCH_RUNS the counted
# starts for the time to lock of Velmora.scr at each Speed and of minimal_lock (default 8),
# BENCH_CPU_RUNS the 30-second CPU runs of each program at each Speed (default 3), BENCH_PULSES the
# first pulses frame_bench draws, each with a fresh renderer (default 5).
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=$(cd "${1:-$root/build/win64}" && pwd) || exit 2
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-velmora-bench}"
if [ -z "${VELMORA_BENCH_IN_XVFB:-}" ]; then
  exec env VELMORA_BENCH_IN_XVFB=1 VELMORA_BENCH_START="${EPOCHREALTIME/[.,]/}" xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$build"
fi
start_time=${VELMORA_BENCH_START:-${EPOCHREALTIME/[.,]/}}  # microseconds

bin=$build/bin
run=$root/scripts/wine-run
scr=$bin/Velmora.scr
minimal=$bin/minimal_lock.exe
animation=$bin/minimal_animation.exe
helper=$bin/lockscreen_helper.exe
frame_bench=$bin/frame_bench.exe
keeper=$bin/desktop_keeper.exe
runs=${BENCH_RUNS:-8}
cpu_runs=${BENCH_CPU_RUNS:-3}
pulses=${BENCH_PULSES:-5}
speeds=${BENCH_SPEEDS:-5 0}
readonly password="Bench-7Q" first_seconds=10 steady_from=20 steady_to=30
for file in "$scr" "$minimal" "$animation" "$helper" "$frame_bench" "$keeper"; do
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
log() { echo "-- $(((${EPOCHREALTIME/[.,]/} - start_time) / 1000000)) s: $*" >&2; }

cc -O2 -o "$work/lock_wait" "$here/lock_wait.c" -lXdamage -lX11 || exit 2

# A known password, so that stray input does not open the lock, and the Speed for Velmora.scr.
store_speed() {
  "$run" "$helper" settings "$password" "$1" 1920 >/dev/null 2>&1 || { echo "the settings could not be stored" >&2; return 1; }
}
log "settings (prefix $WINEPREFIX)"
store_speed "${speeds%% *}" || exit 1
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

# Starts a program with its arguments through scripts/wine-run under lock_wait; sets $program,
# $lock_time and $drawn_time (to the first drawing on the covering window, "-" if none).
start_locked() {
  local out
  out=$("$work/lock_wait" -t 60 -o "$work/program.out" "$run" "$@")
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

# CPU over the first seconds after the lock appears and steady later, per second, for one program
# started with its arguments. Writes "<name> <speed> <round> <first: program xvfb server others
# together peak-second> <steady: ...> <VmHWM kB> <timer ticks a second, - if not reported>".
cpu_run() {
  local name=$1 speed=$2 round=$3 others second target now tick_rate
  shift 3
  start_locked "$@" || return 1
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
  # minimal_animation writes "ticks <count> in <ms> ms" every 10 s.
  tick_rate=$(tr -d '\r' <"$work/program.out" | awk '$1 == "ticks" { n += $2; ms += $4 } END { if (ms > 0) printf "%.0f", n * 1000 / ms; else print "-" }')
  awk -v name="$name" -v speed="$speed" -v round="$round" -v rate="$tick_rate" -v hz="$(getconf CLK_TCK)" -v first="$first_seconds" -v from="$steady_from" -v to="$steady_to" \
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
      print name, speed, round, span(1, first + 1), span(from + 1, to + 1), peak, rate
    }'
}

# One start for the time to lock: writes "<name> <speed> <seconds to lock> <VmHWM kB 1 s after>
# <seconds to the first drawing>" unless the round is 0.
lock_run() {
  local name=$1 speed=$2 round=$3
  start_locked "$4" /S || return 1
  sleep 1
  read_peak "$program"
  [ "$round" -eq 0 ] || echo "$name $speed $lock_time $peak $drawn_time"
  stop_program
  sleep 0.3
}
# The time to lock, alternated: each round starts Velmora.scr at every Speed, then minimal_lock,
# which has no timer; the first round is not counted.
lock_runs() {
  local round speed
  for round in $(seq 0 "$runs"); do
    for speed in $speeds; do
      store_speed "$speed" || return 1
      lock_run Velmora.scr "$speed" "$round" "$scr" || return 1
    done
    lock_run minimal_lock - "$round" "$minimal" || return 1
  done
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
log "time to lock: 1 + $runs rounds of Velmora.scr at Speed ${speeds// /, } and minimal_lock"
lock_runs >"$work/lock" || exit 1
# Rounds, so that a change in the machine's load falls on every program alike: in each, Velmora.scr
# and minimal_animation at every Speed, then minimal_lock, which has no timer.
: >"$work/cpu"
for round in $(seq 1 "$cpu_runs"); do
  for speed in $speeds; do
    log "CPU while locked, round $round of $cpu_runs, Speed $speed: Velmora.scr, ${steady_to} s"
    store_speed "$speed" || exit 1
    cpu_run Velmora.scr "$speed" "$round" "$scr" /S >>"$work/cpu" || exit 1
    log "CPU while locked, round $round of $cpu_runs, Speed $speed: minimal_animation, ${steady_to} s"
    cpu_run minimal_animation "$speed" "$round" "$animation" /S "$speed" >>"$work/cpu" || exit 1
  done
  log "CPU while locked, round $round of $cpu_runs: minimal_lock, ${steady_to} s"
  cpu_run minimal_lock - "$round" "$minimal" /S >>"$work/cpu" || exit 1
done
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

quantiles() {  # of the sorted numbers on stdin: "median min max q1 q3", "- - - - -" for none
  sort -g | awk '
    { v[NR] = $1 }
    function q(f,   r, i) { r = 1 + (NR - 1) * f; i = int(r); return v[i] + (r - i) * (v[i < NR ? i + 1 : NR] - v[i]) }
    END { if (NR == 0) print "- - - - -"; else printf "%.3f %.3f %.3f %.3f %.3f\n", q(0.5), v[1], v[NR], q(0.25), q(0.75) }'
}
# Median, spread and peak memory of the lock runs of one program at one Speed ("-" for
# minimal_lock): "median min max q1 q3 peak-median drawn-median drawn-min drawn-max drawn-q1
# drawn-q3 drawn-runs".
lock_stats() {
  local times memory drawn
  times=$(awk -v name="$1" -v speed="$2" '$1 == name && $2 == speed { print $3 }' "$work/lock" | quantiles)
  memory=$(awk -v name="$1" -v speed="$2" '$1 == name && $2 == speed { print $4 / 1024 }' "$work/lock" | quantiles)
  drawn=$(awk -v name="$1" -v speed="$2" '$1 == name && $2 == speed && $5 != "-" { print $5 }' "$work/lock" | quantiles)
  echo "$times ${memory%% *} $drawn $(awk -v name="$1" -v speed="$2" '$1 == name && $2 == speed && $5 != "-"' "$work/lock" | wc -l)"
}
# One field of a program's CPU runs at a Speed ("-" for minimal_lock), numbered as cpu_run writes
# them: 4-9 the first seconds (program, Xvfb, wineserver, others, together, busiest second),
# 10-15 steady, 16 VmHWM in kB, 17 timer ticks a second. Prints "median min max".
cpu_stats() {
  local stats
  stats=$(awk -v name="$1" -v speed="$2" -v field="$3" '$1 == name && $2 == speed && $field != "-" { print $field }' \
    "$work/cpu" | quantiles)
  echo "${stats% * *}"
}
# "median" of cpu_stats with one decimal, after dividing by $4 (default 1).
cpu_median() {
  local median
  read -r median _ < <(cpu_stats "$1" "$2" "$3")
  awk -v m="$median" -v d="${4:-1}" 'BEGIN { if (m == "-") print "-"; else printf "%.1f", m / d }'
}
# "median (min-max)" of cpu_stats with the given decimals, after dividing by $5 (default 1).
cpu_spread() {
  local median low high
  read -r median low high < <(cpu_stats "$1" "$2" "$3")
  awk -v m="$median" -v l="$low" -v h="$high" -v f="%.${4}f" -v d="${5:-1}" \
    'BEGIN { if (m == "-") print "-"; else printf f " (" f "-" f ")\n", m / d, l / d, h / d }'
}
# Velmora.scr's CPU (field) over minimal_animation's at a Speed: the ratio of the medians, and in
# brackets the range of the ratios within each round.
cpu_ratio() {
  local velmora animation rounds
  read -r velmora _ < <(cpu_stats Velmora.scr "$1" "$2")
  read -r animation _ < <(cpu_stats minimal_animation "$1" "$2")
  rounds=$(awk -v speed="$1" -v field="$2" '
    $2 == speed && $1 == "Velmora.scr" { v[$3] = $field }
    $2 == speed && $1 == "minimal_animation" { a[$3] = $field }
    END { for (r in v) if (r in a && a[r] > 0) print v[r] / a[r] }' "$work/cpu" | quantiles)
  read -r _ low high _ <<<"$rounds"
  awk -v v="$velmora" -v a="$animation" -v l="$low" -v h="$high" \
    'BEGIN { if (v == "-" || a == "-" || a == 0) print "-"; else printf "%.2f (%.2f-%.2f)\n", v / a, l, h }'
}
speed_of() {  # the Speed under which a program's CPU runs are filed in this block
  if [ "$1" = minimal_lock ]; then echo -; else echo "$speed"; fi
}
lock_spread() {  # "median (min-max)" of the times to lock (fields 1-3) or to the drawing (7-9)
  local -a stats
  read -r -a stats < <(lock_stats "$1" "$2")
  echo "${stats[$3 - 1]} (${stats[$3]}-${stats[$3 + 1]})"
}

model=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
commit=$(git -C "$root" rev-parse --short HEAD 2>/dev/null || echo unknown)
dirty=$(git -C "$root" status --porcelain --untracked-files=no 2>/dev/null | grep -q . && echo ", modified" || true)
elapsed=$(((${EPOCHREALTIME/[.,]/} - start_time) / 1000000))
row() { printf "%-58s %18s %18s %18s\n" "$@"; }
brief() { printf "%-42s %20s %20s %20s\n" "$@"; }
echo
echo "Velmora benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) x $model, $(wine --version 2>/dev/null),"
echo "load average $load_before before, $(cut -d' ' -f1-3 /proc/loadavg) after (figures of a busy machine are high),"
echo "Xvfb $(xdpyinfo 2>/dev/null | sed -n 's/.*dimensions: *\([0-9x]*\) pixels.*/\1/p')x24, build $build (commit $commit$dirty),"
echo "Speeds ${speeds// / and }; the run took $((elapsed / 60)) min $((elapsed % 60)) s"
echo
echo "Median (min-max) of $cpu_runs CPU runs and $runs starts per program and Speed; CPU in % of one core,"
echo "program + Xvfb + wineserver; minimal_lock has no timer: its runs count for every Speed."
brief "" "Velmora.scr" "minimal_animation" "minimal_lock"
for speed in $speeds; do
  echo "Speed $speed (timer every $((speed + 1)) ms)"
  brief "  CPU first ${first_seconds} s after the lock" "$(cpu_spread Velmora.scr "$speed" 8 1)" \
    "$(cpu_spread minimal_animation "$speed" 8 1)" "$(cpu_spread minimal_lock - 8 1)"
  brief "  CPU steady, ${steady_from}-${steady_to} s" "$(cpu_spread Velmora.scr "$speed" 14 1)" \
    "$(cpu_spread minimal_animation "$speed" 14 1)" "$(cpu_spread minimal_lock - 14 1)"
  brief "  CPU to minimal_animation's, first ${first_seconds} s" "$(cpu_ratio "$speed" 8)" "1" ""
  brief "  CPU to minimal_animation's, steady" "$(cpu_ratio "$speed" 14)" "1" ""
  brief "  timer ticks a second (asked: $(awk -v s="$speed" 'BEGIN { printf "%.0f", 1000 / (s + 1) }'))" "-" "$(cpu_spread minimal_animation "$speed" 17 0)" "-"
  brief "  time to lock (s)" "$(lock_spread Velmora.scr "$speed" 1)" "-" "$(lock_spread minimal_lock - 1)"
  brief "  time to the first drawing (s)" "$(lock_spread Velmora.scr "$speed" 7)" "-" \
    "$(lock_spread minimal_lock - 7)"
  brief "  peak memory after ${steady_to} s (MB)" "$(cpu_spread Velmora.scr "$speed" 16 1 1024)" \
    "$(cpu_spread minimal_animation "$speed" 16 1 1024)" "$(cpu_spread minimal_lock - 16 1 1024)"
done
brief "first pulse, slowest frame (ms)" "${pulse_slowest:-?} (${pulse_range// /})" "-" "-"
brief "  after the first frame (ms)" "${pulse_later:-?} (${pulse_later_range// /})" "-" "-"

for speed in $speeds; do
  read -r v_med v_min v_max v_q1 v_q3 v_peak vd_med vd_min vd_max vd_q1 vd_q3 v_drawn < <(lock_stats Velmora.scr "$speed")
  read -r m_med m_min m_max m_q1 m_q3 m_peak md_med md_min md_max md_q1 md_q3 m_drawn < <(lock_stats minimal_lock -)
  # A row of the median of a CPU run field for each program: label, field, divisor.
  cpu_row() {
    local program
    printf "%-58s" "$1"
    for program in Velmora.scr minimal_animation minimal_lock; do
      printf " %18s" "$(cpu_median "$program" "$(speed_of "$program")" "$2" "${3:-1}")"
    done
    echo
  }
  cpu_range_row() {  # label, field
    local program low high
    printf "%-58s" "$1"
    for program in Velmora.scr minimal_animation minimal_lock; do
      read -r _ low high < <(cpu_stats "$program" "$(speed_of "$program")" "$2")
      printf " %18s" "$(awk -v l="$low" -v h="$high" 'BEGIN { if (l == "-") print "-"; else printf "%.1f - %.1f\n", l, h }')"
    done
    echo
  }
  echo
  echo "Speed $speed (timer every $((speed + 1)) ms), CPU the median of $cpu_runs runs:"
  row "figure" "Velmora.scr" "minimal_animation" "minimal_lock"
  row "CPU first ${first_seconds} s after the lock (% of one core):" "" "" ""
  cpu_row "  program" 4
  cpu_row "  Xvfb" 5
  cpu_row "  wineserver" 6
  cpu_row "  together" 8
  cpu_range_row "  together, min - max of the runs" 8
  cpu_row "  together, busiest single second" 9
  cpu_row "  (Wine's other processes of the prefix, not in together)" 7
  row "CPU steady, ${steady_from}-${steady_to} s after the lock (% of one core):" "" "" ""
  cpu_row "  program" 10
  cpu_row "  Xvfb" 11
  cpu_row "  wineserver" 12
  cpu_row "  together" 14
  cpu_range_row "  together, min - max of the runs" 14
  cpu_row "  (Wine's other processes of the prefix, not in together)" 13
  row "  Velmora.scr to minimal_animation, first ${first_seconds} s, steady" "$(cpu_ratio "$speed" 8 | cut -d' ' -f1), $(cpu_ratio "$speed" 14 | cut -d' ' -f1)" "1" ""
  row "time from start to a covering, topmost lock (s, $runs runs):" "" "" ""
  row "  median" "$v_med" "-" "$m_med"
  row "  min - max" "$v_min - $v_max" "-" "$m_min - $m_max"
  row "  interquartile range" "$v_q1 - $v_q3" "-" "$m_q1 - $m_q3"
  row "  ratio of the medians" "$(awk -v a="$v_med" -v b="$m_med" 'BEGIN { printf "%.2f", a / b }')" "-" "1"
  row "time from start to the first drawing on it (s):" "" "" ""
  [ "$v_drawn" = "$runs" ] && [ "$m_drawn" = "$runs" ] || row "  runs with a drawing within 5 s" "$v_drawn" "-" "$m_drawn"
  row "  median" "$vd_med" "-" "$md_med"
  row "  min - max" "$vd_min - $vd_max" "-" "$md_min - $md_max"
  row "  interquartile range" "$vd_q1 - $vd_q3" "-" "$md_q1 - $md_q3"
  row "  ratio of the medians" "$(awk -v a="$vd_med" -v b="$md_med" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }')" "-" "1"
  row "peak memory, VmHWM (MB):" "" "" ""
  cpu_row "  after ${steady_to} s locked, median of the runs" 16 1024
  row "  1 s after the lock, median of the runs" "$(printf %.1f "$v_peak")" "-" "$(printf %.1f "$m_peak")"
  row "timer ticks a second, median of the runs" "-" "$(cpu_spread minimal_animation "$speed" 17 0 | cut -d' ' -f1)" "-"
done
echo
echo "Frames, the same at every Speed but 50 (which keeps the clock's size):"
row "first pulse at 1920x1080 (ms, $pulses pulses of ${pulse_frames:-?} frames):" "" "" ""
row "  slowest frame, median of the pulses" "${pulse_slowest:-?}" "-" "-"
row "  slowest frame, range over the pulses" "${pulse_range:-?}" "-" "-"
row "  slowest frame after the first, median of the pulses" "${pulse_later:-?}" "-" "-"
row "  slowest frame after the first, range" "${pulse_later_range:-?}" "-" "-"
row "  median frame of the first pulse" "${pulse_median:-?}" "-" "-"
row "  median frame once every size is drawn (steady)" "${pulse_steady:-?}" "-" "-"
echo
echo "How: each program is started through scripts/wine-run by bench/lock_wait, which watches the"
echo "X server and stops the clock when the topmost mapped window covers the screen (map, configure"
echo "and restack events, stacking order from the server), then at the first drawing on that window"
echo "(DAMAGE extension; until then a mapped window shows what was under it). One persistent"
echo "wineserver with Wine's services and desktop process (held by desktop_keeper) stays up for the"
echo "whole run; the first start of each program is not counted; starts alternate. CPU is"
echo "utime+stime from /proc, sampled each second from the moment of the lock; peak memory is VmHWM."
echo "The Speed is stored in Velmora.scr's settings before each of its runs; minimal_animation gets it"
echo "on its command line and draws a box pulsing as the clock does and a line of text moving a pixel"
echo "left at every tick, each from an off-screen bitmap: the cost of drawing every tick at the least."
echo "Starts and CPU runs go in rounds, each Velmora.scr (and for CPU minimal_animation) at every"
echo "Speed, then minimal_lock, so that a change in the machine's load falls on all of them; the"
echo "ratio's range is that of the $cpu_runs rounds. minimal_animation reports its timer ticks every 10 s:"
echo "the system may give fewer than asked (Windows and Wine raise intervals below 10 ms to 10 ms)."
echo "Wine's other processes of the prefix:"
sort -u "$work/others"
echo "Frames: frame_bench --first-pulse $pulses, each pulse with a fresh renderer, sizes 400 to 2 to 514"
echo "to 400, the real time, message moving; composed into a memory bitmap, nothing sent to X."
echo "The first frame of a fresh renderer also makes its off-screen bitmaps. $(grep -c '^pulse [0-9]*: ' <<<"$pulse") pulses:"
grep '^pulse [0-9]*: ' <<<"$pulse" | sed 's/^/  /'
echo "Times to lock / to the first drawing in the order run (s):"
for speed in $speeds; do
  echo "  Velmora.scr, Speed $speed  $(awk -v speed="$speed" '$1 == "Velmora.scr" && $2 == speed { printf "%s/%s ", $3, $5 }' "$work/lock")"
done
echo "  minimal_lock          $(awk '$1 == "minimal_lock" { printf "%s/%s ", $3, $5 }' "$work/lock")"
echo "CPU together, first ${first_seconds} s / steady, in the order run (%):"
for program in Velmora.scr minimal_animation minimal_lock; do
  for speed in $speeds -; do
    grep -q "^$program $speed " "$work/cpu" || continue
    label=$program
    [ "$speed" = - ] || label="$program, Speed $speed"
    printf "  %-28s %s\n" "$label" \
      "$(awk -v name="$program" -v speed="$speed" '$1 == name && $2 == speed { printf "%s/%s ", $8, $14 }' "$work/cpu")"
  done
done
[ -n "$pulse_slowest" ] || echo "frame_bench said: $pulse"
