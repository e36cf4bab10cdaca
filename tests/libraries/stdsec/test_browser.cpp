// The browser under the scripted user: what browse mode offers, the list's columns and
// rows, the property line, the material box, the preview, and the inputs it refuses.
#include "stdsec_fixture.h"

#include <cstdlib>
#include <memory>

#include <vyr/raster.h>

using namespace stdsec;

namespace {

// The numbers of a list column, parsed.
std::vector<double> Column(CDialog* d, int col)
{
    std::vector<double> v;
    CListCtrl* list = List(d);
    for (int i = 0; i < list->GetItemCount(); ++i) v.push_back(std::atof(list->GetItemText(i, col).GetString()));
    return v;
}

} // namespace

TEST_F(Project, BrowseModeOffersTheChineseAnglesOrderedAndNothingChosen)
{
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(Tab(d, IDC_STDSEC_COUNTRY)->GetItemCount(), 1);
            EXPECT_EQ(TabText(d, IDC_STDSEC_COUNTRY, 0), "中国");
            EXPECT_EQ(Tab(d, IDC_STDSEC_FAMILY)->GetItemCount(), 1);
            EXPECT_EQ(TabText(d, IDC_STDSEC_FAMILY, 0), "角钢");
            ASSERT_EQ(Tab(d, IDC_STDSEC_SUBTYPE)->GetItemCount(), 2);
            EXPECT_EQ(TabText(d, IDC_STDSEC_SUBTYPE, 0), "热轧等边");
            EXPECT_EQ(TabText(d, IDC_STDSEC_SUBTYPE, 1), "热轧不等边");
            CListCtrl* list = List(d);
            EXPECT_EQ(list->GetColumnCount(), 3);
            EXPECT_EQ(list->GetItemCount(), 114) << "every row of the shipped table";
            EXPECT_EQ(list->GetSelectedCount(), 0u);
            const auto b = Column(d, 1), t = Column(d, 2);
            for (size_t i = 1; i < b.size(); ++i)
                EXPECT_TRUE(b[i - 1] < b[i] || (b[i - 1] == b[i] && t[i - 1] <= t[i])) << "row " << i;
            LVCOLUMN col{};
            char name[64] = {};
            col.mask = LVCF_TEXT | LVCF_WIDTH;
            col.pszText = name;
            col.cchTextMax = sizeof name;
            list->GetColumn(1, &col);
            EXPECT_STREQ(name, "b(mm)");
            EXPECT_EQ(list->GetColumnWidth(0), 75);
            EXPECT_GE(list->GetColumnWidth(1), 55);
            EXPECT_EQ(Text(d, IDC_STDSEC_MATERIAL), "Q235");
        },
        IDD_STDSECTIONLIB);
    ScriptedUser::PressCancel(IDD_STDSECTIONLIB);
    CDlgStdSectionLib dlg;
    dlg.m_pData = &data;
    EXPECT_EQ(dlg.DoModal(true, nullptr), IDCANCEL);
    EXPECT_EQ(dlg.m_pResult, nullptr);
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 0u);
}

TEST_F(Project, ColumnWidthsComeFromTheFieldSizesAndTheFont)
{
    ScriptedUser::Run(
        [](CDialog* d) {
            CDlgStdSectionLib* b = Browser(d);
            ASSERT_EQ(b->m_arrColumnChars.size(), 3u);
            // Numbers are doubles of eight bytes; "b(mm)" is five bytes long.
            EXPECT_EQ(b->m_arrColumnChars[1], 8);
            EXPECT_EQ(b->m_arrColumnChars[2], 8);
            EXPECT_GT(b->m_nCharWidth, 1);
            EXPECT_EQ(b->m_nTextWidth, 16 * b->m_nCharWidth);
            // 8 x cw x 220 / (16 x cw) = 110
            EXPECT_EQ(List(d)->GetColumnWidth(1), 110);
            EXPECT_EQ(List(d)->GetColumnWidth(2), 110);
        },
        IDD_STDSECTIONLIB);
    ScriptedUser::PressCancel(IDD_STDSECTIONLIB);
    CDlgStdSectionLib dlg;
    dlg.m_pData = &data;
    dlg.DoModal(true, nullptr);
}

