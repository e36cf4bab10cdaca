// Device contexts and drawing objects. A device context records every drawing call with
// the state in force (for tests and for replay) and, when it has pixels behind it (a
// selected bitmap or a window's image), draws the call into them at once.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <vyr/cstring.h>
#include <vyr/object.h>
#include <vyr/raster.h>
#include <vyr/wintypes.h>

struct HPALETTE__;
typedef HPALETTE__* HPALETTE;
typedef int* LPINT;

// Stock objects.
#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define OEM_FIXED_FONT 10
#define ANSI_FIXED_FONT 11
#define ANSI_VAR_FONT 12
#define SYSTEM_FONT 13
#define DEVICE_DEFAULT_FONT 14
#define DEFAULT_PALETTE 15
#define SYSTEM_FIXED_FONT 16
#define DEFAULT_GUI_FONT 17

// Object types (GetObjectType).
#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_DC 3
#define OBJ_PAL 5
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define OBJ_MEMDC 10

// Brush styles.
#define BS_SOLID 0
#define BS_NULL 1
#define BS_HOLLOW BS_NULL

// Background modes.
#define TRANSPARENT 1
#define OPAQUE 2

// Mapping modes.
#define MM_TEXT 1
#define MM_LOMETRIC 2
#define MM_HIMETRIC 3
#define MM_LOENGLISH 4
#define MM_HIENGLISH 5
#define MM_TWIPS 6
#define MM_ISOTROPIC 7
#define MM_ANISOTROPIC 8

// Raster operations of block transfers.
#define SRCCOPY 0x00CC0020u
#define SRCPAINT 0x00EE0086u
#define SRCAND 0x008800C6u
#define SRCINVERT 0x00660046u
#define SRCERASE 0x00440328u
#define NOTSRCCOPY 0x00330008u
#define NOTSRCERASE 0x001100A6u
#define MERGEPAINT 0x00BB0226u
#define PATCOPY 0x00F00021u
#define PATINVERT 0x005A0049u
#define DSTINVERT 0x00550009u
#define BLACKNESS 0x00000042u
#define WHITENESS 0x00FF0062u

// Stretch modes.
#define BLACKONWHITE 1
#define WHITEONBLACK 2
#define COLORONCOLOR 3
#define HALFTONE 4

// DrawText formats.
#define DT_TOP 0x00000000u
#define DT_LEFT 0x00000000u
#define DT_CENTER 0x00000001u
#define DT_RIGHT 0x00000002u
#define DT_VCENTER 0x00000004u
#define DT_BOTTOM 0x00000008u
#define DT_WORDBREAK 0x00000010u
#define DT_SINGLELINE 0x00000020u
#define DT_EXPANDTABS 0x00000040u
#define DT_NOCLIP 0x00000100u
#define DT_CALCRECT 0x00000400u
#define DT_NOPREFIX 0x00000800u
#define DT_END_ELLIPSIS 0x00008000u

// ExtTextOut options.
#define ETO_OPAQUE 0x0002u
#define ETO_CLIPPED 0x0004u

// Font weights, character sets, precisions, qualities, pitches and families.
#define FW_DONTCARE 0
#define FW_THIN 100
#define FW_EXTRALIGHT 200
#define FW_LIGHT 300
#define FW_NORMAL 400
#define FW_REGULAR 400
#define FW_MEDIUM 500
#define FW_SEMIBOLD 600
#define FW_BOLD 700
#define FW_EXTRABOLD 800
#define FW_HEAVY 900
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define SYMBOL_CHARSET 2
#define GB2312_CHARSET 134
#define OEM_CHARSET 255
#define OUT_DEFAULT_PRECIS 0
#define OUT_STRING_PRECIS 1
#define OUT_CHARACTER_PRECIS 2
#define OUT_STROKE_PRECIS 3
#define OUT_TT_PRECIS 4
#define OUT_TT_ONLY_PRECIS 7
#define CLIP_DEFAULT_PRECIS 0
#define CLIP_CHARACTER_PRECIS 1
#define CLIP_STROKE_PRECIS 2
#define DEFAULT_QUALITY 0
#define DRAFT_QUALITY 1
#define PROOF_QUALITY 2
#define NONANTIALIASED_QUALITY 3
#define ANTIALIASED_QUALITY 4
#define DEFAULT_PITCH 0
#define FIXED_PITCH 1
#define VARIABLE_PITCH 2
#define FF_DONTCARE 0x00
#define FF_ROMAN 0x10
#define FF_SWISS 0x20
#define FF_MODERN 0x30
#define FF_SCRIPT 0x40
#define FF_DECORATIVE 0x50
#define LF_FACESIZE 32

