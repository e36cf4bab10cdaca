// Node check report of a node list: the panel-zone checks with their worst nodes, the
// doubler-plate advice, and the strong-column-weak-beam checks with their worst nodes, as
// the model's node results give them. Written when the dialog opens and again at every box
// click; nothing in the model changes. The whole report writes the same chapter as its
// section.
#pragma once

#include <vyr/protocol/DlgReportChapter.h>

class CPNodeList;

class CDlgOutputNodeCheck : public CDlgReportChapter
{
public:
    explicit CDlgOutputNodeCheck(CWnd* pParent = nullptr);

    // The chapter; flag 0 stand-alone, 1 a section of the whole report. Nothing at all
    // without a node list.
    void OutputUnite(COutput& out, int flag);
    void Output(COutput* out, int flag) override { OutputUnite(*out, flag); }

    int m_bZones = 1;     // box "每个节点域验算"
    int m_bZoneWorst = 1; // box "所有节点域最不利统计", only with the panel-zone table
    int m_bPColWorst = 1; // box "所有强柱弱梁最不利统计", only with the strong-column table
    int m_bPCol = 1;      // box "每个强柱弱梁验算"
    int m_bPlates = 1;    // box "每个节点域加强设计建议"
    CPNodeList* m_pNodeList = nullptr; // the nodes to report, not owned

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // A table box unticked disables its worst-node box and clears it; ticked, enables it.
    void OnCheckEcheck();
    void OnCheckPcol();
    void OnCheckMax() { Change(); }
    void OnCheckAddPlate() { Change(); }
    void OnCheckMaxPcol() { Change(); }
    DECLARE_MESSAGE_MAP()

private:
    // The table flag is read back from its box first, so it is taken by reference.
    void FollowTableBox(const int& table, int worstBox, int& worst);
};
