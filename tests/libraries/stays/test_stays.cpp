// The batten and lacing library: records in centimetres from millimetre input, the plate
// length the combined section leaves, the radio mappings, who owns a lacing angle, and
// what cannot be edited, deleted or chosen.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "support/DialogTest.h"
#include <vyr/libraries/DlgStay.h>
#include <vyr/model/material/material.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/MaterialRes.h>
#include <vyr/resources/dialogs/StayRes.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;

namespace {

int g_anglesDeleted = 0;

// An angle whose destruction the tests can count.
class CCountedAngle : public CSRolledEAngle
{
public:
    explicit CCountedAngle(const char* name) : CSRolledEAngle(101, 50, 5, 5.5f, 3, 14.2f) { m_strKind = name; }
    ~CCountedAngle() override { ++g_anglesDeleted; }
};

struct Stays : vyrtest::DialogTest
{
    CGlobalData data;
    CStruct& s = *data.Struct();
    CSCombineBOX combined;
    CMaterialBase* q235 = nullptr;

    void SetUp() override
    {
        DialogTest::SetUp();
        g_anglesDeleted = 0;
        q235 = new CMaterialBase;
        q235->SetType(1);
        q235->SetName("Q235");
        q235->SetText1("Q235B");
        s.m_pMaterialSteelList->AddMaterial(q235);
    }
    void TearDown() override
    {
        while (s.m_pStayList->GetCount() > 0) {
            CStay* stay = s.m_pStayList->Get(1);
            s.m_pStayList->DeleteStay(stay);
            delete stay;
        }
        DialogTest::TearDown();
    }

    CStay* AddPlateRecord(float width, float thick, float space, int bolted)
    {
        auto* stay = new CStay;
        stay->m_nKind = 0;
        stay->m_fWidth = width;
        stay->m_fThick = thick;
        stay->m_fSpace = space;
        stay->m_nBolted = bolted;
        stay->m_pMaterial = q235;
        s.m_pStayList->Add(stay);
        return stay;
    }
    CStay* AddBarRecord(CSectionBase* angle, int leg, int diagonals, int horizontal, float space)
    {
        auto* stay = new CStay;
        stay->m_nKind = 1;
        stay->m_nLegLink = leg;
        stay->m_nDiagonal = diagonals;
        stay->m_nHorizontal = horizontal;
        stay->m_fSpace = space;
        stay->SetAngleSec(angle);
        stay->m_strName = angle->m_strKind;
        s.m_pStayList->Add(stay);
        return stay;
    }
    INT_PTR RunLibrary(CStay** chosen = nullptr)
    {
        CDlgStaybase dlg(&combined);
        dlg.m_pData = &data;
        const INT_PTR r = dlg.DoModal();
        if (chosen != nullptr) *chosen = dlg.m_pStay;
        return r;
    }
};

CString Text(CDialog* d, int id)
{
    CString t;
    d->GetDlgItemText(id, t);
    return t;
}

bool Checked(CDialog* d, int id) { return d->IsDlgButtonChecked(id) == BST_CHECKED; }

CListCtrl* List(CDialog* d) { return static_cast<CListCtrl*>(d->GetDlgItem(IDC_STAY_LIST)); }

} // namespace

