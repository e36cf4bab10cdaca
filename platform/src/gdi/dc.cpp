// Device contexts: the state drawing calls run under, the record of every call, and the
// pixels behind (a memory context's bitmap or a window's image).
#include <algorithm>
#include <cstring>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "gdi_internal.h"
#include <vyr/vyrdiag.h>

IMPLEMENT_DYNAMIC(CDC, CObject)

namespace vyr {

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr int kDpi = 96;

// Never destroyed: contexts left open at exit stay valid for static destructors.
std::mutex& DcMutex()
{
    static auto* m = new std::mutex;
    return *m;
}
std::unordered_map<HDC, std::unique_ptr<DcData>>& Dcs()
{
    static auto* r = new std::unordered_map<HDC, std::unique_ptr<DcData>>;
    return *r;
}

void InitObjects(DcData& d)
{
    d.pen = StockGdi(BLACK_PEN);
    d.brush = StockGdi(WHITE_BRUSH);
    d.font = StockGdi(SYSTEM_FONT);
    d.palette = StockGdi(DEFAULT_PALETTE);
    d.state = DefaultState();
}

} // namespace

DrawState DefaultState()
{
    DrawState s{};
    s.pen = StockGdi(BLACK_PEN)->pen;
    s.brush = StockGdi(WHITE_BRUSH)->brush;
    s.font = StockGdi(SYSTEM_FONT)->font;
    s.textAlign = TA_LEFT | TA_TOP | TA_NOUPDATECP;
    s.textColor = RGB(0, 0, 0);
    s.bkMode = OPAQUE;
    s.bkColor = RGB(255, 255, 255);
    s.rop2 = R2_COPYPEN;
    s.mapMode = MM_TEXT;
    return s;
}

Image* DcData::Target() const
{
    if (memory) return bitmap ? &bitmap->image : nullptr;
    return external;
}

void DcData::Draw(DrawRecord&& rec)
{
    rec.state = state;
    records.push_back(std::move(rec));
    if (Image* img = Target()) RenderRecord(records.back(), *img, TargetOrigin());
}

DcData* LookupDc(HDC h)
{
    if (!h) return nullptr;
    std::lock_guard<std::mutex> lock(DcMutex());
    auto it = Dcs().find(h);
    return it == Dcs().end() ? nullptr : it->second.get();
}

HDC RegisterDc(std::unique_ptr<DcData> d)
{
    HDC h = reinterpret_cast<HDC>(d.get());
    std::lock_guard<std::mutex> lock(DcMutex());
    Dcs()[h] = std::move(d);
    return h;
}

void DeleteDc(HDC h)
{
    std::unique_ptr<DcData> d;
    {
        std::lock_guard<std::mutex> lock(DcMutex());
        auto it = Dcs().find(h);
        if (it == Dcs().end()) return;
        d = std::move(it->second);
        Dcs().erase(it);
    }
    // The object that held it now holds nothing, as after DeleteDC.
    if (d->owner) d->owner->m_hDC = d->owner->m_hAttribDC = nullptr;
}

HDC CreateDisplayDC(Image* target, POINT origin, const RECT* clip)
{
    auto d = std::make_unique<DcData>();
    InitObjects(*d);
    d->external = target;
    d->origin = origin;
    if (clip) {
        d->state.hasClip = true;
        d->state.clip = *clip;
    }
    return RegisterDc(std::move(d));
}

void DeleteDisplayDC(HDC hdc) { DeleteDc(hdc); }

} // namespace vyr

using vyr::DcData;
using vyr::GdiData;
using vyr::GdiKind;

