#!/usr/bin/env bash
# Fails when a source file includes a header from a layer above its own. Layers, lowest first:
#   0 runtime/, platform/   1 elements/   2 ui/ (the window layer)   3 controls/   4 scheme/
#   5 app/
# A file may include its own layer and those below. The backends, ui/backends/<name>/, stand
# on the window layer: a backend includes ui/ and below and its own folder, and only app/
# includes a backend (it chooses which one runs). Files outside these folders (tests, fuzz,
# bench) are not checked. Includes with ".." are refused.
#
#   tools/check-layers.sh [root]     checks the tree at root (default: this checkout)
#   tools/check-layers.sh --self-test
set -euo pipefail

app_layer=5

# Sets layer to the layer of a path and owner to its backend folder (both empty when there is
# none; "." for a file of ui/backends/ itself). No subshells: the check runs this for every
# include of the tree.
layer_of() {
  layer='' owner=''
  case $1 in
    runtime/* | platform/*) layer=0 ;;
    elements/*) layer=1 ;;
    ui/backends/*/*)
      layer=2
      owner=${1#ui/backends/}
      owner=${owner%%/*}
      ;;
    ui/backends/*) layer=2 owner=. ;;
    ui/*) layer=2 ;;
    controls/*) layer=3 ;;
    scheme/*) layer=4 ;;
    app/*) layer=$app_layer ;;
  esac
}

# Prints one line per upward include under root; fails when there is any.
check() {
  local root=$1 bad=0 file line text inc from from_owner
  local re='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]*)[>"]'
  cd "$root"
  while IFS= read -r file; do
    layer_of "$file"
    from=$layer from_owner=$owner
    while IFS=: read -r line text; do
      [[ $text =~ $re ]] || continue
      inc=${BASH_REMATCH[1]}
      if [[ $inc == *..* ]]; then
        echo "$file:$line: includes $inc: name headers from the top of the tree" >&2
        bad=1
        continue
      fi
      layer_of "$inc"
      [ -n "$layer" ] || continue
      if [ "$layer" -gt "$from" ]; then
        echo "$file:$line: includes $inc from a layer above its own" >&2
        bad=1
      elif [ -n "$owner" ] && [ "$owner" != "$from_owner" ] && [ "$from" != "$app_layer" ]; then
        echo "$file:$line: includes $inc: a backend is included only by app/ and itself" >&2
        bad=1
      fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "$file" || true)
  done < <(find runtime platform elements ui controls scheme app -type f \
    \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null | sort)
  return $bad
}

# Each case: a file, what it includes, and whether the check must pass or fail on it.
self_test() {
  local cases=(
    "platform/os.cpp|runtime/data.h|pass"
    "runtime/flow.cpp|elements/strlist.h|fail"
    "platform/os.cpp|ui/control.h|fail"
    "elements/ini.cpp|runtime/data.h|pass"
    "elements/ini.cpp|ui/control.h|fail"
    "elements/ini.h|<controls/win.h>|fail"
    "ui/control.cpp|elements/ini.h|pass"
    "ui/control.cpp|ui/backends/headless/backend_headless.h|fail"
    "ui/backend.cpp|ui/backends/headless/backend_headless.h|fail"
    "ui/backend.cpp|ui/backends/qt/backend_qt.h|fail"
    "ui/control.cpp|controls/app.h|fail"
    "ui/backends/qt/backend_qt.cpp|ui/control.h|pass"
    "ui/backends/qt/backend_qt.cpp|elements/ini.h|pass"
    "ui/backends/qt/backend_qt.cpp|ui/backends/qt/backend_qt.h|pass"
    "ui/backends/qt/backend_qt.cpp|ui/backends/headless/simulator.h|fail"
    "ui/backends/qt/backend_qt.cpp|ui/backends/list.h|fail"
    "ui/backends/win32/backend_win32.cpp|controls/win.h|fail"
    "ui/backends/web/backend_web.cpp|scheme/build.h|fail"
    "ui/backends/web/web_css.cpp|app/entry.h|fail"
    "controls/win.cpp|ui/control.h|pass"
    "controls/win.cpp|ui/backends/headless/simulator.h|fail"
    "controls/win.cpp|scheme/build.h|fail"
    "controls/win.cpp|app/entry.h|fail"
    "scheme/build.cpp|controls/win.h|pass"
    "scheme/build.cpp|ui/backends/qt/backend_qt.h|fail"
    "scheme/build.cpp|app/entry.h|fail"
    "scheme/build.cpp|../app/entry.h|fail"
    "app/entry.cpp|scheme/main_form.h|pass"
    "app/entry.cpp|build.h|pass"
    "app/x.cpp|ui/backends/web/backend_web.h|pass"
    "app/sheet_runner.cpp|<ui/backends/headless/simulator.h>|pass"
    "tests/ui/control_test.cpp|app/entry.h|pass"
    "tests/app/startup_test.cpp|ui/backends/headless/simulator.h|pass"
  )
  local tmp c file inc want got failed=0
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' RETURN
  for c in "${cases[@]}"; do
    IFS='|' read -r file inc want <<<"$c"
    rm -rf "${tmp:?}"/*
    mkdir -p "$tmp/$(dirname "$file")"
    [[ $inc == \<* ]] || inc="\"$inc\""
    printf '// case\n#include <string>\n  #  include %s\n' "$inc" >"$tmp/$file"
    if (check "$tmp") 2>/dev/null; then got=pass; else got=fail; fi
    if [ "$got" != "$want" ]; then
      echo "self-test: $file including $inc should $want the check" >&2
      failed=1
    fi
  done
  [ "$failed" = 0 ] && echo "layer check self-test: ${#cases[@]} cases passed"
  return $failed
}

if [ "${1:-}" = --self-test ]; then
  self_test
else
  root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
  check "$root" && echo "layers: no include runs upward"
fi
