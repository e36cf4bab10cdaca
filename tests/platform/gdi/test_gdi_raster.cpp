// Pixels: XOR drawing that undoes itself, pen styles, figure edges, text, transfers,
// clipping and the replay of recorded drawing.
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "gdi_test_util.h"

namespace {

struct Figure
{
    const char* name;
    std::function<void(CDC&)> draw;
};

void SelectTextFont(CDC& dc, CFont& f, const char* face, int escapement = 0)
{
    f.CreateFont(-16, 0, escapement, escapement, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, FF_SWISS, face);
    dc.SelectObject(&f);
}

// Ink bounds of everything not white.
CRect InkBox(const vyr::Image& im)
{
    CRect r(1 << 20, 1 << 20, -1, -1);
    for (int y = 0; y < im.Height(); ++y)
        for (int x = 0; x < im.Width(); ++x)
            if (im.GetPixel(x, y) != RGB(255, 255, 255)) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    return r;
}

TEST(GdiRaster, XorDrawnTwiceRestoresEveryPixel)
{
    const POINT poly[] = {{5, 5}, {60, 12}, {30, 50}, {8, 40}};
    const Figure figures[] = {
        {"line", [](CDC& dc) { dc.MoveTo(3, 4); dc.LineTo(70, 55); }},
        {"joined lines", [](CDC& dc) { dc.MoveTo(3, 4); dc.LineTo(40, 4); dc.LineTo(40, 50); dc.LineTo(3, 4); }},
        {"rectangle", [](CDC& dc) { dc.Rectangle(10, 10, 50, 40); }},
        {"ellipse", [](CDC& dc) { dc.Ellipse(5, 8, 70, 50); }},
        {"arc", [](CDC& dc) { dc.Arc(5, 5, 60, 50, 60, 5, 5, 50); }},
        {"pie", [](CDC& dc) { dc.Pie(5, 5, 60, 50, 60, 30, 30, 5); }},
        {"chord", [](CDC& dc) { dc.Chord(5, 5, 60, 50, 60, 30, 30, 5); }},
        {"polygon", [&](CDC& dc) { dc.Polygon(poly, 4); }},
        {"polyline", [&](CDC& dc) { dc.Polyline(poly, 4); }},
        {"text", [](CDC& dc) { CFont f; SelectTextFont(dc, f, "宋体"); dc.TextOut(4, 4, "第1边 Ab"); }},
        {"opaque text", [](CDC& dc) {
             CFont f; SelectTextFont(dc, f, "Arial");
             dc.SetBkMode(OPAQUE);
             dc.SetBkColor(RGB(0, 0, 255));
             dc.TextOut(4, 20, "起点2 xyz");
         }},
        {"turned text", [](CDC& dc) {
             CFont f; SelectTextFont(dc, f, "宋体", 900);
             dc.SetTextAlign(TA_CENTER | TA_BOTTOM);
             dc.TextOut(30, 30, "第2边");
         }},
        {"wide pen", [](CDC& dc) {
             CPen p(PS_SOLID, 3, RGB(0, 255, 0));
             CPen* old = dc.SelectObject(&p);
             dc.MoveTo(5, 50); dc.LineTo(65, 8);
             dc.Rectangle(20, 20, 40, 40);
             dc.SelectObject(old);
         }},
        {"dotted pen", [](CDC& dc) {
             CPen p(PS_DOT, 1, RGB(255, 255, 255));
             CPen* old = dc.SelectObject(&p);
             dc.Ellipse(10, 10, 60, 50);
             dc.MoveTo(0, 30); dc.LineTo(75, 31);
             dc.SelectObject(old);
         }},
    };
    for (const Figure& fig : figures) {
        SCOPED_TRACE(fig.name);
        Canvas c(76, 58);
        c.Noise();
        const vyr::Image before = c.Img();
        CPen pen(PS_SOLID, 1, RGB(255, 255, 128));
        c.dc.SelectObject(&pen);
        CBrush brush(RGB(40, 80, 120));
        c.dc.SelectObject(&brush);
        c.dc.SetROP2(R2_XORPEN);
        c.dc.SetBkMode(TRANSPARENT);
        c.dc.SetTextColor(RGB(255, 0, 255));
        const int saved = c.dc.SaveDC();
        fig.draw(c.dc);
        c.dc.RestoreDC(saved);
        EXPECT_NE(c.Img(), before) << "the figure drew nothing";
        fig.draw(c.dc);
        c.dc.RestoreDC(saved);
        EXPECT_EQ(c.Img(), before);
    }
}

TEST(GdiRaster, RasterOperationsCombinePenAndDestination)
{
    struct Case
    {
        int rop;
        COLORREF expected;
    };
    const COLORREF dst = RGB(0x0F, 0xF0, 0x55), pen = RGB(0x33, 0x33, 0xFF);
    const Case cases[] = {
        {R2_COPYPEN, pen},
        {R2_XORPEN, RGB(0x3C, 0xC3, 0xAA)},
        {R2_NOT, RGB(0xF0, 0x0F, 0xAA)},
        {R2_BLACK, RGB(0, 0, 0)},
        {R2_WHITE, RGB(255, 255, 255)},
        {R2_NOP, dst},
        {R2_MASKPEN, RGB(0x03, 0x30, 0x55)},
        {R2_MERGEPEN, RGB(0x3F, 0xF3, 0xFF)},
        {R2_NOTCOPYPEN, RGB(0xCC, 0xCC, 0x00)},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.rop);
        Canvas c(10, 3, dst);
        CPen p(PS_SOLID, 1, pen);
        c.dc.SelectObject(&p);
        c.dc.SetROP2(k.rop);
        c.dc.MoveTo(0, 1);
        c.dc.LineTo(10, 1);
        EXPECT_EQ(c.Img().GetPixel(4, 1), k.expected);
        EXPECT_EQ(c.Img().GetPixel(4, 0), dst);
    }
}

