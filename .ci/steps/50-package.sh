#!/usr/bin/env bash
# The Debian package: built with CPack from the GCC Release build of the release stage, checked
# (desktop entry, AppStream metainfo), installed on this machine, run as an unprivileged user
# with a fresh home (language pick stored in ~/.config/herosheet, the installed language files
# listed and used, the desktop program's first frame rendered offscreen), then purged, leaving
# no file behind.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
start=$SECONDS

sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
packages=(cmake make g++ libgtest-dev libgmock-dev qt6-base-dev dpkg-dev file
          desktop-file-utils appstream imagemagick lintian)
source .ci/lib.sh
hs_install_missing "${packages[@]}"

fail() {
  echo "package stage failed: $*" >&2
  exit 1
}

# As a packager builds it: the release stage's plain configure (made here when missing), whose
# prefix (/usr/local) the package must not use.
build=build/ci-release-gcc
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
    -DHS_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" -j2 >/dev/null
rm -f "$build"/herosheet_*.deb
(cd "$build" && cpack -G DEB --config CPackConfig.cmake >/dev/null)
deb=$(ls "$PWD/$build"/herosheet_*.deb)
echo "built ${deb##*/} ($((SECONDS - start)) s)"
dpkg-deb -f "$deb" Depends
# Debian's own checks: no error (the warnings are printed).
lintian_user=()
[[ $(id -u) -ne 0 ]] || lintian_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME=/tmp)
chmod a+r "$deb"
"${lintian_user[@]}" lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports errors"

# What the package holds, checked before it is installed.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
for f in usr/bin/herosheet usr/bin/herosheet-sim usr/share/herosheet/choice.ini \
  usr/share/herosheet/array.ini usr/share/herosheet/config.ini usr/share/herosheet/en.lng \
  usr/share/herosheet/ru.lng usr/share/icons/hicolor/scalable/apps/herosheet.svg \
  usr/share/icons/hicolor/48x48/apps/herosheet.png usr/share/icons/hicolor/128x128/apps/herosheet.png \
  usr/share/icons/hicolor/256x256/apps/herosheet.png usr/share/man/man1/herosheet.1.gz \
  usr/share/man/man1/herosheet-sim.1.gz usr/share/doc/herosheet/copyright \
  usr/share/doc/herosheet/changelog.gz; do
  [ -f "$work/root/$f" ] || fail "the package lacks /$f"
done
[ -z "$(dpkg-deb -c "$deb" | grep -v ' \./usr/')" ] || fail "the package installs outside /usr"
desktop=$(ls "$work"/root/usr/share/applications/*.desktop)
desktop-file-validate "$desktop" || fail "the desktop entry does not validate"
grep -qx 'Path=/usr/share/herosheet' "$desktop" || fail "the desktop entry starts elsewhere: $(grep Path "$desktop")"
appstreamcli validate --no-net --pedantic "$work"/root/usr/share/metainfo/*.metainfo.xml ||
  fail "the AppStream metainfo does not validate"
for program in herosheet herosheet-sim; do
  file "$work/root/usr/bin/$program" | grep -q ', stripped' || fail "$program is not stripped"
done
if [ -e "$work/root/usr/bin/config.ini" ] || ls "$work"/root/usr/bin/*.lng >/dev/null 2>&1; then
  fail "the installed bin folder would make the program portable"
fi

"${sudo_cmd[@]}" apt-get install -y -qq -o DPkg::Lock::Timeout=600 "$deb" >/dev/null
echo "installed ($((SECONDS - start)) s)"

# A user of its own: nobody when this runs as root, with a fresh home and a copy of the data.
home=$work/home
run=$work/run
mkdir -p "$home" "$run"
cp /usr/share/herosheet/choice.ini /usr/share/herosheet/array.ini "$run/"
as_user=(env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8)
if [[ $(id -u) -eq 0 ]]; then
  chmod 755 "$work"
  chown -R nobody:nogroup "$home" "$run"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups "${as_user[@]}")
fi
sim() { (cd "$run" && "${as_user[@]}" /usr/bin/herosheet-sim); }

# First start: the shipped language (en), the installed languages listed, a pick of ru.
out=$(printf 'click settings\ndump\npick panel.language ru\nquit\n' | sim)
grep -qP '^settings\tSettings\t' <<<"$out" || fail "the shipped language was not used: $out"
items=$(grep -P '^panel\.language\t' <<<"$out" | grep -oP 'items=\S*')
for lang in en ru; do
  grep -qP "(=|\|)$lang(\||$)" <<<"$items" || fail "the language list lacks $lang: $items"
done
config=$home/.config/herosheet/config.ini
[ -f "$config" ] || fail "no $config after the pick"
tr -d '\r' <"$config" | grep -qx 'language=ru' || fail "config.ini lacks the pick: $(cat "$config")"
# Next start: the pick is in use.
ru_settings=$(grep '^btn_settings|' /usr/share/herosheet/ru.lng | cut -d'|' -f2 | tr -d '\r')
out=$(printf 'dump\nquit\n' | sim)
grep -qP "^settings\t$ru_settings\t" <<<"$out" || fail "the picked language was not used: $out"
echo "herosheet-sim kept its settings in ~/.config/herosheet ($((SECONDS - start)) s)"

# The desktop program's first frame, drawn without a display: Qt's minimal platform, asked to
# debug its backing store, saves every frame it would show as outputNNNN.png in the current
# folder.
(cd "$run" && exec timeout 30 "${as_user[@]}" QT_QPA_PLATFORM=minimal QT_DEBUG_BACKINGSTORE=1 \
  /usr/bin/herosheet) >"$work/herosheet.log" 2>&1 &
pid=$!
for _ in $(seq 100); do
  [ -s "$run/output0000.png" ] && break
  sleep 0.2
done
sleep 1
kill "$pid" 2>/dev/null || true
wait "$pid" || true
frame=$run/output0000.png
[ -s "$frame" ] || fail "herosheet showed no frame: $(head -c 2000 "$work/herosheet.log")"
size=$(identify -format '%w %h' "$frame")
colours=$(identify -format '%k' "$frame")
echo "first frame: $size, $colours colours"
read -r w h <<<"$size"
((w >= 500 && h >= 400 && colours > 8)) || fail "the first frame looks empty ($size, $colours colours)"

# Removal leaves nothing of the package.
mapfile -t files < <(dpkg -L herosheet | while read -r f; do [ -d "$f" ] || echo "$f"; done)
"${sudo_cmd[@]}" apt-get purge -y -qq -o DPkg::Lock::Timeout=600 herosheet >/dev/null
for f in "${files[@]}"; do
  [ ! -e "$f" ] || fail "$f is left after removal"
done
[ ! -e /usr/share/herosheet ] || fail "/usr/share/herosheet is left after removal"
echo "=== package stage passed: ${#files[@]} files installed and removed ($((SECONDS - start)) s)"
