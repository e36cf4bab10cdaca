// The definition libraries of member ends and nodes under the scripted user: row 0, the
// add/edit dialogs and their modes, delete with its count question, repeats, units and
// signs, the springs of both editions, and the icons and preview pictures drawn.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "support/DialogTest.h"
#include <vyr/input/DlgBeamOffset.h>
#include <vyr/input/DlgBeamRelease.h>
#include <vyr/input/DlgBeamRigid.h>
#include <vyr/input/DlgNodeSupport.h>
#include <vyr/model/base/VyrProduct.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/DefsRes.h>
#include <vyr/raster.h>
#include <vyr/scripteduser.h>
#include <vyr/windc.h>

using vyr::ScriptedUser;

namespace {

CString ItemText(CDialog* dlg, int id)
{
    CString s;
    dlg->GetDlgItemText(id, s);
    return s;
}

CString RowText(CDialog* dlg, int row, int column)
{
    return static_cast<CListCtrl*>(dlg->GetDlgItem(IDC_DEFS_LIST))->GetItemText(row, column);
}

int SelectedRow(CDialog* dlg)
{
    return static_cast<CListCtrl*>(dlg->GetDlgItem(IDC_DEFS_LIST))->GetNextItem(-1, LVNI_SELECTED);
}

// Runs fn in the dialog of that template when it is its turn.
void In(UINT idd, std::function<void(CDialog*)> fn) { ScriptedUser::Run(std::move(fn), idd); }

struct Defs : vyrtest::DialogTest
{
    CGlobalData data;
    CStruct& s = *data.Struct();

    CPNode* Node(double x)
    {
        auto* n = new CPNode((int)s.m_pNodeList->GetCount() + 1, CPoint3D(x, 0, 0));
        s.m_pNodeList->AddTail(n);
        return n;
    }
    CBeam* Beam(bool inStructure = true)
    {
        auto* b = new CBeam((int)s.m_pBeamList->GetCount() + 1, Node(0), Node(600), 2);
        if (inStructure)
            s.m_pBeamList->AddTail(b);
        return b;
    }
    CWall* Wall()
    {
        auto* w = new CWall;
        for (CPNode* n : {Node(0), Node(300), Node(300), Node(0)})
            w->m_pVexNodeList->AddTail(n);
        s.m_pWallList->AddTail(w);
        return w;
    }
    CBeamBindRelease* Release(int s2, int s3, int e2, int e3, int type = 1)
    {
        auto* r = new CBeamBindRelease(s2, s3, e2, e3, type);
        EXPECT_TRUE(s.m_pReleaseList->Add(r));
        return r;
    }
};

// ---- the pattern, on the three member-end libraries

struct EndLibrary
{
    const char* name;
    UINT idd;
    const char* noEdit;
    const char* noDelete;
    std::function<INT_PTR(CGlobalData*, CBeamList*, void** chosen)> run;
};

const EndLibrary kEndLibraries[] = {
    {"releases", IDD_BEAMRELEASE, "选择要编辑的约束！", "选择要删除的约束！",
     [](CGlobalData* d, CBeamList* beams, void** chosen) {
         CDlgBeamRelease dlg(nullptr, beams);
         dlg.m_pData = d;
         dlg.m_pRelease = (CBeamBindRelease*)*chosen;
         const INT_PTR r = dlg.DoModal();
         *chosen = dlg.m_pRelease;
         return r;
     }},
    {"eccentricities", IDD_BEAMOFFSET, "选择要编辑的偏心！", "选择要删除的约束！",
     [](CGlobalData* d, CBeamList* beams, void** chosen) {
         CDlgBeamOffset dlg(nullptr, beams, nullptr);
         dlg.m_pData = d;
         dlg.m_pOffset = (CMemberOffset*)*chosen;
         const INT_PTR r = dlg.DoModal();
         *chosen = dlg.m_pOffset;
         return r;
     }},
    {"rigid arms", IDD_BEAMRIGID, "选择要编辑的刚臂！", "选择要删除的刚臂！",
     [](CGlobalData* d, CBeamList* beams, void** chosen) {
         CDlgBeamRigid dlg(nullptr, beams);
         dlg.m_pData = d;
         dlg.m_pRigid = (CBeamRigid*)*chosen;
         const INT_PTR r = dlg.DoModal();
         *chosen = dlg.m_pRigid;
         return r;
     }},
};

TEST_F(Defs, RowZeroIsNeitherEditedNorDeletedAndChoosesNone)
{
    Release(1, 0, 0, 0);
    CMemberOffset* offset = new CMemberOffset(1, 0, 0, 0);
    s.m_pOffsetList->Add(offset);
    s.m_pRigidList->Add(new CBeamRigid(-1, 1));
    CBeamList beams;
    for (const EndLibrary& lib : kEndLibraries) {
        SCOPED_TRACE(lib.name);
        ScriptedUser::Reset();
        In(lib.idd, [](CDialog* dlg) {
            EXPECT_EQ(SelectedRow(dlg), 0) << "none opens on row 0";
            EXPECT_EQ(RowText(dlg, 0, 0), CString("删除"));
        });
        ScriptedUser::Click(IDC_DEFS_EDIT, lib.idd);
        ScriptedUser::AnswerMessageBox(IDOK, lib.noEdit);
        ScriptedUser::Click(IDC_DEFS_DELETE, lib.idd);
        ScriptedUser::AnswerMessageBox(IDOK, lib.noDelete);
        ScriptedUser::PressOK(lib.idd);
        void* chosen = nullptr;
        EXPECT_EQ(lib.run(&data, &beams, &chosen), IDOK);
        EXPECT_EQ(chosen, nullptr);
        EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 2u);
    }
    EXPECT_EQ(s.m_pReleaseList->GetCount(), 1);
    EXPECT_EQ(s.m_pOffsetList->GetCount(), 1);
    EXPECT_EQ(s.m_pRigidList->GetCount(), 1);
}