TEST_F(Project, ChoosingARowShowsItsPropertiesAndASecondTableLeavesNoStaleColumns)
{
    ScriptChoose("L50x5");
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(Text(d, IDC_STDSEC_PROPS), "A(cm2)=4.80      I3(cm4)=11.21      W3(cm3)=3.13      i3(cm)=1.53      ");
            EXPECT_TRUE(Browser(d)->m_bRowChosen);
        },
        IDD_STDSECTIONLIB);
    ScriptedUser::SelectRow(IDC_STDSEC_SUBTYPE, 1, IDD_STDSECTIONLIB);
    ScriptChoose("L25x16x3");
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(List(d)->GetColumnCount(), 4);
            EXPECT_EQ(Browser(d)->m_nListColumns, 4);
            EXPECT_EQ(Text(d, IDC_STDSEC_PROPS), "A(cm2)=1.16      I3(cm4)=0.70      W3(cm3)=0.43      i3(cm)=0.78      "
                                                 "I2(cm4)=0.22      W2(cm3)=0.19      i2(cm)=0.44      ");
        },
        IDD_STDSECTIONLIB);
    ScriptedUser::SelectRow(IDC_STDSEC_SUBTYPE, 0, IDD_STDSECTIONLIB);
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(List(d)->GetColumnCount(), 3);
            EXPECT_EQ(Browser(d)->m_nPrevColumns, 3);
            EXPECT_EQ(List(d)->GetSelectedCount(), 0u);
        },
        IDD_STDSECTIONLIB);
    ScriptedUser::PressCancel(IDD_STDSECTIONLIB);
    CDlgStdSectionLib dlg;
    dlg.m_pData = &data;
    EXPECT_EQ(dlg.DoModal(true, nullptr), IDCANCEL);
    EXPECT_EQ(dlg.m_pResult, nullptr);
}

TEST_F(Project, UnitedStatesTubesAreOfferedInTheirOrder)
{
    CSPipe pipe(211, 100, 5);
    ScriptedUser::Run(
        [](CDialog* d) {
            // Edit mode shows the section's own position only; its neighbours come from the
            // same family's sub-type captions.
            EXPECT_EQ(Tab(d, IDC_STDSEC_SUBTYPE)->GetItemCount(), 1);
            EXPECT_EQ(TabText(d, IDC_STDSEC_SUBTYPE, 0), "圆钢管");
            EXPECT_EQ(TabText(d, IDC_STDSEC_FAMILY, 0), "钢管");
            EXPECT_EQ(TabText(d, IDC_STDSEC_COUNTRY, 0), "美国");
            CDlgStdSectionLib* b = Browser(d);
            // Browse the family the way the family tab does.
            b->m_tabCountry.DeleteAllItems();
            b->m_tabCountry.InsertItem(0, "中国");
            b->m_tabCountry.InsertItem(1, "美国");
            b->m_tabCountry.SetCurSel(1);
            b->m_tabFamily.DeleteAllItems();
            for (int i = 0; i < 5; ++i) b->m_tabFamily.InsertItem(i, "");
            b->m_tabFamily.SetCurSel(4);
            b->m_bBrowse = true;
            b->FillSubTypeTab();
            ASSERT_EQ(Tab(d, IDC_STDSEC_SUBTYPE)->GetItemCount(), 3);
            EXPECT_EQ(TabText(d, IDC_STDSEC_SUBTYPE, 0), "圆钢管");
            EXPECT_EQ(TabText(d, IDC_STDSEC_SUBTYPE, 1), "矩形钢管");
            EXPECT_EQ(TabText(d, IDC_STDSEC_SUBTYPE, 2), "方形钢管");
            EXPECT_GT(List(d)->GetItemCount(), 0);
        },
        IDD_STDSECTIONLIB);
    ScriptedUser::SelectRow(IDC_STDSEC_SUBTYPE, 2, IDD_STDSECTIONLIB);
    ScriptedUser::Run([](CDialog* d) { EXPECT_EQ(Browser(d)->m_nListColumns, 3); EXPECT_EQ(List(d)->GetColumnCount(), 3); },
                      IDD_STDSECTIONLIB);
    ScriptedUser::PressCancel(IDD_STDSECTIONLIB);
    CDlgStdSectionLib dlg;
    dlg.m_pData = &data;
    EXPECT_EQ(dlg.DoModal(false, &pipe), IDCANCEL);
    EXPECT_EQ(pipe.GetType(), 211) << "cancel changes nothing";
}

