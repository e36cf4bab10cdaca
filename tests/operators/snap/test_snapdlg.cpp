// The snap setting and offset dialogs under a scripted user, and the offset that snap-from
// adds to a picked point.
#include <gtest/gtest.h>

#include <string>

#include "SnapWorld.h"
#include <vyr/operators/DlgSnapOffset.h>
#include <vyr/operators/DlgSnapSetting.h>
#include <vyr/operators/OPPt.h>
#include <vyr/resources/dialogs/SnapRes.h>

using snaptest::AtPixel;
using snaptest::SnapWorld;
using vyr::ScriptedUser;

namespace {

struct DialogFixture : ::testing::Test
{
    SnapWorld w;

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
    static bool Checked(CDialog* d, int id) { return d->IsDlgButtonChecked(id) == BST_CHECKED; }
    static CString Text(CDialog* d, int id)
    {
        CString s;
        d->GetDlgItem(id)->GetWindowText(s);
        return s;
    }
};

} // namespace

TEST_F(DialogFixture, SettingShowsTheSwitchesOfATemporaryUse)
{
    w.snap.SetSnapOn(SNAP_MIDPT, false);
    w.snap.SetSnapFrom(true);
    w.snap.SetIsTempUse(true);
    w.snap.SetSnapOn(SNAP_PERPT, true);
    ScriptedUser::Run(
        [](CDialog* d) {
            CString caption;
            d->GetWindowText(caption);
            EXPECT_EQ(caption, CString("对象捕捉设置"));
            EXPECT_EQ(Text(d, IDC_SNAP_ENDPT), CString("端点"));
            EXPECT_EQ(Text(d, IDC_SNAP_FROM), CString("从"));
            EXPECT_EQ(Text(d, IDC_SNAP_SETALL), CString("全部选择"));
            EXPECT_EQ(Text(d, IDC_SNAP_UNSETALL), CString("全部清除"));
            EXPECT_FALSE(Checked(d, IDC_SNAP_ENDPT));
            EXPECT_FALSE(Checked(d, IDC_SNAP_MIDPT));
            EXPECT_TRUE(Checked(d, IDC_SNAP_PERPT));
            EXPECT_TRUE(Checked(d, IDC_SNAP_FROM));
        },
        IDD_SNAPSETTING);
    ScriptedUser::Check(IDC_SNAP_ENDPT, BST_CHECKED, IDD_SNAPSETTING);
    ScriptedUser::PressCancel(IDD_SNAPSETTING);
    CDlgSnapSetting dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(w.snap.GetSnapOn(SNAP_ENDPT)) << "Cancel changes nothing";
    EXPECT_TRUE(w.snap.GetSnapFrom());
}

TEST_F(DialogFixture, ClearAllAlsoClearsSnapFrom)
{
    w.snap.SetSnapFrom(true);
    ScriptedUser::Click(IDC_SNAP_UNSETALL, IDD_SNAPSETTING);
    ScriptedUser::Run([](CDialog* d) {
        for (int id : {IDC_SNAP_ENDPT, IDC_SNAP_MIDPT, IDC_SNAP_PERPT, IDC_SNAP_FROM})
            EXPECT_FALSE(Checked(d, id)) << id;
    });
    ScriptedUser::PressOK(IDD_SNAPSETTING);
    CDlgSnapSetting dlg(&w.host);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    for (int k = 0; k < SNAP_KINDS; ++k)
        EXPECT_FALSE(w.snap.GetSnapOn(k)) << k;
    EXPECT_FALSE(w.snap.GetSnapFrom());

    ScriptedUser::Click(IDC_SNAP_SETALL, IDD_SNAPSETTING);
    ScriptedUser::Check(IDC_SNAP_MIDPT, BST_UNCHECKED, IDD_SNAPSETTING);
    ScriptedUser::PressOK(IDD_SNAPSETTING);
    CDlgSnapSetting again;
    EXPECT_EQ(again.DoModal(), IDOK);
    EXPECT_TRUE(w.snap.GetSnapOn(SNAP_ENDPT));
    EXPECT_FALSE(w.snap.GetSnapOn(SNAP_MIDPT));
    EXPECT_TRUE(w.snap.GetSnapOn(SNAP_PERPT));
    EXPECT_TRUE(w.snap.GetSnapFrom());
}

