// The storey panel: the storey tree in the grid, the elevation decimals, selection of a
// storey's objects by display mode, marking floors for the host, the show request, layout.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "hostkit/HostKit.h"
#include <vyr/protocol/HostMessages.h>
#include <vyr/host/ViewFloor.h>
#include <vyr/model/material/MaterialBase.h>
#include <vyr/model/struct/structure.h>
#include <vyr/raster.h>
#include <vyr/resources/dialogs/FloorRes.h>
#include <vyr/scripteduser.h>

namespace {

using vyr::ScriptedUser;

const COLORREF kGrey = RGB(238, 238, 228);
const COLORREF kWhite = RGB(255, 255, 255);

class ViewFloorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ScriptedUser::Reset();
        ScriptedUser::SetFailureHandler([this](const std::string& m) { m_failures.push_back(m); });
    }
    void TearDown() override
    {
        ScriptedUser::Reset();
        EXPECT_TRUE(m_failures.empty()) << m_failures.front();
    }

    CStruct& S() { return *m_host.GlobalData().Struct(); }
    CFloor* AddFloor(const char* text, double z, int kind = 1, CFloor* link = nullptr)
    {
        CFloor* f = new CFloor((int)S().m_pFloorList->GetCount(), 1);
        f->m_strDescription = text;
        f->m_dZ = z;
        f->m_nKind = kind;
        if (link) {
            f->m_nOwn = 0;
            f->m_pLink = link;
        }
        S().m_pFloorList->AddTail(f);
        return f;
    }
    // A storey with two floors sharing its data, and a storey without.
    void TwoStoreys()
    {
        m_a = AddFloor("第1层", 360);
        m_c1 = AddFloor("第1层a", 720, 1, m_a);
        m_c2 = AddFloor("第1层b", 1080, 1, m_a);
        m_b = AddFloor("第2层", 1440);
    }
    CViewFloor* Panel()
    {
        m_host.CreatePanels();
        return (CViewFloor*)m_host.ShowPanel("View.Floor");
    }
    // A click on a row's description cell, as a user does.
    static void ClickRow(CViewFloor* p, int row, bool dbl = false)
    {
        CRect rc;
        ASSERT_TRUE(p->Grid().GetCellRect(row, 1, &rc));
        const CPoint pt = rc.CenterPoint();
        p->Grid().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        p->Grid().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        if (dbl) {
            p->Grid().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
            p->Grid().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        }
    }

    vyrhost::CHostKit m_host;
    std::vector<std::string> m_failures;
    CFloor *m_a = nullptr, *m_b = nullptr, *m_c1 = nullptr, *m_c2 = nullptr;
};

TEST_F(ViewFloorTest, StoreysWithAndWithoutChildFloorsGiveTheirTreeImagesAndRowColours)
{
    TwoStoreys();
    CFloor* level = AddFloor("标高面", 1800, 3);
    CViewFloor* p = Panel();
    ASSERT_NE(p, nullptr);
    CGridCtrl& g = p->Grid();
    ASSERT_EQ(g.GetRowCount(), 6);
    ASSERT_EQ(g.GetColumnCount(), 8);
    struct Row
    {
        CFloor* floor;
        int image;
        COLORREF back;
    };
    const Row want[] = {{m_a, 0, kGrey}, {m_c1, 2, kWhite}, {m_c2, 3, kWhite}, {m_b, 4, kGrey}, {level, 5, kGrey}};
    for (int r = 1; r <= 5; ++r) {
        const Row& w = want[r - 1];
        EXPECT_EQ((CFloor*)g.GetItemData(r, 0), w.floor) << "row " << r;
        EXPECT_EQ(g.GetItemImage(r, 0), w.image) << "row " << r;
        for (int c = 0; c < 8; ++c)
            EXPECT_EQ(g.GetItemBkColour(r, c), w.back) << "row " << r << " column " << c;
        EXPECT_EQ(g.GetItemText(r, 1), w.floor->m_strDescription) << "row " << r;
    }
    // The image list holds the six drawn pictures.
    ASSERT_EQ(g.GetImageList(), &p->ImageList());
    EXPECT_EQ(p->ImageList().GetImageCount(), 6);
    EXPECT_EQ(p->ImageList().GetImageSize(), CSize(16, 16));
}

