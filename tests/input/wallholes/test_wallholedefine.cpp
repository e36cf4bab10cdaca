// The openings of walls of one size, through the key "Prop.WallHoleDefine": the grid and
// edits, placement, add, modify and delete on the working set, the preview, and what
// reaches the walls (only "确定" writes).
#include <algorithm>
#include <filesystem>
#include <string>

#include "WallHoleTest.h"
#include <vyr/input/DlgWallHoleDefine.h>
#include <vyr/raster.h>

using vyr::ScriptedUser;

namespace {

constexpr UINT kDefine = IDD_WALLHOLEDEFINE;

class WallHoleDefine : public WallHoleTest
{
protected:
    int Define() { return Key("Prop.WallHoleDefine"); }

    // Acts in the open dialog.
    static void In(std::function<void(CDlgWallHoleDefine&)> fn)
    {
        ScriptedUser::Run(
            [fn](CDialog* dlg) {
                auto* t = dynamic_cast<CDlgWallHoleDefine*>(dlg);
                ASSERT_NE(t, nullptr);
                fn(*t);
            },
            kDefine);
    }
    // The distances and the size typed into the edits.
    static void Type(const char* dx, const char* dy, const char* w, const char* h)
    {
        ScriptedUser::SetText(IDC_WALLHOLE_DX, dx, kDefine);
        ScriptedUser::SetText(IDC_WALLHOLE_DY, dy, kDefine);
        ScriptedUser::SetText(IDC_WALLHOLE_WIDTH, w, kDefine);
        ScriptedUser::SetText(IDC_WALLHOLE_HEIGHT, h, kDefine);
    }
    static void Click(int id) { ScriptedUser::Click(id, kDefine); }
    // A click on a grid row; with ctrl the row joins the selection.
    static void ClickRow(int row, bool ctrl = false)
    {
        ScriptedUser::Run(
            [row, ctrl](CDialog* dlg) {
                auto* grid = dynamic_cast<CGridCtrl*>(dlg->GetDlgItem(IDC_WALLHOLE_GRID));
                ASSERT_NE(grid, nullptr);
                CRect cell;
                ASSERT_TRUE(grid->GetCellRect(row, 1, &cell)) << "row " << row;
                const CPoint p = cell.CenterPoint();
                grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | (ctrl ? MK_CONTROL : 0), MAKELPARAM(p.x, p.y));
                grid->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
            },
            kDefine);
    }
    static void ExpectEdits(const char* dx, const char* dy, const char* w, const char* h)
    {
        In([=](CDlgWallHoleDefine& dlg) {
            EXPECT_EQ(Text(&dlg, IDC_WALLHOLE_DX), CString(dx));
            EXPECT_EQ(Text(&dlg, IDC_WALLHOLE_DY), CString(dy));
            EXPECT_EQ(Text(&dlg, IDC_WALLHOLE_WIDTH), CString(w));
            EXPECT_EQ(Text(&dlg, IDC_WALLHOLE_HEIGHT), CString(h));
        });
    }
};

} // namespace

TEST_F(WallHoleDefine, AWallWithoutOpeningsOpensEmptyWithDeleteAndPlacementOff)
{
    Wall(3000, 2800);
    In([](CDlgWallHoleDefine& dlg) {
        CString caption;
        dlg.GetWindowText(caption);
        EXPECT_EQ(caption, CString("定义墙体洞口"));
        EXPECT_EQ(dlg.GetDlgItem(IDOK), nullptr) << "Enter must have no button to press";
        EXPECT_EQ(dlg.GetDlgItem(IDCANCEL), nullptr);
        CGridCtrl& grid = dlg.HoleGrid();
        CRect rc;
        grid.GetWindowRect(&rc);
        dlg.ScreenToClient(&rc);
        EXPECT_EQ(rc, CRect(9, 220, 360, 315));
        ASSERT_EQ(grid.GetRowCount(), 1);
        ASSERT_EQ(grid.GetColumnCount(), 5);
        const char* titles[] = {"编号", "横向距离", "纵向距离", "洞口宽度", "洞口高度"};
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(grid.GetItemText(0, c), CString(titles[c]));
        for (int id : {IDC_WALLHOLE_DX, IDC_WALLHOLE_DY, IDC_WALLHOLE_WIDTH, IDC_WALLHOLE_HEIGHT})
            EXPECT_EQ(Text(&dlg, id), CString("0"));
        for (int id : {IDC_WALLHOLE_DELETE, IDC_WALLHOLE_HORZALIGN, IDC_WALLHOLE_VERTALIGN})
            EXPECT_FALSE(Enabled(&dlg, id)) << id;
        const char* items[2][4] = {{"自定义", "左对齐", "居中", "右对齐"}, {"自定义", "上对齐", "中对齐", "下对齐"}};
        for (int k = 0; k < 2; ++k) {
            auto* list = static_cast<CComboBox*>(dlg.GetDlgItem(k == 0 ? IDC_WALLHOLE_HORZALIGN : IDC_WALLHOLE_VERTALIGN));
            ASSERT_EQ(list->GetCount(), 4);
            EXPECT_EQ(list->GetCurSel(), 0);
            for (int i = 0; i < 4; ++i) {
                CString s;
                list->GetLBText(i, s);
                EXPECT_EQ(s, CString(items[k][i]));
            }
        }
    });
    Click(IDC_WALLHOLE_CLOSE);
    EXPECT_EQ(Define(), 0);
}