namespace {

// What SelectObject hands back for the object it replaced.
CGdiObject* Previous(DcData& d, const std::shared_ptr<GdiData>& prev)
{
    if (!prev) return nullptr;
    if (!prev->owner && !prev->stock &&
        std::find(d.keepAlive.begin(), d.keepAlive.end(), prev) == d.keepAlive.end())
        d.keepAlive.push_back(prev);
    return CGdiObject::FromHandle(prev->Handle());
}

std::shared_ptr<GdiData> Selectable(const CGdiObject* p, GdiKind kind)
{
    VYR_CHECK(p != nullptr && p->m_hObject != nullptr, "SelectObject with a drawing object that does not exist");
    auto d = vyr::LookupGdi(p->m_hObject);
    VYR_CHECK(d != nullptr, "SelectObject with a deleted drawing object");
    VYR_CHECK(d->kind == kind, "SelectObject with the wrong kind of drawing object");
    return d;
}

RECT Normalized(RECT r)
{
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    return r;
}

// x + n without overflowing: far coordinates stop at the end of the range.
LONG Reach(int x, int n)
{
    return (LONG)std::clamp<long long>((long long)x + n, INT32_MIN, INT32_MAX);
}

bool UsesSource(DWORD rop)
{
    const unsigned idx = (rop >> 16) & 0xFF;
    return ((idx >> 2) & 0x33) != (idx & 0x33);
}

} // namespace

// ---- lifetime ----

CDC::~CDC()
{
    if (m_temporary) return;
    if (m_hDC) DeleteDC();
}

DcData* CDC::Data() const
{
    VYR_CHECK(m_hDC != nullptr, "drawing on a device context that does not exist");
    return reinterpret_cast<DcData*>(m_hDC);
}

CDC* CDC::FromHandle(HDC h)
{
    DcData* d = vyr::LookupDc(h);
    if (!d) return nullptr;
    if (d->owner) return d->owner;
    if (!d->temporary) {
        d->temporary = std::make_unique<CDC>();
        d->temporary->m_temporary = true;
        d->temporary->m_hDC = h;
        d->temporary->m_hAttribDC = h;
    }
    return d->temporary.get();
}

BOOL CDC::Attach(HDC h)
{
    VYR_CHECK(m_hDC == nullptr, "Attach on a device context that already has a handle");
    DcData* d = vyr::LookupDc(h);
    if (!d) return FALSE;
    m_hDC = m_hAttribDC = h;
    d->owner = this;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    if (DcData* d = vyr::LookupDc(h))
        if (d->owner == this) d->owner = nullptr;
    m_hDC = m_hAttribDC = nullptr;
    return h;
}

BOOL CDC::CreateCompatibleDC(CDC*)
{
    VYR_CHECK(m_hDC == nullptr, "CreateCompatibleDC on a device context that already exists");
    auto d = std::make_unique<DcData>();
    vyr::InitObjects(*d);
    d->memory = true;
    d->bitmap = vyr::NewGdi(GdiKind::Bitmap);
    d->bitmap->image = vyr::Image(1, 1);
    d->owner = this;
    m_hDC = m_hAttribDC = vyr::RegisterDc(std::move(d));
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC || m_temporary) return FALSE;
    HDC h = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    vyr::DeleteDc(h);
    return TRUE;
}

const std::vector<vyr::DrawRecord>& CDC::Records() const { return Data()->records; }
void CDC::ClearRecords() { Data()->records.clear(); }
const vyr::DrawState& CDC::GetState() const { return Data()->state; }
vyr::Image* CDC::GetTargetImage() const { return Data()->Target(); }

// ---- objects ----

