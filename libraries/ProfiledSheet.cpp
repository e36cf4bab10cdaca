#include <vyr/libraries/ProfiledSheet.h>

#include <cstdio>

#include <vyr/libraries/DaoText.h>
#include <vyr/libraries/SectionCatalog.h>
#include <vyr/model/output/commonfuncs.h>

namespace sec = vyr::sections;

CString CProfiledSheetDB::GetPath(CString* pMissing) { return CVyrFunc::FindDataBaseFile(sec::kSheetDatabaseFile, pMissing); }

void CProfiledSheetDB::Open()
{
    Close();
    CString connect = ";PWD=";
    connect += sec::kSheetPassword;
    CString missing;
    const CString path = GetPath(&missing);
    if (!missing.IsEmpty()) AfxThrowDaoException(VYR_DAO_FILE_NOT_FOUND, missing);
    m_db.Open(path, FALSE, TRUE, connect);
    auto set = std::make_unique<CDaoRecordset>(&m_db);
    try {
        set->Open(dbOpenDynaset,
                  "SELECT * FROM 中国压型钢板 ORDER BY 中国压型钢板.[型号], 中国压型钢板.[t(mm)], "
                  "中国压型钢板.[H(mm)], 中国压型钢板.[S(mm)]",
                  dbReadOnly);
    } catch (CDaoException*) {
        m_db.Close();
        throw;
    }
    int count = 0;
    if (!set->IsBOF()) {
        set->MoveLast();
        count = (int)set->GetAbsolutePosition() + 1;
        set->MoveFirst();
    }
    m_pSet = std::move(set);
    m_nCount = count;
}

void CProfiledSheetDB::Close()
{
    if (m_pSet != nullptr) {
        m_pSet->Close();
        m_pSet.reset();
    }
    if (m_db.IsOpen())
        m_db.Close();
    m_nCount = 0;
}

void CProfiledSheetDB::SetupColumns(CListCtrl& list) const
{
    if (m_pSet == nullptr)
        return;
    for (int c = 0; c < sec::kSheetSortKeyCount && c < m_pSet->GetFieldCount(); ++c) {
        CDaoFieldInfo info;
        m_pSet->GetFieldInfo(c, info);
        list.InsertColumn(c, info.m_strName, LVCFMT_LEFT, c == 0 ? 120 : 60);
    }
}

void CProfiledSheetDB::FillList(CListCtrl& list)
{
    list.DeleteAllItems();
    if (m_pSet == nullptr)
        return;
    const int columns = sec::kSheetSortKeyCount < m_pSet->GetFieldCount() ? sec::kSheetSortKeyCount : m_pSet->GetFieldCount();
    for (int r = 0; r < m_nCount; ++r) {
        m_pSet->SetAbsolutePosition(r);
        list.InsertItem(r, FieldText(0));
        for (int c = 1; c < columns; ++c)
            list.SetItemText(r, c, FieldText(c));
    }
    if (m_nCount > 0)
        m_pSet->MoveFirst();
}

bool CProfiledSheetDB::MoveTo(int pos)
{
    if (m_pSet == nullptr || pos < 0 || pos >= m_nCount)
        return false;
    m_pSet->SetAbsolutePosition(pos);
    return true;
}

int CProfiledSheetDB::GetPosition() const { return m_pSet != nullptr ? (int)m_pSet->GetAbsolutePosition() : -1; }

CString CProfiledSheetDB::FieldText(int field) const
{
    CString text;
    if (m_pSet != nullptr && m_pSet->GetAbsolutePosition() >= 0 && field >= 0 && field < m_pSet->GetFieldCount())
        VyrFieldToText(m_pSet->GetFieldValue(field), text);
    return text;
}

CString CProfiledSheetDB::Details() const
{
    CString line;
    for (int f = 0; f < 10; ++f) {
        line += sec::kSheetFields[f];
        line += "=";
        line += FieldText(f);
        line += " ";
    }
    return line;
}

void CProfiledSheetDB::ReadNumbers(float values[9]) const
{
    for (int i = 0; i < 9; ++i) {
        values[i] = 0.0f;
        const CString text = FieldText(i + 1);
        std::sscanf(text.GetString(), "%f", &values[i]);
    }
}
