// The load chapters of the model and load report: the load definitions in tables under
// load codes (kind, number), then which node, member or room carries which load.
#include <vyr/reports/DlgOutputModel.h>

#include <cmath>
#include <functional>
#include <utility>

#include <vyr/model/base/VyrProduct.h>
#include <vyr/model/struct/structure.h>
#include <vyr/reports/NodeChapter.h>
#include <vyr/reports/ReportBlocks.h>

using nodechapter::Cell;

namespace {

// A table that starts (caption, heads) only when its first row comes, and ends only when
// it started.
class CLazyTable
{
public:
    CLazyTable(COutput& out, std::function<void(COutput&)> start) : m_out(out), m_start(std::move(start)) {}
    // Starts the table if it has not started; the cells of a row follow.
    COutput& Row()
    {
        if (!m_started) {
            m_start(m_out);
            m_started = true;
        }
        return m_out;
    }
    // Ends a started table, followed by a line end when asked.
    void End(bool lineEnd = false)
    {
        if (!m_started)
            return;
        m_out.EndTable();
        if (lineEnd)
            m_out << endl;
    }

private:
    COutput& m_out;
    std::function<void(COutput&)> m_start;
    bool m_started = false;
};

bool Space() { return CVyrProduct::Inst().Is3D() != 0; }

// Two (object, load code) pairs to a row: the node, member and room assignment tables.
std::function<void(COutput&)> PairTable(const char* caption, const char* objectHead, int width)
{
    return [=](COutput& out) {
        OutputTableCaption(out, caption);
        for (int i = 0; i < 2; ++i) {
            out.CreateTableHead(objectHead, width, 0);
            out.CreateTableHead("荷载编号", width, 0);
        }
    };
}
auto NodeAssignment() { return PairTable("节点荷载信息", "节点编号", 10); }
auto MemberAssignment() { return PairTable("杆件荷载信息", "杆件编号", 16); }

void Pair(COutput& out, int object, const CString& code)
{
    out.SetTableContent(object);
    out.SetTableContent(code);
}
void Pair(COutput& out, const CString& object, const CString& code)
{
    out.SetTableContent(object);
    out.SetTableContent(code);
}

// The text of a member load type and the factor of its values Q1, Q2.
std::pair<const char*, double> MemberLoadType(int type)
{
    static const std::pair<const char*, double> types[] = {
        {"均布", 100.0}, {"集中力", 1.0}, {"三角形", 100.0}, {"梯形", 100.0},
        {"任意四边形", 100.0}, {"集中弯矩", 0.01}, {"局部扭距", 0.01}};
    return type >= 1 && type <= 7 ? types[type - 1] : std::pair<const char*, double>{"", 1.0};
}

// The member load table; the wind tables carry the case column.
std::function<void(COutput&)> MemberLoadTable(const CString& caption, bool wind, std::function<void(COutput&)> before = {})
{
    return [=](COutput& out) {
        if (before)
            before(out);
        OutputTableCaption(out, caption);
        out.CreateTableHead("荷载编号", wind ? 10 : 14, 0);
        if (wind)
            out.CreateTableHead("工况号", 10, 0);
        for (const char* head : {"方向", "类型", "Q1", "Q2", "X1", "X2"})
            out.CreateTableHead(head, 10, 0);
    };
}

void MemberLoadCells(COutput& out, const CLoadBeam& load)
{
    const auto [text, factor] = MemberLoadType(load.m_nType);
    out.SetTableContent(load.m_nDir);
    out.SetTableContent(CString(text));
    out.SetTableContent(load.m_dQ1 * factor);
    out.SetTableContent(load.m_dQ2 * factor);
    out.SetTableContent(load.m_dX1 * 0.01);
    out.SetTableContent(load.m_dX2 * 0.01);
}

// The definitions of a member load list, one row each, under codes of the format.
void MemberLoadRows(CLazyTable& table, CLoadBeamList& loads, const char* format)
{
    for (POSITION pos = loads.GetHeadPosition(); pos != nullptr;) {
        const CLoadBeam* load = loads.GetNextT(pos);
        COutput& out = table.Row();
        out.SetTableContent(Cell(format, load->m_nNo));
        MemberLoadCells(out, *load);
    }
}

// The area load table: the code and the value in kN/m2.
void AreaLoadRows(CLazyTable& table, CLoadAreaList& loads, const char* format)
{
    for (POSITION pos = loads.GetHeadPosition(); pos != nullptr;) {
        const CLoadArea* load = loads.GetNextT(pos);
        COutput& out = table.Row();
        out.SetTableContent(Cell(format, load->m_nNo));
        out.SetTableContent(load->m_fValue * 10000.0);
    }
}
std::function<void(COutput&)> AreaLoadTable(const CString& caption, std::function<void(COutput&)> before)
{
    return [=](COutput& out) {
        if (before)
            before(out);
        OutputTableCaption(out, caption);
        out.CreateTableHead("荷载编号", 20, 0);
        out.CreateTableHead("数值", 20, 0);
    };
}

// The node assignment rows of one kind of node load list.
template <class List>
void NodeAssignmentRows(CLazyTable& table, CStruct& st, List* CPNode::*list, const char* format)
{
    for (POSITION pos = st.m_pNodeList->GetHeadPosition(); pos != nullptr;) {
        CPNode* node = st.m_pNodeList->GetNextT(pos);
        List& loads = *(node->*list);
        for (POSITION p = loads.GetHeadPosition(); p != nullptr;)
            Pair(table.Row(), node->GetNo(), Cell(format, loads.GetNextT(p)->m_nNo));
    }
}

// The member assignment rows of one kind of member load list.
void MemberAssignmentRows(CLazyTable& table, CStruct& st, CLoadBeamList* CMemberLoads::*list, const char* format)
{
    for (POSITION pos = st.m_pBeamList->GetHeadPosition(); pos != nullptr;) {
        CBeamBase* member = st.m_pBeamList->GetNextT(pos);
        CMemberLoads* own = GetMemberLoads(member);
        if (own == nullptr)
            continue;
        CLoadBeamList& loads = *(own->*list);
        for (POSITION p = loads.GetHeadPosition(); p != nullptr;)
            Pair(table.Row(), member->GetNo(), Cell(format, loads.GetNextT(p)->m_nNo));
    }
}

// The rooms of every storey that carry an area load of the kind: "level-room", the code.
void RoomAssignment(COutput& out, CStruct& st, CLoadArea* CPlane::*load, const char* format, int width)
{
    CLazyTable table(out, PairTable("面荷载信息", "房间编号", width));
    for (POSITION pos = st.m_pFloorList->GetHeadPosition(); pos != nullptr;) {
        CFloor* floor = st.m_pFloorList->GetNextT(pos);
        for (POSITION p = floor->m_pPlaneList->GetHeadPosition(); p != nullptr;) {
            CPlane* room = floor->m_pPlaneList->GetNextT(p);
            if (const CLoadArea* area = room->*load)
                Pair(table.Row(), Cell("%d-%d", floor->m_nLevel, room->GetNo()), Cell(format, area->m_nNo));
        }
    }
    table.End();
}

// "屋面均布荷载为" or "屋面均布活载为", the portal's roof load in kN/m2.
void RoofLine(COutput& out, float load, bool dead)
{
    out << (dead ? "屋面均布荷载为" : "屋面均布活载为") << load * 10000.0f << "kN/m" << super("^2") << endl;
}

// What a plane portal frame writes before the caption of a roof-borne load table.
std::function<void(COutput&)> RoofPrefix(bool plane, float load, bool dead)
{
    if (!plane)
        return {};
    return [=](COutput& out) {
        RoofLine(out, load, dead);
        out << tab;
    };
}

// Every load chapter opens alike; the dead, live, wind and crane chapters also close alike.
void OpenChapter(COutput& out, const CString& heading)
{
    out << endl;
    OutputLevel2Heading(out, heading);
    out.SetTextStyle(0, false, false, 9, 0, 1);
    out.SetTextStyle(4, true, false, 9, 0, 1);
    out << title(0);
}
void CloseChapter(COutput& out)
{
    out.SetTextStyle(0, false, false, 10.5f, 0, 1);
    out.SetTextStyle(4, true, false, 10.5f, 0, 1);
}

const char* const kWindDirection[4] = {"X", "Y", "-X", "-Y"};

// The crane case (from 1) of a node's or member's crane list: the structure's case with
// the list's number, else the list's place in its array.
int CraneCase(CStruct& st, int number, INT_PTR place)
{
    for (INT_PTR i = 0; i < st.m_arrCraneNodeLoad.GetSize(); ++i)
        if (auto* cases = static_cast<CLoadCraneList*>(st.m_arrCraneNodeLoad.GetAt(i)); cases && cases->m_nNo == number)
            return (int)i + 1;
    return (int)place + 1;
}

} // namespace

