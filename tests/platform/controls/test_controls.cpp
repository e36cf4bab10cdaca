// Control behaviours that the library's dialogs rely on: sorted combo boxes, which changes
// notify and which stay silent, list-view item states, progress ranges, edits.
#include "control_fixture.h"

#include <atomic>
#include <chrono>
#include <thread>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include <vyr/thread.h>

// ---- Combo boxes ----------------------------------------------------------------------

TEST_F(ControlTest, SortedComboInsertsInGbkOrderAndKeepsInsertedPositions)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(kChild | CBS_DROPDOWNLIST | CBS_SORT, R(0, 0, 100, 100), &sink, 10));
    // GBK puts the common characters in pinyin order (槽 cao, 钢 gang, 工 gong, 角 jiao);
    // ASCII sorts before them, without case.
    const char* added[] = {"角钢", "钢梁", "abc", "槽钢", "工字钢", "ABD", "H型钢", "b"};
    for (const char* s : added) EXPECT_NE(combo.AddString(s), CB_ERR);
    const char* expected[] = {"abc", "ABD", "b", "H型钢", "槽钢", "钢梁", "工字钢", "角钢"};
    ASSERT_EQ(combo.GetCount(), (int)std::size(expected));
    for (int i = 0; i < combo.GetCount(); ++i) {
        CString s;
        combo.GetLBText(i, s);
        EXPECT_EQ(s, expected[i]) << i;
    }
    // AddString answers where the text went; an equal text goes after its twin.
    EXPECT_EQ(combo.AddString("钢梁"), 6);
    EXPECT_EQ(combo.AddString("aaa"), 0);
    // InsertString never sorts.
    EXPECT_EQ(combo.InsertString(1, "zzz"), 1);
    int appended = combo.InsertString(-1, "000");
    EXPECT_EQ(appended, combo.GetCount() - 1);
    EXPECT_EQ(combo.InsertString(99, "x"), CB_ERR);
    CString s;
    combo.GetLBText(1, s);
    EXPECT_EQ(s, "zzz");
    // The selection follows its item when an item is inserted before it.
    combo.SetCurSel(3);
    combo.GetLBText(3, s);
    combo.AddString("a");
    EXPECT_EQ(combo.GetCurSel(), 4);
    CString again;
    combo.GetLBText(combo.GetCurSel(), again);
    EXPECT_EQ(again, s);
}

TEST_F(ControlTest, ComboSelectionNotifiesOnlyWhenTheUserChooses)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(kChild | CBS_DROPDOWNLIST, R(0, 0, 100, 100), &sink, 11));
    for (const char* s : {"一", "二", "三"}) combo.AddString(s);
    sink.Take();

    EXPECT_EQ(combo.SetCurSel(1), 1);
    EXPECT_EQ(combo.GetCurSel(), 1);
    CString text;
    combo.GetWindowText(text);
    EXPECT_EQ(text, "二"); // a drop-down list's text is its selection
    EXPECT_TRUE(sink.Take().empty());

    // The handler already sees the new selection.
    int seen = -2;
    sink.during = [&](const Note&) { seen = combo.GetCurSel(); };
    ASSERT_TRUE(vyr::UserChooseComboItem(combo.GetSafeHwnd(), 2));
    EXPECT_EQ(sink.Take(), (std::vector<Note>{Cmd(11, CBN_SELCHANGE)}));
    EXPECT_EQ(seen, 2);
    combo.GetWindowText(text);
    EXPECT_EQ(text, "三");

    // Out of range: the selection goes, CB_ERR comes back, nobody is told.
    EXPECT_EQ(combo.SetCurSel(7), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), -1);
    combo.GetWindowText(text);
    EXPECT_EQ(text, "");
    EXPECT_FALSE(vyr::UserChooseComboItem(combo.GetSafeHwnd(), 7));

    // A user cannot choose in a disabled box.
    combo.EnableWindow(FALSE);
    EXPECT_FALSE(vyr::UserChooseComboItem(combo.GetSafeHwnd(), 0));
    EXPECT_TRUE(sink.Take().empty());
}

