// The test host: a main window that answers the library's GET messages with objects it
// owns and records every message it receives, in order, with its arguments; a drawing view
// whose events go to an operator manager, as the host's views forward them.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/struct/struct.h>
#include <vyr/operators/OPManager.h>

namespace vyrtest {

// One message as the host received it. Pointer arguments that are only valid during the
// send are copied: the two points of WM_UI_ROTATEVIEW and the panel name of WM_UI_SHOWPANEL.
struct HostMessage
{
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    CPoint from;      // WM_UI_ROTATEVIEW: previous position
    CPoint to;        // WM_UI_ROTATEVIEW: current position
    std::string text; // WM_UI_SHOWPANEL: the panel name
};

// The drawing view: paints the model's members through the view matrices and passes its
// operator manager's drawing on top.
class CTestView : public CView
{
public:
    CTestView() = default;
    void OnDraw(CDC* pDC) override;

    CGlobalData* m_pGlobalData = nullptr;
    COPManager* m_pOPManager = nullptr;
};

class CTestHost : public CWnd
{
public:
    // Creates the main window (made the application's main window) and a view of
    // viewWidth x viewHeight client pixels as its child; the model root is empty.
    CTestHost(int viewWidth = 800, int viewHeight = 600);
    ~CTestHost() override;

    CGlobalData& GlobalData() { return m_data; }
    CTestView& View() { return m_view; }
    // The manager of the view, initialised with the view and the model root (no operator).
    COPManager& OPManager() { return *m_pOPManager; }

    // The answer to a GET message that the host has no object of its own for (a snap
    // manager, a property dialog, ...); 0 unless set.
    void SetAnswer(UINT message, LRESULT answer) { m_answers[message] = answer; }
    // Called with each message as it arrives, while the sender waits.
    std::function<void(const HostMessage&)> m_onMessage;
    // The answer of WM_UI_GETDISPLAYMODE.
    int m_nDisplayMode = 1;

    // Lists the host hands out with WM_UI_GETSHOWNLIST and WM_UI_GETSNAPLIST.
    CPNodeList m_shownNodes;
    CBeamList m_shownBeams;
    CWallList m_shownWalls;
    CPlaneList m_shownPlanes;
    // Settings blocks of WM_UI_GETSETTINGS, 64 words each.
    std::vector<std::vector<int>> m_settings;

    const std::vector<HostMessage>& Messages() const { return m_messages; }
    // The messages of one code, in order.
    std::vector<HostMessage> Messages(UINT message) const;
    int Count(UINT message) const;
    void ClearMessages() { m_messages.clear(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CGlobalData m_data;
    CTestView m_view;
    std::unique_ptr<COPManager> m_pOPManager;
    std::vector<HostMessage> m_messages;
    std::map<UINT, LRESULT> m_answers;
};

} // namespace vyrtest
