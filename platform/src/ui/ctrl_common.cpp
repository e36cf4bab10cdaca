// Tab controls, progress bars and spin buttons.
#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "ctrl_internal.h"

namespace vyr::ctrl {

namespace {
constexpr int kTabHeight = 20;
}

class TabProc : public ControlProc
{
public:
    struct Tab
    {
        std::string text;
        int image = -1;
        LPARAM lParam = 0;
    };
    std::vector<Tab> tabs;
    int cur = -1;
    int focus = -1;
    HIMAGELIST images = nullptr;

    bool Valid(int i) const { return i >= 0 && i < (int)tabs.size(); }

    // Where the tabs lie: each as wide as its text in the control's font and 6 pixels on
    // either side, in one row. With TCS_MULTILINE they wrap into rows as wide as the control,
    // every row stretched to fill it and the current tab's row next to the display area.
    std::vector<CRect> Layout(HWND h) const
    {
        std::vector<CRect> rects;
        if (tabs.empty()) return rects;
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        SelectControlFont(dc, h);
        std::vector<int> widths;
        for (const Tab& t : tabs) widths.push_back(dc.GetTextExtent(t.text.c_str(), (int)t.text.size()).cx + 12);
        RECT client{};
        ::GetClientRect(h, &client);
        const int room = client.right - client.left - 4;
        std::vector<std::pair<size_t, size_t>> rows{{0, 0}}; // [first, last) of each row
        int used = 0;
        for (size_t i = 0; i < tabs.size(); ++i) {
            if ((StyleOf(h) & TCS_MULTILINE) && i > rows.back().first && used + widths[i] > room) {
                rows.push_back({i, i});
                used = 0;
            }
            rows.back().second = i + 1;
            used += widths[i];
        }
        const size_t n = rows.size();
        size_t currentRow = n - 1;
        for (size_t r = 0; r < n; ++r)
            if (cur >= (int)rows[r].first && cur < (int)rows[r].second) currentRow = r;
        rects.resize(tabs.size());
        for (size_t r = 0; r < n; ++r) {
            int sum = 0;
            for (size_t i = rows[r].first; i < rows[r].second; ++i) sum += widths[i];
            const int extra = n > 1 ? std::max(0, room - sum) : 0;
            const int count = (int)(rows[r].second - rows[r].first);
            const int top = (int)((r + n - 1 - currentRow) % n) * kTabHeight;
            int x = 2;
            for (size_t i = rows[r].first; i < rows[r].second; ++i) {
                const int k = (int)(i - rows[r].first);
                const int w = widths[i] + extra * (k + 1) / count - extra * k / count;
                rects[i] = CRect(x, top, x + w, top + kTabHeight);
                x += w;
            }
        }
        return rects;
    }
    static int RowsHeight(const std::vector<CRect>& layout)
    {
        int bottom = kTabHeight;
        for (const CRect& r : layout) bottom = std::max(bottom, (int)r.bottom);
        return bottom;
    }