TEST_F(ControlTest, ComboSearchDeleteAndItemData)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(kChild | CBS_DROPDOWN, R(0, 0, 100, 100), &sink, 12));
    for (const char* s : {"Q235B", "Q345B", "q235", "Foreign"}) combo.AddString(s);
    struct Case
    {
        bool exact;
        int start;
        const char* text;
        int found;
    };
    const Case cases[] = {
        {false, -1, "q2", 0}, {false, 0, "Q2", 2}, {false, 2, "q2", 0}, // wraps round
        {true, -1, "q235b", 0}, {true, -1, "Q235", 2}, {true, -1, "Q23", CB_ERR},
        {false, -1, "F", 3}, {false, -1, "X", CB_ERR}, {false, -1, "", 0},
    };
    for (const Case& c : cases) {
        int got = c.exact ? combo.FindStringExact(c.start, c.text) : combo.FindString(c.start, c.text);
        EXPECT_EQ(got, c.found) << c.text << " from " << c.start;
    }
    EXPECT_EQ(combo.SelectString(-1, "q345"), 1);
    EXPECT_EQ(combo.GetCurSel(), 1);

    int data = 42;
    EXPECT_EQ(combo.SetItemDataPtr(2, &data), CB_OKAY);
    EXPECT_EQ(combo.GetItemDataPtr(2), &data);
    EXPECT_EQ(combo.SetItemData(9, 1), CB_ERR);
    EXPECT_EQ(combo.GetItemData(9), (DWORD_PTR)(LONG_PTR)CB_ERR);
    char buf[16] = {};
    EXPECT_EQ(combo.GetLBText(3, buf), 7);
    EXPECT_STREQ(buf, "Foreign");
    EXPECT_EQ(combo.GetLBTextLen(3), 7);
    EXPECT_EQ(combo.GetLBTextLen(4), CB_ERR);

    // Deleting the selected item clears the selection; an item before it shifts it.
    EXPECT_EQ(combo.DeleteString(0), 3);
    EXPECT_EQ(combo.GetCurSel(), 0);
    EXPECT_EQ(combo.GetItemDataPtr(1), &data); // the data moved with its item
    EXPECT_EQ(combo.DeleteString(0), 2);
    EXPECT_EQ(combo.GetCurSel(), -1);
    EXPECT_EQ(combo.DeleteString(5), CB_ERR);
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
}

TEST_F(ControlTest, EditableComboTakesTypedText)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(kChild | CBS_DROPDOWN, R(0, 0, 100, 100), &sink, 13));
    combo.AddString("1.5");
    ASSERT_TRUE(vyr::UserSetText(combo.GetSafeHwnd(), "2.25"));
    CString t;
    combo.GetWindowText(t);
    EXPECT_EQ(t, "2.25");
    EXPECT_EQ(combo.GetCurSel(), -1);
    EXPECT_EQ(sink.Take(), (std::vector<Note>{Cmd(13, CBN_EDITUPDATE), Cmd(13, CBN_EDITCHANGE)}));
}

// ---- List boxes -----------------------------------------------------------------------

TEST_F(ControlTest, ListBoxMultipleSelectionAndNotifyStyle)
{
    CListBox multi, quiet;
    ASSERT_TRUE(multi.Create(kChild | LBS_NOTIFY | LBS_EXTENDEDSEL, R(0, 0, 100, 100), &sink, 20));
    ASSERT_TRUE(quiet.Create(kChild, R(0, 100, 100, 100), &sink, 21));
    for (const char* s : {"a", "b", "c", "d"}) { multi.AddString(s); quiet.AddString(s); }

    EXPECT_EQ(multi.SetCurSel(1), LB_ERR); // not for a multiple-selection box
    EXPECT_EQ(multi.SetSel(1), 0);
    EXPECT_EQ(multi.SetSel(3), 0);
    EXPECT_EQ(multi.GetSelCount(), 2);
    int items[4] = {};
    EXPECT_EQ(multi.GetSelItems(4, items), 2);
    EXPECT_EQ(items[0], 1);
    EXPECT_EQ(items[1], 3);
    EXPECT_EQ(multi.SetSel(-1, FALSE), 0);
    EXPECT_EQ(multi.GetSelCount(), 0);
    EXPECT_TRUE(sink.Take().empty());

    ASSERT_TRUE(vyr::UserClickListBoxItem(multi.GetSafeHwnd(), 0));
    ASSERT_TRUE(vyr::UserClickListBoxItem(multi.GetSafeHwnd(), 2, false, true)); // ctrl adds
    EXPECT_EQ(multi.GetSelCount(), 2);
    ASSERT_TRUE(vyr::UserClickListBoxItem(multi.GetSafeHwnd(), 3, true)); // plain: only this one
    EXPECT_EQ(multi.GetSelCount(), 1);
    EXPECT_EQ(multi.GetSel(3), 1);
    EXPECT_EQ(sink.Take(), (std::vector<Note>{Cmd(20, LBN_SELCHANGE), Cmd(20, LBN_SELCHANGE), Cmd(20, LBN_SELCHANGE),
                                              Cmd(20, LBN_DBLCLK)}));

    // Without LBS_NOTIFY the box tells nobody, as in Windows.
    ASSERT_TRUE(vyr::UserClickListBoxItem(quiet.GetSafeHwnd(), 2, true));
    EXPECT_EQ(quiet.GetCurSel(), 2);
    EXPECT_TRUE(sink.Take().empty());
    CString t;
    quiet.GetText(2, t);
    EXPECT_EQ(t, "c");
}

