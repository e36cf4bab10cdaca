// The property list and its rows, the system parameters of the non-client area.
#include <vyr/proplist.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <vyr/app.h>
#include <vyr/vyrdiag.h>

// ---------------------------------------------------------------------------------------
// System parameters

BOOL SystemParametersInfo(UINT uiAction, UINT, LPVOID pvParam, UINT)
{
    if (uiAction != SPI_GETNONCLIENTMETRICS || pvParam == nullptr)
        return FALSE;
    NONCLIENTMETRICS m{};
    m.cbSize = sizeof(NONCLIENTMETRICS);
    m.iBorderWidth = 1;
    m.iScrollWidth = m.iScrollHeight = 17;
    m.iCaptionWidth = m.iCaptionHeight = 22;
    m.iSmCaptionWidth = m.iSmCaptionHeight = 22;
    m.iMenuWidth = m.iMenuHeight = 19;
    auto font = [](LOGFONT& lf, LONG height, LONG weight) {
        lf = LOGFONT{};
        lf.lfHeight = height;
        lf.lfWeight = weight;
        lf.lfCharSet = 134; // GB2312
        std::strncpy(lf.lfFaceName, "微软雅黑", LF_FACESIZE - 1);
    };
    font(m.lfCaptionFont, -12, FW_NORMAL);
    font(m.lfSmCaptionFont, -12, FW_NORMAL);
    font(m.lfMenuFont, -12, FW_NORMAL);
    font(m.lfStatusFont, -12, FW_NORMAL);
    font(m.lfMessageFont, -12, FW_NORMAL);
    std::memcpy(pvParam, &m, sizeof m);
    return TRUE;
}

// ---------------------------------------------------------------------------------------
// Variant

CString _variant_t::ToText() const
{
    char buf[64];
    switch (vt) {
    case VT_BSTR: return m_str;
    case VT_I4: std::snprintf(buf, sizeof buf, "%ld", m_l); return buf;
    case VT_R8: std::snprintf(buf, sizeof buf, "%g", m_d); return buf;
    case VT_BOOL: return m_b ? "True" : "False";
    default: return "";
    }
}

bool _variant_t::operator==(const _variant_t& o) const
{
    if (vt != o.vt)
        return false;
    switch (vt) {
    case VT_BSTR: return m_str == o.m_str;
    case VT_I4: return m_l == o.m_l;
    case VT_R8: return m_d == o.m_d;
    case VT_BOOL: return m_b == o.m_b;
    default: return true;
    }
}

// ---------------------------------------------------------------------------------------
// Global font data

BCGPGLOBAL_DATA::BCGPGLOBAL_DATA()
{
    LOGFONT lf{};
    lf.lfHeight = -11;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = 134;
    std::strncpy(lf.lfFaceName, "宋体", LF_FACESIZE - 1);
    fontRegular.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    fontBold.CreateFontIndirect(&lf);
}

BCGPGLOBAL_DATA globalData;

// ---------------------------------------------------------------------------------------
// In-place windows: they hand Enter, Escape and the loss of focus to their list, then the
// list hides them and they close themselves.

class CBCGPPropInPlaceEdit : public CWnd
{
public:
    explicit CBCGPPropInPlaceEdit(CBCGPPropList* list) : m_pList(list) {}
    CBCGPPropList* m_pList;

protected:
    void PostNcDestroy() override { delete this; }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        if (m_pList && (nChar == VK_RETURN || nChar == VK_ESCAPE))
            return m_pList->OnInPlaceKey(nChar);
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
    }
    afx_msg void OnKillFocus(CWnd* pNew)
    {
        CWnd::OnKillFocus(pNew);
        if (m_pList)
            m_pList->OnInPlaceKillFocus();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBCGPPropInPlaceEdit, CWnd)
    ON_WM_KEYDOWN()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

// ---------------------------------------------------------------------------------------
// Rows

IMPLEMENT_DYNAMIC(CBCGPProp, CObject)

CBCGPProp::CBCGPProp(const CString& strName, const _variant_t& varValue, LPCTSTR lpszDescr, DWORD_PTR dwData,
                     LPCTSTR lpszEditMask, LPCTSTR lpszEditTemplate, LPCTSTR lpszValidChars)
    : m_strName(strName), m_varValue(varValue), m_strDescr(lpszDescr), m_dwData(dwData), m_strEditMask(lpszEditMask),
      m_strEditTempl(lpszEditTemplate), m_strValidChars(lpszValidChars)
{
}

CBCGPProp::CBCGPProp(const CString& strGroupName, DWORD_PTR dwData, BOOL bIsValueList)
    : m_strName(strGroupName), m_dwData(dwData), m_bGroup(TRUE), m_bIsValueList(bIsValueList)
{
}

CBCGPProp::~CBCGPProp()
{
    for (CBCGPProp* p : m_lstSubItems)
        delete p;
}

