#!/usr/bin/env bash
# End to end: Velmora.scr /UNINSTALL under Wine, run from a copy in a temporary folder whose
# name holds characters the command interpreter treats specially outside quotes. Not "%": Wine's
# command interpreter expands "%" again inside the text it put in for %0, so the last line would
# not find the batch file there (tests/win runs the batch text itself on paths with "%"). Cancel changes
# nothing; OK removes the registry traces and the Startup shortcut before the program ends, and
# then the batch file removes the three files, the desktop shortcut and itself, and nothing else;
# the settings are not written back. Saves a screenshot of the confirmation box.
# Usage: test_uninstall.sh <path of Velmora.scr>; needs VELMORA_WINE_RUN and a DISPLAY.
set -u
scr=$1
run=${VELMORA_WINE_RUN:?VELMORA_WINE_RUN must name scripts/wine-run}
artifacts=${VELMORA_ARTIFACTS:-$(dirname "$scr")/artifacts}
release=$(dirname "$scr")
mkdir -p "$artifacts"
work=$(mktemp -d)
app="$work/app & co ^!(1) [x]"
uninstall=""
failures=0
suite=uninstall
readonly caption="Uninstall Velmora"
readonly run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
readonly uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora'
. "$(dirname "$0")/common.sh"

cleanup() {
  [ -n "$uninstall" ] && kill "$uninstall" 2>/dev/null
  "$run" reg delete 'HKCU\Software\Velmora' /f >/dev/null 2>&1
  "$run" reg delete "$run_key" /v Velmora /f >/dev/null 2>&1
  "$run" reg delete "$uninstall_key" /f >/dev/null 2>&1
  rm -f "$desktop/Velmora.lnk" "$desktop/Other.lnk" "$startup/Velmora.lnk"
  rm -rf "$work"
}
trap cleanup EXIT

windows_home=$("$run" cmd /c 'echo %USERPROFILE%' 2>/dev/null | tr -d '\r')
desktop=$(unix_path "$windows_home\\Desktop")
startup=$(unix_path "$windows_home\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup")
if [ -z "$windows_home" ] || [ -z "$desktop" ] || [ -z "$startup" ]; then
  echo "FAIL: cannot find the desktop and Startup folders of the Wine prefix"
  exit 1
fi
mkdir -p "$desktop" "$startup"

reg_has() { "$run" reg query "$@" >/dev/null 2>&1; }

# The program beside its companions, every trace in the registry, both shortcuts, neighbours.
set_up() {
  mkdir -p "$app"
  cp "$scr" "$release/Velmora.dll" "$release/Velmora.lng" "$app/"
  touch "$app/keep.txt" "$desktop/Velmora.lnk" "$desktop/Other.lnk" "$startup/Velmora.lnk"
  "$run" reg add 'HKCU\Software\Velmora\Deep' /v Marker /d x /f >/dev/null 2>&1
  "$run" reg add "$run_key" /v Velmora /d 'Velmora.scr' /f >/dev/null 2>&1
  "$run" reg add "$uninstall_key" /v DisplayName /d Velmora /f >/dev/null 2>&1
}

# Waits up to $1 seconds for the confirmation box; sets $box to its window id.
wait_for_box() {
  local deadline=$((SECONDS + $1))
  while [ "$SECONDS" -lt "$deadline" ]; do
    box=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -1)
    [ -n "$box" ] && return 0
    sleep 0.2
  done
  return 1
}

start_uninstall() {
  (cd "$work" && VELMORA_NO_MESSAGEBOX=1 exec "$run" "$app/Velmora.scr" /UNINSTALL >"$work/out" 2>"$work/err") &
  uninstall=$!
}

echo "== Cancel changes nothing"
set_up
start_uninstall
if wait_for_box 60; then
  eval "$(xdotool getwindowgeometry --shell "$box")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$artifacts/uninstall-confirm.png" 2>/dev/null ||
    fail "no screenshot of the confirmation box"
  # Cancel is the default button.
  xdotool windowactivate --sync "$box" 2>/dev/null
  xdotool key --window "$box" Return
  wait_for_end "$uninstall" 30 || fail "Cancel: the program did not end"
  uninstall=""
  [ "$code" -eq 0 ] || fail "Cancel: exit code $code, expected 0"
  for file in "$app/Velmora.scr" "$app/Velmora.dll" "$app/Velmora.lng" "$desktop/Velmora.lnk" "$startup/Velmora.lnk"; do
    [ -e "$file" ] || fail "Cancel: $file is gone"
  done
  [ -e "$app/Velmora.bat" ] && fail "Cancel: a batch file was written"
  reg_has 'HKCU\Software\Velmora\Deep' /v Marker || fail "Cancel: the settings key lost its subkey"
  reg_has 'HKCU\Software\Velmora' /v MessagePosition || fail "Cancel: the settings were not written back"
  reg_has "$run_key" /v Velmora || fail "Cancel: the Run value is gone"
  reg_has "$uninstall_key" /v DisplayName || fail "Cancel: the uninstall key is gone"
else
  fail "Cancel: no confirmation box titled \"$caption\""
fi

echo "== OK removes the traces, then the batch file the files"
# Wine's desktop process goes with the last program of the prefix; a message box asked for while
# it is going fails at once (the uninstaller then takes it as Cancel). Let the first copy's Wine
# processes end before the second starts.
timeout 30 wineserver -w 2>/dev/null
set_up
start_uninstall
if wait_for_box 60; then
  # OK is the button before the default Cancel.
  xdotool windowactivate --sync "$box" 2>/dev/null
  xdotool key --window "$box" shift+Tab space
  wait_for_end "$uninstall" 30 || fail "OK: the program did not end"
  uninstall=""
  [ "$code" -eq 0 ] || fail "OK: exit code $code, expected 0"
  [ -s "$work/err" ] && fail "OK: reported $(cat "$work/err")"
  reg_has 'HKCU\Software\Velmora' && fail "OK: the settings key is there after the program ended"
  reg_has "$run_key" /v Velmora && fail "OK: the Run value is there"
  reg_has "$uninstall_key" && fail "OK: the uninstall key is there"
  [ -e "$startup/Velmora.lnk" ] && fail "OK: the Startup shortcut is there"
  started=$SECONDS
  deadline=$((SECONDS + 60))
  while [ -e "$app/Velmora.bat" ] && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.2; done
  if [ -e "$app/Velmora.bat" ]; then
    fail "OK: the batch file is still there after 60 s; the folder holds: $(ls "$app" | tr '\n' ' ')"
  fi
  echo "   the batch file finished within $((SECONDS - started)) s of the program's end"
  for file in "$app/Velmora.scr" "$app/Velmora.dll" "$app/Velmora.lng" "$desktop/Velmora.lnk"; do
    [ -e "$file" ] && fail "OK: $file is still there"
  done
  for file in "$app/keep.txt" "$desktop/Other.lnk"; do
    [ -e "$file" ] || fail "OK: $file, which is not ours, is gone"
  done
  reg_has 'HKCU\Software\Velmora' && fail "OK: the settings key was written again"
else
  fail "OK: no confirmation box titled \"$caption\""
fi

finish
