// The grid window: cells, virtual mode, selection, in-place editing and layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vyr/controls.h>
#include <vyr/model/grid/grid.h>
#include <vyr/raster.h>
#include <vyr/scripteduser.h>

namespace {

// A window that holds grids and answers their notifications.
class GridHost : public CWnd
{
public:
    std::vector<UINT> codes;      // every notification code, in order
    std::vector<CString> endTexts; // the cell text seen at each end of an edit
    std::vector<CString> typedTexts; // the text the end-of-edit notification carries
    int endEditAnswer = 0;
    int beginEditAnswer = 0;
    int dispRequests = 0;
    CString dispPrefix = "P";

    GridHost() { CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 500, 400), nullptr, 0); }
    ~GridHost() override
    {
        if (GetSafeHwnd()) DestroyWindow();
    }

protected:
    BOOL OnNotify(WPARAM /*wParam*/, LPARAM lParam, LRESULT* pResult) override
    {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        codes.push_back(hdr->code);
        *pResult = 0;
        if (hdr->code == GVN_GETDISPINFO) {
            auto* di = reinterpret_cast<GV_DISPINFO*>(lParam);
            ++dispRequests;
            di->item.strText.Format("%s%d,%d", dispPrefix.GetString(), di->item.row, di->item.col);
            return TRUE;
        }
        auto* nm = reinterpret_cast<NM_GRIDVIEW*>(lParam);
        auto* grid = dynamic_cast<CGridCtrl*>(CWnd::FromHandle(hdr->hwndFrom));
        if (hdr->code == GVN_ENDLABELEDIT) {
            endTexts.push_back(grid ? grid->GetItemText(nm->iRow, nm->iColumn) : CString());
            typedTexts.push_back(reinterpret_cast<GV_DISPINFO*>(lParam)->item.strText);
            *pResult = endEditAnswer;
        }
        if (hdr->code == GVN_BEGINLABELEDIT) *pResult = beginEditAnswer;
        return TRUE;
    }
};

// A 5 x 4 grid with a heading row, filled "r,c".
void Fill(CGridCtrl& g)
{
    g.SetRowCount(5);
    g.SetColumnCount(4);
    g.SetFixedRowCount(1);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c) {
            CString s;
            s.Format("%d,%d", r, c);
            g.SetItemText(r, c, s);
        }
}

CWnd* Editor(CGridCtrl& g) { return g.GetDlgItem(IDC_INPLACE_CONTROL); }

class GridTest : public ::testing::Test
{
protected:
    void SetUp() override { vyr::ScriptedUser::Reset(); }
    void TearDown() override { vyr::PumpMessages(); }
};

TEST_F(GridTest, GetCellOutsideTheGridIsNullInBothModes)
{
    GridHost host;
    CGridCtrl g;
    ASSERT_TRUE(g.Create(CRect(0, 0, 300, 200), &host, 100));
    Fill(g);
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass == 0 ? "stored" : "virtual");
        EXPECT_EQ(g.GetCell(-1, 0), nullptr);
        EXPECT_EQ(g.GetCell(g.GetRowCount(), 0), nullptr);
        EXPECT_EQ(g.GetCell(0, -1), nullptr);
        EXPECT_EQ(g.GetCell(0, g.GetColumnCount()), nullptr);
        EXPECT_NE(g.GetCell(g.GetRowCount() - 1, g.GetColumnCount() - 1), nullptr);
        EXPECT_EQ(g.GetItemText(99, 0), CString(""));
        g.SetVirtualMode(TRUE);
    }
}

