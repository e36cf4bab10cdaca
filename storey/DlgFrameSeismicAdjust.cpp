#include <vyr/storey/DlgFrameSeismicAdjust.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include <vyr/app.h>
#include <vyr/ddx.h>
#include <vyr/model/output/output.h>
#include <vyr/model/struct/structure.h>
#include <vyr/msgbox.h>
#include <vyr/protocol/ReportHead.h>
#include <vyr/resources/dialogs/StoreyAdjustRes.h>
#include <vyr/storey/DlgOutputDocument.h>
#include <vyr/storey/SeismicAdjust.h>
#include <vyr/storey/StoreyCommon.h>

namespace {

constexpr int kFrameViewerKind = 6;
const bool kFrameRegistered = CDlgOutputDocument::RegisterOwnerKind<CDlgFrameSeismicAdjust>(kFrameViewerKind);

constexpr float kMaxFactor = 10.0f;

// The magnitude of the frame's shear of a storey in the direction (1 X, else Y); 0 without
// a storey.
double FrameShear(const CFloor* f, CBasicLoadCase* lc, int direction)
{
    if (f == nullptr)
        return 0.0;
    return std::fabs(direction == 1 ? f->GetTotalFrameShearX(lc) : f->GetTotalFrameShearY(lc));
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgFrameSeismicAdjust, CDlgSeismicAdjust)
    ON_BN_CLICKED(IDC_FRAME_OUTPUT, &CDlgFrameSeismicAdjust::OnOutput)
    ON_BN_CLICKED(IDC_FRAME_RECAL, &CDlgFrameSeismicAdjust::OnRecal)
    ON_BN_CLICKED(IDC_FRAME_ADJUST, &CDlgFrameSeismicAdjust::OnCheckChange)
    ON_NOTIFY(GVN_SELCHANGED, IDC_FRAME_CASEGRID, &CDlgFrameSeismicAdjust::OnGridEndSelChange)
END_MESSAGE_MAP()

CDlgFrameSeismicAdjust::CDlgFrameSeismicAdjust(CGlobalData* pData, CWnd* pParent)
    : CDlgSeismicAdjust(IDD_FRAMESEISMADJUST, pData, pParent, true)
{
    (void)kFrameRegistered;
}

const char* CDlgFrameSeismicAdjust::RuleText(int rule)
{
    return rule == 0 ? "0.2V0,1.5Vfmax" : "0.25V0,1.8Vfmax";
}

int CDlgFrameSeismicAdjust::StoredRule() const
{
    const int rule = m_pGlobalData->Struct()->m_nFrameAdjustRule;
    if (rule == 0 || rule == 1)
        return rule;
    return m_pGlobalData->CurrentStructureType() == 2 ? 1 : 0;
}

// ---- Computation ----

int CDlgFrameSeismicAdjust::getdirection(CBasicLoadCase* lc)
{
    CStruct* s = m_pGlobalData->Struct();
    std::vector<CFloor*> fromTop;
    for (POSITION pos = s->m_pFloorList->GetTailPosition(); pos != nullptr;)
        fromTop.push_back(static_cast<CFloor*>(s->m_pFloorList->GetPrev(pos)));
    return storey::MainDirection(storey::DirectionVoteStoreys(fromTop, s->m_nBasementNum), lc, s->m_pLoadSeismList);
}

void CDlgFrameSeismicAdjust::restart()
{
    m_arrStorey.assign((size_t)std::max(0, m_nRealNum), CStoreyFrameVF());
}

void CDlgFrameSeismicAdjust::FillData(CBasicLoadCase* lc)
{
    m_pCurCase = lc;
    CStruct* s = m_pGlobalData->Struct();
    const std::vector<CFloor*> fromTop = storey::RealStoreysFromTop(s->m_pFloorList);
    m_nRealNum = (int)fromTop.size();
    restart();
    if (lc == nullptr)
        return;
    const int k = s->m_pLoadSeismList->GetSeismPos(lc);
    const int d = getdirection(lc);
    for (size_t i = 0; i < fromTop.size(); ++i) {
        const CFloor* f = fromTop[i];
        CStoreyFrameVF& row = m_arrStorey[fromTop.size() - 1 - i];
        row.nNo = f->GetNo();
        row.fVf = (float)FrameShear(storey::StoreyBelow(s->m_pFloorList, fromTop, i), lc, d);
        if (k >= 0) {
            row.fV = std::fabs(d == 2 ? f->m_fSeismShearY[k] : f->m_fSeismShearX[k]);
            row.fFactor = f->m_fFrameAmplify[k];
        }
    }
}

void CDlgFrameSeismicAdjust::ComputeFactors()
{
    CGlobalData* data = m_pGlobalData;
    CStruct* s = data->Struct();
    const CFloorList* list = s->m_pFloorList;
    const int start = data->SeismAdjustStartNo();
    const int end = data->SeismAdjustEndNo();
    const int split = s->m_nPodiumFloor;
    const double a = s->m_nFrameAdjustRule == 0 ? 0.2 : 0.25;
    const double b = s->m_nFrameAdjustRule == 0 ? 1.5 : 1.8;
    const std::vector<CFloor*> fromTop = storey::RealStoreysFromTop(list);
    for (int no : storey::SeismicCaseNumbers(data->GetCurBasicLCList())) {
        CBasicLoadCase* lc = storey::CaseByNumber(data->GetCurBasicLCList(), no);
        const int k = s->m_pLoadSeismList->GetSeismPos(lc);
        if (k < 0)
            continue;
        const int d = getdirection(lc);
        // V0 and Vfmax of the segment below the split storey (or of the whole range), and of
        // the one above it. The storeys are taken by their numbers, as the user typed them.
        auto segment = [&](bool upper) {
            double v0 = 0.0;
            if (const CFloor* r = list->GetRealFloorByID(upper ? split : start)) {
                // A magnitude: a seismic shear stored with its sign would turn the lower bound over.
                v0 = std::fabs(d == 1 ? r->m_fSeismShearX[k] : r->m_fSeismShearY[k]);
                const double frame = FrameShear(r->GetDownFloor() != nullptr ? r->GetDownFloor() : r, lc, d);
                v0 = std::max(v0, frame);
            }
            const int lo = upper ? split : start;
            const int hi = upper || split <= 0 ? end : split;
            double vfMax = 0.0;
            for (int j = lo; j <= hi; ++j)
                if (const CFloor* f = list->GetRealFloorByID(j))
                    vfMax = std::max(vfMax, FrameShear(f->GetDownFloor(), lc, d));
            return std::pair{v0, vfMax};
        };
        const std::pair<double, double> lower = segment(false);
        const std::pair<double, double> upper = split > 0 ? segment(true) : lower;
        for (CFloor* f : fromTop) {
            const int n = f->GetNo();
            if (n < start || n > end) {
                f->m_fFrameAmplify[k] = 1.0f;
                continue;
            }
            if (f->GetDownFloor() == nullptr)
                continue;
            const auto [v0, vfMax] = split > 0 && n > split ? upper : lower;
            const double vf = FrameShear(f->GetDownFloor(), lc, d);
            const double vlim = std::min(a * v0, b * vfMax);
            double factor = 1.0;
            if (!(vf >= a * v0 || vf < 1e-7 || vlim / vf < 1.0))
                factor = std::min(vlim / vf, (double)kMaxFactor);
            f->m_fFrameAmplify[k] = (float)factor;
        }
    }
}

void CDlgFrameSeismicAdjust::checkforreturn()
{
    CStruct* s = m_pGlobalData->Struct();
    bool brace = false, column = false;
    for (POSITION pos = s->m_pBeamList->GetHeadPosition(); pos != nullptr;) {
        const int type = s->m_pBeamList->GetNextT(pos)->GetType();
        brace = brace || type == 3;
        column = column || type == 1;
    }
    const bool walls = s->m_pWallList->GetCount() > 0;
    const bool cases = !storey::SeismicCaseNumbers(m_pGlobalData->GetCurBasicLCList()).empty();
    m_bNoData = !((walls || brace) && column && cases);
}

// ---- Window ----

void CDlgFrameSeismicAdjust::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_FRAME_ADJUST, m_nAdjust);
    DDX_Radio(pDX, IDC_FRAME_RULE0, m_nRule);
    DDX_Text(pDX, IDC_FRAME_START, m_nStart);
    DDX_Text(pDX, IDC_FRAME_END, m_nEnd);
    DDX_Text(pDX, IDC_FRAME_SPLIT, m_nSplit);
}