TEST_F(Project, MaterialBoxKeepsTheListOrderAndDefaultsToTheFirstSteelOfTypeOneOrLess)
{
    // Q345 before Q235 in the project: the sorted box still shows the project's order.
    st.m_pMaterialSteelList->RemoveAll();
    delete q235;
    delete q345;
    AddSteel("Q345", "Q345B", 2);
    AddSteel("Q235", "Q235B", 1);
    ScriptedUser::Run(
        [](CDialog* d) {
            auto* combo = static_cast<CComboBox*>(d->GetDlgItem(IDC_STDSEC_MATERIAL));
            ASSERT_EQ(combo->GetCount(), 2);
            CString first;
            combo->GetLBText(0, first);
            EXPECT_EQ(first, CString("Q345"));
            EXPECT_EQ(Text(d, IDC_STDSEC_MATERIAL), "Q235") << "the first of type 1 or less";
        },
        IDD_STDSECTIONLIB);
    ScriptedUser::PressCancel(IDD_STDSECTIONLIB);
    {
        CDlgStdSectionLib dlg;
        dlg.m_pData = &data;
        dlg.DoModal(true, nullptr);
    }
    st.m_pMaterialSteelList->Get(2)->SetType(3);
    ScriptedUser::Run([](CDialog* d) { EXPECT_EQ(Text(d, IDC_STDSEC_MATERIAL), "无材料"); }, IDD_STDSECTIONLIB);
    ScriptedUser::PressCancel(IDD_STDSECTIONLIB);
    CDlgStdSectionLib dlg;
    dlg.m_pData = &data;
    dlg.DoModal(true, nullptr);
}

