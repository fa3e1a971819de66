# Sourced by the Windows test scripts: wine settings and a prefix ready for GUI tests.
#   hs_wine_env             exports the settings of the 64-bit wine
#   hs_wine_prefix          creates the prefix (once): fonts, no window manager
#   hs_wine <exe> [args]    runs a Windows program
# Only the 64-bit build is run: wine's 32-bit loader is a 32-bit Linux program, and the build
# hosts cannot run those.

hs_wine_env() {
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  HS_WINE_BITS=64
  export WINEARCH=win64
  HS_WINE=/usr/lib/wine/wine64
  HS_WINESERVER=/usr/lib/wine/wineserver64
  export WINELOADER=$HS_WINE
  export WINESERVER=$HS_WINESERVER
  export WINEPREFIX=${WINEPREFIX:-$PWD/build/wine-prefix-$HS_WINE_BITS}
  export HS_WINE HS_WINESERVER HS_WINE_BITS
}

hs_wine() {
  "$HS_WINE" "$@"
}

hs_wine_prefix() {
  if [ -f "$WINEPREFIX/.hs-ready" ]; then
    return 0
  fi
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  xvfb-run -a "$HS_WINE" wineboot -i >/dev/null 2>&1 || true
  "$HS_WINESERVER" -w
  [ -f "$WINEPREFIX/system.reg" ] || { echo "wine prefix was not created" >&2; return 1; }
  # Wine's own fonts are not found by default: the dialog faces would fall back to others.
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  # No window manager under Xvfb: wine draws the frames itself.
  "$HS_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null
  "$HS_WINESERVER" -w
  touch "$WINEPREFIX/.hs-ready"
}
