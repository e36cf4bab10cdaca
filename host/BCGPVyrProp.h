// The property grid's rows and list: rows that read, check and write their values through
// their model descriptor (held in the row's user data), and the list the grid controller
// (CPropsUI) holds.
#pragma once

#include <memory>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/proplist.h>
#include <vyr/model/output/creal.h>

class CBCGPVyrProp : public CBCGPProp
{
    DECLARE_DYNAMIC(CBCGPVyrProp)
public:
    CBCGPVyrProp(const CString& strName, const _variant_t& varValue, LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0,
                 LPCTSTR lpszEditMask = nullptr, LPCTSTR lpszEditTemplate = nullptr, LPCTSTR lpszValidChars = nullptr);
    CBCGPVyrProp(const CString& strGroupName, DWORD_PTR dwData = 0, BOOL bIsValueList = FALSE);

    // Asks the window holding the grid for the row's dialog (WM_PROP_OTHER).
    void OnDblClickName(CPoint point) override;
    // Checks the typed text with the descriptor and writes it into the model; 0 keeps the
    // edit open (refused text, or a node coordinate whose change the host answers).
    BOOL OnUpdateValue() override;
    BOOL OnEndEdit() override;
};

class CBCGPVyrPropList : public CBCGPPropList
{
    DECLARE_DYNAMIC(CBCGPVyrPropList)
public:
    CBCGPVyrPropList() = default;

    // Lays the rows out and repaints the whole list at once.
    void RedrawList();
    BOOL ValidateItemData(CBCGPProp*) override { return TRUE; }

    // The storey heights posted with WM_UI_MODELEDITED: a copy the list keeps until its
    // next post or its destruction, so a refill before the host reads it leaves the host's
    // pointer valid.
    std::vector<CReal>* KeepPostedHeights(const std::vector<CReal>& heights);

protected:
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<std::vector<CReal>> m_pPostedHeights;
};