CPen* CDC::SelectObject(CPen* pPen)
{
    DcData* d = Data();
    auto n = Selectable(pPen, GdiKind::Pen);
    std::swap(d->pen, n);
    d->state.pen = d->pen->pen;
    return static_cast<CPen*>(Previous(*d, n));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    DcData* d = Data();
    auto n = Selectable(pBrush, GdiKind::Brush);
    std::swap(d->brush, n);
    d->state.brush = d->brush->brush;
    return static_cast<CBrush*>(Previous(*d, n));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    DcData* d = Data();
    auto n = Selectable(pFont, GdiKind::Font);
    std::swap(d->font, n);
    d->state.font = d->font->font;
    return static_cast<CFont*>(Previous(*d, n));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    DcData* d = Data();
    auto n = Selectable(pBitmap, GdiKind::Bitmap);
    // Only memory contexts hold bitmaps.
    if (!d->memory) return nullptr;
    std::swap(d->bitmap, n);
    return static_cast<CBitmap*>(Previous(*d, n));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    VYR_CHECK(pObject != nullptr && pObject->m_hObject != nullptr, "SelectObject with a drawing object that does not exist");
    auto d = vyr::LookupGdi(pObject->m_hObject);
    VYR_CHECK(d != nullptr, "SelectObject with a deleted drawing object");
    switch (d->kind) {
    case GdiKind::Pen: return SelectObject(static_cast<CPen*>(pObject));
    case GdiKind::Brush: return SelectObject(static_cast<CBrush*>(pObject));
    case GdiKind::Font: return SelectObject(static_cast<CFont*>(pObject));
    case GdiKind::Bitmap: return SelectObject(static_cast<CBitmap*>(pObject));
    case GdiKind::Palette: return SelectPalette(static_cast<CPalette*>(pObject), FALSE);
    }
    return nullptr;
}

CGdiObject* CDC::SelectStockObject(int index)
{
    HGDIOBJ h = GetStockObject(index);
    VYR_CHECK(h != nullptr, "SelectStockObject with an unknown stock object");
    return SelectObject(CGdiObject::FromHandle(h));
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL)
{
    DcData* d = Data();
    auto n = Selectable(pPalette, GdiKind::Palette);
    std::swap(d->palette, n);
    return static_cast<CPalette*>(Previous(*d, n));
}

UINT CDC::RealizePalette()
{
    Data();
    return 0; // true colour: nothing to map
}

CPen* CDC::GetCurrentPen() const { return static_cast<CPen*>(CGdiObject::FromHandle(Data()->pen->Handle())); }
CBrush* CDC::GetCurrentBrush() const { return static_cast<CBrush*>(CGdiObject::FromHandle(Data()->brush->Handle())); }
CFont* CDC::GetCurrentFont() const { return static_cast<CFont*>(CGdiObject::FromHandle(Data()->font->Handle())); }
CBitmap* CDC::GetCurrentBitmap() const
{
    DcData* d = Data();
    return d->bitmap ? static_cast<CBitmap*>(CGdiObject::FromHandle(d->bitmap->Handle())) : nullptr;
}

int CDC::SaveDC()
{
    DcData* d = Data();
    d->saved.push_back(vyr::SavedState{d->state, d->pen, d->brush, d->font, d->bitmap, d->palette, d->position, d->stretchMode});
    return (int)d->saved.size();
}

BOOL CDC::RestoreDC(int savedDC)
{
    DcData* d = Data();
    const int n = (int)d->saved.size();
    const int level = savedDC < 0 ? n + 1 + savedDC : savedDC;
    if (level < 1 || level > n) return FALSE;
    vyr::SavedState s = d->saved[(size_t)level - 1];
    d->saved.resize((size_t)level - 1);
    // Objects deselected by the restore stay alive for pointers handed out earlier.
    for (auto* cur : {&d->pen, &d->brush, &d->font, &d->palette}) Previous(*d, *cur);
    if (d->bitmap) Previous(*d, d->bitmap);
    d->state = s.state;
    d->pen = s.pen;
    d->brush = s.brush;
    d->font = s.font;
    if (d->memory) d->bitmap = s.bitmap;
    d->palette = s.palette;
    d->position = s.position;
    d->stretchMode = s.stretchMode;
    return TRUE;
}

// ---- attributes ----

int CDC::SetROP2(int mode)
{
    DcData* d = Data();
    if (mode < R2_BLACK || mode > R2_WHITE) return 0;
    return std::exchange(d->state.rop2, mode);
}
int CDC::GetROP2() const { return Data()->state.rop2; }

