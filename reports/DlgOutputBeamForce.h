// Member internal force report of a member list: the largest forces per basic case, per
// fundamental and per standard combination, and the envelopes of the two kinds of
// combination with the combination and section that govern each extreme. Written when the
// dialog opens and again at every box click; nothing in the model changes.
#pragma once

#include <vyr/reports/ResultReport.h>

class CBasicLCList;
class CBeamBase;
class CBeamList;
class CGlobalData;
class CLCList;

class CDlgOutputBeamForce : public CDlgResultReport
{
public:
    explicit CDlgOutputBeamForce(CWnd* pParent = nullptr);

    // The chapter; nothing at all without a member list.
    void OutputUnite() override;
    // One table, one block per reported member.
    void OutputCaseForce(CBasicLCList* list);
    void OutputCombForce(CLCList* list);
    void OutputForceEnvelope(CLCList* list);

    int m_bCase = 1;         // box "基本工况内力"
    int m_bStd = 0;          // box "标准组合内力"
    int m_bStdEnvelope = 0;  // box "标准组合内力包络"
    int m_bComb = 0;         // box "基本组合内力"
    int m_bCombEnvelope = 0; // box "基本组合内力包络"
    CGlobalData* m_pData = nullptr;    // the cases and combinations, not owned
    CBeamList* m_pBeamList = nullptr;  // the members to report, not owned

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCheck() { Change(); }
    DECLARE_MESSAGE_MAP()

private:
    // The member's block: its label line, the table the row writer fills under the heads,
    // and the closing rule.
    template <class Rows>
    void Block(CBeamBase* b, Rows rows);
};
