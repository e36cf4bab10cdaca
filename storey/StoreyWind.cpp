#include <vyr/storey/StoreyWind.h>

#include <algorithm>
#include <cmath>

#include <vyr/model/struct/structure.h>

namespace storey {

bool IsWindCase(const CBasicLoadCase* lc)
{
    return lc != nullptr && lc->GetType() >= 2 && lc->GetType() <= 5;
}

std::vector<CFloor*> AllStoreysFromTop(const CFloorList* list)
{
    std::vector<CFloor*> out;
    if (list == nullptr)
        return out;
    for (POSITION pos = list->GetTailPosition(); pos != nullptr;)
        out.push_back(static_cast<CFloor*>(list->GetPrev(pos)));
    return out;
}

std::vector<CFloor*> StoreysOverBasements(const std::vector<CFloor*>& fromTop, int basementCount)
{
    const int lowestLevel = std::max(basementCount, 1);
    std::vector<CFloor*> out;
    for (size_t i = 0; i + 1 < fromTop.size() && fromTop[i]->m_nLevel >= lowestLevel; ++i)
        out.push_back(fromTop[i]);
    return out;
}

bool WindAngleDegrees(const CStruct* s, const CBasicLoadCase* lc, double& degrees)
{
    if (s == nullptr || !IsWindCase(lc))
        return false;
    const CLoadWindList* load = s->m_pLoadWindNodeList[lc->GetType() - 2];
    if (load == nullptr)
        return false;
    constexpr double kTurn = 6.2831852;
    double a = load->GetXOYAngle();
    while (a < 0.0 && std::fabs(a) > 0.001)
        a += kTurn;
    while (a > kTurn && std::fabs(a - kTurn) > 0.001)
        a -= kTurn;
    degrees = a * 57.295780490442965;
    return true;
}

void AxisDistances(double degrees, double& toX, double& toY)
{
    toX = std::min({std::fabs(degrees), std::fabs(degrees - 180.0), std::fabs(degrees - 360.0)});
    toY = std::min(std::fabs(degrees - 90.0), std::fabs(degrees - 270.0));
}

} // namespace storey
