#include <vyr/host/ViewPropPanels.h>

#include <vyr/protocol/HostProtocol.h>
#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/struct/GlobalData.h>
#include <vyr/resources/dialogs/ViewPropRes.h>

// The panels' public template numbers are the forms' own.
static_assert(CViewPropNode::IDD == IDD_VIEWPROP_NODE && CViewPropBeam::IDD == IDD_VIEWPROP_BEAM &&
              CViewPropWall::IDD == IDD_VIEWPROP_WALL && CViewPropPlane::IDD == IDD_VIEWPROP_PLANE &&
              CViewPropBCInWall::IDD == IDD_VIEWPROP_BCINWALL);

namespace {

// The grid and the drop-down list, created after the form itself (before the template's
// buttons).
int CreateChildren(CViewProp& panel, CComboBox& combo)
{
    if (!panel.m_PropsUI.Create(&panel, IDC_VIEWPROP_GRID, WS_CHILD | WS_VISIBLE))
        return -1;
    if (!combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, CRect(0, 0, 0, 0), &panel, IDC_VIEWPROP_COMBO))
        return -1;
    combo.SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
    return 0;
}

// After the user chose in the drop-down list: the host refreshes, the view gets the keys.
void AfterChoice()
{
    VyrSendToHost(WM_UI_PROPCHANGED);
    if (auto* view = reinterpret_cast<CWnd*>(VyrSendToHost(WM_UI_GETACTIVEVIEW)))
        view->SetFocus();
}

