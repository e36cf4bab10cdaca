// Pens, brushes, fonts, bitmaps and palettes, and the handles that name them.
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "gdi_internal.h"
#include <vyr/vyrdiag.h>

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

namespace vyr {

namespace {

// The tables below are never destroyed: objects still alive at exit (stock objects,
// handles of static objects) unregister themselves after static destruction has begun.
std::mutex& RegistryMutex()
{
    static auto* m = new std::mutex;
    return *m;
}
// Live handles. Lookups go through here so that a stale handle reads as unknown instead
// of as freed memory.
std::unordered_map<void*, std::weak_ptr<GdiData>>& Registry()
{
    static auto* r = new std::unordered_map<void*, std::weak_ptr<GdiData>>;
    return *r;
}
// Handles given up by Detach: alive until attached again or deleted, as a detached
// Windows handle is.
std::unordered_map<void*, std::shared_ptr<GdiData>>& Orphans()
{
    static auto* r = new std::unordered_map<void*, std::shared_ptr<GdiData>>;
    return *r;
}

void SetFace(LOGFONT& lf, const char* face)
{
    std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
    if (face) std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
}

LOGFONT MakeFont(LONG height, LONG weight, BYTE pitch, const char* face)
{
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfPitchAndFamily = pitch;
    SetFace(lf, face);
    return lf;
}

std::shared_ptr<GdiData> MakeStock(int index)
{
    auto pen = [](UINT style, COLORREF c) {
        auto d = NewGdi(GdiKind::Pen);
        d->pen = LOGPEN{style, POINT{1, 0}, c};
        return d;
    };
    auto brush = [](UINT style, COLORREF c) {
        auto d = NewGdi(GdiKind::Brush);
        d->brush = LOGBRUSH{style, c, 0};
        return d;
    };
    auto font = [](const LOGFONT& lf) {
        auto d = NewGdi(GdiKind::Font);
        d->font = lf;
        return d;
    };
    std::shared_ptr<GdiData> d;
    switch (index) {
    case WHITE_BRUSH: d = brush(BS_SOLID, RGB(255, 255, 255)); break;
    case LTGRAY_BRUSH: d = brush(BS_SOLID, RGB(192, 192, 192)); break;
    case GRAY_BRUSH: d = brush(BS_SOLID, RGB(128, 128, 128)); break;
    case DKGRAY_BRUSH: d = brush(BS_SOLID, RGB(64, 64, 64)); break;
    case BLACK_BRUSH: d = brush(BS_SOLID, RGB(0, 0, 0)); break;
    case NULL_BRUSH: d = brush(BS_NULL, 0); break;
    case WHITE_PEN: d = pen(PS_SOLID, RGB(255, 255, 255)); break;
    case BLACK_PEN: d = pen(PS_SOLID, RGB(0, 0, 0)); break;
    case NULL_PEN: d = pen(PS_NULL, 0); break;
    case OEM_FIXED_FONT: d = font(MakeFont(12, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Terminal")); break;
    case ANSI_FIXED_FONT: d = font(MakeFont(-13, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier New")); break;
    case ANSI_VAR_FONT: d = font(MakeFont(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif")); break;
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT: d = font(MakeFont(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System")); break;
    case SYSTEM_FIXED_FONT: d = font(MakeFont(-13, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Fixedsys")); break;
    case DEFAULT_GUI_FONT: d = font(MakeFont(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Shell Dlg")); break;
    case DEFAULT_PALETTE: {
        d = NewGdi(GdiKind::Palette);
        static const COLORREF sys[20] = {
            RGB(0, 0, 0), RGB(128, 0, 0), RGB(0, 128, 0), RGB(128, 128, 0), RGB(0, 0, 128),
            RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192), RGB(192, 220, 192), RGB(166, 202, 240),
            RGB(255, 251, 240), RGB(160, 160, 164), RGB(128, 128, 128), RGB(255, 0, 0), RGB(0, 255, 0),
            RGB(255, 255, 0), RGB(0, 0, 255), RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
        d->palette.assign(sys, sys + 20);
        break;
    }
    default: return nullptr;
    }
    d->stock = true;
    return d;
}

} // namespace

GdiData::GdiData(GdiKind k) : kind(k) {}

GdiData::~GdiData()
{
    std::lock_guard<std::mutex> lock(RegistryMutex());
    auto it = Registry().find(this);
    if (it != Registry().end() && it->second.expired()) Registry().erase(it);
}

std::shared_ptr<GdiData> NewGdi(GdiKind k)
{
    auto d = std::make_shared<GdiData>(k);
    std::lock_guard<std::mutex> lock(RegistryMutex());
    Registry()[d.get()] = d;
    return d;
}

std::shared_ptr<GdiData> LookupGdi(HGDIOBJ h)
{
    if (!h) return nullptr;
    std::lock_guard<std::mutex> lock(RegistryMutex());
    auto it = Registry().find(h);
    return it == Registry().end() ? nullptr : it->second.lock();
}

std::shared_ptr<GdiData> StockGdi(int index)
{
    // Built once; never freed, like the system's stock objects.
    static auto* stock = [] {
        auto* s = new std::vector<std::shared_ptr<GdiData>>;
        for (int i = 0; i <= DEFAULT_GUI_FONT; ++i) s->push_back(MakeStock(i));
        return s;
    }();
    if (index < 0 || index > DEFAULT_GUI_FONT) return nullptr;
    return (*stock)[(size_t)index];
}

} // namespace vyr

using vyr::GdiData;
using vyr::GdiKind;

// ---- CGdiObject ----

CGdiObject::~CGdiObject()
{
    if (m_temporary) return;
    if (m_own && m_own->owner == this) m_own->owner = nullptr;
}

void CGdiObject::Own(std::shared_ptr<GdiData> d)
{
    DeleteObject();
    m_own = std::move(d);
    m_hObject = m_own ? m_own->Handle() : nullptr;
    if (m_own && !m_own->stock) m_own->owner = this;
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    VYR_CHECK(!m_temporary, "Attach on a temporary drawing object");
    auto d = vyr::LookupGdi(hObject);
    if (!d) return FALSE;
    {
        std::lock_guard<std::mutex> lock(vyr::RegistryMutex());
        vyr::Orphans().erase(hObject);
    }
    Own(std::move(d));
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    VYR_CHECK(!m_temporary, "Detach on a temporary drawing object");
    HGDIOBJ h = m_hObject;
    if (m_own) {
        if (m_own->owner == this) m_own->owner = nullptr;
        if (!m_own->stock) {
            std::lock_guard<std::mutex> lock(vyr::RegistryMutex());
            vyr::Orphans()[h] = m_own;
        }
    }
    m_own.reset();
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_temporary || !m_hObject) return FALSE;
    if (m_own && m_own->owner == this) m_own->owner = nullptr;
    m_own.reset();
    m_hObject = nullptr;
    return TRUE;
}

BOOL CGdiObject::CreateStockObject(int index)
{
    auto d = vyr::StockGdi(index);
    if (!d) return FALSE;
    Own(std::move(d));
    return TRUE;
}

int CGdiObject::GetObject(int count, LPVOID buffer) const
{
    GdiData* d = Data();
    if (!d) return 0;
    const void* src = nullptr;
    int size = 0;
    BITMAP bm{};
    switch (d->kind) {
    case GdiKind::Pen: src = &d->pen; size = (int)sizeof(LOGPEN); break;
    case GdiKind::Brush: src = &d->brush; size = (int)sizeof(LOGBRUSH); break;
    case GdiKind::Font: src = &d->font; size = (int)sizeof(LOGFONT); break;
    case GdiKind::Bitmap:
        bm.bmWidth = d->image.Width();
        bm.bmHeight = d->image.Height();
        bm.bmWidthBytes = d->image.Stride();
        bm.bmPlanes = 1;
        bm.bmBitsPixel = 32;
        src = &bm;
        size = (int)sizeof(BITMAP);
        break;
    case GdiKind::Palette: {
        WORD n = (WORD)d->palette.size();
        if (buffer && count >= (int)sizeof(WORD)) std::memcpy(buffer, &n, sizeof n);
        return (int)sizeof(WORD);
    }
    }
    if (!buffer) return size;
    int n = count < size ? count : size;
    if (n > 0) std::memcpy(buffer, src, (size_t)n);
    return n;
}

UINT CGdiObject::GetObjectType() const
{
    GdiData* d = Data();
    if (!d) return 0;
    switch (d->kind) {
    case GdiKind::Pen: return OBJ_PEN;
    case GdiKind::Brush: return OBJ_BRUSH;
    case GdiKind::Font: return OBJ_FONT;
    case GdiKind::Bitmap: return OBJ_BITMAP;
    case GdiKind::Palette: return OBJ_PAL;
    }
    return 0;
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ h)
{
    auto d = vyr::LookupGdi(h);
    if (!d) return nullptr;
    if (d->owner) return d->owner;
    if (!d->temporary) {
        CGdiObject* t = nullptr;
        switch (d->kind) {
        case GdiKind::Pen: t = new CPen; break;
        case GdiKind::Brush: t = new CBrush; break;
        case GdiKind::Font: t = new CFont; break;
        case GdiKind::Bitmap: t = new CBitmap; break;
        case GdiKind::Palette: t = new CPalette; break;
        }
        t->m_temporary = true;
        t->m_hObject = d->Handle();
        d->temporary.reset(t);
    }
    return d->temporary.get();
}

HGDIOBJ GetStockObject(int index)
{
    auto d = vyr::StockGdi(index);
    return d ? d->Handle() : nullptr;
}

BOOL DeleteObject(HGDIOBJ h)
{
    auto d = vyr::LookupGdi(h);
    if (!d || d->stock) return FALSE;
    {
        std::lock_guard<std::mutex> lock(vyr::RegistryMutex());
        vyr::Orphans().erase(h);
    }
    if (d->owner) d->owner->DeleteObject();
    return TRUE;
}

// ---- CPen ----

CPen::CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }

BOOL CPen::CreatePen(int style, int width, COLORREF color)
{
    LOGPEN lp{(UINT)style, POINT{width, 0}, color};
    return CreatePenIndirect(&lp);
}

BOOL CPen::CreatePenIndirect(const LOGPEN* lp)
{
    VYR_CHECK(lp != nullptr, "CreatePenIndirect without a LOGPEN");
    VYR_CHECK(m_hObject == nullptr, "CreatePen on a pen that already exists");
    if ((lp->lopnStyle & 0x0F) > PS_INSIDEFRAME) return FALSE;
    auto d = vyr::NewGdi(GdiKind::Pen);
    d->pen = *lp;
    d->pen.lopnStyle &= 0x0F;
    if (d->pen.lopnWidth.x < 0) d->pen.lopnWidth.x = 0;
    Own(std::move(d));
    return TRUE;
}

int CPen::GetLogPen(LOGPEN* lp) const { return GetObject((int)sizeof(LOGPEN), lp); }

// ---- CBrush ----

CBrush::CBrush(COLORREF color) { CreateSolidBrush(color); }

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    LOGBRUSH lb{BS_SOLID, color, 0};
    return CreateBrushIndirect(&lb);
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lb)
{
    VYR_CHECK(lb != nullptr, "CreateBrushIndirect without a LOGBRUSH");
    VYR_CHECK(m_hObject == nullptr, "Create on a brush that already exists");
    if (lb->lbStyle != BS_SOLID && lb->lbStyle != BS_NULL) return FALSE;
    auto d = vyr::NewGdi(GdiKind::Brush);
    d->brush = *lb;
    Own(std::move(d));
    return TRUE;
}

int CBrush::GetLogBrush(LOGBRUSH* lb) const { return GetObject((int)sizeof(LOGBRUSH), lb); }

// ---- CFont ----

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName)
{
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strikeOut;
    lf.lfCharSet = charSet;
    lf.lfOutPrecision = outPrecision;
    lf.lfClipPrecision = clipPrecision;
    lf.lfQuality = quality;
    lf.lfPitchAndFamily = pitchAndFamily;
    vyr::SetFace(lf, faceName);
    return CreateFontIndirect(&lf);
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lf)
{
    VYR_CHECK(lf != nullptr, "CreateFontIndirect without a LOGFONT");
    VYR_CHECK(m_hObject == nullptr, "Create on a font that already exists");
    auto d = vyr::NewGdi(GdiKind::Font);
    d->font = *lf;
    d->font.lfFaceName[LF_FACESIZE - 1] = '\0'; // a full, unterminated name stays in bounds
    Own(std::move(d));
    return TRUE;
}

BOOL CFont::CreatePointFont(int pointSize, LPCTSTR faceName, CDC* pDC)
{
    const int dpi = pDC && pDC->m_hDC ? pDC->GetDeviceCaps(LOGPIXELSY) : 96;
    LOGFONT lf{};
    // Tenths of a point to pixels, rounded as MulDiv does.
    lf.lfHeight = -(LONG)(((long long)pointSize * dpi + 360) / 720);
    lf.lfWeight = FW_NORMAL;
    vyr::SetFace(lf, faceName);
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* lf) const { return GetObject((int)sizeof(LOGFONT), lf); }

// ---- CBitmap ----

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int width, int height)
{
    VYR_CHECK(m_hObject == nullptr, "Create on a bitmap that already exists");
    if (width <= 0 || height <= 0 || (long long)width * height > (1LL << 26)) return FALSE;
    auto d = vyr::NewGdi(GdiKind::Bitmap);
    d->image = vyr::Image(width, height, RGB(0, 0, 0));
    Own(std::move(d));
    return TRUE;
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    VYR_CHECK(m_hObject == nullptr, "Create on a bitmap that already exists");
    if (width <= 0 || height <= 0 || planes != 1 || (long long)width * height > (1LL << 26)) return FALSE;
    if (bitsPerPixel != 1 && bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32) return FALSE;
    auto d = vyr::NewGdi(GdiKind::Bitmap);
    d->image = vyr::Image(width, height, RGB(0, 0, 0));
    if (bits) {
        const auto* src = static_cast<const std::uint8_t*>(bits);
        const size_t row = (((size_t)width * bitsPerPixel + 15) / 16) * 2;
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* r = src + (size_t)y * row;
            for (int x = 0; x < width; ++x) {
                COLORREF c;
                switch (bitsPerPixel) {
                case 1: c = ((r[x / 8] >> (7 - x % 8)) & 1) ? RGB(255, 255, 255) : RGB(0, 0, 0); break;
                case 8: c = RGB(r[x], r[x], r[x]); break;
                case 24: c = RGB(r[x * 3 + 2], r[x * 3 + 1], r[x * 3]); break;
                default: c = RGB(r[x * 4 + 2], r[x * 4 + 1], r[x * 4]); break;
                }
                d->image.SetPixel(x, y, c);
            }
        }
    }
    Own(std::move(d));
    return TRUE;
}

BOOL CBitmap::LoadBitmap(UINT idResource)
{
    VYR_CHECK(m_hObject == nullptr, "LoadBitmap on a bitmap that already exists");
    std::string path = vyr::ResolveBitmap(idResource);
    if (path.empty()) return FALSE;
    vyr::Image img;
    if (!vyr::ReadBmp(path, img)) return FALSE;
    auto d = vyr::NewGdi(GdiKind::Bitmap);
    d->image = std::move(img);
    Own(std::move(d));
    return TRUE;
}

BOOL CBitmap::CreateFromImage(const vyr::Image& img)
{
    VYR_CHECK(m_hObject == nullptr, "Create on a bitmap that already exists");
    if (img.IsEmpty()) return FALSE;
    auto d = vyr::NewGdi(GdiKind::Bitmap);
    d->image = img;
    Own(std::move(d));
    return TRUE;
}

int CBitmap::GetBitmap(BITMAP* bm) const { return GetObject((int)sizeof(BITMAP), bm); }

DWORD CBitmap::GetBitmapBits(DWORD count, LPVOID bits) const
{
    vyr::Image* img = GetImage();
    if (!img || !bits) return 0;
    const size_t total = (size_t)img->Width() * (size_t)img->Height() * 4;
    const size_t n = count < total ? count : total;
    std::memcpy(bits, img->Data(), n); // 0x00RRGGBB little-endian: B, G, R, 0
    return (DWORD)n;
}

DWORD CBitmap::SetBitmapBits(DWORD count, const void* bits)
{
    vyr::Image* img = GetImage();
    if (!img || !bits) return 0;
    const size_t total = (size_t)img->Width() * (size_t)img->Height() * 4;
    const size_t n = count < total ? count : total;
    std::memcpy(img->Data(), bits, n);
    for (size_t i = 0; i < n / 4; ++i) img->Data()[i] &= 0xFFFFFF;
    return (DWORD)n;
}

CSize CBitmap::GetBitmapDimension() const
{
    vyr::Image* img = GetImage();
    return img ? CSize(img->Width(), img->Height()) : CSize(0, 0);
}

vyr::Image* CBitmap::GetImage() const
{
    GdiData* d = Data();
    return d && d->kind == GdiKind::Bitmap ? &d->image : nullptr;
}

// ---- CPalette ----

BOOL CPalette::CreateHalftonePalette(CDC*)
{
    VYR_CHECK(m_hObject == nullptr, "Create on a palette that already exists");
    HPALETTE h = ::CreateHalftonePalette(nullptr);
    auto d = vyr::LookupGdi(h);
    {
        std::lock_guard<std::mutex> lock(vyr::RegistryMutex());
        vyr::Orphans().erase(h);
    }
    Own(std::move(d));
    return TRUE;
}

int CPalette::GetEntryCount() const
{
    GdiData* d = Data();
    return d ? (int)d->palette.size() : 0;
}

HPALETTE CreateHalftonePalette(HDC)
{
    auto d = vyr::NewGdi(GdiKind::Palette);
    // The 6 x 6 x 6 colour cube, then greys; enough for any code that walks the entries.
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) d->palette.push_back(RGB(r * 51, g * 51, b * 51));
    for (int i = 1; (int)d->palette.size() < 256; ++i) d->palette.push_back(RGB(i * 6, i * 6, i * 6));
    HPALETTE h = (HPALETTE)d->Handle();
    std::lock_guard<std::mutex> lock(vyr::RegistryMutex());
    vyr::Orphans()[h] = std::move(d);
    return h;
}