// GetDeviceCaps indexes.
#define HORZSIZE 4
#define VERTSIZE 6
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define PLANES 14
#define NUMCOLORS 24
#define RASTERCAPS 38
#define LOGPIXELSX 88
#define LOGPIXELSY 90
#define SIZEPALETTE 104

// Region results of the clipping calls.
#define ERROR 0
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3

#define BI_RGB 0u

struct LOGPEN
{
    UINT lopnStyle;
    POINT lopnWidth; // x is the width
    COLORREF lopnColor;
};
typedef LOGPEN* LPLOGPEN;

struct LOGBRUSH
{
    UINT lbStyle;
    COLORREF lbColor;
    ULONG_PTR lbHatch;
};
typedef LOGBRUSH* LPLOGBRUSH;

// The face name is UTF-8 here ("宋体" takes six bytes of the 32).
struct LOGFONT
{
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
};
typedef LOGFONT* LPLOGFONT;
typedef LOGFONT LOGFONTA;

struct TEXTMETRIC
{
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    BYTE tmFirstChar;
    BYTE tmLastChar;
    BYTE tmDefaultChar;
    BYTE tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
};
typedef TEXTMETRIC* LPTEXTMETRIC;

struct BITMAP
{
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
};
typedef BITMAP* LPBITMAP;

#pragma pack(push, 2)
struct BITMAPFILEHEADER
{
    WORD bfType;
    DWORD bfSize;
    WORD bfReserved1;
    WORD bfReserved2;
    DWORD bfOffBits;
};
#pragma pack(pop)

struct BITMAPINFOHEADER
{
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
typedef BITMAPINFOHEADER* LPBITMAPINFOHEADER;

struct RGBQUAD
{
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

struct BITMAPINFO
{
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};
typedef BITMAPINFO* LPBITMAPINFO;

class CDC;

namespace vyr {

struct GdiData;
struct DcData;

// Everything a drawing call depends on, copied into each record. Clip is in device
// coordinates and only meaningful when hasClip is set.
struct DrawState
{
    LOGPEN pen;
    LOGBRUSH brush;
    LOGFONT font;
    UINT textAlign;
    COLORREF textColor;
    int bkMode;
    COLORREF bkColor;
    int rop2;
    int mapMode;
    POINT viewportOrg;
    POINT windowOrg;
    bool hasClip;
    RECT clip;
};

enum class DrawKind
{
    Line,          // points: from, to (MoveTo/LineTo)
    Rectangle,     // rect
    Ellipse,       // rect
    Arc,           // rect, points: start, end
    Pie,           // rect, points: start, end
    Chord,         // rect, points: start, end
    Polygon,       // points
    Polyline,      // points
    PolyPolyline,  // points, counts
    FillRect,      // rect, color (the brush's colour; CLR_NONE for a null brush)
    FillSolidRect, // rect, color
    FrameRect,     // rect, color
    Draw3dRect,    // rect, color (top-left), color2 (bottom-right)
    InvertRect,    // rect
    DrawFocusRect, // rect
    TextOut,       // points: reference point; text
    ExtTextOut,    // points: reference point; rect (when options have one); flags: options; text
    DrawText,      // rect; flags: format; text
    SetPixel,      // points: the pixel; color
    BitBlt,        // rect: destination; points: source origin; rop; source pixels
    StretchBlt,    // rect: destination; points: source origin, source size; rop; source pixels
    PatBlt,        // rect; rop
};

// One drawing call. Coordinates are logical, as passed; state says how they map.
struct DrawRecord
{
    DrawKind kind;
    std::vector<POINT> points;
    std::vector<DWORD> counts;
    RECT rect{};
    std::string text;
    UINT flags = 0;
    COLORREF color = 0;
    COLORREF color2 = 0;
    DWORD rop = 0;
    // Pixels a block transfer read from its source (device rectangle of the source).
    std::shared_ptr<const Image> source;
    DrawState state;
};

// A device context of a window (or of no window: recording only). target may be null;
// origin is where the context's device (0, 0) lies in target; clip (device coordinates
// of the context) limits what it may touch, null for the whole target. The window
// layer deletes it with DeleteDisplayDC.
HDC CreateDisplayDC(Image* target = nullptr, POINT origin = POINT{0, 0}, const RECT* clip = nullptr);
void DeleteDisplayDC(HDC hdc);

} // namespace vyr

class CGdiObject : public CObject
{
    DECLARE_DYNAMIC(CGdiObject)
public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    ~CGdiObject() override;

    HGDIOBJ m_hObject = nullptr;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    // Drops this object's hold on the handle; a context that still has it selected keeps
    // drawing with it until something else is selected.
    BOOL DeleteObject();
    BOOL CreateStockObject(int index);
    // Copies the LOGPEN, LOGBRUSH, LOGFONT or BITMAP description; returns bytes copied.
    int GetObject(int count, LPVOID buffer) const;
    UINT GetObjectType() const;

