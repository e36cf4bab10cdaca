#include <vyr/reports/DlgOutputTotal.h>

#include <vyr/controls.h>
#include <vyr/msgbox.h>
#include <vyr/model/base/VyrProduct.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/ReportHead.h>
#include <vyr/resources/dialogs/OutputTotalRes.h>
#include <vyr/storey/DlgGStableCheck.h>

BEGIN_MESSAGE_MAP(CDlgOutputTotal, CDlgReportRun)
    ON_BN_CLICKED(IDC_OTOTAL_SELALL, &CDlgOutputTotal::OnSel)
    ON_BN_CLICKED(IDC_OTOTAL_UNSELALL, &CDlgOutputTotal::OnUnSel)
END_MESSAGE_MAP()

namespace {

// The overall stability chapter's kind in the report viewer.
constexpr int kStabilityKind = 8;

bool HasRealStoreys(const CStruct* s) { return s && s->m_pFloorList && s->m_pFloorList->GetRealFloorNum() > 0; }

bool HasModes(const CStruct* s) { return s && s->GetCurFrequentNum() > 0; }

template <class Pred>
bool HasBasicCase(const CGlobalData* data, Pred pred)
{
    const CBasicLCList* list = data ? data->GetCurBasicLCList() : nullptr;
    if (!list)
        return false;
    for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
        if (pred(list->GetNextT(pos)))
            return true;
    return false;
}

bool IsWindCase(const CBasicLoadCase* lc) { return lc->GetType() >= 2 && lc->GetType() <= 5; }
bool IsSeismCase(const CBasicLoadCase* lc) { return lc->IsSeismLoadCase(); }

template <class Pred>
bool HasMember(const CStruct* s, Pred pred)
{
    for (POSITION pos = s->m_pBeamList->GetHeadPosition(); pos != nullptr;)
        if (pred(s->m_pBeamList->GetNextT(pos)))
            return true;
    return false;
}

// The conditions of a test in order: the message of the first that fails.
struct CCondition
{
    bool holds;
    const char* message;
};

bool FirstFailing(std::initializer_list<CCondition> conditions, CString& msg)
{
    for (const CCondition& c : conditions)
        if (!c.holds) {
            msg = c.message;
            return false;
        }
    return true;
}

} // namespace

