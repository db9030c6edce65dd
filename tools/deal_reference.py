#!/usr/bin/env python3
"""Independent reference for the sample-hand deal, written from its rules
alone: SplitMix64, the bounded draw by rejection, and the two-part
Fisher-Yates shuffle. Its printed values are pasted into
tests/core/odds/sample_deal_test.cpp as constants."""

MASK = (1 << 64) - 1


class SplitMix64:
    def __init__(self, seed):
        self.state = seed & MASK

    def next(self):
        self.state = (self.state + 0x9E3779B97F4A7C15) & MASK
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & MASK
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & MASK
        return z ^ (z >> 31)

    def bounded(self, m):
        limit = (1 << 64) - ((1 << 64) % m)
        while True:
            x = self.next()
            if x < limit:
                return x % m


def shuffle(items, gen):
    for i in range(len(items) - 1, 0, -1):
        j = gen.bounded(i + 1)
        items[i], items[j] = items[j], items[i]


def deal(lines, seed):
    """lines: (count, name, topdeck) in deck-file order."""
    top = [name for count, name, td in lines if td for _ in range(count)]
    bottom = [name for count, name, td in lines if not td for _ in range(count)]
    gen = SplitMix64(seed)
    shuffle(top, gen)
    shuffle(bottom, gen)
    return top + bottom


if __name__ == "__main__":
    for seed in (0, 1, 0xFFFFFFFFFFFFFFFF, 20240611):
        g = SplitMix64(seed)
        print(hex(seed), [hex(g.next()) for _ in range(3)])
    g = SplitMix64(7)
    print("bounded(7) seed 7:", [g.bounded(7) for _ in range(6)])
    # A bound just above 2^63 rejects almost half the draws.
    g = SplitMix64(3)
    print("bounded(2^63+1) seed 3:", [hex(g.bounded((1 << 63) + 1)) for _ in range(4)])
    lines = [(2, "Ember Sentry", False), (1, "Hollow Scout", True), (3, "Tin Drover", False),
             (2, "Quarry Lamp", True), (1, "Mire Beacon", False), (3, "Ash Courier", False)]
    print("deal seed 42:", deal(lines, 42))
    print("deal seed 9001:", deal(lines, 9001))
