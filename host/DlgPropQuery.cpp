#include <vyr/host/DlgPropQuery.h>

#include <unordered_set>

#include <vyr/protocol/HostMessages.h>
#include <vyr/protocol/HostProtocol.h>
#include <vyr/model/base/VyrProduct.h>
#include <vyr/resources/dialogs/PropRes.h>

namespace {


int CountIf(const CBeamList& list, bool (*pred)(CBeamBase*))
{
    int n = 0;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        n += pred(list.GetNextT(pos)) ? 1 : 0;
    return n;
}

// One kind's selection list after an operation with that kind's results (a). Membership is
// looked up by hash, so an operation costs the lengths of both lists, not their product.
void CombineList(CObList& b, const std::vector<CObject*>& a, int op)
{
    switch (op) {
    case 1: // B = A
        b.RemoveAll();
        for (CObject* o : a)
            b.AddTail(o);
        break;
    case 2: { // B = A + B
        std::unordered_set<CObject*> inB;
        inB.reserve(b.GetCount() + a.size());
        for (POSITION pos = b.GetHeadPosition(); pos != nullptr;)
            inB.insert(b.GetNext(pos));
        for (CObject* o : a)
            if (inB.insert(o).second)
                b.AddTail(o);
        break;
    }
    case 3: { // B = A - B
        std::unordered_set<CObject*> inB;
        inB.reserve(b.GetCount());
        for (POSITION pos = b.GetHeadPosition(); pos != nullptr;)
            inB.insert(b.GetNext(pos));
        b.RemoveAll();
        for (CObject* o : a)
            if (!inB.count(o))
                b.AddTail(o);
        break;
    }
    case 4: { // B = B - A
        std::unordered_set<CObject*> inA(a.begin(), a.end());
        for (POSITION pos = b.GetHeadPosition(); pos != nullptr;) {
            POSITION at = pos;
            if (inA.count(b.GetNext(pos)))
                b.RemoveAt(at);
        }
        break;
    }
    default:
        break;
    }
}

void Append(std::vector<CObject*>& out, const CObList& list)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        out.push_back(list.GetNext(pos));
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgPropQuery, CDlgRecordPos)
    ON_WM_CREATE()
    ON_CBN_SELCHANGE(IDC_QUERY_TYPE, &CDlgPropQuery::OnSelchangeComboType)
    ON_CBN_SELCHANGE(IDC_QUERY_RANGE, &CDlgPropQuery::OnSelchangeQueryRange)
    ON_BN_CLICKED(IDC_QUERY_RESET, &CDlgPropQuery::OnQueryReset)
    ON_BN_CLICKED(IDC_QUERY_RUN, &CDlgPropQuery::OnQuery)
    ON_BN_CLICKED(IDC_QUERY_OP1, &CDlgPropQuery::OnQueryOp1)
    ON_BN_CLICKED(IDC_QUERY_OP2, &CDlgPropQuery::OnQueryOp2)
    ON_BN_CLICKED(IDC_QUERY_OP3, &CDlgPropQuery::OnQueryOp3)
    ON_BN_CLICKED(IDC_QUERY_OP4, &CDlgPropQuery::OnQueryOp4)
    ON_BN_CLICKED(IDC_QUERY_POSITION, &CDlgPropQuery::OnPosition)
END_MESSAGE_MAP()

CDlgPropQuery::CDlgPropQuery(CWnd* pParent) : CDlgRecordPos(IDD_DLGPROPQUERY, pParent) {}

CDlgPropQuery::~CDlgPropQuery()
{
    // The grids' rows point into their descriptors, which point at these lists.
    if (m_hWnd)
        DestroyWindow();
}

void CDlgPropQuery::SetParam(CGlobalData* data, int kind)
{
    m_pGlobalData = data;
    m_nKind = kind;
}

int CDlgPropQuery::ProgramType() const { return m_pGlobalData ? m_pGlobalData->ProgramType() : 0; }

int CDlgPropQuery::GetWallOrBCInWallIndex()
{
    const CVyrProduct& p = CVyrProduct::Inst();
    if (!p.IsUl_BRX())
        return -1;
    return p.Is3D() ? 3 : 2;
}

std::vector<int> CDlgPropQuery::GetEntryKinds() const
{
    const CVyrProduct& p = CVyrProduct::Inst();
    std::vector<int> kinds = {OBJKIND_NODE, OBJKIND_BEAM};
    if (ProgramType() == 2)
        return kinds;
    if (!p.Is2D())
        kinds.push_back(OBJKIND_PLANE);
    if (p.IsUl_BRX())
        kinds.push_back(ProgramType() == 0 ? OBJKIND_WALL : OBJKIND_BCINWALL);
    return kinds;
}