void CDlgFrameSeismicAdjust::InitGrid()
{
    storey::CreateSeismicCaseGrid(m_GridCase, this, CRect(12, 12, 175, 377), IDC_FRAME_CASEGRID);
    storey::CreateStoreyGrid(m_GridStorey, this, CRect(188, 12, 662, 377), IDC_FRAME_STOREYGRID);
    m_GridStorey.EnableSelection(TRUE);
    m_GridStorey.SetSingleColSelection(TRUE);
    m_GridStorey.SetFrameFocusCell(FALSE);
}

void CDlgFrameSeismicAdjust::FillColumn()
{
    // The case grid's one heading column is made with the grid.
    m_GridCase.ExpandLastColumn();
}

void CDlgFrameSeismicAdjust::FillColumnVF()
{
    CGridCtrl& g = m_GridStorey;
    const char* heads[] = {"楼层", "V全部(kN)", "V框架(kN)", "放大系数"};
    const int widths[] = {60, 120, 120, 60};
    g.SetColumnCount(4);
    g.SetRowCount(1);
    g.SetFixedRowCount(1);
    for (int c = 0; c < 4; ++c) {
        g.SetItemText(0, c, heads[c]);
        g.SetItemFormat(0, c, storey::kCellCentred);
        g.SetColumnWidth(c, widths[c]);
    }
    g.ExpandLastColumn();
}

