// Combo boxes and list boxes: one item list with sorted insertion, searching and item data.
#include <algorithm>
#include <cstring>

#include "ctrl_internal.h"

namespace vyr::ctrl {

namespace {

struct Item
{
    std::string text;
    DWORD_PTR data = 0;
    bool selected = false;
};

class ItemList
{
public:
    std::vector<Item> items;

    int Count() const { return (int)items.size(); }
    bool Valid(int i) const { return i >= 0 && i < Count(); }

    // Sorted: after the last item that does not sort after the text.
    int Add(const std::string& s, bool sorted)
    {
        int at = Count();
        if (sorted) {
            at = 0;
            while (at < Count() && SortCompare(items[at].text, s) <= 0) ++at;
        }
        items.insert(items.begin() + at, Item{s, 0, false});
        return at;
    }
    int Insert(int at, const std::string& s)
    {
        if (at == -1) at = Count();
        if (at < 0 || at > Count()) return -1;
        items.insert(items.begin() + at, Item{s, 0, false});
        return at;
    }
    // Searches after start, wrapping round; -1 for start searches from the top.
    int Find(int start, const std::string& s, bool exact) const
    {
        int n = Count();
        if (n == 0) return -1;
        if (start < -1 || start >= n) start = -1;
        for (int k = 1; k <= n; ++k) {
            int i = (start + k) % n;
            if (exact ? ExactMatch(items[i].text, s) : PrefixMatch(items[i].text, s)) return i;
        }
        return -1;
    }
};

void PaintRows(HWND h, const ItemList& list, int top, int current, bool multi, int rowHeight, const CRect& area, CDC& dc)
{
    int y = area.top;
    for (int i = std::max(0, top); i < list.Count() && y < area.bottom; ++i) {
        CRect r(area.left, y, area.right, y + rowHeight);
        bool sel = multi ? list.items[i].selected : i == current;
        if (sel) dc.FillSolidRect(&r, RGB(0, 120, 215));
        dc.SetTextColor(sel ? RGB(255, 255, 255) : RGB(0, 0, 0));
        CRect tr = r;
        tr.left += 2;
        dc.DrawText(list.items[i].text.c_str(), (int)list.items[i].text.size(), &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        y += rowHeight;
    }
    (void)h;
}

} // namespace

class ComboProc : public ControlProc
{
public:
    ItemList list;
    int cur = -1;
    bool dropped = false;
    int limit = 0;

    static bool IsDropList(HWND h) { return (StyleOf(h) & 0x3) == CBS_DROPDOWNLIST; }

    // The window's text follows the selection (in a drop-down list it is the selection).
    void SyncText(HWND h)
    {
        StoreText(h, list.Valid(cur) ? list.items[cur].text : std::string());
    }

    void Select(HWND h, int i)
    {
        cur = list.Valid(i) ? i : -1;
        if (cur >= 0 || IsDropList(h)) SyncText(h);
        ::InvalidateRect(h, nullptr, TRUE);
    }

