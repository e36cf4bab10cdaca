// The project panel: its grid and preview, the layout, the project information, and the
// preview's frame over the cached sketch in every order of calls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostkit/HostKit.h"
#include <vyr/protocol/HostMessages.h>
#include <vyr/host/ViewProject.h>
#include <vyr/model/struct/SampleModel.h>
#include <vyr/model/struct/structure.h>
#include <vyr/raster.h>
#include <vyr/resources/dialogs/ProjectRes.h>

namespace {

// Pixels in which two images differ.
int Diff(const vyr::Image& a, const vyr::Image& b)
{
    EXPECT_EQ(a.Width(), b.Width());
    EXPECT_EQ(a.Height(), b.Height());
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            n += a.GetPixel(x, y) != b.GetPixel(x, y);
    return n;
}

class ViewProjectTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CSampleModelSize size;
        size.nStorey = 2;
        BuildSampleModel(m_host.GlobalData(), size);
        m_host.GlobalData().ProjectPath() = "D:\\工程\\框架";
        m_host.GlobalData().ProjectName() = "框架.vyr";
    }
    CViewProject* Panel()
    {
        m_host.CreatePanels();
        return (CViewProject*)m_host.ShowPanel("View.Project");
    }
    // The preview's cache as it stands.
    static vyr::Image Cache(CViewProject* p)
    {
        vyr::Image* img = p->Preview().Cache().GetImage();
        EXPECT_NE(img, nullptr);
        return img ? *img : vyr::Image();
    }

    vyrhost::CHostKit m_host;
};

TEST_F(ViewProjectTest, APanel200PixelsWideHasASquarePreviewAndTheGridBelow)
{
    CViewProject* p = Panel();
    ASSERT_NE(p, nullptr);
    CRect client;
    p->GetClientRect(&client);
    ASSERT_EQ(client.Width(), 200);
    auto place = [&](CWnd& w) {
        CRect r;
        w.GetWindowRect(&r);
        p->ScreenToClient(&r);
        return r;
    };
    EXPECT_EQ(place(p->Preview()), CRect(8, 8, 192, 208));
    EXPECT_EQ(place(p->Grid()), CRect(8, 216, 192, client.Height() - 8));
    EXPECT_EQ(p->Preview().GetDlgCtrlID(), IDC_PROJECT_PREVIEW);
    EXPECT_EQ(p->Grid().GetDlgCtrlID(), IDC_PROJECT_GRID);
    EXPECT_TRUE(p->Preview().GetStyle() & WS_BORDER);
    // Scrolled by 30, both move up by 30.
    p->ScrollToPosition(CPoint(0, 30));
    p->Resize();
    EXPECT_EQ(place(p->Preview()), CRect(8, -22, 192, 178));
    EXPECT_EQ(place(p->Grid()).top, 186);
    p->ScrollToPosition(CPoint(0, 0));
}

TEST_F(ViewProjectTest, TheGridListsTheProjectInformationUnderItsTwoHeadings)
{
    CVyrProjectInfo& info = m_host.GlobalData().ProjectInfo();
    info.m_strDesigner = "张三";
    info.m_strChecker = "李四";
    info.m_strDate = "2026-12-11";
    CViewProject* p = Panel();
    CGridCtrl& g = p->Grid();
    ASSERT_EQ(g.GetColumnCount(), 2);
    EXPECT_EQ(g.GetFixedRowCount(), 1);
    EXPECT_TRUE(g.GetListMode());
    EXPECT_FALSE(g.IsEditable());
    EXPECT_EQ(g.GetItemText(0, 0), CString("项目信息"));
    EXPECT_EQ(g.GetItemText(0, 1), CString("内容"));
    const char* want[][2] = {{"工程名称", "三层钢框架"}, {"工程路径", "D:\\工程\\框架"}, {"设计人", "张三"},
                             {"校对人", "李四"},         {"日期", "2026-12-11"},        {"备注", ""}};
    ASSERT_EQ(g.GetRowCount(), 7);
    for (int r = 1; r <= 6; ++r) {
        EXPECT_EQ(g.GetItemText(r, 0), CString(want[r - 1][0])) << r;
        EXPECT_EQ(g.GetItemText(r, 1), CString(want[r - 1][1])) << r;
    }
    // The columns fill the grid after an update.
    CRect gc;
    g.GetClientRect(&gc);
    EXPECT_GE(g.GetColumnWidth(0) + g.GetColumnWidth(1), gc.Width() - 1);
    // Without a project name in the record the file's name is shown.
    info.m_strProject.Empty();
    p->Update();
    EXPECT_EQ(g.GetItemText(1, 1), CString("框架.vyr"));
    EXPECT_EQ(g.GetRowCount(), 7);
}

