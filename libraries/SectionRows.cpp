#include <vyr/libraries/SectionRows.h>

#include <algorithm>
#include <cstdlib>

#include <vyr/protocol/HostProtocol.h>
#include <vyr/libraries/Querport.h>
#include <vyr/libraries/SectionCatalog.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/SectionRes.h>

CSectionLibraryCalls& SectionLibraryCalls()
{
    static CSectionLibraryCalls calls;
    return calls;
}

namespace {

const char* const kTabs[] = {"使用", "全部", "自定义", "组合", "变截面", "中标准", "美标准", "英标准", "日标准"};

// Drops the design results of every member and secondary beam that carries the section:
// they were computed for what the section was.
void ClearChecks(CStruct* s, const CSectionBase* pSec)
{
    auto clear = [pSec](CBeamList* list) {
        if (list == nullptr)
            return;
        for (POSITION pos = list->GetHeadPosition(); pos != nullptr;) {
            CBeamBase* b = list->GetNextT(pos);
            if (b->GetSection() != pSec)
                continue;
            delete b->m_pCheck;
            b->m_pCheck = nullptr;
            delete b->m_pCheckResult;
            b->m_pCheckResult = nullptr;
        }
    };
    clear(s->m_pBeamList);
    if (s->m_pFloorList != nullptr)
        for (POSITION f = s->m_pFloorList->GetHeadPosition(); f != nullptr;) {
            CFloor* floor = s->m_pFloorList->GetNextT(f);
            if (floor->m_pPlaneList == nullptr)
                continue;
            for (POSITION p = floor->m_pPlaneList->GetHeadPosition(); p != nullptr;)
                clear(floor->m_pPlaneList->GetNextT(p)->m_pSubBeamList);
        }
}

} // namespace

CSectionRows::CSectionRows(CWnd& owner, CTabCtrl& tab, CListCtrlEx& list, bool bPanel)
    : m_owner(owner), m_tab(tab), m_list(list), m_bPanel(bPanel)
{
}

CSectionList* CSectionRows::Library() const
{
    return m_pGlobalData != nullptr && m_pGlobalData->Struct() != nullptr ? m_pGlobalData->Struct()->m_pSectionList
                                                                          : nullptr;
}

int CSectionRows::PositionOf(const CSectionBase* pSec) const
{
    CSectionList* lib = Library();
    if (lib == nullptr || pSec == nullptr)
        return 0;
    int i = 0;
    for (POSITION pos = lib->GetHeadPosition(); pos != nullptr;) {
        ++i;
        if (lib->GetNext(pos) == pSec)
            return i;
    }
    return 0;
}

void CSectionRows::EnableButton(int id, bool enable)
{
    if (CWnd* w = m_owner.GetDlgItem(id))
        w->EnableWindow(enable ? TRUE : FALSE);
}

void CSectionRows::InitControls()
{
    m_tab.DeleteAllItems();
    for (int i = 0; i < (int)(sizeof kTabs / sizeof kTabs[0]); ++i)
        m_tab.InsertItem(i, kTabs[i]);
    m_tab.SetCurSel(0);
    m_list.InsertColumn(0, "编号", LVCFMT_LEFT, 40);
    m_list.InsertColumn(1, "截面类型", LVCFMT_LEFT, 124);
    m_list.InsertColumn(2, "缀板/条", LVCFMT_LEFT, 60);
    m_list.InsertColumn(3, "材料", LVCFMT_LEFT, 40);
    EnableButton(IDC_SEC_AXIALTYPE, m_pGlobalData != nullptr && m_pGlobalData->ProgramType() == 1);
}

bool CSectionRows::PassesTab(int tab, const CSectionBase* pSec)
{
    using namespace vyr::sections;
    const int t = pSec->m_nType;
    switch (tab) {
    case 0:
        return pSec->m_nUsed != 0;
    case 1:
        return true;
    case 2:
        return IsUserDefinedCode(t);
    case 3:
        return IsCombinedCode(t);
    case 4:
        return IsTaperedCode(t);
    case 5:
        return IsChinaCode(t);
    case 6:
        return IsUSCode(t);
    case 7:
        return IsUKCode(t);
    case 8:
        return IsJapanCode(t);
    default:
        return false;
    }
}

