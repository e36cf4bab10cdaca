// Static controls, buttons and scroll bars; the registration of every control class, the
// factory that dialogs use for their templates, and DLGINIT.
#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "ctrl_internal.h"
#include <vyr/raster.h>
#include <vyr/vyrdiag.h>

namespace vyr::ctrl {

int SortCompare(const std::string& a, const std::string& b)
{
    std::string la = a, lb = b;
    for (char& c : la) if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
    for (char& c : lb) if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
    return vyr::GbkCompare(la, lb);
}

bool PrefixMatch(const std::string& text, const std::string& prefix)
{
    if (prefix.size() > text.size()) return false;
    return SortCompare(text.substr(0, prefix.size()), prefix) == 0;
}

bool ExactMatch(const std::string& a, const std::string& b) { return a.size() == b.size() && SortCompare(a, b) == 0; }

void PaintFrame(HWND h, COLORREF background, bool border)
{
    CWnd* w = CWnd::FromHandle(h);
    if (!w) return;
    CPaintDC dc(w);
    CRect rc;
    w->GetClientRect(&rc);
    dc.FillSolidRect(&rc, background);
    if (border) dc.Draw3dRect(&rc, RGB(128, 128, 128), RGB(255, 255, 255));
}

namespace {

const COLORREF kFace = RGB(240, 240, 240);

// ---- Static ---------------------------------------------------------------------------

class StaticProc : public ControlProc
{
public:
    HBITMAP bitmap = nullptr;
    HICON icon = nullptr;

    LRESULT Handle(HWND h, UINT msg, WPARAM wp, LPARAM lp) override
    {
        switch (msg) {
        case STM_SETIMAGE:
            if (wp == IMAGE_BITMAP) { HBITMAP old = bitmap; bitmap = (HBITMAP)lp; ::InvalidateRect(h, nullptr, TRUE); return (LRESULT)old; }
            if (wp == IMAGE_ICON || wp == IMAGE_CURSOR) { HICON old = icon; icon = (HICON)lp; ::InvalidateRect(h, nullptr, TRUE); return (LRESULT)old; }
            return 0;
        case STM_GETIMAGE:
            return wp == IMAGE_BITMAP ? (LRESULT)bitmap : (LRESULT)icon;
        case STM_SETICON: { HICON old = icon; icon = (HICON)wp; return (LRESULT)old; }
        case STM_GETICON: return (LRESULT)icon;
        case WM_PAINT: Paint(h); return 0;
        }
        return ::DefWindowProc(h, msg, wp, lp);
    }

    void Paint(HWND h)
    {
        CWnd* w = CWnd::FromHandle(h);
        if (!w) { ::DefWindowProc(h, WM_PAINT, 0, 0); return; }
        CPaintDC dc(w);
        SelectControlFont(dc, h);
        CRect rc;
        w->GetClientRect(&rc);
        DWORD type = StyleOf(h) & SS_TYPEMASK;
        if (type == SS_BITMAP && bitmap) {
            CBitmap* bm = CBitmap::FromHandle(bitmap);
            CDC mem;
            if (bm && mem.CreateCompatibleDC(&dc)) {
                BITMAP info{};
                bm->GetBitmap(&info);
                CBitmap* old = mem.SelectObject(bm);
                dc.BitBlt(0, 0, info.bmWidth, info.bmHeight, &mem, 0, 0, SRCCOPY);
                mem.SelectObject(old);
            }
            return;
        }
        if (type == SS_BLACKFRAME || type == SS_BLACKRECT) {
            dc.FillSolidRect(&rc, type == SS_BLACKRECT ? RGB(0, 0, 0) : kFace);
            dc.Draw3dRect(&rc, RGB(0, 0, 0), RGB(0, 0, 0));
            return;
        }
        if (type == SS_ETCHEDFRAME || type == SS_ETCHEDHORZ || type == SS_ETCHEDVERT || type == SS_GRAYFRAME) {
            dc.Draw3dRect(&rc, RGB(160, 160, 160), RGB(255, 255, 255));
            return;
        }
        std::string text = TextOf(h);
        if (text.empty()) return;
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(::IsWindowEnabled(h) ? RGB(0, 0, 0) : RGB(160, 160, 160)); // grey when disabled
        UINT fmt = DT_WORDBREAK | DT_NOPREFIX;
        if (type == SS_CENTER) fmt |= DT_CENTER;
        else if (type == SS_RIGHT) fmt |= DT_RIGHT;
        dc.DrawText(text.c_str(), (int)text.size(), &rc, fmt);
    }
};

// ---- Button ---------------------------------------------------------------------------

class ButtonProc : public ControlProc
{
public:
    int check = BST_UNCHECKED;
    bool pushed = false;
    HBITMAP bitmap = nullptr;
    HICON icon = nullptr;

