// Drawing state: what each record says was in force, what SelectObject hands back,
// saving and restoring, coordinates and text measurement.
#include <cstring>

#include <vyr/resources.h>

#include "gdi_test_util.h"

namespace {

// A context that records only, as a window's context does before it has an image.
struct Recorder
{
    CDC dc;
    Recorder() { dc.Attach(vyr::CreateDisplayDC()); }
};

TEST(GdiState, EachRecordCarriesTheStateInForce)
{
    Recorder r;
    CDC& dc = r.dc;
    CPen dotted(PS_DOT, 1, RGB(255, 0, 0));
    CPen wide(PS_SOLID, 3, RGB(0, 255, 0));
    CBrush grey(RGB(192, 192, 192));
    CFont turned;
    turned.CreateFont(-12, 0, 900, 900, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS, "Arial");

    dc.MoveTo(0, 0);
    dc.LineTo(10, 0); // defaults
    dc.SelectObject(&dotted);
    dc.SetROP2(R2_XORPEN);
    dc.LineTo(10, 10);
    dc.SelectObject(&wide);
    dc.SelectObject(&grey);
    dc.SetROP2(R2_COPYPEN);
    dc.Rectangle(0, 0, 5, 5);
    dc.SelectStockObject(NULL_BRUSH);
    dc.SelectObject(&turned);
    dc.SetTextAlign(TA_CENTER | TA_BOTTOM);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(1, 2, 3));
    dc.TextOut(50, 60, "起点1");

    const auto& recs = dc.Records();
    ASSERT_EQ(recs.size(), 4u);
    struct Expect
    {
        vyr::DrawKind kind;
        UINT penStyle;
        LONG penWidth;
        COLORREF penColor;
        UINT brushStyle;
        COLORREF brushColor;
        int rop2;
    };
    const Expect table[] = {
        {vyr::DrawKind::Line, PS_SOLID, 1, RGB(0, 0, 0), BS_SOLID, RGB(255, 255, 255), R2_COPYPEN},
        {vyr::DrawKind::Line, PS_DOT, 1, RGB(255, 0, 0), BS_SOLID, RGB(255, 255, 255), R2_XORPEN},
        {vyr::DrawKind::Rectangle, PS_SOLID, 3, RGB(0, 255, 0), BS_SOLID, RGB(192, 192, 192), R2_COPYPEN},
        {vyr::DrawKind::TextOut, PS_SOLID, 3, RGB(0, 255, 0), BS_NULL, 0, R2_COPYPEN},
    };
    for (size_t i = 0; i < recs.size(); ++i) {
        SCOPED_TRACE(i);
        const vyr::DrawState& s = recs[i].state;
        EXPECT_EQ(recs[i].kind, table[i].kind);
        EXPECT_EQ(s.pen.lopnStyle, table[i].penStyle);
        EXPECT_EQ(s.pen.lopnWidth.x, table[i].penWidth);
        EXPECT_EQ(s.pen.lopnColor, table[i].penColor);
        EXPECT_EQ(s.brush.lbStyle, table[i].brushStyle);
        if (table[i].brushStyle == BS_SOLID) {
            EXPECT_EQ(s.brush.lbColor, table[i].brushColor);
        }
        EXPECT_EQ(s.rop2, table[i].rop2);
    }
    // The line segments run from the current position.
    EXPECT_EQ(recs[1].points[0].x, 10);
    EXPECT_EQ(recs[1].points[0].y, 0);
    EXPECT_EQ(recs[1].points[1].y, 10);
    const vyr::DrawState& t = recs[3].state;
    EXPECT_STREQ(t.font.lfFaceName, "Arial");
    EXPECT_EQ(t.font.lfHeight, -12);
    EXPECT_EQ(t.font.lfEscapement, 900);
    EXPECT_EQ(t.font.lfPitchAndFamily, FF_SWISS);
    EXPECT_EQ(t.textAlign, (UINT)(TA_CENTER | TA_BOTTOM));
    EXPECT_EQ(t.bkMode, TRANSPARENT);
    EXPECT_EQ(t.textColor, RGB(1, 2, 3));
    EXPECT_EQ(recs[3].text, "起点1");
    // Later changes do not reach back into earlier records.
    EXPECT_EQ(recs[0].state.textAlign, (UINT)TA_LEFT);
    EXPECT_EQ(recs[0].state.bkMode, OPAQUE);
}