TEST(GdiRaster, LinesLeaveOutTheirLastPixel)
{
    Canvas c(12, 12);
    c.dc.MoveTo(1, 1);
    c.dc.LineTo(8, 1);
    for (int x = 1; x < 8; ++x) EXPECT_EQ(c.Img().GetPixel(x, 1), RGB(0, 0, 0)) << x;
    EXPECT_EQ(c.Img().GetPixel(8, 1), RGB(255, 255, 255));
    EXPECT_EQ(c.Img().GetPixel(0, 1), RGB(255, 255, 255));
    EXPECT_EQ(c.CountNot(RGB(255, 255, 255)), 7);
    // A diagonal covers one pixel per step.
    Canvas d(12, 12);
    d.dc.MoveTo(0, 0);
    d.dc.LineTo(10, 5);
    EXPECT_EQ(d.CountNot(RGB(255, 255, 255)), 10);
}

TEST(GdiRaster, RectangleEdgesAndFill)
{
    Canvas c(10, 10);
    CBrush red(RGB(255, 0, 0));
    c.dc.SelectObject(&red);
    c.dc.Rectangle(2, 3, 7, 8); // pen on columns 2..6, rows 3..7
    const vyr::Image& im = c.Img();
    for (int x = 2; x <= 6; ++x) {
        EXPECT_EQ(im.GetPixel(x, 3), RGB(0, 0, 0)) << x;
        EXPECT_EQ(im.GetPixel(x, 7), RGB(0, 0, 0)) << x;
    }
    for (int y = 3; y <= 7; ++y) {
        EXPECT_EQ(im.GetPixel(2, y), RGB(0, 0, 0)) << y;
        EXPECT_EQ(im.GetPixel(6, y), RGB(0, 0, 0)) << y;
        EXPECT_EQ(im.GetPixel(7, y), RGB(255, 255, 255)) << y;
    }
    EXPECT_EQ(im.GetPixel(4, 5), RGB(255, 0, 0));
    EXPECT_EQ(im.GetPixel(4, 8), RGB(255, 255, 255));
    EXPECT_EQ(c.CountNot(RGB(255, 255, 255)), 25);

    // The null brush leaves the inside alone; the null pen leaves the edge.
    Canvas h(10, 10);
    h.dc.SelectStockObject(NULL_BRUSH);
    h.dc.Rectangle(2, 3, 7, 8);
    EXPECT_EQ(h.Img().GetPixel(4, 5), RGB(255, 255, 255));
    EXPECT_EQ(h.CountNot(RGB(255, 255, 255)), 16);
    Canvas n(10, 10);
    n.dc.SelectStockObject(NULL_PEN);
    n.dc.SelectStockObject(BLACK_BRUSH);
    n.dc.Rectangle(2, 3, 7, 8);
    EXPECT_EQ(n.CountNot(RGB(255, 255, 255)), 16); // one pixel smaller each way
}

