#!/usr/bin/env bash
# End to end: a password-protected Velmora.scr /S under Wine, attacked by another process of the
# same user (velmora_hostile). After each attack the lock must still cover the primary display on
# top of every other window, the process must be alive, and only the right password opens it.
# The attacks on window state, lifetime messages and parents, and those on the prompt, the
# password box and the start-up, each get a lock of their own, after which input must still bring
# the prompt, a wrong password be refused and the right one open it.
# A planted message of 1 MB must not keep the prompt away. Then two /S started in the same
# instant, several times: exactly one lock screen each time.
# Usage: test_hostile.sh <path of Velmora.scr>; needs VELMORA_WINE_RUN and a DISPLAY.
set -u
scr=$1
run=${VELMORA_WINE_RUN:?VELMORA_WINE_RUN must name scripts/wine-run}
helper="$(dirname "$scr")/lockscreen_helper.exe"
hostile="$(dirname "$scr")/velmora_hostile.exe"
work=$(mktemp -d)
lock=""
failures=0
suite=hostile
readonly password="Sesame42" rounds=5
. "$(dirname "$0")/common.sh"

cleanup() {
  [ -n "$lock" ] && kill "$lock" 2>/dev/null
  [ -n "${pair:-}" ] && kill $pair 2>/dev/null
  [ -n "${squatter:-}" ] && kill "$squatter" 2>/dev/null
  "$run" reg delete 'HKCU\Software\Velmora' /f >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

# The probe here is the hostile program's, and wait_for_window below leaves
# $work/probe alone.
hostile() { "$run" "$hostile" "$@" 2>/dev/null | tr -d '\r'; }
probe() { hostile probe >"$work/probe"; }
field() { sed -n "s/^$1 //p" "$work/probe"; }

# Polls the lock screen helper's probe until the window of class $1 has visibility $2, for up to
# $3 seconds.
wait_for_window() {
  local deadline=$((SECONDS + $3))
  while [ "$SECONDS" -lt "$deadline" ]; do
    [ "$("$run" "$helper" probe 2>/dev/null | tr -d '\r' | sed -n "s/^$1 \([01]\) .*/\1/p" | grep -c 1)" = "$2" ] &&
      return 0
    sleep 0.2
  done
  return 1
}

# The lock covers the primary display, topmost, and is the top visible window, or the second
# one right under the prompt when $2 is "prompt"; $work/probe holds a fresh probe. $1 names what
# was done, for the messages.
expect_locked() {
  kill -0 "$lock" 2>/dev/null || fail "$1: the lock screen process ended"
  local expected="1 0 0 0 $(field screen) 1"
  [ "$(field lock)" = "$expected" ] ||
    fail "$1: the lock is '$(field lock)', expected '$expected' (visible, not iconic, covering, topmost)"
  [ "$(field lockscreens)" = "${lockscreens:-1}" ] || fail "$1: $(field lockscreens) lock screen windows"
  local order
  order=$(field zorder)
  if [ "${2:-}" = prompt ]; then
    [ "$(cut -d' ' -f1-2 <<<"$order")" = "TfrmAsk TfrmVOK" ] ||
      fail "$1: the windows from the top are '$order', expected the prompt, then the lock screen"
    [ "$(field foreground)" = TfrmAsk ] || fail "$1: the foreground window is '$(field foreground)', not the prompt"
  else
    [ "$(cut -d' ' -f1 <<<"$order")" = TfrmVOK ] ||
      fail "$1: the windows from the top are '$order', expected the lock screen first"
    [ "$(field foreground)" = TfrmVOK ] ||
      fail "$1: the foreground window is '$(field foreground)', not the lock screen"
  fi
}

# Runs the attack $1 and checks the lock after a fraction of a second; $2 "prompt" when the
# prompt is up during the attack. The system must have accepted the call, except for
# DestroyWindow, which it refuses for another process's window.
attack() {
  local out expected="$1 made"
  [ "$1" = destroy ] && expected="$1 refused"
  hostile "$1" 300 >"$work/probe"
  out=$(head -1 "$work/probe")
  # Now and then the attacking program prints nothing at all: only such a run is tried again.
  if [ -z "$out" ]; then
    hostile "$1" 300 >"$work/probe"
    out=$(head -1 "$work/probe")
  fi
  [ "$out" = "$expected" ] || fail "$1: the hostile program reported '$out', expected '$expected'"
  expect_locked "$1" "${2:-}"
  echo "  $out: lock $(field lock) / top: $(field zorder | cut -d' ' -f1-2) / foreground: $(field foreground)"
}

# Another program's topmost window takes the foreground for 2 s; from 0.5 s on, it must have
# neither the foreground nor the top any more. $1 "prompt" when the prompt is up.
steal() {
  "$run" "$hostile" steal 2 2>/dev/null | tr -d '\r' >"$work/steal"
  [ "${PIPESTATUS[0]}" -eq 0 ] || fail "steal ($1): the system refused the foreground to the hostile window"
  echo "  steal ($1), <ms> <has foreground> <has top> <foreground> <top>:"
  sed 's/^steal /    /' "$work/steal"
  grep -q '^steal 0 ' "$work/steal" || fail "steal ($1): the hostile program did not report"
  local held
  held=$(awk '$2 >= 500 && ($3 == 1 || $4 == 1)' "$work/steal")
  [ -z "$held" ] || fail "steal ($1): the hostile window kept the foreground or the top: $(tr '\n' ' ' <<<"$held")"
  probe
  expect_locked "steal ($1)" "$1"
}

# Answers the prompt with a wrong password and checks the lock stays.
refuse() {
  xdotool type --delay 20 "wrong$password"
  xdotool key Return
  wait_for_window TfrmAsk 0 10 || fail "$1: the prompt did not close on Enter"
  # The refusal pauses, puts the pointer back and arms the lock again.
  sleep 1
  probe
  expect_locked "$1: a wrong password"
  echo "  $1: a wrong password, still locked: lock $(field lock) / top: $(field zorder | cut -d' ' -f1)"
}

[ -f "$hostile" ] || {
  echo "FAIL: no hostile program at $hostile"
  exit 1
}

echo "== a lock with a known password"
"$run" "$helper" settings "$password" 5 700 >/dev/null 2>&1 || fail "the settings could not be stored"
"$run" "$helper" pointer 200 200 >/dev/null 2>&1
VELMORA_NO_MESSAGEBOX=1 "$run" "$scr" /S >"$work/out" 2>"$work/err" &
lock=$!
if ! wait_for_window TfrmVOK 1 30; then
  fail "no visible TfrmVOK window"
  finish
fi
sleep 0.5
probe
expect_locked "the start"

echo "== attacks on the lock screen"
for name in quit-window quit-thread hide hide-pos minimize shrink offscreen bottom notopmost destroy; do
  attack "$name"
done
steal lock

echo "== closing asks for the password"
for name in close syscommand-close; do
  out=$(hostile "$name")
  [ "$out" = "$name made" ] || fail "$name: the hostile program reported '$out'"
  if wait_for_window TfrmAsk 1 10; then
    sleep 0.3
    probe
    expect_locked "$name" prompt
    echo "  $out: the prompt is up, top: $(field zorder | cut -d' ' -f1-2) / foreground: $(field foreground)"
    refuse "$name"
  else
    fail "$name: no prompt"
    probe
    expect_locked "$name"
  fi
done

echo "== attacks while the prompt is up"
xdotool mousemove_relative 0 6
if wait_for_window TfrmAsk 1 10; then
  sleep 0.3
  for name in quit-window quit-thread hide minimize bottom notopmost; do
    attack "$name" prompt
  done
  steal prompt
  refuse "the prompt under attack"
else
  fail "a 6-pixel move did not bring the prompt"
fi

echo "== only the right password opens it"
xdotool mousemove_relative 0 6
if wait_for_window TfrmAsk 1 10; then
  sleep 0.3
  xdotool type --delay 20 "$password"
  xdotool key Return
  if wait_for_end "$lock" 15; then
    [ "$code" -eq 0 ] || fail "exit code $code after the right password, expected 0"
    echo "  the right password: the program ended with $code"
  else
    fail "the program did not end after the right password"
  fi
else
  fail "no prompt for the right password"
fi
lock=""

# Starts a lock with the known password; false when no lock screen came up.
start_lock() {
  VELMORA_NO_MESSAGEBOX=1 "$run" "$scr" /S >"$work/out" 2>"$work/err" &
  lock=$!
  wait_for_window TfrmVOK 1 30 && sleep 0.5
}

# A 6-pixel move brings the prompt within $2 seconds; $1 names the attack.
prompt_comes() {
  xdotool mousemove_relative 0 6
  wait_for_window TfrmAsk 1 "$2" || {
    fail "$1: a 6-pixel move did not bring the prompt within $2 s"
    return 1
  }
  sleep 0.3
}

# The right password ends the lock with exit code 0; $1 names the attack.
open_lock() {
  xdotool type --delay 20 "$password"
  xdotool key Return
  if wait_for_end "$lock" 15; then
    [ "$code" -eq 0 ] || fail "$1: exit code $code after the right password"
  else
    fail "$1: the right password did not end the lock"
    kill "$lock" 2>/dev/null
  fi
  lock=""
}

echo "== attacks on state, lifetime and parents, each on a lock of its own"
for name in nccreate-null nccreate-forged ncdestroy-hide destroy-messages parent-destroy app-parent-destroy \
  app-close layered-alpha layered-colorkey layered-transparent child-style region disable owner sc-move sc-size; do
  start_lock || { fail "$name: no lock screen"; continue; }
  hostile "$name" 500 >"$work/probe"
  [ "$(head -1 "$work/probe")" = "$name made" ] || fail "$name: the hostile program reported '$(head -1 "$work/probe")'"
  echo "  $(head -1 "$work/probe"): lock $(field lock) / state $(field state) / top: $(field zorder | cut -d' ' -f1)"
  if [ "$(field zorder | cut -d' ' -f1)" = TfrmAsk ]; then
    expect_locked "$name" prompt
    refuse "$name"
  else
    expect_locked "$name"
    prompt_comes "$name" 10 && refuse "$name"
  fi
  [ "$(field state)" = "0 0 0 0 0 1 1" ] || fail "$name: the lock's state is '$(field state)', expected '0 0 0 0 0 1 1'"
  prompt_comes "$name" 10 && open_lock "$name"
  [ -n "$lock" ] && kill "$lock" 2>/dev/null
  lock=""
done

# The longest stretch out of place that the hostile program sampled, from its "stretch" line in
# $work/probe, must stay within 250 ms; $1 names the attack.
within_stretch() {
  local longest
  longest=$(field stretch | cut -d' ' -f1)
  echo "  $1: longest stretch out of place ${longest:-none} ms ($(field stretch | cut -d' ' -f2-3) samples out/all)"
  [ -n "$longest" ] && [ "$longest" -le 250 ] || fail "$1: out of place for ${longest:-an unknown time} ms at a stretch"
}

# Every row: a lock of its own, a wrong password refused at a prompt, the attack, the lock still
# covering on top, and the exact password opening at the first prompt after the attack.
echo "== the prompt, its password box and its buttons, while it is up"
for name in prompt-limit prompt-readonly prompt-passwordchar prompt-ok-disable prompt-edit-hide \
  prompt-edit-parent-destroy prompt-hide prompt-parent-destroy; do
  start_lock || { fail "$name: no lock screen"; continue; }
  prompt_comes "$name" 10 && refuse "$name"
  if prompt_comes "$name" 10; then
    hostile "$name" 500 >"$work/probe"
    [ "$(head -1 "$work/probe")" = "$name made" ] || fail "$name: the hostile program reported '$(head -1 "$work/probe")'"
    echo "  $(head -1 "$work/probe"): lock $(field lock) / top: $(field zorder | cut -d' ' -f1-2) / prompt $(field prompt)"
    expect_locked "$name" prompt
    # Shown, writable, starred, unbounded, with OK enabled, whatever was done to it.
    [ "$(field prompt | cut -d' ' -f1-5)" = "1 0 42 1 1" ] || fail "$name: the prompt is '$(field prompt)'"
    open_lock "$name"
  fi
  [ -n "$lock" ] && kill "$lock" 2>/dev/null
  lock=""
done

echo "== another program reads the password box while the owner types, and after a refusal"
if start_lock && prompt_comes read 10; then
  "$run" "$hostile" read 6000 2>/dev/null | tr -d '\r' >"$work/read" &
  reader=$!
  sleep 0.5
  xdotool type --delay 60 "wrong$password"
  xdotool key Return
  sleep 1.5
  if prompt_comes read 10; then
    xdotool type --delay 60 "$password"
    wait "$reader"
    echo "  $(cat "$work/read")"
    [ "$(cut -d' ' -f1-2 "$work/read")" = "read 0" ] || fail "read: another program read '$(cat "$work/read")'"
    xdotool key Return
    wait_for_end "$lock" 15 && [ "$code" -eq 0 ] || fail "read: the right password did not open the lock"
  fi
else
  fail "read: no prompt"
fi
[ -n "$lock" ] && kill "$lock" 2>/dev/null
lock=""

echo "== floods, the lock made again and again, the displays changed thousands of times, a long note"
for name in flood churn displaychange note-settext; do
  start_lock || { fail "$name: no lock screen"; continue; }
  case $name in
    flood) hostile flood 8 5000 >"$work/probe" && within_stretch "8 threads sending for 5 s" ;;
    churn) hostile churn 3000 >"$work/probe" && within_stretch "the lock destroyed again and again for 3 s" ;;
    displaychange) hostile displaychange 5000 >/dev/null ;;
    note-settext)
      prompt_comes "$name" 10
      hostile note-settext 60000 300 >/dev/null
      # OK with an empty password: refused, and the note, bounded, becomes the message.
      xdotool key Return
      sleep 1 ;;
  esac
  started=$(date +%s%N)
  if prompt_comes "$name" 3; then
    echo "  $name: the prompt came $((($(date +%s%N) - started) / 1000000)) ms after a move"
    probe
    expect_locked "$name" prompt
    [ "$name" = note-settext ] && { [ "$(field prompt | cut -d' ' -f6)" = 4096 ] || fail "$name: the note box holds $(field prompt | cut -d' ' -f6) characters"; }
    refuse "$name"
    prompt_comes "$name" 10 && open_lock "$name"
  fi
  [ -n "$lock" ] && kill "$lock" 2>/dev/null
  lock=""
