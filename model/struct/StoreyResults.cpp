#include <vyr/model/struct/SampleModel.h>

#include <cmath>
#include <vector>

#include <vyr/model/struct/GlobalData.h>
#include <vyr/model/struct/Struct.h>

namespace {

// The direction a case loads: 1 X, 2 Y, 0 none. Wind cases by their kind; a seismic case by
// its definition's angle, else by its kind.
int CaseDirection(const CStruct& s, const CBasicLoadCase* lc)
{
    const int t = lc->GetType();
    if (t == 2 || t == 4)
        return 1;
    if (t == 3 || t == 5)
        return 2;
    if (!lc->IsSeismLoadCase())
        return 0;
    if (lc->m_nSeismCaseNo > 0)
        for (POSITION pos = s.m_pLoadSeismList->GetHeadPosition(); pos != nullptr;) {
            const CLoadSeism* d = s.m_pLoadSeismList->GetNextT(pos);
            if (d->m_nNo == lc->m_nSeismCaseNo)
                return std::fabs(std::sin(d->GetAngle() * 3.14159265358979 / 180.0)) > 0.7071 ? 2 : 1;
        }
    return t == 8 || t == 10 ? 2 : 1;
}

} // namespace

void FillStoreyResults(CGlobalData& data)
{
    CStruct& s = *data.Struct();
    CFloorList& list = *s.m_pFloorList;
    std::vector<CFloor*> real;
    for (POSITION pos = list.GetRealFloorHeadPosition(); pos != nullptr;)
        real.push_back(list.GetRealFloorNext(pos));
    const int n = (int)real.size();
    std::vector<CMainNode*> towers;
    for (POSITION pos = s.m_pMainNodeList->GetHeadPosition(); pos != nullptr;)
        towers.push_back(s.m_pMainNodeList->GetNextT(pos));
    // The base below the real storeys carries the bending stiffness of the lowest one: the
    // storey below the lowest real storey is the base.
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        CFloor* f = list.GetNextT(pos);
        if (f->m_nType == 0) {
            f->m_fEIX = 1.0e13f * (float)n;
            f->m_fEIY = 0.8e13f * (float)n;
        }
    }
    const int towerWeights = (int)(towers.size() * (towers.size() + 1) / 2);
    for (int k = 1; k <= n; ++k) {
        CFloor* f = real[(size_t)k - 1];
        const float share = (float)(n + 1 - k); // grows toward the base
        // Half way up the stiffness drops to 30 %: a soft storey for the ratio checks.
        const float soft = n >= 3 && k == n / 2 + 1 ? 0.3f : 1.0f;
        f->m_fWeight = 1000.0f;
        f->m_fStiffX = 1000.0f * share * soft;
        f->m_fStiffY = 800.0f * share * soft;
        f->m_fEIX = 1.0e13f * share;
        f->m_fEIY = 0.8e13f * share;
        f->m_fMassCx = f->m_fRigidCx = 0.0f;
        f->m_fMassCy = f->m_fRigidCy = 0.0f;
        f->m_fElasticRx = 500.0f;
        f->m_fElasticRy = 400.0f;
        f->m_arrTower.clear();
        int weight = 0;
        for (CMainNode* t : towers) {
            ++weight;
            if (t->m_pt.z - f->GetZ() <= -0.001)
                continue;
            CFloor::CTowerData& d = f->TowerData(t->m_pt.x, t->m_pt.y);
            const float part = (float)weight / (float)towerWeights;
            d.fStiffX = f->m_fStiffX * part;
            d.fStiffY = f->m_fStiffY * part;
            d.fEIX = f->m_fEIX * part;
            d.fEIY = f->m_fEIY * part;
            d.fMassCx = (float)t->m_pt.x + 10.0f;
            d.fMassCy = (float)t->m_pt.y;
            d.fRigidCx = (float)t->m_pt.x;
            d.fRigidCy = (float)t->m_pt.y + 10.0f;
            d.fElasticRx = 500.0f * part;
            d.fElasticRy = 400.0f * part;
            d.bCentres = true;
            d.fCapacityX[0] = 2000.0f * share * soft * part;
            d.fCapacityY[0] = 1600.0f * share * soft * part;
        }
        for (POSITION pos = s.m_pBasicLCList->GetHeadPosition(); pos != nullptr;) {
            CBasicLoadCase* lc = s.m_pBasicLCList->GetNextT(pos);
            const int dir = CaseDirection(s, lc);
            if (dir == 0)
                continue;
            const float sign = lc->GetType() == 4 || lc->GetType() == 5 ? -1.0f : 1.0f;
            // Storey shear: the sum of the storeys' loads above, 10 kN (wind) or 20 kN (seismic)
            // each; the across-wind part a tenth of it.
            const float v = (lc->IsSeismLoadCase() ? 20.0f : 10.0f) * share * sign;
            const float vx = dir == 1 ? v : v * 0.1f, vy = dir == 2 ? v : v * 0.1f;
            if (lc->IsSeismLoadCase()) {
                const int p = s.m_pLoadSeismList->GetSeismPos(lc);
                if (p >= 0) {
                    f->m_fSeismShearX[p] = vx;
                    f->m_fSeismShearY[p] = vy;
                    f->m_fMomentX[p] = vx * f->GetH();
                    f->m_fMomentY[p] = vy * f->GetH();
                }
            }
            f->SetTotalShear(lc->m_nNo, vx, vy);
            // Drifts of the shears on the storey's stiffness; the node of the largest one is
            // the storey's 100 k + 1.
            const int node = 100 * k + 1;
            for (int d = 1; d <= 2; ++d) {
                const float shear = std::fabs(d == 1 ? vx : vy);
                auto drift = [&](float stiff, float part) { return stiff > 0.0f ? shear * part / stiff : 0.0f; };
                f->SetFloorRelativeDisp(lc->m_nNo - 1, d, drift(d == 1 ? f->m_fStiffX : f->m_fStiffY, 1.0f), node);
                for (CMainNode* t : towers)
                    if (const CFloor::CTowerData* td = f->FindTowerData(t))
                        f->SetFloorRelativeDisp(lc->m_nNo - 1, d,
                                                drift(d == 1 ? td->fStiffX : td->fStiffY, 1.0f / (float)towers.size()),
                                                node, t);
            }
        }
    }
}

