// Storey models for the storey statistics: a base, basement storeys, real storeys above them,
// towers, wind and seismic cases and modes, with the round storey results of
// FillStoreyResults (SampleModel.h) that a test may overwrite storey by storey. No members:
// the statistics read only what the storeys keep.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <vyr/model/section/SectionBase.h>
#include <vyr/model/section/SectionList.h>
#include <vyr/model/struct/SampleModel.h>
#include <vyr/model/struct/structure.h>

namespace vyrtest {

// A section whose steel shear capacities (kN) about axes 2 and 3 are given: the one column a
// test stands in a storey to give the storey its shear capacity.
class CGivenShearSection : public CSectionBase
{
public:
    CGivenShearSection(float v2, float v3) : m_fV2(v2), m_fV3(v3) {}
    void GetSteelSecShearCapacity(int, float& fV2, float& fV3) override
    {
        fV2 = m_fV2;
        fV3 = m_fV3;
    }

private:
    float m_fV2, m_fV3;
};

struct CStoreyTower
{
    double x = 0.0, y = 0.0; // plan position of the tower's main node (cm)
    int nTop = 0;            // the tower reaches up to this storey above the basements (0: the top)
};

struct CStoreyModelSpec
{
    int nStorey = 5;                  // real storeys above the basements
    int nBasement = 0;                // real storeys below them
    double dStoreyH = 300.0;          // storey height (cm)
    std::vector<CStoreyTower> towers; // the towers' main nodes; none: the whole structure only
    bool bWind = true;                // wind cases X, Y, -X, -Y
    int nSeismPairs = 1;              // seismic definitions pairs, each a case along X and along Y
    int nModes = 3;
    bool bResults = true;             // the round storey results
    std::string strProject = "楼层模型";

    // The same model with another storey count, with or without wind cases, with that many
    // seismic pairs.
    CStoreyModelSpec WithStoreys(int n) const
    {
        CStoreyModelSpec s = *this;
        s.nStorey = n;
        return s;
    }
    CStoreyModelSpec WithWind(bool wind) const
    {
        CStoreyModelSpec s = *this;
        s.bWind = wind;
        return s;
    }
    CStoreyModelSpec WithSeismPairs(int pairs) const
    {
        CStoreyModelSpec s = *this;
        s.nSeismPairs = pairs;
        return s;
    }
    // The same model with a second tower whose main node stands below the top `below`
    // storeys (the first tower reaches the top).
    CStoreyModelSpec WithSecondTower(int below) const
    {
        CStoreyModelSpec s = *this;
        s.towers = {{0.0, 0.0, 0}, {2000.0, 0.0, nStorey - below}};
        return s;
    }
};

class CStoreyModel
{
public:
    explicit CStoreyModel(const CStoreyModelSpec& spec = CStoreyModelSpec()) : m_spec(spec)
    {
        CStruct& s = *m_data.Struct();
        m_data.ProjectName() = spec.strProject.c_str();
        s.m_nBasementNum = spec.nBasement;
        const int all = spec.nBasement + spec.nStorey;
        for (int i = 0; i <= all; ++i) {
            auto* f = new CFloor(i, i == 0 ? 0 : 1);
            f->m_dZ = spec.dStoreyH * i;
            s.m_pFloorList->AddTail(f);
        }
        s.m_pFloorList->Relink();
        for (size_t t = 0; t < spec.towers.size(); ++t) {
            const int top = spec.towers[t].nTop > 0 ? spec.towers[t].nTop : spec.nStorey;
            auto* node = new CMainNode(10001 + (int)t,
                                       CPoint3D(spec.towers[t].x, spec.towers[t].y,
                                                spec.dStoreyH * (spec.nBasement + top)));
            s.m_pMainNodeList->AddTail(node);
            for (int k = 1; k <= spec.nBasement + top; ++k)
                s.m_pFloorList->Get(k + 1)->m_pMainNodeList->AddTail(node);
        }
        int no = 0;
        AddCase(++no, 0);
        AddCase(++no, 1);
        if (spec.bWind)
            for (int type = 2; type <= 5; ++type)
                m_wind.push_back(AddCase(++no, type));
        for (int p = 0; p < spec.nSeismPairs; ++p)
            for (int d = 0; d < 2; ++d) {
                auto* def = new CLoadSeism;
                def->m_nNo = 2 * p + d + 1;
                def->m_fAngle = d == 0 ? 0.0f : 90.0f;
                s.m_pLoadSeismList->AddTail(def);
                CBasicLoadCase* lc = AddCase(++no, 7 + d);
                lc->m_nSeismCaseNo = def->m_nNo;
                m_seism.push_back(lc);
            }
        std::vector<float> periods;
        for (int m = 0; m < spec.nModes; ++m)
            periods.push_back(1.0f / (float)(m + 1));
        s.SetModalResult(periods);
        if (spec.bResults)
            FillStoreyResults(m_data);
    }
    CStoreyModel(const CStoreyModel&) = delete;
    CStoreyModel& operator=(const CStoreyModel&) = delete;

    CGlobalData& Data() { return m_data; }
    CStruct& Struct() { return *m_data.Struct(); }
    // Storey k above the basements, from 1; basement i from 1.
    CFloor* Storey(int k) { return Struct().m_pFloorList->Get(1 + m_spec.nBasement + k); }
    CFloor* Basement(int i) { return Struct().m_pFloorList->Get(1 + i); }
    // Wind cases X, Y, -X, -Y; seismic cases X, Y of the first pair, then of the next.
    CBasicLoadCase* Wind(int i) { return m_wind[(size_t)i]; }
    CBasicLoadCase* Seism(int i) { return m_seism[(size_t)i]; }
    CMainNode* Tower(int i) { return Struct().m_pMainNodeList->Get(i + 1); }
    int SeismPos(int i) { return Struct().m_pLoadSeismList->GetSeismPos(Seism(i)); }

