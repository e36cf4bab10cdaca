#include <vyr/host/DlgModel.h>

#include <algorithm>
#include <vector>

#include <vyr/protocol/HostProtocol.h>
#include <vyr/model/struct/structure.h>

IMPLEMENT_DYNAMIC(CDlgModel, CDlgRecordPos)

int CDlgModel::s_nBlinkCount = 0;

CDlgModel::CDlgModel(UINT nIDTemplate, CWnd* pParent) : CDlgRecordPos(nIDTemplate, pParent) {}

bool CDlgModel::Preview()
{
    m_sketch.ClearData();
    auto* view = (CWnd*)VyrSendToHost(WM_UI_GETACTIVEVIEW);
    if (!view || !m_pGlobalData)
        return false;
    KillTimer(kBlinkTimer);
    VyrSendToHost(WM_UI_REDRAW);
    if (!BuildStructSketch())
        return false;
    m_sketch.Change3D(m_pGlobalData->Matrix3D());
    CRect2D bounds;
    for (const CRect2D& part : {m_sketch.GetProjectRect(), m_pGlobalData->GetSelectedProjectRect(CGlobalData::KIND_ALL)}) {
        if (part.IsRectNull())
            continue;
        if (bounds.IsRectNull())
            bounds = part;
        else
            bounds |= part;
    }
    if (bounds.IsRectNull())
        return false;
    if (bounds.IsRectEmpty())
        bounds.InflateRect(5, 5);
    CRect client;
    view->GetClientRect(&client);
    const int inset = (int)(std::min(client.Height(), client.Width()) * 0.05);
    client.DeflateRect(inset, inset);
    m_pGlobalData->Matrix2D().SetZoomMatrix(client, bounds);
    m_sketch.Change2D(m_pGlobalData->Matrix2D());
    VyrSendToHost(WM_UI_VIEWCHANGED);
    SetTimer(kBlinkTimer, kBlinkPeriod, &CDlgModel::StructSketchEventTimerProc);
    return true;
}

void CDlgModel::StructSketchEventTimerProc(HWND hWnd, UINT, UINT_PTR, DWORD)
{
    auto* view = (CWnd*)VyrSendToHost(WM_UI_GETACTIVEVIEW);
    if (!view)
        return;
    CDC* dc = view->GetDC();
    if (auto* dlg = dynamic_cast<CDlgModel*>(CWnd::FromHandle(hWnd))) {
        dlg->m_sketch.SetUseType(s_nBlinkCount % 2 == 0 ? 1 : 2);
        dlg->m_sketch.Display(dc);
    }
    view->ReleaseDC(dc);
    if (++s_nBlinkCount >= 5000)
        s_nBlinkCount = 0;
}

void CDlgModel::OnOK()
{
    m_sketch.ClearData();
    auto* view = (CWnd*)VyrSendToHost(WM_UI_GETACTIVEVIEW);
    if (!view || !m_pGlobalData)
        return;
    KillTimer(kBlinkTimer);
    VyrSendToHost(WM_UI_REDRAW);
    if (BuildStructSketch()) {
        CWaitCursor wait;
        auto* undo = new CEditStackNode;
        std::vector<CReal> heights;
        CBeamList& beams = m_pGlobalData->SelectBeamList();
        CWallList& walls = m_pGlobalData->SelectWallList();
        beams.SetSelect(false);
        walls.SetSelect(false);
        if (IsDelete()) {
            m_pGlobalData->DeleteSelected(CGlobalData::KIND_ALL, *undo);
        } else {
            beams.RemoveAll();
            walls.RemoveAll();
        }
        m_sketch.Export(m_pGlobalData, *undo, true);
        undo->GetChangedHeight(heights);
        // The host takes the record over; the heights live only during the send.
        VyrSendToHost(WM_UI_MODELEDITED, (WPARAM)&heights, (LPARAM)undo);
        CRect client;
        view->GetClientRect(&client);
        m_pGlobalData->PositionSelected(CGlobalData::KIND_ALL, client);
        VyrSendToHost(WM_UI_VIEWCHANGED);
    }
    CDlgRecordPos::OnOK();
}

void CDlgModel::OnCancel()
{
    KillTimer(kBlinkTimer);
    VyrSendToHost(WM_UI_REDRAW);
    CDlgRecordPos::OnCancel();
}