TEST_F(ViewFloorTest, HeadersWidthsAndTheTextsOfAStoreyRow)
{
    TwoStoreys();
    CMaterialBase slab;
    slab.SetName("C30");
    m_b->m_pSlabMaterial = &slab;
    m_b->m_nUserDefined = 1;
    struct CRegion : CObject
    {
    } r1, r2;
    m_b->m_pRigidList->AddTail(&r1);
    m_b->m_pRigidList->AddTail(&r2);
    CViewFloor* p = Panel();
    CGridCtrl& g = p->Grid();
    const char* headers[] = {"", "描述", "标高", "楼面", "刚性", "楼板", "墙体", "自定义"};
    const int widths[] = {27, 71, 54, 62, 60, 50, 50, 60};
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(g.GetItemText(0, c), CString(headers[c])) << c;
        EXPECT_EQ(g.GetColumnWidth(c), widths[c]) << c;
        EXPECT_EQ(g.GetItemFormat(0, c), (UINT)(DT_CENTER | DT_VCENTER | DT_SINGLELINE)) << c;
    }
    // The storey without settings: "缺省" twice, not user-defined, no rigid regions.
    EXPECT_EQ(g.GetItemText(1, 2), CString("360.0"));
    EXPECT_EQ(g.GetItemText(1, 3), CString("刚性楼面"));
    EXPECT_EQ(g.GetItemText(1, 4), CString("0"));
    EXPECT_EQ(g.GetItemText(1, 5), CString("缺省"));
    EXPECT_EQ(g.GetItemText(1, 6), CString("缺省"));
    EXPECT_EQ(g.GetItemText(1, 7), CString("否"));
    EXPECT_EQ(g.GetItemFgColour(1, 7), RGB(0, 0, 0));
    // The user-defined storey with a slab setting and two rigid regions.
    EXPECT_EQ(g.GetItemText(4, 4), CString("2"));
    EXPECT_EQ(g.GetItemText(4, 5), CString("C30"));
    EXPECT_EQ(g.GetItemText(4, 6), CString("缺省"));
    EXPECT_EQ(g.GetItemText(4, 7), CString("是"));
    EXPECT_EQ(g.GetItemFgColour(4, 7), RGB(0, 0, 255));
    for (int c = 1; c <= 3; ++c)
        EXPECT_EQ(g.GetItemFormat(4, c) & (DT_CENTER | DT_RIGHT), 0u) << c;
    for (int c = 4; c <= 7; ++c)
        EXPECT_EQ(g.GetItemFormat(4, c) & DT_CENTER, (UINT)DT_CENTER) << c;
    m_b->m_pRigidList->RemoveAll();
    m_b->m_pSlabMaterial = nullptr;
}

TEST_F(ViewFloorTest, TheElevationHasDecimalsFromTheSinglePrecisionUnitFactor)
{
    EXPECT_EQ(CViewFloor::ElevationDecimals(1.0f), 1);
    EXPECT_EQ(CViewFloor::ElevationDecimals(0.01f), 3); // 0.01f lies below 0.01: 1 + 2.0000001
    EXPECT_EQ(CViewFloor::ElevationDecimals(0.001f), 3);
    TwoStoreys();
    m_host.GlobalData().UnitLength() = 0.001f;
    CViewFloor* p = Panel();
    EXPECT_EQ(p->Grid().GetItemText(1, 2), CString("0.360"));
    EXPECT_EQ(p->Grid().GetItemText(4, 2), CString("1.440"));
    m_host.GlobalData().UnitLength() = 1.0f;
}

// Two members and a wall in the second storey, one member in the first.
struct StoreyObjects
{
    CPNode n1{1, CPoint3D(0, 0, 0)}, n2{2, CPoint3D(600, 0, 0)};
    CBeam b1{1, &n1, &n2, 2}, b2{2, &n1, &n2, 2}, b3{3, &n1, &n2, 2};
    CWall w1;
};

