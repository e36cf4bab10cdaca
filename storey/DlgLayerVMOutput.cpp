#include <vyr/storey/DlgLayerVMOutput.h>

#include <algorithm>
#include <cmath>

#include <vyr/app.h>
#include <vyr/model/output/output.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/DlgReportChapter.h>
#include <vyr/resources/dialogs/LayerVMRes.h>
#include <vyr/storey/DlgLayerVMDraw.h>
#include <vyr/storey/DlgOutputDocument.h>
#include <vyr/storey/StoreyCommon.h>

namespace {

constexpr int kVMViewerKind = 1;
const bool kVMRegistered = CDlgOutputDocument::RegisterOwnerKind<CDlgLayerVMOutput>(kVMViewerKind);

} // namespace

BEGIN_MESSAGE_MAP(CDlgLayerVMOutput, CDialog)
    ON_BN_CLICKED(IDC_VM_VIEW, &CDlgLayerVMOutput::OnViewOutput)
    ON_BN_CLICKED(IDC_VM_DOCUMENT, &CDlgLayerVMOutput::OnDocumentOutput)
    ON_NOTIFY(NM_CLICK, IDC_VM_CASEGRID, &CDlgLayerVMOutput::OnGridClick)
END_MESSAGE_MAP()

CDlgLayerVMOutput::CDlgLayerVMOutput(CGlobalData* pData, CWnd* pParent)
    : CDialog(IDD_LAYERVMOUTPUT, pParent), m_pGlobalData(pData)
{
    (void)kVMRegistered;
}

bool CDlgLayerVMOutput::IsHorizontalCase(const CBasicLoadCase* lc)
{
    return lc != nullptr && ((lc->GetType() >= 2 && lc->GetType() <= 5) || lc->IsSeismLoadCase());
}

void CDlgLayerVMOutput::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
}

void CDlgLayerVMOutput::OnDraw(CDC*, CRect&, int) {}

// ---- Computation ----

void CDlgLayerVMOutput::RefillCaseNumbers()
{
    m_arrCaseNo.clear();
    CBasicLCList* cases = m_pGlobalData != nullptr ? m_pGlobalData->GetCurBasicLCList() : nullptr;
    for (POSITION pos = cases != nullptr ? cases->GetHeadPosition() : nullptr; pos != nullptr;) {
        CBasicLoadCase* lc = cases->GetNextT(pos);
        if (IsHorizontalCase(lc))
            m_arrCaseNo.push_back(lc->m_nNo);
    }
}

CBasicLoadCase* CDlgLayerVMOutput::getgk(int row)
{
    if (m_pGlobalData == nullptr || row < 1 || row > (int)m_arrCaseNo.size())
        return nullptr;
    const int no = m_arrCaseNo[(size_t)row - 1];
    CBasicLCList* cases = m_pGlobalData->GetCurBasicLCList();
    for (POSITION pos = cases != nullptr ? cases->GetHeadPosition() : nullptr; pos != nullptr;) {
        CBasicLoadCase* lc = cases->GetNextT(pos);
        if (lc->m_nNo == no)
            return lc;
    }
    return nullptr;
}

int CDlgLayerVMOutput::GetDirection(CBasicLoadCase* lc)
{
    CStruct* s = m_pGlobalData->Struct();
    // The lowest real storey, and the basements, never vote.
    const int lowestVoter = std::max(s->m_nBasementNum, 1) + 1;
    std::vector<CFloor*> voters;
    for (CFloor* f : storey::RealStoreysFromTop(s->m_pFloorList)) {
        if (f->m_nLevel < lowestVoter)
            break;
        voters.push_back(f);
    }
    const auto [xCount, yCount] = storey::CountDominantShear(voters, lc, s->m_pLoadSeismList);
    return xCount > yCount ? 1 : 2;
}

void CDlgLayerVMOutput::restart()
{
    m_arrVM.assign((size_t)std::max(0, m_nFloorNum), CStoreyVM());
    m_fTopZ = m_fMaxV = m_fMaxM = 0.0f;
}

