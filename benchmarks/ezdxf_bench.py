"""Writes the benchmark's drawing with ezdxf: lines on MEMBER, texts on TEXT, R12 in GBK.
Usage: ezdxf_bench.py LINES TEXTS OUTPUT. Prints: entities <n> seconds <s> rate <n/s>."""
import sys
import time

import ezdxf

lines, texts, out = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
start = time.perf_counter()
doc = ezdxf.new("R12")
doc.encoding = "gbk"
doc.header["$DWGCODEPAGE"] = "ANSI_936"
doc.layers.add("MEMBER")
doc.layers.add("TEXT")
msp = doc.modelspace()
for i in range(lines):
    x = i * 1.5
    msp.add_line((x, 0.25 * i), (x + 6000.5, 0.25 * i - 250.25), dxfattribs={"layer": "MEMBER"})
for i in range(texts):
    t = msp.add_text("梁L%d" % i, dxfattribs={"layer": "TEXT", "height": 250.0, "rotation": 30.0})
    t.set_placement((i * 3.0, 100.0), align=ezdxf.enums.TextEntityAlignment.BOTTOM_CENTER)
doc.saveas(out)
seconds = time.perf_counter() - start
n = lines + texts
print("entities", n, "seconds", seconds, "rate", n / seconds)
