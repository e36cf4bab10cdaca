// Shared state of the drawing objects and device contexts, behind their handles.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <vyr/gdi.h>

typedef struct _cairo cairo_t; // as <cairo.h> declares it

namespace vyr {

enum class GdiKind { Pen, Brush, Font, Bitmap, Palette };

// Held around every use of cairo. Drawing from several threads is rare, and cairo's own
// lock-free caches are invisible to the thread checker; one lock keeps both simple.
std::mutex& CairoMutex();

// What a GDI handle points at. The C++ object that created it holds one reference, every
// context that has it selected another, so a handle never dangles while in use.
struct GdiData
{
    explicit GdiData(GdiKind k);
    ~GdiData();
    GdiData(const GdiData&) = delete;
    GdiData& operator=(const GdiData&) = delete;

    GdiKind kind;
    bool stock = false;
    CGdiObject* owner = nullptr;           // the object that created or attached it
    std::unique_ptr<CGdiObject> temporary; // the stand-in FromHandle hands out otherwise
    LOGPEN pen{};
    LOGBRUSH brush{};
    LOGFONT font{};
    Image image;
    std::vector<COLORREF> palette;

    HGDIOBJ Handle() { return static_cast<HGDIOBJ>(this); }
};

// A live handle's data, or null when the handle is unknown or gone.
std::shared_ptr<GdiData> LookupGdi(HGDIOBJ h);
std::shared_ptr<GdiData> NewGdi(GdiKind k);
std::shared_ptr<GdiData> StockGdi(int index);

// The font a LOGFONT asks for, resolved to what cairo draws with.
struct FontSpec
{
    double emPixels;   // size of the em square in pixels
    bool bold;
    bool italic;
    bool underline;
    bool strikeOut;
    double angle;      // escapement in radians, counter-clockwise
    std::string face;  // the LOGFONT face
};
FontSpec ResolveFont(const LOGFONT& lf);

struct FontMetrics
{
    int height;
    int ascent;
    int descent;
    int internalLeading;
    int aveCharWidth;
    int maxCharWidth;
};
FontMetrics MeasureFont(const FontSpec& f);
// Advance width in pixels of a one-line text (no line breaks are interpreted). The widths
// are those of the face the font names where the substitute drawing it differs (宋体: half
// an em per GBK byte; Arial: its own advances), so layouts made for them fit.
double MeasureText(const FontSpec& f, const std::string& text);
int TextWidth(const FontSpec& f, const std::string& text);

// Runs of one font each: Chinese and other wide characters go to the CJK family, the
// rest to the face's own family, so that a Latin face still shows Chinese text.
struct TextRun
{
    std::string text;
    std::string family;
};
std::vector<TextRun> SplitRuns(const FontSpec& f, const std::string& text);
// Draws a run at cr's current point, its family and size selected, each character at the
// advance MeasureText gives it; the current point ends after the run.
void ShowRun(cairo_t* cr, const FontSpec& f, const std::string& run);

// The lines DrawText puts where, in logical coordinates.
struct TextLine
{
    std::string text;
    int x;
    int y; // top
};
struct TextLayout
{
    std::vector<TextLine> lines;
    RECT bounds; // what DT_CALCRECT reports
    int height;  // what DrawText returns
};
TextLayout LayoutText(const FontSpec& f, const std::string& text, const RECT& r, UINT format);

struct SavedState
{
    DrawState state;
    std::shared_ptr<GdiData> pen, brush, font, bitmap, palette;
    POINT position;
    int stretchMode;
};

// What an HDC points at.
struct DcData
{
    DcData() = default;
    DcData(const DcData&) = delete;
    DcData& operator=(const DcData&) = delete;

    bool memory = false;          // a memory context: draws into its selected bitmap
    Image* external = nullptr;    // a window's image
    POINT origin{0, 0};           // device (0, 0) in the external image
    bool hasBaseClip = false;
    RECT baseClip{};              // device coordinates; never widened by RestoreDC

    DrawState state{};
    std::shared_ptr<GdiData> pen, brush, font, bitmap, palette;
    POINT position{0, 0};
    int stretchMode = BLACKONWHITE;
    std::vector<SavedState> saved;
    // Handles deselected while no C++ object owned them: the pointer SelectObject
    // returned for them must stay usable until the context goes.
    std::vector<std::shared_ptr<GdiData>> keepAlive;

    std::vector<DrawRecord> records;

    CDC* owner = nullptr;
    std::unique_ptr<CDC> temporary;

    Image* Target() const;
    POINT TargetOrigin() const { return memory ? POINT{0, 0} : origin; }
    void Draw(DrawRecord&& rec);
};

DcData* LookupDc(HDC h);
HDC RegisterDc(std::unique_ptr<DcData> d);
void DeleteDc(HDC h);

// The default state of a new context.
DrawState DefaultState();

} // namespace vyr
