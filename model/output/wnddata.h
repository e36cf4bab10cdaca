// CWndData: typed lookups of a dialog's controls by id. A missing control gives null and,
// when the caller passed a prompt, shows it in a plain message box.
#pragma once

#include <vyr/controls.h>
#include <vyr/model/output/extra_controls.h>
#include <vyr/stdafx.h>
#include <vyr/wnd.h>

class CWndData
{
public:
    CWndData() : m_pWnd(nullptr) {}
    CWndData(CWnd* pWnd) : m_pWnd(pWnd) {}

    CWnd* GetWnd() const { return m_pWnd; }
    void SetWnd(CWnd* pWnd) { m_pWnd = pWnd; }

    CButton* GetButton(long id, const CString& prompt) const { return Lookup<CButton>(id, prompt); }
    CComboBox* GetComboBox(long id, const CString& prompt) const { return Lookup<CComboBox>(id, prompt); }
    CWnd* GetCtlWnd(long id, const CString& prompt) const { return Lookup<CWnd>(id, prompt); }
    CDateTimeCtrl* GetDateTimeCtrl(long id, const CString& prompt) const { return Lookup<CDateTimeCtrl>(id, prompt); }
    CEdit* GetEdit(long id, const CString& prompt) const { return Lookup<CEdit>(id, prompt); }
    CListBox* GetListBox(long id, const CString& prompt) const { return Lookup<CListBox>(id, prompt); }
    CRichEditCtrl* GetRichEditCtrl(long id, const CString& prompt) const { return Lookup<CRichEditCtrl>(id, prompt); }
    CStatic* GetStatic(long id, const CString& prompt) const { return Lookup<CStatic>(id, prompt); }
    CTabCtrl* GetTabCtrl(long id, const CString& prompt) const { return Lookup<CTabCtrl>(id, prompt); }
    CTreeCtrl* GetTreeCtrl(long id, const CString& prompt) const { return Lookup<CTreeCtrl>(id, prompt); }

    // The text of control id; false (after the prompt, when given) when there is no such control.
    bool GetString(long id, CString& out, const CString& prompt) const;

    // Shows a non-empty text in a plain message box.
    static void Prompt(const CString& prompt);

private:
    // A control of another kind than asked for counts as missing: handing it out under the
    // wrong type would let the caller call members it does not have.
    template <class T>
    T* Lookup(long id, const CString& prompt) const
    {
        CWnd* p = m_pWnd && m_pWnd->GetSafeHwnd() ? m_pWnd->GetDlgItem((int)id) : nullptr;
        T* typed = dynamic_cast<T*>(p);
        if (!typed) Prompt(prompt);
        return typed;
    }

    CWnd* m_pWnd;
};
