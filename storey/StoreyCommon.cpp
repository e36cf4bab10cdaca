#include <vyr/storey/StoreyCommon.h>

#include <cmath>

#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/struct/structure.h>

namespace storey {

float StoredOrDefault(float stored, float defaultValue)
{
    return stored > 1e-7f && stored < 1e4f ? stored : defaultValue;
}

std::vector<CFloor*> RealStoreysFromTop(const CFloorList* list, int count)
{
    std::vector<CFloor*> out;
    if (list == nullptr)
        return out;
    for (POSITION pos = list->GetRealFloorTailPosition(); pos != nullptr && (count < 0 || (int)out.size() < count);)
        out.push_back(list->GetRealFloorPrev(pos));
    return out;
}

CFloor* StoreyBelow(const CFloorList* list, const std::vector<CFloor*>& fromTop, size_t i)
{
    if (i + 1 < fromTop.size())
        return fromTop[i + 1];
    if (i < fromTop.size() && fromTop[i]->GetDownFloor() != nullptr)
        return fromTop[i]->GetDownFloor();
    return list != nullptr ? list->Get(1) : nullptr;
}

bool InTower(const CMainNode* tower, const CFloor* storey)
{
    return tower == nullptr || tower->m_pt.z - storey->GetZ() > -0.001;
}

std::pair<int, int> CountDominantShear(const std::vector<CFloor*>& storeys, CBasicLoadCase* lc,
                                       const CLoadSeismList* seism)
{
    int xCount = 0, yCount = 0;
    const int pos = lc != nullptr && lc->IsSeismLoadCase() && seism != nullptr ? seism->GetSeismPos(lc) : -1;
    for (CFloor* f : storeys) {
        float vx = 0.0f, vy = 0.0f;
        if (lc != nullptr && lc->IsSeismLoadCase()) {
            if (pos >= 0) {
                vx = f->m_fSeismShearX[pos];
                vy = f->m_fSeismShearY[pos];
            }
        } else {
            vx = f->GetTotalShearX(lc);
            vy = f->GetTotalShearY(lc);
        }
        vx = std::fabs(vx);
        vy = std::fabs(vy);
        if (vx > 1e-5f && vx > vy)
            ++xCount;
        if (vy > 1e-5f && vy > vx)
            ++yCount;
    }
    return {xCount, yCount};
}

void RefreshTowers(CStruct* s, CMainNodeList& towers)
{
    towers.RemoveAll();
    if (s != nullptr)
        s->GetMultiTowerMainNode(&towers);
}

namespace {

void MakeReadOnly(CGridCtrl& grid)
{
    grid.SetEditable(FALSE);
    grid.SetRowResize(FALSE);
    grid.SetHeaderSort(FALSE);
    grid.EnableColumnHide(FALSE);
    grid.EnableRowHide(FALSE);
    grid.SetFixedColumnSelection(FALSE);
    grid.SetFixedRowSelection(FALSE);
}

} // namespace

void CreateStoreyGrid(CGridCtrl& grid, CWnd* parent, const RECT& rect, UINT id)
{
    grid.Create(rect, parent, id, WS_CHILD | WS_TABSTOP | WS_VISIBLE);
    MakeReadOnly(grid);
    grid.EnableSelection(FALSE);
    grid.SetFixedRowCount(1);
}

void CreateTowerGrid(CGridCtrl& grid, CWnd* parent, const RECT& rect, UINT id)
{
    grid.Create(rect, parent, id, WS_CHILD | WS_TABSTOP | WS_VISIBLE);
    MakeReadOnly(grid);
    grid.SetListMode(TRUE);
    grid.SetSingleRowSelection(TRUE);
    grid.EnableSelection(TRUE);
    grid.SetColumnCount(1);
    grid.SetRowCount(1);
    grid.SetFixedRowCount(1);
    grid.SetItemText(0, 0, "结构塔楼描述");
    grid.SetColumnWidth(0, 154);
}

CMainNode* FillTowerGrid(CGridCtrl& grid, const CMainNodeList& towers)
{
    grid.DeleteNonFixedRows();
    const int n = (int)towers.GetCount();
    grid.SetRowCount(n + 1);
    for (int i = 1; i <= n; ++i) {
        const CMainNode* t = towers.Get(i);
        CString text;
        text.Format("塔%d：%.3fm %.3fm", i, t->m_pt.x * 0.01, t->m_pt.y * 0.01);
        grid.SetItemText(i, 0, text);
    }
    if (n == 0)
        return nullptr;
    grid.SelectRow(1);
    return towers.Get(1);
}

CMainNode* SelectedTower(const NMHDR* pNMHDR, const CMainNodeList& towers)
{
    const int row = reinterpret_cast<const NM_GRIDVIEW*>(pNMHDR)->iRow;
    return row > 0 && row <= (int)towers.GetCount() ? towers.Get(row) : nullptr;
}

int AddCentredRow(CGridCtrl& grid, const std::vector<CString>& cells)
{
    const int row = grid.InsertRow("");
    for (int c = 0; c < (int)cells.size(); ++c) {
        grid.SetItemText(row, c, cells[(size_t)c]);
        grid.SetItemFormat(row, c, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    return row;
}

bool IsHalfTyped(const CString& text)
{
    CString t = text;
    t.TrimLeft();
    t.TrimRight();
    if (t.IsEmpty())
        return true;
    const char last = t.GetString()[t.GetLength() - 1];
    return last == '.' || last == '-' || last == '+' || last == 'e' || last == 'E';
}

bool TakeEditedLimit(CWnd& dialog, int ctrlId, float& limit, float& stored)
{
    CString typed;
    dialog.GetDlgItemText(ctrlId, typed);
    if (IsHalfTyped(typed))
        return false;
    const float before = limit;
    if (!dialog.UpdateData(TRUE)) {
        // The refused text is not the dialog's limit.
        limit = before;
        return false;
    }
    if (std::fabs(limit - before) <= 0.001f) {
        limit = before;
        return false;
    }
    stored = limit;
    return true;
}

} // namespace storey
