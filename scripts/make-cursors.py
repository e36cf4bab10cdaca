#!/usr/bin/env python3
"""Draws the operator cursors of the library as 32 x 32 monochrome cursor files in
resources/res/. Run it again after changing a drawing; the files are kept in the tree.

Each cursor is drawn on a grid of cells: 'W' white, 'K' black, 'I' the inverse of the
screen (visible on dark and light drawings alike), ' ' the screen unchanged. Shapes are
drawn in white and outlined in black."""
import math
import os
import struct

N = 32


class Grid:
    def __init__(self):
        self.c = [[' '] * N for _ in range(N)]

    def put(self, x, y, v):
        if 0 <= x < N and 0 <= y < N:
            self.c[y][x] = v

    def line(self, x0, y0, x1, y1, v='W'):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.put(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), v)

    def arc(self, cx, cy, r, a0, a1, v='W'):
        steps = int(abs(a1 - a0) * r * 2) + 1
        for i in range(steps + 1):
            a = math.radians(a0 + (a1 - a0) * i / steps)
            self.put(round(cx + r * math.cos(a)), round(cy - r * math.sin(a)), v)

    def fill_triangle(self, p, q, r, v='W'):
        def side(a, b, x, y):
            return (b[0] - a[0]) * (y - a[1]) - (b[1] - a[1]) * (x - a[0])
        for y in range(N):
            for x in range(N):
                s = [side(p, q, x, y), side(q, r, x, y), side(r, p, x, y)]
                if all(t >= 0 for t in s) or all(t <= 0 for t in s):
                    self.put(x, y, v)

    def outline(self):
        """Every screen cell next to a white one becomes black."""
        edge = []
        for y in range(N):
            for x in range(N):
                if self.c[y][x] != ' ':
                    continue
                for dx in (-1, 0, 1):
                    for dy in (-1, 0, 1):
                        if 0 <= x + dx < N and 0 <= y + dy < N and self.c[y + dy][x + dx] == 'W':
                            edge.append((x, y))
        for x, y in edge:
            self.c[y][x] = 'K'


def arrow_head(g, x, y, dx, dy, size=4):
    """A filled head at (x, y) pointing along (dx, dy)."""
    px, py = -dy, dx
    g.fill_triangle((x, y), (x - dx * size + px * size, y - dy * size + py * size),
                    (x - dx * size - px * size, y - dy * size - py * size))


def crosshair(g, c=15, reach=11, gap=0):
    for d in range(gap, reach + 1):
        for x, y in ((c + d, c), (c - d, c), (c, c + d), (c, c - d)):
            g.put(x, y, 'I')


def default_cursor():
    """The pick box on a crosshair: what a selection shows while idle (2004)."""
    g = Grid()
    crosshair(g, gap=4)
    for d in range(-3, 4):
        for x, y in ((15 + d, 12), (15 + d, 18), (12, 15 + d), (18, 15 + d)):
            g.put(x, y, 'I')
    return g, (15, 15)


def rect_cursor():
    """A crosshair with a small frame beside it: a selection rectangle is open (2005)."""
    g = Grid()
    crosshair(g)
    for x in range(20, 30):
        for y in (20, 27):
            if x % 2 == 0:
                g.put(x, y, 'I')
    for y in range(20, 28):
        for x in (20, 29):
            if y % 2 == 0:
                g.put(x, y, 'I')
    return g, (15, 15)


def point_cursor():
    """A plain crosshair: a point input waits for a snapped point (2006)."""
    g = Grid()
    crosshair(g, reach=13)
    return g, (15, 15)


def node_cursor():
    """A crosshair with a small diamond: the node variant of the point cursor (2007)."""
    g = Grid()
    crosshair(g, reach=13, gap=5)
    for i in range(4):
        for x, y in ((15 + i, 11 + i), (19 - i, 15 + i), (15 - i, 19 - i), (11 + i, 15 - i)):
            g.put(x, y, 'I')
    return g, (15, 15)


def pan_cursor():
    """Four arrows from the centre: the view moves with the pointer (135)."""
    g = Grid()
    g.line(15, 5, 15, 25)
    g.line(5, 15, 25, 15)
    for dx, dy in ((0, -1), (0, 1), (-1, 0), (1, 0)):
        arrow_head(g, 15 + dx * 11, 15 + dy * 11, dx, dy)
    g.outline()
    return g, (15, 15)


def rotate_cursor():
    """Two arrows running round the centre: the 3-D view turns (1037)."""
    g = Grid()
    for r in (9, 10):
        g.arc(15, 15, r, 20, 160)
        g.arc(15, 15, r, 200, 340)
    arrow_head(g, 6, 18, 0, 1)
    arrow_head(g, 25, 12, 0, -1)
    g.put(15, 15, 'W')
    g.outline()
    return g, (15, 15)


def zoom_cursor():
    """A lens with an arrow up and down inside: drag up to enlarge, down to reduce (2008)."""
    g = Grid()
    for r in (8, 9):
        g.arc(12, 12, r, 0, 360)
    for i in range(7):
        g.line(18 + i, 19 + i, 19 + i, 18 + i)
        g.line(18 + i, 18 + i, 19 + i, 19 + i)
    g.line(12, 7, 12, 17)
    arrow_head(g, 12, 6, 0, -1, 3)
    arrow_head(g, 12, 18, 0, 1, 3)
    g.outline()
    return g, (12, 12)


def cur_bytes(grid, hotspot):
    """A cursor file: the directory, then a 1-bit bitmap of the XOR image over the AND
    mask, both bottom-up, with a black and white palette."""
    row = 4  # 32 bits a row
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(N)):
        xbits = bytearray(row)
        mbits = bytearray(row)
        for x in range(N):
            v = grid.c[y][x]
            x_on = v in ('W', 'I')
            m_on = v in (' ', 'I')
            if x_on:
                xbits[x // 8] |= 0x80 >> (x % 8)
            if m_on:
                mbits[x // 8] |= 0x80 >> (x % 8)
        xor += xbits
        mask += mbits
    header = struct.pack('<IiiHHIIiiII', 40, N, N * 2, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', N, N, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


CURSORS = {
    'oppan.cur': pan_cursor,
    'oprotate.cur': rotate_cursor,
    'opdefault.cur': default_cursor,
    'opselrect.cur': rect_cursor,
    'oppoint.cur': point_cursor,
    'opnode.cur': node_cursor,
    'opzoom.cur': zoom_cursor,
}

if __name__ == '__main__':
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'resources', 'res')
    for name, draw in CURSORS.items():
        grid, hot = draw()
        with open(os.path.join(out, name), 'wb') as f:
            f.write(cur_bytes(grid, hot))
        print(name)
        for line in grid.c:
            print('  |' + ''.join(line) + '|')
