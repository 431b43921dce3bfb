#!/usr/bin/env python3
"""Draws the 169 face pictures of the face chooser, and faces.qrc that builds them into the program.

Run from this folder: python3 faces.py [OUT_DIR] [--sheet SHEET.png]
OUT_DIR defaults to this folder; the pictures go to OUT_DIR/faces/face001.png .. face169.png and
the resource list to OUT_DIR/faces.qrc. --sheet also writes a contact sheet of every face at three
times the size (white faces above, black faces below, 13 to a row as in the chooser) for looking
at them. The committed files are what ships; the build never runs this script. Standard library
only, and deterministic: the same script writes the same bytes on every machine with the usual
zlib.

Pictures 1..84 are the white faces (ids 0..83), pictures 85..169 the black faces (ids 128..212).
Each is 32 x 32 pixels, a 4-bit palette PNG of 16 colours; palette entry 0 is light grey
192/192/192, the mask colour the program makes transparent. Every picture has its own palette,
but the entries keep fixed roles (ROLES below), so the drawing code speaks of roles, not colours.

A face is a handful of features (head shape, hair style and colour, brows, eyes, nose, mouth,
beard, eyewear, headgear, jersey). They are picked by a small fixed pseudo-random generator and
re-picked until each face differs clearly from the face before it and the face above it in the
chooser's grid of 13 columns.
"""
import os
import struct
import sys
import zlib

SIZE = 32
COLUMNS = 13  # faces per row in the chooser
WHITE_FACES = 84
BLACK_FACES = 85

# Palette roles and the characters that name them in the patterns below.
ROLES = "_osSlhHwimjJtkKg"
# _ mask   o outline   s skin   S skin shade   l skin light   h hair   H hair shade   w white
# i iris   m mouth     j jersey J jersey shade t trim        k helmet K helmet shade g metal
R = {c: n for n, c in enumerate(ROLES)}

MASK = (192, 192, 192)
OUTLINE = (44, 30, 28)
WHITE = (248, 248, 244)
METAL = (120, 128, 140)

SKIN = {
    "white": ((240, 194, 156), (208, 152, 116), (252, 222, 192)),
    "black": ((150, 96, 62), (112, 68, 42), (180, 124, 84)),
}
MOUTH = {"white": (172, 74, 66), "black": (92, 40, 34)}
# Hair colours: main and shade (bleached hair shows dark roots).
HAIR = {
    "black": ((40, 34, 32), (78, 68, 64)),
    "dark brown": ((82, 52, 34), (52, 32, 22)),
    "brown": ((132, 86, 50), (96, 60, 34)),
    "blond": ((232, 196, 104), (192, 148, 64)),
    "ginger": ((200, 96, 40), (150, 64, 26)),
    "grey": ((148, 146, 142), (112, 110, 108)),
    "white": ((236, 232, 224), (176, 172, 166)),
    "bleached": ((226, 186, 96), (40, 34, 32)),
}
# How often each hair colour is picked for each skin.
HAIR_CHOICES = {
    "white": ["black", "dark brown", "dark brown", "brown", "brown", "blond", "blond", "ginger",
              "grey", "white"],
    "black": ["black", "black", "black", "dark brown", "dark brown", "grey", "bleached"],
}
IRIS = {
    "white": [(56, 104, 176), (96, 64, 40), (64, 120, 72), (90, 110, 130)],
    "black": [(60, 38, 26), (84, 54, 34)],
}
# Team colours: jersey, jersey shade, trim.
TEAMS = [
    ((200, 36, 40), (150, 22, 28), (250, 250, 250)),
    ((36, 72, 168), (24, 48, 120), (250, 210, 60)),
    ((24, 40, 84), (14, 24, 54), (220, 120, 40)),
    ((30, 124, 70), (18, 86, 48), (250, 250, 250)),
    ((236, 120, 30), (180, 82, 18), (40, 40, 48)),
    ((106, 48, 150), (72, 30, 104), (240, 190, 50)),
    ((240, 190, 40), (190, 140, 20), (30, 40, 90)),
    ((120, 26, 40), (84, 16, 28), (230, 180, 70)),
    ((20, 130, 140), (12, 92, 100), (250, 250, 250)),
    ((48, 48, 56), (24, 24, 30), (220, 40, 40)),
    ((244, 244, 240), (200, 200, 206), (210, 40, 40)),
    ((80, 150, 220), (50, 110, 170), (24, 40, 84)),
    ((150, 200, 40), (104, 150, 24), (30, 60, 40)),
    ((170, 50, 30), (124, 34, 20), (240, 240, 230)),
]