const CDlgOutputTotal::CSection CDlgOutputTotal::kTable[kSections] = {
    {IDC_OTOTAL_SUMMARY, IDC_OTOTAL_BTN_SUMMARY, nullptr, nullptr, &CDlgOutputTotal::WriteSummary,
     &CDlgOutputTotal::OnBtnSummary},
    {IDC_OTOTAL_MODEL, IDC_OTOTAL_BTN_MODEL, nullptr, nullptr, &CDlgOutputTotal::WriteModel,
     &CDlgOutputTotal::OnBtnModel},
    {IDC_OTOTAL_DESIGN, IDC_OTOTAL_BTN_DESIGN, nullptr, nullptr, &CDlgOutputTotal::WriteDesign,
     &CDlgOutputTotal::OnBtnDesign},
    {IDC_OTOTAL_NODE, IDC_OTOTAL_BTN_NODE, nullptr, nullptr, &CDlgOutputTotal::WriteDesignNode,
     &CDlgOutputTotal::OnBtnDesignNode},
    {IDC_OTOTAL_SUPPORT, IDC_OTOTAL_BTN_SUPPORT, nullptr, nullptr, &CDlgOutputTotal::WriteSupport,
     &CDlgOutputTotal::OnBtnSupport},
    {IDC_OTOTAL_MASS, IDC_OTOTAL_BTN_MASS, nullptr, nullptr, &CDlgOutputTotal::WriteEqualLoad,
     &CDlgOutputTotal::OnBtnEqualLoad},
    {IDC_OTOTAL_FREQUENT, IDC_OTOTAL_BTN_FREQUENT, &CDlgOutputTotal::CanBtnFrequent, &CDlgOutputTotal::CanBtnFrequent,
     &CDlgOutputTotal::WriteFrequent, &CDlgOutputTotal::OnBtnFrequent},
    {IDC_OTOTAL_GSTABLE, IDC_OTOTAL_BTN_GSTABLE, &CDlgOutputTotal::CanGStableCheck, &CDlgOutputTotal::CanGStableCheck,
     &CDlgOutputTotal::WriteGStableCheck, &CDlgOutputTotal::OnBtnGStableCheck},
    {IDC_OTOTAL_COMFORT, IDC_OTOTAL_BTN_COMFORT, &CDlgOutputTotal::CanComfortCheck, &CDlgOutputTotal::CanComfortCheck,
     &CDlgOutputTotal::WriteComfortCheck, &CDlgOutputTotal::OnBtnComfortCheck},
    {IDC_OTOTAL_DISP, IDC_OTOTAL_BTN_DISP, &CDlgOutputTotal::CanLayerDispDifferOutput,
     &CDlgOutputTotal::CanLayerDispDifferOutput, &CDlgOutputTotal::WriteLayerDispDiffer,
     &CDlgOutputTotal::OnBtnLayerDispDifferOutput},
    {IDC_OTOTAL_STIFF, IDC_OTOTAL_BTN_STIFF, &CDlgOutputTotal::CanBtnStiffStatOutput,
     &CDlgOutputTotal::CanBtnStiffStatOutput, &CDlgOutputTotal::WriteStiffStat, &CDlgOutputTotal::OnBtnStiffStatOutput},
    {IDC_OTOTAL_VM, IDC_OTOTAL_BTN_VM, &CDlgOutputTotal::CanBtnLayerVMOutput, &CDlgOutputTotal::CanBtnLayerVMOutput,
     &CDlgOutputTotal::WriteLayerVM, &CDlgOutputTotal::OnBtnLayerVMOutput},
    // The report asks only for real storeys; the button also for a horizontal case.
    {IDC_OTOTAL_CAPACITY, IDC_OTOTAL_BTN_CAPACITY, &CDlgOutputTotal::CanBtnShearCapacity,
     &CDlgOutputTotal::CanBtnLayerVMOutput, &CDlgOutputTotal::WriteShearCapacity, &CDlgOutputTotal::OnBtnShearCapacity},
    {IDC_OTOTAL_VGRATIO, IDC_OTOTAL_BTN_VGRATIO, &CDlgOutputTotal::CanBtnLayerVGRatio,
     &CDlgOutputTotal::CanBtnLayerVGRatio, &CDlgOutputTotal::WriteLayerVGRatio, &CDlgOutputTotal::OnBtnLayerVGRatio},
    {IDC_OTOTAL_FRAMEADJ, IDC_OTOTAL_BTN_FRAMEADJ, &CDlgOutputTotal::CanBtnFrameSeismicAdjust,
     &CDlgOutputTotal::CanBtnFrameSeismicAdjust, &CDlgOutputTotal::WriteFrameSeismicAdjust,
     &CDlgOutputTotal::OnBtnFrameSeismicAdjust},
};

UINT CDlgOutputTotal::TemplateForEdition()
{
    const CVyrProduct& p = CVyrProduct::Inst();
    if (p.IsKel3D())
        return IDD_OUTPUT_TOTAL_KEL;
    if (p.IsDov2D())
        return IDD_OUTPUT_TOTAL_DOV;
    return IDD_OUTPUT_TOTAL;
}

