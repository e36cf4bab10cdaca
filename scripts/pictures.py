"""The small pixel pictures the drawing scripts make: a grid of RGB colours (None where
nothing is painted), written as a 24-bit BMP or as a one-image icon."""
import struct


class Picture:
    def __init__(self, w, h, fill=None):
        self.w, self.h = w, h
        self.p = [[fill] * w for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.p[y][x] = c

    def hline(self, x0, x1, y, c):
        for x in range(min(x0, x1), max(x0, x1) + 1):
            self.put(x, y, c)

    def vline(self, x, y0, y1, c):
        for y in range(min(y0, y1), max(y0, y1) + 1):
            self.put(x, y, c)

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            self.hline(x0, x1, y, c)

    def frame(self, x0, y0, x1, y1, c):
        self.hline(x0, x1, y0, c)
        self.hline(x0, x1, y1, c)
        self.vline(x0, y0, y1, c)
        self.vline(x1, y0, y1, c)

    def rows_bgr(self, background):
        row = self.w * 3
        pad = (4 - row % 4) % 4
        data = bytearray()
        for y in range(self.h - 1, -1, -1):  # bottom-up
            for x in range(self.w):
                r, g, b = self.p[y][x] or background
                data += bytes((b, g, r))
            data += b'\0' * pad
        return data

    def save_bmp(self, path, background=(0, 0, 0)):
        """Unpainted pixels take the background."""
        data = self.rows_bgr(background)
        header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
        info = struct.pack('<IiiHHIIiiII', 40, self.w, self.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        with open(path, 'wb') as f:
            f.write(header + info + data)

    def save_ico(self, path):
        """One 24-bit image; unpainted pixels are transparent (set in the AND mask)."""
        colour = self.rows_bgr((0, 0, 0))
        mask_row = (self.w + 31) // 32 * 4
        mask = bytearray()
        for y in range(self.h - 1, -1, -1):
            bits = bytearray(mask_row)
            for x in range(self.w):
                if self.p[y][x] is None:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        info = struct.pack('<IiiHHIIiiII', 40, self.w, self.h * 2, 1, 24, 0, len(colour) + len(mask), 0, 0, 0, 0)
        image = info + colour + mask
        head = struct.pack('<HHH', 0, 1, 1)
        entry = struct.pack('<BBBBHHII', self.w, self.h, 0, 0, 1, 24, len(image), 6 + 16)
        with open(path, 'wb') as f:
            f.write(head + entry + image)
