#!/usr/bin/env bash
# The layer check passes on the sources as they are, and fails on a copy into which an upward
# include, and one across window modules (a new window folder among them), has been put.
set -u
here=$(cd "$(dirname "$0")" && pwd)
src=${1:?usage: self-test.sh <src directory>}
check="$here/check-layers.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

"$check" "$src" || { echo "FAIL: the sources break the layers"; failures=$((failures + 1)); }

# Each case: a file to change and the include put into it.
while read -r file include; do
  rm -rf "$work/src"
  cp -r "$src" "$work/src"
  mkdir -p "$work/src/about"
  printf '#include "%s"\n' "$include" >>"$work/src/$file"
  if "$check" "$work/src" >/dev/null; then
    echo "FAIL: $file including \"$include\" was not caught"
    failures=$((failures + 1))
  fi
done <<'CASES'
core/Settings.h common/LanguageTable.h
common/PathMacros.cpp win/Handles.h
win/Registry.cpp core/win/SettingsStore.h
common/win/LanguageFile.cpp ui/Application.h
ui/Form.cpp lockscreen/Main.h
lockscreen/Main.cpp prompt/Ask.h
prompt/Ask.cpp app/ModeWindows.h
about/About.cpp config/Config.h
CASES

# A new window folder is a window module: it may use the forms layer.
rm -rf "$work/src"
cp -r "$src" "$work/src"
mkdir -p "$work/src/about"
printf '#include "ui/Form.h"\n' >"$work/src/about/About.cpp"
"$check" "$work/src" || { echo "FAIL: a new window module may not use the forms layer"; failures=$((failures + 1)); }

[ "$failures" -eq 0 ] && echo "layer check: the sources pass, every planted upward include is caught"
[ "$failures" -eq 0 ]
