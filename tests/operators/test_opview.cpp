#include <gtest/gtest.h>

#include "OPTestKit.h"
#include <vyr/protocol/HostMessages.h>
#include <vyr/operators/OPView.h>
#include "support/TestHost.h"

using namespace optest;

namespace {

struct ViewFixture : ::testing::Test
{
    vyrtest::CTestHost host{800, 400};
    COPManager& m = host.OPManager();
    CMatrix2D& view = host.GlobalData().Matrix2D();

    void SetUp() override { m.SetOP(CSelectOP()); }
    CPoint2D Screen(double x, double y) { return CPoint2D(x, y) * view; }
    double Scale() { return Screen(1, 0).x - Screen(0, 0).x; }
    int Invalidations() { return vyr::GetWindowCounters(host.View().m_hWnd).invalidations; }
};

} // namespace

TEST_F(ViewFixture, TemporaryPanMovesOnlyWhileAButtonIsHeld)
{
    ASSERT_TRUE(m.MouseAction(OPMOUSE_MDOWN, MK_MBUTTON, CPoint(100, 100), 0));
    struct Case
    {
        UINT flags;
        CPoint to;
        bool used;
        double dx, dy; // total translation after the move
    } cases[] = {
        {0, CPoint(120, 100), false, 0, 0},             {MK_SHIFT, CPoint(120, 100), false, 0, 0},
        {MK_MBUTTON, CPoint(110, 90), true, 10, -10},  {MK_LBUTTON, CPoint(115, 90), true, 15, -10},
        {MK_CONTROL, CPoint(200, 200), false, 15, -10}, {MK_MBUTTON, CPoint(115, 100), true, 15, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(m.MouseAction(OPMOUSE_MOVE, c.flags, c.to, 0), c.used) << c.flags;
        EXPECT_DOUBLE_EQ(view.m[6], c.dx) << c.flags;
        EXPECT_DOUBLE_EQ(view.m[7], c.dy) << c.flags;
    }
    EXPECT_EQ(host.Count(WM_UI_VIEWCHANGED), 3);
    EXPECT_EQ(m.GetToolTip(), CString("视图平移->按下中键拖动进行视图平移"));
}

TEST_F(ViewFixture, PanCommandDragsWithTheLeftButtonAndEndsByRightButtonOrEsc)
{
    for (int ending = 0; ending < 2; ++ending) {
        COP* sel = m.GetCurOP();
        m.SetOP(CString("OP.ViewPan"));
        EXPECT_TRUE(m.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(10, 10), 0));
        EXPECT_EQ(m.GetToolTip(), CString("视图平移->按下左键拖动进行视图平移， 按ESC或者右键取消"));
        EXPECT_TRUE(m.MouseAction(OPMOUSE_MOVE, MK_LBUTTON, CPoint(30, 25), 0));
        EXPECT_TRUE(static_cast<COPViewPan*>(m.GetCurOP())->IsDragging());
        EXPECT_TRUE(m.MouseAction(OPMOUSE_LUP, 0, CPoint(30, 25), 0));
        EXPECT_FALSE(m.MouseAction(OPMOUSE_LUP, 0, CPoint(30, 25), 0)); // no drag to end
        EXPECT_FALSE(m.KeyUp(VK_ESCAPE, 1, 0));
        EXPECT_FALSE(m.KeyDown('A', 1, 0));
        if (ending == 0)
            EXPECT_TRUE(m.MouseAction(OPMOUSE_RCLICK, 0, CPoint(30, 25), 0));
        else
            EXPECT_TRUE(m.KeyDown(VK_ESCAPE, 1, 0));
        EXPECT_EQ(m.GetCurOP(), sel);
    }
    EXPECT_DOUBLE_EQ(view.m[6], 40.0);
    EXPECT_DOUBLE_EQ(view.m[7], 30.0);
}

TEST_F(ViewFixture, FreeRotationWaitsForFivePixels)
{
    ASSERT_TRUE(m.MouseAction(OPMOUSE_MDOWN, MK_MBUTTON | MK_CONTROL, CPoint(100, 100), 0));
    struct Case
    {
        CPoint to;
        bool sent;
        CPoint from;
    } cases[] = {
        {CPoint(104, 104), false, {}},            {CPoint(96, 96), false, {}},
        {CPoint(105, 102), true, CPoint(100, 100)}, {CPoint(108, 106), false, {}},
        {CPoint(108, 107), true, CPoint(105, 102)}, {CPoint(108, 102), true, CPoint(108, 107)},
    };
    for (const Case& c : cases) {
        host.ClearMessages();
        EXPECT_EQ(m.MouseAction(OPMOUSE_MOVE, MK_MBUTTON | MK_CONTROL, c.to, 0), c.sent) << c.to.x << "," << c.to.y;
        const auto sent = host.Messages(WM_UI_ROTATEVIEW);
        ASSERT_EQ(sent.size(), c.sent ? 1u : 0u) << c.to.x << "," << c.to.y;
        if (c.sent) {
            EXPECT_EQ(sent[0].from, c.from);
            EXPECT_EQ(sent[0].to, c.to);
        }
    }
    EXPECT_EQ(m.GetToolTip(), CString("视图自由变换->按下中键和Ctrl键拖动进行视图自由变换"));
    // The view matrix is the host's to rotate: the operator leaves it alone.
    EXPECT_DOUBLE_EQ(view.m[6], 0.0);
}

