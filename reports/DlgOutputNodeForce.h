// Support reaction report of a node list: per support node the extreme reactions over the
// fundamental combinations, the extremes over all support nodes, and the reactions under
// 1.0D+1.0L and 1.2D+1.4L. Written when the dialog opens and again at every box click;
// nothing in the model changes. The whole report writes the same chapter as its section.
#pragma once

#include <vyr/protocol/DlgReportChapter.h>

class CGlobalData;
class CLoadCombination;
class CPNodeList;

class CDlgOutputNodeForce : public CDlgReportChapter
{
public:
    explicit CDlgOutputNodeForce(CWnd* pParent = nullptr);

    // The chapter; flag 0 stand-alone, 1 a section of the whole report. Nothing at all
    // without a node list.
    void OutputUnite(COutput& out, int flag);
    // The reactions of every support node under one combination.
    void OutputBLC(COutput& out, CLoadCombination* lc);
    void Output(COutput* out, int flag) override { OutputUnite(*out, flag); }

    int m_bStandard = 0;           // box "1.0D+1.0L标准组合"
    int m_bExtremes = 1;           // box "最大工况反力统计"
    int m_bBasic = 0;              // box "1.2D+1.4L基本组合"
    CGlobalData* m_pData = nullptr;    // gives the fundamental combinations, not owned
    CPNodeList* m_pNodeList = nullptr; // the nodes to report, not owned

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCheckDl() { Change(); }
    void OnCheckDl2() { Change(); }
    void OnCheckFx() { Change(); }
    DECLARE_MESSAGE_MAP()

private:
    void OutputExtremes(COutput& out);
};