TEST_F(GridTest, StoredCellsKeepTheirItems)
{
    GridHost host;
    CGridCtrl g;
    ASSERT_TRUE(g.Create(CRect(0, 0, 300, 200), &host, 100));
    Fill(g);
    GV_ITEM item{};
    item.row = 0;
    item.col = 2;
    item.mask = GVIF_TEXT | GVIF_FORMAT;
    item.nFormat = 0x25;
    item.strText = "横向距离";
    EXPECT_TRUE(g.SetItem(&item));
    EXPECT_EQ(g.GetItemText(0, 2), CString("横向距离"));
    EXPECT_EQ(g.GetItemFormat(0, 2), 0x25u);
    int model = 7;
    EXPECT_TRUE(g.SetItemData(3, 0, (LPARAM)&model));
    EXPECT_EQ((int*)g.GetItemData(3, 0), &model);
    EXPECT_TRUE(g.SetItemBkColour(3, 1, RGB(1, 2, 3)));
    EXPECT_EQ(g.GetItemBkColour(3, 1), RGB(1, 2, 3));
    // Heading cells carry the fixed bits; the default cells are read-only.
    EXPECT_EQ(g.GetItemState(0, 1) & (GVIS_FIXED | GVIS_FIXEDROW), GVIS_FIXED | GVIS_FIXEDROW);
    EXPECT_EQ(g.GetItemState(2, 1) & GVIS_FIXED, 0u);
    EXPECT_TRUE(g.GetDefaultCell(FALSE, FALSE)->IsReadOnly());
    EXPECT_EQ(g.GetDefaultCell(TRUE, TRUE), g.GetDefaultCell(TRUE, TRUE));
    EXPECT_NE(g.GetDefaultCell(TRUE, FALSE), g.GetDefaultCell(FALSE, TRUE));
    // A cell of the caller's is taken, but not outside the grid.
    auto* mine = new CGridCell;
    mine->SetText("mine");
    EXPECT_TRUE(g.SetCell(2, 2, mine));
    EXPECT_EQ(g.GetCell(2, 2), mine);
    EXPECT_EQ(g.GetItemText(2, 2), CString("mine"));
    auto* heading = new CGridCell;
    EXPECT_TRUE(g.SetCell(0, 3, heading));
    EXPECT_TRUE(heading->IsFixedRow());
    EXPECT_EQ(heading->GetGrid(), &g);
}

TEST_F(GridTest, CheckCellTogglesWhenItsBoxIsClicked)
{
    GridHost host;
    CGridCtrl g;
    ASSERT_TRUE(g.Create(CRect(0, 0, 300, 200), &host, 100));
    Fill(g);
    for (int c = 0; c < 4; ++c) g.SetColumnWidth(c, 60);
    ASSERT_TRUE(g.SetCellType(2, 1, RUNTIME_CLASS(CGridCellCheck)));
    auto* check = dynamic_cast<CGridCellCheck*>(g.GetCell(2, 1));
    ASSERT_NE(check, nullptr);
    EXPECT_STREQ(check->GetText(), "2,1"); // the old cell's properties carried over
    vyr::RenderWindow(g.GetSafeHwnd()); // places the box
    // The box sits at the cell's left margin, vertically centred: cell (60, 44)-(120, 66).
    g.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60 + 3 + 6, 44 + 11));
    EXPECT_TRUE(check->GetCheck());
    EXPECT_EQ(g.GetSelectedCount(), 0); // the click went to the box, not the selection
    g.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60 + 3 + 6, 44 + 11));
    EXPECT_FALSE(check->GetCheck());
    g.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(110, 50)); // beside the box
    EXPECT_FALSE(check->GetCheck());
    EXPECT_TRUE(g.IsCellSelected(2, 1));
}

TEST_F(GridTest, SetCellIsRefusedWhereItCannotStore)
{
    GridHost host;
    CGridCtrl g;
    ASSERT_TRUE(g.Create(CRect(0, 0, 300, 200), &host, 100));
    Fill(g);
    CGridCell outside;
    EXPECT_FALSE(g.SetCell(5, 0, &outside));
    EXPECT_FALSE(g.SetCell(0, -1, &outside));
    g.SetVirtualMode(TRUE);
    EXPECT_FALSE(g.SetCell(1, 1, &outside));
}

TEST_F(GridTest, VirtualCellsOfTwoGridsDoNotAlias)
{
    GridHost hostA, hostB;
    hostA.dispPrefix = "A";
    hostB.dispPrefix = "B";
    CGridCtrl a, b;
    ASSERT_TRUE(a.Create(CRect(0, 0, 300, 200), &hostA, 100));
    ASSERT_TRUE(b.Create(CRect(0, 0, 300, 200), &hostB, 100));
    for (CGridCtrl* g : {&a, &b}) {
        g->SetVirtualMode(TRUE);
        g->SetRowCount(3);
        g->SetColumnCount(3);
    }
    CGridCellBase* ca = a.GetCell(1, 2);
    ASSERT_NE(ca, nullptr);
    EXPECT_STREQ(ca->GetText(), "A1,2");
    CGridCellBase* cb = b.GetCell(2, 1);
    ASSERT_NE(cb, nullptr);
    EXPECT_NE(ca, cb);
    EXPECT_STREQ(ca->GetText(), "A1,2"); // still grid A's answer
    EXPECT_STREQ(cb->GetText(), "B2,1");
    EXPECT_EQ(ca->GetGrid(), &a);
    EXPECT_EQ(cb->GetGrid(), &b);
}

