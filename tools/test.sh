#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: a release build
# and an AddressSanitizer + UndefinedBehaviorSanitizer build, the window tests
# offscreen, clang-tidy over the release build, the file safety replay
# (tools/file_safety.sh), the Debian package and its checks, a short run of
# every fuzz target, and the format check.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen

echo "== format check"
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests bench fuzz -name '*.cpp' -o -name '*.h')
clang-format --dry-run --Werror $files

for preset in release asan; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "== $preset tests"
  ctest --preset "$preset" -j2
  if [ "$preset" = release ]; then
    echo "== include rule"
    tools/check-includes.sh
    echo "== clang-tidy"
    tools/tidy.sh build
  fi
done

echo "== file safety (strace, ulimit, kill -9 against the release build)"
tools/file_safety.sh build

echo "== Debian package (from the release build)"
tools/package-check.sh

echo "== fuzz"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for f in build-fuzz/*_fuzzer; do
  [ -x "$f" ] || continue
  name=$(basename "$f" _fuzzer)
  corpus=$(mktemp -d)
  [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$corpus/"
  echo "-- $name"
  "$f" -max_total_time=20 -rss_limit_mb=2048 "$corpus" >"$corpus.log" 2>&1 || { tail -n 40 "$corpus.log"; exit 1; }
  tail -n 1 "$corpus.log"
  rm -rf "$corpus" "$corpus.log"
done

if [ -x tools/e2e.sh ]; then
  echo "== end-to-end under Xvfb"
  tools/e2e.sh
fi
echo "All tests passed."