TEST_F(ViewProjectTest, WithoutAModelRootUpdateDoesNothing)
{
    auto* p = (CViewProject*)RUNTIME_CLASS(CViewProject)->CreateObject();
    ASSERT_TRUE(p->Create(&m_host.SideFrame(), 1, nullptr));
    p->OnInitialUpdate();
    p->Update();
    EXPECT_EQ(p->Grid().GetRowCount(), 1);
    p->WindowChanged();
    EXPECT_TRUE(p->Preview().Frame().IsRectNull());
    p->DestroyWindow();
}

TEST_F(ViewProjectTest, TheSketchIsImportedAfreshAndDrawnOnBlackInTheCache)
{
    CViewProject* p = Panel();
    p->Preview().UpdateWindow();
    const size_t lines = m_host.GlobalData().StructSketch().GetLines().size();
    EXPECT_EQ(lines, (size_t)m_host.GlobalData().Struct()->m_pBeamList->GetCount());
    p->Update();
    p->Update();
    EXPECT_EQ(m_host.GlobalData().StructSketch().GetLines().size(), lines);
    p->Preview().UpdateWindow();
    EXPECT_FALSE(p->Preview().IsSketchDirty());
    const vyr::Image cache = Cache(p);
    int black = 0, drawn = 0;
    for (int y = 0; y < cache.Height(); ++y)
        for (int x = 0; x < cache.Width(); ++x)
            (cache.GetPixel(x, y) == RGB(0, 0, 0) ? black : drawn) += 1;
    EXPECT_GT(black, drawn);
    EXPECT_GT(drawn, 100);
}

TEST_F(ViewProjectTest, ExactlyOneFrameShowsWhateverTheOrderOfCalls)
{
    CViewProject* p = Panel();
    CViewPreview3D& v = p->Preview();
    v.UpdateWindow();
    const vyr::Image bare = Cache(p);
    const CRect r(40, 50, 120, 110);

    v.SetRectWindow(r);
    const vyr::Image one = Cache(p);
    const int frame = Diff(bare, one);
    EXPECT_GT(frame, 200);
    EXPECT_EQ(v.DrawnFrame(), r);

    // The same rectangle again: still the one frame.
    v.SetRectWindow(r);
    EXPECT_EQ(Diff(one, Cache(p)), 0);

    // A sketch redraw between: the recorded frame is drawn into the fresh cache, and the
    // next move takes away that frame only.
    p->ViewChanged();
    v.UpdateWindow();
    EXPECT_EQ(Diff(one, Cache(p)), 0);
    p->ViewChanged();
    v.UpdateWindow();
    v.SetRectWindow(r);
    EXPECT_EQ(Diff(one, Cache(p)), 0);

    // Moved: the old place is clean again.
    const CRect r2(20, 30, 90, 80);
    v.SetRectWindow(r2);
    EXPECT_EQ(v.DrawnFrame(), r2);
    v.SetRectWindow(CRect());
    EXPECT_EQ(Diff(bare, Cache(p)), 0);
}

TEST_F(ViewProjectTest, TheFrameFollowsTheActiveViewsWindowAfterAZoom)
{
    CViewProject* p = Panel();
    CViewPreview3D& v = p->Preview();
    CGlobalData& d = m_host.GlobalData();
    // Zoomed so that the view shows the middle of the structure: the plane rectangle that
    // the view's client area covers, mapped by the sketch's fitting.
    CRect2D middle(300, 0, 900, 450);
    CRect client;
    m_host.View().GetClientRect(&client);
    d.Matrix2D().SetZoomMatrix(client, middle);
    p->ViewChanged();
    v.UpdateWindow();
    p->WindowChanged();
    const CMatrix2D fit = d.StructSketch().GetZoomAllMx2D(&v);
    const CMatrix2D back = d.Matrix2D().Anti();
    CPoint a = CPoint2D(client.left, client.top) * back * fit;
    CPoint b = CPoint2D(client.right, client.bottom) * back * fit;
    CRect want(a, b);
    want.NormalizeRect();
    EXPECT_EQ(v.Frame(), want);
    EXPECT_EQ(v.DrawnFrame(), want);
    // The frame lies within the preview and is narrower than it.
    CRect pv;
    v.GetClientRect(&pv);
    EXPECT_LT(want.Width(), pv.Width());
    EXPECT_GT(want.Width(), 10);

    // No active view: nothing moves.
    m_host.SetAnswer(WM_UI_GETACTIVEVIEW, 0);
    d.Matrix2D().SetZoomMatrix(client, CRect2D(0, 0, 100, 100));
    p->WindowChanged();
    EXPECT_EQ(v.Frame(), want);
    m_host.ClearAnswer(WM_UI_GETACTIVEVIEW);
}

