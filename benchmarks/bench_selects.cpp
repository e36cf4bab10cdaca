// The named selection sets over a model of 100,000 members (90,000 in the member list,
// 10,000 secondary beams in 1,000 rooms of 10 storeys): the members of a set of 50,000
// pairs, and each of the eight set operations between that set and a screen selection of
// 50,000 members, half of which are in the set. Each operation runs on the open dialog
// as the button would run it.
#include <benchmark/benchmark.h>

#include <vector>

#include <vyr/host/DlgSelects.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/SelectsRes.h>
#include <vyr/scripteduser.h>

#include "BenchHost.h"

namespace {

using vyrbench::CBenchHost;
using vyrbench::CBenchView;

struct SetsScene
{
    CGlobalData data;
    CBenchHost host;
    CBenchView view;
    CDlgSelects dlg;
    CIDs setA;                       // 50,000 pairs: every other member
    std::vector<CBeamBase*> screenB; // 50,000 members: the second half of the model

    SetsScene()
    {
        const std::vector<CBeamBase*> all =
            vyrbench::BuildLargeModel(data, [](int id) { return id % 3 == 0 ? 1 : 2; });
        setA.SetName("A");
        for (size_t i = 0; i < all.size(); i += 2)
            setA.AddID(all[i]->GetId(), all[i]->GetType());
        for (size_t i = all.size() / 2; i < all.size(); ++i)
            screenB.push_back(all[i]);
        data.Struct()->m_SelectSets.AddIDs(setA);

        host.Open(view);
        dlg.m_pData = &data;
        dlg.Create(IDD_SELECTS, &host);
        static_cast<CGridCtrl*>(dlg.GetDlgItem(IDC_SELECTS_GRID))->SelectRow(1);
    }

    // The set and the screen selection as they were before an operation.
    void Restore()
    {
        data.Struct()->m_SelectSets.GetIDs(0) = setA;
        vyrbench::SetScreenSelection(data, screenB);
    }
};

SetsScene& Scene()
{
    static SetsScene s;
    return s;
}

void BM_GenBeamList(benchmark::State& state)
{
    SetsScene& s = Scene();
    CBeamList out;
    for (auto _ : state) {
        s.dlg.GenBeamList(out, s.setA);
        benchmark::DoNotOptimize(out.GetCount());
    }
    state.counters["members"] = (double)out.GetCount();
}
BENCHMARK(BM_GenBeamList)->Unit(benchmark::kMillisecond);

void RunOp(benchmark::State& state, void (CDlgSelects::*op)(), bool changesSet)
{
    SetsScene& s = Scene();
    for (auto _ : state) {
        state.PauseTiming();
        s.Restore();
        if (changesSet)
            vyr::ScriptedUser::AnswerMessageBox(IDOK, "操作完成！");
        state.ResumeTiming();
        (s.dlg.*op)();
    }
    state.counters["B"] = (double)s.data.SelectBeamList().GetCount();
    state.counters["A"] = (double)s.data.Struct()->m_SelectSets.GetIDs(0).GetCount();
}

void BM_B_equals_A(benchmark::State& st) { RunOp(st, &CDlgSelects::OnOP1, false); }
void BM_B_equals_A_plus_B(benchmark::State& st) { RunOp(st, &CDlgSelects::OnOP2, false); }
void BM_B_equals_A_minus_B(benchmark::State& st) { RunOp(st, &CDlgSelects::OnOP3, false); }
void BM_B_equals_B_minus_A(benchmark::State& st) { RunOp(st, &CDlgSelects::OnOP4, false); }
void BM_A_equals_B(benchmark::State& st) { RunOp(st, &CDlgSelects::OnOP5, true); }
void BM_A_equals_A_plus_B(benchmark::State& st) { RunOp(st, &CDlgSelects::OnOP6, true); }
void BM_A_equals_A_minus_B(benchmark::State& st) { RunOp(st, &CDlgSelects::OnOP7, true); }
void BM_A_equals_B_minus_A(benchmark::State& st) { RunOp(st, &CDlgSelects::OnOP8, true); }
BENCHMARK(BM_B_equals_A)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_B_equals_A_plus_B)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_B_equals_A_minus_B)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_B_equals_B_minus_A)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_A_equals_B)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_A_equals_A_plus_B)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_A_equals_A_minus_B)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_A_equals_B_minus_A)->Unit(benchmark::kMillisecond);

} // namespace
