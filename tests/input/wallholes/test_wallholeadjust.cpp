// The quick modification of the single opening of each wall, through the key
// "Prop.WallHoleAdjust": what the edits show, placement on each wall's own size, removal,
// and that a refused wall leaves every wall as it was.
#include "WallHoleTest.h"
#include <vyr/input/DlgWallHoleAdjust.h>

using vyr::ScriptedUser;

namespace {

constexpr UINT kAdjust = IDD_WALLHOLEADJUST;

class WallHoleAdjust : public WallHoleTest
{
protected:
    int Adjust() { return Key("Prop.WallHoleAdjust"); }

    static void ExpectEdits(const char* dx, const char* dy, const char* w, const char* h)
    {
        ScriptedUser::Run(
            [=](CDialog* dlg) {
                EXPECT_EQ(Text(dlg, IDC_WALLHOLE_DX), CString(dx));
                EXPECT_EQ(Text(dlg, IDC_WALLHOLE_DY), CString(dy));
                EXPECT_EQ(Text(dlg, IDC_WALLHOLE_WIDTH), CString(w));
                EXPECT_EQ(Text(dlg, IDC_WALLHOLE_HEIGHT), CString(h));
            },
            kAdjust);
    }
    // A view in which each wall's screen corners change when it is re-placed.
    void HalfScaleView()
    {
        CMatrix2D move;
        move.SetMove(40, 30);
        d.Matrix2D().SetScale(0.5);
        d.Matrix2D() *= move;
    }
    static bool Replaced(CWall* w) { return w->m_ptScreen[2] != CPoint2D(); }
};

} // namespace

TEST_F(WallHoleAdjust, CentredOnEachWallsOwnLengthKeepingDistancesThatDiffer)
{
    HalfScaleView();
    CWall* w1 = Wall(3000, 2800, {HoleAt(100, 0, 800, 2000)});
    CWall* w2 = Wall(4000, 2800, {HoleAt(300, 100, 800, 2000)}, 500);
    ScriptedUser::Run(
        [](CDialog* dlg) {
            CString caption;
            dlg->GetWindowText(caption);
            EXPECT_EQ(caption, CString("墙体洞口修改"));
            EXPECT_EQ(dlg->IsDlgButtonChecked(IDC_WALLHOLE_MODEMODIFY), (UINT)BST_CHECKED);
            EXPECT_EQ(static_cast<CComboBox*>(dlg->GetDlgItem(IDC_WALLHOLE_HORZALIGN))->GetCurSel(), 0);
        },
        kAdjust);
    ExpectEdits("*多种*", "*多种*", "800.000", "2000.000");
    ScriptedUser::SetText(IDC_WALLHOLE_WIDTH, "1000", kAdjust);
    ScriptedUser::SelectRow(IDC_WALLHOLE_HORZALIGN, 2, kAdjust); // 居中
    ScriptedUser::Run([](CDialog* dlg) { EXPECT_FALSE(Enabled(dlg, IDC_WALLHOLE_DX)); }, kAdjust);
    ScriptedUser::PressOK(kAdjust);
    EXPECT_EQ(Adjust(), 1);
    EXPECT_EQ(Holes(w1), std::vector<WALL_HOLE_RECT>{HoleAt(1000, 0, 1000, 2000)});
    EXPECT_EQ(Holes(w2), std::vector<WALL_HOLE_RECT>{HoleAt(1500, 100, 1000, 2000)});
    EXPECT_TRUE(Replaced(w1) && Replaced(w2)) << "the dialog re-places the walls it changed";
}

TEST_F(WallHoleAdjust, EqualPlacesShowAndTopAlignmentUsesEachWallsHeight)
{
    d.UnitLength() = 10.0f;
    CWall* w1 = Wall(300, 280, {HoleAt(100, 0, 80, 200)});
    CWall* w2 = Wall(400, 300, {HoleAt(100, 0, 90, 200)}, 500);
    ExpectEdits("1000.000", "0.000", "*多种*", "*多种*");
    ScriptedUser::SetText(IDC_WALLHOLE_WIDTH, "1000", kAdjust);
    ScriptedUser::SetText(IDC_WALLHOLE_HEIGHT, "2000", kAdjust);
    ScriptedUser::SelectRow(IDC_WALLHOLE_VERTALIGN, 1, kAdjust); // 上对齐
    ScriptedUser::PressOK(kAdjust);
    EXPECT_EQ(Adjust(), 1);
    EXPECT_EQ(Holes(w1), std::vector<WALL_HOLE_RECT>{HoleAt(100, 80, 100, 200)});
    EXPECT_EQ(Holes(w2), std::vector<WALL_HOLE_RECT>{HoleAt(100, 100, 100, 200)});
}

TEST_F(WallHoleAdjust, AWallWithoutAnOpeningShowsZerosAndEveryWallGetsTheTypedOne)
{
    CWall* w1 = Wall(3000, 2800, {HoleAt(100, 0, 800, 2000)});
    CWall* w2 = Wall(4000, 2800, {}, 500);
    ExpectEdits("0", "0", "0", "0");
    ScriptedUser::SetText(IDC_WALLHOLE_WIDTH, "900", kAdjust);
    ScriptedUser::SetText(IDC_WALLHOLE_HEIGHT, "2100", kAdjust);
    ScriptedUser::SetText(IDC_WALLHOLE_DX, "600", kAdjust);
    ScriptedUser::SetText(IDC_WALLHOLE_DY, "0", kAdjust);
    ScriptedUser::PressOK(kAdjust);
    EXPECT_EQ(Adjust(), 1);
    for (CWall* w : {w1, w2})
        EXPECT_EQ(Holes(w), std::vector<WALL_HOLE_RECT>{HoleAt(600, 0, 900, 2100)});
}