void CDlgOutputModel::OutputLoadChapter(COutput& out, LoadChapter chapter)
{
    switch (chapter) {
    case LOAD_DEAD: OutputDeadLoads(out); break;
    case LOAD_LIVE: OutputLiveLoads(out); break;
    case LOAD_WIND: OutputWindLoads(out); break;
    case LOAD_CRANE: OutputCraneLoads(out); break;
    case LOAD_TEMPERATURE: OutputTemperature(out); break;
    case LOAD_HSEISM:
        OpenChapter(out, "水平地震作用");
        OutputSeismicBlock(out, *m_pData);
        out.SetTextStyle(0, false, false, 9, 0, 1);
        out << title(0) << endl;
        break;
    case LOAD_VSEISM: OutputVerticalSeismic(out); break;
    case LOAD_CHAPTERS: break;
    }
}

void CDlgOutputModel::OutputDeadLoads(COutput& out)
{
    CStruct& st = *m_pData->Struct();
    const bool plane = m_pData->CurrentStructureType() == 3;
    const bool space = Space();
    const float roof = st.m_Portal.GetDeadLoad();
    OpenChapter(out, "恒荷载");
    if (m_pData->Gravity() != 0) {
        if (plane) {
            out << tab;
            RoofLine(out, roof, true);
        }
        out << tab << "结构自重程序自动计算。" << endl << tab;
    }

    // The components of the edition: all six in space, Fx, Fz and My in the plane.
    static const char* const heads[] = {"X", "Y", "Z", "Mx", "My", "Mz"};
    static const int spaceParts[] = {0, 1, 2, 3, 4, 5};
    static const int planeParts[] = {0, 2, 4};
    const int* parts = space ? spaceParts : planeParts;
    const int count = space ? 6 : 3;
    CLazyTable nodeLoads(out, [&](COutput& o) {
        OutputTableCaption(o, "节点恒载信息");
        o.CreateTableHead("荷载编号", 14, 0);
        for (int i = 0; i < count; ++i)
            o.CreateTableHead(heads[parts[i]], 20, 0);
    });
    for (POSITION pos = st.m_pLoadNodeDeadList->GetHeadPosition(); pos != nullptr;) {
        const CLoadNode* load = st.m_pLoadNodeDeadList->GetNextT(pos);
        COutput& o = nodeLoads.Row();
        o.SetTableContent(Cell("DN%d", load->m_nNo));
        for (int i = 0; i < count; ++i) // moments kN.cm to kN.m
            o.SetTableContent(load->m_dF[parts[i]] * (parts[i] >= 3 ? 0.01 : 1.0));
    }
    nodeLoads.End();

    CLazyTable memberLoads(out, MemberLoadTable("杆件恒载信息", false, RoofPrefix(plane, roof, true)));
    MemberLoadRows(memberLoads, *st.m_pLoadBeamDeadList, "DB%d");
    memberLoads.End();

    CLazyTable nodes(out, NodeAssignment());
    NodeAssignmentRows(nodes, st, &CPNode::m_pDeadLoadList, "DN%d");
    nodes.End(true);
    CLazyTable members(out, MemberAssignment());
    MemberAssignmentRows(members, st, &CMemberLoads::m_pDeadLoadList, "DB%d");
    members.End(true);

    CLazyTable areaLoads(out, AreaLoadTable("面恒载信息", RoofPrefix(plane, roof, true)));
    AreaLoadRows(areaLoads, *st.m_pLoadAreaDeadList, "DA%d");
    areaLoads.End();
    if (space)
        RoomAssignment(out, st, &CPlane::m_pDeadLoad, "DA%d", 10);
    CloseChapter(out);
}

