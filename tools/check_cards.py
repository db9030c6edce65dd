#!/usr/bin/env python3
"""Checks a card list (cards.txt) against the line format the importer reads.

The importer never complains: a line that does not fit the format still
becomes a record, built from whatever bytes stand at each field position, and
a deck that uses such a card may then fail to analyse. This script finds those
lines before they reach the importer. It checks

  * the bytes: CR LF line ends, nothing after the last line end, no NUL;
  * the fields: 16 TAB-ended fields and the card text on every line;
  * the order: names ascending by lower-cased name (A-Z only, byte order),
    which the card lookup relies on, and no name twice;
  * the codes: rarity, card type, the production field of bases and HQs
    (every entry followed by one blank) and the keyword field's words;
  * the figures the deck analysis converts to numbers, as the importer will
    store them (assets: firepower, stealth, perception, cyber affinity and the
    deploy costs; enhancements, interventions and programs: the deploy costs,
    programs also their cyber affinity; bases and HQs: production turns);
  * with --coverage (on for the sample list): that every card type, rarity,
    domain word, keyword and "$" flag occurs at least once.

Words of the keyword field that the importer does not know are reported as
notes, not errors: the importer ignores them by design.

Usage: check_cards.py [--no-coverage] [CARDLIST]   (default samples/cards.txt)
       check_cards.py --self-test
Exit status: 0 clean, 1 errors found, 2 usage or unreadable file.
"""

import os
import re
import sys

KEYWORDS = [
    "Alpha", "AntiTerrorism", "Arctic", "Command", "Construct", "Daemon", "Debtor", "Direct",
    "FirstStrike", "Gear", "Global", "Ice", "Item", "Implant", "Launcher", "Local", "Mech.",
    "Missile", "Pilot", "Sabotage", "Spearhead", "Stimulant", "Structure", "Topdeck", "Unique",
    "Veteran", "Victory", "Virus", "Worm", "Yakusa",
]
FLAGS = [
    "$AdjOppHand", "$AdjMyHand", "$AI", "$Bion", "$Grom", "$Lancaster", "$Mawson", "$MobileBase",
    "$MultiUse", "$Programuser", "$RAF", "$Rainbow", "$Stadtmauer", "$Thalmann", "$Voodoo",
    "$Vostok", "$WarMachine",
]
DOMAINS = ["UN", "Corporate", "Monastery", "FUS", "Nonames", "Inner Circle", "Transcendent"]
TYPES = {"A": "Asset", "B": "Base", "E": "Enhancement", "H": "HQ", "I": "Intervention",
         "P": "Program"}
RARITIES = {"C", "U", "R", "V"}
RESOURCES = ("Military", "Covert", "CyberOps")

FIELD_NAMES = [
    "name", "edition", "rarity", "card type", "hit points", "firepower", "armor", "stealth",
    "perception", "cyber affinity", "deploy cost / production", "attack cost", "move cost",
    "search cost", "keywords", "unused", "card text",
]

# The integer rule of the analysis: leading blanks, an optional sign, decimal
# digits or hexadecimal after "$", "x", "X" or "0x", and nothing after.
_INTEGER = re.compile(rb" *[+-]?([0-9]+|(\$|0x|x|X)[0-9A-Fa-f]+)\Z")


def is_integer(text):
    return _INTEGER.match(text) is not None


def sort_key(name):
    return bytes(c + 32 if 65 <= c <= 90 else c for c in name)


def trim(text):
    return text.strip(bytes(range(33)))


def cost_parts(field):
    """The three cost parts as the importer stores them.

    Before every byte the importer trims what it has so far, so blanks inside
    a part vanish and a trailing blank survives as exactly one; a missing part
    is a single blank.
    """
    if field == b"":
        return [b" ", b" ", b" "]
    pieces = field.split(b"/", 2)
    parts = []
    for piece in pieces:
        value = b" "
        for byte in piece:
            value = trim(value) + bytes([byte])
        parts.append(value)
    while len(parts) < 3:
        parts.append(b" ")
    return parts


def keyword_words(field):
    """The words of a keyword field, split at "-" or "--" as the importer does."""
    words = []
    i = 0
    while i < len(field):
        j = i + 1
        while j < len(field) and field[j:j + 1] != b"-":
            j += 1
        words.append(field[i:j])
        i = j
        if field[i:i + 1] == b"-":
            i += 1
            if field[i:i + 1] == b"-":
                i += 1
    return words


def production_entries(field):
    """Parses "Word amount/turns " entries; returns (entries, problem)."""
    if field == b"":
        return [], None
    if not field.endswith(b" "):
        return [], "production field must end with a blank before the TAB"
    tokens = field[:-1].split(b" ")
    if len(tokens) % 2:
        return [], "production entries must be 'Word amount/turns', each followed by a blank"
    entries = []
    for word, figure in zip(tokens[0::2], tokens[1::2]):
        if b"/" not in figure:
            return [], "production '%s' has no '/'" % figure.decode("cp1252")
        amount, turns = figure.split(b"/", 1)
        entries.append((word, amount, turns))
    return entries, None


