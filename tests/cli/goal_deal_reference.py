#!/usr/bin/env python3
"""The dealt count of `quillet-cli hand --goal` against tools/deal_reference.py,
the dealer written in Python from the dealing rules alone: the same seeds,
counted here card by card, must give the same number of hands meeting the
goal.

Usage: goal_deal_reference.py QUILLET_CLI SOURCE_DIR"""

import json
import os
import subprocess
import sys
import tempfile

cli, source = sys.argv[1], sys.argv[2]
sys.path.insert(0, os.path.join(source, "tools"))
from deal_reference import deal  # noqa: E402

DECK = os.path.join(source, "samples", "decks", "topdeck-heavy.txt")
# The sample data's cards with the Topdeck keyword in this deck.
TOP_DECK = {"Ambush Team", "Deep Cover Agent", "Dropship Landing", "Opening Gambit",
            "Paratrooper Drop"}


def deck_lines():
    lines = []
    with open(DECK, encoding="ascii") as deck:
        for text in deck:
            count, name = text.rstrip("\r\n").split("\t")
            lines.append((int(count), name, name in TOP_DECK))
    return lines


def met(lines, seed, seen, goal):
    cards = deal(lines, seed)[:seen]
    return all(cards.count(name) >= k for k, name in goal)


def main():
    lines = deck_lines()
    failures = 0
    with tempfile.TemporaryDirectory() as data:
        subprocess.run([cli, "build", os.path.join(source, "samples", "cards.txt"),
                        "--data", data], check=True, capture_output=True)
        # Seen 8 deals from the twelve top-deck cards alone; seen 16 also from
        # the rest. The first seeds run past 2^64 - 1 and on from 0.
        for seed, draws, goal in [
                (2**64 - 700, 0, [(2, "Ambush Team"), (1, "Dropship Landing")]),
                (20240611, 8, [(1, "Border Town"), (1, "Safehouse"), (3, "Ambush Team")])]:
            trials = 1500
            args = [cli, "hand", DECK, "--trials", str(trials), "--seed", str(seed),
                    "--draw", str(draws), "--data", data, "--json"]
            for k, name in goal:
                args += ["--goal", "%d:card=%s" % (k, name)]
            run = subprocess.run(args, check=True, capture_output=True, text=True)
            got = json.loads(run.stdout)
            seen = 8 + draws
            expected = sum(met(lines, (seed + i) % 2**64, seen, goal) for i in range(trials))
            want = {"FileName": DECK, "Seed": seed, "Trials": trials, "Seen": seen,
                    "Met": expected}
            if got != want or not 0 < expected < trials:
                print("got", got, "want", want)
                failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
