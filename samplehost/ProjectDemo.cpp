// The project panel and a model generator of the host's own. The drawing view is zoomed
// into the structure and the panel shows the preview with the frame of what the view
// shows (panel-project.png). Then a generator dialog adds a bay of members beside the
// structure, driven through the scripted user: the numbers typed, the preview, two blink
// ticks, OK; the member counts before, after and after undoing the edit are printed.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/host/DlgModel.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/host/ViewProject.h>
#include <vyr/model/struct/SampleModel.h>
#include <vyr/model/struct/structure.h>
#include <vyr/raster.h>
#include <vyr/resources.h>
#include <vyr/scripteduser.h>
#include "hostkit/HostKit.h"

#include "demos.h"

using vyr::ScriptedUser;

namespace {

constexpr UINT IDD_BAY = 31201;
constexpr int IDC_BAY_SPAN = 1001;
constexpr int IDC_BAY_HEIGHT = 1002;
constexpr int IDC_BAY_PREVIEW = 1003;

// The host's generator: a portal bay of two columns and a beam, standing at x0 in the
// plane y = 0, its span and height typed in centimetres.
class CDlgBay : public CDlgModel
{
public:
    CDlgBay() : CDlgModel(IDD_BAY, nullptr) {}

    bool BuildStructSketch() override
    {
        if (m_nSpan <= 0 || m_nHeight <= 0)
            return false;
        const CPoint3D a(m_dX0, 0, 0), b(m_dX0 + m_nSpan, 0, 0);
        const CPoint3D c(m_dX0, 0, m_nHeight), d(m_dX0 + m_nSpan, 0, m_nHeight);
        m_sketch.AddLine(a, c, 1);
        m_sketch.AddLine(b, d, 1);
        m_sketch.AddLine(c, d, 2);
        return true;
    }
    void OnPreview()
    {
        if (UpdateData(TRUE))
            m_bShown = Preview();
    }

    double m_dX0 = 0.0;
    int m_nSpan = 600;
    int m_nHeight = 360;
    bool m_bShown = false;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDlgModel::DoDataExchange(pDX);
        DDX_Text(pDX, IDC_BAY_SPAN, m_nSpan);
        DDV_MinMaxInt(pDX, m_nSpan, 100, 3000);
        DDX_Text(pDX, IDC_BAY_HEIGHT, m_nHeight);
        DDV_MinMaxInt(pDX, m_nHeight, 100, 1000);
    }
    void OnOK() override
    {
        if (UpdateData(TRUE))
            CDlgModel::OnOK();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDlgBay, CDlgModel)
    ON_BN_CLICKED(IDC_BAY_PREVIEW, &CDlgBay::OnPreview)
END_MESSAGE_MAP()

bool AddBayTemplate()
{
    std::string error;
    const bool ok = vyr::AddResourceScriptText(R"(
31201 DIALOGEX 0, 0, 170, 70
STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
CAPTION "生成门架"
FONT 9, "宋体"
BEGIN
    LTEXT "跨度(cm):", -1, 7, 9, 40, 8
    EDITTEXT 1001, 50, 7, 50, 14, ES_AUTOHSCROLL
    LTEXT "高度(cm):", -1, 7, 27, 40, 8
    EDITTEXT 1002, 50, 25, 50, 14, ES_AUTOHSCROLL
    PUSHBUTTON "预览", 1003, 110, 7, 50, 14
    DEFPUSHBUTTON "确定", IDOK, 56, 50, 50, 14
    PUSHBUTTON "取消", IDCANCEL, 110, 50, 50, 14
END
)",
                                               "samplehost-bay.rc", &error);
    if (!ok)
        std::printf("  generator template refused: %s\n", error.c_str());
    return ok;
}

} // namespace

