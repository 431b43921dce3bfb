#!/usr/bin/env python3
"""Writes default.trs, the rating scale the program loads at start-up.

Run from this folder: python3 default_trs.py. The committed default.trs is what ships; this
script only shows where its numbers come from.

Layout: the tag "0001", then per position group eleven attribute weights, StartersMinusOne and
Backups, all 16-bit little-endian.
"""
import struct

# Attribute order: RS running speed, RP rushing power, MS maximum speed, HP hitting power,
# BB body balance, AG agility, then the group's own attributes (6..10).
#   group  RS RP MS HP BB AG   6   7   8   9  10    starters backups
SCALE = [
    ("QB", [2, 0, 2, 0, 1, 2, 12, 12, 15, 10, 4], 1, 1),  # PS PC PA AR CO
    ("RB", [12, 10, 12, 3, 8, 10, 10, 4, 0, 0, 0], 2, 2),  # BC RE
    ("WR", [10, 2, 15, 0, 3, 8, 8, 15, 0, 0, 0], 2, 2),  # BC RE
    ("TE", [5, 6, 6, 10, 10, 3, 8, 12, 0, 0, 0], 1, 1),  # BC RE
    ("OL", [2, 6, 2, 15, 15, 4, 0, 0, 0, 0, 0], 5, 0),
    ("DL", [5, 8, 5, 15, 12, 6, 1, 10, 0, 0, 0], 3, 0),  # IN QU
    ("LB", [8, 4, 8, 12, 8, 8, 5, 10, 0, 0, 0], 4, 0),  # IN QU
    ("DB", [10, 0, 15, 5, 4, 10, 12, 12, 0, 0, 0], 4, 0),  # IN QU
    ("K", [0, 0, 0, 0, 0, 0, 15, 15, 3, 0, 0], 1, 0),  # KP KA AB
    ("P", [0, 0, 0, 0, 0, 0, 15, 5, 0, 0, 0], 1, 0),  # KP AB
]

def main():
    data = b"0001"
    for _, weights, starters, backups in SCALE:
        assert len(weights) == 11 and all(0 <= w <= 15 for w in weights)
        assert 1 <= starters and 0 <= backups and starters + backups <= 7
        data += struct.pack("<11hhh", *weights, starters - 1, backups)
    assert len(data) == 264
    with open("default.trs", "wb") as out:
        out.write(data)

if __name__ == "__main__":
    main()
