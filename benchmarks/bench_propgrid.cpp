// The property grid over a large selection: the member rows filled for 10,000 members, one
// typed value written to all of them with its partial refresh, and a rebuild of 500 rows.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include <vyr/protocol/HostMessages.h>
#include <vyr/host/PropsUI.h>
#include <vyr/model/struct/structure.h>

namespace {

// The window holding the grid: forwards the grid's two messages.
class CBenchHolder : public CWnd
{
public:
    CPropsUI ui;
    LRESULT OnEndEdit(WPARAM w, LPARAM l) { return ui.OnEndEditProp(w, l); }
    LRESULT OnOther(WPARAM w, LPARAM l) { return ui.OnOtherProp(w, l); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBenchHolder, CWnd)
    ON_MESSAGE(WM_PROP_ENDEDIT, &CBenchHolder::OnEndEdit)
    ON_MESSAGE(WM_PROP_OTHER, &CBenchHolder::OnOther)
END_MESSAGE_MAP()

struct Scene
{
    CGlobalData data;
    std::vector<std::unique_ptr<CPNode>> nodes;
    std::vector<std::unique_ptr<CBeam>> beams;
    CBeamList selection;
    CBenchHolder holder;

    explicit Scene(int members)
    {
        holder.CreateEx(0, nullptr, "holder", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 800), nullptr, 0);
        holder.ui.Create(&holder, 8000, WS_CHILD | WS_VISIBLE);
        holder.ui.Move(0, 0, 300, 800);
        for (int i = 0; i <= members; ++i)
            nodes.push_back(std::make_unique<CPNode>(i + 1, CPoint3D(100.0 * i, 0, 0)));
        for (int i = 0; i < members; ++i) {
            beams.push_back(std::make_unique<CBeam>(i + 1, nodes[i].get(), nodes[i + 1].get(), 2));
            selection.AddTail(beams.back().get());
        }
        holder.ui.SetParam(2, &selection, 1, &data);
        holder.ui.FillItem();
        // Every group open, as a user working through the rows leaves them.
        holder.ui.GetPropList().ExpandAll(TRUE);
        holder.ui.RecordExpand(nullptr, nullptr, true);
    }
    ~Scene()
    {
        selection.RemoveAll();
        holder.DestroyWindow();
    }
    CBCGPProp* Row(const char* caption)
    {
        CBCGPPropList& list = holder.ui.GetPropList();
        for (int i = 0; i < list.GetPropertyCount(); ++i) {
            CBCGPProp* g = list.GetProperty(i);
            for (int j = 0; j < g->GetSubItemsCount(); ++j)
                if (g->GetSubItem(j)->GetName() == caption)
                    return g->GetSubItem(j);
        }
        return nullptr;
    }
};

void BM_FillMemberRows(benchmark::State& state)
{
    Scene scene((int)state.range(0));
    for (auto _ : state) {
        scene.holder.ui.RecordExpand(nullptr, nullptr, true);
        scene.holder.ui.SetParam(2, &scene.selection, 1, &scene.data);
        scene.holder.ui.FillItem();
    }
    state.counters["rows"] = (double)scene.holder.ui.GetPropList().GetPropertyCount();
}
BENCHMARK(BM_FillMemberRows)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_WriteValueToAll(benchmark::State& state)
{
    Scene scene((int)state.range(0));
    int value = 300;
    for (auto _ : state) {
        CBCGPProp* row = scene.Row("恒载挠度限值");
        scene.holder.ui.GetPropList().EditItem(row);
        CString text;
        text.Format("%d", value++);
        row->m_pWndInPlace->SetWindowText(text);
        scene.holder.ui.EndEdit();
        vyr::PumpMessages(); // the posted end of the edit: the partial refresh
    }
    if (scene.beams.back()->GetDLLimit() != value - 1)
        state.SkipWithError("the value did not reach the last member");
}
BENCHMARK(BM_WriteValueToAll)->Arg(10000)->Unit(benchmark::kMillisecond);

// 50 groups of 9 rows and 50 rows of their own over one record.
class CBenchRecord : public CObject
{
public:
    double v[10] = {};
};

void BM_Rebuild500Rows(benchmark::State& state)
{
    CGlobalData data;
    CBenchRecord record;
    CObList objects;
    objects.AddTail(&record);
    CBenchHolder holder;
    holder.CreateEx(0, nullptr, "holder", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 800), nullptr, 0);
    holder.ui.Create(&holder, 8000, WS_CHILD | WS_VISIBLE);
    holder.ui.Move(0, 0, 300, 800);
    holder.ui.SetParam(2, &objects, 99, &data);
    CProps& root = *holder.ui.GetProps();
    for (int g = 0; g < 50; ++g) {
        CString key;
        key.Format("G.%d", g);
        auto* group = root.AddT(new CPropSub(key, key, key));
        for (int i = 0; i < 9; ++i) {
            auto* v = group->AddT(new CPropValue("", "值", "值", CPropValue::NUMBER));
            v->m_nDecimals = 2;
            v->m_getNum = [i](CObject* o) { return static_cast<CBenchRecord*>(o)->v[i]; };
            v->m_setNum = [i](CObject* o, double x) { static_cast<CBenchRecord*>(o)->v[i] = x; };
        }
    }
    holder.ui.FillItem();
    holder.ui.GetPropList().ExpandAll(TRUE);
    for (auto _ : state) {
        holder.ui.RecordExpand(nullptr, nullptr, true);
        holder.ui.FillItem();
    }
    int rows = 0;
    for (int i = 0; i < holder.ui.GetPropList().GetPropertyCount(); ++i)
        rows += 1 + holder.ui.GetPropList().GetProperty(i)->GetSubItemsCount();
    state.counters["rows"] = rows;
    objects.RemoveAll();
    holder.DestroyWindow();
}
BENCHMARK(BM_Rebuild500Rows)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