TEST_F(ViewFixture, DragZoomDependsOnThePointerPositionOnly)
{
    m.SetOP(CString("OP.ViewZoom"));
    const CPoint press(200, 300);
    EXPECT_TRUE(m.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, press, 0));
    struct Case
    {
        CPoint at;
        double scale;
    } cases[] = {
        {CPoint(200, 200), 1.125}, {CPoint(200, 200), 1.125}, {CPoint(250, 200), 1.125},
        {CPoint(200, 100), 1.25},  {CPoint(200, 300), 1.0},   {CPoint(200, 500), 0.75},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(m.MouseAction(OPMOUSE_MOVE, MK_LBUTTON, c.at, 0));
        EXPECT_NEAR(Scale(), c.scale, 1e-12) << c.at.y;
        // The press point stays where it was.
        EXPECT_NEAR(Screen(press.x, press.y).x, press.x, 1e-9);
        EXPECT_NEAR(Screen(press.x, press.y).y, press.y, 1e-9);
    }
    EXPECT_EQ(m.GetToolTip(), CString("视图缩放->拖动进行视图缩放，向上放大，向下缩小"));
    // Two view heights below the press the factor reaches zero: the move is ignored.
    EXPECT_FALSE(m.MouseAction(OPMOUSE_MOVE, MK_LBUTTON, CPoint(200, 1100), 0));
    EXPECT_NEAR(Scale(), 0.75, 1e-12);
    // Without the button held nothing happens.
    EXPECT_FALSE(m.MouseAction(OPMOUSE_MOVE, 0, CPoint(200, 0), 0));
    EXPECT_TRUE(m.MouseAction(OPMOUSE_RCLICK, 0, CPoint(200, 0), 0));
    EXPECT_TRUE(m.IsDefault());
}

TEST(ViewZoom, StaticZoomKeepsThePointAndAnnouncesEvenFactorOne)
{
    vyrtest::CTestHost host;
    CMatrix2D& view = host.GlobalData().Matrix2D();
    view.SetZoomMatrix(CRect(0, 0, 800, 600), CRect2D(0, 0, 1000, 750));
    const CMatrix2D before = view;
    COPViewZoom::Zoom(1.0, CPoint(123, 45), &host.GlobalData());
    for (int i = 0; i < 9; ++i)
        EXPECT_NEAR(view.m[i], before.m[i], 1e-12);
    EXPECT_EQ(host.Count(WM_UI_VIEWCHANGED), 1);
    for (double bad : {0.0, -1.0, std::nan("")}) {
        COPViewZoom::Zoom(bad, CPoint(123, 45), &host.GlobalData());
        for (int i = 0; i < 9; ++i)
            EXPECT_NEAR(view.m[i], before.m[i], 1e-12);
    }
    EXPECT_EQ(host.Count(WM_UI_VIEWCHANGED), 1);
}

TEST_F(ViewFixture, ZoomWindowFitsThePickedRectangleIntoTheView)
{
    view.SetZoomMatrix(CRect(0, 0, 800, 400), CRect2D(0, 0, 1000, 500));
    const CMatrix2D inverse = view.Anti();
    const CPoint2D a = CPoint2D(100, 100) * inverse, b = CPoint2D(300, 150) * inverse;
    const double scaleBefore = Scale();

    m.SetOP(CString("OP.ViewWindow"));
    EXPECT_FALSE(m.MouseAction(OPMOUSE_MOVE, 0, CPoint(90, 90), 0));
    EXPECT_EQ(m.GetToolTip(), CString("视图窗口放大->请选择两个点进行视图窗口放大，右键或者ESC键退出"));
    EXPECT_TRUE(m.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(100, 100), 0));
    EXPECT_FALSE(m.MouseAction(OPMOUSE_MOVE, 0, CPoint(250, 140), 0));
    EXPECT_EQ(m.GetToolTip(), CString("视图窗口放大->请选择另一点，右键或者ESC键取消"));
    host.ClearMessages();
    EXPECT_TRUE(m.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(300, 150), 0));
    EXPECT_EQ(host.Count(WM_UI_VIEWCHANGED), 1);
    // A 200 x 50 pixel window in an 800 x 400 view: four times larger, centred.
    EXPECT_NEAR(Scale(), scaleBefore * 4.0, 1e-9);
    const CPoint2D sa = a * view, sb = b * view;
    EXPECT_NEAR((sa.x + sb.x) / 2, 400.0, 1e-6);
    EXPECT_NEAR((sa.y + sb.y) / 2, 200.0, 1e-6);
    EXPECT_NEAR(std::fabs(sb.x - sa.x), 800.0, 1e-6);
    // The operator waits for the next window.
    EXPECT_EQ(m.GetOPType(), CString("OP.ViewWindow"));
    EXPECT_EQ(m.GetCurOP()->GetCurStep(), 0);
}

