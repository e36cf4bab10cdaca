#include <vyr/reports/DlgOutputModel.h>

#include <cmath>

#include <vyr/app.h>
#include <vyr/ddx.h>
#include <vyr/model/base/VyrProduct.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/ThreadMessages.h>
#include <vyr/reports/ReportBlocks.h>

BEGIN_MESSAGE_MAP(CDlgOutputModel, CDlgReportChapter)
    ON_BN_CLICKED(IDC_OMODEL_TOTAL, &CDlgOutputModel::OnCheckTotal)
    ON_BN_CLICKED(IDC_OMODEL_NODE, &CDlgOutputModel::OnCheckNode)
    ON_BN_CLICKED(IDC_OMODEL_BEAM, &CDlgOutputModel::OnCheckBeam)
    ON_BN_CLICKED(IDC_OMODEL_PRELOAD, &CDlgOutputModel::OnCheckPreload)
    ON_BN_CLICKED(IDC_OMODEL_DEAD, &CDlgOutputModel::OnCheckDead)
    ON_BN_CLICKED(IDC_OMODEL_LIVE, &CDlgOutputModel::OnCheckLive)
    ON_BN_CLICKED(IDC_OMODEL_WIND, &CDlgOutputModel::OnCheckWind)
    ON_BN_CLICKED(IDC_OMODEL_CRANE, &CDlgOutputModel::OnCheckCrane)
    ON_BN_CLICKED(IDC_OMODEL_T, &CDlgOutputModel::OnCheckT)
    ON_BN_CLICKED(IDC_OMODEL_SEISM, &CDlgOutputModel::OnCheckLoadseism)
    ON_BN_CLICKED(IDC_OMODEL_SEISMV, &CDlgOutputModel::OnCheckLoadseismv)
    ON_BN_CLICKED(IDC_OMODEL_SHOW, &CDlgOutputModel::OnDisplay)
END_MESSAGE_MAP()

namespace {

CString RangeText(int range)
{
    static const char* const names[] = {"中间区", "左边缘区", "右边缘区"};
    return range >= 0 && range < 3 ? CString(names[range]) : CString();
}

void SpanLines(COutput& out, CPortal& frame)
{
    for (int i = 0; i < frame.GetSpanNum(); ++i)
    {
        CPortalSpan& span = *frame.GetSpan(i);
        out << tab << "第" << i + 1 << "跨:" << span.GetTypeDesc() << ",跨度" << span.GetSpan() * 0.01 << "m,"
            << "左檐口高" << span.GetLeftH() * 0.01 << "m," << "右檐口高" << span.GetRightH() * 0.01 << "m,"
            << "坡度为:" << span.GetTaperDesc() << endl;
    }
}

// The base of the first column standing on a support, in member-list order.
CString ColumnBaseText(CStruct& st)
{
    for (POSITION pos = st.m_pBeamList->GetHeadPosition(); pos != nullptr;)
    {
        const CBeamBase* member = st.m_pBeamList->GetNextT(pos);
        if (member->GetType() != 1 || !member->GetNode1() || !member->GetNode1()->GetSupport())
            continue;
        switch (member->GetNode1()->GetSupport()->GetType())
        {
        case 1: return "固接";
        case 2: return "铰接";
        default: return "弹簧支座";
        }
    }
    return "无支座";
}

} // namespace

CDlgOutputModel::CDlgOutputModel(CWnd* pParent) : CDlgReportChapter(IDD_OUTPUT_MODEL, pParent)
{
    m_bHideWhileWriting = true;
}

void CDlgOutputModel::DoDataExchange(CDataExchange* pDX)
{
    CDlgReportChapter::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_OMODEL_BEAM, m_bBeam);
    DDX_Check(pDX, IDC_OMODEL_CRANE, m_bCrane);
    DDX_Check(pDX, IDC_OMODEL_DEAD, m_bDead);
    DDX_Check(pDX, IDC_OMODEL_LIVE, m_bLive);
    DDX_Check(pDX, IDC_OMODEL_SEISM, m_bSeism);
    DDX_Check(pDX, IDC_OMODEL_SEISMV, m_bSeismV);
    DDX_Check(pDX, IDC_OMODEL_NODE, m_bNode);
    DDX_Check(pDX, IDC_OMODEL_PRELOAD, m_bPreload);
    DDX_Check(pDX, IDC_OMODEL_T, m_bT);
    DDX_Check(pDX, IDC_OMODEL_TOTAL, m_bTotal);
    DDX_Check(pDX, IDC_OMODEL_WIND, m_bWind);
}