CString CBCGPProp::FormatProperty() { return m_varValue.ToText(); }

BOOL CBCGPProp::TextToVar(const CString& strText)
{
    const char* s = strText.GetString();
    char* end = nullptr;
    switch (m_varValue.vt) {
    case VT_I4: {
        long v = std::strtol(s, &end, 10);
        if (end == s || *end != '\0')
            return FALSE;
        m_varValue = _variant_t(v);
        return TRUE;
    }
    case VT_R8: {
        double v = std::strtod(s, &end);
        if (end == s || *end != '\0' || !std::isfinite(v))
            return FALSE;
        m_varValue = _variant_t(v);
        return TRUE;
    }
    case VT_BOOL:
        if (strText == "True" || strText == "False") {
            m_varValue = _variant_t(strText == "True");
            return TRUE;
        }
        return FALSE;
    default:
        m_varValue = _variant_t(strText);
        return TRUE;
    }
}

void CBCGPProp::OnDblClickName(CPoint)
{
    if (m_bGroup)
        Expand(!m_bExpanded);
}

BOOL CBCGPProp::OnUpdateValue()
{
    if (m_pWndInPlace == nullptr)
        return FALSE;
    CString text;
    m_pWndInPlace->GetWindowText(text);
    return TextToVar(text);
}

BOOL CBCGPProp::OnEndEdit()
{
    m_bInPlaceEdit = FALSE;
    if (m_pWndList)
        m_pWndList->DropInPlace();
    m_pWndInPlace = nullptr;
    return TRUE;
}

void CBCGPProp::SetName(LPCTSTR lpszName, BOOL bRedraw)
{
    m_strName = lpszName;
    if (bRedraw && m_pWndList && m_pWndList->GetSafeHwnd())
        m_pWndList->InvalidateRect(&m_Rect, FALSE);
}

void CBCGPProp::SetValue(const _variant_t& varValue)
{
    m_varValue = varValue;
    if (m_pWndList && m_pWndList->GetSafeHwnd() && !m_Rect.IsRectEmpty())
        m_pWndList->InvalidateRect(&m_Rect, FALSE);
}

void CBCGPProp::SetDescription(const CString& strDescr) { m_strDescr = strDescr; }

BOOL CBCGPProp::AddOption(LPCTSTR lpszOption, BOOL bInsertUnique)
{
    CString o(lpszOption);
    if (bInsertUnique && std::find(m_options.begin(), m_options.end(), o) != m_options.end())
        return FALSE;
    m_options.push_back(o);
    return TRUE;
}

void CBCGPProp::RemoveAllOptions() { m_options.clear(); }

LPCTSTR CBCGPProp::GetOption(int nIndex) const
{
    if (nIndex < 0 || nIndex >= (int)m_options.size())
        return nullptr;
    return m_options[nIndex].GetString();
}

void CBCGPProp::Enable(BOOL bEnable) { m_bEnabled = bEnable; }

void CBCGPProp::Expand(BOOL bExpand)
{
    if (!m_bGroup || m_bExpanded == bExpand)
        return;
    m_bExpanded = bExpand;
    if (m_pWndList && m_pWndList->GetSafeHwnd()) {
        m_pWndList->AdjustLayout();
        m_pWndList->Invalidate(FALSE);
    }
}

BOOL CBCGPProp::IsVisible() const
{
    for (const CBCGPProp* p = m_pParent; p; p = p->m_pParent)
        if (!p->m_bExpanded)
            return FALSE;
    return TRUE;
}

BOOL CBCGPProp::IsSelected() const { return m_pWndList && m_pWndList->GetCurSel() == this; }

BOOL CBCGPProp::AddSubItem(CBCGPProp* pProp)
{
    if (!m_bGroup || pProp == nullptr)
        return FALSE;
    pProp->m_pParent = this;
    pProp->SetOwnerList(m_pWndList);
    m_lstSubItems.push_back(pProp);
    return TRUE;
}

CBCGPProp* CBCGPProp::GetSubItem(int nIndex) const
{
    VYR_CHECK(nIndex >= 0 && nIndex < (int)m_lstSubItems.size(), "CBCGPProp::GetSubItem: index out of range");
    return m_lstSubItems[nIndex];
}

void CBCGPProp::SetOwnerList(CBCGPPropList* pList)
{
    m_pWndList = pList;
    for (CBCGPProp* p : m_lstSubItems)
        p->SetOwnerList(pList);
}

// ---------------------------------------------------------------------------------------
// List

IMPLEMENT_DYNAMIC(CBCGPPropList, CWnd)