TEST(GdiState, SelectObjectReturnsThePreviousObject)
{
    Recorder r;
    CDC& dc = r.dc;
    CPen red(PS_SOLID, 1, RGB(255, 0, 0)), blue(PS_DASH, 1, RGB(0, 0, 255));

    CPen* first = dc.SelectObject(&red);
    ASSERT_NE(first, nullptr);
    LOGPEN lp{};
    first->GetLogPen(&lp);
    EXPECT_EQ(lp.lopnColor, RGB(0, 0, 0)); // the stock black pen a new context starts with
    EXPECT_EQ(first->GetSafeHandle(), GetStockObject(BLACK_PEN));

    EXPECT_EQ(dc.SelectObject(&blue), &red);
    EXPECT_EQ(dc.SelectObject(first), &blue);
    EXPECT_EQ(dc.GetState().pen.lopnColor, RGB(0, 0, 0));

    CBrush b(RGB(1, 1, 1));
    CBrush* oldBrush = dc.SelectObject(&b);
    EXPECT_EQ(oldBrush->GetSafeHandle(), GetStockObject(WHITE_BRUSH));
    CGdiObject* prev = dc.SelectStockObject(HOLLOW_BRUSH);
    EXPECT_EQ(prev, &b);
    EXPECT_EQ(dc.GetState().brush.lbStyle, (UINT)BS_NULL);
    EXPECT_EQ(dc.GetCurrentBrush()->GetSafeHandle(), GetStockObject(NULL_BRUSH));

    CFont f;
    f.CreatePointFont(90, "宋体");
    CFont* oldFont = dc.SelectObject(&f);
    EXPECT_EQ(oldFont->GetSafeHandle(), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(dc.GetState().font.lfHeight, -12); // 9 points at 96 dpi
    EXPECT_EQ(dc.SelectObject(static_cast<CGdiObject*>(oldFont)), &f);

    // A window's context holds no bitmap.
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dc, 4, 4);
    EXPECT_EQ(dc.SelectObject(&bmp), nullptr);
}

TEST(GdiState, PenDestroyedWhileSelectedKeepsDrawing)
{
    Canvas c(20, 5);
    CPen* returned = nullptr;
    {
        CPen green(PS_SOLID, 1, RGB(0, 255, 0));
        c.dc.SelectObject(&green);
    } // destroyed while still selected
    c.dc.MoveTo(0, 2);
    c.dc.LineTo(10, 2);
    EXPECT_EQ(c.Img().GetPixel(5, 2), RGB(0, 255, 0));
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    returned = c.dc.SelectObject(&black);
    ASSERT_NE(returned, nullptr);
    LOGPEN lp{};
    returned->GetLogPen(&lp); // still a valid object
    EXPECT_EQ(lp.lopnColor, RGB(0, 255, 0));
    c.dc.SelectObject(returned);
    c.dc.LineTo(19, 2);
    EXPECT_EQ(c.Img().GetPixel(15, 2), RGB(0, 255, 0));
}

TEST(GdiState, SaveAndRestoreBringBackObjectsAndAttributes)
{
    Recorder r;
    CDC& dc = r.dc;
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    const int saved = dc.SaveDC();
    EXPECT_EQ(saved, 1);
    dc.SelectObject(&red);
    dc.SetROP2(R2_XORPEN);
    dc.SetBkMode(TRANSPARENT);
    dc.SetViewportOrg(5, 5);
    dc.IntersectClipRect(0, 0, 10, 10);
    dc.MoveTo(7, 7);
    dc.SaveDC();
    dc.SetROP2(R2_NOT);
    EXPECT_TRUE(dc.RestoreDC(saved)); // drops the later save as well
    EXPECT_EQ(dc.GetROP2(), R2_COPYPEN);
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(dc.GetState().pen.lopnColor, RGB(0, 0, 0));
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, 0));
    EXPECT_FALSE(dc.GetState().hasClip);
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(0, 0));
    EXPECT_FALSE(dc.RestoreDC(-1)); // nothing left
    EXPECT_FALSE(dc.RestoreDC(3));
}

