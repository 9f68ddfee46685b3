# Shared by the benchmark scripts that start the program under Wine; each sources this file
# after setting $run (scripts/wine-run). Gives them a temporary folder, $work, and a clean-up at
# exit: the program under measurement ($program) killed, the settings it was given removed, the
# desktop keeper ($keeper_pid) and a wineserver the script started ($started_server) stopped.

# Ends the script with exit code 2 when one of the files named is missing.
need_files() {
  for file in "$@"; do
    [ -f "$file" ] || { echo "missing $file: build the win64 preset first" >&2; exit 2; }
  done
}

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
