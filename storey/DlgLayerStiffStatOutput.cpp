#include <vyr/storey/DlgLayerStiffStatOutput.h>

#include <cmath>
#include <cstdlib>

#include <vyr/app.h>
#include <vyr/controls.h>
#include <vyr/ddx.h>
#include <vyr/model/output/output.h>
#include <vyr/model/struct/structure.h>
#include <vyr/msgbox.h>
#include <vyr/protocol/DlgReportChapter.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/storey/DlgOutputDocument.h>
#include <vyr/storey/StoreyCommon.h>

namespace {

constexpr int kViewerKind = 0;
const bool kRegistered = CDlgOutputDocument::RegisterOwnerKind<CDlgLayerStiffStatOutput>(kViewerKind);

constexpr float kDefaultLimitUp = 0.7f;
constexpr float kDefaultLimitUp3 = 0.8f;

const char* const kMethodTexts[] = {"高规附录E.0.1的建议方法", "高规和抗震规范的建议方法", "高规附录E.0.2的建议方法"};
const char* const kChapterHeads[] = {"使用高规附录E.0.1的建议方法计算抗侧刚度",
                                     "使用高规和抗震规范的建议方法计算抗侧刚度",
                                     "使用高规附录E.0.2的建议方法计算抗侧刚度"};

} // namespace

BEGIN_MESSAGE_MAP(CDlgLayerStiffStatOutput, CDialog)
    ON_CBN_SELCHANGE(IDC_STIFF_METHOD, &CDlgLayerStiffStatOutput::OnSelchangeMethod)
    ON_NOTIFY(TCN_SELCHANGE, IDC_STIFF_TAB, &CDlgLayerStiffStatOutput::OnSelchangeTab)
    ON_NOTIFY(GVN_SELCHANGED, IDC_STIFF_TOWERGRID, &CDlgLayerStiffStatOutput::OnTowerSelChanged)
    ON_EN_CHANGE(IDC_STIFF_LIMITUP, &CDlgLayerStiffStatOutput::OnChangeLimitUp)
    ON_EN_CHANGE(IDC_STIFF_LIMITUP3, &CDlgLayerStiffStatOutput::OnChangeLimitUp3)
    ON_BN_CLICKED(IDC_STOREY_OUTPUT, &CDlgLayerStiffStatOutput::OnOutput)
END_MESSAGE_MAP()

CDlgLayerStiffStatOutput::CDlgLayerStiffStatOutput(CGlobalData* pData, CWnd* pParent)
    : CDialog(IDD_LAYERSTIFFSTAT, pParent), m_pGlobalData(pData)
{
    (void)kRegistered;
    if (m_pGlobalData == nullptr)
        return;
    CStruct* s = m_pGlobalData->Struct();
    m_nModeNum = s->GetCurFrequentNum();
    m_nSeismFlag = s->m_pLoadSeismList->m_bFlag;
    m_nBasementNum = s->m_nBasementNum;
    m_fLimitUp = storey::StoredOrDefault(s->m_fStiffRatioUp, kDefaultLimitUp);
    m_fLimitUp3 = storey::StoredOrDefault(s->m_fStiffRatioUp3, kDefaultLimitUp3);
}

CDlgLayerStiffStatOutput::~CDlgLayerStiffStatOutput()
{
    // The list refers to the structure's main nodes.
    m_MainNodeList.RemoveAll();
}

const char* CDlgLayerStiffStatOutput::MethodText(int method)
{
    return method >= 0 && method <= METHOD_ANGLE ? kMethodTexts[method] : "";
}

// ---- Computation ----

void CDlgLayerStiffStatOutput::FillData()
{
    CStruct* s = m_pGlobalData->Struct();
    m_nBasementNum = s->m_nBasementNum;
    m_nFloorNum = std::max(0, s->m_pFloorList->GetRealFloorNum() - m_nBasementNum);
    m_arrStiff.assign((size_t)m_nFloorNum, CStoreyStiff());
    if (m_nMethod < METHOD_MODEL || m_nMethod > METHOD_ANGLE) {
        AfxMessageBox("请选中计算方法！");
        return;
    }
    // The modal coupling the drifts are combined with, for this computation only; sized for
    // the modes the structure holds now, which it fills.
    const int modes = std::max(m_nModeNum, s->GetCurFrequentNum());
    std::vector<double> coupling((size_t)std::max(0, modes * modes));
    s->GetOuheRatio(coupling.data());
    switch (m_nMethod) {
    case METHOD_MODEL:
        ComputeModel();
        break;
    case METHOD_DRIFT:
        ComputeDrift(true, coupling.data());
        ComputeDrift(false, coupling.data());
        break;
    default:
        ComputeAngle(true, coupling.data());
        ComputeAngle(false, coupling.data());
        break;
    }
    WriteRatioData();
}

