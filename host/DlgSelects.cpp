#include <vyr/host/DlgSelects.h>

#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <vyr/protocol/HostProtocol.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/SelectsRes.h>

namespace {

const int kSubBeamType = 5;

// One (id, type) pair as a hash key.
std::uint64_t PairKey(int id, int type)
{
    return ((std::uint64_t)(std::uint32_t)id << 32) | (std::uint32_t)type;
}

// Removes from a set the first still-present occurrence of each pair of a sequence (what a
// Find and DelID per pair does), in one pass instead of one search per pair.
template <class PairSource>
void DeletePairs(CIDs& set, int count, PairSource pairOf)
{
    std::unordered_map<std::uint64_t, std::vector<int>> where; // pair -> indices, last first
    const int n = set.GetCount();
    for (int i = n - 1; i >= 0; --i)
        where[PairKey(set.GetID(i), set.GetType(i))].push_back(i);
    std::vector<char> gone(n, 0);
    for (int k = 0; k < count; ++k) {
        auto [id, type] = pairOf(k);
        auto it = where.find(PairKey(id, type));
        if (it == where.end() || it->second.empty())
            continue;
        gone[it->second.back()] = 1;
        it->second.pop_back();
    }
    std::vector<std::pair<int, int>> kept;
    kept.reserve(n);
    for (int i = 0; i < n; ++i)
        if (!gone[i])
            kept.emplace_back(set.GetID(i), set.GetType(i));
    set.ClearData();
    for (auto& p : kept)
        set.AddID(p.first, p.second);
}

std::vector<CBeamBase*> Members(const CBeamList& list)
{
    std::vector<CBeamBase*> out;
    out.reserve(list.GetCount());
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        out.push_back(list.GetNextT(pos));
    return out;
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgSelects, CDlgRecordPos)
    ON_BN_CLICKED(IDC_SELECTS_NEW, &CDlgSelects::OnNewSelects)
    ON_BN_CLICKED(IDC_SELECTS_RENAME, &CDlgSelects::OnModSelects)
    ON_BN_CLICKED(IDC_SELECTS_DELETE, &CDlgSelects::OnDelSelects)
    ON_BN_CLICKED(IDC_SELECTS_OP1, &CDlgSelects::OnOP1)
    ON_BN_CLICKED(IDC_SELECTS_OP2, &CDlgSelects::OnOP2)
    ON_BN_CLICKED(IDC_SELECTS_OP3, &CDlgSelects::OnOP3)
    ON_BN_CLICKED(IDC_SELECTS_OP4, &CDlgSelects::OnOP4)
    ON_BN_CLICKED(IDC_SELECTS_OP5, &CDlgSelects::OnOP5)
    ON_BN_CLICKED(IDC_SELECTS_OP6, &CDlgSelects::OnOP6)
    ON_BN_CLICKED(IDC_SELECTS_OP7, &CDlgSelects::OnOP7)
    ON_BN_CLICKED(IDC_SELECTS_OP8, &CDlgSelects::OnOP8)
    ON_NOTIFY(NM_DBLCLK, IDC_SELECTS_GRID, &CDlgSelects::OnGridDClick)
    ON_NOTIFY(GVN_SELCHANGED, IDC_SELECTS_GRID, &CDlgSelects::OnGridSelChange)
END_MESSAGE_MAP()

CDlgSelects::CDlgSelects(CWnd* pParent) : CDlgRecordPos(IDD_SELECTS, pParent), m_gridSets(0, 0, 0, 0) {}

BOOL CDlgSelects::OnInitDialog()
{
    CDlgRecordPos::OnInitDialog();
    m_gridSets.Create(CRect(10, 30, 163, 270), this, IDC_SELECTS_GRID, WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    m_gridSets.SetListStyle();
    FillColumn();
    FillItem();
    return TRUE;
}

void CDlgSelects::FillColumn()
{
    m_gridSets.DeleteAllItems();
    m_gridSets.SetColumnCount(1);
    m_gridSets.SetRowCount(1);
    m_gridSets.SetFixedRowCount(1);
    m_gridSets.SetItemText(0, 0, "选择集名称");
}

void CDlgSelects::FillItem()
{
    CIDss& sets = m_pData->Struct()->m_SelectSets;
    m_gridSets.DeleteNonFixedRows();
    m_gridSets.SetRowCount(sets.GetCount() + 1);
    for (int i = 1; i <= sets.GetCount(); ++i)
        SetText(i, sets.GetIDs(i - 1));
    m_gridSets.ExpandColumnsToFit();
}

void CDlgSelects::SetText(int row, const CIDs& ids) { m_gridSets.SetItemText(row, 0, ids.GetName()); }

int CDlgSelects::SelectedRow() const { return m_gridSets.GetNextRow(-1, GVNI_SELECTED); }

CIDs* CDlgSelects::TakeA(const char* messageWhenNone)
{
    int row = SelectedRow();
    CIDss& sets = m_pData->Struct()->m_SelectSets;
    if (row < 1 || row > sets.GetCount()) {
        AfxMessageBox(messageWhenNone);
        return nullptr;
    }
    return &sets.GetIDs(row - 1);
}

void CDlgSelects::GenBeamList(CBeamList& list, const CIDs& ids)
{
    list.RemoveAll();
    std::unordered_set<int> mainIds, subIds;
    for (int i = 0; i < ids.GetCount(); ++i)
        (ids.GetType(i) == kSubBeamType ? subIds : mainIds).insert(ids.GetID(i));
    CStruct* st = m_pData->Struct();
    if (!mainIds.empty()) {
        for (POSITION pos = st->m_pBeamList->GetHeadPosition(); pos != nullptr;) {
            CBeamBase* b = st->m_pBeamList->GetNextT(pos);
            if (mainIds.count(b->GetId()))
                list.AddTail(b);
        }
    }
    if (!subIds.empty()) {
        for (POSITION fp = st->m_pFloorList->GetHeadPosition(); fp != nullptr;) {
            CFloor* floor = st->m_pFloorList->GetNextT(fp);
            for (POSITION rp = floor->m_pPlaneList->GetHeadPosition(); rp != nullptr;) {
                CPlane* room = floor->m_pPlaneList->GetNextT(rp);
                for (POSITION sp = room->m_pSubBeamList->GetHeadPosition(); sp != nullptr;) {
                    CBeamBase* b = room->m_pSubBeamList->GetNextT(sp);
                    if (subIds.count(b->GetId()))
                        list.AddTail(b);
                }
            }
        }
    }
}

void CDlgSelects::ChangeScreen(int op)
{
    CIDs* a = TakeA("请在列表中选择要操作的选择集！");
    if (a == nullptr)
        return;
    CWaitCursor wait;
    CBeamList m;
    GenBeamList(m, *a);
    CBeamList& b = m_pData->SelectBeamList();
    b.SetSelect(0);
    switch (op) {
    case 1: // B = A
        b.RemoveAll();
        b.CopyPointer(&m);
        break;
    case 2: { // B = A + B
        std::unordered_set<CBeamBase*> inB;
        for (CBeamBase* x : Members(b))
            inB.insert(x);
        for (CBeamBase* x : Members(m))
            if (inB.insert(x).second)
                b.AddTail(x);
        break;
    }
    case 3: { // B = A - B, in the model's order
        std::unordered_set<CBeamBase*> inB;
        for (CBeamBase* x : Members(b))
            inB.insert(x);
        b.RemoveAll();
        for (CBeamBase* x : Members(m))
            if (!inB.count(x))
                b.AddTail(x);
        break;
    }
    case 4: { // B = B - A
        std::unordered_set<CBeamBase*> inM;
        for (CBeamBase* x : Members(m))
            inM.insert(x);
        std::vector<CBeamBase*> old = Members(b);
        b.RemoveAll();
        for (CBeamBase* x : old)
            if (!inM.count(x))
                b.AddTail(x);
        break;
    }
    }
    b.SetSelect(1);
    VyrSendToHost(WM_UI_REDRAW);
    const CString panel("View.PropBeam");
    VyrSendToHost(WM_UI_SHOWPANEL, 0, (LPARAM)(LPCTSTR)panel);
    UpdateComment();
}

void CDlgSelects::ChangeSet(int op)
{
    CIDs* a = TakeA("请在列表中选择要操作的选择集！");
    if (a == nullptr)
        return;
    {
        CWaitCursor wait;
        const std::vector<CBeamBase*> b = Members(m_pData->SelectBeamList());
        const int nb = (int)b.size();
        auto pairOfB = [&](int k) { return std::pair<int, int>(b[k]->GetId(), b[k]->GetType()); };
        switch (op) {
        case 5: // A = B
            a->ClearData();
            for (CBeamBase* x : b)
                a->AddID(x->GetId(), x->GetType());
            break;
        case 6: { // A = A + B
            std::unordered_set<std::uint64_t> held;
            for (int i = 0; i < a->GetCount(); ++i)
                held.insert(PairKey(a->GetID(i), a->GetType(i)));
            for (CBeamBase* x : b)
                if (held.insert(PairKey(x->GetId(), x->GetType())).second)
                    a->AddID(x->GetId(), x->GetType());
            break;
        }
        case 7: // A = A - B
            DeletePairs(*a, nb, pairOfB);
            break;
        case 8: { // A = B - A
            CIDs t;
            for (CBeamBase* x : b)
                t.AddID(x->GetId(), x->GetType());
            CIDs& aa = *a;
            DeletePairs(t, aa.GetCount(), [&](int k) { return std::pair<int, int>(aa.GetID(k), aa.GetType(k)); });
            a->ClearData();
            for (int i = 0; i < t.GetCount(); ++i)
                a->AddID(t.GetID(i), t.GetType(i));
            break;
        }
        }
    }
    UpdateComment();
    AfxMessageBox("操作完成！");
}

void CDlgSelects::OnOP1() { ChangeScreen(1); }
void CDlgSelects::OnOP2() { ChangeScreen(2); }
void CDlgSelects::OnOP3() { ChangeScreen(3); }
void CDlgSelects::OnOP4() { ChangeScreen(4); }
void CDlgSelects::OnOP5() { ChangeSet(5); }
void CDlgSelects::OnOP6() { ChangeSet(6); }
void CDlgSelects::OnOP7() { ChangeSet(7); }
void CDlgSelects::OnOP8() { ChangeSet(8); }

void CDlgSelects::OnGridDClick(NMHDR*, LRESULT* pResult)
{
    if (SelectedRow() < 1)
        return;
    OnOP1();
    *pResult = -1;
}

void CDlgSelects::OnGridSelChange(NMHDR*, LRESULT*) { UpdateComment(); }

void CDlgSelects::UpdateComment()
{
    int row = SelectedRow();
    CIDss& sets = m_pData->Struct()->m_SelectSets;
    if (row < 1 || row > sets.GetCount()) {
        SetDlgItemText(IDC_SELECTS_COMMENT, "查看A(请在列表中选择)");
        return;
    }
    CIDs& a = sets.GetIDs(row - 1);
    int subs = 0;
    for (int i = 0; i < a.GetCount(); ++i)
        if (a.GetType(i) == kSubBeamType)
            ++subs;
    CString text;
    text.Format("A有%d根主杆件和%d根次梁", a.GetCount() - subs, subs);
    SetDlgItemText(IDC_SELECTS_COMMENT, text);
}

void CDlgSelects::OnNewSelects()
{
    CIDss& sets = m_pData->Struct()->m_SelectSets;
    CDlgSelectsOne dlg(nullptr);
    dlg.m_strName.Format("选择集%d", sets.GetCount() + 1);
    if (dlg.DoModal() != IDOK)
        return;
    CIDs ids;
    ids.SetName(dlg.m_strName);
    sets.AddIDs(ids);
    FillItem();
    int row = sets.GetCount();
    m_gridSets.SelectRow(row);
    m_gridSets.EnsureVisible(row, 0);
    m_gridSets.Invalidate(FALSE);
    UpdateComment();
}

void CDlgSelects::OnModSelects()
{
    CIDs* a = TakeA("请在列表中选择要更名的选择集！");
    if (a == nullptr)
        return;
    CDlgSelectsOne dlg(nullptr);
    dlg.m_strName = a->GetName();
    if (dlg.DoModal() != IDOK)
        return;
    a->SetName(dlg.m_strName);
    SetText(SelectedRow(), *a);
    m_gridSets.Invalidate(FALSE);
    UpdateComment();
}

void CDlgSelects::OnDelSelects()
{
    if (TakeA("请在列表中选择要删除的选择集！") == nullptr)
        return;
    if (AfxMessageBox("确定要删除吗？", MB_YESNO) == IDNO)
        return;
    const int row = SelectedRow();
    CIDss& sets = m_pData->Struct()->m_SelectSets;
    sets.DelIDs(row - 1);
    FillItem();
    const int above = row > 1 ? row - 1 : 1;
    if (above <= sets.GetCount())
        m_gridSets.SelectRow(above);
    UpdateComment();
}

CDlgSelectsOne::CDlgSelectsOne(CWnd* pParent) : CDialog(IDD_SELECTSONE, pParent) {}

void CDlgSelectsOne::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SELECTSONE_NAME, m_strName);
}

void CDlgSelectsOne::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_strName.IsEmpty()) {
        AfxMessageBox("请输入选择集名称！");
        return;
    }
    EndDialog(IDOK);
}
