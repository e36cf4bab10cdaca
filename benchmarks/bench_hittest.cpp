// Point, window and crossing hit tests on a plan view of 100,000 members and 50,000 nodes.
#include <benchmark/benchmark.h>

#include <vyr/model/struct/structure.h>

namespace
{
struct BigModel
{
    CGlobalData data;
    CBeamList members;
    CPNodeList nodes;

    BigModel()
    {
        CStruct& s = *data.Struct();
        const int nx = 250, ny = 200;
        const double step = 100.0;
        std::vector<CPNode*> grid((size_t)(nx * ny));
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
        // Braces across the first cells of each row make up the hundred thousand.
        for (int k = 0; s.m_pBeamList->GetCount() < 100000; ++k)
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
};

BigModel& Model()
{
    static BigModel m;
    return m;
}

const CRect2D kWindow(900, 500, 1100, 620); // about 1% of the view

void BM_BeamPointSelect(benchmark::State& state)
{
    BigModel& m = Model();
    for (auto _ : state)
    {
        CBeamList hits;
        m.data.BeamPointSelect(m.members, CPoint2D(960, 540), hits);
        benchmark::DoNotOptimize(hits.GetCount());
    }
}
BENCHMARK(BM_BeamPointSelect)->Unit(benchmark::kMillisecond);

void BM_BeamWindowSelect(benchmark::State& state)
{
    BigModel& m = Model();
    for (auto _ : state)
    {
        CBeamList hits;
        m.data.BeamWindowSelect(m.members, kWindow, hits);
        benchmark::DoNotOptimize(hits.GetCount());
    }
}
BENCHMARK(BM_BeamWindowSelect)->Unit(benchmark::kMillisecond);

void BM_BeamCrossSelect(benchmark::State& state)
{
    BigModel& m = Model();
    for (auto _ : state)
    {
        CBeamList hits;
        m.data.BeamCrossSelect(m.members, kWindow, hits);
        benchmark::DoNotOptimize(hits.GetCount());
    }
}
BENCHMARK(BM_BeamCrossSelect)->Unit(benchmark::kMillisecond);

void BM_BeamWindowSelectWholeView(benchmark::State& state)
{
    BigModel& m = Model();
    for (auto _ : state)
    {
        CBeamList hits;
        m.data.BeamWindowSelect(m.members, CRect2D(-10, -10, 1930, 1090), hits);
        benchmark::DoNotOptimize(hits.GetCount());
    }
}
BENCHMARK(BM_BeamWindowSelectWholeView)->Unit(benchmark::kMillisecond);

void BM_NodePointSelect(benchmark::State& state)
{
    BigModel& m = Model();
    for (auto _ : state)
    {
        CPNodeList hits;
        m.data.NodePointSelect(m.nodes, CPoint2D(960, 540), hits);
        benchmark::DoNotOptimize(hits.GetCount());
    }
}
BENCHMARK(BM_NodePointSelect)->Unit(benchmark::kMillisecond);

void BM_NodeWindowSelect(benchmark::State& state)
{
    BigModel& m = Model();
    for (auto _ : state)
    {
        CPNodeList hits;
        m.data.NodeWindowSelect(m.nodes, kWindow, hits);
        benchmark::DoNotOptimize(hits.GetCount());
    }
}
BENCHMARK(BM_NodeWindowSelect)->Unit(benchmark::kMillisecond);

// The first test after a view change projects every node again.
void BM_BeamPointSelectAfterPan(benchmark::State& state)
{
    BigModel& m = Model();
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
BENCHMARK(BM_BeamPointSelectAfterPan)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
