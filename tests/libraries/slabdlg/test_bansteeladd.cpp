// The composite slab type dialog over the tests' sheet database, under a scripted user.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "libraries/slablib/SlabTest.h"
#include <vyr/libraries/DlgBanSteelAdd.h>
#include <vyr/model/material/material.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/BanDlgRes.h>
#include <vyr/scripteduser.h>
#include <vyr/winfile.h>

using vyr::ScriptedUser;

namespace {

// Whether the dialog holds its database open.
class ProbeDlg : public CDlgBanSteelAdd
{
public:
    bool SheetsOpen() const { return m_sheets.IsOpen(); }
};

struct CompositeDialog : slabtest::SlabTest
{
    CMaterialBase* q235 = nullptr;
    CMaterialBase* q345 = nullptr;

    void SetUp() override
    {
        SlabTest::SetUp();
        d.UnitLength() = 0.001f;
        q235 = Steel("Q235B");
        q345 = Steel("Q345B");
    }
    CMaterialBase* Steel(const char* name)
    {
        auto* m = new CMaterialBase;
        m->SetName(name);
        st->m_pMaterialSteelList->AddMaterial(m);
        return m;
    }
    CBanSteel* Composite(int type, float hc, const char* sheet)
    {
        auto* b = new CBanSteel;
        b->SetType(type);
        b->m_fThick = hc;
        b->m_strSheet = sheet;
        st->m_pBanSteelList->Add(b);
        return b;
    }
    static std::vector<std::string> Rows(CDialog* dlg, int id, int columns)
    {
        auto* list = static_cast<CListCtrl*>(dlg->GetDlgItem(id));
        std::vector<std::string> rows;
        for (int i = 0; i < list->GetItemCount(); ++i) {
            std::string row;
            for (int c = 0; c < columns; ++c)
                row += (c ? "|" : "") + list->GetItemText(i, c).str();
            rows.push_back(row);
        }
        return rows;
    }
    static int Selected(CDialog* dlg, int id)
    {
        return static_cast<CListCtrl*>(dlg->GetDlgItem(id))->GetNextItem(-1, LVNI_SELECTED);
    }
};

TEST_F(CompositeDialog, AddsSheetsWithTheirRecordsTruncatedWhereIntegral)
{
    std::vector<std::string> sheets, table;
    CString caption, details;
    ScriptedUser::Run([&](CDialog* w) {
        sheets = Rows(w, IDC_BAN_SHEETS, 4);
        w->GetWindowText(caption);
    }, IDD_BANSTEELADD);
    ScriptedUser::SelectRow(IDC_BAN_SHEETS, 3);
    ScriptedUser::Run([&](CDialog* w) { w->GetDlgItemText(IDC_BAN_DETAILS, details); });
    ScriptedUser::SelectRow(IDC_BAN_MATERIAL, 1);
    ScriptedUser::Click(IDC_BAN_ADD);
    // The same sheet again makes a second type.
    ScriptedUser::Click(IDC_BAN_ADD);
    ScriptedUser::SelectRow(IDC_BAN_TENSION, 2);
    ScriptedUser::SelectRow(IDC_BAN_MATERIAL, 0);
    ScriptedUser::SetText(IDC_BAN_DEPTH, "120");
    ScriptedUser::SelectRow(IDC_BAN_SHEETS, 4);
    ScriptedUser::Click(IDC_BAN_ADD);
    ScriptedUser::Run([&](CDialog* w) { table = Rows(w, IDC_BAN_TYPES, 4); });
    ScriptedUser::PressOK();
    ProbeDlg dlg;
    dlg.m_pData = &d;
    ASSERT_EQ(dlg.DoModal(1, nullptr), IDOK);
    EXPECT_FALSE(dlg.SheetsOpen());

    EXPECT_EQ(caption, CString("组合楼板添加"));
    EXPECT_EQ(sheets, (std::vector<std::string>{"AB38-150-750|0.80|38.00|150.00", "YX51-250-750|0.75|51.00|250.00",
                                               "YX51-250-750|1.20|51.00|250.00", "YX75-200-600|1.00|75.90|150.00",
                                               "YX75-200-600|1.00|75.90|200.00"}));
    EXPECT_EQ(details, CString("型号=YX75-200-600 t(mm)=1.00 H(mm)=75.90 S(mm)=150.00 Be(mm)=600.00 B(mm)=600.00 "
                               "Ief(cm^4/m)=98.40 Wef(cm^3/m)=25.20 b1(mm)=105.00 b2(mm)=35.00 "));
    // H 75.9 is kept as 75, so the table shows 75 + Hc.
    EXPECT_EQ(table, (std::vector<std::string>{"YX75-200-600|125.0|组合|Q345B", "YX75-200-600|125.0|组合|Q345B",
                                              "YX75-200-600|195.0|配筋|Q235B"}));
    ASSERT_EQ(st->m_pBanSteelList->GetCount(), 3);
    auto* a = dynamic_cast<CBanSteel*>(st->m_pBanSteelList->Get(1));
    auto* b = dynamic_cast<CBanSteel*>(st->m_pBanSteelList->Get(2));
    auto* c = dynamic_cast<CBanSteel*>(st->m_pBanSteelList->Get(3));
    ASSERT_TRUE(a && b && c);
    EXPECT_NE(a, b);
    EXPECT_EQ(a->GetType(), -1);
    EXPECT_FLOAT_EQ(a->m_fThick, 50.0f);
    EXPECT_EQ(a->m_pSheetMaterial, q345);
    EXPECT_EQ(a->m_strSheet, CString("YX75-200-600"));
    EXPECT_EQ(a->m_nDBPos, 3);
    EXPECT_FLOAT_EQ(a->m_fSheetT, 1.0f);
    EXPECT_EQ(a->m_nRibH, 75);
    EXPECT_FLOAT_EQ(a->m_fS, 150.0f);
    EXPECT_EQ(a->m_nBe, 600);
    EXPECT_EQ(a->m_nB, 600);
    EXPECT_FLOAT_EQ(a->m_fIef, 98.4f);
    EXPECT_FLOAT_EQ(a->m_fWef, 25.2f);
    EXPECT_EQ(a->m_nb1, 105);
    EXPECT_EQ(a->m_nb2, 35);
    EXPECT_FLOAT_EQ(a->GetH(), 12.5f);
    EXPECT_EQ(b->m_nDBPos, 3);
    // Tension by bars; the null b2 of its record gives 0.
    EXPECT_EQ(c->GetType(), 2);
    EXPECT_EQ(c->m_pSheetMaterial, q235);
    EXPECT_FLOAT_EQ(c->m_fThick, 120.0f);
    EXPECT_EQ(c->m_nDBPos, 4);
    EXPECT_FLOAT_EQ(c->m_fS, 200.0f);
    EXPECT_EQ(c->m_nb2, 0);
}

TEST_F(CompositeDialog, RefusalsLeaveTheLibraryAsItWas)
{
    ScriptedUser::Click(IDC_BAN_ADD, IDD_BANSTEELADD);
    ScriptedUser::AnswerMessageBox(IDOK, "请先选择压型钢板！");
    ScriptedUser::Click(IDC_BAN_EDITDIAGRAM);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择要定义的楼板！");
    ScriptedUser::SelectRow(IDC_BAN_SHEETS, 0);
    for (const char* bad : {"40", "301", "abc"}) {
        ScriptedUser::SetText(IDC_BAN_DEPTH, bad);
        ScriptedUser::Click(IDC_BAN_ADD);
        ScriptedUser::AnswerMessageBox(IDOK);
    }
    // A refused OK keeps the dialog and its database open.
    bool openAfterRefusal = false;
    ScriptedUser::PressOK();
    ScriptedUser::AnswerMessageBox(IDOK);
    ScriptedUser::Run([&](CDialog* w) { openAfterRefusal = static_cast<ProbeDlg*>(w)->SheetsOpen(); });
    ScriptedUser::PressCancel();
    ProbeDlg dlg;
    dlg.m_pData = &d;
    EXPECT_EQ(dlg.DoModal(1, nullptr), IDCANCEL);
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_FALSE(dlg.SheetsOpen());
    EXPECT_EQ(st->m_pBanSteelList->GetCount(), 0);
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 6u);
}