BOOL AnswerFromCallback(GV_DISPINFO* di, LPARAM lParam)
{
    ++*reinterpret_cast<int*>(lParam);
    di->item.strText.Format("cb%d", di->item.row * 10 + di->item.col);
    di->item.crFgClr = RGB(255, 0, 0);
    return TRUE;
}

TEST_F(GridTest, VirtualRequestCarriesStateAndTheCallbackReplacesTheParent)
{
    GridHost host;
    CGridCtrl g;
    ASSERT_TRUE(g.Create(CRect(0, 0, 300, 200), &host, 100));
    g.SetVirtualMode(TRUE);
    g.SetRowCount(4);
    g.SetColumnCount(3);
    g.SetFixedRowCount(1);
    g.SetFixedColumnCount(1);
    g.SetFocusCell(2, 2);
    g.SetItemState(2, 1, GVIS_SELECTED);
    EXPECT_EQ(g.GetCell(0, 0)->GetState(), GVIS_FIXED | GVIS_FIXEDROW | GVIS_FIXEDCOL);
    EXPECT_EQ(g.GetCell(2, 1)->GetState(), GVIS_SELECTED);
    EXPECT_EQ(g.GetCell(2, 2)->GetState(), GVIS_FOCUSED);
    EXPECT_EQ(g.GetCell(1, 0)->GetState(), GVIS_FIXED | GVIS_FIXEDCOL);
    EXPECT_EQ(host.dispRequests, 4);
    int calls = 0;
    g.SetCallbackFunc(&AnswerFromCallback, (LPARAM)&calls);
    EXPECT_EQ(g.GetItemText(3, 2), CString("cb32"));
    EXPECT_EQ(g.GetItemFgColour(3, 2), RGB(255, 0, 0));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(host.dispRequests, 4); // the parent is no longer asked
}

TEST_F(GridTest, VirtualGridAsksItsParentForEveryCellItDraws)
{
    GridHost host;
    CGridCtrl g;
    ASSERT_TRUE(g.Create(CRect(0, 0, 300, 200), &host, 100));
    g.SetVirtualMode(TRUE);
    g.SetRowCount(50); // more rows than fit
    g.SetColumnCount(3);
    g.SetFixedRowCount(1);
    for (int c = 0; c < 3; ++c) g.SetColumnWidth(c, 80);
    host.dispRequests = 0;
    vyr::RenderWindow(g.GetSafeHwnd());
    // 200 pixels of 22-pixel rows: 10 rows (the last cut), 3 columns each.
    EXPECT_EQ(host.dispRequests, 10 * 3);
}

TEST_F(GridTest, ListModeClickSelectsTheWholeRowAndNotifies)
{
    GridHost host;
    CGridCtrl g;
    ASSERT_TRUE(g.Create(CRect(0, 0, 400, 200), &host, 100));
    g.SetListStyle();
    Fill(g);
    for (int c = 0; c < 4; ++c) g.SetColumnWidth(c, 50);
    EXPECT_EQ(g.GetNextRow(-1, GVNI_SELECTED), -1);
    host.codes.clear();
    // Row 2 spans y 44..66; click in column 1.
    g.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 50));
    EXPECT_EQ(g.GetNextRow(-1, GVNI_SELECTED), 2);
    EXPECT_EQ(g.GetNextRow(2, GVNI_SELECTED), -1);
    EXPECT_EQ(g.GetSelectedCount(), 4);
    EXPECT_TRUE(g.GetFocusCell() == CCellID(2, 1));
    EXPECT_EQ(host.codes, (std::vector<UINT>{GVN_SELCHANGING, GVN_SELCHANGED, NM_CLICK}));
    // Single-row list: the next click moves the selection.
    g.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(10, 80));
    EXPECT_EQ(g.GetNextRow(-1, GVNI_SELECTED), 3);
    EXPECT_EQ(g.GetNextRow(3, GVNI_SELECTED), -1);
    // Several rows when the list allows it.
    g.SetSingleRowSelection(FALSE);
    g.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(10, 30));
    EXPECT_EQ(g.GetNextRow(-1, GVNI_SELECTED), 1);
    EXPECT_EQ(g.GetNextRow(1, GVNI_SELECTED), 3);
    // A click on the heading selects nothing in a list.
    g.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    EXPECT_EQ(g.GetNextRow(-1, GVNI_SELECTED), 1);
}