CDlgOutputTotal::CDlgOutputTotal(CGlobalData* pData, CWnd* pParent)
    : CDlgReportRun(TemplateForEdition(), pParent, IDC_OTOTAL_SHOW, IDC_OTOTAL_PROGRESS), m_pGlobalData(pData),
      m_dlgSummary(nullptr), m_dlgModel(nullptr), m_dlgCheck(nullptr), m_dlgNodeCheck(nullptr),
      m_dlgNodeForce(nullptr), m_dlgEqualLoad(nullptr), m_dlgFrequent(nullptr), m_dlgDocument(nullptr),
      m_dlgComfort(pData, nullptr), m_dlgDispDiffer(pData, nullptr), m_dlgStiffStat(pData, nullptr),
      m_dlgLayerVM(pData, nullptr), m_dlgShearCapacity(nullptr), m_dlgVGRatio(pData, nullptr),
      m_dlgFrameAdjust(pData, nullptr)
{
    for (const CSection& row : kTable)
        m_arrSection.emplace_back(row.box, row.button);
}

bool CDlgOutputTotal::IsChecked(int id) const
{
    const CWnd* box = GetDlgItem(id);
    return box && IsDlgButtonChecked(id) != 0;
}

void CDlgOutputTotal::ClickCheck()
{
    for (const auto& [box, button] : m_arrSection)
        if (GetDlgItem(box))
            if (CWnd* b = GetDlgItem(button))
                b->EnableWindow(IsChecked(box) ? TRUE : FALSE);
}

void CDlgOutputTotal::SetCheck(bool check)
{
    for (const auto& [box, button] : m_arrSection)
        if (GetDlgItem(box))
            CheckDlgButton(box, check ? BST_CHECKED : BST_UNCHECKED);
    ClickCheck();
}

void CDlgOutputTotal::Enable(bool enable)
{
    const BOOL on = enable ? TRUE : FALSE;
    for (const auto& [box, button] : m_arrSection)
        for (int id : {box, button})
            if (CWnd* c = GetDlgItem(id))
                c->EnableWindow(on);
    for (int id : {IDC_OTOTAL_SELALL, IDC_OTOTAL_UNSELALL, IDC_REPORT_PRINT, IDC_REPORT_RTF, IDC_REPORT_TXT,
                   IDC_REPORT_WORD, IDOK})
        if (CWnd* c = GetDlgItem(id))
            c->EnableWindow(on);
    if (enable)
        ClickCheck();
}

BOOL CDlgOutputTotal::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetCheck(false);
    // The first run: the title, the head and the design codes.
    OnOutput();
    return TRUE;
}

BOOL CDlgOutputTotal::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        const int id = LOWORD(wParam);
        for (const CSection& row : kTable) {
            if (id == row.box) {
                ClickCheck();
                return TRUE;
            }
            if (id == row.button) {
                (this->*row.settings)();
                return TRUE;
            }
        }
    }
    return CDlgReportRun::OnCommand(wParam, lParam);
}

// ---- preconditions

bool CDlgOutputTotal::CanBtnFrequent(CString& msg) const
{
    return FirstFailing({{HasModes(m_pGlobalData->Struct()), "请先进行振型计算！"}}, msg);
}

bool CDlgOutputTotal::CanGStableCheck(CString& msg) const
{
    return FirstFailing({{HasRealStoreys(m_pGlobalData->Struct()), "必须存在真实楼层！"}}, msg);
}

bool CDlgOutputTotal::CanComfortCheck(CString& msg) const
{
    const CStruct* s = m_pGlobalData->Struct();
    return FirstFailing({{HasRealStoreys(s), "必须存在真实楼层！"},
                         {HasModes(s), "请先进行振型计算！"},
                         {HasBasicCase(m_pGlobalData, IsWindCase), "必须存在风载工况！"}},
                        msg);
}

bool CDlgOutputTotal::CanLayerDispDifferOutput(CString& msg) const
{
    return FirstFailing({{HasRealStoreys(m_pGlobalData->Struct()), "结构必须存在真实楼面！"},
                         {HasBasicCase(m_pGlobalData, CDlgLayerVMOutput::IsHorizontalCase),
                          "结构已分析基本工况必须存在水平风载或地震荷载！"}},
                        msg);
}

bool CDlgOutputTotal::CanBtnStiffStatOutput(CString& msg) const
{
    return FirstFailing({{HasRealStoreys(m_pGlobalData->Struct()), "结构必须存在真实楼面！"}}, msg);
}