TEST_F(WallHoleDefine, OpensOnTheFirstWallsOpeningsInDisplayUnits)
{
    d.UnitLength() = 10.0f;
    Wall(300, 280, {HoleAt(0.12345f, 0.12351f, 100, 200), HoleAt(150, 0, 50, 200)});
    Wall(300, 280, {}, 500);
    In([](CDlgWallHoleDefine& dlg) {
        CGridCtrl& grid = dlg.HoleGrid();
        ASSERT_EQ(grid.GetRowCount(), 3);
        const char* row2[] = {"2", "1500.000", "0.000", "500.000", "2000.000"};
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(grid.GetItemText(2, c), CString(row2[c])) << c;
        EXPECT_EQ(grid.GetNextRow(-1, GVNI_SELECTED), 1);
        EXPECT_EQ(grid.GetNextRow(1, GVNI_SELECTED), -1);
        EXPECT_EQ(dlg.m_nCurRow, 1);
        EXPECT_TRUE(Enabled(&dlg, IDC_WALLHOLE_DELETE));
    });
    // The edits show the display value rounded to two decimals.
    ExpectEdits("1.230", "1.240", "1000.000", "2000.000");
    Click(IDC_WALLHOLE_CLOSE);
    EXPECT_EQ(Define(), 0);
}

TEST_F(WallHoleDefine, PlacementListsCentreAndTopAlignTheOpening)
{
    CWall* w = Wall(3000, 2800);
    Type("0", "0", "1000", "2000");
    Click(IDC_WALLHOLE_ADD);
    ExpectEdits("0", "0", "0", "0");
    ClickRow(1);
    ExpectEdits("0.000", "0.000", "1000.000", "2000.000");
    ScriptedUser::SelectRow(IDC_WALLHOLE_HORZALIGN, 2, kDefine); // 居中
    ScriptedUser::SelectRow(IDC_WALLHOLE_VERTALIGN, 1, kDefine); // 上对齐
    ExpectEdits("1000.000", "800.000", "1000.000", "2000.000");
    In([](CDlgWallHoleDefine& dlg) {
        EXPECT_FALSE(Enabled(&dlg, IDC_WALLHOLE_DX));
        EXPECT_FALSE(Enabled(&dlg, IDC_WALLHOLE_DY));
        EXPECT_EQ(dlg.HoleGrid().GetItemText(1, 1), CString("1000.000"));
        EXPECT_EQ(dlg.HoleGrid().GetItemText(1, 2), CString("800.000"));
    });
    Click(IDC_WALLHOLE_OK);
    EXPECT_EQ(Define(), 1);
    EXPECT_EQ(Holes(w), std::vector<WALL_HOLE_RECT>{HoleAt(1000, 800, 1000, 2000)});
}

TEST_F(WallHoleDefine, DeletingRowsTwoAndThreeOfFourLeavesTheFormerFirstAndFourth)
{
    const WALL_HOLE_RECT h[4] = {HoleAt(0, 0, 400, 2000), HoleAt(600, 0, 400, 2000), HoleAt(1200, 0, 400, 2000),
                                 HoleAt(1800, 0, 400, 2000)};
    CWall* w = Wall(3000, 2800, {h[0], h[1], h[2], h[3]});
    ClickRow(2);
    ClickRow(3, true);
    Click(IDC_WALLHOLE_DELETE);
    In([](CDlgWallHoleDefine& dlg) {
        CGridCtrl& grid = dlg.HoleGrid();
        ASSERT_EQ(grid.GetRowCount(), 3);
        EXPECT_EQ(grid.GetItemText(2, 0), CString("2"));
        EXPECT_EQ(grid.GetItemText(2, 1), CString("1800.000"));
        EXPECT_EQ(grid.GetNextRow(-1, GVNI_SELECTED), 1);
        EXPECT_EQ(dlg.m_nCurRow, 1);
        EXPECT_TRUE(Enabled(&dlg, IDC_WALLHOLE_DELETE));
    });
    Click(IDC_WALLHOLE_OK);
    EXPECT_EQ(Define(), 1);
    EXPECT_EQ(Holes(w), (std::vector<WALL_HOLE_RECT>{h[0], h[3]}));
}

