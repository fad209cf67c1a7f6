#!/usr/bin/env bash
# The command line of the built program: answers without a display, a refused option, and
# pages named at start, in a virtual X display.
set -euo pipefail
program=$(realpath "$1")

folder=$(mktemp -d)
trap 'kill "${pid:-0}" 2>/dev/null || true; rm -rf "$folder"' EXIT
cd "$folder"
printf '<br>\r\n' > eigene.lst # no missing-list message at start-up
fail() { echo "$*"; exit 1; }

# --help and --version answer in German on standard output, without any display.
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
help=$("${nodisplay[@]}" "$program" --help 2>err) || fail "--help failed: $(cat err)"
grep -q '^Aufruf: .*tagschmied \[Optionen\] \[SEITE\]$' <<<"$help" || fail "--help: $help"
grep -q -- '--eigener-ordner' <<<"$help" || fail "--help lacks the option: $help"
[ ! -s err ] || fail "--help wrote to stderr: $(cat err)"
[ "$("${nodisplay[@]}" "$program" --version)" == "Tagschmied 2.0" ] || fail "--version"

# An unknown option: a clear message on standard error, nothing on standard output, status 2.
status=0
"${nodisplay[@]}" "$program" --quatsch >out 2>err || status=$?
[ "$status" -eq 2 ] || fail "bad option gave status $status"
[ ! -s out ] || fail "bad option wrote to stdout: $(cat out)"
grep -q "Unbekannte Option 'quatsch'" err || fail "bad option: $(cat err)"

# --check: one line a message, SEITE:ZEILE:SPALTE: Art: Meldung, with no display at all; the
# column counts characters; status 0 without a Fehler, 1 with one, 2 when a page is unreadable.
printf '<!DOCTYPE html>\n<html lang="de"><head><title>Gut</title></head>\n<body><p>Hallo</p>\n</body></html>\n' > gut.html
printf '<!DOCTYPE html>\n<html lang="de"><head><title>Schlecht</title></head>\n<body>\n<p>\xc3\xa4\xc3\xb6\xc3\xbc<img src="a.png"></p>\n</body></html>\n' > schlecht.html
touch a.png
"${nodisplay[@]}" "$program" --check gut.html >out 2>err || fail "--check of a good page: status $?: $(cat out err)"
[ ! -s err ] || fail "--check of a good page wrote to stderr: $(cat err)"
grep -q ': Fehler: ' out && fail "--check found a Fehler in a good page: $(cat out)"
status=0
"${nodisplay[@]}" "$program" --check schlecht.html gut.html >out 2>err || status=$?
[ "$status" -eq 1 ] || fail "--check of a bad page gave status $status: $(cat out err)"
grep -q '^schlecht\.html:4:7: Fehler: .*alt' out || fail "--check: no alt Fehler at 4:7: $(cat out)"
grep -qv '^[^:]*:[0-9]*:[0-9]*: \(Fehler\|Warnung\|Hinweis\): .' out && fail "--check: a line of another form: $(cat out)"
status=0
"${nodisplay[@]}" "$program" --check fehlt.html schlecht.html >out 2>err || status=$?
[ "$status" -eq 2 ] || fail "--check of a missing page gave status $status"
grep -q '^tagschmied: fehlt\.html lässt sich nicht lesen' err || fail "--check: missing page: $(cat err)"
grep -q '^schlecht\.html:4:7: Fehler' out || fail "--check stopped at the missing page: $(cat out)"
status=0
"${nodisplay[@]}" "$program" --check >out 2>err || status=$?
[ "$status" -eq 2 ] || fail "--check without a page gave status $status"
rm -f gut.html schlecht.html a.png out err

wait_for_window() {
  for _ in $(seq 300); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  fail "no window named $1"
}

# A page by a relative name opens as "Öffnen" opens it: its text with CR LF line breaks, so
# look.html is written at once.
mkdir unter
printf 'a\nb' > unter/seite.html
"$program" unter/seite.html &
pid=$!
for _ in $(seq 300); do
  [ "$(cat look.html 2>/dev/null)" == "$(printf 'a\r\nb')" ] && break
  sleep 0.1
done
[ "$(cat look.html 2>/dev/null)" == "$(printf 'a\r\nb')" ] || fail "the page was not opened"
kill "$pid"; wait "$pid" 2>/dev/null || true
rm look.html

# A missing page: the main window comes up and the error box says so, as "Öffnen" would. The
# info window is named tagschmied too, but it is no dialog.
error_box_shown() {
  local w
  for w in $(xdotool search --onlyvisible --name '^tagschmied$' 2>/dev/null); do
    xprop -id "$w" _NET_WM_WINDOW_TYPE | grep -q DIALOG && return 0
  done
  return 1
}
"$program" fehlt.html &
pid=$!
wait_for_window '^Tagschmied 2\.0$'
for _ in $(seq 100); do error_box_shown && break; sleep 0.1; done
error_box_shown || fail "no error box for the missing page"
[ ! -e look.html ] || fail "a missing page changed the document"
echo ok