// ---- releases

INT_PTR RunReleases(CGlobalData& data, CBeamList* beams, CBeamBindRelease*& chosen)
{
    CDlgBeamRelease dlg(nullptr, beams);
    dlg.m_pData = &data;
    dlg.m_pRelease = chosen;
    const INT_PTR r = dlg.DoModal();
    chosen = dlg.m_pRelease;
    return r;
}

TEST_F(Defs, EachReleaseBoxLandsInItsFlag)
{
    struct Case
    {
        int box;
        int flag; // start 2, start 3, end 2, end 3
    };
    const Case cases[] = {{IDC_RELEASE_START2, 0}, {IDC_RELEASE_START3, 1}, {IDC_RELEASE_END2, 2}, {IDC_RELEASE_END3, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        ScriptedUser::Reset();
        ScriptedUser::Click(IDC_DEFS_ADD, IDD_BEAMRELEASE);
        In(IDD_RELEASEADD, [](CDialog* dlg) {
            CString caption;
            dlg->GetWindowText(caption);
            EXPECT_EQ(caption, CString("杆件单元释放添加"));
            EXPECT_EQ(ItemText(dlg, IDC_RELEASE_TYPE), CString("自由转动连接"));
        });
        ScriptedUser::Check(c.box, BST_CHECKED, IDD_RELEASEADD);
        ScriptedUser::SelectString(IDC_RELEASE_TYPE, "自由滑动连接", IDD_RELEASEADD);
        ScriptedUser::PressOK(IDD_RELEASEADD);
        ScriptedUser::PressOK(IDD_BEAMRELEASE);
        CBeamBindRelease* chosen = nullptr;
        CBeamList beams;
        ASSERT_EQ(RunReleases(data, &beams, chosen), IDOK);
        CBeamBindRelease* added = s.m_pReleaseList->Get((int)s.m_pReleaseList->GetCount());
        ASSERT_NE(added, nullptr);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(added->m_nFlag[i], i == c.flag ? 1 : 0) << "flag " << i;
        EXPECT_EQ(added->GetType(), 0);
        EXPECT_EQ(added->m_nNo, (int)s.m_pReleaseList->GetCount());
    }
}

TEST_F(Defs, DeletingAReleaseInUseAsksWithTheCountAndClearsItsMembers)
{
    CBeamBindRelease* used = Release(1, 0, 0, 0);
    CBeamBindRelease* other = Release(0, 1, 0, 0);
    CBeam* users[3] = {Beam(), Beam(), Beam()};
    for (CBeam* b : users)
        b->SetBeamBindRelease(used);
    CBeam* keeps = Beam();
    keeps->SetBeamBindRelease(other);
    // A selected member outside the structure's list loses it too.
    CBeam* selected = Beam(false);
    selected->SetBeamBindRelease(used);
    CBeamList beams;
    beams.AddTail(selected);
    const char* question = "3根杆件正在使用此杆端释放类型，删除后，这些杆件杆端释放类型也被删除，您确定吗？";

    ScriptedUser::SelectRow(IDC_DEFS_LIST, 1, IDD_BEAMRELEASE);
    ScriptedUser::Click(IDC_DEFS_DELETE, IDD_BEAMRELEASE);
    ScriptedUser::AnswerMessageBox(IDNO, question);
    ScriptedUser::Click(IDC_DEFS_DELETE, IDD_BEAMRELEASE);
    ScriptedUser::AnswerMessageBox(IDYES, question);
    In(IDD_BEAMRELEASE, [](CDialog* dlg) {
        EXPECT_EQ(RowText(dlg, 1, 0), CString("释放1")) << "the other one, numbered again";
        EXPECT_EQ(static_cast<CListCtrl*>(dlg->GetDlgItem(IDC_DEFS_LIST))->GetItemCount(), 2);
    });
    ScriptedUser::PressCancel(IDD_BEAMRELEASE);
    CBeamBindRelease* chosen = nullptr;
    EXPECT_EQ(RunReleases(data, &beams, chosen), IDCANCEL);
    EXPECT_EQ(ScriptedUser::MessageBoxes().back().flags & MB_TYPEMASK, (UINT)MB_YESNO);
    for (CBeam* b : users)
        EXPECT_EQ(b->GetBeamBindRelease(), nullptr);
    EXPECT_EQ(selected->GetBeamBindRelease(), nullptr);
    EXPECT_EQ(keeps->GetBeamBindRelease(), other);
    ASSERT_EQ(s.m_pReleaseList->GetCount(), 1);
    EXPECT_EQ(other->m_nNo, 1);
    delete selected;
}

TEST_F(Defs, AnUnusedReleaseGoesWithoutAQuestion)
{
    Release(1, 0, 0, 0);
    ScriptedUser::SelectRow(IDC_DEFS_LIST, 1, IDD_BEAMRELEASE);
    ScriptedUser::Click(IDC_DEFS_DELETE, IDD_BEAMRELEASE);
    ScriptedUser::PressCancel(IDD_BEAMRELEASE);
    CBeamBindRelease* chosen = nullptr;
    RunReleases(data, nullptr, chosen);
    EXPECT_TRUE(ScriptedUser::MessageBoxes().empty());
    EXPECT_EQ(s.m_pReleaseList->GetCount(), 0);
}

TEST_F(Defs, ARepeatedReleaseIsRefusedAndAnAddSurvivesCancel)
{
    CBeamBindRelease* first = Release(1, 0, 0, 0);
    // The same definition again: refused (and, under the sanitizers, not leaked).
    ScriptedUser::Click(IDC_DEFS_ADD, IDD_BEAMRELEASE);
    ScriptedUser::Check(IDC_RELEASE_START2, BST_CHECKED, IDD_RELEASEADD);
    ScriptedUser::PressOK(IDD_RELEASEADD);
    ScriptedUser::AnswerMessageBox(IDOK, "已经添加，不再重复添加！");
    // Another one, then Cancel of the list: the library keeps it.
    ScriptedUser::Click(IDC_DEFS_ADD, IDD_BEAMRELEASE);
    ScriptedUser::Check(IDC_RELEASE_END3, BST_CHECKED, IDD_RELEASEADD);
    ScriptedUser::PressOK(IDD_RELEASEADD);
    In(IDD_BEAMRELEASE, [](CDialog* dlg) { EXPECT_EQ(RowText(dlg, 2, 0), CString("释放2")); });
    ScriptedUser::PressCancel(IDD_BEAMRELEASE);
    CBeamBindRelease* chosen = first;
    EXPECT_EQ(RunReleases(data, nullptr, chosen), IDCANCEL);
    EXPECT_EQ(chosen, first) << "Cancel leaves the caller's definition";
    ASSERT_EQ(s.m_pReleaseList->GetCount(), 2);
    EXPECT_EQ(s.m_pReleaseList->Get(2)->m_nFlag[3], 1);
}

TEST_F(Defs, AStoredTypeAboveOneOpensAsFreeRotationAndStaysOne)
{
    CBeamBindRelease* r = Release(0, 1, 0, 1);
    r->m_nType = 2;
    ScriptedUser::SelectRow(IDC_DEFS_LIST, 1, IDD_BEAMRELEASE);
    ScriptedUser::Click(IDC_DEFS_EDIT, IDD_BEAMRELEASE);
    In(IDD_RELEASEADD, [](CDialog* dlg) {
        CString caption;
        dlg->GetWindowText(caption);
        EXPECT_EQ(caption, CString("杆件单元释放编辑"));
        EXPECT_EQ(ItemText(dlg, IDOK), CString("替换"));
        EXPECT_EQ(ItemText(dlg, IDC_RELEASE_TYPE), CString("自由转动连接"));
        EXPECT_EQ(dlg->IsDlgButtonChecked(IDC_RELEASE_START3), (UINT)BST_CHECKED);
        EXPECT_EQ(dlg->IsDlgButtonChecked(IDC_RELEASE_END3), (UINT)BST_CHECKED);
        EXPECT_EQ(dlg->IsDlgButtonChecked(IDC_RELEASE_START2), (UINT)BST_UNCHECKED);
    });
    ScriptedUser::PressCancel(IDD_RELEASEADD);
    In(IDD_BEAMRELEASE, [](CDialog* dlg) { EXPECT_EQ(SelectedRow(dlg), 1) << "the edited row stays selected"; });
    ScriptedUser::PressOK(IDD_BEAMRELEASE);
    CBeamBindRelease* chosen = nullptr;
    EXPECT_EQ(RunReleases(data, nullptr, chosen), IDOK);
    EXPECT_EQ(chosen, r);
    EXPECT_EQ(r->GetType(), 1);
}

// ---- eccentricities

TEST_F(Defs, OffsetsAreShownInDisplayedUnitsAndStoredInModelUnits)
{
    data.UnitLength() = 1000.0f;
    ScriptedUser::Click(IDC_DEFS_ADD, IDD_BEAMOFFSET);
    ScriptedUser::SetText(IDC_OFFSET_START2, "abc", IDD_OFFSETADD);
    ScriptedUser::PressOK(IDD_OFFSETADD);
    ScriptedUser::AnswerMessageBox(IDOK); // data exchange refuses the text
    ScriptedUser::SetText(IDC_OFFSET_START2, "50", IDD_OFFSETADD);
    ScriptedUser::SetText(IDC_OFFSET_END3, "-20", IDD_OFFSETADD);
    ScriptedUser::PressOK(IDD_OFFSETADD);
    ScriptedUser::SelectRow(IDC_DEFS_LIST, 1, IDD_BEAMOFFSET);
    ScriptedUser::Click(IDC_DEFS_EDIT, IDD_BEAMOFFSET);
    In(IDD_OFFSETADD, [](CDialog* dlg) {
        CString caption;
        dlg->GetWindowText(caption);
        EXPECT_EQ(caption, CString("杆件偏心编辑"));
        EXPECT_EQ(ItemText(dlg, IDC_OFFSET_START2), CString("50"));
        EXPECT_EQ(ItemText(dlg, IDC_OFFSET_END3), CString("-20"));
    });
    ScriptedUser::PressCancel(IDD_OFFSETADD);
    ScriptedUser::PressOK(IDD_BEAMOFFSET);
    CDlgBeamOffset dlg(nullptr, nullptr, nullptr);
    dlg.m_pData = &data;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(s.m_pOffsetList->GetCount(), 1);
    const CMemberOffset* o = s.m_pOffsetList->Get(1);
    EXPECT_DOUBLE_EQ(o->m_dOffset[0], 0.05);
    EXPECT_DOUBLE_EQ(o->m_dOffset[1], 0.0);
    EXPECT_DOUBLE_EQ(o->m_dOffset[3], -0.02);
    EXPECT_EQ(dlg.m_pOffset, o);
}

TEST_F(Defs, AnOffsetUsedByTwoMembersAndAWallAsksWithThree)
{
    auto* o = new CMemberOffset(0, 1, 0, 1);
    s.m_pOffsetList->Add(o);
    Beam()->m_pOffset = o;
    Beam()->m_pOffset = o;
    CWall* w = Wall();
    w->SetMemberoffset(o);
    CWallList walls;
    walls.AddTail(w);
    ScriptedUser::SelectRow(IDC_DEFS_LIST, 1, IDD_BEAMOFFSET);
    ScriptedUser::Click(IDC_DEFS_DELETE, IDD_BEAMOFFSET);
    ScriptedUser::AnswerMessageBox(IDYES, "3根杆件或墙体正在使用此偏心类型，删除后，这些杆件偏心类型也被删除，您确定吗？");
    ScriptedUser::PressOK(IDD_BEAMOFFSET);
    CDlgBeamOffset dlg(nullptr, nullptr, &walls);
    dlg.m_pData = &data;
    dlg.m_pOffset = o;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_pOffset, nullptr);
    EXPECT_EQ(w->m_pOffset, nullptr);
    EXPECT_EQ(s.m_pBeamList->GetHeadT()->m_pOffset, nullptr);
    EXPECT_EQ(s.m_pOffsetList->GetCount(), 0);
}