class Report:
    def __init__(self):
        self.errors = []
        self.notes = []

    def error(self, line, message):
        self.errors.append("line %d: %s" % (line, message))

    def note(self, line, message):
        self.notes.append("line %d: %s" % (line, message))


def check_numeric(report, lineno, name, what, value):
    if not is_integer(value):
        report.error(lineno, "%s: %s %r is not a number the analysis can read"
                     % (name, what, value.decode("cp1252")))


def check_line(report, lineno, line, seen):
    fields = line.split(b"\t", 16)
    if len(fields) != 17:
        report.error(lineno, "%d TAB-ended fields, expected 16 and the card text" % (len(fields) - 1))
        return None
    name, edition, rarity, ctype, hp, fp, armor, stealth, percep, ca, f11, attack, move, search, \
        kwfield, _unused, text = fields
    shown = name.decode("cp1252")
    if not name:
        report.error(lineno, "empty name")
    if len(name) > 33:
        report.error(lineno, "%s: name longer than 33 bytes is cut on import" % shown)
    if len(edition) > 11:
        report.note(lineno, "%s: edition longer than 11 bytes is cut on import" % shown)
    if rarity[:1].decode("cp1252") not in RARITIES:
        report.error(lineno, "%s: rarity %r is not C, U, R or V" % (shown, rarity.decode("cp1252")))
    code = ctype[:1].decode("cp1252")
    if code not in TYPES:
        report.error(lineno, "%s: card type %r is unknown" % (shown, ctype.decode("cp1252")))
    if b"HQ" in name and code != "H":
        report.error(lineno, "%s: a name with 'HQ' is always imported as an HQ" % shown)
        code = "H"
    for what, value, width in (("hit points", hp, 2), ("firepower", fp, 2), ("armor", armor, 2),
                               ("cyber affinity", ca, 2), ("stealth", stealth, 1),
                               ("perception", percep, 1)):
        if len(value) > width:
            report.error(lineno, "%s: %s %r keeps only %d character(s)"
                         % (shown, what, value.decode("cp1252"), width))
    if b"\r" in line or b"\0" in line:
        report.error(lineno, "%s: stray CR or NUL inside the line" % shown)
    if b"\t" in text:
        report.note(lineno, "%s: the card text holds a TAB" % shown)

    if code in ("B", "H"):
        entries, problem = production_entries(f11)
        if problem:
            report.error(lineno, "%s: %s" % (shown, problem))
        for word, amount, turns in entries:
            if word.decode("cp1252") not in RESOURCES:
                report.note(lineno, "%s: production word %r is ignored on import"
                            % (shown, word.decode("cp1252")))
                continue
            if len(amount) != 1 or not is_integer(amount):
                report.error(lineno, "%s: production amount %r must be one digit"
                             % (shown, amount.decode("cp1252")))
            if turns != b"-1":
                check_numeric(report, lineno, shown, "production turns", turns[:2])
    else:
        deploy = cost_parts(f11)
        if code in ("A", "E", "I", "P"):
            for resource, value in zip(RESOURCES, deploy):
                check_numeric(report, lineno, shown, "%s deploy cost" % resource, value[:2])
    if code == "A":
        for what, value in (("firepower", fp), ("stealth", stealth[:1]), ("perception", percep[:1]),
                            ("cyber affinity", ca)):
            check_numeric(report, lineno, shown, what, value)
    if code == "P":
        check_numeric(report, lineno, shown, "cyber affinity", ca)
    for what, value in (("attack cost", attack), ("move cost", move), ("search cost", search)):
        if value.count(b"/") > 2:
            report.error(lineno, "%s: %s %r has more than three parts"
                         % (shown, what, value.decode("cp1252")))

    words = set()
    for word in keyword_words(kwfield):
        text_word = word.decode("cp1252")
        if text_word in DOMAINS or text_word in KEYWORDS or text_word in FLAGS:
            words.add(text_word)
        else:
            report.note(lineno, "%s: keyword word %r is ignored on import" % (shown, text_word))
    if name in seen:
        report.error(lineno, "%s: the name stands on line %d already" % (shown, seen[name]))
    seen[name] = lineno
    return {"name": name, "type": code, "rarity": rarity[:1].decode("cp1252"), "words": words}