void CDlgOutputModel::OutputLiveLoads(COutput& out)
{
    CStruct& st = *m_pData->Struct();
    const bool plane = m_pData->CurrentStructureType() == 3;
    const float roof = st.m_Portal.GetLiveLoad();
    OpenChapter(out, "活荷载");

    CLazyTable nodes(out, NodeAssignment());
    NodeAssignmentRows(nodes, st, &CPNode::m_pLiveLoadList, "LN%d");
    nodes.End(true);

    CLazyTable memberLoads(out, MemberLoadTable("杆件活载信息", false, RoofPrefix(plane, roof, false)));
    MemberLoadRows(memberLoads, *st.m_pLoadBeamLiveList, "LB%d");
    memberLoads.End();
    CLazyTable members(out, MemberAssignment());
    MemberAssignmentRows(members, st, &CMemberLoads::m_pLiveLoadList, "LB%d");
    members.End(true);

    CLazyTable areaLoads(out, AreaLoadTable("面活载信息", RoofPrefix(plane, roof, false)));
    AreaLoadRows(areaLoads, *st.m_pLoadAreaLiveList, "LA%d");
    areaLoads.End();
    if (Space())
        RoomAssignment(out, st, &CPlane::m_pLiveLoad, "LA%d", 8);
    CloseChapter(out);
}