TEST_F(Defs, TextThatIsNoNumberIsRefusedAndTheDialogStaysOpen)
{
    struct Case
    {
        const char* name;
        UINT list, add;
        int box;
        std::function<int()> count;
        std::function<void(CGlobalData&)> run;
    };
    const Case cases[] = {
        {"eccentricity", IDD_BEAMOFFSET, IDD_OFFSETADD, IDC_OFFSET_END2, [&] { return (int)s.m_pOffsetList->GetCount(); },
         [](CGlobalData& d) {
             CDlgBeamOffset dlg(nullptr, nullptr, nullptr);
             dlg.m_pData = &d;
             dlg.DoModal();
         }},
        {"rigid arm", IDD_BEAMRIGID, IDD_RIGIDADD, IDC_RIGID_END, [&] { return (int)s.m_pRigidList->GetCount(); },
         [](CGlobalData& d) {
             CDlgBeamRigid dlg(nullptr, nullptr);
             dlg.m_pData = &d;
             dlg.DoModal();
         }},
        {"stiffness", IDD_NODESUPPORT, IDD_SUPPORTSPRING, IDC_SPRING_KMY, [&] { return (int)s.m_pSupportList->GetCount(); },
         [](CGlobalData& d) {
             CDlgNodeSupport dlg(nullptr, nullptr);
             dlg.m_pData = &d;
             dlg.DoModal();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUser::Reset();
        const int before = c.count();
        ScriptedUser::Click(IDC_DEFS_ADD, c.list);
        ScriptedUser::SetText(c.box, "1O0", c.add);
        ScriptedUser::PressOK(c.add);
        ScriptedUser::AnswerMessageBox(IDOK, "请输入一个数字。");
        ScriptedUser::PressCancel(c.add); // still open after the refusal
        ScriptedUser::PressCancel(c.list);
        c.run(data);
        EXPECT_EQ(c.count(), before);
    }
}

// ---- rigid arms

TEST_F(Defs, RigidArmKindsAreStoredAsSignsAndReadBack)
{
    struct Case
    {
        const char* name;
        int kindButton;
        double start, end; // stored
    };
    const Case cases[] = {
        {"外伸", IDC_RIGID_EXTEND, -300, 200},
        {"缩进", IDC_RIGID_INDENT, 300, -200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUser::Reset();
        s.m_pRigidList->DeleteAll();
        ScriptedUser::Click(IDC_DEFS_ADD, IDD_BEAMRIGID);
        ScriptedUser::Click(c.kindButton, IDD_RIGIDADD);
        ScriptedUser::SetText(IDC_RIGID_START, "300", IDD_RIGIDADD);
        ScriptedUser::SetText(IDC_RIGID_END, "200", IDD_RIGIDADD);
        ScriptedUser::PressOK(IDD_RIGIDADD);
        ScriptedUser::SelectRow(IDC_DEFS_LIST, 1, IDD_BEAMRIGID);
        ScriptedUser::Click(IDC_DEFS_EDIT, IDD_BEAMRIGID);
        In(IDD_RIGIDADD, [&](CDialog* dlg) {
            EXPECT_EQ(dlg->IsDlgButtonChecked(c.kindButton), (UINT)BST_CHECKED);
            EXPECT_EQ(ItemText(dlg, IDC_RIGID_START), CString("300"));
            EXPECT_EQ(ItemText(dlg, IDC_RIGID_END), CString("200"));
        });
        ScriptedUser::PressOK(IDD_RIGIDADD);
        ScriptedUser::PressOK(IDD_BEAMRIGID);
        CDlgBeamRigid dlg(nullptr, nullptr);
        dlg.m_pData = &data;
        ASSERT_EQ(dlg.DoModal(), IDOK);
        ASSERT_EQ(s.m_pRigidList->GetCount(), 1);
        EXPECT_DOUBLE_EQ(s.m_pRigidList->Get(1)->m_dStart, c.start);
        EXPECT_DOUBLE_EQ(s.m_pRigidList->Get(1)->m_dEnd, c.end);
    }
}

TEST_F(Defs, AnEndArmWithStartZeroReopensAsExtendingAndKeepsItsSign)
{
    auto* g = new CBeamRigid(0, 200);
    s.m_pRigidList->Add(g);
    ScriptedUser::SelectRow(IDC_DEFS_LIST, 1, IDD_BEAMRIGID);
    ScriptedUser::Click(IDC_DEFS_EDIT, IDD_BEAMRIGID);
    In(IDD_RIGIDADD, [](CDialog* dlg) {
        EXPECT_EQ(dlg->IsDlgButtonChecked(IDC_RIGID_EXTEND), (UINT)BST_CHECKED);
        EXPECT_EQ(ItemText(dlg, IDC_RIGID_START), CString("0"));
        EXPECT_EQ(ItemText(dlg, IDC_RIGID_END), CString("200"));
    });
    ScriptedUser::PressOK(IDD_RIGIDADD);
    ScriptedUser::PressCancel(IDD_BEAMRIGID);
    CDlgBeamRigid dlg(nullptr, nullptr);
    dlg.m_pData = &data;
    dlg.DoModal();
    EXPECT_EQ(g->m_dStart, 0.0);
    EXPECT_DOUBLE_EQ(g->m_dEnd, 200.0) << "confirming the edit keeps an extending end arm";
    EXPECT_TRUE(g->IsExtending());
}

TEST_F(Defs, ARepeatedRigidArmIsDroppedSilently)
{
    s.m_pRigidList->Add(new CBeamRigid(-300, 200));
    ScriptedUser::Click(IDC_DEFS_ADD, IDD_BEAMRIGID);
    ScriptedUser::SetText(IDC_RIGID_START, "300", IDD_RIGIDADD);
    ScriptedUser::SetText(IDC_RIGID_END, "200", IDD_RIGIDADD);
    ScriptedUser::PressOK(IDD_RIGIDADD);
    ScriptedUser::PressCancel(IDD_BEAMRIGID);
    CDlgBeamRigid dlg(nullptr, nullptr);
    dlg.m_pData = &data;
    dlg.DoModal();
    EXPECT_TRUE(ScriptedUser::MessageBoxes().empty());
    EXPECT_EQ(s.m_pRigidList->GetCount(), 1);
}

TEST_F(Defs, ThePreviewShowsTheBitmapOfTheKind)
{
    struct Case
    {
        int button;
        UINT bitmap;
    };
    const Case cases[] = {{IDC_RIGID_INDENT, IDB_RIGID_INDENT}, {IDC_RIGID_EXTEND, IDB_RIGID_EXTEND}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bitmap);
        ScriptedUser::Reset();
        std::shared_ptr<const vyr::Image> shown;
        ScriptedUser::Click(c.button, IDD_RIGIDADD);
        In(IDD_RIGIDADD, [&](CDialog* dlg) {
            vyr::WatchReleasedDCs([&](HWND h, CDC& dc) {
                if (h != dlg->GetSafeHwnd())
                    return;
                for (const vyr::DrawRecord& rec : dc.Records())
                    if (rec.kind == vyr::DrawKind::BitBlt)
                        shown = rec.source;
            });
            dlg->Invalidate();
            dlg->UpdateWindow();
            vyr::WatchReleasedDCs(nullptr);
        });
        ScriptedUser::PressCancel(IDD_RIGIDADD);
        CDlgRigidAdd dlg;
        dlg.DoModal(1);
        CBitmap expected;
        ASSERT_TRUE(expected.LoadBitmap(c.bitmap));
        ASSERT_NE(shown, nullptr);
        ASSERT_NE(expected.GetImage(), nullptr);
        EXPECT_EQ(shown->Width(), 272);
        EXPECT_EQ(shown->Height(), 43);
        EXPECT_TRUE(*shown == *expected.GetImage());
    }
}

// ---- supports

struct EditionGuard
{
    explicit EditionGuard(int dim) { CVyrProduct::SetEdition(dim, false); }
    ~EditionGuard() { CVyrProduct::SetEdition(3, true); }
};

INT_PTR RunSupports(CGlobalData& data, CPNodeList* nodes, CSupportBase*& chosen)
{
    CDlgNodeSupport dlg(nullptr, nodes);
    dlg.m_pData = &data;
    dlg.m_pSupport = chosen;
    const INT_PTR r = dlg.DoModal();
    chosen = dlg.m_pSupport;
    return r;
}

TEST_F(Defs, ASpringWithMZReleasedIsStoredInModelUnits)
{
    data.UnitLength() = 1000.0f;
    data.UnitForce() = 1.0f;
    ScriptedUser::Click(IDC_DEFS_ADD, IDD_NODESUPPORT);
    ScriptedUser::Check(IDC_SPRING_MZ, BST_CHECKED, IDD_SUPPORTSPRING);
    ScriptedUser::PressOK(IDD_SUPPORTSPRING);
    In(IDD_NODESUPPORT, [](CDialog* dlg) {
        EXPECT_EQ(RowText(dlg, 7, 0), CString("弹簧约束1"));
        EXPECT_EQ(SelectedRow(dlg), 0);
    });
    ScriptedUser::PressCancel(IDD_NODESUPPORT);
    CSupportBase* chosen = nullptr;
    RunSupports(data, nullptr, chosen);
    ASSERT_EQ(s.m_pSupportList->GetCount(), 7);
    const CSupportBase* k = s.m_pSupportList->Get(7);
    ASSERT_EQ(k->GetType(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_FLOAT_EQ(k->m_fStiff[i], 1e12f) << i;
    EXPECT_FLOAT_EQ(k->m_fStiff[3], 1e6f);
    EXPECT_FLOAT_EQ(k->m_fStiff[4], 1e6f);
    EXPECT_EQ(k->m_fStiff[5], 0.0f);
    EXPECT_EQ(k->m_nRelease[5], 1);
    EXPECT_EQ(k->m_nRelease[0], 0);
}

TEST_F(Defs, TickingAReleaseAndUntickingItRestoresTheDefaultStiffness)
{
    CDlgSupportspring spring;
    ScriptedUser::SetText(IDC_SPRING_KFX, "5", IDD_SUPPORTSPRING);
    ScriptedUser::Check(IDC_SPRING_FX, BST_CHECKED, IDD_SUPPORTSPRING);
    In(IDD_SUPPORTSPRING, [](CDialog* dlg) {
        EXPECT_FALSE(dlg->GetDlgItem(IDC_SPRING_KFX)->IsWindowEnabled());
        EXPECT_EQ(ItemText(dlg, IDC_SPRING_KFX), CString("0"));
    });
    ScriptedUser::Check(IDC_SPRING_FX, BST_UNCHECKED, IDD_SUPPORTSPRING);
    ScriptedUser::PressOK(IDD_SUPPORTSPRING);
    ASSERT_EQ(spring.DoModal(), IDOK);
    EXPECT_EQ(spring.m_nRelease[0], 0);
    EXPECT_EQ(spring.m_fStiff[0], 1e9f) << "not the 5 typed before";
}

TEST_F(Defs, SpringsTakeTheirRowsAndDefaultSupportsRefuseEditAndDelete)
{
    auto* k1 = new CSupportSpring;
    auto* k2 = new CSupportSpring;
    s.m_pSupportList->Add(k1);
    s.m_pSupportList->Add(k2);
    CPNode* pinnedNode = Node(0);
    pinnedNode->SetSupport(s.m_pSupportList->Get(2));
    CPNodeList nodes;
    nodes.AddTail(pinnedNode);

    In(IDD_NODESUPPORT, [](CDialog* dlg) {
        EXPECT_EQ(SelectedRow(dlg), 2) << "the pinned support's row";
        EXPECT_EQ(RowText(dlg, 8, 0), CString("弹簧约束2"));
        EXPECT_EQ(RowText(dlg, 3, 0), CString("绕X铰接绕Y固接"));
        EXPECT_EQ(RowText(dlg, 0, 0), CString("取消结点约束"));
        EXPECT_FALSE(dlg->GetDlgItem(IDC_DEFS_EDIT)->IsWindowEnabled()) << "a default support's row";
    });
    ScriptedUser::SelectRow(IDC_DEFS_LIST, 8, IDD_NODESUPPORT);
    In(IDD_NODESUPPORT, [](CDialog* dlg) { EXPECT_TRUE(dlg->GetDlgItem(IDC_DEFS_EDIT)->IsWindowEnabled()); });
    // Default supports: the buttons go grey on their rows; the library refuses them anyway.
    ScriptedUser::SelectRow(IDC_DEFS_LIST, 1, IDD_NODESUPPORT);
    In(IDD_NODESUPPORT, [](CDialog* dlg) {
        EXPECT_FALSE(dlg->GetDlgItem(IDC_DEFS_EDIT)->IsWindowEnabled());
        EXPECT_FALSE(dlg->GetDlgItem(IDC_DEFS_DELETE)->IsWindowEnabled());
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DEFS_EDIT, BN_CLICKED), 0);
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DEFS_DELETE, BN_CLICKED), 0);
    });
    ScriptedUser::AnswerMessageBox(IDOK, "该支座为缺省支座，无编辑功能!");
    ScriptedUser::AnswerMessageBox(IDOK, "该支座为缺省支座，不得删除!");
    // An unused spring goes without a question; row 0 ends selected.
    ScriptedUser::SelectRow(IDC_DEFS_LIST, 7, IDD_NODESUPPORT);
    ScriptedUser::Click(IDC_DEFS_DELETE, IDD_NODESUPPORT);
    In(IDD_NODESUPPORT, [](CDialog* dlg) {
        EXPECT_EQ(SelectedRow(dlg), 0);
        EXPECT_EQ(RowText(dlg, 7, 0), CString("弹簧约束1"));
    });
    ScriptedUser::SelectRow(IDC_DEFS_LIST, 7, IDD_NODESUPPORT);
    ScriptedUser::PressOK(IDD_NODESUPPORT);
    CSupportBase* chosen = pinnedNode->GetSupport();
    ASSERT_EQ(RunSupports(data, &nodes, chosen), IDOK);
    EXPECT_EQ(chosen, k2);
    EXPECT_EQ(k2->m_nSpringNo, 1);
    EXPECT_EQ(s.m_pSupportList->GetCount(), 7);
}

