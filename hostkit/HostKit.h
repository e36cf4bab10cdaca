// The host kit: the least host program the library needs, shared by the tests and the
// sample host. It is a main frame made the application's main window, with a drawing view
// whose events go to an operator manager and a side area (a frame of its own) in which the
// panel container shows the side panels. It answers the library's GET messages with
// objects it owns, records every message it receives in order with its arguments, keeps
// the settings blocks 0 to 11, and has a slot for the section-library plug-in module. On
// request it registers the library's side panels in the side area.
//
// Any answer can be replaced (SetAnswer), in particular by 0, to play a host that has no
// such object. The kit compiles against the library's headers only: a test links the areas
// it exercises, the sample host the shared library.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/record/ShowPara.h>
#include <vyr/model/struct/structure.h>
#include <vyr/operators/OPManager.h>
#include <vyr/operators/SnapManager.h>

class CFrameViews;
class CMenuViewBase;

namespace vyrhost {

// One message as the host received it. Pointer arguments that are only valid during the
// send are copied: the two points of WM_UI_ROTATEVIEW and the panel name of WM_UI_SHOWPANEL.
struct HostMessage
{
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    bool posted = false; // arrived through the queue rather than by a send
    CPoint from;         // WM_UI_ROTATEVIEW: previous position
    CPoint to;           // WM_UI_ROTATEVIEW: current position
    std::string text;    // WM_UI_SHOWPANEL: the panel name
};

// The name of a message code ("WM_UI_REDRAW"); the number for a code of no name.
std::string HostMessageName(UINT message);

// The drawing view: paints the model's members through the view matrices, then what the
// host adds (m_onDraw), then its operator manager's feedback and the snap marker.
class CHostView : public CView
{
public:
    CHostView() = default;
    void OnDraw(CDC* pDC) override;

    CGlobalData* m_pGlobalData = nullptr;
    COPManager* m_pOPManager = nullptr;
    // Draws the snap marker when set (the kit leaves it unset).
    CSnapManager* m_pSnapManager = nullptr;
    std::function<void(CDC*)> m_onDraw;

protected:
    // Over its client area the view shows the cursor that its manager answers for the
    // current operator.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The side area: a frame inside the main frame whose first pane fills it, as the panel
// container expects of the frame it is given. The kit owns it.
class CHostSideFrame : public CFrameWnd
{
protected:
    void PostNcDestroy() override {}
};

class CHostKit : public CFrameWnd
{
public:
    // Creates the main frame (made the application's main window), the drawing view of
    // viewWidth x viewHeight pixels at its top left and the side area of sideWidth pixels
    // to the right of it. The model root is empty; the manager has no operator yet.
    explicit CHostKit(int viewWidth = 800, int viewHeight = 600, int sideWidth = 200);
    ~CHostKit() override;
    CHostKit(const CHostKit&) = delete;
    CHostKit& operator=(const CHostKit&) = delete;

    CGlobalData& GlobalData() { return m_data; }
    CHostView& View() { return m_view; }
    // The frame the panel container is given (CFrameViews::SetFrameWnd).
    CFrameWnd& SideFrame() { return m_side; }
    // The view's manager, initialised with the view and the model root.
    COPManager& OPManager() { return *m_pOPManager; }
    // The snap manager handed out by WM_UI_GETSNAPMANAGER, initialised with the model root.
    CSnapManager& SnapManager() { return *m_pSnapManager; }

    // Replaces the answer to a message (0 plays a host that has no such object). Takes
    // precedence over every answer of the kit's own.
    void SetAnswer(UINT message, LRESULT answer) { m_answers[message] = answer; }
    void ClearAnswer(UINT message) { m_answers.erase(message); }
    // The host-owned shared dialogs handed out by WM_UI_GETQUERYDLG and WM_UI_GETPROPDLG;
    // null (answer 0) until the host sets them.
    CWnd* m_pQueryDlg = nullptr;
    CWnd* m_pPropDlg = nullptr;
    // The answer of WM_UI_GETDISPLAYMODE.
    int m_nDisplayMode = 1;
    // Undo records handed over by a sent WM_UI_MODELEDITED (its lParam), oldest first:
    // the kit owns them, as a host's undo stack does.
    std::vector<std::unique_ptr<CEditStackNode>> m_undoRecords;
    // Called with each message as it arrives, while a sender waits.
    std::function<void(const HostMessage&)> m_onMessage;

