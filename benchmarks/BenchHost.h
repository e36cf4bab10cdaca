// A minimal host for benchmarks of dialogs that ask the host for its window and view, and
// the large model the selection benchmarks share.
#pragma once

#include <vector>

#include <vyr/app.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/model/struct/structure.h>
#include <vyr/view.h>
#include <vyr/wnd.h>

namespace vyrbench {

class CBenchView : public CView
{
public:
    void OnDraw(CDC*) override {}
};

// The host's main window: answers with its window and view, swallows the rest.
class CBenchHost : public CWnd
{
public:
    CWnd* m_pView = nullptr;

    // Creates the window, makes it the application's main window and opens the view in it.
    void Open(CBenchView& view)
    {
        CreateEx(0, nullptr, "bench host", WS_OVERLAPPEDWINDOW, 0, 0, 1600, 1000, nullptr, nullptr);
        vyr::SetMainWnd(this);
        view.Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1200, 900), this, 1);
        m_pView = &view;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_UI_GETHOSTWND)
            return (LRESULT)this;
        if (message == WM_UI_GETACTIVEVIEW)
            return (LRESULT)m_pView;
        if (message >= WM_USER + 100 && message <= WM_USER + 201)
            return 0;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// 100,000 members: 90,000 in the member list, of the type memberType gives for their id, then
// 10,000 secondary beams in 1,000 rooms of 10 storeys. Returns them in that order.
inline std::vector<CBeamBase*> BuildLargeModel(CGlobalData& data, int (*memberType)(int id))
{
    CStruct& s = *data.Struct();
    std::vector<CBeamBase*> all;
    for (int id = 1; id <= 90000; ++id) {
        CBeam* b = new CBeam(id, nullptr, nullptr, memberType(id));
        s.m_pBeamList->AddTail(b);
        all.push_back(b);
    }
    int subId = 1;
    for (int f = 1; f <= 10; ++f) {
        CFloor* floor = new CFloor(f, 4);
        s.m_pFloorList->AddTail(floor);
        for (int r = 1; r <= 100; ++r) {
            CPlane* room = new CPlane;
            room->m_nNo = r;
            room->m_pFloor = floor;
            floor->m_pPlaneList->AddTail(room);
            s.m_pPlaneList->AddTail(room);
            for (int k = 0; k < 10; ++k) {
                CSubBeam* b = new CSubBeam(subId++, nullptr, nullptr);
                b->m_pPlane = room;
                room->m_pSubBeamList->AddTail(b);
                all.push_back(b);
            }
        }
    }
    return all;
}

// The screen selection made of these members alone, each marked selected.
inline void SetScreenSelection(CGlobalData& data, const std::vector<CBeamBase*>& members)
{
    CBeamList& b = data.SelectBeamList();
    b.SetSelect(0);
    b.RemoveAll();
    for (CBeamBase* x : members) {
        b.AddTail(x);
        x->SetSelect(1);
    }
}

} // namespace vyrbench
