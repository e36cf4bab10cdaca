r"""Reads a DXF file with ezdxf, audits it and prints what it holds, one item a line:
ERRORS n / VERSION v / ENCODING e / CODEPAGE c / HANDSEED h / LAYER name / LINE layer x1 y1 z1 x2 y2 z2 /
TEXT layer x y z height rotation halign valign ax ay az|text (\U+XXXX decoded, as CAD
programs show it)."""
import sys

import ezdxf
from ezdxf.lldxf.encoding import decode_dxf_unicode

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
print("ERRORS", len(auditor.errors))
print("VERSION", doc.dxfversion)
print("ENCODING", doc.encoding)
print("CODEPAGE", doc.header.get("$DWGCODEPAGE", ""))
print("HANDSEED", doc.header.get("$HANDSEED", ""))
for layer in doc.layers:
    print("LAYER", layer.dxf.name)
for e in doc.modelspace():
    t = e.dxftype()
    if t == "LINE":
        s, d = e.dxf.start, e.dxf.end
        print("LINE", e.dxf.layer, repr(s.x), repr(s.y), repr(s.z), repr(d.x), repr(d.y), repr(d.z))
    elif t == "TEXT":
        p = e.dxf.insert
        a = e.dxf.align_point if e.dxf.hasattr("align_point") else p
        print("TEXT", e.dxf.layer, repr(p.x), repr(p.y), repr(p.z), repr(e.dxf.height), repr(e.dxf.rotation),
              e.dxf.halign, e.dxf.valign, repr(a.x), repr(a.y), repr(a.z), "|" + decode_dxf_unicode(e.dxf.text), sep=" ")
    else:
        print("OTHER", t)
