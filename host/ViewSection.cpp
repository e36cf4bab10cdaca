#include <vyr/host/ViewSection.h>

#include <map>

#include <vyr/protocol/HostProtocol.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/operators/OPManager.h>
#include <vyr/operators/OPSelectKinds.h>
#include <vyr/resources/dialogs/SectionRes.h>

IMPLEMENT_DYNCREATE(CViewSection, CMenuViewBase)

BEGIN_MESSAGE_MAP(CViewSection, CMenuViewBase)
    ON_NOTIFY(TCN_SELCHANGE, IDC_SEC_TAB, &CViewSection::OnTabChange)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_SEC_LIST, &CViewSection::OnColumnClick)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_SEC_LIST, &CViewSection::OnItemChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_SEC_LIST, &CViewSection::OnDblClkList)
    ON_BN_CLICKED(IDC_SEC_ASSIGN, &CViewSection::OnAssign)
    ON_BN_CLICKED(IDC_SEC_ASSIGNTAPER, &CViewSection::OnAssignTaper)
    ON_BN_CLICKED(IDC_SEC_SELECT, &CViewSection::OnSelectMembers)
    ON_BN_CLICKED(IDC_SEC_DELETE, &CViewSection::OnDelete)
    ON_BN_CLICKED(IDC_SEC_EDIT, &CViewSection::OnEdit)
    ON_BN_CLICKED(IDC_SEC_AXIALTYPE, &CViewSection::OnAxialType)
    ON_BN_CLICKED(IDC_SEC_STAY, &CViewSection::OnStay)
    ON_BN_CLICKED(IDC_SEC_STDLIB, &CViewSection::OnStandardLibrary)
    ON_BN_CLICKED(IDC_SEC_DEFINE, &CViewSection::OnDefineLibrary)
    ON_BN_CLICKED(IDC_SEC_COMBINE, &CViewSection::OnCombineLibrary)
    ON_BN_CLICKED(IDC_SEC_TAPER, &CViewSection::OnTaperLibrary)
    ON_BN_CLICKED(IDC_SEC_IMPORT, &CViewSection::OnImport)
    ON_BN_CLICKED(IDC_SEC_EXPORT, &CViewSection::OnExport)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

namespace {

// The panels by the number their operators carry.
std::map<DWORD, CViewSection*>& Panels()
{
    static std::map<DWORD, CViewSection*> panels;
    return panels;
}
DWORD g_nextParam = 1;

} // namespace

CViewSection::CViewSection()
    : CMenuViewBase(IDD_VIEW_SECTION), m_rows(*this, m_tab, m_list, true), m_dwParam(g_nextParam++)
{
    Panels()[m_dwParam] = this;
}

CViewSection::~CViewSection()
{
    Panels().erase(m_dwParam);
}

CViewSection* CViewSection::FromOPParam(DWORD dwParam)
{
    auto it = Panels().find(dwParam);
    return it != Panels().end() ? it->second : nullptr;
}

void CViewSection::DoDataExchange(CDataExchange* pDX)
{
    CMenuViewBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SEC_TAB, m_tab);
    DDX_Control(pDX, IDC_SEC_LIST, m_list);
}

void CViewSection::SetShownFlag(int shown)
{
    if (int* block = reinterpret_cast<int*>(VyrSendToHost(WM_UI_GETSETTINGS, 0, 6)))
        block[11] = shown;
}

void CViewSection::OnInitialUpdate()
{
    CMenuViewBase::OnInitialUpdate();
    Rows().InitControls();
    SetShownFlag(1);
    Rows().Refill();
    VyrSendToHost(WM_UI_REDRAW);
}

void CViewSection::Update()
{
    if (m_list.GetSafeHwnd() != nullptr)
        Rows().Refill();
}

void CViewSection::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CMenuViewBase::OnShowWindow(bShow, nStatus);
    if (m_list.GetSafeHwnd() == nullptr)
        return;
    if (bShow) {
        if (CWnd* w = GetDlgItem(IDC_SEC_AXIALTYPE))
            w->EnableWindow(m_pGlobalData != nullptr && m_pGlobalData->ProgramType() == 1);
        SetShownFlag(1);
        Rows().Refill();
    } else {
        SetShownFlag(0);
    }
    VyrSendToHost(WM_UI_REDRAW);
}

