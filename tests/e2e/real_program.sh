#!/usr/bin/env bash
# Starts the built program in a virtual X display as a user would, types into the editor with
# real key events and checks the preview copy on disk.
set -euo pipefail
program=$(realpath "$1")

folder=$(mktemp -d)
trap 'kill "${pid:-0}" 2>/dev/null || true; rm -rf "$folder"' EXIT
cd "$folder"
printf '<br>\r\n' > eigene.lst # no missing-list message at start-up

# Waits until look.html holds the expected bytes; the program may be slow on a busy machine.
expect_preview() {
  local expected=$1 what=$2
  for _ in $(seq 100); do
    [ -f look.html ] && [ "$(cat look.html)" == "$expected" ] && return 0
    sleep 0.1
  done
  echo "$what: look.html holds:"; od -c look.html 2>/dev/null | head
  exit 1
}

"$program" &
pid=$!

window=""
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --name '^Tagschmied 2\.0$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the main window did not appear"; exit 1; }
sleep 1 # mapped is not yet ready for input on a busy machine

# Click into the editor (right of the 153 pixel wide button panel) and type.
xdotool mousemove --window "$window" 400 200 click 1
sleep 0.3
xdotool type --delay 20 '<p>Hallo'
xdotool key Return
xdotool type --delay 20 'Welt'
expect_preview "$(printf '<p>Hallo\r\nWelt')" "after typing"

# The custom tag list was read at start-up: a double click on its first entry appends it.
xdotool mousemove --window "$window" 300 568 click 1
sleep 0.2
xdotool mousemove --window "$window" 300 568 click --repeat 2 --delay 80 1
expect_preview "$(printf '<p>Hallo\r\nWelt\r\n<br>')" "after the double click"

# "Ende" closes the main window and ends the process.
xdotool mousemove --window "$window" 40 165 click 1
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || { echo "ok"; exit 0; }
  sleep 0.1
done
echo "the program did not end on Ende"
exit 1