const char* CDlgPropQuery::KindName(int kind)
{
    switch (kind) {
    case OBJKIND_NODE:
        return "结点";
    case OBJKIND_BEAM:
        return "杆件";
    case OBJKIND_WALL:
        return "墙体";
    case OBJKIND_PLANE:
        return "房间";
    case OBJKIND_BCINWALL:
        return "墙肢连梁";
    default:
        return "";
    }
}

CPropsUI* CDlgPropQuery::GetPropsUI(int kind)
{
    switch (kind) {
    case OBJKIND_NODE:
        return &m_PropsUINode;
    case OBJKIND_BEAM:
        return &m_PropsUIBeam;
    case OBJKIND_WALL:
        return &m_PropsUIWall;
    case OBJKIND_PLANE:
        return &m_PropsUIPlane;
    case OBJKIND_BCINWALL:
        return &m_PropsUIBCInWall;
    default:
        return nullptr;
    }
}

CObList* CDlgPropQuery::GetResultList(int kind)
{
    switch (kind) {
    case OBJKIND_NODE:
        return &m_ResultNodeList;
    case OBJKIND_BEAM:
        return &m_ResultBeamList;
    case OBJKIND_WALL:
        return &m_ResultWallList;
    case OBJKIND_PLANE:
        return &m_ResultPlaneList;
    case OBJKIND_BCINWALL:
        return &m_ResultBCInWallList;
    default:
        return nullptr;
    }
}

int CDlgPropQuery::GetSelectedKind() const
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_QUERY_TYPE));
    const std::vector<int> kinds = GetEntryKinds();
    const int sel = combo ? combo->GetCurSel() : -1;
    return sel >= 0 && sel < (int)kinds.size() ? kinds[sel] : -1;
}

int CDlgPropQuery::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDlgRecordPos::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_gridResult.Create(CRect(0, 0, 0, 0), this, IDC_QUERY_RESULTGRID, WS_CHILD | WS_VISIBLE);
    m_gridSel.Create(CRect(0, 0, 0, 0), this, IDC_QUERY_SELGRID, WS_CHILD | WS_VISIBLE);
    m_PropsUINode.Create(this, IDC_QUERY_NODEPROPS, WS_CHILD);
    m_PropsUIBeam.Create(this, IDC_QUERY_BEAMPROPS, WS_CHILD);
    if (ProgramType() != 2) {
        m_PropsUIPlane.Create(this, IDC_QUERY_PLANEPROPS, WS_CHILD);
        if (ProgramType() == 0)
            m_PropsUIWall.Create(this, IDC_QUERY_WALLPROPS, WS_CHILD);
        else
            m_PropsUIBCInWall.Create(this, IDC_QUERY_BCINWALLPROPS, WS_CHILD);
    }
    return 0;
}

void CDlgPropQuery::DoDataExchange(CDataExchange* pDX)
{
    CDlgRecordPos::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_QUERY_RANGE, m_nQueryRange);
}

BOOL CDlgPropQuery::OnInitDialog()
{
    CDlgRecordPos::OnInitDialog();
    CRect rc;
    GetClientRect(&rc);
    const int h = rc.Height() - 43;
    for (CPropsUI* ui : {&m_PropsUINode, &m_PropsUIBeam, &m_PropsUIWall, &m_PropsUIPlane, &m_PropsUIBCInWall})
        if (Created(*ui))
            ui->Move(8, 35, 224, h);
    m_gridResult.MoveWindow(240, 110, 153, 130);
    m_gridSel.MoveWindow(240, 266, 153, 130);

    Reset(true);
    FillColumn();
    FillItemResult();
    FillItemSel();

    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_QUERY_TYPE));
    combo->ResetContent();
    const std::vector<int> kinds = GetEntryKinds();
    for (int k : kinds)
        combo->AddString(KindName(k));
    // The entry of the panel's kind; a kind the list does not offer opens the first entry.
    int entry = 0;
    for (int i = 0; i < (int)kinds.size(); ++i) {
        auto inWalls = [](int k) { return k == OBJKIND_WALL || k == OBJKIND_BCINWALL; };
        const bool wallLike = inWalls(m_nKind) && inWalls(kinds[i]);
        if ((m_nKind == OBJKIND_BEAM || m_nKind == OBJKIND_PLANE) ? kinds[i] == m_nKind : wallLike)
            entry = i;
    }
    combo->SetCurSel(entry);
    ShowPropUI();
    return TRUE;
}