TEST_F(Project, PreviewIsAGreyFieldThenTheProfileInsideTheFrame)
{
    std::shared_ptr<vyr::Image> shot;
    ScriptChoose("L50x5");
    ScriptedUser::Run(
        [&](CDialog* d) {
            CDlgStdSectionLib* b = Browser(d);
            CDC dc;
            ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
            CBitmap bmp;
            ASSERT_TRUE(bmp.CreateCompatibleBitmap(&dc, 200, 200));
            CBitmap* old = dc.SelectObject(&bmp);
            CRect frame;
            d->GetDlgItem(IDC_STDSEC_PREVIEW)->GetClientRect(&frame);
            b->DrawPreviewInto(&dc, frame);
            const auto& recs = dc.Records();
            ASSERT_GT(recs.size(), 4u);
            EXPECT_EQ(recs.front().kind, vyr::DrawKind::Rectangle);
            EXPECT_EQ(CRect(recs.front().rect), frame);
            EXPECT_EQ(recs.front().state.brush.lbColor, RGB(192, 192, 192));
            size_t lines = 0, texts = 0;
            for (size_t i = 1; i < recs.size(); ++i) {
                if (recs[i].kind == vyr::DrawKind::TextOut) {
                    ++texts;
                    continue;
                }
                if (recs[i].kind == vyr::DrawKind::Line) ++lines;
                for (const POINT& p : recs[i].points)
                    EXPECT_TRUE(frame.PtInRect(p) || p.x == frame.right || p.y == frame.bottom)
                        << "record " << i << " at " << p.x << "," << p.y;
            }
            EXPECT_GE(lines, 6u) << "the angle's outline";
            EXPECT_GE(texts, 1u) << "its dimensions";
            dc.SelectObject(old);

            shot = vyr::RenderWindow(d->GetSafeHwnd());
            ASSERT_TRUE(shot);
            CRect win;
            d->GetDlgItem(IDC_STDSEC_PREVIEW)->GetWindowRect(&win);
            d->ScreenToClient(&win);
            EXPECT_EQ(shot->GetPixel(win.left + 3, win.top + 3), RGB(192, 192, 192));
            int dark = 0;
            for (int y = win.top + 2; y < win.bottom - 2; ++y)
                for (int x = win.left + 2; x < win.right - 2; ++x) {
                    const COLORREF c = shot->GetPixel(x, y);
                    if (GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100) ++dark;
                }
            EXPECT_GT(dark, 40) << "the angle shows inside the frame";
        },
        IDD_STDSECTIONLIB);
    ScriptedUser::PressCancel(IDD_STDSECTIONLIB);
    CDlgStdSectionLib dlg;
    dlg.m_pData = &data;
    dlg.DoModal(true, nullptr);
    ASSERT_TRUE(shot);
    vyr::WritePng(std::string(VYR_BINARY_DIR) + "/stdsec-preview-test.png", *shot);
}

TEST_F(Project, OkWithoutARowIsRefusedAndTheDialogStaysOpen)
{
    ScriptedUser::PressOK(IDD_STDSECTIONLIB);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择截面！");
    ScriptedUser::Run([](CDialog* d) { EXPECT_TRUE(d->IsModalRunning()); }, IDD_STDSECTIONLIB);
    ScriptedUser::PressCancel(IDD_STDSECTIONLIB);
    CDlgStdSectionLib dlg;
    dlg.m_pData = &data;
    EXPECT_EQ(dlg.DoModal(true, nullptr), IDCANCEL);
    EXPECT_EQ(dlg.m_pResult, nullptr);
    EXPECT_EQ(LibraryCount(), 0);
}

TEST_F(Project, OkWithoutSteelIsRefused)
{
    st.m_pMaterialSteelList->RemoveAll();
    delete q235;
    delete q345;
    ScriptChoose("L50x5");
    ScriptedUser::Run([](CDialog* d) { EXPECT_EQ(Text(d, IDC_STDSEC_MATERIAL), "无材料"); }, IDD_STDSECTIONLIB);
    ScriptedUser::PressOK(IDD_STDSECTIONLIB);
    ScriptedUser::AnswerMessageBox(IDOK, "钢材");
    ScriptedUser::PressCancel(IDD_STDSECTIONLIB);
    CDlgStdSectionLib dlg;
    dlg.m_pData = &data;
    EXPECT_EQ(dlg.DoModal(true, nullptr), IDCANCEL);
    EXPECT_EQ(dlg.m_pResult, nullptr);
}

TEST_F(Project, FixtureRowsAreSortedAndAnImpossibleRowBuildsNothing)
{
    UseFixture();
    ScriptedUser::Run(
        [](CDialog* d) {
            CListCtrl* list = List(d);
            ASSERT_EQ(list->GetItemCount(), 5);
            const char* order[] = {"L10x20", "L40x3", "L50x4", "L50x5", "L63x6"};
            for (int i = 0; i < 5; ++i) EXPECT_EQ(list->GetItemText(i, 0), CString(order[i]));
        },
        IDD_STDSECTIONLIB);
    ScriptChoose("L10x20");
    ScriptedUser::PressOK(IDD_STDSECTIONLIB);
    ScriptedUser::AnswerMessageBox(IDOK, "L10x20");
    ScriptedUser::PressCancel(IDD_STDSECTIONLIB);
    CDlgStdSectionLib dlg;
    dlg.m_pData = &data;
    EXPECT_EQ(dlg.DoModal(true, nullptr), IDCANCEL);
    EXPECT_EQ(dlg.m_pResult, nullptr);
}

