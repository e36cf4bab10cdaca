// The project information's rows in a grid: the common library's part of CVyrProjectInfo.
#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/struct/GlobalData.h>

void CVyrProjectInfo::Output(CGridCtrl* pGrid, const CString& strPath, const CString& strName) const
{
    if (!pGrid)
        return;
    const CString rows[][2] = {{"工程名称", m_strProject.IsEmpty() ? strName : m_strProject},
                               {"工程路径", strPath},
                               {"设计人", m_strDesigner},
                               {"校对人", m_strChecker},
                               {"日期", m_strDate},
                               {"备注", m_strNote}};
    const int count = (int)(sizeof rows / sizeof rows[0]);
    if (pGrid->GetColumnCount() < 2)
        pGrid->SetColumnCount(2);
    if (pGrid->GetFixedRowCount() < 1)
        pGrid->SetFixedRowCount(1);
    pGrid->SetRowCount(count + 1);
    for (int i = 0; i < count; ++i) {
        pGrid->SetItemText(i + 1, 0, rows[i][0]);
        pGrid->SetItemText(i + 1, 1, rows[i][1]);
    }
}
