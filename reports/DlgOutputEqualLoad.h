// The structure mass report: how the masses are formed (dead-load mass plus a factor times
// the live-load mass), then the masses by degree of freedom (each storey's master nodes and
// the free nodes) and by node. Written when the dialog opens and again at every box click;
// the whole calculation report writes the same chapter as its section.
#pragma once

#include <vyr/protocol/DlgReportChapter.h>
#include <vyr/resources/dialogs/OutputEqualLoadRes.h>

class CGlobalData;

class CDlgOutputEqualLoad : public CDlgReportChapter
{
public:
    explicit CDlgOutputEqualLoad(CWnd* pParent = nullptr);

    // The chapter; flag 0 stand-alone, 1 a section of the whole report. The opener sets the
    // model root first.
    void OutputUnite(COutput& out, int flag);
    void Output(COutput* out, int flag) override { OutputUnite(*out, flag); }

    CGlobalData* m_pData = nullptr;
    int m_bFreedom = 1; // box 1630 "按自由度统计"
    int m_bNode = 0;    // box 1300 "按结点统计"

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCheckFreedom() { Change(); }
    void OnCheckNode() { Change(); }
    DECLARE_MESSAGE_MAP()
};
