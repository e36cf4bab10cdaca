#include <vyr/storey/DlgLayerVGRatio.h>

#include <algorithm>
#include <cmath>

#include <vyr/app.h>
#include <vyr/collections.h>
#include <vyr/ddx.h>
#include <vyr/model/geometry/GeoFunc.h>
#include <vyr/model/output/output.h>
#include <vyr/model/struct/structure.h>
#include <vyr/msgbox.h>
#include <vyr/protocol/ReportHead.h>
#include <vyr/resources/dialogs/StoreyAdjustRes.h>
#include <vyr/storey/DlgOutputDocument.h>
#include <vyr/storey/SeismicAdjust.h>
#include <vyr/storey/StoreyCommon.h>

namespace {

constexpr int kVGViewerKind = 5;
const bool kVGRegistered = CDlgOutputDocument::RegisterOwnerKind<CDlgLayerVGRatio>(kVGViewerKind);


// V × 100 / G above, G above at least 1e-7, as "%.3f%".
CString RatioText(const CStoreyVG& row)
{
    const double g = row.dGAbove > 1e-7 ? row.dGAbove : 1e-7;
    CString s;
    s.Format("%.3f%%", row.dV * 100.0 / g);
    return s;
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgLayerVGRatio, CDlgSeismicAdjust)
    ON_BN_CLICKED(IDC_VG_OUTPUT, &CDlgLayerVGRatio::OnOutput)
    ON_BN_CLICKED(IDC_VG_CALCOF, &CDlgLayerVGRatio::OnCalShearCof)
    ON_BN_CLICKED(IDC_VG_ADJUST, &CDlgLayerVGRatio::OnCheckLayermin)
    ON_BN_CLICKED(IDC_VG_RECAL, &CDlgLayerVGRatio::OnRecal)
    ON_NOTIFY(GVN_SELCHANGED, IDC_VG_CASEGRID, &CDlgLayerVGRatio::OnGridEndSelChange)
END_MESSAGE_MAP()

CDlgLayerVGRatio::CDlgLayerVGRatio(CGlobalData* pData, CWnd* pParent)
    : CDlgSeismicAdjust(IDD_LAYERVGRATIO, pData, pParent, false)
{
    (void)kVGRegistered;
}

float CDlgLayerVGRatio::Factor(float cof, const CStoreyVG& row)
{
    const double v = row.dV > 1e-7 ? row.dV : 1e-7;
    const double f = (double)cof * row.dGAbove / v;
    if (f < 1.0)
        return 1.0f;
    return f > 10000.0 ? 9999.0f : (float)f;
}

int CDlgLayerVGRatio::SeismPos() const
{
    return m_pCurCase != nullptr ? m_pGlobalData->Struct()->m_pLoadSeismList->GetSeismPos(m_pCurCase) : -1;
}

void CDlgLayerVGRatio::ShowMessage(const char* text)
{
    // A chapter written by the whole report has no window and nobody to answer a box.
    if (GetSafeHwnd() != nullptr)
        AfxMessageBox(text);
}

// ---- Computation ----

void CDlgLayerVGRatio::restart()
{
    m_arrStorey.assign((size_t)std::max(0, m_nFloorNum), CStoreyVG());
}

int CDlgLayerVGRatio::GetDirection()
{
    CStruct* s = m_pGlobalData->Struct();
    const auto vote = storey::DirectionVoteStoreys(storey::RealStoreysFromTop(s->m_pFloorList), s->m_nBasementNum);
    return storey::MainDirection(vote, m_pCurCase, s->m_pLoadSeismList);
}

void CDlgLayerVGRatio::FillData(CBasicLoadCase* lc)
{
    m_pCurCase = lc;
    restart();
    m_nDirection = GetDirection();
    m_arrWeakNo.clear();
    m_arrWeakFactor.clear();
    const int k = SeismPos();
    if (k >= 0) {
        CStruct* s = m_pGlobalData->Struct();
        m_fCof = s->m_fMinShearCof[k];
        if (m_fCof < 0.001f || m_fCof > 1.0f) {
            m_fCof = s->CalShearCof();
            s->m_fMinShearCof[k] = m_fCof;
        }
        const std::vector<CFloor*> fromTop = storey::RealStoreysFromTop(s->m_pFloorList, m_nFloorNum);
        const int count = (int)fromTop.size();
        float total = 0.0f;
        for (int i = 1; i <= count; ++i) {
            CFloor* f = fromTop[(size_t)i - 1];
            CStoreyVG& row = m_arrStorey[(size_t)(count - i)];
            row.dG = f->GetWeight();
            row.nNo = f->GetNo();
            row.dV = std::fabs(m_nDirection == 2 ? f->m_fSeismShearY[k] : f->m_fSeismShearX[k]);
            row.dGAbove = (double)total + row.dG;
            total += f->GetWeight();
            f->m_fMinShearAmplify[k] = Factor(m_fCof, row);
            if (f->m_fWeakAmplify[k] - 1.0f > 0.01f) {
                m_arrWeakNo.push_back(count - i + 1);
                m_arrWeakFactor.push_back(f->m_fWeakAmplify[k]);
            }
        }
    }
    WeakTexts(m_strWeakNo, m_strWeakFactor);
    if (GetSafeHwnd() != nullptr)
        UpdateData(FALSE);
}

void CDlgLayerVGRatio::WeakTexts(CString& numbers, CString& factors) const
{
    numbers.Empty();
    factors.Empty();
    for (size_t i = m_arrWeakNo.size(); i-- > 0;) {
        const bool first = i + 1 == m_arrWeakNo.size();
        CString text;
        text.Format(first ? "%d" : ",%d", m_arrWeakNo[i]);
        numbers += text;
        text.Format(first ? "%.2f" : ",%.2f", (double)m_arrWeakFactor[i]);
        factors += text;
    }
}

// ---- Window ----

void CDlgLayerVGRatio::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_VG_ADJUST, m_nAdjust);
    DDX_Text(pDX, IDC_VG_COF, m_fCof);
    DDV_MinMaxFloat(pDX, m_fCof, 0.0f, 100.0f);
    DDX_Text(pDX, IDC_VG_WEAKNO, m_strWeakNo);
    DDX_Text(pDX, IDC_VG_WEAKFACTOR, m_strWeakFactor);
}

