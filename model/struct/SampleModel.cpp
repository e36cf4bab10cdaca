#include <vyr/model/struct/SampleModel.h>

#include <cmath>
#include <vector>

#include <algorithm>
#include <array>
#include <utility>
#include <cmath>

#include <vyr/model/material/material.h>
#include <vyr/model/record/TimeHistory.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/GlobalData.h>

namespace
{
CSectionBase* AddSection(CStruct& s, CSectionBase* sec, const char* name)
{
    sec->m_strKind = name;
    if (!s.m_pSectionList->Add(sec, true))
    {
        delete sec;
        return nullptr;
    }
    return sec;
}

// Strengths and moduli as the material records keep them (N/mm2 times 0.1), densities in kg/cm3.
CMaterialBase* AddMaterial(CMaterialList* list, int type, const char* name, float f, float fv, float fy, double e,
                           float density)
{
    CMaterialBase* m = new CMaterialBase;
    m->SetType(type);
    m->SetName(name);
    m->Set_f(f);
    m->Set_fv(fv);
    m->Set_fy(fy);
    m->SetE(e);
    m->SetPoisson(type == 1 ? 0.3f : 0.2f);
    m->SetDensity(density);
    list->AddMaterial(m);
    return m;
}

CBeamGroup* AddGroup(CStruct& s, const char* name, BEAMTYPE type, CSectionBase* sec)
{
    CBeamGroup* g = new CBeamGroup;
    g->m_strName = name;
    g->m_nType = type;
    g->m_pSection = sec;
    s.m_pBeamGroupList->Add(g);
    return g;
}

CBasicLoadCase* AddCase(CStruct& s, int no, int type)
{
    CBasicLoadCase* lc = new CBasicLoadCase(type);
    lc->m_nNo = no;
    s.m_pBasicLCList->AddTail(lc);
    return lc;
}

// A combination of the structure's list, also listed in its kind's list.
CLoadCombination* AddCombination(CStruct& s, CLCList* kind, float dead, float live, float wind, float seism)
{
    CLoadCombination* c = new CLoadCombination;
    c->m_fDead = dead;
    c->m_fLive = live;
    c->m_fWind = wind;
    c->m_fHSeism = seism;
    s.m_pLCList->Add(c);
    kind->AddTail(c);
    return c;
}

void AddSampleTimeHistory(CStruct& s, const std::vector<CFloor*>& floors);
// Station results of a linear analysis, by hand: a beam carries a uniform load per case
// (fixed ends: M3 = q(6xL - 6x^2 - L^2)/12, V2 = q(L/2 - x), sagging midspan deflection) and
// the sway cases a moment reversing along it; a column carries its storeys' weight as a
// compression and the sway moment; a brace the sway as an axial force.
void StoreSampleStations(CBeamBase* b, CLCList* fundamental)
{
    b->m_pCoverLCList = fundamental;
    const double L = b->GetLength();
    if (L <= 0.0)
        return;
    const int type = b->GetType();
    // Per case type: uniform load (force per length), sway moment (force x length).
    struct Action { int caseType; double q, sway; };
    const Action actions[] = {{0, 0.25, 0.0}, {1, 0.10, 0.0}, {2, 0.0, 1500.0}, {7, 0.0, 2200.0}};
    const double storeyShare = b->GetNode2() != nullptr ? 1.0 + b->GetNode2()->m_pt.z / 360.0 : 1.0;
    for (const Action& a : actions) {
        CBeamBase::CStationValues v[CBeamBase::STATION_COMPONENTS] = {};
        for (int i = 0; i < CBeamBase::kStations; ++i) {
            const double x = L * i / 11.0;
            const size_t k = (size_t)i;
            if (type == 1) { // column
                v[CBeamBase::STATION_N][k] = (float)(-a.q * 2400.0 / storeyShare);
                v[CBeamBase::STATION_V2][k] = (float)(2.0 * a.sway / L);
                v[CBeamBase::STATION_M3][k] = (float)(a.sway * (1.0 - 2.0 * x / L));
                v[CBeamBase::STATION_M2][k] = (float)(0.3 * a.sway * (1.0 - 2.0 * x / L));
                v[CBeamBase::STATION_V3][k] = (float)(0.6 * a.sway / L);
                v[CBeamBase::STATION_D3][k] = (float)(a.sway * 1e-4 * std::sin(3.14159265 * x / L));
            } else if (type == 3) { // brace
                v[CBeamBase::STATION_N][k] = (float)(a.sway / 50.0 - a.q * 20.0);
            } else { // beams and secondary beams
                v[CBeamBase::STATION_M3][k] = (float)(a.q * (6.0 * x * L - 6.0 * x * x - L * L) / 12.0 + a.sway * (1.0 - 2.0 * x / L));
                v[CBeamBase::STATION_V2][k] = (float)(a.q * (L / 2.0 - x) - 2.0 * a.sway / L);
                v[CBeamBase::STATION_N][k] = (float)(a.sway / 400.0);
                v[CBeamBase::STATION_T][k] = (float)(a.q * 40.0 * (1.0 - 2.0 * x / L));
                v[CBeamBase::STATION_D2][k] = (float)(-a.q * L * L * L * L / 2.6e10 * std::sin(3.14159265 * x / L));
            }
        }
        for (int c = 0; c < CBeamBase::STATION_COMPONENTS; ++c)
            b->SetStationResult(a.caseType, c, v[c]);
    }
}
} // namespace