# Head outlines: half-widths per row from the top row; the head is centred between columns 15
# and 16, so half-width 8 spans columns 8..23.
HEADS = [
    (5, [4, 6, 7, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 7, 7, 6, 5, 3]),  # round
    (4, [3, 5, 6, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 6, 6, 5, 4]),  # long
    (5, [5, 7, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 7, 6, 5]),  # square
    (5, [5, 7, 8, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 8, 8, 7, 6, 5, 4]),  # wide
    (5, [5, 7, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 7, 7, 6, 5, 4, 3, 2]),  # pointed chin
    (5, [4, 6, 7, 7, 8, 8, 8, 8, 8, 8, 8, 9, 9, 9, 9, 9, 8, 8, 7, 5]),  # heavy jaw
]

EYE_ROW = 14

# Left-eye patterns, top-left at column 9, row EYE_ROW - 1; the right eye is their mirror image.
EYES = [
    ["....", "..i.", "..i."],
    ["....", ".wi.", ".wi."],
    [".oo.", ".wi.", "...."],
    ["....", ".oi.", "...."],
    ["....", ".SS.", ".wi."],
    ["....", "wii.", "...."],
    ["..o.", ".o.o", "...."],
]
# Left brows, top-left at column 9, row EYE_ROW - 3; b is the darker of the two hair colours.
BROWS = [
    [".....", ".bbb."],
    [".bbb.", ".bbbb"],
    [".bb..", "...bb"],
    ["...bb", ".bb.."],
    ["..bb.", ".b..b"],
    ["......", ".bbbbbb"],
    [".....", "..bb."],
]
# Noses, top-left at column 14, row EYE_ROW + 1.
NOSES = [
    ["....", "....", "....", ".SS."],
    ["..S.", "..S.", "..S.", ".SS."],
    ["....", "....", "..S.", "SooS"],
    ["....", "....", ".ll.", "S..S"],
    ["...S", "...S", "..SS", "SSSS"],
]
# Mouths, top-left at column 12, row EYE_ROW + 5.
MOUTHS = [
    ["........", ".m....m.", "..mmmm.."],
    ["........", "..mmmm..", "........"],
    ["........", ".mwwwwm.", "..mmmm.."],
    ["...mm...", "..m..m..", "...mm..."],
    ["........", "..mmmm..", ".m....m."],
    ["........", "......m.", "..mmmm.."],
    ["........", ".oooooo.", "........"],
]

HAIR_STYLES = {
    "white": ["bald", "crew", "crew", "flat top", "afro", "side part", "side part", "long",
              "spiky", "receding", "mohawk", "buzz", "curly", "mop", "mop"],
    "black": ["bald", "bald", "crew", "flat top", "flat top", "afro", "afro", "side part", "long",
              "spiky", "receding", "mohawk", "buzz", "buzz", "curly", "cornrows", "cornrows"],
}
BEARDS = ["none", "none", "none", "mustache", "goatee", "full", "stubble", "chinstrap",
          "sideburns"]
EYEWEAR = ["none", "none", "none", "none", "eye black", "round glasses", "square glasses",
           "sunglasses"]
HEADGEAR = ["none", "none", "none", "none", "none", "none", "helmet", "helmet", "headband"]
COLLARS = ["v", "round", "open"]