void CDlgLayerVGRatio::InitGrid()
{
    storey::CreateSeismicCaseGrid(m_GridCase, this, CRect(27, 38, 178, 404), IDC_VG_CASEGRID);
    storey::CreateStoreyGrid(m_GridStorey, this, CRect(184, 38, 672, 379), IDC_VG_STOREYGRID);
    m_GridStorey.EnableSelection(TRUE);
    m_GridStorey.SetSingleColSelection(TRUE);
    m_GridStorey.SetTrackFocusCell(FALSE);
    m_GridStorey.SetFrameFocusCell(FALSE);
}

void CDlgLayerVGRatio::FillColumn()
{
    CGridCtrl& g = m_GridStorey;
    while (g.GetColumnCount() > 0)
        g.DeleteColumn(0);
    const char* heads[] = {"楼层", "G本层(kN)", "G以上(kN)", "V全部(kN)", "V/G比值", "最小剪力放大系数"};
    const int widths[] = {80, 100, 100, 90, 95, 140};
    // The columns share a narrower grid in proportion, so the factors stay in sight.
    CRect client;
    g.GetClientRect(&client);
    const int total = 80 + 100 + 100 + 90 + 95 + 140;
    const double scale = client.Width() > 0 && client.Width() < total ? (double)client.Width() / total : 1.0;
    g.SetColumnCount(6);
    g.SetRowCount(1);
    g.SetFixedRowCount(1);
    for (int c = 0; c < 6; ++c) {
        g.SetItemText(0, c, heads[c]);
        g.SetItemFormat(0, c, storey::kCellCentred);
        g.SetColumnWidth(c, (int)(widths[c] * scale));
    }
    g.ExpandColumnsToFit();
}

bool CDlgLayerVGRatio::FillItem()
{
    const bool found = FillCaseGrid();
    UpdateData(FALSE);
    return found;
}