    // The object that owns the handle, or a temporary one that lives as long as the handle.
    static CGdiObject* FromHandle(HGDIOBJ h);

    // Internals shared with the device contexts.
    vyr::GdiData* Data() const { return static_cast<vyr::GdiData*>(m_hObject); }

protected:
    std::shared_ptr<vyr::GdiData> m_own;
    bool m_temporary = false;
    void Own(std::shared_ptr<vyr::GdiData> d);
    friend struct vyr::GdiData;
};

class CPen : public CGdiObject
{
    DECLARE_DYNAMIC(CPen)
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color);
    BOOL CreatePen(int style, int width, COLORREF color);
    BOOL CreatePenIndirect(const LOGPEN* lp);
    int GetLogPen(LOGPEN* lp) const;
    operator HPEN() const { return (HPEN)m_hObject; }
    static CPen* FromHandle(HPEN h) { return static_cast<CPen*>(CGdiObject::FromHandle(h)); }
};

class CBrush : public CGdiObject
{
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    explicit CBrush(COLORREF color);
    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateBrushIndirect(const LOGBRUSH* lb);
    int GetLogBrush(LOGBRUSH* lb) const;
    operator HBRUSH() const { return (HBRUSH)m_hObject; }
    static CBrush* FromHandle(HBRUSH h) { return static_cast<CBrush*>(CGdiObject::FromHandle(h)); }
};

class CFont : public CGdiObject
{
    DECLARE_DYNAMIC(CFont)
public:
    CFont() = default;
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                    BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName);
    BOOL CreateFontIndirect(const LOGFONT* lf);
    // Size in tenths of a point at 96 pixels per inch.
    BOOL CreatePointFont(int pointSize, LPCTSTR faceName, CDC* pDC = nullptr);
    int GetLogFont(LOGFONT* lf) const;
    operator HFONT() const { return (HFONT)m_hObject; }
    static CFont* FromHandle(HFONT h) { return static_cast<CFont*>(CGdiObject::FromHandle(h)); }
};

class CBitmap : public CGdiObject
{
    DECLARE_DYNAMIC(CBitmap)
public:
    CBitmap() = default;
    // A colour bitmap of the given size, black.
    BOOL CreateCompatibleBitmap(CDC* pDC, int width, int height);
    // bits: rows of the given depth (1, 8, 24 or 32 bits), each padded to two bytes as
    // device-dependent bitmaps are; null leaves the bitmap black.
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    // Loads the resource bitmap through the installed resolver (see vyr::SetBitmapResolver).
    BOOL LoadBitmap(UINT idResource);
    // A bitmap holding a copy of the image.
    BOOL CreateFromImage(const vyr::Image& img);
    int GetBitmap(BITMAP* bm) const;
    // 32-bit rows (B, G, R, 0), top-down.
    DWORD GetBitmapBits(DWORD count, LPVOID bits) const;
    DWORD SetBitmapBits(DWORD count, const void* bits);
    CSize GetBitmapDimension() const;
    // The pixels; null before the bitmap exists.
    vyr::Image* GetImage() const;
    operator HBITMAP() const { return (HBITMAP)m_hObject; }
    static CBitmap* FromHandle(HBITMAP h) { return static_cast<CBitmap*>(CGdiObject::FromHandle(h)); }
};

class CPalette : public CGdiObject
{
    DECLARE_DYNAMIC(CPalette)
public:
    CPalette() = default;
    // The 256 colours of the halftone palette (true colour needs no palette; kept for
    // code that converts bitmaps with one).
    BOOL CreateHalftonePalette(CDC* pDC);
    int GetEntryCount() const;
    operator HPALETTE() const { return (HPALETTE)m_hObject; }
    static CPalette* FromHandle(HPALETTE h) { return static_cast<CPalette*>(CGdiObject::FromHandle(h)); }
};

HGDIOBJ GetStockObject(int index);
BOOL DeleteObject(HGDIOBJ h);
HPALETTE CreateHalftonePalette(HDC hdc);

class CDC : public CObject
{
    DECLARE_DYNAMIC(CDC)
public:
    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    ~CDC() override;

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    static CDC* FromHandle(HDC h);
    BOOL Attach(HDC h);
    HDC Detach();

    // A memory context with a 1 x 1 bitmap selected; select a bitmap to draw into it.
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();

    // What was drawn, in call order, and the state now in force.
    const std::vector<vyr::DrawRecord>& Records() const;
    void ClearRecords();
    const vyr::DrawState& GetState() const;
    // The pixels this context draws into (the selected bitmap or the window's image); null
    // when it only records.
    vyr::Image* GetTargetImage() const;

    // Drawing objects. Each returns the object selected before.
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    CGdiObject* SelectObject(CGdiObject* pObject);
    CGdiObject* SelectStockObject(int index);
    CPalette* SelectPalette(CPalette* pPalette, BOOL forceBackground);
    UINT RealizePalette();
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;

