// Stud design of the selected composite beams for a trial stud group: the spacing each beam
// needs, and the smallest of them proposed as the group's spacing. The caller sets the
// model root and the members, runs the dialog and builds its group from the members after
// IDOK.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/controls.h>
#include <vyr/libraries/DlgPinnailBase.h>
#include <vyr/model/section/Ban.h>

class CGlobalData;
class CBeamList;

class CDlgBeamPinnailDesign : public CDlgPinnailBase
{
public:
    explicit CDlgBeamPinnailDesign(CWnd* pParent = nullptr);

    CGlobalData* m_pData = nullptr;
    CBeamList* m_pBeamList = nullptr; // the selected members
    CPinNailGroup m_group;            // the trial group of the last computation

    CString m_strSpace = "200"; // the proposed spacing (mm), or why there is none

protected:
    CListCtrl m_list;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    // Designs every composite member with the group of the controls and proposes a spacing.
    void Compute();
    afx_msg void OnRecalc();
    DECLARE_MESSAGE_MAP()
};
