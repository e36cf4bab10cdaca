// Node displacement report of a node list: the displacements per basic case and per
// standard combination, and the extreme translations of every node and of all nodes over
// the standard combinations. Written when the dialog opens and again at every box click;
// nothing in the model changes but the nodes' current displacement vectors.
#pragma once

#include <vyr/reports/ResultReport.h>

class CBasicLCList;
class CGlobalData;
class CLCList;
class CPNodeList;

class CDlgOutputNodeDisp : public CDlgResultReport
{
public:
    explicit CDlgOutputNodeDisp(CWnd* pParent = nullptr);

    // The chapter; nothing at all without a node list.
    void OutputUnite() override;
    void OutputCaseDisp(CBasicLCList* list);
    void OutputCombDisp(CLCList* list);
    // The two extreme tables over the combinations.
    void OutputDispEnvelope(CLCList* list);

    int m_bCase = 0;     // box "基本工况位移"
    int m_bStd = 0;      // box "标准组合位移"
    int m_bEnvelope = 1; // box "标准组合位移包络"
    CGlobalData* m_pData = nullptr;    // the cases and combinations, not owned
    CPNodeList* m_pNodeList = nullptr; // the nodes to report, not owned

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCheck() { Change(); }
    DECLARE_MESSAGE_MAP()
};
