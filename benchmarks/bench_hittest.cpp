// Point, window and crossing hit tests on a plan view fitted into a full-HD client area:
// 100,000 members on 50,000 nodes, and 1,000,000 members on 500,000 nodes (the argument of
// each case is the number of members). Besides the plain queries: the first query after a
// pan, after a turn of the space view, after one node was moved, one member added or one
// deleted, and on a list never asked before. Each case asks once before it is timed, as
// every question after the first one on a list does.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <vector>

#include <vyr/model/struct/structure.h>

namespace
{
struct BigModel
{
    CGlobalData data;
    CBeamList members;
    CPNodeList nodes;
    std::vector<CPNode*> grid;
    int nx = 0, ny = 0;

    explicit BigModel(int count)
    {
        CStruct& s = *data.Struct();
        // Two members per node: 250 x 200 nodes for 100,000, 800 x 625 for 1,000,000.
        nx = count >= 1000000 ? 800 : 250;
        ny = count >= 1000000 ? 625 : 200;
        const double step = 100.0;
        grid.resize((size_t)(nx * ny));
        int no = 1;
        for (int j = 0; j < ny; ++j)
            for (int i = 0; i < nx; ++i)
            {
                CPNode* n = new CPNode(no++, CPoint3D(i * step, j * step, 0.0));
                grid[(size_t)(j * nx + i)] = n;
                s.m_pNodeList->AddTail(n);
            }
        int bno = 1;
        auto add = [&](CPNode* a, CPNode* b) { s.m_pBeamList->AddTail(new CBeam(bno++, a, b, 2)); };
        for (int j = 0; j < ny; ++j)
            for (int i = 0; i + 1 < nx; ++i)
                add(grid[(size_t)(j * nx + i)], grid[(size_t)(j * nx + i + 1)]);
        for (int j = 0; j + 1 < ny; ++j)
            for (int i = 0; i < nx; ++i)
                add(grid[(size_t)(j * nx + i)], grid[(size_t)((j + 1) * nx + i)]);
        // Braces across the first cells of each row make up the count.
        for (int k = 0; s.m_pBeamList->GetCount() < count; ++k)
        {
            const int j = k % (ny - 1), i = (k / (ny - 1)) % (nx - 1);
            add(grid[(size_t)(j * nx + i)], grid[(size_t)((j + 1) * nx + i + 1)]);
        }
        members.CopyPointer(s.m_pBeamList);
        nodes.CopyPointer(s.m_pNodeList);

        // Plan view fitted into a full-HD client area.
        CMatrix3D& m3 = data.Matrix3D();
        m3(1, 1) = 0.0;
        m3(1, 2) = 1.0;
        m3(2, 1) = 1.0;
        m3(2, 2) = 0.0;
        data.Matrix2D().SetZoomMatrix(CRect(0, 0, 1920, 1080), CRect2D(0, 0, (nx - 1) * step, (ny - 1) * step));
    }
    // The node nearest the middle of the view.
    CPNode* MiddleNode() const { return grid[(size_t)((ny / 2) * nx + nx / 2)]; }
};

BigModel& Model(const benchmark::State& state)
{
    static std::map<int64_t, std::unique_ptr<BigModel>> models;
    std::unique_ptr<BigModel>& m = models[state.range(0)];
    if (!m)
        m = std::make_unique<BigModel>((int)state.range(0));
    CBeamList beams;
    CPNodeList nodes;
    m->data.BeamPointSelect(m->members, CPoint2D(960, 540), beams);
    m->data.NodePointSelect(m->nodes, CPoint2D(960, 540), nodes);
    return *m;
}

const CRect2D kWindow(900, 500, 1100, 620); // about 1% of the view

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
}

void BM_BeamPointSelect(benchmark::State& state)
{
    BigModel& m = Model(state);
    for (auto _ : state)
    {
        CBeamList hits;
        m.data.BeamPointSelect(m.members, CPoint2D(960, 540), hits);
        benchmark::DoNotOptimize(hits.GetCount());
    }
}
BENCHMARK(BM_BeamPointSelect)->Apply(Sizes);

void BM_BeamWindowSelect(benchmark::State& state)
{
    BigModel& m = Model(state);
    for (auto _ : state)
    {
        CBeamList hits;
        m.data.BeamWindowSelect(m.members, kWindow, hits);
        benchmark::DoNotOptimize(hits.GetCount());
    }
}
BENCHMARK(BM_BeamWindowSelect)->Apply(Sizes);

void BM_BeamCrossSelect(benchmark::State& state)
{
    BigModel& m = Model(state);
    for (auto _ : state)
    {
        CBeamList hits;
        m.data.BeamCrossSelect(m.members, kWindow, hits);
        benchmark::DoNotOptimize(hits.GetCount());
    }
}
BENCHMARK(BM_BeamCrossSelect)->Apply(Sizes);

void BM_BeamWindowSelectWholeView(benchmark::State& state)
{
    BigModel& m = Model(state);
    for (auto _ : state)
    {
        CBeamList hits;
        m.data.BeamWindowSelect(m.members, CRect2D(-10, -10, 1930, 1090), hits);
        benchmark::DoNotOptimize(hits.GetCount());
    }
}
BENCHMARK(BM_BeamWindowSelectWholeView)->Apply(Sizes);