    LRESULT Handle(HWND h, UINT msg, WPARAM wp, LPARAM lp) override
    {
        switch (msg) {
        case TCM_INSERTITEM: {
            auto* it = (const TCITEM*)lp;
            int at = (int)wp;
            if (!it || at < 0) return -1;
            if (at > (int)tabs.size()) at = (int)tabs.size();
            Tab t;
            if (it->mask & TCIF_TEXT) t.text = it->pszText ? it->pszText : "";
            if (it->mask & TCIF_IMAGE) t.image = it->iImage;
            if (it->mask & TCIF_PARAM) t.lParam = it->lParam;
            tabs.insert(tabs.begin() + at, t);
            // The first tab becomes the current one, as in the control.
            if (cur == -1) cur = 0;
            else if (cur >= at && tabs.size() > 1) ++cur;
            ::InvalidateRect(h, nullptr, TRUE);
            return at;
        }
        case TCM_SETITEM: case TCM_GETITEM: {
            auto* it = (TCITEM*)lp;
            int i = (int)wp;
            if (!it || !Valid(i)) return FALSE;
            Tab& t = tabs[(size_t)i];
            if (msg == TCM_SETITEM) {
                if (it->mask & TCIF_TEXT) t.text = it->pszText ? it->pszText : "";
                if (it->mask & TCIF_IMAGE) t.image = it->iImage;
                if (it->mask & TCIF_PARAM) t.lParam = it->lParam;
                ::InvalidateRect(h, nullptr, TRUE);
            } else {
                if (it->mask & TCIF_TEXT) CopyOut(t.text, it->pszText, it->cchTextMax);
                if (it->mask & TCIF_IMAGE) it->iImage = t.image;
                if (it->mask & TCIF_PARAM) it->lParam = t.lParam;
            }
            return TRUE;
        }
        case TCM_DELETEITEM: {
            int i = (int)wp;
            if (!Valid(i)) return FALSE;
            tabs.erase(tabs.begin() + i);
            if (cur == i) cur = -1;
            else if (cur > i) --cur;
            ::InvalidateRect(h, nullptr, TRUE);
            return TRUE;
        }
        case TCM_DELETEALLITEMS: tabs.clear(); cur = focus = -1; ::InvalidateRect(h, nullptr, TRUE); return TRUE;
        case TCM_GETITEMCOUNT: return (LRESULT)tabs.size();
        case TCM_GETCURSEL: return cur;
        case TCM_SETCURSEL: {
            int i = (int)wp;
            if (!Valid(i)) return -1;
            int old = cur;
            cur = i;
            ::InvalidateRect(h, nullptr, TRUE);
            return old;
        }
        case TCM_GETCURFOCUS: return focus >= 0 ? focus : cur;
        case TCM_SETCURFOCUS: if (Valid((int)wp)) focus = (int)wp; return 0;
        case TCM_GETITEMRECT: {
            int i = (int)wp;
            auto* r = (RECT*)lp;
            if (!Valid(i) || !r) return FALSE;
            *r = Layout(h)[(size_t)i];
            return TRUE;
        }
        case TCM_ADJUSTRECT: {
            auto* r = (RECT*)lp;
            if (!r) return 0;
            // The display area lies below the tabs, inside a 2-pixel border.
            const int tabsHeight = RowsHeight(Layout(h));
            if (wp) { r->left -= 2; r->right += 2; r->top -= tabsHeight + 2; r->bottom += 2; }
            else { r->left += 2; r->right -= 2; r->top += tabsHeight + 2; r->bottom -= 2; }
            return 0;
        }
        case TCM_SETIMAGELIST: { HIMAGELIST old = images; images = (HIMAGELIST)lp; return (LRESULT)old; }
        case TCM_GETIMAGELIST: return (LRESULT)images;
        case WM_PAINT: {
            CWnd* w = CWnd::FromHandle(h);
            if (!w) break;
            CPaintDC dc(w);
            SelectControlFont(dc, h);
            CRect rc;
            w->GetClientRect(&rc);
            const std::vector<CRect> layout = Layout(h);
            CRect body(rc.left, rc.top + RowsHeight(layout), rc.right, rc.bottom);
            dc.Draw3dRect(&body, RGB(255, 255, 255), RGB(128, 128, 128));
            dc.SetBkMode(TRANSPARENT);
            for (int i = 0; i < (int)tabs.size(); ++i) {
                CRect r = layout[(size_t)i];
                if (i != cur) r.top += 2;
                dc.FillSolidRect(&r, i == cur ? RGB(255, 255, 255) : RGB(230, 230, 230));
                dc.Draw3dRect(&r, RGB(255, 255, 255), RGB(128, 128, 128));
                dc.DrawText(tabs[(size_t)i].text.c_str(), (int)tabs[(size_t)i].text.size(), &r,
                            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            }
            return 0;
        }
        }
        return ::DefWindowProc(h, msg, wp, lp);
    }

    bool UserChoose(HWND h, int i)
    {
        if (!Valid(i)) return false;
        if (i == cur) return true; // clicking the current tab changes nothing
        NMHDR nm{};
        if (vyr::NotifyParent(h, &nm, TCN_SELCHANGING)) return true; // the parent kept the old tab
        if (!Valid(i)) return false;
        cur = i;
        ::InvalidateRect(h, nullptr, TRUE);
        NMHDR nm2{};
        vyr::NotifyParent(h, &nm2, TCN_SELCHANGE);
        return true;
    }
};

class ProgressProc : public ControlProc
{
public:
    int low = 0, high = 100, pos = 0, step = 10;
    COLORREF bar = RGB(6, 176, 37), back = RGB(230, 230, 230);