done

echo "== another program holds the start-up mutex, or a hidden window of the lock screen's class"
for name in squat-mutex squat-window; do
  "$run" "$hostile" "$name" 15 >"$work/squat" 2>/dev/null &
  squatter=$!
  for _ in $(seq 50); do grep -q squatting "$work/squat" && break; sleep 0.2; done
  grep -q squatting "$work/squat" || fail "$name: the hostile program could not squat"
  # The hidden window of the other program's is one more of the lock screen's class.
  [ "$name" = squat-window ] && lockscreens=2
  if start_lock; then
    probe
    expect_locked "$name"
    echo "  $name: /S locks: lock $(field lock) / top: $(field zorder | cut -d' ' -f1)"
    prompt_comes "$name" 10 && refuse "$name"
    prompt_comes "$name" 10 && open_lock "$name"
  else
    fail "$name: /S did not lock"
  fi
  [ -n "$lock" ] && kill "$lock" 2>/dev/null
  lock=""
  wait "$squatter"
  squatter=""
  lockscreens=1
done

echo "== a planted message of 1 MB"
hostile plant-message 1048576 >/dev/null || fail "the message could not be planted"
if start_lock; then
  started=$(date +%s%N)
  if prompt_comes "1 MB message" 5; then
    echo "  the prompt came after $((($(date +%s%N) - started) / 1000000)) ms"
    open_lock "1 MB message"
  fi
