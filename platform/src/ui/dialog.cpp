// CDialog: creation from templates, the modal loop, default buttons and keyboard.
#include <vyr/dialog.h>

#include <algorithm>
#include <mutex>
#include <vector>

#include <vyr/app.h>
#include <vyr/controls.h>
#include <vyr/ddx.h>
#include <vyr/resources.h>
#include <vyr/scripteduser.h>
#include "uiimpl.h"
#include <vyr/vyrdiag.h>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
    ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_pParentWnd(pParentWnd), m_nIDTemplate(nIDTemplate)
{
    m_nIDHelp = nIDTemplate;
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd) : m_pParentWnd(pParentWnd)
{
    if (IS_INTRESOURCE(lpszTemplateName)) {
        m_nIDTemplate = (UINT)(ULONG_PTR)lpszTemplateName;
        m_lpszTemplateName = lpszTemplateName;
    } else {
        m_strTemplateName = lpszTemplateName;
        m_lpszTemplateName = m_strTemplateName.GetString();
    }
}

CDialog::~CDialog()
{
    if (m_hWnd)
        DestroyWindow();
}

const vyr::DialogTemplate* CDialog::FindTemplate() const
{
    if (m_pTemplate)
        return m_pTemplate;
    const vyr::DialogTemplate* t = nullptr;
    if (m_nIDTemplate)
        t = vyr::FindDialogTemplate(m_nIDTemplate);
    else if (!m_strTemplateName.IsEmpty())
        t = vyr::FindDialogTemplate(m_strTemplateName.GetString());
    if (!t) {
        std::string what = "dialog template " +
                           (m_nIDTemplate ? std::to_string(m_nIDTemplate) : m_strTemplateName.str()) +
                           " is not in the resource scripts";
        VyrFatal(what.c_str(), __FILE__, __LINE__);
    }
    return t;
}