void CDlgOutputModel::OnOK()
{
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDlgOutputModel::OnCancel()
{
    UpdateData(TRUE);
    EndDialog(IDCANCEL);
}

CString CDlgOutputModel::GetStr(int n)
{
    static const char* const numerals[] = {"一", "二", "三", "四", "五", "六", "七",
                                           "八", "九", "十", "十一", "十二", "十三"};
    return n >= 1 && n <= 13 ? CString(numerals[n - 1]) : CString();
}

void CDlgOutputModel::OutputUnite(COutput& out, CWnd* progressOwner, int flag)
{
    CWaitCursor wait;
    if (!m_pData || !m_pData->Struct())
        return;
    auto cancelled = [progressOwner] {
        return progressOwner && progressOwner->SendMessage(WM_THREAD_CHECKCANCEL, 0, 0) == 1;
    };

    OutputTitle(out, m_pData->ProjectName() + "模型与荷载信息", flag);
    out.SetFontSize(9.0f);

    if (cancelled())
        return;
    if (m_bTotal)
        OutputGeneral(out);

    if (cancelled())
        return;
    out.SetFlagAdd(OUTPUT_FLAG_NUMBERS);
    out.SetPrecision(3);
    if (m_bNode)
        OutputNodes(out);

    if (cancelled())
        return;
    if (m_bBeam)
        OutputMembers(out);

    if (cancelled())
        return;
    out.SetPrecision(2);
    bool kinds[14];
    m_pData->GetCurBasicLCList()->LoadInfro(kinds);
    if (kinds[13] && m_bPreload)
        OutputInitialStress(out);

    // Which case kinds (flags 1 to 14, from 1) and which box each load chapter needs.
    struct Gate
    {
        LoadChapter chapter;
        int firstKind, lastKind;
        int CDlgOutputModel::*box;
    };
    static const Gate gates[LOAD_CHAPTERS] = {
        {LOAD_DEAD, 1, 1, &CDlgOutputModel::m_bDead},
        {LOAD_LIVE, 2, 2, &CDlgOutputModel::m_bLive},
        {LOAD_WIND, 3, 6, &CDlgOutputModel::m_bWind},
        {LOAD_CRANE, 13, 13, &CDlgOutputModel::m_bCrane},
        {LOAD_TEMPERATURE, 9, 12, &CDlgOutputModel::m_bT},
        {LOAD_HSEISM, 7, 7, &CDlgOutputModel::m_bSeism},
        {LOAD_VSEISM, 8, 8, &CDlgOutputModel::m_bSeismV},
    };
    for (const Gate& gate : gates)
    {
        if (cancelled())
            return;
        bool present = false;
        for (int k = gate.firstKind; k <= gate.lastKind; ++k)
            present = present || kinds[k - 1];
        if (present && this->*gate.box)
            OutputLoadChapter(out, gate.chapter);
    }
}

void CDlgOutputModel::OutputGeneral(COutput& out)
{
    CStruct& st = *m_pData->Struct();
    out << endl;
    OutputLevel2Heading(out, "工程总体信息");
    out.SetTextStyle(0, false, false, 9, 0, 1);
    out.SetTextStyle(3, true, false, 9, 0, 1);
    const int type = m_pData->CurrentStructureType();
    out << "结构类型：" << StructureTypeName(type) << endl;

    CPortal& record = st.m_Portal;
    if (type == 3)
    {
        out << "本门式刚架类型为" << RangeText(record.GetRangeType()) << ",柱距为" << record.GetDist() * 0.01
            << "m，柱脚" << ColumnBaseText(st) << "，基础顶面标高为" << record.GetPtIns().z * 0.01 << "m，共"
            << record.GetSpanNum() << "跨，信息如下：" << endl;
        SpanLines(out, record);
    }
    else if (type == 1 && !st.m_pPortalList->IsEmpty())
    {
        out << "本空间门式结构布置的各标准榀信息:" << endl;
        int number = 0;
        for (POSITION pos = st.m_pPortalList->GetHeadPosition(); pos != nullptr;)
        {
            CPortal& frame = *static_cast<CPortal*>(st.m_pPortalList->GetNext(pos));
            if (frame.GetAxisNum() == 0)
                continue;
            CString axes;
            for (int i = 0; i < frame.GetAxisNum(); ++i)
            {
                CString one;
                one.Format(i + 1 < frame.GetAxisNum() ? "%d," : "%d", frame.GetAxis(i));
                axes += one;
            }
            CString line;
            line.Format("标准榀%d:榀类型为%s,榀距为%.2fm,布置轴线为%s", ++number,
                        RangeText(frame.GetRangeType()).GetString(), record.GetDist() * 0.01, axes.GetString());
            out << line << endl;
            out << "基础顶面标高为" << frame.GetPtIns().z * 0.01 << "m，共" << frame.GetSpanNum() << "跨，信息如下："
                << endl;
            SpanLines(out, frame);
            out << endl;
        }
    }
    OutputFigureLine(out, "计算简图");
}

void CDlgOutputModel::OutputNodes(COutput& out)
{
    CStruct& st = *m_pData->Struct();
    const bool space = CVyrProduct::Inst().Is3D() != 0;
    out.SetTextStyle(0, false, false, 9, 0, 1);
    out.SetTextStyle(3, true, false, 9, 0, 1);
    out << endl;
    OutputLevel2Heading(out, "结点分析属性");
    OutputFigureLine(out, "节点编号图");
    out << endl;
    OutputTableCaption(out, "节点信息(mm)");
    if (space)
        out << strwidth(8) << "节点号" << strwidth(10) << "X坐标" << "Y坐标" << "Z坐标" << strwidth(42)
            << "节点约束(0-约束 1-释放)" << strwidth(0) << endl;
    else
        out << strwidth(8) << "节点号" << strwidth(14) << "X坐标" << "Z坐标" << strwidth(42) << "节点约束"
            << strwidth(0) << endl;

    // The restraint directions of the edition: all six in space, X, Z and My in the plane.
    static const int spaceDirs[] = {0, 1, 2, 3, 4, 5};
    static const int planeDirs[] = {0, 2, 4};
    if (space)
    {
        out.CreateTableHead(" ", 8, 0);
        for (int i = 0; i < 3; ++i)
            out.CreateTableHead(" ", 10, 0);
        for (const char* head : {"X", "Y", "Z", "Mx", "My", "Mz"})
            out.CreateTableHead(head, 7, 0);
    }
    else
    {
        out.CreateTableHead(" ", 8, 0);
        out.CreateTableHead(" ", 14, 0);
        out.CreateTableHead(" ", 13, 0);
        for (const char* head : {"X", "Z", "My"})
            out.CreateTableHead(head, 14, 0);
    }
    out.SetFlagAdd(OUTPUT_FLAG_NUMBERS);
    out.SetPrecision(1);
    for (POSITION pos = st.m_pNodeList->GetHeadPosition(); pos != nullptr;)
    {
        const CPNode* node = st.m_pNodeList->GetNextT(pos);
        const CPoint3D& pt = node->GetPt();
        out.SetTableContent(node->GetNo());
        out.SetTableContent(pt.x * 10.0);
        if (space)
            out.SetTableContent(pt.y * 10.0);
        out.SetTableContent(pt.z * 10.0);
        const CSupportBase* support = node->GetSupport();
        for (int i = 0; i < (space ? 6 : 3); ++i)
            out.SetTableContent(support ? (support->m_nRelease[space ? spaceDirs[i] : planeDirs[i]] ? 1 : 0) : 1);
    }
    out.EndTable();
    out << "注：节点约束(0-约束 1-自由)" << endl;
}

void CDlgOutputModel::OutputMembers(COutput& out)
{
    CStruct& st = *m_pData->Struct();
    out << endl;
    OutputLevel2Heading(out, "杆件分析属性");
    OutputFigureLine(out, "杆件编号图");
    out << endl;
    OutputTableCaption(out, "杆件信息");
    out.CreateTableHead("杆件号", 10, 0);
    out.CreateTableHead("连接节点", 14, 0);
    out.CreateTableHead("小节点2-3", 12, 0);
    out.CreateTableHead("大节点2-3", 12, 0);
    out.CreateTableHead("材料", 12, 0);
    out.CreateTableHead("截面", 30, 0);
    for (POSITION pos = st.m_pBeamList->GetHeadPosition(); pos != nullptr;)
    {
        const CBeamBase* member = st.m_pBeamList->GetNextT(pos);
        CString text;
        out.SetTableContent(member->GetNo());
        text.Format("%d-%d", member->GetNode1() ? member->GetNode1()->GetNo() : 0,
                    member->GetNode2() ? member->GetNode2()->GetNo() : 0);
        out.SetTableContent(text);
        int s2 = 0, s3 = 0, e2 = 0, e3 = 0;
        member->GetBeamBindRelease(s2, s3, e2, e3);
        text.Format("%d-%d", s2, s3);
        out.SetTableContent(text);
        text.Format("%d-%d", e2, e3);
        out.SetTableContent(text);
        CSectionBase* sec = member->GetSection();
        out.SetTableContent(sec ? sec->GetStrMatType() : CString("---"));
        out.SetTableContent(sec ? sec->GetSimpleSecName() : CString("---"));
    }
    out.EndTable();
    out << "注：节点2-3轴弯矩释放(0-约束 1-自由)" << endl;
    out.SetTextStyle(0, false, false, 10.5f, 0, 1);
    out.SetTextStyle(3, true, false, 10.5f, 0, 1);
}

void CDlgOutputModel::OutputInitialStress(COutput& out)
{
    CStruct& st = *m_pData->Struct();
    out << endl;
    OutputLevel2Heading(out, "初应力荷载");
    if (!st.m_pBeamList->IsEmpty())
    {
        OutputTableCaption(out, "杆件荷载信息");
        for (const char* head : {"杆件编号", "初应力", "杆件编号", "初应力"})
            out.CreateTableHead(head, 16, 0);
        for (POSITION pos = st.m_pBeamList->GetHeadPosition(); pos != nullptr;)
        {
            const CBeamBase* member = st.m_pBeamList->GetNextT(pos);
            if (std::fabs(member->m_fInitStress) <= 0.001f)
                continue;
            CString stress;
            stress.Format("%.3f", member->m_fInitStress);
            out.SetTableContent(member->GetNo());
            out.SetTableContent(stress);
        }
        out.EndTable();
    }
    out << endl;
}
