// One mouse move of the object snap, search and marker drawing, with every target on over
// a plan view of 50,000 nodes, 100,000 members and a grid of 200 axes (argument 100000), or
// of 500,000 nodes and 1,000,000 members (argument 1000000). The worst move is the one that
// snaps nothing: every candidate list is searched to its end. Each move also checks that the
// host's lists, the nodes' positions and the axes are as the index saw them; the last cases
// edit the model between moves as a drag does: one node moved, one member added or deleted.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/model/struct/structure.h>
#include <vyr/operators/SnapManager.h>

namespace {

constexpr double kSpacing = 1000.0;     // model units between grid nodes
constexpr double kPixels = 100.0;       // screen pixels between grid nodes

class CBenchView : public CWnd
{
};

// The host's main window: hands out the snap lists and the active view.
class CBenchHost : public CWnd
{
public:
    CPNodeList nodes;
    CBeamList beams;
    CWallList walls;
    CBenchView view;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_UI_GETSNAPLIST)
            return wParam == 0 ? (LRESULT)&nodes : wParam == 1 ? (LRESULT)&beams : (LRESULT)&walls;
        if (message == WM_UI_GETACTIVEVIEW)
            return (LRESULT)&view;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

struct World
{
    CGlobalData data;
    std::vector<std::unique_ptr<CPNode>> nodeStore;
    std::vector<std::unique_ptr<CBeam>> beamStore;
    CBenchHost host;
    CSnapManager snap;

    int cols, rows;

    explicit World(int count) : cols(count >= 1000000 ? 800 : 250), rows(count >= 1000000 ? 625 : 200)
    {
        // Plan view: model (x, y) at pixel (x / 10, 1200 - y / 10).
        CMatrix3D& m3 = data.Matrix3D();
        m3(1, 1) = 0.0;
        m3(1, 2) = 1.0;
        m3(2, 1) = 1.0;
        m3(2, 2) = 0.0;
        CMatrix2D& m2 = data.Matrix2D();
        m2(0, 0) = kPixels / kSpacing;
        m2(1, 1) = -kPixels / kSpacing;
        m2(2, 1) = 1200.0;

        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                nodeStore.push_back(
                    std::make_unique<CPNode>((int)nodeStore.size() + 1, CPoint3D(c * kSpacing, r * kSpacing, 0.0)));
                host.nodes.AddTail(nodeStore.back().get());
            }
        auto node = [&](int r, int c) { return nodeStore[(size_t)(r * cols + c)].get(); };
        auto beam = [&](CPNode* a, CPNode* b) {
            beamStore.push_back(std::make_unique<CBeam>((int)beamStore.size() + 1, a, b, 2));
            host.beams.AddTail(beamStore.back().get());
        };
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c + 1 < cols; ++c)
                beam(node(r, c), node(r, c + 1));
        for (int r = 0; r + 1 < rows; ++r)
            for (int c = 0; c < cols; ++c)
                beam(node(r, c), node(r + 1, c));
        // Diagonal braces up to the count.
        for (int r = 0; r + 1 < rows && beamStore.size() < (size_t)count; ++r)
            for (int c = 0; c + 1 < cols && beamStore.size() < (size_t)count; ++c)
                beam(node(r, c), node(r + 1, c + 1));

        // 100 axes each way, between the node lines.
        CAxises& axes = data.Struct()->Axises();
        for (int i = 0; i < 100; ++i) {
            const double x = (i * 2 + 0.5) * kSpacing, y = (i * 2 + 0.5) * kSpacing;
            axes.AddAxis("X", CPoint2D(x, -kSpacing), CPoint2D(x, rows * kSpacing));
            axes.AddAxis("Y", CPoint2D(-kSpacing, y), CPoint2D(cols * kSpacing, y));
        }

        host.CreateEx(0, nullptr, "bench host", WS_OVERLAPPEDWINDOW, 0, 0, 1800, 1300, nullptr, nullptr);
        host.view.Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1600, 1200), &host, 1);

        snap.Init(&data);
        snap.Switch(true);
        snap.SetReferPt(CPoint3D(-300.0, -700.0, 0.0));
    }
    ~World()
    {
        vyr::SetMainWnd(nullptr);
        host.view.DestroyWindow();
        host.DestroyWindow();
    }
};