void CDlgLayerVGRatio::FillItem2()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CGridCtrl& g = m_GridStorey;
    g.DeleteNonFixedRows();
    for (const CStoreyVG& r : m_arrStorey) {
        const int row = g.InsertRow("");
        CString no;
        no.Format("第%d层", r.nNo);
        const CString cells[] = {no,           storey::Fixed3(r.dG), storey::Fixed3(r.dGAbove), storey::Fixed3(r.dV),
                                 RatioText(r), storey::Fixed3(Factor(m_fCof, r))};
        for (int c = 0; c < 6; ++c) {
            g.SetItemText(row, c, cells[c]);
            g.SetItemFormat(row, c, storey::kCellCentred);
            g.SetItemState(row, c, g.GetItemState(row, c) | GVIS_READONLY);
        }
    }
    g.ExpandColumnsToFit();
}

BOOL CDlgLayerVGRatio::OnInitDialog()
{
    CDialog::OnInitDialog();
    InitGrid();
    CWaitCursor wait;
    CStruct* s = m_pGlobalData->Struct();
    m_nAdjust = m_pGlobalData->FloorSeismAdjust();
    m_nFloorNum = std::max(0, s->m_pFloorList->GetRealFloorNum() - s->m_nBasementNum);
    FillColumn();
    if (!FillItem())
        return TRUE;
    m_nCurRow = 1;
    getgk(1);
    FillData(m_pCurCase);
    FillItem2();
    return TRUE;
}

void CDlgLayerVGRatio::OnGridEndSelChange(NMHDR* pNMHDR, LRESULT* pResult)
{
    ChooseCase(pNMHDR, pResult);
}

void CDlgLayerVGRatio::OnCalShearCof()
{
    const int k = SeismPos();
    if (k < 0)
        return;
    CStruct* s = m_pGlobalData->Struct();
    m_fCof = s->CalShearCof();
    s->m_fMinShearCof[k] = m_fCof;
    FillData(m_pCurCase);
    FillItem2();
}

void CDlgLayerVGRatio::OnCheckLayermin()
{
    if (UpdateData(TRUE))
        m_pGlobalData->FloorSeismAdjust() = m_nAdjust;
}

void CDlgLayerVGRatio::OnRecal()
{
    if (!UpdateData(TRUE))
        return;
    // A typed number is the row's position from the lowest storey shown, so only the shown
    // storeys can be named.
    CArray<int, int> numbers;
    CArray<float, float> factors;
    if (!ParseIntString(m_strWeakNo, numbers, m_nFloorNum)) {
        AfxMessageBox("指定楼层号不能大于真实楼层数！");
        GetDlgItem(IDC_VG_WEAKNO)->SetFocus();
        return;
    }
    if (!ParseFloatString(m_strWeakFactor, factors, 10.0f)) {
        AfxMessageBox("层放大系数不能大于10！");
        GetDlgItem(IDC_VG_WEAKFACTOR)->SetFocus();
        return;
    }
    if (numbers.GetSize() != factors.GetSize()) {
        AfxMessageBox("指定楼层号与对应放大系数必须个数对应！");
        GetDlgItem(IDC_VG_WEAKFACTOR)->SetFocus();
        return;
    }
    const int k = SeismPos();
    if (k < 0)
        return;
    const CFloorList* list = m_pGlobalData->Struct()->m_pFloorList;
    for (int i = 1; i <= list->GetRealFloorNum(); ++i)
        list->GetRealFloor(i)->m_fWeakAmplify[k] = 1.0f;
    // Position p is the row p from the bottom of the shown storeys, which leave the
    // basements out.
    const std::vector<CFloor*> shown = storey::RealStoreysFromTop(list, m_nFloorNum);
    for (INT_PTR j = 0; j < numbers.GetSize(); ++j) {
        const int p = numbers[j];
        if (p >= 1 && p <= (int)shown.size())
            shown[shown.size() - (size_t)p]->m_fWeakAmplify[k] = factors[j];
    }
}

void CDlgLayerVGRatio::OnOutput()
{
    if (m_bNoData)
        return;
    CDlgOutputDocument::Open(this, m_pGlobalData, kVGViewerKind);
}

void CDlgLayerVGRatio::OnOK()
{
    UpdateData(TRUE);
    storey::CopyFactorsToLinked(m_pGlobalData, {&CFloor::m_fMinShearAmplify, &CFloor::m_fWeakAmplify});
    EndDialog(IDOK);
}

// ---- Chapter ----