TEST_F(GridTest, SelectingTheCellsOfTheCurrentRowKeepsTheFocus)
{
    // Panels make a row current and then select its cells with state 2.
    GridHost host;
    CGridCtrl g;
    ASSERT_TRUE(g.Create(CRect(0, 0, 400, 200), &host, 100));
    Fill(g);
    g.SetFocusCell(3, 0);
    for (int c = 0; c < g.GetColumnCount(); ++c) g.SetItemState(3, c, GVIS_SELECTED);
    EXPECT_EQ(g.GetFocusCell(), CCellID(3, 0));
    EXPECT_EQ(g.GetItemState(3, 0), GVIS_SELECTED | GVIS_FOCUSED);
    EXPECT_EQ(g.GetNextRow(-1, GVNI_SELECTED), 3);
    EXPECT_EQ(g.GetSelectedCount(), 4);
    // Asking for the focus moves it, and the cells' focus bits follow.
    g.SetItemState(2, 1, GVIS_FOCUSED);
    EXPECT_EQ(g.GetFocusCell(), CCellID(2, 1));
    EXPECT_EQ(g.GetItemState(3, 0), GVIS_SELECTED);
    EXPECT_EQ(g.GetItemState(2, 1), GVIS_FOCUSED);
}

TEST_F(GridTest, RowChangesMoveTheSelectionWithTheRows)
{
    GridHost host;
    CGridCtrl g;
    ASSERT_TRUE(g.Create(CRect(0, 0, 400, 200), &host, 100));
    Fill(g);
    g.SelectRow(3);
    EXPECT_EQ(g.GetNextRow(-1, GVNI_SELECTED), 3);
    EXPECT_EQ(g.InsertRow("new", 1), 1);
    EXPECT_EQ(g.GetItemText(1, 0), CString("new"));
    EXPECT_EQ(g.GetItemText(4, 1), CString("3,1"));
    EXPECT_EQ(g.GetNextRow(-1, GVNI_SELECTED), 4);
    EXPECT_TRUE(g.IsCellSelected(4, 1));
    EXPECT_TRUE(g.DeleteRow(2));
    EXPECT_EQ(g.GetNextRow(-1, GVNI_SELECTED), 3);
    EXPECT_EQ(g.GetItemText(3, 1), CString("3,1"));
    EXPECT_TRUE(g.DeleteRow(3)); // the selected row itself
    EXPECT_EQ(g.GetNextRow(-1, GVNI_SELECTED), -1);
    EXPECT_EQ(g.GetSelectedCount(), 0);
    EXPECT_FALSE(g.GetFocusCell().IsValid());
    const int tail = g.InsertRow("tail");
    EXPECT_EQ(tail, g.GetRowCount() - 1);
    EXPECT_EQ(g.InsertRow("beyond", 99), -1);
    g.SelectRow(2);
    EXPECT_TRUE(g.DeleteNonFixedRows());
    EXPECT_EQ(g.GetRowCount(), 1);
    EXPECT_EQ(g.GetItemText(0, 3), CString("0,3"));
    EXPECT_EQ(g.GetSelectedCount(), 0);
    EXPECT_TRUE(g.DeleteColumn(0));
    EXPECT_EQ(g.GetItemText(0, 0), CString("0,1"));
    EXPECT_TRUE(g.DeleteAllItems());
    EXPECT_EQ(g.GetRowCount(), 0);
    EXPECT_EQ(g.GetColumnCount(), 0);
    EXPECT_EQ(g.GetCell(0, 0), nullptr);
}

