// The profiled-steel-sheet database: its one query, read-only, with the records addressed
// by their position in the query's order (a composite slab type stores the position of its
// sheet, so the order is stored data).
#pragma once

#include <memory>

#include <vyr/stdafx.h>
#include <vyr/controls.h>
#include <vyr/dao.h>

class CProfiledSheetDB
{
public:
    CProfiledSheetDB() = default;
    ~CProfiledSheetDB() { Close(); }
    CProfiledSheetDB(const CProfiledSheetDB&) = delete;
    CProfiledSheetDB& operator=(const CProfiledSheetDB&) = delete;

    // The file: the application folder's, else the one the library ships; *pMissing names
    // both places when neither holds it (see CVyrFunc::FindDataBaseFile).
    static CString GetPath(CString* pMissing = nullptr);

    // Opens the database, runs the query and counts its records; raises CDaoException
    // (missing file, wrong password, no sheet table). The first record is current.
    void Open();
    // Deletes the recordset and closes the database.
    void Close();
    bool IsOpen() const { return m_pSet != nullptr; }
    int GetRecordCount() const { return m_nCount; }

    // The list's columns: the first four fields by the names the database reports.
    void SetupColumns(CListCtrl& list) const;
    // One row per record, in order (model, t, H, S); the first record is current afterwards.
    void FillList(CListCtrl& list);

    // Makes the record at that position current; false outside the records.
    bool MoveTo(int pos);
    int GetPosition() const;

    // The value text of a field of the current record.
    CString FieldText(int field) const;
    // "型号=... t(mm)=... " up to b2, each value followed by one blank.
    CString Details() const;
    // Fields 1 to 9 of the current record scanned with "%f"; a text that does not scan
    // leaves its 0 (a null b2 gives 0).
    void ReadNumbers(float values[9]) const;

private:
    CDaoDatabase m_db;
    std::unique_ptr<CDaoRecordset> m_pSet;
    int m_nCount = 0;
};
