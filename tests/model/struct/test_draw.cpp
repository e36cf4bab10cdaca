// Drawing of the structure sketch and of node lists into a bitmap.
#include <gtest/gtest.h>

#include "struct_test_util.h"

namespace
{
int Count(CBitmap& bmp, COLORREF c)
{
    const vyr::Image& im = *bmp.GetImage();
    int n = 0;
    for (int y = 0; y < im.Height(); ++y)
        for (int x = 0; x < im.Width(); ++x)
            n += im.GetPixel(x, y) == c;
    return n;
}
} // namespace

TEST(SketchDrawing, BlinkStylesDrawTheMembersInTheirColours)
{
    CGlobalData d;
    BuildSampleModel(d);
    CStructSketch sketch;
    sketch.Import(d.Struct()->m_pBeamList, nullptr);
    sketch.Change3D(d.Matrix3D());
    sketch.ZoomAll(CRect(0, 0, 120, 160));

    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dc, 120, 160);
    bmp.GetImage()->Fill(RGB(0, 0, 0));
    CBitmap* old = dc.SelectObject(&bmp);
    sketch.SetUseType(1);
    sketch.Display(&dc);
    const int yellow = Count(bmp, RGB(255, 255, 0));
    EXPECT_GT(yellow, 200) << "the plan's grid lines are drawn";
    sketch.SetUseType(2);
    sketch.Display(&dc);
    EXPECT_EQ(Count(bmp, RGB(255, 255, 0)), 0) << "the second blink style covers the first";
    EXPECT_GT(Count(bmp, RGB(128, 128, 128)), 200);
    dc.SelectObject(old);
}

TEST(NodeDrawing, SelectedOnlyDrawsTheSelectedNodes)
{
    CGlobalData d;
    SetPlanView(d);
    CPNode a(1, CPoint3D(10, 10, 0)), b(2, CPoint3D(30, 10, 0));
    CPNodeList list;
    list.AddTail(&a);
    list.AddTail(&b);
    d.GetNodeScreenPt(&a); // projects with the root's view
    d.GetNodeScreenPt(&b);
    b.SetSelect(1);

    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dc, 40, 40);
    bmp.GetImage()->Fill(RGB(255, 255, 255));
    CBitmap* old = dc.SelectObject(&bmp);
    CRect clip(0, 0, 40, 40);
    CMatrix2D id;
    list.OnDraw(&dc, clip, 1.0f, 4.0, 0, 0, 0, id, true);
    const vyr::Image& im = *bmp.GetImage();
    EXPECT_EQ(im.GetPixel(10, 8), RGB(255, 255, 255)) << "an unselected node is left out";
    EXPECT_NE(im.GetPixel(30, 7), RGB(255, 255, 255)) << "the selected node's square is drawn";
    dc.SelectObject(old);
}