TEST_F(ViewFloorTest, ARowChangeSelectsTheStoreysObjectsOnlyInDisplayModesOneTwoAndFour)
{
    TwoStoreys();
    StoreyObjects o;
    m_b->m_pBeamList->AddTail(&o.b1);
    m_b->m_pBeamList->AddTail(&o.b2);
    m_b->m_pWallList->AddTail(&o.w1);
    m_a->m_pBeamList->AddTail(&o.b3);
    CGlobalData& d = m_host.GlobalData();
    d.SelectBeamList().AddTail(&o.b3);
    o.b3.SetSelect(1);
    d.SelectNodeList().AddTail(&o.n1);
    CViewFloor* p = Panel();

    m_host.m_nDisplayMode = 3;
    m_host.ClearMessages();
    ClickRow(p, 4);
    EXPECT_EQ(p->Grid().GetNextRow(-1, GVNI_SELECTED), 4);
    EXPECT_EQ(m_host.Count(WM_UI_GETDISPLAYMODE), 1);
    EXPECT_EQ(m_host.Count(WM_UI_REDRAW), 0);
    ASSERT_EQ(d.SelectBeamList().GetCount(), 1);
    EXPECT_EQ(d.SelectBeamList().GetHead(), &o.b3);
    EXPECT_TRUE(o.b3.GetSelect() != 0);

    m_host.m_nDisplayMode = 2;
    m_host.ClearMessages();
    ClickRow(p, 1);
    ClickRow(p, 4);
    EXPECT_EQ(m_host.Count(WM_UI_REDRAW), 2);
    ASSERT_EQ(d.SelectBeamList().GetCount(), 2);
    EXPECT_EQ(d.SelectBeamList().GetHead(), &o.b1);
    EXPECT_EQ(d.SelectBeamList().GetTail(), &o.b2);
    EXPECT_FALSE(o.b3.GetSelect() != 0);
    EXPECT_TRUE(o.b1.GetSelect() != 0);
    ASSERT_EQ(d.SelectWallList().GetCount(), 1);
    EXPECT_EQ(d.SelectWallList().GetHead(), &o.w1);
    EXPECT_TRUE(o.w1.GetSelect() != 0);
    // The node selection is not the panel's.
    ASSERT_EQ(d.SelectNodeList().GetCount(), 1);

    // The host's switch turns the selection off.
    p->m_bSelectFloor = false;
    m_host.ClearMessages();
    ClickRow(p, 1);
    EXPECT_EQ(m_host.Count(WM_UI_GETDISPLAYMODE), 0);
    EXPECT_EQ(d.SelectBeamList().GetHead(), &o.b1);

    d.SelectBeamList().RemoveAll();
    d.SelectWallList().RemoveAll();
    d.SelectNodeList().RemoveAll();
    m_a->m_pBeamList->RemoveAll();
    m_b->m_pBeamList->RemoveAll();
    m_b->m_pWallList->RemoveAll();
    m_a->ReSetDisplayList();
    m_b->ReSetDisplayList();
}

TEST_F(ViewFloorTest, TheButtonAndADoubleClickAskTheHostToShowTheChosenFloor)
{
    TwoStoreys();
    CViewFloor* p = Panel();
    m_host.ClearMessages();
    ScriptedUser::AnswerMessageBox(IDOK, "请选择要显示的楼面或标高面！");
    EXPECT_TRUE(vyr::WindowUser::Click(p, IDC_FLOOR_DISPLAY));
    EXPECT_EQ(m_host.Count(WM_UI_SHOWFLOOR), 0);
    EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);

    ClickRow(p, 3);
    EXPECT_TRUE(vyr::WindowUser::Click(p, IDC_FLOOR_DISPLAY));
    ASSERT_EQ(m_host.Count(WM_UI_SHOWFLOOR), 1);
    EXPECT_EQ(m_host.Messages(WM_UI_SHOWFLOOR)[0].lParam, (LPARAM)m_c2);

    ClickRow(p, 4, true);
    ASSERT_EQ(m_host.Count(WM_UI_SHOWFLOOR), 2);
    EXPECT_EQ(m_host.Messages(WM_UI_SHOWFLOOR)[1].lParam, (LPARAM)m_b);
}