void FillStoreyDisplacements(CGlobalData& data)
{
    CStruct& s = *data.Struct();
    CFloorList& list = *s.m_pFloorList;
    std::vector<CMainNode*> towers{nullptr};
    for (POSITION pos = s.m_pMainNodeList->GetHeadPosition(); pos != nullptr;)
        towers.push_back(s.m_pMainNodeList->GetNextT(pos));
    for (POSITION c = s.m_pBasicLCList->GetHeadPosition(); c != nullptr;) {
        CBasicLoadCase* lc = s.m_pBasicLCList->GetNextT(c);
        const bool wind = lc->GetType() >= 2 && lc->GetType() <= 5;
        if (!wind && !lc->IsSeismLoadCase())
            continue;
        const int ci = lc->m_nNo - 1;
        for (CMainNode* t : towers)
            for (int d = 1; d <= 2; ++d) {
                float sum = 0.0f;
                int k = 0;
                for (POSITION pos = list.GetRealFloorHeadPosition(); pos != nullptr;) {
                    CFloor* f = list.GetRealFloorNext(pos);
                    ++k;
                    if (t != nullptr && f->FindTowerData(t) == nullptr)
                        continue;
                    int node = 0;
                    const float drift = f->GetFloorRelativeDisp(false, 0, ci, d, 0, nullptr, nullptr, t, &node);
                    sum += drift;
                    f->SetFloorDisp(ci, d, sum, t);
                    f->SetFloorMaxDisp(ci, d, sum * 1.1f, 100 * k + 2, t);
                    f->SetFloorMaxRelativeDisp(ci, d, drift * (1.05f + 0.1f * (float)(k % 3)), 100 * k + 1, t);
                }
            }
    }
}
