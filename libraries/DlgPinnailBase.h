// What the stud group and stud design dialogs share: the parameters of a stud group in
// their controls (diameter combo 1152, height 1216, rows 1153, material combo 1148, the
// capacity radios 1047/1048 and the capacity 1154), and the capacity edit that is open only
// for a capacity the user gives. The spacing is each dialog's own.
#pragma once

#include <vyr/stdafx.h>

class CPinNailGroup;

class CDlgPinnailBase : public CDialog
{
public:
    int m_nDiameter;           // combo index into 13, 16, 19, 22, 25 mm
    int m_nHeight;             // mm
    int m_nRows;               // studs across the beam
    int m_nMaterial = 0;       // index: 0 "Q235", 1 "16Mn"
    int m_nCapacityMode = 0;   // 0 computed, 1 given by the user
    float m_fCapacity = 60.0f; // kN, used in mode 1

    // The diameter of an index, or fallback outside 0 to 4; the index of a diameter, or -1.
    static int DiameterOfIndex(int index, int fallback);
    static int IndexOfDiameter(int diameter);
    // Presets the parameters from a group / writes them into one; a diameter index outside
    // the table keeps the group's diameter.
    void FromGroup(const CPinNailGroup& group);
    void ToGroup(CPinNailGroup& group) const;

protected:
    CDlgPinnailBase(UINT nIDTemplate, CWnd* pParent, int diameter, int height);
    void DoDataExchange(CDataExchange* pDX) override;
    void EnableCapacity();
    afx_msg void OnCapacityMode();
    DECLARE_MESSAGE_MAP()
};
