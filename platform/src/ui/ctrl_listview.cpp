// The list view in report form: columns, rows in insertion order, item states with their
// LVN_ITEMCHANGED notifications, label editing.
#include <algorithm>
#include <cstring>

#include "ctrl_internal.h"

namespace vyr::ctrl {

namespace {

constexpr int kHeaderHeight = 20;
constexpr int kRowHeight = 17;

struct Column
{
    int fmt = LVCFMT_LEFT;
    int cx = 60;
    std::string text;
    int subItem = 0;
    int image = -1;
    int order = 0;
};

struct Row
{
    std::vector<std::string> texts; // by sub-item
    int image = 0;
    LPARAM lParam = 0;
    UINT state = 0;
    int indent = 0;
};

} // namespace

class ListViewProc : public ControlProc
{
public:
    std::vector<Column> columns;
    std::vector<Row> rows;
    HIMAGELIST images[3] = {nullptr, nullptr, nullptr};
    DWORD exStyle = 0;
    int top = 0;
    int selectionMark = -1;
    COLORREF bk = RGB(255, 255, 255), textColor = RGB(0, 0, 0), textBk = RGB(255, 255, 255);
    int editing = -1;
    CEdit* editCtrl = nullptr;

    bool Valid(int i) const { return i >= 0 && i < (int)rows.size(); }

    std::string& TextRef(Row& r, int sub)
    {
        if ((int)r.texts.size() <= sub) r.texts.resize((size_t)sub + 1);
        return r.texts[(size_t)sub];
    }

    // Changes the state bits of one item and tells the parent when they changed.
    void ChangeState(HWND h, int i, UINT state, UINT mask)
    {
        Row& r = rows[(size_t)i];
        UINT old = r.state;
        UINT now = (old & ~mask) | (state & mask);
        if (now == old) return;
        NMLISTVIEW nm{};
        nm.iItem = i;
        nm.uNewState = now;
        nm.uOldState = old;
        nm.uChanged = LVIF_STATE;
        nm.lParam = r.lParam;
        if (vyr::NotifyParent(h, &nm.hdr, LVN_ITEMCHANGING)) return; // the parent refused
        if (!Valid(i)) return;
        rows[(size_t)i].state = now;
        if ((now & LVIS_SELECTED) && !(old & LVIS_SELECTED)) selectionMark = i;
        ::InvalidateRect(h, nullptr, TRUE);
        nm.lParam = rows[(size_t)i].lParam;
        vyr::NotifyParent(h, &nm.hdr, LVN_ITEMCHANGED);
    }

    void SetState(HWND h, int item, UINT state, UINT mask)
    {
        bool single = (StyleOf(h) & LVS_SINGLESEL) != 0;
        if (item == -1) {
            for (int i = 0; i < (int)rows.size(); ++i) {
                UINT m = mask;
                // One selected item at most in a single-selection list, one focused always.
                if (single && (state & LVIS_SELECTED) && i > 0) m &= ~LVIS_SELECTED;
                if ((state & LVIS_FOCUSED) && i > 0) m &= ~LVIS_FOCUSED;
                if (Valid(i)) ChangeState(h, i, state, m);
            }
            return;
        }
        if (!Valid(item)) return;
        // Selecting in a single-selection list, or focusing, takes the bit from the others.
        for (int i = 0; i < (int)rows.size(); ++i) {
            if (i == item) continue;
            UINT clear = 0;
            if (single && (mask & state & LVIS_SELECTED)) clear |= LVIS_SELECTED;
            if (mask & state & LVIS_FOCUSED) clear |= LVIS_FOCUSED;
            if (clear && Valid(i) && (rows[(size_t)i].state & clear)) ChangeState(h, i, 0, clear);
        }
        if (Valid(item)) ChangeState(h, item, state, mask);
    }

    int Insert(HWND h, const LVITEM* it)
    {
        if (!it || it->iSubItem != 0) return -1;
        int at = it->iItem;
        if (at < 0) return -1;
        if (at > (int)rows.size()) at = (int)rows.size();
        Row r;
        if (it->mask & LVIF_TEXT) TextRef(r, 0) = it->pszText && it->pszText != LPSTR_TEXTCALLBACK ? it->pszText : "";
        if (it->mask & LVIF_IMAGE) r.image = it->iImage;
        if (it->mask & LVIF_PARAM) r.lParam = it->lParam;
        if (it->mask & LVIF_INDENT) r.indent = it->iIndent;
        UINT state = (it->mask & LVIF_STATE) ? (it->state & it->stateMask) : 0;
        rows.insert(rows.begin() + at, r);
        if (selectionMark >= at) ++selectionMark;
        if (editing >= at) ++editing;
        NMLISTVIEW nm{};
        nm.iItem = at;
        nm.lParam = r.lParam;
        vyr::NotifyParent(h, &nm.hdr, LVN_INSERTITEM);
        if (state && Valid(at)) SetState(h, at, state, state);
        ::InvalidateRect(h, nullptr, TRUE);
        return at;
    }