TEST_F(DialogFixture, OffsetAcceptsTheInitialTextAndRefusesAMalformedOne)
{
    ScriptedUser::PressOK(IDD_SNAPOFFSET);
    CDlgSnapOffset first;
    EXPECT_EQ(first.DoModal(), IDOK);
    EXPECT_EQ(first.m_strOffset, CString("0, 0, 0"));

    ScriptedUser::Run(
        [](CDialog* d) {
            CString caption;
            d->GetWindowText(caption);
            EXPECT_EQ(caption, CString("输入坐标偏移值"));
        },
        IDD_SNAPOFFSET);
    ScriptedUser::SetText(IDC_SNAP_OFFSET, "1, 2", IDD_SNAPOFFSET);
    ScriptedUser::PressOK(IDD_SNAPOFFSET);
    ScriptedUser::AnswerMessageBox(IDOK, "请输入正确的坐标值！");
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_TRUE(d->IsModalRunning()) << "the dialog stays open";
            EXPECT_EQ(CWnd::GetFocus(), d->GetDlgItem(IDC_SNAP_OFFSET));
        },
        IDD_SNAPOFFSET);
    ScriptedUser::SetText(IDC_SNAP_OFFSET, "1.5, 0, -2", IDD_SNAPOFFSET);
    ScriptedUser::PressOK(IDD_SNAPOFFSET);
    CDlgSnapOffset dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strOffset, CString("1.5, 0, -2"));
    ASSERT_EQ(ScriptedUser::MessageBoxes().size(), 1u);
}

TEST_F(DialogFixture, SnapFromAddsTheOffsetInDisplayUnits)
{
    w.Data().UnitLength() = 0.5f; // one display unit is two model units
    const CPoint3D node = w.AddNode(AtPixel(300, 300))->GetPt();
    w.snap.Switch(true);
    w.snap.MouseMove(CPoint(300, 300));
    ASSERT_TRUE(w.snap.HasSnapped());
    EXPECT_EQ(w.snap.GetPt().x, node.x) << "snap-from off: no dialog, no offset";
    EXPECT_TRUE(ScriptedUser::Dialogs().empty());

    w.snap.SetSnapFrom(true);
    ScriptedUser::SetText(IDC_SNAP_OFFSET, "1, 2, 3", IDD_SNAPOFFSET);
    ScriptedUser::PressOK(IDD_SNAPOFFSET);
    CPoint3D pt = w.snap.GetPt();
    EXPECT_DOUBLE_EQ(pt.x, node.x + 2.0);
    EXPECT_DOUBLE_EQ(pt.y, node.y + 4.0);
    EXPECT_DOUBLE_EQ(pt.z, node.z + 6.0);

    ScriptedUser::SetText(IDC_SNAP_OFFSET, "9, 9, 9", IDD_SNAPOFFSET);
    ScriptedUser::PressCancel(IDD_SNAPOFFSET);
    pt = w.snap.GetPt();
    EXPECT_DOUBLE_EQ(pt.x, node.x) << "Cancel: no offset";
    EXPECT_TRUE(w.snap.GetSnapFrom()) << "snap-from stays set";

    // A node input takes the node itself.
    w.snap.SetUseType(1);
    const size_t opened = ScriptedUser::Dialogs().size();
    EXPECT_DOUBLE_EQ(w.snap.GetPt().x, node.x);
    EXPECT_EQ(ScriptedUser::Dialogs().size(), opened);
}

TEST_F(DialogFixture, PickedPointAsksForTheOffsetOnce)
{
    w.AddNode(AtPixel(100, 100));
    const CPoint3D second = w.AddNode(AtPixel(300, 100))->GetPt();
    COPManager& m = w.host.OPManager();
    COPPt2 two;
    m.SetOP(two);
    m.MouseAction(OPMOUSE_MOVE, 0, CPoint(100, 100), 0);
    m.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(100, 100), 0);
    w.snap.SetSnapFrom(true);
    ScriptedUser::SetText(IDC_SNAP_OFFSET, "0, 0, 10", IDD_SNAPOFFSET);
    ScriptedUser::PressOK(IDD_SNAPOFFSET);
    for (int x = 280; x <= 300; x += 5)
        m.MouseAction(OPMOUSE_MOVE, 0, CPoint(x, 100), 0);
    EXPECT_TRUE(m.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(300, 100), 0));
    EXPECT_EQ(ScriptedUser::Dialogs().size(), 1u);
    const CPoint3D taken = COPPt::GetOnePt(0, m.GetCurOP()); // the end became the next start
    EXPECT_DOUBLE_EQ(taken.z, second.z + 10.0);
}

// The first control of each template takes the focus when the dialog opens: the OK button
// of the setting dialog, the offset box of the offset dialog (typing starts there).
TEST_F(DialogFixture, FirstControlOfEachTemplateHasTheFocus)
{
    ScriptedUser::Run([](CDialog* d) { EXPECT_EQ(CWnd::GetFocus(), d->GetDlgItem(IDOK)); }, IDD_SNAPSETTING);
    ScriptedUser::PressCancel(IDD_SNAPSETTING);
    CDlgSnapSetting setting;
    EXPECT_EQ(setting.DoModal(), IDCANCEL);

    ScriptedUser::Run([](CDialog* d) { EXPECT_EQ(CWnd::GetFocus(), d->GetDlgItem(IDC_SNAP_OFFSET)); },
                      IDD_SNAPOFFSET);
    ScriptedUser::PressCancel(IDD_SNAPOFFSET);
    CDlgSnapOffset offset;
    EXPECT_EQ(offset.DoModal(), IDCANCEL);
}
