#include <vyr/reports/DlgOutputSummary.h>

#include <cstring>

#include <vyr/ddx.h>
#include <vyr/model/material/material.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/HostProtocol.h>
#include <vyr/reports/ReportBlocks.h>

BEGIN_MESSAGE_MAP(CDlgOutputSummary, CDlgReportChapter)
    ON_BN_CLICKED(IDC_OSUM_MODEL, &CDlgOutputSummary::OnCheckModel)
    ON_BN_CLICKED(IDC_OSUM_LOAD, &CDlgOutputSummary::OnCheckLoad)
    ON_BN_CLICKED(IDC_OSUM_LC, &CDlgOutputSummary::OnCheckLc)
    ON_BN_CLICKED(IDC_OSUM_DESIGN, &CDlgOutputSummary::OnCheckDesign)
END_MESSAGE_MAP()

namespace {

const char* const kDashLine = "--------------------------------------------------------";

// A line end, "表%d. " with the table number and the name, a line end.
void NumberedCaption(COutput& out, int number, const CString& name)
{
    CString text;
    text.Format("表%d. ", number);
    out << endl << text << name << endl;
}

void Level3Heading(COutput& out, const CString& text)
{
    out.SetFontSize(10.5f);
    out << title(3) << title << text << endl << title(0);
    out.SetFontSize(9.0f);
}

void CaseLine(COutput& out, const CString& text)
{
    out << tab << text << endl;
}

CString Sci(double value)
{
    CString text;
    text.Format("%.2e", value);
    return text;
}

CString SectionNo(const CSectionBase* sec)
{
    CString text;
    text.Format("R%-3d", sec->m_nNo);
    return text;
}

// The component section of a combined section: the steel part of a steel-concrete section,
// the first part of a built-up one.
CSectionBase* ComponentSection(CSectionBase* sec)
{
    if (auto* hybrid = dynamic_cast<CHybridSecBase*>(sec))
        return hybrid->GetSteelSec();
    if (auto* combined = dynamic_cast<CCombineSecBase*>(sec))
        return combined->m_pSec1;
    return nullptr;
}

// A combined section (codes 700 to 899) names its component's material before its own.
CString SectionMaterial(CSectionBase* sec)
{
    const int type = sec->GetType();
    if (type >= 700 && type <= 899)
        if (CSectionBase* component = ComponentSection(sec))
            return component->GetStrMatType() + "+" + sec->GetStrMatType();
    return sec->GetStrMatType();
}

CString MaterialName(const CMaterialBase* material)
{
    return material ? CString(material->GetName()) : CString("缺省");
}

template <class Fn>
void ForUsedSections(CStruct& st, Fn fn)
{
    for (POSITION pos = st.m_pSectionList->GetHeadPosition(); pos != nullptr;)
        if (auto* sec = static_cast<CSectionBase*>(st.m_pSectionList->GetNext(pos)); sec->m_nUsed != 0)
            fn(sec);
}

// The real number stored at a word of a host settings block.
float SettingsReal(const void* block, int word)
{
    float value = 0.0f;
    std::memcpy(&value, static_cast<const char*>(block) + word * sizeof(float), sizeof value);
    return value;
}

} // namespace

CDlgOutputSummary::CDlgOutputSummary(CWnd* pParent) : CDlgReportChapter(IDD_OUTPUT_SUMMARY, pParent) {}

void CDlgOutputSummary::DoDataExchange(CDataExchange* pDX)
{
    CDlgReportChapter::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_OSUM_MODEL, m_bModel);
    DDX_Check(pDX, IDC_OSUM_LOAD, m_bLoad);
    DDX_Check(pDX, IDC_OSUM_LC, m_bLc);
    DDX_Check(pDX, IDC_OSUM_DESIGN, m_bDesign);
}

void CDlgOutputSummary::OutputUnite(COutput& out, int flag)
{
    if (!m_pData || !m_pData->Struct())
        return;
    OutputTitle(out, m_pData->ProjectName() + "总体信息", flag);
    out.SetFontSize(9.0f);
    int table = 1;
    if (m_bModel)
        OutputModel(out, table);
    if (m_bLoad)
        OutputLoads(out, table);
    if (m_bLc)
        OutputCombinations(out);
    if (m_bDesign)
        OutputDesign(out);
}