bool CDlgOutputTotal::CanBtnLayerVMOutput(CString& msg) const
{
    return FirstFailing({{HasRealStoreys(m_pGlobalData->Struct()), "必须存在真实楼层！"},
                         {HasBasicCase(m_pGlobalData, CDlgLayerVMOutput::IsHorizontalCase), "必须存在水平工况！"}},
                        msg);
}

bool CDlgOutputTotal::CanBtnLayerVGRatio(CString& msg) const
{
    return FirstFailing({{HasRealStoreys(m_pGlobalData->Struct()), "必须存在真实楼层！"},
                         {HasBasicCase(m_pGlobalData, IsSeismCase), "必须有水平地震工况！"}},
                        msg);
}

bool CDlgOutputTotal::CanBtnFrameSeismicAdjust(CString& msg) const
{
    const CStruct* s = m_pGlobalData->Struct();
    if (!HasRealStoreys(s)) {
        msg = "必须存在真实楼层！";
        return false;
    }
    const bool walls = s->m_pWallList && s->m_pWallList->GetCount() > 0;
    return FirstFailing(
        {{walls || HasMember(s, [](const CBeamBase* m) { return m->GetType() == 3; }),
          "纯框架体系不需要调整，必须存在剪力墙或支撑水平抗力体系！"},
         {s->m_pBeamList->GetCount() > 0, "结构中必须存在梁柱构件！"},
         {HasMember(s, [](const CBeamBase* m) { return m->GetType() == 1; }), "结构中必须存在柱构件！"},
         {HasBasicCase(m_pGlobalData, IsSeismCase), "必须存在水平地震工况！"}},
        msg);
}

// ---- settings buttons

void CDlgOutputTotal::OpenChecked(Test test, CDialog& dlg)
{
    CString msg;
    if (test && !(this->*test)(msg)) {
        AfxMessageBox(msg, MB_OK);
        return;
    }
    dlg.DoModal();
}

void CDlgOutputTotal::HandSummarySettings()
{
    m_dlgSummary.m_pData = m_pGlobalData;
    m_dlgSummary.m_bColWallLiveReduce = m_bColWallLiveReduce;
    m_dlgSummary.m_bFoundLiveReduce = m_bFoundLiveReduce;
    m_dlgSummary.m_bBeamStiffAdjust = m_bBeamStiffAdjust;
    for (int i = 0; i < 6; ++i)
        m_dlgSummary.m_fLiveReduceFactor[i] = m_fLiveReduceFactor[i];
}

void CDlgOutputTotal::OnBtnSummary()
{
    HandSummarySettings();
    m_dlgSummary.DoModal();
}

void CDlgOutputTotal::OnBtnModel()
{
    m_dlgModel.m_pData = m_pGlobalData;
    m_dlgModel.DoModal();
}

void CDlgOutputTotal::OnBtnDesign()
{
    m_dlgCheck.m_pData = m_pGlobalData;
    m_dlgCheck.m_pBeamList = m_pGlobalData->Struct()->m_pBeamList;
    m_dlgCheck.DoModal();
}

void CDlgOutputTotal::OnBtnDesignNode()
{
    m_dlgNodeCheck.m_pNodeList = m_pGlobalData->Struct()->m_pNodeList;
    m_dlgNodeCheck.DoModal();
}

void CDlgOutputTotal::OnBtnSupport()
{
    m_dlgNodeForce.m_pData = m_pGlobalData;
    m_dlgNodeForce.m_pNodeList = m_pGlobalData->Struct()->m_pNodeList;
    m_dlgNodeForce.DoModal();
}

void CDlgOutputTotal::OnBtnEqualLoad()
{
    m_dlgEqualLoad.m_pData = m_pGlobalData;
    m_dlgEqualLoad.DoModal();
}