class Rng:
    """xorshift32: a fixed sequence on every Python version."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF or 1

    def below(self, n):
        x = self.state
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        self.state = x
        return x % n

    def pick(self, choices):
        return choices[self.below(len(choices))]


def shade(colour, factor):
    return tuple(max(0, min(255, round(c * factor))) for c in colour)


def pick_face(rng, skin):
    team = rng.below(len(TEAMS))  # picked first, which keeps the committed pictures as drawn
    return {
        "head": rng.below(len(HEADS)),
        "hair": rng.pick(HAIR_STYLES[skin]),
        "hair colour": rng.pick(HAIR_CHOICES[skin]),
        "eyes": rng.below(len(EYES)),
        "iris": rng.below(len(IRIS[skin])),
        "brows": rng.below(len(BROWS)),
        "nose": rng.below(len(NOSES)),
        "mouth": rng.below(len(MOUTHS)),
        "beard": rng.pick(BEARDS),
        "eyewear": rng.pick(EYEWEAR),
        "headgear": rng.pick(HEADGEAR),
        "stripes": rng.below(4),  # one, two, three or none
        "team": team,
        "collar": rng.pick(COLLARS),
    }


def looks(face):
    """What tells two faces apart at a glance, feature by feature."""
    helmet = face["headgear"] == "helmet"
    return [
        face["head"],
        "helmet" if helmet else face["hair"],
        (helmet_colour(face["team"]), face["stripes"]) if helmet else face["hair colour"],
        face["eyes"],
        face["brows"],
        face["nose"],
        face["mouth"],
        face["beard"],
        face["eyewear"],
        face["headgear"],
        face["team"],
    ]


def distinct(a, b):
    la, lb = looks(a), looks(b)
    differing = sum(1 for x, y in zip(la, lb) if x != y)
    return differing >= 6 and la[1:3] != lb[1:3] and la[-1] != lb[-1]


def pick_faces(skin, count, seed):
    rng = Rng(seed)
    faces = []
    for n in range(count):
        while True:
            face = pick_face(rng, skin)
            neighbours = faces[-1:] + ([faces[n - COLUMNS]] if n >= COLUMNS else [])
            if (all(distinct(face, other) for other in neighbours)
                    and all(looks(face) != looks(other) for other in faces)):
                break
        faces.append(face)
    return faces


class Canvas:
    def __init__(self):
        self.px = [[0] * SIZE for _ in range(SIZE)]

    def put(self, x, y, role):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = R[role]

    def get(self, x, y):
        return self.px[y][x] if 0 <= x < SIZE and 0 <= y < SIZE else 0

    def stamp(self, pattern, x0, y0, mirror=False, dark="h"):
        """Draws a pattern of role characters; "." leaves the pixel, "b" is the `dark` role."""
        for dy, row in enumerate(pattern):
            for dx, c in enumerate(row):
                if c == ".":
                    continue
                x = x0 + dx
                if mirror:
                    x = SIZE - 1 - x
                self.put(x, y0 + dy, dark if c == "b" else c)

    def pair(self, pattern, x0, y0, dark="h"):
        """The pattern on the left and its mirror image on the right."""
        self.stamp(pattern, x0, y0, False, dark)
        self.stamp(pattern, x0, y0, True, dark)

    def span(self, y, half, role):
        """Columns 16 - half .. 15 + half of row y."""
        for x in range(16 - half, 16 + half):
            self.put(x, y, role)


def head_rows(face):
    top, widths = HEADS[face["head"]]
    return {top + n: w for n, w in enumerate(widths)}


def inside(rows, x, y):
    half = rows.get(y, 0)
    return 16 - half <= x < 16 + half


def draw_body(c, face):
    for y in range(22, 28):
        c.span(y, 4, "S")
    widths = {26: 10, 27: 12, 28: 13, 29: 14, 30: 14, 31: 14}
    for y, half in widths.items():
        c.span(y, half, "j")
        c.put(15 + half, y, "J")
        c.put(14 + half, y, "J")
    for y in (27, 28):  # shoulder stripes
        c.put(16 - widths[y] + 2, y, "t")
        c.put(15 + widths[y] - 2, y, "t")
    if face["collar"] == "v":
        for y, half in ((26, 4), (27, 3), (28, 2), (29, 1)):
            c.span(y, half, "S")
            c.put(16 - half - 1, y, "t")
            c.put(15 + half + 1, y, "t")
    elif face["collar"] == "round":
        c.span(26, 4, "t")
        c.span(26, 3, "S")
        c.span(27, 3, "t")
    else:
        c.span(26, 3, "S")
        c.span(27, 1, "S")
        c.put(14, 27, "J")
        c.put(17, 27, "J")


def draw_head(c, face, rows):
    top = min(rows)
    bottom = max(rows)
    for y in range(EYE_ROW - 1, EYE_ROW + 3):  # ears, shaded inside on the left
        inner = y in (EYE_ROW, EYE_ROW + 1)
        c.put(15 - rows[y], y, "S" if inner else "s")
        c.put(16 + rows[y], y, "S")
    for y, half in rows.items():
        c.span(y, half, "s")
        c.put(15 + half, y, "S")
    c.span(bottom, rows[bottom], "S")
    for y in range(top + 2, top + 5):  # light from the top left
        c.put(16 - rows[y] + 2, y, "l")
    c.put(16 - rows[EYE_ROW + 2] + 1, EYE_ROW + 2, "l")


# Hair worn as a cap over the head: rows below the top of the head that it covers in front (the
# forehead starts there) and at the sides.
CAPS = {
    "crew": (3, 6), "afro": (3, 6), "long": (3, 6), "curly": (3, 6), "spiky": (3, 6),
    "flat top": (4, 6), "cornrows": (4, 5), "mop": (6, 10),
    "side part": (3, 6),  # its fringe falls lower towards the left
}


def draw_hair_behind(c, face, rows):
    """Hair that shows beside and above the head: the afro's ball, long hair down to the neck."""
    top = min(rows)
    if face["hair"] == "afro":
        for y in range(0, 20):
            for x in range(SIZE):
                dx, dy = 2 * x - 31, 2 * y - 18
                if 10 * dx * dx + 13 * dy * dy <= 10 * 24 * 24:
                    c.put(x, y, "H" if (3 * x + 2 * y) % 7 == 0 else "h")
    elif face["hair"] == "long":
        for y in range(top, 25):
            half = max(rows.get(y, 0), rows[top + 3]) + 1
            c.span(y, half, "h")
            c.put(15 + half, y, "H")