TEST_F(Stays, NewBattenPlateWithTheDefaultsInCentimetres)
{
    combined.SetType(617);
    combined.m_fB = 400;
    auto* limb1 = new CSectionBase;
    limb1->m_fXc = 50;
    auto* limb2 = new CSectionBase;
    limb2->m_fXc = 60;
    combined.SetSec1(limb1);
    combined.SetSec2(limb2);

    ScriptedUser::Run(
        [](CDialog* d) {
            CString caption;
            d->GetWindowText(caption);
            EXPECT_EQ(caption, CString("缀板、缀条库"));
            EXPECT_EQ(List(d)->GetItemCount(), 1);
            EXPECT_EQ(List(d)->GetItemText(0, 2), CString("取消缀板缀条"));
            EXPECT_EQ(List(d)->GetNextItem(-1, LVNI_SELECTED), 0);
        },
        IDD_STAYBASE);
    ScriptedUser::Click(IDC_STAY_ADDPLATE, IDD_STAYBASE);
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(Text(d, IDC_STAYPLATE_LENGTH), CString("290")) << "400 - 50 - 60";
            EXPECT_FALSE(d->GetDlgItem(IDC_STAYPLATE_LENGTH)->IsWindowEnabled());
            EXPECT_EQ(Text(d, IDC_STAYPLATE_WIDTH), CString("200"));
            EXPECT_EQ(Text(d, IDC_STAYPLATE_THICK), CString("6"));
            EXPECT_EQ(Text(d, IDC_STAYPLATE_SPACE), CString("400"));
            EXPECT_TRUE(Checked(d, IDC_STAYPLATE_WELDED));
            EXPECT_FALSE(Checked(d, IDC_STAYPLATE_BOLTED));
            EXPECT_EQ(Text(d, IDC_STAYPLATE_MATERIAL), CString("无材料"));
        },
        IDD_STAYPLATE);
    ScriptedUser::PressOK(IDD_STAYPLATE);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择材料!");
    ScriptedUser::Click(IDC_STAYPLATE_CHOOSEMAT, IDD_STAYPLATE);
    ScriptedUser::Run(
        [](CDialog* d) {
            auto* tab = static_cast<CTabCtrl*>(d->GetDlgItem(IDC_MATLIB_TAB));
            EXPECT_EQ(tab->GetItemCount(), 1) << "steel only";
        },
        IDD_MATERIALLIB);
    ScriptedUser::SelectRow(IDC_MATLIB_LIST, 0, IDD_MATERIALLIB);
    ScriptedUser::PressOK(IDD_MATERIALLIB);
    ScriptedUser::Run([](CDialog* d) { EXPECT_EQ(Text(d, IDC_STAYPLATE_MATERIAL), CString("Q235B")); },
                      IDD_STAYPLATE);
    ScriptedUser::PressOK(IDD_STAYPLATE);
    ScriptedUser::Run(
        [](CDialog* d) {
            ASSERT_EQ(List(d)->GetItemCount(), 2);
            EXPECT_EQ(List(d)->GetItemText(1, 0), CString("S1"));
            EXPECT_EQ(List(d)->GetItemText(1, 1), CString("缀板"));
        },
        IDD_STAYBASE);
    ScriptedUser::PressCancel(IDD_STAYBASE);
    RunLibrary();

    ASSERT_EQ(s.m_pStayList->GetCount(), 1);
    const CStay* plate = s.m_pStayList->Get(1);
    EXPECT_EQ(plate->m_nKind, 0);
    EXPECT_FLOAT_EQ(plate->m_fWidth, 20.0f);
    EXPECT_FLOAT_EQ(plate->m_fThick, 0.6f);
    EXPECT_FLOAT_EQ(plate->m_fSpace, 40.0f);
    EXPECT_EQ(plate->m_nBolted, 0) << "welded";
    EXPECT_EQ(plate->m_pMaterial, q235);
}

TEST_F(Stays, PlateLengthProposals)
{
    // Limb 1: B 100, Xc 30; limb 2: Xc 60, Yc 45; the combined section 400 wide.
    struct Case
    {
        int type;
        bool proposed;
        float length;
    };
    const Case cases[] = {
        {608, false, 0},   {609, true, 300}, {610, true, 340}, {611, true, 290}, {612, true, 340},
        {613, true, 340},  {614, true, 290}, {615, true, 350}, {616, true, 290}, {617, true, 310},
        {618, true, 325},  {619, true, 310}, {620, false, 0},  {701, false, 0},
    };
    CSCombineBOX sec;
    sec.m_fB = 400;
    auto* limb1 = new CSectionBase;
    limb1->m_fB = 100;
    limb1->m_fXc = 30;
    auto* limb2 = new CSectionBase;
    limb2->m_fXc = 60;
    limb2->m_fYc = 45;
    sec.SetSec1(limb1);
    sec.SetSec2(limb2);
    for (const Case& c : cases) {
        sec.SetType(c.type);
        float length = -1.0f;
        EXPECT_EQ(CDlgStayPlate::ProposeLength(&sec, length), c.proposed) << c.type;
        if (c.proposed) {
            EXPECT_FLOAT_EQ(length, c.length) << c.type;
        }
    }
    CSCombineBOX lone;
    lone.SetType(617);
    float length = 0;
    EXPECT_FALSE(CDlgStayPlate::ProposeLength(&lone, length)) << "no limbs, no proposal";
}