TEST_F(GridTest, EditRefusedByTheParentKeepsTheOldText)
{
    GridHost host;
    CGridCtrl g;
    ASSERT_TRUE(g.Create(CRect(0, 0, 400, 200), &host, 100));
    Fill(g);
    host.endEditAnswer = -1;
    ASSERT_TRUE(g.EditCell(2, 1));
    CWnd* editor = Editor(g);
    ASSERT_NE(editor, nullptr);
    CString shown;
    editor->GetWindowText(shown);
    EXPECT_EQ(shown, CString("2,1"));
    editor->SetWindowText("abc");
    editor->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    // The parent saw the typed text, refused it, and the cell shows its old text again.
    ASSERT_EQ(host.endTexts.size(), 1u);
    EXPECT_EQ(host.endTexts[0], CString("abc"));
    EXPECT_EQ(g.GetItemText(2, 1), CString("2,1"));
    EXPECT_FALSE(g.GetItemState(2, 1) & GVIS_MODIFIED);
    EXPECT_EQ(Editor(g), nullptr);
    vyr::PumpMessages(); // the editor closes

    // Accepted: the text stays and the cell is marked modified.
    host.endEditAnswer = 0;
    ASSERT_TRUE(g.EditCell(2, 1));
    Editor(g)->SetWindowText("12.5");
    EXPECT_TRUE(g.EndEditing(TRUE));
    EXPECT_EQ(g.GetItemText(2, 1), CString("12.5"));
    EXPECT_TRUE(g.GetItemState(2, 1) & GVIS_MODIFIED);

    // Escape drops the typed text without asking the parent.
    const size_t asked = host.endTexts.size();
    ASSERT_TRUE(g.EditCell(3, 2));
    Editor(g)->SetWindowText("zzz");
    Editor(g)->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(g.GetItemText(3, 2), CString("3,2"));
    EXPECT_EQ(host.endTexts.size(), asked);
}

TEST_F(GridTest, VirtualGridHandsTheTypedTextToItsParent)
{
    // A virtual grid keeps no text: the end of an edit is the parent's only chance to see it.
    GridHost host;
    CGridCtrl g;
    ASSERT_TRUE(g.Create(CRect(0, 0, 400, 200), &host, 100));
    g.SetVirtualMode(TRUE);
    g.SetRowCount(4);
    g.SetColumnCount(3);
    g.SetFixedRowCount(1);
    ASSERT_TRUE(g.EditCell(2, 1));
    CString shown;
    Editor(g)->GetWindowText(shown);
    EXPECT_EQ(shown, CString("P2,1")); // the editor starts from the parent's answer
    Editor(g)->SetWindowText("4.75");
    Editor(g)->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(host.typedTexts.size(), 1u);
    EXPECT_EQ(host.typedTexts[0], CString("4.75"));
    EXPECT_EQ(host.endTexts[0], CString("P2,1")); // row and column read as NM_GRIDVIEW
    EXPECT_EQ(Editor(g), nullptr);
}

TEST_F(GridTest, KeysStartingAnEditKeepOrReplaceTheText)
{
    GridHost host;
    CGridCtrl g;
    ASSERT_TRUE(g.Create(CRect(0, 0, 400, 200), &host, 100));
    Fill(g);
    const struct
    {
        UINT msg;
        WPARAM key;
        const char* shown;
    } cases[] = {
        {WM_KEYDOWN, VK_F2, "2,1"}, // F2 has the code of 'q' but types nothing
        {WM_KEYDOWN, VK_RETURN, "2,1"},
        {WM_CHAR, 'x', "x"},
        {WM_CHAR, 0x8BA1, "计"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        g.SetFocusCell(2, 1);
        g.SendMessage(c.msg, c.key, 0);
        CWnd* editor = Editor(g);
        ASSERT_NE(editor, nullptr);
        CString shown;
        editor->GetWindowText(shown);
        EXPECT_EQ(shown, CString(c.shown));
        editor->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        vyr::PumpMessages();
    }
    EXPECT_EQ(g.GetItemText(2, 1), CString("2,1"));
}

TEST_F(GridTest, GridDestroyedWhileEditingEndsTheEditQuietly)
{
    GridHost host;
    {
        CGridCtrl g;
        ASSERT_TRUE(g.Create(CRect(0, 0, 400, 200), &host, 100));
        Fill(g);
        ASSERT_TRUE(g.EditCell(2, 2));
        Editor(g)->SetWindowText("typed");
    }
    vyr::PumpMessages();
    // The edit was dropped, not offered to the parent.
    EXPECT_TRUE(host.endTexts.empty());
}

TEST_F(GridTest, EditIsNotStartedWhereItIsNotAllowed)
{
    GridHost host;
    CGridCtrl g;
    ASSERT_TRUE(g.Create(CRect(0, 0, 400, 200), &host, 100));
    Fill(g);
    EXPECT_FALSE(g.EditCell(0, 1)); // heading
    g.SetItemState(3, 3, GVIS_READONLY);
    EXPECT_FALSE(g.EditCell(3, 3));
    host.beginEditAnswer = -1;
    EXPECT_FALSE(g.EditCell(2, 2)); // the parent refuses to begin
    host.beginEditAnswer = 0;
    g.SetEditable(FALSE);
    EXPECT_FALSE(g.EditCell(2, 2));
    EXPECT_EQ(Editor(g), nullptr);
}

// A parent that rebuilds the grid while it handles the end of an edit, as the unit-price
// table does.
class RefillingHost : public GridHost
{
public:
    CGridCtrl* grid = nullptr;

protected:
    BOOL OnNotify(WPARAM w, LPARAM lParam, LRESULT* pResult) override
    {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr->code == GVN_ENDLABELEDIT && grid) {
            grid->DeleteNonFixedRows();
            grid->SetRowCount(3);
            grid->SetItemText(1, 1, "refilled");
            *pResult = 0;
            return TRUE;
        }
        return GridHost::OnNotify(w, lParam, pResult);
    }
};

