// One concrete material: strength grade, description and the values the design codes
// need, shown in MPa, kg/m3 and 1e-6/°C. Run through the object form of DoModal with the
// material type of the record being edited (0 for a new material).
#pragma once

#include <vyr/stdafx.h>
#include <vyr/protocol/DlgWithObject.h>

// A row of the concrete grade table: choosing the grade sets the description, E, fc and ft.
struct ConcreteGradeRow
{
    const char* grade;
    const char* description;
    float E, fc, ft;
};

using CDlgMaterialConcreteBase = CDlgWithObject<INT_PTR>;

class CDlgMaterialConcrete : public CDlgMaterialConcreteBase
{
public:
    explicit CDlgMaterialConcrete(CWnd* pParent = nullptr);

    static const ConcreteGradeRow& Grade(int entry);
    static constexpr int GRADES = 16;
    // Type codes are 101 + the grade entry.
    static constexpr int FIRST_TYPE = 101;

    int m_nGrade = 0;
    CString m_strDescription = "C10";
    float m_fDensity = 2500.0f;
    float m_fExpand = 10.0f;
    double m_dE = 17500.0;
    float m_fPoisson = 0.2f;
    float m_fFc = 5.0f;
    float m_fFt = 0.65f;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSelGrade();
    DECLARE_MESSAGE_MAP()
};
