// The query by property values over 100,000 members (the whole structure: 90,000 in the
// member list, 10,000 secondary beams in 1,000 rooms), with one condition that half of them
// meet; and the four set operations between a result A of 50,000 members and a selection B
// of 50,000, half of which are in A. Each runs on the open dialog as its button would.
#include <benchmark/benchmark.h>

#include <vector>

#include <vyr/host/DlgPropQuery.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/model/prop/Prop.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/PropRes.h>
#include <vyr/scripteduser.h>

#include "BenchHost.h"

namespace {

using vyrbench::CBenchHost;
using vyrbench::CBenchView;

struct QueryScene
{
    CGlobalData data;
    CBenchHost host;
    CBenchView view;
    CDlgPropQuery dlg;
    std::vector<CBeamBase*> all;
    std::vector<CBeamBase*> resultA; // every other member
    std::vector<CBeamBase*> screenB; // the second half of the model

    QueryScene()
    {
        all = vyrbench::BuildLargeModel(data, [](int) { return 2; });
        for (size_t i = 0; i < all.size(); ++i)
            all[i]->SetDLLimit(i % 2 ? 250 : 400);
        for (size_t i = 0; i < all.size(); i += 2)
            resultA.push_back(all[i]);
        for (size_t i = all.size() / 2; i < all.size(); ++i)
            screenB.push_back(all[i]);

        host.Open(view);
        dlg.m_nQueryRange = 1; // the whole structure
        dlg.SetParam(&data, 1);
        dlg.Create(IDD_DLGPROPQUERY, &host);
        // The condition typed into the members' grid.
        std::vector<CProp*> rows;
        dlg.m_PropsUIBeam.GetProps()->Collect(rows);
        for (CProp* p : rows)
            if (p->GetCaption() == "恒载挠度限值")
                p->SetValueText("400");
    }

    // Result A and selection B as they were before an operation.
    void Restore()
    {
        dlg.ResetResult();
        for (CBeamBase* x : resultA)
            dlg.m_ResultBeamList.AddTail(x);
        vyrbench::SetScreenSelection(data, screenB);
    }
};

QueryScene& Scene()
{
    static QueryScene s;
    return s;
}

void BM_Query(benchmark::State& state)
{
    QueryScene& s = Scene();
    for (auto _ : state) {
        state.PauseTiming();
        vyr::ScriptedUser::AnswerMessageBox(IDOK, "查询完毕，结果列于下表中！");
        state.ResumeTiming();
        s.dlg.OnQuery();
    }
    state.counters["members"] = (double)s.dlg.m_BeamList.GetCount();
    state.counters["found"] = (double)s.dlg.m_ResultBeamList.GetCount();
}
BENCHMARK(BM_Query)->Unit(benchmark::kMillisecond);

void RunOp(benchmark::State& state, void (CDlgPropQuery::*op)())
{
    QueryScene& s = Scene();
    for (auto _ : state) {
        state.PauseTiming();
        s.Restore();
        state.ResumeTiming();
        (s.dlg.*op)();
    }
    state.counters["A"] = (double)s.dlg.m_ResultBeamList.GetCount();
    state.counters["B"] = (double)s.data.SelectBeamList().GetCount();
}

void BM_B_equals_A(benchmark::State& st) { RunOp(st, &CDlgPropQuery::OnQueryOp1); }
void BM_B_equals_A_plus_B(benchmark::State& st) { RunOp(st, &CDlgPropQuery::OnQueryOp2); }
void BM_B_equals_A_minus_B(benchmark::State& st) { RunOp(st, &CDlgPropQuery::OnQueryOp3); }
void BM_B_equals_B_minus_A(benchmark::State& st) { RunOp(st, &CDlgPropQuery::OnQueryOp4); }
BENCHMARK(BM_B_equals_A)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_B_equals_A_plus_B)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_B_equals_A_minus_B)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_B_equals_B_minus_A)->Unit(benchmark::kMillisecond);

} // namespace