int CDC::SetBkMode(int mode)
{
    DcData* d = Data();
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    return std::exchange(d->state.bkMode, mode);
}
int CDC::GetBkMode() const { return Data()->state.bkMode; }
COLORREF CDC::SetBkColor(COLORREF c) { return std::exchange(Data()->state.bkColor, c & 0xFFFFFF); }
COLORREF CDC::GetBkColor() const { return Data()->state.bkColor; }
COLORREF CDC::SetTextColor(COLORREF c) { return std::exchange(Data()->state.textColor, c & 0xFFFFFF); }
COLORREF CDC::GetTextColor() const { return Data()->state.textColor; }
UINT CDC::SetTextAlign(UINT flags) { return std::exchange(Data()->state.textAlign, flags); }
UINT CDC::GetTextAlign() const { return Data()->state.textAlign; }
int CDC::SetStretchBltMode(int mode) { return std::exchange(Data()->stretchMode, mode); }
int CDC::GetStretchBltMode() const { return Data()->stretchMode; }

// ---- coordinates ----

int CDC::SetMapMode(int mode)
{
    DcData* d = Data();
    // Only one logical unit per pixel is drawn; a scaled mode would silently misplace
    // every figure.
    VYR_CHECK(mode == MM_TEXT, "only the MM_TEXT mapping mode is supported");
    return std::exchange(d->state.mapMode, mode);
}
int CDC::GetMapMode() const { return Data()->state.mapMode; }

CPoint CDC::SetViewportOrg(int x, int y) { return CPoint(std::exchange(Data()->state.viewportOrg, POINT{x, y})); }
CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
    POINT p = Data()->state.viewportOrg;
    return SetViewportOrg(p.x + dx, p.y + dy);
}
CPoint CDC::GetViewportOrg() const { return CPoint(Data()->state.viewportOrg); }
CPoint CDC::SetWindowOrg(int x, int y) { return CPoint(std::exchange(Data()->state.windowOrg, POINT{x, y})); }
CPoint CDC::OffsetWindowOrg(int dx, int dy)
{
    POINT p = Data()->state.windowOrg;
    return SetWindowOrg(p.x + dx, p.y + dy);
}
CPoint CDC::GetWindowOrg() const { return CPoint(Data()->state.windowOrg); }

void CDC::DPtoLP(LPPOINT pts, int count) const
{
    const vyr::DrawState& s = Data()->state;
    for (int i = 0; i < count; ++i) {
        pts[i].x = pts[i].x - s.viewportOrg.x + s.windowOrg.x;
        pts[i].y = pts[i].y - s.viewportOrg.y + s.windowOrg.y;
    }
}
void CDC::DPtoLP(LPRECT r) const { DPtoLP(reinterpret_cast<LPPOINT>(r), 2); }
void CDC::DPtoLP(LPSIZE) const { Data(); } // sizes do not change in MM_TEXT
void CDC::LPtoDP(LPPOINT pts, int count) const
{
    const vyr::DrawState& s = Data()->state;
    for (int i = 0; i < count; ++i) {
        pts[i].x = pts[i].x - s.windowOrg.x + s.viewportOrg.x;
        pts[i].y = pts[i].y - s.windowOrg.y + s.viewportOrg.y;
    }
}
void CDC::LPtoDP(LPRECT r) const { LPtoDP(reinterpret_cast<LPPOINT>(r), 2); }
void CDC::LPtoDP(LPSIZE) const { Data(); }

int CDC::GetDeviceCaps(int index) const
{
    Data();
    switch (index) {
    case HORZRES: return vyr::kScreenWidth;
    case VERTRES: return vyr::kScreenHeight;
    case HORZSIZE: return (vyr::kScreenWidth * 254 + vyr::kDpi * 5) / (vyr::kDpi * 10);
    case VERTSIZE: return (vyr::kScreenHeight * 254 + vyr::kDpi * 5) / (vyr::kDpi * 10);
    case LOGPIXELSX:
    case LOGPIXELSY: return vyr::kDpi;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case RASTERCAPS: return 0x0001 | 0x0080 | 0x0200 | 0x0800 | 0x2000; // blt, DIBs, stretch
    case SIZEPALETTE: return 0;
    default: return 0;
    }
}