void BuildSampleModel(CGlobalData& data, const CSampleModelSize& size)
{
    CStruct& s = *data.Struct();
    const int nx = size.nBayX + 1, ny = size.nBayY + 1, nz = size.nStorey + 1;

    data.ProjectName() = "示例工程";
    data.ProjectPath() = "/tmp/vyr-sample";
    data.ProjectInfo().m_strProject = "三层钢框架";
    data.UnitLength() = 10.0f; // cm in the model, mm on screen
    data.UnitForce() = 1.0f;
    s.m_nWindCode = 0;
    s.m_nFirstFloorNo = 1;

    // Materials: two steel grades and the concrete of slabs and walls.
    CMaterialBase* q235 = AddMaterial(s.m_pMaterialSteelList, 1, "Q235B", 21.5f, 12.5f, 23.5f, 20600.0, 7850e-6f);
    CMaterialBase* q345 = AddMaterial(s.m_pMaterialSteelList, 1, "Q345B", 31.0f, 18.0f, 34.5f, 20600.0, 7850e-6f);
    CMaterialBase* c30 = AddMaterial(s.m_pMaterialConcreteList, 2, "C30", 1.43f, 0.143f, 1.43f, 3000.0, 2500e-6f);
    s.m_pDefaultFloorMaterial = c30;
    s.m_pDefaultWallMaterial = c30;

    // Sections, slab types and bar groups of the project libraries.
    CSectionBase* secColumn = AddSection(s, new CSWeldedHtype(111, 400.0f, 400.0f, 16.0f, 12.0f), "HW400x400");
    CSectionBase* secBeam = AddSection(s, new CSWeldedHtype(111, 450.0f, 200.0f, 14.0f, 9.0f), "HN450x200");
    CSectionBase* secSub = AddSection(s, new CSWeldedHtype(111, 300.0f, 150.0f, 10.0f, 6.5f), "HN300x150");
    CSectionBase* secBrace = AddSection(s, new CSPipe(113, 159.0f, 8.0f), "P159x8");
    for (CSectionBase* sec : {secColumn, secBeam, secSub, secBrace})
        if (sec != nullptr)
            sec->m_pMaterial = sec == secColumn ? q345 : q235;
    CBanConcrete* slab = new CBanConcrete;
    slab->m_fThick = 120.0f;
    slab->m_strName = "现浇板120";
    slab->m_pMaterial = c30;
    s.m_pBanConcreteList->Add(slab);
    CBanSteel* deck = new CBanSteel;
    deck->m_fThick = 80.0f;
    deck->m_nRibH = 50;
    deck->m_strName = "组合楼板";
    deck->m_pMaterial = c30;
    // An invented sheet, strong enough for the construction stage over 3 m.
    deck->m_strSheet = "YX50-250-750";
    deck->m_pSheetMaterial = q235;
    deck->m_fSheetT = 1.0f;
    deck->m_fS = 250.0f;
    deck->m_nB = 750;
    deck->m_fIef = 120.0f;
    deck->m_fWef = 40.0f;
    s.m_pBanSteelList->Add(deck);

    CBeamGroup* grpColumn = AddGroup(s, "框架柱", BEAMTYPE_COLUMN, secColumn);
    CBeamGroup* grpBeam = AddGroup(s, "框架梁", BEAMTYPE_BEAM, secBeam);
    CBeamGroup* grpBrace = AddGroup(s, "支撑", BEAMTYPE_BRACE, secBrace);

    // Member-end definitions and the support library.
    CBeamBindRelease* release = new CBeamBindRelease(0, 1, 0, 1, 1);
    s.m_pReleaseList->Add(release);
    CMemberOffset* offset = new CMemberOffset(0.0, 10.0, 0.0, 10.0);
    s.m_pOffsetList->Add(offset);
    CBeamRigid* rigid = new CBeamRigid(-20.0, 20.0);
    s.m_pRigidList->Add(rigid);
    // The structure starts with the default supports; the base nodes take the fixed one.
    CSupportBase* fixed = s.m_pSupportList->Get(1);

    // Storeys: the fixed base level, then the storeys.
    std::vector<CFloor*> floors;
    for (int k = 0; k < nz; ++k)
    {
        CFloor* f = new CFloor(k, k == 0 ? 0 : 1);
        f->m_dZ = k * size.dStoreyH;
        f->m_strDescription.Format(k == 0 ? "基础" : "第%d层", k);
        f->m_nKind = 1;
        s.m_pFloorList->AddTail(f);
        floors.push_back(f);
    }
    s.m_pFloorList->Relink();

    // Nodes on the grid of every level.
    std::vector<CPNode*> node((size_t)(nx * ny * nz));
    auto at = [&](int i, int j, int k) -> CPNode*& { return node[(size_t)((k * ny + j) * nx + i)]; };
    int nodeNo = 1;
    for (int k = 0; k < nz; ++k)
        for (int j = 0; j < ny; ++j)
            for (int i = 0; i < nx; ++i)
            {
                CPNode* n = new CPNode(nodeNo++, CPoint3D(i * size.dBayX, j * size.dBayY, k * size.dStoreyH));
                if (k == 0)
                    n->SetSupport(fixed);
                at(i, j, k) = n;
                s.m_pNodeList->AddTail(n);
                floors[(size_t)k]->m_pNodeList->AddTail(n);
            }

    int beamNo = 1;
    auto addBeam = [&](CPNode* a, CPNode* b, int type, CSectionBase* sec, CBeamGroup* grp, CFloor* f) {
        CBeam* beam = new CBeam(beamNo++, a, b, type);
        beam->m_pSection = sec;
        beam->m_pFloor = f;
        if (grp != nullptr)
        {
            grp->m_pBeamList->AddTail(beam);
            beam->m_nGroupId = grp->m_nNo;
        }
        s.m_pBeamList->AddTail(beam);
        f->m_pBeamList->AddTail(beam);
        return beam;
    };

    std::vector<CBeam*> beamX((size_t)(size.nBayX * ny * nz)), beamY((size_t)(nx * size.nBayY * nz));
    for (int k = 1; k < nz; ++k)
    {
        CFloor* f = floors[(size_t)k];
        for (int j = 0; j < ny; ++j)
            for (int i = 0; i < nx; ++i)
                addBeam(at(i, j, k - 1), at(i, j, k), 1, secColumn, grpColumn, f);
        for (int j = 0; j < ny; ++j)
            for (int i = 0; i < size.nBayX; ++i)
                beamX[(size_t)((k * ny + j) * size.nBayX + i)] = addBeam(at(i, j, k), at(i + 1, j, k), 2, secBeam, grpBeam, f);
        for (int j = 0; j < size.nBayY; ++j)
            for (int i = 0; i < nx; ++i)
                beamY[(size_t)((k * size.nBayY + j) * nx + i)] = addBeam(at(i, j, k), at(i, j + 1, k), 2, secBeam, grpBeam, f);
        // One braced bay on the y = 0 face.
        CBeam* brace = addBeam(at(0, 0, k - 1), at(1, 0, k), 3, secBrace, grpBrace, f);
        brace->SetBeamBindRelease(release);
    }

    // Load records: floor loads of the rooms, a line load on every beam, wind on the top nodes.
    CLoadArea* areaDead = new CLoadArea(1, 0.0005f); // kN/cm2
    CLoadArea* areaLive = new CLoadArea(2, 0.0002f);
    s.m_pLoadAreaDeadList->AddTail(areaDead);
    s.m_pLoadAreaLiveList->AddTail(areaLive);
    CLoadBeam* wallLoad = new CLoadBeam(1, 3, 1, -0.05); // kN/cm, downwards
    s.m_pLoadBeamDeadList->AddTail(wallLoad);
    for (POSITION pos = s.m_pBeamList->GetHeadPosition(); pos != nullptr;)
        if (CBeamBase* b = s.m_pBeamList->GetNextT(pos); b->GetType() == 2)
            b->toBeam()->m_pDeadLoadList->AddTail(wallLoad);
    CLoadWind* wind = new CLoadWind(1, 5.0f, 0.0f, 0.0f);
    s.m_pLoadWindNodeList[0]->AddTail(wind);
    for (int j = 0; j < ny; ++j)
        at(0, j, nz - 1)->m_pWindLoadList[0]->AddTail(wind);
    // The other load items, so that each has something to show: live loads on the top
    // nodes and beams, wind of the other three cases on the top corner node and the front
    // columns, initial tension in the braces, temperature 1 on the top beams, and hoist
    // load 1 on the first top node and the first top beam.
    CLoadNode* liveNode = new CLoadNode(1, 0.0, 0.0, -10.0);
    s.m_pLoadNodeLiveList->AddTail(liveNode);
    CLoadBeam* liveBeam = new CLoadBeam(1, 3, 1, -0.02);
    s.m_pLoadBeamLiveList->AddTail(liveBeam);
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i)
            at(i, j, nz - 1)->m_pLiveLoadList->AddTail(liveNode);
    const float windDir[3][2] = {{0.0f, 5.0f}, {-5.0f, 0.0f}, {0.0f, -5.0f}};
    CLoadBeam* windBeam[4] = {new CLoadBeam(1, 1, 1, 0.01), nullptr, nullptr, nullptr};
    s.m_pLoadWindBeamList[0]->AddTail(windBeam[0]);
    for (int c = 1; c < 4; ++c) {
        CLoadWind* w = new CLoadWind(1, windDir[c - 1][0], windDir[c - 1][1], 0.0f);
        s.m_pLoadWindNodeList[c]->AddTail(w);
        at(nx - 1, ny - 1, nz - 1)->m_pWindLoadList[c]->AddTail(w);
        windBeam[c] = new CLoadBeam(1, c == 2 ? -1 : (c == 1 ? 2 : -2), 1, 0.01);
        s.m_pLoadWindBeamList[c]->AddTail(windBeam[c]);
    }
    s.m_pTemperature[0]->m_fT = 25.0f;
    // The structure's hoist lists own the load records; a node or member holds a list of its
    // own naming them.
    auto* hoistNode = new CLoadCraneList(1);
    auto* hoistNodeLoad = new CLoadNode(1, 0.0, 0.0, -50.0);
    hoistNode->AddTail(hoistNodeLoad);
    s.m_arrCraneNodeLoad.Add(hoistNode);
    auto* nodeHoist = new CLoadCraneList(1);
    nodeHoist->AddTail(hoistNodeLoad);
    at(0, 0, nz - 1)->m_arrCraneLoad.Add(nodeHoist);
    auto* hoistBeam = new CLoadCraneBeamList(1);
    auto* hoistBeamLoad = new CLoadBeam(1, 3, 2, -30.0, 0.0, 300.0);
    hoistBeam->AddTail(hoistBeamLoad);
    s.m_arrCraneBeamLoad.Add(hoistBeam);
    bool hoistPlaced = false;
    for (POSITION pos = s.m_pBeamList->GetHeadPosition(); pos != nullptr;) {
        CBeam* b = s.m_pBeamList->GetNextT(pos)->toBeam();
        if (b == nullptr)
            continue;
        const bool top = b->GetNode1()->m_pt.z == at(0, 0, nz - 1)->m_pt.z && b->GetNode2()->m_pt.z == b->GetNode1()->m_pt.z;
        if (b->GetType() == 2) {
            b->m_pLiveLoadList->AddTail(liveBeam);
            if (top) {
                b->m_pTemperature[0] = s.m_pTemperature[0];
                if (!hoistPlaced) {
                    auto* own = new CLoadCraneBeamList(1);
                    own->AddTail(hoistBeamLoad);
                    b->m_arrCraneBeamLoad.Add(own);
                }
                hoistPlaced = true;
            }
        } else if (b->GetType() == 1 && b->GetNode1()->m_pt.y == 0.0) {
            for (int c = 0; c < 4; ++c)
                b->m_pWindLoadList[c]->AddTail(windBeam[c]);
        } else if (b->GetType() == 3) {
            b->m_fTension = 12.5f;
        }
    }

    // Rooms with slabs, each with one secondary beam across its middle.
    int planeNo = 1, subNo = 1;
    for (int k = 1; k < nz; ++k)
    {
        CFloor* f = floors[(size_t)k];
        for (int j = 0; j < size.nBayY; ++j)
            for (int i = 0; i < size.nBayX; ++i)
            {
                CPlane* p = new CPlane;
                p->m_nNo = planeNo++;
                p->m_nShapeCode = 2;
                p->m_nSubBeamDir = 1;
                p->m_pFloor = f;
                p->m_pBan = (i + j) % 2 == 0 ? static_cast<CBan*>(slab) : static_cast<CBan*>(deck);
                p->m_pDeadLoad = areaDead;
                p->m_pLiveLoad = areaLive;
                CPNode* v[4] = {at(i, j, k), at(i + 1, j, k), at(i + 1, j + 1, k), at(i, j + 1, k)};
                CBeam* e[4] = {beamX[(size_t)((k * ny + j) * size.nBayX + i)], beamY[(size_t)((k * size.nBayY + j) * nx + i + 1)],
                               beamX[(size_t)((k * ny + j + 1) * size.nBayX + i)], beamY[(size_t)((k * size.nBayY + j) * nx + i)]};
                for (int c = 0; c < 4; ++c)
                {
                    p->m_pVexNodeList->AddTail(v[c]);
                    p->m_pNodeList->AddTail(v[c]);
                    p->m_pBeamList->AddTail(e[c]);
                }
                // The secondary beam's ends are nodes of the room's boundary.
                CPNode* s1 = new CPNode(nodeNo++, CPoint3D(i * size.dBayX, (j + 0.5) * size.dBayY, k * size.dStoreyH));
                CPNode* s2 = new CPNode(nodeNo++, CPoint3D((i + 1) * size.dBayX, (j + 0.5) * size.dBayY, k * size.dStoreyH));
                s.m_pNodeList->AddTail(s1);
                s.m_pNodeList->AddTail(s2);
                f->m_pNodeList->AddTail(s1);
                f->m_pNodeList->AddTail(s2);
                p->m_pNodeList->AddTail(s1);
                p->m_pNodeList->AddTail(s2);
                CSubBeam* sb = new CSubBeam(beamNo++, s1, s2);
                sb->m_nSubNo = subNo++;
                sb->m_pSection = secSub;
                sb->m_pFloor = f;
                sb->m_pPlane = p;
                p->m_pSubBeamList->AddTail(sb);
                if (i == 0 && j == 0)
                {
                    CHoleRect* hole = new CHoleRect;
                    hole->m_dX = 100.0;
                    hole->m_dY = 100.0;
                    hole->m_dH = 80.0;
                    hole->m_dV = 60.0;
                    p->m_pHole = hole;
                }
                s.m_pPlaneList->AddTail(p);
                f->m_pPlaneList->AddTail(p);
            }
    }

    if (size.bTriangleRoom && nz > 1)
    {
        const int k = nz - 1;
        CFloor* f = floors[(size_t)k];
        CPNode* apex = new CPNode(nodeNo++, CPoint3D(0.5 * size.dBayX, -size.dBayY * 2.0 / 3.0, k * size.dStoreyH));
        s.m_pNodeList->AddTail(apex);
        f->m_pNodeList->AddTail(apex);
        CPNode* v[3] = {at(0, 0, k), at(1, 0, k), apex};
        CBeam* e[3] = {beamX[(size_t)(k * ny * size.nBayX)], addBeam(v[1], apex, 2, secBeam, grpBeam, f),
                       addBeam(apex, v[0], 2, secBeam, grpBeam, f)};
        CPlane* p = new CPlane;
        p->m_nNo = planeNo++;
        p->m_nShapeCode = 1;
        p->m_nSubBeamDir = 0;
        p->m_pFloor = f;
        p->m_pBan = slab;
        p->m_pDeadLoad = areaDead;
        p->m_pLiveLoad = areaLive;
        for (int c = 0; c < 3; ++c)
        {
            p->m_pVexNodeList->AddTail(v[c]);
            p->m_pNodeList->AddTail(v[c]);
            p->m_pBeamList->AddTail(e[c]);
        }
        s.m_pPlaneList->AddTail(p);
        f->m_pPlaneList->AddTail(p);
    }

    // A wall in the last bay of the y = max face of every storey, with a door opening, a
    // pier and a coupling beam.
    int wallNo = 1, bcNo = 1;
    for (int k = 1; k < nz; ++k)
    {
        CFloor* f = floors[(size_t)k];
        const int i = size.nBayX - 1, j = ny - 1;
        CWall* w = new CWall;
        w->m_nNo = wallNo++;
        w->m_fT = 20.0f;
        w->m_pMaterial = c30;
        w->m_pFloor = f;
        w->m_pVexNodeList->AddTail(at(i, j, k - 1));
        w->m_pVexNodeList->AddTail(at(i + 1, j, k - 1));
        w->m_pVexNodeList->AddTail(at(i + 1, j, k));
        w->m_pVexNodeList->AddTail(at(i, j, k));
        w->UpdateSize();
        CHoleRect* door = new CHoleRect;
        w->AddHole(door);
        door->ChangHolePara(0.25 * size.dBayX, 0.0, 0.6 * size.dStoreyH, 0.25 * size.dBayX, w);
        s.m_pWallList->AddTail(w);
        f->m_pWallList->AddTail(w);

        CColumnInWall* pier = new CColumnInWall(bcNo++, at(i + 1, j, k - 1), at(i + 1, j, k));
        pier->m_pWall = w;
        pier->m_pFloor = f;
        CBeamInWall* link = new CBeamInWall(bcNo++, at(i, j, k), at(i + 1, j, k));
        link->m_pWall = w;
        link->m_pFloor = f;
        // The pier is the wall beside the door, the coupling beam the wall above it and the
        // stretch before it.
        {
            const CPoint3D a = at(i, j, k - 1)->m_pt, b = at(i + 1, j, k - 1)->m_pt;
            const double doorEnd = door->m_dX + door->m_dH, len = a.GetXY().GetDist(b.GetXY());
            const double ux = len > 0 ? (b.x - a.x) / len : 1.0, uy = len > 0 ? (b.y - a.y) / len : 0.0;
            auto along = [&](double s, double z) { return CPoint3D(a.x + ux * s, a.y + uy * s, a.z + z); };
            const double top = size.dStoreyH, doorTop = door->m_dY + door->m_dV;
            pier->SetOutline(along(doorEnd, 0.0), along(len, 0.0), along(len, top), along(doorEnd, top), w->m_fT);
            link->SetOutline(along(0.0, doorTop), along(doorEnd, doorTop), along(doorEnd, top), along(0.0, top), w->m_fT);
        }
        s.m_pBCInWallList2->AddTail(pier);
        s.m_pBCInWallList1->AddTail(link);
        w->m_pEdgeBeamList->AddTail(pier);
        w->m_pEdgeBeamList->AddTail(link);
    }

    for (CFloor* f : floors)
    {
        f->m_fWeight = f == floors.front() ? 0.0f : 1200.0f;
        f->ReSetDisplayList();
    }

    // Grid axes: numbers along x, letters along y.
    for (int i = 0; i < nx; ++i)
    {
        CString label;
        label.Format("%d", i + 1);
        s.Axises().AddAxis(label, CPoint2D(i * size.dBayX, -100.0), CPoint2D(i * size.dBayX, size.nBayY * size.dBayY + 100.0));
    }
    for (int j = 0; j < ny; ++j)
    {
        CString label;
        label.Format("%c", 'A' + j % 26);
        s.Axises().AddAxis(label, CPoint2D(-100.0, j * size.dBayY), CPoint2D(size.nBayX * size.dBayX + 100.0, j * size.dBayY));
    }
    data.AxisDisplay().SetZ(nz > 1 ? (nz - 1) * size.dStoreyH : 0.0);

    // Load cases and combinations.
    CBasicLoadCase* dead = AddCase(s, 1, 0);
    AddCase(s, 2, 1);
    AddCase(s, 3, 2);
    CBasicLoadCase* seismX = AddCase(s, 4, 7);
    CLoadSeism* seism = new CLoadSeism;
    seism->m_nNo = 1;
    s.m_pLoadSeismList->AddTail(seism);
    seismX->m_nSeismCaseNo = 1;
    (void)dead;
    AddCombination(s, data.GetSLCList(), 1.2f, 1.4f, 0.0f, 0.0f);
    AddCombination(s, data.GetSLCList(), 1.35f, 0.98f, 0.0f, 0.0f);
    AddCombination(s, data.GetSLCList(), 1.2f, 0.98f, 1.4f, 0.0f);
    CLoadCombination* e = AddCombination(s, data.GetSLCList(), 1.2f, 0.6f, 0.0f, 1.3f);
    e->m_pSeism1 = seism;
    AddCombination(s, data.GetSDispLCList(), 1.0f, 1.0f, 0.0f, 0.0f);
    AddCombination(s, data.GetSDeflateLCList(), 1.0f, 0.5f, 0.0f, 0.0f);
    data.SetCurrentLC(data.GetSLCList()->GetHeadT());
    for (POSITION pos = s.m_pBeamList->GetHeadPosition(); pos != nullptr;)
        if (CBeamBase* b = s.m_pBeamList->GetNextT(pos); IsOrdinaryMember(b))
            StoreSampleStations(b, data.GetSLCList());
    for (POSITION pos = s.m_pPlaneList->GetHeadPosition(); pos != nullptr;) {
        CBeamList* subBeams = s.m_pPlaneList->GetNextT(pos)->m_pSubBeamList;
        for (POSITION p = subBeams->GetHeadPosition(); p != nullptr;)
            StoreSampleStations(subBeams->GetNextT(p), data.GetSLCList());
    }

    s.SetModalResult({0.92f, 0.85f, 0.61f});
    AddSampleTimeHistory(s, floors);

    // A plan view of the top storey in a 1000 x 800 pixel client area.
    CMatrix3D& m3 = data.Matrix3D();
    m3.Identity();
    m3(1, 1) = 0.0;
    m3(1, 2) = 1.0;
    m3(2, 1) = 1.0;
    m3(2, 2) = 0.0;
    CRect2D world(-100.0, -100.0, size.nBayX * size.dBayX + 100.0, size.nBayY * size.dBayY + 100.0);
    data.Matrix2D().SetZoomMatrix(CRect(0, 0, 1000, 800), world);
}