void* CDlgPropQuery::ObjectsToQuery(int kind)
{
    CStruct* st = m_pGlobalData->Struct();
    const bool whole = m_nQueryRange == 1;
    auto shown = [](int k) { return reinterpret_cast<CObList*>(VyrSendToHost(WM_UI_GETSHOWNLIST, (WPARAM)k)); };
    switch (kind) {
    case OBJKIND_NODE:
        return whole ? (void*)st->m_pNodeList : shown(OBJKIND_NODE);
    case OBJKIND_WALL:
        return whole ? (void*)st->m_pWallList : shown(OBJKIND_WALL);
    case OBJKIND_PLANE:
        return whole ? (void*)st->m_pPlaneList : shown(OBJKIND_PLANE);
    case OBJKIND_BEAM:
        m_BeamList.RemoveAll();
        if (whole) {
            m_BeamList.CopyPointer(st->m_pBeamList);
            for (POSITION pos = st->m_pPlaneList->GetHeadPosition(); pos != nullptr;)
                m_BeamList.CopyPointer(st->m_pPlaneList->GetNextT(pos)->m_pSubBeamList);
        } else if (auto* list = static_cast<CBeamList*>(shown(OBJKIND_BEAM))) {
            for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
                if (CBeamBase* b = list->GetNextT(pos); IsOrdinaryMember(b))
                    m_BeamList.AddTail(b);
        }
        return &m_BeamList;
    case OBJKIND_BCINWALL:
        m_BCInWallList.RemoveAll();
        if (whole) {
            m_BCInWallList.CopyPointer(st->m_pBCInWallList2);
            m_BCInWallList.CopyPointer(st->m_pBCInWallList1);
        } else if (auto* list = static_cast<CBeamList*>(shown(OBJKIND_BCINWALL))) {
            for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
                if (CBeamBase* b = list->GetNextT(pos); IsInWallMember(b))
                    m_BCInWallList.AddTail(b);
        }
        return &m_BCInWallList;
    default:
        return nullptr;
    }
}

void CDlgPropQuery::Reset(bool all)
{
    CWaitCursor wait;
    std::vector<int> kinds;
    if (all) {
        kinds = GetEntryKinds();
    } else if (int k = GetSelectedKind(); k >= 0) {
        kinds.push_back(k);
    }
    for (int k : kinds) {
        CPropsUI* ui = GetPropsUI(k);
        if (!Created(*ui))
            continue;
        ui->RecordExpand(nullptr, nullptr, true);
        ui->SetParam(3, ObjectsToQuery(k), k, m_pGlobalData);
        ui->FillItem();
    }
    ShowPropUI();
}

void CDlgPropQuery::ShowPropUI()
{
    const int kind = GetSelectedKind();
    for (int k = 0; k < OBJKIND_COUNT; ++k)
        GetPropsUI(k)->ShowWindow(k == kind);
}

void CDlgPropQuery::FillColumn()
{
    for (CGridCtrl* grid : {&m_gridResult, &m_gridSel}) {
        grid->SetListStyle();
        grid->DeleteAllItems();
        grid->SetColumnCount(2);
        grid->SetRowCount(1);
        grid->SetFixedRowCount(1);
        grid->SetItemText(0, 0, "类型");
        grid->SetItemText(0, 1, "个数");
    }
}

void CDlgPropQuery::FillCounts(CGridCtrl& grid, int nodes, int members, int rooms, int walls, int couplings)
{
    const CVyrProduct& p = CVyrProduct::Inst();
    grid.DeleteNonFixedRows();
    grid.SetRowCount(ProgramType() == 2 ? 3 : (p.IsUl_BRX() && p.Is3D()) ? 5 : 4);
    // One row per kind the kind list offers, in its order.
    const int counts[OBJKIND_COUNT] = {nodes, members, walls, rooms, couplings}; // by kind
    int row = 1;
    for (int kind : GetEntryKinds()) {
        grid.SetItemText(row, 0, KindName(kind));
        grid.SetItemText(row, 1, VyrFormat("%d", counts[kind]).c_str());
        ++row;
    }
    grid.ExpandColumnsToFit();
}

void CDlgPropQuery::FillItemResult()
{
    FillCounts(m_gridResult, (int)m_ResultNodeList.GetCount(), (int)m_ResultBeamList.GetCount(),
               (int)m_ResultPlaneList.GetCount(), (int)m_ResultWallList.GetCount(),
               (int)m_ResultBCInWallList.GetCount());
}

