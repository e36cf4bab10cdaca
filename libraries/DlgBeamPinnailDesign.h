// Stud design of the selected composite beams for a trial stud group: the spacing each beam
// needs, and the smallest of them proposed as the group's spacing. The caller sets the
// model root and the members, runs the dialog and builds its group from the members after
// IDOK.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/controls.h>
#include <vyr/model/section/Ban.h>

class CGlobalData;
class CBeamList;

class CDlgBeamPinnailDesign : public CDialog
{
public:
    explicit CDlgBeamPinnailDesign(CWnd* pParent = nullptr);

    CGlobalData* m_pData = nullptr;
    CBeamList* m_pBeamList = nullptr; // the selected members
    CPinNailGroup m_group;            // the trial group of the last computation

    int m_nDiameter = 2;        // index: 0 13 mm, 1 16, 2 19, 3 22, 4 25
    int m_nHeight = 90;         // mm
    int m_nRows = 2;
    CString m_strSpace = "200"; // the proposed spacing (mm), or why there is none
    int m_nMaterial = 0;        // index: 0 "Q235", 1 "16Mn"
    int m_nCapacityMode = 0;    // 0 computed, 1 given by the user
    float m_fCapacity = 60.0f;  // kN

protected:
    CListCtrl m_list;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    // Designs every composite member with the group of the controls and proposes a spacing.
    void Compute();
    afx_msg void OnRecalc();
    afx_msg void OnCapacityMode();
    DECLARE_MESSAGE_MAP()
};