TEST_F(WallHoleDefine, DeletingTheLastOpeningTurnsDeleteAndPlacementOff)
{
    CWall* w = Wall(3000, 2800, {HoleAt(0, 0, 400, 2000)});
    Click(IDC_WALLHOLE_DELETE);
    In([](CDlgWallHoleDefine& dlg) {
        EXPECT_EQ(dlg.HoleGrid().GetRowCount(), 1);
        for (int id : {IDC_WALLHOLE_DELETE, IDC_WALLHOLE_HORZALIGN, IDC_WALLHOLE_VERTALIGN})
            EXPECT_FALSE(Enabled(&dlg, id)) << id;
    });
    ExpectEdits("0", "0", "0", "0");
    Click(IDC_WALLHOLE_OK);
    EXPECT_EQ(Define(), 1);
    EXPECT_TRUE(Holes(w).empty());
}

TEST_F(WallHoleDefine, LeavingWithoutOkWritesNothingEvenAfterAdditions)
{
    const struct
    {
        const char* name;
        std::function<void()> leave;
    } ways[] = {
        {"关闭", [] { Click(IDC_WALLHOLE_CLOSE); }},
        {"Esc", [] { ScriptedUser::PressKey(VK_ESCAPE, kDefine); }},
        {"Enter, then 关闭",
         [] {
             ScriptedUser::SetText(IDC_WALLHOLE_HEIGHT, "0", kDefine); // the focus in an edit
             ScriptedUser::PressKey(VK_RETURN, kDefine);
             In([](CDlgWallHoleDefine& dlg) { EXPECT_EQ(dlg.HoleGrid().GetRowCount(), 3) << "still open"; });
             Click(IDC_WALLHOLE_CLOSE);
         }},
    };
    const WALL_HOLE_RECT door = HoleAt(0, 0, 900, 2100);
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        walls.RemoveAll();
        CWall* w1 = Wall(3000, 2800, {door});
        CWall* w2 = Wall(3000, 2800, {door}, 500);
        const std::vector<CObject*> before1 = Objects(w1), before2 = Objects(w2);
        Type("1500", "0", "1000", "2000");
        Click(IDC_WALLHOLE_ADD);
        way.leave();
        EXPECT_EQ(Define(), 0);
        EXPECT_EQ(Objects(w1), before1);
        EXPECT_EQ(Objects(w2), before2);
        EXPECT_EQ(Holes(w1), std::vector<WALL_HOLE_RECT>{door});
        EXPECT_EQ(Holes(w2), std::vector<WALL_HOLE_RECT>{door});
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
    }
}

TEST_F(WallHoleDefine, OkGivesEverySelectedWallTheSetAsNewOpeningsOnItself)
{
    const WALL_HOLE_RECT a = HoleAt(0, 0, 900, 2100), b = HoleAt(2000, 0, 900, 2100);
    CWall* w1 = Wall(3000, 2800, {a});
    CWall* w2 = Wall(3000, 2800, {b}, 500);
    Type("1500", "1000", "300", "600");
    Click(IDC_WALLHOLE_ADD);
    Click(IDC_WALLHOLE_OK);
    EXPECT_EQ(Define(), 1);
    const std::vector<WALL_HOLE_RECT> set{a, HoleAt(1500, 1000, 300, 600)};
    EXPECT_EQ(Holes(w1), set) << "the first wall's openings are the set";
    EXPECT_EQ(Holes(w2), set);
    const std::vector<CObject*> o1 = Objects(w1), o2 = Objects(w2);
    for (CObject* o : o2)
        EXPECT_EQ(std::count(o1.begin(), o1.end(), o), 0) << "each wall owns openings of its own";
    // Placed on the second wall, which stands at y = 500.
    auto* window = dynamic_cast<CHoleRect*>(o2[1]);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetKind(), 1);
    EXPECT_EQ(window->m_arrCorner[0].x, 1500.0);
    EXPECT_EQ(window->m_arrCorner[0].y, 500.0);
    EXPECT_EQ(window->m_arrCorner[0].z, 1000.0);
    EXPECT_EQ(window->m_arrCorner[2].x, 1800.0);
    EXPECT_EQ(window->m_arrCorner[2].z, 1600.0);
}

