// The property key of the member internal-force query.
#include <vyr/drawing/DlgBeamQueryForce.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/HostProtocol.h>
#include <vyr/protocol/KeyLists.h>
#include <vyr/protocol/PropKeyRegistry.h>

using namespace vyrkeys;

namespace {

// Unlike the reports, a selection of other than one member is told, not ignored.
int QueryForceKey(void* objects, CGlobalData* data)
{
    auto* beams = static_cast<CBeamList*>(objects);
    if (CountIf(beams, IsOrdinaryMember) != 1) {
        AfxMessageBox("请选择单根杆件进行查看！");
        return 0;
    }
    CBeamBase* beam = Last(beams);
    CDlgBeamQueryForce dlg(nullptr);
    dlg.m_pData = data;
    dlg.DoModal(beam);
    VyrSendToHost(WM_UI_RESULTDLGCLOSED, 0, (LPARAM)beam);
    return 0;
}

const CPropKeyRows g_drawingKeys{
    {"Prop.BeamForceDetail", DesignProgram, PropCount::Any, QueryForceKey},
};

} // namespace