// ---- clipping ----

int CDC::IntersectClipRect(int l, int t, int r, int b)
{
    DcData* d = Data();
    RECT dev = Normalized(RECT{l, t, r, b});
    LPtoDP(&dev);
    if (d->state.hasClip) {
        CRect c;
        if (!c.IntersectRect(&d->state.clip, &dev)) c.SetRectEmpty();
        d->state.clip = c;
    } else {
        d->state.hasClip = true;
        d->state.clip = dev;
    }
    return CRect(d->state.clip).IsRectEmpty() ? NULLREGION : SIMPLEREGION;
}

int CDC::GetClipBox(LPRECT r) const
{
    DcData* d = Data();
    CRect box;
    if (vyr::Image* img = d->Target()) {
        POINT o = d->TargetOrigin();
        box = CRect(-o.x, -o.y, img->Width() - o.x, img->Height() - o.y);
    } else {
        box = CRect(0, 0, vyr::kScreenWidth, vyr::kScreenHeight);
    }
    if (d->state.hasClip && !box.IntersectRect(&box, &d->state.clip)) box.SetRectEmpty();
    *r = box;
    DPtoLP(r);
    return box.IsRectEmpty() ? NULLREGION : SIMPLEREGION;
}

// ---- lines and figures ----

CPoint CDC::MoveTo(int x, int y) { return CPoint(std::exchange(Data()->position, POINT{x, y})); }

BOOL CDC::LineTo(int x, int y)
{
    DcData* d = Data();
    vyr::DrawRecord rec{};
    rec.kind = vyr::DrawKind::Line;
    rec.points = {d->position, POINT{x, y}};
    d->position = POINT{x, y};
    d->Draw(std::move(rec));
    return TRUE;
}

CPoint CDC::GetCurrentPosition() const { return CPoint(Data()->position); }

namespace {
BOOL RectCall(CDC& dc, vyr::DrawKind kind, RECT r)
{
    vyr::DrawRecord rec{};
    rec.kind = kind;
    rec.rect = r;
    dc.Data()->Draw(std::move(rec));
    return TRUE;
}
BOOL ArcCall(CDC& dc, vyr::DrawKind kind, RECT r, POINT s, POINT e)
{
    vyr::DrawRecord rec{};
    rec.kind = kind;
    rec.rect = r;
    rec.points = {s, e};
    dc.Data()->Draw(std::move(rec));
    return TRUE;
}
} // namespace

BOOL CDC::Rectangle(int l, int t, int r, int b) { return RectCall(*this, vyr::DrawKind::Rectangle, RECT{l, t, r, b}); }
BOOL CDC::Ellipse(int l, int t, int r, int b) { return RectCall(*this, vyr::DrawKind::Ellipse, RECT{l, t, r, b}); }

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ArcCall(*this, vyr::DrawKind::Arc, RECT{x1, y1, x2, y2}, POINT{x3, y3}, POINT{x4, y4});
}
BOOL CDC::Arc(LPCRECT r, POINT start, POINT end) { return ArcCall(*this, vyr::DrawKind::Arc, *r, start, end); }
BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ArcCall(*this, vyr::DrawKind::Pie, RECT{x1, y1, x2, y2}, POINT{x3, y3}, POINT{x4, y4});
}
BOOL CDC::Pie(LPCRECT r, POINT start, POINT end) { return ArcCall(*this, vyr::DrawKind::Pie, *r, start, end); }
BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ArcCall(*this, vyr::DrawKind::Chord, RECT{x1, y1, x2, y2}, POINT{x3, y3}, POINT{x4, y4});
}
BOOL CDC::Chord(LPCRECT r, POINT start, POINT end) { return ArcCall(*this, vyr::DrawKind::Chord, *r, start, end); }