TEST_F(Defs, TheTwoDimensionalSpringKeepsTheOtherDirectionsOfANewSpring)
{
    EditionGuard plane(2);
    CGlobalData planeData;
    planeData.UnitLength() = 100.0f;
    planeData.UnitForce() = 10.0f;
    ScriptedUser::Click(IDC_DEFS_ADD, IDD_NODESUPPORT);
    ScriptedUser::Check(IDC_SPRING_FX, BST_CHECKED, IDD_SUPPORTSPRING2D);
    ScriptedUser::SetText(IDC_SPRING_KFZ, "2", IDD_SUPPORTSPRING2D);
    ScriptedUser::SetText(IDC_SPRING_KMY, "3000", IDD_SUPPORTSPRING2D);
    ScriptedUser::PressOK(IDD_SUPPORTSPRING2D);
    ScriptedUser::SelectRow(IDC_DEFS_LIST, 3, IDD_NODESUPPORT);
    ScriptedUser::PressOK(IDD_NODESUPPORT);
    CSupportBase* chosen = nullptr;
    ASSERT_EQ(RunSupports(planeData, nullptr, chosen), IDOK);
    ASSERT_EQ(planeData.Struct()->m_pSupportList->GetCount(), 3);
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->GetType(), 3);
    EXPECT_EQ(chosen->m_nRelease[0], 1);
    EXPECT_EQ(chosen->m_fStiff[0], 0.0f);
    EXPECT_FLOAT_EQ(chosen->m_fStiff[2], 20.0f);   // 2 × 100 / 10
    EXPECT_FLOAT_EQ(chosen->m_fStiff[4], 3.0f);    // 3000 / 10 / 100
    for (int i : {1, 3, 5}) {
        EXPECT_EQ(chosen->m_nRelease[i], 0) << i;
        EXPECT_EQ(chosen->m_fStiff[i], 1e9f) << i;
    }
}

