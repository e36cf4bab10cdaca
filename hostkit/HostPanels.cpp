// The host kit's side panels: kept apart from the rest of the kit so that only programs
// that register panels link the library's panel container.
#include "hostkit/HostKit.h"

#include <vyr/host/MenuViewBase.h>

namespace vyrhost {

const std::vector<const char*>& CHostKit::LibraryPanels()
{
    static const std::vector<const char*> names = {"CViewFloor", "CViewFrequent", "CViewProject"};
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
    for (CMenuViewBase* panel : added)
        if (panel->GetSafeHwnd())
            panel->OnInitialUpdate();
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