TEST_F(Project, TableMissingFromTheFileGivesOneMessageAndAnEmptyList)
{
    UseFixture();
    ScriptedUser::SelectRow(IDC_STDSEC_SUBTYPE, 1, IDD_STDSECTIONLIB);
    ScriptedUser::AnswerMessageBox(IDOK, "热轧不等边角钢");
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(List(d)->GetItemCount(), 0);
            EXPECT_EQ(List(d)->GetColumnCount(), 0);
            EXPECT_FALSE(Browser(d)->m_bTableOpen);
        },
        IDD_STDSECTIONLIB);
    ScriptedUser::PressOK(IDD_STDSECTIONLIB);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择截面！");
    ScriptedUser::SelectRow(IDC_STDSEC_SUBTYPE, 0, IDD_STDSECTIONLIB);
    ScriptedUser::Run([](CDialog* d) { EXPECT_EQ(List(d)->GetItemCount(), 5); }, IDD_STDSECTIONLIB);
    ScriptedUser::PressCancel(IDD_STDSECTIONLIB);
    CDlgStdSectionLib dlg;
    dlg.m_pData = &data;
    EXPECT_EQ(dlg.DoModal(true, nullptr), IDCANCEL);
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 2u);
}

TEST_F(Project, EmptyTableShowsNoRowsAndRefusesOk)
{
    UseFixture();
    CSRolledIbeam beam(103, 200, 100, 11.4f, 7, 9, 4.5f);
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(List(d)->GetItemCount(), 0);
            EXPECT_EQ(List(d)->GetColumnCount(), 5);
        },
        IDD_STDSECTIONLIB);
    ScriptedUser::PressOK(IDD_STDSECTIONLIB);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择截面！");
    ScriptedUser::PressCancel(IDD_STDSECTIONLIB);
    CDlgStdSectionLib dlg;
    dlg.m_pData = &data;
    EXPECT_EQ(dlg.DoModal(false, &beam), IDCANCEL);
    EXPECT_EQ(beam.GetType(), 103);
}

TEST_F(Project, DatabaseThatDoesNotOpenCancelsAfterOneMessage)
{
    UseFixture();
    // Browse mode: the fixture's Chinese file is fine, so use edit mode for the others.
    CSRolledIbeam us(202, 254, 254, 14.2f, 8.6f, 12.7f, 0);
    ScriptedUser::AnswerMessageBox(IDOK, "密码无效");
    CDlgStdSectionLib dlg;
    dlg.m_pData = &data;
    EXPECT_EQ(dlg.DoModal(false, &us), IDCANCEL);
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 1u);

    CSRolledHtype uk(306, 152, 152, 6.8f, 5.8f, 7.6f);
    ScriptedUser::AnswerMessageBox(IDOK, "找不到文件");
    CDlgStdSectionLib dlg2;
    dlg2.m_pData = &data;
    EXPECT_EQ(dlg2.DoModal(false, &uk), IDCANCEL);
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 2u);
    for (const auto& rec : ScriptedUser::Dialogs()) EXPECT_FALSE(rec.unscripted);
}

TEST_F(Project, EditModeOnANonStandardSectionOpensNothing)
{
    CSDefineIbeam user;
    ASSERT_EQ(user.GetType(), 501);
    CDlgStdSectionLib dlg;
    dlg.m_pData = &data;
    EXPECT_EQ(dlg.DoModal(false, &user), IDCANCEL);
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 0u);
    EXPECT_FALSE(dlg.m_database.IsOpen());
    CDlgStdSectionLib dlg2;
    EXPECT_EQ(dlg2.DoModal(false, nullptr), IDCANCEL);
}

