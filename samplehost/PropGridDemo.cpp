// The property grid as a host shows it: the rows of a selected member and of a selected
// node side by side in one window, one value of each typed in as a user would, the changed
// model values printed and the window saved as propgrid.png.
#include <cstdio>
#include <filesystem>
#include <string>
#include <tuple>

#include <vyr/stdafx.h>
#include <vyr/proplist.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/host/PropsUI.h>
#include <vyr/model/struct/structure.h>

#include "demos.h"

namespace {

// A window holding one grid and forwarding its two messages, as a property panel does.
class CGridHolder : public CWnd
{
public:
    CPropsUI ui;
    LRESULT OnEndEdit(WPARAM w, LPARAM l) { return ui.OnEndEditProp(w, l); }
    LRESULT OnOther(WPARAM w, LPARAM l) { return ui.OnOtherProp(w, l); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CGridHolder, CWnd)
    ON_MESSAGE(WM_PROP_ENDEDIT, &CGridHolder::OnEndEdit)
    ON_MESSAGE(WM_PROP_OTHER, &CGridHolder::OnOther)
END_MESSAGE_MAP()

// The host's main window: answers an edited node height by refilling the node grid.
class CPropDemoFrame : public CWnd
{
public:
    CGridHolder* m_pNodeGrid = nullptr;
    int m_nPropChanged = 0;
    std::string m_strHeights;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_UI_PROPCHANGED) {
            ++m_nPropChanged;
            return 0;
        }
        if (message == WM_UI_MODELEDITED) {
            for (const CReal& h : *reinterpret_cast<std::vector<CReal>*>(wParam))
                m_strHeights += VyrFormat(" %.1f", h.toD());
            m_pNodeGrid->ui.RecordExpand(nullptr, nullptr, true);
            m_pNodeGrid->ui.FillItem();
            return 0;
        }
        if (message >= WM_UI_PROPCHANGED && message <= WM_PROP_OTHER)
            return 0;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

} // namespace

int RunPropGridDemo(const std::string& outDir)
{
    CGlobalData data;
    CSampleModelSize size;
    size.nStorey = 2;
    size.nBayX = 1;
    size.nBayY = 1;
    BuildSampleModel(data, size);
    data.UnitLength() = 10; // lengths shown in millimetres

    CPropDemoFrame frame;
    frame.CreateEx(0, nullptr, "属性", WS_POPUP | WS_VISIBLE, CRect(0, 0, 560, 520), nullptr, 0);
    CWnd* oldMain = AfxGetMainWnd();
    vyr::SetMainWnd(&frame);
    CGridHolder beamGrid, nodeGrid;
    frame.m_pNodeGrid = &nodeGrid;
    beamGrid.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 280, 520), &frame, 1);
    nodeGrid.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(280, 0, 560, 520), &frame, 2);

    // The selection: the first member and the last node of the model.
    CBeamList beams;
    CPNodeList nodes;
    CBeamBase* beam = data.Struct()->m_pBeamList->Get(1);
    CPNode* node = data.Struct()->m_pNodeList->Get((int)data.Struct()->m_pNodeList->GetCount());
    beams.AddTail(beam);
    nodes.AddTail(node);
    for (auto [grid, list, kind] : {std::tuple{&beamGrid, (void*)&beams, OBJKIND_BEAM}, std::tuple{&nodeGrid, (void*)&nodes, OBJKIND_NODE}}) {
        grid->ui.Create(grid, 8000, WS_CHILD | WS_VISIBLE);
        grid->ui.Move(0, 0, 280, 520);
        grid->ui.SetParam(2, list, kind, &data);
        grid->ui.FillItem();
    }

    // A user opens the groups and types one value into each grid.
    bool ok = true;
    for (const char* g : {"基本信息", "设计参数"})
        ok = vyr::UserPropExpand(beamGrid.ui.GetPropListHWND(), g, true) && ok;
    ok = vyr::UserPropSetValue(beamGrid.ui.GetPropListHWND(), "恒载挠度限值", "400") && ok;
    ok = vyr::UserPropExpand(nodeGrid.ui.GetPropListHWND(), "基本信息", true) && ok;
    const double oldZ = node->GetPt().z;
    ok = vyr::UserPropSetValue(nodeGrid.ui.GetPropListHWND(), "Z坐标", VyrFormat("%.0f", oldZ * 10 + 500).c_str()) && ok;
    vyr::PumpMessages();

    std::printf("property grid: member %d dead-load deflection limit 1/%d, %d property change(s) told to the host\n",
                beam->GetNo(), beam->GetDLLimit(), frame.m_nPropChanged);
    std::printf("property grid: node %d z %.1f -> %.1f cm, storey heights posted:%s\n", node->GetNo(), oldZ,
                node->GetPt().z, frame.m_strHeights.c_str());
    ok = ok && beam->GetDLLimit() == 400 && node->GetPt().z == oldZ + 50;

    auto img = vyr::RenderWindow(frame.GetSafeHwnd());
    const std::string path = (std::filesystem::path(outDir) / "propgrid.png").string();
    const bool saved = img && vyr::WritePng(path, *img);
    std::printf("property grid drawing %s: %s\n", saved ? "written" : "FAILED", path.c_str());

    beams.RemoveAll();
    nodes.RemoveAll();
    vyr::SetMainWnd(oldMain);
    frame.DestroyWindow();
    return ok && saved ? 0 : 1;
}