void CDlgOutputSummary::OutputModel(COutput& out, int& table)
{
    CStruct& st = *m_pData->Struct();
    out << endl;
    OutputLevel2Heading(out, "总体模型信息");
    out << "结构类型：" << StructureTypeName(m_pData->CurrentStructureType()) << endl;

    const CFloorList& floors = *st.m_pFloorList;
    if (floors.GetRealFloorNum() >= 1)
    {
        CString line;
        line.Format("结构楼面总数：%d；", (int)floors.GetCount() - 1);
        out << line << endl;
        line.Format("结构真实楼层总数：%d；", floors.GetRealFloorNum());
        out << line << endl;
        line.Format("结构地下室层数：%d；", st.m_nBasementNum);
        out << line << endl;
        NumberedCaption(out, 1, "结构楼面属性信息");
        out.CreateTableHead("楼面描述", 20, 0);
        for (const char* head : {"楼面标高", "楼面类型", "刚心数目", "楼板材料", "墙体材料"})
            out.CreateTableHead(head, 15, 0);
        for (POSITION pos = floors.GetHeadPosition(); pos != nullptr;)
        {
            const CFloor* f = floors.GetNextT(pos);
            out.SetTableContent(f->GetDescription());
            line.Format("%.3fm", f->GetZ() * 0.01);
            out.SetTableContent(line);
            out.SetTableContent(f->GetPropertyStr());
            line.Format("%d个", f->m_pRigidList ? (int)f->m_pRigidList->GetCount() : 0);
            out.SetTableContent(line);
            out.SetTableContent(MaterialName(f->m_pSlabMaterial));
            out.SetTableContent(MaterialName(f->m_pWallMaterial));
        }
        out.EndTable();
        out << kDashLine << endl;
        table = 2;
    }

    st.SetUsedSection(true);
    CString line;
    line.Format("使用截面总数：%d；", st.GetUsedSectionNum(true));
    out << line << endl;

    NumberedCaption(out, table++, "结构截面属性信息");
    out.CreateTableHead("编号", 10, 0);
    out.CreateTableHead("截面描述", 40, 0);
    out.CreateTableHead("材料描述", 20, 0);
    out.CreateTableHead("材料E(kN/m2)", 15, 0);
    out.CreateTableHead("材料G(kN/m2)", 15, 0);
    ForUsedSections(st, [&](CSectionBase* sec) {
        out.SetTableContent(SectionNo(sec));
        out.SetTableContent(sec->GetSimpleSecName());
        out.SetTableContent(SectionMaterial(sec));
        out.SetTableContent(Sci(sec->GetE() * 10000.0));
        out.SetTableContent(Sci(sec->GetG() * 10000.0));
    });
    out.EndTable();
    out << kDashLine << endl;

    NumberedCaption(out, table++, "结构截面特性信息");
    out.CreateTableHead("编号", 10, 0);
    for (const char* head : {"A1(m2)", "A2(m2)", "A3(m2)", "I1(m4)", "I2(m4)", "I3(m4)"})
        out.CreateTableHead(head, 15, 0);
    ForUsedSections(st, [&](CSectionBase* sec) {
        out.SetTableContent(SectionNo(sec));
        out.SetTableContent(Sci(sec->GetA1() * 0.0001));
        out.SetTableContent(Sci(sec->GetA2() * 0.0001));
        out.SetTableContent(Sci(sec->GetA3() * 0.0001));
        out.SetTableContent(Sci(sec->GetI11() * 1e-8));
        out.SetTableContent(Sci(sec->GetI22() * 1e-8));
        out.SetTableContent(Sci(sec->GetI33() * 1e-8));
    });
    out.EndTable();
    out << kDashLine << endl;
}