TEST(GdiState, SolidFillsSetTheBackgroundColour)
{
    Recorder r;
    CRect rc(0, 0, 10, 10);
    r.dc.FillSolidRect(&rc, RGB(10, 20, 30));
    EXPECT_EQ(r.dc.GetBkColor(), RGB(10, 20, 30));
    r.dc.Draw3dRect(&rc, RGB(1, 1, 1), RGB(2, 2, 2));
    EXPECT_EQ(r.dc.GetBkColor(), RGB(2, 2, 2));
}

TEST(GdiState, CoordinateConversionFollowsTheOrigins)
{
    Canvas c(30, 30);
    c.dc.SetViewportOrg(10, 5);
    c.dc.SetWindowOrg(2, 1);
    POINT p{0, 0};
    c.dc.LPtoDP(&p);
    EXPECT_EQ(p.x, 8);
    EXPECT_EQ(p.y, 4);
    c.dc.DPtoLP(&p);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    CRect rc(0, 0, 4, 4);
    c.dc.LPtoDP(&rc);
    EXPECT_EQ(rc, CRect(8, 4, 12, 8));
    // Drawing lands where LPtoDP says.
    c.dc.SetPixel(0, 0, RGB(255, 0, 0));
    EXPECT_EQ(c.Img().GetPixel(8, 4), RGB(255, 0, 0));
    EXPECT_EQ(c.dc.GetPixel(0, 0), RGB(255, 0, 0));
    CRect box;
    EXPECT_EQ(c.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(-8, -4, 22, 26));
    EXPECT_EQ(c.dc.GetDeviceCaps(LOGPIXELSX), 96);
    EXPECT_EQ(c.dc.GetDeviceCaps(LOGPIXELSY), 96);
    EXPECT_GT(c.dc.GetDeviceCaps(HORZRES), 0);
}

TEST(GdiState, TextExtentComesFromTheFont)
{
    Recorder r;
    CDC& dc = r.dc;
    CFont f;
    f.CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, FF_SWISS, "宋体");
    dc.SelectObject(&f);
    const CSize i = dc.GetTextExtent("i");
    const CSize ii = dc.GetTextExtent("ii");
    const CSize zhong = dc.GetTextExtent("中");
    const CSize two = dc.GetTextExtent("第1边");
    EXPECT_GT(i.cx, 0);
    EXPECT_GT(ii.cx, i.cx);
    EXPECT_GT(zhong.cx, i.cx);
    // A Chinese character is about a full em wide, twice a digit, as in GBK columns.
    EXPECT_NEAR(zhong.cx, 12, 2);
    EXPECT_GT(two.cx, 2 * zhong.cx);
    EXPECT_EQ(dc.GetTextExtent("").cx, 0);
    EXPECT_EQ(dc.GetTextExtent("abc", 1), dc.GetTextExtent("a"));

    TEXTMETRIC tm{};
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_EQ(i.cy, tm.tmHeight);
    // A negative height is the character height: the cell minus its internal leading.
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 12);

    // A positive height is the cell height.
    CFont cell;
    cell.CreateFont(20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    dc.SelectObject(&cell);
    dc.GetTextMetrics(&tm);
    EXPECT_NEAR(tm.tmHeight, 20, 1);
    EXPECT_GT(dc.GetTextExtent("W").cx, dc.GetTextExtent("i").cx);
}

TEST(GdiState, TextTakesTheAdvancesOfTheFaceItNames)
{
    // 宋体 gives ASCII half an em and a Chinese or other double-byte character a whole one;
    // Arial's advances are in thousandths of an em (digits 556, '.' 278, E 667, R 722, A 667,
    // S 667, Q 778). Widths are rounded once, for the whole text.
    const struct
    {
        const char* face;
        int height;
        const char* text;
        int width;
    } cases[] = {
        {"宋体", -12, "<< 变截面多段布置", 3 * 6 + 7 * 12},
        {"宋体", -12, "3000.000", 8 * 6},
        {"宋体", -12, " 频率（HZ）", 6 + 2 * 12 + 12 + 2 * 6 + 12},
        {"宋体", -12, "ERASE", 5 * 6},
        {"宋体", -16, "R1 x°", 4 * 8 + 16}, // the degree sign is double-byte in GBK
        {"SimSun", -12, "HW400x400", 9 * 6},
        {"Arial", -10, "3000.000", 42},     // 10 x (7 x 556 + 278) / 1000 = 41.7
        {"Arial", -10, "ERASE", 34},        // 10 x 3390 / 1000 = 33.9
        {"Arial", -12, "Q235钢", 41},       // 12 x (778 + 3 x 556) / 1000 + 12 = 41.35
    };
    for (const auto& c : cases) {
        Recorder r;
        CFont f;
        f.CreateFont(c.height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, FF_SWISS, c.face);
        r.dc.SelectObject(&f);
        EXPECT_EQ(r.dc.GetTextExtent(c.text).cx, c.width) << c.face << " " << c.height << " " << c.text;
    }
}

