// The section panel over a large project: refilling the "使用" tab with 5,000 sections and
// 100,000 members, the sorts by type and by material, the check before a delete, and the
// two assignments: a tapered section spread over 10,000 members in 1,000 chains of 10 (every
// chain of other lengths, so the library grows by 10,000 sections) and a section given to
// 100,000 members.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "hostkit/HostKit.h"
#include <vyr/host/ViewSection.h>
#include <vyr/model/material/material.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/operators/OPSelectKinds.h>
#include <vyr/resources/dialogs/SectionRes.h>
#include <vyr/scripteduser.h>

namespace {

CSDefineIbeam* Plates(double H)
{
    auto* p = new CSDefineIbeam;
    p->m_dH = H;
    p->m_dB = p->m_dB1 = 200;
    p->m_dT = 8;
    p->m_dTf = p->m_dTf1 = 12;
    p->ChangeSecProperty();
    return p;
}

struct PanelScene
{
    vyrhost::CHostKit host;
    CViewSection* panel = nullptr;
    CTaperVaryWeb* taper = nullptr;
    std::vector<CBeam*> members;

    PanelScene(int sections, int nMembers)
    {
        CStruct& s = *host.GlobalData().Struct();
        const char* mats[] = {"Q235", "Q345", "Q390", "Q420"};
        std::vector<CMaterialBase*> materials;
        for (const char* n : mats) {
            auto* m = new CMaterialBase;
            m->SetType(1);
            m->SetName(n);
            s.m_pMaterialSteelList->AddMaterial(m);
            materials.push_back(m);
        }
        const int codes[] = {101, 103, 105, 109, 501, 505, 601, 701, 901};
        std::vector<CSectionBase*> secs;
        for (int i = 0; i < sections; ++i) {
            auto* sec = new CSectionBase;
            sec->m_nType = codes[i % 9];
            sec->m_pMaterial = materials[(size_t)(i * 7 % 4)];
            sec->m_strKind.Format("S%d", i);
            s.m_pSectionList->Add(sec, true);
            secs.push_back(sec);
        }
        taper = new CTaperVaryWeb;
        taper->m_nType = 901;
        CSDefineIbeam* a = Plates(300);
        taper->SetStartSec(a);
        taper->SetEndSec(Plates(600));
        taper->m_fTH = 300;
        taper->m_fTT = 8;
        taper->m_fTB = taper->m_fTB1 = 200;
        taper->m_fTTf = taper->m_fTTf1 = 12;
        taper->m_fEndH = 600;
        taper->FillSecName();
        taper->FillSecFactors(a);
        s.m_pSectionList->Add(taper, true);
        // Chains of 10 along x, one per line y; in chain c member k is 100 + k (c + 1) cm
        // long, so that no two chains share their proportions.
        double x = 0.0;
        for (int i = 0; i < nMembers; ++i) {
            const int chain = i / 10, k = i % 10;
            if (k == 0)
                x = 0.0;
            const double len = 100.0 + k * (chain + 1.0);
            auto* n1 = new CPNode(2 * i + 1, CPoint3D(x, chain * 100.0, 0));
            auto* n2 = new CPNode(2 * i + 2, CPoint3D(x + len, chain * 100.0, 0));
            x += len;
            s.m_pNodeList->AddTail(n1);
            s.m_pNodeList->AddTail(n2);
            auto* m = new CBeam(i + 1, n1, n2, 2);
            m->m_pSection = secs.empty() ? nullptr : secs[(size_t)(i % (sections / 2 + 1))];
            s.m_pBeamList->AddTail(m);
            members.push_back(m);
        }
        panel = dynamic_cast<CViewSection*>(host.CreatePanels().GetDlg("View.Section"));
        host.ShowPanel("View.Section");
    }

    void Pick(size_t count)
    {
        CBeamList& sel = host.GlobalData().SelectBeamList();
        sel.RemoveAll();
        for (size_t i = 0; i < count && i < members.size(); ++i)
            sel.AddTail(members[i]);
    }
    void Choose(CSectionBase* s)
    {
        panel->m_tab.SetCurSel(1);
        panel->m_rows.Refill();
        panel->m_rows.SelectRow(panel->m_rows.FindRow(s));
    }
};

PanelScene& ListScene()
{
    static PanelScene scene(5000, 100000);
    return scene;
}

void BM_RefillUsedTab(benchmark::State& state)
{
    PanelScene& sc = ListScene();
    sc.panel->m_tab.SetCurSel(0);
    for (auto _ : state)
        sc.panel->m_rows.Refill();
    state.counters["rows"] = sc.panel->m_list.GetItemCount();
}

void BM_SortByType(benchmark::State& state)
{
    PanelScene& sc = ListScene();
    sc.panel->m_tab.SetCurSel(0);
    for (auto _ : state)
        sc.panel->m_rows.OnColumnClick(1);
}

void BM_SortByMaterial(benchmark::State& state)
{
    PanelScene& sc = ListScene();
    sc.panel->m_tab.SetCurSel(0);
    for (auto _ : state)
        sc.panel->m_rows.OnColumnClick(3);
}

void BM_DeleteCheck(benchmark::State& state)
{
    PanelScene& sc = ListScene();
    CSectionBase* unused = sc.taper; // no member uses it: every member is looked at
    for (auto _ : state)
        benchmark::DoNotOptimize(CSectionRows::FindUser(&sc.host.GlobalData(), unused));
}

void BM_AssignSection(benchmark::State& state)
{
    PanelScene& sc = ListScene();
    CSectionBase* target = sc.host.GlobalData().Struct()->m_pSectionList->Get(3);
    COPSelectBeam op;
    op.SetParam(sc.panel->GetOPParam());
    for (auto _ : state) {
        state.PauseTiming();
        sc.Choose(target);
        sc.Pick(100000);
        vyr::ScriptedUser::AnswerMessageBox(IDOK);
        state.ResumeTiming();
        CViewSection::AssignSection(&op);
    }
}

void BM_AssignSectionTaper(benchmark::State& state)
{
    static PanelScene sc(10, 10000);
    CSectionList& lib = *sc.host.GlobalData().Struct()->m_pSectionList;
    const int base = (int)lib.GetCount();
    COPSelectBeam op;
    op.SetParam(sc.panel->GetOPParam());
    for (auto _ : state) {
        state.PauseTiming();
        for (CBeam* m : sc.members)
            m->m_pSection = nullptr;
        while ((int)lib.GetCount() > base)
            lib.Delete((int)lib.GetCount());
        sc.Choose(sc.taper);
        sc.Pick(10000);
        vyr::ScriptedUser::AnswerMessageBox(IDYES);
        vyr::ScriptedUser::AnswerMessageBox(IDOK);
        state.ResumeTiming();
        CViewSection::AssignSectionTaper(&op);
    }
    state.counters["added"] = (double)lib.GetCount() - base;
}

} // namespace

BENCHMARK(BM_RefillUsedTab)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByType)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByMaterial)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AssignSection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AssignSectionTaper)->Unit(benchmark::kMillisecond)->Iterations(3);