TEST_F(WallHoleDefine, ModifyingSeveralRowsKeepsTheDistancesTheyDoNotShare)
{
    CWall* w = Wall(3000, 2800, {HoleAt(0, 0, 500, 1000), HoleAt(1000, 500, 500, 1000)});
    ClickRow(1);
    ClickRow(2, true);
    ExpectEdits("*多种*", "*多种*", "500.000", "1000.000");
    In([](CDlgWallHoleDefine& dlg) {
        EXPECT_TRUE(dlg.m_bSeveral);
        EXPECT_FALSE(Enabled(&dlg, IDC_WALLHOLE_DX));
        EXPECT_FALSE(Enabled(&dlg, IDC_WALLHOLE_HORZALIGN));
        EXPECT_TRUE(Enabled(&dlg, IDC_WALLHOLE_DY));
    });
    ScriptedUser::SetText(IDC_WALLHOLE_WIDTH, "600", kDefine);
    Click(IDC_WALLHOLE_MODIFY);
    Click(IDC_WALLHOLE_OK);
    EXPECT_EQ(Define(), 1);
    EXPECT_EQ(Holes(w), (std::vector<WALL_HOLE_RECT>{HoleAt(0, 0, 600, 1000), HoleAt(1000, 500, 600, 1000)}));
}

TEST_F(WallHoleDefine, SeveralRowsOfDifferentWidthsAreRefusedUntilAWidthIsTyped)
{
    CWall* w = Wall(3000, 2800, {HoleAt(0, 0, 500, 1000), HoleAt(1000, 0, 600, 1000)});
    ClickRow(1);
    ClickRow(2, true);
    ExpectEdits("*多种*", "0.000", "*多种*", "1000.000");
    Click(IDC_WALLHOLE_MODIFY);
    ScriptedUser::AnswerMessageBox(IDOK, "洞口的尺寸不符合要求，请重新设置!");
    ScriptedUser::SetText(IDC_WALLHOLE_WIDTH, "700", kDefine);
    Click(IDC_WALLHOLE_MODIFY);
    Click(IDC_WALLHOLE_OK);
    EXPECT_EQ(Define(), 1);
    EXPECT_EQ(ScriptedUser::MessageBoxes().at(0).flags & MB_ICONMASK, (UINT)MB_ICONEXCLAMATION);
    EXPECT_EQ(Holes(w), (std::vector<WALL_HOLE_RECT>{HoleAt(0, 0, 700, 1000), HoleAt(1000, 0, 700, 1000)}));
}

TEST_F(WallHoleDefine, ModifyWithoutASelectedRowAsksForOne)
{
    CWall* w = Wall(3000, 2800);
    Type("0", "0", "1000", "2000");
    Click(IDC_WALLHOLE_MODIFY);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择洞口信息!");
    In([](CDlgWallHoleDefine& dlg) { EXPECT_EQ(dlg.m_HoleInfo.holes.size(), 0u); });
    Click(IDC_WALLHOLE_OK);
    EXPECT_EQ(Define(), 1);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"请选择洞口信息!"});
    EXPECT_EQ(ScriptedUser::MessageBoxes().at(0).flags & MB_ICONMASK, 0u);
    EXPECT_TRUE(Holes(w).empty());
}

TEST_F(WallHoleDefine, TypedTextIsJudgedByTheRulesAndARefusalKeepsTheSet)
{
    const WALL_HOLE_RECT door = HoleAt(1000, 0, 500, 1000);
    const struct
    {
        const char* dx;
        const char* width;
        const char* refusal; // null: the opening is added
        float addedDx, addedWidth;
    } cases[] = {
        {"2000", "abc", "洞口的尺寸不符合要求", 0, 0},
        {"2000", "", "洞口的尺寸不符合要求", 0, 0},
        {"2000", "1.2.3", nullptr, 2000, 1.002f},
        {"2000", " 7", nullptr, 2000, 7},
        {" 2000.5", "100", nullptr, 2000.5f, 100},
        // Read with its sign, a negative distance lies outside the wall (read as 0.5 it
        // would pass).
        {"-0.5", "100", "定义的洞口不在墙体范围内", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("dx \"") + c.dx + "\", width \"" + c.width + "\"");
        walls.RemoveAll();
        ScriptedUser::Reset();
        CWall* w = Wall(3000, 2800, {door});
        Type(c.dx, "0", c.width, "1000");
        Click(IDC_WALLHOLE_ADD);
        if (c.refusal != nullptr)
            ScriptedUser::AnswerMessageBox(IDOK, c.refusal);
        const int rows = c.refusal != nullptr ? 2 : 3;
        In([rows](CDlgWallHoleDefine& dlg) { EXPECT_EQ(dlg.HoleGrid().GetRowCount(), rows); });
        ExpectEdits("0", "0", "0", "0");
        Click(IDC_WALLHOLE_OK);
        EXPECT_EQ(Define(), 1);
        std::vector<WALL_HOLE_RECT> expected{door};
        if (c.refusal == nullptr)
            expected.push_back(HoleAt(c.addedDx, 0, c.addedWidth, 1000));
        EXPECT_EQ(Holes(w), expected);
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
    }
}

