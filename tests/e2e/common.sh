# Shell helpers shared by the end-to-end scripts; each test_*.sh sources this file. The helpers
# use the script's $run (scripts/wine-run), $work (its temporary folder), $failures, and where
# they apply $helper (lockscreen_helper.exe) and $suite (the checks named by finish).
# A script that needs a different version of a helper defines its own after sourcing.

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Ends the script: exit code 1 after any failed check, 0 when all of them passed.
finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
  fi
  echo "all $suite checks passed"
  exit 0
}

# Stores the lock screen helper's report of the windows in $work/probe.
probe() { "$run" "$helper" probe 2>/dev/null | tr -d '\r' >"$work/probe"; }
# The probe's fields for a window class: visible left top right bottom topmost.
window_line() { grep "^$1 " "$work/probe" | cut -d' ' -f2-; }

# Polls the probe until the window of class $1 has visibility $2 (1, 0, or absent; a window that
# is absent counts as hidden too), for up to $3 seconds.
wait_for_window() {
  local deadline=$((SECONDS + $3)) state
  while [ "$SECONDS" -lt "$deadline" ]; do
    probe
    state=$(window_line "$1" | cut -d' ' -f1)
    [ "$2" = 0 ] && [ "$state" = absent ] && state=0
    [ "$state" = "$2" ] && return 0
    sleep 0.2
  done
  return 1
}

# Waits up to $2 seconds (30 when not given) for process $1 to end; sets $code to its exit code.
wait_for_end() {
  local deadline=$((SECONDS + ${2:-30}))
  while kill -0 "$1" 2>/dev/null; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      code=124
      return 1
    fi
    sleep 0.1
  done
  wait "$1"
  code=$?
}

# The Unix name of a path in the Wine prefix.
unix_path() { "$run" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