void CDlgLayerVMOutput::GetVM(CBasicLoadCase* lc)
{
    restart();
    CStruct* s = m_pGlobalData->Struct();
    const CFloorList* list = s->m_pFloorList;
    const bool seism = lc->IsSeismLoadCase();
    const int pos = seism ? s->m_pLoadSeismList->GetSeismPos(lc) : -1;
    const bool x = m_nDirection == 1;
    const int n = (int)m_arrVM.size();
    POSITION at = list->GetRealFloorTailPosition();
    CFloor* last = nullptr;
    for (int i = 1; i <= n; ++i) {
        CFloor* f = nullptr;
        if (at != nullptr)
            f = list->GetRealFloorPrev(at);
        else if (last != nullptr)
            f = last->GetDownFloor();
        if (f == nullptr)
            continue;
        last = f;
        if (i == 1)
            m_fTopZ = (float)(f->GetZ() * 0.01);
        CStoreyVM& r = m_arrVM[(size_t)(n - i)];
        r.nNo = f->GetNo();
        r.fH = r.fH2 = f->GetH() * 0.01f;
        if (seism) {
            // A case the seismic results were not stored for has none.
            if (pos >= 0) {
                r.fV = x ? f->m_fSeismShearX[pos] : f->m_fSeismShearY[pos];
                r.fM = (x ? f->m_fMomentX[pos] : f->m_fMomentY[pos]) * 0.01f;
            }
        } else {
            r.fV = x ? f->GetTotalShearX(lc) : f->GetTotalShearY(lc);
        }
    }
    if (!seism) {
        // The overturning moment at a storey: |V h| of the storey and of every storey above.
        for (CStoreyVM& r : m_arrVM)
            r.fM = std::fabs(r.fV * r.fH);
        for (int j = n - 2; j >= 0; --j)
            m_arrVM[(size_t)j].fM += m_arrVM[(size_t)j + 1].fM;
    }
    for (const CStoreyVM& r : m_arrVM) {
        m_fMaxV = std::max(m_fMaxV, r.fV);
        m_fMaxM = std::max(m_fMaxM, r.fM);
    }
}

void CDlgLayerVMOutput::FillData(CBasicLoadCase* lc)
{
    if (lc == nullptr || m_pGlobalData == nullptr) {
        m_arrVM.clear();
        m_fTopZ = m_fMaxV = m_fMaxM = 0.0f;
        m_nDirection = 2;
        return;
    }
    m_nDirection = GetDirection(lc);
    GetVM(lc);
}

void CDlgLayerVMOutput::MakeCurrent(CBasicLoadCase* lc)
{
    FillData(lc);
    m_strDescription.Empty();
    if (lc != nullptr)
        lc->GetDescription(&m_strDescription, 0);
}

// ---- Window ----

void CDlgLayerVMOutput::InitGrid()
{
    for (CGridCtrl* g : {&m_GridCase, &m_GridVM}) {
        g->SetFixedRowCount(1);
        g->SetEditable(FALSE);
        g->EnableSelection(TRUE);
        g->SetFixedRowSelection(FALSE);
        g->SetFixedColumnSelection(FALSE);
        g->EnableColumnHide(FALSE);
        g->EnableRowHide(FALSE);
        g->SetHeaderSort(FALSE);
        g->SetRowResize(FALSE);
        g->SetTrackFocusCell(FALSE);
        g->SetFrameFocusCell(FALSE);
    }
    m_GridCase.SetListMode(TRUE);
    m_GridCase.SetSingleRowSelection(TRUE);
    m_GridVM.SetListMode(FALSE);
    m_GridVM.SetSingleColSelection(TRUE);
}

void CDlgLayerVMOutput::FillColumn()
{
    const UINT centred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    m_GridCase.SetColumnCount(1);
    m_GridCase.SetRowCount(1);
    m_GridCase.SetItemText(0, 0, "基本工况描述");
    m_GridCase.SetItemFormat(0, 0, centred);
    m_GridCase.SetColumnWidth(0, 144);
    m_GridCase.ExpandLastColumn();

    const char* heads[] = {"楼 层", "层高(m)", "层剪力(kN)", "层倾覆力矩(kN·m)"};
    const int widths[] = {50, 78, 86, 80};
    m_GridVM.SetColumnCount(4);
    m_GridVM.SetRowCount(1);
    for (int c = 0; c < 4; ++c) {
        m_GridVM.SetItemText(0, c, heads[c]);
        m_GridVM.SetItemFormat(0, c, centred);
        m_GridVM.SetColumnWidth(c, widths[c]);
    }
    m_GridVM.ExpandLastColumn();
}

void CDlgLayerVMOutput::FillItem()
{
    m_GridCase.DeleteNonFixedRows();
    RefillCaseNumbers();
    for (int row = 1; row <= (int)m_arrCaseNo.size(); ++row) {
        const CBasicLoadCase* lc = getgk(row);
        GV_ITEM item{};
        item.row = m_GridCase.InsertRow("");
        item.col = 0;
        item.mask = GVIF_TEXT | GVIF_FORMAT | GVIF_PARAM;
        item.nFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
        item.lParam = item.row;
        item.strText.Format("BLC%d ", lc->m_nNo);
        lc->GetDescription(&item.strText, -1);
        m_GridCase.SetItem(&item);
    }
    m_GridCase.ExpandColumnsToFit();
    if (GetSafeHwnd())
        UpdateData(FALSE);
}

