#include "hostkit/HostKit.h"

#include <cmath>
#include <cstring>

#include <vyr/protocol/HostMessages.h>

namespace vyrhost {

std::string HostMessageName(UINT message)
{
    static const std::map<UINT, const char*> names = {
        {WM_UI_PROPCHANGED, "WM_UI_PROPCHANGED"},
        {WM_UI_GETHOSTWND, "WM_UI_GETHOSTWND"},
        {WM_UI_GETACTIVEVIEW, "WM_UI_GETACTIVEVIEW"},
        {WM_UI_GETQUERYDLG, "WM_UI_GETQUERYDLG"},
        {WM_UI_VIEWCHANGED, "WM_UI_VIEWCHANGED"},
        {WM_UI_REDRAW, "WM_UI_REDRAW"},
        {WM_UI_MODELEDITED, "WM_UI_MODELEDITED"},
        {WM_UI_SELCHANGED, "WM_UI_SELCHANGED"},
        {WM_UI_GETSHOWNLIST, "WM_UI_GETSHOWNLIST"},
        {WM_UI_SHOWPANEL, "WM_UI_SHOWPANEL"},
        {WM_UI_TOOLTIPCHANGED, "WM_UI_TOOLTIPCHANGED"},
        {WM_UI_ROTATEVIEW, "WM_UI_ROTATEVIEW"},
        {WM_UI_GETSNAPMANAGER, "WM_UI_GETSNAPMANAGER"},
        {WM_UI_SCREENSELECT, "WM_UI_SCREENSELECT"},
        {WM_UI_MODELCHANGED, "WM_UI_MODELCHANGED"},
        {WM_UI_RESULTDLGCLOSED, "WM_UI_RESULTDLGCLOSED"},
        {WM_UI_GETSETTINGS, "WM_UI_GETSETTINGS"},
        {WM_UI_BEFORECALC, "WM_UI_BEFORECALC"},
        {WM_UI_GETPROPDLG, "WM_UI_GETPROPDLG"},
        {WM_UI_GETSNAPLIST, "WM_UI_GETSNAPLIST"},
        {WM_UI_SHOWFLOOR, "WM_UI_SHOWFLOOR"},
        {WM_UI_SHOWMODE, "WM_UI_SHOWMODE"},
        {WM_UI_STOPMODE, "WM_UI_STOPMODE"},
        {WM_UI_GETDISPLAYMODE, "WM_UI_GETDISPLAYMODE"},
        {WM_UI_GETOPMANAGER, "WM_UI_GETOPMANAGER"},
        {WM_PROP_ENDEDIT, "WM_PROP_ENDEDIT"},
        {WM_PROP_OTHER, "WM_PROP_OTHER"},
    };
    auto it = names.find(message);
    return it != names.end() ? it->second : std::to_string(message);
}

LRESULT CHostView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT && m_pOPManager) {
        ::SetCursor(m_pOPManager->GetCursor());
        return TRUE;
    }
    return CView::WindowProc(message, wParam, lParam);
}

void CHostView::OnDraw(CDC* pDC)
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
    if (m_onDraw)
        m_onDraw(pDC);
    if (m_pOPManager)
        m_pOPManager->OnDraw(pDC);
    if (m_pSnapManager)
        m_pSnapManager->OnDraw(pDC);
}

CHostKit::CHostKit(int viewWidth, int viewHeight, int sideWidth)
    : m_settings(kSettingsBlocks, std::vector<int>(kSettingsWords, 0))
{
    for (int word = 6; word <= 11; ++word)
        SetSettingsReal(1, word, 1.0f);
    m_settings[2][2] = 0;   // slab bar grade index
    m_settings[2][4] = 15;  // slab cover, mm
    m_settings[2][5] = 200; // slab span (positive-moment) bar spacing, mm
    m_settings[2][6] = 150; // slab support (negative-moment) bar spacing, mm
    VYR_CHECK(CreateEx(0, nullptr, "Vyr host", WS_OVERLAPPEDWINDOW, 0, 0, viewWidth + sideWidth, viewHeight + 100,
                       nullptr, nullptr),
              "host frame not created");
    m_pPreviousMain = AfxGetMainWnd();
    vyr::SetMainWnd(this);
    VYR_CHECK(m_view.Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, viewWidth, viewHeight), this, 1),
              "host view not created");
    VYR_CHECK(m_side.Create(nullptr, "side", WS_CHILD | WS_VISIBLE, CRect(viewWidth, 0, viewWidth + sideWidth, viewHeight),
                            this),
              "host side area not created");
    SetActiveView(&m_view, FALSE);
    // Shown, as a host shows its frame: what a user reaches in it must be visible.
    ShowWindow(SW_SHOW);
    m_pOPManager = std::make_unique<COPManager>();
    m_pOPManager->Initial(&m_view, &m_data);
    m_pSnapManager = std::make_unique<CSnapManager>();
    m_pSnapManager->Init(&m_data);
    m_view.m_pGlobalData = &m_data;
    m_view.m_pOPManager = m_pOPManager.get();
}

