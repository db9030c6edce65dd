#!/usr/bin/env bash
# The one-way rule of src/: app -> gui -> core, cli -> core. Names every
# include that breaks it and fails if there is one:
#   core includes no Qt header and nothing of gui/, app/ or cli/;
#   gui includes nothing of app/ or cli/; cli includes nothing of gui/ or app/.
cd "$(dirname "$0")/.." || exit 2
broken=$(
  grep -rnE '^\s*#\s*include\s*[<"](Q|core/|gui/|app/|cli/)' src --include='*.h' --include='*.cpp' |
    awk -F: '
      { file = $1; inc = $0; sub(/^[^:]*:[^:]*:/, "", inc)
        match(inc, /[<"][^>"]*/); name = substr(inc, RSTART + 1, RLENGTH - 1) }
      file ~ /^src\/core\// && name ~ /^(Q|gui\/|app\/|cli\/)/ { print; next }
      file ~ /^src\/gui\// && name ~ /^(app\/|cli\/)/ { print; next }
      file ~ /^src\/cli\// && name ~ /^(Q|gui\/|app\/)/ { print; next }')
if [ -n "$broken" ]; then
  echo "$broken"
  echo "check-includes: these includes run against app -> gui -> core, cli -> core" >&2
  exit 1
fi
