// Draws recorded calls into pixels. Every figure is first rasterised without
// antialiasing into a coverage mask, then the mask's pixels are combined with the
// destination by the raster operation, so that R2_XORPEN drawn twice gives back exactly
// the pixels it started from. One-pixel pens are stepped by hand, as the window system
// does, leaving out the last pixel of each line so that joined segments meet once.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "gdi_internal.h"

namespace vyr {

namespace {

struct Box
{
    int l, t, r, b; // half-open
    bool Empty() const { return r <= l || b <= t; }
};

Box Intersect(Box a, Box b) { return Box{std::max(a.l, b.l), std::max(a.t, b.t), std::min(a.r, b.r), std::min(a.b, b.b)}; }

// Coverage over a box of the image.
struct Mask
{
    Box box{0, 0, 0, 0};
    std::vector<std::uint8_t> a;

    explicit Mask(Box b) : box(b)
    {
        if (box.Empty()) box = Box{0, 0, 0, 0};
        a.assign((size_t)(box.r - box.l) * (size_t)(box.b - box.t), 0);
    }
    int W() const { return box.r - box.l; }
    int H() const { return box.b - box.t; }
    bool Empty() const { return box.Empty(); }
    void Set(int x, int y)
    {
        if (x >= box.l && x < box.r && y >= box.t && y < box.b) a[(size_t)(y - box.t) * (size_t)W() + (size_t)(x - box.l)] = 1;
    }
    bool Get(int x, int y) const
    {
        return x >= box.l && x < box.r && y >= box.t && y < box.b && a[(size_t)(y - box.t) * (size_t)W() + (size_t)(x - box.l)];
    }
    void FillBox(Box f)
    {
        f = Intersect(f, box);
        for (int y = f.t; y < f.b; ++y)
            for (int x = f.l; x < f.r; ++x) a[(size_t)(y - box.t) * (size_t)W() + (size_t)(x - box.l)] = 1;
    }
    // Removes what other covers.
    void Subtract(const Mask& other)
    {
        if (other.Empty()) return;
        for (int y = box.t; y < box.b; ++y)
            for (int x = box.l; x < box.r; ++x)
                if (other.Get(x, y)) a[(size_t)(y - box.t) * (size_t)W() + (size_t)(x - box.l)] = 0;
    }
};

// Rasterises a cairo path (built by draw, in image coordinates) into the mask.
template <class F>
void CairoMask(Mask& m, F&& draw)
{
    if (m.Empty()) return;
    std::lock_guard<std::mutex> lock(CairoMutex());
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, m.W(), m.H());
    cairo_t* cr = cairo_create(s);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_t* fo = cairo_font_options_create();
    cairo_font_options_set_antialias(fo, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(fo, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(fo, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, fo);
    cairo_font_options_destroy(fo);
    cairo_translate(cr, -m.box.l, -m.box.t);
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    draw(cr);
    cairo_destroy(cr);
    cairo_surface_flush(s);
    const unsigned char* d = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < m.H(); ++y)
        for (int x = 0; x < m.W(); ++x)
            if (d[(size_t)y * (size_t)stride + (size_t)x] >= 128) m.a[(size_t)y * (size_t)m.W() + (size_t)x] = 1;
    cairo_surface_destroy(s);
}

std::uint32_t Rop2(int rop, std::uint32_t p, std::uint32_t d)
{
    switch (rop) {
    case R2_COPYPEN: return p;
    case R2_XORPEN: return p ^ d;
    case R2_NOP: return d;
    default: break;
    }
    const int n = rop - 1;
    std::uint32_t r = 0;
    for (int k = 0; k < 4; ++k)
        if (n & (1 << k)) r |= ((k & 2) ? p : ~p) & ((k & 1) ? d : ~d);
    return r & 0xFFFFFF;
}

std::uint32_t Rop3(DWORD rop, std::uint32_t p, std::uint32_t s, std::uint32_t d)
{
    if (rop == SRCCOPY) return s;
    const unsigned idx = (rop >> 16) & 0xFF;
    std::uint32_t r = 0;
    for (int k = 0; k < 8; ++k)
        if (idx & (1u << k)) r |= ((k & 4) ? p : ~p) & ((k & 2) ? s : ~s) & ((k & 1) ? d : ~d);
    return r & 0xFFFFFF;
}

// The image, where the device origin lies in it, and the part a call may touch.
struct Canvas
{
    Image& img;
    POINT origin;
    Box clip;
};

Canvas MakeCanvas(Image& img, POINT origin, const DrawState& st)
{
    Box clip{0, 0, img.Width(), img.Height()};
    if (st.hasClip)
        clip = Intersect(clip, Box{st.clip.left + origin.x, st.clip.top + origin.y, st.clip.right + origin.x,
                                   st.clip.bottom + origin.y});
    return Canvas{img, origin, clip};
}

// Coordinates beyond a billion pixels are held there: no figure is that large, and the
// sums stay inside the integer range.
LONG Hold(long long v) { return (LONG)std::clamp<long long>(v, -(1LL << 30), 1LL << 30); }

POINT ToImage(const Canvas& c, const DrawState& st, POINT p)
{
    return POINT{Hold((long long)p.x - st.windowOrg.x + st.viewportOrg.x + c.origin.x),
                 Hold((long long)p.y - st.windowOrg.y + st.viewportOrg.y + c.origin.y)};
}

Box ToImage(const Canvas& c, const DrawState& st, const RECT& r)
{
    POINT a = ToImage(c, st, POINT{r.left, r.top});
    POINT b = ToImage(c, st, POINT{r.right, r.bottom});
    return Box{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

void Compose(Canvas& c, const Mask& m, COLORREF color, int rop)
{
    if (m.Empty()) return;
    const Box b = Intersect(m.box, c.clip);
    const std::uint32_t p = Image::ToPixel(color);
    for (int y = b.t; y < b.b; ++y) {
        std::uint32_t* row = c.img.Row(y);
        for (int x = b.l; x < b.r; ++x)
            if (m.Get(x, y)) row[x] = Rop2(rop, p, row[x]);
    }
}

void FillCopy(Canvas& c, Box b, COLORREF color)
{
    b = Intersect(b, c.clip);
    const std::uint32_t p = Image::ToPixel(color);
    for (int y = b.t; y < b.b; ++y)
        for (int x = b.l; x < b.r; ++x) c.img.Row(y)[x] = p;
}

// ---- pens ----

bool PenVisible(const LOGPEN& p) { return p.lopnStyle != PS_NULL; }
bool ThinPen(const LOGPEN& p) { return p.lopnWidth.x <= 1; }

// On/off run lengths of the styled one-pixel pens; empty for solid.
std::vector<int> PenPattern(UINT style)
{
    switch (style) {
    case PS_DASH: return {18, 6};
    case PS_DOT: return {3, 3};
    case PS_DASHDOT: return {9, 6, 3, 6};
    case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

bool PatternOn(const std::vector<int>& pat, long long phase)
{
    if (pat.empty()) return true;
    int total = 0;
    for (int v : pat) total += v;
    long long pos = phase % total;
    for (size_t i = 0; i < pat.size(); ++i) {
        if (pos < pat[i]) return i % 2 == 0;
        pos -= pat[i];
    }
    return true;
}

// Rounds n / d to the nearest integer (d > 0), halves upward.
long long DivRound(__int128 n, long long d)
{
    __int128 q = 2 * n + d, dd = 2 * (__int128)d;
    __int128 r = q / dd;
    if (q % dd != 0 && q < 0) --r; // floor
    return (long long)r;
}

// A one-pixel line from a to b, b itself left out. Pixel s of the line lies s steps along
// the major axis with the minor coordinate rounded, so the pixels of any stretch can be
// computed without walking from the start: a line reaching far beyond the image only
// costs its visible part.
void ThinSegment(Mask& m, POINT a, POINT b, const std::vector<int>& pat, long long& phase)
{
    const long long dx = (long long)b.x - a.x, dy = (long long)b.y - a.y;
    const long long steps = std::max(std::llabs(dx), std::llabs(dy));
    if (steps == 0) return;
    long long s0 = 0, s1 = steps;
    const long long near = 4LL * (m.W() + m.H()) + 64;
    if (steps > near) {
        double t0 = 0.0, t1 = 1.0;
        auto clipAxis = [&](double p0, double d, double lo, double hi) {
            if (d == 0) {
                if (p0 < lo || p0 > hi) t0 = 2.0;
                return;
            }
            double ta = (lo - p0) / d, tb = (hi - p0) / d;
            if (ta > tb) std::swap(ta, tb);
            t0 = std::max(t0, ta);
            t1 = std::min(t1, tb);
        };
        clipAxis(a.x, (double)dx, m.box.l - 2.0, m.box.r + 2.0);
        clipAxis(a.y, (double)dy, m.box.t - 2.0, m.box.b + 2.0);
        if (t0 > t1) {
            phase += steps;
            return;
        }
        s0 = std::max(0LL, (long long)std::floor(t0 * (double)steps) - 2);
        s1 = std::min(steps, (long long)std::ceil(t1 * (double)steps) + 2);
    }
    for (long long s = s0; s < s1; ++s) {
        if (!PatternOn(pat, phase + s)) continue;
        const long long x = a.x + DivRound((__int128)s * dx, steps);
        const long long y = a.y + DivRound((__int128)s * dy, steps);
        m.Set((int)x, (int)y);
    }
    phase += steps;
}

void ThinPolyline(Mask& m, const std::vector<POINT>& pts, bool closed, UINT style)
{
    const std::vector<int> pat = PenPattern(style);
    long long phase = 0;
    for (size_t i = 0; i + 1 < pts.size(); ++i) ThinSegment(m, pts[i], pts[i + 1], pat, phase);
    if (closed && pts.size() > 2) ThinSegment(m, pts.back(), pts.front(), pat, phase);
}

void ApplyPenToCairo(cairo_t* cr, const LOGPEN& pen)
{
    const double w = std::max(1, (int)pen.lopnWidth.x);
    cairo_set_line_width(cr, w);
    if (w > 1) {
        // Wide pens draw solid, with round ends and joins.
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    } else {
        std::vector<int> pat = PenPattern(pen.lopnStyle);
        std::vector<double> dash(pat.begin(), pat.end());
        if (!dash.empty()) cairo_set_dash(cr, dash.data(), (int)dash.size(), 0);
    }
}

// The bounding box of points with a margin for the pen.
Box Bounds(const std::vector<POINT>& pts, int margin)
{
    Box b{pts.front().x, pts.front().y, pts.front().x + 1, pts.front().y + 1};
    for (POINT p : pts) {
        b.l = std::min(b.l, (int)p.x);
        b.t = std::min(b.t, (int)p.y);
        b.r = std::max(b.r, (int)p.x + 1);
        b.b = std::max(b.b, (int)p.y + 1);
    }
    return Box{b.l - margin, b.t - margin, b.r + margin, b.b + margin};
}

int PenMargin(const LOGPEN& p) { return std::max(1, (int)p.lopnWidth.x) / 2 + 2; }

// A polyline (or closed polygon outline) in the pen.
void PenPath(Mask& m, const LOGPEN& pen, const std::vector<POINT>& pts, bool closed)
{
    if (!PenVisible(pen) || pts.empty()) return;
    if (ThinPen(pen)) {
        ThinPolyline(m, pts, closed, pen.lopnStyle);
        return;
    }
    CairoMask(m, [&](cairo_t* cr) {
        ApplyPenToCairo(cr, pen);
        cairo_move_to(cr, pts[0].x + 0.5, pts[0].y + 0.5);
        for (size_t i = 1; i < pts.size(); ++i) cairo_line_to(cr, pts[i].x + 0.5, pts[i].y + 0.5);
        if (closed) cairo_close_path(cr);
        if (pts.size() == 1) cairo_line_to(cr, pts[0].x + 0.5, pts[0].y + 0.5);
        cairo_stroke(cr);
    });
}

// Draws a figure: the brush fills, then the pen draws the outline, both in the ROP2.
void DrawFigure(Canvas& c, const DrawState& st, Mask& fill, const Mask& pen)
{
    fill.Subtract(pen);
    if (st.brush.lbStyle == BS_SOLID) Compose(c, fill, st.brush.lbColor, st.rop2);
    Compose(c, pen, st.pen.lopnColor, st.rop2);
}

// ---- ellipses and arcs ----

struct EllipseGeom
{
    double cx, cy, rx, ry;
};

EllipseGeom Geom(Box b)
{
    // Through the centres of the outermost pixels of the box.
    return EllipseGeom{(b.l + b.r) / 2.0, (b.t + b.b) / 2.0, std::max(0.0, (b.r - b.l - 1) / 2.0),
                       std::max(0.0, (b.b - b.t - 1) / 2.0)};
}

// Parametric angle (cairo's, y down) of the ray from the centre through p.
double RayAngle(const EllipseGeom& g, POINT p)
{
    const double dx = p.x + 0.5 - g.cx, dy = p.y + 0.5 - g.cy;
    return std::atan2(dy * std::max(g.rx, 1e-9), dx * std::max(g.ry, 1e-9));
}

enum class ArcShape { Full, Arc, Pie, Chord };

void EllipsePath(cairo_t* cr, const EllipseGeom& g, ArcShape shape, double a1, double a2)
{
    cairo_save(cr);
    cairo_translate(cr, g.cx, g.cy);
    cairo_scale(cr, std::max(g.rx, 1e-3), std::max(g.ry, 1e-3));
    if (shape == ArcShape::Full) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_close_path(cr);
    } else {
        // Counter-clockwise on the screen is decreasing angle with y down.
        if (a2 >= a1) a2 -= 2 * M_PI;
        if (shape == ArcShape::Pie) cairo_move_to(cr, 0, 0);
        else cairo_new_sub_path(cr);
        cairo_arc_negative(cr, 0, 0, 1, a1, a2);
        if (shape != ArcShape::Arc) cairo_close_path(cr);
    }
    cairo_restore(cr);
}

void DrawEllipseLike(Canvas& c, const DrawState& st, Box b, ArcShape shape, POINT s, POINT e)
{
    if (b.r - b.l < 1 || b.b - b.t < 1) return;
    const EllipseGeom g = Geom(b);
    double a1 = 0, a2 = 0;
    if (shape != ArcShape::Full) {
        a1 = RayAngle(g, s);
        a2 = RayAngle(g, e);
        if (s.x == e.x && s.y == e.y) {
            a2 = a1; // the whole ellipse
        }
    }
    const int margin = PenMargin(st.pen);
    const Box mb = Intersect(Box{b.l - margin, b.t - margin, b.r + margin, b.b + margin}, c.clip);
    Mask pen(mb), fill(mb);
    if (PenVisible(st.pen))
        CairoMask(pen, [&](cairo_t* cr) {
            ApplyPenToCairo(cr, st.pen);
            EllipsePath(cr, g, shape, a1, a2);
            cairo_stroke(cr);
        });
    if (shape != ArcShape::Arc && st.brush.lbStyle == BS_SOLID)
        CairoMask(fill, [&](cairo_t* cr) {
            EllipsePath(cr, g, shape, a1, a2);
            cairo_fill(cr);
        });
    DrawFigure(c, st, fill, pen);
}

// ---- text ----

struct TextBox
{
    double xoff, yoff; // where the baseline starts, in the text's own frame
    int width, ascent, descent;
};

TextBox PlaceText(const FontSpec& f, const std::string& text, UINT align)
{
    const FontMetrics fm = MeasureFont(f);
    TextBox t{0, 0, TextWidth(f, text), fm.ascent, fm.descent};
    if ((align & TA_CENTER) == TA_CENTER) t.xoff = -t.width / 2;
    else if (align & TA_RIGHT) t.xoff = -t.width;
    if ((align & TA_BASELINE) == TA_BASELINE) t.yoff = 0;
    else if (align & TA_BOTTOM) t.yoff = -t.descent;
    else t.yoff = t.ascent;
    return t;
}

// Text at a reference point (image coordinates), turned by the font's escapement.
void DrawTextAt(Canvas& c, const DrawState& st, const FontSpec& f, POINT ref, const std::string& text, UINT align,
                Box clip, bool opaque)
{
    if (text.empty() && !opaque) return;
    const TextBox t = PlaceText(f, text, align);
    const double ca = std::cos(f.angle), sa = std::sin(f.angle);
    // Corners of the text box turned counter-clockwise on the screen.
    double minx = 1e18, miny = 1e18, maxx = -1e18, maxy = -1e18;
    for (double u : {t.xoff, t.xoff + t.width})
        for (double v : {t.yoff - t.ascent, t.yoff + t.descent}) {
            const double x = ref.x + u * ca + v * sa, y = ref.y - u * sa + v * ca;
            minx = std::min(minx, x);
            maxx = std::max(maxx, x);
            miny = std::min(miny, y);
            maxy = std::max(maxy, y);
        }
    const int margin = (int)f.emPixels / 2 + 2;
    const Box area = Intersect(Intersect(Box{(int)std::floor(minx) - margin, (int)std::floor(miny) - margin,
                                             (int)std::ceil(maxx) + margin, (int)std::ceil(maxy) + margin},
                                         c.clip),
                               clip);
    if (area.Empty()) return;
    auto frame = [&](cairo_t* cr) {
        cairo_translate(cr, ref.x, ref.y);
        cairo_rotate(cr, -f.angle);
    };
    Mask glyphs(area), back(area);
    CairoMask(glyphs, [&](cairo_t* cr) {
        frame(cr);
        cairo_move_to(cr, t.xoff, t.yoff);
        for (const TextRun& r : SplitRuns(f, text)) {
            cairo_select_font_face(cr, r.family.c_str(), f.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                                   f.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
            cairo_set_font_size(cr, f.emPixels);
            ShowRun(cr, f, r.text);
        }
        const double thick = std::max(1.0, std::round(f.emPixels / 14.0));
        if (f.underline) {
            cairo_rectangle(cr, t.xoff, t.yoff + std::max(1.0, std::round(t.descent / 2.0)) - thick / 2, t.width, thick);
            cairo_fill(cr);
        }
        if (f.strikeOut) {
            cairo_rectangle(cr, t.xoff, t.yoff - std::round(t.ascent / 3.0) - thick / 2, t.width, thick);
            cairo_fill(cr);
        }
    });
    if (opaque) {
        CairoMask(back, [&](cairo_t* cr) {
            frame(cr);
            cairo_rectangle(cr, t.xoff, t.yoff - t.ascent, t.width, t.ascent + t.descent);
            cairo_fill(cr);
        });
        back.Subtract(glyphs);
        Compose(c, back, st.bkColor, st.rop2);
    }
    Compose(c, glyphs, st.textColor, st.rop2);
}

Box NoClip() { return Box{-(1 << 30), -(1 << 30), 1 << 30, 1 << 30}; }

// ---- block transfers ----

void Blt(Canvas& c, const DrawRecord& rec, bool stretch)
{
    const DrawState& st = rec.state;
    POINT a = ToImage(c, st, POINT{rec.rect.left, rec.rect.top});
    const long long w = (long long)rec.rect.right - rec.rect.left, h = (long long)rec.rect.bottom - rec.rect.top;
    const Box dst = Intersect(Box{a.x, a.y, (int)std::min<long long>(a.x + w, c.clip.r), (int)std::min<long long>(a.y + h, c.clip.b)},
                              c.clip);
    const Image* src = rec.source.get();
    const std::uint32_t p = Image::ToPixel(st.brush.lbStyle == BS_SOLID ? st.brush.lbColor : RGB(0, 0, 0));
    for (int y = dst.t; y < dst.b; ++y) {
        std::uint32_t* row = c.img.Row(y);
        for (int x = dst.l; x < dst.r; ++x) {
            std::uint32_t s = 0;
            if (src && !src->IsEmpty()) {
                long long sx = x - a.x, sy = y - a.y;
                if (stretch && rec.points.size() > 1) {
                    sx = sx * rec.points[1].x / std::max(1LL, w);
                    sy = sy * rec.points[1].y / std::max(1LL, h);
                }
                if (sx < src->Width() && sy < src->Height()) s = src->Row(sy)[sx];
            }
            row[x] = Rop3(rec.rop, p, s, row[x]);
        }
    }
}

} // namespace

void RenderRecord(const DrawRecord& rec, Image& img, POINT origin)
{
    if (img.IsEmpty()) return;
    const DrawState& st = rec.state;
    Canvas c = MakeCanvas(img, origin, st);
    if (c.clip.Empty()) return;
    auto pts = [&]() {
        std::vector<POINT> v;
        v.reserve(rec.points.size());
        for (POINT p : rec.points) v.push_back(ToImage(c, st, p));
        return v;
    };
    Box r = ToImage(c, st, rec.rect);

    switch (rec.kind) {
    case DrawKind::Line:
    case DrawKind::Polyline: {
        std::vector<POINT> v = pts();
        if (v.size() < 2 || !PenVisible(st.pen)) break;
        Mask pen(Intersect(Bounds(v, PenMargin(st.pen)), c.clip));
        PenPath(pen, st.pen, v, false);
        Compose(c, pen, st.pen.lopnColor, st.rop2);
        break;
    }
    case DrawKind::PolyPolyline: {
        std::vector<POINT> v = pts();
        if (v.empty() || !PenVisible(st.pen)) break;
        Mask pen(Intersect(Bounds(v, PenMargin(st.pen)), c.clip));
        size_t at = 0;
        for (DWORD n : rec.counts) {
            if (at + n > v.size()) break;
            PenPath(pen, st.pen, std::vector<POINT>(v.begin() + (long)at, v.begin() + (long)(at + n)), false);
            at += n;
        }
        Compose(c, pen, st.pen.lopnColor, st.rop2);
        break;
    }
    case DrawKind::Polygon: {
        std::vector<POINT> v = pts();
        if (v.size() < 2) break;
        const Box mb = Intersect(Bounds(v, PenMargin(st.pen)), c.clip);
        Mask pen(mb), fill(mb);
        PenPath(pen, st.pen, v, true);
        if (st.brush.lbStyle == BS_SOLID)
            CairoMask(fill, [&](cairo_t* cr) {
                cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
                cairo_move_to(cr, v[0].x + 0.5, v[0].y + 0.5);
                for (size_t i = 1; i < v.size(); ++i) cairo_line_to(cr, v[i].x + 0.5, v[i].y + 0.5);
                cairo_close_path(cr);
                cairo_fill(cr);
            });
        DrawFigure(c, st, fill, pen);
        break;
    }
    case DrawKind::Rectangle: {
        if (r.r - r.l < 1 || r.b - r.t < 1) break;
        const int margin = PenMargin(st.pen);
        const Box mb = Intersect(Box{r.l - margin, r.t - margin, r.r + margin, r.b + margin}, c.clip);
        Mask pen(mb), fill(mb);
        if (PenVisible(st.pen)) {
            std::vector<POINT> corners{{r.l, r.t}, {r.r - 1, r.t}, {r.r - 1, r.b - 1}, {r.l, r.b - 1}};
            if (r.r - r.l == 1 || r.b - r.t == 1) pen.FillBox(r);
            else PenPath(pen, st.pen, corners, true);
            fill.FillBox(Box{r.l + 1, r.t + 1, r.r - 1, r.b - 1});
        } else {
            // Without a pen the figure is a pixel smaller on the right and bottom.
            fill.FillBox(Box{r.l, r.t, r.r - 1, r.b - 1});
        }
        DrawFigure(c, st, fill, pen);
        break;
    }
    case DrawKind::Ellipse: DrawEllipseLike(c, st, r, ArcShape::Full, POINT{}, POINT{}); break;
    case DrawKind::Arc:
    case DrawKind::Pie:
    case DrawKind::Chord: {
        if (rec.points.size() < 2) break;
        std::vector<POINT> v = pts();
        const ArcShape shape = rec.kind == DrawKind::Arc ? ArcShape::Arc
                               : rec.kind == DrawKind::Pie ? ArcShape::Pie
                                                           : ArcShape::Chord;
        DrawEllipseLike(c, st, r, shape, v[0], v[1]);
        break;
    }
    case DrawKind::FillRect:
    case DrawKind::FillSolidRect:
        if (rec.color != CLR_NONE) FillCopy(c, r, rec.color);
        break;
    case DrawKind::FrameRect:
        if (rec.color == CLR_NONE || r.Empty()) break;
        FillCopy(c, Box{r.l, r.t, r.r, r.t + 1}, rec.color);
        FillCopy(c, Box{r.l, r.b - 1, r.r, r.b}, rec.color);
        FillCopy(c, Box{r.l, r.t, r.l + 1, r.b}, rec.color);
        FillCopy(c, Box{r.r - 1, r.t, r.r, r.b}, rec.color);
        break;
    case DrawKind::Draw3dRect:
        if (r.Empty()) break;
        FillCopy(c, Box{r.l, r.t, r.r - 1, r.t + 1}, rec.color);
        FillCopy(c, Box{r.l, r.t, r.l + 1, r.b - 1}, rec.color);
        FillCopy(c, Box{r.r - 1, r.t, r.r, r.b}, rec.color2);
        FillCopy(c, Box{r.l, r.b - 1, r.r, r.b}, rec.color2);
        break;
    case DrawKind::InvertRect: {
        const Box b = Intersect(r, c.clip);
        for (int y = b.t; y < b.b; ++y)
            for (int x = b.l; x < b.r; ++x) c.img.Row(y)[x] ^= 0xFFFFFF;
        break;
    }
    case DrawKind::DrawFocusRect: {
        if (r.Empty()) break;
        // Every other pixel of the border, inverted: drawing it again removes it.
        Mask m(Intersect(r, c.clip));
        for (int x = r.l; x < r.r; ++x) {
            if (((x - r.l) & 1) == 0) m.Set(x, r.t);
            if (((x - r.l + r.b - 1 - r.t) & 1) == 0) m.Set(x, r.b - 1);
        }
        for (int y = r.t + 1; y < r.b - 1; ++y) {
            if (((y - r.t) & 1) == 0) m.Set(r.l, y);
            if (((r.r - 1 - r.l + y - r.t) & 1) == 0) m.Set(r.r - 1, y);
        }
        Compose(c, m, RGB(255, 255, 255), R2_XORPEN);
        break;
    }
    case DrawKind::SetPixel: {
        std::vector<POINT> v = pts();
        if (!v.empty() && v[0].x >= c.clip.l && v[0].x < c.clip.r && v[0].y >= c.clip.t && v[0].y < c.clip.b)
            c.img.SetPixel(v[0].x, v[0].y, rec.color);
        break;
    }
    case DrawKind::TextOut:
    case DrawKind::ExtTextOut: {
        std::vector<POINT> v = pts();
        if (v.empty()) break;
        const FontSpec f = ResolveFont(st.font);
        Box clip = NoClip();
        if (rec.kind == DrawKind::ExtTextOut) {
            if (rec.flags & ETO_OPAQUE) FillCopy(c, r, st.bkColor);
            if (rec.flags & ETO_CLIPPED) clip = r;
        }
        DrawTextAt(c, st, f, v[0], rec.text, st.textAlign, clip, st.bkMode == OPAQUE);
        break;
    }
    case DrawKind::DrawText: {
        FontSpec f = ResolveFont(st.font);
        f.angle = 0;
        const TextLayout lay = LayoutText(f, rec.text, rec.rect, rec.flags);
        const Box clip = (rec.flags & DT_NOCLIP) ? NoClip() : r;
        for (const TextLine& l : lay.lines)
            DrawTextAt(c, st, f, ToImage(c, st, POINT{l.x, l.y}), l.text, TA_LEFT | TA_TOP, clip, st.bkMode == OPAQUE);
        break;
    }
    case DrawKind::BitBlt: Blt(c, rec, false); break;
    case DrawKind::StretchBlt: Blt(c, rec, true); break;
    case DrawKind::PatBlt: Blt(c, rec, false); break;
    }
}

Image RenderRecords(const std::vector<DrawRecord>& records, int width, int height, COLORREF background)
{
    Image img(width, height, background);
    for (const DrawRecord& r : records) RenderRecord(r, img);
    return img;
}

} // namespace vyr