BEGIN_MESSAGE_MAP(CBCGPPropList, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEWHEEL()
    ON_WM_VSCROLL()
    ON_WM_KEYDOWN()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
constexpr int kScrollWidth = 16;
constexpr int kIndent = 14;
constexpr COLORREF kBack = RGB(255, 255, 255);
constexpr COLORREF kGroupBack = RGB(236, 233, 216);
constexpr COLORREF kLine = RGB(192, 192, 192);
constexpr COLORREF kSelBack = RGB(49, 106, 197);
constexpr COLORREF kGrayText = RGB(128, 128, 128);
} // namespace

CBCGPPropList::BusyScope::BusyScope(CBCGPPropList* list) : m_pList(list) { ++m_pList->m_nBusy; }

CBCGPPropList::BusyScope::~BusyScope()
{
    if (--m_pList->m_nBusy == 0)
        m_pList->m_lstRemoved.clear();
}

CBCGPPropList::CBCGPPropList() = default;

CBCGPPropList::~CBCGPPropList()
{
    DropInPlace();
    for (CBCGPProp* p : m_lstProps)
        delete p;
    m_lstProps.clear();
}

BOOL CBCGPPropList::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CWnd::Create(nullptr, "", dwStyle | WS_CHILD, rect, pParentWnd, nID))
        return FALSE;
    AdjustLayout();
    return TRUE;
}

void CBCGPPropList::EnableHeaderCtrl(BOOL bEnable, LPCTSTR lpszLeftColumn, LPCTSTR lpszRightColumn)
{
    m_bHeaderCtrl = bEnable;
    m_strLeftColumn = lpszLeftColumn;
    m_strRightColumn = lpszRightColumn;
    if (GetSafeHwnd())
        AdjustLayout();
}

void CBCGPPropList::EnableDescriptionArea(BOOL bEnable)
{
    m_bDescriptionArea = bEnable;
    if (GetSafeHwnd())
        AdjustLayout();
}

void CBCGPPropList::SetVSDotNetLook(BOOL bSet)
{
    m_bVSDotNetLook = bSet;
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

int CBCGPPropList::AddProperty(CBCGPProp* pProp, BOOL bRedraw, BOOL bAdjustLayout)
{
    VYR_CHECK(pProp != nullptr, "CBCGPPropList::AddProperty: no row");
    pProp->m_pParent = nullptr;
    pProp->SetOwnerList(this);
    m_lstProps.push_back(pProp);
    if (bAdjustLayout && GetSafeHwnd())
        AdjustLayout();
    if (bRedraw && GetSafeHwnd())
        Invalidate(FALSE);
    return (int)m_lstProps.size() - 1;
}

void CBCGPPropList::RemoveAll()
{
    DropInPlace();
    m_pSel = nullptr;
    for (CBCGPProp* p : m_lstProps) {
        if (m_nBusy > 0) {
            p->SetOwnerList(nullptr);
            m_lstRemoved.emplace_back(p);
        } else {
            delete p;
        }
    }
    m_lstProps.clear();
    m_nVertScrollOffset = 0;
    if (GetSafeHwnd())
        AdjustLayout();
}

CBCGPProp* CBCGPPropList::GetProperty(int nIndex) const
{
    VYR_CHECK(nIndex >= 0 && nIndex < (int)m_lstProps.size(), "CBCGPPropList::GetProperty: index out of range");
    return m_lstProps[nIndex];
}

namespace {
template <class F>
CBCGPProp* FindDepthFirst(const std::vector<CBCGPProp*>& rows, F&& match, bool sub)
{
    for (CBCGPProp* p : rows) {
        if (match(p))
            return p;
        if (sub && p->GetSubItemsCount() > 0) {
            std::vector<CBCGPProp*> kids;
            for (int i = 0; i < p->GetSubItemsCount(); ++i)
                kids.push_back(p->GetSubItem(i));
            if (CBCGPProp* r = FindDepthFirst(kids, match, sub))
                return r;
        }
    }
    return nullptr;
}
} // namespace

CBCGPProp* CBCGPPropList::FindItemByData(DWORD_PTR dwData, BOOL bSearchSubItems) const
{
    return FindDepthFirst(m_lstProps, [&](CBCGPProp* p) { return p->GetData() == dwData; }, bSearchSubItems != FALSE);
}

BOOL CBCGPPropList::HasProperty(const CBCGPProp* pProp) const
{
    return pProp && FindDepthFirst(m_lstProps, [&](CBCGPProp* p) { return p == pProp; }, true) != nullptr;
}

void CBCGPPropList::SetCurSel(CBCGPProp* pProp, BOOL bRedraw)
{
    if (m_pSel == pProp)
        return;
    m_pSel = pProp;
    if (bRedraw && GetSafeHwnd())
        Invalidate(FALSE);
}

BOOL CBCGPPropList::EditItem(CBCGPProp* pProp, LPPOINT)
{
    if (pProp == nullptr || pProp->IsGroup() || !pProp->IsEnabled() || !GetSafeHwnd())
        return FALSE;
    if (!pProp->IsAllowEdit() && pProp->GetOptionCount() == 0)
        return FALSE;
    if (m_pSel && m_pSel != pProp && m_pSel->m_bInPlaceEdit && !EndEditItem(TRUE))
        return FALSE;
    if (!HasProperty(pProp))
        return FALSE; // the ending edit refilled the list
    SetCurSel(pProp);
    if (pProp->m_bInPlaceEdit)
        return TRUE;
    CRect r = pProp->m_Rect;
    r.left += m_nLeftColumnWidth + 1;
    if (r.IsRectEmpty())
        r = CRect(m_rectList.left + m_nLeftColumnWidth + 1, m_rectList.top, m_rectList.right, m_rectList.top + m_nRowHeight);
    auto* w = new CBCGPPropInPlaceEdit(this);
    CString text = pProp->FormatProperty();
    BOOL ok;
    if (pProp->GetOptionCount() > 0) {
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | (pProp->IsAllowEdit() ? CBS_DROPDOWN : CBS_DROPDOWNLIST);
        ok = w->CreateEx(0, "ComboBox", "", style, CRect(r.left, r.top, r.right, r.top + 200), this, 1);
        if (ok) {
            for (int i = 0; i < pProp->GetOptionCount(); ++i)
                w->SendMessage(CB_ADDSTRING, 0, (LPARAM)pProp->GetOption(i));
            LRESULT i = w->SendMessage(CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)text.GetString());
            w->SendMessage(CB_SETCURSEL, (WPARAM)(i >= 0 ? i : -1), 0);
            if (pProp->IsAllowEdit())
                w->SetWindowText(text);
        }
    } else {
        ok = w->CreateEx(0, "Edit", text, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, r, this, 1);
    }
    if (!ok) {
        delete w;
        return FALSE;
    }
    pProp->m_pWndInPlace = w;
    pProp->m_bInPlaceEdit = TRUE;
    w->SetFocus();
    if (pProp->IsAllowEdit() && pProp->GetOptionCount() == 0)
        w->SendMessage(EM_SETSEL, 0, (LPARAM)-1);
    return TRUE;
}