// ---- List views -----------------------------------------------------------------------

class ListViewTest : public ControlTest
{
protected:
    CListCtrl list;
    void Make(DWORD style)
    {
        ASSERT_TRUE(list.Create(kChild | LVS_REPORT | style, R(0, 0, 300, 20 + 17 * 4), &sink, 30));
        list.InsertColumn(0, "名称", LVCFMT_LEFT, 80);
        list.InsertColumn(1, "值", LVCFMT_RIGHT, 60);
        for (int i = 0; i < 6; ++i) {
            CString s;
            s.Format("行%d", i);
            list.InsertItem(i, s);
            s.Format("%d", i * 10);
            list.SetItemText(i, 1, s);
            list.SetItemData(i, 100 + i);
        }
        sink.Take();
    }
};

TEST_F(ListViewTest, SetItemStateNotifiesSynchronously)
{
    Make(LVS_SHOWSELALWAYS);
    UINT seenState = 0;
    sink.during = [&](const Note& n) {
        if (n.code == (int)LVN_ITEMCHANGED) seenState = list.GetItemState(n.item, LVIS_SELECTED);
    };
    EXPECT_TRUE(list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED));
    // Told before SetItemState returns, with the new state already in force.
    EXPECT_EQ(sink.Take(), (std::vector<Note>{Ntf(30, LVN_ITEMCHANGING, 2, 0, LVIS_SELECTED),
                                              Ntf(30, LVN_ITEMCHANGED, 2, 0, LVIS_SELECTED)}));
    EXPECT_EQ(seenState, LVIS_SELECTED);
    // Setting what is already there changes nothing and says nothing.
    EXPECT_TRUE(list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_TRUE(sink.Take().empty());

    list.SetItemState(4, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(list.GetSelectedCount(), 2u);
    std::vector<int> got;
    for (int i = list.GetNextItem(-1, LVNI_SELECTED); i != -1; i = list.GetNextItem(i, LVNI_SELECTED)) got.push_back(i);
    EXPECT_EQ(got, (std::vector<int>{2, 4}));
    got.clear();
    POSITION pos = list.GetFirstSelectedItemPosition();
    while (pos) got.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ(got, (std::vector<int>{2, 4}));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 4);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED | LVNI_FOCUSED), 4);

    // A parent that answers TRUE to LVN_ITEMCHANGING keeps the state.
    sink.Take();
    sink.answer = [](NMHDR* h) -> LRESULT { return h->code == LVN_ITEMCHANGING; };
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetItemState(0, LVIS_SELECTED), 0u);
    sink.answer = nullptr;

    // -1 changes every item.
    sink.Take();
    list.SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(list.GetSelectedCount(), 0u);
    EXPECT_EQ(sink.Take().size(), 4u); // changing + changed for items 2 and 4
    EXPECT_EQ(list.GetFirstSelectedItemPosition(), nullptr);
}

TEST_F(ListViewTest, SingleSelectionMovesAndUserClickOrder)
{
    Make(LVS_SINGLESEL);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetSelectedCount(), 1u);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 3);
    sink.Take();

    ASSERT_TRUE(vyr::UserClickListItem(list.GetSafeHwnd(), 5));
    std::vector<Note> notes = sink.Take();
    std::vector<Note> changed;
    for (const Note& n : notes)
        if (n.code == (int)LVN_ITEMCHANGED || n.code == (int)NM_CLICK) changed.push_back(n);
    // The old row loses its selection first, then the new one gains it, then the click.
    EXPECT_EQ(changed, (std::vector<Note>{Ntf(30, LVN_ITEMCHANGED, 3, LVIS_SELECTED, 0),
                                          Ntf(30, LVN_ITEMCHANGED, 5, 0, LVIS_SELECTED | LVIS_FOCUSED),
                                          Ntf(30, NM_CLICK, 5)}));
    ASSERT_TRUE(vyr::UserClickListItem(list.GetSafeHwnd(), 5, 0, true));
    notes = sink.Take();
    ASSERT_EQ(notes.size(), 2u); // nothing changed: only the click and the double click
    EXPECT_EQ(notes[0], Ntf(30, NM_CLICK, 5));
    EXPECT_EQ(notes[1], Ntf(30, NM_DBLCLK, 5));

    ASSERT_TRUE(vyr::UserClickListColumn(list.GetSafeHwnd(), 1));
    EXPECT_EQ(sink.Take(), (std::vector<Note>{Ntf(30, LVN_COLUMNCLICK, 1)}));
    EXPECT_FALSE(vyr::UserClickListItem(list.GetSafeHwnd(), 6));
}

