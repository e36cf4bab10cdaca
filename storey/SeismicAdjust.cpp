#include <vyr/storey/SeismicAdjust.h>

#include <algorithm>

#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/struct/structure.h>
#include <vyr/storey/StoreyCommon.h>

namespace storey {

CString Fixed3(double v)
{
    CString s;
    s.Format("%.3f", v);
    return s;
}

std::vector<int> SeismicCaseNumbers(const CBasicLCList* list)
{
    std::vector<int> numbers;
    if (list == nullptr)
        return numbers;
    for (POSITION pos = list->GetHeadPosition(); pos != nullptr;) {
        const CBasicLoadCase* lc = list->GetNextT(pos);
        if (lc->IsSeismLoadCase())
            numbers.push_back(lc->m_nNo);
    }
    return numbers;
}

CBasicLoadCase* CaseByNumber(const CBasicLCList* list, int no)
{
    if (list == nullptr)
        return nullptr;
    for (POSITION pos = list->GetHeadPosition(); pos != nullptr;) {
        CBasicLoadCase* lc = list->GetNextT(pos);
        if (lc->m_nNo == no)
            return lc;
    }
    return nullptr;
}

CBasicLoadCase* CaseOfRow(const CBasicLCList* list, const std::vector<int>& numbers, int row)
{
    return row >= 1 && row <= (int)numbers.size() ? CaseByNumber(list, numbers[(size_t)row - 1]) : nullptr;
}

void CreateSeismicCaseGrid(CGridCtrl& grid, CWnd* parent, const RECT& rect, UINT id)
{
    grid.Create(rect, parent, id, WS_CHILD | WS_TABSTOP | WS_VISIBLE);
    grid.SetEditable(FALSE);
    grid.SetRowResize(FALSE);
    grid.SetHeaderSort(FALSE);
    grid.EnableColumnHide(FALSE);
    grid.EnableRowHide(FALSE);
    grid.SetFixedColumnSelection(FALSE);
    grid.SetFixedRowSelection(FALSE);
    grid.SetTrackFocusCell(FALSE);
    grid.SetFrameFocusCell(FALSE);
    grid.EnableSelection(TRUE);
    grid.SetListMode(TRUE);
    grid.SetSingleRowSelection(TRUE);
    grid.SetColumnCount(1);
    grid.SetRowCount(1);
    grid.SetFixedRowCount(1);
    grid.SetItemText(0, 0, "水平地震工况");
    grid.SetItemFormat(0, 0, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    grid.SetColumnWidth(0, 157);
    grid.ExpandLastColumn();
}

std::vector<int> FillSeismicCaseGrid(CGridCtrl& grid, const CBasicLCList* list)
{
    grid.DeleteNonFixedRows();
    const std::vector<int> numbers = SeismicCaseNumbers(list);
    for (size_t i = 0; i < numbers.size(); ++i) {
        const CBasicLoadCase* lc = CaseByNumber(list, numbers[i]);
        CString text;
        text.Format("BLC%d ", lc->m_nNo);
        lc->GetDescription(&text, -1);
        const int row = grid.InsertRow(text);
        grid.SetItemText(row, 0, text);
        grid.SetItemFormat(row, 0, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        grid.SetItemData(row, 0, (LPARAM)row);
    }
    grid.ExpandLastColumn();
    if (!numbers.empty()) {
        grid.SetFocusCell(1, 0);
        grid.SelectRow(1);
    }
    return numbers;
}

std::vector<CFloor*> DirectionVoteStoreys(const std::vector<CFloor*>& fromTop, int basements)
{
    std::vector<CFloor*> vote;
    const int lowestLevel = std::max(basements, 1);
    for (size_t i = 0; i + 1 < fromTop.size() && fromTop[i]->m_nLevel >= lowestLevel; ++i)
        vote.push_back(fromTop[i]);
    return vote;
}

int MainDirection(const std::vector<CFloor*>& storeys, CBasicLoadCase* lc, const CLoadSeismList* seism)
{
    const auto [xCount, yCount] = CountDominantShear(storeys, lc, seism);
    return yCount > xCount ? 2 : 1;
}

void CopyFactorsToLinked(CGlobalData* data, std::initializer_list<StoreyFactors> factors)
{
    if (data == nullptr)
        return;
    CStruct* s = data->Struct();
    const CFloorList* storeys = s->m_pFloorList;
    for (int no : SeismicCaseNumbers(data->GetCurBasicLCList())) {
        const int k = s->m_pLoadSeismList->GetSeismPos(CaseByNumber(data->GetCurBasicLCList(), no));
        if (k < 0)
            continue;
        for (int i = 1; i <= (int)storeys->GetCount(); ++i) {
            CFloor* f = storeys->Get(i);
            if (f->m_nOwn != 0 || f->m_pLink == nullptr)
                continue;
            for (StoreyFactors a : factors)
                (f->*a)[k] = (f->m_pLink->*a)[k];
        }
    }
}

bool FillSeismicCases(CGridCtrl& grid, const CBasicLCList* list, std::vector<int>& numbers, bool& noData)
{
    numbers = FillSeismicCaseGrid(grid, list);
    noData = numbers.empty();
    if (noData)
        AfxMessageBox("对不起，您没有施加水平地震荷载！");
    return !noData;
}

} // namespace storey

void CDlgSeismicAdjust::OnCancel()
{
    UpdateData(TRUE);
    EndDialog(IDCANCEL);
}

void CDlgSeismicAdjust::getgk(int row)
{
    m_pCurCase = storey::CaseOfRow(m_pGlobalData->GetCurBasicLCList(), m_arrSeismNo, row);
}

bool CDlgSeismicAdjust::FillCaseGrid()
{
    return storey::FillSeismicCases(m_GridCase, m_pGlobalData->GetCurBasicLCList(), m_arrSeismNo, m_bNoData);
}

void CDlgSeismicAdjust::ChooseCase(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pResult)
        *pResult = 0;
    UpdateData(TRUE);
    const int row = reinterpret_cast<NM_GRIDVIEW*>(pNMHDR)->iRow;
    if (m_bNoData || row <= 0)
        return;
    CWaitCursor wait;
    getgk(row);
    m_nCurRow = row;
    FillData(m_pCurCase);
    FillStoreyGrid();
}

