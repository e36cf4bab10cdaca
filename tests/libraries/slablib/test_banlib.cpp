// The project slab library under a scripted user: the two tabs, the rows addressed by
// position, the use check on delete, and the choice returned.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "libraries/slablib/SlabTest.h"
#include <vyr/libraries/DlgBanLib.h>
#include <vyr/model/material/material.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/BanDlgRes.h>
#include <vyr/resources/dialogs/BanLibRes.h>
#include <vyr/scripteduser.h>
#include <vyr/winfile.h>

using vyr::ScriptedUser;

namespace {

struct SlabLibrary : slabtest::SlabTest
{
    CBanSteel* Composite(int type, int ribH, float hc, const char* sheet)
    {
        auto* b = new CBanSteel;
        b->SetType(type);
        b->m_nRibH = ribH;
        b->m_fThick = hc;
        b->m_strSheet = sheet;
        st->m_pBanSteelList->Add(b);
        return b;
    }
    CBanConcrete* OneWay(float h)
    {
        auto* b = new CBanConcrete;
        b->m_fThick = h;
        st->m_pBanConcreteList->Add(b);
        return b;
    }

    struct Seen
    {
        int tab = -1;
        int selected = -1;
        std::vector<std::string> rows;
        std::vector<std::string> heads;
        std::vector<int> widths;
        int clientWidth = 0;
    };
    static void Look(Seen& s)
    {
        ScriptedUser::Run([&s](CDialog* w) {
            s = Seen();
            auto* tab = static_cast<CTabCtrl*>(w->GetDlgItem(IDC_BANLIB_TAB));
            auto* list = static_cast<CListCtrl*>(w->GetDlgItem(IDC_BANLIB_LIST));
            s.tab = tab->GetCurSel();
            s.selected = list->GetNextItem(-1, LVNI_SELECTED);
            CRect client;
            list->GetClientRect(&client);
            s.clientWidth = client.Width();
            int columns = 0;
            for (;; ++columns) {
                LVCOLUMN col{};
                char name[64] = {};
                col.mask = LVCF_TEXT | LVCF_WIDTH;
                col.pszText = name;
                col.cchTextMax = sizeof name;
                if (!list->GetColumn(columns, &col))
                    break;
                s.heads.push_back(name);
                s.widths.push_back(list->GetColumnWidth(columns));
            }
            for (int i = 0; i < list->GetItemCount(); ++i) {
                std::string row;
                for (int c = 0; c < columns; ++c)
                    row += (c ? "|" : "") + list->GetItemText(i, c).str();
                s.rows.push_back(row);
            }
        }, IDD_BANLIB);
    }
};

TEST_F(SlabLibrary, APreselectedOneWayTypeOpensItsTabAndIsEditedThere)
{
    Composite(-1, 75, 50.0f, "YX75-200-600");
    OneWay(120.0f);
    CBanConcrete* chosen = OneWay(150.0f);
    OneWay(200.0f);
    Seen opened, edited;
    CString caption, depth;
    Look(opened);
    ScriptedUser::Run([&](CDialog* w) { w->GetWindowText(caption); });
    ScriptedUser::Click(IDC_BANLIB_EDIT);
    ScriptedUser::Run([&](CDialog* w) { w->GetDlgItemText(IDC_BAN_DEPTH, depth); }, IDD_BANCONCRETEADD);
    ScriptedUser::SetText(IDC_BAN_DEPTH, "160", IDD_BANCONCRETEADD);
    ScriptedUser::PressOK(IDD_BANCONCRETEADD);
    Look(edited);
    ScriptedUser::SelectRow(IDC_BANLIB_LIST, 1, IDD_BANLIB);
    ScriptedUser::PressOK(IDD_BANLIB);
    CDlgBanLib dlg;
    dlg.m_pData = &d;
    dlg.m_pBan = chosen;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(caption, CString("工程楼板库"));
    EXPECT_EQ(opened.tab, 1);
    EXPECT_EQ(opened.selected, 1);
    EXPECT_EQ(opened.heads, (std::vector<std::string>{"编号", "厚度"}));
    EXPECT_EQ(opened.widths, (std::vector<int>{50, opened.clientWidth - 50}));
    EXPECT_EQ(opened.rows, (std::vector<std::string>{"CP1|120.000", "CP2|150.000", "CP3|200.000"}));
    EXPECT_EQ(depth, CString("150"));
    EXPECT_EQ(edited.rows, (std::vector<std::string>{"CP1|120.000", "CP2|160.000", "CP3|200.000"}));
    EXPECT_EQ(dlg.m_pBan, chosen);
    EXPECT_FLOAT_EQ(chosen->m_fThick, 160.0f);
    EXPECT_EQ(st->m_pBanSteelList->GetCount(), 1);
    EXPECT_EQ(st->m_pBanConcreteList->GetCount(), 3);
}

TEST_F(SlabLibrary, CompositeColumnsAndTabSwitches)
{
    Composite(-1, 75, 50.0f, "YX75-200-600");
    Composite(1, 51, 62.5f, "YX51-250-750");
    Composite(2, 38, 100.0f, "AB38-150-750");
    OneWay(120.0f);
    Seen composite, oneWay, back;
    Look(composite);
    ScriptedUser::SelectRow(IDC_BANLIB_TAB, 1);
    Look(oneWay);
    ScriptedUser::SelectRow(IDC_BANLIB_TAB, 0);
    Look(back);
    ScriptedUser::PressCancel();
    CDlgBanLib dlg;
    dlg.m_pData = &d;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(composite.tab, 0);
    EXPECT_EQ(composite.selected, -1);
    EXPECT_EQ(composite.heads, (std::vector<std::string>{"编号", "高度", "钢板型号", "受力"}));
    EXPECT_EQ(composite.widths, (std::vector<int>{50, 70, 200, composite.clientWidth - 320}));
    EXPECT_EQ(composite.rows, (std::vector<std::string>{"SP1|125.000|YX75-200-600|组合", "SP2|113.500|YX51-250-750|钢板",
                                                        "SP3|138.000|AB38-150-750|配筋"}));
    EXPECT_EQ(oneWay.heads, (std::vector<std::string>{"编号", "厚度"}));
    EXPECT_EQ(oneWay.rows, (std::vector<std::string>{"CP1|120.000"}));
    EXPECT_EQ(back.heads, composite.heads);
    EXPECT_EQ(back.rows, composite.rows);
    EXPECT_EQ(dlg.m_pBan, nullptr);
}

TEST_F(SlabLibrary, AUsedTypeStaysAndAnUnusedOneLeavesItsRow)
{
    CBanSteel* used = Composite(-1, 75, 50.0f, "YX75-200-600");
    Composite(1, 51, 50.0f, "YX51-250-750");
    CBanSteel* third = Composite(2, 38, 50.0f, "AB38-150-750");
    LayInRoom5OfStorey2(used);
    Seen after;
    ScriptedUser::SelectRow(IDC_BANLIB_LIST, 0, IDD_BANLIB);
    ScriptedUser::Click(IDC_BANLIB_DELETE);
    ScriptedUser::AnswerMessageBox(IDOK);
    ScriptedUser::SelectRow(IDC_BANLIB_LIST, 1);
    ScriptedUser::Click(IDC_BANLIB_DELETE);
    Look(after);
    // Row 1 is again position 2: the type that was third.
    ScriptedUser::SelectRow(IDC_BANLIB_LIST, 1);
    ScriptedUser::PressOK();
    CDlgBanLib dlg;
    dlg.m_pData = &d;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    const auto boxes = ScriptedUser::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, CString("选中的楼板正被 2层  5号房间使用，不得删除!"));
    EXPECT_EQ(after.rows, (std::vector<std::string>{"SP1|125.000|YX75-200-600|组合", "SP2|88.000|AB38-150-750|配筋"}));
    ASSERT_EQ(st->m_pBanSteelList->GetCount(), 2);
    EXPECT_EQ(st->m_pBanSteelList->Get(1), used);
    EXPECT_EQ(st->m_pBanSteelList->Get(2), third);
    EXPECT_EQ(dlg.m_pBan, third);
}

