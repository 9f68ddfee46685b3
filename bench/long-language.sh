#!/usr/bin/env bash
# The time from start to the mode's window with language files of very long values, beside the
# shipped file. Copies Velmora.scr and Velmora.dll into one folder per language file:
#   shipped  resources/Velmora.lng as it is;
#   plain    every key of it with a value of 65536 bytes of words, without "^" or "|";
#   marks    the same length with a "^" (line break) after every 60 bytes and one "|" in the
#            middle, so that caption and hint are 32 KiB each, in lines;
#   unbroken the same length in one word, without spaces, "^" or "|".
# For /S, /C and /INSTALL it starts each copy and times from the start until the mode's window
# (TfrmVOK, TfrmConfig, TfrmInstallWizard) is visible, as lockscreen_helper's probe reports it,
# then ends the copy; the files take turns. Prints the median of the starts of each case, the
# median of its differences to the shipped file's start in the same round, and the run time of
# one probe, which bounds how late a window can be seen. Prints figures; never fails on timing.
#
# Usage: bench/long-language.sh [build directory, default build/win64]
# Needs the win64 build with its tests (Velmora.scr, Velmora.dll, lockscreen_helper.exe,
# desktop_keeper.exe in <build>/bin), xvfb-run, wine64. Runs in its own Xvfb at 1280x1024x24 and
# in the Wine prefix $WINEPREFIX (default $HOME/.wine-velmora-bench). BENCH_RUNS sets the starts
# of each case (default 3), BENCH_TIMEOUT the seconds one start may take (default 150),
# BENCH_FILES and BENCH_MODES choose among the files and modes (default all of them).
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=$(cd "${1:-$root/build/win64}" && pwd) || exit 2
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-velmora-bench}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
if [ -z "${VELMORA_BENCH_IN_XVFB:-}" ]; then
  exec env VELMORA_BENCH_IN_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build"
fi

bin=$build/bin
run=$root/scripts/wine-run
helper=$bin/lockscreen_helper.exe
keeper=$bin/desktop_keeper.exe
runs=${BENCH_RUNS:-3}
timeout=${BENCH_TIMEOUT:-150}
files=${BENCH_FILES:-shipped plain marks unbroken}
modes=${BENCH_MODES:-/S /C /INSTALL}
readonly value_length=65536
for file in "$bin/Velmora.scr" "$bin/Velmora.dll" "$helper" "$keeper" "$root/resources/Velmora.lng"; do
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

# The shipped file's lines, CR LF, with every value replaced by the $value_length-byte text that
# the awk statements $1 build in v (from n, the length).
long_file() {
  tr -d '\r' <"$root/resources/Velmora.lng" | awk -v n="$value_length" 'BEGIN { '"$1"' }
    /=/ { printf "%s=%s\r\n", substr($0, 1, index($0, "=") - 1), v }'
}
make_copy() {
  mkdir -p "$work/$1"
  cp "$bin/Velmora.scr" "$bin/Velmora.dll" "$work/$1/"
  case $1 in
    shipped) cp "$root/resources/Velmora.lng" "$work/$1/Velmora.lng" ;;
    plain) long_file 'while (length(v) < n) v = v "long text "; v = substr(v, 1, n)' >"$work/$1/Velmora.lng" ;;
    marks) long_file 'while (length(h) < n / 2 - 1) h = h "long text " (++i % 6 == 0 ? "^" : "")
                      h = substr(h, 1, n / 2 - 1); v = h "|" h "x"' >"$work/$1/Velmora.lng" ;;
    unbroken) long_file 'v = "x"; while (length(v) < n) v = v v; v = substr(v, 1, n)' >"$work/$1/Velmora.lng" ;;
  esac
}

# The mode's window class.
window_class() {
  case $1 in
    /S) echo TfrmVOK ;;
    /C) echo TfrmConfig ;;
    /INSTALL) echo TfrmInstallWizard ;;
  esac
}

now() { echo "${EPOCHREALTIME/,/.}"; }

# Starts the copy in folder $1 with switch $2 from that folder and prints the seconds until the
# window of its mode is visible, or "timeout"; ends the copy.
time_start() {
  local class begin seen=""
  class=$(window_class "$2")
  begin=$(now)
  (cd "$work/$1" && exec "$run" "$work/$1/Velmora.scr" "$2") >/dev/null 2>&1 &
  program=$!
  while awk -v b="$begin" -v n="$(now)" -v t="$timeout" 'BEGIN { exit !(n - b < t) }'; do
    if "$run" "$helper" probe 2>/dev/null | tr -d '\r' | grep -q "^$class 1 "; then
      seen=$(now)
      break
    fi
    kill -0 "$program" 2>/dev/null || break
  done
  kill "$program" 2>/dev/null
  for _ in $(seq 1 50); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
  kill -KILL "$program" 2>/dev/null
  wait "$program" 2>/dev/null
  program=""
  if [ -n "$seen" ]; then awk -v b="$begin" -v s="$seen" 'BEGIN { printf "%.2f\n", s - b }'; else echo timeout; fi
}

median() {  # of the numbers on stdin; "timeout" when any start timed out
  sort -g | awk '/timeout/ { t = 1 } !/timeout/ { v[++n] = $1 }
    END { if (t || n == 0) print "timeout"; else printf "%.2f\n", (n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2) }'
}

log "language files (prefix $WINEPREFIX)"
for name in $files; do make_copy "$name"; done
# No password: nothing here needs one, and the lock screen is ended from outside.
"$run" reg delete 'HKCU\Software\Velmora' /f >/dev/null 2>&1
wineserver -w
# One wineserver and Wine's desktop process for the whole run, as in bench/run-all.sh.
wineserver -f -p >/dev/null 2>&1 &
started_server=$!
"$run" "$keeper" >/dev/null 2>&1 &
keeper_pid=$!
"$run" "$helper" probe >/dev/null 2>&1
probe_begin=$(now)
for _ in 1 2 3 4 5; do "$run" "$helper" probe >/dev/null 2>&1; done
probe_time=$(awk -v b="$probe_begin" -v e="$(now)" 'BEGIN { printf "%.2f", (e - b) / 5 }')

# The files take turns in every round, so that a change in the machine's load meets them alike.
for round in $(seq 1 "$runs"); do
  log "round $round of $runs"
  for mode in $modes; do
    for name in $files; do time_start "$name" "$mode" >>"$work/times ${name} ${mode//\//}"; done
  done
done
for name in $files; do
  for mode in $modes; do
    times="$work/times ${name} ${mode//\//}"
    shipped="$work/times shipped ${mode//\//}"
    # Over the shipped file: the median of the differences to its start in the same round.
    over=-
    [ -f "$shipped" ] && over=$(paste -d' ' "$times" "$shipped" |
      awk '{ print ($1 == "timeout" || $2 == "timeout") ? "timeout" : $1 - $2 }' | median)
    echo "$name $mode $(median <"$times") $over $(paste -sd, "$times")" >>"$work/results"
  done
done

echo "Time from start to the visible window of the mode (median of $runs starts, seconds;"
echo "one probe takes $probe_time s), language files of $value_length-byte values beside the shipped one:"
printf "%-10s %-9s %7s %13s  %s\n" file mode median "over shipped" starts
while read -r name mode median over all; do
  printf "%-10s %-9s %7s %13s  %s\n" "$name" "$mode" "$median" "$over" "$all"
done <"$work/results"