BOOL CDC::Polygon(const POINT* pts, int count)
{
    DcData* d = Data();
    if (!pts || count < 2) return FALSE;
    vyr::DrawRecord rec{};
    rec.kind = vyr::DrawKind::Polygon;
    rec.points.assign(pts, pts + count);
    d->Draw(std::move(rec));
    return TRUE;
}

BOOL CDC::Polyline(const POINT* pts, int count)
{
    DcData* d = Data();
    if (!pts || count < 2) return FALSE;
    vyr::DrawRecord rec{};
    rec.kind = vyr::DrawKind::Polyline;
    rec.points.assign(pts, pts + count);
    d->Draw(std::move(rec));
    return TRUE;
}

BOOL CDC::PolyPolyline(const POINT* pts, const DWORD* counts, int polyCount)
{
    DcData* d = Data();
    if (!pts || !counts || polyCount < 1) return FALSE;
    vyr::DrawRecord rec{};
    rec.kind = vyr::DrawKind::PolyPolyline;
    size_t total = 0;
    for (int i = 0; i < polyCount; ++i) {
        if (counts[i] < 2) return FALSE;
        total += counts[i];
    }
    rec.counts.assign(counts, counts + polyCount);
    rec.points.assign(pts, pts + total);
    d->Draw(std::move(rec));
    return TRUE;
}

// ---- rectangles ----

namespace {
COLORREF BrushColor(CBrush* pBrush)
{
    VYR_CHECK(pBrush != nullptr && pBrush->m_hObject != nullptr, "filling with a brush that does not exist");
    LOGBRUSH lb{};
    pBrush->GetLogBrush(&lb);
    return lb.lbStyle == BS_SOLID ? lb.lbColor : CLR_NONE;
}
void ColorRect(DcData* d, vyr::DrawKind kind, const RECT& r, COLORREF c, COLORREF c2 = 0)
{
    vyr::DrawRecord rec{};
    rec.kind = kind;
    rec.rect = r;
    rec.color = c;
    rec.color2 = c2;
    d->Draw(std::move(rec));
}
} // namespace

void CDC::FillRect(LPCRECT r, CBrush* pBrush) { ColorRect(Data(), vyr::DrawKind::FillRect, *r, BrushColor(pBrush)); }

void CDC::FillSolidRect(LPCRECT r, COLORREF clr)
{
    DcData* d = Data();
    d->state.bkColor = clr & 0xFFFFFF;
    ColorRect(d, vyr::DrawKind::FillSolidRect, *r, clr & 0xFFFFFF);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT r{x, y, x + cx, y + cy};
    FillSolidRect(&r, clr);
}

void CDC::FrameRect(LPCRECT r, CBrush* pBrush) { ColorRect(Data(), vyr::DrawKind::FrameRect, *r, BrushColor(pBrush)); }

void CDC::Draw3dRect(LPCRECT r, COLORREF topLeft, COLORREF bottomRight)
{
    DcData* d = Data();
    ColorRect(d, vyr::DrawKind::Draw3dRect, *r, topLeft & 0xFFFFFF, bottomRight & 0xFFFFFF);
    d->state.bkColor = bottomRight & 0xFFFFFF; // drawn with FillSolidRect in the class library
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight)
{
    RECT r{x, y, x + cx, y + cy};
    Draw3dRect(&r, topLeft, bottomRight);
}

void CDC::InvertRect(LPCRECT r) { ColorRect(Data(), vyr::DrawKind::InvertRect, *r, 0); }
void CDC::DrawFocusRect(LPCRECT r) { ColorRect(Data(), vyr::DrawKind::DrawFocusRect, *r, 0); }

// ---- text ----

namespace {
std::string Slice(LPCTSTR text, int count)
{
    if (!text) return std::string();
    return count < 0 ? std::string(text) : std::string(text, strnlen(text, (size_t)count));
}
} // namespace

