#include <vyr/host/ViewFloor.h>

#include <cmath>
#include <vector>

#include <vyr/protocol/HostProtocol.h>
#include <vyr/model/material/MaterialBase.h>
#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/FloorRes.h>

namespace {

const COLORREF kMainRowBack = RGB(238, 238, 228);
const COLORREF kChildRowBack = RGB(255, 255, 255);
const COLORREF kUserDefined = RGB(0, 0, 255);
const UINT kLeft = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
const UINT kCentre = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

struct Column
{
    const char* header;
    int width;
};
const Column kColumns[8] = {{"", 27},      {"描述", 71}, {"标高", 54}, {"楼面", 62},
                            {"刚性", 60},  {"楼板", 50}, {"墙体", 50}, {"自定义", 60}};

// The images of the storey tree, by the bitmap each is drawn from.
const UINT kTreeBitmaps[6] = {IDB_FLOOR_MAIN,  IDB_FLOOR_CLOSED, IDB_FLOOR_CHILD,
                              IDB_FLOOR_LAST, IDB_FLOOR_SINGLE, IDB_FLOOR_LEVEL};

CString SettingName(const CMaterialBase* m)
{
    return m ? CString(m->GetName()) : CString("缺省");
}

} // namespace

IMPLEMENT_DYNCREATE(CViewFloor, CMenuViewBase)

BEGIN_MESSAGE_MAP(CViewFloor, CMenuViewBase)
    ON_BN_CLICKED(IDC_FLOOR_DISPLAY, &CViewFloor::OnDisplay)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_FLOOR_GRID, &CViewFloor::OnItemchangedFloorList)
    ON_NOTIFY(NM_DBLCLK, IDC_FLOOR_GRID, &CViewFloor::OnDblClickFloorList)
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CViewFloor::CViewFloor() : CMenuViewBase(IDD_VIEW_FLOOR) {}

int CViewFloor::ElevationDecimals(float unitLength)
{
    // From the single-precision factor as stored: 0.001f lies just above 0.001, so the
    // result stays just below 4 and truncates to 3.
    return (int)(1.0 - std::log10((double)unitLength));
}

void CViewFloor::OnInitialUpdate()
{
    CMenuViewBase::OnInitialUpdate();
    if (!m_grid.GetSafeHwnd())
        m_grid.Create(CRect(10, 10, 227, 425), this, IDC_FLOOR_GRID, WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    m_grid.SetListStyle();
    m_grid.SetSingleRowSelection(FALSE);
    if (!m_imageList.GetSafeHandle()) {
        m_imageList.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 0);
        for (UINT id : kTreeBitmaps) {
            CBitmap bitmap;
            bitmap.LoadBitmap(id);
            m_imageList.Add(&bitmap, RGB(0, 0, 0));
        }
    }
    m_grid.SetImageList(&m_imageList);
    FillColumn();
    FillItem();
    m_grid.SetFocus();
}

void CViewFloor::FillColumn()
{
    m_grid.DeleteAllItems();
    m_grid.SetFixedRowCount(1);
    m_grid.SetColumnCount(8);
    for (int col = 0; col < 8; ++col) {
        GV_ITEM item;
        item.mask = GVIF_TEXT | GVIF_FORMAT;
        item.row = 0;
        item.col = col;
        item.nFormat = kCentre;
        item.strText = kColumns[col].header;
        m_grid.SetItem(&item);
        m_grid.SetColumnWidth(col, kColumns[col].width);
    }
}

void CViewFloor::FillItem()
{
    if (!m_grid.GetSafeHwnd())
        return;
    m_grid.DeleteNonFixedRows();
    CStruct* s = m_pGlobalData ? m_pGlobalData->Struct() : nullptr;
    CFloorList* floors = s ? s->m_pFloorList : nullptr;
    m_grid.SetRowCount(floors ? (int)floors->GetCount() + 1 : 1);
    if (!floors)
        return;
    std::vector<CFloorTreeItem> tree;
    floors->TurnToFloorTree(tree);
    int row = 1;
    for (const CFloorTreeItem& entry : tree) {
        CFloor* main = entry.pMainFloor;
        SetFloorItem(row, main);
        const int image = main->m_nKind == 1 ? (entry.arrChild.empty() ? 4 : 0) : 5;
        SetFloorItemImage(image, row);
        ++row;
        for (size_t i = 0; i < entry.arrChild.size(); ++i, ++row) {
            SetFloorItem(row, entry.arrChild[i]);
            SetFloorItemImage(i + 1 == entry.arrChild.size() ? 3 : 2, row);
        }
    }
}