void CViewSection::Resize()
{
    CWnd* stay = GetDlgItem(IDC_SEC_STAYLINE);
    if (stay == nullptr)
        return;
    CRect rc;
    GetClientRect(&rc);
    const int sy = GetScrollPosition().y;
    const int w = rc.Width() - 20;
    int tabH, listTop, listH, stayTop;
    if (w < 100) {
        tabH = 155, listTop = 165, listH = 200, stayTop = 370;
    } else if (w <= 148) {
        tabH = 90, listTop = 100, listH = 265, stayTop = 370;
    } else if (w <= 244) {
        tabH = 55, listTop = 65, listH = 300, stayTop = 370;
    } else if (w <= 436) {
        tabH = 38, listTop = 50, listH = 317, stayTop = 372;
    } else {
        tabH = 20, listTop = 30, listH = 335, stayTop = 370;
    }
    m_tab.MoveWindow(10, 10 - sy, w, tabH);
    m_list.MoveWindow(10, listTop - sy, w, listH);
    stay->MoveWindow(10, stayTop - sy, w, 28);
    const int g = (rc.Width() - 27) / 4;
    const int y1 = (int)((stayTop - sy) + 33.8);
    auto place = [this](int id, int x, int y, int cx) {
        if (CWnd* b = GetDlgItem(id))
            b->MoveWindow(x, y, cx, 24);
    };
    place(IDC_SEC_ASSIGN, 10, y1, g);
    place(IDC_SEC_SELECT, g + 14, y1, g);
    place(IDC_SEC_DELETE, 2 * g + 18, y1, g);
    place(IDC_SEC_EDIT, 3 * g + 22, y1, g);
    place(IDC_SEC_ASSIGNTAPER, 10, y1 + 29, 2 * g + 4);
    place(IDC_SEC_AXIALTYPE, 2 * g + 18, y1 + 29, g);
    place(IDC_SEC_STAY, 3 * g + 22, y1 + 29, g);
}

void CViewSection::OnTabChange(NMHDR*, LRESULT* pResult)
{
    UpdateData(TRUE);
    Rows().Refill();
    *pResult = 0;
}

void CViewSection::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    Rows().OnColumnClick(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem);
    *pResult = 0;
}

void CViewSection::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_rows.IsQuiet())
        Rows().OnSelectionChanged();
}

void CViewSection::OnDblClkList(NMHDR*, LRESULT* pResult)
{
    Rows().OnDoubleClick();
    *pResult = 0;
}

void CViewSection::OnSelectMembers()
{
    CSectionBase* s = Rows().SelectedSection();
    if (s == nullptr || m_pGlobalData == nullptr)
        return;
    CBeamList& sel = m_pGlobalData->SelectBeamList();
    sel.SetSelect(0);
    sel.RemoveAll();
    if (auto* shown = reinterpret_cast<CBeamList*>(VyrSendToHost(WM_UI_GETSHOWNLIST, OBJKIND_BEAM)))
        for (POSITION pos = shown->GetHeadPosition(); pos != nullptr;) {
            CBeamBase* b = shown->GetNextT(pos);
            if (b->GetSection() == s && IsOrdinaryMember(b))
                sel.AddTail(b);
        }
    sel.SetSelect(1);
    VyrSendToHost(WM_UI_SHOWPANEL, 0, 0);
    VyrSendToHost(WM_UI_REDRAW);
}

void CViewSection::StartPicking(const char* message, void (*finish)(COP*))
{
    AfxMessageBox(message, MB_OK);
    COPSelectBeam op;
    op.SetOPDesc("布置截面");
    op.SetParam(m_dwParam);
    op.SetFun(nullptr, finish);
    op.SetOPType(1);
    if (auto* manager = reinterpret_cast<COPManager*>(VyrSendToHost(WM_UI_GETOPMANAGER)))
        manager->SetOP(op);
}

void CViewSection::OnAssign()
{
    StartPicking("开始布置截面！\r\n请选择要布置截面的杆件，右键确认操作，ESC键退出操作！", &CViewSection::AssignSection);
}

void CViewSection::OnAssignTaper()
{
    StartPicking("开始布置多段楔形截面！\r\n请选择要布置楔形截面的杆件，右键确认操作，ESC键退出操作！",
                 &CViewSection::AssignSectionTaper);
}