void CDlgPropQuery::FillItemSel()
{
    CGlobalData& d = *m_pGlobalData;
    FillCounts(m_gridSel, (int)d.SelectNodeList().GetCount(), CountIf(d.SelectBeamList(), IsOrdinaryMember),
               (int)d.SelectPlaneList().GetCount(), (int)d.SelectWallList().GetCount(),
               CountIf(d.SelectBeamList(), IsInWallMember));
}

void CDlgPropQuery::ResetResult()
{
    m_ResultNodeList.RemoveAll();
    m_ResultBeamList.RemoveAll();
    m_ResultPlaneList.RemoveAll();
    m_ResultWallList.RemoveAll();
    m_ResultBCInWallList.RemoveAll();
}

void CDlgPropQuery::OnQuery()
{
    const int kind = GetSelectedKind();
    CPropsUI* ui = GetPropsUI(kind);
    if (ui == nullptr || !Created(*ui))
        return;
    // A condition still being typed is taken first; one the row refuses stays in edit
    // with the row's message, and nothing is queried. A row still in edit though the
    // focus has left it was refused as the focus left (its message shown then).
    if (CBCGPProp* row = ui->GetPropList().GetCurSel(); row && row->IsInPlaceEditing()) {
        CWnd* edit = row->m_pWndInPlace;
        if (edit != nullptr && ::GetFocus() != edit->GetSafeHwnd()) {
            edit->SetFocus();
            return;
        }
        if (!ui->EndEdit())
            return;
    }
    ResetResult();
    {
        CWaitCursor wait;
        ui->Query(GetResultList(kind));
    }
    FillItemResult();
    AfxMessageBox("查询完毕，结果列于下表中！");
}

void CDlgPropQuery::OnQueryReset()
{
    if (AfxMessageBox("将重置查询条件，您确定吗？", MB_YESNO) == IDNO)
        return;
    Reset(false);
}

void CDlgPropQuery::OnSelchangeComboType() { ShowPropUI(); }

void CDlgPropQuery::OnSelchangeQueryRange()
{
    UpdateData(TRUE);
    Reset(true);
    ShowPropUI();
}

void CDlgPropQuery::Combine(int op)
{
    CWaitCursor wait;
    CGlobalData& d = *m_pGlobalData;
    d.SelectNodeList().SetSelect(0);
    d.SelectBeamList().SetSelect(0);
    d.SelectPlaneList().SetSelect(false);
    d.SelectWallList().SetSelect(false);

    std::vector<CObject*> a;
    Append(a, m_ResultNodeList);
    CombineList(d.SelectNodeList(), a, op);
    a.clear();
    Append(a, m_ResultBeamList); // members and coupling beams share the member selection
    Append(a, m_ResultBCInWallList);
    CombineList(d.SelectBeamList(), a, op);
    a.clear();
    Append(a, m_ResultPlaneList);
    CombineList(d.SelectPlaneList(), a, op);
    a.clear();
    Append(a, m_ResultWallList);
    CombineList(d.SelectWallList(), a, op);

    d.SelectNodeList().SetSelect(1);
    d.SelectBeamList().SetSelect(1);
    d.SelectPlaneList().SetSelect(true);
    d.SelectWallList().SetSelect(true);
    FillItemSel();
    VyrSendToHost(WM_UI_REDRAW);
}

void CDlgPropQuery::OnQueryOp1() { Combine(1); }
void CDlgPropQuery::OnQueryOp2() { Combine(2); }
void CDlgPropQuery::OnQueryOp3() { Combine(3); }
void CDlgPropQuery::OnQueryOp4() { Combine(4); }

void CDlgPropQuery::OnPosition()
{
    auto* view = reinterpret_cast<CWnd*>(VyrSendToHost(WM_UI_GETACTIVEVIEW));
    if (view == nullptr)
        return;
    CRect rc;
    view->GetClientRect(&rc);
    m_pGlobalData->PositionSelected(CGlobalData::KIND_ALL, rc);
    VyrSendToHost(WM_UI_VIEWCHANGED);
}

void CDlgPropQuery::RecordAndEmpty()
{
    for (CPropsUI* ui : {&m_PropsUINode, &m_PropsUIBeam, &m_PropsUIWall, &m_PropsUIPlane, &m_PropsUIBCInWall})
        if (Created(*ui))
            ui->RecordExpand(nullptr, nullptr, true);
    ResetResult();
}

void CDlgPropQuery::OnOK()
{
    RecordAndEmpty();
    CDlgRecordPos::OnOK();
}

void CDlgPropQuery::OnCancel()
{
    RecordAndEmpty();
    CDlgRecordPos::OnCancel();
}