    LRESULT Handle(HWND h, UINT msg, WPARAM wp, LPARAM lp) override
    {
        const char* s = (const char*)lp;
        switch (msg) {
        case CB_ADDSTRING: {
            int at = list.Add(s ? s : "", (StyleOf(h) & CBS_SORT) != 0);
            if (cur >= at) ++cur;
            return at;
        }
        case CB_INSERTSTRING: {
            int at = list.Insert((int)wp, s ? s : "");
            if (at >= 0 && cur >= at) ++cur;
            return at < 0 ? CB_ERR : at;
        }
        case CB_DELETESTRING: {
            int i = (int)wp;
            if (!list.Valid(i)) return CB_ERR;
            list.items.erase(list.items.begin() + i);
            if (cur == i) Select(h, -1);
            else if (cur > i) --cur;
            return list.Count();
        }
        case CB_RESETCONTENT:
            list.items.clear();
            cur = -1;
            if (IsDropList(h)) SyncText(h);
            return CB_OKAY;
        case CB_GETCOUNT: return list.Count();
        case CB_GETCURSEL: return cur;
        case CB_SETCURSEL:
            Select(h, (int)wp);
            return list.Valid((int)wp) ? (LRESULT)wp : CB_ERR;
        case CB_GETLBTEXT: {
            int i = (int)wp;
            if (!list.Valid(i)) return CB_ERR;
            if (lp) std::strcpy((char*)lp, list.items[i].text.c_str());
            return (LRESULT)list.items[i].text.size();
        }
        case CB_GETLBTEXTLEN: return list.Valid((int)wp) ? (LRESULT)list.items[wp].text.size() : CB_ERR;
        case CB_FINDSTRING: return list.Find((int)wp, s ? s : "", false);
        case CB_FINDSTRINGEXACT: return list.Find((int)wp, s ? s : "", true);
        case CB_SELECTSTRING: {
            int i = list.Find((int)wp, s ? s : "", false);
            if (i >= 0) Select(h, i);
            return i;
        }
        case CB_GETITEMDATA: return list.Valid((int)wp) ? (LRESULT)list.items[wp].data : CB_ERR;
        case CB_SETITEMDATA:
            if (!list.Valid((int)wp)) return CB_ERR;
            list.items[wp].data = (DWORD_PTR)lp;
            return CB_OKAY;
        case CB_SHOWDROPDOWN: dropped = wp != 0; return 1;
        case CB_GETDROPPEDSTATE: return dropped;
        case CB_LIMITTEXT: limit = (int)wp; return 1;
        case WM_SETTEXT:
            // A drop-down list shows only its items: the text selects the matching one.
            if (IsDropList(h)) {
                int i = list.Find(-1, s ? s : "", true);
                if (i < 0) return CB_ERR;
                Select(h, i);
                return TRUE;
            }
            return ::DefWindowProc(h, msg, wp, lp);
        case WM_PAINT: {
            CWnd* w = CWnd::FromHandle(h);
            if (!w) break;
            CPaintDC dc(w);
            SelectControlFont(dc, h);
            CRect rc;
            w->GetClientRect(&rc);
            CRect field(rc.left, rc.top, rc.right, rc.top + std::min<int>(rc.Height(), 20));
            dc.FillSolidRect(&field, RGB(255, 255, 255));
            dc.Draw3dRect(&field, RGB(128, 128, 128), RGB(220, 220, 220));
            CRect arrow(field.right - 16, field.top + 1, field.right - 1, field.bottom - 1);
            dc.FillSolidRect(&arrow, RGB(225, 225, 225));
            std::string t = TextOf(h);
            CRect tr(field.left + 3, field.top, arrow.left - 2, field.bottom);
            dc.SetBkMode(TRANSPARENT);
            dc.DrawText(t.c_str(), (int)t.size(), &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            if ((StyleOf(h) & 0x3) == CBS_SIMPLE) {
                CRect area(rc.left, field.bottom, rc.right, rc.bottom);
                PaintRows(h, list, 0, cur, false, 16, area, dc);
            }
            return 0;
        }
        }
        return ::DefWindowProc(h, msg, wp, lp);
    }

    bool UserChoose(HWND h, int i)
    {
        if (!list.Valid(i)) return false;
        Select(h, i);
        vyr::NotifyParent(h, CBN_SELCHANGE);
        return true;
    }

    bool UserType(HWND h, const std::string& text)
    {
        if (IsDropList(h)) return false;
        std::string t = limit > 0 && (int)text.size() > limit ? text.substr(0, (size_t)limit) : text;
        StoreText(h, t);
        cur = -1;
        vyr::NotifyParent(h, CBN_EDITUPDATE);
        vyr::NotifyParent(h, CBN_EDITCHANGE);
        return true;
    }
};

class ListBoxProc : public ControlProc
{
public:
    ItemList list;
    int cur = -1;  // the selection of a single-selection box; the caret of a multiple one
    int top = 0;