TEST_F(WallHoleDefine, OkRefusedByTheRulesKeepsTheDialogOpen)
{
    // Walls written by another program: two openings that overlap.
    CWall* w = Wall(3000, 2800, {HoleAt(0, 0, 1000, 2000), HoleAt(500, 0, 1000, 2000)});
    const std::vector<CObject*> before = Objects(w);
    Click(IDC_WALLHOLE_OK);
    ScriptedUser::AnswerMessageBox(IDOK, "墙体上的洞口1和洞口2在横向出现重叠，请重新设置!");
    ClickRow(2);
    Click(IDC_WALLHOLE_DELETE);
    Click(IDC_WALLHOLE_OK);
    EXPECT_EQ(Define(), 1);
    EXPECT_EQ(Holes(w), std::vector<WALL_HOLE_RECT>{HoleAt(0, 0, 1000, 2000)});
}

TEST_F(WallHoleDefine, ThePreviewShowsTheSelectedOpeningInPink)
{
    Wall(3000, 2800, {HoleAt(300, 0, 900, 2100), HoleAt(1800, 1000, 900, 1000)});
    const COLORREF ground = RGB(128, 128, 128), wall = RGB(223, 251, 255), pink = RGB(255, 200, 200),
                   plain = RGB(240, 240, 240);
    const std::string png = (std::filesystem::path(::testing::TempDir()) / "wall-opening-preview-test.png").string();
    // The preview drawn into a recording context: its rectangles in order and their fills,
    // then the picture rendered and read back from a PNG.
    auto check = [&](COLORREF first, COLORREF second) {
        In([&, first, second](CDlgWallHoleDefine& dlg) {
            CRect client;
            dlg.GetDlgItem(IDC_WALLHOLE_PREVIEW)->GetClientRect(&client);
            CDC dc;
            dc.CreateCompatibleDC(nullptr);
            std::vector<vyr::DrawRecord> rects;
            dlg.DrawPreview(&dc);
            for (const vyr::DrawRecord& r : dc.Records())
                if (r.kind == vyr::DrawKind::Rectangle)
                    rects.push_back(r);
            ASSERT_EQ(rects.size(), 4u);
            EXPECT_EQ(CRect(rects[0].rect), client);
            const COLORREF fills[4] = {ground, wall, first, second};
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(rects[(size_t)i].state.brush.lbColor, fills[i]) << i;
            // The wall to scale in the frame less 25 pixels a side: 3000 x 2800.
            const double scale = std::max(2800.0 / (client.Height() - 50), 3000.0 / (client.Width() - 50));
            const CRect wallRect(rects[1].rect);
            EXPECT_NEAR(wallRect.Width(), 3000 / scale, 1.0);
            EXPECT_NEAR(wallRect.Height(), 2800 / scale, 1.0);
            EXPECT_NEAR(CRect(rects[2].rect).Width(), 900 / scale, 1.0);
            EXPECT_NEAR(wallRect.bottom - CRect(rects[3].rect).bottom, 1000 / scale, 1.0);

            const vyr::Image img = vyr::RenderRecords(dc.Records(), client.Width(), client.Height(), RGB(0, 0, 0));
            ASSERT_TRUE(vyr::WritePng(png, img));
            vyr::Image back;
            ASSERT_TRUE(vyr::ReadPng(png, back));
            EXPECT_EQ(back.GetPixel(CRect(rects[2].rect).CenterPoint().x, CRect(rects[2].rect).CenterPoint().y), first);
            EXPECT_EQ(back.GetPixel(CRect(rects[3].rect).CenterPoint().x, CRect(rects[3].rect).CenterPoint().y), second);
            EXPECT_EQ(back.GetPixel(wallRect.left + 2, wallRect.top + 2), wall);
            EXPECT_EQ(back.GetPixel(client.left + 2, client.top + 2), ground);
        });
    };
    check(pink, plain); // row 1 is selected at the start
    ClickRow(2);
    check(plain, pink);
    Click(IDC_WALLHOLE_CLOSE);
    EXPECT_EQ(Define(), 0);
}