CHostKit::~CHostKit()
{
    m_undoRecords.clear();
    // Operators and the snap marker may still refer to the view; they go first.
    m_view.m_pOPManager = nullptr;
    m_view.m_pSnapManager = nullptr;
    m_pOPManager.reset();
    m_pSnapManager.reset();
    for (const std::string& name : m_plugins)
        vyr::UnregisterModule(name.c_str());
    if (AfxGetMainWnd() == this)
        vyr::SetMainWnd(m_pPreviousMain);
    if (m_side.m_hWnd)
        m_side.DestroyWindow();
    if (m_view.m_hWnd)
        m_view.DestroyWindow();
    if (m_hWnd)
        DestroyWindow();
}

void CHostKit::ShowWholeModel()
{
    m_shownNodes.RemoveAll();
    m_shownBeams.RemoveAll();
    m_shownWalls.RemoveAll();
    m_shownPlanes.RemoveAll();
    CStruct* s = m_data.Struct();
    if (!s)
        return;
    if (s->m_pNodeList)
        m_shownNodes.AddTail(s->m_pNodeList);
    if (s->m_pBeamList)
        m_shownBeams.AddTail(s->m_pBeamList);
    if (s->m_pWallList)
        m_shownWalls.AddTail(s->m_pWallList);
    if (s->m_pPlaneList)
        m_shownPlanes.AddTail(s->m_pPlaneList);
}

void* CHostKit::SettingsBlock(int index)
{
    if (index == 11)
        return &m_frequentPara;
    if (index < 0 || index >= kSettingsBlocks)
        return nullptr;
    return m_settings[(size_t)index].data();
}

float CHostKit::SettingsReal(int block, int word) const
{
    float value = 0.0f;
    std::memcpy(&value, &m_settings.at((size_t)block).at((size_t)word), sizeof value);
    return value;
}

void CHostKit::SetSettingsReal(int block, int word, float value)
{
    std::memcpy(&m_settings.at((size_t)block).at((size_t)word), &value, sizeof value);
}

void CHostKit::RegisterSectionPlugin(const std::map<std::string, FARPROC>& exports, const char* fileName)
{
    vyr::RegisterModule(fileName, exports);
    m_plugins.emplace_back(fileName);
}

std::vector<HostMessage> CHostKit::Messages(UINT message) const
{
    std::vector<HostMessage> out;
    for (const HostMessage& m : m_messages)
        if (m.message == message)
            out.push_back(m);
    return out;
}

int CHostKit::Count(UINT message) const
{
    int n = 0;
    for (const HostMessage& m : m_messages)
        n += m.message == message;
    return n;
}

namespace {
thread_local bool t_pumpingPosted = false;
}

int CHostKit::PumpPosted()
{
    int n = 0;
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        const bool saved = t_pumpingPosted;
        t_pumpingPosted = msg.hwnd == m_hWnd;
        ::DispatchMessage(&msg);
        t_pumpingPosted = saved;
        n += msg.hwnd == m_hWnd && msg.message >= WM_USER + 100 && msg.message <= WM_USER + 201;
    }
    return n;
}

LRESULT CHostKit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message < WM_USER + 100 || message > WM_USER + 201)
        return CFrameWnd::WindowProc(message, wParam, lParam);

    HostMessage rec;
    rec.message = message;
    rec.wParam = wParam;
    rec.lParam = lParam;
    rec.posted = t_pumpingPosted;
    t_pumpingPosted = false; // messages sent while handling it are sends
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
    if (message == WM_UI_MODELEDITED && lParam && !rec.posted)
        m_undoRecords.emplace_back(reinterpret_cast<CEditStackNode*>(lParam));

    auto answer = m_answers.find(message);
    if (answer != m_answers.end())
        return answer->second;
    return DefaultAnswer(message, wParam, lParam);
}

LRESULT CHostKit::DefaultAnswer(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_UI_SHOWPANEL:
        if (m_showPanel)
            m_showPanel(lParam ? reinterpret_cast<const char*>(lParam) : nullptr);
        return 0;
    case WM_UI_GETHOSTWND:
        return (LRESULT)this;
    case WM_UI_GETACTIVEVIEW:
        return (LRESULT)&m_view;
    case WM_UI_GETQUERYDLG:
        return (LRESULT)m_pQueryDlg;
    case WM_UI_GETPROPDLG:
        return (LRESULT)m_pPropDlg;
    case WM_UI_GETOPMANAGER:
        return (LRESULT)m_pOPManager.get();
    case WM_UI_GETSNAPMANAGER:
        return (LRESULT)m_pSnapManager.get();
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
        return (LRESULT)SettingsBlock((int)lParam);
    case WM_UI_VIEWCHANGED:
    case WM_UI_REDRAW:
        m_view.Invalidate(FALSE);
        return 0;
    default:
        return 0;
    }
}

} // namespace vyrhost