TEST_F(Stays, PlateRefusesImpossibleInputAndKeepsTheLibrary)
{
    struct Case
    {
        int ctrl;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {IDC_STAYPLATE_WIDTH, "0", "输入数据不合理!"},
        {IDC_STAYPLATE_THICK, "-1", "输入数据不合理!"},
        {IDC_STAYPLATE_SPACE, "0", "输入数据不合理!"},
        {IDC_STAYPLATE_WIDTH, "abc", "请输入一个数字。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ScriptedUser::Reset();
        ScriptedUser::Click(IDC_STAY_ADDPLATE, IDD_STAYBASE);
        ScriptedUser::SetText(c.ctrl, c.text, IDD_STAYPLATE);
        ScriptedUser::PressOK(IDD_STAYPLATE);
        ScriptedUser::AnswerMessageBox(IDOK, c.message);
        ScriptedUser::Run([](CDialog* d) { EXPECT_TRUE(d->IsModalRunning()); }, IDD_STAYPLATE);
        ScriptedUser::PressCancel(IDD_STAYPLATE);
        ScriptedUser::PressCancel(IDD_STAYBASE);
        RunLibrary();
        EXPECT_EQ(s.m_pStayList->GetCount(), 0);
    }
}

TEST_F(Stays, EditingAPlateShowsMillimetresAndWritesCentimetres)
{
    CStay* plate = AddPlateRecord(25.0f, 1.2f, 50.0f, 1);
    ScriptedUser::SelectRow(IDC_STAY_LIST, 1, IDD_STAYBASE);
    ScriptedUser::Click(IDC_STAY_EDIT, IDD_STAYBASE);
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(Text(d, IDC_STAYPLATE_WIDTH), CString("250"));
            EXPECT_EQ(Text(d, IDC_STAYPLATE_THICK), CString("12"));
            EXPECT_EQ(Text(d, IDC_STAYPLATE_SPACE), CString("500"));
            EXPECT_TRUE(Checked(d, IDC_STAYPLATE_BOLTED));
            EXPECT_EQ(Text(d, IDC_STAYPLATE_MATERIAL), CString("Q235B"));
            EXPECT_EQ(Text(d, IDC_STAYPLATE_LENGTH), CString("0")) << "a box section gets no proposal";
        },
        IDD_STAYPLATE);
    ScriptedUser::SetText(IDC_STAYPLATE_WIDTH, "300", IDD_STAYPLATE);
    ScriptedUser::Click(IDC_STAYPLATE_WELDED, IDD_STAYPLATE);
    ScriptedUser::PressOK(IDD_STAYPLATE);
    ScriptedUser::Run([](CDialog* d) { EXPECT_EQ(List(d)->GetNextItem(-1, LVNI_SELECTED), 1); }, IDD_STAYBASE);
    ScriptedUser::PressCancel(IDD_STAYBASE);
    RunLibrary();
    EXPECT_FLOAT_EQ(plate->m_fWidth, 30.0f);
    EXPECT_FLOAT_EQ(plate->m_fThick, 1.2f);
    EXPECT_FLOAT_EQ(plate->m_fSpace, 50.0f);
    EXPECT_EQ(plate->m_nBolted, 0);
}

