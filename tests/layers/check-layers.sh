#!/usr/bin/env bash
# Checks the direction of the layers: every "..." include of a source below src/ names a file of
# its own layer or of a layer below it, and no window module includes another.
#   core, common (platform-free)  <  win (thin wrappers)  <  services (core/win, common/win)
#   <  ui (forms layer)  <  the window modules  <  app (start-up)
# Every other folder of src/ is a window module (lockscreen, prompt, config, install, and any new
# one), each checked against the others.
# Usage: check-layers.sh <src directory>. Prints every offending include; exits 1 if any.
set -u
src=${1:?usage: check-layers.sh <src directory>}
cd "$src" || exit 2
find . -type f \( -name '*.h' -o -name '*.cpp' \) | sed 's#^\./##' | sort |
  xargs grep -H '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' |
  awk '
    function layer(path) {
      if (path ~ /^(core|common)\/win\//) return "services"
      if (path ~ /^core\//) return "core"
      if (path ~ /^common\//) return "common"
      if (path ~ /^win\//) return "win"
      if (path ~ /^ui\//) return "ui"
      if (path ~ /^app\// || path == "VOK.cpp") return "app"
      if (path ~ /^[^\/]+\//) { split(path, part, "/"); return "window:" part[1] }
      return "unknown"
    }
    BEGIN {
      below["core"] = ""
      below["common"] = " core "
      below["win"] = " core "
      below["services"] = " core common win "
      below["ui"] = " core common win services "
    }
    {
      file = substr($0, 1, index($0, ":") - 1)
      target = $0
      sub(/^[^"]*"/, "", target)
      sub(/".*$/, "", target)
      from = layer(file)
      to = layer(target)
      if (to == "unknown" || from == to || from == "app") next
      allowed = (from ~ /^window:/) ? " core common win services ui " : below[from]
      if (index(allowed, " " to " ") == 0) {
        printf "%s includes \"%s\": layer %s may not use %s\n", file, target, from, to
        status = 1
      }
    }
    END { exit status }'