void CDlgOutputTotal::OnBtnFrequent()
{
    m_dlgFrequent.m_pGlobalData = m_pGlobalData;
    OpenChecked(&CDlgOutputTotal::CanBtnFrequent, m_dlgFrequent);
}

void CDlgOutputTotal::OnBtnGStableCheck()
{
    m_dlgDocument.m_pGlobalData = m_pGlobalData;
    m_dlgDocument.m_nDocType = kStabilityKind;
    OpenChecked(&CDlgOutputTotal::CanGStableCheck, m_dlgDocument);
}

void CDlgOutputTotal::OnBtnComfortCheck()
{
    m_dlgComfort.m_pGlobalData = m_pGlobalData;
    OpenChecked(&CDlgOutputTotal::CanComfortCheck, m_dlgComfort);
}

void CDlgOutputTotal::OnBtnLayerDispDifferOutput()
{
    m_dlgDispDiffer.m_pGlobalData = m_pGlobalData;
    OpenChecked(&CDlgOutputTotal::CanLayerDispDifferOutput, m_dlgDispDiffer);
}

void CDlgOutputTotal::OnBtnStiffStatOutput()
{
    m_dlgStiffStat.m_pGlobalData = m_pGlobalData;
    OpenChecked(&CDlgOutputTotal::CanBtnStiffStatOutput, m_dlgStiffStat);
}

void CDlgOutputTotal::OnBtnLayerVMOutput()
{
    m_dlgLayerVM.m_pGlobalData = m_pGlobalData;
    OpenChecked(&CDlgOutputTotal::CanBtnLayerVMOutput, m_dlgLayerVM);
}

void CDlgOutputTotal::OnBtnShearCapacity()
{
    m_dlgShearCapacity.m_pGlobalData = m_pGlobalData;
    // The button asks for a horizontal case as the shear and moment statistics do.
    OpenChecked(&CDlgOutputTotal::CanBtnLayerVMOutput, m_dlgShearCapacity);
}

void CDlgOutputTotal::OnBtnLayerVGRatio()
{
    m_dlgVGRatio.m_pGlobalData = m_pGlobalData;
    OpenChecked(&CDlgOutputTotal::CanBtnLayerVGRatio, m_dlgVGRatio);
}

void CDlgOutputTotal::OnBtnFrameSeismicAdjust()
{
    m_dlgFrameAdjust.m_pGlobalData = m_pGlobalData;
    OpenChecked(&CDlgOutputTotal::CanBtnFrameSeismicAdjust, m_dlgFrameAdjust);
}

// ---- the report

void CDlgOutputTotal::TakeTicks()
{
    for (int k = 0; k < kSections; ++k)
        m_ticked[(size_t)k] = IsChecked(kTable[k].box);
}

bool CDlgOutputTotal::BeginRun()
{
    TakeTicks();
    return true;
}

void CDlgOutputTotal::WriteSummary(COutput& out)
{
    HandSummarySettings();
    m_dlgSummary.OutputUnite(out, 1);
}

void CDlgOutputTotal::WriteModel(COutput& out)
{
    m_dlgModel.m_pData = m_pGlobalData;
    // The model chapter asks this dialog between its parts only on the run's worker.
    m_dlgModel.OutputUnite(out, OnWorker() ? this : nullptr, 1);
}

void CDlgOutputTotal::WriteDesign(COutput& out)
{
    m_dlgCheck.m_pData = m_pGlobalData;
    m_dlgCheck.m_pBeamList = m_pGlobalData->Struct()->m_pBeamList;
    m_dlgCheck.OutputUnite(out, 1);
}

void CDlgOutputTotal::WriteDesignNode(COutput& out)
{
    m_dlgNodeCheck.m_pNodeList = m_pGlobalData->Struct()->m_pNodeList;
    m_dlgNodeCheck.OutputUnite(out, 1);
}

void CDlgOutputTotal::WriteSupport(COutput& out)
{
    m_dlgNodeForce.m_pData = m_pGlobalData;
    m_dlgNodeForce.m_pNodeList = m_pGlobalData->Struct()->m_pNodeList;
    m_dlgNodeForce.OutputUnite(out, 1);
}