TEST_F(ListViewTest, FocusIsToldToTheParent)
{
    Make(LVS_SINGLESEL);
    CEdit other;
    ASSERT_TRUE(other.Create(kChild, R(0, 100, 50, 120), &sink, 31));
    other.SetFocus();
    sink.Take();
    list.SetFocus();
    EXPECT_EQ(sink.Take(), (std::vector<Note>{Ntf(30, NM_SETFOCUS)}));
    list.SetFocus(); // already there: nothing new
    EXPECT_TRUE(sink.Take().empty());
    other.SetFocus();
    std::vector<Note> notes = sink.Take();
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(notes[0], Ntf(30, NM_KILLFOCUS));
}

TEST_F(ListViewTest, RowsKeepInsertionOrderAndTheirTexts)
{
    Make(0);
    EXPECT_EQ(list.InsertItem(0, "首"), 0);
    EXPECT_EQ(list.InsertItem(99, "末"), 7); // past the end appends
    EXPECT_EQ(list.GetItemCount(), 8);
    EXPECT_EQ(list.GetItemText(0, 0), "首");
    EXPECT_EQ(list.GetItemText(1, 0), "行0");
    EXPECT_EQ(list.GetItemText(1, 1), "0");
    EXPECT_EQ(list.GetItemText(0, 1), "");
    EXPECT_EQ(list.GetItemData(3), (DWORD_PTR)102);
    EXPECT_FALSE(list.SetItemText(1, 5, "x")); // no such column
    EXPECT_TRUE(list.DeleteItem(1));
    EXPECT_EQ(list.GetItemText(1, 0), "行1");
    EXPECT_FALSE(list.DeleteItem(42));

    EXPECT_EQ(list.GetColumnWidth(1), 60);
    list.SetColumnWidth(1, 75);
    EXPECT_EQ(list.GetColumnWidth(1), 75);
    LVCOLUMN col{};
    char buf[32];
    col.mask = LVCF_TEXT | LVCF_FMT;
    col.pszText = buf;
    col.cchTextMax = sizeof buf;
    ASSERT_TRUE(list.GetColumn(1, &col));
    EXPECT_STREQ(buf, "值");
    EXPECT_EQ(col.fmt, LVCFMT_RIGHT);
    EXPECT_TRUE(list.DeleteColumn(1));
    EXPECT_EQ(list.GetColumnCount(), 1);

    // Rows below the visible page scroll into view.
    CRect r;
    ASSERT_TRUE(list.GetItemRect(6, &r, LVIR_BOUNDS));
    EXPECT_GE(r.top, 20 + 17 * 4);
    EXPECT_TRUE(list.EnsureVisible(6, FALSE));
    ASSERT_TRUE(list.GetItemRect(6, &r, LVIR_BOUNDS));
    EXPECT_LT(r.bottom, 20 + 17 * 4 + 1);
    EXPECT_GT(list.GetTopIndex(), 0);

    sink.Take();
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetTopIndex(), 0);
}

TEST_F(ListViewTest, LabelEditEndsWithTheParentsAnswer)
{
    Make(LVS_EDITLABELS);
    CEdit* edit = list.EditLabel(2);
    ASSERT_NE(edit, nullptr);
    CString shown;
    edit->GetWindowText(shown);
    EXPECT_EQ(shown, "行2");
    std::string seen;
    sink.answer = [&](NMHDR* h) -> LRESULT {
        if (h->code != LVN_ENDLABELEDIT) return 0;
        auto* di = reinterpret_cast<NMLVDISPINFO*>(h);
        seen = di->item.pszText ? di->item.pszText : "(null)";
        return seen == "新名";
    };
    ASSERT_TRUE(vyr::UserEndLabelEdit(list.GetSafeHwnd(), "被拒"));
    EXPECT_EQ(seen, "被拒");
    EXPECT_EQ(list.GetItemText(2, 0), "行2");
    EXPECT_FALSE(vyr::UserEndLabelEdit(list.GetSafeHwnd(), "x")); // no edit is open

    list.EditLabel(2);
    ASSERT_TRUE(vyr::UserEndLabelEdit(list.GetSafeHwnd(), "新名"));
    EXPECT_EQ(list.GetItemText(2, 0), "新名");
    list.EditLabel(2);
    ASSERT_TRUE(vyr::UserEndLabelEdit(list.GetSafeHwnd(), nullptr, true));
    EXPECT_EQ(seen, "(null)");
    EXPECT_EQ(list.GetItemText(2, 0), "新名");
}

// ---- Progress bars, tabs, spins ---------------------------------------------------------