void CDlgOutputSummary::OutputLoads(COutput& out, int& table)
{
    CStruct& st = *m_pData->Struct();
    out << endl;
    OutputLevel2Heading(out, "总体荷载信息");

    OutputBanner(out, "＝＝＝＝＝＝＝＝＝＝＝恒荷载信息＝＝＝＝＝＝＝＝＝＝＝");
    out << "混凝土容重：25.00kN/m3；" << endl;
    out << "钢材容重：78.00kN/m3；" << endl;
    out << (m_pData->Gravity() ? "恒载自动叠加结构构件自重。" : "恒载不叠加结构构件自重。") << endl << tab;

    OutputBanner(out, "＝＝＝＝＝＝＝＝＝＝＝活荷载信息＝＝＝＝＝＝＝＝＝＝＝");
    out << (m_bColWallLiveReduce ? "柱、墙活荷载进行折减；" : "柱、墙活荷载不进行折减；") << endl;
    out << (m_bFoundLiveReduce ? "传到基础的活荷载进行折减；" : "传到基础的活荷载不进行折减；") << endl;
    if (m_bColWallLiveReduce || m_bFoundLiveReduce)
    {
        out << "------------柱，墙，基础活荷载折减系数-------------" << endl;
        out << "\t层号\t折减系数" << endl;
        static const char* const ranges[] = {"1", "2-3", "4-5", "6-8", "9-20", ">20"};
        for (int i = 0; i < 6; ++i)
        {
            CString line;
            line.Format("\t%s\t%.2f", ranges[i], m_fLiveReduceFactor[i]);
            out << line << endl;
        }
    }

    OutputBanner(out, "＝＝＝＝＝＝＝＝＝＝＝风荷载信息＝＝＝＝＝＝＝＝＝＝＝");
    out << "风载体形系数，按照《"
        << (st.GetWindCode() == 1 ? "门式刚架轻型房屋钢结构技术规程》（CECS102:2002）取值。"
                                  : "建筑结构荷载规范》（GB50009-2001）取值。")
        << endl;
    OutputWindParameters(out, st);

    if (!st.m_pCraneList->IsEmpty())
    {
        OutputBanner(out, "＝＝＝＝＝＝＝＝＝＝＝吊车荷载信息＝＝＝＝＝＝＝＝＝＝＝");
        OutputCraneTable(out, st, [&](COutput& o, const CString& name) { NumberedCaption(o, table++, name); });
    }
    // The layout table takes the next number without using it up.
    OutputCraneLayoutTable(out, st, [&](COutput& o, const CString& name) { NumberedCaption(o, table, name); });

    OutputBanner(out, "＝＝＝＝＝＝＝＝＝＝＝地震荷载信息＝＝＝＝＝＝＝＝＝＝＝");
    out.SetTextStyle(0, false, false, 9, 0, 1);
    out.SetTextStyle(4, true, false, 9, 0, 1);
    out << title(0);
    OutputSeismicBlock(out, *m_pData);
    out.SetTextStyle(0, false, false, 9, 0, 1);
    out << title(0) << endl;
}

