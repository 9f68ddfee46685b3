#!/usr/bin/env bash
# End to end: Velmora.scr /INSTALL under Wine, run from a working directory holding the program,
# Velmora.dll and Velmora.lng. Install with the desktop-shortcut box ticked and not ticked: the
# system folder holds the three files, the uninstall entry its three values, the shortcut
# exists only when ticked and names the bare file; Wine's shell answers the "install" verb by
# starting the installed copy in configure mode, whose dialog is closed. Then /INSTALL from a
# folder without Velmora.dll: the program is copied, the failed copy is reported on standard
# error, the exit code is 1 and nothing else happens. Saves a screenshot of the wizard.
# Usage: test_install.sh <path of Velmora.scr>; needs VELMORA_WINE_RUN and a DISPLAY.
set -u
scr=$1
run=${VELMORA_WINE_RUN:?VELMORA_WINE_RUN must name scripts/wine-run}
artifacts=${VELMORA_ARTIFACTS:-$(dirname "$scr")/artifacts}
release=$(dirname "$scr")
helper="$release/lockscreen_helper.exe"
mkdir -p "$artifacts"
work=$(mktemp -d)
app="$work/setup files"
installer=""
failures=0
suite=install
readonly uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora'
. "$(dirname "$0")/common.sh"

system=$(unix_path 'C:\windows\system32')
windows_home=$("$run" cmd /c 'echo %USERPROFILE%' 2>/dev/null | tr -d '\r')
desktop=$(unix_path "$windows_home\\Desktop")
if [ -z "$system" ] || [ ! -d "$system" ] || [ -z "$windows_home" ] || [ -z "$desktop" ]; then
  echo "FAIL: cannot find the system and desktop folders of the Wine prefix"
  exit 1
fi
mkdir -p "$desktop"


# Ends every copy of the program still running, and what an installation left behind.
remove_installation() {
  "$run" taskkill /f /im Velmora.scr >/dev/null 2>&1
  rm -f "$system/Velmora.scr" "$system/Velmora.dll" "$system/Velmora.lng" "$desktop/Velmora.lnk"
  "$run" reg delete "$uninstall_key" /f >/dev/null 2>&1
  "$run" reg delete 'HKCU\Software\Velmora' /f >/dev/null 2>&1
}

cleanup() {
  [ -n "$installer" ] && kill "$installer" 2>/dev/null
  remove_installation
  rm -rf "$work"
}
trap cleanup EXIT

# Clicks the wizard at ($1, $2) in its client area, from the last probe.
click_wizard() {
  local visible left top right bottom topmost x y
  read -r visible left top right bottom topmost x y < <(window_line TfrmInstallWizard)
  xdotool mousemove $((x + $1)) $((y + $2)) click 1
  sleep 0.3
}

# The text of a value of the uninstall key, empty when it is not there.
uninstall_value() {
  "$run" reg query "$uninstall_key" /v "$1" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$1 \{1,\}REG_SZ \{1,\}//p"
}

# Starts /INSTALL with the working directory $app; the files given are put there first.
start_installer() {
  rm -rf "$app"
  mkdir -p "$app"
  cp "$@" "$app/"
  (cd "$app" && VELMORA_NO_MESSAGEBOX=1 exec "$run" "$app/Velmora.scr" /INSTALL >"$work/out" 2>"$work/err") &
  installer=$!
}

install_with_shortcut() {
  local ticked=$1
  echo "== Install, shortcut box ticked: $ticked"
  remove_installation
  start_installer "$scr" "$release/Velmora.dll" "$release/Velmora.lng"
  if ! wait_for_window TfrmInstallWizard 1 60; then
    fail "no install wizard"
    return
  fi
  if [ "$ticked" = yes ]; then
    local visible left top right bottom
    read -r visible left top right bottom _ < <(window_line TfrmInstallWizard)
    xdotool mousemove 0 0
    sleep 1
    import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
      "$artifacts/install-wizard.png" 2>/dev/null || fail "no screenshot of the wizard"
  else
    click_wizard 18 196  # the box of chkCreateDesktopShortcut
  fi
  click_wizard $((176 + 37)) $((216 + 12))  # btnInstall
  wait_for_end "$installer" 30 || fail "the wizard's program did not end after Install"
  installer=""
  [ "$code" -eq 0 ] || fail "exit code $code after Install, expected 0"
  # Wine's own diagnostics (a volume label it cannot read for the shortcut) are not the program's.
  grep -v '^wine: ' "$work/err" | grep -q . && fail "Install reported: $(cat "$work/err")"

  for file in Velmora.scr Velmora.dll Velmora.lng; do
    cmp -s "$app/$file" "$system/$file" || fail "$file is not in the system folder as it was in $app"
  done
  [ "$(uninstall_value DisplayName)" = Velmora ] || fail "DisplayName is \"$(uninstall_value DisplayName)\""
  [ "$(uninstall_value Velmora)" = Velmora ] || fail "the value Velmora is \"$(uninstall_value Velmora)\""
  [ "$(uninstall_value UninstallString)" = "Velmora.scr /UNINSTALL" ] ||
    fail "UninstallString is \"$(uninstall_value UninstallString)\""
  if [ "$ticked" = yes ]; then
    if [ -e "$desktop/Velmora.lnk" ]; then
      # The link names the program without a folder: the shell finds it in the system folder.
      strings "$desktop/Velmora.lnk" | grep -qx 'Velmora.scr' || fail "the shortcut does not name the bare Velmora.scr"
      strings "$desktop/Velmora.lnk" | grep -qi 'system32' && fail "the shortcut names a folder"
    else
      fail "no desktop shortcut although the box was ticked"
    fi
  else
    [ -e "$desktop/Velmora.lnk" ] && fail "a desktop shortcut although the box was not ticked"
  fi

  # The shell's install verb: under Wine the installed copy starts in configure mode.
  if wait_for_window TfrmConfig 1 30; then
    local visible left top right bottom topmost x y
    read -r visible left top right bottom topmost x y < <(window_line TfrmConfig)
    xdotool mousemove $((x + 217 + 37)) $((y + 204 + 12)) click 1  # its Cancel
    wait_for_window TfrmConfig absent 20 || fail "the installed copy's dialog did not close"
  else
    fail "the install verb did not start the installed copy's configuration dialog"
  fi
}

install_with_shortcut yes
install_with_shortcut no

echo "== Install from a folder without Velmora.dll"
remove_installation
start_installer "$scr" "$release/Velmora.lng"
if wait_for_window TfrmInstallWizard 1 60; then
  click_wizard $((176 + 37)) $((216 + 12))
  wait_for_end "$installer" 30 || fail "the program did not end after the failed copy"
  installer=""
  [ "$code" -eq 1 ] || fail "exit code $code after the failed copy, expected 1"
  grep -q "Cannot copy .*Velmora.dll.*" "$work/err" || fail "the failed copy was not reported: $(cat "$work/err")"
  cmp -s "$app/Velmora.scr" "$system/Velmora.scr" || fail "the program was not copied before the failure"
  for file in "$system/Velmora.dll" "$system/Velmora.lng" "$desktop/Velmora.lnk"; do
    [ -e "$file" ] && fail "$file is there after the failed copy"
  done
  "$run" reg query "$uninstall_key" >/dev/null 2>&1 && fail "the uninstall key was written after the failed copy"
  sleep 2
  probe
  [ "$(window_line TfrmConfig)" = absent ] || fail "the install verb ran after the failed copy"
else
  fail "no install wizard"
fi

finish