void CDlgLayerStiffStatOutput::ComputeModel()
{
    CStruct* s = m_pGlobalData->Struct();
    const std::vector<CFloor*> storeys = storey::RealStoreysFromTop(s->m_pFloorList, m_nFloorNum);
    for (size_t i = 0; i < storeys.size(); ++i) {
        CFloor* f = storeys[i];
        CStoreyStiff& row = m_arrStiff[(size_t)m_nFloorNum - 1 - i];
        row.nNo = storey::InTower(m_pCurMainNode, f) ? f->GetNo() : 0;
        if (row.nNo == 0)
            continue;
        const float kx = f->GetTotalStiffX(s->m_pDefaultWallMaterial, m_pCurMainNode);
        const float ky = f->GetTotalStiffY(s->m_pDefaultWallMaterial, m_pCurMainNode);
        row.fStiffX = std::fabs(kx) < 0.001f ? -1.0f : kx * 100.0f;
        row.fStiffY = std::fabs(ky) < 0.001f ? -1.0f : ky * 100.0f;
    }
}

void CDlgLayerStiffStatOutput::ComputeDrift(bool x, const double* coupling)
{
    CStruct* s = m_pGlobalData->Struct();
    CBasicLoadCase* lc = x ? m_pSeismX : m_pSeismY;
    const int pos = s->m_pLoadSeismList->GetSeismPos(lc);
    const bool yShear = lc != nullptr && CaseDirection(lc, m_nFloorNum) == 2;
    const std::vector<CFloor*> all = storey::RealStoreysFromTop(s->m_pFloorList);
    for (int i = 0; i < m_nFloorNum && i < (int)all.size(); ++i) {
        CFloor* f = all[(size_t)i];
        CStoreyStiff& row = m_arrStiff[(size_t)(m_nFloorNum - 1 - i)];
        row.nNo = f->GetNo();
        float v = 0.0f, d = 0.0f;
        if (lc != nullptr) {
            if (pos >= 0)
                v = std::fabs(yShear ? f->m_fSeismShearY[pos] : f->m_fSeismShearX[pos]);
            d = f->GetFloorRelativeDisp(m_nSeismFlag != 0, pos, lc->m_nNo - 1, x ? 1 : 2, m_nModeNum,
                                        storey::StoreyBelow(s->m_pFloorList, all, (size_t)i), coupling,
                                        nullptr) * 0.01f;
        }
        (x ? row.fStiffX : row.fStiffY) = std::fabs(d) > 1e-7f ? std::fabs(v / d) : 1.0f;
    }
}

