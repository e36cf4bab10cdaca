// One steel material: grade, description and the values the design codes need. Values
// are shown in MPa, kg/m3 and 1e-6/°C; the material library converts them to the units
// the record stores.
#pragma once

#include <vyr/stdafx.h>

// A row of the steel grade table: choosing the grade sets the description and fy (and f
// and fv, which only the custom grade lets the user edit).
struct SteelGradeRow
{
    const char* grade;
    const char* description;
    float fy, f, fv;
    bool strengthsEditable;
    int type;
};

class CDlgMaterialSteel : public CDialog
{
public:
    explicit CDlgMaterialSteel(CWnd* pParent = nullptr);

    using CDialog::DoModal;
    // type: the material type of the record being edited (its grade is then fixed), or 0
    // for a new material.
    INT_PTR DoModal(int type);

    static const SteelGradeRow& Grade(int entry);
    static constexpr int GRADES = 5;

    int m_nGrade = -1;
    CString m_strDescription = "Q235B";
    float m_fDensity = 7850.0f;
    float m_fExpand = 12.0f;
    double m_dE = 206000.0;
    float m_fPoisson = 0.304f;
    float m_fFy = 235.0f;
    float m_fF = 0.0f;
    float m_fFv = 0.0f;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSelGrade();
    DECLARE_MESSAGE_MAP()

private:
    void EnableStrengths(bool enable);
    int m_nType = 0;
};