    // A saved state (objects, colours, modes, origins, clip and position); RestoreDC(-1)
    // takes back the latest one.
    int SaveDC();
    BOOL RestoreDC(int savedDC);

    // Attributes.
    int SetROP2(int mode);
    int GetROP2() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    COLORREF SetBkColor(COLORREF c);
    COLORREF GetBkColor() const;
    COLORREF SetTextColor(COLORREF c);
    COLORREF GetTextColor() const;
    UINT SetTextAlign(UINT flags);
    UINT GetTextAlign() const;
    int SetStretchBltMode(int mode);
    int GetStretchBltMode() const;

    // Coordinates. Only MM_TEXT scales (one unit a pixel); origins shift.
    int SetMapMode(int mode);
    int GetMapMode() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
    CPoint OffsetViewportOrg(int dx, int dy);
    CPoint GetViewportOrg() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
    CPoint OffsetWindowOrg(int dx, int dy);
    CPoint GetWindowOrg() const;
    void DPtoLP(LPPOINT pts, int count = 1) const;
    void DPtoLP(LPRECT r) const;
    void DPtoLP(LPSIZE s) const;
    void LPtoDP(LPPOINT pts, int count = 1) const;
    void LPtoDP(LPRECT r) const;
    void LPtoDP(LPSIZE s) const;
    int GetDeviceCaps(int index) const;

    // Clipping (logical rectangles).
    int IntersectClipRect(int l, int t, int r, int b);
    int IntersectClipRect(LPCRECT r) { return IntersectClipRect(r->left, r->top, r->right, r->bottom); }
    int GetClipBox(LPRECT r) const;

    // Lines and figures: the pen draws the outline, the brush fills, both in the ROP2.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    CPoint GetCurrentPosition() const;
    BOOL Rectangle(int l, int t, int r, int b);
    BOOL Rectangle(LPCRECT r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
    BOOL Ellipse(int l, int t, int r, int b);
    BOOL Ellipse(LPCRECT r) { return Ellipse(r->left, r->top, r->right, r->bottom); }
    BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Arc(LPCRECT r, POINT start, POINT end);
    BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Pie(LPCRECT r, POINT start, POINT end);
    BOOL Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Chord(LPCRECT r, POINT start, POINT end);
    BOOL Polygon(const POINT* pts, int count);
    BOOL Polyline(const POINT* pts, int count);
    BOOL PolyPolyline(const POINT* pts, const DWORD* counts, int polyCount);

    // Rectangles that ignore the ROP2 and the pen.
    void FillRect(LPCRECT r, CBrush* pBrush);
    // Also makes clr the background colour, as the class library does.
    void FillSolidRect(LPCRECT r, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    void FrameRect(LPCRECT r, CBrush* pBrush);
    void Draw3dRect(LPCRECT r, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    void InvertRect(LPCRECT r);
    void DrawFocusRect(LPCRECT r);

    // Text. count -1 takes the whole string.
    BOOL TextOut(int x, int y, LPCTSTR text, int count);
    BOOL TextOut(int x, int y, const CString& text) { return TextOut(x, y, text.GetString(), text.GetLength()); }
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT r, LPCTSTR text, UINT count, LPINT dx);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT r, const CString& text, LPINT dx)
    {
        return ExtTextOut(x, y, options, r, text.GetString(), (UINT)text.GetLength(), dx);
    }
    // Returns the height of the text drawn (DT_CALCRECT: sets the rectangle and draws nothing).
    int DrawText(LPCTSTR text, int count, LPRECT r, UINT format);
    int DrawText(const CString& text, LPRECT r, UINT format) { return DrawText(text.GetString(), text.GetLength(), r, format); }
    CSize GetTextExtent(LPCTSTR text, int count) const;
    CSize GetTextExtent(const CString& text) const { return GetTextExtent(text.GetString(), text.GetLength()); }
    CSize GetOutputTextExtent(LPCTSTR text, int count) const { return GetTextExtent(text, count); }
    CSize GetOutputTextExtent(const CString& text) const { return GetTextExtent(text); }
    BOOL GetTextMetrics(LPTEXTMETRIC tm) const;

    // Pixels and block transfers.
    COLORREF SetPixel(int x, int y, COLORREF c);
    COLORREF SetPixel(POINT p, COLORREF c) { return SetPixel(p.x, p.y, c); }
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT p) const { return GetPixel(p.x, p.y); }
    BOOL BitBlt(int x, int y, int width, int height, CDC* pSrcDC, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* pSrcDC, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, DWORD rop);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);

    vyr::DcData* Data() const;

private:
    bool m_temporary = false;
    friend struct vyr::DcData;
};