CString Length(double model, CGlobalData* data)
{
    return CStringFunc::GetStrFromDouble(model * (double)data->UnitLength(), 3);
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

// What sets one selection panel apart from the others: its buttons, the selection list its
// drop-down list draws from, which objects of it the panel offers, the head entry and the
// entry of one object, where the chosen objects and the chosen one go, the grid kind, and
// whether a sketch frame follows the grid.
template <class Panel>
struct Offer;

template <>
struct Offer<CViewPropNode>
{
    // Locate, screen selection, query.
    static constexpr int buttons[3] = {IDC_NODE_POSITION, IDC_NODE_SELECT, IDC_NODE_QUERY};
    static constexpr const char* head = "选中结点 (%d 个)-下拉可选择单个查看";
    static constexpr int kind = OBJKIND_NODE;
    static constexpr bool sketch = false;
    static CPNodeList& Selection(CGlobalData& data) { return data.SelectNodeList(); }
    static bool Pass(CPNode*) { return true; }
    static CString Entry(CPNode* n, CGlobalData* data)
    {
        CString text;
        text.Format("结点编号: %d, 坐标: %-5s%-5s%-5s", n->GetNo(), (const char*)(Length(n->m_pt.x, data) + ","),
                    (const char*)(Length(n->m_pt.y, data) + ","), (const char*)Length(n->m_pt.z, data));
        return text;
    }
    static CPNodeList& Chosen(CViewPropNode& panel) { return *panel.m_pNodeList; }
    static CPNode**& Slot(CViewPropNode& panel) { return panel.m_ppCurrentNode; }
};

template <>
struct Offer<CViewPropBeam>
{
    // Locate, screen selection, query.
    static constexpr int buttons[3] = {IDC_BEAM_POSITION, IDC_BEAM_SELECT, IDC_BEAM_QUERY};
    static constexpr const char* head = "选中杆件 (%d 个)-下拉可选择单个查看";
    static constexpr int kind = OBJKIND_BEAM;
    static constexpr bool sketch = false;
    static CBeamList& Selection(CGlobalData& data) { return data.SelectBeamList(); }
    static bool Pass(CBeamBase* b) { return IsOrdinaryMember(b); }
    static CString Entry(CBeamBase* b, CGlobalData* data) { return BeamEntry(b, "%-8s%4s%6s%5s", data); }
    static CBeamList& Chosen(CViewPropBeam& panel) { return panel.m_BeamList; }
    static CBeamBase**& Slot(CViewPropBeam& panel) { return panel.m_ppCurrentBeam; }
};

template <>
struct Offer<CViewPropWall>
{
    // Locate, screen selection, query.
    static constexpr int buttons[3] = {IDC_WALL_POSITION, IDC_WALL_SELECT, IDC_WALL_QUERY};
    static constexpr const char* head = "选中墙体 (%d 个)-下拉可选择单个查看";
    static constexpr int kind = OBJKIND_WALL;
    static constexpr bool sketch = true;
    static CWallList& Selection(CGlobalData& data) { return data.SelectWallList(); }
    static bool Pass(CWall*) { return true; }
    static CString Entry(CWall* w, CGlobalData*)
    {
        CString text;
        text.Format("墙体编号: %3d", w->GetNo());
        return text;
    }
    static CWallList& Chosen(CViewPropWall& panel) { return panel.m_WallList; }
    static CWall**& Slot(CViewPropWall& panel) { return panel.m_ppCurrentWall; }
};

template <>
struct Offer<CViewPropPlane>
{
    // Locate, screen selection, query.
    static constexpr int buttons[3] = {IDC_PLANE_POSITION, IDC_PLANE_SELECT, IDC_PLANE_QUERY};
    static constexpr const char* head = "选中房间 (%d 个)-下拉可选择单个查看";
    static constexpr int kind = OBJKIND_PLANE;
    static constexpr bool sketch = true;
    static CPlaneList& Selection(CGlobalData& data) { return data.SelectPlaneList(); }
    static bool Pass(CPlane*) { return true; }
    static CString Entry(CPlane* p, CGlobalData*)
    {
        CString text;
        text.Format("房间编号: %3d", p->GetNo());
        return text;
    }
    static CPlaneList& Chosen(CViewPropPlane& panel) { return panel.m_PlaneList; }
    static CPlane**& Slot(CViewPropPlane& panel) { return panel.m_ppCurrentPlane; }
};

template <>
struct Offer<CViewPropBCInWall>
{
    // Locate, screen selection, query.
    static constexpr int buttons[3] = {IDC_BCINWALL_POSITION, IDC_BCINWALL_SELECT, IDC_BCINWALL_QUERY};
    static constexpr const char* head = "选中墙肢连梁 (%d 个)-下拉可选择单个查看";
    static constexpr int kind = OBJKIND_BCINWALL;
    static constexpr bool sketch = false;
    static CBeamList& Selection(CGlobalData& data) { return data.SelectBeamList(); }
    static bool Pass(CBeamBase* b) { return IsInWallMember(b); }
    static CString Entry(CBeamBase* b, CGlobalData* data) { return BeamEntry(b, "%-6s%4s%6s%5s", data); }
    static CBeamList& Chosen(CViewPropBCInWall& panel) { return panel.m_BeamList; }
    static CBeamBase**& Slot(CViewPropBCInWall& panel) { return panel.m_ppCurrentBeam; }
};

// The drop-down list on top, the three buttons in a row below it, then the grid down to
// the bottom (or down to the sketch frame).
template <class Panel>
void Layout(Panel& panel)
{
    const int* buttons = Offer<Panel>::buttons;
    CComboBox& combo = panel.m_wndCombo;
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

    if (!Offer<Panel>::sketch) {
        panel.m_PropsUI.Move(10, C + 48, W - 20, H - C - 58);
        return;
    }
    panel.m_PropsUI.Move(10, C + 48, W - 20, H - C - 194);
    if (CWnd* frame = panel.GetDlgItem(IDC_VIEWPROP_SKETCH))
        frame->MoveWindow(10, H - 138, W - 20, 128);
}

template <class Panel>
auto* SelectionOf(Panel& panel)
{
    return panel.m_pGlobalData ? &Offer<Panel>::Selection(*panel.m_pGlobalData) : nullptr;
}

// FillCombo: entry 0 with the count, then one entry per offered object of the selection,
// in its order.
template <class Panel>
void FillOffer(Panel& panel)
{
    using O = Offer<Panel>;
    CComboBox& combo = panel.m_wndCombo;
    if (!combo.GetSafeHwnd())
        return;
    auto* selection = SelectionOf(panel);
    combo.ResetContent();
    int count = 0;
    if (selection)
        for (POSITION pos = selection->GetHeadPosition(); pos;)
            if (O::Pass(selection->GetNextT(pos)))
                ++count;
    CString text;
    text.Format(O::head, count);
    combo.AddString(text);
    if (!selection)
        return;
    for (POSITION pos = selection->GetHeadPosition(); pos;) {
        auto* object = selection->GetNextT(pos);
        if (O::Pass(object))
            combo.AddString(O::Entry(object, panel.m_pGlobalData));
    }
}

// Rebuilds the chosen objects from the drop-down choice: every offered object for entry 0
// (the slot then holds null), the i-th offered one for entry i (written into the slot),
// nothing for no choice.
template <class Panel>
void ChooseObjects(Panel& panel)
{
    using O = Offer<Panel>;
    auto* selection = SelectionOf(panel);
    auto& objects = O::Chosen(panel);
    auto* slot = O::Slot(panel);
    const int index = panel.m_wndCombo.GetCurSel();
    objects.RemoveAll();
    if (index < 0 || !selection)
        return;
    if (index == 0) {
        for (POSITION pos = selection->GetHeadPosition(); pos;) {
            auto* object = selection->GetNextT(pos);
            if (O::Pass(object))
                objects.AddTail(object);
        }
        if (slot)
            *slot = nullptr;
        return;
    }
    int seen = 0;
    for (POSITION pos = selection->GetHeadPosition(); pos;) {
        auto* object = selection->GetNextT(pos);
        if (O::Pass(object) && ++seen == index) {
            if (slot)
                *slot = object;
            objects.AddTail(object);
            return;
        }
    }
}

// Update*List: the chosen objects, then the grid over them and the sketch of the chosen one.
template <class Panel>
void ShowChoice(Panel& panel)
{
    using O = Offer<Panel>;
    if (!panel.m_wndCombo.GetSafeHwnd())
        return;
    ChooseObjects(panel);
    panel.m_PropsUI.RecordExpand(nullptr, nullptr, true);
    panel.m_PropsUI.SetParam(2, &O::Chosen(panel), O::kind, panel.m_pGlobalData);
    panel.m_PropsUI.FillItem();
    if constexpr (O::sketch)
        panel.UpdateDraw();
}

// SetParam and Update: refill the drop-down list and show entry 0 ("all"). A new slot
// starts empty even when there is no selection to choose from.
template <class Panel>
void OfferAll(Panel& panel, bool emptySlot)
{
    if (!panel.m_wndCombo.GetSafeHwnd())
        return;
    FillOffer(panel);
    if (panel.m_wndCombo.GetCount() > 0)
        panel.m_wndCombo.SetCurSel(0);
    if (auto* slot = Offer<Panel>::Slot(panel); emptySlot && slot)
        *slot = nullptr;
    ShowChoice(panel);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Nodes

IMPLEMENT_DYNCREATE(CViewPropNode, CViewProp)

BEGIN_MESSAGE_MAP(CViewPropNode, CViewProp)
    ON_WM_CREATE()
    ON_CBN_SELCHANGE(IDC_VIEWPROP_COMBO, &CViewPropNode::OnSelchangeComboProp)
    ON_BN_CLICKED(IDC_NODE_POSITION, &CViewPropNode::OnPositionIt)
    ON_BN_CLICKED(IDC_NODE_SELECT, &CViewPropNode::OnNodeSelect)
    ON_BN_CLICKED(IDC_NODE_QUERY, &CViewProp::OnClickQuery)
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

void CViewPropNode::Resize() { Layout(*this); }

void CViewPropNode::SetParam(CPNode** ppCurrent)
{
    m_ppCurrentNode = ppCurrent;
    OfferAll(*this, true);
}

void CViewPropNode::Update() { OfferAll(*this, false); }

void CViewPropNode::FillCombo() { FillOffer(*this); }

void CViewPropNode::UpdateNodeList() { ShowChoice(*this); }

void CViewPropNode::OnSelchangeComboProp()
{
    UpdateNodeList();
    AfterChoice();
}

void CViewPropNode::OnNodeSelect() { VyrSendToHost(WM_UI_SCREENSELECT, 0, OBJKIND_NODE); }

// ---------------------------------------------------------------------------------------
// Members

IMPLEMENT_DYNCREATE(CViewPropBeam, CViewProp)

BEGIN_MESSAGE_MAP(CViewPropBeam, CViewProp)
    ON_WM_CREATE()
    ON_CBN_SELCHANGE(IDC_VIEWPROP_COMBO, &CViewPropBeam::OnSelchangeComboProp)
    ON_BN_CLICKED(IDC_BEAM_POSITION, &CViewPropBeam::OnPositionIt)
    ON_BN_CLICKED(IDC_BEAM_SELECT, &CViewPropBeam::OnBeamSelect)
    ON_BN_CLICKED(IDC_BEAM_QUERY, &CViewProp::OnClickQuery)
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

void CViewPropBeam::Resize() { Layout(*this); }

void CViewPropBeam::SetParam(CBeamBase** ppCurrent)
{
    m_ppCurrentBeam = ppCurrent;
    OfferAll(*this, true);
}

void CViewPropBeam::Update() { OfferAll(*this, false); }

void CViewPropBeam::FillCombo() { FillOffer(*this); }

void CViewPropBeam::UpdateBeamList() { ShowChoice(*this); }

void CViewPropBeam::OnSelchangeComboProp()
{
    UpdateBeamList();
    AfterChoice();
}

void CViewPropBeam::OnBeamSelect() { VyrSendToHost(WM_UI_SCREENSELECT, 0, OBJKIND_BEAM); }

// ---------------------------------------------------------------------------------------
// Walls

IMPLEMENT_DYNCREATE(CViewPropWall, CViewProp)

BEGIN_MESSAGE_MAP(CViewPropWall, CViewProp)
    ON_WM_CREATE()
    ON_CBN_SELCHANGE(IDC_VIEWPROP_COMBO, &CViewPropWall::OnSelchangeComboProp)
    ON_BN_CLICKED(IDC_WALL_POSITION, &CViewPropWall::OnPositionIt)
    ON_BN_CLICKED(IDC_WALL_SELECT, &CViewPropWall::OnWallSelect)
    ON_BN_CLICKED(IDC_WALL_QUERY, &CViewProp::OnClickQuery)
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

void CViewPropWall::Resize() { Layout(*this); }

void CViewPropWall::SetParam(CWall** ppCurrent)
{
    m_ppCurrentWall = ppCurrent;
    OfferAll(*this, true);
}

void CViewPropWall::Update() { OfferAll(*this, false); }

void CViewPropWall::FillCombo() { FillOffer(*this); }

void CViewPropWall::UpdateWallList() { ShowChoice(*this); }

void CViewPropWall::OnSelchangeComboProp()
{
    UpdateWallList();
    AfterChoice();
}

void CViewPropWall::OnWallSelect() { VyrSendToHost(WM_UI_SCREENSELECT, 0, OBJKIND_WALL); }

// ---------------------------------------------------------------------------------------
// Rooms

IMPLEMENT_DYNCREATE(CViewPropPlane, CViewProp)

BEGIN_MESSAGE_MAP(CViewPropPlane, CViewProp)
    ON_WM_CREATE()
    ON_CBN_SELCHANGE(IDC_VIEWPROP_COMBO, &CViewPropPlane::OnSelchangeComboProp)
    ON_BN_CLICKED(IDC_PLANE_POSITION, &CViewPropPlane::OnPositionIt)
    ON_BN_CLICKED(IDC_PLANE_SELECT, &CViewPropPlane::OnPlaneSelect)
    ON_BN_CLICKED(IDC_PLANE_QUERY, &CViewProp::OnClickQuery)
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

void CViewPropPlane::Resize() { Layout(*this); }

void CViewPropPlane::SetParam(CPlane** ppCurrent)
{
    m_ppCurrentPlane = ppCurrent;
    OfferAll(*this, true);
}

void CViewPropPlane::Update() { OfferAll(*this, false); }

void CViewPropPlane::FillCombo() { FillOffer(*this); }

void CViewPropPlane::UpdatePlaneList() { ShowChoice(*this); }

void CViewPropPlane::OnSelchangeComboProp()
{
    UpdatePlaneList();
    AfterChoice();
}

void CViewPropPlane::OnPlaneSelect() { VyrSendToHost(WM_UI_SCREENSELECT, 0, OBJKIND_PLANE); }

// ---------------------------------------------------------------------------------------
// Coupling beams in walls

IMPLEMENT_DYNCREATE(CViewPropBCInWall, CViewProp)

BEGIN_MESSAGE_MAP(CViewPropBCInWall, CViewProp)
    ON_WM_CREATE()
    ON_CBN_SELCHANGE(IDC_VIEWPROP_COMBO, &CViewPropBCInWall::OnSelchangeComboProp)
    ON_BN_CLICKED(IDC_BCINWALL_POSITION, &CViewPropBCInWall::OnPositionIt)
    ON_BN_CLICKED(IDC_BCINWALL_SELECT, &CViewPropBCInWall::OnBeamSelect)
    ON_BN_CLICKED(IDC_BCINWALL_QUERY, &CViewProp::OnClickQuery)
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

void CViewPropBCInWall::Resize() { Layout(*this); }

void CViewPropBCInWall::SetParam(CBeamBase** ppCurrent)
{
    m_ppCurrentBeam = ppCurrent;
    OfferAll(*this, true);
}

void CViewPropBCInWall::Update() { OfferAll(*this, false); }

void CViewPropBCInWall::FillCombo() { FillOffer(*this); }

void CViewPropBCInWall::UpdateBeamList() { ShowChoice(*this); }

void CViewPropBCInWall::OnSelchangeComboProp()
{
    UpdateBeamList();
    AfterChoice();
}

void CViewPropBCInWall::OnBeamSelect() { VyrSendToHost(WM_UI_SCREENSELECT, 0, OBJKIND_BCINWALL); }
