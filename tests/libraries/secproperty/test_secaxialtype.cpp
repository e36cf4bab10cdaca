// The buckling class dialog under the scripted user: combos, the edge rules of welded
// sections, and changes that Cancel keeps.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include <vyr/libraries/DlgSecAxialType.h>
#include <vyr/model/section/section.h>
#include <vyr/raster.h>
#include <vyr/resources.h>
#include <vyr/resources/dialogs/SecPropertyRes.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;

namespace {

struct AxialType : ::testing::Test
{
    void SetUp() override
    {
        vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
        ScriptedUser::Reset();
    }
    void TearDown() override
    {
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
        ScriptedUser::Reset();
    }
};

CString Shown(CDialog* d, int id)
{
    CString s;
    d->GetDlgItem(id)->GetWindowText(s);
    return s;
}

bool Enabled(CDialog* d, int id) { return d->GetDlgItem(id)->IsWindowEnabled() != FALSE; }
bool Checked(CDialog* d, int id) { return d->IsDlgButtonChecked(id) == BST_CHECKED; }

} // namespace

TEST_F(AxialType, AnAngleOffersOnlyTheCombos)
{
    CSRolledEAngle angle(101, 50, 5, 5.5f, 3, 14.2f);
    angle.m_nType2 = 2;
    angle.m_nType3 = 2;
    ScriptedUser::Run(
        [](CDialog* d) {
            CString caption;
            d->GetWindowText(caption);
            EXPECT_EQ(caption, CString("轴心受压构件的截面分类"));
            EXPECT_FALSE(Enabled(d, IDC_SECAXIAL_ROLLED));
            EXPECT_FALSE(Enabled(d, IDC_SECAXIAL_FLAME));
            EXPECT_FALSE(Checked(d, IDC_SECAXIAL_ROLLED));
            EXPECT_FALSE(Checked(d, IDC_SECAXIAL_FLAME));
            EXPECT_EQ(Shown(d, IDC_SECAXIAL_CLASS2), CString("   b"));
            EXPECT_EQ(Shown(d, IDC_SECAXIAL_CLASS3), CString("   b"));
            EXPECT_EQ(Shown(d, IDC_SECAXIAL_ROLLED), CString("扎制（剪切）边"));
            EXPECT_EQ(Shown(d, IDC_SECAXIAL_FLAME), CString("焰切边"));
        },
        IDD_SECAXIALTYPE);
    ScriptedUser::SelectRow(IDC_SECAXIAL_CLASS2, 3, IDD_SECAXIALTYPE);
    ScriptedUser::SelectRow(IDC_SECAXIAL_CLASS3, 0, IDD_SECAXIALTYPE);
    ScriptedUser::PressOK(IDD_SECAXIALTYPE);
    CDlgSecAxialType dlg;
    EXPECT_EQ(dlg.DoModal(&angle), IDOK);
    EXPECT_EQ(angle.GetSecType2(), 4);
    EXPECT_EQ(angle.GetSecType3(), 1);
}

TEST_F(AxialType, StoredClassesOpenInTheCombos)
{
    CSRolledEAngle angle(101, 50, 5, 5.5f, 3, 14.2f);
    angle.m_nType2 = 1;
    angle.m_nType3 = 3;
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(Shown(d, IDC_SECAXIAL_CLASS2), CString("   a"));
            EXPECT_EQ(Shown(d, IDC_SECAXIAL_CLASS3), CString("   c"));
        },
        IDD_SECAXIALTYPE);
    ScriptedUser::PressOK(IDD_SECAXIALTYPE);
    CDlgSecAxialType dlg;
    dlg.DoModal(&angle);
    EXPECT_EQ(angle.GetSecType2(), 1);
    EXPECT_EQ(angle.GetSecType3(), 3);
}

TEST_F(AxialType, AComboChoiceIsKeptThoughTheUserCancels)
{
    CSRolledEAngle angle(101, 50, 5, 5.5f, 3, 14.2f);
    angle.m_nType2 = 1;
    angle.m_nType3 = 1;
    ScriptedUser::SelectRow(IDC_SECAXIAL_CLASS3, 2, IDD_SECAXIALTYPE);
    ScriptedUser::PressCancel(IDD_SECAXIALTYPE);
    CDlgSecAxialType dlg;
    EXPECT_EQ(dlg.DoModal(&angle), IDCANCEL);
    EXPECT_EQ(angle.GetSecType2(), 1);
    EXPECT_EQ(angle.GetSecType3(), 3);
}