TEST_F(GridTest, ParentMayRebuildTheGridWhileAnEditEnds)
{
    RefillingHost host;
    CGridCtrl g;
    host.grid = &g;
    ASSERT_TRUE(g.Create(CRect(0, 0, 400, 200), &host, 100));
    Fill(g);
    ASSERT_TRUE(g.EditCell(4, 1));
    Editor(g)->SetWindowText("x");
    Editor(g)->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(g.GetRowCount(), 3);
    EXPECT_EQ(g.GetItemText(1, 1), CString("refilled"));
}

TEST_F(GridTest, ColumnsExpandToTheWindowWidth)
{
    GridHost host;
    CGridCtrl g;
    ASSERT_TRUE(g.Create(CRect(0, 0, 403, 200), &host, 100));
    Fill(g);
    const int widths[] = {46, 75, 75, 75};
    for (int c = 0; c < 4; ++c) g.SetColumnWidth(c, widths[c]);
    g.ExpandColumnsToFit(TRUE);
    EXPECT_EQ(g.GetVirtualWidth(), 403);
    EXPECT_EQ(g.GetColumnWidth(0), 46 + 33);
    EXPECT_EQ(g.GetColumnWidth(3), 75 + 33);
    for (int c = 0; c < 4; ++c) g.SetColumnWidth(c, widths[c]);
    g.SetFixedColumnCount(1);
    g.ExpandColumnsToFit(FALSE); // the fixed column keeps its width
    EXPECT_EQ(g.GetColumnWidth(0), 46);
    EXPECT_EQ(g.GetVirtualWidth(), 403);
    for (int c = 0; c < 4; ++c) g.SetColumnWidth(c, widths[c]);
    g.ExpandLastColumn();
    EXPECT_EQ(g.GetColumnWidth(2), 75);
    EXPECT_EQ(g.GetColumnWidth(3), 75 + 403 - 271);
    // Wider than the window: nothing shrinks.
    g.SetColumnWidth(0, 500);
    g.ExpandColumnsToFit(TRUE);
    EXPECT_EQ(g.GetColumnWidth(0), 500);
}

TEST_F(GridTest, DrawingShowsHeadingsSelectionAndCellColours)
{
    GridHost host;
    CGridCtrl g;
    ASSERT_TRUE(g.Create(CRect(0, 0, 300, 200), &host, 100));
    Fill(g);
    for (int c = 0; c < 4; ++c) g.SetColumnWidth(c, 60);
    g.SetListMode(TRUE);
    g.SelectRow(2);
    g.SetItemBkColour(3, 1, RGB(255, 0, 255));
    const auto img = vyr::RenderWindow(g.GetSafeHwnd());
    ASSERT_TRUE(img);
    // Sample near the right end of each cell, clear of its text and of the grid lines.
    auto at = [&](int row, int col) { return img->GetPixel(col * 60 + 55, row * 22 + 4); };
    EXPECT_EQ(at(0, 1), RGB(240, 240, 240)); // heading
    EXPECT_EQ(at(1, 1), RGB(255, 255, 255));
    EXPECT_EQ(at(2, 1), RGB(0, 120, 215)); // selected row
    EXPECT_EQ(at(2, 3), RGB(0, 120, 215));
    EXPECT_EQ(at(3, 1), RGB(255, 0, 255)); // the cell's own background
    EXPECT_EQ(img->GetPixel(59, 30), RGB(192, 192, 192)); // a vertical grid line
    EXPECT_EQ(img->GetPixel(250, 150), RGB(255, 255, 255)); // below the last row
}