TEST_F(ControlTest, ProgressRangeIsHeldToSixteenBits)
{
    CProgressCtrl bar;
    ASSERT_TRUE(bar.Create(kChild, R(0, 0, 200, 10), &sink, 40));
    struct Case
    {
        int lo, hi, wantLo, wantHi;
    };
    const Case cases[] = {{0, 100, 0, 100}, {0, 65535, 0, 65535}, {0, 70000, 0, 65535}, {-5, 10, 0, 10}, {10, 200000, 10, 65535}};
    for (const Case& c : cases) {
        bar.SetRange(c.lo, c.hi);
        int lo = -1, hi = -1;
        bar.GetRange(lo, hi);
        EXPECT_EQ(lo, c.wantLo) << c.lo << ".." << c.hi;
        EXPECT_EQ(hi, c.wantHi) << c.lo << ".." << c.hi;
    }
    bar.SetRange32(0, 100000);
    int lo, hi;
    bar.GetRange(lo, hi);
    EXPECT_EQ(hi, 100000);

    bar.SetRange(0, 3);
    bar.SetStep(1);
    bar.SetPos(1);
    EXPECT_EQ(bar.SetPos(9), 1); // answers the old position; the new one is held to the range
    EXPECT_EQ(bar.GetPos(), 3);
    bar.SetPos(0);
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) {
        bar.StepIt();
        seen.push_back(bar.GetPos());
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 0, 1})); // past the end it starts over
    EXPECT_EQ(bar.OffsetPos(10), 1);
    EXPECT_EQ(bar.GetPos(), 3); // an offset stops at the end
    EXPECT_TRUE(sink.Take().empty());
}

TEST_F(ControlTest, TabChoiceNotifiesAndMayBeRefused)
{
    CTabCtrl tab;
    ASSERT_TRUE(tab.Create(kChild, R(0, 0, 300, 100), &sink, 50));
    EXPECT_EQ(tab.GetCurSel(), -1);
    for (const char* s : {"X 向(m)", "Y 向(m)", "Z"}) tab.InsertItem(tab.GetItemCount(), s);
    EXPECT_EQ(tab.GetCurSel(), 0);
    EXPECT_EQ(tab.SetCurSel(2), 0);
    EXPECT_TRUE(sink.Take().empty());

    ASSERT_TRUE(vyr::UserChooseTab(tab.GetSafeHwnd(), 1));
    EXPECT_EQ(tab.GetCurSel(), 1);
    EXPECT_EQ(sink.Take(), (std::vector<Note>{Ntf(50, TCN_SELCHANGING), Ntf(50, TCN_SELCHANGE)}));
    sink.answer = [](NMHDR* h) -> LRESULT { return h->code == TCN_SELCHANGING; };
    ASSERT_TRUE(vyr::UserChooseTab(tab.GetSafeHwnd(), 0));
    EXPECT_EQ(tab.GetCurSel(), 1);
    EXPECT_EQ(sink.Take(), (std::vector<Note>{Ntf(50, TCN_SELCHANGING)}));

    tab.DeleteItem(0);
    EXPECT_EQ(tab.GetCurSel(), 0); // the current tab moved down with its neighbour's removal
    CRect r(0, 0, 300, 100);
    tab.AdjustRect(FALSE, &r);
    EXPECT_GT(r.top, 0);
    tab.AdjustRect(TRUE, &r);
    EXPECT_EQ(r, CRect(0, 0, 300, 100));
}

TEST_F(ControlTest, TabsAreAsWideAsTheirTextsAndWrapWhenMultiline)
{
    // 宋体 of 12 pixels: "使用" 24 pixels, "自定义" 36, each with 6 pixels on either side.
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, "宋体"));
    const char* captions[] = {"使用", "全部", "自定义", "组合", "变截面"};
    CTabCtrl line;
    ASSERT_TRUE(line.Create(kChild, R(0, 0, 150, 100), &sink, 51));
    line.SetFont(&font);
    for (const char* c : captions) line.InsertItem(line.GetItemCount(), c);
    CRect r;
    ASSERT_TRUE(line.GetItemRect(2, &r));
    EXPECT_EQ(r, CRect(2 + 36 + 36, 0, 2 + 36 + 36 + 48, 20)); // one row, running past the control

    // Multiline in 146 pixels: 36 + 36 + 48 in the first row, 36 + 48 in the second, each
    // row stretched to the width; the current tab's row lies next to the display area.
    CTabCtrl multi;
    ASSERT_TRUE(multi.Create(kChild | TCS_MULTILINE, R(0, 0, 150, 100), &sink, 52));
    multi.SetFont(&font);
    for (const char* c : captions) multi.InsertItem(multi.GetItemCount(), c);
    const CRect want[] = {{2, 20, 46, 40}, {46, 20, 91, 40}, {91, 20, 148, 40}, {2, 0, 69, 20}, {69, 0, 148, 20}};
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(multi.GetItemRect(i, &r));
        EXPECT_EQ(r, want[i]) << captions[i];
    }
    CRect display(0, 0, 150, 100);
    multi.AdjustRect(FALSE, &display);
    EXPECT_EQ(display.top, 2 * 20 + 2);
    // The current tab in the second row brings that row down.
    multi.SetCurSel(4);
    ASSERT_TRUE(multi.GetItemRect(4, &r));
    EXPECT_EQ(r, CRect(69, 20, 148, 40));
    ASSERT_TRUE(multi.GetItemRect(0, &r));
    EXPECT_EQ(r.top, 0);
}