void AddSampleLoads(CGlobalData& data)
{
    CStruct& s = *data.Struct();
    // The kinds the built model has no case of yet: wind Y, -X, -Y, vertical seismic, the
    // first temperature case, a crane case and the initial stress.
    int caseNo = (int)s.m_pBasicLCList->GetCount();
    for (int type : {3, 4, 5, 6, 11, 21, 15})
        AddCase(s, ++caseNo, type);

    CFloor* top = static_cast<CFloor*>(s.m_pFloorList->GetTail());
    auto topNodes = [&](auto fn) {
        for (POSITION pos = top->m_pNodeList->GetHeadPosition(); pos != nullptr;)
            fn(top->m_pNodeList->GetNextT(pos));
    };
    auto members = [&](auto fn) {
        for (POSITION pos = s.m_pBeamList->GetHeadPosition(); pos != nullptr;)
            if (CBeam* b = s.m_pBeamList->GetNextT(pos)->toBeam())
                fn(b);
    };

    // Node dead loads: a vertical force on every top node, a force with a moment on the first.
    auto* deadTop = new CLoadNode(1, 0.0, 0.0, -20.0);
    auto* deadMoment = new CLoadNode(2, 5.0, 0.0, -10.0, 0.0, 150.0, 0.0); // moment in kN.cm
    s.m_pLoadNodeDeadList->AddTail(deadTop);
    s.m_pLoadNodeDeadList->AddTail(deadMoment);
    auto* liveTop = new CLoadNode(1, 0.0, 0.0, -8.0);
    s.m_pLoadNodeLiveList->AddTail(liveTop);
    topNodes([&](CPNode* n) {
        n->m_pDeadLoadList->AddTail(deadTop);
        n->m_pLiveLoadList->AddTail(liveTop);
    });
    top->m_pNodeList->GetHeadT()->m_pDeadLoadList->AddTail(deadMoment);

    // Member live loads on the top beams: uniform, and a point load at mid-span of the first.
    auto* liveLine = new CLoadBeam(1, 3, 1, -0.02);     // kN/cm
    auto* livePoint = new CLoadBeam(2, 3, 2, -15.0, 0.0, 300.0);
    s.m_pLoadBeamLiveList->AddTail(liveLine);
    s.m_pLoadBeamLiveList->AddTail(livePoint);
    bool first = true;
    members([&](CBeam* b) {
        if (b->GetType() != 2 || b->m_pFloor != top)
            return;
        b->m_pLiveLoadList->AddTail(liveLine);
        if (std::exchange(first, false))
            b->m_pLiveLoadList->AddTail(livePoint);
    });

    // Wind in the other three directions on the same top nodes as the X wind, and a line
    // load in every direction on the columns of the first axis line.
    const float windNode[4][3] = {{5.0f, 0, 0}, {0, 4.0f, 0}, {-5.0f, 0, 0}, {0, -4.0f, 0}};
    for (int d = 1; d < 4; ++d) {
        auto* w = new CLoadWind(1, windNode[d][0], windNode[d][1], windNode[d][2]);
        s.m_pLoadWindNodeList[d]->AddTail(w);
        topNodes([&](CPNode* n) {
            if (!n->m_pWindLoadList[0]->IsEmpty())
                n->m_pWindLoadList[d]->AddTail(w);
        });
    }
    for (int d = 0; d < 4; ++d) {
        auto* w = new CLoadBeam(1, d % 2 == 0 ? 1 : 2, 1, d < 2 ? 0.01 : -0.01);
        s.m_pLoadWindBeamList[d]->AddTail(w);
        members([&](CBeam* b) {
            if (b->GetType() == 1 && b->GetNode1()->GetPt().x == 0.0 && b->GetNode1()->GetPt().y == 0.0)
                b->m_pWindLoadList[d]->AddTail(w);
        });
    }

    // A crane case derived from the layout: wheel loads on two nodes, a braking force on a beam.
    auto* craneNodes = new CLoadCraneList(1, 1);
    auto* craneMembers = new CLoadCraneBeamList(1);
    auto* wheel1 = new CLoadNode(1, 0.0, 0.0, -120.0);
    auto* wheel2 = new CLoadNode(2, 0.0, 0.0, -40.0);
    auto* braking = new CLoadBeam(1, 1, 2, 12.0, 0.0, 300.0);
    craneNodes->AddTail(wheel1);
    craneNodes->AddTail(wheel2);
    craneMembers->AddTail(braking);
    s.m_arrCraneNodeLoad.Add(craneNodes);
    s.m_arrCraneBeamLoad.Add(craneMembers);
    CFloor* firstStorey = s.m_pFloorList->Get(2);
    POSITION wheelPos = firstStorey->m_pNodeList->GetHeadPosition();
    for (CLoadNode* wheel : {wheel1, wheel2}) {
        auto* own = new CLoadCraneList(1);
        own->AddTail(wheel);
        firstStorey->m_pNodeList->GetNextT(wheelPos)->m_arrCraneLoad.Add(own);
    }
    bool placed = false;
    members([&](CBeam* b) {
        if (placed || b->GetType() != 2 || b->m_pFloor != firstStorey)
            return;
        auto* own = new CLoadCraneBeamList(1);
        own->AddTail(braking);
        b->m_arrCraneBeamLoad.Add(own);
        placed = true;
    });

    // A rise of 25 degrees on the top storey's beams.
    s.m_pTemperature[0]->m_fT = 25.0f;
    members([&](CBeam* b) {
        if (b->GetType() == 2 && b->m_pFloor == top) {
            b->m_nTempFlag[0] = 1;
            b->m_pTemperature[0] = s.m_pTemperature[0];
        }
    });

    // Vertical seismic data on the top nodes of the grid.
    topNodes([](CPNode* n) {
        if (n->m_pWindLoadList[0]->IsEmpty())
            return;
        n->m_fVSeismMass = 2.5f;
        n->m_fVSeismCoef = 0.08f;
    });

    // Node weights (the model's g turns them into masses) and a master node at the centre of
    // every storey above the base that the storey's nodes are tied to.
    const float g = s.m_pLoadSeismList->m_fG;
    int masterNo = 1000;
    for (POSITION pos = s.m_pFloorList->GetHeadPosition(); pos != nullptr;) {
        CFloor* f = s.m_pFloorList->GetNextT(pos);
        if (f == s.m_pFloorList->GetHeadT() || f->m_pNodeList->IsEmpty())
            continue;
        const CRect2D plan = f->m_pNodeList->GetRealRect(0);
        auto* master = new CMainNode(++masterNo, CPoint3D((plan.left + plan.right) / 2, (plan.top + plan.bottom) / 2, f->m_dZ));
        double trans = 0.0, rot = 0.0;
        for (POSITION p = f->m_pNodeList->GetHeadPosition(); p != nullptr;) {
            CPNode* n = f->m_pNodeList->GetNextT(p);
            n->m_dDeadFz = -0.1 * g;
            n->m_dLiveFz = -0.05 * g;
            n->m_fAddMass = 0.01f * g;
            n->m_fMass = (float)(-n->m_dDeadFz - s.m_fLiveFactor * n->m_dLiveFz + n->m_fAddMass);
            n->m_pMainNode = master;
            const double dx = (n->GetPt().x - master->GetPt().x) * 0.01, dy = (n->GetPt().y - master->GetPt().y) * 0.01;
            trans += n->m_fMass / g;
            rot += n->m_fMass / g * (dx * dx + dy * dy);
        }
        master->m_fTransMass = (float)(trans * 1000.0); // the model keeps kg
        master->m_fRotMass = (float)(rot * 1e7);
        s.m_pMainNodeList->AddTail(master);
        f->m_pMainNodeList->AddTail(master);
    }
}