TEST(GdiState, DialogFontsAverageCharacterIsTheDialogBaseUnit)
{
    // Dialog units are laid out for the 9-point 宋体 of the templates: its average character
    // is the horizontal base unit, so a text fits the control sized for it.
    Recorder r;
    CFont f;
    ASSERT_TRUE(f.CreatePointFont(90, "宋体"));
    r.dc.SelectObject(&f);
    TEXTMETRIC tm{};
    ASSERT_TRUE(r.dc.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmAveCharWidth, vyr::kDialogBaseX);
    // Four dialog units per average character: a static of 4 x n units holds n of them.
    EXPECT_EQ(r.dc.GetTextExtent("ERASE").cx, vyr::DialogUnitsToPixelsX(4 * 5));
}

TEST(GdiState, DrawTextCalculatesAndPlacesLines)
{
    Recorder r;
    CDC& dc = r.dc;
    CFont f;
    f.CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "宋体");
    dc.SelectObject(&f);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    const int w = dc.GetTextExtent("确定").cx;

    CRect calc(10, 10, 500, 10);
    int h = dc.DrawText("确定", &calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(h, tm.tmHeight);
    EXPECT_EQ(calc, CRect(10, 10, 10 + w, 10 + tm.tmHeight));
    EXPECT_TRUE(dc.Records().empty()); // measuring draws nothing

    // The ampersand marks a mnemonic and is not shown.
    CRect amp(0, 0, 500, 0);
    dc.DrawText("&OK", &amp, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(amp.Width(), dc.GetTextExtent("OK").cx);
    CRect noPrefix(0, 0, 500, 0);
    dc.DrawText("&OK", &noPrefix, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(noPrefix.Width(), dc.GetTextExtent("&OK").cx);

    // Word breaking wraps Chinese text to the width.
    CRect wrap(0, 0, w + w / 4, 0); // two and a half characters
    h = dc.DrawText("确定确定确定", &wrap, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(h, 3 * tm.tmHeight);
    EXPECT_EQ(wrap.Width(), w);
    // Latin words break at spaces only.
    CRect words(0, 0, dc.GetTextExtent("alpha beta").cx, 0);
    EXPECT_EQ(dc.DrawText("alpha beta gamma", &words, DT_CALCRECT | DT_WORDBREAK), 2 * tm.tmHeight);
    CRect lines(0, 0, 500, 0);
    EXPECT_EQ(dc.DrawText("a\nb", &lines, DT_CALCRECT), 2 * tm.tmHeight);

    // Centred both ways in a single line: the return value reaches the bottom of the text.
    CRect box(0, 0, 100, 40);
    h = dc.DrawText("确定", &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(h, (40 - tm.tmHeight) / 2 + tm.tmHeight);
    ASSERT_EQ(dc.Records().size(), 1u);
    EXPECT_EQ(dc.Records()[0].kind, vyr::DrawKind::DrawText);
    EXPECT_EQ(dc.Records()[0].flags, (UINT)(DT_CENTER | DT_VCENTER | DT_SINGLELINE));
}

TEST(GdiState, StockObjectsAndObjectDescriptions)
{
    LOGFONT lf{};
    CFont* gui = CFont::FromHandle((HFONT)GetStockObject(DEFAULT_GUI_FONT));
    ASSERT_NE(gui, nullptr);
    EXPECT_EQ(gui->GetLogFont(&lf), (int)sizeof(LOGFONT));
    EXPECT_LT(lf.lfHeight, 0);
    EXPECT_EQ(GetStockObject(NULL_BRUSH), GetStockObject(HOLLOW_BRUSH));
    EXPECT_EQ(GetStockObject(99), nullptr);
    EXPECT_FALSE(DeleteObject(GetStockObject(BLACK_PEN))); // stock objects stay

    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(nullptr, 7, 3));
    BITMAP bm{};
    bmp.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 7);
    EXPECT_EQ(bm.bmHeight, 3);
    EXPECT_EQ(bmp.GetObjectType(), (UINT)OBJ_BITMAP);

    // A detached handle lives on until it is attached again or deleted.
    CPen pen(PS_DASH, 1, RGB(9, 9, 9));
    HGDIOBJ h = pen.Detach();
    EXPECT_EQ(pen.GetSafeHandle(), nullptr);
    CPen again;
    ASSERT_TRUE(again.Attach(h));
    LOGPEN lp{};
    again.GetLogPen(&lp);
    EXPECT_EQ(lp.lopnStyle, (UINT)PS_DASH);
    EXPECT_EQ(CGdiObject::FromHandle(h), &again);
    EXPECT_TRUE(again.DeleteObject());
    EXPECT_EQ(CGdiObject::FromHandle(h), nullptr);

    // A face name that fills LOGFONT stays terminated.
    LOGFONT longName{};
    std::memset(longName.lfFaceName, 'x', LF_FACESIZE);
    CFont lfFont;
    lfFont.CreateFontIndirect(&longName);
    LOGFONT back{};
    lfFont.GetLogFont(&back);
    EXPECT_EQ(std::strlen(back.lfFaceName), (size_t)LF_FACESIZE - 1);
}

TEST(GdiState, FontFacesMapToInstalledFamilies)
{
    struct Case
    {
        const char* face;
        const char* family;
    };
    const Case cases[] = {
        {"宋体", "WenQuanYi Micro Hei"},   {"黑体", "WenQuanYi Micro Hei"},
        {"楷体_GB2312", "WenQuanYi Micro Hei"}, {"仿宋_GB2312", "WenQuanYi Micro Hei"},
        {"某某字体", "WenQuanYi Micro Hei"}, {"SimSun", "WenQuanYi Micro Hei"},
        {"Arial", "DejaVu Sans"},          {"Times New Roman", "DejaVu Serif"},
        {"Courier New", "DejaVu Sans Mono"}, {"", "DejaVu Sans"},
    };
    for (const Case& c : cases) EXPECT_EQ(vyr::MapFontFace(c.face), c.family) << c.face;
}

} // namespace

namespace {

TEST(GdiState, ContextHandlesAttachDetachAndDelete)
{
    HDC h = vyr::CreateDisplayDC();
    // Without an owner, FromHandle gives a stand-in that draws on the same context.
    CDC* temp = CDC::FromHandle(h);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(CDC::FromHandle(h), temp);
    temp->MoveTo(0, 0);
    temp->LineTo(5, 5);
    {
        CDC dc;
        ASSERT_TRUE(dc.Attach(h));
        EXPECT_EQ(CDC::FromHandle(h), &dc);
        EXPECT_EQ(dc.Records().size(), 1u);
        EXPECT_EQ(dc.Detach(), h); // the context outlives the object
    }
    EXPECT_EQ(CDC::FromHandle(h)->Records().size(), 1u);

    // The window layer deleting the context leaves the object that held it empty.
    CDC owner;
    owner.Attach(h);
    vyr::DeleteDisplayDC(h);
    EXPECT_EQ(owner.GetSafeHdc(), nullptr);
    EXPECT_EQ(CDC::FromHandle(h), nullptr);
    EXPECT_FALSE(owner.DeleteDC());

    // A memory context starts with a one-pixel bitmap of its own.
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(nullptr));
    BITMAP bm{};
    mem.GetCurrentBitmap()->GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_TRUE(mem.DeleteDC());
    EXPECT_EQ(mem.GetSafeHdc(), nullptr);
}

TEST(GdiState, TextAtTheCurrentPositionMovesIt)
{
    Recorder r;
    r.dc.SetTextAlign(TA_UPDATECP);
    r.dc.MoveTo(10, 20);
    r.dc.TextOut(0, 0, "abc");
    const int w = r.dc.GetTextExtent("abc").cx;
    EXPECT_EQ(r.dc.GetCurrentPosition(), CPoint(10 + w, 20));
    ASSERT_EQ(r.dc.Records().size(), 1u);
    EXPECT_EQ(r.dc.Records()[0].points[0].x, 10); // drawn at the old position, not at (0, 0)
    EXPECT_EQ(r.dc.GetPixel(0, 0), CLR_INVALID); // a recording context has no pixels
}

} // namespace