TEST_F(CompositeDialog, EditingReplacesTheSheetAndKeepsTheTensionMode)
{
    CBanSteel* slab = Composite(1, 80.0f, "YX51-250-750");
    slab->m_pSheetMaterial = q235;
    slab->m_nDBPos = 2;
    CString caption, add, depth, details;
    bool tensionEnabled = true, deleteEnabled = true;
    int tension = -1, material = -1, sheetRow = -1;
    std::vector<std::string> table;
    ScriptedUser::Run([&](CDialog* w) {
        w->GetWindowText(caption);
        w->GetDlgItemText(IDC_BAN_ADD, add);
        w->GetDlgItemText(IDC_BAN_DEPTH, depth);
        w->GetDlgItemText(IDC_BAN_DETAILS, details);
        tensionEnabled = w->GetDlgItem(IDC_BAN_TENSION)->IsWindowEnabled();
        deleteEnabled = w->GetDlgItem(IDC_BAN_DELETE)->IsWindowEnabled();
        tension = static_cast<CComboBox*>(w->GetDlgItem(IDC_BAN_TENSION))->GetCurSel();
        material = static_cast<CComboBox*>(w->GetDlgItem(IDC_BAN_MATERIAL))->GetCurSel();
        sheetRow = Selected(w, IDC_BAN_SHEETS);
    }, IDD_BANSTEELADD);
    ScriptedUser::SelectRow(IDC_BAN_SHEETS, 0);
    ScriptedUser::SelectRow(IDC_BAN_MATERIAL, 1);
    ScriptedUser::SetText(IDC_BAN_DEPTH, "100");
    ScriptedUser::Click(IDC_BAN_ADD);
    ScriptedUser::Run([&](CDialog* w) { table = Rows(w, IDC_BAN_TYPES, 4); });
    ScriptedUser::PressOK();
    CDlgBanSteelAdd dlg;
    dlg.m_pData = &d;
    ASSERT_EQ(dlg.DoModal(2, slab), IDOK);
    EXPECT_EQ(caption, CString("组合楼板编辑"));
    EXPECT_EQ(add, CString("替 换"));
    EXPECT_EQ(depth, CString("80"));
    EXPECT_FALSE(tensionEnabled);
    EXPECT_FALSE(deleteEnabled);
    EXPECT_EQ(tension, 1);
    EXPECT_EQ(material, 0);
    EXPECT_EQ(sheetRow, 2);
    EXPECT_EQ(details.Find("型号=YX51-250-750 t(mm)=1.20 "), 0);
    EXPECT_EQ(table, (std::vector<std::string>{"AB38-150-750|138.0|钢板|Q345B"}));
    ASSERT_EQ(st->m_pBanSteelList->GetCount(), 1);
    EXPECT_EQ(st->m_pBanSteelList->Get(1), slab);
    EXPECT_EQ(slab->GetType(), 1);
    EXPECT_FLOAT_EQ(slab->m_fThick, 100.0f);
    EXPECT_EQ(slab->m_pSheetMaterial, q345);
    EXPECT_EQ(slab->m_nDBPos, 0);
    EXPECT_EQ(slab->m_nRibH, 38);
}

