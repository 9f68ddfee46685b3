#!/usr/bin/env bash
# The unlock prompt as a user sees it: shown by the prompt host from the shipped language file,
# photographed, its texts read back, and dismissed with Esc.
set -u
bin_directory=$(dirname "$1")
host="$bin_directory/VelmoraPromptHost.exe"
artifacts="${VELMORA_ARTIFACTS:-artifacts}"
mkdir -p "$artifacts"
output=$(mktemp)
trap 'rm -f "$output"' EXIT

fail() {
  echo "FAIL: $*"
  echo "--- host output"
  cat "$output"
  [ -n "${host_pid:-}" ] && kill "$host_pid" 2>/dev/null
  exit 1
}

[ -f "$host" ] || fail "no prompt host at $host"
[ -f "$bin_directory/Velmora.lng" ] || fail "no Velmora.lng beside the programs"

"$VELMORA_WINE_RUN" "$host" >"$output" 2>&1 &
host_pid=$!

window=""
for _ in $(seq 1 100); do
  window=$(xdotool search --onlyvisible --name '^Velmora - Unlock$' 2>/dev/null | head -n 1)
  [ -n "$window" ] && grep -q '^shown' "$output" && break
  sleep 0.3
done
[ -n "$window" ] || fail "the prompt window did not appear"
grep -q '^shown' "$output" || fail "the host did not report the prompt's texts"

sleep 1
import -window root "$artifacts/prompt.png" || fail "screenshot failed"
[ -s "$artifacts/prompt.png" ] || fail "empty screenshot"
colours=$(convert "$artifacts/prompt.png" -format %k info:)
[ "$colours" -gt 8 ] || fail "the screenshot shows only $colours colours"

for text in "title: Velmora - Unlock" "control: Password:" "control: Leave a message:" \
            "control: Keep this message" "control: OK" "control: Cancel" "control: Back at three"; do
  grep -qxF "$text" <(tr -d '\r' <"$output") || fail "missing \"$text\""
done
if tr -d '\r' <"$output" | grep -qE '^control: (lbl|chk|btn|edt|mem)'; then
  fail "a component shows its design name"
fi

xdotool windowactivate --sync "$window" >/dev/null 2>&1 || xdotool windowfocus "$window" >/dev/null 2>&1
xdotool key --clearmodifiers Escape
for _ in $(seq 1 50); do
  grep -q '^result:' "$output" && break
  sleep 0.2
done
grep -qx 'result: 2' <(tr -d '\r' <"$output") || fail "Esc did not cancel the prompt"
wait "$host_pid"
echo "prompt shown, photographed at $artifacts/prompt.png and cancelled with Esc"