def draw_hair(c, face, rows):
    style = face["hair"]
    top = min(rows)
    line = top + 3
    front, side = CAPS.get(style, (0, 0))
    for y in range(top - 1, top + side):
        for x in range(SIZE):
            if not any(inside(rows, x + dx, y + dy) for dx, dy in ((0, 0), (0, 1), (-1, 0),
                                                                   (1, 0))):
                continue
            edge = abs(2 * x - 31) >= 2 * rows.get(y, rows[top]) - 3
            if style == "side part":
                front = 3 + (2 if x < 13 else 1 if x < 18 else 0)
            if y < top + front or (edge and y < top + side):
                c.put(x, y, "H" if style == "side part" and x == 12 and y < line else "h")
            elif style == "receding" and edge and top + 2 <= y < top + 6:
                c.put(x, y, "h")
            elif style == "buzz" and y < line and inside(rows, x, y):
                c.put(x, y, "H" if (x + y) % 2 else "h")
            elif style == "mohawk" and abs(2 * x - 31) <= 3 and y < line:
                c.put(x, y, "h")
    if style == "cornrows":
        for y in range(top - 1, top + front):
            for x in range(0, SIZE, 3):
                if inside(rows, x, y):
                    c.put(x, y, "S")
    elif style == "flat top":
        for y in range(top - 2, top + 1):
            c.span(y, rows[top + 2] - 1, "h")
        c.span(top - 2, rows[top + 2] - 1, "H")
    elif style == "spiky":
        for x in range(16 - rows[top + 2], 16 + rows[top + 2]):
            for y in range(top - 1 - (x * 5) % 3, top):
                c.put(x, y, "h")
    elif style == "mohawk":
        for y in range(top - 4, top):
            c.span(y, 2, "h")
        c.put(16, top - 4, "H")
    elif style == "curly":
        for x in range(16 - rows[top + 1], 16 + rows[top + 1]):
            if x % 2:
                c.put(x, top - 2, "h")
        for y in range(top - 2, line):
            for x in range(SIZE):
                if c.get(x, y) == R["h"] and (x + 2 * y) % 3 == 0:
                    c.put(x, y, "H")
    elif style == "bald":
        c.put(13, top + 1, "l")
        c.put(14, top + 1, "l")
    elif style in ("crew", "side part", "mop", "long"):
        for x in range(16 - rows[top] + 1, 16 + rows[top] - 1, 3):
            c.put(x, top, "H")