CString CSectionRows::MaterialText(CSectionBase* pSec, bool bComponent)
{
    const int t = pSec->m_nType;
    CSectionBase* part = nullptr;
    if (t >= 700 && t <= 799) {
        if (auto* h = dynamic_cast<CHybridSecBase*>(pSec))
            part = h->m_pSteel;
        else if (auto* c = dynamic_cast<CCombineSecBase*>(pSec))
            part = c->m_pSec1;
    } else if (bComponent && t >= 800 && t <= 899) {
        if (auto* c = dynamic_cast<CCombineSecBase*>(pSec))
            part = c->m_pSec1;
        else if (auto* h = dynamic_cast<CHybridSecBase*>(pSec))
            part = h->m_pSteel;
    }
    if (part == nullptr)
        return pSec->GetStrMatType();
    return part->GetStrMatType() + "+" + pSec->GetStrMatType();
}

void CSectionRows::AddRow(int row, CSectionBase* pSec, bool bComponent)
{
    CString no;
    no.Format("R%-3d", pSec->m_nNo);
    m_list.InsertItem(row, no);
    m_list.SetItemText(row, 1, pSec->GetSimpleSecName());
    CString stay("无");
    if (pSec->m_pStay != nullptr)
        stay.Format("S%d", pSec->m_pStay->m_nNo);
    m_list.SetItemText(row, 2, stay);
    m_list.SetItemText(row, 3, MaterialText(pSec, bComponent));
}

void CSectionRows::Refill()
{
    m_bNumberOrder = false;
    Fill(OrderNumber);
}

void CSectionRows::Fill(Order order)
{
    CQuietRows quiet(*this);
    m_list.DeleteAllItems();
    m_list.InsertItem(0, "ERASE");
    m_list.SetItemText(0, 1, "取消截面信息");
    CSectionList* lib = Library();
    if (lib == nullptr)
        return;
    const int tab = m_tab.GetCurSel();
    if (tab == 0)
        m_pGlobalData->Struct()->SetUsedSection(true);

    std::vector<CSectionBase*> seq;
    bool reverse = false;
    switch (order) {
    case OrderNumber:
        seq.reserve(lib->GetCount());
        for (POSITION pos = lib->GetHeadPosition(); pos != nullptr;)
            seq.push_back(static_cast<CSectionBase*>(lib->GetNext(pos)));
        std::stable_sort(seq.begin(), seq.end(),
                         [](const CSectionBase* a, const CSectionBase* b) { return a->m_nNo < b->m_nNo; });
        reverse = m_bNumberOrder;
        break;
    case OrderType:
        m_arrSort.InitOnSec(lib, 0, 0);
        seq = m_arrSort.m_Secs;
        reverse = m_bTypeOrder;
        break;
    case OrderMaterial:
        m_arrSort.InitOnMat(lib, 0);
        seq = m_arrSort.m_Secs;
        reverse = m_bMaterialOrder;
        break;
    }
    if (reverse)
        std::reverse(seq.begin(), seq.end());
    int row = 1;
    for (CSectionBase* s : seq)
        if (PassesTab(tab, s))
            AddRow(row++, s, order == OrderType);
}

void CSectionRows::OnColumnClick(int column)
{
    switch (column) {
    case 0:
        Fill(OrderNumber);
        m_bNumberOrder = !m_bNumberOrder;
        break;
    case 1:
        Fill(OrderType);
        m_bTypeOrder = !m_bTypeOrder;
        break;
    case 3:
        Fill(OrderMaterial);
        m_bMaterialOrder = !m_bMaterialOrder;
        break;
    default:
        break;
    }
}

