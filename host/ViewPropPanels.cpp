#include <vyr/host/ViewPropPanels.h>

#include <vyr/host/HostProtocol.h>
#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/struct/GlobalData.h>

namespace {

constexpr int kGridId = 8000;
constexpr int kComboId = 8001;
constexpr int kSketchId = 1127;

// Buttons of each form: locate, screen selection, query.
constexpr int kNodeButtons[3] = {2003, 2004, 2005};
constexpr int kBeamButtons[3] = {2000, 2001, 2002};
constexpr int kWallButtons[3] = {2006, 2007, 2008};
constexpr int kPlaneButtons[3] = {2009, 2010, 2011};
constexpr int kBCInWallButtons[3] = {2048, 2049, 2050};

// The grid and the drop-down list, created after the form itself (before the template's
// buttons).
int CreateChildren(CViewProp& panel, CComboBox& combo)
{
    if (!panel.m_PropsUI.Create(&panel, kGridId, WS_CHILD | WS_VISIBLE))
        return -1;
    if (!combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, CRect(0, 0, 0, 0), &panel, kComboId))
        return -1;
    combo.SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
    return 0;
}

// The drop-down list on top, the three buttons in a row below it, then the grid down to
// the bottom (or down to the sketch frame).
void Layout(CViewProp& panel, CComboBox& combo, const int (&buttons)[3], bool sketch)
{
    CWnd* locate = panel.GetDlgItem(buttons[0]);
    if (!panel.m_PropsUI.GetPropListHWND() || locate == nullptr || !combo.GetSafeHwnd())
        return;
    CRect client;
    panel.GetClientRect(&client);
    const int W = client.Width(), H = client.Height();
    const int S = panel.GetScrollPosition().y;

    combo.MoveWindow(10, 10 - S, W - 20, 600);
    CRect comboClient;
    combo.GetClientRect(&comboClient);
    const int C = comboClient.Height() - S;

    const int w = (W - 22) / 3;
    locate->MoveWindow(10, C + 18, w, 22);
    if (CWnd* screen = panel.GetDlgItem(buttons[1]))
        screen->MoveWindow(w + 11, C + 18, w, 22);
    if (CWnd* query = panel.GetDlgItem(buttons[2]))
        query->MoveWindow(2 * w + 12, C + 18, w, 22);

    if (!sketch) {
        panel.m_PropsUI.Move(10, C + 48, W - 20, H - C - 58);
        return;
    }
    panel.m_PropsUI.Move(10, C + 48, W - 20, H - C - 194);
    if (CWnd* frame = panel.GetDlgItem(kSketchId))
        frame->MoveWindow(10, H - 138, W - 20, 128);
}

// After the user chose in the drop-down list: the host refreshes, the view gets the keys.
void AfterChoice()
{
    VyrSendToHost(WM_UI_PROPCHANGED);
    if (auto* view = reinterpret_cast<CWnd*>(VyrSendToHost(WM_UI_GETACTIVEVIEW)))
        view->SetFocus();
}

void RefillGrid(CViewProp& panel, void* objects, int kind)
{
    panel.m_PropsUI.RecordExpand(nullptr, nullptr, true);
    panel.m_PropsUI.SetParam(2, objects, kind, panel.m_pGlobalData);
    panel.m_PropsUI.FillItem();
}

CString Length(double model, CGlobalData* data)
{
    return CStringFunc::GetStrFromDouble(model * (double)data->UnitLength(), 3);
}

bool IsMember(CBeamBase* b) { return b->toBeam() != nullptr || b->toSubBeam() != nullptr; }
bool IsInWall(CBeamBase* b) { return b->toBeamInWall() != nullptr || b->toColumnInWall() != nullptr; }

// Entry 0 with the count, then one entry per offered object of the list, in its order.
template <class List, class Pass, class Entry>
void FillEntries(CComboBox& combo, List* selection, const char* head, Pass pass, Entry entry)
{
    combo.ResetContent();
    int count = 0;
    if (selection)
        for (POSITION pos = selection->GetHeadPosition(); pos;)
            if (pass(selection->GetNextT(pos)))
                ++count;
    CString text;
    text.Format(head, count);
    combo.AddString(text);
    if (!selection)
        return;
    for (POSITION pos = selection->GetHeadPosition(); pos;) {
        auto* object = selection->GetNextT(pos);
        if (pass(object))
            combo.AddString(entry(object));
    }
}