    void SetPos(HWND h, int p)
    {
        int n = std::clamp(p, std::min(low, high), std::max(low, high));
        if (n != pos) { pos = n; ::InvalidateRect(h, nullptr, FALSE); }
    }

    LRESULT Handle(HWND h, UINT msg, WPARAM wp, LPARAM lp) override
    {
        switch (msg) {
        case PBM_SETRANGE: {
            LRESULT old = MAKELONG((WORD)low, (WORD)high);
            low = LOWORD(lp);
            high = HIWORD(lp);
            SetPos(h, pos);
            return old;
        }
        case PBM_SETRANGE32: {
            LRESULT old = MAKELONG((WORD)low, (WORD)high);
            low = (int)wp;
            high = (int)lp;
            SetPos(h, pos);
            return old;
        }
        case PBM_GETRANGE: {
            if (auto* r = (PBRANGE*)lp) { r->iLow = low; r->iHigh = high; }
            return wp ? low : high;
        }
        case PBM_SETPOS: { int old = pos; SetPos(h, (int)wp); return old; }
        case PBM_DELTAPOS: { int old = pos; SetPos(h, pos + (int)wp); return old; }
        case PBM_GETPOS: return pos;
        case PBM_SETSTEP: { int old = step; step = (int)wp; return old; }
        case PBM_STEPIT: {
            int old = pos;
            long n = (long)pos + step;
            // Past the end the bar starts again from the beginning.
            if (high > low && n > high) n = low + (n - high - 1) % ((long)high - low + 1);
            else if (high > low && n < low) n = high - (low - n - 1) % ((long)high - low + 1);
            pos = (int)n;
            ::InvalidateRect(h, nullptr, FALSE);
            return old;
        }
        case PBM_SETBARCOLOR: { COLORREF old = bar; bar = (COLORREF)lp; return old; }
        case PBM_SETBKCOLOR: { COLORREF old = back; back = (COLORREF)lp; return old; }
        case WM_PAINT: {
            CWnd* w = CWnd::FromHandle(h);
            if (!w) break;
            CPaintDC dc(w);
            CRect rc;
            w->GetClientRect(&rc);
            dc.FillSolidRect(&rc, back);
            if (high > low) {
                int filled = (int)((long)(pos - low) * (rc.Width() - 2) / (high - low));
                dc.FillSolidRect(rc.left + 1, rc.top + 1, filled, rc.Height() - 2, bar);
            }
            dc.Draw3dRect(&rc, RGB(160, 160, 160), RGB(160, 160, 160));
            return 0;
        }
        }
        return ::DefWindowProc(h, msg, wp, lp);
    }
};

class SpinProc : public ControlProc
{
public:
    // The control's documented default range runs from 100 down to 0.
    int lower = 100, upper = 0, pos = 0, base = 10;
    HWND buddy = nullptr;
    bool buddyLooked = false;

    int Min() const { return std::min(lower, upper); }
    int Max() const { return std::max(lower, upper); }