TEST_F(SlabLibrary, RowsFollowThePositionsThroughAddEditAndDelete)
{
    CBanConcrete* first = OneWay(120.0f);
    CBanConcrete* preselected = OneWay(150.0f);
    CBanConcrete* used = OneWay(200.0f);
    LayInRoom5OfStorey2(used);
    Seen opened, added, edited, after;
    Look(opened);
    ScriptedUser::Click(IDC_BANLIB_ADD);
    ScriptedUser::SetText(IDC_BAN_DEPTH, "180", IDD_BANCONCRETEADD);
    ScriptedUser::PressOK(IDD_BANCONCRETEADD);
    Look(added);
    ScriptedUser::SelectRow(IDC_BANLIB_LIST, 3, IDD_BANLIB);
    ScriptedUser::Click(IDC_BANLIB_EDIT);
    ScriptedUser::SetText(IDC_BAN_DEPTH, "250", IDD_BANCONCRETEADD);
    ScriptedUser::PressOK(IDD_BANCONCRETEADD);
    Look(edited);
    ScriptedUser::SelectRow(IDC_BANLIB_LIST, 2, IDD_BANLIB);
    ScriptedUser::Click(IDC_BANLIB_DELETE);
    ScriptedUser::AnswerMessageBox(IDOK, "选中的楼板正被 2层  5号房间使用，不得删除!");
    ScriptedUser::SelectRow(IDC_BANLIB_LIST, 1, IDD_BANLIB);
    ScriptedUser::Click(IDC_BANLIB_DELETE);
    Look(after);
    // Row 2 is now the added type, third in the library.
    ScriptedUser::SelectRow(IDC_BANLIB_LIST, 2, IDD_BANLIB);
    ScriptedUser::PressOK();
    CDlgBanLib dlg;
    dlg.m_pData = &d;
    dlg.m_pBan = preselected;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(opened.tab, 1);
    EXPECT_EQ(opened.selected, 1);
    EXPECT_EQ(added.rows, (std::vector<std::string>{"CP1|120.000", "CP2|150.000", "CP3|200.000", "CP4|180.000"}));
    EXPECT_EQ(edited.rows, (std::vector<std::string>{"CP1|120.000", "CP2|150.000", "CP3|200.000", "CP4|250.000"}));
    EXPECT_EQ(after.rows, (std::vector<std::string>{"CP1|120.000", "CP2|200.000", "CP3|250.000"}));
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 1u) << "an unused type goes without a question";
    ASSERT_EQ(st->m_pBanConcreteList->GetCount(), 3);
    EXPECT_EQ(st->m_pBanConcreteList->Get(1), first);
    EXPECT_EQ(st->m_pBanConcreteList->Get(2), used);
    CBan* newType = st->m_pBanConcreteList->Get(3);
    EXPECT_EQ(dlg.m_pBan, newType);
    EXPECT_FLOAT_EQ(newType->m_fThick, 250.0f);

    // Reopened on it, the library selects its row; deleting it leaves no choice to return.
    Seen reopened;
    ScriptedUser::Reset();
    Look(reopened);
    ScriptedUser::Click(IDC_BANLIB_DELETE);
    ScriptedUser::PressCancel();
    CDlgBanLib again;
    again.m_pData = &d;
    again.m_pBan = newType;
    EXPECT_EQ(again.DoModal(), IDCANCEL);
    EXPECT_EQ(reopened.selected, 2);
    EXPECT_EQ(again.m_pBan, nullptr);
    EXPECT_EQ(st->m_pBanConcreteList->GetCount(), 2);
}