    static DWORD Type(HWND h) { return StyleOf(h) & BS_TYPEMASK; }
    static bool Checkable(DWORD t)
    {
        return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_RADIOBUTTON || t == BS_3STATE ||
               t == BS_AUTO3STATE || t == BS_AUTORADIOBUTTON;
    }
    static bool IsRadio(DWORD t) { return t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON; }

    LRESULT Handle(HWND h, UINT msg, WPARAM wp, LPARAM lp) override
    {
        switch (msg) {
        case BM_GETCHECK: return check;
        case BM_SETCHECK: {
            DWORD t = Type(h);
            if (!Checkable(t)) return 0;
            int v = (int)wp;
            if (v == BST_INDETERMINATE && t != BS_3STATE && t != BS_AUTO3STATE) v = BST_CHECKED;
            if (v != BST_UNCHECKED && v != BST_INDETERMINATE) v = BST_CHECKED;
            if (v != check) { check = v; ::InvalidateRect(h, nullptr, TRUE); }
            return 0;
        }
        case BM_GETSTATE: return check | (pushed ? BST_PUSHED : 0);
        case BM_SETSTATE: pushed = wp != 0; return 0;
        case BM_SETSTYLE: {
            DWORD s = StyleOf(h);
            ::SetWindowLong(h, GWL_STYLE, (LONG)((s & ~0xFFFFu) | (DWORD)(wp & 0xFFFF)));
            if (lp) ::InvalidateRect(h, nullptr, TRUE);
            return 0;
        }
        case BM_SETIMAGE:
            if (wp == IMAGE_BITMAP) { HBITMAP old = bitmap; bitmap = (HBITMAP)lp; ::InvalidateRect(h, nullptr, TRUE); return (LRESULT)old; }
            { HICON old = icon; icon = (HICON)lp; ::InvalidateRect(h, nullptr, TRUE); return (LRESULT)old; }
        case BM_GETIMAGE: return wp == IMAGE_BITMAP ? (LRESULT)bitmap : (LRESULT)icon;
        case BM_CLICK:
            // A click by message works like the user's, on an enabled button only.
            if (::IsWindowEnabled(h)) Click(h);
            return 0;
        case WM_GETDLGCODE: {
            DWORD t = Type(h);
            if (t == BS_DEFPUSHBUTTON) return 0x0010; // DLGC_DEFPUSHBUTTON
            if (t == BS_PUSHBUTTON) return 0x0020;    // DLGC_UNDEFPUSHBUTTON
            if (IsRadio(t)) return 0x0040;            // DLGC_RADIOBUTTON
            return 0x2000;                            // DLGC_BUTTON
        }
        case WM_PAINT: Paint(h); return 0;
        }
        return ::DefWindowProc(h, msg, wp, lp);
    }

    void Click(HWND h)
    {
        DWORD t = Type(h);
        if (t == BS_AUTOCHECKBOX) check = check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        else if (t == BS_AUTO3STATE) check = (check + 1) % 3;
        else if (t == BS_AUTORADIOBUTTON) {
            check = BST_CHECKED;
            UncheckGroupMates(h);
        }
        ::InvalidateRect(h, nullptr, TRUE);
        vyr::NotifyParent(h, BN_CLICKED);
    }