int RunProjectDemo(const std::string& outDir)
{
    std::printf("project panel and a model generator:\n");
    int failures = 0;
    vyrhost::CHostKit host(800, 600, 240);
    CGlobalData& data = host.GlobalData();
    BuildSampleModel(data);
    data.ProjectPath() = "D:\\Projects\\Frame";
    data.ProjectName() = "frame.vyr";
    data.ProjectInfo().m_strDesigner = "设计人甲";
    host.CreatePanels();
    auto* project = dynamic_cast<CViewProject*>(host.ShowPanel("View.Project"));
    if (!project) {
        std::printf("  the project panel is missing\n");
        return 1;
    }

    // The frame turned so that its three storeys show, then zoomed into its middle: the
    // preview's frame marks that part.
    CMatrix3D& m3 = data.Matrix3D();
    CMatrix3D turn;
    m3.SetZRotate(0.6);
    turn.SetXRotate(0.6);
    m3 *= turn;
    CRect client;
    host.View().GetClientRect(&client);
    project->ViewChanged();
    const CRect2D all = data.StructSketch().GetProjectRect();
    data.Matrix2D().SetZoomMatrix(client, all);
    project->ViewChanged();
    CRect2D middle = all;
    middle.InflateRect(-all.Width() / 4, -all.Height() / 4);
    data.Matrix2D().SetZoomMatrix(client, middle);
    project->WindowChanged();
    vyr::PumpMessages();
    const CRect frame = project->Preview().Frame();
    std::printf("  preview frame: (%ld, %ld)-(%ld, %ld)\n", (long)frame.left, (long)frame.top, (long)frame.right,
                (long)frame.bottom);
    failures += frame.IsRectEmpty() ? 1 : 0;
    for (int r = 1; r < project->Grid().GetRowCount(); ++r)
        std::printf("  %s: %s\n", project->Grid().GetItemText(r, 0).GetString(),
                    project->Grid().GetItemText(r, 1).GetString());
    std::shared_ptr<vyr::Image> img = vyr::RenderWindow(project->GetSafeHwnd());
    const std::string png = (std::filesystem::path(outDir) / "panel-project.png").string();
    const bool saved = img && vyr::WritePng(png, *img);
    std::printf("  %s: %s\n", saved ? "saved" : "NOT saved", png.c_str());
    failures += saved ? 0 : 1;

    // The generator: a bay of 800 by 400 beside the frame.
    if (!AddBayTemplate())
        return failures + 1;
    CBeamList& beams = *data.Struct()->m_pBeamList;
    const int before = (int)beams.GetCount();
    CDlgBay dlg;
    dlg.m_pGlobalData = &data;
    dlg.m_dX0 = 1400.0;
    int ticks = CDlgModel::s_nBlinkCount;
    ScriptedUser::Reset();
    ScriptedUser::SetText(IDC_BAY_SPAN, "800", IDD_BAY);
    ScriptedUser::SetText(IDC_BAY_HEIGHT, "400", IDD_BAY);
    ScriptedUser::Click(IDC_BAY_PREVIEW, IDD_BAY);
    for (int i = 0; i < 2; ++i)
        ScriptedUser::Run([](CDialog*) { vyr::AdvanceClock(CDlgModel::kBlinkPeriod); }, IDD_BAY);
    ScriptedUser::Run([&](CDialog*) { ticks = CDlgModel::s_nBlinkCount - ticks; }, IDD_BAY);
    ScriptedUser::PressOK(IDD_BAY);
    const INT_PTR result = dlg.DoModal();
    const int after = (int)beams.GetCount();
    std::printf("  generator: preview %s, %d blink ticks, %s\n", dlg.m_bShown ? "shown" : "NOT shown", ticks,
                result == IDOK ? "OK" : "not confirmed");
    int undone = after;
    if (!host.m_undoRecords.empty()) {
        host.m_undoRecords.back()->Undo();
        undone = (int)beams.GetCount();
    }
    std::printf("  members: %d before, %d after, %d after undo\n", before, after, undone);
    failures += dlg.m_bShown && ticks == 2 && result == IDOK && after == before + 3 && undone == before ? 0 : 1;
    ScriptedUser::Reset();
    return failures;
}