TEST_F(Project, CodesGiveTheirTabsPositionAndDisplayName)
{
    struct Case
    {
        int code;
        int country, family, subType;
        const char* countryCaption;
        const char* familyCaption;
        const char* subTypeCaption;
        const char* displayName;
    };
    const Case cases[] = {
        {204, 1, 1, 2, "美国", "工字钢", "S 型", "美国 热轧S型工字钢"},
        {205, 1, 1, 3, "美国", "工字钢", "HP 型", "美国 热轧HP型工字钢"},
        {212, 1, 4, 1, "美国", "钢管", "矩形钢管", "美国 矩形钢管"},
        {213, 1, 4, 2, "美国", "钢管", "方形钢管", "美国 方形钢管"},
        {115, 0, 5, 0, "中国", "圆钢", "圆钢", "中国 圆钢"},
        {109, 0, 3, 0, "中国", "H型钢", "热轧窄翼缘", "中国 热轧窄翼缘H形钢"},
        {403, 3, 0, 2, "日本", "角钢", "不等边不等厚", "日本 热轧不等边不等厚角钢"},
    };
    CSRolledIbeam s(204, 254, 100, 10, 7, 12.7f, 0);
    ScriptedUser::Run(
        [&](CDialog* d) {
            CDlgStdSectionLib* b = Browser(d);
            EXPECT_NE(std::string(b->m_strQuery).find("S型工字钢U"), std::string::npos);
            for (const Case& c : cases) {
                SCOPED_TRACE(c.code);
                b->SetTabsFromCode(c.code);
                EXPECT_EQ(b->m_nEditCountry, c.country);
                EXPECT_EQ(b->m_nEditFamily, c.family);
                EXPECT_EQ(b->m_nEditSubType, c.subType);
                EXPECT_EQ(TabText(d, IDC_STDSEC_COUNTRY, 0), c.countryCaption);
                EXPECT_EQ(TabText(d, IDC_STDSEC_FAMILY, 0), c.familyCaption);
                EXPECT_EQ(TabText(d, IDC_STDSEC_SUBTYPE, 0), c.subTypeCaption);
                b->MakeDisplayName();
                EXPECT_EQ(b->m_strDisplayName, CString(c.displayName));
            }
            // 501: database index 4, no database and no tab; the whole hundreds are no code.
            for (int code : {501, 100, 900}) {
                b->SetTabsFromCode(code);
                EXPECT_EQ(Tab(d, IDC_STDSEC_FAMILY)->GetItemCount(), 0) << code;
                b->MakeDisplayName();
                EXPECT_EQ(b->m_strDisplayName, CString()) << code;
            }
            EXPECT_EQ(b->m_nEditCountry, 8);
            b->SetTabsFromCode(501);
            EXPECT_EQ(b->m_nEditCountry, 4);
            EXPECT_EQ(Tab(d, IDC_STDSEC_COUNTRY)->GetItemCount(), 0);
        },
        IDD_STDSECTIONLIB);
    ScriptedUser::PressCancel(IDD_STDSECTIONLIB);
    CDlgStdSectionLib dlg;
    dlg.m_pData = &data;
    EXPECT_EQ(dlg.DoModal(false, &s), IDCANCEL);
}

TEST_F(Project, ListFocusRepaintsTheChosenRow)
{
    ScriptChoose("L50x5");
    ScriptedUser::Notify(IDC_STDSEC_LIST, NM_SETFOCUS, true, IDD_STDSECTIONLIB);
    ScriptedUser::Run(
        [](CDialog* d) {
            CRect expected;
            const int row = RowOf(d, "L50x5");
            List(d)->GetItemRect(row, &expected, LVIR_BOUNDS);
            EXPECT_EQ(Browser(d)->m_rcRow, expected);
        },
        IDD_STDSECTIONLIB);
    ScriptedUser::PressCancel(IDD_STDSECTIONLIB);
    CDlgStdSectionLib dlg;
    dlg.m_pData = &data;
    dlg.DoModal(true, nullptr);
}