    BOOL SetItem(HWND h, const LVITEM* it)
    {
        if (!it || !Valid(it->iItem)) return FALSE;
        if (it->iSubItem < 0 || (it->iSubItem > 0 && it->iSubItem >= std::max<int>(1, (int)columns.size()))) return FALSE;
        Row& r = rows[(size_t)it->iItem];
        if (it->mask & LVIF_TEXT) TextRef(r, it->iSubItem) = it->pszText && it->pszText != LPSTR_TEXTCALLBACK ? it->pszText : "";
        if (it->iSubItem == 0) {
            if (it->mask & LVIF_IMAGE) r.image = it->iImage;
            if (it->mask & LVIF_PARAM) r.lParam = it->lParam;
            if (it->mask & LVIF_INDENT) r.indent = it->iIndent;
        }
        ::InvalidateRect(h, nullptr, TRUE);
        if ((it->mask & LVIF_STATE) && it->iSubItem == 0) SetState(h, it->iItem, it->state, it->stateMask);
        return TRUE;
    }

    BOOL GetItem(const LVITEM* in) const
    {
        auto* it = const_cast<LVITEM*>(in);
        if (!it || !Valid(it->iItem)) return FALSE;
        const Row& r = rows[(size_t)it->iItem];
        if (it->mask & LVIF_TEXT) {
            std::string t = it->iSubItem < (int)r.texts.size() ? r.texts[(size_t)it->iSubItem] : std::string();
            CopyOut(t, it->pszText, it->cchTextMax);
        }
        if (it->mask & LVIF_IMAGE) it->iImage = r.image;
        if (it->mask & LVIF_PARAM) it->lParam = r.lParam;
        if (it->mask & LVIF_STATE) it->state = r.state & it->stateMask;
        if (it->mask & LVIF_INDENT) it->iIndent = r.indent;
        return TRUE;
    }

    int NextItem(int start, UINT flags) const
    {
        int n = (int)rows.size();
        UINT want = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
        auto ok = [&](int i) { return (rows[(size_t)i].state & want) == want; };
        if (flags & LVNI_ABOVE) {
            for (int i = (start < 0 ? n : start) - 1; i >= 0; --i)
                if (ok(i)) return i;
            return -1;
        }
        for (int i = start < 0 ? 0 : start + 1; i < n; ++i)
            if (ok(i)) return i;
        return -1;
    }

    int CountPerPage(HWND h) const
    {
        RECT rc{};
        ::GetClientRect(h, &rc);
        int body = (rc.bottom - rc.top) - (Header(h) ? kHeaderHeight : 0);
        return std::max(1, body / kRowHeight);
    }

    static bool Header(HWND h) { return !(StyleOf(h) & LVS_NOCOLUMNHEADER); }

    int TotalWidth() const
    {
        int w = 0;
        for (const Column& c : columns) w += c.cx;
        return w;
    }

    bool ItemRect(HWND h, int i, UINT code, RECT* out) const
    {
        if (!Valid(i) || !out) return false;
        int y = (Header(h) ? kHeaderHeight : 0) + (i - top) * kRowHeight;
        int width = columns.empty() ? 100 : TotalWidth();
        CRect r(0, y, width, y + kRowHeight);
        int col0 = columns.empty() ? width : columns[0].cx;
        bool icon = images[LVSIL_SMALL] != nullptr;
        if (code == LVIR_ICON) r.right = icon ? 16 : 0;
        else if (code == LVIR_LABEL) { r.left = icon ? 16 : 0; r.right = col0; }
        else if (code == LVIR_SELECTBOUNDS && !(exStyle & LVS_EX_FULLROWSELECT)) r.right = col0;
        *out = r;
        return true;
    }