void CDlgOutputModel::OutputWindInfo(COutput& out, CPortal& portal)
{
    CString terrain;
    terrain.Format("%c", portal.GetTough() + 'A');
    out << tab << "基本风压：" << portal.GetBaseWindLoad() * 10000.0f << "kN/m" << super("^2") << "，" << terrain
        << "类地貌。" << endl;
    const bool portalCode = m_pData && m_pData->Struct() && m_pData->Struct()->GetWindCode() == 1;
    out << tab << "风载体形系数，按照《"
        << (portalCode ? "门式刚架轻型房屋钢结构技术规程》（CECS102:2002）取值。" : "建筑结构荷载规范》（GB50009-2001）取值。")
        << endl;
}

void CDlgOutputModel::OutputWindLoads(COutput& out)
{
    CStruct& st = *m_pData->Struct();
    const bool space = Space();
    OpenChapter(out, "风荷载");
    if (m_pData->CurrentStructureType() == 3)
        OutputWindInfo(out, st.m_Portal);
    else {
        out << endl;
        OutputWindParameters(out, st);
    }
    out << endl;

    bool nodeTables = false;
    for (int d = 1; d <= 4; ++d) {
        CLoadWindList& loads = *st.m_pLoadWindNodeList[d - 1];
        if (loads.IsEmpty())
            continue;
        nodeTables = true;
        OutputTableCaption(out, CString("节点") + kWindDirection[d - 1] + "向风载信息");
        out.CreateTableHead("荷载编号", 14, 0);
        out.CreateTableHead("工况号", 10, 0);
        out.CreateTableHead("X", 10, 0);
        if (space)
            out.CreateTableHead("Y", 10, 0);
        out.CreateTableHead("Z", 10, 0);
        for (POSITION pos = loads.GetHeadPosition(); pos != nullptr;) {
            const CLoadWind* load = loads.GetNextT(pos);
            out.SetTableContent(Cell("WN%d-%d", d, load->m_nNo));
            out.SetTableContent(d);
            out.SetTableContent((double)load->m_fX);
            if (space)
                out.SetTableContent((double)load->m_fY);
            out.SetTableContent((double)load->m_fZ);
        }
        out.EndTable();
    }
    if (nodeTables) {
        NodeAssignment()(out);
        for (POSITION pos = st.m_pNodeList->GetHeadPosition(); pos != nullptr;) {
            CPNode* node = st.m_pNodeList->GetNextT(pos);
            for (int d = 1; d <= 4; ++d)
                for (POSITION p = node->m_pWindLoadList[d - 1]->GetHeadPosition(); p != nullptr;)
                    Pair(out, node->GetNo(), Cell("WN%d-%d", d, node->m_pWindLoadList[d - 1]->GetNextT(p)->m_nNo));
        }
        out.EndTable();
        out << endl;
    }

    bool memberTables = false;
    for (int d = 1; d <= 4; ++d) {
        CLoadBeamList& loads = *st.m_pLoadWindBeamList[d - 1];
        if (loads.IsEmpty())
            continue;
        memberTables = true;
        MemberLoadTable(CString("杆件") + kWindDirection[d - 1] + "向风载信息", true)(out);
        for (POSITION pos = loads.GetHeadPosition(); pos != nullptr;) {
            const CLoadBeam* load = loads.GetNextT(pos);
            out.SetTableContent(Cell("WB%d-%d", d, load->m_nNo));
            out.SetTableContent(d);
            MemberLoadCells(out, *load);
        }
        out.EndTable();
    }
    if (memberTables) {
        MemberAssignment()(out);
        for (POSITION pos = st.m_pBeamList->GetHeadPosition(); pos != nullptr;) {
            CBeamBase* member = st.m_pBeamList->GetNextT(pos);
            CMemberLoads* own = GetMemberLoads(member);
            for (int d = 1; own != nullptr && d <= 4; ++d)
                for (POSITION p = own->m_pWindLoadList[d - 1]->GetHeadPosition(); p != nullptr;)
                    Pair(out, member->GetNo(), Cell("WB%d-%d", d, own->m_pWindLoadList[d - 1]->GetNextT(p)->m_nNo));
        }
        out.EndTable();
        out << endl;
    }
    CloseChapter(out);
}