BOOL CDialog::CreateFromTemplate(const vyr::DialogTemplate* t, CWnd* pParentWnd, bool modal)
{
    m_pTemplate = t;
    m_bModal = modal;
    m_bEnded = false;
    m_nDefID = IDOK;
    DWORD style = t->style & ~(DWORD)WS_VISIBLE;
    HWND hParent = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
    CRect r = t->rect;
    if (!(style & WS_CHILD) && hParent) {
        CRect pr;
        ::GetWindowRect(hParent, &pr);
        r.OffsetRect(pr.left, pr.top);
    }
    if (!CreateEx(t->exStyle, "#32770", t->caption, style, r.left, r.top, r.Width(), r.Height(), hParent,
                  (HMENU)(UINT_PTR)((style & WS_CHILD) ? t->id : 0)))
        return FALSE;
    if (HFONT font = vyr::DialogTemplateFont(*t))
        SendMessage(WM_SETFONT, (WPARAM)font, FALSE);
    for (const auto& c : t->controls) {
        vyr::CreateControlFromTemplate(c, this);
        if (!m_hWnd)
            return FALSE;
        if (c.className.CompareNoCase("Button") == 0 && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            m_nDefID = (UINT)c.id;
    }
    if ((t->style & DS_CENTER) && !(style & WS_CHILD))
        CenterWindow();
    CWnd* first = GetNextDlgTabItem(nullptr);
    HWND hFirst = first ? first->GetSafeHwnd() : nullptr;
    LRESULT setFocus = SendMessage(WM_INITDIALOG, (WPARAM)hFirst, 0);
    if (!::IsWindow(m_hWnd))
        return FALSE;
    if (setFocus && hFirst && ::IsWindow(hFirst))
        GotoDlgCtrl(CWnd::FromHandle(hFirst));
    return TRUE;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::OnInitDialog()
{
    // The DLGINIT contents of the combo and list boxes, then the members into the controls.
    if (m_pTemplate && m_pTemplate->id)
        vyr::ApplyDialogInit(this, m_pTemplate->id);
    UpdateData(FALSE);
    return TRUE;
}

INT_PTR CDialog::DoModal() { return RunModal(FindTemplate()); }

INT_PTR CDialog::DoModalIndirect(const vyr::DialogTemplate* pTemplate)
{
    m_pTemplate = pTemplate;
    m_nIDTemplate = pTemplate->id;
    return RunModal(pTemplate);
}

namespace {

// The modal dialogs running, innermost last: a window's last active popup is the innermost
// one that it owns.
std::vector<HWND>& RunningModals()
{
    static std::vector<HWND> running;
    return running;
}

bool IsOwnedBy(HWND hWnd, HWND owner)
{
    for (HWND p = ::GetParent(hWnd); p; p = ::GetParent(p))
        if (p == owner)
            return true;
    return false;
}

// The owner of a modal dialog, as Windows chooses it: a popup cannot be owned by a child
// window, so the parent given (or the main window) is walked up past child windows; with no
// parent given, the main window's last active popup owns the dialog, so a dialog opened
// with a null parent from inside another modal dialog is owned by that dialog.
HWND ModalOwner(CWnd* parent)
{
    HWND h = parent ? parent->GetSafeHwnd() : nullptr;
    if (!h && !parent)
        if (CWnd* main = AfxGetMainWnd())
            h = main->GetSafeHwnd();
    while (h && (::GetWindowLong(h, GWL_STYLE) & WS_CHILD))
        h = ::GetParent(h);
    if (h && !parent)
        h = ::GetLastActivePopup(h);
    return h;
}

} // namespace

HWND GetLastActivePopup(HWND hWnd)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    const std::vector<HWND>& running = RunningModals();
    for (auto it = running.rbegin(); it != running.rend(); ++it)
        if (::IsWindow(*it) && IsOwnedBy(*it, hWnd))
            return *it;
    return hWnd;
}

INT_PTR CDialog::RunModal(const vyr::DialogTemplate* t)
{
    VYR_CHECK(m_hWnd == nullptr, "CDialog::DoModal: the dialog is already open");
    CWnd* owner = CWnd::FromHandle(ModalOwner(m_pParentWnd));
    size_t rec = vyr::ScriptedUser::DialogOpened(t->id, t->name);
    HWND hOwner = owner ? owner->GetSafeHwnd() : nullptr;
    bool ownerWasEnabled = hOwner && ::IsWindowEnabled(hOwner);
    if (ownerWasEnabled)
        ::EnableWindow(hOwner, FALSE);
    m_nModalResult = -1;
    HWND running = nullptr;
    if (CreateFromTemplate(t, owner, true)) {
        running = m_hWnd;
        {
            std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
            RunningModals().push_back(running);
        }
        if (!m_bEnded)
            ShowWindow(SW_SHOW);
        while (!m_bEnded && ::IsWindow(m_hWnd)) {
            if (vyr::ui::RunPendingSends())
                continue;
            bool quit = false;
            if (vyr::ui::PumpOne(&quit)) {
                if (quit) {
                    // WM_QUIT ends the modal loop and goes on to the outer loop.
                    ::PostQuitMessage(0);
                    EndDialog(IDCANCEL);
                }
                continue;
            }
            vyr::ScriptedUser::DialogIdle(this, rec);
        }
    }
    if (running) {
        std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
        std::vector<HWND>& all = RunningModals();
        all.erase(std::remove(all.begin(), all.end(), running), all.end());
    }
    if (ownerWasEnabled)
        ::EnableWindow(hOwner, TRUE); // by handle: the owner may have gone meanwhile
    if (m_hWnd) {
        ShowWindow(SW_HIDE);
        DestroyWindow();
    }
    m_bModal = false;
    INT_PTR result = m_nModalResult;
    vyr::ScriptedUser::DialogEnded(rec, result);
    return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    m_lpszTemplateName = MAKEINTRESOURCE(nIDTemplate);
    m_pTemplate = nullptr;
    return CreateIndirect(FindTemplate(), pParentWnd);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    if (IS_INTRESOURCE(lpszTemplateName))
        return Create((UINT)(ULONG_PTR)lpszTemplateName, pParentWnd);
    m_strTemplateName = lpszTemplateName;
    m_nIDTemplate = 0;
    m_pTemplate = nullptr;
    return CreateIndirect(FindTemplate(), pParentWnd);
}

BOOL CDialog::CreateIndirect(const vyr::DialogTemplate* pTemplate, CWnd* pParentWnd)
{
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    if (!CreateFromTemplate(pTemplate, m_pParentWnd, false))
        return FALSE;
    if (pTemplate->style & WS_VISIBLE)
        ShowWindow(SW_SHOW);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bEnded = true;
    if (!m_hWnd)
        return;
    if (!m_bModal) {
        // A modeless dialog is only hidden; DestroyWindow ends it.
        ShowWindow(SW_HIDE);
        return;
    }
    // Wakes the loop when another thread ends the dialog.
    ::PostMessage(m_hWnd, WM_NULL, 0, 0);
}

DWORD CDialog::GetDefID() const { return MAKELONG((WORD)m_nDefID, DC_HASDEFID); }

void CDialog::SetDefID(UINT nID) { m_nDefID = nID; }

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (!pWndCtrl)
        return;
    pWndCtrl->SetFocus();
    if (vyr::GetWindowClassName(pWndCtrl->GetSafeHwnd()).CompareNoCase("Edit") == 0)
        pWndCtrl->SendMessage(EM_SETSEL, 0, -1);
}