TEST_F(Defs, TheSupportListDrawsTheIconOfEachKindLeftOfItsName)
{
    s.m_pSupportList->Add(new CSupportSpring);
    std::shared_ptr<vyr::Image> shot;
    In(IDD_NODESUPPORT, [&](CDialog* dlg) { shot = vyr::RenderWindow(dlg->GetDlgItem(IDC_DEFS_LIST)->GetSafeHwnd()); });
    ScriptedUser::PressCancel(IDD_NODESUPPORT);
    CSupportBase* chosen = nullptr;
    RunSupports(data, nullptr, chosen);
    ASSERT_NE(shot, nullptr);
    // Row r's icon: 16 x 16 at the left of the row, below the 20-pixel header, rows 17 high.
    auto iconHas = [&](int row, COLORREF colour) {
        for (int y = 20 + row * 17; y < 20 + row * 17 + 17; ++y)
            for (int x = 0; x < 18; ++x)
                if (shot->GetPixel(x, y) == colour)
                    return true;
        return false;
    };
    EXPECT_TRUE(iconHas(0, RGB(208, 32, 32))) << "the red cross of no support";
    EXPECT_TRUE(iconHas(7, RGB(230, 200, 60))) << "the spring's box";
    EXPECT_FALSE(iconHas(1, RGB(230, 200, 60)));

    // As a picture a person looks at: the PNG holds these very pixels.
    const std::string png = ::testing::TempDir() + "defs-support-list.png";
    ASSERT_TRUE(vyr::WritePng(png, *shot));
    vyr::Image back;
    ASSERT_TRUE(vyr::ReadPng(png, back));
    EXPECT_TRUE(back == *shot);
    std::remove(png.c_str());
}

} // namespace