    // Sets the lateral stiffness of storeys 1, 2, ... (kN/cm), X and Y alike.
    void SetStiffness(const std::vector<float>& stiff)
    {
        for (size_t k = 0; k < stiff.size(); ++k) {
            Storey((int)k + 1)->m_fStiffX = stiff[k];
            Storey((int)k + 1)->m_fStiffY = stiff[k];
        }
    }

    // Gives every real storey a rectangular plan, width along x by depth along y (cm): four
    // nodes at its elevation (so its extent faces the wind) and one room over them (its area).
    void SetPlan(double width, double depth)
    {
        CStruct& s = Struct();
        int no = 90000;
        for (POSITION pos = s.m_pFloorList->GetRealFloorHeadPosition(); pos != nullptr;) {
            CFloor* f = s.m_pFloorList->GetRealFloorNext(pos);
            auto* room = new CPlane;
            room->m_nNo = no;
            for (const auto& [x, y] : {std::pair{0.0, 0.0}, std::pair{width, 0.0}, std::pair{width, depth},
                                       std::pair{0.0, depth}}) {
                auto* node = new CPNode(++no, CPoint3D(x, y, f->GetZ()));
                s.m_pNodeList->AddTail(node);
                f->m_pNodeList->AddTail(node);
                room->m_pVexNodeList->AddTail(node);
            }
            s.m_pPlaneList->AddTail(room);
            f->m_pPlaneList->AddTail(room);
        }
    }
    // Gives a storey (any of the list) the whole-storey shear capacity x, y (kN): one column
    // of that capacity standing in it; the structure owns the column and its section.
    void SetCapacity(CFloor* f, float x, float y)
    {
        auto* sec = new CGivenShearSection(x, y);
        Struct().m_pSectionList->AddTail(sec);
        auto* column = new CBeam(90001 + (int)Struct().m_pBeamList->GetCount(), nullptr, nullptr, 1);
        column->m_pFloor = f;
        column->m_pSection = sec;
        Struct().m_pBeamList->AddTail(column);
    }
    // Sets storey k's capacities of the tower (kN), all as the columns' part.
    void SetTowerCapacity(int k, int tower, float x, float y)
    {
        CFloor::CTowerData& d = Storey(k)->TowerData(Tower(tower)->m_pt.x, Tower(tower)->m_pt.y);
        d.fCapacityX[0] = x;
        d.fCapacityY[0] = y;
        d.fCapacityX[1] = d.fCapacityX[2] = d.fCapacityY[1] = d.fCapacityY[2] = 0.0f;
    }
    // Gravity loads (kN) of storeys 1, 2, ... above the basements.
    void SetWeights(const std::vector<float>& g)
    {
        for (size_t k = 0; k < g.size(); ++k)
            Storey((int)k + 1)->m_fWeight = g[k];
    }
    // The stored seismic shears (kN) of seismic case i on storeys 1, 2, ...: along the
    // case's direction (X for an even i), nothing across.
    void SetSeismShears(int i, const std::vector<float>& v)
    {
        const int p = SeismPos(i);
        for (size_t k = 0; k < v.size(); ++k) {
            Storey((int)k + 1)->m_fSeismShearX[p] = i % 2 == 0 ? v[k] : 0.0f;
            Storey((int)k + 1)->m_fSeismShearY[p] = i % 2 == 0 ? 0.0f : v[k];
        }
    }
    // The frame's shears (kN) of seismic case i along its direction on the base (first) and
    // then storeys 1, 2, ... (basements included, lowest first).
    void SetFrameShears(int i, const std::vector<float>& vf)
    {
        CBasicLoadCase* lc = Seism(i);
        for (size_t k = 0; k < vf.size(); ++k)
            Struct().m_pFloorList->Get((int)k + 1)->SetTotalFrameShear(lc->m_nNo, i % 2 == 0 ? vf[k] : 0.0f,
                                                                       i % 2 == 0 ? 0.0f : vf[k]);
    }
    // Members on the first storey: a column and a brace (or a second column), so that the
    // structure has a frame sharing its shear with bracing (or a bare frame).
    void AddFrameMembers(bool brace)
    {
        CStruct& s = Struct();
        const int base = s.m_pNodeList->GetCount() > 0 ? (int)s.m_pNodeList->GetCount() : 0;
        CPNode* nodes[3];
        for (int n = 0; n < 3; ++n) {
            nodes[n] = new CPNode(base + n + 1, CPoint3D(n == 2 ? 600.0 : 0.0, 0.0, n == 0 ? 0.0 : m_spec.dStoreyH));
            s.m_pNodeList->AddTail(nodes[n]);
        }
        s.m_pBeamList->AddTail(new CBeam(1, nodes[0], nodes[1], 1));
        s.m_pBeamList->AddTail(new CBeam(2, nodes[0], nodes[2], brace ? 3 : 1));
    }

private:
    CBasicLoadCase* AddCase(int no, int type)
    {
        auto* lc = new CBasicLoadCase(type);
        lc->m_nNo = no;
        Struct().m_pBasicLCList->AddTail(lc);
        return lc;
    }

    CStoreyModelSpec m_spec;
    CGlobalData m_data;
    std::vector<CBasicLoadCase*> m_wind, m_seism;
};

} // namespace vyrtest