void CDlgOutputSummary::OutputCombinations(COutput& out)
{
    CStruct& st = *m_pData->Struct();
    out << endl;
    OutputLevel2Heading(out, "工况组合信息");

    Level3Heading(out, "基本荷载工况信息");
    CBasicLCList* cases = m_pData->GetCurBasicLCList();
    for (int i = 1; i <= (int)cases->GetCount(); ++i)
    {
        CString text;
        cases->Get(i)->GetDescription(&text, 0);
        CaseLine(out, text);
    }
    out << endl;

    const CLCList& p = *st.m_pLCList;
    Level3Heading(out, "自动组合参数信息");
    CaseLine(out, p.m_nLock ? "采用用户自定义荷载组合" : "采用程序自动计算荷载组合");
    CaseLine(out, p.m_nStandardRule == 1 ? "标准组合采用GB500009-2001第3.2.4条简化组合方法生成"
                                         : "标准组合采用GB500009-2001第3.2.8条标准组合方法生成");
    CaseLine(out, p.m_nBasicRule == 1 ? "基本组合采用GB500009-2001第3.2.4条简化组合方法生成"
                                      : "基本组合采用GB500009-2001第3.2.3条标准组合方法生成");
    if (p.m_bWindBothDir)
        CaseLine(out, "基本组合自动生成时，每个风载工况组合时增加一种反向对应组合");
    if (p.m_bSeismBothDir)
        CaseLine(out, "基本组合自动生成时，每个水平地震工况组合时增加一种反向对应组合");
    if (p.m_bFavourableDead)
        CaseLine(out, "基本组合自动生成时，同时考虑考虑恒载有利与不利两种情况的组合");
    out << endl;

    auto factorLines = [&](const char* heading, std::initializer_list<std::pair<const char*, float>> lines) {
        out.SetFlagAdd(OUTPUT_FLAG_EMPHASIS);
        out << heading << endl;
        out.SetFlagSub(OUTPUT_FLAG_EMPHASIS);
        for (const auto& [name, factor] : lines)
            out << tab << name << tab << factor << endl;
    };
    factorLines("基本工况分项系数：", {{"预应力基本工况", p.m_fPrestressFactor},
                                       {"恒载基本工况", p.m_fDeadFactor},
                                       {"活载基本工况", p.m_fLiveFactor},
                                       {"风载基本工况", p.m_fWindFactor},
                                       {"吊车荷载基本工况", p.m_fCraneFactor},
                                       {"温度荷载基本工况", p.m_fTemperatureFactor},
                                       {"重力作用基本工况", p.m_fGravityFactor},
                                       {"水平地震基本工况", p.m_fHSeismFactor},
                                       {"竖向地震基本工况", p.m_fVSeismFactor}});
    out << tab << endl;
    factorLines("可变荷载组合系数：", {{"活载基本工况", p.m_fLiveCombFactor},
                                       {"风载基本工况", p.m_fWindCombFactor},
                                       {"吊车荷载基本工况", p.m_fCraneCombFactor},
                                       {"温度荷载基本工况", p.m_fTemperatureCombFactor}});
    out << endl;

    auto combinations = [&](const char* heading, const CLCList* list) {
        Level3Heading(out, heading);
        for (int i = 1; list && i <= (int)list->GetCount(); ++i)
        {
            const CLoadCombination* lc = list->Get(i);
            // The model's description already starts with the combination's label; it is
            // written once.
            CString label, description = lc->GetDescription();
            label.Format("LC%d:", lc->m_nNo);
            if (description.Find(label) == 0)
                description = description.Mid(label.GetLength());
            CString text;
            text.Format("LC%d:%s", lc->m_nNo, description.GetString());
            CaseLine(out, text);
        }
        out << endl;
    };
    combinations("基本荷载组合信息", m_pData->GetSLCList());
    combinations("标准荷载组合信息", m_pData->GetSDispLCList());
}

void CDlgOutputSummary::OutputDesign(COutput& out)
{
    CStruct& st = *m_pData->Struct();
    out << endl;
    OutputLevel2Heading(out, "设计参数信息");
    OutputBanner(out, "＝＝＝＝＝＝＝＝＝＝＝刚度与内力调整信息＝＝＝＝＝＝＝＝＝＝＝＝");
    // Answered on the user-interface thread also when the chapter is written on a worker.
    const void* block = reinterpret_cast<const void*>(VyrSendToHost(WM_UI_GETSETTINGS, 0, 1));
    auto factorLine = [&](const char* format, int word) {
        CString line;
        line.Format(format, SettingsReal(block, word));
        out << line << endl;
    };
    if (m_bBeamStiffAdjust && block)
    {
        out << "梁的刚度进行调整" << endl;
        factorLine("连梁刚度折减系数：%.2f；", 6);
        factorLine("中间梁刚度增大系数：%.2f；", 8);
        factorLine("边梁刚度增大系数：%.2f；", 7);
    }
    else
        out << "梁的刚度不进行调整；" << endl;
    // Without the host's block there are no factors to tell.
    if (block)
    {
        factorLine("梁端弯矩调幅系数：%.2f；", 9);
        factorLine("梁跨中弯矩增大系数：%.2f；", 10);
        factorLine("梁扭矩折减系数：%.2f；", 11);
    }
    out << (m_pData->FloorSeismAdjust() ? "考虑楼层最小地震力调整" : "不考虑楼层最小地震力调整") << endl;

    bool hasBrace = false;
    for (POSITION pos = st.m_pBeamList->GetHeadPosition(); pos != nullptr && !hasBrace;)
        hasBrace = st.m_pBeamList->GetNextT(pos)->GetType() == 3;
    if (st.m_pFloorList->GetRealFloorNum() > 1 && (!st.m_pWallList->IsEmpty() || hasBrace))
        out << (m_pData->FrameSeismAdjust() ? "考虑框架地震内力调整" : "不考虑框架地震内力调整") << endl;
}