void CDlgLayerStiffStatOutput::ComputeAngle(bool x, const double* coupling)
{
    CStruct* s = m_pGlobalData->Struct();
    CBasicLoadCase* lc = x ? m_pWindX : m_pWindY;
    const int n = m_nFloorNum;
    const std::vector<CFloor*> all = storey::RealStoreysFromTop(s->m_pFloorList);
    // Index j from the lowest storey of the range up.
    std::vector<double> h((size_t)n), v((size_t)n), d((size_t)n), ei((size_t)n), m((size_t)n + 1, 0.0);
    std::vector<CFloor*> at((size_t)n, nullptr);
    for (int i = 0; i < n && i < (int)all.size(); ++i) {
        const size_t j = (size_t)(n - 1 - i);
        CFloor* f = all[(size_t)i];
        at[j] = f;
        CFloor* below = storey::StoreyBelow(s->m_pFloorList, all, (size_t)i);
        v[j] = x ? f->GetTotalShearX(lc) : f->GetTotalShearY(lc);
        if (lc != nullptr)
            d[j] = f->GetFloorRelativeDisp(m_nSeismFlag != 0, s->m_pLoadSeismList->GetSeismPos(lc), lc->m_nNo - 1,
                                           x ? 1 : 2, m_nModeNum, below, coupling, nullptr) * 0.01;
        CMaterialBase* slab = s->m_pDefaultFloorMaterial;
        ei[j] = below == nullptr ? 0.0 : (x ? below->GetTotalEIX(slab) : below->GetTotalEIY(slab)) * 0.0001;
    }
    for (int j = 0; j < n; ++j) {
        if (at[(size_t)j] == nullptr)
            continue;
        if (x) // from elevations: down to the next lower storey of the range; the lowest keeps its own
            h[(size_t)j] = (j > 0 && at[(size_t)j - 1] != nullptr ? at[(size_t)j]->GetZ() - at[(size_t)j - 1]->GetZ()
                                                                : at[(size_t)j]->GetZ()) * 0.01;
        else
            h[(size_t)j] = at[(size_t)j]->GetH() * 0.01;
    }
    for (int j = n - 1; j >= 0; --j)
        m[(size_t)j] = m[(size_t)j + 1] + v[(size_t)j] * h[(size_t)j];
    const int b = std::max(1, m_nBasementNum);
    for (int j = 0; j < n; ++j) {
        CStoreyStiff& row = m_arrStiff[(size_t)j];
        if (at[(size_t)j] == nullptr)
            continue;
        row.nNo = at[(size_t)j]->GetNo();
        if (std::fabs(ei[(size_t)j]) < 1e-7)
            ei[(size_t)j] = 1.0;
        double theta = (m[(size_t)j] + (m[(size_t)j] + m[(size_t)j + 1]) / 2.0) * h[(size_t)j] * 0.5 / ei[(size_t)j];
        if (j >= b)
            for (int k = b - 1; k <= j - 1; ++k) {
                const double e = ei[(size_t)k] > 1.0 ? ei[(size_t)k] : 1.0;
                theta += (m[(size_t)k] + m[(size_t)k + 1]) * h[(size_t)k] * 0.5 / e;
            }
        const double dPure = d[(size_t)j] - h[(size_t)j] * theta;
        (x ? row.fStiffX : row.fStiffY) =
            std::fabs(dPure) > 1e-7 ? (float)std::fabs(v[(size_t)j] * h[(size_t)j] / dPure) : 1.0f;
    }
}

void CDlgLayerStiffStatOutput::WriteRatioData()
{
    const int n = (int)m_arrStiff.size();
    auto above = [&](int i) {
        for (int k = i + 1; k < n; ++k)
            if (m_arrStiff[(size_t)k].nNo != 0)
                return k;
        return i;
    };
    for (int i = 0; i < n; ++i) {
        CStoreyStiff& r = m_arrStiff[(size_t)i];
        if (r.nNo == 0)
            continue;
        const int o1 = above(i), o2 = above(o1), o3 = above(o2);
        const CStoreyStiff &s1 = m_arrStiff[(size_t)o1], &s2 = m_arrStiff[(size_t)o2], &s3 = m_arrStiff[(size_t)o3];
        const bool twoAbove = i < o1 && o1 < o2 && o3 == o2;
        auto ratios = [&](float k, float k1, float k2, float k3, float& ratio, float& ratio3) {
            ratio = std::fabs(k1) < 1e-7f ? 1.0f : k / k1;
            const float sum = twoAbove ? k1 + k2 : k1 + k2 + k3;
            ratio3 = std::fabs(sum) < 1e-7f ? 1.0f : (twoAbove ? 2.0f : 3.0f) * k / sum;
        };
        ratios(r.fStiffX, s1.fStiffX, s2.fStiffX, s3.fStiffX, r.fRatioX, r.fRatio3X);
        ratios(r.fStiffY, s1.fStiffY, s2.fStiffY, s3.fStiffY, r.fRatioY, r.fRatio3Y);
    }
}

int CDlgLayerStiffStatOutput::CaseDirection(CBasicLoadCase* lc, int voteStoreys) const
{
    CStruct* s = m_pGlobalData->Struct();
    if (s->m_pFloorList->GetRealFloorNum() == 0)
        return 1;
    const auto [xCount, yCount] = storey::CountDominantShear(
        storey::RealStoreysFromTop(s->m_pFloorList, std::max(0, voteStoreys)), lc, s->m_pLoadSeismList);
    return xCount > yCount ? 1 : 2;
}

