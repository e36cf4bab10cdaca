// The last step before the time-history engine starts: the storeys with their mass centres,
// the choice of the mass-point string the results are reported on, and on "时程分析..." the
// engine's input in the project's Cal folder: the calculation files copied to VyrTA.*, the
// mass-point file VyrTA.wav and the case file. The run flag rises only when all of it was
// written.
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/grid/listctrlex.h>
#include <vyr/model/struct/Node.h>

class CGlobalData;

class CDlgTHMassString : public CDialog
{
public:
    explicit CDlgTHMassString(CWnd* pParent = nullptr);

    CGlobalData* m_pData = nullptr; // set by the owner before each run
    int m_bRun = 0;                 // 1 once every input file is written
    CListCtrlEx m_list;
    int m_nChoice = 0;              // 0 storey mass centres, 1 user node string
    float m_fX = 0.0f;
    float m_fY = 0.0f;
    float m_fZ = 0.0f;
    bool m_bMultiTower = false;
    // The user node string; the owner fills it before the run.
    CPNodeList m_NodeList;

    // Writes VyrTA.wav and the case file; false (after a message) when either was not written.
    bool WriteEngineInput();
    // The numbers VyrTA.wav holds after its count for the current choice; false with the
    // refusal's message when there is none.
    bool MassPoints(std::vector<int>& numbers, CString& refusal);
    void FillItems();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnRunAnalysis();
    afx_msg void OnFloorMassCentres();
    afx_msg void OnNodeString();
    DECLARE_MESSAGE_MAP()

private:
    void EnableCoordinates(BOOL enable);
};