    HWND Buddy(HWND h)
    {
        if (!buddyLooked) {
            buddyLooked = true;
            if (!buddy && (StyleOf(h) & UDS_AUTOBUDDY)) {
                // The window created just before the spin.
                CWnd* self = CWnd::FromHandle(h);
                CWnd* parent = self ? self->GetParent() : nullptr;
                HWND prev = nullptr;
                for (CWnd* c = parent ? parent->GetWindow(GW_CHILD) : nullptr; c; c = c->GetWindow(GW_HWNDNEXT)) {
                    if (c->GetSafeHwnd() == h) break;
                    prev = c->GetSafeHwnd();
                }
                buddy = prev;
            }
        }
        if (buddy && !::IsWindow(buddy)) buddy = nullptr;
        return buddy;
    }

    void ShowInBuddy(HWND h)
    {
        HWND b = Buddy(h);
        if (b && (StyleOf(h) & UDS_SETBUDDYINT)) {
            char buf[32];
            if (base == 16) std::snprintf(buf, sizeof buf, "0x%04X", (unsigned)pos);
            else std::snprintf(buf, sizeof buf, "%d", pos);
            ::SetWindowText(b, buf);
        }
    }

    // Reads the buddy's number; false when it is not one in range.
    bool ReadBuddy(HWND h)
    {
        HWND b = Buddy(h);
        if (!b || !(StyleOf(h) & UDS_SETBUDDYINT)) return true;
        std::string t = TextOf(b);
        t.erase(std::remove(t.begin(), t.end(), ','), t.end());
        char* end = nullptr;
        long v = std::strtol(t.c_str(), &end, base == 16 ? 16 : 10);
        if (t.empty() || *end != '\0' || v < Min() || v > Max()) return false;
        pos = (int)v;
        return true;
    }

    LRESULT Handle(HWND h, UINT msg, WPARAM wp, LPARAM lp) override
    {
        switch (msg) {
        case UDM_SETRANGE:
            upper = (short)LOWORD(lp);
            lower = (short)HIWORD(lp);
            pos = std::clamp(pos, Min(), Max());
            return 0;
        case UDM_SETRANGE32: lower = (int)wp; upper = (int)lp; pos = std::clamp(pos, Min(), Max()); return 0;
        case UDM_GETRANGE: return MAKELONG((WORD)upper, (WORD)lower);
        case UDM_GETRANGE32:
            if (wp) *(int*)wp = lower;
            if (lp) *(int*)lp = upper;
            return 0;
        case UDM_SETPOS: case UDM_SETPOS32: {
            int old = pos;
            pos = std::clamp(msg == UDM_SETPOS ? (int)(short)LOWORD(lp) : (int)lp, Min(), Max());
            ShowInBuddy(h);
            return old;
        }
        case UDM_GETPOS: {
            bool ok = ReadBuddy(h);
            return MAKELONG((WORD)pos, (WORD)(ok ? 0 : 1));
        }
        case UDM_GETPOS32: {
            bool ok = ReadBuddy(h);
            if (lp) *(BOOL*)lp = ok ? FALSE : TRUE;
            return pos;
        }
        case UDM_SETBUDDY: { HWND old = Buddy(h); buddy = (HWND)wp; return (LRESULT)old; }
        case UDM_GETBUDDY: return (LRESULT)Buddy(h);
        case UDM_SETBASE: {
            if (wp != 10 && wp != 16) return 0;
            int old = base;
            base = (int)wp;
            return old;
        }
        case UDM_GETBASE: return base;
        case WM_PAINT: PaintFrame(h, RGB(235, 235, 235), true); return 0;
        }
        return ::DefWindowProc(h, msg, wp, lp);
    }

