// Window and crossing selection by the member-selection operator on a plan view of 100,000
// members, with the host messages and the exclusive-or frame drawn on the way: the same
// model and windows as the model's hit tests, so the two compare directly.
#include <benchmark/benchmark.h>

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

struct BigScene
{
    CGlobalData data;
    CBeamList members;
    CBenchHost host;
    CBenchView view;
    COPManager manager;

    BigScene()
    {
        CStruct& s = *data.Struct();
        const int nx = 250, ny = 200;
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
        for (int k = 0; s.m_pBeamList->GetCount() < 100000; ++k) {
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

        host.m_pShown = &members;
        host.CreateEx(0, nullptr, "bench host", WS_OVERLAPPEDWINDOW, 0, 0, 2000, 1200, nullptr, nullptr);
        vyr::SetMainWnd(&host);
        view.Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1920, 1080), &host, 1);
        manager.Initial(&view, &data);
        manager.SetOP(COPSelectBeam());
    }

    void ClearSelection()
    {
        data.SelectBeamList().SetSelect(0);
        data.SelectBeamList().RemoveAll();
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

void RunDrag(benchmark::State& state, CPoint a, CPoint b)
{
    BigScene& s = Scene();
    for (auto _ : state) {
        state.PauseTiming();
        s.ClearSelection();
        state.ResumeTiming();
        s.Drag(a, b);
        benchmark::DoNotOptimize(s.data.SelectBeamList().GetCount());
    }
    state.counters["selected"] = (double)s.data.SelectBeamList().GetCount();
}

// The same 1% window as the model's hit-test benchmarks.
void BM_SelectWindow(benchmark::State& state) { RunDrag(state, CPoint(900, 500), CPoint(1100, 620)); }
BENCHMARK(BM_SelectWindow)->Unit(benchmark::kMillisecond);

void BM_SelectCrossing(benchmark::State& state) { RunDrag(state, CPoint(1100, 620), CPoint(900, 500)); }
BENCHMARK(BM_SelectCrossing)->Unit(benchmark::kMillisecond);

// Every member at once: the selection list grows to 100,000.
void BM_SelectWindowWholeView(benchmark::State& state) { RunDrag(state, CPoint(-10, -10), CPoint(1930, 1090)); }
BENCHMARK(BM_SelectWindowWholeView)->Unit(benchmark::kMillisecond);

// A second window over what is selected already changes nothing.
void BM_SelectWindowAgainOverSelected(benchmark::State& state)
{
    BigScene& s = Scene();
    s.ClearSelection();
    s.Drag(CPoint(-10, -10), CPoint(1930, 1090));
    for (auto _ : state) {
        s.Drag(CPoint(-10, -10), CPoint(1930, 1090));
        benchmark::DoNotOptimize(s.data.SelectBeamList().GetCount());
    }
}
BENCHMARK(BM_SelectWindowAgainOverSelected)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
