#!/usr/bin/env bash
# Test of the 64-bit setup program under wine: a silent install as the wine user, the installed
# program started from its Start menu shortcut, a language picked in its settings panel with the
# mouse and the keyboard (the pick must land in %APPDATA%\herosheet\config.ini), then a silent
# uninstall that must leave no installed file, no shortcut and no uninstall key, but the settings.
#   tools/windows/installer-test.sh <herosheet-...-win64-setup.exe> <work folder>
# Runs its own Xvfb. Needs the wine prefix of wine-env.sh; removes an earlier installation's
# settings from it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
setup=$(realpath "$1")
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
# Shortcuts made under wine would otherwise become desktop entries of the host.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
trace=$work/trace.txt

fail() {
  echo "installer test failed: $*" >&2
  if [ -f "$trace" ]; then
    echo "--- trace (last lines)" >&2
    tail -n 20 "$trace" >&2
  fi
  "$HS_WINESERVER" -k 2>/dev/null || true
  exit 1
}
wait_trace() {
  local i
  for ((i = 0; i < $2 * 10; i++)); do
    grep -qE "$1" "$trace" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}
# The centre of the window whose layout line matches the regular expression $1.
centre_of() {
  awk -v k="$1" '$0 ~ k { print int(($4 + $6) / 2), int(($5 + $7) / 2); exit }' "$trace"
}
win_var() { "$HS_WINE" cmd /c echo "%$1%" | tr -d '\r'; }
unix_path() { "$HS_WINE" winepath -u "$1" | tr -d '\r'; }
uninstall_key() { "$HS_WINE" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\HeroSheet' 2>/dev/null | tr -d '\r'; }

"$HS_WINESERVER" -p 2>/dev/null || true  # one may run already
local_data=$(unix_path "$(win_var LOCALAPPDATA)")
roaming=$(unix_path "$(win_var APPDATA)")
[ -d "$local_data" ] && [ -d "$roaming" ] || fail "no profile folders in the wine prefix"
inst="$local_data/Programs/Hero Sheet"
settings=$roaming/herosheet
shortcut="$roaming/Microsoft/Windows/Start Menu/Programs/Hero Sheet.lnk"
[ ! -e "$inst" ] || fail "an earlier installation is in $inst"
rm -rf "$settings"

# Install: every file where it belongs, the shortcut, the uninstall entry.
"$HS_WINE" "$setup" /S || fail "the setup program ended with an error"
expected=$(printf '%s\n' herosheet.exe choice.ini array.ini LICENSE.txt uninstall.exe \
  share/config.ini $(cd "$here/../../data" && ls *.lng | sed 's|^|share/|') | sort)
found=$(cd "$inst" && find . -type f | sed 's|^\./||' | sort)
[ "$found" = "$expected" ] || fail "installed files: $(echo $found), expected: $(echo $expected)"
[ -f "$shortcut" ] || fail "no Start menu shortcut"
key=$(uninstall_key) || fail "no uninstall key"
for v in DisplayName DisplayVersion Publisher DisplayIcon EstimatedSize UninstallString; do
  grep -qE "^ +$v +REG_" <<<"$key" || fail "the uninstall key lacks $v: $key"
done
grep -qE 'DisplayIcon +REG_SZ +C:\\.*\\Hero Sheet\\herosheet.exe,0$' <<<"$key" || fail "DisplayIcon: $key"
size=$(awk '$1 == "EstimatedSize" { print $3 }' <<<"$key")
size=$((size))
((size >= 100)) || fail "EstimatedSize is $size KB"
echo "installed into $inst ($size KB)"

# Start it from the shortcut: captions from the installed language files, answers from the
# sample data of its "Start in" folder.
HS_WIN32_TRACE=$("$HS_WINE" winepath -w "$trace" | tr -d '\r') \
  HS_WIN32_CLOSE=$("$HS_WINE" winepath -w "$work/close.flag" | tr -d '\r') \
  "$HS_WINE" start /wait "$("$HS_WINE" winepath -w "$shortcut" | tr -d '\r')" &
pid=$!
wait_trace '^form F1 show 1' 30 || fail "the installed program showed no window"
# The trace lists the shown window's controls after its show line: wait for the answers.
wait_trace '^radio F1\.[0-9]+\.[0-9]+ at ' 10 || fail "no answers: the sample data was not found"
read -r x y < <(centre_of '^label F1[.0-9]* at .* "Settings"$')
[ -n "$x" ] || fail "no \"Settings\" label: the language file was not read"
sleep 1

# The settings panel: click "Settings", then open the language box and pick "ru" by keyboard.
xdotool mousemove "$x" "$y"
sleep 0.3
xdotool click 1
wait_trace '^combo F1[.0-9]* at ' 5 || fail "the settings panel did not open"
read -r x y < <(centre_of '^combo F1[.0-9]* at ')
xdotool mousemove "$x" "$y"
sleep 0.3
xdotool click 1
sleep 0.5
xdotool key r
sleep 0.3
xdotool key Return
for ((i = 0; i < 50; i++)); do
  tr -d '\r' < "$settings/config.ini" 2>/dev/null | grep -qx 'language=ru' && break
  sleep 0.1
done
tr -d '\r' < "$settings/config.ini" 2>/dev/null | grep -qx 'language=ru' ||
  fail "the pick did not reach $settings/config.ini"

# Close: the placement goes to the same file.
touch "$work/close.flag"
# "start /wait" on a shortcut does not wait for the program: watch for its process instead.
for ((i = 0; i < 100; i++)); do
  pgrep -f 'herosheet\.exe' >/dev/null || break
  sleep 0.1
done
pgrep -f 'herosheet\.exe' >/dev/null && fail "the program did not end after closing its window"
wait "$pid" || fail "the program ended with an error"
for k in language=ru Left= Top= Width= Height=; do
  tr -d '\r' < "$settings/config.ini" | grep -q "^$k" || fail "config.ini lacks $k: $(cat "$settings/config.ini")"
done
cmp -s "$inst/share/config.ini" "$here/../../data/config.ini" || fail "the shipped config.ini was changed"
echo "settings kept in $settings"

# Uninstall: it runs from a copy in the temporary folder, so wait for the folder to go.
"$HS_WINE" "$inst/uninstall.exe" /S || fail "the uninstaller ended with an error"
for ((i = 0; i < 150 && ${#found} > 0; i++)); do
  found=$(find "$inst" 2>/dev/null || true)
  [ -z "$found" ] || sleep 0.2
done
[ -z "$found" ] || fail "left after uninstalling: $found"
[ ! -e "$shortcut" ] || fail "the Start menu shortcut is left"
if key=$(uninstall_key); then fail "the uninstall key is left: $key"; fi
tr -d '\r' < "$settings/config.ini" | grep -qx 'language=ru' || fail "the settings were removed"
"$HS_WINESERVER" -k 2>/dev/null || true
"$HS_WINESERVER" -w
echo "installer test passed: silent install, shortcut, uninstall entry, settings in the profile, clean uninstall"