TEST(GdiRaster, EllipsesFitTheirBoxAndArcsRunCounterClockwise)
{
    Canvas e(20, 20);
    e.dc.Ellipse(2, 3, 12, 9);
    EXPECT_EQ(InkBox(e.Img()), CRect(2, 3, 12, 9)); // touches every side, right and bottom left out

    // From the start ray to the end ray counter-clockwise on the screen.
    struct Case
    {
        POINT start, end;
        POINT inside, outside;
    };
    const Case cases[] = {
        {{40, 20}, {20, 0}, {30, 10}, {10, 30}},  // east to north: upper right
        {{20, 0}, {40, 20}, {10, 30}, {30, 10}},  // north to east: the other three quarters
        {{0, 20}, {40, 20}, {20, 30}, {20, 10}},  // west to east: the lower half
    };
    for (const Case& k : cases) {
        Canvas c(41, 41);
        c.dc.SelectStockObject(BLACK_BRUSH);
        c.dc.Pie(0, 0, 40, 40, k.start.x, k.start.y, k.end.x, k.end.y);
        EXPECT_EQ(c.Img().GetPixel(k.inside.x, k.inside.y), RGB(0, 0, 0)) << k.start.x << "," << k.start.y;
        EXPECT_EQ(c.Img().GetPixel(k.outside.x, k.outside.y), RGB(255, 255, 255)) << k.start.x << "," << k.start.y;
    }
    // An arc only draws the curve.
    Canvas a(41, 41);
    a.dc.Arc(0, 0, 40, 40, 40, 20, 20, 0);
    EXPECT_EQ(a.Img().GetPixel(30, 10), RGB(255, 255, 255));
    CRect ink = InkBox(a.Img());
    EXPECT_GE(ink.left, 19);
    EXPECT_LE(ink.bottom, 21);
}

TEST(GdiRaster, PenStylesShowTheirPattern)
{
    struct Case
    {
        int style;
        int minGaps; // off runs along 60 pixels
    };
    const Case cases[] = {{PS_SOLID, 0}, {PS_DOT, 9}, {PS_DASH, 2}, {PS_DASHDOT, 4}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.style);
        Canvas c(64, 3);
        CPen p(k.style, 1, RGB(0, 0, 0));
        c.dc.SelectObject(&p);
        c.dc.MoveTo(0, 1);
        c.dc.LineTo(60, 1);
        int gaps = 0, on = 0;
        bool prev = true;
        for (int x = 0; x < 60; ++x) {
            const bool ink = c.Img().GetPixel(x, 1) == RGB(0, 0, 0);
            on += ink;
            if (!ink && prev) ++gaps;
            prev = ink;
        }
        if (k.minGaps == 0) EXPECT_EQ(on, 60);
        else {
            EXPECT_GE(gaps, k.minGaps);
            EXPECT_GE(on, 20); // still mostly visible
        }
    }
}

TEST(GdiRaster, ChineseTextDrawsInk)
{
    Canvas c(120, 40);
    CFont f;
    SelectTextFont(c.dc, f, "宋体");
    c.dc.SetTextColor(RGB(200, 0, 0));
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.TextOut(2, 2, "多个房间");
    int ink = 0, minX = 1000, maxX = -1;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x)
            if (c.Img().GetPixel(x, y) == RGB(200, 0, 0)) {
                ++ink;
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
    EXPECT_GT(ink, 60);
    // Four characters of a 16-pixel em span about 64 pixels.
    EXPECT_GE(maxX - minX, 50);
    EXPECT_LE(maxX, 2 + c.dc.GetTextExtent("多个房间").cx);
    // A Latin face still shows Chinese characters.
    Canvas a(120, 40);
    CFont arial;
    SelectTextFont(a.dc, arial, "Arial");
    a.dc.TextOut(2, 2, "多个");
    EXPECT_GT(a.CountNot(RGB(255, 255, 255)), 30);
}