void CDlgLayerStiffStatOutput::ChooseCases(int voteStoreys)
{
    m_pWindX = m_pWindY = m_pSeismX = m_pSeismY = nullptr;
    CBasicLCList* cases = m_pGlobalData->GetCurBasicLCList();
    for (POSITION pos = cases->GetHeadPosition(); pos != nullptr;) {
        CBasicLoadCase* lc = cases->GetNextT(pos);
        const bool wind = lc->GetType() >= 2 && lc->GetType() <= 5;
        if (!wind && !lc->IsSeismLoadCase())
            continue;
        CBasicLoadCase*& caseX = wind ? m_pWindX : m_pSeismX;
        CBasicLoadCase*& caseY = wind ? m_pWindY : m_pSeismY;
        if (caseX != nullptr && caseY != nullptr)
            continue;
        CBasicLoadCase*& slot = CaseDirection(lc, voteStoreys) == 1 ? caseX : caseY;
        if (slot == nullptr)
            slot = lc;
    }
    // One case found serves both directions.
    for (auto [a, b] : {std::pair{&m_pWindX, &m_pWindY}, std::pair{&m_pSeismX, &m_pSeismY}}) {
        if (*a == nullptr)
            *a = *b;
        if (*b == nullptr)
            *b = *a;
    }
    m_bNoWind = m_pWindX == nullptr;
    m_bNoSeism = m_pSeismX == nullptr;
}

// ---- Window ----

int CDlgLayerStiffStatOutput::EntryMethod(int index) const
{
    return index >= 0 && index < (int)m_arrEntryMethod.size() ? m_arrEntryMethod[(size_t)index] : -1;
}

void CDlgLayerStiffStatOutput::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_STIFF_METHOD, m_nComboIndex);
    DDX_Text(pDX, IDC_STIFF_LIMITUP, m_fLimitUp);
    DDV_MinMaxFloat(pDX, m_fLimitUp, 0.0f, 1.0f);
    DDX_Text(pDX, IDC_STIFF_LIMITUP3, m_fLimitUp3);
    DDV_MinMaxFloat(pDX, m_fLimitUp3, 0.0f, 1.0f);
    if (pDX->m_bSaveAndValidate)
        m_nMethod = EntryMethod(m_nComboIndex);
}

BOOL CDlgLayerStiffStatOutput::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWaitCursor wait;
    storey::CreateStoreyGrid(m_GridStorey, this, CRect(163, 38, 641, 288), IDC_STIFF_GRID);
    storey::CreateTowerGrid(m_GridTower, this, CRect(13, 8, 146, 299), IDC_STIFF_TOWERGRID);
    // The window shows the limits as the model holds them.
    CStruct* s = m_pGlobalData->Struct();
    m_fLimitUp = s->m_fStiffRatioUp;
    m_fLimitUp3 = s->m_fStiffRatioUp3;
    storey::RefreshTowers(s, m_MainNodeList);
    auto* tab = static_cast<CTabCtrl*>(GetDlgItem(IDC_STIFF_TAB));
    tab->InsertItem(0, "X方向");
    tab->InsertItem(1, "Y方向");
    tab->SetCurSel(0);
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_STIFF_METHOD));
    combo->ResetContent();
    m_arrEntryMethod.clear();
    for (int method = METHOD_MODEL; method <= METHOD_ANGLE; ++method) {
        combo->AddString(kMethodTexts[method]);
        m_arrEntryMethod.push_back(method);
    }
    m_nComboIndex = 0;
    m_nMethod = METHOD_MODEL;
    m_pCurMainNode = storey::FillTowerGrid(m_GridTower, m_MainNodeList);
    UpdateData(FALSE);
    FillData();
    FillItem();
    ChooseCases(m_nFloorNum);
    if (m_bNoWind) {
        combo->DeleteString(2);
        m_arrEntryMethod.erase(m_arrEntryMethod.begin() + 2);
    }
    if (m_bNoSeism) {
        combo->DeleteString(1);
        m_arrEntryMethod.erase(m_arrEntryMethod.begin() + 1);
    }
    m_bOpened = true;
    return TRUE;
}