TEST_F(Stays, LacingRadiosMapBothWays)
{
    // Record values (leg 2 long / 1 short, diagonals 1 / 2, horizontal 1 with / 0 without)
    // and the radio buttons that stand for them.
    struct Case
    {
        int leg, diagonals, horizontal;
        int legRadio, diagonalRadio, horizontalRadio;
    };
    const Case cases[] = {
        {2, 1, 1, IDC_STAYBAR_LONGLEG, IDC_STAYBAR_ONEDIAG, IDC_STAYBAR_HORIZONTAL},
        {1, 2, 0, IDC_STAYBAR_SHORTLEG, IDC_STAYBAR_TWODIAG, IDC_STAYBAR_NOHORIZONTAL},
        {2, 2, 0, IDC_STAYBAR_LONGLEG, IDC_STAYBAR_TWODIAG, IDC_STAYBAR_NOHORIZONTAL},
        {1, 1, 1, IDC_STAYBAR_SHORTLEG, IDC_STAYBAR_ONEDIAG, IDC_STAYBAR_HORIZONTAL},
    };
    CSectionBase* angle = new CCountedAngle("L50x5");
    angle->m_pMaterial = q235;
    CStay* bar = AddBarRecord(angle, 2, 1, 1, 30.0f);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& shown = cases[i];
        const Case& chosen = cases[(i + 1) % std::size(cases)];
        bar->m_nLegLink = shown.leg;
        bar->m_nDiagonal = shown.diagonals;
        bar->m_nHorizontal = shown.horizontal;
        ScriptedUser::Reset();
        ScriptedUser::SelectRow(IDC_STAY_LIST, 1, IDD_STAYBASE);
        ScriptedUser::Click(IDC_STAY_EDIT, IDD_STAYBASE);
        ScriptedUser::Run(
            [&](CDialog* d) {
                EXPECT_TRUE(Checked(d, shown.legRadio)) << i;
                EXPECT_TRUE(Checked(d, shown.diagonalRadio)) << i;
                EXPECT_TRUE(Checked(d, shown.horizontalRadio)) << i;
                EXPECT_EQ(Text(d, IDC_STAYBAR_SPACE), CString("300"));
                EXPECT_EQ(Text(d, IDC_STAYBAR_ANGLE), CString("L50x5"));
                EXPECT_EQ(Text(d, IDC_STAYBAR_MATERIAL), CString("Q235B"));
            },
            IDD_STAYBAR);
        ScriptedUser::Click(chosen.legRadio, IDD_STAYBAR);
        ScriptedUser::Click(chosen.diagonalRadio, IDD_STAYBAR);
        ScriptedUser::Click(chosen.horizontalRadio, IDD_STAYBAR);
        ScriptedUser::PressOK(IDD_STAYBAR);
        ScriptedUser::PressCancel(IDD_STAYBASE);
        RunLibrary();
        EXPECT_EQ(bar->m_nLegLink, chosen.leg) << i;
        EXPECT_EQ(bar->m_nDiagonal, chosen.diagonals) << i;
        EXPECT_EQ(bar->m_nHorizontal, chosen.horizontal) << i;
        EXPECT_FLOAT_EQ(bar->m_fSpace, 30.0f);
        EXPECT_EQ(bar->m_pAngle, angle) << "the record keeps its angle";
        EXPECT_EQ(bar->m_pMaterial, q235);
    }
    EXPECT_EQ(g_anglesDeleted, 0);
}

TEST_F(Stays, LacingBarRefusesNoSpacingAndNoAngle)
{
    ScriptedUser::Click(IDC_STAY_ADDBAR, IDD_STAYBASE);
    ScriptedUser::Run(
        [](CDialog* d) {
            CString caption;
            d->GetWindowText(caption);
            EXPECT_EQ(caption, CString("添加缀条"));
            EXPECT_EQ(Text(d, IDC_STAYBAR_ANGLE), CString("未选择截面"));
            EXPECT_EQ(Text(d, IDC_STAYBAR_MATERIAL), CString("无材料"));
            EXPECT_TRUE(Checked(d, IDC_STAYBAR_LONGLEG));
            EXPECT_TRUE(Checked(d, IDC_STAYBAR_ONEDIAG));
            EXPECT_TRUE(Checked(d, IDC_STAYBAR_HORIZONTAL));
        },
        IDD_STAYBAR);
    ScriptedUser::PressOK(IDD_STAYBAR);
    ScriptedUser::AnswerMessageBox(IDOK, "输入数据不合理!");
    ScriptedUser::SetText(IDC_STAYBAR_SPACE, "300", IDD_STAYBAR);
    ScriptedUser::PressOK(IDD_STAYBAR);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择角钢截面!");
    ScriptedUser::PressCancel(IDD_STAYBAR);
    ScriptedUser::PressCancel(IDD_STAYBASE);
    RunLibrary();
    EXPECT_EQ(s.m_pStayList->GetCount(), 0);
}