TEST(GdiRaster, TextInkSpansTheWidthItMeasures)
{
    // The substitutes' own glyphs are wider than 宋体's and Arial's advances: each glyph is
    // fitted into its advance, so the ink ends where the measured width does.
    const struct
    {
        const char* face;
        int height;
        const char* text;
    } cases[] = {
        {"宋体", -12, "<< 变截面多段布置"},
        {"宋体", -12, "HW400x400"},
        {"Arial", -10, "3000.0003000.000"},
        {"Arial", -12, "Wm钢W"},
    };
    for (const auto& c : cases) {
        Canvas can(240, 30);
        CFont f;
        f.CreateFont(c.height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, FF_SWISS, c.face);
        can.dc.SelectObject(&f);
        can.dc.SetBkMode(TRANSPARENT);
        can.dc.TextOut(4, 4, c.text);
        const int width = can.dc.GetTextExtent(c.text).cx;
        const CRect ink = InkBox(can.Img());
        EXPECT_GE(ink.left, 4) << c.text;
        EXPECT_LE(ink.right, 4 + width + 1) << c.text;
        EXPECT_GE(ink.right, 4 + width - 3) << c.text;
    }
}

TEST(GdiRaster, TextAlignmentAndEscapementPlaceTheText)
{
    // Centred, bottom: ink on both sides of x, above y.
    Canvas c(200, 100);
    CFont f;
    SelectTextFont(c.dc, f, "宋体");
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.SetTextAlign(TA_CENTER | TA_BOTTOM);
    c.dc.TextOut(100, 60, "第一边");
    CRect ink = InkBox(c.Img());
    EXPECT_LT(ink.left, 100);
    EXPECT_GT(ink.right, 100);
    EXPECT_NEAR((ink.left + ink.right) / 2, 100, 3);
    EXPECT_LE(ink.bottom, 60);
    EXPECT_GT(ink.bottom, 45);

    // Right-aligned on the baseline: ink ends at x.
    Canvas r(200, 100);
    CFont f2;
    SelectTextFont(r.dc, f2, "Arial");
    r.dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
    r.dc.SetBkMode(TRANSPARENT);
    r.dc.TextOut(150, 50, "HHH");
    ink = InkBox(r.Img());
    EXPECT_LE(ink.right, 151);
    EXPECT_GE(ink.right, 145);
    EXPECT_EQ(ink.bottom, 50); // H sits on the baseline

    // Turned by 90 degrees the text runs upward: taller than wide.
    Canvas t(100, 200);
    CFont f3;
    SelectTextFont(t.dc, f3, "宋体", 900);
    t.dc.SetBkMode(TRANSPARENT);
    t.dc.TextOut(50, 150, "第二边第二边");
    ink = InkBox(t.Img());
    EXPECT_GT(ink.Height(), 3 * ink.Width());
    EXPECT_LE(ink.bottom, 151);
    EXPECT_GE(ink.left, 50); // top-left reference: the text hangs to the right of x
}

TEST(GdiRaster, DrawTextStaysInsideItsRectangle)
{
    const char* text = "多个房间布置次梁，没有预览图";
    auto draw = [&](UINT extra) {
        auto c = std::make_unique<Canvas>(200, 40);
        CFont f;
        SelectTextFont(c->dc, f, "宋体");
        c->dc.SetBkMode(TRANSPARENT);
        CRect r(10, 5, 60, 35);
        c->dc.DrawText(text, -1, &r, DT_LEFT | DT_SINGLELINE | extra);
        return c;
    };
    auto clipped = draw(0);
    CRect ink = InkBox(clipped->Img());
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 60);
    auto spilled = draw(DT_NOCLIP);
    EXPECT_GT(InkBox(spilled->Img()).right, 100);
    // The ellipsis shortens the text to the width instead.
    auto shortened = draw(DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_LE(InkBox(shortened->Img()).right, 60);
    EXPECT_GT(InkBox(shortened->Img()).right, 40);
}

TEST(GdiRaster, OpaqueBackgroundFillsTheTextCell)
{
    Canvas c(100, 30);
    CFont f;
    SelectTextFont(c.dc, f, "Arial");
    c.dc.SetBkColor(RGB(0, 0, 255));
    c.dc.TextOut(5, 5, "ab");
    const CSize sz = c.dc.GetTextExtent("ab");
    EXPECT_EQ(c.Img().GetPixel(5, 5), RGB(0, 0, 255));
    EXPECT_EQ(c.Img().GetPixel(5 + sz.cx - 1, 5 + sz.cy - 1), RGB(0, 0, 255));
    EXPECT_EQ(c.Img().GetPixel(5 + sz.cx, 5), RGB(255, 255, 255));
    EXPECT_EQ(c.Img().GetPixel(5, 5 + sz.cy), RGB(255, 255, 255));
}