void CDlgLayerVGRatio::beginforoutput()
{
    CStruct* s = m_pGlobalData->Struct();
    m_nFloorNum = std::max(0, s->m_pFloorList->GetRealFloorNum() - s->m_nBasementNum);
    m_arrSeismNo = storey::SeismicCaseNumbers(m_pGlobalData->GetCurBasicLCList());
    if (m_arrSeismNo.empty()) {
        ShowMessage("对不起，您没有施加水平地震荷载！");
        m_bNoData = true;
        return;
    }
    m_bNoData = false;
    getgk(1);
    FillData(m_pCurCase);
}

void CDlgLayerVGRatio::Output(COutput* out, int flag)
{
    if (out == nullptr || m_pGlobalData == nullptr)
        return;
    beginforoutput();
    if (m_bNoData)
        return;
    CWaitCursor wait;
    const CString project = m_pGlobalData->ProjectName();
    *out << title(1) << title << project + "楼层剪压比统计信息" << endl << title(0);
    out->SetFlagAdd(0x1002);
    if (flag < 2) {
        out->SetFontSize(12);
        if (flag == 0)
            OutputReportHead(out);
        else
            *out << "*************楼层剪压比统计信息*************" << endl << endl;
        out->SetPrecision(3);
        out->SetFontSize(11);
        *out << "计算参数说明：" << endl;
        out->SetFontSize(9);
        *out << "G本层(kN): \t本层的重力荷载代表值" << endl
             << "G以上(kN): \t本层及以上所有楼层重力荷载代表值之和" << endl
             << "V(kN): \t        楼层剪力" << endl
             << "V/G比值: \t楼层剪力与其上各层重力荷载代表值之和的比值" << endl
             << "V放大系数: \t楼层剪力的放大系数" << endl
             << endl;
    }
    for (int r = 1; r <= (int)m_arrSeismNo.size(); ++r) {
        getgk(r);
        FillData(m_pCurCase);
        if (m_pCurCase == nullptr)
            continue;
        out->SetFontSize(11);
        CString desc;
        m_pCurCase->GetDescription(&desc, 0);
        const char* dirText = m_nDirection == 1 ? "(主方向X向)" : "(主方向Y向)";
        if (flag < 2) {
            *out << title(3) << title << "基本工况为：" + desc << dirText << endl << title(0);
            *out << "\t" << project + "层剪压比统计输出(单位: 千牛)" << endl;
        } else {
            out->SetFontSize(9);
            *out << "基本工况为：" + desc << dirText << endl;
        }
        out->SetFontSize(9);
        out->SetFlagSub(0x10000);
        out->CreateTableHead("楼 层", 10, 0);
        if (flag < 2) {
            out->CreateTableHead("G本层(kN)", 15, 0);
            out->CreateTableHead("G以上(kN)", 15, 0);
            out->CreateTableHead("V全部(kN)", 15, 0);
            out->CreateTableHead("V/G比值", 15, 0);
        }
        out->CreateTableHead("V放大系数", 15, 0);
        for (const CStoreyVG& row : m_arrStorey) {
            CString no;
            no.Format("第%2d层", row.nNo);
            out->SetTableContent(no);
            if (flag < 2) {
                out->SetTableContent(storey::Fixed3(row.dG));
                out->SetTableContent(storey::Fixed3(row.dGAbove));
                out->SetTableContent(storey::Fixed3(row.dV));
                out->SetTableContent(RatioText(row));
            }
            out->SetTableContent(storey::Fixed3(Factor(m_fCof, row)));
        }
        out->EndTable();
        *out << endl;
        if (flag < 2) {
            CString text;
            text.Format("抗震规范(5.2.5)条要求的%s楼层最小地震剪力系数 = %.3f%%", m_nDirection == 1 ? "X向" : "Y向",
                        (double)m_fCof * 100.0);
            *out << text << endl << endl;
        }
        // The weak storeys under the numbers the dialog shows and takes.
        if (!m_strWeakNo.IsEmpty()) {
            CString text;
            text.Format("此工况薄弱楼层为%s，对应的薄弱层放大系数为%s", m_strWeakNo.GetString(),
                        m_strWeakFactor.GetString());
            *out << text << endl << endl;
        }
    }
    getgk(m_nCurRow);
    FillData(m_pCurCase);
}