TEST_F(ControlTest, SpinKeepsItsBuddyInStep)
{
    CEdit edit;
    CSpinButtonCtrl spin;
    ASSERT_TRUE(edit.Create(kChild | WS_BORDER, R(0, 0, 60, 20), &sink, 60));
    ASSERT_TRUE(spin.Create(kChild | UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ARROWKEYS, R(60, 0, 12, 20), &sink, 61));
    EXPECT_EQ(spin.GetBuddy(), &edit);
    spin.SetRange(1, 10);
    spin.SetPos(4);
    CString t;
    edit.GetWindowText(t);
    EXPECT_EQ(t, "4");
    EXPECT_EQ(LOWORD(spin.GetPos()), 4);

    // A number typed into the buddy is the position.
    edit.SetWindowText("7");
    EXPECT_EQ(spin.GetPos(), 7);
    edit.SetWindowText("70");
    EXPECT_NE(HIWORD(spin.GetPos()), 0); // out of range: the error flag

    edit.SetWindowText("9");
    sink.Take();
    ASSERT_TRUE(vyr::UserSpin(spin.GetSafeHwnd(), 1));
    ASSERT_TRUE(vyr::UserSpin(spin.GetSafeHwnd(), 1)); // held at the top
    edit.GetWindowText(t);
    EXPECT_EQ(t, "10");
    std::vector<Note> notes = sink.Take();
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(notes[0], Ntf(61, UDN_DELTAPOS, 1));

    sink.answer = [](NMHDR* h) -> LRESULT { return h->code == UDN_DELTAPOS; };
    ASSERT_TRUE(vyr::UserSpin(spin.GetSafeHwnd(), -1));
    edit.GetWindowText(t);
    EXPECT_EQ(t, "10");
}

// ---- Buttons ------------------------------------------------------------------------------