    static bool Multi(HWND h) { return (StyleOf(h) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }

    LRESULT Handle(HWND h, UINT msg, WPARAM wp, LPARAM lp) override
    {
        const char* s = (const char*)lp;
        switch (msg) {
        case LB_ADDSTRING: {
            int at = list.Add(s ? s : "", (StyleOf(h) & LBS_SORT) != 0);
            if (cur >= at) ++cur;
            ::InvalidateRect(h, nullptr, TRUE);
            return at;
        }
        case LB_INSERTSTRING: {
            int at = list.Insert((int)wp, s ? s : "");
            if (at >= 0 && cur >= at) ++cur;
            ::InvalidateRect(h, nullptr, TRUE);
            return at < 0 ? LB_ERR : at;
        }
        case LB_DELETESTRING: {
            int i = (int)wp;
            if (!list.Valid(i)) return LB_ERR;
            list.items.erase(list.items.begin() + i);
            if (cur == i) cur = -1;
            else if (cur > i) --cur;
            ::InvalidateRect(h, nullptr, TRUE);
            return list.Count();
        }
        case LB_RESETCONTENT: list.items.clear(); cur = -1; top = 0; ::InvalidateRect(h, nullptr, TRUE); return 0;
        case LB_GETCOUNT: return list.Count();
        case LB_GETCURSEL: return cur;
        case LB_SETCURSEL:
            if (Multi(h)) return LB_ERR;
            cur = list.Valid((int)wp) ? (int)wp : -1;
            ::InvalidateRect(h, nullptr, TRUE);
            return cur == -1 ? LB_ERR : cur; // -1 clears and still answers LB_ERR, as documented
        case LB_GETTEXT: {
            int i = (int)wp;
            if (!list.Valid(i)) return LB_ERR;
            if (lp) std::strcpy((char*)lp, list.items[i].text.c_str());
            return (LRESULT)list.items[i].text.size();
        }
        case LB_GETTEXTLEN: return list.Valid((int)wp) ? (LRESULT)list.items[wp].text.size() : LB_ERR;
        case LB_FINDSTRING: return list.Find((int)wp, s ? s : "", false);
        case LB_FINDSTRINGEXACT: return list.Find((int)wp, s ? s : "", true);
        case LB_SELECTSTRING: {
            if (Multi(h)) return LB_ERR;
            int i = list.Find((int)wp, s ? s : "", false);
            if (i >= 0) cur = i;
            return i;
        }
        case LB_GETITEMDATA: return list.Valid((int)wp) ? (LRESULT)list.items[wp].data : LB_ERR;
        case LB_SETITEMDATA:
            if (!list.Valid((int)wp)) return LB_ERR;
            list.items[wp].data = (DWORD_PTR)lp;
            return LB_OKAY;
        case LB_GETSEL: {
            int i = (int)wp;
            if (!list.Valid(i)) return LB_ERR;
            return Multi(h) ? list.items[i].selected : i == cur;
        }
        case LB_SETSEL: {
            if (!Multi(h)) return LB_ERR;
            int i = (int)lp;
            if (i == -1) {
                for (Item& it : list.items) it.selected = wp != 0;
            } else {
                if (!list.Valid(i)) return LB_ERR;
                list.items[i].selected = wp != 0;
                cur = i;
            }
            ::InvalidateRect(h, nullptr, TRUE);
            return 0;
        }
        case LB_GETSELCOUNT: {
            if (!Multi(h)) return LB_ERR;
            return std::count_if(list.items.begin(), list.items.end(), [](const Item& it) { return it.selected; });
        }
        case LB_GETSELITEMS: {
            if (!Multi(h)) return LB_ERR;
            int n = 0;
            int* out = (int*)lp;
            for (int i = 0; i < list.Count() && n < (int)wp; ++i)
                if (list.items[i].selected) out[n++] = i;
            return n;
        }
        case LB_GETTOPINDEX: return top;
        case LB_SETTOPINDEX:
            if (!list.Valid((int)wp)) return LB_ERR;
            top = (int)wp;
            return 0;
        case WM_PAINT: {
            CWnd* w = CWnd::FromHandle(h);
            if (!w) break;
            CPaintDC dc(w);
            SelectControlFont(dc, h);
            CRect rc;
            w->GetClientRect(&rc);
            dc.FillSolidRect(&rc, RGB(255, 255, 255));
            dc.Draw3dRect(&rc, RGB(128, 128, 128), RGB(220, 220, 220));
            CRect area = rc;
            area.DeflateRect(1, 1);
            dc.SetBkMode(TRANSPARENT);
            PaintRows(h, list, top, cur, Multi(h), 16, area, dc);
            return 0;
        }
        }
        return ::DefWindowProc(h, msg, wp, lp);
    }

    bool UserClick(HWND h, int i, bool dbl, bool ctrl)
    {
        if (!list.Valid(i)) return false;
        if (Multi(h)) {
            bool toggle = ctrl || (StyleOf(h) & LBS_MULTIPLESEL);
            if (toggle) list.items[i].selected = !list.items[i].selected;
            else {
                for (Item& it : list.items) it.selected = false;
                list.items[i].selected = true;
            }
        }
        cur = i;
        ::InvalidateRect(h, nullptr, TRUE);
        if (StyleOf(h) & LBS_NOTIFY) {
            vyr::NotifyParent(h, LBN_SELCHANGE);
            if (dbl) vyr::NotifyParent(h, LBN_DBLCLK);
        }
        return true;
    }
};

std::unique_ptr<WindowClassProc> MakeComboProc() { return std::make_unique<ComboProc>(); }
std::unique_ptr<WindowClassProc> MakeListBoxProc() { return std::make_unique<ListBoxProc>(); }

bool UserTypeInEdit(HWND h, const char* text);

} // namespace vyr::ctrl

namespace vyr {

bool UserSetText(HWND h, const char* text)
{
    if (!ctrl::UserCanReach(h)) return false;
    if (ctrl::ProcOf<ctrl::ComboProc>(h))
        return ctrl::UserAct<ctrl::ComboProc>(h, [&](auto& p) { return p.UserType(h, text ? text : ""); });
    return ctrl::UserTypeInEdit(h, text);
}

bool UserChooseComboItem(HWND h, int index)
{
    return ctrl::UserAct<ctrl::ComboProc>(h, [&](auto& p) { return p.UserChoose(h, index); });
}

bool UserChooseComboText(HWND h, const char* text)
{
    int i = (int)::SendMessage(h, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(text ? text : ""));
    return i >= 0 && UserChooseComboItem(h, i);
}

bool UserClickListBoxItem(HWND h, int index, bool doubleClick, bool ctrlKey)
{
    return ctrl::UserAct<ctrl::ListBoxProc>(h, [&](auto& p) { return p.UserClick(h, index, doubleClick, ctrlKey); });
}

} // namespace vyr

// ---- Wrappers -------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)

namespace {
// An item's text through the class's length and text messages (CB_ERR and LB_ERR are alike).
CString ItemText(const CWnd& w, UINT lenMsg, UINT textMsg, int i, const char* misuse)
{
    int n = (int)w.SendMessage(lenMsg, (WPARAM)i, 0);
    VYR_CHECK(n != LB_ERR, misuse);
    std::string s((size_t)n + 1, '\0');
    w.SendMessage(textMsg, (WPARAM)i, (LPARAM)s.data());
    s.resize((size_t)n);
    return CString(s);
}
} // namespace

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    vyr::RegisterControlClasses();
    return CWnd::Create("ComboBox", nullptr, dwStyle, rect, pParentWnd, nID);
}
int CComboBox::AddString(LPCTSTR s) { return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)s); }
int CComboBox::InsertString(int i, LPCTSTR s) { return (int)SendMessage(CB_INSERTSTRING, (WPARAM)i, (LPARAM)s); }
int CComboBox::DeleteString(UINT i) { return (int)SendMessage(CB_DELETESTRING, i, 0); }
void CComboBox::ResetContent() { SendMessage(CB_RESETCONTENT, 0, 0); }
int CComboBox::GetCount() const { return (int)SendMessage(CB_GETCOUNT, 0, 0); }
int CComboBox::GetCurSel() const { return (int)SendMessage(CB_GETCURSEL, 0, 0); }
int CComboBox::SetCurSel(int i) { return (int)SendMessage(CB_SETCURSEL, (WPARAM)i, 0); }
int CComboBox::GetLBText(int i, LPTSTR s) const { return (int)SendMessage(CB_GETLBTEXT, (WPARAM)i, (LPARAM)s); }
void CComboBox::GetLBText(int i, CString& r) const
{
    r = ItemText(*this, CB_GETLBTEXTLEN, CB_GETLBTEXT, i, "GetLBText: index out of range");
}
int CComboBox::GetLBTextLen(int i) const { return (int)SendMessage(CB_GETLBTEXTLEN, (WPARAM)i, 0); }
int CComboBox::FindString(int start, LPCTSTR s) const { return (int)SendMessage(CB_FINDSTRING, (WPARAM)start, (LPARAM)s); }
int CComboBox::FindStringExact(int start, LPCTSTR s) const { return (int)SendMessage(CB_FINDSTRINGEXACT, (WPARAM)start, (LPARAM)s); }
int CComboBox::SelectString(int start, LPCTSTR s) { return (int)SendMessage(CB_SELECTSTRING, (WPARAM)start, (LPARAM)s); }
DWORD_PTR CComboBox::GetItemData(int i) const { return (DWORD_PTR)SendMessage(CB_GETITEMDATA, (WPARAM)i, 0); }
int CComboBox::SetItemData(int i, DWORD_PTR d) { return (int)SendMessage(CB_SETITEMDATA, (WPARAM)i, (LPARAM)d); }
void CComboBox::ShowDropDown(BOOL b) { SendMessage(CB_SHOWDROPDOWN, (WPARAM)b, 0); }
BOOL CComboBox::GetDroppedState() const { return (BOOL)SendMessage(CB_GETDROPPEDSTATE, 0, 0); }
BOOL CComboBox::LimitText(int n) { return (BOOL)SendMessage(CB_LIMITTEXT, (WPARAM)n, 0); }

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    vyr::RegisterControlClasses();
    return CWnd::Create("ListBox", nullptr, dwStyle, rect, pParentWnd, nID);
}
int CListBox::AddString(LPCTSTR s) { return (int)SendMessage(LB_ADDSTRING, 0, (LPARAM)s); }
int CListBox::InsertString(int i, LPCTSTR s) { return (int)SendMessage(LB_INSERTSTRING, (WPARAM)i, (LPARAM)s); }
int CListBox::DeleteString(UINT i) { return (int)SendMessage(LB_DELETESTRING, i, 0); }
void CListBox::ResetContent() { SendMessage(LB_RESETCONTENT, 0, 0); }
int CListBox::GetCount() const { return (int)SendMessage(LB_GETCOUNT, 0, 0); }
int CListBox::GetCurSel() const { return (int)SendMessage(LB_GETCURSEL, 0, 0); }
int CListBox::SetCurSel(int i) { return (int)SendMessage(LB_SETCURSEL, (WPARAM)i, 0); }
int CListBox::GetText(int i, LPTSTR s) const { return (int)SendMessage(LB_GETTEXT, (WPARAM)i, (LPARAM)s); }
void CListBox::GetText(int i, CString& r) const
{
    r = ItemText(*this, LB_GETTEXTLEN, LB_GETTEXT, i, "GetText: index out of range");
}
int CListBox::GetTextLen(int i) const { return (int)SendMessage(LB_GETTEXTLEN, (WPARAM)i, 0); }
int CListBox::FindString(int start, LPCTSTR s) const { return (int)SendMessage(LB_FINDSTRING, (WPARAM)start, (LPARAM)s); }
int CListBox::FindStringExact(int start, LPCTSTR s) const { return (int)SendMessage(LB_FINDSTRINGEXACT, (WPARAM)start, (LPARAM)s); }
int CListBox::SelectString(int start, LPCTSTR s) { return (int)SendMessage(LB_SELECTSTRING, (WPARAM)start, (LPARAM)s); }
DWORD_PTR CListBox::GetItemData(int i) const { return (DWORD_PTR)SendMessage(LB_GETITEMDATA, (WPARAM)i, 0); }
int CListBox::SetItemData(int i, DWORD_PTR d) { return (int)SendMessage(LB_SETITEMDATA, (WPARAM)i, (LPARAM)d); }
int CListBox::GetSel(int i) const { return (int)SendMessage(LB_GETSEL, (WPARAM)i, 0); }
int CListBox::SetSel(int i, BOOL b) { return (int)SendMessage(LB_SETSEL, (WPARAM)b, (LPARAM)i); }
int CListBox::GetSelCount() const { return (int)SendMessage(LB_GETSELCOUNT, 0, 0); }
int CListBox::GetSelItems(int n, LPINT out) const { return (int)SendMessage(LB_GETSELITEMS, (WPARAM)n, (LPARAM)out); }
int CListBox::GetTopIndex() const { return (int)SendMessage(LB_GETTOPINDEX, 0, 0); }
int CListBox::SetTopIndex(int i) { return (int)SendMessage(LB_SETTOPINDEX, (WPARAM)i, 0); }