def draw_face(c, face, rows, dark):
    c.pair(BROWS[face["brows"]], 9, EYE_ROW - 3, dark)
    c.pair(EYES[face["eyes"]], 9, EYE_ROW - 1)
    c.stamp(NOSES[face["nose"]], 14, EYE_ROW + 1)
    beard = face["beard"]
    bottom = max(rows)
    if beard == "full":
        for y in range(EYE_ROW + 2, bottom + 2):
            for x in range(SIZE):
                cheek = abs(2 * x - 31) >= 2 * rows.get(y, 0) - 5
                if (inside(rows, x, y) and (y >= EYE_ROW + 5 or cheek)) or (
                        y == bottom + 1 and inside(rows, x, y - 1)):
                    c.put(x, y, dark)
        c.span(EYE_ROW + 4, 3, dark)
    elif beard == "goatee":
        for y in range(bottom - 3, bottom + 1):
            c.span(y, 2, dark)
        c.span(EYE_ROW + 4, 3, dark)
    elif beard == "mustache":
        c.span(EYE_ROW + 4, 4, dark)
        c.put(12, EYE_ROW + 5, dark)
        c.put(19, EYE_ROW + 5, dark)
    elif beard == "stubble":
        for y in range(EYE_ROW + 4, bottom + 1):
            for x in range(SIZE):
                if inside(rows, x, y):
                    c.put(x, y, dark if (x + 2 * y) % 5 == 0 else "S")
    elif beard == "chinstrap":
        for y in range(EYE_ROW + 1, bottom + 1):
            half = rows[y]
            c.put(16 - half, y, dark)
            c.put(15 + half, y, dark)
        c.span(bottom, rows[bottom], dark)
    elif beard == "sideburns":
        for y in range(EYE_ROW - 2, EYE_ROW + 4):
            half = rows[y]
            for x in (16 - half, 17 - half, 14 + half, 15 + half):
                c.put(x, y, dark)
    c.stamp(MOUTHS[face["mouth"]], 12, EYE_ROW + 5)
    wear = face["eyewear"]
    if wear == "eye black":
        for x in (10, 11, 12):
            c.put(x, EYE_ROW + 2, "o")
            c.put(31 - x, EYE_ROW + 2, "o")
    elif wear in ("round glasses", "square glasses"):
        ring = ([".gg.", "g..g", "g..g", ".gg."] if wear == "round glasses"
                else ["oooo", "o..o", "oooo"])
        c.pair(ring, 9, EYE_ROW - 2)
        for x in range(13, 19):
            c.put(x, EYE_ROW - 1, ring[0][1])
    elif wear == "sunglasses":
        c.pair(["ooooo", "oooo.", ".oo.."], 9, EYE_ROW - 1)
        c.span(EYE_ROW - 1, 3, "o")
        c.put(10, EYE_ROW - 1, "w")
        c.put(19, EYE_ROW - 1, "w")


def draw_headgear(c, face, rows):
    top = min(rows)
    gear = face["headgear"]
    if gear == "headband":
        c.span(top + 3, rows[top + 3] + 1, "t")
        c.span(top + 4, rows[top + 4] + 1, "t")
    elif gear == "helmet":
        brim = EYE_ROW - 3
        for y in range(top - 2, max(rows) - 1):
            half = max(rows.get(y + 2, 0), rows[top + 3] if y > top + 3 else 0) + 1
            for x in range(16 - half, 16 + half):
                dx = abs(2 * x - 31)
                if y >= brim and dx < 2 * half - 3:
                    continue
                c.put(x, y, "K" if (x > 15 and dx >= 2 * half - 3) or y == brim - 1 else "k")
        stripes = face["stripes"]
        for y in range(top - 2, brim - 1):
            if stripes in (0, 2):
                c.put(15, y, "t")
                c.put(16, y, "t")
            if stripes in (1, 2):
                c.put(13, y, "t")
                c.put(18, y, "t")
        half = rows[EYE_ROW + 4]
        c.span(EYE_ROW + 4, half, "g")
        c.span(EYE_ROW + 8, 4, "g")
        for y in range(EYE_ROW + 4, EYE_ROW + 9):
            c.put(12, y, "g")
            c.put(19, y, "g")