void BM_NodePointSelect(benchmark::State& state)
{
    BigModel& m = Model(state);
    for (auto _ : state)
    {
        CPNodeList hits;
        m.data.NodePointSelect(m.nodes, CPoint2D(960, 540), hits);
        benchmark::DoNotOptimize(hits.GetCount());
    }
}
BENCHMARK(BM_NodePointSelect)->Apply(Sizes);

void BM_NodeWindowSelect(benchmark::State& state)
{
    BigModel& m = Model(state);
    for (auto _ : state)
    {
        CPNodeList hits;
        m.data.NodeWindowSelect(m.nodes, kWindow, hits);
        benchmark::DoNotOptimize(hits.GetCount());
    }
}
BENCHMARK(BM_NodeWindowSelect)->Apply(Sizes);

// The first test after a view change projects every node again.
void BM_BeamPointSelectAfterPan(benchmark::State& state)
{
    BigModel& m = Model(state);
    CMatrix2D pan;
    double dx = 1.0;
    for (auto _ : state)
    {
        pan.SetMove(dx, 0.0);
        dx = -dx;
        m.data.Matrix2D() *= pan;
        CBeamList hits;
        m.data.BeamPointSelect(m.members, CPoint2D(960, 540), hits);
        benchmark::DoNotOptimize(hits.GetCount());
    }
}
BENCHMARK(BM_BeamPointSelectAfterPan)->Apply(Sizes);

// The first test after the space view turned (and back) reads every member again.
void BM_BeamPointSelectAfterTurn(benchmark::State& state)
{
    BigModel& m = Model(state);
    CMatrix3D& m3 = m.data.Matrix3D();
    const double keep = m3(0, 0);
    bool turned = false;
    for (auto _ : state)
    {
        turned = !turned;
        m3(0, 0) = turned ? keep * (1.0 + 1e-12) : keep;
        CBeamList hits;
        m.data.BeamPointSelect(m.members, CPoint2D(960, 540), hits);
        benchmark::DoNotOptimize(hits.GetCount());
    }
    m3(0, 0) = keep;
}
BENCHMARK(BM_BeamPointSelectAfterTurn)->Apply(Sizes);

// The first test on a list of candidates never asked before (a copy of the members, made
// untimed).
void BM_BeamPointSelectNewList(benchmark::State& state)
{
    BigModel& m = Model(state);
    for (auto _ : state)
    {
        state.PauseTiming();
        auto copy = std::make_unique<CBeamList>();
        copy->CopyPointer(&m.members);
        state.ResumeTiming();
        CBeamList hits;
        m.data.BeamPointSelect(*copy, CPoint2D(960, 540), hits);
        benchmark::DoNotOptimize(hits.GetCount());
        state.PauseTiming();
        copy.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BeamPointSelectNewList)->Apply(Sizes)->Iterations(3);

// One node under the cursor is dragged a little between two queries.
void BM_BeamPointSelectAfterNodeMove(benchmark::State& state)
{
    BigModel& m = Model(state);
    CPNode* n = m.MiddleNode();
    const CPoint3D home = n->GetPt();
    double dx = 7.0;
    for (auto _ : state)
    {
        n->SetPt(CPoint3D(home.x + dx, home.y, home.z));
        dx = -dx;
        CBeamList hits;
        m.data.BeamPointSelect(m.members, CPoint2D(960, 540), hits);
        benchmark::DoNotOptimize(hits.GetCount());
    }
    n->SetPt(home);
}
BENCHMARK(BM_BeamPointSelectAfterNodeMove)->Apply(Sizes);

// One member is appended to the candidates before the query (and taken off again, untimed).
void BM_BeamPointSelectAfterAdd(benchmark::State& state)
{
    BigModel& m = Model(state);
    CPNode* a = m.MiddleNode();
    CPNode* b = m.grid[(size_t)((m.ny / 2 + 1) * m.nx + m.nx / 2 + 1)];
    CBeam extra(0, b, a, 2);
    for (auto _ : state)
    {
        m.members.AddTail(&extra);
        CBeamList hits;
        m.data.BeamPointSelect(m.members, CPoint2D(960, 540), hits);
        benchmark::DoNotOptimize(hits.GetCount());
        state.PauseTiming();
        m.members.RemoveTail();
        m.data.BeamPointSelect(m.members, CPoint2D(960, 540), hits);
        state.ResumeTiming();
    }
}
// The untimed half costs what a deletion costs: a fixed count keeps the run short.
BENCHMARK(BM_BeamPointSelectAfterAdd)->Apply(Sizes)->Iterations(10);

// One member in the middle of the candidates is removed before the query (and added again at
// the tail, untimed); the next time the one after it goes.
void BM_BeamPointSelectAfterDelete(benchmark::State& state)
{
    BigModel& m = Model(state);
    POSITION at = m.members.FindIndex(m.members.GetCount() / 2);
    for (auto _ : state)
    {
        POSITION next = at;
        CObject* gone = m.members.GetNext(next);
        m.members.RemoveAt(at);
        CBeamList hits;
        m.data.BeamPointSelect(m.members, CPoint2D(960, 540), hits);
        benchmark::DoNotOptimize(hits.GetCount());
        state.PauseTiming();
        m.members.AddTail(gone);
        m.data.BeamPointSelect(m.members, CPoint2D(960, 540), hits);
        at = next;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BeamPointSelectAfterDelete)->Apply(Sizes);
} // namespace

BENCHMARK_MAIN();