CString SampleModelSummary(CGlobalData& data)
{
    CStruct& s = *data.Struct();
    int columns = 0, beams = 0, braces = 0, subBeams = 0, holes = 0;
    for (POSITION pos = s.m_pBeamList->GetHeadPosition(); pos != nullptr;)
    {
        const int t = s.m_pBeamList->GetNextT(pos)->GetType();
        columns += t == 1;
        beams += t == 2;
        braces += t == 3;
    }
    for (POSITION pos = s.m_pPlaneList->GetHeadPosition(); pos != nullptr;)
        subBeams += (int)s.m_pPlaneList->GetNextT(pos)->m_pSubBeamList->GetCount();
    for (POSITION pos = s.m_pWallList->GetHeadPosition(); pos != nullptr;)
        holes += (int)s.m_pWallList->GetNextT(pos)->m_pHoleList->GetCount();

    CString out, line;
    line.Format("工程: %s\n", data.ProjectName().GetString());
    out += line;
    line.Format("楼层: %d (含基础 %d)\n", s.m_pFloorList->GetRealFloorNum(), (int)s.m_pFloorList->GetCount());
    out += line;
    line.Format("结点: %d\n", (int)s.m_pNodeList->GetCount());
    out += line;
    line.Format("杆件: %d (柱 %d, 梁 %d, 支撑 %d), 次梁: %d\n", (int)s.m_pBeamList->GetCount(), columns, beams, braces, subBeams);
    out += line;
    line.Format("房间: %d, 墙体: %d (洞口 %d), 连梁: %d, 墙肢: %d\n", (int)s.m_pPlaneList->GetCount(),
                (int)s.m_pWallList->GetCount(), holes, (int)s.m_pBCInWallList1->GetCount(), (int)s.m_pBCInWallList2->GetCount());
    out += line;
    line.Format("材料: 钢材 %d, 混凝土 %d\n", (int)s.m_pMaterialSteelList->GetCount(),
                (int)s.m_pMaterialConcreteList->GetCount());
    out += line;
    line.Format("截面: %d (使用 %d), 轴线: %d\n", (int)s.m_pSectionList->GetCount(), s.GetUsedSectionNum(true),
                s.Axises().GetAxisNum());
    out += line;
    line.Format("荷载工况: %d, 荷载组合: %d, 振型: %d\n", (int)s.m_pBasicLCList->GetCount(), (int)s.m_pLCList->GetCount(),
                s.GetCurFrequentNum());
    out += line;
    return out;
}

