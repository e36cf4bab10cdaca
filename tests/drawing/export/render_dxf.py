r"""Renders a DXF file to PNG with ezdxf's drawing add-on, showing exactly the model window
x0 y0 x1 y1, and prints for each probe point "x,y" (model units) a line "INK x,y n": the
number of pixels within two pixels of it that differ from the background (the picture's
most common colour).

usage: render_dxf.py file.dxf out.png x0 y0 x1 y1 [x,y ...]"""
import sys
from collections import Counter

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt
import ezdxf
from ezdxf.addons.drawing import Frontend, RenderContext
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend

dxf, png = sys.argv[1], sys.argv[2]
x0, y0, x1, y1 = (float(v) for v in sys.argv[3:7])
doc = ezdxf.readfile(dxf)
fig = plt.figure(figsize=(4, 4), dpi=100)
ax = fig.add_axes([0, 0, 1, 1])
ax.set_axis_off()
Frontend(RenderContext(doc), MatplotlibBackend(ax)).draw_layout(doc.modelspace(), finalize=False)
ax.set_xlim(x0, x1)
ax.set_ylim(y0, y1)
fig.savefig(png, dpi=100, facecolor=ax.get_facecolor())
img = plt.imread(png)
h, w = img.shape[0], img.shape[1]
pixel = lambda r, c: tuple(round(float(v), 2) for v in img[r][c][:3])
background = Counter(pixel(r, c) for r in range(0, h, 4) for c in range(0, w, 4)).most_common(1)[0][0]
for probe in sys.argv[7:]:
    x, y = (float(v) for v in probe.split(","))
    col = round((x - x0) / (x1 - x0) * (w - 1))
    row = round((y1 - y) / (y1 - y0) * (h - 1))
    ink = 0
    for r in range(max(0, row - 2), min(h, row + 3)):
        for c in range(max(0, col - 2), min(w, col + 3)):
            if pixel(r, c) != background:
                ink += 1
    print("INK", probe, ink)
