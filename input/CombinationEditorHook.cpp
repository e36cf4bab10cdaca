// The combination editor offered to the other dialog areas (the member force query).
#include <vyr/input/DlgLCDefine.h>
#include <vyr/protocol/CombinationEditor.h>

namespace {
INT_PTR EditCombination(CGlobalData* data, CLoadCombination* lc)
{
    CDlgLCDefine dlg(nullptr);
    dlg.m_pData = data;
    return dlg.DoModal(lc);
}

const bool g_registered = [] {
    VyrSetCombinationEditor(&EditCombination);
    return true;
}();
} // namespace