BOOL CDC::TextOut(int x, int y, LPCTSTR text, int count)
{
    DcData* d = Data();
    vyr::DrawRecord rec{};
    rec.kind = vyr::DrawKind::TextOut;
    rec.text = Slice(text, count);
    POINT ref{x, y};
    if (d->state.textAlign & TA_UPDATECP) {
        ref = d->position;
        const int w = vyr::TextWidth(vyr::ResolveFont(d->state.font), rec.text);
        const UINT a = d->state.textAlign;
        if ((a & TA_CENTER) != TA_CENTER) d->position.x += (a & TA_RIGHT) ? -w : w;
    }
    rec.points = {ref};
    d->Draw(std::move(rec));
    return TRUE;
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT r, LPCTSTR text, UINT count, LPINT)
{
    DcData* d = Data();
    vyr::DrawRecord rec{};
    rec.kind = vyr::DrawKind::ExtTextOut;
    rec.text = Slice(text, (int)count);
    rec.points = {POINT{x, y}};
    rec.flags = r ? options : (options & ~(ETO_OPAQUE | ETO_CLIPPED));
    if (r) rec.rect = *r;
    d->Draw(std::move(rec));
    return TRUE;
}

int CDC::DrawText(LPCTSTR text, int count, LPRECT r, UINT format)
{
    DcData* d = Data();
    VYR_CHECK(r != nullptr, "DrawText without a rectangle");
    const std::string s = Slice(text, count);
    const vyr::TextLayout lay = vyr::LayoutText(vyr::ResolveFont(d->state.font), s, *r, format);
    if (format & DT_CALCRECT) {
        *r = lay.bounds;
        return lay.height;
    }
    vyr::DrawRecord rec{};
    rec.kind = vyr::DrawKind::DrawText;
    rec.text = s;
    rec.rect = *r;
    rec.flags = format;
    d->Draw(std::move(rec));
    return lay.height;
}

CSize CDC::GetTextExtent(LPCTSTR text, int count) const
{
    const vyr::FontSpec f = vyr::ResolveFont(Data()->state.font);
    return CSize(vyr::TextWidth(f, Slice(text, count)), vyr::MeasureFont(f).height);
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC tm) const
{
    VYR_CHECK(tm != nullptr, "GetTextMetrics without a TEXTMETRIC");
    const LOGFONT& lf = Data()->state.font;
    const vyr::FontMetrics m = vyr::MeasureFont(vyr::ResolveFont(lf));
    *tm = TEXTMETRIC{};
    tm->tmHeight = m.height;
    tm->tmAscent = m.ascent;
    tm->tmDescent = m.descent;
    tm->tmInternalLeading = m.internalLeading;
    tm->tmExternalLeading = 0;
    tm->tmAveCharWidth = m.aveCharWidth;
    tm->tmMaxCharWidth = m.maxCharWidth;
    tm->tmWeight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
    tm->tmDigitizedAspectX = vyr::kDpi;
    tm->tmDigitizedAspectY = vyr::kDpi;
    tm->tmFirstChar = 0x20;
    tm->tmLastChar = 0xFF;
    tm->tmDefaultChar = '?';
    tm->tmBreakChar = ' ';
    tm->tmItalic = lf.lfItalic;
    tm->tmUnderlined = lf.lfUnderline;
    tm->tmStruckOut = lf.lfStrikeOut;
    tm->tmPitchAndFamily = lf.lfPitchAndFamily;
    tm->tmCharSet = lf.lfCharSet;
    return TRUE;
}

// ---- pixels and block transfers ----

