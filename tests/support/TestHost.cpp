#include "support/TestHost.h"

#include <cmath>

#include <vyr/host/HostMessages.h>

namespace vyrtest {

void CTestView::OnDraw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, RGB(0, 0, 0));
    if (m_pGlobalData && m_pGlobalData->Struct() && m_pGlobalData->Struct()->m_pBeamList) {
        const CViewXform& xf = m_pGlobalData->GetViewXform();
        CPen pen(PS_SOLID, 1, RGB(0, 255, 0));
        CGdiObject* old = pDC->SelectObject(&pen);
        CBeamList& beams = *m_pGlobalData->Struct()->m_pBeamList;
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
    }
    if (m_pOPManager)
        m_pOPManager->OnDraw(pDC);
}

CTestHost::CTestHost(int viewWidth, int viewHeight) : m_settings(16, std::vector<int>(64, 0))
{
    VYR_CHECK(CreateEx(0, nullptr, "test host", WS_OVERLAPPEDWINDOW, 0, 0, viewWidth + 200, viewHeight + 100,
                       nullptr, nullptr),
              "test host window not created");
    vyr::SetMainWnd(this);
    VYR_CHECK(m_view.Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, viewWidth, viewHeight), this, 1),
              "test view not created");
    m_pOPManager = std::make_unique<COPManager>();
    m_pOPManager->Initial(&m_view, &m_data);
    m_view.m_pGlobalData = &m_data;
    m_view.m_pOPManager = m_pOPManager.get();
}

CTestHost::~CTestHost()
{
    // Operators may still refer to the view; they go first.
    m_view.m_pOPManager = nullptr;
    m_pOPManager.reset();
    if (AfxGetMainWnd() == this)
        vyr::SetMainWnd(nullptr);
    if (m_view.m_hWnd)
        m_view.DestroyWindow();
    if (m_hWnd)
        DestroyWindow();
}

std::vector<HostMessage> CTestHost::Messages(UINT message) const
{
    std::vector<HostMessage> out;
    for (const HostMessage& m : m_messages)
        if (m.message == message)
            out.push_back(m);
    return out;
}

int CTestHost::Count(UINT message) const
{
    int n = 0;
    for (const HostMessage& m : m_messages)
        n += m.message == message;
    return n;
}

LRESULT CTestHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message < WM_USER + 100 || message > WM_USER + 201)
        return CWnd::WindowProc(message, wParam, lParam);

    HostMessage rec;
    rec.message = message;
    rec.wParam = wParam;
    rec.lParam = lParam;
    if (message == WM_UI_ROTATEVIEW) {
        if (wParam)
            rec.from = *reinterpret_cast<const CPoint*>(wParam);
        if (lParam)
            rec.to = *reinterpret_cast<const CPoint*>(lParam);
    } else if (message == WM_UI_SHOWPANEL && lParam) {
        rec.text = reinterpret_cast<const char*>(lParam);
    }
    m_messages.push_back(rec);
    if (m_onMessage)
        m_onMessage(rec);

    auto answer = m_answers.find(message);
    if (answer != m_answers.end())
        return answer->second;
    switch (message) {
    case WM_UI_GETHOSTWND:
        return (LRESULT)this;
    case WM_UI_GETACTIVEVIEW:
        return (LRESULT)&m_view;
    case WM_UI_GETOPMANAGER:
        return (LRESULT)m_pOPManager.get();
    case WM_UI_GETDISPLAYMODE:
        return m_nDisplayMode;
    case WM_UI_GETSHOWNLIST:
        switch ((int)wParam) {
        case 0:
            return (LRESULT)&m_shownNodes;
        case 2:
            return (LRESULT)&m_shownWalls;
        case 3:
            return (LRESULT)&m_shownPlanes;
        default:
            return (LRESULT)&m_shownBeams;
        }
    case WM_UI_GETSNAPLIST:
        switch ((int)wParam) {
        case 0:
            return (LRESULT)&m_shownNodes;
        case 1:
            return (LRESULT)&m_shownBeams;
        case 2:
            return (LRESULT)&m_shownWalls;
        default:
            return 0;
        }
    case WM_UI_GETSETTINGS:
        return (lParam >= 0 && lParam < (LPARAM)m_settings.size()) ? (LRESULT)m_settings[(size_t)lParam].data() : 0;
    default:
        return 0;
    }
}

} // namespace vyrtest