void CDlgOutputModel::OutputCraneLoads(COutput& out)
{
    CStruct& st = *m_pData->Struct();
    OpenChapter(out, "吊车荷载");
    OutputCraneTable(out, st, OutputTableCaption);
    OutputCraneLayoutTable(out, st, OutputTableCaption);

    for (INT_PTR i = 0; i < st.m_arrCraneNodeLoad.GetSize(); ++i) {
        auto* nodeLoads = static_cast<CLoadCraneList*>(st.m_arrCraneNodeLoad.GetAt(i));
        if (nodeLoads == nullptr)
            continue;
        // A case without a member-load list writes its node loads only.
        auto* memberLoads = i < st.m_arrCraneBeamLoad.GetSize()
                                ? static_cast<CLoadCraneBeamList*>(st.m_arrCraneBeamLoad.GetAt(i))
                                : nullptr;
        const int k = (int)i + 1;
        CLazyTable table(out, [nodeLoads](COutput& o) {
            CString caption;
            caption.Format("吊车工况%d荷载信息表 类型:", nodeLoads->m_nNo);
            OutputTableCaption(o, caption + (nodeLoads->m_bGenerated ? "导算" : "自定义"));
            o.CreateTableHead("荷载编号", 10, 0);
            o.CreateTableHead("类型", 15, 0);
            o.CreateTableHead("描述", 35, 0);
        });
        CString text;
        for (POSITION pos = nodeLoads->GetHeadPosition(); pos != nullptr;) {
            const auto* load = static_cast<const CLoadNode*>(nodeLoads->GetNext(pos));
            load->GetDescription(&text);
            table.Row();
            out.SetTableContent(Cell("CN%d-%d", k, load->m_nNo));
            out.SetTableContent(CString("节点荷载"));
            out.SetTableContent(text);
        }
        for (POSITION pos = memberLoads ? memberLoads->GetHeadPosition() : nullptr; pos != nullptr;) {
            const auto* load = static_cast<const CLoadBeam*>(memberLoads->GetNext(pos));
            load->GetDescription(&text);
            table.Row();
            out.SetTableContent(Cell("CB%d-%d", k, load->m_nNo));
            out.SetTableContent(CString("杆件荷载"));
            out.SetTableContent(text);
        }
        table.End();
    }
    out << endl;

    CLazyTable nodes(out, NodeAssignment());
    for (POSITION pos = st.m_pNodeList->GetHeadPosition(); pos != nullptr;) {
        CPNode* node = st.m_pNodeList->GetNextT(pos);
        for (INT_PTR i = 0; i < node->m_arrCraneLoad.GetSize(); ++i) {
            auto* loads = static_cast<CLoadCraneList*>(node->m_arrCraneLoad.GetAt(i));
            if (loads == nullptr)
                continue;
            const int k = CraneCase(st, loads->m_nNo, i);
            for (POSITION p = loads->GetHeadPosition(); p != nullptr;)
                Pair(nodes.Row(), node->GetNo(), Cell("CN%d-%d", k, static_cast<CLoadNode*>(loads->GetNext(p))->m_nNo));
        }
    }
    nodes.End(true);
    CLazyTable members(out, MemberAssignment());
    for (POSITION pos = st.m_pBeamList->GetHeadPosition(); pos != nullptr;) {
        CBeam* member = st.m_pBeamList->GetNextT(pos)->toBeam();
        for (INT_PTR i = 0; member != nullptr && i < member->m_arrCraneBeamLoad.GetSize(); ++i) {
            auto* loads = static_cast<CLoadCraneBeamList*>(member->m_arrCraneBeamLoad.GetAt(i));
            if (loads == nullptr)
                continue;
            const int k = CraneCase(st, loads->m_nNo, i);
            for (POSITION p = loads->GetHeadPosition(); p != nullptr;)
                Pair(members.Row(), member->GetNo(), Cell("CB%d-%d", k, static_cast<CLoadBeam*>(loads->GetNext(p))->m_nNo));
        }
    }
    members.End(true);
    CloseChapter(out);
}

