// The parameters of one shear-stud group. The caller presets the members, runs the dialog
// and reads them after IDOK.
#pragma once

#include <vyr/stdafx.h>

class CDlgPinnailGroup : public CDialog
{
public:
    explicit CDlgPinnailGroup(CWnd* pParent = nullptr);

    int m_nDiameter = 1;     // index: 0 13 mm, 1 16, 2 19 (3 22 and 4 25 show no selection)
    int m_nHeight = 25;      // mm
    int m_nSpace = 200;      // mm
    int m_nRows = 2;         // studs across the beam
    int m_nMaterial = 0;     // index: 0 "Q235", 1 "16Mn"
    int m_nCapacityMode = 0; // 0 computed, 1 given by the user
    float m_fCapacity = 60.0f; // kN, used in mode 1

    // The stud diameters by combo index (13, 16, 19, 22, 25 mm): the diameter of an index,
    // or fallback outside 0 to 4; the index of a diameter, or -1.
    static int DiameterOfIndex(int index, int fallback);
    static int IndexOfDiameter(int diameter);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnCapacityMode();
    DECLARE_MESSAGE_MAP()
};
