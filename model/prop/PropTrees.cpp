// The rows of each object kind. Every row that opens a dialog carries the key of its
// dialog callback; the result and report rows show only in program type 1.
#include <vyr/model/prop/Prop.h>

#include <vyr/model/section/SectionBase.h>
#include <vyr/model/section/Ban.h>
#include <vyr/model/struct/structure.h>

namespace {

using Get = std::function<double(CObject*)>;
using Set = std::function<void(CObject*, double)>;
using GetText = std::function<CString(CObject*)>;

template <class T>
T* As(CObject* o)
{
    return static_cast<T*>(o);
}

CPropSub* Group(CPropSub& parent, const char* key, const char* caption,
                std::function<bool(const CProps&)> visibleIf = nullptr)
{
    auto* g = parent.AddT(new CPropSub(key, caption, caption));
    if (visibleIf)
        g->SetVisibleIf(std::move(visibleIf));
    return g;
}

CPropValue* Number(CPropSub& g, const char* caption, const char* desc, Get get, Set set, int decimals, double min,
                   double max)
{
    auto* v = g.AddT(new CPropValue("", caption, desc, CPropValue::NUMBER));
    v->m_getNum = std::move(get);
    v->m_setNum = std::move(set);
    v->m_nDecimals = decimals;
    v->m_dMin = min;
    v->m_dMax = max;
    return v;
}

CPropValue* Length(CPropSub& g, const char* caption, const char* desc, Get get, Set set = nullptr, double min = -1e300,
                   double max = 1e300)
{
    CPropValue* v = Number(g, caption, desc, std::move(get), std::move(set), -1, min, max);
    v->m_bLength = true;
    return v;
}

CPropValue* Integer(CPropSub& g, const char* caption, const char* desc, Get get, Set set = nullptr, double min = 0,
                    double max = 1e9)
{
    auto* v = g.AddT(new CPropValue("", caption, desc, CPropValue::INTEGER));
    v->m_getNum = std::move(get);
    v->m_setNum = std::move(set);
    v->m_dMin = min;
    v->m_dMax = max;
    return v;
}

CPropValue* Choice(CPropSub& g, const char* caption, const char* desc, std::vector<CString> options,
                   std::vector<int> codes, Get get, Set set)
{
    auto* v = g.AddT(new CPropValue("", caption, desc, CPropValue::INTEGER));
    v->m_options = std::move(options);
    v->m_codes = std::move(codes);
    v->m_getNum = std::move(get);
    v->m_setNum = std::move(set);
    return v;
}

// A row whose value is changed by its dialog.
CPropValue* Dialog(CPropSub& g, const char* key, const char* caption, const char* desc, GetText get)
{
    auto* v = g.AddT(new CPropValue(key, caption, desc, CPropValue::TEXT));
    v->m_getText = std::move(get);
    v->m_bDialog = true;
    return v;
}

bool ResultsShown(const CProps& root)
{
    CGlobalData* data = root.GetGlobalData();
    return data != nullptr && data->ProgramType() == 1;
}

CString Numbered(const char* prefix, int no)
{
    CString s;
    s.Format("%s%d", prefix, no);
    return s;
}

void ResultRows(CPropSub& root, std::initializer_list<std::pair<const char*, const char*>> keys)
{
    CPropSub* g = Group(root, "Group.Result", "计算结果", ResultsShown);
    for (const auto& [key, caption] : keys)
        Dialog(*g, key, caption, caption, [](CObject*) { return CString("查看"); });
}

CString SectionName(CObject* o)
{
    CSectionBase* sec = As<CBeamBase>(o)->GetSection();
    return sec ? sec->GetSimpleSecName() : CString("未布截面");
}

// ---------------------------------------------------------------------------------------

void NodeRows(CProps& root)
{
    CPropSub* base = Group(root, "Group.NodeBase", "基本信息");
    Integer(*base, "编号", "结点编号", [](CObject* o) { return (double)As<CPNode>(o)->GetNo(); });
    base->AddT(new CPropPt("X坐标", 0));
    base->AddT(new CPropPt("Y坐标", 1));
    base->AddT(new CPropPt("Z坐标", 2));
    Dialog(*base, "Prop.NodeSupport", "支座", "结点支座,双击名称选择", [](CObject* o) {
        CSupportBase* s = As<CPNode>(o)->GetSupport();
        return s ? s->GetDescription() : CString("无");
    });
    CPropSub* mass = Group(root, "Group.NodeMass", "质量");
    Number(
        *mass, "附加质量", "结点附加质量", [](CObject* o) { return (double)As<CPNode>(o)->m_fAddMass; },
        [](CObject* o, double v) { As<CPNode>(o)->m_fAddMass = (float)v; }, 2, 0, 1e9);
    ResultRows(root, {{"Prop.NodeCheckOutput", "结点计算书"},
                      {"Prop.NodeOutputDisp", "结点位移"},
                      {"Prop.NodeOutputForce", "结点内力"},
                      {"Prop.NodeOutputCheck", "结点验算"}});
}

bool AllComposite(const CProps& root)
{
    auto* list = static_cast<CObList*>(root.GetObjects());
    if (list == nullptr || list->IsEmpty())
        return false;
    for (POSITION pos = list->GetHeadPosition(); pos;)
        if (As<CBeamBase>(list->GetNext(pos))->GetBeamDesignType() != 2)
            return false;
    return true;
}

void BeamRows(CProps& root)
{
    CPropSub* base = Group(root, "Group.BeamBase", "基本信息");
    Integer(*base, "编号", "杆件编号", [](CObject* o) { return (double)As<CBeamBase>(o)->GetNo(); });
    auto* type = base->AddT(new CPropValue("", "类型", "杆件类型", CPropValue::TEXT));
    type->m_getText = [](CObject* o) { return As<CBeamBase>(o)->GetTypeDescription(); };
    Length(*base, "长度", "杆件长度", [](CObject* o) { return As<CBeamBase>(o)->GetLength(); });
    Dialog(*base, "Prop.BeamSec", "截面", "杆件截面,双击名称选择", SectionName);

    CPropSub* ends = Group(root, "Group.BeamEnd", "端部条件");
    Dialog(*ends, "Prop.BeamRelease", "端部释放", "杆端释放", [](CObject* o) {
        CBeamBindRelease* r = As<CBeamBase>(o)->GetBeamBindRelease();
        return r ? Numbered("R", r->m_nNo) : CString("无");
    });
    Dialog(*ends, "Prop.BeamOffset", "偏心", "杆端偏心", [](CObject* o) {
        CMemberOffset* r = As<CBeamBase>(o)->m_pOffset;
        return r ? Numbered("E", r->m_nNo) : CString("无");
    });
    Dialog(*ends, "Prop.BeamRigid", "刚域", "杆端刚域", [](CObject* o) {
        CBeam* b = As<CBeamBase>(o)->toBeam();
        return b && b->m_pRigid ? Numbered("G", b->m_pRigid->m_nNo) : CString("无");
    });
    Dialog(*ends, "Prop.BeamWebHoleDefine", "腹板开洞", "H型截面杆件的腹板洞口",
           [](CObject* o) { return CString(As<CBeamBase>(o)->m_pWebHole ? "有" : "无"); });

    CPropSub* design = Group(root, "Group.BeamDesign", "设计参数");
    Choice(
        *design, "抗震等级", "杆件抗震等级", {"非抗震", "一级", "二级", "三级", "四级"}, {0, 1, 2, 3, 4},
        [](CObject* o) { return (double)As<CBeamBase>(o)->GetSeismGrade(); },
        [](CObject* o, double v) { As<CBeamBase>(o)->SetSeismGrade((int)v); });
    Integer(
        *design, "恒载挠度限值", "恒载挠度限值 1/n", [](CObject* o) { return (double)As<CBeamBase>(o)->GetDLLimit(); },
        [](CObject* o, double v) { As<CBeamBase>(o)->SetDLLimit((int)v); }, 0, 10000);
    Integer(
        *design, "活载挠度限值", "活载挠度限值 1/n", [](CObject* o) { return (double)As<CBeamBase>(o)->GetLLimit(); },
        [](CObject* o, double v) { As<CBeamBase>(o)->SetLLimit((int)v); }, 0, 10000);
    Number(
        *design, "地震弯矩放大系数", "地震作用弯矩放大系数", [](CObject* o) { return (double)As<CBeamBase>(o)->GetSeismM(); },
        [](CObject* o, double v) { As<CBeamBase>(o)->SetSeismM((float)v); }, 2, 0.1, 10);
    Number(
        *design, "地震剪力放大系数", "地震作用剪力放大系数", [](CObject* o) { return (double)As<CBeamBase>(o)->GetSeismV(); },
        [](CObject* o, double v) { As<CBeamBase>(o)->SetSeismV((float)v); }, 2, 0.1, 10);
    Number(
        *design, "地震轴力放大系数", "地震作用轴力放大系数", [](CObject* o) { return (double)As<CBeamBase>(o)->GetSeismN(); },
        [](CObject* o, double v) { As<CBeamBase>(o)->SetSeismN((float)v); }, 2, 0.1, 10);
    Choice(
        *design, "梁设计类型", "组合梁需布置栓钉", {"钢梁", "组合梁"}, {0, 2},
        [](CObject* o) { return (double)As<CBeamBase>(o)->GetBeamDesignType(); },
        [](CObject* o, double v) { As<CBeamBase>(o)->SetBeamDesignType((int)v); });

    CPropSub* studs = Group(root, "Group.BeamStud", "栓钉", AllComposite);
    Dialog(*studs, "Prop.BeamPinnail", "栓钉", "组合梁栓钉", [](CObject* o) {
        CPinNailGroup* g = As<CBeamBase>(o)->m_pPinNailGroup;
        return g ? CString("已布置") : CString("无");
    });
    Dialog(*studs, "Prop.BeamPinnailDesign", "栓钉设计", "按计算布置栓钉", [](CObject*) { return CString("设计"); });

    ResultRows(root, {{"Prop.BeamCheckOutput", "杆件计算书"},
                      {"Prop.BeamForceDetail", "内力查询"},
                      {"Prop.BeamOutputForce", "杆件内力"},
                      {"Prop.BeamOutputCheck", "杆件验算"},
                      {"Prop.BeamOutputStatistic", "用钢量统计"}});
}

void WallRows(CProps& root)
{
    CPropSub* base = Group(root, "Group.WallBase", "基本信息");
    Integer(*base, "编号", "墙体编号", [](CObject* o) { return (double)As<CWall>(o)->GetNo(); });
    Length(*base, "高度", "墙体高度", [](CObject* o) { return (double)As<CWall>(o)->GetWallH(); });
    Length(*base, "长度", "墙体长度", [](CObject* o) { return (double)As<CWall>(o)->GetWallB(); });
    Length(
        *base, "厚度", "墙体厚度", [](CObject* o) { return (double)As<CWall>(o)->GetWallT(); },
        [](CObject* o, double v) { As<CWall>(o)->SetT((float)v); }, 0.1, 1e6);
    Dialog(*base, "Prop.WallOffset", "偏心", "墙体偏心", [](CObject* o) {
        CMemberOffset* r = As<CWall>(o)->m_pOffset;
        return r ? Numbered("E", r->m_nNo) : CString("无");
    });
    CPropSub* holes = Group(root, "Group.WallHole", "洞口");
    Dialog(*holes, "Prop.WallHoleDefine", "洞口定义", "墙体洞口",
           [](CObject* o) { return Numbered("", (int)As<CWall>(o)->m_pHoleList->GetCount()); });
    Dialog(*holes, "Prop.WallHoleAdjust", "洞口调整", "单个洞口的快速调整", [](CObject*) { return CString("调整"); });
}

void PlaneRows(CProps& root)
{
    CPropSub* base = Group(root, "Group.PlaneBase", "基本信息");
    Integer(*base, "编号", "房间编号", [](CObject* o) { return (double)As<CPlane>(o)->GetNo(); });
    Integer(*base, "边数", "房间角点数", [](CObject* o) { return (double)As<CPlane>(o)->GetEdgeNum(); });
    Dialog(*base, "Prop.PlaneHoleDefine", "洞口", "房间洞口",
           [](CObject* o) { return CString(As<CPlane>(o)->m_pHole ? "有" : "无"); });
    Dialog(*base, "Prop.PlaneSubBeamDefine", "次梁", "房间次梁布置",
           [](CObject* o) { return Numbered("", (int)As<CPlane>(o)->m_pSubBeamList->GetCount()); });
    CPropSub* slab = Group(root, "Group.PlaneBan", "楼板");
    Dialog(*slab, "Prop.PlaneBan", "楼板类型", "房间楼板类型", [](CObject* o) {
        CBan* b = As<CPlane>(o)->m_pBan;
        return b ? (b->m_strName.IsEmpty() ? Numbered("SP", b->m_nNo) : b->m_strName) : CString("无");
    });
    Number(
        *slab, "保护层厚度", "钢筋保护层厚度(mm)", [](CObject* o) { return (double)As<CPlane>(o)->m_fCover; },
        [](CObject* o, double v) { As<CPlane>(o)->m_fCover = (float)v; }, 0, 5, 100);
    CPropSub* design = Group(root, "Group.PlaneDesign", "楼板设计", ResultsShown);
    Dialog(*design, "Prop.PlaneBanDesign", "配筋设计", "楼板配筋设计", [](CObject*) { return CString("设计"); });
    Dialog(*design, "Prop.PlaneBanCheck", "楼板验算", "楼板验算", [](CObject*) { return CString("验算"); });
}

void BCInWallRows(CProps& root)
{
    CPropSub* base = Group(root, "Group.BCInWallBase", "基本信息");
    Integer(*base, "编号", "连梁编号", [](CObject* o) { return (double)As<CBeamBase>(o)->GetNo(); });
    Length(*base, "长度", "连梁长度", [](CObject* o) { return As<CBeamBase>(o)->GetLength(); });
    Dialog(*base, "Prop.BeamSec", "截面", "连梁截面,双击名称选择", SectionName);
    ResultRows(root, {{"Prop.BCInWallCheckOutput", "连梁计算书"}});
}

} // namespace

CProps::Builder CProps::DefaultBuilder(int kind)
{
    switch (kind) {
    case OBJKIND_NODE: return NodeRows;
    case OBJKIND_BEAM: return BeamRows;
    case OBJKIND_WALL: return WallRows;
    case OBJKIND_PLANE: return PlaneRows;
    case OBJKIND_BCINWALL: return BCInWallRows;
    default: return nullptr;
    }
}