// Rebuilds the object list from the drop-down choice: every offered object for entry 0
// (the slot then holds null), the i-th offered one for entry i (written into the slot),
// nothing for no choice.
template <class List, class T, class Pass>
void ChooseObjects(CComboBox& combo, List* selection, List& objects, T** slot, Pass pass)
{
    const int index = combo.GetCurSel();
    objects.RemoveAll();
    if (index < 0 || !selection)
        return;
    if (index == 0) {
        for (POSITION pos = selection->GetHeadPosition(); pos;) {
            T* object = selection->GetNextT(pos);
            if (pass(object))
                objects.AddTail(object);
        }
        if (slot)
            *slot = nullptr;
        return;
    }
    int seen = 0;
    for (POSITION pos = selection->GetHeadPosition(); pos;) {
        T* object = selection->GetNextT(pos);
        if (pass(object) && ++seen == index) {
            if (slot)
                *slot = object;
            objects.AddTail(object);
            return;
        }
    }
}

template <class T>
bool Every(T*)
{
    return true;
}

CString BeamEntry(CBeamBase* b, const char* format, CGlobalData* data)
{
    CString number;
    number.Format("%d,", b->GetNo());
    CString text;
    text.Format(format, (const char*)(b->GetTypeDescription() + "编号: "), (const char*)number, "长度:",
                (const char*)Length(b->GetLength(), data));
    return text;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Nodes

IMPLEMENT_DYNCREATE(CViewPropNode, CViewProp)

BEGIN_MESSAGE_MAP(CViewPropNode, CViewProp)
    ON_WM_CREATE()
    ON_CBN_SELCHANGE(kComboId, &CViewPropNode::OnSelchangeComboProp)
    ON_BN_CLICKED(2003, &CViewPropNode::OnPositionIt)
    ON_BN_CLICKED(2004, &CViewPropNode::OnNodeSelect)
    ON_BN_CLICKED(2005, &CViewProp::OnClickQuery)
END_MESSAGE_MAP()

CViewPropNode::CViewPropNode() : CViewProp(IDD), m_pNodeList(new CPNodeList) {}

CViewPropNode::~CViewPropNode() { delete m_pNodeList; }

int CViewPropNode::OnCreate(LPCREATESTRUCT cs)
{
    if (CViewProp::OnCreate(cs) == -1)
        return -1;
    return CreateChildren(*this, m_wndCombo);
}

void CViewPropNode::OnInitialUpdate()
{
    CViewProp::OnInitialUpdate();
    Update();
}

void CViewPropNode::Resize() { Layout(*this, m_wndCombo, kNodeButtons, false); }

void CViewPropNode::SetParam(CPNode** ppCurrent)
{
    m_ppCurrentNode = ppCurrent;
    if (!m_wndCombo.GetSafeHwnd())
        return;
    FillCombo();
    if (m_wndCombo.GetCount() > 0)
        m_wndCombo.SetCurSel(0);
    if (m_ppCurrentNode)
        *m_ppCurrentNode = nullptr;
    UpdateNodeList();
}

void CViewPropNode::Update()
{
    FillCombo();
    if (m_wndCombo.GetSafeHwnd() && m_wndCombo.GetCount() > 0)
        m_wndCombo.SetCurSel(0);
    UpdateNodeList();
}

void CViewPropNode::FillCombo()
{
    if (!m_wndCombo.GetSafeHwnd())
        return;
    CGlobalData* data = m_pGlobalData;
    FillEntries(m_wndCombo, data ? &data->SelectNodeList() : nullptr, "选中结点 (%d 个)-下拉可选择单个查看",
                Every<CPNode>, [data](CPNode* n) {
                    CString text;
                    text.Format("结点编号: %d, 坐标: %-5s%-5s%-5s", n->GetNo(),
                                (const char*)(Length(n->m_pt.x, data) + ","),
                                (const char*)(Length(n->m_pt.y, data) + ","), (const char*)Length(n->m_pt.z, data));
                    return text;
                });
}

void CViewPropNode::UpdateNodeList()
{
    if (!m_wndCombo.GetSafeHwnd())
        return;
    ChooseObjects(m_wndCombo, m_pGlobalData ? &m_pGlobalData->SelectNodeList() : nullptr, *m_pNodeList,
                  m_ppCurrentNode, Every<CPNode>);
    RefillGrid(*this, m_pNodeList, 0);
}

void CViewPropNode::OnSelchangeComboProp()
{
    UpdateNodeList();
    AfterChoice();
}

void CViewPropNode::OnNodeSelect() { VyrSendToHost(WM_UI_SCREENSELECT, 0, 0); }

// ---------------------------------------------------------------------------------------
// Members

IMPLEMENT_DYNCREATE(CViewPropBeam, CViewProp)

BEGIN_MESSAGE_MAP(CViewPropBeam, CViewProp)
    ON_WM_CREATE()
    ON_CBN_SELCHANGE(kComboId, &CViewPropBeam::OnSelchangeComboProp)
    ON_BN_CLICKED(2000, &CViewPropBeam::OnPositionIt)
    ON_BN_CLICKED(2001, &CViewPropBeam::OnBeamSelect)
    ON_BN_CLICKED(2002, &CViewProp::OnClickQuery)
END_MESSAGE_MAP()

CViewPropBeam::CViewPropBeam() : CViewProp(IDD) {}

CViewPropBeam::~CViewPropBeam() = default;

int CViewPropBeam::OnCreate(LPCREATESTRUCT cs)
{
    if (CViewProp::OnCreate(cs) == -1)
        return -1;
    return CreateChildren(*this, m_wndCombo);
}

void CViewPropBeam::OnInitialUpdate()
{
    CViewProp::OnInitialUpdate();
    Update();
}

void CViewPropBeam::Resize() { Layout(*this, m_wndCombo, kBeamButtons, false); }

void CViewPropBeam::SetParam(CBeamBase** ppCurrent)
{
    m_ppCurrentBeam = ppCurrent;
    if (!m_wndCombo.GetSafeHwnd())
        return;
    FillCombo();
    if (m_wndCombo.GetCount() > 0)
        m_wndCombo.SetCurSel(0);
    if (m_ppCurrentBeam)
        *m_ppCurrentBeam = nullptr;
    UpdateBeamList();
}

void CViewPropBeam::Update()
{
    FillCombo();
    if (m_wndCombo.GetSafeHwnd() && m_wndCombo.GetCount() > 0)
        m_wndCombo.SetCurSel(0);
    UpdateBeamList();
}

void CViewPropBeam::FillCombo()
{
    if (!m_wndCombo.GetSafeHwnd())
        return;
    CGlobalData* data = m_pGlobalData;
    FillEntries(m_wndCombo, data ? &data->SelectBeamList() : nullptr, "选中杆件 (%d 个)-下拉可选择单个查看", IsMember,
                [data](CBeamBase* b) { return BeamEntry(b, "%-8s%4s%6s%5s", data); });
}

void CViewPropBeam::UpdateBeamList()
{
    if (!m_wndCombo.GetSafeHwnd())
        return;
    ChooseObjects(m_wndCombo, m_pGlobalData ? &m_pGlobalData->SelectBeamList() : nullptr, m_BeamList,
                  m_ppCurrentBeam, IsMember);
    RefillGrid(*this, &m_BeamList, 1);
}

void CViewPropBeam::OnSelchangeComboProp()
{
    UpdateBeamList();
    AfterChoice();
}

void CViewPropBeam::OnBeamSelect() { VyrSendToHost(WM_UI_SCREENSELECT, 0, 1); }

// ---------------------------------------------------------------------------------------
// Walls

IMPLEMENT_DYNCREATE(CViewPropWall, CViewProp)

BEGIN_MESSAGE_MAP(CViewPropWall, CViewProp)
    ON_WM_CREATE()
    ON_CBN_SELCHANGE(kComboId, &CViewPropWall::OnSelchangeComboProp)
    ON_BN_CLICKED(2006, &CViewPropWall::OnPositionIt)
    ON_BN_CLICKED(2007, &CViewPropWall::OnWallSelect)
    ON_BN_CLICKED(2008, &CViewProp::OnClickQuery)
END_MESSAGE_MAP()

CViewPropWall::CViewPropWall() : CViewProp(IDD) {}

CViewPropWall::~CViewPropWall() = default;

int CViewPropWall::OnCreate(LPCREATESTRUCT cs)
{
    if (CViewProp::OnCreate(cs) == -1)
        return -1;
    return CreateChildren(*this, m_wndCombo);
}

void CViewPropWall::OnInitialUpdate()
{
    CViewProp::OnInitialUpdate();
    Update();
}

void CViewPropWall::Resize() { Layout(*this, m_wndCombo, kWallButtons, true); }

void CViewPropWall::SetParam(CWall** ppCurrent)
{
    m_ppCurrentWall = ppCurrent;
    if (!m_wndCombo.GetSafeHwnd())
        return;
    FillCombo();
    if (m_wndCombo.GetCount() > 0)
        m_wndCombo.SetCurSel(0);
    if (m_ppCurrentWall)
        *m_ppCurrentWall = nullptr;
    UpdateWallList();
}

void CViewPropWall::Update()
{
    FillCombo();
    if (m_wndCombo.GetSafeHwnd() && m_wndCombo.GetCount() > 0)
        m_wndCombo.SetCurSel(0);
    UpdateWallList();
}

void CViewPropWall::FillCombo()
{
    if (!m_wndCombo.GetSafeHwnd())
        return;
    FillEntries(m_wndCombo, m_pGlobalData ? &m_pGlobalData->SelectWallList() : nullptr,
                "选中墙体 (%d 个)-下拉可选择单个查看", Every<CWall>, [](CWall* w) {
                    CString text;
                    text.Format("墙体编号: %3d", w->GetNo());
                    return text;
                });
}

void CViewPropWall::UpdateWallList()
{
    if (!m_wndCombo.GetSafeHwnd())
        return;
    ChooseObjects(m_wndCombo, m_pGlobalData ? &m_pGlobalData->SelectWallList() : nullptr, m_WallList,
                  m_ppCurrentWall, Every<CWall>);
    RefillGrid(*this, &m_WallList, 2);
    UpdateDraw();
}

void CViewPropWall::OnSelchangeComboProp()
{
    UpdateWallList();
    AfterChoice();
}

void CViewPropWall::OnWallSelect() { VyrSendToHost(WM_UI_SCREENSELECT, 0, 2); }

// ---------------------------------------------------------------------------------------
// Rooms

IMPLEMENT_DYNCREATE(CViewPropPlane, CViewProp)

BEGIN_MESSAGE_MAP(CViewPropPlane, CViewProp)
    ON_WM_CREATE()
    ON_CBN_SELCHANGE(kComboId, &CViewPropPlane::OnSelchangeComboProp)
    ON_BN_CLICKED(2009, &CViewPropPlane::OnPositionIt)
    ON_BN_CLICKED(2010, &CViewPropPlane::OnPlaneSelect)
    ON_BN_CLICKED(2011, &CViewProp::OnClickQuery)
END_MESSAGE_MAP()

CViewPropPlane::CViewPropPlane() : CViewProp(IDD) {}

CViewPropPlane::~CViewPropPlane() = default;

int CViewPropPlane::OnCreate(LPCREATESTRUCT cs)
{
    if (CViewProp::OnCreate(cs) == -1)
        return -1;
    return CreateChildren(*this, m_wndCombo);
}

void CViewPropPlane::OnInitialUpdate()
{
    CViewProp::OnInitialUpdate();
    Update();
}

void CViewPropPlane::Resize() { Layout(*this, m_wndCombo, kPlaneButtons, true); }

void CViewPropPlane::SetParam(CPlane** ppCurrent)
{
    m_ppCurrentPlane = ppCurrent;
    if (!m_wndCombo.GetSafeHwnd())
        return;
    FillCombo();
    if (m_wndCombo.GetCount() > 0)
        m_wndCombo.SetCurSel(0);
    if (m_ppCurrentPlane)
        *m_ppCurrentPlane = nullptr;
    UpdatePlaneList();
}

void CViewPropPlane::Update()
{
    FillCombo();
    if (m_wndCombo.GetSafeHwnd() && m_wndCombo.GetCount() > 0)
        m_wndCombo.SetCurSel(0);
    UpdatePlaneList();
}

void CViewPropPlane::FillCombo()
{
    if (!m_wndCombo.GetSafeHwnd())
        return;
    FillEntries(m_wndCombo, m_pGlobalData ? &m_pGlobalData->SelectPlaneList() : nullptr,
                "选中房间 (%d 个)-下拉可选择单个查看", Every<CPlane>, [](CPlane* p) {
                    CString text;
                    text.Format("房间编号: %3d", p->GetNo());
                    return text;
                });
}

void CViewPropPlane::UpdatePlaneList()
{
    if (!m_wndCombo.GetSafeHwnd())
        return;
    ChooseObjects(m_wndCombo, m_pGlobalData ? &m_pGlobalData->SelectPlaneList() : nullptr, m_PlaneList,
                  m_ppCurrentPlane, Every<CPlane>);
    RefillGrid(*this, &m_PlaneList, 3);
    UpdateDraw();
}

void CViewPropPlane::OnSelchangeComboProp()
{
    UpdatePlaneList();
    AfterChoice();
}

void CViewPropPlane::OnPlaneSelect() { VyrSendToHost(WM_UI_SCREENSELECT, 0, 3); }

// ---------------------------------------------------------------------------------------
// Coupling beams in walls

IMPLEMENT_DYNCREATE(CViewPropBCInWall, CViewProp)

BEGIN_MESSAGE_MAP(CViewPropBCInWall, CViewProp)
    ON_WM_CREATE()
    ON_CBN_SELCHANGE(kComboId, &CViewPropBCInWall::OnSelchangeComboProp)
    ON_BN_CLICKED(2048, &CViewPropBCInWall::OnPositionIt)
    ON_BN_CLICKED(2049, &CViewPropBCInWall::OnBeamSelect)
    ON_BN_CLICKED(2050, &CViewProp::OnClickQuery)
END_MESSAGE_MAP()

CViewPropBCInWall::CViewPropBCInWall() : CViewProp(IDD) {}

CViewPropBCInWall::~CViewPropBCInWall() = default;

int CViewPropBCInWall::OnCreate(LPCREATESTRUCT cs)
{
    if (CViewProp::OnCreate(cs) == -1)
        return -1;
    return CreateChildren(*this, m_wndCombo);
}

void CViewPropBCInWall::OnInitialUpdate()
{
    CViewProp::OnInitialUpdate();
    Update();
}

void CViewPropBCInWall::Resize() { Layout(*this, m_wndCombo, kBCInWallButtons, false); }

void CViewPropBCInWall::SetParam(CBeamBase** ppCurrent)
{
    m_ppCurrentBeam = ppCurrent;
    if (!m_wndCombo.GetSafeHwnd())
        return;
    FillCombo();
    if (m_wndCombo.GetCount() > 0)
        m_wndCombo.SetCurSel(0);
    if (m_ppCurrentBeam)
        *m_ppCurrentBeam = nullptr;
    UpdateBeamList();
}

void CViewPropBCInWall::Update()
{
    FillCombo();
    if (m_wndCombo.GetSafeHwnd() && m_wndCombo.GetCount() > 0)
        m_wndCombo.SetCurSel(0);
    UpdateBeamList();
}

void CViewPropBCInWall::FillCombo()
{
    if (!m_wndCombo.GetSafeHwnd())
        return;
    CGlobalData* data = m_pGlobalData;
    FillEntries(m_wndCombo, data ? &data->SelectBeamList() : nullptr, "选中墙肢连梁 (%d 个)-下拉可选择单个查看",
                IsInWall, [data](CBeamBase* b) { return BeamEntry(b, "%-6s%4s%6s%5s", data); });
}

void CViewPropBCInWall::UpdateBeamList()
{
    if (!m_wndCombo.GetSafeHwnd())
        return;
    ChooseObjects(m_wndCombo, m_pGlobalData ? &m_pGlobalData->SelectBeamList() : nullptr, m_BeamList,
                  m_ppCurrentBeam, IsInWall);
    RefillGrid(*this, &m_BeamList, 4);
}

void CViewPropBCInWall::OnSelchangeComboProp()
{
    UpdateBeamList();
    AfterChoice();
}

void CViewPropBCInWall::OnBeamSelect() { VyrSendToHost(WM_UI_SCREENSELECT, 0, 4); }
