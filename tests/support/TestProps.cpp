#include "support/TestProps.h"

namespace vyrtest {

CTestRecordList::~CTestRecordList()
{
    for (POSITION pos = GetHeadPosition(); pos;)
        delete GetNext(pos);
    RemoveAll();
}

void CTestRecordList::Make(int n, double first)
{
    for (int i = 0; i < n; ++i) {
        auto* r = new CTestRecord;
        r->a = first + i;
        AddTail(r);
    }
}

namespace {

CTestRecord* R(CObject* o) { return static_cast<CTestRecord*>(o); }

CPropValue* Num(CPropSub& g, const char* key, const char* caption, std::function<double(CObject*)> get,
                std::function<void(CObject*, double)> set)
{
    auto* v = g.AddT(new CPropValue(key, caption, caption, CPropValue::NUMBER));
    v->m_nDecimals = 2;
    v->m_getNum = std::move(get);
    v->m_setNum = std::move(set);
    v->m_dMin = -1000;
    v->m_dMax = 1000;
    return v;
}

} // namespace

CTestDialogProp::CTestDialogProp() : CPropValue("Test.Dialog", "对话", "对话", TEXT)
{
    m_bDialog = true;
    m_getText = [](CObject*) { return CString("值"); };
}

void BuildTestProps(CProps& root)
{
    Num(root, "Test.A", "A", [](CObject* o) { return R(o)->a; }, [](CObject* o, double v) { R(o)->a = v; });
    Num(root, "Test.B", "B", [](CObject* o) { return 2 * R(o)->a; }, nullptr);
    Num(root, "Test.C", "C", [](CObject* o) { return R(o)->a + 1; }, nullptr);
    auto* mode = root.AddT(new CPropValue("Test.Mode", "开关", "开关", CPropValue::INTEGER));
    mode->m_options = {"关", "开"};
    mode->m_getNum = [](CObject* o) { return (double)R(o)->mode; };
    mode->m_setNum = [](CObject* o, double v) { R(o)->mode = (int)v; };
    root.Add(new CTestDialogProp);
    auto* hidden = Num(root, "Test.Hidden", "隐藏", [](CObject* o) { return R(o)->a; }, nullptr);
    hidden->SetVisibleIf([](const CProps&) { return false; });

    auto* one = root.AddT(new CPropSub("G.One", "组一", "组一"));
    Num(*one, "Test.X", "X", [](CObject* o) { return R(o)->x; }, [](CObject* o, double v) { R(o)->x = v; });
    Num(*one, "Test.Y", "Y", [](CObject* o) { return R(o)->y; }, [](CObject* o, double v) { R(o)->y = v; });
    auto* two = root.AddT(new CPropSub("G.Two", "组二", "组二"));
    Num(*two, "Test.Z", "Z", [](CObject* o) { return R(o)->z; }, [](CObject* o, double v) { R(o)->z = v; });
    auto* extra = root.AddT(new CPropSub("G.Extra", "附加", "附加"));
    extra->SetVisibleIf([](const CProps& r) {
        auto* list = static_cast<CObList*>(r.GetObjects());
        if (!list || list->IsEmpty())
            return false;
        for (POSITION pos = list->GetHeadPosition(); pos;)
            if (R(list->GetNext(pos))->mode != 1)
                return false;
        return true;
    });
    Num(*extra, "Test.E", "E", [](CObject* o) { return R(o)->e; }, [](CObject* o, double v) { R(o)->e = v; });
    auto* many = root.AddT(new CPropSub("G.Many", "多行", "多行"));
    for (int i = 0; i < 20; ++i) {
        CString cap;
        cap.Format("m%d", i);
        Num(*many, "", cap, [i](CObject* o) { return R(o)->m[i]; }, [i](CObject* o, double v) { R(o)->m[i] = v; });
    }
}

} // namespace vyrtest