bool CDlgFrameSeismicAdjust::FillItem()
{
    return FillCaseGrid();
}

void CDlgFrameSeismicAdjust::FillItemVF()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CGridCtrl& g = m_GridStorey;
    g.DeleteNonFixedRows();
    for (const CStoreyFrameVF& r : m_arrStorey) {
        const int row = g.InsertRow("");
        CString no;
        no.Format("第%d层", r.nNo);
        const CString cells[] = {no, storey::Fixed3(r.fV), storey::Fixed3(r.fVf), storey::Fixed3(r.fFactor)};
        for (int c = 0; c < 4; ++c) {
            g.SetItemText(row, c, cells[c]);
            g.SetItemFormat(row, c, storey::kCellCentred);
        }
    }
    g.ExpandColumnsToFit();
}

void CDlgFrameSeismicAdjust::LoadSettings()
{
    CStruct* s = m_pGlobalData->Struct();
    m_nAdjust = m_pGlobalData->FrameSeismAdjust();
    m_nRule = StoredRule();
    m_nSplit = s->m_nPodiumFloor;
    m_nStart = m_pGlobalData->SeismAdjustStartNo();
    m_nEnd = m_pGlobalData->SeismAdjustEndNo();
    if (m_nEnd == m_nStart || m_nEnd < 1) {
        m_nEnd = s->m_pFloorList->GetRealFloorNum();
        m_pGlobalData->SeismAdjustEndNo() = m_nEnd;
    }
    UpdateData(FALSE);
}

BOOL CDlgFrameSeismicAdjust::OnInitDialog()
{
    CDialog::OnInitDialog();
    InitGrid();
    CWaitCursor wait;
    // The settings are shown on every path, so that "重新设定" on a dialog that found
    // nothing to show stores back what the model holds.
    if (m_pGlobalData->Struct()->m_pBeamList->GetCount() < 2) {
        AfxMessageBox("该结构没有框架存在，不必进行框架内力调整!");
        m_bNoData = true;
        LoadSettings();
        return TRUE;
    }
    m_nRealNum = m_pGlobalData->Struct()->m_pFloorList->GetRealFloorNum();
    FillColumn();
    FillColumnVF();
    if (FillItem()) {
        GetDlgItem(IDC_FRAME_CASEGRID)->SetFocus();
        m_nCurRow = 1;
        getgk(1);
        FillData(m_pCurCase);
        FillItemVF();
    }
    LoadSettings();
    return TRUE;
}

void CDlgFrameSeismicAdjust::OnGridEndSelChange(NMHDR* pNMHDR, LRESULT* pResult)
{
    ChooseCase(pNMHDR, pResult);
}

void CDlgFrameSeismicAdjust::OnRecal()
{
    if (!UpdateData(TRUE))
        return;
    CStruct* s = m_pGlobalData->Struct();
    const int basements = s->m_nBasementNum;
    const int real = s->m_pFloorList->GetRealFloorNum();
    const std::pair<bool, const char*> checks[] = {
        {m_nStart <= basements, "起始楼层号不能为嵌固楼层!"},
        {m_nStart > real, "起始楼层号不能大于总楼层数!"},
        {m_nEnd <= basements, "终止楼层号不能为嵌固楼层!"},
        {m_nEnd > real, "终止楼层号不能大于总楼层数!"},
        {m_nSplit > 0 && m_nSplit < m_nStart, "中间楼层号不能小于起始楼层号!"},
        {m_nSplit > 0 && m_nSplit > m_nEnd, "中间楼层号不能大于终止楼层号!"},
    };
    for (const auto& [failed, message] : checks)
        if (failed) {
            AfxMessageBox(message);
            return;
        }
    CWaitCursor wait;
    m_pGlobalData->SeismAdjustStartNo() = m_nStart;
    m_pGlobalData->SeismAdjustEndNo() = m_nEnd;
    s->m_nFrameAdjustRule = m_nRule;
    s->m_nPodiumFloor = m_nSplit;
    ComputeFactors();
    if (m_pCurCase != nullptr) {
        FillData(m_pCurCase);
        FillItemVF();
    }
}