    LRESULT Handle(HWND h, UINT msg, WPARAM wp, LPARAM lp) override
    {
        switch (msg) {
        case LVM_INSERTCOLUMN: {
            auto* c = (const LVCOLUMN*)lp;
            int at = (int)wp;
            if (!c || at < 0) return -1;
            if (at > (int)columns.size()) at = (int)columns.size();
            Column col;
            if (c->mask & LVCF_FMT) col.fmt = c->fmt;
            if (c->mask & LVCF_WIDTH) col.cx = c->cx;
            if (c->mask & LVCF_TEXT) col.text = c->pszText ? c->pszText : "";
            col.subItem = (c->mask & LVCF_SUBITEM) ? c->iSubItem : at;
            if (c->mask & LVCF_IMAGE) col.image = c->iImage;
            col.order = at;
            if (columns.empty() && at == 0) {
                columns.push_back(col);
            } else {
                // Sub-item texts stay with their sub-item number, as in the control.
                columns.insert(columns.begin() + at, col);
            }
            ::InvalidateRect(h, nullptr, TRUE);
            return at;
        }
        case LVM_SETCOLUMN: {
            auto* c = (const LVCOLUMN*)lp;
            int i = (int)wp;
            if (!c || i < 0 || i >= (int)columns.size()) return FALSE;
            Column& col = columns[(size_t)i];
            if (c->mask & LVCF_FMT) col.fmt = c->fmt;
            if (c->mask & LVCF_WIDTH) col.cx = c->cx;
            if (c->mask & LVCF_TEXT) col.text = c->pszText ? c->pszText : "";
            if (c->mask & LVCF_SUBITEM) col.subItem = c->iSubItem;
            if (c->mask & LVCF_IMAGE) col.image = c->iImage;
            ::InvalidateRect(h, nullptr, TRUE);
            return TRUE;
        }
        case LVM_GETCOLUMN: {
            auto* c = (LVCOLUMN*)lp;
            int i = (int)wp;
            if (!c || i < 0 || i >= (int)columns.size()) return FALSE;
            const Column& col = columns[(size_t)i];
            if (c->mask & LVCF_FMT) c->fmt = col.fmt;
            if (c->mask & LVCF_WIDTH) c->cx = col.cx;
            if (c->mask & LVCF_TEXT) CopyOut(col.text, c->pszText, c->cchTextMax);
            if (c->mask & LVCF_SUBITEM) c->iSubItem = col.subItem;
            if (c->mask & LVCF_IMAGE) c->iImage = col.image;
            if (c->mask & LVCF_ORDER) c->iOrder = i;
            return TRUE;
        }
        case LVM_DELETECOLUMN: {
            int i = (int)wp;
            if (i < 0 || i >= (int)columns.size()) return FALSE;
            int sub = columns[(size_t)i].subItem;
            columns.erase(columns.begin() + i);
            if (sub > 0)
                for (Row& r : rows)
                    if ((int)r.texts.size() > sub) r.texts[(size_t)sub].clear();
            ::InvalidateRect(h, nullptr, TRUE);
            return TRUE;
        }
        case LVM_GETCOLUMNWIDTH: {
            int i = (int)wp;
            return i >= 0 && i < (int)columns.size() ? columns[(size_t)i].cx : 0;
        }
        case LVM_SETCOLUMNWIDTH: {
            int i = (int)wp;
            if (i < 0 || i >= (int)columns.size()) return FALSE;
            int cx = (int)(short)LOWORD(lp);
            const int mode = cx;
            Column& col = columns[(size_t)i];
            if (mode == LVSCW_AUTOSIZE || mode == LVSCW_AUTOSIZE_USEHEADER) {
                // Widest text at the dialog font's six pixels per GBK column, plus margins.
                int w = mode == LVSCW_AUTOSIZE_USEHEADER ? vyr::GbkWidth(col.text) : 0;
                for (const Row& r : rows)
                    if (col.subItem < (int)r.texts.size()) w = std::max(w, vyr::GbkWidth(r.texts[(size_t)col.subItem]));
                cx = w * 6 + 12;
                if (mode == LVSCW_AUTOSIZE_USEHEADER && i == (int)columns.size() - 1) {
                    RECT rc{};
                    ::GetClientRect(h, &rc);
                    int rest = (rc.right - rc.left) - (TotalWidth() - col.cx);
                    cx = std::max(cx, rest);
                }
            }
            col.cx = cx;
            ::InvalidateRect(h, nullptr, TRUE);
            return TRUE;
        }
        case LVM_INSERTITEM: return Insert(h, (const LVITEM*)lp);
        case LVM_SETITEM: return SetItem(h, (const LVITEM*)lp);
        case LVM_GETITEM: return GetItem((const LVITEM*)lp);
        case LVM_SETITEMTEXT: {
            auto* it = (const LVITEM*)lp;
            if (!it) return FALSE;
            LVITEM t = *it;
            t.iItem = (int)wp;
            t.mask = LVIF_TEXT;
            return SetItem(h, &t);
        }
        case LVM_GETITEMTEXT: {
            auto* it = (LVITEM*)lp;
            int i = (int)wp;
            if (!it || !Valid(i)) return 0;
            const Row& r = rows[(size_t)i];
            std::string t = it->iSubItem >= 0 && it->iSubItem < (int)r.texts.size() ? r.texts[(size_t)it->iSubItem] : std::string();
            return CopyOut(t, it->pszText, it->cchTextMax);
        }
        case LVM_DELETEITEM: {
            int i = (int)wp;
            if (!Valid(i)) return FALSE;
            NMLISTVIEW nm{};
            nm.iItem = i;
            nm.lParam = rows[(size_t)i].lParam;
            vyr::NotifyParent(h, &nm.hdr, LVN_DELETEITEM);
            if (!Valid(i)) return FALSE;
            rows.erase(rows.begin() + i);
            if (selectionMark == i) selectionMark = -1;
            else if (selectionMark > i) --selectionMark;
            if (editing == i) EndEdit(h, nullptr, true);
            else if (editing > i) --editing;
            if (top >= (int)rows.size()) top = std::max(0, (int)rows.size() - 1);
            ::InvalidateRect(h, nullptr, TRUE);
            return TRUE;
        }
        case LVM_DELETEALLITEMS: {
            NMLISTVIEW nm{};
            nm.iItem = -1;
            vyr::NotifyParent(h, &nm.hdr, LVN_DELETEALLITEMS);
            if (editing >= 0) EndEdit(h, nullptr, true);
            rows.clear();
            top = 0;
            selectionMark = -1;
            ::InvalidateRect(h, nullptr, TRUE);
            return TRUE;
        }
        case LVM_GETITEMCOUNT: return (LRESULT)rows.size();
        case LVM_SETITEMSTATE: {
            auto* it = (const LVITEM*)lp;
            if (!it) return FALSE;
            int i = (int)wp;
            if (i != -1 && !Valid(i)) return FALSE;
            SetState(h, i, it->state, it->stateMask);
            return TRUE;
        }
        case LVM_GETITEMSTATE: return Valid((int)wp) ? (LRESULT)(rows[wp].state & (UINT)lp) : 0;
        case LVM_GETNEXTITEM: return NextItem((int)wp, (UINT)LOWORD(lp));
        case LVM_GETSELECTEDCOUNT:
            return std::count_if(rows.begin(), rows.end(), [](const Row& r) { return (r.state & LVIS_SELECTED) != 0; });
        case LVM_GETSELECTIONMARK: return selectionMark;
        case LVM_SETSELECTIONMARK: { int old = selectionMark; selectionMark = (int)lp; return old; }
        case LVM_ENSUREVISIBLE: {
            int i = (int)wp;
            if (!Valid(i)) return FALSE;
            int per = CountPerPage(h);
            if (i < top) top = i;
            else if (i >= top + per) top = i - per + 1;
            ::InvalidateRect(h, nullptr, TRUE);
            return TRUE;
        }
        case LVM_GETTOPINDEX: return top;
        case LVM_GETCOUNTPERPAGE: return CountPerPage(h);
        case LVM_GETITEMRECT: {
            auto* r = (RECT*)lp;
            if (!r) return FALSE;
            return ItemRect(h, (int)wp, (UINT)r->left, r);
        }
        case LVM_HITTEST: {
            auto* hi = (LVHITTESTINFO*)lp;
            if (!hi) return -1;
            hi->iItem = -1;
            hi->iSubItem = 0;
            hi->flags = LVHT_NOWHERE;
            int y = hi->pt.y - (Header(h) ? kHeaderHeight : 0);
            if (y < 0) return -1;
            int i = top + y / kRowHeight;
            if (!Valid(i) || hi->pt.x < 0 || hi->pt.x >= (columns.empty() ? 100 : TotalWidth())) return -1;
            hi->iItem = i;
            hi->flags = LVHT_ONITEMLABEL;
            int x = 0;
            for (size_t c = 0; c < columns.size(); ++c) {
                if (hi->pt.x >= x && hi->pt.x < x + columns[c].cx) hi->iSubItem = (int)c;
                x += columns[c].cx;
            }
            return i;
        }
        case LVM_REDRAWITEMS: ::InvalidateRect(h, nullptr, TRUE); return TRUE;
        case LVM_SETIMAGELIST: {
            if (wp > 2) return 0;
            HIMAGELIST old = images[wp];
            images[wp] = (HIMAGELIST)lp;
            return (LRESULT)old;
        }
        case LVM_GETIMAGELIST: return wp <= 2 ? (LRESULT)images[wp] : 0;
        case LVM_SETEXTENDEDLISTVIEWSTYLE: {
            DWORD old = exStyle;
            DWORD mask = wp ? (DWORD)wp : 0xFFFFFFFFu;
            exStyle = (exStyle & ~mask) | ((DWORD)lp & mask);
            return old;
        }
        case LVM_GETEXTENDEDLISTVIEWSTYLE: return exStyle;
        case LVM_SORTITEMS: {
            auto cmp = (PFNLVCOMPARE)lp;
            if (!cmp) return FALSE;
            LPARAM data = (LPARAM)wp;
            std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) { return cmp(a.lParam, b.lParam, data) < 0; });
            ::InvalidateRect(h, nullptr, TRUE);
            return TRUE;
        }
        case LVM_SETBKCOLOR: bk = (COLORREF)lp; return TRUE;
        case LVM_GETBKCOLOR: return bk;
        case LVM_SETTEXTCOLOR: textColor = (COLORREF)lp; return TRUE;
        case LVM_SETTEXTBKCOLOR: textBk = (COLORREF)lp; return TRUE;
        case LVM_EDITLABEL: return (LRESULT)BeginEdit(h, (int)wp);
        case LVM_GETEDITCONTROL: return (LRESULT)(editCtrl ? editCtrl->GetSafeHwnd() : nullptr);
        case WM_PAINT: Paint(h); return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            // The parent hears of the focus through WM_NOTIFY, as with every list view.
            NMHDR nm{};
            vyr::NotifyParent(h, &nm, msg == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS);
            break;
        }
        case WM_DESTROY:
            // The list goes: the edit goes with it, without asking the parent.
            if (editCtrl) {
                if (editCtrl->GetSafeHwnd()) editCtrl->DestroyWindow();
                delete editCtrl;
                editCtrl = nullptr;
                editing = -1;
            }
            break;
        }
        return ::DefWindowProc(h, msg, wp, lp);
    }

    HWND BeginEdit(HWND h, int i)
    {
        if (editing >= 0) EndEdit(h, nullptr, true);
        if (!Valid(i)) return nullptr;
        NMLVDISPINFO di{};
        di.item.iItem = i;
        di.item.mask = LVIF_TEXT | LVIF_PARAM;
        di.item.lParam = rows[(size_t)i].lParam;
        std::string t = rows[(size_t)i].texts.empty() ? std::string() : rows[(size_t)i].texts[0];
        di.item.pszText = t.data();
        if (vyr::NotifyParent(h, &di.hdr, LVN_BEGINLABELEDIT)) return nullptr; // refused
        if (!Valid(i)) return nullptr;
        RECT r{};
        ItemRect(h, i, LVIR_LABEL, &r);
        editCtrl = new CEdit;
        if (!editCtrl->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, r, CWnd::FromHandle(h), 1)) {
            delete editCtrl;
            editCtrl = nullptr;
            return nullptr;
        }
        editCtrl->SetWindowText(t.c_str());
        editCtrl->SetSel(0, -1);
        editing = i;
        return editCtrl->GetSafeHwnd();
    }

    void EndEdit(HWND h, const char* text, bool cancel)
    {
        int i = editing;
        editing = -1;
        CEdit* e = editCtrl;
        editCtrl = nullptr;
        std::string typed = text ? text : "";
        if (e) {
            if (!cancel && !text) typed = TextOf(e->GetSafeHwnd());
            e->DestroyWindow();
            delete e;
        }
        if (!Valid(i)) return;
        NMLVDISPINFO di{};
        di.item.iItem = i;
        di.item.mask = LVIF_TEXT | LVIF_PARAM;
        di.item.lParam = rows[(size_t)i].lParam;
        di.item.pszText = cancel ? nullptr : typed.data();
        di.item.cchTextMax = (int)typed.size() + 1;
        LRESULT keep = vyr::NotifyParent(h, &di.hdr, LVN_ENDLABELEDIT);
        if (!cancel && keep && Valid(i)) {
            TextRef(rows[(size_t)i], 0) = typed;
            ::InvalidateRect(h, nullptr, TRUE);
        }
    }

    bool UserClick(HWND h, int item, int sub, bool dbl, bool ctrl, bool right)
    {
        if (!Valid(item)) return false;
        bool single = (StyleOf(h) & LVS_SINGLESEL) != 0;
        if (ctrl && !single) {
            UINT now = rows[(size_t)item].state & LVIS_SELECTED;
            SetState(h, item, LVIS_FOCUSED, LVIS_FOCUSED);
            if (Valid(item)) ChangeState(h, item, now ? 0 : LVIS_SELECTED, LVIS_SELECTED);
        } else {
            // A plain click: only this item is selected, and it takes the focus.
            for (int i = 0; i < (int)rows.size(); ++i)
                if (i != item && Valid(i) && (rows[(size_t)i].state & LVIS_SELECTED)) ChangeState(h, i, 0, LVIS_SELECTED);
            if (Valid(item)) SetState(h, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        }
        NMITEMACTIVATE nm{};
        nm.iItem = Valid(item) ? item : -1;
        nm.iSubItem = sub;
        RECT r{};
        if (ItemRect(h, item, LVIR_BOUNDS, &r)) nm.ptAction = POINT{r.left + 4, r.top + 4};
        nm.uKeyFlags = ctrl ? LVKF_CONTROL : 0;
        if (nm.iItem >= 0) nm.lParam = rows[(size_t)item].lParam;
        vyr::NotifyParent(h, &nm.hdr, right ? NM_RCLICK : NM_CLICK);
        if (dbl) vyr::NotifyParent(h, &nm.hdr, right ? NM_RDBLCLK : NM_DBLCLK);
        return true;
    }

    bool UserColumn(HWND h, int col)
    {
        if (col < 0 || col >= (int)columns.size()) return false;
        NMLISTVIEW nm{};
        nm.iItem = -1;
        nm.iSubItem = col;
        vyr::NotifyParent(h, &nm.hdr, LVN_COLUMNCLICK);
        return true;
    }

    void Paint(HWND h)
    {
        CWnd* w = CWnd::FromHandle(h);
        if (!w) { ::DefWindowProc(h, WM_PAINT, 0, 0); return; }
        CPaintDC dc(w);
        SelectControlFont(dc, h);
        CRect rc;
        w->GetClientRect(&rc);
        dc.FillSolidRect(&rc, bk);
        dc.SetBkMode(TRANSPARENT);
        int y = 0;
        if (Header(h)) {
            int x = 0;
            for (const Column& c : columns) {
                CRect hr(x, 0, x + c.cx, kHeaderHeight);
                dc.FillSolidRect(&hr, RGB(235, 235, 235));
                dc.Draw3dRect(&hr, RGB(255, 255, 255), RGB(160, 160, 160));
                CRect tr = hr;
                tr.DeflateRect(4, 0);
                dc.SetTextColor(RGB(0, 0, 0));
                dc.DrawText(c.text.c_str(), (int)c.text.size(), &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
                x += c.cx;
            }
            y = kHeaderHeight;
        }
        for (int i = top; i < (int)rows.size() && y < rc.bottom; ++i, y += kRowHeight) {
            const Row& r = rows[(size_t)i];
            bool sel = (r.state & LVIS_SELECTED) != 0;
            int width = columns.empty() ? rc.Width() : TotalWidth();
            if (sel) dc.FillSolidRect(0, y, (exStyle & LVS_EX_FULLROWSELECT) || columns.empty() ? width : columns[0].cx, kRowHeight, RGB(0, 120, 215));
            int x = 0;
            for (size_t c = 0; c < std::max<size_t>(1, columns.size()); ++c) {
                int cx = columns.empty() ? width : columns[c].cx;
                int sub = columns.empty() ? 0 : columns[c].subItem;
                std::string t = sub < (int)r.texts.size() ? r.texts[(size_t)sub] : std::string();
                int textLeft = x + 4;
                // The row's small image sits left of the first column's text, as the icon
                // rectangle of the row (LVIR_ICON) says.
                if (c == 0 && images[LVSIL_SMALL] != nullptr) {
                    CImageList* small = CImageList::FromHandle(images[LVSIL_SMALL]);
                    const CSize size = small ? small->GetImageSize() : CSize(16, 16);
                    if (small && r.image >= 0 && r.image < small->GetImageCount())
                        small->Draw(&dc, r.image, POINT{x, y + (kRowHeight - size.cy) / 2}, ILD_TRANSPARENT);
                    textLeft = x + size.cx + 2;
                }
                CRect tr(textLeft, y, x + cx - 2, y + kRowHeight);
                bool white = sel && (c == 0 || (exStyle & LVS_EX_FULLROWSELECT));
                dc.SetTextColor(white ? RGB(255, 255, 255) : textColor);
                int fmt = columns.empty() ? LVCFMT_LEFT : (columns[c].fmt & LVCFMT_JUSTIFYMASK);
                UINT align = fmt == LVCFMT_RIGHT ? DT_RIGHT : fmt == LVCFMT_CENTER ? DT_CENTER : DT_LEFT;
                dc.DrawText(t.c_str(), (int)t.size(), &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | align);
                if (exStyle & LVS_EX_GRIDLINES) dc.Draw3dRect(x, y, cx, kRowHeight, RGB(220, 220, 220), RGB(220, 220, 220));
                x += cx;
            }
        }
        dc.Draw3dRect(&rc, RGB(128, 128, 128), RGB(220, 220, 220));
    }
};

std::unique_ptr<WindowClassProc> MakeListViewProc() { return std::make_unique<ListViewProc>(); }

} // namespace vyr::ctrl

