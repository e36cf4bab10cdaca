// Adds a cast-in-place one-way slab type to the project's one-way library, or edits one,
// by its thickness; its calculation diagram is edited through the diagram editor.
#pragma once

#include <vyr/stdafx.h>

class CBan;
class CGlobalData;

class CDlgBanConcreteAdd : public CDialog
{
public:
    explicit CDlgBanConcreteAdd(CWnd* pParent = nullptr);
    ~CDlgBanConcreteAdd() override;

    // mode 1: a new type, added on OK; mode 2: the given type, edited in place.
    using CDialog::DoModal;
    INT_PTR DoModal(int mode, CBan* slab);

    CGlobalData* m_pData = nullptr; // set by the caller
    int m_nMode = 1;
    CBan* m_pBan = nullptr; // the edited type (mode 2)
    float m_fThick = 150.0f; // h, mm, edit 1147, 50 to 400

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnPaint();
    afx_msg void OnEditDiagram();
    DECLARE_MESSAGE_MAP()

private:
    CBan* m_pWork = nullptr; // the type the dialog works on
    bool m_bOwnsWork = false;
};