COLORREF CDC::SetPixel(int x, int y, COLORREF c)
{
    DcData* d = Data();
    vyr::DrawRecord rec{};
    rec.kind = vyr::DrawKind::SetPixel;
    rec.points = {POINT{x, y}};
    rec.color = c & 0xFFFFFF;
    d->Draw(std::move(rec));
    return c & 0xFFFFFF;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    DcData* d = Data();
    vyr::Image* img = d->Target();
    if (!img) return CLR_INVALID;
    POINT p{x, y};
    LPtoDP(&p);
    if (d->state.hasClip && !CRect(d->state.clip).PtInRect(p)) return CLR_INVALID;
    const POINT o = d->TargetOrigin();
    return img->GetPixel(p.x + o.x, p.y + o.y);
}

namespace {
// A copy of the source context's pixels under a logical rectangle, starting at its
// top-left corner and no larger than what the source holds; null when the source has
// no pixels. What lies outside reads as black.
std::shared_ptr<const vyr::Image> Snapshot(CDC* src, int xs, int ys, int w, int h)
{
    DcData* sd = src->Data();
    vyr::Image* img = sd->Target();
    if (!img) return nullptr;
    POINT p{xs, ys};
    src->LPtoDP(&p);
    const POINT o = sd->TargetOrigin();
    const long long px = (long long)p.x + o.x, py = (long long)p.y + o.y;
    const int cw = (int)std::clamp<long long>(img->Width() - px, 0, w);
    const int ch = (int)std::clamp<long long>(img->Height() - py, 0, h);
    auto out = std::make_shared<vyr::Image>(cw, ch, RGB(0, 0, 0));
    for (int y = 0; y < ch; ++y)
        for (int x = 0; x < cw; ++x) {
            const long long ix = px + x, iy = py + y;
            if (ix >= 0 && iy >= 0) out->Row(y)[x] = img->Row((int)iy)[ix];
        }
    return out;
}
} // namespace

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* pSrcDC, int xSrc, int ySrc, DWORD rop)
{
    DcData* d = Data();
    if (width < 0) { x += width; xSrc += width; width = -width; }
    if (height < 0) { y += height; ySrc += height; height = -height; }
    vyr::DrawRecord rec{};
    rec.kind = vyr::DrawKind::BitBlt;
    rec.rect = RECT{x, y, Reach(x, width), Reach(y, height)};
    rec.points = {POINT{xSrc, ySrc}};
    rec.rop = rop;
    if (UsesSource(rop)) {
        if (!pSrcDC || !pSrcDC->m_hDC) return FALSE;
        rec.source = Snapshot(pSrcDC, xSrc, ySrc, width, height);
    }
    d->Draw(std::move(rec));
    return TRUE;
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* pSrcDC, int xSrc, int ySrc, int srcWidth,
                     int srcHeight, DWORD rop)
{
    DcData* d = Data();
    if (width < 0) { x += width; width = -width; }
    if (height < 0) { y += height; height = -height; }
    if (srcWidth < 0) { xSrc += srcWidth; srcWidth = -srcWidth; }
    if (srcHeight < 0) { ySrc += srcHeight; srcHeight = -srcHeight; }
    vyr::DrawRecord rec{};
    rec.kind = vyr::DrawKind::StretchBlt;
    rec.rect = RECT{x, y, Reach(x, width), Reach(y, height)};
    rec.points = {POINT{xSrc, ySrc}, POINT{srcWidth, srcHeight}};
    rec.rop = rop;
    if (UsesSource(rop)) {
        if (!pSrcDC || !pSrcDC->m_hDC) return FALSE;
        rec.source = Snapshot(pSrcDC, xSrc, ySrc, srcWidth, srcHeight);
    }
    d->Draw(std::move(rec));
    return TRUE;
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    DcData* d = Data();
    if (UsesSource(rop)) return FALSE;
    if (width < 0) { x += width; width = -width; }
    if (height < 0) { y += height; height = -height; }
    vyr::DrawRecord rec{};
    rec.kind = vyr::DrawKind::PatBlt;
    rec.rect = RECT{x, y, Reach(x, width), Reach(y, height)};
    rec.rop = rop;
    d->Draw(std::move(rec));
    return TRUE;
}
