// The sample host's drawing view driven through the view operators as a user would: a pan
// with the middle button, a wheel zoom and a zoom window. The view's drawing is saved as
// PNG before and after each step.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/host/HostMessages.h>
#include <vyr/model/struct/struct.h>
#include <vyr/operators/OPManager.h>
#include <vyr/operators/OPView.h>

namespace {

// The host's main window: redraws the view when an operator announces a view change.
class CDemoFrame : public CWnd
{
public:
    CWnd* m_pView = nullptr;
    int m_nViewChanges = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_UI_VIEWCHANGED) {
            ++m_nViewChanges;
            if (m_pView)
                m_pView->Invalidate(FALSE);
            return 0;
        }
        if (message >= WM_UI_PROPCHANGED && message <= WM_UI_GETOPMANAGER)
            return 0;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// The drawing view: the members of the model through both view matrices, then what the
// running operator draws.
class CDemoView : public CView
{
public:
    CGlobalData* m_pData = nullptr;
    COPManager* m_pOPManager = nullptr;

    void OnDraw(CDC* pDC) override
    {
        CRect rc;
        GetClientRect(&rc);
        pDC->FillSolidRect(&rc, RGB(0, 0, 0));
        const CViewXform& xf = m_pData->GetViewXform();
        CPen pen(PS_SOLID, 1, RGB(0, 255, 0));
        CGdiObject* old = pDC->SelectObject(&pen);
        CBeamList& beams = *m_pData->Struct()->m_pBeamList;
        for (int i = 1; i <= (int)beams.GetCount(); ++i) {
            CBeamBase* b = beams.Get(i);
            if (!b || !b->GetNode1() || !b->GetNode2())
                continue;
            const CPoint2D a = xf.ToScreen(b->GetNode1()->GetPt());
            const CPoint2D c = xf.ToScreen(b->GetNode2()->GetPt());
            pDC->MoveTo((int)std::lround(a.x), (int)std::lround(a.y));
            pDC->LineTo((int)std::lround(c.x), (int)std::lround(c.y));
        }
        pDC->SelectObject(old);
        if (m_pOPManager)
            m_pOPManager->OnDraw(pDC);
    }
};

bool SaveView(CWnd& view, const std::string& outDir, const char* name)
{
    auto img = vyr::RenderWindow(view.m_hWnd);
    const std::string path = (std::filesystem::path(outDir) / name).string();
    const bool ok = img && vyr::WritePng(path, *img);
    std::printf("view drawing %s: %s\n", ok ? "written" : "FAILED", path.c_str());
    return ok;
}

} // namespace

int RunViewDemo(const std::string& outDir)
{
    std::filesystem::create_directories(outDir);
    CGlobalData model;
    BuildSampleModel(model);

    CDemoFrame frame;
    if (!frame.CreateEx(0, nullptr, "Vyr sample host", WS_OVERLAPPEDWINDOW, 0, 0, 1200, 900, nullptr, nullptr))
        return 1;
    CWnd* previousMain = AfxGetMainWnd();
    vyr::SetMainWnd(&frame);
    CDemoView view;
    view.m_pData = &model;
    if (!view.Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1000, 800), &frame, 1)) {
        vyr::SetMainWnd(previousMain);
        return 1;
    }
    frame.m_pView = &view;

    bool ok = true;
    {
        COPManager manager;
        manager.Initial(&view, &model);
        view.m_pOPManager = &manager;
        // The default operator: the generic selection when it is part of the library.
        manager.SetOP(CString("OP.Select"));
        if (!manager.GetCurOP()) {
            COP idle;
            idle.SetOPType(OPTYPE_DEFAULT);
            manager.SetOP(idle);
        }
        ok = SaveView(view, outDir, "view-0-before.png") && ok;

        // Pan: press the middle button, drag 120 pixels right and 60 down, release.
        manager.MouseAction(OPMOUSE_MDOWN, MK_MBUTTON, CPoint(500, 400), 0);
        for (int i = 1; i <= 4; ++i)
            manager.MouseAction(OPMOUSE_MOVE, MK_MBUTTON, CPoint(500 + 30 * i, 400 + 15 * i), 0);
        manager.MouseAction(OPMOUSE_MUP, 0, CPoint(620, 460), 0);
        ok = SaveView(view, outDir, "view-1-pan.png") && ok;

        // Wheel: two notches towards the user about the view's centre.
        manager.MouseAction(OPMOUSE_WHEEL, 0, CPoint(500, 400), 120);
        manager.MouseAction(OPMOUSE_WHEEL, 0, CPoint(500, 400), 120);
        ok = SaveView(view, outDir, "view-2-wheel.png") && ok;

        // Zoom window: two corners, then ESC to leave the operator.
        manager.SetOP(CString("OP.ViewWindow"));
        manager.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(250, 200), 0);
        manager.MouseAction(OPMOUSE_MOVE, 0, CPoint(600, 450), 0);
        manager.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(750, 600), 0);
        manager.KeyDown(VK_ESCAPE, 1, 0);
        ok = SaveView(view, outDir, "view-3-window.png") && ok;
        std::printf("view changes announced: %d; operator now: %s\n", frame.m_nViewChanges,
                    manager.GetOPDesc().GetString());
        view.m_pOPManager = nullptr;
    }
    view.DestroyWindow();
    vyr::SetMainWnd(previousMain);
    frame.DestroyWindow();
    return ok ? 0 : 1;
}