BOOL CBCGPPropList::EndEditItem(BOOL bUpdateData)
{
    CBCGPProp* p = m_pSel;
    if (p == nullptr || !p->m_bInPlaceEdit)
        return TRUE;
    if (m_bEnding)
        return FALSE; // an edit already ending (its message box took the focus)
    BusyScope busy(this);
    m_bEnding = TRUE;
    BOOL ok = TRUE;
    if (bUpdateData)
        ok = ValidateItemData(p) && p->OnUpdateValue();
    // The row may have been removed meanwhile (its handler refilled the list); its edit
    // went with it.
    if (ok && p->m_bInPlaceEdit)
        p->OnEndEdit();
    m_bEnding = FALSE;
    if (ok && GetSafeHwnd() && HasProperty(p))
        Invalidate(FALSE);
    return ok;
}

void CBCGPPropList::DropInPlace()
{
    std::vector<CBCGPProp*> all;
    std::function<void(const std::vector<CBCGPProp*>&)> walk = [&](const std::vector<CBCGPProp*>& rows) {
        for (CBCGPProp* p : rows) {
            all.push_back(p);
            walk(p->m_lstSubItems);
        }
    };
    walk(m_lstProps);
    for (CBCGPProp* p : all) {
        if (!p->m_pWndInPlace)
            continue;
        auto* w = static_cast<CBCGPPropInPlaceEdit*>(p->m_pWndInPlace);
        p->m_pWndInPlace = nullptr;
        p->m_bInPlaceEdit = FALSE;
        w->m_pList = nullptr;
        if (w->GetSafeHwnd()) {
            // Out of sight and out of GetDlgItem's reach at once; the window closes when
            // the handler that ended the edit has returned.
            w->ShowWindow(SW_HIDE);
            w->SetDlgCtrlID(0);
            w->PostMessage(WM_CLOSE);
        }
    }
    if (GetSafeHwnd() && ::GetFocus() == nullptr)
        SetFocus();
}

void CBCGPPropList::OnInPlaceKey(UINT nChar) { EndEditItem(nChar == VK_RETURN); }

void CBCGPPropList::OnInPlaceKillFocus()
{
    if (!m_bEnding)
        EndEditItem(TRUE);
}