void CDlgFrameSeismicAdjust::OnCheckChange()
{
    UpdateData(TRUE);
    m_pGlobalData->FrameSeismAdjust() = m_nAdjust;
}

void CDlgFrameSeismicAdjust::OnOutput()
{
    if (m_bNoData)
        return;
    CWaitCursor wait;
    CDlgOutputDocument::Open(this, m_pGlobalData, kFrameViewerKind);
}

void CDlgFrameSeismicAdjust::OnOK()
{
    UpdateData(TRUE);
    storey::CopyFactorsToLinked(m_pGlobalData, {&CFloor::m_fFrameAmplify});
    EndDialog(IDOK);
}

// ---- Chapter ----

void CDlgFrameSeismicAdjust::beginforoutput()
{
    m_bNoData = false;
    checkforreturn();
    m_nRealNum = m_pGlobalData->Struct()->m_pFloorList->GetRealFloorNum();
    m_arrSeismNo = storey::SeismicCaseNumbers(m_pGlobalData->GetCurBasicLCList());
    if (!m_arrSeismNo.empty()) {
        getgk(1);
        FillData(m_pCurCase);
    }
}

void CDlgFrameSeismicAdjust::Output(COutput* out, int flag)
{
    if (out == nullptr || m_pGlobalData == nullptr)
        return;
    // The open dialog goes on as it was: a chapter with nothing to adjust does not stop its
    // case selection.
    const bool shownNoData = m_bNoData;
    beginforoutput();
    if (flag < 2 && !m_bNoData) {
        CWaitCursor wait;
        const CString project = m_pGlobalData->ProjectName();
        *out << title(1) << title << project + "框架地震内力调整信息" << endl << title(0);
        out->SetFlagAdd(0x1002);
        out->SetFontSize(11);
        out->SetFontSize(12);
        if (flag == 0) {
            OutputReportHead(out);
        } else {
            *out << "*************框架地震内力调整信息*************" << endl << endl;
            out->SetFontSize(11);
            *out << "计算参数说明：" << endl;
            out->SetFontSize(9);
            *out << "框架类型：" << RuleText(StoredRule()) << endl
                 << "V全部(kN): \t楼层所有抗侧力构件承担的剪力总和" << endl
                 << "V框架(kN): \t楼层框架承担的剪力" << endl
                 << "0.25V0(kN): \t所在分段最下一层总剪力的0.25倍" << endl
                 << "1.8Vfmax(kN):   所在分段最大框架总剪力的1.8倍" << endl
                 << "0.20V0(kN): \t所在分段最下一层总剪力的0.20倍" << endl
                 << "1.5Vfmax(kN):   所在分段最大框架总剪力的1.5倍" << endl
                 << "放大系数: \t楼层框架内力的放大系数" << endl;
        }
        CString text;
        *out << "结构分段信息" << endl;
        text.Format("\t结构起始层号：%d", m_pGlobalData->SeismAdjustStartNo());
        *out << text << endl;
        text.Format("\t结构终止层号：%d", m_pGlobalData->SeismAdjustEndNo());
        *out << text << endl;
        if (m_nSplit > m_nStart)
            text.Format("\t结构群楼分段层号：%d", m_nSplit);
        else
            text = "\t结构无群楼分段。";
        *out << text << endl << endl;
        out->SetPrecision(3);
        for (int r = 1; r <= (int)m_arrSeismNo.size(); ++r) {
            getgk(r);
            FillData(m_pCurCase);
            if (m_pCurCase == nullptr)
                continue;
            out->SetFontSize(11);
            CString desc;
            m_pCurCase->GetDescription(&desc, 0);
            *out << title(3) << title << "基本工况" + desc + "下的框架内力调整列表：" << endl << title(0);
            out->SetFontSize(9);
            out->SetFlagSub(0x10000);
            out->CreateTableHead("楼 层", 10, 0);
            out->CreateTableHead("V全部(kN)", 15, 0);
            out->CreateTableHead("V框架(kN)", 15, 0);
            out->CreateTableHead("放大系数", 15, 0);
            for (const CStoreyFrameVF& row : m_arrStorey) {
                CString no;
                no.Format("第%d层", row.nNo);
                out->SetTableContent(no);
                out->SetTableContent(storey::Fixed3(row.fV));
                out->SetTableContent(storey::Fixed3(row.fVf));
                out->SetTableContent(storey::Fixed3(row.fFactor));
            }
            out->EndTable();
            *out << endl;
        }
    }
    getgk(m_nCurRow);
    FillData(m_pCurCase);
    if (GetSafeHwnd() != nullptr)
        m_bNoData = shownNoData;
}