void CDlgLayerStiffStatOutput::FillItem()
{
    if (!UpdateData(TRUE))
        return;
    const bool x = ShownTab() == 0;
    CGridCtrl& g = m_GridStorey;
    g.DeleteAllItems();
    g.SetColumnCount(4);
    g.SetRowCount(1);
    g.SetFixedRowCount(1);
    const char* heads[] = {"楼层", m_nMethod == METHOD_ANGLE ? "层等效转角刚度(kN/rad)" : "层等效侧向刚度(kN/m)",
                           "本层/上层刚度", "本层/上三层平均刚度"};
    const int widths[] = {80, 150, 140, 150};
    for (int c = 0; c < 4; ++c) {
        g.SetItemText(0, c, heads[c]);
        g.SetColumnWidth(c, widths[c]);
    }
    for (const CStoreyStiff& r : m_arrStiff) {
        if (r.nNo == 0)
            continue;
        CString label, stiff, ratio, ratio3;
        label.Format("第%d层", r.nNo);
        stiff.Format("%.3e", x ? r.fStiffX : r.fStiffY);
        ratio.Format("%.3f", x ? r.fRatioX : r.fRatioY);
        ratio3.Format("%.3f", x ? r.fRatio3X : r.fRatio3Y);
        storey::AddCentredRow(g, {label, stiff, ratio, ratio3});
    }
    g.ExpandColumnsToFit();
    g.ExpandLastColumn();
    Recolour();
}

void CDlgLayerStiffStatOutput::Recolour()
{
    const bool x = ShownTab() == 0;
    CGridCtrl& g = m_GridStorey;
    int row = 1;
    for (const CStoreyStiff& r : m_arrStiff) {
        if (r.nNo == 0)
            continue;
        const float ratio = x ? r.fRatioX : r.fRatioY;
        const float ratio3 = x ? r.fRatio3X : r.fRatio3Y;
        g.SetItemBkColour(row, 2, m_fLimitUp > std::fabs(ratio) ? storey::kAdvisoryColour : CLR_DEFAULT);
        g.SetItemBkColour(row, 3, m_fLimitUp3 > std::fabs(ratio3) ? storey::kAdvisoryColour : CLR_DEFAULT);
        ++row;
    }
    g.Invalidate();
}

void CDlgLayerStiffStatOutput::OnSelchangeMethod()
{
    CWaitCursor wait;
    if (!UpdateData(TRUE))
        return;
    FillData();
    FillItem();
}

void CDlgLayerStiffStatOutput::OnSelchangeTab(NMHDR*, LRESULT* pResult)
{
    FillItem();
    if (pResult)
        *pResult = 0;
}

void CDlgLayerStiffStatOutput::OnTowerSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pResult)
        *pResult = 0;
    CMainNode* tower = storey::SelectedTower(pNMHDR, m_MainNodeList);
    if (tower == nullptr)
        return;
    CWaitCursor wait;
    m_pCurMainNode = tower;
    FillData();
    FillItem();
}

void CDlgLayerStiffStatOutput::OnChangeLimit(int ctrlId)
{
    if (!m_bOpened)
        return;
    CStruct* s = m_pGlobalData->Struct();
    if (storey::TakeEditedLimit(*this, ctrlId, ctrlId == IDC_STIFF_LIMITUP ? m_fLimitUp : m_fLimitUp3,
                                ctrlId == IDC_STIFF_LIMITUP ? s->m_fStiffRatioUp : s->m_fStiffRatioUp3))
        Recolour();
}

void CDlgLayerStiffStatOutput::OnChangeLimitUp() { OnChangeLimit(IDC_STIFF_LIMITUP); }
void CDlgLayerStiffStatOutput::OnChangeLimitUp3() { OnChangeLimit(IDC_STIFF_LIMITUP3); }

int CDlgLayerStiffStatOutput::ShownTab() const
{
    auto* tab = static_cast<CTabCtrl*>(GetDlgItem(IDC_STIFF_TAB));
    return tab != nullptr && tab->GetCurSel() == 1 ? 1 : 0;
}

void CDlgLayerStiffStatOutput::OnOutput()
{
    m_nLastTab = ShownTab();
    CDlgOutputDocument viewer(this);
    viewer.m_pGlobalData = m_pGlobalData;
    viewer.m_nDocType = kViewerKind;
    viewer.DoModal();
}

void CDlgLayerStiffStatOutput::Close(int result)
{
    if (!UpdateData(TRUE))
        return;
    m_nLastTab = ShownTab();
    EndDialog(result);
}

void CDlgLayerStiffStatOutput::OnOK() { Close(IDOK); }
void CDlgLayerStiffStatOutput::OnCancel() { Close(IDCANCEL); }

// ---- Chapter ----