namespace vyr {

bool UserClickListItem(HWND h, int item, int subItem, bool doubleClick, bool ctrlKey, bool rightButton)
{
    return ctrl::UserAct<ctrl::ListViewProc>(h, [&](auto& p) { return p.UserClick(h, item, subItem, doubleClick, ctrlKey, rightButton); });
}

bool UserClickListColumn(HWND h, int column)
{
    return ctrl::UserAct<ctrl::ListViewProc>(h, [&](auto& p) { return p.UserColumn(h, column); });
}

bool UserEndLabelEdit(HWND h, const char* text, bool cancel)
{
    auto* p = ctrl::ProcOf<ctrl::ListViewProc>(h);
    if (!p) return false;
    bool ok = false;
    RunOnWindowThread(h, [&]() -> LRESULT {
        if (p->editing < 0) return 0;
        p->EndEdit(h, text, cancel);
        ok = true;
        return 0;
    });
    return ok;
}

} // namespace vyr

// ---- Wrapper --------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    vyr::RegisterControlClasses();
    return CWnd::Create("SysListView32", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn) { return (int)SendMessage(LVM_INSERTCOLUMN, (WPARAM)nCol, (LPARAM)pColumn); }
int CListCtrl::InsertColumn(int nCol, LPCTSTR heading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMN c{};
    c.mask = LVCF_TEXT | LVCF_FMT;
    c.pszText = const_cast<LPSTR>(heading ? heading : "");
    c.fmt = nFormat;
    if (nWidth != -1) { c.mask |= LVCF_WIDTH; c.cx = nWidth; }
    if (nSubItem != -1) { c.mask |= LVCF_SUBITEM; c.iSubItem = nSubItem; }
    return InsertColumn(nCol, &c);
}
BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMN* pColumn) { return (BOOL)SendMessage(LVM_SETCOLUMN, (WPARAM)nCol, (LPARAM)pColumn); }
BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const { return (BOOL)SendMessage(LVM_GETCOLUMN, (WPARAM)nCol, (LPARAM)pColumn); }
BOOL CListCtrl::DeleteColumn(int nCol) { return (BOOL)SendMessage(LVM_DELETECOLUMN, (WPARAM)nCol, 0); }
BOOL CListCtrl::SetColumnWidth(int nCol, int cx) { return (BOOL)SendMessage(LVM_SETCOLUMNWIDTH, (WPARAM)nCol, MAKELPARAM(cx, 0)); }
int CListCtrl::GetColumnWidth(int nCol) const { return (int)SendMessage(LVM_GETCOLUMNWIDTH, (WPARAM)nCol, 0); }
int CListCtrl::GetColumnCount() const
{
    int n = 0;
    LVCOLUMN c{};
    c.mask = LVCF_WIDTH;
    while (GetColumn(n, &c)) ++n;
    return n;
}