TEST_F(ViewProjectTest, AFrameSetWhileHiddenWaitsAndIsAppliedOnceWhenThePreviewShows)
{
    CViewProject* p = Panel();
    CViewPreview3D& v = p->Preview();
    v.UpdateWindow();
    v.SetRectWindow(CRect(40, 50, 120, 110));
    vyr::PumpMessages();
    m_host.ShowPanel("View.Floor");
    ASSERT_FALSE(v.IsWindowVisible());
    const int paints = vyr::GetWindowCounters(v.GetSafeHwnd()).paints;
    const CRect pending(10, 20, 60, 70);
    v.SetRectWindow(pending);
    vyr::PumpMessages();
    EXPECT_EQ(vyr::GetWindowCounters(v.GetSafeHwnd()).paints, paints);
    EXPECT_EQ(v.PendingFrame(), pending);
    EXPECT_EQ(v.DrawnFrame(), CRect(40, 50, 120, 110));
    EXPECT_TRUE(v.IsSketchDirty());

    m_host.ShowPanel("View.Project");
    vyr::PumpMessages();
    EXPECT_TRUE(v.PendingFrame().IsRectNull());
    EXPECT_EQ(v.Frame(), pending);
    EXPECT_EQ(v.DrawnFrame(), pending);
    EXPECT_FALSE(v.IsSketchDirty());
    // Exactly one frame: taking it away leaves the bare sketch.
    const vyr::Image withFrame = Cache(p);
    v.SetRectWindow(CRect());
    const vyr::Image bare = Cache(p);
    v.SetRectWindow(pending);
    EXPECT_EQ(Diff(withFrame, Cache(p)), 0);
    EXPECT_GT(Diff(bare, withFrame), 100);
}

// The panel's commands as they arrive.
class CCommandProject : public CViewProject
{
public:
    std::vector<WPARAM> m_commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_commands.push_back(wParam);
        return CViewProject::OnCommand(wParam, lParam);
    }
};

TEST_F(ViewProjectTest, EnterAndEscapeInThePreviewReachThePanel)
{
    auto* p = new CCommandProject;
    ASSERT_TRUE(p->Create(&m_host.SideFrame(), 1, nullptr));
    p->SetParam(&m_host.GlobalData());
    p->OnInitialUpdate();
    p->Preview().SendMessage(WM_COMMAND, IDOK, 0);
    p->Preview().SendMessage(WM_COMMAND, IDCANCEL, 0);
    p->Preview().SendMessage(WM_COMMAND, 40001, 0);
    const std::vector<WPARAM> want = {IDOK, IDCANCEL};
    EXPECT_EQ(p->m_commands, want);
    p->DestroyWindow();
}

TEST_F(ViewProjectTest, AResizeReplacesCacheAndContextAndDrawsNothingUntilTheSketchIsDirty)
{
    CViewProject* p = Panel();
    CViewPreview3D& v = p->Preview();
    v.UpdateWindow();
    ASSERT_FALSE(v.MemoryDC()->Records().empty());
    v.MoveWindow(8, 8, 150, 150);
    // A fresh context that has drawn nothing, a fresh cache of the new size.
    ASSERT_NE(v.MemoryDC(), nullptr);
    EXPECT_TRUE(v.MemoryDC()->Records().empty());
    ASSERT_NE(v.Cache().GetImage(), nullptr);
    EXPECT_EQ(v.Cache().GetImage()->Width(), 150);
    v.UpdateWindow();
    const vyr::Image img = Cache(p);
    EXPECT_EQ(img.Width(), 150);
    int lit = 0;
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x)
            lit += img.GetPixel(x, y) != RGB(0, 0, 0);
    EXPECT_EQ(lit, 0);
    v.ChangeView();
    v.UpdateWindow();
    const vyr::Image drawn = Cache(p);
    lit = 0;
    for (int y = 0; y < drawn.Height(); ++y)
        for (int x = 0; x < drawn.Width(); ++x)
            lit += drawn.GetPixel(x, y) != RGB(0, 0, 0);
    EXPECT_GT(lit, 100);
}

TEST_F(ViewProjectTest, WithoutACacheThePaintFillsTheFieldAndTheNextSizeTriesAgain)
{
    CViewProject* p = Panel();
    CViewPreview3D& v = p->Preview();
    v.MoveWindow(8, 8, 0, 120);
    v.ChangeView();
    v.UpdateWindow();
    EXPECT_EQ(v.Cache().GetSafeHandle(), nullptr);
    EXPECT_TRUE(v.IsSketchDirty());
    v.MoveWindow(8, 8, 120, 120);
    ASSERT_NE(v.Cache().GetSafeHandle(), nullptr);
    v.UpdateWindow();
    EXPECT_FALSE(v.IsSketchDirty());
}

TEST_F(ViewProjectTest, ThePanelRendersToAnImage)
{
    CViewProject* p = Panel();
    p->Preview().SetRectWindow(CRect(40, 50, 120, 110));
    std::shared_ptr<vyr::Image> img = vyr::RenderWindow(p->GetSafeHwnd());
    ASSERT_TRUE(img);
    EXPECT_TRUE(vyr::WritePng(std::string(VYR_BINARY_DIR) + "/tests/host/projectpanel/panel-project-test.png", *img));
    // The preview's field is black apart from the sketch and the frame.
    EXPECT_EQ(img->GetPixel(12, 190), RGB(0, 0, 0));
}

} // namespace
