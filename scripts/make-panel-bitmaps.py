#!/usr/bin/env python3
"""Draws the pictures of the side panels as 24-bit BMP files in resources/res/: the six
16 x 16 images of the storey tree, the stop picture of the mode panel and the two turn
arrows of the mode-shape report. Run it again
after changing a drawing; the files are kept in the tree.

Black is the image list's mask colour (the grid's background shows through), so the
drawings use no pure black: outlines are dark grey."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pictures  # noqa: E402

MASK = (0, 0, 0)
OUTLINE = (64, 64, 64)
SLAB = (96, 160, 224)
SLAB_DARK = (40, 96, 176)
LEVEL = (48, 160, 72)
BRANCH = (128, 128, 128)
STOP = (208, 40, 40)
STOP_EDGE = (120, 16, 16)


class Picture(pictures.Picture):
    def __init__(self, w, h, fill=MASK):
        super().__init__(w, h, fill)

    def box(self, x0, y0, x1, y1, fill, edge):
        self.fill(x0, y0, x1, y1, fill)
        self.frame(x0, y0, x1, y1, edge)

    def save(self, path):
        self.save_bmp(path, MASK)


def storey(p, x0=1):
    """A floor slab seen from the side: a flat box on two columns."""
    p.box(x0, 3, x0 + 12, 6, SLAB, SLAB_DARK)
    p.vline(x0 + 2, 7, 11, OUTLINE)
    p.vline(x0 + 10, 7, 11, OUTLINE)


def storey_with_children():
    p = Picture(16, 16)
    storey(p)
    # The stem down to the storeys that share its data.
    p.vline(7, 7, 15, BRANCH)
    return p


def storey_closed():
    p = Picture(16, 16)
    storey(p)
    p.box(5, 9, 9, 13, (224, 224, 224), OUTLINE)
    p.hline(6, 8, 11, OUTLINE)
    p.vline(7, 10, 12, OUTLINE)
    return p


def child(last):
    p = Picture(16, 16)
    p.vline(7, 0, 8 if last else 15, BRANCH)
    p.hline(7, 10, 8, BRANCH)
    p.box(11, 6, 15, 10, SLAB, SLAB_DARK)
    return p


def storey_alone():
    p = Picture(16, 16)
    storey(p)
    return p


def level_plane():
    """An elevation mark: a triangle on a level line."""
    p = Picture(16, 16)
    p.hline(1, 14, 11, LEVEL)
    for i in range(5):
        p.hline(7 - (4 - i), 7 + (4 - i), 6 + i, LEVEL)
    p.hline(2, 12, 5, OUTLINE)
    return p


def stop_picture():
    p = Picture(16, 16)
    p.box(3, 3, 12, 12, STOP, STOP_EDGE)
    return p


ARROW = (32, 96, 176)
FACE = (212, 208, 200)  # the button face around the arrow


def turn_arrow(left):
    """A quarter circle ending in an arrowhead, turning to the left or to the right."""
    p = Picture(16, 16, FACE)
    import math
    for i in range(0, 91, 3):
        a = math.radians(i)
        x = 8 + round(5 * math.cos(a))
        y = 9 - round(5 * math.sin(a))
        x = x if left else 15 - x
        p.put(x, y, ARROW)
        p.put(x, y + 1, ARROW)
    # The head at the arc's lower end, pointing down.
    tip = 13 if left else 2
    for k in range(4):
        p.hline(min(tip - k, tip + k), max(tip - k, tip + k), 13 - k, ARROW)
    return p


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'resources', 'res')
    pictures = {
        'floormain.bmp': storey_with_children(),     # 137: a storey with child floors
        'floorclosed.bmp': storey_closed(),          # 795
        'floorchild.bmp': child(last=False),         # 798: a child floor, more follow
        'floorlast.bmp': child(last=True),           # 139: the last child floor
        'floorsingle.bmp': storey_alone(),           # 797: a storey without children
        'floorlevel.bmp': level_plane(),             # 796: another main floor
        'modestop.bmp': stop_picture(),              # 294: stop the animation
        'turnleft.bmp': turn_arrow(left=True),       # 389: turn the mode shape left
        'turnright.bmp': turn_arrow(left=False),     # 390: turn it right
    }
    for name, pic in pictures.items():
        pic.save(os.path.join(out, name))


if __name__ == '__main__':
    main()