def outline(c):
    edge = []
    for y in range(SIZE):
        for x in range(SIZE):
            if c.get(x, y) == 0 and any(c.get(x + dx, y + dy) != 0
                                        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                edge.append((x, y))
    for x, y in edge:
        c.put(x, y, "o")


def helmet_colour(team):
    """Helmets take the jersey colour, or on every third team a trim colour that is not white."""
    jersey, _, trim = TEAMS[team]
    helmet = trim if team % 3 == 0 and sum(trim) < 690 else jersey
    return (236, 236, 230) if sum(helmet) > 690 else helmet


def palette(face, skin):
    hair, hair_shade = HAIR[face["hair colour"]]
    jersey, jersey_shade, trim = TEAMS[face["team"]]
    helmet = helmet_colour(face["team"])
    colours = [MASK, OUTLINE, *SKIN[skin], hair, hair_shade, WHITE, IRIS[skin][face["iris"]],
               MOUTH[skin], jersey, jersey_shade, trim, helmet, shade(helmet, 0.75), METAL]
    assert len(colours) == 16 and colours.count(MASK) == 1
    return colours


def render(face, skin):
    c = Canvas()
    rows = head_rows(face)
    hair, hair_shade = HAIR[face["hair colour"]]
    dark = "h" if sum(hair) < sum(hair_shade) else "H"  # brows and beards
    draw_body(c, face)
    if face["headgear"] != "helmet":
        draw_hair_behind(c, face, rows)
    draw_head(c, face, rows)
    if face["headgear"] != "helmet":
        draw_hair(c, face, rows)
    draw_face(c, face, rows, dark)
    draw_headgear(c, face, rows)
    outline(c)
    return c.px, palette(face, skin)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(width, height, depth, colour_type, rows, palette=b""):
    """A PNG of unfiltered rows (each already packed into bytes), no interlacing."""
    header = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 0)
    data = b"".join(b"\x00" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + (chunk(b"PLTE", palette) if palette else b"")
            + chunk(b"IDAT", zlib.compress(data, 9)) + chunk(b"IEND", b""))


def palette_png(pixels, colours):
    """4 bits a pixel, two pixels a byte, the left one in the high half."""
    rows = [bytes((row[x] << 4) | row[x + 1] for x in range(0, SIZE, 2)) for row in pixels]
    return png(SIZE, SIZE, 4, 3, rows, b"".join(bytes(c) for c in colours))


def rgb_png(width, height, pixels):
    return png(width, height, 8, 2, [b"".join(bytes(p) for p in row) for row in pixels])


def all_faces():
    pictures = []
    for skin, count, seed in (("white", WHITE_FACES, 20001), ("black", BLACK_FACES, 20128)):
        pictures += [render(face, skin) for face in pick_faces(skin, count, seed)]
    assert len({palette_png(*picture) for picture in pictures}) == len(pictures)
    return pictures


def contact_sheet(pictures, scale=3, gap=4, background=(240, 240, 240)):
    cell = SIZE * scale + gap
    blocks = [pictures[:WHITE_FACES], pictures[WHITE_FACES:]]
    block_rows = [(len(b) + COLUMNS - 1) // COLUMNS for b in blocks]
    width = COLUMNS * cell + gap
    height = sum(block_rows) * cell + gap * 4
    sheet = [[(96, 96, 96)] * width for _ in range(height)]
    top = gap
    for block, rows in zip(blocks, block_rows):
        for n, (pixels, colours) in enumerate(block):
            x0 = gap + (n % COLUMNS) * cell
            y0 = top + (n // COLUMNS) * cell
            for y in range(SIZE * scale):
                for x in range(SIZE * scale):
                    index = pixels[y // scale][x // scale]
                    sheet[y0 + y][x0 + x] = background if index == 0 else colours[index]
        top += rows * cell + gap * 3
    return rgb_png(width, height, sheet)


def main(argv):
    out, sheet = ".", None
    args = list(argv)
    while args:
        arg = args.pop(0)
        if arg == "--sheet":
            sheet = args.pop(0)
        else:
            out = arg
    os.makedirs(os.path.join(out, "faces"), exist_ok=True)
    pictures = all_faces()
    names = ["faces/face%03d.png" % (n + 1) for n in range(len(pictures))]
    for name, (pixels, colours) in zip(names, pictures):
        with open(os.path.join(out, name), "wb") as f:
            f.write(palette_png(pixels, colours))
    with open(os.path.join(out, "faces.qrc"), "w", newline="\n") as f:
        f.write("<!DOCTYPE RCC>\n<!-- Written by faces.py. -->\n<RCC version=\"1.0\">\n"
                "<qresource prefix=\"/\">\n")
        f.writelines("    <file>%s</file>\n" % name for name in names)
        f.write("</qresource>\n</RCC>\n")
    if sheet:
        with open(sheet, "wb") as f:
            f.write(contact_sheet(pictures))


if __name__ == "__main__":
    main(sys.argv[1:])
