// The host kit's side panels: kept apart from the rest of the kit so that only programs
// that register panels link the library's panel container.
#include "hostkit/HostKit.h"

#include <vyr/host/MenuViewBase.h>
#include <vyr/host/ViewPropPanels.h>

namespace vyrhost {

const std::vector<const char*>& CHostKit::LibraryPanels()
{
    static const std::vector<const char*> names = {"CViewFloor",     "CViewFrequent",  "CViewProject",
                                                   "CViewPropNode",  "CViewPropBeam",  "CViewPropWall",
                                                   "CViewPropPlane", "CViewPropBCInWall", "CViewSection"};
    return names;
}

CFrameViews& CHostKit::CreatePanels(const std::vector<const char*>& classNames)
{
    if (m_pPanels)
        return *m_pPanels;
    m_pPanels = std::make_shared<CFrameViews>();
    m_pPanels->SetFrameWnd(&m_side);
    std::vector<CMenuViewBase*> added;
    for (const char* name : classNames)
        if (CRuntimeClass* cls = CRuntimeClass::FromName(name))
            if (CMenuViewBase* panel = m_pPanels->Add(cls))
                added.push_back(panel);
    m_pPanels->SetParam(&m_data);
    m_pPanels->Create(nullptr);
    // The selection-property panels get their slots before their initial update.
    for (CMenuViewBase* panel : added) {
        if (auto* p = dynamic_cast<CViewPropNode*>(panel))
            p->SetParam(&m_pCurrentNode);
        else if (auto* p = dynamic_cast<CViewPropBeam*>(panel))
            p->SetParam(&m_pCurrentBeam);
        else if (auto* p = dynamic_cast<CViewPropWall*>(panel))
            p->SetParam(&m_pCurrentWall);
        else if (auto* p = dynamic_cast<CViewPropPlane*>(panel))
            p->SetParam(&m_pCurrentPlane);
        else if (auto* p = dynamic_cast<CViewPropBCInWall*>(panel))
            p->SetParam(&m_pCurrentBCInWall);
    }
    for (CMenuViewBase* panel : added)
        if (panel->GetSafeHwnd())
            panel->OnInitialUpdate();
    m_showPanel = [this](const char* name) {
        if (name) {
            ShowPanel(name);
            m_pPanels->Update(name);
        } else if (!m_pPanels->GetCurrentType().IsEmpty()) {
            m_pPanels->Update(m_pPanels->GetCurrentType());
        }
    };
    return *m_pPanels;
}

CMenuViewBase* CHostKit::ShowPanel(const char* type)
{
    if (!m_pPanels)
        return nullptr;
    m_pPanels->SwitchToView(type);
    CMenuViewBase* panel = m_pPanels->GetDlg(type);
    return panel && m_pPanels->GetCurrentType() == CString(type) ? panel : nullptr;
}

} // namespace vyrhost