TEST_F(WallHoleAdjust, RemovalTakesEveryOpeningAway)
{
    HalfScaleView();
    CWall* w1 = Wall(3000, 2800, {HoleAt(100, 0, 800, 2000)});
    CWall* w2 = Wall(4000, 2800, {HoleAt(300, 0, 800, 2000)}, 500);
    ScriptedUser::Click(IDC_WALLHOLE_MODEREMOVE, kAdjust);
    ExpectEdits("0", "0", "0", "0");
    ScriptedUser::Run(
        [](CDialog* dlg) {
            for (int id : {IDC_WALLHOLE_DX, IDC_WALLHOLE_DY, IDC_WALLHOLE_WIDTH, IDC_WALLHOLE_HEIGHT,
                           IDC_WALLHOLE_HORZALIGN, IDC_WALLHOLE_VERTALIGN})
                EXPECT_FALSE(Enabled(dlg, id)) << id;
            EXPECT_EQ(dlg->IsDlgButtonChecked(IDC_WALLHOLE_MODEREMOVE), (UINT)BST_CHECKED);
        },
        kAdjust);
    ScriptedUser::PressOK(kAdjust);
    EXPECT_EQ(Adjust(), 1);
    EXPECT_TRUE(Holes(w1).empty());
    EXPECT_TRUE(Holes(w2).empty());
    EXPECT_TRUE(Replaced(w1) && Replaced(w2));
}

TEST_F(WallHoleAdjust, RemovalUndoneByModifyIsRefusedForWallOne)
{
    const WALL_HOLE_RECT door = HoleAt(100, 0, 800, 2000);
    CWall* w1 = Wall(3000, 2800, {door});
    CWall* w2 = Wall(4000, 2800, {door}, 500);
    ScriptedUser::Click(IDC_WALLHOLE_MODEREMOVE, kAdjust);
    ScriptedUser::Click(IDC_WALLHOLE_MODEMODIFY, kAdjust);
    ScriptedUser::Run([](CDialog* dlg) { EXPECT_TRUE(Enabled(dlg, IDC_WALLHOLE_WIDTH)); }, kAdjust);
    ScriptedUser::PressOK(kAdjust);
    ScriptedUser::AnswerMessageBox(IDOK, "墙体1上的洞口设置不符合要求，请重新设置!");
    ScriptedUser::PressCancel(kAdjust);
    EXPECT_EQ(Adjust(), 0);
    EXPECT_EQ(ScriptedUser::MessageBoxes().at(0).flags & MB_ICONMASK, (UINT)MB_ICONEXCLAMATION);
    EXPECT_EQ(Holes(w1), std::vector<WALL_HOLE_RECT>{door});
    EXPECT_EQ(Holes(w2), std::vector<WALL_HOLE_RECT>{door});
}

TEST_F(WallHoleAdjust, AWallThatCannotTakeTheOpeningLeavesEveryWallAsItWas)
{
    const WALL_HOLE_RECT door = HoleAt(100, 0, 800, 2000);
    CWall* w1 = Wall(3000, 2800, {door});
    CWall* w2 = Wall(1000, 2800, {door}, 500);
    const std::vector<CObject*> before1 = Objects(w1);
    ScriptedUser::SetText(IDC_WALLHOLE_WIDTH, "1200", kAdjust);
    ScriptedUser::SelectRow(IDC_WALLHOLE_HORZALIGN, 3, kAdjust); // 右对齐: -200 on the short wall
    ScriptedUser::PressOK(kAdjust);
    ScriptedUser::AnswerMessageBox(IDOK, "墙体2上的洞口设置不符合要求，请重新设置!");
    // Typed again for the wall that could not take it: "左对齐" on both.
    ScriptedUser::SetText(IDC_WALLHOLE_WIDTH, "900", kAdjust);
    ScriptedUser::SelectRow(IDC_WALLHOLE_HORZALIGN, 1, kAdjust);
    ScriptedUser::Run([&](CDialog*) { EXPECT_EQ(Objects(w1), before1) << "nothing written on refusal"; }, kAdjust);
    ScriptedUser::PressOK(kAdjust);
    EXPECT_EQ(Adjust(), 1);
    EXPECT_EQ(Holes(w1), std::vector<WALL_HOLE_RECT>{HoleAt(0, 0, 900, 2000)});
    EXPECT_EQ(Holes(w2), std::vector<WALL_HOLE_RECT>{HoleAt(0, 0, 900, 2000)});
}

TEST_F(WallHoleAdjust, CancelWritesNothing)
{
    const WALL_HOLE_RECT door = HoleAt(100, 0, 800, 2000);
    CWall* w = Wall(3000, 2800, {door});
    const std::vector<CObject*> before = Objects(w);
    ScriptedUser::SetText(IDC_WALLHOLE_WIDTH, "1000", kAdjust);
    ScriptedUser::PressCancel(kAdjust);
    EXPECT_EQ(Adjust(), 0);
    EXPECT_EQ(Objects(w), before);
    EXPECT_EQ(Holes(w), std::vector<WALL_HOLE_RECT>{door});
}