namespace
{
// One case's maxima per storey entry (entry 0 the base), in cm, kN and kN*cm: a drift
// that shrinks up the building, shears that fall off towards the top, and at each storey's
// foot the moment of the shears from that storey up.
CTimeAnalyResult* SampleTHResult(const std::vector<CFloor*>& floors, float baseX, float baseY, float driftX, float driftY)
{
    const int n = (int)floors.size();
    CTimeAnalyResult* r = new CTimeAnalyResult;
    r->SetFloorNum(n);
    r->SetDefineX(true);
    r->SetDefineY(true);
    std::vector<double> shearX((size_t)n), shearY((size_t)n);
    for (int i = 0; i < n; ++i)
    {
        const double up = n > 1 ? (double)std::max(i - 1, 0) / (n - 1) : 0.0;
        shearX[(size_t)i] = baseX * (1.0 - up * up);
        shearY[(size_t)i] = baseY * (1.0 - up * up);
    }
    double dispX = 0.0, dispY = 0.0;
    for (int i = 0; i < n; ++i)
    {
        const double shrink = n > 1 ? 1.2 - 0.4 * i / (n - 1) : 1.0;
        const double dx = i > 0 ? driftX * shrink : 0.0, dy = i > 0 ? driftY * shrink : 0.0;
        dispX += dx;
        dispY += dy;
        double momentX = 0.0, momentY = 0.0;
        for (int j = std::max(i, 1); j < n; ++j)
        {
            momentX += shearX[(size_t)j] * floors[(size_t)j]->GetH();
            momentY += shearY[(size_t)j] * floors[(size_t)j]->GetH();
        }
        r->SetFloorData(i, dispX, dx, shearX[(size_t)i], momentX, dispY, dy, shearY[(size_t)i], momentY);
    }
    return r;
}

// A record, two time-history cases on it and their results as the engine writes them
// back, with the response-spectrum storey shears of the first storey.
void AddSampleTimeHistory(CStruct& s, const std::vector<CFloor*>& floors)
{
    std::vector<float> samples(500);
    for (size_t i = 0; i < samples.size(); ++i)
    {
        const double t = 0.02 * (double)i;
        samples[i] = (float)(100.0 * std::exp(-0.3 * t) * std::sin(2.0 * 3.14159265358979 * 1.8 * t));
    }
    CWaveFun* wave = new CWaveFun;
    wave->SetValue("SAMPLE_EQ", 0.02f, 10.0f, samples.data());
    s.m_pWaveFunList->AddTail(wave);
    wave->SetId((int)s.m_pWaveFunList->GetCount());

    CTHCase* one = new CTHCase;
    one->SetName("TH1");
    one->SetWaveFunX(wave);
    one->SetMaxX(35.0f);
    s.m_pTHCaseList->Add(one);
    CTHCase* two = new CTHCase;
    two->SetName("TH2");
    two->SetWaveFunX(wave);
    two->SetWaveFunY(wave);
    two->SetMaxX(70.0f);
    two->SetMaxY(59.5f);
    s.m_pTHCaseList->Add(two);

    s.m_pTimeAnalyResultList->Add(SampleTHResult(floors, 700.0f, 680.0f, 0.35f, 0.33f));
    s.m_pTimeAnalyResultList->Add(SampleTHResult(floors, 820.0f, 760.0f, 0.42f, 0.38f));
    s.m_pTimeAnalyResultList->SetDefineX(true);
    s.m_pTimeAnalyResultList->SetDefineY(true);

    if (floors.size() > 1)
    {
        const float x[12] = {980.0f, -1000.0f, 640.0f, -610.0f};
        const float y[12] = {950.0f, 720.0f, -900.0f};
        for (int k = 0; k < 12; ++k)
        {
            floors[1]->m_fSeismShearX[k] = x[k];
            floors[1]->m_fSeismShearY[k] = y[k];
        }
    }
}
} // namespace