    // The group: from the nearest sibling at or before h with WS_GROUP up to the next one.
    static void UncheckGroupMates(HWND h)
    {
        CWnd* self = CWnd::FromHandle(h);
        CWnd* parent = self ? self->GetParent() : nullptr;
        if (!parent) return;
        std::vector<HWND> kids;
        for (CWnd* c = parent->GetWindow(GW_CHILD); c; c = c->GetWindow(GW_HWNDNEXT)) kids.push_back(c->GetSafeHwnd());
        size_t me = 0;
        while (me < kids.size() && kids[me] != h) ++me;
        if (me == kids.size()) return;
        size_t first = me;
        while (first > 0 && !(StyleOf(kids[first]) & WS_GROUP)) --first;
        for (size_t i = first; i < kids.size(); ++i) {
            if (i > first && (StyleOf(kids[i]) & WS_GROUP)) break;
            if (kids[i] == h) continue;
            if (vyr::GetWindowClassName(kids[i]).CompareNoCase("Button") != 0) continue;
            DWORD t = StyleOf(kids[i]) & BS_TYPEMASK;
            if (t == BS_AUTORADIOBUTTON) ::SendMessage(kids[i], BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }

    void Paint(HWND h)
    {
        CWnd* w = CWnd::FromHandle(h);
        if (!w) { ::DefWindowProc(h, WM_PAINT, 0, 0); return; }
        CPaintDC dc(w);
        SelectControlFont(dc, h);
        CRect rc;
        w->GetClientRect(&rc);
        DWORD t = Type(h);
        std::string text = TextOf(h);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(::IsWindowEnabled(h) ? RGB(0, 0, 0) : RGB(160, 160, 160)); // grey when disabled
        if (t == BS_GROUPBOX) {
            CRect box = rc;
            box.top += 6;
            dc.Draw3dRect(&box, RGB(160, 160, 160), RGB(160, 160, 160));
            if (!text.empty()) {
                CRect label(rc.left + 8, rc.top, rc.right, rc.top + 14);
                CSize ext = dc.GetTextExtent(text.c_str(), (int)text.size());
                dc.FillSolidRect(label.left - 2, label.top, ext.cx + 4, 14, kFace);
                dc.DrawText(text.c_str(), (int)text.size(), &label, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
            }
            return;
        }
        if (Checkable(t)) {
            int mid = (rc.top + rc.bottom) / 2;
            CRect box(rc.left, mid - 6, rc.left + 13, mid + 7);
            dc.FillSolidRect(&box, RGB(255, 255, 255));
            dc.Draw3dRect(&box, RGB(100, 100, 100), RGB(100, 100, 100));
            if (check == BST_CHECKED) dc.FillSolidRect(box.left + 3, box.top + 3, 7, 7, RGB(0, 0, 0));
            else if (check == BST_INDETERMINATE) dc.FillSolidRect(box.left + 3, box.top + 3, 7, 7, RGB(128, 128, 128));
            CRect label(rc.left + 17, rc.top, rc.right, rc.bottom);
            dc.DrawText(text.c_str(), (int)text.size(), &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            return;
        }
        dc.FillSolidRect(&rc, kFace);
        dc.Draw3dRect(&rc, RGB(255, 255, 255), RGB(100, 100, 100));
        if (t == BS_DEFPUSHBUTTON) {
            CRect in = rc;
            in.DeflateRect(1, 1);
            dc.Draw3dRect(&in, RGB(0, 0, 0), RGB(0, 0, 0));
        }
        if (bitmap) {
            CBitmap* bm = CBitmap::FromHandle(bitmap);
            CDC mem;
            if (bm && mem.CreateCompatibleDC(&dc)) {
                BITMAP info{};
                bm->GetBitmap(&info);
                CBitmap* old = mem.SelectObject(bm);
                dc.BitBlt((rc.Width() - info.bmWidth) / 2, (rc.Height() - info.bmHeight) / 2, info.bmWidth, info.bmHeight,
                          &mem, 0, 0, SRCCOPY);
                mem.SelectObject(old);
            }
            return;
        }
        dc.DrawText(text.c_str(), (int)text.size(), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
};

// ---- Scroll bar -----------------------------------------------------------------------

class ScrollBarProc : public ControlProc
{
public:
    LRESULT Handle(HWND h, UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == WM_PAINT) { PaintFrame(h, RGB(230, 230, 230), true); return 0; }
        return ::DefWindowProc(h, msg, wp, lp);
    }
};

template <class W>
std::unique_ptr<CWnd> MakeWnd() { return std::make_unique<W>(); }

} // namespace

// Defined with their procedures.
std::unique_ptr<WindowClassProc> MakeEditProc();
std::unique_ptr<WindowClassProc> MakeRichEditProc();
std::unique_ptr<WindowClassProc> MakeComboProc();
std::unique_ptr<WindowClassProc> MakeListBoxProc();
std::unique_ptr<WindowClassProc> MakeListViewProc();
std::unique_ptr<WindowClassProc> MakeTabProc();
std::unique_ptr<WindowClassProc> MakeProgressProc();
std::unique_ptr<WindowClassProc> MakeSpinProc();

} // namespace vyr::ctrl

namespace vyr {

void RegisterControlClasses()
{
    static std::once_flag once;
    std::call_once(once, [] {
        using namespace ctrl;
        auto reg = [](const char* name, std::function<std::unique_ptr<WindowClassProc>()> proc,
                      std::function<std::unique_ptr<CWnd>()> wnd) {
            WindowClass c;
            c.makeProc = std::move(proc);
            c.makeWnd = std::move(wnd);
            RegisterWindowClass(name, std::move(c));
        };
        reg("Static", [] { return std::unique_ptr<WindowClassProc>(new StaticProc); }, MakeWnd<CStatic>);
        reg("Button", [] { return std::unique_ptr<WindowClassProc>(new ButtonProc); }, MakeWnd<CButton>);
        reg("ScrollBar", [] { return std::unique_ptr<WindowClassProc>(new ScrollBarProc); }, MakeWnd<CScrollBar>);
        reg("Edit", MakeEditProc, MakeWnd<CEdit>);
        reg("ComboBox", MakeComboProc, MakeWnd<CComboBox>);
        reg("ListBox", MakeListBoxProc, MakeWnd<CListBox>);
        reg("SysListView32", MakeListViewProc, MakeWnd<CListCtrl>);
        reg("SysTabControl32", MakeTabProc, MakeWnd<CTabCtrl>);
        reg("msctls_progress32", MakeProgressProc, MakeWnd<CProgressCtrl>);
        reg("msctls_updown32", MakeSpinProc, MakeWnd<CSpinButtonCtrl>);
        for (const char* rich : {"RichEdit20A", "RichEdit20W", "RICHEDIT", "RichEdit50W"})
            reg(rich, MakeRichEditProc, MakeWnd<CRichEditCtrl>);
        // Resource bitmaps are files named by the scripts.
        SetBitmapResolver([](UINT id) { return FindResourceFile(ResourceKind::Bitmap, id).str(); });
    });
}

namespace {

// The object of a window the factory made: deleted with its window.
template <class Base>
class Owned : public Base
{
public:
    void PostNcDestroy() override { delete this; }
};

CWnd* NewControlObject(const CString& cls)
{
    auto is = [&](const char* n) { return cls.CompareNoCase(n) == 0; };
    if (is("Static")) return new Owned<CStatic>;
    if (is("Button")) return new Owned<CButton>;
    if (is("Edit")) return new Owned<CEdit>;
    if (is("ComboBox")) return new Owned<CComboBox>;
    if (is("ListBox")) return new Owned<CListBox>;
    if (is("ScrollBar")) return new Owned<CScrollBar>;
    if (is("SysListView32")) return new Owned<CListCtrl>;
    if (is("SysTabControl32")) return new Owned<CTabCtrl>;
    if (is("msctls_progress32")) return new Owned<CProgressCtrl>;
    if (is("msctls_updown32")) return new Owned<CSpinButtonCtrl>;
    if (is("RichEdit20A") || is("RichEdit20W") || is("RICHEDIT") || is("RichEdit50W")) return new Owned<CRichEditCtrl>;
    return new Owned<CWnd>;
}

} // namespace

CWnd* CreateControlFromTemplate(const DialogControl& c, CWnd* parent)
{
    RegisterControlClasses();
    VYR_CHECK(parent != nullptr, "CreateControlFromTemplate needs a parent window");
    CWnd* w = NewControlObject(c.className);
    // Class names the platform does not know (custom controls) become plain windows.
    const char* cls = FindWindowClass(c.className) ? c.className.GetString() : nullptr;
    if (!w->CreateEx(c.exStyle, cls, c.text.GetString(), c.style | WS_CHILD, c.rect, parent, (UINT)c.id)) {
        delete w;
        return nullptr;
    }
    if (HFONT font = (HFONT)parent->SendMessage(WM_GETFONT, 0, 0)) w->SendMessage(WM_SETFONT, (WPARAM)font, FALSE);
    return w;
}

HFONT DialogTemplateFont(const DialogTemplate& t)
{
    if (t.fontSize <= 0 || t.fontName.IsEmpty()) return nullptr;
    // Kept to the end of the process, as stock objects are: dialogs of any thread share them.
    static std::mutex m;
    static auto* fonts = new std::map<std::pair<std::string, int>, CFont*>;
    std::lock_guard<std::mutex> lock(m);
    CFont*& font = (*fonts)[{t.fontName.str(), t.fontSize}];
    if (!font) {
        font = new CFont;
        font->CreatePointFont(t.fontSize * 10, t.fontName.GetString());
    }
    return (HFONT)font->GetSafeHandle();
}

void ApplyDialogInit(CWnd* dialog, UINT templateId)
{
    if (!dialog) return;
    const std::vector<DialogInitEntry>* entries = FindDialogInit(templateId);
    if (!entries) return;
    for (const DialogInitEntry& e : *entries) {
        CWnd* ctl = dialog->GetDlgItem(e.controlId);
        VYR_CHECK(ctl != nullptr, "DLGINIT names a control that the dialog does not have");
        UINT msg = e.message == 0x401 ? LB_ADDSTRING : CB_ADDSTRING;
        ctl->SendMessage(msg, 0, (LPARAM)e.text.GetString());
    }
}

bool UserClickButton(HWND h)
{
    if (!ctrl::UserCanReach(h)) return false;
    auto* p = ctrl::ProcOf<ctrl::ButtonProc>(h);
    if (!p) return false;
    RunOnWindowThread(h, [&]() -> LRESULT { p->Click(h); return 0; });
    return true;
}

} // namespace vyr

// ---- Wrappers -------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    vyr::RegisterControlClasses();
    return CWnd::Create("Static", lpszText, dwStyle, rect, pParentWnd, nID);
}
HBITMAP CStatic::SetBitmap(HBITMAP hBitmap) { return (HBITMAP)SendMessage(STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap); }
HBITMAP CStatic::GetBitmap() const { return (HBITMAP)SendMessage(STM_GETIMAGE, IMAGE_BITMAP, 0); }
HICON CStatic::SetIcon(HICON hIcon) { return (HICON)SendMessage(STM_SETICON, (WPARAM)hIcon, 0); }
HICON CStatic::GetIcon() const { return (HICON)SendMessage(STM_GETICON, 0, 0); }

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    vyr::RegisterControlClasses();
    return CWnd::Create("Button", lpszCaption, dwStyle, rect, pParentWnd, nID);
}
int CButton::GetCheck() const { return (int)SendMessage(BM_GETCHECK, 0, 0); }
void CButton::SetCheck(int nCheck) { SendMessage(BM_SETCHECK, (WPARAM)nCheck, 0); }
UINT CButton::GetState() const { return (UINT)SendMessage(BM_GETSTATE, 0, 0); }
void CButton::SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, (WPARAM)bHighlight, 0); }
UINT CButton::GetButtonStyle() const { return (UINT)(GetStyle() & 0xFFFF); }
void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) { SendMessage(BM_SETSTYLE, nStyle, bRedraw); }
HBITMAP CButton::SetBitmap(HBITMAP hBitmap) { return (HBITMAP)SendMessage(BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap); }
HBITMAP CButton::GetBitmap() const { return (HBITMAP)SendMessage(BM_GETIMAGE, IMAGE_BITMAP, 0); }
HICON CButton::SetIcon(HICON hIcon) { return (HICON)SendMessage(BM_SETIMAGE, IMAGE_ICON, (LPARAM)hIcon); }
HICON CButton::GetIcon() const { return (HICON)SendMessage(BM_GETIMAGE, IMAGE_ICON, 0); }
