// Window and crossing selection by the member-selection operator on a plan view of 100,000
// or 1,000,000 members (the argument of each case), with the host messages and the
// exclusive-or frame drawn on the way: the same models and windows as the model's hit
// tests, so the two compare directly.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include <vyr/protocol/HostMessages.h>
#include <vyr/model/struct/structure.h>
#include <vyr/operators/OPManager.h>
#include <vyr/operators/OPSelectKinds.h>

namespace {

class CBenchView : public CView
{
public:
    void OnDraw(CDC*) override {}
};

// The host's main window: hands out the displayed members and swallows the rest.
class CBenchHost : public CWnd
{
public:
    CBeamList* m_pShown = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_UI_GETSHOWNLIST || message == WM_UI_GETSNAPLIST)
            return (LRESULT)m_pShown;
        if (message >= WM_USER + 100 && message <= WM_USER + 201)
            return 0;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// One model of members; the scene shows one of them at a time.
struct BigModel
{
    CGlobalData data;
    CBeamList members;

    explicit BigModel(int count)
    {
        CStruct& s = *data.Struct();
        // Two members per node: 250 x 200 nodes for 100,000, 800 x 625 for 1,000,000.
        const int nx = count >= 1000000 ? 800 : 250, ny = count >= 1000000 ? 625 : 200;
        const double step = 100.0;
        std::vector<CPNode*> grid((size_t)(nx * ny));
        int no = 1;
        for (int j = 0; j < ny; ++j)
            for (int i = 0; i < nx; ++i) {
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
        for (int k = 0; s.m_pBeamList->GetCount() < count; ++k) {
            const int j = k % (ny - 1), i = (k / (ny - 1)) % (nx - 1);
            add(grid[(size_t)(j * nx + i)], grid[(size_t)((j + 1) * nx + i + 1)]);
        }
        members.CopyPointer(s.m_pBeamList);

        CMatrix3D& m3 = data.Matrix3D();
        m3(1, 1) = 0.0;
        m3(1, 2) = 1.0;
        m3(2, 1) = 1.0;
        m3(2, 2) = 0.0;
        data.Matrix2D().SetZoomMatrix(CRect(0, 0, 1920, 1080), CRect2D(0, 0, (nx - 1) * step, (ny - 1) * step));
    }
};

struct BigScene
{
    std::map<int64_t, std::unique_ptr<BigModel>> models;
    BigModel* shown = nullptr;
    CBenchHost host;
    CBenchView view;
    COPManager manager;

    BigScene()
    {
        host.CreateEx(0, nullptr, "bench host", WS_OVERLAPPEDWINDOW, 0, 0, 2000, 1200, nullptr, nullptr);
        vyr::SetMainWnd(&host);
        view.Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1920, 1080), &host, 1);
    }

    // Shows the model of the case's size in the view, with a fresh selection operator.
    BigModel& Show(const benchmark::State& state)
    {
        std::unique_ptr<BigModel>& m = models[state.range(0)];
        if (!m)
            m = std::make_unique<BigModel>((int)state.range(0));
        if (shown != m.get()) {
            shown = m.get();
            host.m_pShown = &m->members;
            manager.Initial(&view, &m->data);
            manager.SetOP(COPSelectBeam());
        }
        // Asked once untimed, as every question after the first one on the list is.
        CBeamList hits;
        m->data.BeamPointSelect(m->members, CPoint2D(960, 540), hits);
        return *m;
    }

    void ClearSelection()
    {
        shown->data.SelectBeamList().SetSelect(0);
        shown->data.SelectBeamList().RemoveAll();
    }

    // First corner, two moves, second corner, as the view hands them over. Every pixel of
    // the grid lies within the pick tolerance of a member, so the first click is made with
    // Shift: over unselected members it changes nothing and opens the rectangle.
    void Drag(CPoint a, CPoint b)
    {
        manager.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON | MK_SHIFT, a, 0);
        manager.MouseAction(OPMOUSE_LUP, 0, a, 0);
        manager.MouseAction(OPMOUSE_MOVE, 0, CPoint((a.x + b.x) / 2, (a.y + b.y) / 2), 0);
        manager.MouseAction(OPMOUSE_MOVE, 0, b, 0);
        manager.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, b, 0);
        manager.MouseAction(OPMOUSE_LUP, 0, b, 0);
    }
};

BigScene& Scene()
{
    static BigScene s;
    return s;
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
}

// One drag untimed first: the first selection of a process also takes its memory from the
// system, which the ones after it find ready.
void RunDrag(benchmark::State& state, CPoint a, CPoint b)
{
    BigScene& s = Scene();
    BigModel& m = s.Show(state);
    s.ClearSelection();
    s.Drag(a, b);
    for (auto _ : state) {
        state.PauseTiming();
        s.ClearSelection();
        state.ResumeTiming();
        s.Drag(a, b);
        benchmark::DoNotOptimize(m.data.SelectBeamList().GetCount());
    }
    state.counters["selected"] = (double)m.data.SelectBeamList().GetCount();
}

// The same 1% window as the model's hit-test benchmarks.
void BM_SelectWindow(benchmark::State& state) { RunDrag(state, CPoint(900, 500), CPoint(1100, 620)); }
BENCHMARK(BM_SelectWindow)->Apply(Sizes);

void BM_SelectCrossing(benchmark::State& state) { RunDrag(state, CPoint(1100, 620), CPoint(900, 500)); }
BENCHMARK(BM_SelectCrossing)->Apply(Sizes);

// Every member at once: the selection list grows to 100,000.
void BM_SelectWindowWholeView(benchmark::State& state) { RunDrag(state, CPoint(-10, -10), CPoint(1930, 1090)); }
BENCHMARK(BM_SelectWindowWholeView)->Apply(Sizes);

// One click on the members under the middle of the view.
void BM_SelectClick(benchmark::State& state)
{
    BigScene& s = Scene();
    BigModel& m = s.Show(state);
    for (auto _ : state) {
        state.PauseTiming();
        s.ClearSelection();
        state.ResumeTiming();
        s.manager.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(960, 540), 0);
        s.manager.MouseAction(OPMOUSE_LUP, 0, CPoint(960, 540), 0);
        benchmark::DoNotOptimize(m.data.SelectBeamList().GetCount());
    }
    state.counters["selected"] = (double)m.data.SelectBeamList().GetCount();
}
BENCHMARK(BM_SelectClick)->Apply(Sizes);

// A second window over what is selected already changes nothing.
void BM_SelectWindowAgainOverSelected(benchmark::State& state)
{
    BigScene& s = Scene();
    BigModel& m = s.Show(state);
    s.ClearSelection();
    s.Drag(CPoint(-10, -10), CPoint(1930, 1090));
    for (auto _ : state) {
        s.Drag(CPoint(-10, -10), CPoint(1930, 1090));
        benchmark::DoNotOptimize(m.data.SelectBeamList().GetCount());
    }
}
BENCHMARK(BM_SelectWindowAgainOverSelected)->Apply(Sizes);

} // namespace

BENCHMARK_MAIN();