def check_bytes(data, coverage=True):
    report = Report()
    if not data:
        report.error(0, "the card list is empty")
        return report, []
    if b"\0" in data:
        report.error(0, "the file holds NUL bytes")
    if not data.endswith(b"\r\n"):
        report.error(0, "the last line must end with CR LF (bytes after it become one more card)")
    lines = data.split(b"\n")
    if lines and lines[-1] == b"":
        lines.pop()
    cards = []
    seen = {}
    previous = None
    for lineno, raw in enumerate(lines, 1):
        if not raw.endswith(b"\r"):
            report.error(lineno, "line does not end with CR LF")
        line = raw[:-1] if raw.endswith(b"\r") else raw
        card = check_line(report, lineno, line, seen)
        if card is None:
            continue
        if previous is not None and sort_key(card["name"]) <= sort_key(previous):
            report.error(lineno, "%s: not in lower-cased name order after %s"
                         % (card["name"].decode("cp1252"), previous.decode("cp1252")))
        previous = card["name"]
        cards.append(card)
    if coverage:
        check_coverage(report, cards)
    return report, cards


def check_coverage(report, cards):
    words = set().union(*(c["words"] for c in cards)) if cards else set()
    for group, wanted in (("keyword", KEYWORDS), ("flag", FLAGS), ("domain", DOMAINS)):
        for word in wanted:
            if word not in words:
                report.error(0, "no card has the %s %s" % (group, word))
    for code, word in TYPES.items():
        if not any(c["type"] == code for c in cards):
            report.error(0, "no card of type %s" % word)
    for rarity in sorted(RARITIES):
        if not any(c["rarity"] == rarity for c in cards):
            report.error(0, "no card of rarity %s" % rarity)
    if not any(not c["words"] & set(DOMAINS) for c in cards):
        report.error(0, "no card without a domain")


def self_test():
    """Cases that the checks must catch, and lines they must accept."""
    good = (b"Alpha Unit\tSet\tC\tAsset\t3\t2\t1\t3\t4\t2\t 2/0/1\t1 /0/0\t1//\t\t"
            b"UN-Unique--Alpha\tX1\tText\r\n"
            b"Beta Base\tSet\tU\tBase\t5\t\t1\t\t\t\tMilitary 2/-1 Covert 1/3 \t\t\t\t\tX2\t\r\n")
    failures = []

    def expect(data, fragment, wanted=True):
        report, _ = check_bytes(data, coverage=False)
        found = any(fragment in e for e in report.errors)
        if found != wanted:
            failures.append("%r: expected %s error containing %r, got %s"
                            % (data[:50], "an" if wanted else "no", fragment, report.errors))

    expect(good, "", wanted=False)
    expect(good.replace(b"\r\n", b"\n"), "CR LF")
    expect(good + b"\r\n", "fields")
    expect(good.replace(b"Beta", b"Aaron"), "name order")
    expect(good.replace(b"Covert 1/3 \t", b"Covert 1/3\t"), "end with a blank")
    expect(good.replace(b"Covert 1/3", b"Covert 1/x"), "production turns")
    expect(good.replace(b" 2/0/1", b" 1 /0/1"), "deploy cost")
    expect(good.replace(b" 2/0/1", b"2//"), "deploy cost")
    expect(good.replace(b"\t3\t4\t2\t", b"\t\t4\t2\t"), "stealth")
    expect(good.replace(b"Asset", b"Widget"), "card type")
    expect(good.replace(b"Alpha Unit", b"Alpha HQ"), "always imported as an HQ")
    if cost_parts(b" 1 /0/10") != [b"1 ", b"0", b"10"] or cost_parts(b"1//") != [b"1", b" ", b" "]:
        failures.append("cost_parts does not store parts as the importer does")
    if keyword_words(b"UN-Unique--Veteran-$Bion") != [b"UN", b"Unique", b"Veteran", b"$Bion"]:
        failures.append("keyword_words does not split at single and double dashes")
    for text, wanted in ((b"4", True), (b" +4", True), (b"$A", True), (b"4 ", False), (b"", False)):
        if is_integer(text) != wanted:
            failures.append("integer rule wrong for %r" % text)
    for failure in failures:
        print("FAIL:", failure)
    print("self-test: %d failure(s)" % len(failures))
    return 1 if failures else 0


def main(argv):
    args = argv[1:]
    if args == ["--self-test"]:
        return self_test()
    coverage = True
    if "--no-coverage" in args:
        coverage = False
        args.remove("--no-coverage")
    if len(args) > 1 or any(a.startswith("-") for a in args):
        print(__doc__.split("Usage:")[1].split("Exit")[0].strip(), file=sys.stderr)
        return 2
    path = args[0] if args else os.path.join(os.path.dirname(__file__), "..", "samples", "cards.txt")
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError as e:
        print("check_cards: %s" % e, file=sys.stderr)
        return 2
    report, cards = check_bytes(data, coverage)
    for note in report.notes:
        print("note:", note)
    for error in report.errors:
        print("error:", error)
    counts = ", ".join("%d %s" % (sum(c["type"] == code for c in cards), word)
                       for code, word in TYPES.items())
    print("%s: %d cards (%s); %d error(s), %d note(s)"
          % (path, len(cards), counts, len(report.errors), len(report.notes)))
    return 1 if report.errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
