#!/usr/bin/env python3
"""Draws the pictures of the member-end and support libraries in resources/res/: the two
rigid-arm previews (24-bit BMP, 272 x 43, on a grey ground) and the eight icons of the
support list (32 x 32, 24 bits with a transparency mask; the list shrinks them to 16 x 16).
Run it again after changing a drawing; the files are kept in the tree."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pictures  # noqa: E402

GREY = (192, 192, 192)
MEMBER = (0, 0, 160)
NODE = (0, 0, 0)
ARM = (128, 0, 0)
DIM = (64, 64, 64)
INK = (32, 32, 32)
RED = (208, 32, 32)
HATCH = (96, 96, 96)
BLOCK = (160, 160, 160)
SPRING = (230, 200, 60)

# A 3 x 5 pixel font for the few characters the pictures write.
FONT = {
    'e': ['...', '###', '#.#', '##.', '###'],
    'i': ['.#.', '...', '.#.', '.#.', '.#.'],
    'j': ['..#', '...', '..#', '#.#', '###'],
    '1': ['.#.', '##.', '.#.', '.#.', '###'],
    'X': ['#.#', '#.#', '.#.', '#.#', '#.#'],
    'Y': ['#.#', '#.#', '.#.', '.#.', '.#.'],
    'Z': ['###', '..#', '.#.', '#..', '###'],
    '?': ['###', '..#', '.##', '...', '.#.'],
}


class Picture(pictures.Picture):
    def text(self, x, y, s, c, scale=1):
        for ch in s:
            for r, row in enumerate(FONT[ch]):
                for k, bit in enumerate(row):
                    if bit == '#':
                        self.fill(x + k * scale, y + r * scale, x + k * scale + scale - 1, y + r * scale + scale - 1, c)
            x += 4 * scale

    def triangle(self, cx, top, half, c):
        for i in range(half + 1):
            self.hline(cx - i, cx + i, top + i, c)

    def hatch(self, x0, y0, x1, y1):
        """A ground: a line with short strokes below it."""
        self.hline(x0, x1, y0, INK)
        for x in range(x0 + 1, x1 + 1, 3):
            for k in range(y1 - y0):
                self.put(x - k, y0 + 1 + k, HATCH)

    def save_bmp(self, path):
        super().save_bmp(path, GREY)


def rigid(extending):
    """A member between two end nodes with a dark red rigid bar at each end: inside the
    member (indented) or beyond the nodes (extending), dimensioned ei1 and ej1."""
    p = Picture(272, 43, GREY)
    a, b, y = 60, 212, 16
    arm = 34
    p.fill(a, y - 1, b, y + 1, MEMBER)
    if extending:
        p.fill(a - arm, y - 2, a - 4, y + 2, ARM)
        p.fill(b + 4, y - 2, b + arm, y + 2, ARM)
        spans = [(a - arm, a), (b, b + arm)]
    else:
        p.fill(a + 4, y - 2, a + arm, y + 2, ARM)
        p.fill(b - arm, y - 2, b - 4, y + 2, ARM)
        spans = [(a, a + arm), (b - arm, b)]
    for x in (a, b):
        p.fill(x - 3, y - 3, x + 3, y + 3, NODE)
    for (x0, x1), label in zip(spans, ('ei1', 'ej1')):
        p.hline(x0, x1, 30, DIM)
        p.vline(x0, 26, 33, DIM)
        p.vline(x1, 26, 33, DIM)
        p.text((x0 + x1) // 2 - 6, 34, label, INK)
    return p


def icon_none():
    p = Picture(32, 32)
    for i in range(22):
        for k in (-1, 0, 1):
            p.put(5 + i + k, 5 + i, RED)
            p.put(26 - i + k, 5 + i, RED)
    return p


def column(p):
    p.fill(15, 2, 17, 14, MEMBER)


def icon_fixed():
    p = Picture(32, 32)
    column(p)
    p.fill(6, 15, 26, 22, BLOCK)
    p.frame(6, 15, 26, 22, INK)
    p.hatch(4, 23, 28, 28)
    return p


def pinned_base(p, label=None):
    column(p)
    p.triangle(16, 14, 8, INK)
    p.triangle(16, 17, 5, BLOCK)
    p.hatch(5, 23, 27, 28)
    if label:
        p.text(1, 1, label, RED)


def icon_pinned():
    p = Picture(32, 32)
    pinned_base(p)
    return p


def icon_spring():
    p = Picture(32, 32)
    p.fill(4, 4, 27, 27, SPRING)
    p.frame(4, 4, 27, 27, INK)
    p.text(10, 8, '?', INK, 3)
    return p


def icon_plane(label):
    """An out-of-plane constraint: a roller under the column, the plane named."""
    p = Picture(32, 32)
    column(p)
    p.fill(8, 15, 24, 19, BLOCK)
    p.frame(8, 15, 24, 19, INK)
    for cx in (11, 16, 21):
        p.fill(cx - 1, 20, cx + 1, 22, INK)
    p.hatch(5, 23, 27, 28)
    p.text(1, 1, label, RED)
    return p


def icon_half_pin(axis):
    """Pinned about one axis, fixed about the other: half block, half triangle."""
    p = Picture(32, 32)
    column(p)
    p.fill(6, 15, 15, 22, BLOCK)
    p.frame(6, 15, 15, 22, INK)
    p.triangle(21, 15, 7, INK)
    p.hatch(4, 23, 28, 28)
    p.text(1, 1, axis, RED)
    return p


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'resources', 'res')
    rigid(False).save_bmp(os.path.join(out, 'rigidindent.bmp'))   # 217
    rigid(True).save_bmp(os.path.join(out, 'rigidextend.bmp'))    # 218
    icons = {
        'supnone.ico': icon_none(),          # 160: no support
        'supfixed.ico': icon_fixed(),        # 161
        'suppinned.ico': icon_pinned(),      # 162
        'supspring.ico': icon_spring(),      # 163
        'supxz.ico': icon_plane('XZ'),       # 506: kind 4
        'supyz.ico': icon_plane('YZ'),       # 507: kind 5
        'supxpin.ico': icon_half_pin('X'),   # 508: kind 6
        'supypin.ico': icon_half_pin('Y'),   # 509: kind 7
    }
    for name, pic in icons.items():
        pic.save_ico(os.path.join(out, name))


if __name__ == '__main__':
    main()