TEST_F(CompositeDialog, AUsedTypeIsNotDeleted)
{
    CBanSteel* used = Composite(-1, 50.0f, "YX51-250-750");
    CBanSteel* unused = Composite(2, 60.0f, "AB38-150-750");
    CBanSteel* last = Composite(1, 70.0f, "YX75-200-600");
    LayInRoom5OfStorey2(used);
    std::vector<std::string> table;
    ScriptedUser::SelectRow(IDC_BAN_TYPES, 0, IDD_BANSTEELADD);
    ScriptedUser::Click(IDC_BAN_DELETE);
    ScriptedUser::AnswerMessageBox(IDOK, "选中的楼板正被 2层  5号房间使用，不得删除!");
    ScriptedUser::SelectRow(IDC_BAN_TYPES, 1);
    ScriptedUser::Click(IDC_BAN_DELETE);
    ScriptedUser::Run([&](CDialog* w) { table = Rows(w, IDC_BAN_TYPES, 3); });
    ScriptedUser::PressCancel();
    CDlgBanSteelAdd dlg;
    dlg.m_pData = &d;
    dlg.DoModal(1, nullptr);
    EXPECT_EQ(table, (std::vector<std::string>{"YX51-250-750| 50.0|组合", "YX75-200-600| 70.0|钢板"}));
    ASSERT_EQ(st->m_pBanSteelList->GetCount(), 2);
    EXPECT_EQ(st->m_pBanSteelList->Get(1), used);
    EXPECT_EQ(st->m_pBanSteelList->Get(2), last);
    EXPECT_EQ(last->m_nNo, 2);
    (void)unused;
}