void CDlgOutputModel::GetLoadTemperature(int type, CBeamList* list)
{
    list->RemoveAll();
    if (type < 1 || type > 4 || !m_pData || !m_pData->Struct())
        return;
    CBeamList& all = *m_pData->Struct()->m_pBeamList;
    for (POSITION pos = all.GetHeadPosition(); pos != nullptr;)
        if (CBeamBase* member = all.GetNextT(pos); member->m_nTempFlag[type - 1] != 0)
            list->AddTail(member);
}

void CDlgOutputModel::OutputTemperature(COutput& out)
{
    CStruct& st = *m_pData->Struct();
    OpenChapter(out, "温度作用");
    CBeamList members;
    for (int k = 1; k <= 4; ++k) {
        const float t = st.m_pTemperature[k - 1] ? st.m_pTemperature[k - 1]->GetfT() : 0.0f;
        GetLoadTemperature(k, &members);
        if (std::fabs(t) < 0.001f || members.IsEmpty())
            continue;
        CString caption;
        caption.Format("温度%d荷载信息表(温度变化%.2f度)", k, t);
        OutputTableCaption(out, caption);
        out.CreateTableHead("荷载编号", 15, 0);
        out.CreateTableHead("杆件编号", 20, 0);
        out.CreateTableHead("杆件轴力", 20, 0);
        int row = 0;
        for (POSITION pos = members.GetHeadPosition(); pos != nullptr;) {
            CBeamBase* member = members.GetNextT(pos);
            CString force;
            force.Format("%.3f", member->toBeam() ? member->toBeam()->GetTemperatureN(t) : 0.0f);
            out.SetTableContent(Cell("TB%d-%d", k, ++row));
            out.SetTableContent(member->GetNo());
            out.SetTableContent(force);
        }
        out.EndTable();
        out << endl;
    }
}

void CDlgOutputModel::OutputVerticalSeismic(COutput& out)
{
    CStruct& st = *m_pData->Struct();
    OpenChapter(out, "竖向地震作用");
    OutputTableCaption(out, "节点竖向地震作用信息");
    out.CreateTableHead("节点编号", 15, 0);
    out.CreateTableHead("节点质量", 20, 0);
    out.CreateTableHead("作用系数", 20, 0);
    for (POSITION pos = st.m_pNodeList->GetHeadPosition(); pos != nullptr;) {
        const CPNode* node = st.m_pNodeList->GetNextT(pos);
        if (node->m_fVSeismCoef <= 0.001f || node->m_fVSeismMass <= 0.001f)
            continue;
        CString mass, coef;
        mass.Format("%.3f", node->m_fVSeismMass);
        coef.Format("%.3f", node->m_fVSeismCoef);
        out.SetTableContent(node->GetNo());
        out.SetTableContent(mass);
        out.SetTableContent(coef);
    }
    out.EndTable();
    out << endl;
}