void CDlgOutputTotal::WriteEqualLoad(COutput& out)
{
    m_dlgEqualLoad.m_pData = m_pGlobalData;
    m_dlgEqualLoad.OutputUnite(out, 1);
}

void CDlgOutputTotal::WriteFrequent(COutput& out)
{
    m_dlgFrequent.m_pGlobalData = m_pGlobalData;
    m_dlgFrequent.Output(out, 1);
}

void CDlgOutputTotal::WriteGStableCheck(COutput& out)
{
    CDlgGStableCheck stability(m_pGlobalData);
    stability.Output(out, 1);
}

void CDlgOutputTotal::WriteComfortCheck(COutput& out)
{
    m_dlgComfort.m_pGlobalData = m_pGlobalData;
    m_dlgComfort.Output(&out, 1);
}

void CDlgOutputTotal::WriteLayerDispDiffer(COutput& out)
{
    m_dlgDispDiffer.m_pGlobalData = m_pGlobalData;
    m_dlgDispDiffer.Output(&out, 1);
}

void CDlgOutputTotal::WriteStiffStat(COutput& out)
{
    m_dlgStiffStat.m_pGlobalData = m_pGlobalData;
    m_dlgStiffStat.Output(&out, 1);
}

void CDlgOutputTotal::WriteLayerVM(COutput& out)
{
    m_dlgLayerVM.m_pGlobalData = m_pGlobalData;
    m_dlgLayerVM.Output(&out, 1);
}

void CDlgOutputTotal::WriteShearCapacity(COutput& out)
{
    m_dlgShearCapacity.m_pGlobalData = m_pGlobalData;
    m_dlgShearCapacity.Output(&out, 1);
}

void CDlgOutputTotal::WriteLayerVGRatio(COutput& out)
{
    m_dlgVGRatio.m_pGlobalData = m_pGlobalData;
    m_dlgVGRatio.Output(&out, 1);
}

void CDlgOutputTotal::WriteFrameSeismicAdjust(COutput& out)
{
    m_dlgFrameAdjust.m_pGlobalData = m_pGlobalData;
    m_dlgFrameAdjust.Output(&out, 1);
}

bool CDlgOutputTotal::OutputIt(int device, const CString& path)
{
    if (!OnWorker())
        TakeTicks();
    // Every section writer opens the same device: they share the main writer's document.
    auto open = [&](COutput& out) {
        if (device == DEVICE_RICHEDIT)
            return out.InitDevice(DEVICE_RICHEDIT, GetReportCtrl());
        return out.InitDevice((DEVICE_TYPE)device, path, 3);
    };
    COutput out;
    if (!open(out))
        return false;
    OutputTitle(out, (m_pGlobalData ? m_pGlobalData->ProjectName() : CString()) + "计算书", 0);
    out << endl;

    out << "设计依据：" << endl;
    for (const char* code : {"建筑结构荷载规范 GB50009－2001", "钢结构设计规范 GB 50017-2003", "建筑抗震设计规范 GB 50011-2001"})
        out << tab << code << endl;
    const int type = m_pGlobalData ? m_pGlobalData->CurrentStructureType() : 0;
    if (type == 1 || type == 3)
        out << tab << "门式刚架轻型房屋钢结构技术规程 CECS102:2002" << endl;
    out << endl << endl;

    if (!m_pGlobalData || !m_pGlobalData->Struct())
        return true;
    for (int k = 0; k < kSections; ++k) {
        if (k > 0 && Stopped())
            break;
        const CSection& row = kTable[k];
        CString msg;
        if (!m_ticked[(size_t)k] || (row.reportTest && !(this->*row.reportTest)(msg)))
            continue;
        COutput section;
        if (!open(section))
            continue;
        (this->*row.write)(section);
        section << endl << endl;
        section.Close();
    }
    return true;
}
