// Quantity and cost statistics of the structure's members, or of a member list, by member
// group (one member type, section and material): lengths, rolled steel weights, concrete
// volumes and their costs at the unit prices of the group kinds. Opening it files the
// members into the model's groups and rebuilds the unit-price table; prices edited before
// are kept for the kinds still there.
#pragma once

#include <vyr/reports/ResultReport.h>

class CBeamList;
class CGlobalData;

class CDlgStatistic : public CDlgResultReport
{
public:
    explicit CDlgStatistic(CWnd* pParent = nullptr);

    // Rebuilds the member groups from the members and the unit-price table from the groups,
    // and links each group to its price entry.
    void RefreshBeamGroup();
    // The report; without a member list of the whole structure.
    void OutputUnite() override;

    int m_bCost = 0;   // box "概算统计"
    int m_bWeight = 1; // box "算量统计"
    CGlobalData* m_pData = nullptr;   // the model, not owned
    CBeamList* m_pBeamList = nullptr; // the members to report, not owned; null: all

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCheckweight() { Change(); }
    void OnCheckcost() { Change(); }
    // The unit prices; the report is written again after "确定" while it shows costs.
    void OnCost();
    DECLARE_MESSAGE_MAP()

private:
    // Each group's selected length: the length of the list's members filed in it.
    void SetSelectedLengths();
    void OutputQuantities(int s);
    void OutputCosts(int s);
};