// A cell's image from the grid's image list is drawn at its left, its mask colour
// letting the cell's background through, and the text starts after it.
TEST_F(GridTest, ACellsImageIsDrawnFromTheGridsImageList)
{
    GridHost host;
    CGridCtrl g;
    ASSERT_TRUE(g.Create(CRect(0, 0, 300, 200), &host, 100));
    Fill(g);
    for (int c = 0; c < 4; ++c) g.SetColumnWidth(c, 60);
    vyr::Image pic(8, 8, RGB(0, 0, 0));
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 6; ++x) pic.SetPixel(x, y, RGB(255, 0, 0));
    CBitmap bm;
    ASSERT_TRUE(bm.CreateFromImage(pic));
    CImageList images;
    ASSERT_TRUE(images.Create(8, 8, ILC_COLOR24 | ILC_MASK, 0, 0));
    ASSERT_EQ(images.Add(&bm, RGB(0, 0, 0)), 0);
    g.SetImageList(&images);
    g.SetItemImage(2, 1, 0);
    g.SetItemBkColour(2, 1, RGB(0, 255, 0));
    g.SetItemText(2, 1, "");
    const auto img = vyr::RenderWindow(g.GetSafeHwnd());
    ASSERT_TRUE(img);
    CRect rc;
    ASSERT_TRUE(g.GetCellRect(2, 1, &rc));
    const int x0 = rc.left + (int)g.GetCell(2, 1)->GetMargin();
    const int y0 = rc.top + (rc.Height() - 8) / 2;
    EXPECT_EQ(img->GetPixel(x0 + 3, y0 + 3), RGB(255, 0, 0));
    EXPECT_EQ(img->GetPixel(x0, y0), RGB(0, 255, 0)); // masked: the background shows
    // A cell without an image shows none.
    ASSERT_TRUE(g.GetCellRect(3, 1, &rc));
    EXPECT_NE(img->GetPixel(rc.left + (int)g.GetCell(3, 1)->GetMargin() + 3, rc.top + (rc.Height() - 8) / 2 + 3),
              RGB(255, 0, 0));
}

TEST_F(GridTest, KeysMoveTheFocusAndScrollIntoView)
{
    GridHost host;
    CGridCtrl g;
    ASSERT_TRUE(g.Create(CRect(0, 0, 300, 110), &host, 100));
    g.SetListStyle();
    g.SetRowCount(40);
    g.SetColumnCount(2);
    g.SetFixedRowCount(1);
    g.SelectRow(3);
    host.codes.clear();
    g.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_TRUE(g.GetFocusCell() == CCellID(4, 0));
    EXPECT_EQ(g.GetNextRow(-1, GVNI_SELECTED), 4);
    EXPECT_EQ(host.codes, (std::vector<UINT>{GVN_SELCHANGING, GVN_SELCHANGED}));
    g.SendMessage(WM_KEYDOWN, VK_UP, 0);
    g.SendMessage(WM_KEYDOWN, VK_UP, 0);
    g.SendMessage(WM_KEYDOWN, VK_UP, 0);
    g.SendMessage(WM_KEYDOWN, VK_UP, 0); // stops below the heading
    EXPECT_TRUE(g.GetFocusCell() == CCellID(1, 0));
    EXPECT_TRUE(g.IsVisibleVScroll());
    EXPECT_FALSE(g.IsVisibleHScroll());
    EXPECT_EQ(g.GetScrollPos32(SB_VERT), 0);
    g.SendMessage(WM_KEYDOWN, VK_END, 0);
    EXPECT_TRUE(g.GetFocusCell() == CCellID(39, 0));
    EXPECT_TRUE(g.IsCellVisible(39, 0));
    EXPECT_GT(g.GetScrollPos32(SB_VERT), 0);
    // A click lands on the row drawn there, below the heading that stays in place.
    g.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 100));
    const CCellID hit = g.GetFocusCell();
    CRect rc;
    g.GetCellRect(hit.row, hit.col, &rc);
    EXPECT_TRUE(rc.PtInRect(CPoint(10, 100)));
    EXPECT_GT(hit.row, 30);
}