TEST_F(SlabLibrary, AnEmptyLibraryAsksForASelection)
{
    Seen opened;
    Look(opened);
    for (UINT tab : {0u, 1u}) {
        ScriptedUser::SelectRow(IDC_BANLIB_TAB, (int)tab);
        ScriptedUser::Click(IDC_BANLIB_EDIT);
        ScriptedUser::AnswerMessageBox(IDOK, "请先选择楼板！");
        ScriptedUser::Click(IDC_BANLIB_DELETE);
        ScriptedUser::AnswerMessageBox(IDOK, "请先选择楼板！");
        ScriptedUser::PressOK();
        ScriptedUser::AnswerMessageBox(IDOK, "请选定楼板！");
    }
    ScriptedUser::PressCancel();
    CDlgBanLib dlg;
    dlg.m_pData = &d;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(opened.rows.empty());
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 6u);
    EXPECT_EQ(dlg.m_pBan, nullptr);
}

TEST_F(SlabLibrary, AddsThroughBothSlabTypeDialogs)
{
    auto* steel = new CMaterialBase;
    steel->SetName("Q235B");
    st->m_pMaterialSteelList->AddMaterial(steel);
    Seen composite, oneWay;
    ScriptedUser::Click(IDC_BANLIB_ADD, IDD_BANLIB);
    ScriptedUser::SelectRow(IDC_BAN_SHEETS, 0, IDD_BANSTEELADD);
    ScriptedUser::Click(IDC_BAN_ADD, IDD_BANSTEELADD);
    ScriptedUser::PressOK(IDD_BANSTEELADD);
    Look(composite);
    ScriptedUser::SelectRow(IDC_BANLIB_TAB, 1);
    ScriptedUser::Click(IDC_BANLIB_ADD);
    ScriptedUser::SetText(IDC_BAN_DEPTH, "180", IDD_BANCONCRETEADD);
    ScriptedUser::PressOK(IDD_BANCONCRETEADD);
    Look(oneWay);
    ScriptedUser::SelectRow(IDC_BANLIB_LIST, 0);
    ScriptedUser::PressOK();
    CDlgBanLib dlg;
    dlg.m_pData = &d;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    // The first sheet of the tests' database has H 38; Hc defaults to 50.
    EXPECT_EQ(composite.rows, (std::vector<std::string>{"SP1|88.000|AB38-150-750|组合"}));
    EXPECT_EQ(oneWay.rows, (std::vector<std::string>{"CP1|180.000"}));
    ASSERT_EQ(st->m_pBanConcreteList->GetCount(), 1);
    EXPECT_EQ(dlg.m_pBan, st->m_pBanConcreteList->Get(1));
    EXPECT_TRUE(dlg.m_pBan->IsConcreteBan());
}

} // namespace