void CViewFloor::SetFloorItem(int row, CFloor* pFloor)
{
    if (!pFloor || !m_pGlobalData)
        return;
    const float unit = m_pGlobalData->UnitLength();
    CString rigid;
    rigid.Format("%d", (int)pFloor->m_pRigidList->GetCount());
    const CString texts[8] = {"",
                              pFloor->GetDescription(),
                              CStringFunc::GetStrFromDouble(pFloor->GetZ() * unit, ElevationDecimals(unit)),
                              pFloor->GetPropertyStr(),
                              rigid,
                              SettingName(pFloor->m_pSlabMaterial),
                              SettingName(pFloor->m_pWallMaterial),
                              pFloor->m_nUserDefined ? "是" : "否"};
    for (int col = 1; col < 8; ++col) {
        GV_ITEM item;
        item.mask = GVIF_TEXT | GVIF_FORMAT | GVIF_FGCLR;
        item.row = row;
        item.col = col;
        item.nFormat = col <= 3 ? kLeft : kCentre;
        item.crFgClr = col == 7 && pFloor->m_nUserDefined ? kUserDefined : RGB(0, 0, 0);
        item.strText = texts[col];
        m_grid.SetItem(&item);
    }
    m_grid.SetItemData(row, 0, (LPARAM)pFloor);
}

void CViewFloor::SetFloorItemImage(int image, int row)
{
    m_grid.SetItemImage(row, 0, image);
    const COLORREF back = image == 2 || image == 3 ? kChildRowBack : kMainRowBack;
    for (int col = 0; col < m_grid.GetColumnCount(); ++col)
        m_grid.SetItemBkColour(row, col, back);
}

void CViewFloor::SelectFloors(CFloorList& floors)
{
    if (m_grid.GetRowCount() < 2)
        return;
    int marked = -1;
    for (int row = 1; row < m_grid.GetRowCount(); ++row) {
        auto* floor = (CFloor*)m_grid.GetItemData(row, 0);
        const bool in = floor && floors.Find(floor) != nullptr;
        for (int col = 0; col < m_grid.GetColumnCount(); ++col) {
            const UINT state = m_grid.GetItemState(row, col);
            m_grid.SetItemState(row, col, in ? state | GVIS_SELECTED : state & ~GVIS_SELECTED);
        }
        if (in)
            marked = row;
    }
    if (marked > 0) {
        m_grid.EnsureVisible(marked, 0);
        m_grid.Invalidate(FALSE);
    }
}

void CViewFloor::OnDisplay()
{
    const int row = m_grid.GetNextRow(-1, GVNI_SELECTED);
    if (row < 0) {
        AfxMessageBox("请选择要显示的楼面或标高面！", MB_OK);
        return;
    }
    VyrSendToHost(WM_UI_SHOWFLOOR, 0, (LPARAM)m_grid.GetItemData(row, 0));
}

void CViewFloor::OnDblClickFloorList(NMHDR*, LRESULT* pResult)
{
    OnDisplay();
    *pResult = 0;
}

void CViewFloor::OnItemchangedFloorList(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bSelectFloor || !m_pGlobalData)
        return;
    const int row = m_grid.GetNextRow(-1, GVNI_SELECTED);
    if (row < 0)
        return;
    const int mode = (int)VyrSendToHost(WM_UI_GETDISPLAYMODE);
    if (mode != 1 && mode != 2 && mode != 4)
        return;
    auto* floor = (CFloor*)m_grid.GetItemData(row, 0);
    if (!floor)
        return;
    floor->ReSetDisplayList();
    CBeamList& beams = m_pGlobalData->SelectBeamList();
    beams.SetSelect(false);
    beams.RemoveAll();
    beams.CopyPointer(floor->GetDisplayBeamList());
    beams.SetSelect(true);
    CWallList& walls = m_pGlobalData->SelectWallList();
    walls.SetSelect(false);
    walls.RemoveAll();
    walls.CopyPointer(floor->GetDisplayWallList());
    walls.SetSelect(true);
    VyrSendToHost(WM_UI_REDRAW);
}

void CViewFloor::OnSetFocus(CWnd* pOldWnd)
{
    CMenuViewBase::OnSetFocus(pOldWnd);
    if (auto* view = (CWnd*)VyrSendToHost(WM_UI_GETACTIVEVIEW))
        view->SetFocus();
}

void CViewFloor::Resize()
{
    CWnd* button = GetDlgItem(IDC_FLOOR_DISPLAY);
    if (!m_grid.GetSafeHwnd() || !button)
        return;
    CRect client;
    GetClientRect(&client);
    const int w = client.Width();
    const int s = GetScrollPosition().y;
    m_grid.MoveWindow(10, 10 - s, w - 20, 500);
    button->MoveWindow(12, 515 - s, (w - 34) / 2, 25);
}
