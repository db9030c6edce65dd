#!/usr/bin/env bash
# Runs clang-tidy (.clang-tidy's checks) over every source file of src/ against
# a configured build's compile_commands.json, as many files at a time as there
# are cores, and fails on any finding. Headers are checked through the files
# that include them (HeaderFilterRegex), each finding shown once.
#
#   tools/tidy.sh [build-dir]     (default: build, the release preset)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[ -f "$build/compile_commands.json" ] || { echo "tidy: no $build/compile_commands.json; configure first" >&2; exit 2; }
# The generated sources (moc, resources, the embedded pictures) must exist.
cmake --build "$build" --target quillet_gui_autogen quillet_app_autogen quillet_report_pictures >/dev/null 2>&1 || true

out=$(mktemp)
trap 'rm -f "$out"' EXIT
git ls-files 'src/*.cpp' | xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet 2>/dev/null >"$out" || true
# One line per finding, without the notes that explain it.
findings=$(grep -E '^[^ ].*:[0-9]+:[0-9]+: (warning|error):' "$out" | sort -u || true)
if [ -n "$findings" ]; then
  echo "$findings"
  echo "tidy: $(echo "$findings" | wc -l) findings" >&2
  exit 1
fi
echo "tidy: no findings"