void CDialog::NextDlgCtrl() const
{
    CWnd* next = GetNextDlgTabItem(CWnd::GetFocus(), FALSE);
    const_cast<CDialog*>(this)->GotoDlgCtrl(next);
}

void CDialog::PrevDlgCtrl() const
{
    CWnd* prev = GetNextDlgTabItem(CWnd::GetFocus(), TRUE);
    const_cast<CDialog*>(this)->GotoDlgCtrl(prev);
}

void CDialog::MapDialogRect(LPRECT lpRect) const { *lpRect = vyr::DialogUnitsToPixels(CRect(*lpRect)); }

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)::GetDlgItem(m_hWnd, IDCANCEL));
        return 0;
    case DM_GETDEFID:
        return (LRESULT)GetDefID();
    case DM_SETDEFID:
        m_nDefID = (UINT)wParam;
        return TRUE;
    case WM_INITDIALOG:
        return TRUE;
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN || !m_hWnd)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !IsChild(CWnd::FromHandle(pMsg->hwnd)))
        return FALSE;
    switch (pMsg->wParam) {
    case VK_ESCAPE: {
        HWND cancel = ::GetDlgItem(m_hWnd, IDCANCEL);
        if (cancel && !::IsWindowEnabled(cancel))
            return TRUE;
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)cancel);
        return TRUE;
    }
    case VK_RETURN: {
        HWND focus = ::GetFocus();
        if (focus && vyr::GetWindowClassName(focus).CompareNoCase("Edit") == 0 &&
            (::GetWindowLong(focus, GWL_STYLE) & (ES_MULTILINE | ES_WANTRETURN)) == (ES_MULTILINE | ES_WANTRETURN))
            return FALSE;
        // Enter on a focused push button presses it; elsewhere the default button.
        if (focus && vyr::GetWindowClassName(focus).CompareNoCase("Button") == 0) {
            DWORD type = (DWORD)::GetWindowLong(focus, GWL_STYLE) & BS_TYPEMASK;
            if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
                ::SendMessage(focus, BM_CLICK, 0, 0);
                return TRUE;
            }
        }
        UINT id = LOWORD(GetDefID());
        HWND def = ::GetDlgItem(m_hWnd, (int)id);
        if (def && !::IsWindowEnabled(def))
            return TRUE;
        SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)def);
        return TRUE;
    }
    case VK_TAB:
        NextDlgCtrl();
        return TRUE;
    default:
        return FALSE;
    }
}
