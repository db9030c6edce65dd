#!/usr/bin/env bash
# From a fresh machine to the running program: installs what is missing,
# builds, builds the sample card database beside the executable, offers the
# sample decks in the Open dialog, and starts Quillet on a sample deck, so the
# first sight is a whole analysis.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
build/quillet-cli build samples/cards.txt
# Point the Open dialog at the sample decks on a first run. A settings file
# that exists already is left alone: other tools keep their settings in it
# too, and Quillet remembers the folder of every deck it opens there itself.
if [ ! -e build/ZNUTILS.INI ]; then
  printf '[DIRECTORIES]\r\nDeck Directory=%s/\r\n' "$(pwd)/samples/decks" > build/ZNUTILS.INI
fi
if [ -x build/quillet ]; then
  exec build/quillet samples/decks/monastery-bion.txt
else
  build/quillet-cli card --find a || true
fi
