// Base of the dialogs the host keeps and opens again and again (the property and query
// dialogs, the named selection sets, the model-edit dialogs): the object remembers where
// its window was when last closed with OK or Cancel and opens there the next time. The
// first time it opens at the right edge of the host window, 10 pixels in, level with the
// top of the active drawing view. The place lives only in the object.
#pragma once

#include <vyr/stdafx.h>

class CDlgRecordPos : public CDialog
{
    DECLARE_DYNAMIC(CDlgRecordPos)
public:
    CDlgRecordPos(UINT nIDTemplate, CWnd* pParent);
    ~CDlgRecordPos() override = default;

    // Places the window and returns FALSE: the derived dialog chooses the focus itself.
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // Points at a refused input: selects all of the edit control's text, scrolls its caret
    // into view and gives it the focus.
    void SelEdit(UINT nID);

    // Screen position of the window's top-left corner when last closed; (0, 0) means
    // "not placed yet", so a dialog closed exactly at the origin is placed afresh.
    int m_nLeft = 0;
    int m_nTop = 0;

private:
    void RecordPlace();
};

// Points at a refused input of any dialog: selects all of the edit control's text, scrolls
// its caret into view and gives it the focus.
void VyrSelEdit(CWnd* dlg, UINT nID);