BOOL CBCGPPropList::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // A choice from the in-place drop-down list ends the edit with that value.
    if (HIWORD(wParam) == CBN_SELCHANGE && m_pSel && m_pSel->m_pWndInPlace &&
        (HWND)lParam == m_pSel->m_pWndInPlace->GetSafeHwnd()) {
        EndEditItem(TRUE);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CBCGPPropList::CollectShown(const std::vector<CBCGPProp*>& rows, std::vector<CBCGPProp*>& out) const
{
    for (CBCGPProp* p : rows) {
        out.push_back(p);
        if (p->IsGroup() && p->IsExpanded())
            CollectShown(p->m_lstSubItems, out);
    }
}

int CBCGPPropList::ShownCount() const
{
    std::vector<CBCGPProp*> shown;
    CollectShown(m_lstProps, shown);
    return (int)shown.size();
}

void CBCGPPropList::AdjustLayout()
{
    if (!GetSafeHwnd())
        return;
    LOGFONT lf{};
    CFont* font = GetFont();
    if (font == nullptr || !font->GetLogFont(&lf))
        globalData.fontRegular.GetLogFont(&lf);
    m_nRowHeight = std::max(12, (int)std::labs(lf.lfHeight)) + 6;
    CRect client;
    GetClientRect(&client);
    m_nHeaderHeight = m_bHeaderCtrl ? m_nRowHeight + 2 : 0;
    m_nDescrHeight = m_bDescriptionArea ? std::min(3 * m_nRowHeight + 4, std::max(0, client.Height() / 2)) : 0;
    m_rectList = CRect(client.left, client.top + m_nHeaderHeight, client.right, client.bottom - m_nDescrHeight);
    if (m_rectList.bottom < m_rectList.top)
        m_rectList.bottom = m_rectList.top;

    std::vector<CBCGPProp*> shown;
    CollectShown(m_lstProps, shown);
    const int total = (int)shown.size() * m_nRowHeight;
    m_bVertScroll = total > m_rectList.Height();
    if (m_bVertScroll)
        m_rectList.right = std::max(m_rectList.left, m_rectList.right - kScrollWidth);
    const int maxOffset = std::max(0, total - m_rectList.Height());
    m_nVertScrollOffset = std::clamp(m_nVertScrollOffset, 0, maxOffset);
    m_nLeftColumnWidth = m_rectList.Width() / 2;

    // Rows of closed groups have no place.
    std::function<void(const std::vector<CBCGPProp*>&)> clear = [&](const std::vector<CBCGPProp*>& rows) {
        for (CBCGPProp* p : rows) {
            p->m_Rect.SetRectEmpty();
            p->m_rectButton.SetRectEmpty();
            clear(p->m_lstSubItems);
        }
    };
    clear(m_lstProps);
    int y = m_rectList.top - m_nVertScrollOffset;
    for (CBCGPProp* p : shown) {
        p->m_Rect = CRect(m_rectList.left, y, m_rectList.right, y + m_nRowHeight);
        if (p->IsGroup()) {
            int depth = 0;
            for (CBCGPProp* q = p->m_pParent; q; q = q->m_pParent)
                ++depth;
            const int bx = m_rectList.left + depth * kIndent + 3;
            const int by = y + (m_nRowHeight - 9) / 2;
            p->m_rectButton = CRect(bx, by, bx + 9, by + 9);
        }
        y += m_nRowHeight;
    }
    for (CBCGPProp* p : shown)
        if (p->m_pWndInPlace && p->m_pWndInPlace->GetSafeHwnd()) {
            CRect r = p->m_Rect;
            r.left += m_nLeftColumnWidth + 1;
            p->m_pWndInPlace->MoveWindow(r.left, r.top, r.Width(), p->GetOptionCount() > 0 ? 200 : r.Height(), FALSE);
        }
}

void CBCGPPropList::ExpandAll(BOOL bExpand)
{
    std::function<void(const std::vector<CBCGPProp*>&)> walk = [&](const std::vector<CBCGPProp*>& rows) {
        for (CBCGPProp* p : rows) {
            if (p->IsGroup())
                p->m_bExpanded = bExpand;
            walk(p->m_lstSubItems);
        }
    };
    walk(m_lstProps);
    AdjustLayout();
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

void CBCGPPropList::SetVertScrollOffset(int nOffset, BOOL bRedraw)
{
    m_nVertScrollOffset = nOffset;
    AdjustLayout();
    if (bRedraw && GetSafeHwnd())
        Invalidate(FALSE);
}

CBCGPProp* CBCGPPropList::HitTest(CPoint pt, BOOL* pbOnExpandBox) const
{
    if (pbOnExpandBox)
        *pbOnExpandBox = FALSE;
    if (!m_rectList.PtInRect(pt))
        return nullptr;
    std::vector<CBCGPProp*> shown;
    CollectShown(m_lstProps, shown);
    for (CBCGPProp* p : shown)
        if (p->m_Rect.PtInRect(pt)) {
            if (pbOnExpandBox && p->IsGroup()) {
                CRect box = p->m_rectButton;
                box.InflateRect(2, 2);
                *pbOnExpandBox = box.PtInRect(pt);
            }
            return p;
        }
    return nullptr;
}

// ----- painting

BOOL CBCGPPropList::OnEraseBkgnd(CDC*) { return TRUE; }

void CBCGPPropList::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, kBack);
    CFont* font = GetFont();
    if (font == nullptr)
        font = &globalData.fontRegular;
    // The bold face of the list's own font.
    LOGFONT lf{};
    font->GetLogFont(&lf);
    lf.lfWeight = FW_BOLD;
    CFont bold;
    bold.CreateFontIndirect(&lf);
    CFont* oldFont = dc.SelectObject(font);
    dc.SetBkMode(TRANSPARENT);

    if (m_bHeaderCtrl) {
        CRect h(client.left, client.top, client.right, client.top + m_nHeaderHeight);
        dc.FillSolidRect(&h, kGroupBack);
        dc.Draw3dRect(&h, RGB(255, 255, 255), kGrayText);
        dc.SetTextColor(RGB(0, 0, 0));
        CRect l(h.left + 4, h.top, h.left + m_nLeftColumnWidth, h.bottom);
        dc.DrawText(m_strLeftColumn, &l, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        CRect r(h.left + m_nLeftColumnWidth + 4, h.top, h.right, h.bottom);
        dc.DrawText(m_strRightColumn, &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
    std::vector<CBCGPProp*> shown;
    CollectShown(m_lstProps, shown);
    int save = dc.SaveDC();
    dc.IntersectClipRect(&m_rectList);
    DrawRows(&dc, shown, font, &bold);
    dc.RestoreDC(save);
    if (m_bVertScroll)
        DrawScrollBar(&dc);
    if (m_bDescriptionArea)
        DrawDescription(&dc, font, &bold);
    dc.SelectObject(oldFont);
}

void CBCGPPropList::DrawRows(CDC* pDC, const std::vector<CBCGPProp*>& rows, CFont* pFont, CFont* pBold)
{
    CPen linePen(PS_SOLID, 1, kLine);
    CPen* oldPen = pDC->SelectObject(&linePen);
    const int split = m_rectList.left + m_nLeftColumnWidth;
    for (CBCGPProp* p : rows) {
        const CRect& r = p->m_Rect;
        if (r.bottom <= m_rectList.top || r.top >= m_rectList.bottom)
            continue;
        int depth = 0;
        for (CBCGPProp* q = p->m_pParent; q; q = q->m_pParent)
            ++depth;
        const int textLeft = r.left + (depth + 1) * kIndent + 2;
        if (p->IsGroup()) {
            pDC->FillSolidRect(&r, m_bVSDotNetLook ? kGroupBack : RGB(212, 208, 200));
            // The expand box: a square with a minus, and a plus while closed.
            const CRect& b = p->m_rectButton;
            pDC->FillSolidRect(&b, kBack);
            pDC->Draw3dRect(&b, kGrayText, kGrayText);
            CPen dark(PS_SOLID, 1, RGB(0, 0, 0));
            CPen* old = pDC->SelectObject(&dark);
            pDC->MoveTo(b.left + 2, b.top + 4);
            pDC->LineTo(b.right - 2, b.top + 4);
            if (!p->IsExpanded()) {
                pDC->MoveTo(b.left + 4, b.top + 2);
                pDC->LineTo(b.left + 4, b.bottom - 2);
            }
            pDC->SelectObject(old);
            CFont* of = pDC->SelectObject(pBold);
            CRect t(textLeft, r.top, r.right, r.bottom);
            if (p == m_pSel) {
                pDC->FillSolidRect(&t, kSelBack);
                pDC->SetTextColor(RGB(255, 255, 255));
            } else {
                pDC->SetTextColor(RGB(0, 0, 0));
            }
            pDC->DrawText(p->GetName(), &t, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS);
            pDC->SelectObject(of);
            continue;
        }
        if (m_bVSDotNetLook)
            pDC->FillSolidRect(r.left, r.top, textLeft - 2 - r.left, r.Height(), kGroupBack);
        CRect name(textLeft - 2, r.top, split, r.bottom);
        if (p == m_pSel) {
            pDC->FillSolidRect(&name, kSelBack);
            pDC->SetTextColor(RGB(255, 255, 255));
        } else {
            pDC->SetTextColor(p->IsEnabled() ? RGB(0, 0, 0) : kGrayText);
        }
        CRect nt(textLeft, r.top, split - 2, r.bottom);
        pDC->DrawText(p->GetName(), &nt, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS);
        pDC->SetTextColor(p->IsEnabled() ? RGB(0, 0, 0) : kGrayText);
        CFont* of = pDC->SelectObject(pFont);
        CRect vt(split + 4, r.top, r.right - 2, r.bottom);
        if (!p->m_bInPlaceEdit)
            pDC->DrawText(p->FormatProperty(), &vt, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS);
        pDC->SelectObject(of);
        pDC->MoveTo(split, r.top);
        pDC->LineTo(split, r.bottom);
        pDC->MoveTo(textLeft - 2, r.bottom - 1);
        pDC->LineTo(r.right, r.bottom - 1);
    }
    pDC->SelectObject(oldPen);
}

void CBCGPPropList::DrawScrollBar(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CRect bar(m_rectList.right, m_rectList.top, client.right, m_rectList.bottom);
    pDC->FillSolidRect(&bar, RGB(224, 224, 224));
    const int total = ShownCount() * m_nRowHeight;
    if (total <= 0 || bar.Height() <= 0)
        return;
    const int thumb = std::max(8, bar.Height() * m_rectList.Height() / total);
    const int range = std::max(1, total - m_rectList.Height());
    const int top = bar.top + (bar.Height() - thumb) * m_nVertScrollOffset / range;
    CRect t(bar.left + 2, top, bar.right - 2, top + thumb);
    pDC->FillSolidRect(&t, RGB(160, 160, 160));
}

void CBCGPPropList::DrawDescription(CDC* pDC, CFont* pFont, CFont* pBold)
{
    CRect client;
    GetClientRect(&client);
    CRect d(client.left, client.bottom - m_nDescrHeight, client.right, client.bottom);
    pDC->FillSolidRect(&d, kGroupBack);
    pDC->Draw3dRect(&d, kGrayText, RGB(255, 255, 255));
    if (m_pSel == nullptr)
        return;
    pDC->SetTextColor(RGB(0, 0, 0));
    CFont* of = pDC->SelectObject(pBold);
    CRect t(d.left + 4, d.top + 2, d.right - 4, d.top + 2 + m_nRowHeight);
    pDC->DrawText(m_pSel->GetName(), &t, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS);
    pDC->SelectObject(pFont);
    CRect b(d.left + 4, t.bottom, d.right - 4, d.bottom - 2);
    pDC->DrawText(m_pSel->GetDescription(), &b, DT_LEFT | DT_WORDBREAK);
    pDC->SelectObject(of);
}

// ----- input

void CBCGPPropList::OnSize(UINT, int, int) { AdjustLayout(); }

void CBCGPPropList::OnLButtonDown(UINT, CPoint point)
{
    SetFocus();
    BOOL onBox = FALSE;
    CBCGPProp* p = HitTest(point, &onBox);
    if (p == nullptr)
        return;
    if (m_pSel && m_pSel != p && m_pSel->m_bInPlaceEdit) {
        if (!EndEditItem(TRUE))
            return; // the value was refused: the edit stays
        if (!HasProperty(p))
            return; // the ended edit refilled the list
    }
    SetCurSel(p);
    if (p->IsGroup()) {
        if (onBox)
            p->Expand(!p->IsExpanded());
        return;
    }
    if (point.x > m_rectList.left + m_nLeftColumnWidth)
        EditItem(p, &point);
}

void CBCGPPropList::OnLButtonDblClk(UINT, CPoint point)
{
    BOOL onBox = FALSE;
    CBCGPProp* p = HitTest(point, &onBox);
    if (p == nullptr || onBox)
        return;
    if (point.x > m_rectList.left + m_nLeftColumnWidth && !p->IsGroup())
        return;
    BusyScope busy(this);
    SetCurSel(p);
    p->OnDblClickName(point);
}

BOOL CBCGPPropList::OnMouseWheel(UINT, short zDelta, CPoint)
{
    SetVertScrollOffset(m_nVertScrollOffset - zDelta / 120 * 3 * m_nRowHeight);
    return TRUE;
}

void CBCGPPropList::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    int off = m_nVertScrollOffset;
    switch (nSBCode) {
    case SB_LINEUP: off -= m_nRowHeight; break;
    case SB_LINEDOWN: off += m_nRowHeight; break;
    case SB_PAGEUP: off -= m_rectList.Height(); break;
    case SB_PAGEDOWN: off += m_rectList.Height(); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: off = (int)nPos; break;
    case SB_TOP: off = 0; break;
    default: return;
    }
    SetVertScrollOffset(off);
}

void CBCGPPropList::OnKeyDown(UINT nChar, UINT, UINT)
{
    std::vector<CBCGPProp*> shown;
    CollectShown(m_lstProps, shown);
    if (shown.empty())
        return;
    auto it = std::find(shown.begin(), shown.end(), m_pSel);
    switch (nChar) {
    case VK_UP:
        if (it != shown.end() && it != shown.begin())
            SetCurSel(*(it - 1));
        break;
    case VK_DOWN:
        if (it == shown.end())
            SetCurSel(shown.front());
        else if (it + 1 != shown.end())
            SetCurSel(*(it + 1));
        break;
    case VK_RETURN:
        if (m_pSel && m_pSel->IsGroup())
            m_pSel->Expand(!m_pSel->IsExpanded());
        else if (m_pSel)
            EditItem(m_pSel);
        break;
    default: break;
    }
}

void CBCGPPropList::OnDestroy()
{
    DropInPlace();
    CWnd::OnDestroy();
}

// ---------------------------------------------------------------------------------------
// What a user does

namespace vyr {

namespace {

CBCGPPropList* ListOf(HWND h)
{
    return dynamic_cast<CBCGPPropList*>(CWnd::FromHandle(h));
}

CBCGPProp* ShownRow(CBCGPPropList* list, const char* caption, const char* inGroup = nullptr)
{
    std::vector<CBCGPProp*> rows;
    for (int i = 0; i < list->GetPropertyCount(); ++i)
        rows.push_back(list->GetProperty(i));
    if (inGroup != nullptr) {
        CBCGPProp* group = ShownRow(list, inGroup);
        if (!group)
            return nullptr;
        rows.clear();
        for (int i = 0; i < group->GetSubItemsCount(); ++i)
            rows.push_back(group->GetSubItem(i));
    }
    CBCGPProp* p = FindDepthFirst(rows, [&](CBCGPProp* r) { return r->GetName() == caption && r->IsVisible(); }, true);
    return p;
}

// Scrolls the row into the list's area when it lies outside, as a user would first.
bool BringIntoView(CBCGPPropList* list, CBCGPProp* p)
{
    CRect area = list->GetListRect();
    CRect r = p->GetRect();
    if (r.IsRectEmpty())
        return false;
    if (r.top < area.top)
        list->SetVertScrollOffset(list->GetVertScrollOffset() - (area.top - r.top));
    else if (r.bottom > area.bottom)
        list->SetVertScrollOffset(list->GetVertScrollOffset() + (r.bottom - area.bottom));
    r = p->GetRect();
    return r.top >= area.top && r.bottom <= area.bottom;
}

bool ClickValue(CBCGPPropList* list, CBCGPProp* p)
{
    if (p->IsGroup() || !p->IsEnabled() || !list->IsWindowVisible() || !list->IsWindowEnabled())
        return false;
    if (!BringIntoView(list, p))
        return false;
    const CRect& r = p->GetRect();
    CPoint pt(list->GetListRect().left + list->GetLeftColumnWidth() + 6, r.top + r.Height() / 2);
    list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    list->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    return p->IsInPlaceEditing() && p->m_pWndInPlace != nullptr;
}

} // namespace

bool UserPropDblClickName(HWND hList, const char* caption, const char* inGroup)
{
    CBCGPPropList* list = ListOf(hList);
    if (!list || !list->IsWindowVisible() || !list->IsWindowEnabled())
        return false;
    CBCGPProp* p = ShownRow(list, caption, inGroup);
    if (!p || !BringIntoView(list, p))
        return false;
    const CRect& r = p->GetRect();
    CPoint pt(list->GetListRect().left + list->GetLeftColumnWidth() / 2 + 10, r.top + r.Height() / 2);
    list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    list->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    list->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    list->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    return true;
}

bool UserPropSetValue(HWND hList, const char* caption, const char* text)
{
    CBCGPPropList* list = ListOf(hList);
    if (!list)
        return false;
    CBCGPProp* p = ShownRow(list, caption);
    if (!p || !p->IsAllowEdit() || !ClickValue(list, p))
        return false;
    HWND edit = p->m_pWndInPlace->GetSafeHwnd();
    if (!UserSetText(edit, text))
        return false;
    ::SendMessage(edit, WM_KEYDOWN, VK_RETURN, 1);
    return true;
}

bool UserPropChooseOption(HWND hList, const char* caption, const char* option)
{
    CBCGPProp* p = nullptr;
    CBCGPPropList* list = ListOf(hList);
    if (!list || !(p = ShownRow(list, caption)) || p->GetOptionCount() == 0)
        return false;
    int index = -1;
    for (int i = 0; i < p->GetOptionCount(); ++i)
        if (CString(p->GetOption(i)) == option)
            index = i;
    if (index < 0 || !ClickValue(list, p))
        return false;
    return UserChooseComboItem(p->m_pWndInPlace->GetSafeHwnd(), index);
}

bool UserPropExpand(HWND hList, const char* caption, bool expand)
{
    CBCGPPropList* list = ListOf(hList);
    if (!list || !list->IsWindowVisible() || !list->IsWindowEnabled())
        return false;
    CBCGPProp* p = ShownRow(list, caption);
    if (!p || !p->IsGroup() || !BringIntoView(list, p))
        return false;
    if ((p->IsExpanded() != FALSE) == expand)
        return true;
    CPoint pt = p->GetExpandBoxRect().CenterPoint();
    list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    list->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    return (p->IsExpanded() != FALSE) == expand;
}

bool UserPropScroll(HWND hList, int offset)
{
    CBCGPPropList* list = ListOf(hList);
    if (!list || !list->IsWindowVisible() || !list->IsWindowEnabled() || !list->HasVertScrollBar())
        return false;
    list->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, std::max(0, offset)), 0);
    return true;
}

} // namespace vyr
