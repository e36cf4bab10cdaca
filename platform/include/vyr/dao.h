// The class library's data-access classes, over SQLite. Only reading is offered: the
// databases the library reads (section tables, the profiled-sheet table) ship with the
// application and are never written. A database file is an SQLite file made by the
// project's generator; its password sits in the table VyrDatabaseInfo.
//
// A recordset reads all rows of its query when it opens, so positioning by absolute row
// (which the browsers do for every row they show) is direct. Field values come as variants
// typed by the column's declared type:
//   TEXT(n)/VARCHAR(n)  VT_BSTR   (dbText, size n)     DOUBLE/FLOAT  VT_R8 (dbDouble)
//   SINGLE/REAL4        VT_R4     (dbSingle)           SMALLINT/SHORT VT_I2 (dbInteger)
//   INTEGER/LONG        VT_I4     (dbLong)             BIT/BOOLEAN   VT_BOOL (dbBoolean)
//   CURRENCY/MONEY      VT_CY     (dbCurrency)         DATETIME/DATE VT_DATE (dbDate)
// A null cell is VT_NULL whatever the column. A text column that is declared with the
// collation GBK orders by GBK bytes, as the platform's other sorts do.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <vyr/cstring.h>
#include <vyr/exception.h>
#include <vyr/wintypes.h>

typedef unsigned short VARTYPE;
typedef short VARIANT_BOOL;
typedef double DATE;
#define VARIANT_TRUE ((VARIANT_BOOL)-1)
#define VARIANT_FALSE ((VARIANT_BOOL)0)

enum VARENUM
{
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_BOOL = 11,
};

// A currency amount in ten-thousandths.
struct CY
{
    LONGLONG int64 = 0;
};

// A typed value. Texts are UTF-8; bstrVal points into the variant's own copy.
class COleVariant
{
public:
    COleVariant() { ClearValue(); }
    COleVariant(const COleVariant& o) { *this = o; }
    COleVariant& operator=(const COleVariant& o);
    // Moved when a recordset's rows grow, so a large table is not copied cell by cell.
    COleVariant(COleVariant&& o) noexcept { *this = std::move(o); }
    COleVariant& operator=(COleVariant&& o) noexcept;
    COleVariant(short v, VARTYPE vtSrc = VT_I2);
    COleVariant(long v, VARTYPE vtSrc = VT_I4);
    COleVariant(int v) : COleVariant((long)v, VT_I4) {}
    COleVariant(float v);
    COleVariant(double v);
    COleVariant(const char* s);
    COleVariant(const CString& s) : COleVariant(s.GetString()) {}
    COleVariant(CY cy);

    static COleVariant Null();
    static COleVariant Bool(bool b);
    static COleVariant Date(DATE d);

    void Clear() { ClearValue(); }

    VARTYPE vt = VT_EMPTY;
    short iVal = 0;
    LONG lVal = 0;
    float fltVal = 0;
    double dblVal = 0;
    VARIANT_BOOL boolVal = 0;
    CY cyVal;
    DATE date = 0;
    const char* bstrVal = nullptr;

private:
    void ClearValue();
    std::string m_str;
};

class COleCurrency
{
public:
    COleCurrency() = default;
    COleCurrency(CY cy) : m_cur(cy) {}
    // The amount with its ten-thousandths, trailing zeros after the point dropped
    // ("12.5", "-3", "0.0001"): the user default locale of the application's machines has
    // no currency sign in this text and no thousands separators.
    CString Format() const;
    CY m_cur;
};

class COleDateTime
{
public:
    COleDateTime() = default;
    COleDateTime(DATE d) : m_dt(d) {}
    COleDateTime(int y, int mon, int d, int h, int min, int s);
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    // The short date of the Chinese locale, "2024/3/5", followed by " 14:07:09" when the
    // value has a time of day.
    CString Format() const;
    DATE m_dt = 0; // days since 1899-12-30, the fraction the time of day
};

// DAO field types.
#define dbBoolean 1
#define dbByte 2
#define dbInteger 3
#define dbLong 4
#define dbCurrency 5
#define dbSingle 6
#define dbDouble 7
#define dbDate 8
#define dbText 10
#define dbMemo 12

// Recordset types and options.
#define dbOpenTable 1
#define dbOpenDynaset 2
#define dbOpenSnapshot 4
#define dbReadOnly 4
#define AFX_DAO_USE_DEFAULT_TYPE (-1)
#define AFX_DAO_PRIMARY_INFO 0x00000001
#define AFX_DAO_SECONDARY_INFO 0x00000002
#define AFX_DAO_ALL_INFO 0x00000003

