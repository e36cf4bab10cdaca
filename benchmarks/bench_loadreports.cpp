// The load chapters of the model report on 10,000 members that each carry a dead, a live
// and a wind load (8,000 nodes with node loads, rooms, a crane case, a temperature case),
// and the structure mass report of 8,000 nodes on 20 storeys, each into an RTF file.
// Budget: under a second each.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/reports/DlgOutputEqualLoad.h>
#include <vyr/reports/DlgOutputModel.h>

namespace {

constexpr int kNodes = 8000;
constexpr int kMembers = 10000;
constexpr int kStoreys = 20;

struct LoadScene
{
    CGlobalData data;

    LoadScene()
    {
        CStruct& st = *data.Struct();
        data.ProjectName() = "bench";
        data.Gravity() = 1;
        for (int type : {0, 1, 2, 3, 4, 5, 6, 7, 11, 21})
            data.GetCurBasicLCList()->AddTail(new CBasicLoadCase(type));
        auto* sec = new CSectionBase;
        sec->m_nNo = 1;
        sec->m_dA1 = 80.0;
        st.m_pSectionList->AddTail(sec);

        auto* nodeDead = new CLoadNode(1, 0, 0, -20);
        auto* nodeLive = new CLoadNode(1, 0, 0, -8);
        auto* memberDead = new CLoadBeam(1, 3, 1, -0.05);
        auto* memberLive = new CLoadBeam(1, 3, 1, -0.02);
        st.m_pLoadNodeDeadList->AddTail(nodeDead);
        st.m_pLoadNodeLiveList->AddTail(nodeLive);
        st.m_pLoadBeamDeadList->AddTail(memberDead);
        st.m_pLoadBeamLiveList->AddTail(memberLive);
        CLoadWind* nodeWind[4];
        CLoadBeam* memberWind[4];
        for (int d = 0; d < 4; ++d) {
            nodeWind[d] = new CLoadWind(1, d % 2 == 0 ? 5.0f : 0.0f, d % 2 == 1 ? 5.0f : 0.0f, 0.0f);
            memberWind[d] = new CLoadBeam(1, 1 + d % 2, 1, 0.01);
            st.m_pLoadWindNodeList[d]->AddTail(nodeWind[d]);
            st.m_pLoadWindBeamList[d]->AddTail(memberWind[d]);
        }
        auto* areaDead = new CLoadArea(1, 0.0005f);
        auto* areaLive = new CLoadArea(1, 0.0002f);
        st.m_pLoadAreaDeadList->AddTail(areaDead);
        st.m_pLoadAreaLiveList->AddTail(areaLive);
        auto* crane = new CLoadCraneList(1, 1);
        auto* wheel = new CLoadNode(1, 0, 0, -100);
        crane->AddTail(wheel);
        st.m_arrCraneNodeLoad.Add(crane);
        st.m_arrCraneBeamLoad.Add(new CLoadCraneBeamList(1));
        st.m_pTemperature[0]->m_fT = 25.0f;

        std::vector<CFloor*> floors;
        for (int k = 0; k <= kStoreys; ++k) {
            auto* f = new CFloor(k, 1);
            f->m_dZ = 360.0 * k;
            f->m_strDescription.Format("第%d层", k);
            st.m_pFloorList->AddTail(f);
            floors.push_back(f);
            if (k == 0)
                continue;
            auto* master = new CMainNode(100000 + k, CPoint3D(5000, 2000, f->m_dZ));
            master->m_fTransMass = 400000.0f;
            master->m_fRotMass = 3e9f;
            st.m_pMainNodeList->AddTail(master);
            f->m_pMainNodeList->AddTail(master);
            for (int r = 1; r <= 50; ++r) {
                auto* room = new CPlane;
                room->m_nNo = r;
                room->m_pFloor = f;
                room->m_pDeadLoad = areaDead;
                room->m_pLiveLoad = areaLive;
                st.m_pPlaneList->AddTail(room);
                f->m_pPlaneList->AddTail(room);
            }
        }
        st.m_pFloorList->Relink();

        for (int i = 1; i <= kNodes; ++i) {
            CFloor* f = floors[(size_t)(i % (kStoreys + 1))];
            auto* n = new CPNode(i, CPoint3D(100.0 * (i % 100), 100.0 * (i / 100), f->m_dZ));
            n->m_pDeadLoadList->AddTail(nodeDead);
            n->m_pLiveLoadList->AddTail(nodeLive);
            n->m_pWindLoadList[i % 4]->AddTail(nodeWind[i % 4]);
            n->m_dDeadFz = -490.0;
            n->m_dLiveFz = -196.0;
            n->m_fAddMass = 9.8f;
            n->m_fMass = 597.8f;
            n->m_fVSeismMass = 1.5f;
            n->m_fVSeismCoef = 0.08f;
            if (i % 500 == 0) {
                auto* own = new CLoadCraneList(1);
                own->AddTail(wheel);
                n->m_arrCraneLoad.Add(own);
            }
            st.m_pNodeList->AddTail(n);
            f->m_pNodeList->AddTail(n);
            if (i % 10 != 0 && f != floors.front())
                n->m_pMainNode = f->m_pMainNodeList->GetHeadT();
        }
        for (int i = 1; i <= kMembers; ++i) {
            auto* m = new CBeam(i, st.m_pNodeList->Get(1 + i % kNodes), st.m_pNodeList->Get(1 + (i + 1) % kNodes), 2);
            m->SetSection(sec);
            m->m_pDeadLoadList->AddTail(memberDead);
            m->m_pLiveLoadList->AddTail(memberLive);
            m->m_pWindLoadList[i % 4]->AddTail(memberWind[i % 4]);
            m->m_nTempFlag[0] = i % 2;
            st.m_pBeamList->AddTail(m);
        }
    }
};

LoadScene& Scene()
{
    static LoadScene scene;
    return scene;
}

template <class Write>
void IntoRtf(benchmark::State& state, const char* name, Write write)
{
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    for (auto _ : state) {
        COutput out;
        if (!out.InitDevice(DEVICE_RTF, CString(path.c_str()), 1))
            state.SkipWithError("the RTF file cannot be written");
        write(out);
        out.Close();
    }
    std::filesystem::remove(path);
}

void BM_LoadChaptersRtf(benchmark::State& state)
{
    CDlgOutputModel dlg;
    dlg.m_pData = &Scene().data;
    dlg.m_bTotal = 0;
    dlg.m_bDead = dlg.m_bLive = dlg.m_bWind = dlg.m_bCrane = dlg.m_bT = dlg.m_bSeism = dlg.m_bSeismV = 1;
    IntoRtf(state, "vyr_bench_loadchapters.rtf", [&](COutput& out) { dlg.OutputUnite(out, nullptr, 0); });
}
BENCHMARK(BM_LoadChaptersRtf)->Unit(benchmark::kMillisecond);

void BM_MassReportRtf(benchmark::State& state)
{
    CDlgOutputEqualLoad dlg;
    dlg.m_pData = &Scene().data;
    dlg.m_bFreedom = dlg.m_bNode = 1;
    IntoRtf(state, "vyr_bench_massreport.rtf", [&](COutput& out) { dlg.OutputUnite(out, 0); });
}
BENCHMARK(BM_MassReportRtf)->Unit(benchmark::kMillisecond);

} // namespace