int CSectionRows::SelectedRow() const
{
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

int CSectionRows::RowNumber(int row) const
{
    if (row < 0 || row >= m_list.GetItemCount())
        return -1;
    const CString text = m_list.GetItemText(row, 0);
    if (text.GetLength() < 2 || text[0] != 'R')
        return 0;
    const long n = std::strtol(text.GetString() + 1, nullptr, 10);
    // Numbers stay with their sections when others are deleted, so a row's number is looked
    // up rather than taken as a position.
    CSectionList* lib = Library();
    if (n <= 0 || lib == nullptr || lib->GetByNo((int)n) == nullptr)
        return -1;
    return (int)n;
}

CSectionBase* CSectionRows::RowSection(int row) const
{
    const int n = RowNumber(row);
    return n > 0 ? Library()->GetByNo(n) : nullptr;
}

CSectionBase* CSectionRows::SelectedSection() const
{
    return RowSection(SelectedRow());
}

int CSectionRows::FindRow(const CSectionBase* pSec) const
{
    if (pSec == nullptr)
        return -1;
    CString no;
    no.Format("R%-3d", pSec->m_nNo);
    for (int r = 1; r < m_list.GetItemCount(); ++r)
        if (m_list.GetItemText(r, 0) == no)
            return r;
    return -1;
}

void CSectionRows::SelectRow(int row)
{
    if (row >= 0)
        m_list.SetItemState(row, LVIS_SELECTED, 0xFF03);
}

void CSectionRows::OnSelectionChanged()
{
    m_owner.UpdateData(TRUE);
    const int r = SelectedRow();
    const bool typeOne = m_pGlobalData != nullptr && m_pGlobalData->ProgramType() == 1;
    if (r >= 1) {
        EnableButton(IDC_SEC_EDIT, true);
        EnableButton(IDC_SEC_DELETE, true);
        EnableButton(IDC_SEC_SELECT, true);
        if (typeOne)
            EnableButton(IDC_SEC_AXIALTYPE, true);
    } else {
        EnableButton(IDC_SEC_EDIT, false);
        EnableButton(IDC_SEC_DELETE, false);
        EnableButton(IDC_SEC_SELECT, false);
        EnableButton(IDC_SEC_AXIALTYPE, false);
        if (r == -1)
            return;
    }
    CSectionBase* s = RowSection(r);
    if (m_pCurSection != nullptr)
        m_pCurSection->SetColor(false);
    m_pCurSection = s;
    if (m_pCurSection != nullptr)
        m_pCurSection->SetColor(true);
    ShowStayLine();
    if (m_bPanel)
        VyrSendToHost(WM_UI_REDRAW);
}

CString CSectionRows::StayLine() const
{
    if (m_pCurSection == nullptr)
        return "没有选中截面";
    if (CStay* stay = m_pCurSection->m_pStay) {
        if (stay->m_nKind == 0)
            return CString("缀板：") + stay->GetDescription();
        if (stay->m_nKind == 1)
            return CString("缀条：") + stay->GetDescription();
    }
    return "没有缀板/条";
}

void CSectionRows::ShowStayLine()
{
    if (CWnd* w = m_owner.GetDlgItem(IDC_SEC_STAYLINE))
        w->SetWindowText(StayLine());
}

void CSectionRows::OnDoubleClick()
{
    CSectionBase* s = SelectedSection();
    if (s == nullptr)
        return;
    if (s->m_nType > 900)
        if (auto* taper = dynamic_cast<CTaperSectionBase*>(s); taper != nullptr && taper->GetStartSec() != nullptr)
            s = taper->GetStartSec();
    if (SectionLibraryCalls().showProperty)
        SectionLibraryCalls().showProperty(s);
    m_list.SetFocus();
}

CString CSectionRows::FindUser(CGlobalData* pData, const CSectionBase* pSec)
{
    CStruct* st = pData != nullptr ? pData->Struct() : nullptr;
    if (st == nullptr || pSec == nullptr)
        return CString();
    CString text;
    auto firstIn = [pSec](CBeamList* list) -> CBeamBase* {
        if (list != nullptr)
            for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
                if (CBeamBase* b = list->GetNextT(pos); b->GetSection() == pSec)
                    return b;
        return nullptr;
    };
    if (CBeamBase* b = firstIn(st->m_pBeamList)) {
        text.Format("此截面正在被杆件%d使用,无法删除!", b->GetNo());
        return text;
    }
    if (st->m_pPlaneList != nullptr)
        for (POSITION pos = st->m_pPlaneList->GetHeadPosition(); pos != nullptr;)
            if (firstIn(st->m_pPlaneList->GetNextT(pos)->m_pSubBeamList) != nullptr)
                return "此截面正在被次梁使用,无法删除!";
    // Groups, coupling beams and wall piers hold the section as well: deleting it from under
    // them would leave them pointing at nothing.
    if (st->m_pBeamGroupList != nullptr)
        for (POSITION pos = st->m_pBeamGroupList->GetHeadPosition(); pos != nullptr;)
            if (CBeamGroup* g = st->m_pBeamGroupList->GetNextT(pos); g->m_pSection == pSec) {
                text.Format("此截面正在被杆件组%d使用,无法删除!", g->m_nNo);
                return text;
            }
    if (CBeamBase* b = firstIn(st->m_pBCInWallList1)) {
        text.Format("此截面正在被连梁%d使用,无法删除!", b->GetNo());
        return text;
    }
    if (CBeamBase* b = firstIn(st->m_pBCInWallList2)) {
        text.Format("此截面正在被墙柱%d使用,无法删除!", b->GetNo());
        return text;
    }
    return CString();
}

void CSectionRows::OnDelete()
{
    CSectionBase* s = SelectedSection();
    if (s == nullptr) {
        AfxMessageBox("请选择要删除的截面!");
        return;
    }
    const CString user = FindUser(m_pGlobalData, s);
    if (!user.IsEmpty()) {
        AfxMessageBox(user);
        return;
    }
    if (s == m_pCurSection)
        m_pCurSection = nullptr;
    Library()->Delete(PositionOf(s));
    Refill();
}

void CSectionRows::OnEdit()
{
    CSectionBase* s = SelectedSection();
    if (s == nullptr) {
        AfxMessageBox("请选择要编辑的截面!");
        return;
    }
    auto edit = [this, s] {
        if (QuerportEditSection(m_pGlobalData, PositionOf(s)) != 0) {
            Refill();
            SelectRow(FindRow(s));
            m_owner.UpdateData(FALSE);
        }
    };
    if (!m_bPanel) {
        edit();
        return;
    }
    CWaitCursor wait;
    edit();
    ClearChecks(m_pGlobalData->Struct(), s);
    VyrSendToHost(WM_UI_MODELCHANGED);
}

void CSectionRows::OnAxialType()
{
    CSectionBase* s = SelectedSection();
    if (s == nullptr)
        return;
    if (SectionLibraryCalls().showAxialType)
        SectionLibraryCalls().showAxialType(s);
    if (m_bPanel)
        VyrSendToHost(WM_UI_MODELCHANGED);
}

void CSectionRows::OnStay()
{
    CSectionBase* s = SelectedSection();
    if (s == nullptr) {
        AfxMessageBox("请选择截面");
        return;
    }
    if (!s->IsCombineSec()) {
        AfxMessageBox("该截面不能添加缀板/条!!");
        return;
    }
    CStay* chosen = nullptr;
    if (SectionLibraryCalls().chooseStay && SectionLibraryCalls().chooseStay(s, m_pGlobalData, chosen)) {
        s->m_pStay = chosen;
        if (m_bPanel)
            VyrSendToHost(WM_UI_MODELCHANGED);
    }
    Refill();
    // The row that shows the section: after the refill its index need not be its number.
    SelectRow(FindRow(s));
}

void CSectionRows::AfterLibraryEditor(int result, int tabOnSuccess, bool refillAlways)
{
    if (result == 1)
        m_tab.SetCurSel(tabOnSuccess);
    if (result == 1 || refillAlways)
        Refill();
}

void CSectionRows::OnStandardLibrary()
{
    AfterLibraryEditor(QuerportSectionLibDoModal(m_pGlobalData, 1, 0), 1, true);
}

void CSectionRows::OnDefineLibrary()
{
    AfterLibraryEditor(QuerportDefineSectionLibDoModal(m_pGlobalData, -1, 0, 0), 1, true);
}

void CSectionRows::OnCombineLibrary()
{
    AfterLibraryEditor(QuerportCombineSectionLibDoModal(m_pGlobalData), 1, true);
}

void CSectionRows::OnTaperLibrary()
{
    AfterLibraryEditor(QuerportTaperSectionDoModal(m_pGlobalData), 4, false);
}

void CSectionRows::OnImport()
{
    if (!SectionLibraryCalls().importFile)
        return;
    bool replaced = false;
    if (!SectionLibraryCalls().importFile(m_pGlobalData, replaced))
        return;
    if (replaced)
        m_pCurSection = nullptr;
    Refill();
}

void CSectionRows::OnExport()
{
    if (SectionLibraryCalls().exportFile)
        SectionLibraryCalls().exportFile(m_pGlobalData);
}