struct CDaoErrorInfo
{
    LONG m_lErrorCode = 0;
    CString m_strSource;
    CString m_strDescription;
    CString m_strHelpFile;
    LONG m_lHelpContext = 0;
};

class CDaoException : public CException
{
    DECLARE_DYNAMIC(CDaoException)
public:
    CDaoException();
    ~CDaoException() override;
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
    using CException::GetErrorMessage;

    CDaoErrorInfo* m_pErrorInfo;
    LONG m_scode = 0;
    int m_nAfxDaoError = 0;
};

// Error codes of the exceptions this stand-in raises (the engine's numbers).
#define VYR_DAO_INVALID_ARGUMENT 3001
#define VYR_DAO_NO_CURRENT_RECORD 3021
#define VYR_DAO_FILE_NOT_FOUND 3024
#define VYR_DAO_WRONG_PASSWORD 3031
#define VYR_DAO_NOT_A_DATABASE 3343
#define VYR_DAO_NO_SUCH_TABLE 3078
#define VYR_DAO_BAD_QUERY 3075
#define VYR_DAO_READ_ONLY 3027
#define VYR_DAO_NOT_OPEN 3420

[[noreturn]] void AfxThrowDaoException(LONG lErrorCode, const CString& description);

struct CDaoFieldInfo
{
    CString m_strName;
    short m_nType = 0;
    LONG m_lSize = 0;
    LONG m_lAttributes = 0;
    short m_nOrdinalPosition = 0;
    BOOL m_bRequired = FALSE;
    BOOL m_bAllowZeroLength = FALSE;
    CString m_strSourceField;
    CString m_strSourceTable;
};

struct sqlite3;

class CDaoDatabase
{
public:
    CDaoDatabase() = default;
    virtual ~CDaoDatabase();
    CDaoDatabase(const CDaoDatabase&) = delete;
    CDaoDatabase& operator=(const CDaoDatabase&) = delete;

    // Opens the file at the mapped path. Only read-only opening is offered; the connect
    // string's ";PWD=" must equal the password stored in the file. Raises CDaoException.
    virtual void Open(LPCTSTR lpszName, BOOL bExclusive = FALSE, BOOL bReadOnly = FALSE, LPCTSTR lpszConnect = "");
    virtual void Close();
    BOOL IsOpen() const { return m_db != nullptr; }
    CString GetName() const { return m_strName; }
    CString GetConnect() const { return m_strConnect; }

    sqlite3* Handle() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
    CString m_strName;
    CString m_strConnect;
};

class CDaoRecordset
{
public:
    explicit CDaoRecordset(CDaoDatabase* pDatabase = nullptr);
    virtual ~CDaoRecordset();
    CDaoRecordset(const CDaoRecordset&) = delete;
    CDaoRecordset& operator=(const CDaoRecordset&) = delete;

    // Runs the query and holds its rows. Only dbReadOnly recordsets exist here; the open
    // type is accepted as given. Raises CDaoException (no such table, bad query).
    virtual void Open(int nOpenType = AFX_DAO_USE_DEFAULT_TYPE, LPCTSTR lpszSQL = nullptr, int nOptions = 0);
    virtual void Close();
    BOOL IsOpen() const { return m_bOpen; }

    BOOL IsBOF() const;
    BOOL IsEOF() const;
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrev();
    // Rows counted from 0 in query order; a position outside the rows raises CDaoException.
    void SetAbsolutePosition(LONG lPosition);
    // -1 when there is no current row.
    LONG GetAbsolutePosition() const;
    // The rows visited so far, as the engine counts them: all rows once MoveLast ran.
    LONG GetRecordCount() const;

    short GetFieldCount() const;
    void GetFieldInfo(int nIndex, CDaoFieldInfo& fieldinfo, DWORD dwInfoOptions = AFX_DAO_PRIMARY_INFO) const;
    COleVariant GetFieldValue(int nIndex) const;
    COleVariant GetFieldValue(LPCTSTR lpszName) const;

    CString GetSQL() const { return m_strSQL; }

    CDaoDatabase* m_pDatabase;

private:
    void CheckOpen() const;
    const COleVariant& Cell(int nIndex) const;

    bool m_bOpen = false;
    CString m_strSQL;
    std::vector<CDaoFieldInfo> m_fields;
    std::vector<COleVariant> m_cells; // row by row
    LONG m_nRows = 0;
    LONG m_nPos = -1;       // -1 before the first row (BOF), m_nRows after the last (EOF)
    LONG m_nVisited = 0;
};
