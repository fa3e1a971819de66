#!/usr/bin/env bash
# GUI test of herosheet.exe under wine: hover and click answers with xdotool, check the effects
# in the program's test trace and on a screenshot, Ctrl+V and Ctrl+C through the X clipboard
# (xclip), close it, check the saved placement.
#   tools/windows/gui-test.sh <folder holding herosheet.exe> <work folder>
# Runs its own Xvfb. Needs the wine prefix of wine-env.sh.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$1" && pwd)
work=$2
rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd)
if [ -z "${HS_GUI_INNER:-}" ]; then
  export HS_GUI_INNER=1
  exec xvfb-run -a -s "-screen 0 800x600x24" "$0" "$@"
fi
source "$here/wine-env.sh"
hs_wine_env

app=$work/app
mkdir -p "$app"
cp "$src/herosheet.exe" "$app/"
cp "$src"/*.ini "$src"/*.lng "$app/"
# A first placement to restore; the program must keep it and write it back on close.
printf '[main]\r\nlanguage=en\r\nLeft=40\r\nTop=30\r\n' > "$app/config.ini"

fail() {
  echo "GUI test failed: $*" >&2
  echo "--- trace (last lines)" >&2
  tail -n 30 "$app/trace.txt" >&2 || true
  "$HS_WINESERVER" -k 2>/dev/null || true
  exit 1
}
# Waits up to $2 seconds for a line matching the regular expression $1 in the trace.
wait_trace() {
  local i
  for ((i = 0; i < $2 * 10; i++)); do
    grep -qE "$1" "$app/trace.txt" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}
# The centre of the window whose layout line matches $1 (kind and path, such as "radio F1.12.3").
centre_of() {
  awk -v k="$1" '$0 ~ "^" k " at " { print int(($4 + $6) / 2), int(($5 + $7) / 2); exit }' \
    "$app/trace.txt"
}
# Waits up to $3 seconds for a line matching $2 after line $1 of the trace.
wait_since() {
  local i
  for ((i = 0; i < $3 * 10; i++)); do
    tail -n "+$(($1 + 1))" "$app/trace.txt" | grep -qE "$2" && return 0
    sleep 0.1
  done
  return 1
}
# Lines of the trace after line $1.
since() { tail -n "+$(($1 + 1))" "$app/trace.txt"; }
lines() { wc -l < "$app/trace.txt"; }

"$HS_WINESERVER" -p  # one server for the whole test: quick starts
cd "$app"

# "/ih": only the credit box, no window of the program; its OK button ends the process.
HS_WIN32_TRACE=ih-trace.txt "$HS_WINE" ./herosheet.exe /ih &
pid=$!
box=""
for ((i = 0; i < 150 && ${#box} == 0; i++)); do
  box=$(xdotool search --name '^About$' 2>/dev/null | head -n 1) || true
  [ -n "$box" ] || sleep 0.2
done
[ -n "$box" ] || fail "no credit box for /ih"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$box")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 22)) click 1
for ((i = 0; i < 100; i++)); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the credit box's OK did not end the program"
wait "$pid" || fail "/ih ended with an error"
[ ! -e ih-trace.txt ] || fail "/ih made windows"

HS_WIN32_TRACE=trace.txt HS_WIN32_CLOSE=close.flag "$HS_WINE" ./herosheet.exe &
pid=$!
wait_trace '^form F1 show 1' 30 || fail "the main window was not shown"
wait_trace '^form F1 bounds 40 30 ' 5 || fail "the placement from config.ini was not restored"
sleep 1

# Right-aligned labels ending in a glyph that inks past its advance ("w"): on screen their ink
# covers exactly the columns the trace says (extent plus the glyph boxes), inside the label.
import -window root "$work/start.png"
for text in "Power throw" "Power draw"; do
  read -r name l t r b < <(awk -v s="\"$text\"" '$1 == "label" && $3 == "at" && index($0, s) {
    print $2, $4, $5, $6, $7; exit }' trace.txt)
  [ -n "$name" ] || fail "no label \"$text\""
  read -r inkl inkr < <(awk -v n="$name" '$1 == "label" && $2 == n && $3 == "extent" { print $9, $10; exit }' trace.txt)
  ((inkr <= r - l - 1)) || fail "\"$text\": the trace puts ink at column $inkr of $((r - l))"
  read -r seenl seenr < <(convert "$work/start.png" -crop "$((r - l))x$((b - t))+$l+$t" +repage \
    -threshold 50% txt:- | awk -F'[,: ]+' '/#000000|black/ { if (lo == "" || $1 < lo) lo = $1;
    if ($1 > hi) hi = $1 } END { print lo, hi }')
  [ "$seenl $seenr" = "$inkl $inkr" ] ||
    fail "\"$text\": ink on screen at columns $seenl..$seenr, the extent says $inkl..$inkr"
done

# The answers of the first question: the radio buttons of the first group box holding radios.
first=$(awk '/^radio F1\.[0-9]+\.[0-9]+ at / { split($2, p, "."); print p[1] "." p[2]; exit }' trace.txt)
[ -n "$first" ] || fail "no answer buttons in the layout"
mapfile -t answers < <(awk -v g="$first" '$1 == "radio" && index($2, g ".") == 1 && $3 == "at" { print $2 }' trace.txt)
((${#answers[@]} >= 3)) || fail "question 1 shows ${#answers[@]} answers"

# Hover over the second answer: its caption turns bold, and result rows are highlighted.
mark=$(lines)
read -r x y < <(centre_of "radio ${answers[1]}")
xdotool mousemove "$x" "$y"
sleep 0.3
xdotool mousemove $((x + 2)) "$y"
wait_trace "^radio ${answers[1]} font \"[^\"]*\" [0-9]+ 1 " 5 || fail "hovered answer not bold"
since "$mark" | grep -qE '^label F1\.[0-9]+\.[0-9]+ font "[^"]*" [0-9]+ 1 ' ||
  fail "hover highlighted no result row"

# Click it: the button is checked, the others of its group are not, and totals change.
mark=$(lines)
xdotool click 1
wait_trace "^radio ${answers[1]} check 1" 5 || fail "clicked answer not checked"
since "$mark" | grep -q "^radio ${answers[0]} check 0" || fail "first answer still checked"
since "$mark" | grep -qE '^label F1\.[0-9]+\.[0-9]+ text "[0-9]+"' || fail "no total changed"

# Click the third answer as well.
mark=$(lines)
read -r x y < <(centre_of "radio ${answers[2]}")
xdotool mousemove "$x" "$y"
sleep 0.6
xdotool click 1
wait_trace "^radio ${answers[2]} check 1" 5 || fail "third answer not checked"
since "$mark" | grep -q "^radio ${answers[1]} check 0" || fail "second answer still checked"

# The screen: the hovered "Clear" label turns green.
read -r x y < <(centre_of 'label F1.1')
[ -n "$x" ] || fail "no Clear label"
xdotool mousemove "$x" "$y"
wait_trace '^label F1.1 font "[^"]*" [0-9]+ [0-9]+ 008000' 5 || fail "Clear label not green on hover"
sleep 0.5
import -window root "$work/screen.png"
geom=$(awk '$1 == "label" && $2 == "F1.1" && $3 == "at" { print ($6 - $4) "x" ($7 - $5) "+" $4 "+" $5; exit }' trace.txt)
green=$(convert "$work/screen.png" -crop "$geom" +repage -fill black +opaque 'rgb(0,128,0)' \
  -fill white -opaque 'rgb(0,128,0)' -format '%[fx:int(mean*w*h)]' info:)
((green >= 10)) || fail "no green text in the Clear label on screen ($green pixels)"

# The warning tip of the skills box: its six lines stay six lines. Windows shows a tip without a
# maximum width as one line (wine breaks it all the same): the tip must have one. On screen, rows
# of ink inside its frame: the title and the six lines.
read -r x y < <(awk '$1 == "label" && $3 == "at" && index($0, "\"(!!!)\"") {
  print int(($4 + $6) / 2), int(($5 + $7) / 2); exit }' trace.txt)
[ -n "$x" ] || fail "no warning label"
mark=$(lines)
xdotool mousemove "$x" "$y"
sleep 0.3
xdotool mousemove $((x + 1)) "$y"
wait_since "$mark" '^tip F1(\.[0-9]+)+ shown at ' 5 || fail "the warning tip was not shown"
read -r l t r b max < <(since "$mark" | awk '$1 == "tip" && $3 == "shown" { print $5, $6, $7, $8, $10 }' |
  tail -n 1)
((max > 0)) || fail "the warning tip has no maximum width ($max): Windows shows it as one line"
sleep 0.5
import -window root "$work/tip.png"
bands=$(convert "$work/tip.png" -crop "$((r - l - 6))x$((b - t - 6))+$((l + 3))+$((t + 3))" +repage \
  -colorspace gray -threshold 50% -scale "1x$((b - t - 6))!" txt:- | awk -F'[,: ]+' '
  /^[0-9]/ { ink = $0 !~ /\(255\)|#FFFFFF|white/; if (ink && !was) n++; was = ink } END { print n + 0 }')
((bands >= 7 && r - l < 400)) ||
  fail "the warning tip is $((r - l))x$((b - t)) px with $bands rows of text, not a title and six lines"
xdotool mousemove 5 5

# The keyboard: the clicked third answer has the focus; Up moves it to the second answer, which
# previews (bold) as under the mouse; Space chooses it; Tab goes on to the next question.
mark=$(lines)
xdotool key Up
wait_since "$mark" "^radio ${answers[1]} focus" 5 || fail "Up did not focus the second answer"
wait_since "$mark" "^radio ${answers[1]} font \"[^\"]*\" [0-9]+ 1 " 5 || fail "focused answer not bold"
xdotool key space
wait_since "$mark" "^radio ${answers[1]} check 1" 5 || fail "Space did not choose the focused answer"
since "$mark" | grep -q "^radio ${answers[2]} check 0" || fail "third answer still checked"
tabmark=$(lines)
xdotool key Tab
wait_since "$tabmark" "^radio F1\.[0-9]+\.[0-9]+ focus" 5 || fail "no focus after Tab"
since "$tabmark" | grep -E "^radio F1\.[0-9]+\.[0-9]+ focus" | tail -n 1 | grep -qv "^radio $first\." ||
  fail "Tab stayed in the first question"

# The clipboard: Ctrl+V with an address on the X clipboard opens its answers, Ctrl+C puts the
# sheet's text there, byte for byte the text of every other build (line ends as LF on X).
expected=$here/../../tests/support/sheet_text/en-1.3.2.5.4.txt
printf 'https://example.org/herosheet.html#a=1.3.2.5.4' | xclip -selection clipboard
sleep 0.5
mark=$(lines)
xdotool key ctrl+v
wait_since "$mark" '^radio F1\.[0-9]+\.[0-9]+ check 1' 5 || fail "Ctrl+V checked no answer"
sleep 0.5
printf 'nothing' | xclip -selection clipboard
xdotool key ctrl+c
copied=""
for ((i = 0; i < 50; i++)); do
  copied=$(xclip -selection clipboard -o 2>/dev/null | od -An -tx1) || true
  [ "$copied" = "$(od -An -tx1 < "$expected")" ] && break
  sleep 0.1
done
[ "$copied" = "$(od -An -tx1 < "$expected")" ] ||
  fail "Ctrl+C gave another text: $(xclip -selection clipboard -o 2>/dev/null | head -c 300)"

# Close as the close box would; the placement goes to config.ini beside the program.
touch close.flag
for ((i = 0; i < 100; i++)); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after closing its window"
wait "$pid" || fail "the program ended with an error"
grep -q '^form F1 close asked' trace.txt || fail "no close"
for kv in Left=40 Top=30 Width=555 Height=445 language=en; do
  tr -d '\r' < config.ini | grep -qx "$kv" || fail "config.ini lacks $kv: $(cat config.ini)"
done
"$HS_WINESERVER" -k 2>/dev/null || true
"$HS_WINESERVER" -w
echo "GUI test passed: credit box, right-aligned ink, hover, six-line tip, clicks, keyboard, clipboard, screen colours, close and placement"