TEST_F(GridTest, TitleTipShowsACutTextInFull)
{
    GridHost host;
    CGridCtrl g;
    ASSERT_TRUE(g.Create(CRect(0, 0, 300, 200), &host, 100));
    Fill(g);
    for (int c = 0; c < 4; ++c) g.SetColumnWidth(c, 40);
    g.SetItemText(2, 1, "一段远比格子宽的说明文字");
    CWnd* tip = g.GetWindow(GW_CHILD);
    ASSERT_NE(tip, nullptr);
    EXPECT_FALSE(tip->IsWindowVisible());
    g.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(50, 50)); // over cell (2, 1)
    EXPECT_TRUE(tip->IsWindowVisible());
    CString text;
    tip->GetWindowText(text);
    EXPECT_EQ(text, CString("一段远比格子宽的说明文字"));
    CRect rc;
    tip->GetWindowRect(&rc);
    EXPECT_GT(rc.Width(), 40);
    g.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 50)); // "2,0" fits its cell
    EXPECT_FALSE(tip->IsWindowVisible());
    g.EnableTitleTips(FALSE);
    g.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));
    EXPECT_FALSE(tip->IsWindowVisible());
}

TEST_F(GridTest, TextExtentGrowsWithTheText)
{
    CGridCtrl g;
    g.SetRowCount(1);
    g.SetColumnCount(1);
    g.SetItemText(0, 0, "短");
    const CSize small = g.GetCellTextExtent(0, 0);
    const CSize large = g.GetTextExtent(0, 0, "一段长得多的文字");
    EXPECT_GT(small.cx, 2 * g.GetDefCellMargin());
    EXPECT_GT(large.cx, 4 * small.cx);
    EXPECT_EQ(large.cy, small.cy);
}

TEST_F(GridTest, LibraryListControlIsAListControl)
{
    GridHost host;
    CListCtrlEx list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, CRect(0, 0, 200, 100), &host, 1111));
    EXPECT_TRUE(list.IsKindOf(RUNTIME_CLASS(CListCtrl)));
    list.InsertColumn(0, "振型号", LVCFMT_LEFT, 52);
    EXPECT_EQ(list.InsertItem(0, "  振型1"), 0);
    EXPECT_EQ(list.GetItemText(0, 0), CString("  振型1"));
}

TEST_F(GridTest, InlineSettersAndDefaultCells)
{
    CGridCtrl g;
    g.SetListMode(FALSE);
    g.SetSingleRowSelection(TRUE);
    EXPECT_FALSE(g.GetSingleRowSelection()); // only in list mode
    g.SetListMode(TRUE);
    EXPECT_TRUE(g.GetSingleRowSelection());
    EXPECT_EQ(g.SetMouseMode(3), 0);
    EXPECT_EQ(g.SetMouseMode(1), 3);
    g.SetFixedBkColor(RGB(9, 9, 9));
    EXPECT_EQ(g.GetDefaultCell(TRUE, TRUE)->GetBackClr(), RGB(9, 9, 9));
    EXPECT_EQ(g.GetDefaultCell(FALSE, TRUE)->GetBackClr(), RGB(9, 9, 9));
    EXPECT_NE(g.GetDefaultCell(FALSE, FALSE)->GetBackClr(), RGB(9, 9, 9));
    g.SetDefCellHeight(30);
    EXPECT_EQ(g.GetDefaultCell(TRUE, FALSE)->GetHeight(), 30);
    g.SetRowCount(2);
    g.SetColumnCount(1);
    EXPECT_EQ(g.GetRowHeight(1), 30);
    g.SetItemState(1, 0, GVIS_SELECTED);
    EXPECT_EQ(g.GetSelectedCount(), 1);
    g.EnableSelection(FALSE);
    EXPECT_EQ(g.GetSelectedCount(), 0);
    EXPECT_FALSE(g.IsSelectable());
}

TEST_F(GridTest, CheckCellCopiesItsOwnWordsAfterTheCellPart)
{
    CGridCellCheck a;
    a.SetText("box");
    a.SetCheck(TRUE);
    CGridCellCheck b;
    b = a;
    EXPECT_TRUE(b.GetCheck());
    EXPECT_STREQ(b.GetText(), "box");
    CGridCell plain;
    EXPECT_STREQ(plain.GetText(), ""); // never null
    EXPECT_TRUE(plain.IsDefaultFont());
    LOGFONT lf{};
    lf.lfHeight = -20;
    plain.SetFont(&lf);
    EXPECT_FALSE(plain.IsDefaultFont());
    EXPECT_EQ(plain.GetFont()->lfHeight, -20);
    CGridCellBase& base = plain;
    EXPECT_FALSE(base.Edit(0, 0, CRect(), CPoint(), 0, 0)); // no grid
}

} // namespace