int CListCtrl::InsertItem(const LVITEM* pItem) { return (int)SendMessage(LVM_INSERTITEM, 0, (LPARAM)pItem); }
int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem) { return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0); }
int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}
int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam)
{
    LVITEM it{};
    it.mask = nMask;
    it.iItem = nItem;
    it.pszText = const_cast<LPSTR>(lpszItem ? lpszItem : "");
    it.state = nState;
    it.stateMask = nStateMask;
    it.iImage = nImage;
    it.lParam = lParam;
    return InsertItem(&it);
}
BOOL CListCtrl::SetItem(const LVITEM* pItem) { return (BOOL)SendMessage(LVM_SETITEM, 0, (LPARAM)pItem); }
BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState, UINT nStateMask,
                        LPARAM lParam)
{
    LVITEM it{};
    it.mask = nMask;
    it.iItem = nItem;
    it.iSubItem = nSubItem;
    it.pszText = const_cast<LPSTR>(lpszItem ? lpszItem : "");
    it.iImage = nImage;
    it.state = nState;
    it.stateMask = nStateMask;
    it.lParam = lParam;
    return SetItem(&it);
}
BOOL CListCtrl::GetItem(LVITEM* pItem) const { return (BOOL)SendMessage(LVM_GETITEM, 0, (LPARAM)pItem); }
BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    LVITEM it{};
    it.iSubItem = nSubItem;
    it.pszText = const_cast<LPSTR>(lpszText ? lpszText : "");
    return (BOOL)SendMessage(LVM_SETITEMTEXT, (WPARAM)nItem, (LPARAM)&it);
}
CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    std::string buf(4096, '\0');
    while (true) {
        LVITEM it{};
        it.iSubItem = nSubItem;
        it.pszText = buf.data();
        it.cchTextMax = (int)buf.size();
        int n = (int)SendMessage(LVM_GETITEMTEXT, (WPARAM)nItem, (LPARAM)&it);
        if (n < (int)buf.size() - 1) return CString(buf.substr(0, (size_t)n));
        buf.assign(buf.size() * 2, '\0');
    }
}
int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const
{
    LVITEM it{};
    it.iSubItem = nSubItem;
    it.pszText = lpszText;
    it.cchTextMax = nLen;
    return (int)SendMessage(LVM_GETITEMTEXT, (WPARAM)nItem, (LPARAM)&it);
}
BOOL CListCtrl::DeleteItem(int nItem) { return (BOOL)SendMessage(LVM_DELETEITEM, (WPARAM)nItem, 0); }
BOOL CListCtrl::DeleteAllItems() { return (BOOL)SendMessage(LVM_DELETEALLITEMS, 0, 0); }
int CListCtrl::GetItemCount() const { return (int)SendMessage(LVM_GETITEMCOUNT, 0, 0); }
DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEM it{};
    it.mask = LVIF_PARAM;
    it.iItem = nItem;
    if (!GetItem(&it)) return 0;
    return (DWORD_PTR)it.lParam;
}
BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    LVITEM it{};
    it.mask = LVIF_PARAM;
    it.iItem = nItem;
    it.lParam = (LPARAM)dwData;
    return SetItem(&it);
}
BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEM it{};
    it.state = nState;
    it.stateMask = nMask;
    return (BOOL)SendMessage(LVM_SETITEMSTATE, (WPARAM)nItem, (LPARAM)&it);
}
BOOL CListCtrl::SetItemState(int nItem, LVITEM* pItem) { return (BOOL)SendMessage(LVM_SETITEMSTATE, (WPARAM)nItem, (LPARAM)pItem); }
UINT CListCtrl::GetItemState(int nItem, UINT nMask) const { return (UINT)SendMessage(LVM_GETITEMSTATE, (WPARAM)nItem, (LPARAM)nMask); }
int CListCtrl::GetNextItem(int nItem, int nFlags) const { return (int)SendMessage(LVM_GETNEXTITEM, (WPARAM)nItem, MAKELPARAM(nFlags, 0)); }
UINT CListCtrl::GetSelectedCount() const { return (UINT)SendMessage(LVM_GETSELECTEDCOUNT, 0, 0); }
// Positions are the item index plus one, so that null means the end.
POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    int i = GetNextItem(-1, LVNI_SELECTED);
    return (POSITION)(INT_PTR)(i + 1);
}
int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int i = (int)(INT_PTR)pos - 1;
    VYR_CHECK(i >= 0, "GetNextSelectedItem past the last selected item");
    int next = GetNextItem(i, LVNI_SELECTED);
    pos = (POSITION)(INT_PTR)(next + 1);
    return i;
}
int CListCtrl::GetSelectionMark() const { return (int)SendMessage(LVM_GETSELECTIONMARK, 0, 0); }
int CListCtrl::SetSelectionMark(int iIndex) { return (int)SendMessage(LVM_SETSELECTIONMARK, 0, (LPARAM)iIndex); }
BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK) { return (BOOL)SendMessage(LVM_ENSUREVISIBLE, (WPARAM)nItem, (LPARAM)bPartialOK); }
int CListCtrl::GetTopIndex() const { return (int)SendMessage(LVM_GETTOPINDEX, 0, 0); }
int CListCtrl::GetCountPerPage() const { return (int)SendMessage(LVM_GETCOUNTPERPAGE, 0, 0); }
BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    if (!lpRect) return FALSE;
    lpRect->left = (LONG)nCode;
    return (BOOL)SendMessage(LVM_GETITEMRECT, (WPARAM)nItem, (LPARAM)lpRect);
}
int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO hi{};
    hi.pt = pt;
    int i = (int)SendMessage(LVM_HITTEST, 0, (LPARAM)&hi);
    if (pFlags) *pFlags = hi.flags;
    return i;
}
BOOL CListCtrl::RedrawItems(int nFirst, int nLast) { return (BOOL)SendMessage(LVM_REDRAWITEMS, (WPARAM)nFirst, (LPARAM)nLast); }
CEdit* CListCtrl::EditLabel(int nItem)
{
    HWND e = (HWND)SendMessage(LVM_EDITLABEL, (WPARAM)nItem, 0);
    return e ? static_cast<CEdit*>(CWnd::FromHandle(e)) : nullptr;
}
CEdit* CListCtrl::GetEditControl() const
{
    HWND e = (HWND)SendMessage(LVM_GETEDITCONTROL, 0, 0);
    return e ? static_cast<CEdit*>(CWnd::FromHandle(e)) : nullptr;
}
CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    HIMAGELIST old = (HIMAGELIST)SendMessage(LVM_SETIMAGELIST, (WPARAM)nImageListType,
                                             (LPARAM)(pImageList ? pImageList->GetSafeHandle() : nullptr));
    return CImageList::FromHandle(old);
}
CImageList* CListCtrl::GetImageList(int nImageListType) const
{
    return CImageList::FromHandle((HIMAGELIST)SendMessage(LVM_GETIMAGELIST, (WPARAM)nImageListType, 0));
}
DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle) { return (DWORD)SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, (LPARAM)dwNewStyle); }
DWORD CListCtrl::GetExtendedStyle() const { return (DWORD)SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0); }
BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) { return (BOOL)SendMessage(LVM_SORTITEMS, (WPARAM)dwData, (LPARAM)pfnCompare); }
BOOL CListCtrl::SetBkColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETBKCOLOR, 0, (LPARAM)cr); }
COLORREF CListCtrl::GetBkColor() const { return (COLORREF)SendMessage(LVM_GETBKCOLOR, 0, 0); }
BOOL CListCtrl::SetTextColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETTEXTCOLOR, 0, (LPARAM)cr); }
BOOL CListCtrl::SetTextBkColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETTEXTBKCOLOR, 0, (LPARAM)cr); }