void CDlgLayerStiffStatOutput::Output(COutput* out, int flag)
{
    if (out == nullptr || m_pGlobalData == nullptr)
        return;
    CStruct* s = m_pGlobalData->Struct();
    const int shownMethod = m_nMethod;
    CMainNode* const shownTower = m_pCurMainNode;
    ChooseCases(s->m_pFloorList->GetRealFloorNum() - std::max(1, s->m_nBasementNum));
    storey::RefreshTowers(s, m_MainNodeList);

    CDlgReportChapter::OutputTitle(*out, m_pGlobalData->ProjectName() + "楼层抗侧刚度信息", flag);
    out->SetFlagAdd(0x1002);
    CString text;
    text.Format("楼层侧向刚度不宜小于上部楼层的%.3f倍和其上相邻三层平均值的%.3f倍", m_fLimitUp, m_fLimitUp3);
    *out << text << endl << endl;
    out->SetFlagSub(0x10000);
    for (int method = METHOD_MODEL; method <= METHOD_ANGLE; ++method) {
        if ((method == METHOD_DRIFT && m_bNoSeism) || (method == METHOD_ANGLE && m_bNoWind))
            continue;
        m_nMethod = method;
        m_pCurMainNode = shownTower;
        FillData();
        out->SetFontSize(11);
        *out << title(2) << title << kChapterHeads[method] << endl << title(0);
        WriteTables(*out, method, flag, shownMethod);
        *out << endl;
    }
    // The window goes on with what it showed: its method and its tower.
    m_nMethod = shownMethod;
    m_pCurMainNode = shownTower;
    FillData();
}

void CDlgLayerStiffStatOutput::WriteTables(COutput& out, int method, int flag, int shownMethod)
{
    auto warn = [&](bool x) {
        if (flag == 1)
            return storey::kAdvisoryColour;
        const bool shown = method == shownMethod && (x ? m_nLastTab == 0 : m_nLastTab == 1);
        return shown ? storey::kAdvisoryColour : storey::kBlack;
    };
    const int towers = (int)m_MainNodeList.GetCount();
    if (method == METHOD_MODEL && towers > 1) {
        for (bool x : {true, false}) {
            for (int t = 1; t <= towers; ++t) {
                m_pCurMainNode = m_MainNodeList.Get(t);
                FillData();
                CString heading;
                heading.Format(x ? "第%d塔楼楼层X向抗侧刚度表(单位 力：千牛; 长度：米;)"
                                 : "第%d塔楼楼层Y向抗侧刚度表(单位 力：千牛; 长度：米;)",
                               t);
                WriteTable(out, heading, x, method, warn(x));
            }
            if (x)
                out << endl;
        }
        return;
    }
    WriteTable(out, "楼层X向抗侧刚度表(单位 力：千牛; 长度：米;)", true, method, warn(true));
    WriteTable(out, "楼层Y向抗侧刚度表(单位 力：千牛; 长度：米;)", false, method, warn(false));
}

void CDlgLayerStiffStatOutput::WriteTable(COutput& out, const CString& heading, bool x, int method, COLORREF warn)
{
    out << endl;
    out.SetFontSize(11);
    out << title(3) << title << heading << endl << title(0);
    out.SetFlagSub(0x10000);
    out.SetFontSize(9);
    out.SetPrecision(3);
    out.CreateTableHead("楼 层", 10, 0);
    out.CreateTableHead(method == METHOD_ANGLE ? "本层刚度(kN/rad)" : "本层刚度(kN/m)", 20, 0);
    out.CreateTableHead("本层刚度/上层刚度", 25, 0);
    out.CreateTableHead("本层刚度/上三层平均刚度", 25, 0);
    for (const CStoreyStiff& r : m_arrStiff) {
        if (r.nNo == 0)
            continue;
        CString text;
        text.Format("%d", r.nNo);
        out.SetTableContent("第" + text + "层");
        out.SetFlagAdd(0x40000);
        out.SetTableContent((double)(x ? r.fStiffX : r.fStiffY));
        const float ratios[] = {x ? r.fRatioX : r.fRatioY, x ? r.fRatio3X : r.fRatio3Y};
        const float limits[] = {m_fLimitUp, m_fLimitUp3};
        for (int k = 0; k < 2; ++k) {
            text.Format("%.3f", ratios[k]);
            if (ratios[k] < limits[k]) {
                out.SetFontColor(warn);
                out.SetTableContent(text);
                out.SetFontColor(storey::kBlack);
            } else {
                out.SetTableContent(text);
            }
        }
    }
    out.EndTable();
}
