// The report of the elastic time-history analysis: the time-history cases, the average
// maximum responses per storey and each case's maximum responses, in X and Y, each section
// chosen by a box; values include the factors stored with the results. Nothing in the
// model changes.
#pragma once

#include <vyr/protocol/DlgReportChapter.h>

class CGlobalData;

class CDlgOutputTHResult : public CDlgReportChapter
{
public:
    explicit CDlgOutputTHResult(CWnd* pParent = nullptr);

    CGlobalData* m_pData = nullptr; // set by the opener
    int m_bCases = 1;   // each case's maximum responses
    int m_bLoads = 1;   // the time-history cases
    int m_bAverage = 1; // the average maximum responses

    // The report, the same in the control and in a saved document; it has no report head.
    void Output(COutput* out, int flag) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnBoxClicked();
    DECLARE_MESSAGE_MAP()
};
