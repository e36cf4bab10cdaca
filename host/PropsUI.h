// The property grid controller: fills a property list from the model's descriptors,
// remembers which groups were open and where the list was scrolled across refills,
// rewrites only the rows an edit changed, and runs the dialog callback of a row's key.
// The window holding it forwards WM_PROP_ENDEDIT and WM_PROP_OTHER to OnEndEditProp and
// OnOtherProp.
#pragma once

#include <cstring>
#include <map>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/host/BCGPVyrProp.h>
#include <vyr/model/prop/Prop.h>

class CGlobalData;

class CPropsUI
{
public:
    // A key's dialog callback: the row's objects and the model root; nonzero when it
    // changed the model.
    typedef int (*PropCallback)(void* objects, CGlobalData* data);
    // Keys ordered byte by byte.
    struct ByteLess
    {
        bool operator()(const CString& a, const CString& b) const { return std::strcmp(a, b) < 0; }
    };
    using CallbackMap = std::map<CString, PropCallback, ByteLess>;

    CPropsUI();
    ~CPropsUI();
    CPropsUI(const CPropsUI&) = delete;
    CPropsUI& operator=(const CPropsUI&) = delete;

    // Creates the grid window (no header, with its description area) in the font of the
    // list's library sized and styled as the system menu font.
    BOOL Create(CWnd* parent, UINT id, DWORD style);
    void Move(int x, int y, int cx, int cy);
    void ShowWindow(bool show);
    HWND GetPropListHWND() const { return m_wndPropList.GetSafeHwnd(); }

    // Forwarded to the descriptor root: use 2 edits the objects, use 3 builds query
    // conditions; kind: an object kind (ObjKind).
    void SetParam(int use, void* objects, int kind, CGlobalData* data);
    void SetUseType(int use);
    void SetObj(void* objects, int kind);
    bool Query(void* result);
    void GetValues(std::vector<CString>& values);
    void SetValues(std::vector<CString>& values);

    // Rebuilds every row from the descriptors.
    void FillItem();
    // Records which groups are open and, from the top, the scroll offset; holders call it
    // with (null, null, true) before closing or refilling.
    void RecordExpand(CBCGPVyrProp* row, CPropSub* sub, bool top);
    // Rewrites the rows a committed edit of row changed (a changed group: a rebuild).
    void UpdateFromOneProp(CBCGPVyrProp* row);
    // Runs the callback of the row's key; 1 when it changed the model.
    int DealOtherProp(CBCGPVyrProp* row);
    LRESULT OnOtherProp(WPARAM wParam, LPARAM lParam);
    LRESULT OnEndEditProp(WPARAM wParam, LPARAM lParam);
    // Ends a running edit with update; 0 when the row refused its value.
    int EndEdit();

    // What holders and tests reach: the descriptor root, the list, the callback table,
    // the expansion memory and the remembered scroll offset.
    CProps* GetProps() { return m_pProps; }
    CBCGPVyrPropList& GetPropList() { return m_wndPropList; }
    CallbackMap& GetCallbacks() { return m_mapCallback; }
    const std::map<CString, bool, ByteLess>& GetExpandMemory() const { return m_mapExpand; }
    int GetRememberedScroll() const { return m_nVertScrollOffset; }

    // The named callbacks of the property keys: each runs its key's row, which the area
    // owning the key's dialog registered (<vyr/protocol/PropKeyRegistry.h>).
    static int SupportDlg(void* objects, CGlobalData* data);
    static int BeamSecDlg(void* objects, CGlobalData* data);
    static int BeamReleaseDlg(void* objects, CGlobalData* data);
    static int BeamOffsetDlg(void* objects, CGlobalData* data);
    static int BeamRigidDlg(void* objects, CGlobalData* data);
    static int BeamWebHoleDefineDlg(void* objects, CGlobalData* data);
    static int WallOffsetDlg(void* objects, CGlobalData* data);
    static int WallHoleDefineDlg(void* objects, CGlobalData* data);
    static int WallHoleAdjustDlg(void* objects, CGlobalData* data);
    static int PlaneHoleDefineDlg(void* objects, CGlobalData* data);
    static int PlaneSubBeamDefineDlg(void* objects, CGlobalData* data);
    static int NodeCheckOutputDlg(void* objects, CGlobalData* data);
    static int NodeOutputDispDlg(void* objects, CGlobalData* data);
    static int NodeOutputForceDlg(void* objects, CGlobalData* data);
    static int NodeOutputCheckDlg(void* objects, CGlobalData* data);
    static int BeamCheckOutputDlg(void* objects, CGlobalData* data);
    static int BeamQueryForceDlg(void* objects, CGlobalData* data);
    static int BeamOutputForceDlg(void* objects, CGlobalData* data);
    static int BeamOutputCheckDlg(void* objects, CGlobalData* data);
    static int BeamOutputStatisticDlg(void* objects, CGlobalData* data);
    static int BeamPinnailDlg(void* objects, CGlobalData* data);
    static int BeamPinnailDesignDlg(void* objects, CGlobalData* data);
    static int PlaneBanLibDlg(void* objects, CGlobalData* data);
    static int PlaneBanDesignDlg(void* objects, CGlobalData* data);
    static int PlaneBanCheckDlg(void* objects, CGlobalData* data);
    static int BCInWallCheckOutputDlg(void* objects, CGlobalData* data);

private:
    void FillProps(const CPropSub& sub, CBCGPVyrProp* parent, bool top);
    void SetPropA(CBCGPVyrProp* row, const CProp& d);
    void UpdateRows(CBCGPProp* row, std::vector<CProp*>& changed);

    CallbackMap m_mapCallback;
    CProps* m_pProps = nullptr;
    CBCGPVyrPropList m_wndPropList;
    CFont m_font;
    std::map<CString, bool, ByteLess> m_mapExpand;
    int m_nVertScrollOffset = 0;
};