// The world of the case's size, its host made the main window.
World& TheWorld(const benchmark::State& state)
{
    static std::map<int64_t, World*> worlds; // kept to the end of the process
    World*& w = worlds[state.range(0)];
    if (!w)
        w = new World((int)state.range(0));
    vyr::SetMainWnd(&w->host);
    w->snap.MouseMove(CPoint(5, 5)); // the index follows whatever the case before did
    return *w;
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
}

// Model point -> pixel of the plan view.
CPoint Pixel(double x, double y) { return CPoint((int)(x / kSpacing * kPixels), (int)(1200 - y / kSpacing * kPixels)); }

// A cursor in the middle of a grid cell between axes: nothing within reach.
void BM_SnapMoveNothingNear(benchmark::State& state)
{
    World& w = TheWorld(state);
    const CPoint a = Pixel(3.25 * kSpacing, 4.7 * kSpacing), b = Pixel(3.3 * kSpacing, 4.75 * kSpacing);
    bool flip = false;
    for (auto _ : state) {
        w.snap.MouseMove(flip ? a : b);
        flip = !flip;
        benchmark::DoNotOptimize(w.snap.HasSnapped());
    }
    if (w.snap.HasSnapped())
        state.SkipWithError("something snapped");
}
BENCHMARK(BM_SnapMoveNothingNear)->Apply(Sizes);

// The cursor moves between the mid points of two members: the marker moves with it.
void BM_SnapMoveBetweenMidPoints(benchmark::State& state)
{
    World& w = TheWorld(state);
    const CPoint a = Pixel(5.5 * kSpacing, 3 * kSpacing), b = Pixel(9 * kSpacing, 7.5 * kSpacing);
    bool flip = false;
    for (auto _ : state) {
        w.snap.MouseMove(flip ? a : b);
        flip = !flip;
        benchmark::DoNotOptimize(w.snap.HasSnapped());
    }
    if (!w.snap.HasSnapped() || w.snap.GetCurTarget()->GetKind() != SNAP_MIDPT)
        state.SkipWithError("no mid point snapped");
}
BENCHMARK(BM_SnapMoveBetweenMidPoints)->Apply(Sizes);

// The cursor moves between two nodes.
void BM_SnapMoveBetweenNodes(benchmark::State& state)
{
    World& w = TheWorld(state);
    const CPoint a = Pixel(14 * kSpacing, 11 * kSpacing), b = Pixel(15 * kSpacing, 10 * kSpacing);
    bool flip = false;
    for (auto _ : state) {
        w.snap.MouseMove(flip ? a : b);
        flip = !flip;
        benchmark::DoNotOptimize(w.snap.HasSnapped());
    }
    if (!w.snap.HasSnapped() || w.snap.GetCurTarget()->GetKind() != SNAP_ENDPT)
        state.SkipWithError("no node snapped");
}
BENCHMARK(BM_SnapMoveBetweenNodes)->Apply(Sizes);

// The whole model in the view, 6.4 pixels between nodes: every cell is crowded.
void BM_SnapMoveWholeModelInView(benchmark::State& state)
{
    World& w = TheWorld(state);
    CMatrix2D& m2 = w.data.Matrix2D();
    const CMatrix2D keep = m2;
    m2(0, 0) = 1600.0 / (w.cols * kSpacing);
    m2(1, 1) = -1600.0 / (w.cols * kSpacing);
    const CPoint a(803, 611), b(1201, 305);
    w.snap.MouseMove(a); // the index follows the new view once
    bool flip = false;
    for (auto _ : state) {
        w.snap.MouseMove(flip ? a : b);
        flip = !flip;
        benchmark::DoNotOptimize(w.snap.HasSnapped());
    }
    m2 = keep;
}
BENCHMARK(BM_SnapMoveWholeModelInView)->Apply(Sizes);