TEST_F(ViewFixture, ZoomWindowIgnoresTwoEqualCorners)
{
    m.SetOP(CString("OP.ViewWindow"));
    const CMatrix2D before = view;
    EXPECT_TRUE(m.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(100, 100), 0));
    host.ClearMessages();
    EXPECT_FALSE(m.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(100, 100), 0));
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(view.m[i], before.m[i]);
    EXPECT_EQ(host.Count(WM_UI_VIEWCHANGED), 0);
    EXPECT_EQ(m.GetCurOP()->GetCurStep(), 1); // still waiting for the second corner
    EXPECT_TRUE(m.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(140, 120), 0));
    EXPECT_EQ(host.Count(WM_UI_VIEWCHANGED), 1);
}

TEST_F(ViewFixture, ZoomWindowRightButtonFirstRestartsThenLeaves)
{
    COP* sel = m.GetCurOP();
    m.SetOP(CString("OP.ViewWindow"));
    EXPECT_TRUE(m.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(100, 100), 0));
    m.MouseAction(OPMOUSE_MOVE, 0, CPoint(180, 160), 0);
    const int before = Invalidations();
    EXPECT_FALSE(m.MouseAction(OPMOUSE_RCLICK, 0, CPoint(180, 160), 0));
    EXPECT_GT(Invalidations(), before); // the rubber rectangle is repainted away
    EXPECT_EQ(m.GetOPType(), CString("OP.ViewWindow"));
    auto* zw = static_cast<COPViewWindow*>(m.GetCurOP());
    EXPECT_EQ(zw->GetCurStep(), 0);
    EXPECT_EQ(zw->GetSecondCorner(), zw->GetFirstCorner());
    EXPECT_FALSE(m.MouseAction(OPMOUSE_RCLICK, 0, CPoint(180, 160), 0));
    EXPECT_EQ(m.GetCurOP(), sel);
}

TEST_F(ViewFixture, ZoomWindowLeftAtItsSecondCornerClearsItsRectangle)
{
    m.SetOP(CString("OP.ViewWindow"));
    m.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(100, 100), 0);
    m.MouseAction(OPMOUSE_MOVE, 0, CPoint(180, 160), 0);
    const int before = Invalidations();
    m.SetOP(CCommandOP()); // replaces the temporary operator, which is deleted
    EXPECT_GE(Invalidations(), before + 2); // its rectangle, then the whole view
    EXPECT_EQ(m.GetOPType(), CString("OP.TestCommand"));
    EXPECT_EQ(g_live, 3); // default, last (a copy of the parked selection) and the command
}

TEST(ViewWindowFrame, DrawnTwiceInExclusiveOrLeavesTheScreenAsBefore)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&dc, 60, 40));
    CBitmap* old = dc.SelectObject(&bmp);
    dc.FillSolidRect(0, 0, 60, 40, RGB(10, 20, 30));
    const vyr::Image before = *bmp.GetImage();
    const int ropBefore = dc.GetROP2();
    const int bkBefore = dc.GetBkMode();

    COPViewWindow::DrawFrame(&dc, CPoint(5, 5), CPoint(40, 30));
    EXPECT_EQ(bmp.GetImage()->GetPixel(5, 5), RGB(10 ^ 255, 20 ^ 255, 30 ^ 128));
    EXPECT_EQ(bmp.GetImage()->GetPixel(20, 20), RGB(10, 20, 30)); // inside stays unfilled
    EXPECT_EQ(dc.GetROP2(), ropBefore);
    EXPECT_EQ(dc.GetBkMode(), bkBefore);
    const vyr::DrawRecord& r = dc.Records().back();
    EXPECT_EQ(r.kind, vyr::DrawKind::Rectangle);
    EXPECT_EQ(r.state.rop2, R2_XORPEN);
    EXPECT_EQ(r.state.pen.lopnColor, RGB(255, 255, 128));
    EXPECT_EQ(r.state.brush.lbStyle, (UINT)BS_NULL);

    COPViewWindow::DrawFrame(&dc, CPoint(5, 5), CPoint(40, 30));
    EXPECT_TRUE(*bmp.GetImage() == before);
    dc.SelectObject(old);
}