TEST_F(Stays, APickedAngleIsTheDialogsUntilTakenAndTheRecordsStaysTheRecords)
{
    CSectionBase* recordAngle = new CCountedAngle("L50x5");
    {
        // Two picks, then Cancel: both picks are destroyed, the record's angle is not.
        CDlgStayBar dlg(&combined, recordAngle);
        ScriptedUser::Run([&](CDialog*) { dlg.SetPickedAngle(new CCountedAngle("L63x5")); }, IDD_STAYBAR);
        ScriptedUser::Run([&](CDialog*) { EXPECT_EQ(g_anglesDeleted, 0) << "the record's angle stays"; },
                          IDD_STAYBAR);
        ScriptedUser::Run([&](CDialog* d) { dlg.SetPickedAngle(new CCountedAngle("L70x6"));
                                            EXPECT_EQ(Text(d, IDC_STAYBAR_ANGLE), CString("L70x6")); },
                          IDD_STAYBAR);
        ScriptedUser::Run([&](CDialog*) { EXPECT_EQ(g_anglesDeleted, 1) << "the replaced pick goes"; },
                          IDD_STAYBAR);
        ScriptedUser::PressCancel(IDD_STAYBAR);
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
    EXPECT_EQ(g_anglesDeleted, 2);
    EXPECT_EQ(recordAngle->m_strKind, CString("L50x5")) << "still usable";

    // A pick taken after OK belongs to the caller.
    CSectionBase* taken = nullptr;
    {
        CDlgStayBar dlg(&combined, recordAngle);
        ScriptedUser::Reset();
        ScriptedUser::Run([&](CDialog*) { dlg.SetPickedAngle(new CCountedAngle("L75x8")); }, IDD_STAYBAR);
        ScriptedUser::SetText(IDC_STAYBAR_SPACE, "250", IDD_STAYBAR);
        ScriptedUser::PressOK(IDD_STAYBAR);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        taken = dlg.TakeAngle();
    }
    EXPECT_EQ(g_anglesDeleted, 2);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->m_strKind, CString("L75x8"));
    delete taken;
    delete recordAngle;
}

TEST_F(Stays, RowZeroAndRecordsInUse)
{
    AddPlateRecord(20.0f, 0.6f, 40.0f, 0);
    CStay* second = AddPlateRecord(30.0f, 1.0f, 50.0f, 1);
    CStay* third = AddPlateRecord(35.0f, 1.0f, 50.0f, 1);
    auto* user = new CSWeldedIbeam(105, 300, 150, 10, 6);
    s.m_pSectionList->Add(user, true);
    user->m_pStay = second;

    // Row 0 cannot be edited or deleted; a record another section uses cannot be deleted.
    ScriptedUser::Click(IDC_STAY_EDIT, IDD_STAYBASE);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择要编辑的缀板/条!");
    ScriptedUser::Click(IDC_STAY_DELETE, IDD_STAYBASE);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择要删除的缀板/条!");
    ScriptedUser::SelectRow(IDC_STAY_LIST, 2, IDD_STAYBASE);
    ScriptedUser::Click(IDC_STAY_DELETE, IDD_STAYBASE);
    ScriptedUser::AnswerMessageBox(IDOK, "选定的缀板/条正在被截面使用，无法删除!");
    // The first record is free: it goes and the rest are renumbered.
    ScriptedUser::SelectRow(IDC_STAY_LIST, 1, IDD_STAYBASE);
    ScriptedUser::Click(IDC_STAY_DELETE, IDD_STAYBASE);
    ScriptedUser::Run(
        [](CDialog* d) {
            ASSERT_EQ(List(d)->GetItemCount(), 3);
            EXPECT_EQ(List(d)->GetItemText(1, 0), CString("S1"));
            EXPECT_EQ(List(d)->GetItemText(2, 0), CString("S2"));
        },
        IDD_STAYBASE);
    ScriptedUser::SelectRow(IDC_STAY_LIST, 0, IDD_STAYBASE);
    ScriptedUser::PressOK(IDD_STAYBASE);
    CStay* chosen = third;
    EXPECT_EQ(RunLibrary(&chosen), IDOK);
    EXPECT_EQ(chosen, nullptr) << "OK on row 0 clears the choice";
    EXPECT_EQ(s.m_pStayList->GetCount(), 2);
    EXPECT_EQ(s.m_pStayList->Get(1), second);

    // The section the library was opened from counts as a user too.
    combined.m_pStay = third;
    ScriptedUser::Reset();
    ScriptedUser::SelectRow(IDC_STAY_LIST, 2, IDD_STAYBASE);
    ScriptedUser::Click(IDC_STAY_DELETE, IDD_STAYBASE);
    ScriptedUser::AnswerMessageBox(IDOK, "无法删除");
    ScriptedUser::DoubleClickRow(IDC_STAY_LIST, 2, IDD_STAYBASE);
    EXPECT_EQ(RunLibrary(&chosen), IDOK);
    EXPECT_EQ(chosen, third) << "a double click chooses";
    combined.m_pStay = nullptr;

    ScriptedUser::Reset();
    ScriptedUser::Run([](CDialog* d) { List(d)->SetItemState(-1, 0, LVIS_SELECTED); }, IDD_STAYBASE);
    ScriptedUser::PressOK(IDD_STAYBASE);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择缀板/条!");
    ScriptedUser::PressCancel(IDD_STAYBASE);
    EXPECT_EQ(RunLibrary(), IDCANCEL);
}