// The first move after a pan of one pixel.
void BM_SnapIndexRebuild(benchmark::State& state)
{
    World& w = TheWorld(state);
    CMatrix2D& m2 = w.data.Matrix2D();
    const CMatrix2D keep = m2;
    double shift = 0.0;
    for (auto _ : state) {
        shift = shift == 0.0 ? 1.0 : 0.0;
        m2(2, 0) = keep(2, 0) + shift;
        w.snap.MouseMove(CPoint(400, 400));
    }
    m2 = keep;
}
BENCHMARK(BM_SnapIndexRebuild)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The first move of a new input, which reads everything again.
void BM_SnapFirstMoveOfAnInput(benchmark::State& state)
{
    World& w = TheWorld(state);
    for (auto _ : state) {
        w.snap.Switch(false);
        w.snap.Switch(true);
        w.snap.SetReferPt(CPoint3D(-300.0, -700.0, 0.0));
        w.snap.MouseMove(CPoint(400, 400));
    }
}
BENCHMARK(BM_SnapFirstMoveOfAnInput)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The first move after the space view turned (and back).
void BM_SnapFirstMoveAfterTurn(benchmark::State& state)
{
    World& w = TheWorld(state);
    CMatrix3D& m3 = w.data.Matrix3D();
    const double keep = m3(0, 0);
    bool turned = false;
    for (auto _ : state) {
        turned = !turned;
        m3(0, 0) = turned ? keep * (1.0 + 1e-12) : keep;
        w.snap.MouseMove(CPoint(400, 400));
    }
    m3(0, 0) = keep;
}
BENCHMARK(BM_SnapFirstMoveAfterTurn)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// A drag: one node near the cursor moves between two moves of the mouse.
void BM_SnapMoveNodeEdited(benchmark::State& state)
{
    World& w = TheWorld(state);
    CPNode* n = w.nodeStore[(size_t)(5 * w.cols + 5)].get();
    const CPoint3D home = n->GetPt();
    const CPoint a = Pixel(5.4 * kSpacing, 5.3 * kSpacing), b = Pixel(5.3 * kSpacing, 5.4 * kSpacing);
    bool flip = false;
    for (auto _ : state) {
        n->SetPt(CPoint3D(home.x + (flip ? 150.0 : 300.0), home.y + 200.0, home.z));
        w.snap.MouseMove(flip ? a : b);
        flip = !flip;
        benchmark::DoNotOptimize(w.snap.HasSnapped());
    }
    n->SetPt(home);
    w.snap.MouseMove(a);
}
BENCHMARK(BM_SnapMoveNodeEdited)->Apply(Sizes);

// A member is added before the move (and taken off again, untimed).
void BM_SnapMoveMemberAdded(benchmark::State& state)
{
    World& w = TheWorld(state);
    CBeam extra(0, w.nodeStore[(size_t)(3 * w.cols + 3)].get(), w.nodeStore[(size_t)(4 * w.cols + 5)].get(), 2);
    const CPoint a = Pixel(3.25 * kSpacing, 4.7 * kSpacing);
    for (auto _ : state) {
        w.host.beams.AddTail(&extra);
        w.snap.MouseMove(a);
        benchmark::DoNotOptimize(w.snap.HasSnapped());
        state.PauseTiming();
        w.host.beams.RemoveTail();
        w.snap.MouseMove(a);
        state.ResumeTiming();
    }
}
// The untimed half costs what a deletion costs: a fixed count keeps the run short.
BENCHMARK(BM_SnapMoveMemberAdded)->Apply(Sizes)->Iterations(20);

// A member in the middle of the list is deleted before the move (and added again at the tail,
// untimed); the next time the one after it goes.
void BM_SnapMoveMemberDeleted(benchmark::State& state)
{
    World& w = TheWorld(state);
    POSITION at = w.host.beams.FindIndex(w.host.beams.GetCount() / 2);
    const CPoint a = Pixel(3.25 * kSpacing, 4.7 * kSpacing);
    for (auto _ : state) {
        POSITION next = at;
        CObject* gone = w.host.beams.GetNext(next);
        w.host.beams.RemoveAt(at);
        w.snap.MouseMove(a);
        benchmark::DoNotOptimize(w.snap.HasSnapped());
        state.PauseTiming();
        w.host.beams.AddTail(gone);
        w.snap.MouseMove(a);
        at = next;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SnapMoveMemberDeleted)->Apply(Sizes);

} // namespace

BENCHMARK_MAIN();
