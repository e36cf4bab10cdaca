#include <vyr/host/BCGPVyrProp.h>

#include <optional>

#include <vyr/protocol/HostProtocol.h>
#include <vyr/model/prop/Prop.h>

IMPLEMENT_DYNAMIC(CBCGPVyrProp, CBCGPProp)

CBCGPVyrProp::CBCGPVyrProp(const CString& strName, const _variant_t& varValue, LPCTSTR lpszDescr, DWORD_PTR dwData,
                           LPCTSTR lpszEditMask, LPCTSTR lpszEditTemplate, LPCTSTR lpszValidChars)
    : CBCGPProp(strName, varValue, lpszDescr, dwData, lpszEditMask, lpszEditTemplate, lpszValidChars)
{
}

CBCGPVyrProp::CBCGPVyrProp(const CString& strGroupName, DWORD_PTR dwData, BOOL bIsValueList)
    : CBCGPProp(strGroupName, dwData, bIsValueList)
{
}

void CBCGPVyrProp::OnDblClickName(CPoint)
{
    ::ReleaseCapture();
    if (m_pWndList && m_pWndList->GetParent())
        m_pWndList->GetParent()->SendMessage(WM_PROP_OTHER, 0, (LPARAM)this);
}

BOOL CBCGPVyrProp::OnUpdateValue()
{
    auto* desc = reinterpret_cast<CProp*>(GetData());
    if (desc == nullptr || m_pWndList == nullptr)
        return CBCGPProp::OnUpdateValue();
    CBCGPPropList* list = m_pWndList;
    // The handlers below may refill the list; this row stays allocated until they return.
    std::optional<CBCGPPropList::BusyScope> busy(std::in_place, list);

    CString text;
    if (m_pWndInPlace)
        m_pWndInPlace->GetWindowText(text);
    if (text == FormatProperty())
        return TRUE;

    CString message;
    if (!desc->CheckValueText(text, message)) {
        if (m_pWndInPlace) {
            m_pWndInPlace->SetWindowText(FormatProperty());
            const bool combo = vyr::GetWindowClassName(m_pWndInPlace->GetSafeHwnd()).CompareNoCase("ComboBox") == 0;
            m_pWndInPlace->SendMessage(combo ? CB_SETEDITSEL : EM_SETSEL, 0, combo ? MAKELPARAM(0, -1) : (LPARAM)-1);
            if (!combo)
                m_pWndInPlace->SendMessage(EM_SCROLLCARET, 0, 0);
            AfxMessageBox(message);
        }
        return FALSE;
    }

    if (text == CProps::GetOtherString()) {
        ::ReleaseCapture();
        CWnd* parent = list->GetParent();
        if (parent && parent->SendMessage(WM_PROP_OTHER, 0, (LPARAM)this))
            return TRUE;
        if (m_varValue.vt == VT_BSTR && m_pWndInPlace)
            m_pWndInPlace->SetWindowText(FormatProperty());
        return TRUE;
    }

    const bool point = desc->GetPropKey() == "Prop.Pt";
    desc->SetValueText(text);
    if (point) {
        auto* pt = dynamic_cast<CPropPt*>(desc);
        static std::vector<CReal> none;
        const std::vector<CReal>& heights = pt ? pt->GetHeights() : none;
        auto* vyrList = dynamic_cast<CBCGPVyrPropList*>(list);
        std::vector<CReal>* posted = vyrList ? vyrList->KeepPostedHeights(heights) : const_cast<std::vector<CReal>*>(&heights);
        VyrPostToHost(WM_UI_MODELEDITED, (WPARAM)posted, 0);
        return FALSE;
    }

    CString value;
    std::vector<CString> options;
    desc->GetValueText(value, options);
    BOOL result = TextToVar(value);
    SetDescription(desc->GetDescText());
    list->InvalidateRect(nullptr, FALSE);
    if (CWnd* parent = list->GetParent())
        parent->PostMessage(WM_PROP_ENDEDIT, 0, (LPARAM)this);
    return result;
}

BOOL CBCGPVyrProp::OnEndEdit() { return CBCGPProp::OnEndEdit(); }

// ---------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CBCGPVyrPropList, CBCGPPropList)

BEGIN_MESSAGE_MAP(CBCGPVyrPropList, CBCGPPropList)
END_MESSAGE_MAP()

void CBCGPVyrPropList::RedrawList()
{
    AdjustLayout();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

std::vector<CReal>* CBCGPVyrPropList::KeepPostedHeights(const std::vector<CReal>& heights)
{
    m_pPostedHeights = std::make_unique<std::vector<CReal>>(heights);
    return m_pPostedHeights.get();
}
