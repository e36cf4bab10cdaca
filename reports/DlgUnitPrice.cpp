#include <vyr/reports/DlgUnitPrice.h>

#include <cmath>
#include <vector>

#include <vyr/app.h>
#include <vyr/ddx.h>
#include <vyr/model/geometry/GeoFunc.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/ForceDispRes.h>

BEGIN_MESSAGE_MAP(CDlgUnitPrice, CDialog)
    ON_WM_CREATE()
    ON_NOTIFY(GVN_ENDLABELEDIT, IDC_UNITPRICE_GRID, &CDlgUnitPrice::OnEndEditGrid)
END_MESSAGE_MAP()

CDlgUnitPrice::CDlgUnitPrice(CWnd* pParent) : CDialog(IDD_UNITPRICE, pParent) {}

bool CDlgUnitPrice::ParsePrice(const CString& text, double& value)
{
    std::vector<double> v;
    if (!vyr::ParseNumberList(text.GetString(), v, false) || v.size() != 1)
        return false;
    value = v[0];
    return true;
}

void CDlgUnitPrice::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_UNITPRICE_WALL, m_nWallPrice);
    DDV_MinMaxInt(pDX, m_nWallPrice, 0, 10000);
}

int CDlgUnitPrice::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDialog::OnCreate(lpCreateStruct) == -1)
        return -1;
    AfxEnableControlContainer();
    m_Grid.Create(CRect(13, 29, 427, 308), this, IDC_UNITPRICE_GRID, WS_CHILD | WS_TABSTOP | WS_VISIBLE);
    m_Grid.SetListStyle();
    m_Grid.SetListMode(FALSE);
    m_Grid.SetEditable(TRUE);
    return 0;
}

BOOL CDlgUnitPrice::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_Grid.SetRowCount(1);
    m_Grid.SetFixedRowCount(1);
    while (m_Grid.GetColumnCount() > 0)
        m_Grid.DeleteColumn(0);
    m_Grid.SetColumnCount(3);
    const struct
    {
        const char* text;
        int width;
    } heads[] = {{"截面类型", 180}, {"型钢(元/吨)", 100}, {"钢筋砼(元/立方米)", 120}};
    for (int c = 0; c < 3; ++c) {
        GV_ITEM item{};
        item.mask = GVIF_TEXT | GVIF_FORMAT;
        item.row = 0;
        item.col = c;
        item.nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        item.strText = heads[c].text;
        m_Grid.SetItem(&item);
        m_Grid.SetColumnWidth(c, heads[c].width);
    }
    FillGrid();
    if (m_pData)
        m_nWallPrice = (int)m_pData->Struct()->m_fWallConcretePrice;
    UpdateData(FALSE);
    return TRUE;
}

void CDlgUnitPrice::FillGrid()
{
    m_Grid.DeleteNonFixedRows();
    if (m_pData) {
        const std::vector<COptDiscreteSection>& prices = m_pData->Struct()->m_arrUnitPrice;
        for (size_t i = 0; i < prices.size(); ++i) {
            const int row = m_Grid.InsertRow(prices[i].GetDiscription(), -1);
            CString steel, concrete;
            steel.Format(" %.0f", (double)prices[i].GetCost());
            concrete.Format(" %.0f", (double)prices[i].GetConcreteCost());
            m_Grid.SetItemText(row, 1, steel);
            m_Grid.SetItemText(row, 2, concrete);
            for (int c = 0; c < 3; ++c) {
                m_Grid.SetItemFormat(row, c, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
                m_Grid.SetItemData(row, c, (LPARAM)row);
            }
            m_Grid.SetItemState(row, 0, m_Grid.GetItemState(row, 0) | GVIS_READONLY);
        }
    }
    m_Grid.ExpandColumnsToFit(TRUE);
}

void CDlgUnitPrice::OnEndEditGrid(NMHDR* pNotify, LRESULT* pResult)
{
    *pResult = 0;
    const auto* item = reinterpret_cast<NM_GRIDVIEW*>(pNotify);
    const int row = item->iRow, col = item->iColumn;
    if ((col != 1 && col != 2) || !m_pData)
        return;
    std::vector<COptDiscreteSection>& prices = m_pData->Struct()->m_arrUnitPrice;
    if (row < 1 || row > (int)prices.size())
        return;
    // A price is one number, finite and not below zero; "%f" would take "12abc", "nan" and "inf".
    double value = 0.0;
    if (!ParsePrice(m_Grid.GetItemText(row, col), value) || value < 0.0) {
        AfxMessageBox("输入的数据不合法！", MB_OK);
        m_Grid.SetFocusCell(row, col);
        *pResult = -1;
        return;
    }
    COptDiscreteSection& entry = prices[(size_t)row - 1];
    const float kept = col == 1 ? entry.GetCost() : entry.GetConcreteCost();
    if (std::fabs(value - (double)kept) > 0.001) {
        if (col == 1)
            entry.SetCost((float)value);
        else
            entry.SetConcreteCost((float)value);
        FillGrid();
    }
}

void CDlgUnitPrice::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_pData)
        m_pData->Struct()->m_fWallConcretePrice = (float)m_nWallPrice;
    EndDialog(IDOK);
}