TEST_F(AxialType, EdgeRulesOfWeldedSections)
{
    struct Case
    {
        const char* what;
        std::function<CSectionBase*()> make;
        int radio;
        int class2, class3; // 1 a ... 4 d
        const char* shown2;
        const char* shown3;
    };
    const Case cases[] = {
        {"welded I, 40 mm, rolled edges", [] { return new CSWeldedIbeam(105, 600, 300, 30, 40); },
         IDC_SECAXIAL_ROLLED, 4, 3, "   d", "   c"},
        {"welded I, 39 mm, rolled edges", [] { return new CSWeldedIbeam(105, 600, 300, 30, 39); },
         IDC_SECAXIAL_ROLLED, 3, 2, "   c", "   b"},
        {"welded H, flame-cut", [] { return new CSWeldedHtype(111, 600, 300, 30, 40); }, IDC_SECAXIAL_FLAME, 2,
         2, "   b", "   b"},
        {"high-frequency welded H, 40 mm, rolled edges", [] { return new CSWeldedHtype(112, 400, 200, 12, 40); },
         IDC_SECAXIAL_ROLLED, 4, 3, "   d", "   c"},
        {"user-defined welded I, 8 mm, rolled edges",
         [] {
             auto* s = new CSDefineIbeam;
             s->m_dT = 8;
             return s;
         },
         IDC_SECAXIAL_ROLLED, 3, 2, "   c", "   b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<CSectionBase> sec(c.make());
        sec->m_nType2 = 1;
        sec->m_nType3 = 1;
        ScriptedUser::Reset();
        ScriptedUser::Run(
            [](CDialog* d) {
                EXPECT_TRUE(Enabled(d, IDC_SECAXIAL_ROLLED));
                EXPECT_TRUE(Enabled(d, IDC_SECAXIAL_FLAME));
                EXPECT_TRUE(Checked(d, IDC_SECAXIAL_FLAME)) << "a welded section opens on flame-cut edges";
                EXPECT_FALSE(Checked(d, IDC_SECAXIAL_ROLLED));
            },
            IDD_SECAXIALTYPE);
        // Opening on the flame-cut choice applies nothing by itself.
        ScriptedUser::Run([&](CDialog*) { EXPECT_EQ(sec->GetSecType2(), 1); }, IDD_SECAXIALTYPE);
        ScriptedUser::Click(c.radio, IDD_SECAXIALTYPE);
        ScriptedUser::Run(
            [&](CDialog* d) {
                EXPECT_TRUE(Checked(d, c.radio));
                EXPECT_EQ(Shown(d, IDC_SECAXIAL_CLASS2), CString(c.shown2));
                EXPECT_EQ(Shown(d, IDC_SECAXIAL_CLASS3), CString(c.shown3));
            },
            IDD_SECAXIALTYPE);
        ScriptedUser::PressCancel(IDD_SECAXIALTYPE);
        CDlgSecAxialType dlg;
        dlg.DoModal(sec.get());
        EXPECT_EQ(sec->GetSecType2(), c.class2);
        EXPECT_EQ(sec->GetSecType3(), c.class3);
    }
}

TEST_F(AxialType, FrameIsWhiteWithoutASectionAndGreyWithOne)
{
    auto frameColour = [](CDialog* d) {
        std::shared_ptr<vyr::Image> shot = vyr::RenderWindow(d->GetSafeHwnd());
        CRect frame;
        d->GetDlgItem(IDC_SECAXIAL_MAP)->GetWindowRect(&frame);
        d->ScreenToClient(&frame);
        return shot->GetPixel(frame.left + 2, frame.top + 2);
    };
    COLORREF empty = 0, drawn = 0;
    ScriptedUser::Run([&](CDialog* d) { empty = frameColour(d); }, IDD_SECAXIALTYPE);
    ScriptedUser::PressCancel(IDD_SECAXIALTYPE);
    CDlgSecAxialType none;
    none.DoModal(nullptr);
    EXPECT_EQ(empty, RGB(255, 255, 255));

    CSWeldedIbeam s(105, 400, 200, 16, 10);
    ScriptedUser::Run([&](CDialog* d) { drawn = frameColour(d); }, IDD_SECAXIALTYPE);
    ScriptedUser::PressCancel(IDD_SECAXIALTYPE);
    CDlgSecAxialType dlg;
    dlg.DoModal(&s);
    EXPECT_EQ(drawn, RGB(192, 192, 192));
}

TEST(AxialTypeDrawing, NoAxesInTheBucklingDrawing)
{
    CSWeldedIbeam s(105, 400, 200, 16, 10);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    DrawSectionMap(&dc, CRect(0, 0, 200, 150), &s, false);
    for (const vyr::DrawRecord& r : dc.Records())
        EXPECT_NE(r.state.pen.lopnStyle, (UINT)PS_DASHDOT);
    EXPECT_EQ(dc.Records().front().kind, vyr::DrawKind::Rectangle);
}
