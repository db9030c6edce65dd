#!/usr/bin/env bash
# The one-way rule of src/: app -> gui -> core, cli -> core. Names every
# include that breaks it and fails if there is one:
#   core includes no Qt header and nothing of gui/, app/ or cli/;
#   gui includes nothing of app/ or cli/; cli includes nothing of gui/ or app/.
# Two layers sit below the others of their wing, and include nothing above:
#   gui/platform/ (the environment layer) includes no other gui/ subsystem;
#   core/card_data/ (the card data layer) includes no other core/ subsystem.
#
#   tools/check-includes.sh [--self-test]
# The self-test plants a breaking include of every kind in a scratch tree and
# fails unless each one is named, and nothing that keeps the rules is.
cd "$(dirname "$0")/.." || exit 2

# Prints every breaking include under ./src, one "file:line:include" a line,
# the one-way breaks first under "direction", then the layer breaks.
broken_includes() {
  grep -rnE '^\s*#\s*include\s*[<"](Q|core/|gui/|app/|cli/)' src --include='*.h' --include='*.cpp' |
    awk -F: '
      { file = $1; inc = $0; sub(/^[^:]*:[^:]*:/, "", inc)
        match(inc, /[<"][^>"]*/); name = substr(inc, RSTART + 1, RLENGTH - 1) }
      file ~ /^src\/core\// && name ~ /^(Q|gui\/|app\/|cli\/)/ { print "direction", $0; next }
      file ~ /^src\/gui\// && name ~ /^(app\/|cli\/)/ { print "direction", $0; next }
      file ~ /^src\/cli\// && name ~ /^(Q|gui\/|app\/)/ { print "direction", $0; next }
      file ~ /^src\/gui\/platform\// && name ~ /^gui\// && name !~ /^gui\/platform\// {
        print "layer", $0; next }
      file ~ /^src\/core\/card_data\// && name ~ /^core\// && name !~ /^core\/card_data\// {
        print "layer", $0; next }'
}

self_test() {
  local tree failures=0 found
  tree=$(mktemp -d) || return 2
  mkdir -p "$tree"/src/{core/card_data,core/odds,gui/platform,gui/odds,app,cli}
  # Each planted file: its path, the include it holds, and whether it breaks.
  local cases=(
    "core/odds/a.cpp|<QString>|direction"
    "core/odds/b.cpp|\"gui/odds/x.h\"|direction"
    "gui/odds/c.cpp|\"app/application.h\"|direction"
    "cli/d.cpp|\"gui/odds/x.h\"|direction"
    "gui/platform/e.cpp|\"gui/odds/x.h\"|layer"
    "gui/platform/f.h|\"gui/main_window/x.h\"|layer"
    "core/card_data/g.cpp|\"core/odds/x.h\"|layer"
    "core/card_data/h.h|\"core/analysis/x.h\"|layer"
    "gui/platform/i.cpp|\"gui/platform/x.h\"|keeps"
    "gui/platform/j.cpp|\"core/odds/x.h\"|keeps"
    "core/card_data/k.cpp|\"core/card_data/x.h\"|keeps"
    "core/odds/l.cpp|\"core/card_data/x.h\"|keeps"
    "gui/odds/m.cpp|\"gui/platform/x.h\"|keeps"
    "app/n.cpp|\"gui/odds/x.h\"|keeps"
  )
  local c path inc kind
  for c in "${cases[@]}"; do
    IFS='|' read -r path inc kind <<<"$c"
    printf '#include %s\n' "$inc" >"$tree/src/$path"
  done
  found=$(cd "$tree" && broken_includes)
  for c in "${cases[@]}"; do
    IFS='|' read -r path inc kind <<<"$c"
    local line
    line=$(grep -F " src/$path:" <<<"$found")
    if [ "$kind" = keeps ] && [ -n "$line" ]; then
      echo "FAIL: src/$path ($inc) keeps the rules but was named"
      failures=$((failures + 1))
    elif [ "$kind" != keeps ] && [ "${line%% *}" != "$kind" ]; then
      echo "FAIL: src/$path ($inc) should be named as a $kind break, got: ${line:-nothing}"
      failures=$((failures + 1))
    fi
  done
  rm -rf "$tree"
  echo "self-test: $failures failure(s)"
  [ "$failures" -eq 0 ]
}

if [ "$1" = --self-test ]; then
  self_test
  exit
fi

broken=$(broken_includes)
direction=$(sed -n 's/^direction //p' <<<"$broken")
layer=$(sed -n 's/^layer //p' <<<"$broken")
if [ -n "$direction" ]; then
  echo "$direction"
  echo "check-includes: these includes run against app -> gui -> core, cli -> core" >&2
fi
if [ -n "$layer" ]; then
  echo "$layer"
  echo "check-includes: these includes reach above gui/platform or core/card_data" >&2
fi
[ -z "$broken" ]
