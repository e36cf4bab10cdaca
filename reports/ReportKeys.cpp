// The property keys of the result reports: they change nothing and answer 0.
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/HostProtocol.h>
#include <vyr/protocol/KeyLists.h>
#include <vyr/protocol/PropKeyRegistry.h>
#include <vyr/reports/DlgBeamCheckOutput.h>
#include <vyr/reports/DlgNodeCheckOutput.h>
#include <vyr/reports/DlgOutputBeamForce.h>
#include <vyr/reports/DlgOutputCheck.h>
#include <vyr/reports/DlgOutputNodeCheck.h>
#include <vyr/reports/DlgOutputNodeDisp.h>
#include <vyr/reports/DlgOutputNodeForce.h>
#include <vyr/reports/DlgStatistic.h>

using namespace vyrkeys;

namespace {

int NodeCheckKey(void* objects, CGlobalData*)
{
    CDlgNodeCheckOutput dlg(nullptr);
    dlg.DoModal(static_cast<CPNodeList*>(objects)->GetHeadT());
    return 0;
}

// The one-member report: the dialog on the list's last object, then the host told that a
// one-member result dialog closed, with the list's first object.
int OneMemberReportKey(void* objects, CGlobalData*)
{
    auto* beams = static_cast<CBeamList*>(objects);
    CDlgBeamCheckOutput dlg(nullptr);
    dlg.DoModal(Last(beams));
    VyrSendToHost(WM_UI_RESULTDLGCLOSED, 0, (LPARAM)beams->GetHeadT());
    return 0;
}

// The list reports: the dialog takes the whole list, given to its list member.
template <class TDlg, class List, List* TDlg::*list>
int ListReportKey(void* objects, CGlobalData* data)
{
    TDlg dlg(nullptr);
    dlg.*list = static_cast<List*>(objects);
    dlg.m_pData = data;
    dlg.DoModal();
    return 0;
}

// The node check report takes no model root.
int NodeListCheckKey(void* objects, CGlobalData*)
{
    CDlgOutputNodeCheck dlg(nullptr);
    dlg.m_pNodeList = static_cast<CPNodeList*>(objects);
    dlg.DoModal();
    return 0;
}

const CPropKeyRows g_reportKeys{
    {"Prop.NodeCheckOutput", DesignProgram, PropCount::OneObject, NodeCheckKey},
    {"Prop.NodeOutputDisp", DesignProgram, PropCount::Any,
     ListReportKey<CDlgOutputNodeDisp, CPNodeList, &CDlgOutputNodeDisp::m_pNodeList>},
    {"Prop.NodeOutputForce", DesignProgram, PropCount::Any,
     ListReportKey<CDlgOutputNodeForce, CPNodeList, &CDlgOutputNodeForce::m_pNodeList>},
    {"Prop.NodeOutputCheck", DesignProgram, PropCount::Any, NodeListCheckKey},
    {"Prop.BeamCheckOutput", DesignProgram, PropCount::OneOrdinaryMember, OneMemberReportKey},
    {"Prop.BCInWallCheckOutput", DesignProgram, PropCount::OneMemberInWall, OneMemberReportKey},
    {"Prop.BeamOutputForce", DesignProgram, PropCount::Any,
     ListReportKey<CDlgOutputBeamForce, CBeamList, &CDlgOutputBeamForce::m_pBeamList>},
    {"Prop.BeamOutputCheck", DesignProgram, PropCount::Any,
     ListReportKey<CDlgOutputCheck, CBeamList, &CDlgOutputCheck::m_pBeamList>},
    {"Prop.BeamOutputStatistic", DesignProgram, PropCount::Any,
     ListReportKey<CDlgStatistic, CBeamList, &CDlgStatistic::m_pBeamList>},
};

} // namespace