TEST(GdiRaster, BlockTransfersBetweenMemoryContexts)
{
    Canvas src(20, 20);
    src.Noise();
    Canvas dst(30, 30);
    dst.Noise();
    const vyr::Image before = dst.Img();
    ASSERT_TRUE(dst.dc.BitBlt(5, 6, 10, 8, &src.dc, 2, 3, SRCCOPY));
    EXPECT_EQ(dst.Img().GetPixel(5, 6), src.Img().GetPixel(2, 3));
    EXPECT_EQ(dst.Img().GetPixel(14, 13), src.Img().GetPixel(11, 10));
    EXPECT_EQ(dst.Img().GetPixel(15, 13), before.GetPixel(15, 13));
    EXPECT_EQ(dst.Img().GetPixel(4, 6), before.GetPixel(4, 6));

    // SRCINVERT twice is the identity.
    dst.Img() = before;
    dst.dc.BitBlt(0, 0, 20, 20, &src.dc, 0, 0, SRCINVERT);
    EXPECT_NE(dst.Img(), before);
    dst.dc.BitBlt(0, 0, 20, 20, &src.dc, 0, 0, SRCINVERT);
    EXPECT_EQ(dst.Img(), before);

    // Stretching doubles each pixel.
    Canvas big(40, 40);
    big.dc.StretchBlt(0, 0, 40, 40, &src.dc, 0, 0, 20, 20, SRCCOPY);
    EXPECT_EQ(big.Img().GetPixel(7, 9), src.Img().GetPixel(3, 4));
    // A copy onto itself reads the source before writing.
    Canvas self(10, 1);
    self.Noise();
    const vyr::Image row = self.Img();
    self.dc.BitBlt(1, 0, 9, 1, &self.dc, 0, 0, SRCCOPY);
    for (int x = 1; x < 10; ++x) EXPECT_EQ(self.Img().GetPixel(x, 0), row.GetPixel(x - 1, 0));
    // Transfers without a source.
    Canvas pat(4, 4);
    pat.dc.PatBlt(0, 0, 4, 4, BLACKNESS);
    EXPECT_EQ(pat.CountNot(RGB(0, 0, 0)), 0);
    pat.dc.PatBlt(0, 0, 2, 4, DSTINVERT);
    EXPECT_EQ(pat.Img().GetPixel(1, 1), RGB(255, 255, 255));
    EXPECT_FALSE(pat.dc.BitBlt(0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));

    // Sizes far beyond both bitmaps copy what there is and read black elsewhere.
    Canvas wide(30, 30);
    ASSERT_TRUE(wide.dc.BitBlt(0, 0, 1 << 30, 1 << 30, &src.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(wide.Img().GetPixel(19, 19), src.Img().GetPixel(19, 19));
    EXPECT_EQ(wide.Img().GetPixel(25, 5), RGB(0, 0, 0));
    // A context without pixels gives black.
    CDC rec;
    rec.Attach(vyr::CreateDisplayDC());
    wide.dc.BitBlt(0, 0, 5, 5, &rec, 0, 0, SRCCOPY);
    EXPECT_EQ(wide.Img().GetPixel(2, 2), RGB(0, 0, 0));
}

TEST(GdiRaster, ClippingLimitsDrawing)
{
    Canvas c(20, 20);
    c.dc.IntersectClipRect(5, 5, 10, 10);
    c.dc.SelectStockObject(BLACK_BRUSH);
    c.dc.Rectangle(0, 0, 20, 20);
    EXPECT_EQ(c.CountNot(RGB(255, 255, 255)), 25);
    EXPECT_EQ(c.Img().GetPixel(4, 4), RGB(255, 255, 255));
    EXPECT_EQ(c.Img().GetPixel(9, 9), RGB(0, 0, 0));
    EXPECT_EQ(c.dc.GetPixel(4, 4), CLR_INVALID);
}

TEST(GdiRaster, FarReachingLinesDrawOnlyTheirVisiblePart)
{
    Canvas c(50, 50);
    const auto t0 = std::chrono::steady_clock::now();
    c.dc.MoveTo(-1000000000, 10);
    c.dc.LineTo(1000000000, 10);
    c.dc.MoveTo(-2000000000, -2000000000);
    c.dc.LineTo(2000000000, 2000000000);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_LT(ms, 500);
    for (int x = 0; x < 50; ++x) EXPECT_EQ(c.Img().GetPixel(x, 10), RGB(0, 0, 0)) << x;
    for (int i = 0; i < 50; ++i) EXPECT_EQ(c.Img().GetPixel(i, i), RGB(0, 0, 0)) << i;
    EXPECT_EQ(c.CountNot(RGB(255, 255, 255)), 99);
}

TEST(GdiRaster, ReplayedRecordsMatchDirectDrawing)
{
    auto scene = [](CDC& dc) {
        CPen dash(PS_DASH, 1, RGB(0, 0, 0)), green(PS_SOLID, 3, RGB(0, 255, 0));
        CBrush fill(RGB(192, 0, 0));
        CFont font;
        font.CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, FF_SWISS, "宋体");
        dc.SelectObject(&font);
        CPen* oldPen = dc.SelectObject(&green);
        dc.Rectangle(10, 10, 120, 80);
        dc.SelectObject(&dash);
        dc.MoveTo(10, 10);
        dc.LineTo(120, 80);
        CBrush* oldBrush = dc.SelectObject(&fill);
        dc.Rectangle(57, 42, 63, 48);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextAlign(TA_CENTER | TA_BOTTOM);
        dc.TextOut(65, 100, "多个房间布置次梁");
        CRect r(0, 0, 140, 20);
        dc.DrawText("确定", &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        dc.SetROP2(R2_XORPEN);
        dc.Ellipse(30, 30, 90, 70);
        dc.SelectObject(oldPen);
        dc.SelectObject(oldBrush);
    };
    Canvas direct(140, 110);
    scene(direct.dc);
    CDC rec;
    rec.Attach(vyr::CreateDisplayDC());
    scene(rec);
    const vyr::Image replay = vyr::RenderRecords(rec.Records(), 140, 110, RGB(255, 255, 255));
    EXPECT_EQ(replay, direct.Img());

    // A window's context draws into its part of a larger image, clipped to it.
    vyr::Image screen(200, 150, RGB(255, 255, 255));
    RECT clip{0, 0, 140, 110};
    CDC win;
    win.Attach(vyr::CreateDisplayDC(&screen, POINT{30, 20}, &clip));
    scene(win);
    win.MoveTo(-30, 0);
    win.LineTo(0, 0); // outside the window
    for (int y = 0; y < 110; ++y)
        for (int x = 0; x < 140; ++x) ASSERT_EQ(screen.GetPixel(x + 30, y + 20), direct.Img().GetPixel(x, y)) << x << "," << y;
    CRect moved = InkBox(direct.Img());
    moved.OffsetRect(30, 20);
    EXPECT_EQ(InkBox(screen), moved);
}

} // namespace

namespace {

// Worker threads draw into bitmaps of their own while others do the same: the shared
// font caches and handle tables must not mix them up.
TEST(GdiRaster, ThreadsDrawIntoTheirOwnBitmaps)
{
    auto draw = [](int seed) {
        Canvas c(90, 40);
        CFont f;
        f.CreateFont(-12 - seed % 3, 0, seed % 2 ? 900 : 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0,
                     seed % 2 ? "宋体" : "Arial");
        c.dc.SelectObject(&f);
        CPen p(PS_DOT, 1, RGB(seed, 0, 0));
        c.dc.SelectObject(&p);
        c.dc.Ellipse(2, 2, 80, 38);
        c.dc.TextOut(10, 30, "第1边 ab");
        return c.Img();
    };
    std::vector<vyr::Image> alone;
    for (int i = 0; i < 4; ++i) alone.push_back(draw(i));
    std::vector<vyr::Image> together(4);
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i) threads.emplace_back([&, i] { together[(size_t)i] = draw(i); });
    for (std::thread& t : threads) t.join();
    for (int i = 0; i < 4; ++i) EXPECT_EQ(together[(size_t)i], alone[(size_t)i]) << i;
}

} // namespace