void AddSampleModeShapes(CGlobalData& data)
{
    CStruct& s = *data.Struct();
    const int modes = s.GetCurFrequentNum();
    const CRect2D plan = s.m_pNodeList->GetRealRect(0);
    const CRect2D elevation = s.m_pNodeList->GetRealRect(1);
    const double cx = (plan.left + plan.right) / 2, cy = (plan.top + plan.bottom) / 2;
    const double bottom = elevation.bottom, height = elevation.Height() > 0 ? elevation.Height() : 1.0;
    const double radius = std::max(1.0, 0.5 * std::hypot(plan.Width(), plan.Height()));
    // The shape at (x, y, z): translations and the twist about the plan centre.
    auto shape = [&](int mode, double x, double y, double z) {
        const double h = (z - bottom) / height;
        std::array<float, 4> v{0, 0, 0, 0}; // x, y, z, rotation
        if (mode == 0)
            v[0] = (float)h;
        else if (mode == 1)
            v[1] = (float)h;
        else {
            const double twist = h / radius;
            v[0] = (float)(-(y - cy) * twist);
            v[1] = (float)((x - cx) * twist);
            v[3] = (float)twist;
        }
        return v;
    };
    for (POSITION pos = s.m_pNodeList->GetHeadPosition(); pos != nullptr;) {
        CPNode* n = s.m_pNodeList->GetNextT(pos);
        n->m_arrFShape.clear();
        for (int m = 0; m < modes; ++m) {
            const std::array<float, 4> v = shape(m, n->m_pt.x, n->m_pt.y, n->m_pt.z);
            n->m_arrFShape.push_back({v[0], v[1], v[2]});
        }
    }
    int no = 20001;
    for (POSITION pos = s.m_pFloorList->GetHeadPosition(); pos != nullptr;) {
        CFloor* f = s.m_pFloorList->GetNextT(pos);
        if (f->GetZ() <= bottom || f->m_pMainNodeList->GetCount() > 0)
            continue;
        auto* master = new CMainNode(no++, CPoint3D(cx, cy, f->GetZ()));
        for (int m = 0; m < modes; ++m) {
            const std::array<float, 4> v = shape(m, cx, cy, f->GetZ());
            master->m_arrShape.push_back({m == 2 ? 0.0f : v[0], m == 2 ? 0.0f : v[1], v[3]});
        }
        s.m_pMainNodeList->AddTail(master);
        f->m_pMainNodeList->AddTail(master);
    }
}