    bool UserSpin(HWND h, int delta)
    {
        ReadBuddy(h);
        // Arrows move towards the upper bound, which may be the smaller number.
        int signedDelta = upper >= lower ? delta : -delta;
        NMUPDOWN nm{};
        nm.iPos = pos;
        nm.iDelta = signedDelta;
        if (vyr::NotifyParent(h, &nm.hdr, UDN_DELTAPOS)) return true; // refused by the parent
        long n = (long)pos + nm.iDelta;
        if (n > Max()) n = (StyleOf(h) & UDS_WRAP) ? Min() : Max();
        if (n < Min()) n = (StyleOf(h) & UDS_WRAP) ? Max() : Min();
        pos = (int)n;
        ShowInBuddy(h);
        HWND parent = ::GetParent(h);
        if (parent)
            ::SendMessage(parent, (StyleOf(h) & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, (WORD)pos),
                          (LPARAM)h);
        return true;
    }
};

std::unique_ptr<WindowClassProc> MakeTabProc() { return std::make_unique<TabProc>(); }
std::unique_ptr<WindowClassProc> MakeProgressProc() { return std::make_unique<ProgressProc>(); }
std::unique_ptr<WindowClassProc> MakeSpinProc() { return std::make_unique<SpinProc>(); }

} // namespace vyr::ctrl

namespace vyr {

bool UserChooseTab(HWND h, int index)
{
    return ctrl::UserAct<ctrl::TabProc>(h, [&](auto& p) { return p.UserChoose(h, index); });
}

bool UserSpin(HWND h, int delta)
{
    return ctrl::UserAct<ctrl::SpinProc>(h, [&](auto& p) { return p.UserSpin(h, delta); });
}

} // namespace vyr

// ---- Wrappers -------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    vyr::RegisterControlClasses();
    return CWnd::Create("SysTabControl32", nullptr, dwStyle, rect, pParentWnd, nID);
}
LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem) { return InsertItem(nItem, lpszItem, -1); }
LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    TCITEM it{};
    it.mask = TCIF_TEXT | TCIF_IMAGE;
    it.pszText = const_cast<LPSTR>(lpszItem ? lpszItem : "");
    it.iImage = nImage;
    return InsertItem(nItem, &it);
}
LONG CTabCtrl::InsertItem(int nItem, TCITEM* p) { return (LONG)SendMessage(TCM_INSERTITEM, (WPARAM)nItem, (LPARAM)p); }
BOOL CTabCtrl::GetItem(int nItem, TCITEM* p) const { return (BOOL)SendMessage(TCM_GETITEM, (WPARAM)nItem, (LPARAM)p); }
BOOL CTabCtrl::SetItem(int nItem, TCITEM* p) { return (BOOL)SendMessage(TCM_SETITEM, (WPARAM)nItem, (LPARAM)p); }
BOOL CTabCtrl::DeleteItem(int nItem) { return (BOOL)SendMessage(TCM_DELETEITEM, (WPARAM)nItem, 0); }
BOOL CTabCtrl::DeleteAllItems() { return (BOOL)SendMessage(TCM_DELETEALLITEMS, 0, 0); }
int CTabCtrl::GetItemCount() const { return (int)SendMessage(TCM_GETITEMCOUNT, 0, 0); }
int CTabCtrl::GetCurSel() const { return (int)SendMessage(TCM_GETCURSEL, 0, 0); }
int CTabCtrl::SetCurSel(int nItem) { return (int)SendMessage(TCM_SETCURSEL, (WPARAM)nItem, 0); }
int CTabCtrl::GetCurFocus() const { return (int)SendMessage(TCM_GETCURFOCUS, 0, 0); }
void CTabCtrl::SetCurFocus(int nItem) { SendMessage(TCM_SETCURFOCUS, (WPARAM)nItem, 0); }
BOOL CTabCtrl::GetItemRect(int nItem, LPRECT lpRect) const { return (BOOL)SendMessage(TCM_GETITEMRECT, (WPARAM)nItem, (LPARAM)lpRect); }
void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT lpRect) { SendMessage(TCM_ADJUSTRECT, (WPARAM)bLarger, (LPARAM)lpRect); }
CImageList* CTabCtrl::SetImageList(CImageList* p)
{
    return CImageList::FromHandle((HIMAGELIST)SendMessage(TCM_SETIMAGELIST, 0, (LPARAM)(p ? p->GetSafeHandle() : nullptr)));
}
CImageList* CTabCtrl::GetImageList() const { return CImageList::FromHandle((HIMAGELIST)SendMessage(TCM_GETIMAGELIST, 0, 0)); }

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    vyr::RegisterControlClasses();
    return CWnd::Create("msctls_progress32", nullptr, dwStyle, rect, pParentWnd, nID);
}
void CProgressCtrl::SetRange(int nLower, int nUpper)
{
    WORD lo = (WORD)std::clamp(nLower, 0, 65535), hi = (WORD)std::clamp(nUpper, 0, 65535);
    SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lo, hi));
}
void CProgressCtrl::SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, (WPARAM)nLower, (LPARAM)nUpper); }
void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    PBRANGE r{0, 0};
    SendMessage(PBM_GETRANGE, FALSE, (LPARAM)&r);
    nLower = r.iLow;
    nUpper = r.iHigh;
}
int CProgressCtrl::GetPos() const { return (int)SendMessage(PBM_GETPOS, 0, 0); }
int CProgressCtrl::SetPos(int nPos) { return (int)SendMessage(PBM_SETPOS, (WPARAM)nPos, 0); }
int CProgressCtrl::OffsetPos(int nPos) { return (int)SendMessage(PBM_DELTAPOS, (WPARAM)nPos, 0); }
int CProgressCtrl::SetStep(int nStep) { return (int)SendMessage(PBM_SETSTEP, (WPARAM)nStep, 0); }
int CProgressCtrl::StepIt() { return (int)SendMessage(PBM_STEPIT, 0, 0); }
COLORREF CProgressCtrl::SetBarColor(COLORREF c) { return (COLORREF)SendMessage(PBM_SETBARCOLOR, 0, (LPARAM)c); }
COLORREF CProgressCtrl::SetBkColor(COLORREF c) { return (COLORREF)SendMessage(PBM_SETBKCOLOR, 0, (LPARAM)c); }

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    vyr::RegisterControlClasses();
    return CWnd::Create("msctls_updown32", nullptr, dwStyle, rect, pParentWnd, nID);
}
void CSpinButtonCtrl::SetRange(short nLower, short nUpper) { SendMessage(UDM_SETRANGE, 0, MAKELPARAM((WORD)nUpper, (WORD)nLower)); }
void CSpinButtonCtrl::SetRange32(int nLower, int nUpper) { SendMessage(UDM_SETRANGE32, (WPARAM)nLower, (LPARAM)nUpper); }
void CSpinButtonCtrl::GetRange(int& lower, int& upper) const { SendMessage(UDM_GETRANGE32, (WPARAM)&lower, (LPARAM)&upper); }
DWORD CSpinButtonCtrl::GetRange() const { return (DWORD)SendMessage(UDM_GETRANGE, 0, 0); }
int CSpinButtonCtrl::SetPos(int nPos) { return (int)(short)LOWORD(SendMessage(UDM_SETPOS, 0, MAKELPARAM((WORD)nPos, 0))); }
int CSpinButtonCtrl::GetPos() const { return (int)(DWORD)SendMessage(UDM_GETPOS, 0, 0); }
int CSpinButtonCtrl::SetPos32(int nPos) { return (int)SendMessage(UDM_SETPOS32, 0, (LPARAM)nPos); }
int CSpinButtonCtrl::GetPos32(BOOL* lpbError) const { return (int)SendMessage(UDM_GETPOS32, 0, (LPARAM)lpbError); }
CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy)
{
    return CWnd::FromHandle((HWND)SendMessage(UDM_SETBUDDY, (WPARAM)(pWndBuddy ? pWndBuddy->GetSafeHwnd() : nullptr), 0));
}
CWnd* CSpinButtonCtrl::GetBuddy() const { return CWnd::FromHandle((HWND)SendMessage(UDM_GETBUDDY, 0, 0)); }
int CSpinButtonCtrl::SetBase(int nBase) { return (int)SendMessage(UDM_SETBASE, (WPARAM)nBase, 0); }
UINT CSpinButtonCtrl::GetBase() const { return (UINT)SendMessage(UDM_GETBASE, 0, 0); }