TEST_F(CompositeDialog, TheTableLeavesOutOtherCodesAndDeletesTheTypeItShows)
{
    // A two-way design type kept in the composite library is not a composite row.
    CBanSteel* twoWay = Composite(100, 60.0f, "YX51-250-750");
    Composite(-1, 50.0f, "AB38-150-750");
    std::vector<std::string> before, after;
    ScriptedUser::Run([&](CDialog* w) { before = Rows(w, IDC_BAN_TYPES, 1); }, IDD_BANSTEELADD);
    ScriptedUser::SelectRow(IDC_BAN_TYPES, 0);
    ScriptedUser::Click(IDC_BAN_DELETE);
    ScriptedUser::Run([&](CDialog* w) { after = Rows(w, IDC_BAN_TYPES, 1); });
    ScriptedUser::PressCancel();
    CDlgBanSteelAdd dlg;
    dlg.m_pData = &d;
    dlg.DoModal(1, nullptr);
    EXPECT_EQ(before, (std::vector<std::string>{"AB38-150-750"}));
    EXPECT_TRUE(after.empty());
    ASSERT_EQ(st->m_pBanSteelList->GetCount(), 1);
    EXPECT_EQ(st->m_pBanSteelList->Get(1), twoWay);
}

TEST_F(CompositeDialog, TheDiagramEditsTheSelectedTypeOnlyOnOk)
{
    Composite(-1, 50.0f, "YX51-250-750");
    CBanSteel* second = Composite(-1, 60.0f, "AB38-150-750");
    second->m_SpanArray.Add(3000.0);
    second->m_SpanArray.Add(3000.0);
    for (UINT ending : {IDCANCEL, IDOK}) {
        ScriptedUser::SelectRow(IDC_BAN_TYPES, 1, IDD_BANSTEELADD);
        ScriptedUser::Click(IDC_BAN_EDITDIAGRAM);
        ScriptedUser::SelectRow(IDC_BAN_SPANS, 0, IDD_BANDIAGRAM);
        ScriptedUser::EndLabelEdit(IDC_BAN_SPANS, "4.5", IDD_BANDIAGRAM);
        if (ending == IDOK)
            ScriptedUser::PressOK(IDD_BANDIAGRAM);
        else
            ScriptedUser::PressCancel(IDD_BANDIAGRAM);
        ScriptedUser::PressCancel(IDD_BANSTEELADD);
        CDlgBanSteelAdd dlg;
        dlg.m_pData = &d;
        dlg.DoModal(1, nullptr);
        ASSERT_EQ(second->m_SpanArray.GetSize(), 2);
        EXPECT_NEAR(second->m_SpanArray[0], ending == IDOK ? 4500.0 : 3000.0, 1e-3);
        EXPECT_EQ(second->m_SpanArray[1], 3000.0);
    }
    EXPECT_EQ(st->m_pBanSteelList->Get(1)->m_SpanArray.GetSize(), 0);
}

TEST_F(CompositeDialog, AMissingDatabaseEndsTheDialogAsCancelled)
{
    const std::filesystem::path empty = std::filesystem::temp_directory_path() / "vyr-no-sheets-dlg";
    std::filesystem::create_directories(empty);
    VyrSetAppFolder(empty.string().c_str());
    ScriptedUser::AnswerMessageBox(IDOK, "找不到文件");
    CDlgBanSteelAdd dlg;
    dlg.m_pData = &d;
    EXPECT_EQ(dlg.DoModal(1, nullptr), IDCANCEL);
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 1u);
    EXPECT_EQ(st->m_pBanSteelList->GetCount(), 0);
}

} // namespace