TEST_F(ViewFloorTest, MarkingFloorsMarksEveryCellOfTheirRowsAndScrollsToTheLast)
{
    std::vector<CFloor*> floors;
    for (int i = 0; i < 40; ++i) {
        CString t;
        t.Format("第%d层", i + 1);
        floors.push_back(AddFloor(t, 360.0 * (i + 1)));
    }
    CViewFloor* p = Panel();
    CGridCtrl& g = p->Grid();
    ASSERT_EQ(g.GetRowCount(), 41);
    EXPECT_EQ(g.GetScrollPos32(SB_VERT), 0);

    // An empty list unmarks and does not scroll.
    CFloorList none;
    ClickRow(p, 2);
    p->SelectFloors(none);
    EXPECT_EQ(g.GetNextRow(-1, GVNI_SELECTED), -1);
    EXPECT_EQ(g.GetScrollPos32(SB_VERT), 0);

    CFloorList two;
    two.AddTail(floors[3]);
    two.AddTail(floors[35]);
    p->SelectFloors(two);
    for (int r = 1; r <= 40; ++r)
        for (int c = 0; c < 8; ++c)
            EXPECT_EQ(g.IsCellSelected(r, c) != FALSE, r == 4 || r == 36) << r << "," << c;
    EXPECT_GT(g.GetScrollPos32(SB_VERT), 0);
    EXPECT_TRUE(g.IsCellVisible(36, 0));
    two.RemoveAll();

    p->SelectFloors(none);
    EXPECT_EQ(g.GetNextRow(-1, GVNI_SELECTED), -1);
}

TEST_F(ViewFloorTest, TheLayoutFollowsTheWidthAndTheScrollPosition)
{
    TwoStoreys();
    CViewFloor* p = Panel();
    CWnd* button = p->GetDlgItem(IDC_FLOOR_DISPLAY);
    struct Case
    {
        int width, scroll;
    };
    for (const Case& c : {Case{200, 0}, Case{300, 0}, Case{300, 40}}) {
        p->MoveWindow(0, 0, c.width, 600);
        p->ScrollToPosition(CPoint(0, c.scroll));
        p->Resize();
        CRect grid, btn;
        p->Grid().GetWindowRect(&grid);
        p->ScreenToClient(&grid);
        button->GetWindowRect(&btn);
        p->ScreenToClient(&btn);
        EXPECT_EQ(grid, CRect(10, 10 - c.scroll, c.width - 10, 510 - c.scroll)) << c.width << "/" << c.scroll;
        EXPECT_EQ(btn, CRect(12, 515 - c.scroll, 12 + (c.width - 34) / 2, 540 - c.scroll)) << c.width;
    }
    p->ScrollToPosition(CPoint(0, 0));
}

TEST_F(ViewFloorTest, ThePanelRendersItsTreeImagesInTheGrid)
{
    TwoStoreys();
    CViewFloor* p = Panel();
    p->Resize();
    std::shared_ptr<vyr::Image> img = vyr::RenderWindow(p->GetSafeHwnd());
    ASSERT_TRUE(img);
    EXPECT_EQ(img->Width(), 200);
    const std::string out = std::string(VYR_BINARY_DIR) + "/tests/host/floorpanels/panel-floor-test.png";
    EXPECT_TRUE(vyr::WritePng(out, *img));
    // The first image's slab (blue) shows in row 1's tree cell, on the grey row.
    CRect cell;
    ASSERT_TRUE(p->Grid().GetCellRect(1, 0, &cell));
    cell.OffsetRect(10, 10);
    int blue = 0, grey = 0;
    for (int y = cell.top; y < cell.bottom; ++y)
        for (int x = cell.left; x < cell.right; ++x) {
            const COLORREF c = img->GetPixel(x, y);
            blue += c == RGB(96, 160, 224);
            grey += c == kGrey;
        }
    EXPECT_GT(blue, 10);
    EXPECT_GT(grey, 10);
}

} // namespace