else
  fail "1 MB message: no lock screen"
fi
[ -n "$lock" ] && kill "$lock" 2>/dev/null
lock=""
"$run" "$helper" settings "$password" 5 700 >/dev/null 2>&1 || fail "the settings could not be stored"

echo "== two /S in the same instant, $rounds times: one lock screen"
# No password: a move of six pixels ends each round's lock.
"$run" "$helper" settings "" 5 700 >/dev/null 2>&1 || fail "the settings could not be stored"
for round in $(seq 1 "$rounds"); do
  VELMORA_NO_MESSAGEBOX=1 "$run" "$scr" /S >/dev/null 2>&1 &
  first=$!
  VELMORA_NO_MESSAGEBOX=1 "$run" "$scr" /S >/dev/null 2>&1 &
  second=$!
  pair="$first $second"
  wait_for_window TfrmVOK 1 30 || fail "round $round: no visible lock screen"
  # One copy ends at once; the other keeps the lock.
  deadline=$((SECONDS + 10))
  while kill -0 "$first" 2>/dev/null && kill -0 "$second" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
    sleep 0.1
  done
  sleep 0.5
  probe
  alive=0
  for copy in $pair; do kill -0 "$copy" 2>/dev/null && alive=$((alive + 1)); done
  echo "  round $round: $(field lockscreens) lock screen window(s), $alive copy running"
  [ "$(field lockscreens)" = 1 ] || fail "round $round: $(field lockscreens) lock screen windows"
  [ "$alive" = 1 ] || fail "round $round: $alive copies running, expected 1"
  xdotool mousemove_relative 0 6
  for copy in $pair; do
    if wait_for_end "$copy" 10; then
      [ "$code" -eq 0 ] || fail "round $round: a copy ended with $code"
    else
      fail "round $round: a copy did not end"
      kill "$copy" 2>/dev/null
      wait "$copy" 2>/dev/null
    fi
  done
  pair=""
done

finish