    // Lists handed out by WM_UI_GETSHOWNLIST (kinds 1 and 4: the members) and
    // WM_UI_GETSNAPLIST (0 nodes, 1 members, 2 walls). Empty until filled.
    CPNodeList m_shownNodes;
    CBeamList m_shownBeams;
    CWallList m_shownWalls;
    CPlaneList m_shownPlanes;
    // Shows every node, member, wall and room of the model root's structure.
    void ShowWholeModel();

    // Settings blocks 0 to 11 of WM_UI_GETSETTINGS, 64 words each. Block 1 holds the design
    // reals in its words 6 to 11 (stiffness and moment factors, 1 unless set); block 2 the
    // slab design settings (word 2 the bar grade 0, 4 the cover 15 mm, 5 and 6 the positive-
    // and negative-moment bar spacings 200 and 150 mm); block 11 is answered with the
    // mode-shape display record instead of its words.
    static constexpr int kSettingsBlocks = 12;
    static constexpr int kSettingsWords = 64;
    std::vector<std::vector<int>> m_settings;
    CShowTextFrequentPara m_frequentPara;
    // What WM_UI_GETSETTINGS answers for a block index; null for an index out of range.
    void* SettingsBlock(int index);
    float SettingsReal(int block, int word) const;
    void SetSettingsReal(int block, int word, float value);

    // The section-library plug-in: registers the module under its file name
    // ("Querport.dll") so that the library's bridge loads it; unregistered with the kit.
    void RegisterSectionPlugin(const std::map<std::string, FARPROC>& exports,
                               const char* fileName = "Querport.dll");

    // The side panels, registered as the host does once at start: the panels of the
    // classes named (by default the library's) go into a panel container whose frame is
    // the side area; their windows are created hidden, they get the model root and run
    // their initial update. A name of no panel class is skipped. Only a program that calls
    // these links the container, which is the library's. Later calls return it unchanged.
    static const std::vector<const char*>& LibraryPanels();
    CFrameViews& CreatePanels(const std::vector<const char*>& classNames = LibraryPanels());
    // The container; null before CreatePanels.
    CFrameViews* Panels() { return m_pPanels.get(); }
    // Makes the panel of that type name ("View.Floor", ...) the shown one and returns it;
    // null when there is no such panel.
    CMenuViewBase* ShowPanel(const char* type);
    // The selection-property panels' current-object slots, handed to the panels as they
    // are created: the object chosen in a panel's drop-down list, null for all of them.
    // Once the panels exist, WM_UI_SHOWPANEL makes the named panel the shown one and
    // refills it from the selection (lParam 0: refills the shown one).
    CPNode* m_pCurrentNode = nullptr;
    CBeamBase* m_pCurrentBeam = nullptr;
    CWall* m_pCurrentWall = nullptr;
    CPlane* m_pCurrentPlane = nullptr;
    CBeamBase* m_pCurrentBCInWall = nullptr;

    const std::vector<HostMessage>& Messages() const { return m_messages; }
    // The messages of one code, in order.
    std::vector<HostMessage> Messages(UINT message) const;
    int Count(UINT message) const;
    void ClearMessages() { m_messages.clear(); }
    // Runs the posted messages waiting in the calling thread's queue (as the host's message
    // loop would) and returns how many of them were the library's messages to the main frame.
    int PumpPosted();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The kit is an object of its owner, not of the heap.
    void PostNcDestroy() override {}

private:
    LRESULT DefaultAnswer(UINT message, WPARAM wParam, LPARAM lParam);

    CGlobalData m_data;
    CHostView m_view;
    CHostSideFrame m_side;
    std::unique_ptr<COPManager> m_pOPManager;
    std::unique_ptr<CSnapManager> m_pSnapManager;
    std::vector<HostMessage> m_messages;
    std::map<UINT, LRESULT> m_answers;
    std::vector<std::string> m_plugins;
    // Type-erased, so that the kit's own code never needs the container's.
    std::shared_ptr<CFrameViews> m_pPanels;
    CWnd* m_pPreviousMain = nullptr;
    // Set with the panels: the answer to WM_UI_SHOWPANEL (the name, or null).
    std::function<void(const char*)> m_showPanel;
};

} // namespace vyrhost