void CDlgLayerVMOutput::FillItemVM()
{
    m_GridVM.DeleteNonFixedRows();
    const UINT centred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    for (const CStoreyVM& r : m_arrVM) {
        const int row = m_GridVM.InsertRow("");
        CString text;
        text.Format("第%d层", r.nNo);
        m_GridVM.SetItemText(row, 0, text);
        const float values[] = {r.fH, r.fV, r.fM};
        for (int c = 1; c <= 3; ++c) {
            text.Format("%.1f", values[c - 1]);
            m_GridVM.SetItemText(row, c, text);
        }
        for (int c = 0; c <= 3; ++c)
            m_GridVM.SetItemFormat(row, c, centred);
    }
    m_GridVM.ExpandColumnsToFit();
}

BOOL CDlgLayerVMOutput::OnInitDialog()
{
    CDialog::OnInitDialog();
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    m_GridCase.Create(CRect(12, 10, 164, 233), this, IDC_VM_CASEGRID, style);
    m_GridVM.Create(CRect(175, 10, 521, 233), this, IDC_VM_GRID, style);
    InitGrid();
    FillColumn();
    FillItem();
    // The window lists every real storey, the basements and the lowest one included.
    m_nFloorNum = m_pGlobalData != nullptr ? m_pGlobalData->Struct()->m_pFloorList->GetRealFloorNum() : 0;
    CWaitCursor wait;
    m_nCurRow = 1;
    CBasicLoadCase* lc = getgk(1);
    if (lc != nullptr)
        m_GridCase.SetItemState(1, 0, GVIS_SELECTED);
    MakeCurrent(lc);
    FillItemVM();
    return TRUE;
}

void CDlgLayerVMOutput::OnGridClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pResult)
        *pResult = 0;
    const int row = reinterpret_cast<NM_GRIDVIEW*>(pNMHDR)->iRow;
    if (row <= 0)
        return;
    CBasicLoadCase* lc = getgk(row);
    if (lc == nullptr)
        return;
    CWaitCursor wait;
    m_nCurRow = row;
    MakeCurrent(lc);
    FillItemVM();
}

void CDlgLayerVMOutput::OnViewOutput()
{
    CDlgLayerVMDraw diagram(this);
    diagram.m_pGlobalData = m_pGlobalData;
    diagram.DoModal();
}

void CDlgLayerVMOutput::OnDocumentOutput()
{
    CDlgOutputDocument::Open(this, m_pGlobalData, kVMViewerKind);
}

// ---- Chapter ----

void CDlgLayerVMOutput::beginforoutput()
{
    RefillCaseNumbers();
    CStruct* s = m_pGlobalData->Struct();
    m_nFloorNum = std::max(0, s->m_pFloorList->GetRealFloorNum() - std::max(s->m_nBasementNum, 1));
    m_nCurRow = 1;
    MakeCurrent(getgk(1));
}

void CDlgLayerVMOutput::Output(COutput* out, int flag)
{
    if (out == nullptr || m_pGlobalData == nullptr)
        return;
    CWaitCursor wait;
    // The window goes on with its own storeys and case afterwards.
    const int shownCount = m_nFloorNum;
    const int shownRow = m_nCurRow;
    beginforoutput();

    CDlgReportChapter::OutputTitle(*out, m_pGlobalData->ProjectName() + "楼层剪力与倾覆力矩信息", flag);
    out->SetFlagAdd(0x1002);
    for (int row = 1; row <= (int)m_arrCaseNo.size(); ++row) {
        MakeCurrent(getgk(row));
        out->SetFontSize(9);
        const CString heading = "基本工况" + m_strDescription + (m_nDirection == 1 ? "(主方向X向)" : "(主方向Y向)");
        *out << title(3) << title << heading + "下的剪力与倾覆力矩" << endl << title(0);
        *out << tab << tab << "(单位 力：千牛; 长度：米; )" << endl;
        out->SetFontSize(9);
        out->SetPrecision(3);
        out->SetFlagSub(0x10000);
        out->CreateTableHead("楼 层", 10, 0);
        out->CreateTableHead("层高", 10, 0);
        out->CreateTableHead("层剪力", 15, 0);
        out->CreateTableHead("层倾覆力矩", 20, 0);
        for (const CStoreyVM& r : m_arrVM) {
            CString text;
            text.Format("第%d层", r.nNo);
            out->SetTableContent(text);
            text.Format("%.1f", r.fH);
            out->SetTableContent(text);
            out->SetFlagAdd(0x40000);
            text.Format("%.1f", r.fV);
            out->SetTableContent(text);
            text.Format("%.1f", r.fM);
            out->SetTableContent(text);
        }
        out->EndTable();
        *out << endl;
    }

    m_nFloorNum = shownCount;
    m_nCurRow = shownRow;
    MakeCurrent(getgk(shownRow));
}