TEST_F(ControlTest, AutoRadioButtonsShareTheirGroup)
{
    CButton a, b, c, other, box;
    ASSERT_TRUE(a.Create("a", kChild | BS_AUTORADIOBUTTON | WS_GROUP, R(0, 0, 50, 10), &sink, 70));
    ASSERT_TRUE(b.Create("b", kChild | BS_AUTORADIOBUTTON, R(0, 10, 50, 10), &sink, 71));
    ASSERT_TRUE(c.Create("c", kChild | BS_AUTORADIOBUTTON, R(0, 20, 50, 10), &sink, 72));
    ASSERT_TRUE(other.Create("o", kChild | BS_AUTORADIOBUTTON | WS_GROUP, R(0, 30, 50, 10), &sink, 73));
    ASSERT_TRUE(box.Create("3", kChild | BS_AUTO3STATE | WS_GROUP, R(0, 40, 50, 10), &sink, 74));
    other.SetCheck(BST_CHECKED);
    a.SetCheck(BST_CHECKED);
    EXPECT_TRUE(sink.Take().empty()); // SetCheck is silent

    ASSERT_TRUE(vyr::UserClickButton(c.GetSafeHwnd()));
    EXPECT_EQ(a.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(c.GetCheck(), BST_CHECKED);
    EXPECT_EQ(other.GetCheck(), BST_CHECKED); // another group
    EXPECT_EQ(sink.Take(), (std::vector<Note>{Cmd(72, BN_CLICKED)}));
    EXPECT_EQ(sink.GetCheckedRadioButton(70, 72), 72);

    std::vector<int> states;
    for (int i = 0; i < 4; ++i) {
        box.SendMessage(BM_CLICK);
        states.push_back(box.GetCheck());
    }
    EXPECT_EQ(states, (std::vector<int>{BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED, BST_CHECKED}));
    box.EnableWindow(FALSE);
    sink.Take();
    box.SendMessage(BM_CLICK);
    EXPECT_EQ(box.GetCheck(), BST_CHECKED);
    EXPECT_TRUE(sink.Take().empty());
    EXPECT_FALSE(vyr::UserClickButton(box.GetSafeHwnd()));
}

// ---- Edits --------------------------------------------------------------------------------

TEST_F(ControlTest, EditChangeNotificationsAndSelection)
{
    CEdit single, multi;
    ASSERT_TRUE(single.Create(kChild | ES_AUTOHSCROLL, R(0, 0, 100, 20), &sink, 80));
    ASSERT_TRUE(multi.Create(kChild | ES_MULTILINE, R(0, 20, 100, 60), &sink, 81));
    sink.Take();
    single.SetWindowText("60");
    multi.SetWindowText("a\r\nb");
    // A single-line edit tells its parent about text set by code; a multi-line one does not.
    EXPECT_EQ(sink.Take(), (std::vector<Note>{Cmd(80, EN_UPDATE), Cmd(80, EN_CHANGE)}));
    EXPECT_EQ(multi.GetLineCount(), 2);
    EXPECT_EQ(single.GetLineCount(), 1);

    single.SetSel(0, -1);
    int s = -1, e = -1;
    single.GetSel(s, e);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(e, 2);
    single.SetSel(1, 1);
    single.ReplaceSel("5.");
    CString t;
    single.GetWindowText(t);
    EXPECT_EQ(t, "65.0");
    single.GetSel(s, e);
    EXPECT_EQ(s, 3);
    EXPECT_EQ(sink.Take(), (std::vector<Note>{Cmd(80, EN_UPDATE), Cmd(80, EN_CHANGE)}));

    // The limit holds what is typed or inserted, not what code sets.
    single.LimitText(5);
    single.SetSel(0, 0);
    single.ReplaceSel("abc");
    single.GetWindowText(t);
    EXPECT_EQ(t, "a65.0");
    ASSERT_TRUE(vyr::UserSetText(single.GetSafeHwnd(), "1234567"));
    single.GetWindowText(t);
    EXPECT_EQ(t, "12345");
    single.SetWindowText("1234567");
    single.GetWindowText(t);
    EXPECT_EQ(t, "1234567");

    single.SetReadOnly(TRUE);
    EXPECT_FALSE(vyr::UserSetText(single.GetSafeHwnd(), "x"));
    EXPECT_TRUE(single.GetStyle() & ES_READONLY);
}

// ---- Rich edit ------------------------------------------------------------------------------

namespace {

struct Buffer
{
    std::string data;
    size_t pos = 0;
};

DWORD ReadCb(DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* pcb)
{
    auto* b = reinterpret_cast<Buffer*>(cookie);
    size_t n = std::min<size_t>((size_t)cb, b->data.size() - b->pos);
    std::memcpy(buf, b->data.data() + b->pos, n);
    b->pos += n;
    *pcb = (LONG)n;
    return 0;
}

DWORD WriteCb(DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* pcb)
{
    reinterpret_cast<Buffer*>(cookie)->data.append((const char*)buf, (size_t)cb);
    *pcb = cb;
    return 0;
}

void AppendRtf(CRichEditCtrl& re, const std::string& rtf)
{
    Buffer b{rtf};
    EDITSTREAM es{(DWORD_PTR)&b, 0, ReadCb};
    re.SetSel(-1, -1);
    re.StreamIn(SF_RTF | SFF_SELECTION, es);
}

std::string StreamOutAll(CRichEditCtrl& re, int format)
{
    Buffer b;
    EDITSTREAM es{(DWORD_PTR)&b, 0, WriteCb};
    re.StreamOut(format, es);
    return b.data;
}

} // namespace

TEST_F(ControlTest, RichEditAssemblesOneDocumentFromAppendedFragments)
{
    CRichEditCtrl re;
    ASSERT_TRUE(re.Create(kChild | ES_MULTILINE | ES_READONLY, R(0, 0, 300, 200), &sink, 90));
    // As the report writer writes it: \uN with a two-byte GBK fallback (\uc2).
    const std::string head = "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052\\uc2\n"
                             "{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}";
    // The report writer's way: each fragment a whole document; its colour table grows.
    AppendRtf(re, head + "{\\colortbl;\\red255\\green0\\blue0;}\\pard\\b \\u35745\\'bc\\'c6\\u31639\\'cb\\'e3\\u20070\\'ca\\'e9\\b0\\par\n}");
    AppendRtf(re, head + "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\\pard\\cf2 "
                         "\\'b8\\'d6\\'c1\\'ba\\tab Q235\\par\n\\trowd\\cellx1000\\cellx2000 a\\cell b\\cell\\row\n}");
    re.SetSel(-1, 0);
    re.ReplaceSel("结束X");

    CString text;
    re.GetWindowText(text);
    EXPECT_EQ(text, "计算书\r\n钢梁\tQ235\r\na\tb\r\n结束X");
    EXPECT_EQ(re.GetTextLength(), text.GetLength());
    EXPECT_EQ(re.GetLineCount(), 4);
    EXPECT_EQ(StreamOutAll(re, SF_TEXT), text.str());

    // The rich side streams out as one document with the latest head.
    std::string rtf = StreamOutAll(re, SF_RTF);
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    EXPECT_EQ(std::count(rtf.begin(), rtf.end(), '{') , std::count(rtf.begin(), rtf.end(), '}'));
    EXPECT_EQ(rtf.find("{\\rtf", 1), std::string::npos);
    EXPECT_NE(rtf.find("\\red0\\green0\\blue255"), std::string::npos);
    EXPECT_EQ(vyr::RtfToPlainText(rtf), text.str());

    // Setting the text starts over; an RTF text is read as rich text.
    re.SetWindowText("");
    EXPECT_EQ(re.GetTextLength(), 0);
    re.SetWindowText("{\\rtf1\\ansi \\{x\\}\\par y}");
    re.GetWindowText(text);
    EXPECT_EQ(text, "{x}\r\ny");
    // What other readers make of the assembled document.
    {
        auto file = std::filesystem::temp_directory_path() / ("vyr_rich_" + std::to_string(::getpid()) + ".rtf");
        std::ofstream(file, std::ios::binary) << rtf;
        std::string cmd = "/usr/bin/unrtf --html '" + file.string() + "' 2>/dev/null";
        std::string out;
        if (FILE* p = ::popen(cmd.c_str(), "r")) {
            char buf[512];
            size_t n;
            while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
            EXPECT_EQ(::pclose(p), 0);
        }
        std::filesystem::remove(file);
        EXPECT_NE(out.find("Q235"), std::string::npos) << out;
        EXPECT_NE(out.find("&#32467;&#26463;"), std::string::npos) << out; // 结束
        EXPECT_NE(out.find("&#38050;&#26753;"), std::string::npos) << out; // 钢梁, from GBK bytes
    }
    re.SetWindowText("plain {text}");
    EXPECT_EQ(StreamOutAll(re, SF_TEXT), "plain {text}");
    EXPECT_NE(StreamOutAll(re, SF_RTF).find("plain \\{text\\}"), std::string::npos);
}

// ---- Calls from a worker thread ---------------------------------------------------------

namespace {

struct WorkerControls
{
    CProgressCtrl* bar;
    CRichEditCtrl* rich;
    CListCtrl* list;
    CComboBox* combo;
    std::atomic<bool> done{false};
};

UINT WorkOnControls(LPVOID p)
{
    auto* w = static_cast<WorkerControls*>(p);
    for (int i = 0; i < 50; ++i) {
        w->bar->StepIt();
        w->rich->SetSel(-1, -1);
        w->rich->ReplaceSel("行\r\n");
        CString s;
        s.Format("%02d", i);
        w->list->InsertItem(w->list->GetItemCount(), s);
        w->combo->AddString(s);
    }
    w->list->SetItemState(10, LVIS_SELECTED, LVIS_SELECTED);
    w->done = true;
    return 0;
}

} // namespace

TEST_F(ControlTest, WorkerCallsAreCarriedOutOnTheWindowsThread)
{
    CProgressCtrl bar;
    CRichEditCtrl rich;
    CListCtrl list;
    CComboBox combo;
    ASSERT_TRUE(bar.Create(kChild, R(0, 0, 100, 10), &sink, 100));
    ASSERT_TRUE(rich.Create(kChild | ES_MULTILINE, R(0, 10, 100, 100), &sink, 101));
    ASSERT_TRUE(list.Create(kChild | LVS_REPORT | LVS_SINGLESEL, R(100, 0, 100, 100), &sink, 102));
    ASSERT_TRUE(combo.Create(kChild | CBS_DROPDOWNLIST | CBS_SORT, R(200, 0, 100, 100), &sink, 103));
    list.InsertColumn(0, "n", LVCFMT_LEFT, 50);
    bar.SetRange(0, 100);
    bar.SetStep(2);
    sink.Take();
    DWORD uiThread = ::GetCurrentThreadId();
    DWORD notifiedOn = 0;
    sink.during = [&](const Note& n) {
        if (n.code == (int)LVN_ITEMCHANGED) notifiedOn = ::GetCurrentThreadId();
    };

    WorkerControls w{&bar, &rich, &list, &combo};
    ASSERT_NE(AfxBeginThread(&WorkOnControls, &w), nullptr);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!w.done && std::chrono::steady_clock::now() < deadline) {
        vyr::PumpMessages();
        std::this_thread::yield();
    }
    ASSERT_TRUE(w.done);
    EXPECT_EQ(bar.GetPos(), 100);
    EXPECT_EQ(rich.GetLineCount(), 51);
    EXPECT_EQ(list.GetItemCount(), 50);
    EXPECT_EQ(list.GetItemText(49, 0), "49");
    EXPECT_EQ(combo.GetCount(), 50);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 10);
    EXPECT_EQ(notifiedOn, uiThread); // the parent heard on its own thread
}
