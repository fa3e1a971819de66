#!/usr/bin/env bash
# GUI test of the desktop program on a real X server (Xvfb), once with the openbox window manager
# and once without one:
#   - closing without a move leaves config.ini as it was, start after start;
#   - a window moved by the user reopens with its client area exactly where it was;
#   - Ctrl+V opens an address from the X clipboard, Ctrl+C puts the sheet's text there;
#   - "/ih" shows only the credit box, nothing on standard error, and Enter (OK) ends it with 0.
# Usage: tools/linux/gui-test.sh PATH/TO/herosheet   (needs xvfb-run, xauth, xdotool, xclip, openbox)
set -euo pipefail
program=$(realpath "$1")
here=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/herosheet"
cp "$here"/data/choice.ini "$here"/data/array.ini "$here"/data/*.lng "$work/"
cp "$here"/tests/support/sheet_text/en-1.3.2.5.4.txt "$work/sheet-text.txt"

cat >"$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
# Runs inside xvfb-run. $1: "wm" to start openbox first.
set -euo pipefail
cd "$(dirname "$0")"
fail() { echo "FAIL ($MODE): $*" >&2; exit 1; }
MODE=${1:-nowm}
if [ "$MODE" = wm ]; then
  openbox >/dev/null 2>&1 &
  sleep 1
fi
export QT_FONT_DPI=96

pid=""
# Starts the program (extra arguments passed on) and waits for a window named $1.
start() {
  local name=$1; shift
  ./herosheet "$@" >out.log 2>err.log &
  pid=$!
  win=""
  for _ in $(seq 100); do
    win=$(xdotool search --name "^$name\$" 2>/dev/null | head -1 || true)
    [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || fail "no window named $name: $(head -3 err.log)"
  sleep 0.5
}
# Client area position of the window: "X,Y".
where() { xdotool getwindowgeometry "$win" | sed -n 's/.*Position: \([-0-9]*,[-0-9]*\).*/\1/p'; }
# Presses keys on the window and waits for the program to end with status 0.
finish() {
  xdotool windowfocus "$win" 2>/dev/null || true
  xdotool key "$@"
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then kill "$pid"; fail "still running after $*"; fi
  wait "$pid" || fail "exit status $? after $*"
}

cp config.start config.ini
start Quorvant
first=$(where)
finish alt+F4
cp config.ini config.after1
start Quorvant
[ "$(where)" = "$first" ] || fail "reopened at $(where), closed at $first"
finish alt+F4
cmp -s config.after1 config.ini || fail "close without a move changed config.ini: $(tr '\n' ' ' <config.ini)"

start Quorvant
xdotool windowmove "$win" 229 210
sleep 0.5
moved=$(where)
[ "$moved" != "$first" ] || fail "the window did not move"
finish alt+F4
cp config.ini config.moved
start Quorvant
[ "$(where)" = "$moved" ] || fail "moved to $moved, reopened at $(where): $(tr '\n' ' ' <config.ini)"
finish alt+F4
cmp -s config.moved config.ini || fail "the reopened window saved another place"

# The X clipboard: Ctrl+V with an address opens its answers, Ctrl+C gives the shared text.
start Quorvant
printf 'https://example.org/herosheet.html#a=1.3.2.5.4' | xclip -selection clipboard
xdotool windowfocus "$win" 2>/dev/null || true
xdotool key ctrl+v
sleep 0.5
printf 'nothing' | xclip -selection clipboard
xdotool key ctrl+c
copied=""
for _ in $(seq 30); do
  copied=$(xclip -selection clipboard -o 2>/dev/null | od -An -tx1) || true
  [ "$copied" = "$(od -An -tx1 <sheet-text.txt)" ] && break
  sleep 0.1
done
[ "$copied" = "$(od -An -tx1 <sheet-text.txt)" ] ||
  fail "Ctrl+C gave another text: $(xclip -selection clipboard -o 2>/dev/null | head -c 300)"
finish alt+F4

start About /ih
xdotool search --name '^Quorvant$' >/dev/null 2>&1 && fail "/ih built the main window"
finish Return
grep -v '^QStandardPaths' err.log | grep -q . && fail "/ih wrote to standard error: $(cat err.log)"
echo "ok ($MODE): placement kept at $first, moved window back at $moved, clipboard, credit box"
SESSION
chmod +x "$work/session.sh"
printf '[main]\r\nlanguage=en\r\n' >"$work/config.start"

# -noreset: without a window manager the program is often the server's only client, and a
# server that resets when it closes refuses the next start's connection for a moment.
for mode in nowm wm; do
  xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$work/session.sh" "$mode"
done
